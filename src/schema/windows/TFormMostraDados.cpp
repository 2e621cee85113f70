#include "schema/windows/TFormMostraDados.h"

#include "schema/TConsulta.h"
#include "ui/frame/AcoesPendentes.h"
#include "ui/frame/Dialogos.h"
#include "ui/frame/Texto.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <deque>

namespace fendril {

namespace {

// Rows fetched at a time: a screenful and some, so that any table opens at once.
constexpr std::size_t kBloco = 256;

} // namespace

// The rows of a query, read from its cursor as the grid asks for more.
class TModeloConsulta : public QAbstractTableModel {
public:
    TModeloConsulta(TConsulta& cursor, QWidget* janela)
        : QAbstractTableModel(janela), m_cursor(cursor), m_janela(janela) {
        for (const std::string& nome : cursor.Colunas())
            m_colunas.append(paraQString(nome));
    }

    int rowCount(const QModelIndex& pai) const override {
        return pai.isValid() ? 0 : static_cast<int>(m_linhas.size());
    }
    int columnCount(const QModelIndex& pai) const override {
        return pai.isValid() ? 0 : static_cast<int>(m_colunas.size());
    }
    QVariant data(const QModelIndex& indice, int papel) const override {
        if (!indice.isValid() || (papel != Qt::DisplayRole && papel != Qt::ToolTipRole))
            return {};
        const TLinhaValores& linha = m_linhas[static_cast<std::size_t>(indice.row())];
        const auto coluna = static_cast<std::size_t>(indice.column());
        if (coluna >= linha.size() || linha[coluna].nulo)
            return {};
        return paraQString(linha[coluna].texto);
    }
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override {
        if (papel != Qt::DisplayRole)
            return {};
        if (orientacao == Qt::Horizontal)
            return secao >= 0 && secao < m_colunas.size() ? m_colunas[secao] : QVariant();
        return secao + 1;
    }
    Qt::ItemFlags flags(const QModelIndex& indice) const override {
        return indice.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }
    bool canFetchMore(const QModelIndex& pai) const override { return !pai.isValid() && !m_fim; }
    void fetchMore(const QModelIndex& pai) override {
        if (pai.isValid() || m_fim)
            return;
        std::vector<TLinhaValores> novas;
        try {
            novas = m_cursor.Proximas(kBloco);
        } catch (const std::exception& erro) {
            m_fim = true;
            Dialogos::Erro(m_janela, paraQString(erro.what()));
        }
        m_fim = m_fim || m_cursor.Fim();
        if (novas.empty())
            return;
        const int primeira = static_cast<int>(m_linhas.size());
        beginInsertRows(QModelIndex(), primeira, primeira + static_cast<int>(novas.size()) - 1);
        for (TLinhaValores& linha : novas)
            m_linhas.push_back(std::move(linha));
        endInsertRows();
    }

private:
    TConsulta& m_cursor;
    QWidget* m_janela;
    QStringList m_colunas;
    std::vector<TLinhaValores> m_linhas;
    bool m_fim = false;
};

TFormMostraDados::TFormMostraDados(QWidget* pai)
    : QDialog(pai), m_cursor(std::make_unique<TConsulta>()) {
    setObjectName(QStringLiteral("FormMostraDados"));
    setWindowTitle(QStringLiteral("Data"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_navegador = new QToolBar(this);
    m_navegador->setObjectName(QStringLiteral("DBNavigator1"));
    m_grade = new QTableView(this);
    m_grade->setObjectName(QStringLiteral("DBGrid1"));
    m_grade->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grade->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grade->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grade->setAlternatingRowColors(true);
    m_grade->verticalHeader()->setDefaultSectionSize(m_grade->fontMetrics().height() + 6);
    m_grade->horizontalHeader()->setDefaultSectionSize(120);
    m_grade->horizontalHeader()->setStretchLastSection(true);
    m_grade->installEventFilter(this);

    const auto vaiPara = [this](int linha) {
        if (!m_modelo || m_modelo->rowCount(QModelIndex()) == 0)
            return;
        const int coluna = std::max(0, m_grade->currentIndex().column());
        const QModelIndex indice = m_modelo->index(linha, coluna);
        m_grade->setCurrentIndex(indice);
        m_grade->scrollTo(indice);
    };
    const auto botao = [this](const char* nome, const char* texto, auto acao) {
        QAction* a = m_navegador->addAction(QString::fromUtf8(texto), this, acao);
        a->setObjectName(QString::fromUtf8(nome));
    };
    botao("nav_primeiro", "First", [vaiPara] { vaiPara(0); });
    botao("nav_anterior", "Prior",
          [this, vaiPara] { vaiPara(std::max(0, m_grade->currentIndex().row() - 1)); });
    botao("nav_proximo", "Next", [this, vaiPara] {
        if (!m_modelo)
            return;
        const int proxima = m_grade->currentIndex().row() + 1;
        if (proxima >= m_modelo->rowCount(QModelIndex()) && m_modelo->canFetchMore(QModelIndex()))
            m_modelo->fetchMore(QModelIndex());
        vaiPara(std::min(proxima, m_modelo->rowCount(QModelIndex()) - 1));
    });
    botao("nav_ultimo", "Last", [this, vaiPara] {
        if (!m_modelo)
            return;
        while (m_modelo->canFetchMore(QModelIndex()))
            m_modelo->fetchMore(QModelIndex());
        vaiPara(m_modelo->rowCount(QModelIndex()) - 1);
    });
    botao("nav_refresh", "Refresh", [this] { FormShow(); });

    layout->addWidget(m_navegador);
    layout->addWidget(m_grade, 1);
    resize(760, 460);
}

TFormMostraDados::~TFormMostraDados() = default;

void TFormMostraDados::setNavegadorVisivel(bool visivel) {
    m_navegador->setVisible(visivel);
}

bool TFormMostraDados::navegadorVisivel() const {
    return !m_navegador->isHidden();
}

void TFormMostraDados::Executa() {
    TAcoesPendentes<TFormMostraDados>::Executa(*this);
}

void TFormMostraDados::ProximaAcao(std::function<void(TFormMostraDados&)> acao) {
    TAcoesPendentes<TFormMostraDados>::Acrescenta(std::move(acao));
}

QString TFormMostraDados::getNomeTabelaAccess(const QString& nome) const {
    if (m_cursor->Aberta())
        return paraQString(CitaNomeTabela(deQString(nome), m_cursor->AspasIdentificador(),
                                          m_cursor->ComEsquemas()));
    return paraQString(CitaNomeTabela(deQString(nome), "\""));
}

void TFormMostraDados::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (!m_mostrada) {
        m_mostrada = true;
        FormShow();
    }
}

void TFormMostraDados::FormShow() {
    fecha();
    try {
        m_cursor->Abre(deQString(stringConexao), deQString(usuario), deQString(senha),
                       deQString(nomeBaseDados));
    } catch (const std::exception& erro) {
        Dialogos::Erro(this, paraQString(erro.what()));
        return;
    }
    setWindowTitle(QStringLiteral("Data of Table \"%1\"").arg(nomeTabela));
    m_consulta = QStringLiteral("select * from ") + getNomeTabelaAccess(nomeTabela);
    try {
        m_cursor->Executa(deQString(m_consulta));
    } catch (const std::exception& erro) {
        Dialogos::Erro(this, paraQString(erro.what()));
        return;
    }
    m_modelo = new TModeloConsulta(*m_cursor, this);
    m_modelo->fetchMore(QModelIndex());
    m_grade->setModel(m_modelo);
    // Columns as wide as the first rows need, within reason.
    m_grade->resizeColumnsToContents();
    for (int coluna = 0; coluna < m_modelo->columnCount(QModelIndex()); ++coluna)
        m_grade->setColumnWidth(coluna, std::min(m_grade->columnWidth(coluna), 320));
}

bool TFormMostraDados::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == m_grade && evento->type() == QEvent::KeyPress && m_modelo &&
        static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Down) {
        const int linhas = m_modelo->rowCount(QModelIndex());
        const QModelIndex atual = m_grade->currentIndex();
        if (linhas > 0 && atual.isValid() && atual.row() == linhas - 1) {
            if (m_modelo->canFetchMore(QModelIndex()))
                m_modelo->fetchMore(QModelIndex());
            if (m_modelo->rowCount(QModelIndex()) == linhas) {
                const QModelIndex primeira = m_modelo->index(0, atual.column());
                m_grade->setCurrentIndex(primeira);
                m_grade->scrollTo(primeira);
                return true;
            }
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

void TFormMostraDados::done(int resultado) {
    fecha();
    QDialog::done(resultado);
}

void TFormMostraDados::fecha() {
    m_grade->setModel(nullptr);
    delete m_modelo;
    m_modelo = nullptr;
    m_cursor->Fecha();
}

} // namespace fendril

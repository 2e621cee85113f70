#include "schema/windows/TFormMostraTabelas.h"

#include "model/Textos.h"
#include "schema/CargaColunas.h"
#include "schema/TMostraTabelas.h"
#include "ui/frame/AcoesPendentes.h"
#include "ui/frame/Dialogos.h"
#include "ui/frame/TFormMostraLog.h"
#include "ui/frame/Texto.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <deque>
#include <functional>

namespace fendril {

namespace {

const char* const kOpcoes[] = {"All", "Simple Tables", "System Tables", "Views"};

// The padlock of the foreign checking button: shut while checking is on.
QIcon Cadeado(bool fechado) {
    QPixmap imagem(16, 16);
    imagem.fill(Qt::transparent);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    const QColor cor = fechado ? QColor(0x80, 0x50, 0x00) : QColor(0x55, 0x55, 0x55);
    pintor.setPen(QPen(cor, 1.8, Qt::SolidLine, Qt::FlatCap));
    QPainterPath arco;
    if (fechado) {
        arco.moveTo(4.5, 8);
        arco.lineTo(4.5, 5);
        arco.arcTo(QRectF(4.5, 1.5, 7, 7), 180, -180);
        arco.lineTo(11.5, 8);
    } else {
        // Swung open: the right leg out of the body.
        arco.moveTo(4.5, 8);
        arco.lineTo(4.5, 3.5);
        arco.arcTo(QRectF(4.5, 0, 7, 7), 180, -180);
        arco.lineTo(11.5, 5);
    }
    pintor.drawPath(arco);
    pintor.setPen(QPen(cor, 1));
    pintor.setBrush(fechado ? QColor(0xf0, 0xb0, 0x20) : QColor(0xc8, 0xc8, 0xc8));
    pintor.drawRoundedRect(QRectF(2.5, 7.5, 11, 7.5), 1.5, 1.5);
    pintor.setPen(Qt::NoPen);
    pintor.setBrush(cor);
    pintor.drawRect(QRectF(7.2, 10, 1.6, 3));
    return QIcon(imagem);
}

} // namespace

TFormMostraTabelas::TFormMostraTabelas(const QString& diretorioInstalado, QWidget* pai)
    : QDialog(pai), m_diretorioInstalado(diretorioInstalado) {
    setObjectName(QStringLiteral("FormMostraTabelas"));
    setWindowTitle(QStringLiteral("Available Tables"));
    setWindowFlag(Qt::Tool);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_barra = new QToolBar(this);
    m_barra->setObjectName(QStringLiteral("ToolBar1"));
    m_barra->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_barra->setIconSize(QSize(16, 16));
    const auto botao = [this](const char* nome, const char* texto, const char* dica,
                              void (TFormMostraTabelas::*metodo)()) {
        // The command's name is its text and tip; the button shows a short label.
        QAction* acao = m_barra->addAction(QString::fromUtf8(dica), this, metodo);
        acao->setObjectName(QString::fromUtf8(nome));
        acao->setIconText(QString::fromUtf8(texto));
        acao->setToolTip(QString::fromUtf8(dica));
        return acao;
    };
    botao("but_transfere", "Transfer", "Transfer Tables", &TFormMostraTabelas::but_transfereClick);
    botao("but_checa", "Check/Uncheck", "Check/Uncheck All Tables",
          &TFormMostraTabelas::but_checaClick);
    botao("but_refresh", "Refresh", "Refresh", &TFormMostraTabelas::but_refreshClick);
    m_trava = botao("but_trava", "Foreign", "Lock/Unlock Foreign Tables Checking",
                    &TFormMostraTabelas::but_travaClick);
    m_trava->setCheckable(true);
    botao("but_viewlog", "Log", "View Log", &TFormMostraTabelas::but_viewlogClick);
    m_barra->addSeparator();
    botao("but_sair", "Exit", "Exit", &TFormMostraTabelas::but_sairClick);
    layout->addWidget(m_barra);

    auto* corpo = new QVBoxLayout;
    corpo->setContentsMargins(8, 6, 8, 6);
    corpo->setSpacing(6);
    m_rotuloBase = new QLabel(QStringLiteral("Database"), this);
    m_rotuloBase->setObjectName(QStringLiteral("lb_basedados"));
    QFont negrito = m_rotuloBase->font();
    negrito.setBold(true);
    m_rotuloBase->setFont(negrito);
    corpo->addWidget(m_rotuloBase);

    m_lista = new QListWidget(this);
    m_lista->setObjectName(QStringLiteral("chk_tabelas"));
    m_lista->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_lista, &QListWidget::itemChanged, this, &TFormMostraTabelas::itemMudou);
    corpo->addWidget(m_lista, 1);

    m_painelEsquema = new QWidget(this);
    m_painelEsquema->setObjectName(QStringLiteral("Panel1"));
    auto* linhaEsquema = new QHBoxLayout(m_painelEsquema);
    linhaEsquema->setContentsMargins(0, 0, 0, 0);
    auto* rotuloEsquema = new QLabel(QStringLiteral("Schema"), m_painelEsquema);
    m_esquema = new QComboBox(m_painelEsquema);
    m_esquema->setObjectName(QStringLiteral("ComboBox1"));
    m_esquema->setEditable(true);
    m_esquema->setInsertPolicy(QComboBox::NoInsert);
    m_esquema->addItem(QStringLiteral("All"));
    m_esquema->setCurrentIndex(-1);
    m_esquema->setEditText(QString());
    rotuloEsquema->setBuddy(m_esquema);
    connect(m_esquema, &QComboBox::activated, this, [this] { PreencheLstTabelas(); });
    linhaEsquema->addWidget(rotuloEsquema);
    linhaEsquema->addWidget(m_esquema, 1);
    corpo->addWidget(m_painelEsquema);

    auto* grupo = new QGroupBox(QStringLiteral("Table Type"), this);
    grupo->setObjectName(QStringLiteral("RadioGroup1"));
    m_grupoTipo = grupo;
    auto* grade = new QGridLayout(grupo);
    m_opcoes = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* opcao = new QRadioButton(QString::fromUtf8(kOpcoes[i]), grupo);
        opcao->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
        m_opcoes->addButton(opcao, i);
        // Two columns filled one after the other: All and Simple Tables in the first.
        grade->addWidget(opcao, i % 2, i / 2);
    }
    m_opcoes->button(0)->setChecked(true);
    connect(m_opcoes, &QButtonGroup::buttonClicked, this, [this] { PreencheLstTabelas(); });
    corpo->addWidget(grupo);

    m_progresso = new QProgressBar(this);
    m_progresso->setObjectName(QStringLiteral("ProgressBar1"));
    m_progresso->setRange(0, 100);
    m_progresso->setVisible(false);
    corpo->addWidget(m_progresso);
    layout->addLayout(corpo, 1);

    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("StatusBar1"));
    m_status->setSizeGripEnabled(false);
    layout->addWidget(m_status);

    mostraTrava();
    setFixedSize(QSize(440, 520).expandedTo(sizeHint()));
    ApagaLogCarga(deQString(m_diretorioInstalado));
}

TFormMostraTabelas::~TFormMostraTabelas() = default;

QString TFormMostraTabelas::caminhoLog() const {
    return paraQString(CaminhoLogCarga(deQString(m_diretorioInstalado)));
}

void TFormMostraTabelas::Executa() {
    TAcoesPendentes<TFormMostraTabelas>::Executa(*this, [this] { PreencheLstTabelas(); });
}

void TFormMostraTabelas::ProximaAcao(std::function<void(TFormMostraTabelas&)> acao) {
    TAcoesPendentes<TFormMostraTabelas>::Acrescenta(std::move(acao));
}

void TFormMostraTabelas::ProximaTransferencia(const QStringList& marcadas) {
    ProximaAcao([marcadas](TFormMostraTabelas& janela) {
        if (!marcadas.isEmpty()) {
            QListWidget* lista = janela.lista();
            for (int i = 0; i < lista->count(); ++i) {
                QListWidgetItem* item = lista->item(i);
                item->setCheckState(marcadas.contains(item->text()) ? Qt::Checked : Qt::Unchecked);
            }
        }
        janela.but_transfereClick();
    });
}

void TFormMostraTabelas::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    m_rotuloBase->setText(catalogo.isEmpty() ? QStringLiteral("Database") : catalogo);
    if (!Dialogos::modoResposta()) {
        if (const QScreen* tela = screen())
            move(tela->availableGeometry().center() - rect().center());
    }
    // The list is filled once the window is on screen, so that the progress shows.
    m_primeiroPreenchimento = true;
    QTimer::singleShot(0, this, [this] {
        if (m_primeiroPreenchimento)
            PreencheLstTabelas();
    });
}

std::unique_ptr<TMostraTabelas> TFormMostraTabelas::novaListagem() const {
    auto listagem = std::make_unique<TMostraTabelas>(
        TParametrosConexao{deQString(stringConexao), deQString(usuario), deQString(senha),
                           deQString(nomeBaseDados)},
        deQString(catalogo));
    listagem->excluidas = deQStringList(excluidas);
    listagem->checaEstrangeiras = checaEstrangeiras;
    return listagem;
}

QStringList TFormMostraTabelas::PreencheLista(const QString& tipo, const QString& esquema) {
    m_progresso->setValue(0);
    m_progresso->setVisible(true);
    relacoes.clear();
    struct Esconde {
        QProgressBar* barra;
        ~Esconde() { barra->setVisible(false); }
    } esconde{m_progresso};

    auto listagem = novaListagem();
    const TListaTextos nomes = listagem->PreencheLista(
        deQString(tipo), deQString(esquema),
        [this](const std::string& texto, std::int32_t porcentagem) {
            m_progresso->setValue(porcentagem);
            status(paraQString(texto));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    relacoes = paraQStringList(listagem->getRelacoes());
    log = paraQStringList(listagem->getLog());
    if (esquema.isEmpty()) {
        for (const std::string& nome : listagem->getEsquemas())
            m_esquemas.append(paraQString(nome));
        m_esquemas = ItensEsquema(m_esquemas);
        m_esquema->clear();
        m_esquema->addItems(m_esquemas);
        m_esquema->setCurrentIndex(static_cast<int>(m_esquemas.indexOf(QStringLiteral("All"))));
    }
    GravaLogCarga(deQString(m_diretorioInstalado), deQStringList(log));
    status(QString());
    return paraQStringList(nomes);
}

QStringList TFormMostraTabelas::ItensEsquema(const QStringList& esquemas) {
    QStringList itens{QStringLiteral("All")};
    for (const QString& nome : esquemas) {
        const bool visto = std::any_of(itens.begin(), itens.end(), [&nome](const QString& e) {
            return MesmoTextoSemCaixa(deQString(e), deQString(nome));
        });
        if (!nome.isEmpty() && !visto)
            itens.append(nome);
    }
    std::stable_sort(itens.begin(), itens.end(), [](const QString& a, const QString& b) {
        return ChaveSemCaixa(deQString(a)) < ChaveSemCaixa(deQString(b));
    });
    return itens;
}

void TFormMostraTabelas::PreencheTabelasEstrangeiras(const QString& nome) {
    auto listagem = novaListagem();
    listagem->PreencheTabelasEstrangeiras(deQString(nome));
    relacoes.append(paraQStringList(listagem->getRelacoes()));
    log.append(paraQStringList(listagem->getLog()));
}

void TFormMostraTabelas::ProcuraPais(const QString& nome, QStringList& lista) const {
    for (const QString& relacao : relacoes) {
        const QStringList partes = relacao.split(QStringLiteral("->"));
        if (partes.size() >= 2 && partes[1] == nome)
            lista.append(partes[0]);
    }
}

void TFormMostraTabelas::MarcaPais(const QString& nome, bool estado) {
    QStringList pais;
    ProcuraPais(nome, pais);
    m_programatico = true;
    for (int i = 0; i < m_lista->count(); ++i) {
        QListWidgetItem* item = m_lista->item(i);
        if (pais.contains(item->text()))
            item->setCheckState(estado ? Qt::Checked : Qt::Unchecked);
    }
    m_programatico = false;
}

void TFormMostraTabelas::PreencheLstTabelas() {
    m_primeiroPreenchimento = false;
    habilita(false);
    m_programatico = true;
    m_lista->clear();
    m_programatico = false;
    const QString tipo =
        paraQString(TMostraTabelas::TipoDaOpcao(kOpcoes[std::max(0, m_opcoes->checkedId())]));
    QStringList nomes;
    try {
        nomes = PreencheLista(tipo, m_esquema->currentText());
    } catch (const std::exception& erro) {
        // The list stays empty and the controls disabled; closing the window is left.
        Dialogos::Erro(this, paraQString(erro.what()));
        return;
    }
    m_programatico = true;
    for (const QString& nome : nomes) {
        auto* item = new QListWidgetItem(nome, m_lista);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    m_programatico = false;
    status(QStringLiteral("Number of Tables: %1").arg(m_lista->count()));
    habilita(true);
}

void TFormMostraTabelas::marcaTodos(bool estado) {
    m_programatico = true;
    for (int i = 0; i < m_lista->count(); ++i)
        m_lista->item(i)->setCheckState(estado ? Qt::Checked : Qt::Unchecked);
    m_programatico = false;
}

QStringList TFormMostraTabelas::marcadas() const {
    QStringList nomes;
    for (int i = 0; i < m_lista->count(); ++i) {
        if (m_lista->item(i)->checkState() == Qt::Checked)
            nomes.append(m_lista->item(i)->text());
    }
    return nomes;
}

void TFormMostraTabelas::itemMudou(QListWidgetItem* item) {
    if (m_programatico || !checaEstrangeiras)
        return;
    MarcaPais(item->text(), item->checkState() == Qt::Checked);
}

void TFormMostraTabelas::but_transfereClick() {
    resultado.clear();
    if (Dialogos::Pergunta(
            this, QStringLiteral("This Command May Update Tree Data. Do You Want To Continue ?"),
            QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
        resultado = marcadas();
    }
    done(resultado.isEmpty() ? QDialog::Rejected : QDialog::Accepted);
}

void TFormMostraTabelas::but_checaClick() {
    marcaTodos(marcaTodas);
    marcaTodas = !marcaTodas;
}

void TFormMostraTabelas::but_refreshClick() {
    PreencheLstTabelas();
}

void TFormMostraTabelas::but_travaClick() {
    checaEstrangeiras = !checaEstrangeiras;
    mostraTrava();
    if (checaEstrangeiras)
        PreencheLstTabelas();
}

void TFormMostraTabelas::but_viewlogClick() {
    MostraLog(this, caminhoLog());
    // Coming back from the log viewer fills the list again.
    PreencheLstTabelas();
}

void TFormMostraTabelas::but_sairClick() {
    resultado.clear();
    done(QDialog::Rejected);
}

void TFormMostraTabelas::habilita(bool sim) {
    m_grupoTipo->setEnabled(sim);
    m_barra->setEnabled(sim);
    m_painelEsquema->setEnabled(sim);
}

void TFormMostraTabelas::mostraTrava() {
    m_trava->setIcon(Cadeado(checaEstrangeiras));
    m_trava->setChecked(checaEstrangeiras);
    m_trava->setIconText(checaEstrangeiras ? QStringLiteral("Foreign: On")
                                           : QStringLiteral("Foreign: Off"));
}

void TFormMostraTabelas::status(const QString& texto) {
    if (texto.isEmpty())
        m_status->clearMessage();
    else
        m_status->showMessage(texto);
}

} // namespace fendril

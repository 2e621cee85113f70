#include "ui/PainelPrevia.h"

#include "documents/TArquivoKMF.h"
#include "documents/TDocModelos.h"
#include "generation/TProcessaGeracao.h"
#include "ui/ListaProblemas.h"
#include "ui/frame/Dialogos.h"
#include "ui/frame/Texto.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace fendril {

namespace {

// A render stops at this much output instead of filling the pane: a preview is one file.
constexpr std::size_t kLimitePrevia = std::size_t{64} << 20;

} // namespace

TPainelPrevia::TPainelPrevia(bool geral, TFonte fonte, QWidget* pai)
    : QWidget(pai), m_geral(geral), m_fonte(std::move(fonte)) {
    setObjectName(QStringLiteral("painel_previa"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 0, 0);
    auto* campos = new QFormLayout;
    campos->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);

    auto* linhaMapa = new QHBoxLayout;
    m_mapa = new QComboBox(this);
    m_mapa->setObjectName(QStringLiteral("cb_previa_mapa"));
    m_mapa->setEditable(true);
    m_mapa->setInsertPolicy(QComboBox::NoInsert);
    m_mapa->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_mapa->setMinimumContentsLength(12);
    m_mapa->setToolTip(QStringLiteral("The mapping the preview expands the template for"));
    m_escolhe = new QToolButton(this);
    m_escolhe->setObjectName(QStringLiteral("but_previa_mapa"));
    m_escolhe->setText(QStringLiteral("..."));
    linhaMapa->addWidget(m_mapa, 1);
    linhaMapa->addWidget(m_escolhe);
    campos->addRow(QStringLiteral("Mapping"), linhaMapa);

    m_tabela = new QComboBox(this);
    m_tabela->setObjectName(QStringLiteral("cb_previa_tabela"));
    m_tabela->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    campos->addRow(QStringLiteral("Table"), m_tabela);

    m_pagina = new QComboBox(this);
    m_pagina->setObjectName(QStringLiteral("cb_previa_pagina"));
    m_pagina->addItems({QStringLiteral("Table Class"), QStringLiteral("Parent Class"),
                        QStringLiteral("Make File")});
    if (geral) {
        m_pagina->hide();
    } else {
        campos->addRow(QStringLiteral("Page"), m_pagina);
    }

    m_arquivo = new QLineEdit(this);
    m_arquivo->setObjectName(QStringLiteral("edit_previa_arquivo"));
    m_arquivo->setReadOnly(true);
    campos->addRow(QStringLiteral("File Name"), m_arquivo);
    layout->addLayout(campos);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("memo_previa"));
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Each render replaces the whole text: nothing to undo.
    m_memo->setUndoRedoEnabled(false);
    layout->addWidget(m_memo, 1);

    m_temporizador = new QTimer(this);
    m_temporizador->setObjectName(QStringLiteral("tempo_previa"));
    m_temporizador->setSingleShot(true);
    m_temporizador->setInterval(kPausa);
    connect(m_temporizador, &QTimer::timeout, this, [this] {
        emit pausa();
        Atualiza();
    });

    // A mapping typed or picked is part of the template document; one shown by the document
    // is not a change.
    connect(m_mapa->lineEdit(), &QLineEdit::textEdited, this, [this] { emit mapaEscolhido(); });
    connect(m_mapa, &QComboBox::activated, this, [this] { emit mapaEscolhido(); });
    connect(m_mapa, &QComboBox::editTextChanged, this, [this] { Agenda(); });
    connect(m_escolhe, &QToolButton::clicked, this, &TPainelPrevia::EscolheMapa);
    connect(m_tabela, &QComboBox::currentIndexChanged, this, [this] { Atualiza(); });
    connect(m_pagina, &QComboBox::currentIndexChanged, this, [this] { Atualiza(); });
}

TPainelPrevia::~TPainelPrevia() = default;

QSplitter* TPainelPrevia::MontaArea(QWidget* editores, TListaProblemas* problemas,
                                    QWidget* pagina) {
    auto* divisorProblemas = new QSplitter(Qt::Vertical, pagina);
    divisorProblemas->setObjectName(QStringLiteral("divisor_problemas"));
    auto* divisorPrevia = new QSplitter(Qt::Horizontal, divisorProblemas);
    divisorPrevia->setObjectName(QStringLiteral("divisor_previa"));
    divisorPrevia->addWidget(editores);
    divisorPrevia->addWidget(this);
    divisorPrevia->setStretchFactor(0, 3);
    divisorPrevia->setStretchFactor(1, 2);
    divisorProblemas->addWidget(divisorPrevia);
    divisorProblemas->addWidget(problemas);
    divisorProblemas->setStretchFactor(0, 1);
    divisorProblemas->setSizes({400, 90});
    return divisorProblemas;
}

void TPainelPrevia::Agenda() {
    m_temporizador->start();
}

void TPainelPrevia::setPagina(TPaginaPrevia pagina) {
    m_pagina->setCurrentIndex(static_cast<int>(pagina));
}

TPaginaPrevia TPainelPrevia::pagina() const {
    return m_geral ? TPaginaPrevia::Classe : static_cast<TPaginaPrevia>(m_pagina->currentIndex());
}

void TPainelPrevia::setMapaPadrao(const QString& caminho) {
    m_mapa->lineEdit()->setPlaceholderText(caminho);
}

QString TPainelPrevia::mapa() const {
    QString caminho = m_mapa->currentText().trimmed();
    if (caminho.isEmpty())
        return m_mapa->lineEdit()->placeholderText();
    const QString modelo = m_fonte.caminho ? m_fonte.caminho() : QString();
    if (QFileInfo(caminho).isRelative() && !modelo.isEmpty())
        caminho = QFileInfo(modelo).absoluteDir().filePath(caminho);
    return caminho;
}

QString TPainelPrevia::MapaDaUltimaGeracao(const QStringList& recentes) {
    for (const QString& recente : recentes) {
        if (!recente.endsWith(QStringLiteral(".kgf"), Qt::CaseInsensitive) ||
            !QFileInfo(recente).isFile())
            continue;
        try {
            TArquivoKMF documento;
            documento.Abre(deQString(recente));
            TDocGeracao geracao;
            geracao.setArquivo(documento);
            const QString mapa = paraQString(geracao.arquivoMapeamento);
            if (mapa.isEmpty() || !QFileInfo(mapa).isRelative())
                return mapa;
            return QFileInfo(recente).absoluteDir().filePath(mapa);
        } catch (const std::exception&) {
            return {};
        }
    }
    return {};
}

void TPainelPrevia::EscolheMapa() {
    const QString caminho = Dialogos::AbreArquivo(this, QStringLiteral("Preview Mapping"),
                                                  QStringLiteral("Mapping Files (*.kmf)|*.KMF"));
    if (caminho.isEmpty())
        return;
    m_mapa->setEditText(caminho);
    emit mapaEscolhido();
}

void TPainelPrevia::CarregaMapa() {
    const QString caminho = mapa();
    const QFileInfo info(caminho);
    const QDateTime alterado = info.exists() ? info.lastModified() : QDateTime();
    const qint64 tamanho = info.exists() ? info.size() : -1;
    if (m_run && caminho == m_caminhoCarregado && alterado == m_dataCarregada &&
        tamanho == m_tamanhoCarregado)
        return;
    m_caminhoCarregado = caminho;
    m_dataCarregada = alterado;
    m_tamanhoCarregado = tamanho;
    m_run = std::make_unique<TProcessaGeracao>();
    m_run->caminhoMapeamento = deQString(caminho);
    m_run->limiteSaida = kLimitePrevia;
    if (!caminho.isEmpty()) {
        m_run->Prepara();
        ++m_carregamentos;
    }
    // The table chosen stays chosen while the new mapping has it.
    const QString escolhida = m_tabela->currentText();
    const QSignalBlocker bloqueio(m_tabela);
    m_tabela->clear();
    if (m_run->mapeamentoCarregado())
        m_tabela->addItems(paraQStringList(m_run->Tabelas()));
    const int indice = m_tabela->findText(escolhida);
    m_tabela->setCurrentIndex(indice >= 0 ? indice : 0);
}

void TPainelPrevia::Atualiza() {
    // A render asked for before the pause ends takes the pause's place.
    if (m_temporizador->isActive()) {
        m_temporizador->stop();
        emit pausa();
    }
    if (!isVisible())
        return;
    CarregaMapa();
    if (mapa().isEmpty()) {
        m_previa = {};
        m_previa.erro = "No Mapping Is Chosen For The Preview !!";
    } else {
        const std::string caminho = m_fonte.caminho ? deQString(m_fonte.caminho()) : std::string();
        try {
            m_previa = m_run->Previa(m_fonte.documento(), caminho, m_geral,
                                     deQString(m_tabela->currentText()), pagina());
        } catch (const std::exception& erro) {
            m_previa = {};
            m_previa.erro = erro.what();
        }
    }
    m_tabela->setEnabled(m_tabela->count() > 0 && (!m_previa.gerado || m_previa.porTabela));
    if (m_previa.gerado) {
        m_arquivo->setText(paraQString(m_previa.nome));
        m_memo->setPlainText(
            paraQString(m_previa.conteudo).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    } else {
        m_arquivo->clear();
        m_memo->setPlainText(paraQString(m_previa.erro));
    }
}

void TPainelPrevia::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    // What changed while it was hidden shows now.
    Agenda();
}

} // namespace fendril

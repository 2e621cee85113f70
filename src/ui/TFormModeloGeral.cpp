#include "ui/TFormModeloGeral.h"

#include "documents/TDocModelos.h"
#include "engine/TMontaCodigo.h"
#include "model/ArquivoTexto.h"
#include "model/Erros.h"
#include "ui/Dialogos.h"
#include "ui/TFormTelaPrincipal.h"
#include "ui/TTiposDocumento.h"
#include "ui/Texto.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFont>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace fendril {

namespace {

const QStringList tagsComunsGeral = {
    QStringLiteral("<tbname>"),     QStringLiteral("<frktbname>"), QStringLiteral("<parentclass>"),
    QStringLiteral("<colvartype>"), QStringLiteral("<colname>"),   QStringLiteral("<colinivar>"),
    QStringLiteral("<dbname>"),     QStringLiteral("<tbtype>"),    QStringLiteral("<tbschema>"),
    QStringLiteral("<frkcolname>"), QStringLiteral("<tbalias>"),   QStringLiteral("<colalias>")};
const QStringList tagsIterativasGeral = {
    QStringLiteral("<simplecol>"), QStringLiteral("</simplecol>"), QStringLiteral("<frkcol>"),
    QStringLiteral("</frkcol>"),   QStringLiteral("<prkcol>"),     QStringLiteral("</prkcol>"),
    QStringLiteral("<rctable>"),   QStringLiteral("</rctable>")};

QLineEdit* criaEdit(QWidget* pai, const QString& nome) {
    auto* edit = new QLineEdit(pai);
    edit->setObjectName(nome);
    return edit;
}

} // namespace

TFormModeloGeral::TFormModeloGeral(TFormTelaPrincipal& principal) : TJanelaFilha(principal) {
    setObjectName(QStringLiteral("FormModeloGeral"));
    auto* corpo = new QWidget(this);
    auto* layout = new QVBoxLayout(corpo);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pcontrol = new QTabWidget(corpo);
    m_pcontrol->setObjectName(QStringLiteral("pcontrol"));
    layout->addWidget(m_pcontrol);
    auto* paginaCodigo = new QWidget(m_pcontrol);
    paginaCodigo->setObjectName(QStringLiteral("tab_code"));
    criaPaginaCodigo(paginaCodigo);
    m_pcontrol->addTab(paginaCodigo, QStringLiteral("Code"));
    auto* paginaSettings = new QWidget(m_pcontrol);
    paginaSettings->setObjectName(QStringLiteral("tab_settings"));
    criaPaginaSettings(paginaSettings);
    m_pcontrol->addTab(paginaSettings, QStringLiteral("Settings"));
    setWidget(corpo);
    resize(640, 480);

    // FormShow: the word lists, insert mode, the "Code" page, the tool bar as the main
    // window's item says, the tag tree's pane closed.
    m_realce = new TRealceTags(m_editor, tagsComunsGeral, tagsIterativasGeral);
    m_pcontrol->setCurrentIndex(0);
    m_cbCode->setVisible(!principal.ItemMarcado(QStringLiteral("HideCodeToolBar2")));
    m_arvore->hide();
    m_divisor->setSizes({0, 1});
    m_divisor->setHandleWidth(0);
}

void TFormModeloGeral::criaPaginaCodigo(QWidget* pagina) {
    auto* layout = new QVBoxLayout(pagina);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_cbCode = new QToolBar(pagina);
    m_cbCode->setObjectName(QStringLiteral("cb_code"));
    auto botao = [this](const QString& texto, const QString& nome,
                        void (TFormModeloGeral::*metodo)()) {
        QAction* acao = m_cbCode->addAction(texto, this, metodo);
        acao->setObjectName(nome);
        acao->setToolTip(texto);
        return acao;
    };
    botao(QStringLiteral("Open Text File"), QStringLiteral("but_abrir"),
          &TFormModeloGeral::but_abrirClick);
    botao(QStringLiteral("Save To File"), QStringLiteral("but_salvar"),
          &TFormModeloGeral::but_salvarClick);
    botao(QStringLiteral("Print"), QStringLiteral("but_print"), &TFormModeloGeral::but_printClick);
    m_cbCode->addSeparator();
    botao(QStringLiteral("Cut"), QStringLiteral("but_cortar"), &TFormModeloGeral::but_cortarClick);
    botao(QStringLiteral("Copy"), QStringLiteral("but_copiar"), &TFormModeloGeral::but_copiarClick);
    botao(QStringLiteral("Paste"), QStringLiteral("but_colar"), &TFormModeloGeral::but_colarClick);
    botao(QStringLiteral("Undo"), QStringLiteral("but_undo"), &TFormModeloGeral::but_undoClick);
    botao(QStringLiteral("Select All"), QStringLiteral("but_marcartudo"),
          &TFormModeloGeral::but_marcartudoClick);
    m_cbCode->addSeparator();
    botao(QStringLiteral("Check Iterative Tags Coerence"), QStringLiteral("but_cruzados"),
          &TFormModeloGeral::but_cruzadosClick);
    m_cbCode->addSeparator();
    botao(QStringLiteral("Refresh"), QStringLiteral("but_refresh"),
          &TFormModeloGeral::but_refreshClick);
    QAction* tags = botao(QStringLiteral("<>"), QStringLiteral("but_mostratags"),
                          &TFormModeloGeral::but_mostratagsClick);
    tags->setToolTip(QStringLiteral("Show Tags"));
    QFont negrito = tags->font();
    negrito.setBold(true);
    tags->setFont(negrito);
    // Highlighting starts off; this switch turns it on (followed by a Refresh) and off.
    m_acaoRealce = m_cbCode->addAction(QStringLiteral("Highlight Tags"));
    m_acaoRealce->setObjectName(QStringLiteral("but_realce"));
    m_acaoRealce->setCheckable(true);
    connect(m_acaoRealce, &QAction::toggled, this, [this](bool ligado) {
        m_realce->setAtivo(ligado);
        // Switched on, the text is checked at once, as Refresh does.
        if (ligado)
            but_refreshClick();
    });
    layout->addWidget(m_cbCode);

    m_divisor = new QSplitter(Qt::Horizontal, pagina);
    m_divisor->setObjectName(QStringLiteral("divisor"));
    m_arvore = new QTreeWidget(m_divisor);
    m_arvore->setObjectName(QStringLiteral("arvore"));
    m_arvore->setIndentation(12);
    PreencheArvoreTags(m_arvore);
    connect(m_arvore, &QTreeWidget::itemDoubleClicked, this, [this] { arvoreDblClick(); });
    m_editor = new QPlainTextEdit(m_divisor);
    m_editor->setObjectName(QStringLiteral("re_classeobjeto"));
    m_editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_editor->setContextMenuPolicy(Qt::NoContextMenu);
    m_editor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_editor->installEventFilter(this);
    m_divisor->addWidget(m_arvore);
    m_divisor->addWidget(m_editor);
    m_divisor->setStretchFactor(1, 1);
    layout->addWidget(m_divisor, 1);

    m_barra = new QStatusBar(pagina);
    m_barra->setObjectName(QStringLiteral("bar_objeto"));
    m_barra->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        m_paineis[i] = new QLabel(m_barra);
        m_paineis[i]->setObjectName(QStringLiteral("bar_objeto_painel%1").arg(i));
        m_paineis[i]->setMinimumWidth(80);
        m_barra->addWidget(m_paineis[i], i == 2 ? 1 : 0);
    }
    m_paineis[0]->setText(TIndicadorInsercao::texto(true));
    layout->addWidget(m_barra);
}

void TFormModeloGeral::criaPaginaSettings(QWidget* pagina) {
    auto* layout = new QVBoxLayout(pagina);
    auto* linhaTipos = new QHBoxLayout;
    linhaTipos->addWidget(new QLabel(QStringLiteral("Types File"), pagina));
    m_typesFile = criaEdit(pagina, QStringLiteral("edit_typesfile"));
    m_typesFile->installEventFilter(this);
    linhaTipos->addWidget(m_typesFile, 1);
    auto* reticencias = new QToolButton(pagina);
    reticencias->setObjectName(QStringLiteral("OvcAttachedButton1"));
    reticencias->setText(QStringLiteral("..."));
    connect(reticencias, &QToolButton::clicked, this, &TFormModeloGeral::OvcAttachedButton1Click);
    linhaTipos->addWidget(reticencias);
    layout->addLayout(linhaTipos);

    auto* nomes = new QGroupBox(QStringLiteral("File Names"), pagina);
    auto* grade = new QGridLayout(nomes);
    auto* grupoModo = new QGroupBox(QStringLiteral("Generate..."), nomes);
    grupoModo->setObjectName(QStringLiteral("rg_file"));
    auto* layoutModo = new QVBoxLayout(grupoModo);
    m_rgFile = new QButtonGroup(this);
    const QStringList modos = {QStringLiteral("One File Per Table"),
                               QStringLiteral("One File Per Group Of Tables")};
    for (int i = 0; i < modos.size(); ++i) {
        auto* radio = new QRadioButton(modos[i], grupoModo);
        radio->setObjectName(QStringLiteral("rg_file_%1").arg(i));
        m_rgFile->addButton(radio, i);
        layoutModo->addWidget(radio);
    }
    m_rgFile->button(0)->setChecked(true);
    connect(m_rgFile, &QButtonGroup::idToggled, this, [this](int, bool marcado) {
        if (marcado)
            rg_fileClick();
    });
    grade->addWidget(grupoModo, 0, 0, 1, 4);

    m_rotuloPrefix = new QLabel(QStringLiteral("Prefix"), nomes);
    m_tablePrefix = criaEdit(nomes, QStringLiteral("edit_tableprefix"));
    m_rotuloSufix = new QLabel(QStringLiteral("Sufix"), nomes);
    m_tableSufix = criaEdit(nomes, QStringLiteral("edit_tablesufix"));
    m_cbFname = new QCheckBox(QStringLiteral("<tbalias>"), nomes);
    m_cbFname->setObjectName(QStringLiteral("cb_fname"));
    m_rotuloName = new QLabel(QStringLiteral("Name"), nomes);
    m_makePrefix = criaEdit(nomes, QStringLiteral("edit_makeprefix"));
    m_makeExtension = criaEdit(nomes, QStringLiteral("edit_makeextension"));
    m_makeFname = criaEdit(nomes, QStringLiteral("edit_makefname"));
    m_makeFname->setReadOnly(true);
    m_parentClass = criaEdit(nomes, QStringLiteral("edit_parparentclass"));
    grade->addWidget(m_rotuloPrefix, 1, 0);
    grade->addWidget(m_tablePrefix, 1, 1);
    grade->addWidget(m_rotuloSufix, 1, 2);
    grade->addWidget(m_tableSufix, 1, 3);
    grade->addWidget(m_cbFname, 2, 1);
    grade->addWidget(m_rotuloName, 3, 0);
    grade->addWidget(m_makePrefix, 3, 1);
    grade->addWidget(new QLabel(QStringLiteral("Extension"), nomes), 3, 2);
    grade->addWidget(m_makeExtension, 3, 3);
    grade->addWidget(new QLabel(QStringLiteral("File Name"), nomes), 4, 0);
    grade->addWidget(m_makeFname, 4, 1, 1, 3);
    grade->addWidget(new QLabel(QStringLiteral("<parentclass>"), nomes), 5, 0);
    grade->addWidget(m_parentClass, 5, 1, 1, 3);
    layout->addWidget(nomes);
    layout->addStretch(1);

    for (QLineEdit* edit :
         {m_tablePrefix, m_tableSufix, m_makePrefix, m_makeExtension, m_parentClass})
        edit->installEventFilter(this);
    connect(m_cbFname, &QCheckBox::clicked, this, [this] {
        m_makeFname->setText(previewPorTabela());
        MarcaModificado();
    });
    AplicaModo();
}

QString TFormModeloGeral::previewPorTabela() const {
    const QString tag =
        m_cbFname->isChecked() ? QStringLiteral("<tbalias>") : QStringLiteral("<tbname>");
    return m_tablePrefix->text() + tag + m_tableSufix->text() + QLatin1Char('.') +
           m_makeExtension->text();
}

void TFormModeloGeral::PreencheExtensao() {
    if (m_rgFile->checkedId() == 0)
        m_makeFname->setText(previewPorTabela());
    else
        m_makeFname->setText(m_makePrefix->text() + QLatin1Char('.') + m_makeExtension->text());
    MarcaModificado();
}

void TFormModeloGeral::AplicaModo() {
    const bool porTabela = m_rgFile->checkedId() == 0;
    for (QWidget* controle : std::initializer_list<QWidget*>{
             m_tablePrefix, m_tableSufix, m_rotuloPrefix, m_rotuloSufix, m_cbFname})
        controle->setEnabled(porTabela);
    m_makePrefix->setEnabled(!porTabela);
    m_rotuloName->setEnabled(!porTabela);
}

void TFormModeloGeral::rg_fileClick() {
    MarcaModificado();
    for (QLineEdit* edit :
         {m_makePrefix, m_tablePrefix, m_tableSufix, m_makeExtension, m_makeFname})
        edit->clear();
    AplicaModo();
}

// ------------------------------------------------------------------ document

TArquivoKMF TFormModeloGeral::getArquivo() const {
    TDocModeloGeral doc;
    doc.arquivoTipos = deQString(m_typesFile->text());
    doc.classeObjeto = textoEditorParaDocumento(m_editor->toPlainText());
    doc.makePrefix = deQString(m_makePrefix->text());
    doc.tablePrefix = deQString(m_tablePrefix->text());
    doc.tableSufix = deQString(m_tableSufix->text());
    doc.makeExtension = deQString(m_makeExtension->text());
    doc.arquivoUnico = m_rgFile->checkedId();
    doc.parentClass = deQString(m_parentClass->text());
    doc.nomePorAlias = m_cbFname->isChecked();
    return doc.getArquivo();
}

void TFormModeloGeral::setArquivo(const TArquivoKMF& documento) {
    TDocModeloGeral doc;
    doc.setArquivo(documento);
    const int modo = doc.arquivoUnico == 1 ? 1 : 0;
    m_rgFile->button(modo)->setChecked(true);
    m_typesFile->setText(paraQString(doc.arquivoTipos));
    m_editor->setPlainText(textoDocumentoParaEditor(doc.classeObjeto));
    m_makePrefix->setText(paraQString(doc.makePrefix));
    m_tablePrefix->setText(paraQString(doc.tablePrefix));
    m_tableSufix->setText(paraQString(doc.tableSufix));
    m_makeExtension->setText(paraQString(doc.makeExtension));
    m_parentClass->setText(paraQString(doc.parentClass));
    m_cbFname->setChecked(doc.nomePorAlias);
    PreencheExtensao();
}

// ------------------------------------------------------------------ commands

bool TFormModeloGeral::ExecutaComando(const QString& comando) {
    using M = void (TFormModeloGeral::*)();
    static const std::pair<const char*, M> comandos[] = {
        {"but_abrirClick", &TFormModeloGeral::but_abrirClick},
        {"but_salvarClick", &TFormModeloGeral::but_salvarClick},
        {"but_printClick", &TFormModeloGeral::but_printClick},
        {"but_cortarClick", &TFormModeloGeral::but_cortarClick},
        {"but_copiarClick", &TFormModeloGeral::but_copiarClick},
        {"but_colarClick", &TFormModeloGeral::but_colarClick},
        {"but_undoClick", &TFormModeloGeral::but_undoClick},
        {"but_marcartudoClick", &TFormModeloGeral::but_marcartudoClick},
        {"but_mostratagsClick", &TFormModeloGeral::but_mostratagsClick},
        {"but_cruzadosClick", &TFormModeloGeral::but_cruzadosClick},
        {"but_refreshClick", &TFormModeloGeral::but_refreshClick},
    };
    for (const auto& [nome, metodo] : comandos) {
        if (comando == QLatin1String(nome)) {
            m_pcontrol->setCurrentIndex(0);
            (this->*metodo)();
            return true;
        }
    }
    return false;
}

void TFormModeloGeral::AlternaBarra(const QString& item) {
    if (item == QStringLiteral("HideCodeToolBar2"))
        m_cbCode->setVisible(m_cbCode->isHidden());
}

void TFormModeloGeral::but_abrirClick() {
    const QString caminho =
        Dialogos::AbreArquivo(this, QStringLiteral("Open Text File"), QString());
    if (caminho.isEmpty())
        return;
    try {
        QStringList linhas;
        for (const std::string& linha : LeLinhasTexto(deQString(caminho)))
            linhas.append(paraQString(linha));
        m_editor->setPlainText(linhas.join(QLatin1Char('\n')));
    } catch (const std::exception& erro) {
        Dialogos::Mensagem(this, paraQString(erro.what()));
    }
}

void TFormModeloGeral::but_salvarClick() {
    const QString caminho = Dialogos::SalvaArquivo(this, QStringLiteral("Save To File"), QString());
    if (caminho.isEmpty())
        return;
    try {
        TListaTextos linhas;
        for (const QString& linha : m_editor->toPlainText().split(QLatin1Char('\n')))
            linhas.push_back(deQString(linha));
        GravaLinhasTexto(deQString(caminho), linhas);
    } catch (const std::exception& erro) {
        Dialogos::Mensagem(this, paraQString(erro.what()));
    }
}

void TFormModeloGeral::but_printClick() {
    QPrinter impressora;
    impressora.setDocName(windowTitle());
    if (!Dialogos::Imprime(this, impressora))
        return;
    m_editor->print(&impressora);
}

void TFormModeloGeral::but_cortarClick() {
    m_editor->cut();
}
void TFormModeloGeral::but_copiarClick() {
    m_editor->copy();
}
void TFormModeloGeral::but_colarClick() {
    m_editor->paste();
}
void TFormModeloGeral::but_undoClick() {
    if (m_editor->document()->isUndoAvailable())
        m_editor->undo();
}
void TFormModeloGeral::but_marcartudoClick() {
    m_editor->selectAll();
}

void TFormModeloGeral::but_cruzadosClick() {
    try {
        TMontaCodigo::VerificaTags(textoEditorParaDocumento(m_editor->toPlainText()));
        Dialogos::Mensagem(this, QStringLiteral("No Crossed Tags Present !!"));
    } catch (const EErroGeral& erro) {
        Dialogos::Mensagem(this, paraQString(erro.textoErro()));
    } catch (const std::exception& erro) {
        Dialogos::Mensagem(this, paraQString(erro.what()));
    }
}

void TFormModeloGeral::but_refreshClick() {
    // The text stays as it is while the scan lets other events through.
    const bool soLeitura = m_editor->isReadOnly();
    m_editor->setReadOnly(true);
    const QPointer<QLabel> painel = m_paineis[2];
    try {
        m_realce->Atualiza([painel](int posicao, int total) {
            if (painel)
                painel->setText(QStringLiteral("Analysing Position %1/%2").arg(posicao).arg(total));
            QApplication::processEvents();
        });
    } catch (...) {
        m_editor->setReadOnly(soLeitura);
        m_paineis[2]->clear();
        m_editor->setFocus();
        throw;
    }
    m_editor->setReadOnly(soLeitura);
    m_paineis[2]->clear();
    m_editor->setFocus();
}

void TFormModeloGeral::but_mostratagsClick() {
    const bool mostrar = m_arvore->isHidden();
    m_arvore->setVisible(mostrar);
    if (mostrar) {
        m_arvore->expandAll();
        const int largura = m_divisor->width();
        const int pane = static_cast<int>(0.2 * largura);
        m_divisor->setSizes({pane, largura - pane});
        m_divisor->setHandleWidth(2);
    } else {
        m_divisor->setSizes({0, m_divisor->width()});
        m_divisor->setHandleWidth(0);
    }
}

void TFormModeloGeral::OvcAttachedButton1Click() {
    const QString caminho = Dialogos::AbreArquivo(this, QStringLiteral("Types File"), QString());
    if (!caminho.isEmpty())
        m_typesFile->setText(caminho);
}

void TFormModeloGeral::InsereString(const QString& texto, bool bloco) {
    InsereTexto(m_editor, texto, bloco);
    MarcaModificado();
    m_realce->palavraAtual(m_editor->textCursor().position());
}

void TFormModeloGeral::arvoreDblClick() {
    InsereTagDaArvore(m_arvore->currentItem(),
                      [this](const QString& texto, bool bloco) { InsereString(texto, bloco); });
    m_editor->setFocus();
}

QString TFormModeloGeral::textoPainel(int painel) const {
    return m_paineis[painel]->text();
}

// ------------------------------------------------------------------ key and mouse events

void TFormModeloGeral::re_classeobjetoKeyUp(int tecla, Qt::KeyboardModifiers estado) {
    const Qt::KeyboardModifiers semTeclado = estado & ~Qt::KeypadModifier;
    const int cursor = m_editor->textCursor().position();
    if (semTeclado != Qt::ControlModifier && semTeclado != Qt::ShiftModifier && cursor != 0)
        m_realce->palavraAtual(cursor - 1);
    if (tecla == Qt::Key_Insert)
        m_indicador.AlternaModo(m_editor, m_paineis[0]);
    const bool soCtrlOuAlt = semTeclado == Qt::ControlModifier || semTeclado == Qt::AltModifier;
    const bool teclaDeEstado =
        tecla == Qt::Key_Shift || tecla == Qt::Key_Control || tecla == Qt::Key_Alt;
    if (!soCtrlOuAlt && !teclaDeEstado)
        MarcaModificado();
}

bool TFormModeloGeral::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyRelease) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        {
            if (objeto == m_editor)
                re_classeobjetoKeyUp(tecla->key(), tecla->modifiers());
            else if (objeto == m_tablePrefix || objeto == m_tableSufix) {
                m_makeFname->setText(previewPorTabela());
                MarcaModificado();
            } else if (objeto == m_makePrefix) {
                m_makeFname->setText(m_makePrefix->text() + QLatin1Char('.') +
                                     m_makeExtension->text());
            } else if (objeto == m_makeExtension) {
                PreencheExtensao();
            } else if (objeto == m_parentClass) {
                MarcaModificado();
            }
        }
    } else if (evento->type() == QEvent::MouseButtonPress && objeto == m_typesFile) {
        MarcaModificado();
    }
    return TJanelaFilha::eventFilter(objeto, evento);
}

void RegistraModeloGeral() {
    RegistraFabrica(QStringLiteral("tpg"), [](TFormTelaPrincipal& principal) -> TJanelaFilha* {
        return new TFormModeloGeral(principal);
    });
}

} // namespace fendril

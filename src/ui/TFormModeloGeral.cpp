#include "ui/TFormModeloGeral.h"

#include "documents/TDocModelos.h"
#include "engine/TMontaCodigo.h"
#include "model/Erros.h"
#include "ui/ListaProblemas.h"
#include "ui/PainelPrevia.h"
#include "ui/frame/CamposJanela.h"
#include "ui/frame/CamposNomeacao.h"
#include "ui/frame/Dialogos.h"
#include "ui/frame/TFormTelaPrincipal.h"
#include "ui/frame/TTiposDocumento.h"
#include "ui/frame/Texto.h"

#include <QAction>
#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
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

    // FormShow: the "Code" page, the tool bar as the main window's item says, the tag
    // tree's pane closed.
    m_pcontrol->setCurrentIndex(0);
    m_cbCode->setVisible(!principal.ItemMarcado(QStringLiteral("HideCodeToolBar2")));
    m_arvore->hide();
    m_divisor->setSizes({0, 1});
    m_divisor->setHandleWidth(0);
    m_previa->setMapaPadrao(TPainelPrevia::MapaDaUltimaGeracao(principal.recentes()));
    m_previa->setVisible(!principal.ItemMarcado(QStringLiteral("HidePreview2")));
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
    };
    AdicionaComandosEditor(m_cbCode, this,
                           {QStringLiteral("but_abrir"), QStringLiteral("but_salvar"),
                            QStringLiteral("but_print"), QStringLiteral("but_cortar"),
                            QStringLiteral("but_copiar"), QStringLiteral("but_colar"),
                            QStringLiteral("but_undo"), QStringLiteral("but_marcartudo")},
                           [this](TComandoEditor comando) { comandoEditor(comando); });
    m_cbCode->addSeparator();
    botao(QStringLiteral("Check Iterative Tags Coerence"), QStringLiteral("but_cruzados"),
          &TFormModeloGeral::but_cruzadosClick);
    m_cbCode->addSeparator();
    botao(QStringLiteral("Refresh"), QStringLiteral("but_refresh"),
          &TFormModeloGeral::but_refreshClick);
    AdicionaMostraTags(m_cbCode, this, QStringLiteral("but_mostratags"),
                       [this] { but_mostratagsClick(); });
    // Highlighting starts off; this switch turns it on (followed by a Refresh) and off.
    m_acaoRealce = CriaAcaoRealce(this);
    m_cbCode->addAction(m_acaoRealce);
    connect(m_acaoRealce, &QAction::toggled, this, [this](bool ligado) {
        m_codigo.realce->setAtivo(ligado);
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
    // The editor fills the splitter beside the tree; its status bar runs under both.
    m_codigo.Cria(m_divisor, pagina, QStringLiteral("re_classeobjeto"),
                  QStringLiteral("bar_objeto"), this, tagsComunsGeral + TagsComunsLinguagem(),
                  tagsIterativasGeral + TagsIterativasLinguagem());
    // A change of the text by the person marks the document; filling it from a document
    // does not.
    connect(m_codigo.realce, &TRealceTags::textoEditado, this, [this] {
        if (!m_preenchendo)
            MarcaModificado();
    });
    CriaMenuEditor(
        this, [this](TComandoEditor comando) { comandoEditor(comando); },
        [this] { but_refreshClick(); }, [this] { but_mostratagsClick(); }, m_acaoRealce,
        {m_codigo.editor});
    m_divisor->addWidget(m_arvore);
    m_divisor->addWidget(m_codigo.editor);
    m_divisor->setStretchFactor(1, 1);

    // The preview beside the editor, the problems list under both. The document is the one
    // saving builds (a general template has no author to require).
    m_previa = new TPainelPrevia(
        true, {[this] { return getArquivo(); }, [this] { return gettNomeArq(); }});
    m_previa->memo()->setFont(m_codigo.editor->font());
    m_problemas = new TListaProblemas;
    layout->addWidget(m_previa->MontaArea(m_divisor, m_problemas, pagina), 1);
    layout->addWidget(m_codigo.barra);
    connect(m_previa, &TPainelPrevia::mapaEscolhido, this, [this] { MarcaModificado(); });
    // One file per table puts the text in a table block, as the run does; one file for all
    // does not.
    connect(m_previa, &TPainelPrevia::pausa, this,
            [this] { m_problemas->Diagnostica(m_codigo.editor, m_rgFile->checkedId() == 0); });
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
    m_cbFname = new TCaixaNomeArquivo(QStringLiteral("<tbalias>"), nomes);
    m_cbFname->setObjectName(QStringLiteral("cb_fname"));
    m_rotuloNameForm = new QLabel(QStringLiteral("Name Form"), nomes);
    m_nameForm = CriaFormaNome(nomes);
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
    grade->addWidget(m_rotuloNameForm, 2, 2);
    grade->addWidget(m_nameForm, 2, 3);
    grade->addWidget(m_rotuloName, 3, 0);
    grade->addWidget(m_makePrefix, 3, 1);
    grade->addWidget(new QLabel(QStringLiteral("Extension"), nomes), 3, 2);
    grade->addWidget(m_makeExtension, 3, 3);
    grade->addWidget(new QLabel(QStringLiteral("File Name"), nomes), 4, 0);
    grade->addWidget(m_makeFname, 4, 1, 1, 3);
    grade->addWidget(new QLabel(QStringLiteral("<parentclass>"), nomes), 5, 0);
    grade->addWidget(m_parentClass, 5, 1, 1, 3);
    layout->addWidget(nomes);

    layout->addWidget(CriaPalavrasReservadas(pagina, m_reservedWords), 1);
    connect(m_reservedWords, &QPlainTextEdit::textChanged, this, [this] { MarcaModificado(); });

    for (QLineEdit* edit :
         {m_tablePrefix, m_tableSufix, m_nameForm, m_makePrefix, m_makeExtension, m_parentClass})
        edit->installEventFilter(this);
    connect(m_cbFname, &QCheckBox::clicked, this, [this] {
        m_makeFname->setText(previewPorTabela());
        MarcaModificado();
    });
    AplicaModo();
}

QString TFormModeloGeral::previewPorTabela() const {
    const QString tag =
        paraQString(TagNomeArquivo(m_cbFname->valor(), deQString(m_nameForm->text())));
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
    for (QWidget* controle :
         std::initializer_list<QWidget*>{m_tablePrefix, m_tableSufix, m_rotuloPrefix, m_rotuloSufix,
                                         m_cbFname, m_nameForm, m_rotuloNameForm})
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
    LeCamposJanela(*this, kCamposModeloGeral, doc);
    doc.arquivoUnico = m_rgFile->checkedId();
    return doc.getArquivo();
}

void TFormModeloGeral::setArquivo(const TArquivoKMF& documento) {
    TDocModeloGeral doc;
    doc.setArquivo(documento);
    m_preenchendo = true;
    struct Fim {
        bool& preenchendo;
        ~Fim() { preenchendo = false; }
    } fim{m_preenchendo};
    // The file mode first: choosing it empties the naming fields the document then fills.
    m_rgFile->button(doc.arquivoUnico == 1 ? 1 : 0)->setChecked(true);
    MostraCamposJanela(*this, kCamposModeloGeral, doc);
    PreencheExtensao();
    m_previa->Agenda();
}

void TFormModeloGeral::DocumentoEditado() {
    m_previa->Agenda();
}

// ------------------------------------------------------------------ commands

bool TFormModeloGeral::ExecutaComando(TComando comando) {
    void (TFormModeloGeral::*metodo)() = nullptr;
    switch (comando) {
    case TComando::AbreTexto:
        metodo = &TFormModeloGeral::but_abrirClick;
        break;
    case TComando::SalvaTexto:
        metodo = &TFormModeloGeral::but_salvarClick;
        break;
    case TComando::Imprime:
        metodo = &TFormModeloGeral::but_printClick;
        break;
    case TComando::Corta:
        metodo = &TFormModeloGeral::but_cortarClick;
        break;
    case TComando::Copia:
        metodo = &TFormModeloGeral::but_copiarClick;
        break;
    case TComando::Cola:
        metodo = &TFormModeloGeral::but_colarClick;
        break;
    case TComando::Desfaz:
        metodo = &TFormModeloGeral::but_undoClick;
        break;
    case TComando::MarcaTudo:
        metodo = &TFormModeloGeral::but_marcartudoClick;
        break;
    case TComando::MostraTags:
        metodo = &TFormModeloGeral::but_mostratagsClick;
        break;
    case TComando::VerificaTags:
        metodo = &TFormModeloGeral::but_cruzadosClick;
        break;
    default:
        return false;
    }
    // Every command works on the Code page.
    m_pcontrol->setCurrentIndex(0);
    (this->*metodo)();
    return true;
}

void TFormModeloGeral::AlternaBarra(const QString& item) {
    if (item == QStringLiteral("HideCodeToolBar2"))
        m_cbCode->setVisible(m_cbCode->isHidden());
    else if (item == QStringLiteral("HidePreview2"))
        m_previa->setVisible(m_previa->isHidden());
}

// The editor commands; those that change the text mark the document through the
// highlighter's signal. An error of the printer is shown.
void TFormModeloGeral::comandoEditor(TComandoEditor comando) {
    try {
        ExecutaComandoEditor(this, m_codigo.editor, comando);
    } catch (const std::exception& erro) {
        Dialogos::Erro(this, paraQString(erro.what()));
    }
}

void TFormModeloGeral::but_abrirClick() {
    comandoEditor(TComandoEditor::Abrir);
}
void TFormModeloGeral::but_salvarClick() {
    comandoEditor(TComandoEditor::Salvar);
}
void TFormModeloGeral::but_printClick() {
    comandoEditor(TComandoEditor::Imprimir);
}
void TFormModeloGeral::but_cortarClick() {
    comandoEditor(TComandoEditor::Cortar);
}
void TFormModeloGeral::but_copiarClick() {
    comandoEditor(TComandoEditor::Copiar);
}
void TFormModeloGeral::but_colarClick() {
    comandoEditor(TComandoEditor::Colar);
}
void TFormModeloGeral::but_undoClick() {
    comandoEditor(TComandoEditor::Desfazer);
}
void TFormModeloGeral::but_marcartudoClick() {
    comandoEditor(TComandoEditor::MarcarTudo);
}

void TFormModeloGeral::but_cruzadosClick() {
    try {
        TMontaCodigo::VerificaTags(textoEditorParaDocumento(m_codigo.editor->toPlainText()));
        Dialogos::Mensagem(this, QStringLiteral("No Crossed Tags Present !!"));
    } catch (const EErroGeral& erro) {
        Dialogos::Erro(this, paraQString(erro.textoErro()));
    } catch (const std::exception& erro) {
        Dialogos::Erro(this, paraQString(erro.what()));
    }
}

void TFormModeloGeral::but_refreshClick() {
    // However the scan ends, the editor gets the focus back.
    struct Foco {
        QPlainTextEdit* editor;
        ~Foco() { editor->setFocus(); }
    } foco{m_codigo.editor};
    AtualizaRealce(m_codigo.editor, m_codigo.realce, m_codigo.paineis[2]);
}

void TFormModeloGeral::but_mostratagsClick() {
    AlternaArvoreTags(m_arvore, m_divisor);
}

void TFormModeloGeral::OvcAttachedButton1Click() {
    const QString caminho = Dialogos::AbreArquivo(this, QStringLiteral("Types File"), QString());
    if (!caminho.isEmpty())
        m_typesFile->setText(caminho);
}

void TFormModeloGeral::InsereString(const QString& texto, bool bloco) {
    InsereTexto(m_codigo.editor, texto, bloco);
    MarcaModificado();
    m_codigo.realce->palavraAtual(m_codigo.editor->textCursor().position());
}

void TFormModeloGeral::arvoreDblClick() {
    InsereTagDaArvore(m_arvore->currentItem(),
                      [this](const QString& texto, bool bloco) { InsereString(texto, bloco); });
    m_codigo.editor->setFocus();
}

QString TFormModeloGeral::textoPainel(int painel) const {
    return m_codigo.paineis[painel]->text();
}

// ------------------------------------------------------------------ key and mouse events

void TFormModeloGeral::re_classeobjetoKeyUp(int tecla, Qt::KeyboardModifiers estado) {
    VerificaTeclaSolta(m_codigo.editor, m_codigo.realce, estado);
    // The editor types as the window's indicator says.
    if (tecla == Qt::Key_Insert)
        m_indicador.AlternaModo(m_codigo.editor, m_codigo.paineis[0]);
}

bool TFormModeloGeral::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyRelease) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        {
            if (objeto == m_codigo.editor)
                re_classeobjetoKeyUp(tecla->key(), tecla->modifiers());
            else if (objeto == m_tablePrefix || objeto == m_tableSufix || objeto == m_nameForm) {
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

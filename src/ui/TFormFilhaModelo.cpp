#include "ui/TFormFilhaModelo.h"

#include "documents/TDocModelos.h"
#include "model/ArquivoTexto.h"
#include "model/Erros.h"
#include "model/Textos.h"
#include "schema/windows/TFormCarregaTipos.h"
#include "ui/ListaProblemas.h"
#include "ui/PainelPrevia.h"
#include "ui/frame/CamposJanela.h"
#include "ui/frame/CamposNomeacao.h"
#include "ui/frame/Datas.h"
#include "ui/frame/Dialogos.h"
#include "ui/frame/PaginaDescricao.h"
#include "ui/frame/TFormTelaPrincipal.h"
#include "ui/frame/TTiposDocumento.h"
#include "ui/frame/Texto.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace fendril {

namespace {

const QStringList tagsComunsTabela = {
    QStringLiteral("<tbname>"),         QStringLiteral("<frktbname>"),
    QStringLiteral("<parentclass>"),    QStringLiteral("<colvartype>"),
    QStringLiteral("<colname>"),        QStringLiteral("<colinivar>"),
    QStringLiteral("<dbname>"),         QStringLiteral("<tbtype>"),
    QStringLiteral("<tbschema>"),       QStringLiteral("<frkcolname>"),
    QStringLiteral("<tbalias>"),        QStringLiteral("<colalias>"),
    QStringLiteral("<simplecolcount>"), QStringLiteral("<frkcolcount>"),
    QStringLiteral("<prkcolcount>"),    QStringLiteral("<colcount>"),
    QStringLiteral("<tbcount>"),        QStringLiteral("<colindex>"),
    QStringLiteral("<colprvtype>"),     QStringLiteral("<collength>"),
    QStringLiteral("<colprecision>"),   QStringLiteral("<colscale>"),
    QStringLiteral("<tbindex>"),        QStringLiteral("<coldatecount>")};
const QStringList tagsIterativasTabela = {
    QStringLiteral("<simplecol>"),   QStringLiteral("</simplecol>"),
    QStringLiteral("<frkcol>"),      QStringLiteral("</frkcol>"),
    QStringLiteral("<prkcol>"),      QStringLiteral("</prkcol>"),
    QStringLiteral("<rctable>"),     QStringLiteral("</rctable>"),
    QStringLiteral("<coldatetype>"), QStringLiteral("</coldatetype>")};

// The indexes of the inner tabs; the three editors come first, in this order.
enum { GuiaTabela = 0, GuiaPai = 1, GuiaMake = 2, GuiaNomes = 3 };
// The outer pages.
enum { PaginaDescricao = 0, PaginaCodigo = 1, PaginaTipos = 2 };

const QString tagAlias = QStringLiteral("<tbalias>");

QLineEdit* criaEdit(QWidget* pai, const QString& nome) {
    auto* edit = new QLineEdit(pai);
    edit->setObjectName(nome);
    return edit;
}

QAction* criaAcao(QWidget* dono, const QString& texto, const QString& nome) {
    auto* acao = new QAction(texto, dono);
    acao->setObjectName(nome);
    acao->setToolTip(texto.trimmed());
    return acao;
}

// A group of the "File Names" page: its fields two to a row, each after its label (an
// empty label leaves the place empty), then "File Name" and the preview across the row.
// The groups line their labels and edits up in the same columns.
void dispoeGrupoNomes(QGroupBox* grupo, std::initializer_list<std::pair<QString, QWidget*>> campos,
                      QLineEdit* previa) {
    auto* grade = new QGridLayout(grupo);
    int i = 0;
    for (const auto& [rotulo, campo] : campos) {
        const int linha = i / 2;
        const int coluna = (i % 2) * 2;
        if (!rotulo.isEmpty())
            grade->addWidget(new QLabel(rotulo, grupo), linha, coluna);
        grade->addWidget(campo, linha, coluna + 1);
        ++i;
    }
    const int ultima = (i + 1) / 2;
    grade->addWidget(new QLabel(QStringLiteral("File Name"), grupo), ultima, 0);
    grade->addWidget(previa, ultima, 1, 1, 3);
    grade->setColumnMinimumWidth(0, 80);
    grade->setColumnMinimumWidth(2, 100);
    grade->setColumnStretch(1, 1);
    grade->setColumnStretch(3, 1);
}

// The cell editor of the types table hands every change to its cell at once, so a cell
// being typed in is part of the document (saved, and marking it modified) before the
// editor closes.
class TDelegadoTipos : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* pai, const QStyleOptionViewItem& opcao,
                          const QModelIndex& indice) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(pai, opcao, indice);
        if (auto* linha = qobject_cast<QLineEdit*>(editor))
            connect(linha, &QLineEdit::textEdited, this, &TDelegadoTipos::entregaTexto);
        return editor;
    }

private:
    // The editor that sent the change hands its text to the cell.
    void entregaTexto() {
        if (auto* editor = qobject_cast<QWidget*>(sender()))
            emit commitData(editor);
    }
};

} // namespace

TFormFilhaModelo::TFormFilhaModelo(TFormTelaPrincipal& principal) : TJanelaFilha(principal) {
    setObjectName(QStringLiteral("FormFilhaModelo"));
    auto* corpo = new QWidget(this);
    auto* layout = new QVBoxLayout(corpo);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pcontrolprincipal = new QTabWidget(corpo);
    m_pcontrolprincipal->setObjectName(QStringLiteral("pcontrolprincipal"));
    m_pcontrolprincipal->addTab(criaPaginaDescricao(), QStringLiteral("Description"));
    m_pcontrolprincipal->addTab(criaPaginaCodigo(), QStringLiteral("Code"));
    m_pcontrolprincipal->addTab(criaPaginaTipos(), QStringLiteral("Types"));
    layout->addWidget(m_pcontrolprincipal);
    setWidget(corpo);
    resize(780, 540);

    // FormShow: the table header, insert mode, the table-class editor current, highlighting
    // off, the first tabs, the tool bars as the main window's items say, the tree closed.
    InciciaTabela();
    m_editorAtual = m_editores[GuiaTabela].editor;
    m_pcontrol->setCurrentIndex(GuiaTabela);
    m_pcontrolprincipal->setCurrentIndex(PaginaDescricao);
    m_cbCode->setVisible(!principal.ItemMarcado(QStringLiteral("HideCodeToolBar1")));
    m_cbTypes->setVisible(!principal.ItemMarcado(QStringLiteral("HideTypesToolBar1")));
    m_arvore->hide();
    m_divisor->setSizes({0, 1});
    m_divisor->setHandleWidth(0);
    m_previa->setMapaPadrao(TPainelPrevia::MapaDaUltimaGeracao(principal.recentes()));
    m_previa->setVisible(!principal.ItemMarcado(QStringLiteral("HidePreview1")));
    connect(m_pcontrol, &QTabWidget::currentChanged, this, [this] { pcontrolChange(); });
    atualizaAcaoRealce();
}

// ------------------------------------------------------------------ pages

QWidget* TFormFilhaModelo::criaPaginaDescricao() {
    auto* pagina = new QWidget;
    pagina->setObjectName(QStringLiteral("Description"));
    const TCamposDescricao campos =
        CriaCamposDescricao(pagina, QStringLiteral("Code Name"), QDate(2001, 5, 25));
    m_nome = campos.nome;
    m_autor = campos.autor;
    m_data = campos.data;
    m_comentario = campos.comentario;
    for (QLineEdit* edit : {m_nome, m_autor})
        edit->setMaximumWidth(420);

    // Edit_nomeKeyPress and edit_dataClick; edits that reach the text without a key (a
    // paste from the edit's own menu, a date picked from the calendar) count as well.
    for (QObject* controle : std::initializer_list<QObject*>{m_nome, m_autor, m_comentario, m_data,
                                                             m_data->findChild<QLineEdit*>()})
        if (controle)
            controle->installEventFilter(this);
    for (QLineEdit* edit : {m_nome, m_autor})
        connect(edit, &QLineEdit::textEdited, this, [this] { MarcaModificado(); });
    connect(m_comentario, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_preenchendo)
            MarcaModificado();
    });
    connect(m_data, &QDateEdit::dateChanged, this, [this] {
        if (!m_preenchendo)
            MarcaModificado();
    });
    return pagina;
}

QWidget* TFormFilhaModelo::criaPaginaCodigo() {
    auto* pagina = new QWidget;
    pagina->setObjectName(QStringLiteral("tab_code"));
    auto* layout = new QVBoxLayout(pagina);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_cbCode = new QToolBar(pagina);
    m_cbCode->setObjectName(QStringLiteral("cb_code"));
    AdicionaComandosEditor(m_cbCode, this,
                           {QStringLiteral("but_abrir"), QStringLiteral("but_salvar"),
                            QStringLiteral("but_printer"), QStringLiteral("but_cortar"),
                            QStringLiteral("but_copiar"), QStringLiteral("but_colar"),
                            QStringLiteral("but_undo"), QStringLiteral("but_marcartudo")},
                           [this](TComandoEditor comando) { comandoEditor(comando); });
    m_cbCode->addSeparator();
    QAction* refresh =
        criaAcao(this, QStringLiteral("Refresh Highlighting"), QStringLiteral("but_refresh"));
    connect(refresh, &QAction::triggered, this, &TFormFilhaModelo::but_refreshClick);
    m_cbCode->addAction(refresh);
    AdicionaMostraTags(m_cbCode, this, QStringLiteral("but_mostratags"),
                       [this] { but_mostratagsClick(); });
    // Highlighting starts off in every editor; this switch turns it on (followed by a
    // Refresh) and off for the editor of the active tab.
    m_acaoRealce = CriaAcaoRealce(this);
    connect(m_acaoRealce, &QAction::toggled, this, [this](bool ligado) {
        const int indice = editorDaGuia();
        if (indice >= 0)
            setRealceAtivo(indice, ligado);
    });
    m_cbCode->addAction(m_acaoRealce);
    layout->addWidget(m_cbCode);

    m_divisor = new QSplitter(Qt::Horizontal, pagina);
    m_divisor->setObjectName(QStringLiteral("divisor"));
    m_divisor->setChildrenCollapsible(true);
    m_arvore = new QTreeWidget(m_divisor);
    m_arvore->setObjectName(QStringLiteral("arvore"));
    m_arvore->setIndentation(12);
    PreencheArvoreTags(m_arvore);
    connect(m_arvore, &QTreeWidget::itemDoubleClicked, this, [this] { arvoreDblClick(); });

    m_pcontrol = new QTabWidget(m_divisor);
    m_pcontrol->setObjectName(QStringLiteral("pcontrol"));
    m_pcontrol->setTabPosition(QTabWidget::East);
    m_pcontrol->addTab(
        criaEditor(GuiaTabela, QStringLiteral("re_classeobjeto"), QStringLiteral("bar_objeto")),
        QStringLiteral("Table Class"));
    m_pcontrol->addTab(
        criaEditor(GuiaPai, QStringLiteral("re_classepai"), QStringLiteral("bar_pai")),
        QStringLiteral("Parent Class"));
    m_pcontrol->addTab(criaEditor(GuiaMake, QStringLiteral("re_make"), QStringLiteral("bar_make")),
                       QStringLiteral("Make File"));
    m_pcontrol->addTab(criaPaginaNomes(), QStringLiteral("File Names"));
    m_divisor->addWidget(m_arvore);
    m_divisor->addWidget(m_pcontrol);
    m_divisor->setStretchFactor(1, 1);

    // The preview beside the editors, the problems list under both.
    m_previa = new TPainelPrevia(
        false, {[this] { return documentoPrevia(); }, [this] { return gettNomeArq(); }});
    m_previa->memo()->setFont(m_editores[GuiaTabela].editor->font());
    m_problemas = new TListaProblemas;
    layout->addWidget(m_previa->MontaArea(m_divisor, m_problemas, pagina), 1);
    connect(m_previa, &TPainelPrevia::mapaEscolhido, this, [this] { MarcaModificado(); });
    connect(m_previa, &TPainelPrevia::pausa, this, [this] { atualizaProblemas(); });

    CriaMenuEditor(
        this, [this](TComandoEditor comando) { comandoEditor(comando); },
        [this] { but_refreshClick(); }, [this] { but_mostratagsClick(); }, m_acaoRealce,
        {m_editores[GuiaTabela].editor, m_editores[GuiaPai].editor, m_editores[GuiaMake].editor});
    return pagina;
}

QWidget* TFormFilhaModelo::criaEditor(int indice, const QString& nome, const QString& nomeBarra) {
    auto* guia = new QWidget;
    auto* layout = new QVBoxLayout(guia);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // Each editor has its status bar under it, in its own tab.
    TEditorCodigo& dados = m_editores[indice];
    dados.Cria(guia, guia, nome, nomeBarra, this, tagsComunsTabela + TagsComunsLinguagem(),
               tagsIterativasTabela + TagsIterativasLinguagem());
    mostraSelecao(dados.editor, true);
    // A change of the text by the person marks the document; filling it from a document
    // does not.
    connect(dados.realce, &TRealceTags::textoEditado, this, [this] {
        if (!m_preenchendo)
            MarcaModificado();
    });
    layout->addWidget(dados.editor, 1);
    layout->addWidget(dados.barra);
    return guia;
}

QWidget* TFormFilhaModelo::criaPaginaNomes() {
    m_tabSettings = new QWidget;
    m_tabSettings->setObjectName(QStringLiteral("tab_settings"));
    auto* layout = new QVBoxLayout(m_tabSettings);
    auto* tabela = new QGroupBox(QStringLiteral("Table Class"), m_tabSettings);
    m_tablePrefix = criaEdit(tabela, QStringLiteral("edit_tableprefix"));
    m_tableSufix = criaEdit(tabela, QStringLiteral("edit_tablesufix"));
    m_tableExtension = criaEdit(tabela, QStringLiteral("edit_tableextension"));
    m_tableFname = criaEdit(tabela, QStringLiteral("edit_tablefname"));
    m_cbFname = new TCaixaNomeArquivo(tagAlias, tabela);
    m_cbFname->setObjectName(QStringLiteral("cb_fname"));
    m_nameForm = CriaFormaNome(tabela);
    dispoeGrupoNomes(tabela,
                     {{QStringLiteral("Prefix"), m_tablePrefix},
                      {QStringLiteral("Sufix"), m_tableSufix},
                      {QStringLiteral("Extension"), m_tableExtension},
                      {QString(), m_cbFname},
                      {QStringLiteral("Name Form"), m_nameForm}},
                     m_tableFname);
    layout->addWidget(tabela);

    auto* pai = new QGroupBox(QStringLiteral("Parent Class"), m_tabSettings);
    m_parPrefix = criaEdit(pai, QStringLiteral("edit_parprefix"));
    m_parSufix = criaEdit(pai, QStringLiteral("edit_parsufix"));
    m_parExtension = criaEdit(pai, QStringLiteral("edit_parextension"));
    m_parFname = criaEdit(pai, QStringLiteral("edit_parfname"));
    m_parParentClass = criaEdit(pai, QStringLiteral("edit_parparentclass"));
    dispoeGrupoNomes(pai,
                     {{QStringLiteral("Prefix"), m_parPrefix},
                      {QStringLiteral("Sufix"), m_parSufix},
                      {QStringLiteral("Extension"), m_parExtension},
                      {QStringLiteral("<parentclass>"), m_parParentClass}},
                     m_parFname);
    layout->addWidget(pai);

    auto* make = new QGroupBox(QStringLiteral("Make File"), m_tabSettings);
    m_makePrefix = criaEdit(make, QStringLiteral("edit_makeprefix"));
    m_makeExtension = criaEdit(make, QStringLiteral("edit_makeextension"));
    m_makeFname = criaEdit(make, QStringLiteral("edit_makefname"));
    dispoeGrupoNomes(
        make,
        {{QStringLiteral("Name"), m_makePrefix}, {QStringLiteral("Extension"), m_makeExtension}},
        m_makeFname);
    layout->addWidget(make);

    layout->addWidget(CriaPalavrasReservadas(m_tabSettings, m_reservedWords), 1);
    connect(m_reservedWords, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_preenchendo)
            MarcaModificado();
    });

    for (QLineEdit* previa : {m_tableFname, m_parFname, m_makeFname}) {
        previa->setReadOnly(true);
        previa->setFocusPolicy(Qt::ClickFocus);
    }
    for (QLineEdit* edit :
         {m_tablePrefix, m_tableSufix, m_tableExtension, m_nameForm, m_parPrefix, m_parSufix,
          m_parExtension, m_parParentClass, m_makePrefix, m_makeExtension})
        edit->installEventFilter(this);
    // cb_fnameClick
    connect(m_cbFname, &QCheckBox::clicked, this, [this] {
        EscreveTbFileName(tagNomeArquivo());
        MarcaModificado();
    });
    return m_tabSettings;
}

QWidget* TFormFilhaModelo::criaPaginaTipos() {
    auto* pagina = new QWidget;
    pagina->setObjectName(QStringLiteral("tab_tipos"));
    auto* layout = new QVBoxLayout(pagina);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_cbTypes = new QToolBar(pagina);
    m_cbTypes->setObjectName(QStringLiteral("cb_types"));
    layout->addWidget(m_cbTypes);

    m_tipos = new QTableWidget(1, 3, pagina);
    m_tipos->setObjectName(QStringLiteral("tb_tipos"));
    m_tipos->verticalHeader()->hide();
    m_tipos->verticalHeader()->setMinimumSectionSize(16);
    m_tipos->verticalHeader()->setDefaultSectionSize(20);
    m_tipos->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_tipos->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tipos->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    m_tipos->setContextMenuPolicy(Qt::ActionsContextMenu);
    layout->addWidget(m_tipos, 1);
    connect(m_tipos, &QTableWidget::currentCellChanged, this,
            &TFormFilhaModelo::tb_tiposSelectCell);
    // A cell changed by the user (also the cell already selected) marks the document.
    m_tipos->setItemDelegate(new TDelegadoTipos(m_tipos));
    connect(m_tipos, &QTableWidget::itemChanged, this, [this] {
        if (!m_preenchendo)
            MarcaModificado();
    });

    auto comando = [this](const QString& texto, const QString& nomeBotao, const QString& nomeMenu,
                          void (TFormFilhaModelo::*metodo)()) {
        QAction* botao = criaAcao(this, texto, nomeBotao);
        connect(botao, &QAction::triggered, this, metodo);
        m_cbTypes->addAction(botao);
        QAction* item = criaAcao(m_tipos, texto, nomeMenu);
        connect(item, &QAction::triggered, this, metodo);
        m_tipos->addAction(item);
    };
    comando(QStringLiteral("Load Provider Data Types"), QStringLiteral("but_load"),
            QStringLiteral("LoadProviderDataTypes1"), &TFormFilhaModelo::but_loadClick);
    comando(QStringLiteral("Open Table Types Text File"), QStringLiteral("but_abrirtipos"),
            QStringLiteral("OpenTableTypesTextFile1"), &TFormFilhaModelo::but_abrirtiposClick);
    comando(QStringLiteral("Clear Entries"), QStringLiteral("but_erase"),
            QStringLiteral("ClearEntries1"), &TFormFilhaModelo::but_eraseClick);
    return pagina;
}

// ------------------------------------------------------------------ types table

void TFormFilhaModelo::InciciaTabela() {
    m_tipos->setHorizontalHeaderLabels({QStringLiteral("Provider Data Type"),
                                        QStringLiteral("Code Variable Type"),
                                        QStringLiteral("Code Variable Initial Value")});
    m_tipos->setColumnWidth(0, 150);
    m_tipos->setColumnWidth(1, 220);
    m_tipos->setColumnWidth(2, 220);
    defineLinhas(m_tipos->rowCount());
}

// Every cell holds an item; the first column is filled by the commands only.
void TFormFilhaModelo::defineLinhas(int linhas) {
    const QSignalBlocker bloqueio(m_tipos);
    m_tipos->setRowCount(linhas);
    for (int r = 0; r < linhas; ++r) {
        for (int c = 0; c < 3; ++c) {
            if (m_tipos->item(r, c))
                continue;
            auto* item = new QTableWidgetItem;
            item->setFlags(c == 0 ? Qt::ItemIsEnabled
                                  : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
            m_tipos->setItem(r, c, item);
        }
    }
}

// The commands that write cells decide themselves whether the document is modified.
void TFormFilhaModelo::celula(int linha, int coluna, const QString& texto) {
    const QSignalBlocker bloqueio(m_tipos);
    m_tipos->item(linha, coluna)->setText(texto);
}

QString TFormFilhaModelo::textoCelula(int linha, int coluna) const {
    const QTableWidgetItem* item = m_tipos->item(linha, coluna);
    return item ? item->text() : QString();
}

void TFormFilhaModelo::tb_tiposSelectCell(int linha, int coluna, int linhaAnterior,
                                          int colunaAnterior) {
    if (linha < 0 || m_preenchendo)
        return;
    if (coluna == 0) {
        // The first column cannot be selected: the selection stays where it was.
        const QSignalBlocker bloqueio(m_tipos);
        if (linhaAnterior >= 0 && colunaAnterior > 0)
            m_tipos->setCurrentCell(linhaAnterior, colunaAnterior);
        else
            m_tipos->setCurrentCell(-1, -1);
        return;
    }
    MarcaModificado();
}

void TFormFilhaModelo::PreencheTiposProvider(QStringList tipos) {
    std::stable_sort(tipos.begin(), tipos.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    defineLinhas(static_cast<int>(tipos.size()));
    for (int r = 0; r < tipos.size(); ++r)
        celula(r, 0, tipos[r]);
}

void TFormFilhaModelo::but_loadClick() {
    QStringList tipos;
    {
        TFormCarregaTipos carregador(this, tipos);
        carregador.exec();
    }
    if (tipos.isEmpty())
        return;
    PreencheTiposProvider(tipos);
    // The table changed: closing must not drop it without asking.
    MarcaModificado();
}

void TFormFilhaModelo::but_abrirtiposClick() {
    const QString caminho =
        Dialogos::AbreArquivo(this, QStringLiteral("Open Table Types Text File"), QString());
    if (caminho.isEmpty())
        return;
    // One row per line, each with the line's first three ";"-ended fields, up to the first
    // shorter line: that row and the ones after it stay empty. A file that cannot be read
    // leaves the table as it was.
    std::vector<TLinhaTipos> linhas;
    try {
        linhas = CarregaArquivoTipos(deQString(caminho));
    } catch (const std::exception&) {
        return;
    }
    MarcaModificado();
    defineLinhas(static_cast<int>(linhas.size()));
    for (int r = 0; r < static_cast<int>(linhas.size()); ++r) {
        const TLinhaTipos& linha = linhas[static_cast<std::size_t>(r)];
        celula(r, 0, paraQString(linha.tipoProvider));
        celula(r, 1, paraQString(linha.tipoVariavel));
        celula(r, 2, paraQString(linha.valorInicial));
    }
}

void TFormFilhaModelo::but_eraseClick() {
    if (Dialogos::Pergunta(this, QStringLiteral("Clear All Entries On The Table ?"),
                           QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    MarcaModificado();
    for (int r = 0; r < m_tipos->rowCount(); ++r)
        for (int c = 0; c < 3; ++c)
            celula(r, c, QString());
}

// ------------------------------------------------------------------ file names

void TFormFilhaModelo::EscreveTbFileName(const QString& tag) {
    m_tableFname->setText(m_tablePrefix->text() + tag + m_tableSufix->text() + QLatin1Char('.') +
                          m_tableExtension->text());
}

QString TFormFilhaModelo::tagNomeArquivo() const {
    return paraQString(TagNomeArquivo(m_cbFname->valor(), deQString(m_nameForm->text())));
}

void TFormFilhaModelo::edit_parparentclassKeyUp() {
    if (m_parPrefix->text().isEmpty() && m_parSufix->text().isEmpty() &&
        m_parExtension->text().isEmpty())
        m_parFname->clear();
    else
        m_parFname->setText(m_parPrefix->text() + m_parParentClass->text() + m_parSufix->text() +
                            QLatin1Char('.') + m_parExtension->text());
}

void TFormFilhaModelo::edit_makeprefixKeyUp() {
    m_makeFname->setText(m_makePrefix->text() + QLatin1Char('.') + m_makeExtension->text());
}

// ------------------------------------------------------------------ document

TDocModeloTabela TFormFilhaModelo::valores() const {
    TDocModeloTabela doc;
    LeCamposJanela(*this, kCamposModeloTabela, doc);
    doc.tipos.clear();
    for (int r = 0; r < m_tipos->rowCount(); ++r)
        doc.tipos.push_back({deQString(textoCelula(r, 0)), deQString(textoCelula(r, 1)),
                             deQString(textoCelula(r, 2))});
    return doc;
}

TArquivoKMF TFormFilhaModelo::getArquivo() const {
    return valores().getArquivo();
}

TArquivoKMF TFormFilhaModelo::documentoPrevia() const {
    TArquivoKMF documento;
    EscreveCampos(valores(), kCamposModeloTabela, documento);
    return documento;
}

void TFormFilhaModelo::DocumentoEditado() {
    m_previa->Agenda();
}

void TFormFilhaModelo::atualizaProblemas() {
    const int indice = editorDaGuia();
    QPlainTextEdit* editor = indice >= 0 ? m_editores[indice].editor : m_editorAtual;
    m_problemas->Diagnostica(editor, editor == m_editores[GuiaTabela].editor);
}

void TFormFilhaModelo::setArquivo(const TArquivoKMF& documento) {
    TDocModeloTabela doc;
    doc.tipos.clear();
    bool completo = true;
    std::exception_ptr falha;
    try {
        doc.setArquivo(documento);
    } catch (...) {
        // The values read before the missing one are still shown.
        completo = false;
        falha = std::current_exception();
    }
    m_preenchendo = true;
    struct Fim {
        bool& preenchendo;
        ~Fim() { preenchendo = false; }
    } fim{m_preenchendo};

    // A date that cannot be read fails a complete document there; in one that already
    // failed, the failure to report is the first.
    MostraCamposJanela(*this, kCamposModeloTabela, doc, {},
                       completo ? TDataInvalida::Interrompe : TDataInvalida::Ignora);
    for (int i : {GuiaTabela, GuiaPai})
        m_editores[i].editor->moveCursor(QTextCursor::Start);

    m_parFname->setText(m_parPrefix->text() + m_parParentClass->text() + m_parSufix->text() +
                        QLatin1Char('.') + m_parExtension->text());
    edit_makeprefixKeyUp();
    EscreveTbFileName(tagNomeArquivo());

    if (!doc.tipos.empty()) {
        defineLinhas(static_cast<int>(doc.tipos.size()));
        for (int r = 0; r < static_cast<int>(doc.tipos.size()); ++r) {
            const TLinhaTipos& linha = doc.tipos[static_cast<std::size_t>(r)];
            celula(r, 0, paraQString(linha.tipoProvider));
            celula(r, 1, paraQString(linha.tipoVariavel));
            celula(r, 2, paraQString(linha.valorInicial));
        }
    }
    // The preview and the problems of the document opened.
    m_previa->Agenda();
    if (falha)
        std::rethrow_exception(falha);
}

// ------------------------------------------------------------------ commands

bool TFormFilhaModelo::ExecutaComando(TComando comando) {
    void (TFormFilhaModelo::*metodo)() = nullptr;
    int pagina = PaginaCodigo;
    const int paginaAtual = m_pcontrolprincipal->currentIndex();
    switch (comando) {
    // Open Text File and Save To File act on the page shown, which stays: on Code the
    // current editor, Open on Types the types file; elsewhere nothing.
    case TComando::AbreTexto:
        if (paginaAtual == PaginaCodigo)
            but_abrirClick();
        else if (paginaAtual == PaginaTipos)
            but_abrirtiposClick();
        return true;
    case TComando::SalvaTexto:
        if (paginaAtual == PaginaCodigo)
            but_salvarClick();
        return true;
    case TComando::Imprime:
        metodo = &TFormFilhaModelo::but_printerClick;
        break;
    case TComando::Corta:
        metodo = &TFormFilhaModelo::but_cortarClick;
        break;
    case TComando::Copia:
        metodo = &TFormFilhaModelo::but_copiarClick;
        break;
    case TComando::Cola:
        metodo = &TFormFilhaModelo::but_colarClick;
        break;
    case TComando::Desfaz:
        metodo = &TFormFilhaModelo::but_undoClick;
        break;
    case TComando::MarcaTudo:
        metodo = &TFormFilhaModelo::but_marcartudoClick;
        break;
    case TComando::Atualiza:
        metodo = &TFormFilhaModelo::but_refreshClick;
        break;
    case TComando::MostraTags:
        metodo = &TFormFilhaModelo::but_mostratagsClick;
        break;
    case TComando::CarregaTiposProvider:
        metodo = &TFormFilhaModelo::but_loadClick;
        pagina = PaginaTipos;
        break;
    case TComando::LimpaTipos:
        metodo = &TFormFilhaModelo::but_eraseClick;
        pagina = PaginaTipos;
        break;
    default:
        return false;
    }
    // The page the command works on is shown first.
    m_pcontrolprincipal->setCurrentIndex(pagina);
    (this->*metodo)();
    return true;
}

void TFormFilhaModelo::AlternaBarra(const QString& item) {
    if (item == QStringLiteral("HideCodeToolBar1"))
        m_cbCode->setVisible(m_cbCode->isHidden());
    else if (item == QStringLiteral("HideTypesToolBar1"))
        m_cbTypes->setVisible(m_cbTypes->isHidden());
    else if (item == QStringLiteral("HidePreview1"))
        m_previa->setVisible(m_previa->isHidden());
}

// The editor commands act on the current editor (those that change its text mark the
// document through the highlighter's signal); an error of the printer is shown.
void TFormFilhaModelo::comandoEditor(TComandoEditor comando) {
    try {
        ExecutaComandoEditor(this, m_editorAtual, comando);
    } catch (const std::exception& erro) {
        Dialogos::Erro(this, paraQString(erro.what()));
    }
}

void TFormFilhaModelo::but_abrirClick() {
    comandoEditor(TComandoEditor::Abrir);
}
void TFormFilhaModelo::but_salvarClick() {
    comandoEditor(TComandoEditor::Salvar);
}
void TFormFilhaModelo::but_printerClick() {
    comandoEditor(TComandoEditor::Imprimir);
}
void TFormFilhaModelo::but_cortarClick() {
    comandoEditor(TComandoEditor::Cortar);
}
void TFormFilhaModelo::but_copiarClick() {
    comandoEditor(TComandoEditor::Copiar);
}
void TFormFilhaModelo::but_colarClick() {
    comandoEditor(TComandoEditor::Colar);
}
void TFormFilhaModelo::but_undoClick() {
    comandoEditor(TComandoEditor::Desfazer);
}
void TFormFilhaModelo::but_marcartudoClick() {
    comandoEditor(TComandoEditor::MarcarTudo);
}

void TFormFilhaModelo::mostraSelecao(QPlainTextEdit* editor, bool mostrar) {
    QPalette paleta = editor->palette();
    if (mostrar) {
        paleta.setColor(QPalette::Inactive, QPalette::Highlight,
                        paleta.color(QPalette::Active, QPalette::Highlight));
        paleta.setColor(QPalette::Inactive, QPalette::HighlightedText,
                        paleta.color(QPalette::Active, QPalette::HighlightedText));
    } else {
        paleta.setColor(QPalette::Inactive, QPalette::Highlight,
                        paleta.color(QPalette::Inactive, QPalette::Base));
        paleta.setColor(QPalette::Inactive, QPalette::HighlightedText,
                        paleta.color(QPalette::Inactive, QPalette::Text));
    }
    editor->setPalette(paleta);
}

void TFormFilhaModelo::but_refreshClick() {
    if (m_analisando)
        return;
    QPlainTextEdit* atual = m_editorAtual;
    mostraSelecao(atual, false);
    m_pcontrolprincipal->setFocus();
    // Whatever happens in the scan: the selection and the focus come back, the progress
    // texts are emptied, and a close asked for while scanning goes ahead.
    struct Fim {
        TFormFilhaModelo& janela;
        QPlainTextEdit* atual;
        ~Fim() {
            janela.mostraSelecao(atual, true);
            atual->setFocus();
            for (TEditorCodigo& editor : janela.m_editores)
                editor.paineis[2]->clear();
            janela.m_analisando = false;
            if (janela.m_fecharAposAnalise) {
                janela.m_fecharAposAnalise = false;
                QTimer::singleShot(0, &janela, &QWidget::close);
            }
        }
    } fim{*this, atual};

    const int indice = editorDaGuia();
    if (indice < 0 || !m_editores[indice].realce->ativo())
        return;
    m_analisando = true;
    // The make-file editor shows no progress.
    TEditorCodigo& editor = m_editores[indice];
    AtualizaRealce(editor.editor, editor.realce, indice == GuiaMake ? nullptr : editor.paineis[2]);
}

void TFormFilhaModelo::but_mostratagsClick() {
    if (m_pcontrol->currentIndex() != GuiaNomes)
        AlternaArvoreTags(m_arvore, m_divisor);
}

// ------------------------------------------------------------------ tags

void TFormFilhaModelo::InsereString(const QString& texto, bool bloco) {
    InsereTexto(m_editorAtual, texto, bloco);
    MarcaModificado();
    const int indice = editorDaGuia();
    if (indice >= 0 && m_editores[indice].editor == m_editorAtual)
        m_editores[indice].realce->palavraAtual(m_editorAtual->textCursor().position());
}

void TFormFilhaModelo::arvoreDblClick() {
    InsereTagDaArvore(m_arvore->currentItem(),
                      [this](const QString& texto, bool bloco) { InsereString(texto, bloco); });
    m_editorAtual->setFocus();
}

void TFormFilhaModelo::setRealceAtivo(int editor, bool ativo) {
    m_editores[editor].realce->setAtivo(ativo);
    atualizaAcaoRealce();
    if (ativo && editorDaGuia() == editor)
        but_refreshClick();
}

void TFormFilhaModelo::atualizaAcaoRealce() {
    const int indice = editorDaGuia();
    const QSignalBlocker bloqueio(m_acaoRealce);
    m_acaoRealce->setEnabled(indice >= 0);
    m_acaoRealce->setChecked(indice >= 0 && m_editores[indice].realce->ativo());
}

void TFormFilhaModelo::pcontrolChange() {
    const int indice = editorDaGuia();
    if (indice >= 0) {
        m_editorAtual = m_editores[indice].editor;
        // The preview and the problems follow the editor shown.
        m_previa->setPagina(static_cast<TPaginaPrevia>(indice));
        atualizaProblemas();
    }
    atualizaAcaoRealce();
}

int TFormFilhaModelo::editorDaGuia() const {
    const int guia = m_pcontrol->currentIndex();
    return guia >= GuiaTabela && guia <= GuiaMake ? guia : -1;
}

int TFormFilhaModelo::indiceEditor(const QObject* objeto) const {
    for (int i = 0; i < 3; ++i)
        if (m_editores[i].editor == objeto)
            return i;
    return -1;
}

QString TFormFilhaModelo::textoPainel(int editor, int painel) const {
    return m_editores[editor].paineis[painel]->text();
}

// ------------------------------------------------------------------ key and mouse events

// re_classeobjetoKeyUp, re_classepaiKeyUp, re_makeKeyUp
void TFormFilhaModelo::editorKeyUp(int indice, int tecla, Qt::KeyboardModifiers estado) {
    TEditorCodigo& dados = m_editores[indice];
    VerificaTeclaSolta(dados.editor, dados.realce, estado);
    if (tecla == Qt::Key_Insert) {
        // One indicator for the window; the editor keeps its own typing mode, which the
        // key flips as the platform's editors do.
        m_indicador.AlternaModo(nullptr, dados.paineis[0]);
        dados.editor->setOverwriteMode(!dados.editor->overwriteMode());
    }
}

bool TFormFilhaModelo::eventFilter(QObject* objeto, QEvent* evento) {
    switch (evento->type()) {
    case QEvent::KeyRelease: {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (const int indice = indiceEditor(objeto); indice >= 0) {
            editorKeyUp(indice, tecla->key(), tecla->modifiers());
        } else if (objeto == m_tablePrefix || objeto == m_tableSufix ||
                   objeto == m_tableExtension || objeto == m_nameForm) {
            EscreveTbFileName(tagNomeArquivo());
            MarcaModificado();
        } else if (objeto == m_parPrefix || objeto == m_parSufix || objeto == m_parExtension ||
                   objeto == m_parParentClass) {
            edit_parparentclassKeyUp();
            MarcaModificado();
        } else if (objeto == m_makePrefix || objeto == m_makeExtension) {
            edit_makeprefixKeyUp();
            MarcaModificado();
        }
        break;
    }
    case QEvent::KeyPress:
        if ((objeto == m_nome || objeto == m_autor || objeto == m_comentario) &&
            !static_cast<QKeyEvent*>(evento)->text().isEmpty())
            MarcaModificado();
        break;
    case QEvent::MouseButtonPress:
        if (objeto == m_data || objeto == m_data->findChild<QLineEdit*>())
            MarcaModificado();
        break;
    default:
        break;
    }
    return TJanelaFilha::eventFilter(objeto, evento);
}

void TFormFilhaModelo::closeEvent(QCloseEvent* evento) {
    if (m_analisando) {
        // The scan ends first; the window then closes (with its prompt) on its own.
        m_fecharAposAnalise = true;
        for (TEditorCodigo& editor : m_editores)
            editor.realce->Interrompe();
        evento->ignore();
        return;
    }
    TJanelaFilha::closeEvent(evento);
}

void RegistraModeloTabela() {
    RegistraFabrica(QStringLiteral("tpt"), [](TFormTelaPrincipal& principal) -> TJanelaFilha* {
        return new TFormFilhaModelo(principal);
    });
}

} // namespace fendril

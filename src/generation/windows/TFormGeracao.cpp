#include "generation/windows/TFormGeracao.h"

#include "documents/TDocModelos.h"
#include "generation/TDiretorio.h"
#include "generation/windows/TFormEvolucaoGeracao.h"
#include "model/ArquivoTexto.h"
#include "model/Erros.h"
#include "model/Textos.h"
#include "ui/frame/CamposJanela.h"
#include "ui/frame/CorpoJanela.h"
#include "ui/frame/Datas.h"
#include "ui/frame/Dialogos.h"
#include "ui/frame/Icones.h"
#include "ui/frame/PaginaDescricao.h"
#include "ui/frame/TFormMostraLog.h"
#include "ui/frame/TFormTelaPrincipal.h"
#include "ui/frame/TTiposDocumento.h"
#include "ui/frame/Texto.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPen>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <memory>

namespace fendril {

namespace {

const QChar separador = QLatin1Char('/');
const QString filtroMapeamento = QStringLiteral("Mapping Files (*.kmf)|*.KMF");
const QString filtroModeloTabela = QStringLiteral("Template Files (*.tpt)|*.TPT");
const QString filtroModeloGeral = QStringLiteral("General Template Files (*.tpg)|*.TPG");
// The window is repainted at most this often while a tree is read.
constexpr qint64 intervaloPinturaMs = 50;

// A folder or page icon with a coloured mark: a letter for the program's documents, a
// dot for the generation directory.
QPixmap desenhaIcone(const QIcon& base, int lado, const QColor& cor, const QString& letra) {
    // The style may have the base only at a smaller size: drawn scaled to the full side.
    QPixmap pixmap(lado, lado);
    pixmap.fill(Qt::transparent);
    {
        QPainter pintor(&pixmap);
        pintor.setRenderHint(QPainter::SmoothPixmapTransform);
        pintor.drawPixmap(QRect(0, 0, lado, lado), base.pixmap(lado, lado));
        if (cor.isValid()) {
            pintor.setRenderHint(QPainter::Antialiasing);
            const qreal marca = lado * 0.625;
            const QRectF area(lado - marca, lado - marca, marca, marca);
            pintor.setBrush(cor);
            if (letra.isEmpty()) {
                pintor.setPen(QPen(Qt::white, lado / 16.0));
                pintor.drawEllipse(area.adjusted(0.5, 0.5, -0.5, -0.5));
            } else {
                pintor.setPen(Qt::NoPen);
                pintor.drawRoundedRect(area, lado / 8.0, lado / 8.0);
                QFont fonte = pintor.font();
                fonte.setPixelSize(static_cast<int>(marca) - 1);
                fonte.setBold(true);
                pintor.setFont(fonte);
                pintor.setPen(Qt::white);
                pintor.drawText(area, Qt::AlignCenter, letra);
            }
        }
    }
    return pixmap;
}

// The nine icons of the tree, by index.
const QList<QIcon>& icones() {
    static const QList<QIcon> lista = [] {
        QStyle* estilo = QApplication::style();
        const QIcon fechado = estilo->standardIcon(QStyle::SP_DirClosedIcon);
        const QIcon aberto = estilo->standardIcon(QStyle::SP_DirOpenIcon);
        const QIcon pagina = estilo->standardIcon(QStyle::SP_FileIcon);
        const QColor geracao(0xd0, 0x30, 0x30);
        const struct {
            const QIcon* base;
            QColor cor;
            const char* letra;
        } desenhos[] = {
            {&fechado, QColor(), ""},
            {&aberto, QColor(), ""},
            {&pagina, QColor(), ""},
            {&pagina, QColor(0x1f, 0x5f, 0xbf), "T"},
            {&pagina, QColor(0x2e, 0x8b, 0x3e), "M"},
            {&pagina, QColor(0xd9, 0x7a, 0x00), "G"},
            {&aberto, geracao, ""},
            {&fechado, geracao, ""},
            {&pagina, QColor(0x7b, 0x3f, 0xa8), "T"},
        };
        QList<QIcon> icones;
        for (const auto& desenho : desenhos) {
            QIcon icone;
            for (int lado : {16, 32})
                icone.addPixmap(desenhaIcone(*desenho.base, lado, desenho.cor,
                                             QString::fromLatin1(desenho.letra)));
            icones.append(icone);
        }
        return icones;
    }();
    return lista;
}

// A path of a document: backslashes read as separators, a relative path taken from the
// document's folder.
QString ResolveCaminho(const QString& pasta, const QString& caminho) {
    if (caminho.isEmpty())
        return caminho;
    QString normalizado = caminho;
    normalizado.replace(QLatin1Char('\\'), separador);
    if (QDir::isAbsolutePath(normalizado))
        return QDir::cleanPath(normalizado);
    return QDir::cleanPath(pasta + separador + normalizado);
}

// A name the tree can show as one entry of its parent: no separator, not "." or "..".
bool NomeSimples(const QString& nome) {
    return !nome.isEmpty() && !nome.contains(QLatin1Char('/')) &&
           !nome.contains(QLatin1Char('\\')) && nome != QStringLiteral(".") &&
           nome != QStringLiteral("..");
}

// Where a node keeps its icon index and its kind.
constexpr int papelIcone = Qt::UserRole;
constexpr int papelTipo = Qt::UserRole + 1;

QTreeWidgetItem* NovoNo(const QString& texto) {
    auto* no = new QTreeWidgetItem(QStringList{texto});
    no->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled |
                 Qt::ItemIsEditable);
    TFormGeracao::defineTipo(no, TFormGeracao::TTipoNo::Diretorio);
    return no;
}

// The icon of a node of that kind; a directory's depends on whether it is expanded and
// whether it is the generation directory.
TFormGeracao::Icone IconeDoTipo(TFormGeracao::TTipoNo tipo, bool aberto, bool geracao) {
    using T = TFormGeracao::TTipoNo;
    switch (tipo) {
    case T::Diretorio:
        if (geracao)
            return aberto ? TFormGeracao::GeracaoAberto : TFormGeracao::GeracaoFechado;
        return aberto ? TFormGeracao::DiretorioAberto : TFormGeracao::DiretorioFechado;
    case T::Arquivo:
        return TFormGeracao::Arquivo;
    case T::ModeloTabela:
        return TFormGeracao::ArquivoModeloTabela;
    case T::Mapeamento:
        return TFormGeracao::ArquivoMapeamento;
    case T::Geracao:
        return TFormGeracao::ArquivoGeracao;
    case T::ModeloGeral:
        return TFormGeracao::ArquivoModeloGeral;
    }
    return TFormGeracao::Arquivo;
}

void MostraIcone(QTreeWidgetItem* no, TFormGeracao::Icone icone) {
    no->setData(0, papelIcone, static_cast<int>(icone));
    no->setIcon(0, icones().value(icone));
}

QTreeWidgetItem* ItemDoIndice(const QTreeWidget* arvore, const QModelIndex& indice) {
    if (!indice.isValid())
        return nullptr;
    if (!indice.parent().isValid())
        return arvore->topLevelItem(indice.row());
    QTreeWidgetItem* pai = ItemDoIndice(arvore, indice.parent());
    return pai ? pai->child(indice.row()) : nullptr;
}

// Ends an in-place rename through the window instead of writing the text directly.
class TDelegadoRenomeia : public QStyledItemDelegate {
public:
    TDelegadoRenomeia(TFormGeracao* janela, QTreeWidget* arvore)
        : QStyledItemDelegate(arvore), m_janela(janela), m_arvore(arvore) {}

    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& indice) const override {
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            m_janela->tv_diraizEdited(ItemDoIndice(m_arvore, indice), edit->text());
    }

private:
    TFormGeracao* m_janela;
    QTreeWidget* m_arvore;
};

TFormGeracao::TAbreExterno& abreExterno() {
    static TFormGeracao::TAbreExterno abre;
    return abre;
}

bool AbreComProgramaAssociado(const QString& caminho) {
    if (abreExterno())
        return abreExterno()(caminho);
    if (Dialogos::modoResposta())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(caminho));
}

// Counts program-made changes, so that they leave the changed mark alone.
class TCarregando {
public:
    explicit TCarregando(int& contador) : m_contador(contador) { ++m_contador; }
    ~TCarregando() { --m_contador; }
    TCarregando(const TCarregando&) = delete;
    TCarregando& operator=(const TCarregando&) = delete;

private:
    int& m_contador;
};

} // namespace

void TFormGeracao::setAbreExterno(TAbreExterno abre) {
    abreExterno() = std::move(abre);
}

TFormGeracao::TFormGeracao(TFormTelaPrincipal& principal) : TJanelaFilha(principal) {
    setObjectName(QStringLiteral("FormGeracao"));
    const TCorpoJanela corpo = CriaCorpoJanela(this);
    m_pcontrol = corpo.pcontrol;
    auto* descricao = NovaPagina(m_pcontrol, QStringLiteral("tab_descricao"));
    criaPaginaDescricao(descricao);
    m_pcontrol->addTab(descricao, QStringLiteral("Description"));
    auto* geracao = NovaPagina(m_pcontrol, QStringLiteral("tab_geracao"));
    criaPaginaGeracao(geracao);
    m_pcontrol->addTab(geracao, QStringLiteral("Generation"));

    m_barra = CriaBarraEstado(corpo);
    m_painel = new QLabel(m_barra);
    m_painel->setObjectName(QStringLiteral("barra_painel0"));
    m_barra->addWidget(m_painel, 1);
    setWidget(corpo.corpo);
    criaMenus();
    resize(920, 600);

    // FormShow: the tool bar as the main window's item says, the "Description" page.
    m_cbGeneration->setVisible(!principal.ItemMarcado(QStringLiteral("HideGenerationToolBar1")));
    m_pcontrol->setCurrentIndex(0);
    m_ultimaPintura.start();
}

void TFormGeracao::criaPaginaDescricao(QWidget* pagina) {
    const TCamposDescricao campos =
        CriaCamposDescricao(pagina, QStringLiteral("Generation Name"), QDate::currentDate());
    m_nome = campos.nome;
    m_autor = campos.autor;
    m_data = campos.data;
    m_comentario = campos.comentario;

    connect(m_nome, &QLineEdit::textEdited, this, &TFormGeracao::MarcaSeUsuario);
    connect(m_autor, &QLineEdit::textEdited, this, &TFormGeracao::MarcaSeUsuario);
    connect(m_comentario, &QPlainTextEdit::textChanged, this, &TFormGeracao::MarcaSeUsuario);
    connect(m_data, &QDateEdit::dateChanged, this, &TFormGeracao::MarcaSeUsuario);
    m_data->installEventFilter(this);
    if (auto* campo = m_data->findChild<QLineEdit*>())
        campo->installEventFilter(this);
}

void TFormGeracao::criaPaginaGeracao(QWidget* pagina) {
    auto* layout = new QVBoxLayout(pagina);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_cbGeneration = new QToolBar(pagina);
    m_cbGeneration->setObjectName(QStringLiteral("cb_generation"));
    // Each button shows its command's icon beside its caption.
    static const std::pair<const char*, TComando> icones[] = {
        {"but_mount", TComando::MontaRaiz},         {"but_unmount", TComando::DesmontaRaiz},
        {"but_refresh", TComando::Atualiza},        {"SpeedButton2", TComando::DefineGeracao},
        {"SpeedButton1", TComando::DefineComum},    {"but_insere", TComando::NovoDiretorio},
        {"but_rename", TComando::Renomeia},         {"but_delete", TComando::Apaga},
        {"but_run", TComando::Executa},             {"but_view", TComando::Visualiza},
        {"but_generate", TComando::GeraTodos},      {"but_viewlog", TComando::VerLog}};
    m_cbGeneration->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_cbGeneration->setIconSize(QSize(16, 16));
    auto botao = [this](const QString& rotulo, const QString& dica, const QString& nome,
                        void (TFormGeracao::*metodo)()) {
        QAction* acao = m_cbGeneration->addAction(rotulo);
        acao->setObjectName(nome);
        acao->setToolTip(dica);
        for (const auto& [objeto, comando] : icones)
            if (nome == QLatin1String(objeto))
                acao->setIcon(IconeComando(comando));
        connect(acao, &QAction::triggered, this,
                [this, metodo] { executaProtegido([this, metodo] { (this->*metodo)(); }); });
    };
    botao(QStringLiteral("Mount"), QStringLiteral("Mount Root Directory"),
          QStringLiteral("but_mount"), &TFormGeracao::NewRootDirectory1Click);
    botao(QStringLiteral("Unmount"), QStringLiteral("Unmount Root Directory"),
          QStringLiteral("but_unmount"), &TFormGeracao::UnmountRootDirectory1Click);
    botao(QStringLiteral("Refresh"), QStringLiteral("Refresh Directory"),
          QStringLiteral("but_refresh"), &TFormGeracao::Refresh1Click);
    m_cbGeneration->addSeparator();
    botao(QStringLiteral("Generation Dir"), QStringLiteral("Define As Generation Directory"),
          QStringLiteral("SpeedButton2"), &TFormGeracao::DefineAsGenerationDirectory1Click);
    botao(QStringLiteral("Simple Dir"), QStringLiteral("Define As Simple Directory"),
          QStringLiteral("SpeedButton1"), &TFormGeracao::SetAsCommonDirectory1Click);
    m_cbGeneration->addSeparator();
    botao(QStringLiteral("New Dir"), QStringLiteral("New Directory"), QStringLiteral("but_insere"),
          &TFormGeracao::NewDirectory1Click);
    botao(QStringLiteral("Rename"), QStringLiteral("Rename"), QStringLiteral("but_rename"),
          &TFormGeracao::Rename1Click);
    botao(QStringLiteral("Delete"), QStringLiteral("Delete"), QStringLiteral("but_delete"),
          &TFormGeracao::DeleteDirectory1Click);
    m_cbGeneration->addSeparator();
    botao(QStringLiteral("Run"), QStringLiteral("Run"), QStringLiteral("but_run"),
          &TFormGeracao::Execute1Click);
    botao(QStringLiteral("View"), QStringLiteral("View"), QStringLiteral("but_view"),
          &TFormGeracao::View1Click);
    m_cbGeneration->addSeparator();
    botao(QStringLiteral("Generate All Files"), QStringLiteral("Generate All Files"),
          QStringLiteral("but_generate"), &TFormGeracao::but_generateClick);
    botao(QStringLiteral("View Log"), QStringLiteral("View Log"), QStringLiteral("but_viewlog"),
          &TFormGeracao::but_viewlogClick);
    layout->addWidget(m_cbGeneration);

    m_divisor = new QSplitter(Qt::Horizontal, pagina);
    m_divisor->setObjectName(QStringLiteral("divisor"));
    m_divisor->setChildrenCollapsible(false);
    m_arvore = new QTreeWidget(m_divisor);
    m_arvore->setObjectName(QStringLiteral("tv_diraiz"));
    m_arvore->setHeaderLabel(QStringLiteral("Root Directory Tree"));
    m_arvore->setUniformRowHeights(true);
    m_arvore->setSelectionMode(QAbstractItemView::SingleSelection);
    m_arvore->setDragEnabled(true);
    m_arvore->setDragDropMode(QAbstractItemView::DragOnly);
    m_arvore->setDefaultDropAction(Qt::CopyAction);
    m_arvore->setEditTriggers(QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::SelectedClicked);
    m_arvore->setItemDelegate(new TDelegadoRenomeia(this, m_arvore));
    m_arvore->setContextMenuPolicy(Qt::CustomContextMenu);
    m_arvore->setMinimumWidth(180);
    connect(m_arvore, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* no) { atualizaIcone(no); });
    connect(m_arvore, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* no) { atualizaIcone(no); });
    connect(m_arvore, &QTreeWidget::itemDoubleClicked, this,
            [this] { executaProtegido([this] { Execute1Click(); }); });

    auto* grupo = new QGroupBox(QStringLiteral("Generation Files"), m_divisor);
    grupo->setObjectName(QStringLiteral("gb_generationfiles"));
    auto* grade = new QGridLayout(grupo);
    grade->setColumnStretch(0, 1);
    auto reticencias = [grupo](const QString& nome) {
        auto* tres = new QToolButton(grupo);
        tres->setObjectName(nome);
        tres->setText(QStringLiteral("..."));
        return tres;
    };
    m_mapfile = new QLineEdit(grupo);
    m_mapfile->setObjectName(QStringLiteral("edit_mapfile"));
    m_mapfile->setReadOnly(true);
    m_mapfile->setAcceptDrops(true);
    QToolButton* abMapfile = reticencias(QStringLiteral("ab_mapfile"));
    m_fendril = new QListWidget(grupo);
    m_fendril->setObjectName(QStringLiteral("cb_fendril"));
    QToolButton* abFendril = reticencias(QStringLiteral("ab_fendril"));
    m_templ = new QListWidget(grupo);
    m_templ->setObjectName(QStringLiteral("cb_templ"));
    QToolButton* abTempl = reticencias(QStringLiteral("ab_templ"));
    grade->addWidget(new QLabel(QStringLiteral("Mapping File"), grupo), 0, 0, 1, 2);
    grade->addWidget(m_mapfile, 1, 0);
    grade->addWidget(abMapfile, 1, 1);
    grade->addWidget(new QLabel(QStringLiteral("Fendril Templates"), grupo), 2, 0, 1, 2);
    grade->addWidget(m_fendril, 3, 0);
    grade->addWidget(abFendril, 3, 1, Qt::AlignTop);
    grade->addWidget(new QLabel(QStringLiteral("General Templates"), grupo), 4, 0, 1, 2);
    grade->addWidget(m_templ, 5, 0);
    grade->addWidget(abTempl, 5, 1, Qt::AlignTop);
    // Shown and stored through the document's field table, by its name.
    m_fundeEdicoes = new QCheckBox(QStringLiteral("Merge hand edits"), grupo);
    m_fundeEdicoes->setObjectName(QStringLiteral("cb_merge"));
    m_fundeEdicoes->setToolTip(
        QStringLiteral("A generated file edited by hand since the last run keeps the edits: "
                       "they are merged into the new output instead of asking about the file"));
    connect(m_fundeEdicoes, &QCheckBox::clicked, this, &TFormGeracao::MarcaSeUsuario);
    grade->addWidget(m_fundeEdicoes, 6, 0, 1, 2);
    // Resizing: the fields follow the group's width, the general list takes the height.
    m_fendril->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_fendril->setFixedHeight(150);
    grade->setRowStretch(5, 1);
    for (QListWidget* lista : {m_fendril, m_templ}) {
        lista->setSelectionMode(QAbstractItemView::SingleSelection);
        lista->setContextMenuPolicy(Qt::CustomContextMenu);
        lista->viewport()->setAcceptDrops(true);
        lista->viewport()->installEventFilter(this);
        connect(lista, &QListWidget::itemChanged, this, &TFormGeracao::MarcaSeUsuario);
    }
    m_mapfile->installEventFilter(this);
    connect(m_mapfile, &QLineEdit::textChanged, this, &TFormGeracao::MarcaSeUsuario);
    connect(abMapfile, &QToolButton::clicked, this, &TFormGeracao::ab_mapfileClick);
    connect(abFendril, &QToolButton::clicked, this, &TFormGeracao::ab_fendrilClick);
    connect(abTempl, &QToolButton::clicked, this, &TFormGeracao::ab_templClick);

    m_divisor->addWidget(m_arvore);
    m_divisor->addWidget(grupo);
    m_divisor->setStretchFactor(0, 2);
    m_divisor->setStretchFactor(1, 3);
    layout->addWidget(m_divisor, 1);
}

void TFormGeracao::criaMenus() {
    auto item = [this](QMenu* menu, const QString& legenda, const QString& nome,
                       void (TFormGeracao::*metodo)()) {
        QAction* acao = menu->addAction(legenda);
        acao->setObjectName(nome);
        connect(acao, &QAction::triggered, this,
                [this, metodo] { executaProtegido([this, metodo] { (this->*metodo)(); }); });
    };
    m_menuArvore = new QMenu(this);
    m_menuArvore->setObjectName(QStringLiteral("pop_arvore"));
    item(m_menuArvore, QStringLiteral("Mount Root Directory"), QStringLiteral("NewRootDirectory1"),
         &TFormGeracao::NewRootDirectory1Click);
    item(m_menuArvore, QStringLiteral("Unmount Root Directory"),
         QStringLiteral("UnmountRootDirectory1"), &TFormGeracao::UnmountRootDirectory1Click);
    item(m_menuArvore, QStringLiteral("Refresh Directory"), QStringLiteral("Refresh1"),
         &TFormGeracao::Refresh1Click);
    m_menuArvore->addSeparator();
    item(m_menuArvore, QStringLiteral("Define As Generation Directory"),
         QStringLiteral("DefineAsGenerationDirectory1"),
         &TFormGeracao::DefineAsGenerationDirectory1Click);
    item(m_menuArvore, QStringLiteral("Define As Simple Directory"),
         QStringLiteral("SetAsCommonDirectory1"), &TFormGeracao::SetAsCommonDirectory1Click);
    m_menuArvore->addSeparator();
    item(m_menuArvore, QStringLiteral("New Directory"), QStringLiteral("NewDirectory1"),
         &TFormGeracao::NewDirectory1Click);
    item(m_menuArvore, QStringLiteral("Rename"), QStringLiteral("Rename1"),
         &TFormGeracao::Rename1Click);
    item(m_menuArvore, QStringLiteral("Delete"), QStringLiteral("DeleteDirectory1"),
         &TFormGeracao::DeleteDirectory1Click);
    m_menuArvore->addSeparator();
    item(m_menuArvore, QStringLiteral("Run"), QStringLiteral("Execute1"),
         &TFormGeracao::Execute1Click);
    item(m_menuArvore, QStringLiteral("View"), QStringLiteral("View1"), &TFormGeracao::View1Click);
    m_menuArvore->addSeparator();
    item(m_menuArvore, QStringLiteral("New Mapping File"), QStringLiteral("NewMappingFile1"),
         &TFormGeracao::NewMappingFile1Click);
    item(m_menuArvore, QStringLiteral("New Fendril Template File"),
         QStringLiteral("NewFendrilTemplateFile1"), &TFormGeracao::NewFendrilTemplateFile1Click);
    connect(m_arvore, &QWidget::customContextMenuRequested, this, [this](const QPoint& ponto) {
        m_menuArvore->popup(m_arvore->viewport()->mapToGlobal(ponto));
    });

    m_menuFendril = new QMenu(this);
    m_menuFendril->setObjectName(QStringLiteral("pop_fendril"));
    item(m_menuFendril, QStringLiteral("Delete"), QStringLiteral("Delete1"),
         &TFormGeracao::Delete1Click);
    item(m_menuFendril, QStringLiteral("Insert"), QStringLiteral("Insert1"),
         &TFormGeracao::Insert1Click);
    item(m_menuFendril, QStringLiteral("Check"), QStringLiteral("Check1"),
         &TFormGeracao::Check1Click);
    item(m_menuFendril, QStringLiteral("Uncheck"), QStringLiteral("Uncheck1"),
         &TFormGeracao::Uncheck1Click);
    item(m_menuFendril, QStringLiteral("Check Existing Files"),
         QStringLiteral("CheckExistingFiles1"), &TFormGeracao::CheckExistingFiles1Click);

    m_menuTempl = new QMenu(this);
    m_menuTempl->setObjectName(QStringLiteral("pop_templ"));
    item(m_menuTempl, QStringLiteral("Delete"), QStringLiteral("MenuItem1"),
         &TFormGeracao::MenuItem1Click);
    item(m_menuTempl, QStringLiteral("Insert"), QStringLiteral("MenuItem2"),
         &TFormGeracao::MenuItem2Click);
    item(m_menuTempl, QStringLiteral("Check"), QStringLiteral("MenuItem3"),
         &TFormGeracao::MenuItem3Click);
    item(m_menuTempl, QStringLiteral("Uncheck"), QStringLiteral("MenuItem4"),
         &TFormGeracao::MenuItem4Click);
    item(m_menuTempl, QStringLiteral("Check Existing Files"), QStringLiteral("CheckExistingFiles2"),
         &TFormGeracao::CheckExistingFiles2Click);
    for (auto [lista, menu] :
         {std::pair{m_fendril, m_menuFendril}, std::pair{m_templ, m_menuTempl}})
        connect(lista, &QWidget::customContextMenuRequested, this,
                [lista, menu](const QPoint& ponto) {
                    menu->popup(lista->viewport()->mapToGlobal(ponto));
                });
}

void TFormGeracao::executaProtegido(const std::function<void()>& acao) {
    try {
        acao();
    } catch (const std::exception& erro) {
        mostraBarra(QString(), false);
        Dialogos::Erro(this, paraQString(erro.what()));
    }
}

void TFormGeracao::MarcaSeUsuario() {
    if (m_carregando == 0)
        MarcaModificado();
}

QString TFormGeracao::textoBarra() const {
    return m_painel->text();
}

void TFormGeracao::mostraBarra(const QString& texto, bool forcaPintura) {
    m_painel->setText(texto);
    if (forcaPintura || m_ultimaPintura.elapsed() >= intervaloPinturaMs) {
        // Painting only: the user's clicks wait until the work is done.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        m_ultimaPintura.restart();
    }
}

void TFormGeracao::mostraDiretorio(const QString& nome) {
    mostraBarra(QStringLiteral("Mounting \"") + nome + QStringLiteral("\" Directory. Wait..."),
                false);
}

// ------------------------------------------------------------------ tree

int TFormGeracao::indiceIcone(const QTreeWidgetItem* no) {
    return no ? no->data(0, papelIcone).toInt() : -1;
}

TFormGeracao::TTipoNo TFormGeracao::tipoNo(const QTreeWidgetItem* no) {
    return static_cast<TTipoNo>(no->data(0, papelTipo).toInt());
}

void TFormGeracao::defineTipo(QTreeWidgetItem* no, TTipoNo tipo) {
    no->setData(0, papelTipo, static_cast<int>(tipo));
    // A node the program has just made or retyped is never the generation directory.
    MostraIcone(no, IconeDoTipo(tipo, no->isExpanded(), false));
}

void TFormGeracao::atualizaIcone(QTreeWidgetItem* no) {
    MostraIcone(no, IconeDoTipo(tipoNo(no), no->isExpanded(), ehGeracao(no)));
}

bool TFormGeracao::ehGeracao(const QTreeWidgetItem* no) const {
    return !m_pathGeracao.isEmpty() && caminhoCompleto(no) == m_pathGeracao;
}

bool TFormGeracao::geracaoDentro(const QTreeWidgetItem* no) const {
    if (m_pathGeracao.isEmpty())
        return false;
    const QString caminho = caminhoCompleto(no);
    return m_pathGeracao == caminho || m_pathGeracao.startsWith(caminho + separador);
}

void TFormGeracao::esqueceGeracao() {
    QTreeWidgetItem* no = m_pathGeracao.isEmpty() ? nullptr : ExisteDir(m_pathGeracao, raiz());
    m_pathGeracao.clear();
    if (no)
        atualizaIcone(no);
}

QTreeWidgetItem* TFormGeracao::raiz() const {
    return m_arvore->topLevelItem(0);
}

QTreeWidgetItem* TFormGeracao::noSelecionado() const {
    QTreeWidgetItem* atual = m_arvore->currentItem();
    return atual && atual->isSelected() ? atual : nullptr;
}

QString TFormGeracao::pathatual(const QTreeWidgetItem* no) const {
    QStringList partes;
    for (const QTreeWidgetItem* passo = no; passo; passo = passo->parent())
        partes.prepend(passo->text(0));
    return partes.join(separador);
}

QString TFormGeracao::pathno(const QTreeWidgetItem* no) const {
    return pathatual(no) + separador;
}

QString TFormGeracao::caminhoCompleto(const QTreeWidgetItem* no) const {
    return m_pathRaiz + pathatual(no);
}

void TFormGeracao::ColocaIcones(QTreeWidgetItem* no) {
    const std::string extensao = ExtraiExtensao(deQString(no->text(0)));
    TTipoNo tipo = TTipoNo::Arquivo;
    if (extensao == "tpt")
        tipo = TTipoNo::ModeloTabela;
    else if (extensao == "kmf")
        tipo = TTipoNo::Mapeamento;
    else if (extensao == "kgf")
        tipo = TTipoNo::Geracao;
    else if (extensao == "tpg")
        tipo = TTipoNo::ModeloGeral;
    defineTipo(no, tipo);
}

QList<QTreeWidgetItem*> TFormGeracao::montaSubarvore(const QString& caminho, QStringList& cadeia,
                                                     bool* semEntradas) {
    TDiretorio diretorio(deQString(caminho));
    diretorio.Lista();
    QList<QTreeWidgetItem*> filhos;
    if (semEntradas)
        *semEntradas = diretorio.quantidade() == 0;
    if (diretorio.quantidade() == 0)
        return filhos;
    // A link back to a directory being read is shown without its contents, which would
    // otherwise repeat without end.
    const QString canonico = QFileInfo(caminho).canonicalFilePath();
    cadeia.append(canonico);
    try {
        for (const TArquivo& entrada : diretorio.getArquivos()) {
            if (entrada.nome == "..")
                continue;
            const QString nome = paraQString(entrada.nome);
            std::unique_ptr<QTreeWidgetItem> filho(NovoNo(nome));
            if (entrada.atributos & Atributo::Diretorio) {
                mostraDiretorio(nome);
                const QString subcaminho = caminho + separador + nome;
                if (!cadeia.contains(QFileInfo(subcaminho).canonicalFilePath())) {
                    try {
                        filho->addChildren(montaSubarvore(subcaminho, cadeia));
                    } catch (const EErroGeral&) {
                        // Gone while the tree was read: shown without contents.
                    }
                }
            } else {
                ColocaIcones(filho.get());
            }
            filhos.append(filho.release());
        }
    } catch (...) {
        qDeleteAll(filhos);
        cadeia.removeLast();
        throw;
    }
    cadeia.removeLast();
    return filhos;
}

void TFormGeracao::MontaFilhos(QTreeWidgetItem* no) {
    struct LimpaBarra {
        TFormGeracao* janela;
        ~LimpaBarra() { janela->m_painel->clear(); }
    } limpa{this};
    QStringList cadeia;
    bool semEntradas = false;
    const QList<QTreeWidgetItem*> filhos =
        montaSubarvore(caminhoCompleto(no), cadeia, &semEntradas);
    if (semEntradas) {
        // A directory listed without entries is shown as a file, and so can no longer be
        // the generation directory.
        if (ehGeracao(no))
            m_pathGeracao.clear();
        ColocaIcones(no);
    }
    no->addChildren(filhos);
}

void TFormGeracao::CarregaNo(QTreeWidgetItem* no) {
    if (!no)
        return;
    // The nodes below are rebuilt unmarked: a generation directory among them is lost.
    if (geracaoDentro(no) && !ehGeracao(no))
        m_pathGeracao.clear();
    qDeleteAll(no->takeChildren());
    MontaFilhos(no);
    no->setExpanded(true);
}

TArquivo TFormGeracao::ObjArquivo(const QTreeWidgetItem* no) const {
    TArquivo entrada;
    if (!no || !no->parent())
        return entrada;
    try {
        TDiretorio diretorio(deQString(caminhoCompleto(no->parent())));
        diretorio.Lista();
        diretorio.ProcuraArquivo(deQString(no->text(0)), entrada);
    } catch (const EErroGeral&) {
    }
    return entrada;
}

bool TFormGeracao::ehDiretorio(const QTreeWidgetItem* no) const {
    return (ObjArquivo(no).atributos & Atributo::Diretorio) != 0;
}

QTreeWidgetItem* TFormGeracao::ExisteDir(const QString& caminho, QTreeWidgetItem* no) const {
    if (!no)
        return nullptr;
    if (caminhoCompleto(no) == caminho)
        return no;
    for (int i = 0; i < no->childCount(); ++i) {
        QTreeWidgetItem* filho = no->child(i);
        const QString caminhoFilho = caminhoCompleto(filho);
        if (!caminho.contains(caminhoFilho))
            continue;
        if (caminhoFilho == caminho)
            return filho;
        if (QTreeWidgetItem* achado = ExisteDir(caminho, filho))
            return achado;
    }
    return nullptr;
}

QString TFormGeracao::getGenerationDir(QTreeWidgetItem* no) const {
    if (m_pathGeracao.isEmpty() || !ExisteDir(m_pathGeracao, no))
        return QString();
    return m_pathGeracao;
}

bool TFormGeracao::setGenerationDir(QTreeWidgetItem* no) {
    mostraBarra(QStringLiteral("Setting Generation Dir. Wait..."), true);
    bool definido = false;
    if (no) {
        esqueceGeracao();
        // Only a directory is given; one shown as a file (listed empty) is one again.
        no->setData(0, papelTipo, static_cast<int>(TTipoNo::Diretorio));
        m_pathGeracao = caminhoCompleto(no);
        atualizaIcone(no);
        definido = true;
    }
    mostraBarra(QString(), false);
    return definido;
}

void TFormGeracao::doRefreshNo(const QString& caminho, QTreeWidgetItem* no) {
    if (QTreeWidgetItem* achado = ExisteDir(caminho, no))
        CarregaNo(achado);
}

void TFormGeracao::DeleteArquivo(QTreeWidgetItem* no, bool diretorio) {
    const QString caminho = caminhoCompleto(no);
    const bool levaGeracao = geracaoDentro(no);
    if (diretorio) {
        if (QDir().rmdir(caminho)) {
            if (levaGeracao)
                m_pathGeracao.clear();
            delete no;
            Dialogos::Mensagem(this, QStringLiteral("Directory Deleted"));
        } else {
            Dialogos::Mensagem(this, QStringLiteral("Cannot Delete Directory"));
        }
        return;
    }
    if (QFile::remove(caminho)) {
        if (levaGeracao)
            m_pathGeracao.clear();
        delete no;
        Dialogos::Mensagem(this, QStringLiteral("File Deleted"));
    } else {
        Dialogos::Mensagem(this, QStringLiteral("Cannot Delete File"));
    }
}

// ------------------------------------------------------------------ tree commands

void TFormGeracao::NewRootDirectory1Click() {
    if (raiz()) {
        Dialogos::Mensagem(this, QStringLiteral("Just One Root Directory Is Allowed !!"));
        MarcaModificado();
        return;
    }
    const QString escolhido =
        Dialogos::EscolhePasta(this, QStringLiteral("Select Generation Directory"));
    MarcaModificado();
    if (escolhido.isEmpty())
        return;
    // The filesystem root has no last component and is refused.
    const QFileInfo pasta(QDir::cleanPath(QFileInfo(escolhido).absoluteFilePath()));
    const QString nome = pasta.fileName();
    if (nome.isEmpty())
        return;
    QString pai = pasta.path();
    if (!pai.endsWith(separador))
        pai += separador;
    m_pathRaiz = pai;
    QTreeWidgetItem* no = NovoNo(nome);
    m_arvore->addTopLevelItem(no);
    m_arvore->setCurrentItem(no);
    try {
        CarregaNo(no);
    } catch (...) {
        // A folder that cannot be read is not mounted.
        delete no;
        throw;
    }
}

void TFormGeracao::UnmountRootDirectory1Click() {
    m_arvore->clear();
    m_pathGeracao.clear();
    MarcaModificado();
}

void TFormGeracao::Refresh1Click() {
    QTreeWidgetItem* no = noSelecionado();
    if (no && ehDiretorio(no))
        CarregaNo(no);
}

void TFormGeracao::DefineAsGenerationDirectory1Click() {
    QTreeWidgetItem* no = noSelecionado();
    if (no && tipoNo(no) == TTipoNo::Diretorio && !ehGeracao(no)) {
        const QString atual = getGenerationDir(raiz());
        if (!atual.isEmpty())
            Dialogos::Mensagem(this,
                               QStringLiteral("A Generation Directory Is Already Specified: \"") +
                                   atual + QLatin1Char('"'));
        else
            setGenerationDir(no);
    }
    m_arvore->viewport()->update();
    MarcaModificado();
}

void TFormGeracao::SetAsCommonDirectory1Click() {
    QTreeWidgetItem* no = noSelecionado();
    if (no && ehGeracao(no)) {
        mostraBarra(QStringLiteral("Setting Coomon Dir. Wait..."), true);
        esqueceGeracao();
        m_arvore->viewport()->update();
        mostraBarra(QString(), false);
    }
    MarcaModificado();
}

void TFormGeracao::NewDirectory1Click() {
    QTreeWidgetItem* no = noSelecionado();
    if (!no)
        return;
    QString nome;
    if (!Dialogos::PedeTexto(this, QStringLiteral("New Directory"), QStringLiteral("Name"), nome) ||
        nome.isEmpty())
        return;
    // The name is one entry of the selected directory, never a path leading elsewhere.
    if (NomeSimples(nome) && QDir().mkdir(caminhoCompleto(no) + separador + nome)) {
        no->addChild(NovoNo(paraQString(ExtraiNome(deQString(nome)))));
        Dialogos::Mensagem(this, QStringLiteral("Directory Successfully Created !!"));
    } else {
        Dialogos::Mensagem(this, QStringLiteral("Directory Could Not Be Created !!"));
    }
}

void TFormGeracao::Rename1Click() {
    if (QTreeWidgetItem* no = noSelecionado())
        m_arvore->editItem(no, 0);
}

void TFormGeracao::tv_diraizEdited(QTreeWidgetItem* no, const QString& texto) {
    if (!no || texto == no->text(0))
        return;
    const QString anterior = no->text(0);
    const QString antes = caminhoCompleto(no);
    if (NomeSimples(texto)) {
        // Renaming the generation directory or a directory above it loses it: its path is
        // no longer the one given.
        const bool levaGeracao = geracaoDentro(no);
        QTreeWidgetItem* geracao = levaGeracao ? ExisteDir(m_pathGeracao, no) : nullptr;
        no->setText(0, texto);
        // Renaming never replaces an existing entry; a refused rename keeps the old name.
        if (!QDir().rename(antes, caminhoCompleto(no))) {
            no->setText(0, anterior);
        } else if (tipoNo(no) != TTipoNo::Diretorio) {
            ColocaIcones(no);
        } else if (levaGeracao) {
            m_pathGeracao.clear();
            if (geracao)
                atualizaIcone(geracao);
        }
    }
    MarcaModificado();
}

void TFormGeracao::DeleteDirectory1Click() {
    QTreeWidgetItem* no = noSelecionado();
    if (!no)
        return;
    const QString pergunta = QStringLiteral("Delete \"") + no->text(0) + QStringLiteral("\" ?");
    if (Dialogos::Pergunta(this, pergunta, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        DeleteArquivo(no, ehDiretorio(no));
}

void TFormGeracao::Execute1Click() {
    QTreeWidgetItem* no = noSelecionado();
    if (!no || ehDiretorio(no))
        return;
    const QString caminho = caminhoCompleto(no);
    for (const char* extensao : {".kmf", ".kgf", ".tpt", ".tpg"}) {
        if (caminho.contains(QLatin1String(extensao), Qt::CaseSensitive)) {
            principal().AbreArquivo({caminho});
            return;
        }
    }
    // A file no program is associated with is offered to the text viewer instead.
    if (!AbreComProgramaAssociado(caminho) &&
        Dialogos::Pergunta(this,
                           QStringLiteral("No Program Is Associated With \"") + no->text(0) +
                               QStringLiteral("\". Show It In The Text Viewer ?"),
                           QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        View1Click();
}

void TFormGeracao::View1Click() {
    QTreeWidgetItem* no = noSelecionado();
    if (!no || ehDiretorio(no))
        return;
    QStringList linhas;
    for (const std::string& linha : LeLinhasTexto(deQString(caminhoCompleto(no))))
        linhas.append(paraQString(linha));
    auto* visor = new QDialog(this);
    visor->setObjectName(QStringLiteral("FormVisualizador"));
    visor->setAttribute(Qt::WA_DeleteOnClose);
    visor->setWindowTitle(QStringLiteral("Text Viewer"));
    auto* layout = new QVBoxLayout(visor);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* texto = new QPlainTextEdit(visor);
    texto->setObjectName(QStringLiteral("Memo1"));
    texto->setReadOnly(true);
    texto->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // The editors' fixed-width font; about 100 columns and 35 lines, within the screen.
    texto->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    texto->setPlainText(linhas.join(QLatin1Char('\n')));
    layout->addWidget(texto);
    const QFontMetrics medidas(texto->font());
    QSize tamanho(medidas.horizontalAdvance(QLatin1Char('x')) * 100 + 40,
                  medidas.lineSpacing() * 35 + 20);
    if (const QScreen* tela = screen())
        tamanho = tamanho.boundedTo(tela->availableGeometry().size() * 9 / 10);
    visor->resize(tamanho);
    if (const QScreen* tela = screen())
        visor->move(tela->availableGeometry().center() - visor->rect().center());
    visor->show();
}

void TFormGeracao::NewMappingFile1Click() {
    QTreeWidgetItem* no = noSelecionado();
    if (!no || !ehDiretorio(no))
        return;
    principal().setDiretorioInicialSalvar(caminhoCompleto(no));
    principal().Mapeamento2Click();
}

void TFormGeracao::NewFendrilTemplateFile1Click() {
    QTreeWidgetItem* no = noSelecionado();
    if (!no || !ehDiretorio(no))
        return;
    principal().setDiretorioInicialSalvar(caminhoCompleto(no));
    principal().Modelo1Click();
}

// ------------------------------------------------------------------ generation

QStringList TFormGeracao::ItensMarcados(const QListWidget* lista) {
    QStringList marcados;
    for (int i = 0; i < lista->count(); ++i)
        if (lista->item(i)->checkState() == Qt::Checked)
            marcados.append(lista->item(i)->text());
    return marcados;
}

void TFormGeracao::but_generateClick() {
    QTreeWidgetItem* no = raiz();
    if (!no)
        return;
    const QString diretorio = getGenerationDir(no);
    if (diretorio.isEmpty()) {
        Dialogos::Mensagem(this, QStringLiteral("A Generation Directory Must Be Specified !!"));
        return;
    }
    if (m_mapfile->text().isEmpty()) {
        Dialogos::Mensagem(this, QStringLiteral("A Mapping File Must Be Specified !!"));
        return;
    }
    if (m_fendril->count() == 0 && m_templ->count() == 0) {
        Dialogos::Mensagem(this, QStringLiteral("At Least One Template Must Be Specified !!"));
        return;
    }
    CheckExistingFiles1Click();
    CheckExistingFiles2Click();
    auto textos = [](const QStringList& lista) {
        TListaTextos convertidos;
        for (const QString& texto : lista)
            convertidos.push_back(deQString(texto));
        return convertidos;
    };
    TFormEvolucaoGeracao::Executa(this, deQString(m_mapfile->text()), deQString(diretorio),
                                  textos(ItensMarcados(m_fendril)), textos(ItensMarcados(m_templ)),
                                  m_fundeEdicoes->isChecked());
    // The new files appear in the tree.
    doRefreshNo(diretorio, raiz());
}

void TFormGeracao::but_viewlogClick() {
    const QString diretorio = getGenerationDir(raiz());
    // Without a generation directory there is no log to show.
    if (diretorio.isEmpty()) {
        Dialogos::Mensagem(this, QStringLiteral("A Generation Directory Must Be Specified !!"));
        return;
    }
    MostraLog(this, diretorio + separador + QStringLiteral("log.txt"));
}

// ------------------------------------------------------------------ generation files

QString TFormGeracao::pastaDocumento() const {
    if (!m_pastaAbrindo.isEmpty())
        return m_pastaAbrindo;
    return QFileInfo(gettNomeArq()).absolutePath();
}

QString TFormGeracao::resolve(const std::string& caminho) const {
    return ResolveCaminho(pastaDocumento(), paraQString(caminho));
}

void TFormGeracao::adicionaModelo(QListWidget* lista, const QString& caminho, bool marcado) {
    TCarregando carregando(m_carregando);
    auto* item = new QListWidgetItem(caminho);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(marcado ? Qt::Checked : Qt::Unchecked);
    lista->addItem(item);
}

void TFormGeracao::ab_mapfileClick() {
    const QString inicial = raiz() ? caminhoCompleto(raiz()) : QString();
    const QString caminho =
        Dialogos::AbreArquivo(this, QStringLiteral("Open"), filtroMapeamento, inicial);
    if (!caminho.isEmpty())
        m_mapfile->setText(caminho);
}

void TFormGeracao::insereModelos(QListWidget* lista, const QString& filtro) {
    const QString inicial = raiz() ? caminhoCompleto(raiz()) : QString();
    const QStringList escolhidos =
        Dialogos::AbreArquivos(this, QStringLiteral("Open"), filtro, inicial);
    if (!escolhidos.isEmpty()) {
        lista->clear();
        for (const QString& caminho : escolhidos)
            adicionaModelo(lista, caminho, true);
    }
    MarcaModificado();
}

void TFormGeracao::ab_fendrilClick() {
    insereModelos(m_fendril, filtroModeloTabela);
}
void TFormGeracao::ab_templClick() {
    insereModelos(m_templ, filtroModeloGeral);
}

void TFormGeracao::removeSelecionado(QListWidget* lista) {
    if (QListWidgetItem* item = lista->currentItem(); item && item->isSelected())
        delete item;
}

void TFormGeracao::marcaSelecionado(QListWidget* lista, bool marcado) {
    TCarregando carregando(m_carregando);
    if (QListWidgetItem* item = lista->currentItem(); item && item->isSelected())
        item->setCheckState(marcado ? Qt::Checked : Qt::Unchecked);
}

void TFormGeracao::removeInexistentes(QListWidget* lista) {
    for (int i = lista->count() - 1; i >= 0; --i)
        if (!QFileInfo::exists(lista->item(i)->text()))
            delete lista->item(i);
}

void TFormGeracao::Delete1Click() {
    removeSelecionado(m_fendril);
}
void TFormGeracao::Insert1Click() {
    ab_fendrilClick();
}
void TFormGeracao::Check1Click() {
    marcaSelecionado(m_fendril, true);
}
void TFormGeracao::Uncheck1Click() {
    marcaSelecionado(m_fendril, false);
}
void TFormGeracao::CheckExistingFiles1Click() {
    removeInexistentes(m_fendril);
}
void TFormGeracao::MenuItem1Click() {
    removeSelecionado(m_templ);
}
void TFormGeracao::MenuItem2Click() {
    ab_templClick();
}
void TFormGeracao::MenuItem3Click() {
    marcaSelecionado(m_templ, true);
}
void TFormGeracao::MenuItem4Click() {
    marcaSelecionado(m_templ, false);
}
void TFormGeracao::CheckExistingFiles2Click() {
    removeInexistentes(m_templ);
}

// ------------------------------------------------------------------ drag and drop

QListWidget* TFormGeracao::listaDoAlvo(const QObject* alvo) const {
    for (QListWidget* lista : {m_fendril, m_templ})
        if (lista && (alvo == lista || alvo == lista->viewport()))
            return lista;
    return nullptr;
}

bool TFormGeracao::AceitaArrasto(const QObject* alvo) const {
    const QTreeWidgetItem* no = noSelecionado();
    if (!no || ehDiretorio(no))
        return false;
    const QString nome = no->text(0);
    if (alvo == m_mapfile)
        return nome.contains(QStringLiteral(".kmf"));
    const QListWidget* lista = listaDoAlvo(alvo);
    if (lista == m_fendril)
        return nome.contains(QStringLiteral(".tpt"));
    if (lista == m_templ)
        return nome.contains(QStringLiteral(".tpg"));
    return false;
}

void TFormGeracao::SoltaArrasto(const QObject* alvo) {
    if (!AceitaArrasto(alvo))
        return;
    const QString caminho = caminhoCompleto(noSelecionado());
    if (alvo == m_mapfile) {
        m_mapfile->setText(caminho);
        return;
    }
    QListWidget* lista = listaDoAlvo(alvo);
    bool presente = false;
    for (int i = 0; i < lista->count() && !presente; ++i)
        presente = MesmoTextoSemCaixa(deQString(lista->item(i)->text()), deQString(caminho));
    if (!presente)
        adicionaModelo(lista, caminho, true);
    MarcaModificado();
}

bool TFormGeracao::eventFilter(QObject* objeto, QEvent* evento) {
    const bool alvoDeArrasto = objeto && (objeto == m_mapfile || listaDoAlvo(objeto));
    switch (evento->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (alvoDeArrasto) {
            auto* arrasto = static_cast<QDragMoveEvent*>(evento);
            // Decided once per target: the check reads the node's folder from the disk.
            if (evento->type() == QEvent::DragEnter)
                m_arrastoAceito = arrasto->source() == m_arvore && AceitaArrasto(objeto);
            if (m_arrastoAceito) {
                // A copy: a move would have the tree remove the dragged node.
                arrasto->setDropAction(Qt::CopyAction);
                arrasto->accept();
            } else {
                arrasto->ignore();
            }
            return true;
        }
        break;
    case QEvent::Drop:
        if (alvoDeArrasto) {
            auto* soltura = static_cast<QDropEvent*>(evento);
            if (soltura->source() == m_arvore && AceitaArrasto(objeto)) {
                SoltaArrasto(objeto);
                soltura->setDropAction(Qt::CopyAction);
                soltura->accept();
            } else {
                soltura->ignore();
            }
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
        if (m_data && (objeto == m_data || objeto->parent() == m_data))
            MarcaSeUsuario();
        break;
    default:
        break;
    }
    return TJanelaFilha::eventFilter(objeto, evento);
}

// ------------------------------------------------------------------ document

TArquivoKMF TFormGeracao::getArquivo() const {
    TDocGeracao doc;
    LeCamposJanela(*this, kCamposGeracao, doc);
    doc.pathRaiz = deQString(m_pathRaiz);
    if (QTreeWidgetItem* no = raiz()) {
        doc.pathMontado = deQString(no->text(0));
        doc.diretorioGeracao = deQString(getGenerationDir(no));
    }
    for (auto [lista, destino] :
         {std::pair{m_fendril, &doc.modelosTabela}, std::pair{m_templ, &doc.modelosGerais}}) {
        for (int i = 0; i < lista->count(); ++i)
            destino->push_back(
                {deQString(lista->item(i)->text()), lista->item(i)->checkState() == Qt::Checked});
    }
    return doc.getArquivo();
}

void TFormGeracao::setArquivo(const TArquivoKMF& documento) {
    TDocGeracao doc;
    std::exception_ptr falha;
    try {
        doc.setArquivo(documento);
    } catch (...) {
        // What was read before the failure is still shown; the failure is raised at the end.
        falha = std::current_exception();
    }
    TCarregando carregando(m_carregando);
    // The mapping is shown below, from the document's folder, when it still exists. A date
    // that cannot be read stops a complete document there, the fields before it shown; in
    // one that already failed, the failure to report is the first.
    MostraCamposJanela(*this, kCamposGeracao, doc, {chave::edit_mapfile},
                       falha ? TDataInvalida::Ignora : TDataInvalida::Interrompe);

    m_arvore->clear();
    m_pathGeracao.clear();
    m_mapfile->clear();
    m_fendril->clear();
    m_templ->clear();
    const QString pasta = pastaDocumento();
    m_pathRaiz.clear();
    if (!doc.pathRaiz.empty()) {
        m_pathRaiz = resolve(doc.pathRaiz);
        if (!m_pathRaiz.endsWith(separador))
            m_pathRaiz += separador;
    } else if (!doc.pathMontado.empty()) {
        m_pathRaiz = pasta + separador;
    }
    const QString montado = paraQString(doc.pathMontado);
    if (!montado.isEmpty() && QFileInfo(m_pathRaiz + montado).isDir()) {
        QTreeWidgetItem* no = NovoNo(montado);
        m_arvore->addTopLevelItem(no);
        CarregaNo(no);
        const QString geracao = resolve(doc.diretorioGeracao);
        if (!geracao.isEmpty() && QFileInfo(geracao).isDir())
            setGenerationDir(ExisteDir(geracao, no));
    }
    const QString mapeamento = resolve(doc.arquivoMapeamento);
    if (!mapeamento.isEmpty() && QFileInfo::exists(mapeamento))
        m_mapfile->setText(mapeamento);
    for (auto [lista, modelos] :
         {std::pair{m_fendril, &doc.modelosTabela}, std::pair{m_templ, &doc.modelosGerais}}) {
        for (const TModeloMarcado& modelo : *modelos) {
            const QString caminho = resolve(modelo.caminho);
            if (QFileInfo::exists(caminho))
                adicionaModelo(lista, caminho, modelo.marcado);
        }
    }
    if (falha)
        std::rethrow_exception(falha);
}

void TFormGeracao::AbreArquivoKMF(const QString& caminho) {
    m_pastaAbrindo = QFileInfo(caminho).absolutePath();
    try {
        TJanelaFilha::AbreArquivoKMF(caminho);
    } catch (...) {
        m_pastaAbrindo.clear();
        throw;
    }
    m_pastaAbrindo.clear();
}

// ------------------------------------------------------------------ main window

bool TFormGeracao::ExecutaComando(TComando comando) {
    void (TFormGeracao::*metodo)() = nullptr;
    switch (comando) {
    case TComando::MontaRaiz:
        metodo = &TFormGeracao::NewRootDirectory1Click;
        break;
    case TComando::DesmontaRaiz:
        metodo = &TFormGeracao::UnmountRootDirectory1Click;
        break;
    case TComando::Atualiza:
        metodo = &TFormGeracao::Refresh1Click;
        break;
    case TComando::DefineGeracao:
        metodo = &TFormGeracao::DefineAsGenerationDirectory1Click;
        break;
    case TComando::DefineComum:
        metodo = &TFormGeracao::SetAsCommonDirectory1Click;
        break;
    case TComando::NovoDiretorio:
        metodo = &TFormGeracao::NewDirectory1Click;
        break;
    case TComando::Renomeia:
        metodo = &TFormGeracao::Rename1Click;
        break;
    case TComando::Apaga:
        metodo = &TFormGeracao::DeleteDirectory1Click;
        break;
    case TComando::Executa:
        metodo = &TFormGeracao::Execute1Click;
        break;
    case TComando::Visualiza:
        metodo = &TFormGeracao::View1Click;
        break;
    case TComando::GeraTodos:
        metodo = &TFormGeracao::but_generateClick;
        break;
    case TComando::VerLog:
        metodo = &TFormGeracao::but_viewlogClick;
        break;
    default:
        return false;
    }
    // Every command works on the Generation page.
    m_pcontrol->setCurrentIndex(1);
    (this->*metodo)();
    return true;
}

void TFormGeracao::AlternaBarra(const QString& item) {
    if (item == QStringLiteral("HideGenerationToolBar1"))
        m_cbGeneration->setVisible(m_cbGeneration->isHidden());
}

void RegistraGeracao() {
    RegistraFabrica(QStringLiteral("kgf"), [](TFormTelaPrincipal& principal) -> TJanelaFilha* {
        return new TFormGeracao(principal);
    });
}

} // namespace fendril

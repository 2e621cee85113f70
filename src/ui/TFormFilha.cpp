#include "ui/TFormFilha.h"

#include "documents/DocumentoMapeamento.h"
#include "engine/AliasRules.h"
#include "model/EdicaoPropriedades.h"
#include "model/Erros.h"
#include "model/Log.h"
#include "model/Textos.h"
#include "schema/RefreshReading.h"
#include "schema/TColecao.h"
#include "schema/windows/TFormConexao.h"
#include "schema/windows/TFormMostraDados.h"
#include "schema/windows/TFormMostraTabelas.h"
#include "ui/TFormRegrasAlias.h"
#include "ui/TFormSincronizacao.h"
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
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <set>
#include <unordered_map>
#include <utility>

namespace fendril {

namespace {

const QString itemBarra = QStringLiteral("MostrarBarradeFerramentasemTabelaseColunas1");
const QString legendaConectar = QStringLiteral("Connect");
const QString legendaDesconectar = QStringLiteral("Disconnect");
const QString semConexao = QStringLiteral("No Database Connection Was Established !!");
constexpr int maximoNumero = 1000000;

// ASCII letters folded, so that "Orders" sorts beside "order_lines".
unsigned char Dobra(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

bool MenorSemCaixa(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Dobra(x) < Dobra(y); });
}

QIcon DesenhaIconeTabela() {
    QPixmap imagem(16, 16);
    imagem.fill(Qt::transparent);
    QPainter pintor(&imagem);
    const QColor borda(52, 84, 138);
    pintor.fillRect(1, 2, 14, 12, Qt::white);
    pintor.fillRect(1, 2, 14, 4, QColor(88, 132, 204));
    pintor.setPen(borda);
    pintor.drawRect(1, 2, 13, 11);
    pintor.drawLine(1, 9, 14, 9);
    pintor.drawLine(6, 6, 6, 13);
    pintor.drawLine(10, 6, 10, 13);
    pintor.end();
    return QIcon(imagem);
}

QIcon DesenhaIconeChave() {
    QPixmap imagem(16, 16);
    imagem.fill(Qt::transparent);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    const QColor ouro(214, 164, 28);
    const QColor borda(128, 92, 8);
    QPainterPath chave;
    chave.addEllipse(QRectF(0.5, 4.0, 7.0, 7.0));
    chave.addRect(QRectF(6.5, 6.5, 9.0, 2.0));
    chave.addRect(QRectF(11.0, 8.5, 1.8, 3.0));
    chave.addRect(QRectF(13.7, 8.5, 1.8, 2.2));
    chave.setFillRule(Qt::WindingFill);
    pintor.setPen(QPen(borda, 0.8));
    pintor.setBrush(ouro);
    pintor.drawPath(chave.simplified());
    pintor.setBrush(Qt::white);
    pintor.drawEllipse(QRectF(2.3, 6.3, 2.4, 2.4));
    pintor.end();
    return QIcon(imagem);
}

// A foreign key: an arrow pointing at the table it refers to.
QIcon DesenhaIconeEstrangeira() {
    QPixmap imagem(16, 16);
    imagem.fill(Qt::transparent);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    const QColor azul(40, 110, 200);
    pintor.setPen(QPen(azul, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    pintor.drawLine(QPointF(2.0, 8.0), QPointF(12.5, 8.0));
    QPainterPath ponta;
    ponta.moveTo(15.0, 8.0);
    ponta.lineTo(10.0, 3.5);
    ponta.lineTo(10.0, 12.5);
    ponta.closeSubpath();
    pintor.setPen(Qt::NoPen);
    pintor.setBrush(azul);
    pintor.drawPath(ponta);
    pintor.end();
    return QIcon(imagem);
}

// A primary key that is a foreign key as well: the key with the arrow below it.
QIcon DesenhaIconeChaveEstrangeira(const QIcon& chave, const QIcon& estrangeira) {
    QPixmap imagem(16, 16);
    imagem.fill(Qt::transparent);
    QPainter pintor(&imagem);
    pintor.drawPixmap(0, -3, chave.pixmap(16, 16));
    pintor.drawPixmap(QRect(6, 8, 10, 8), estrangeira.pixmap(16, 16));
    pintor.end();
    return QIcon(imagem);
}

QLineEdit* NovoEdit(QWidget* pai, const QString& nome, const QString& dica) {
    auto* edit = new QLineEdit(pai);
    edit->setObjectName(nome);
    edit->setToolTip(dica);
    return edit;
}

QComboBox* NovoCombo(QWidget* pai, const QString& nome, const QString& dica) {
    auto* combo = new QComboBox(pai);
    combo->setObjectName(nome);
    combo->setToolTip(dica);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(8);
    return combo;
}

QToolButton* NovoBotaoAnexo(QWidget* pai, const QString& nome, const QString& texto,
                            const QString& dica) {
    auto* botao = new QToolButton(pai);
    botao->setObjectName(nome);
    botao->setText(texto);
    botao->setToolTip(dica);
    return botao;
}

QSpinBox* NovoNumero(QWidget* pai, const QString& nome, const QString& dica) {
    auto* numero = new QSpinBox(pai);
    numero->setObjectName(nome);
    numero->setToolTip(dica);
    numero->setRange(-1, maximoNumero);
    numero->setSingleStep(1);
    numero->setMinimumWidth(80);
    return numero;
}

// A line edit and the button attached to its right edge.
QWidget* ComAnexo(QWidget* pai, QWidget* campo, QToolButton* botao) {
    auto* caixa = new QWidget(pai);
    auto* linha = new QHBoxLayout(caixa);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->setSpacing(2);
    linha->addWidget(campo, 1);
    linha->addWidget(botao);
    return caixa;
}

// Empties a drop-down's list, keeping the text it shows.
void EsvaziaLista(QComboBox* combo) {
    const QString texto = combo->currentText();
    combo->clear();
    combo->setEditText(texto);
}

// Replaces a drop-down's list, sorted without regard to case unless told otherwise.
void PoeItens(QComboBox* combo, QStringList itens, bool ordena = true) {
    if (ordena)
        std::stable_sort(itens.begin(), itens.end(), [](const QString& a, const QString& b) {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        });
    EsvaziaLista(combo);
    const QString texto = combo->currentText();
    combo->addItems(itens);
    combo->setEditText(texto);
}

// Sets a flag for the lifetime of a long step and restores it afterwards.
class Ocupado {
public:
    explicit Ocupado(bool& flag) : m_flag(flag), m_anterior(flag) { m_flag = true; }
    ~Ocupado() { m_flag = m_anterior; }
    Ocupado(const Ocupado&) = delete;
    Ocupado& operator=(const Ocupado&) = delete;

private:
    bool& m_flag;
    bool m_anterior;
};

// Column names line up whether or not they carry the key icon.
class DelegadoArvore : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* opcao, const QModelIndex& indice) const override {
        QStyledItemDelegate::initStyleOption(opcao, indice);
        if (indice.parent().isValid() &&
            !opcao->features.testFlag(QStyleOptionViewItem::HasDecoration)) {
            opcao->features |= QStyleOptionViewItem::HasDecoration;
            opcao->decorationSize = QSize(16, 16);
        }
    }
};

void Repinta() {
    QCoreApplication::processEvents();
}

} // namespace

TFormFilha::TFormFilha(TFormTelaPrincipal& principal) : TJanelaFilha(principal) {
    setObjectName(QStringLiteral("FormFilha"));
    setWindowIcon(DesenhaIconeTabela());
    m_iconeTabela = DesenhaIconeTabela();
    m_iconeChave = DesenhaIconeChave();
    m_iconeEstrangeira = DesenhaIconeEstrangeira();
    m_iconeChaveEstrangeira = DesenhaIconeChaveEstrangeira(m_iconeChave, m_iconeEstrangeira);

    const TCorpoJanela corpo = CriaCorpoJanela(this);
    m_pcontrol = corpo.pcontrol;
    auto* descricao = NovaPagina(m_pcontrol, QStringLiteral("tab_descricao"));
    criaPaginaDescricao(descricao);
    m_pcontrol->addTab(descricao, QStringLiteral("Description"));
    auto* tabelas = NovaPagina(m_pcontrol, QStringLiteral("tab_tabelas"));
    criaPaginaTabelas(tabelas);
    m_pcontrol->addTab(tabelas, QStringLiteral("Tables And Columns"));

    m_barra = CriaBarraEstado(corpo);
    for (int i = 0; i < 2; ++i) {
        m_paineis[i] = new QLabel(m_barra);
        m_paineis[i]->setObjectName(QStringLiteral("barra_painel%1").arg(i));
    }
    m_paineis[0]->setFixedWidth(100);
    m_barra->addWidget(m_paineis[0]);
    m_barra->addWidget(m_paineis[1], 1);
    m_paineis[0]->setText(QStringLiteral("Disconnected"));
    setWidget(corpo.corpo);

    // FormShow: nothing to check yet, the load log of an earlier session removed, today's
    // date, the "Description" page, the tool bar as the main window's item says.
    m_marcaColunas = false;
    ApagaLogCarga(deQString(principal.diretorioLogs()));
    m_data->setDate(QDate::currentDate());
    m_pcontrol->setCurrentIndex(0);
    m_barraFerramentas->setVisible(!principal.ItemMarcado(itemBarra));
    limpaCampos();
    m_grupoTabela->setEnabled(false);
    m_grupoColuna->setEnabled(false);
}

TFormFilha::~TFormFilha() = default;

// ------------------------------------------------------------------ building the pages

void TFormFilha::criaPaginaDescricao(QWidget* pagina) {
    auto* layout = new QVBoxLayout(pagina);
    auto* formulario = new QFormLayout;
    formulario->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    m_nome = NovoEdit(pagina, QStringLiteral("Edit_nome"), QStringLiteral("Mapping Name"));
    m_autor = NovoEdit(pagina, QStringLiteral("Edit_autor"), QStringLiteral("Author"));
    // Qt's own first date: the window sets today's date once it is built.
    m_data = CriaCampoData(pagina, QDate(2000, 1, 1));
    m_data->setToolTip(QStringLiteral("Date"));
    auto* linhaData = new QHBoxLayout;
    linhaData->addWidget(m_data);
    linhaData->addStretch(1);
    formulario->addRow(QStringLiteral("Mapping Name"), m_nome);
    formulario->addRow(QStringLiteral("Author"), m_autor);
    formulario->addRow(QStringLiteral("Date"), linhaData);
    layout->addLayout(formulario);

    auto* grupo = new QGroupBox(QStringLiteral("Connection"), pagina);
    grupo->setObjectName(QStringLiteral("gb_conexao"));
    auto* grade = new QGridLayout(grupo);
    const QString rotulos[4][2] = {
        {QStringLiteral("lb_constring"), QStringLiteral("Connection String")},
        {QStringLiteral("lb_usuario"), QStringLiteral("User Name")},
        {QStringLiteral("lb_senha"), QStringLiteral("Password")},
        {QStringLiteral("lb_basedados"), QStringLiteral("Database Name")}};
    for (int i = 0; i < 4; ++i) {
        m_rotulosConexao[i] = new QLabel(rotulos[i][1], grupo);
        m_rotulosConexao[i]->setObjectName(rotulos[i][0]);
        grade->addWidget(m_rotulosConexao[i], i, 0);
    }
    m_constring =
        NovoEdit(grupo, QStringLiteral("edit_constring"), QStringLiteral("Connection String"));
    m_atbutConstring =
        NovoBotaoAnexo(grupo, QStringLiteral("atbut_constring"), QStringLiteral("..."),
                       QStringLiteral("Build Connection String"));
    m_usuario = NovoEdit(grupo, QStringLiteral("edit_usuario"), QStringLiteral("User Name"));
    m_senha = NovoEdit(grupo, QStringLiteral("edit_Senha"), QStringLiteral("Password"));
    m_senha->setEchoMode(QLineEdit::Password);
    m_baseDados =
        NovoCombo(grupo, QStringLiteral("combo_basedados"), QStringLiteral("Database Name"));
    m_atbutBaseDados = NovoBotaoAnexo(grupo, QStringLiteral("atbut_basedados"),
                                      QStringLiteral("..."), QStringLiteral("Get Database Names"));
    grade->addWidget(ComAnexo(grupo, m_constring, m_atbutConstring), 0, 1);
    grade->addWidget(m_usuario, 1, 1);
    grade->addWidget(m_senha, 2, 1);
    grade->addWidget(ComAnexo(grupo, m_baseDados, m_atbutBaseDados), 3, 1);
    m_rotulosConexao[0]->setBuddy(m_constring);
    m_rotulosConexao[1]->setBuddy(m_usuario);
    m_rotulosConexao[2]->setBuddy(m_senha);
    m_rotulosConexao[3]->setBuddy(m_baseDados);
    m_conectar = new QPushButton(legendaConectar, grupo);
    m_conectar->setObjectName(QStringLiteral("but_conectar"));
    m_conectar->setMinimumWidth(110);
    auto* linhaBotao = new QHBoxLayout;
    linhaBotao->addStretch(1);
    linhaBotao->addWidget(m_conectar);
    grade->addLayout(linhaBotao, 4, 0, 1, 2);
    grade->setColumnStretch(1, 1);
    layout->addWidget(grupo);
    layout->addStretch(1);

    connect(m_atbutConstring, &QToolButton::clicked, this, &TFormFilha::atbut_constringClick);
    connect(m_atbutBaseDados, &QToolButton::clicked, this, &TFormFilha::atbut_basedadosClick);
    connect(m_conectar, &QPushButton::clicked, this, &TFormFilha::but_conectarClick);
    connect(m_baseDados, &QComboBox::activated, this,
            [this] { edit_tipotabelaClick(m_baseDados); });

    for (QWidget* campo : std::initializer_list<QWidget*>{m_nome, m_autor, m_data, m_constring,
                                                          m_baseDados, m_usuario, m_senha})
        campo->installEventFilter(this);
    if (auto* interno = m_data->findChild<QLineEdit*>())
        interno->installEventFilter(this);
    m_baseDados->lineEdit()->installEventFilter(this);
}

void TFormFilha::criaPaginaTabelas(QWidget* pagina) {
    auto* layout = new QVBoxLayout(pagina);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* divisor = new QSplitter(Qt::Horizontal, pagina);
    divisor->setObjectName(QStringLiteral("divisor"));
    divisor->setChildrenCollapsible(false);

    auto* esquerda = new QWidget(divisor);
    auto* colunaEsquerda = new QVBoxLayout(esquerda);
    colunaEsquerda->setContentsMargins(0, 0, 0, 0);
    m_label8 = new QLabel(QStringLiteral("Database"), esquerda);
    m_label8->setObjectName(QStringLiteral("Label8"));
    QFont negrito = m_label8->font();
    negrito.setBold(true);
    m_label8->setFont(negrito);
    colunaEsquerda->addWidget(m_label8);
    m_arvore = new QTreeWidget(esquerda);
    m_arvore->setObjectName(QStringLiteral("arvore"));
    m_arvore->setHeaderHidden(true);
    m_arvore->setUniformRowHeights(true);
    m_arvore->setContextMenuPolicy(Qt::CustomContextMenu);
    m_arvore->setMinimumWidth(180);
    m_arvore->setItemDelegate(new DelegadoArvore(m_arvore));
    colunaEsquerda->addWidget(m_arvore, 1);
    m_progresso = new QProgressBar(esquerda);
    m_progresso->setObjectName(QStringLiteral("progresso"));
    m_progresso->setRange(0, 100);
    m_progresso->setValue(0);
    m_progresso->hide();
    colunaEsquerda->addWidget(m_progresso);

    auto* direita = new QWidget(divisor);
    auto* colunaDireita = new QVBoxLayout(direita);
    colunaDireita->setContentsMargins(0, 0, 0, 0);
    m_barraFerramentas = new QToolBar(direita);
    m_barraFerramentas->setObjectName(QStringLiteral("barra_ferramentas"));
    m_barraFerramentas->setIconSize(QSize(20, 20));
    const auto botao = [this](const QString& nome, const QString& dica,
                              QStyle::StandardPixmap icone, void (TFormFilha::*metodo)()) {
        QAction* acao =
            m_barraFerramentas->addAction(style()->standardIcon(icone), dica, this, metodo);
        acao->setObjectName(nome);
        acao->setToolTip(dica);
        return acao;
    };
    botao(QStringLiteral("but_obter"), QStringLiteral("Load Tables And Columns"),
          QStyle::SP_DialogOpenButton, &TFormFilha::but_obterClick);
    botao(QStringLiteral("but_importatabela"), QStringLiteral("Add Remaining Tables"),
          QStyle::SP_FileDialogNewFolder, &TFormFilha::but_importatabelaClick);
    botao(QStringLiteral("but_sincroniza"), QStringLiteral("Synchronise With Database"),
          QStyle::SP_DriveNetIcon, &TFormFilha::but_sincronizaClick)
        ->setIcon(IconeSincronizacao());
    botao(QStringLiteral("but_removetb"), QStringLiteral("Remove Selected Table"),
          QStyle::SP_TrashIcon, &TFormFilha::but_removetbClick);
    botao(QStringLiteral("but_viewlog"), QStringLiteral("View Log"), QStyle::SP_FileDialogInfoView,
          &TFormFilha::but_viewlogClick);
    m_barraFerramentas->addSeparator();
    botao(QStringLiteral("but_checa"), QStringLiteral("Check/Uncheck All Columns"),
          QStyle::SP_DialogApplyButton, &TFormFilha::but_checaClick);
    botao(QStringLiteral("but_aliases"), QStringLiteral("Fill Empty Aliases..."),
          QStyle::SP_FileDialogDetailedView, &TFormFilha::but_aliasesClick);
    botao(QStringLiteral("but_refresh"), QStringLiteral("Refresh"), QStyle::SP_BrowserReload,
          &TFormFilha::but_refreshClick);
    botao(QStringLiteral("but_confirmar"), QStringLiteral("Save Column Property Changes"),
          QStyle::SP_DialogSaveButton, &TFormFilha::but_confirmarClick);
    m_barraFerramentas->addSeparator();
    botao(QStringLiteral("but_mostradados"), QStringLiteral("Show Table Data"),
          QStyle::SP_FileDialogContentsView, &TFormFilha::but_mostradadosClick);
    colunaDireita->addWidget(m_barraFerramentas);

    auto* rolagem = new QScrollArea(direita);
    rolagem->setObjectName(QStringLiteral("rolagem_propriedades"));
    rolagem->setWidgetResizable(true);
    rolagem->setFrameShape(QFrame::NoFrame);
    auto* paineis = new QWidget(rolagem);
    auto* colunaPaineis = new QVBoxLayout(paineis);
    colunaPaineis->setContentsMargins(0, 0, 4, 0);
    colunaPaineis->addWidget(criaPainelTabela(paineis));
    colunaPaineis->addWidget(criaPainelColuna(paineis));
    colunaPaineis->addStretch(1);
    rolagem->setWidget(paineis);
    colunaDireita->addWidget(rolagem, 1);

    divisor->addWidget(esquerda);
    divisor->addWidget(direita);
    divisor->setStretchFactor(0, 2);
    divisor->setStretchFactor(1, 3);
    divisor->setSizes({300, 600});
    layout->addWidget(divisor);

    // A click (also on the node already selected) shows the node and commits its panel, as
    // expanding and collapsing do; moving with the keys shows the node without committing.
    connect(m_arvore, &QTreeWidget::itemClicked, this, [this] { arvoreClick(); });
    connect(m_arvore, &QTreeWidget::itemExpanded, this, [this] { arvoreClick(); });
    connect(m_arvore, &QTreeWidget::itemCollapsed, this, [this] { arvoreClick(); });
    connect(m_arvore, &QTreeWidget::currentItemChanged, this, [this] { mostraSelecao(false); });
    criaMenuArvore();
}

QWidget* TFormFilha::criaPainelTabela(QWidget* pai) {
    m_grupoTabela = new QGroupBox(QStringLiteral("Table"), pai);
    m_grupoTabela->setObjectName(QStringLiteral("gb_tabela"));
    auto* grade = new QGridLayout(m_grupoTabela);
    m_nomeTabela =
        NovoEdit(m_grupoTabela, QStringLiteral("Edit_nometabela"), QStringLiteral("Table Name"));
    m_nomeTabela->setReadOnly(true);
    m_tbAlias =
        NovoEdit(m_grupoTabela, QStringLiteral("edit_tbalias"), QStringLiteral("Table Alias"));
    auto* igualTabela = NovoBotaoAnexo(m_grupoTabela, QStringLiteral("atbut_tbalias"),
                                       QStringLiteral("="), QStringLiteral("Table Alias"));
    m_esquema = NovoEdit(m_grupoTabela, QStringLiteral("edit_esquema"), QStringLiteral("Schema"));
    m_esquema->setReadOnly(true);
    m_tipoTabela = NovoCombo(m_grupoTabela, QStringLiteral("edit_tipotabela"),
                             QStringLiteral("OLE Table Type"));
    m_tipoTabela->addItems({QStringLiteral("ALIAS"), QStringLiteral("TABLE"),
                            QStringLiteral("SYNONYM"), QStringLiteral("SYSTEM TABLE"),
                            QStringLiteral("VIEW"), QStringLiteral("GLOBAL TEMPORARY"),
                            QStringLiteral("LOCAL TEMPORARY"), QStringLiteral("SYSTEM VIEW")});
    grade->addWidget(new QLabel(QStringLiteral("Table Name"), m_grupoTabela), 0, 0);
    grade->addWidget(m_nomeTabela, 0, 1);
    grade->addWidget(new QLabel(QStringLiteral("Table Alias"), m_grupoTabela), 0, 2);
    grade->addWidget(ComAnexo(m_grupoTabela, m_tbAlias, igualTabela), 0, 3);
    grade->addWidget(new QLabel(QStringLiteral("Schema"), m_grupoTabela), 1, 0);
    grade->addWidget(m_esquema, 1, 1);
    grade->addWidget(new QLabel(QStringLiteral("OLE Table Type"), m_grupoTabela), 1, 2);
    grade->addWidget(m_tipoTabela, 1, 3);
    m_tbComment =
        NovoEdit(m_grupoTabela, QStringLiteral("edit_tbcomment"), QStringLiteral("Comment"));
    grade->addWidget(new QLabel(QStringLiteral("Comment"), m_grupoTabela), 2, 0);
    grade->addWidget(m_tbComment, 2, 1, 1, 3);
    grade->setColumnStretch(1, 1);
    grade->setColumnStretch(3, 1);

    connect(igualTabela, &QToolButton::clicked, this,
            [this] { m_tbAlias->setText(m_nomeTabela->text()); });
    connect(m_tipoTabela, &QComboBox::activated, this,
            [this] { edit_tipotabelaClick(m_tipoTabela); });
    for (QWidget* campo : std::initializer_list<QWidget*>{m_esquema, m_tbAlias, m_tbComment})
        campo->installEventFilter(this);
    return m_grupoTabela;
}

QWidget* TFormFilha::criaPainelColuna(QWidget* pai) {
    m_grupoColuna = new QGroupBox(QStringLiteral("Column"), pai);
    m_grupoColuna->setObjectName(QStringLiteral("gb_coluna"));
    auto* grade = new QGridLayout(m_grupoColuna);
    m_nomeColuna =
        NovoEdit(m_grupoColuna, QStringLiteral("edit_nomecoluna"), QStringLiteral("Column Name"));
    m_nomeColuna->setReadOnly(true);
    m_colAlias =
        NovoEdit(m_grupoColuna, QStringLiteral("edit_colalias"), QStringLiteral("Column Alias"));
    auto* igualColuna = NovoBotaoAnexo(m_grupoColuna, QStringLiteral("atbut_colalias"),
                                       QStringLiteral("= "), QStringLiteral("Column Alias"));
    m_habilitado = new QCheckBox(QStringLiteral("Enabled"), m_grupoColuna);
    m_habilitado->setObjectName(QStringLiteral("cb_habilitado"));

    auto* tipoColuna = new QGroupBox(QStringLiteral("Column Type"), m_grupoColuna);
    tipoColuna->setObjectName(QStringLiteral("gb_tipocoluna"));
    auto* linhaTipo = new QHBoxLayout(tipoColuna);
    m_primary = new QCheckBox(QStringLiteral("Primary Key"), tipoColuna);
    m_primary->setObjectName(QStringLiteral("cb_primary"));
    m_foreign = new QCheckBox(QStringLiteral("Foreign Key"), tipoColuna);
    m_foreign->setObjectName(QStringLiteral("cb_foreign"));
    linhaTipo->addWidget(m_primary);
    linhaTipo->addWidget(m_foreign);
    linhaTipo->addStretch(1);

    m_tipoDado = NovoCombo(m_grupoColuna, QStringLiteral("combo_tipodado"),
                           QStringLiteral("Provider Data Type"));
    m_dataHora = new QCheckBox(QStringLiteral("Date/Time Type"), m_grupoColuna);
    m_dataHora->setObjectName(QStringLiteral("chk_datetime"));
    m_length = NovoNumero(m_grupoColuna, QStringLiteral("ed_length"), QStringLiteral("Length"));
    m_precision =
        NovoNumero(m_grupoColuna, QStringLiteral("ed_precision"), QStringLiteral("Precision"));
    m_scale = NovoNumero(m_grupoColuna, QStringLiteral("ed_scale"), QStringLiteral("Scale"));
    auto* numeros = new QWidget(m_grupoColuna);
    auto* linhaNumeros = new QHBoxLayout(numeros);
    linhaNumeros->setContentsMargins(0, 0, 0, 0);
    linhaNumeros->addWidget(m_length);
    linhaNumeros->addSpacing(8);
    linhaNumeros->addWidget(new QLabel(QStringLiteral("Precision"), numeros));
    linhaNumeros->addWidget(m_precision);
    linhaNumeros->addSpacing(8);
    linhaNumeros->addWidget(new QLabel(QStringLiteral("Scale"), numeros));
    linhaNumeros->addWidget(m_scale);
    linhaNumeros->addStretch(1);

    m_grupoEstrangeira = new QGroupBox(QStringLiteral("Foreign Key"), m_grupoColuna);
    m_grupoEstrangeira->setObjectName(QStringLiteral("gb_estrangeira"));
    auto* gradeEstrangeira = new QGridLayout(m_grupoEstrangeira);
    m_tabelaEstrangeira = NovoCombo(m_grupoEstrangeira, QStringLiteral("combo_nometabelaestrg"),
                                    QStringLiteral("Foreign Table Name"));
    m_colunaEstrangeira = NovoCombo(m_grupoEstrangeira, QStringLiteral("comb_nomecolunaestrg"),
                                    QStringLiteral("Foreign Column Name"));
    auto* listaTabelas =
        NovoBotaoAnexo(m_grupoEstrangeira, QStringLiteral("atbut_nometabelaestrg"),
                       QStringLiteral("..."), QStringLiteral("Foreign Table Name"));
    auto* listaColunas =
        NovoBotaoAnexo(m_grupoEstrangeira, QStringLiteral("atbut_nomecolunaestrg"),
                       QStringLiteral("..."), QStringLiteral("Foreign Column Name"));
    gradeEstrangeira->addWidget(
        new QLabel(QStringLiteral("Foreign Table Name"), m_grupoEstrangeira), 0, 0);
    gradeEstrangeira->addWidget(ComAnexo(m_grupoEstrangeira, m_tabelaEstrangeira, listaTabelas), 0,
                                1);
    gradeEstrangeira->addWidget(
        new QLabel(QStringLiteral("Foreign Column Name"), m_grupoEstrangeira), 1, 0);
    gradeEstrangeira->addWidget(ComAnexo(m_grupoEstrangeira, m_colunaEstrangeira, listaColunas), 1,
                                1);
    gradeEstrangeira->setColumnStretch(1, 1);
    m_grupoEstrangeira->setEnabled(false);

    auto* fatos = new QWidget(m_grupoColuna);
    auto* linhaFatos = new QHBoxLayout(fatos);
    linhaFatos->setContentsMargins(0, 0, 0, 0);
    m_nullable = new QCheckBox(QStringLiteral("Nullable"), fatos);
    m_nullable->setObjectName(QStringLiteral("cb_nullable"));
    m_unique = new QCheckBox(QStringLiteral("Unique"), fatos);
    m_unique->setObjectName(QStringLiteral("cb_unique"));
    m_autoIncrement = new QCheckBox(QStringLiteral("Auto-Increment"), fatos);
    m_autoIncrement->setObjectName(QStringLiteral("cb_autoincrement"));
    linhaFatos->addWidget(m_nullable);
    linhaFatos->addWidget(m_unique);
    linhaFatos->addWidget(m_autoIncrement);
    linhaFatos->addStretch(1);
    m_default = NovoEdit(m_grupoColuna, QStringLiteral("edit_default"), QStringLiteral("Default"));
    m_colComment =
        NovoEdit(m_grupoColuna, QStringLiteral("edit_colcomment"), QStringLiteral("Comment"));

    grade->addWidget(new QLabel(QStringLiteral("Column Name"), m_grupoColuna), 0, 0);
    grade->addWidget(m_nomeColuna, 0, 1);
    grade->addWidget(new QLabel(QStringLiteral("Column Alias"), m_grupoColuna), 0, 2);
    grade->addWidget(ComAnexo(m_grupoColuna, m_colAlias, igualColuna), 0, 3);
    grade->addWidget(m_habilitado, 1, 1);
    grade->addWidget(tipoColuna, 1, 2, 1, 2);
    grade->addWidget(new QLabel(QStringLiteral("Provider Data Type"), m_grupoColuna), 2, 0);
    grade->addWidget(m_tipoDado, 2, 1);
    grade->addWidget(m_dataHora, 2, 2, 1, 2);
    grade->addWidget(new QLabel(QStringLiteral("Length"), m_grupoColuna), 3, 0);
    grade->addWidget(numeros, 3, 1, 1, 3);
    grade->addWidget(fatos, 4, 1, 1, 3);
    grade->addWidget(new QLabel(QStringLiteral("Default"), m_grupoColuna), 5, 0);
    grade->addWidget(m_default, 5, 1, 1, 3);
    grade->addWidget(new QLabel(QStringLiteral("Comment"), m_grupoColuna), 6, 0);
    grade->addWidget(m_colComment, 6, 1, 1, 3);
    grade->addWidget(m_grupoEstrangeira, 7, 0, 1, 4);
    grade->setColumnStretch(1, 1);
    grade->setColumnStretch(3, 1);

    connect(igualColuna, &QToolButton::clicked, this,
            [this] { m_colAlias->setText(m_nomeColuna->text()); });
    // The group follows the box however it changes; only the person's click may mark the
    // mapping, never the panel being filled.
    connect(m_foreign, &QCheckBox::toggled, this, &TFormFilha::atualizaGrupoEstrangeira);
    connect(m_foreign, &QCheckBox::clicked, this, &TFormFilha::cb_foreignClick);
    for (QCheckBox* caixa : {m_primary, m_foreign, m_habilitado})
        connect(caixa, &QCheckBox::clicked, this, &TFormFilha::mostraAparenciaDoPainel);
    for (QComboBox* combo : {m_tipoDado, m_tabelaEstrangeira, m_colunaEstrangeira})
        connect(combo, &QComboBox::activated, this, [this] {
            MarcaModificado();
            confirma();
        });
    connect(m_length, &QSpinBox::valueChanged, this, &TFormFilha::ed_lengthChange);
    connect(m_precision, &QSpinBox::valueChanged, this, &TFormFilha::ed_precisionChange);
    connect(m_scale, &QSpinBox::valueChanged, this, &TFormFilha::ed_precisionChange);
    connect(listaTabelas, &QToolButton::clicked, this, [this] {
        executa([this] {
            PoeItens(
                m_tabelaEstrangeira,
                m_carga.controlaColunas
                    ? paraQStringList(std::as_const(*m_carga.controlaColunas).getNomesTabelas())
                    : QStringList(),
                false);
            m_tabelaEstrangeira->showPopup();
        });
    });
    connect(listaColunas, &QToolButton::clicked, this, [this] {
        executa([this] {
            const QString tabela = m_tabelaEstrangeira->currentText();
            if (tabela.isEmpty()) {
                Dialogos::Mensagem(this,
                                   QStringLiteral("A Foreign Table Name Must Be Specified !!"));
                return;
            }
            PoeItens(m_colunaEstrangeira,
                     m_carga.controlaColunas
                         ? paraQStringList(std::as_const(*m_carga.controlaColunas)
                                               .getNomesColunas(deQString(tabela)))
                         : QStringList(),
                     false);
            m_colunaEstrangeira->showPopup();
        });
    });

    for (QWidget* campo : std::initializer_list<QWidget*>{
             m_colAlias, m_tabelaEstrangeira, m_tabelaEstrangeira->lineEdit(), m_colunaEstrangeira,
             m_colunaEstrangeira->lineEdit(), m_habilitado, m_primary, m_foreign, m_nullable,
             m_unique, m_autoIncrement, m_default, m_colComment})
        campo->installEventFilter(this);
    return m_grupoColuna;
}

void TFormFilha::criaMenuArvore() {
    m_menuArvore = new QMenu(this);
    m_menuArvore->setObjectName(QStringLiteral("pop_arvore"));
    const auto item = [this](const QString& nome, const QString& texto,
                             void (TFormFilha::*metodo)()) {
        QAction* acao = m_menuArvore->addAction(texto, this, metodo);
        acao->setObjectName(nome);
    };
    item(QStringLiteral("pop_obter"), QStringLiteral("Load Tables And Columns"),
         &TFormFilha::but_obterClick);
    item(QStringLiteral("pop_importatabela"), QStringLiteral("Add Remaining Tables"),
         &TFormFilha::but_importatabelaClick);
    item(QStringLiteral("pop_sincroniza"), QStringLiteral("Synchronise With Database"),
         &TFormFilha::but_sincronizaClick);
    item(QStringLiteral("pop_removetb"), QStringLiteral("Remove Selected Table"),
         &TFormFilha::but_removetbClick);
    m_menuArvore->addSeparator();
    item(QStringLiteral("pop_checa"), QStringLiteral("Check/Uncheck All Columns"),
         &TFormFilha::but_checaClick);
    item(QStringLiteral("pop_aliases"), QStringLiteral("Fill Empty Aliases..."),
         &TFormFilha::but_aliasesClick);
    item(QStringLiteral("pop_refresh"), QStringLiteral("Refresh"), &TFormFilha::but_refreshClick);
    item(QStringLiteral("pop_confirmar"), QStringLiteral("Save Column Property Changes"),
         &TFormFilha::but_confirmarClick);
    m_menuArvore->addSeparator();
    item(QStringLiteral("pop_mostradados"), QStringLiteral("Show Table Data"),
         &TFormFilha::but_mostradadosClick);
    connect(m_arvore, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& ponto) {
        m_menuArvore->popup(m_arvore->viewport()->mapToGlobal(ponto));
    });
}

// ------------------------------------------------------------------ document

void TFormFilha::ConfirmaEdicoes() {
    confirma();
}

TArquivoKMF TFormFilha::getArquivo() const {
    TDescricaoMapeamento descricao;
    LeCamposJanela(*this, kCamposMapeamento, descricao);
    descricao.tiposProvider = m_carga.tiposProvider;
    // The columns are written only while the tree shows at least one table.
    const bool comColunas = m_arvore->topLevelItemCount() > 0;
    return MontaDocumentoMapeamento(descricao,
                                    comColunas ? m_carga.controlaColunas.get() : nullptr);
}

void TFormFilha::setArquivo(const TArquivoKMF& documento) {
    TDescricaoMapeamento descricao = LeDocumentoMapeamento(documento);
    // A date that cannot be read fails the opening before anything is shown.
    LeDataCurta(paraQString(descricao.edit_data));
    MostraCamposJanela(*this, kCamposMapeamento, descricao);
    if (descricao.controlaColunas) {
        m_carga.controlaColunas = std::move(descricao.controlaColunas);
        PreencheArvore();
    }
    m_carga.tiposProvider.insert(m_carga.tiposProvider.end(), descricao.tiposProvider.begin(),
                                 descricao.tiposProvider.end());
    AlimentaComboTipos(m_carga.tiposProvider);
    PreenchePropriedadesColuna(QString(), QString());
}

// ------------------------------------------------------------------ commands

bool TFormFilha::ExecutaComando(TComando comando) {
    void (TFormFilha::*metodo)() = nullptr;
    int pagina = 1; // most commands work on Tables And Columns; -1 leaves the page shown
    switch (comando) {
    case TComando::ConstroiStringConexao:
        metodo = &TFormFilha::atbut_constringClick;
        pagina = -1;
        break;
    case TComando::LeNomesBasesDados:
        metodo = &TFormFilha::atbut_basedadosClick;
        pagina = 0;
        break;
    case TComando::ConectaDesconecta:
        metodo = &TFormFilha::but_conectarClick;
        pagina = 0;
        break;
    case TComando::CarregaTabelas:
        metodo = &TFormFilha::but_obterClick;
        break;
    case TComando::AdicionaTabelas:
        metodo = &TFormFilha::but_importatabelaClick;
        break;
    case TComando::RemoveTabela:
        metodo = &TFormFilha::but_removetbClick;
        break;
    case TComando::VerLog:
        metodo = &TFormFilha::but_viewlogClick;
        break;
    case TComando::MarcaColunas:
        metodo = &TFormFilha::but_checaClick;
        break;
    case TComando::Atualiza:
        metodo = &TFormFilha::but_refreshClick;
        break;
    case TComando::ConfirmaPropriedades:
        metodo = &TFormFilha::but_confirmarClick;
        break;
    case TComando::MostraDados:
        metodo = &TFormFilha::but_mostradadosClick;
        break;
    case TComando::Sincroniza:
        metodo = &TFormFilha::but_sincronizaClick;
        break;
    case TComando::PreencheAliases:
        metodo = &TFormFilha::but_aliasesClick;
        break;
    default:
        return false;
    }
    // The page the command works on is shown first, unless a long step is under way.
    if (!m_ocupado && pagina >= 0)
        m_pcontrol->setCurrentIndex(pagina);
    (this->*metodo)();
    return true;
}

void TFormFilha::AlternaBarra(const QString& item) {
    if (item == itemBarra)
        m_barraFerramentas->setVisible(m_barraFerramentas->isHidden());
}

void TFormFilha::executa(const std::function<void()>& comando) {
    if (m_ocupado)
        return;
    try {
        comando();
    } catch (const std::exception& erro) {
        Dialogos::Erro(this, paraQString(erro.what()));
    }
}

QString TFormFilha::getConnectionString(const QString& nomeBase) {
    return fendril::getConnectionString(this, nomeBase, m_constring->text());
}

void TFormFilha::atbut_constringClick() {
    executa([this] {
        // A new string is a change of the document like any typed one; unmarked, closing
        // would drop it without asking.
        const QString nova = getConnectionString(gettNomeArq());
        if (nova != m_constring->text()) {
            m_constring->setText(nova);
            MarcaModificado();
        }
    });
}

void TFormFilha::atbut_basedadosClick() {
    executa([this] {
        m_baseDados->clear();
        if (m_constring->text().isEmpty()) {
            Dialogos::Mensagem(this, QStringLiteral("Connection String Not Specified !!"));
            return;
        }
        const Ocupado ocupado(m_ocupado);
        try {
            status(1, QStringLiteral("Loading Database Data. Wait..."));
            Repinta();
            TManipulaBaseDados leitor(deQString(m_constring->text()), deQString(m_usuario->text()),
                                      deQString(m_senha->text()));
            leitor.Abre();
            QStringList nomes;
            TColecaoBaseDados& bases = leitor.getColecao();
            while (!bases.getFim()) {
                nomes.append(paraQString(bases.getBaseDados().nome));
                bases.Proximo();
            }
            leitor.Fecha();
            PoeItens(m_baseDados, nomes);
            status(1, QString());
        } catch (const EErroGeral& erro) {
            Dialogos::Erro(this, paraQString(erro.textoErro()));
            return;
        }
        m_baseDados->showPopup();
    });
}

// Connected, the string, user and password are locked; the database stays open to choice,
// since every reading opens its own connection on the database then named.
void TFormFilha::habilitaConexao(bool sim) {
    for (QWidget* controle :
         std::initializer_list<QWidget*>{m_constring, m_atbutConstring, m_usuario, m_senha})
        controle->setEnabled(sim);
    for (int i = 0; i < 3; ++i)
        m_rotulosConexao[i]->setEnabled(sim);
}

void TFormFilha::setConectado(bool conectado) {
    m_conectado = conectado;
    // Connected, the parameters are locked; the button offers the way back.
    habilitaConexao(!conectado);
    m_conectar->setText(conectado ? legendaDesconectar : legendaConectar);
}

void TFormFilha::but_conectarClick() {
    executa([this] {
        if (m_constring->text().isEmpty()) {
            Dialogos::Mensagem(this, QStringLiteral("Please, Fill The Connection String Field !!"));
            return;
        }
        if (conectado()) {
            setConectado(false);
            status(0, QStringLiteral("Disconnected"));
            return;
        }
        const Ocupado ocupado(m_ocupado);
        status(0, QStringLiteral("Connecting..."));
        Repinta();
        std::unique_ptr<TConexao> conexao = CriaConexaoPadrao();
        try {
            conexao->Open(deQString(m_constring->text()), deQString(m_usuario->text()),
                          deQString(m_senha->text()));
            if (!m_baseDados->currentText().isEmpty())
                conexao->DefaultDatabase(deQString(m_baseDados->currentText()));
        } catch (const std::exception& erro) {
            FechaConexao(conexao);
            Dialogos::Erro(this,
                           QStringLiteral("Connection Could Not Be Opened !! System Message: ") +
                               paraQString(erro.what()));
            status(0, QStringLiteral("Disconnected"));
            return;
        }
        setConectado(true);
        FechaConexao(conexao);
        status(0, QStringLiteral("Connected"));
    });
}

TParametrosConexao TFormFilha::parametros() const {
    return {deQString(m_constring->text()), deQString(m_usuario->text()),
            deQString(m_senha->text()), deQString(m_baseDados->currentText())};
}

// The table chooser over the current connection; the chosen tables are kept in
// m_tabelasEscolhidas. With `excluiCarregadas` the tables already mapped are left out.
bool TFormFilha::escolheTabelas(bool excluiCarregadas) {
    if (!conectado()) {
        Dialogos::Mensagem(this, semConexao);
        return false;
    }
    PreenchePropriedadesColuna(QString(), QString());
    TFormMostraTabelas chooser(principal().diretorioLogs(), this);
    chooser.stringConexao = m_constring->text();
    chooser.senha = m_senha->text();
    chooser.usuario = m_usuario->text();
    chooser.nomeBaseDados = m_baseDados->currentText();
    chooser.catalogo = m_baseDados->currentText();
    if (excluiCarregadas && m_carga.controlaColunas)
        chooser.excluidas =
            paraQStringList(std::as_const(*m_carga.controlaColunas).getNomesTabelas());
    chooser.Executa();
    m_tabelasEscolhidas = chooser.resultado;
    return !m_tabelasEscolhidas.isEmpty();
}

void TFormFilha::but_obterClick() {
    executa([this] {
        if (escolheTabelas(false)) {
            CarregaControlaColunas(m_tabelasEscolhidas);
            MarcaModificado();
        }
    });
}

void TFormFilha::but_importatabelaClick() {
    executa([this] {
        if (escolheTabelas(true)) {
            ImportaNovaTabela(m_tabelasEscolhidas);
            MarcaModificado();
        }
    });
}

void TFormFilha::carrega(const QStringList& tabelas, bool manterAnteriores) {
    const Ocupado ocupado(m_ocupado);
    m_barraFerramentas->setEnabled(false);
    status(1, manterAnteriores ? QStringLiteral("Loading New Tables. Wait...")
                               : QStringLiteral("Loading Tables And Columns. Wait..."));
    Repinta();
    m_progresso->show();
    const TProgresso progresso = [this](const std::string& texto, std::int32_t porcentagem) {
        status(1, paraQString(texto));
        m_progresso->setValue(porcentagem);
        Repinta();
    };
    const auto termina = [this] {
        AlimentaComboTipos(m_carga.tiposProvider);
        m_barraFerramentas->setEnabled(true);
        m_progresso->setValue(0);
        m_progresso->hide();
    };
    try {
        if (manterAnteriores)
            fendril::ImportaNovaTabela(parametros(), deQStringList(tabelas), m_carga, progresso);
        else
            fendril::CarregaControlaColunas(parametros(), deQStringList(tabelas), m_carga,
                                            progresso);
    } catch (...) {
        // The column set stays as it was; the tool bar comes back so the user can retry.
        termina();
        if (manterAnteriores)
            status(1, QString());
        throw;
    }
    termina();
    status(1, QString());
    GravaLogCarga(deQString(principal().diretorioLogs()), m_carga.log);
    PreencheArvore();
    mostraSelecao(false);
}

void TFormFilha::CarregaControlaColunas(const QStringList& tabelas) {
    carrega(tabelas, false);
}

void TFormFilha::ImportaNovaTabela(const QStringList& tabelas) {
    if (!conectado()) {
        Dialogos::Mensagem(this, semConexao);
        return;
    }
    carrega(tabelas, true);
    status(1, QString());
}

void TFormFilha::but_removetbClick() {
    executa([this] {
        if (m_tabelaSelecionada.isEmpty() || !m_carga.controlaColunas)
            return;
        const QString pergunta = QStringLiteral("Table \"") + m_tabelaSelecionada +
                                 QStringLiteral("\" Will Be Removed From The Tree. Proceed?");
        if (Dialogos::Pergunta(this, pergunta, QMessageBox::Yes | QMessageBox::No) !=
            QMessageBox::Yes)
            return;
        m_carga.controlaColunas->RemoveTabela(deQString(m_tabelaSelecionada));
        PreencheArvore();
        PreenchePropriedadesColuna(QString(), QString());
        // The mapping lost a table: closing must offer to save that.
        MarcaModificado();
    });
}

void TFormFilha::but_checaClick() {
    executa([this] {
        if (m_carga.controlaColunas) {
            TControlaColunas& colunas = *m_carga.controlaColunas;
            const auto habilita = [this](TColuna& coluna) { coluna.habilitado = m_marcaColunas; };
            for (int t = 0; t < m_arvore->topLevelItemCount(); ++t) {
                QTreeWidgetItem* tabela = m_arvore->topLevelItem(t);
                const std::string nomeTabela = deQString(tabela->text(0));
                for (int c = 0; c < tabela->childCount(); ++c) {
                    QTreeWidgetItem* no = tabela->child(c);
                    no->setData(0, Qt::UserRole, m_marcaColunas);
                    if (const auto posicao = std::as_const(colunas).PosicaoDaColuna(
                            nomeTabela, deQString(no->text(0)))) {
                        colunas.AlteraColuna(*posicao, habilita);
                        aparenciaColuna(no, *std::as_const(colunas).getColunas()[*posicao]);
                    }
                }
            }
        }
        m_marcaColunas = !m_marcaColunas;
        MarcaModificado();
        arvoreClick();
    });
}

void TFormFilha::but_refreshClick() {
    executa([this] {
        confirma();
        // The tree keeps what was open and selected; the panels show that selection afresh.
        PreencheArvore();
        mostraSelecao(false);
    });
}

void TFormFilha::but_confirmarClick() {
    executa([this] { confirma(); });
}

void TFormFilha::but_mostradadosClick() {
    executa([this] {
        if (!conectado()) {
            Dialogos::Mensagem(this, semConexao);
            return;
        }
        if (m_tabelaSelecionada.isEmpty()) {
            Dialogos::Mensagem(this, QStringLiteral("A Table Must Be Selected !!"));
            return;
        }
        TFormMostraDados dados(this);
        dados.stringConexao = m_constring->text();
        dados.usuario = m_usuario->text();
        dados.senha = m_senha->text();
        dados.nomeBaseDados = m_baseDados->currentText();
        dados.nomeTabela = m_tabelaSelecionada;
        dados.setNavegadorVisivel(false);
        dados.Executa();
    });
}

void TFormFilha::but_viewlogClick() {
    executa([this] {
        MostraLog(this, paraQString(CaminhoLogCarga(deQString(principal().diretorioLogs()))));
    });
}

void TFormFilha::but_sincronizaClick() {
    executa([this] {
        if (!conectado()) {
            but_conectarClick(); // says itself why it could not connect
            if (!conectado())
                return;
        }
        confirma();
        TRefreshReading leitura;
        {
            const Ocupado ocupado(m_ocupado);
            m_barraFerramentas->setEnabled(false);
            status(1, QStringLiteral("Loading Available Tables. Wait..."));
            m_progresso->show();
            Repinta();
            const auto termina = [this] {
                m_barraFerramentas->setEnabled(true);
                m_progresso->setValue(0);
                m_progresso->hide();
                status(1, QString());
            };
            try {
                leitura =
                    ReadForRefresh(parametros(), m_carga.controlaColunas.get(), std::nullopt,
                                   [this](const std::string& texto, std::int32_t porcentagem) {
                                       status(1, paraQString(texto));
                                       m_progresso->setValue(porcentagem);
                                       Repinta();
                                   });
            } catch (...) {
                termina();
                throw;
            }
            termina();
        }
        const QString diretorio = principal().diretorioInstalado();
        TListaTextos log = leitura.banco.log;
        log.push_back("### Synchronise With Database ###");
        if (leitura.changes.empty()) {
            log.push_back(LinhaLog("The Mapping Matches The Database"));
            GravaLogCarga(deQString(diretorio), log);
            Dialogos::Mensagem(
                this, QStringLiteral("The Mapping Matches The Database: Nothing To Synchronise."));
            return;
        }
        TFormSincronizacao lista(leitura.changes, this);
        const bool aplicar = lista.Executa();
        const std::vector<bool> marcadas =
            aplicar ? lista.marcadas() : std::vector<bool>(leitura.changes.size(), false);
        bool algumaAplicada = false;
        for (std::size_t i = 0; i < leitura.changes.size(); ++i) {
            const TRefreshChange& mudanca = leitura.changes[i];
            const bool aplicada = mudanca.applicable && marcadas[i];
            algumaAplicada = algumaAplicada || aplicada;
            log.push_back(LinhaLog(std::string(!mudanca.applicable ? "Reported: "
                                               : aplicada          ? "Applied: "
                                                                   : "Not Applied: ") +
                                   mudanca.FullText()));
        }
        GravaLogCarga(deQString(diretorio), log);
        if (!algumaAplicada)
            return;
        ApplyRefreshReading(m_carga, leitura, marcadas);
        AlimentaComboTipos(m_carga.tiposProvider);
        PreencheArvore();
        PreenchePropriedadesColuna(QString(), QString());
        MarcaModificado();
    });
}

void TFormFilha::but_aliasesClick() {
    executa([this] {
        confirma();
        TFormRegrasAlias regras(this);
        if (!regras.Executa())
            return;
        const std::string tabelas = deQString(regras.regraTabelas());
        const std::string colunas = deQString(regras.regraColunas());
        VerificaRegraAlias(tabelas);
        VerificaRegraAlias(colunas);
        TAliasesFilled preenchidos;
        if (m_carga.controlaColunas)
            preenchidos = FillEmptyAliases(*m_carga.controlaColunas, tabelas, colunas);
        if (preenchidos.tables + preenchidos.columns > 0) {
            MarcaModificado();
            // The panels show the selection's new aliases.
            PreenchePropriedadesColuna(m_colunaSelecionada, m_tabelaSelecionada);
        }
        Dialogos::Mensagem(this, QStringLiteral("Filled %1 Table %2 And %3 Column %4.")
                                     .arg(preenchidos.tables)
                                     .arg(preenchidos.tables == 1 ? QStringLiteral("Alias")
                                                                  : QStringLiteral("Aliases"))
                                     .arg(preenchidos.columns)
                                     .arg(preenchidos.columns == 1 ? QStringLiteral("Alias")
                                                                   : QStringLiteral("Aliases")));
    });
}

// ------------------------------------------------------------------ tree

void TFormFilha::PreencheArvore() {
    const Ocupado ocupado(m_ocupado);
    m_barraFerramentas->setEnabled(false);
    m_label8->setText(m_baseDados->currentText().toUpper());
    const QSignalBlocker bloqueio(m_arvore);
    // What the person had open and selected comes back where the tables still exist.
    std::set<QString> abertas;
    for (int t = 0; t < m_arvore->topLevelItemCount(); ++t)
        if (m_arvore->topLevelItem(t)->isExpanded())
            abertas.insert(m_arvore->topLevelItem(t)->text(0));
    QString tabelaAtual;
    QString colunaAtual;
    if (const QTreeWidgetItem* atual = m_arvore->currentItem()) {
        tabelaAtual = atual->parent() ? atual->parent()->text(0) : atual->text(0);
        colunaAtual = atual->parent() ? atual->text(0) : QString();
    }
    m_arvore->setUpdatesEnabled(false);
    m_arvore->clear();
    status(1, QStringLiteral("Filling Tables. Wait..."));
    Repinta();
    QTreeWidgetItem* selecionado = nullptr;
    if (m_carga.controlaColunas) {
        const TControlaColunas& colunas = *m_carga.controlaColunas;
        TListaTextos tabelas = colunas.getNomesTabelas();
        std::stable_sort(tabelas.begin(), tabelas.end(), MenorSemCaixa);
        // The columns of each table by its exact qualified name, in the database's order.
        std::unordered_map<std::string, std::vector<const TColuna*>> porTabela;
        porTabela.reserve(tabelas.size());
        for (const auto& coluna : colunas.getColunas())
            porTabela[std::as_const(*coluna).getTabela().getNomeCompleto()].push_back(coluna.get());

        // The table nodes first, in one step, then the columns under each.
        QList<QTreeWidgetItem*> nos;
        nos.reserve(static_cast<qsizetype>(tabelas.size()));
        for (const std::string& tabela : tabelas) {
            auto* no = new QTreeWidgetItem(QStringList(paraQString(tabela)));
            no->setIcon(0, m_iconeTabela);
            nos.append(no);
        }
        m_arvore->addTopLevelItems(nos);

        m_progresso->show();
        status(1, QStringLiteral("Filling Columns. Wait..."));
        std::int32_t mostrada = -1;
        for (std::size_t q = 0; q < tabelas.size(); ++q) {
            QTreeWidgetItem* noTabela = nos[static_cast<qsizetype>(q)];
            const bool atual = noTabela->text(0) == tabelaAtual;
            if (auto achadas = porTabela.find(tabelas[q]); achadas != porTabela.end()) {
                QList<QTreeWidgetItem*> filhos;
                filhos.reserve(static_cast<qsizetype>(achadas->second.size()));
                for (const TColuna* coluna : achadas->second) {
                    auto* filho = new QTreeWidgetItem(QStringList(paraQString(coluna->nome)));
                    filho->setData(0, Qt::UserRole, coluna->habilitado);
                    aparenciaColuna(filho, *coluna);
                    if (atual && !colunaAtual.isEmpty() && !selecionado &&
                        filho->text(0) == colunaAtual)
                        selecionado = filho;
                    filhos.append(filho);
                }
                noTabela->addChildren(filhos);
            }
            if (abertas.count(noTabela->text(0)) != 0)
                noTabela->setExpanded(true);
            if (atual && colunaAtual.isEmpty())
                selecionado = noTabela;
            const std::int32_t porcentagem = Porcentagem(q + 1, tabelas.size());
            // Repainting only when the figure changes keeps a large mapping fast.
            if (porcentagem != mostrada) {
                mostrada = porcentagem;
                m_progresso->setValue(porcentagem);
                status(1, QStringLiteral("Filling Columns. Wait...(%1%)").arg(porcentagem));
                Repinta();
            }
        }
    }
    if (selecionado)
        m_arvore->setCurrentItem(selecionado);
    m_arvore->setUpdatesEnabled(true);
    m_barraFerramentas->setEnabled(true);
    m_progresso->setValue(0);
    m_progresso->hide();
    status(1, QString());
}

// How a column node shows its column: the key for the primary key, the arrow for a foreign
// key (both for a column that is both), greyed and in italics when it takes no part in
// generation; the tool tip says it in words.
void TFormFilha::aparenciaColuna(QTreeWidgetItem* no, bool primaria, bool estrangeira,
                                 bool habilitado, const QString& referencia) const {
    // A column without an icon holds none at all, so that the tree's delegate keeps its
    // name in line with the others.
    if (primaria || estrangeira)
        no->setIcon(0, primaria && estrangeira ? m_iconeChaveEstrangeira
                       : primaria              ? m_iconeChave
                                               : m_iconeEstrangeira);
    else
        no->setData(0, Qt::DecorationRole, QVariant());
    QFont fonte = m_arvore->font();
    fonte.setItalic(!habilitado);
    no->setFont(0, fonte);
    no->setForeground(0, habilitado
                             ? m_arvore->palette().brush(QPalette::Text)
                             : m_arvore->palette().brush(QPalette::Disabled, QPalette::Text));
    QStringList dica;
    if (primaria)
        dica.append(QStringLiteral("Primary Key"));
    if (estrangeira)
        dica.append(referencia.isEmpty() ? QStringLiteral("Foreign Key")
                                         : QStringLiteral("Foreign Key to ") + referencia);
    if (!habilitado)
        dica.append(QStringLiteral("Disabled: left out of generation"));
    no->setToolTip(0, dica.join(QLatin1Char('\n')));
}

void TFormFilha::aparenciaColuna(QTreeWidgetItem* no, const TColuna& coluna) const {
    QString referencia;
    if (const TColuna* estrangeira = coluna.getColunaEstrangeira())
        referencia =
            paraQString(estrangeira->getTabela().getNomeCompleto() + "." + estrangeira->nome);
    aparenciaColuna(no, coluna.tipoColuna == TTipoColuna::tcChavePrimaria, coluna.chaveEstrangeira,
                    coluna.habilitado, referencia);
}

// The selected column's node as the panel's boxes say, at once (the mapping takes them
// when the box is left).
void TFormFilha::mostraAparenciaDoPainel() {
    QTreeWidgetItem* no = m_arvore->currentItem();
    if (!no || !no->parent() || m_colunaSelecionada.isEmpty() || no->text(0) != m_colunaSelecionada)
        return;
    aparenciaColuna(no, m_primary->isChecked(), m_foreign->isChecked(), m_habilitado->isChecked(),
                    m_tabelaEstrangeira->currentText().isEmpty()
                        ? QString()
                        : m_tabelaEstrangeira->currentText() + QLatin1Char('.') +
                              m_colunaEstrangeira->currentText());
}

// The node of a column as the mapping now holds it.
void TFormFilha::atualizaNoColuna(const QString& tabela, const QString& coluna) {
    if (!m_carga.controlaColunas || coluna.isEmpty())
        return;
    const TColuna* registro =
        std::as_const(*m_carga.controlaColunas).getColuna(deQString(tabela), deQString(coluna));
    if (!registro)
        return;
    const auto achados = m_arvore->findItems(tabela, Qt::MatchExactly);
    for (QTreeWidgetItem* noTabela : achados)
        for (int c = 0; c < noTabela->childCount(); ++c)
            if (QTreeWidgetItem* no = noTabela->child(c);
                no->text(0) == paraQString(registro->nome)) {
                no->setData(0, Qt::UserRole, registro->habilitado);
                aparenciaColuna(no, *registro);
                return;
            }
}

void TFormFilha::arvoreClick() {
    mostraSelecao(true);
}

// The panels show the current node; with `confirma` they are committed at once (a click),
// without (a key moving the selection) they are only shown.
void TFormFilha::mostraSelecao(bool confirma) {
    if (m_ocupado)
        return;
    try {
        QTreeWidgetItem* no = m_arvore->currentItem();
        if (!no) {
            PreenchePropriedadesColuna(QString(), QString());
            m_grupoTabela->setEnabled(false);
            m_grupoColuna->setEnabled(false);
            return;
        }
        if (no->parent() && no->childCount() == 0) {
            m_colunaSelecionada = no->text(0);
            m_tabelaSelecionada = no->parent()->text(0);
            PreenchePropriedadesColuna(m_colunaSelecionada, m_tabelaSelecionada);
            if (confirma)
                LePropriedades(m_colunaSelecionada, m_tabelaSelecionada);
            m_grupoTabela->setEnabled(false);
            m_grupoColuna->setEnabled(true);
        } else if (!no->parent() && no->childCount() > 0) {
            m_colunaSelecionada.clear();
            m_tabelaSelecionada = no->text(0);
            PreenchePropriedadesTabela(m_tabelaSelecionada);
            if (confirma)
                LePropriedades(m_colunaSelecionada, m_tabelaSelecionada);
            m_grupoTabela->setEnabled(true);
            m_grupoColuna->setEnabled(false);
        }
    } catch (...) {
        // A selection that cannot be shown leaves the panels as they are.
    }
}

// ------------------------------------------------------------------ property panels

void TFormFilha::AlimentaComboTipos(const TListaTextos& tipos) {
    QStringList nomes;
    for (const std::string& linha : tipos) {
        const TListaVistas campos = SeparaCamposVista(linha, ";");
        if (campos.size() > 1)
            nomes.append(paraQString(campos[1]));
    }
    PoeItens(m_tipoDado, nomes);
}

std::int32_t TFormFilha::getTipoOLE(const QString& nome) const {
    return TipoOLE(m_carga.tiposProvider, deQString(nome));
}

void TFormFilha::clicaCheckBox(QCheckBox* caixa, bool estado) {
    caixa->setChecked(estado);
}

void TFormFilha::preencheNumero(QSpinBox* campo, std::int32_t valor) {
    // A size beyond the field's range is shown as it is, so that committing keeps it.
    campo->setRange(std::min(-1, valor), std::max(maximoNumero, valor));
    campo->setValue(valor);
}

void TFormFilha::limpaCampos() {
    for (QLineEdit* edit : {m_nomeTabela, m_tbAlias, m_esquema, m_tbComment, m_nomeColuna,
                            m_colAlias, m_default, m_colComment})
        edit->clear();
    m_tipoTabela->setEditText(QString());
    m_tipoDado->setEditText(QString());
    {
        const QSignalBlocker a(m_length), b(m_precision), c(m_scale);
        for (QSpinBox* numero : {m_length, m_precision, m_scale}) {
            numero->setRange(-1, maximoNumero);
            numero->setValue(0);
        }
    }
    m_dataHora->setChecked(false);
    clicaCheckBox(m_primary, false);
    clicaCheckBox(m_foreign, false);
    clicaCheckBox(m_habilitado, false);
    for (QCheckBox* caixa : {m_nullable, m_unique, m_autoIncrement})
        clicaCheckBox(caixa, false);
    esvaziaEstrangeiras();
}

void TFormFilha::esvaziaEstrangeiras() {
    for (QComboBox* combo : {m_tabelaEstrangeira, m_colunaEstrangeira}) {
        combo->clear();
        combo->setEditText(QString());
    }
}

void TFormFilha::PreenchePropriedadesTabela(const QString& tabela) {
    limpaCampos();
    if (tabela.isEmpty() || !m_carga.controlaColunas)
        return;
    const TTabela* registro = std::as_const(*m_carga.controlaColunas).getTabela(deQString(tabela));
    if (!registro)
        return;
    const TPropriedadesTabela propriedades = PropriedadesTabela(*registro);
    m_nomeTabela->setText(paraQString(propriedades.nome));
    m_esquema->setText(paraQString(propriedades.esquema));
    m_tipoTabela->setEditText(paraQString(propriedades.tipo));
    m_tbAlias->setText(paraQString(propriedades.alias));
    m_tbComment->setText(paraQString(propriedades.comment));
}

void TFormFilha::PreenchePropriedadesColuna(const QString& coluna, const QString& tabela) {
    if (coluna.isEmpty() && tabela.isEmpty()) {
        limpaCampos();
        m_colunaSelecionada.clear();
        m_tabelaSelecionada.clear();
        return;
    }
    PreenchePropriedadesTabela(tabela);
    if (!m_carga.controlaColunas)
        return;
    const TColuna* registro =
        std::as_const(*m_carga.controlaColunas).getColuna(deQString(tabela), deQString(coluna));
    if (!registro)
        return;
    const TPropriedadesColuna propriedades = PropriedadesColuna(*registro);
    m_nomeColuna->setText(paraQString(propriedades.nome));
    {
        const QSignalBlocker a(m_length), b(m_precision), c(m_scale);
        preencheNumero(m_length, propriedades.tamanho);
        preencheNumero(m_precision, propriedades.precisao);
        preencheNumero(m_scale, propriedades.escala);
        m_dataHora->setChecked(propriedades.dataHora);
    }
    // Checking the Foreign Key box runs its handler, which may mark the mapping modified.
    clicaCheckBox(m_primary, propriedades.chavePrimaria);
    clicaCheckBox(m_foreign, propriedades.chaveEstrangeira);
    clicaCheckBox(m_habilitado, propriedades.habilitado);
    m_tipoDado->setEditText(paraQString(propriedades.tipoDado));
    m_colAlias->setText(paraQString(propriedades.alias));
    clicaCheckBox(m_nullable, propriedades.nullable);
    clicaCheckBox(m_unique, propriedades.unique);
    clicaCheckBox(m_autoIncrement, propriedades.autoIncrement);
    m_default->setText(paraQString(propriedades.defaultValue));
    m_colComment->setText(paraQString(propriedades.comment));
    if (registro->getColunaEstrangeira()) {
        m_tabelaEstrangeira->setEditText(paraQString(propriedades.tabelaEstrangeira));
        m_colunaEstrangeira->setEditText(paraQString(propriedades.colunaEstrangeira));
    }
}

void TFormFilha::confirma() {
    if (!m_tabelaSelecionada.isEmpty() || !m_colunaSelecionada.isEmpty())
        LePropriedades(m_colunaSelecionada, m_tabelaSelecionada);
}

TPropriedadesTabela TFormFilha::propriedadesTabela() const {
    return {deQString(m_nomeTabela->text()), deQString(m_esquema->text()),
            deQString(m_tipoTabela->currentText()), deQString(m_tbAlias->text()),
            deQString(m_tbComment->text())};
}

TPropriedadesColuna TFormFilha::propriedadesColuna() const {
    TPropriedadesColuna propriedades;
    propriedades.nome = deQString(m_nomeColuna->text());
    propriedades.alias = deQString(m_colAlias->text());
    propriedades.habilitado = m_habilitado->isChecked();
    propriedades.chavePrimaria = m_primary->isChecked();
    propriedades.chaveEstrangeira = m_foreign->isChecked();
    propriedades.tipoDado = deQString(m_tipoDado->currentText());
    propriedades.dataHora = m_dataHora->isChecked();
    propriedades.tamanho = m_length->value();
    propriedades.precisao = m_precision->value();
    propriedades.escala = m_scale->value();
    propriedades.tabelaEstrangeira = deQString(m_tabelaEstrangeira->currentText());
    propriedades.colunaEstrangeira = deQString(m_colunaEstrangeira->currentText());
    propriedades.nullable = m_nullable->isChecked();
    propriedades.unique = m_unique->isChecked();
    propriedades.autoIncrement = m_autoIncrement->isChecked();
    propriedades.defaultValue = deQString(m_default->text());
    propriedades.comment = deQString(m_colComment->text());
    return propriedades;
}

void TFormFilha::LePropriedades(const QString& coluna, const QString& tabela) {
    if (tabela.isEmpty() || !m_carga.controlaColunas)
        return;
    GravaPropriedades(*m_carga.controlaColunas, deQString(tabela), deQString(coluna),
                      propriedadesTabela(), propriedadesColuna(), m_carga.tiposProvider);
    atualizaNoColuna(tabela, coluna);
}

void TFormFilha::edit_tipotabelaClick(QObject* remetente) {
    MarcaModificado();
    if (remetente && remetente->objectName() == QStringLiteral("edit_tipotabela"))
        confirma();
}

void TFormFilha::atualizaGrupoEstrangeira() {
    const bool marcado = m_foreign->isChecked();
    m_grupoEstrangeira->setEnabled(marcado);
    if (!marcado)
        esvaziaEstrangeiras();
}

void TFormFilha::cb_foreignClick() {
    atualizaGrupoEstrangeira();
    if (!m_foreign->isChecked() || !m_carga.controlaColunas || m_colunaSelecionada.isEmpty())
        return;
    const TColuna* coluna =
        std::as_const(*m_carga.controlaColunas)
            .getColuna(deQString(m_tabelaSelecionada), deQString(m_colunaSelecionada));
    if (coluna && coluna->chaveEstrangeira)
        MarcaModificado();
}

void TFormFilha::ed_lengthChange() {
    {
        const QSignalBlocker a(m_precision), b(m_scale);
        m_precision->setValue(-1);
        m_scale->setValue(-1);
    }
    MarcaModificado();
    confirma();
}

void TFormFilha::ed_precisionChange() {
    {
        const QSignalBlocker a(m_length);
        m_length->setValue(-1);
    }
    MarcaModificado();
    confirma();
}

// ------------------------------------------------------------------ window events

QString TFormFilha::textoPainel(int painel) const {
    return m_paineis[painel]->text();
}

void TFormFilha::status(int painel, const QString& texto) {
    m_paineis[painel]->setText(texto);
}

void TFormFilha::showEvent(QShowEvent* evento) {
    TJanelaFilha::showEvent(evento);
    if (m_mostrada)
        return;
    m_mostrada = true;
    const QSize tamanho = principal().size();
    resize(static_cast<int>(std::nearbyint(0.82 * tamanho.width())),
           static_cast<int>(std::nearbyint(0.70 * tamanho.height())));
}

void TFormFilha::closeEvent(QCloseEvent* evento) {
    // A long step lets events through; the window stays until it is done.
    if (m_ocupado) {
        evento->ignore();
        return;
    }
    TJanelaFilha::closeEvent(evento);
}

// The check boxes of the Column panel, which mark and commit when left rather than typed in.
bool TFormFilha::ehCaixa(const QObject* objeto) const {
    for (const QCheckBox* caixa :
         {m_habilitado, m_primary, m_foreign, m_nullable, m_unique, m_autoIncrement})
        if (objeto == caixa)
            return true;
    return false;
}

bool TFormFilha::eventFilter(QObject* objeto, QEvent* evento) {
    switch (evento->type()) {
    case QEvent::KeyPress: {
        // A key that types a character, as a key press event counts them.
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        const bool caixa = ehCaixa(objeto);
        if (!caixa && !tecla->text().isEmpty())
            MarcaModificado();
        break;
    }
    case QEvent::KeyRelease:
        if (objeto == m_tbAlias || objeto == m_colAlias || objeto == m_tbComment ||
            objeto == m_default || objeto == m_colComment)
            confirma();
        break;
    case QEvent::FocusOut: {
        const auto razao = static_cast<QFocusEvent*>(evento)->reason();
        const bool caixa = ehCaixa(objeto);
        if (caixa && razao != Qt::ActiveWindowFocusReason && razao != Qt::PopupFocusReason) {
            MarcaModificado();
            confirma();
        }
        break;
    }
    default:
        break;
    }
    return TJanelaFilha::eventFilter(objeto, evento);
}

void RegistraMapeamento() {
    RegistraFabrica(QStringLiteral("kmf"), [](TFormTelaPrincipal& principal) -> TJanelaFilha* {
        return new TFormFilha(principal);
    });
}

} // namespace fendril

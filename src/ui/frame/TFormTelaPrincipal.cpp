#include "ui/frame/TFormTelaPrincipal.h"

#include "documents/DocumentoMapeamento.h"
#include "documents/TArquivoKMF.h"
#include "model/ArquivoTexto.h"
#include "model/Erros.h"
#include "model/Textos.h"
#include "ui/frame/Dialogos.h"
#include "ui/frame/Icones.h"
#include "ui/frame/TFormAbout.h"
#include "ui/frame/TFormAjuda.h"
#include "ui/frame/TJanelaFilha.h"
#include "ui/frame/TPaginaInicial.h"
#include "ui/frame/TTiposDocumento.h"
#include "ui/frame/Texto.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

namespace fendril {

namespace {

const QString filtroAbrir = QStringLiteral(
    "Mapping Files (*.kmf)|*.KMF|Fendril Template Files (*.tpt)|*.TPT|General Template Files "
    "(*.tpg)|*.TPG|Generation Files (*.kgf)|*.KGF|All Files (*.*)|*.*");
const QString arquivoRecentes = QStringLiteral("recent.txt");
const QString arquivoSettings = QStringLiteral("Fendrilini.cfg");
const QString arquivoAjuda = QStringLiteral("fendril.html");
constexpr int maximoRecentes = 10;

// The order of the view items in the settings file and in Restore Default.
const QStringList ordemItensVista = {QStringLiteral("HideToolTab1"),
                                     QStringLiteral("HideToolsTab1"),
                                     QStringLiteral("HideCodeToolBar1"),
                                     QStringLiteral("HideTypesToolBar1"),
                                     QStringLiteral("HideCodeToolBar2"),
                                     QStringLiteral("OcultarGuiadeFerramentas1"),
                                     QStringLiteral("OcultarGuiasdeFerramentas1"),
                                     QStringLiteral("MostrarBarradeFerramentasemTabelaseColunas1"),
                                     QStringLiteral("HideToolTab2"),
                                     QStringLiteral("HideGenerationToolBar1"),
                                     QStringLiteral("HidePreview1"),
                                     QStringLiteral("HidePreview2")};

const QStringList nomesBandas = {QStringLiteral("ToolBar3"), QStringLiteral("ToolBar2"),
                                 QStringLiteral("guias")};

QAction* criaAcao(QObject* dono, const QString& legenda, const QString& nome) {
    auto* acao = new QAction(legenda, dono);
    acao->setObjectName(nome);
    return acao;
}

// The folder holding the shop example to copy, when a test or a build sets one.
QString& pastaExemplo() {
    static QString pasta;
    return pasta;
}

// Gives every action of a menu a mnemonic: a letter or digit of its caption not yet taken in
// that menu, the first one free (an "&" already written is kept), and so for its submenus.
// Captions with fewer letters choose first, so that a short one still finds one.
void PoeMnemonicos(QMenu* menu) {
    QSet<QChar> usadas;
    QList<QAction*> acoes = menu->actions();
    for (const QAction* acao : acoes) {
        const QString texto = acao->text();
        const qsizetype e = texto.indexOf(QLatin1Char('&'));
        if (e >= 0 && e + 1 < texto.size() && texto[e + 1] != QLatin1Char('&'))
            usadas.insert(texto[e + 1].toLower());
    }
    const auto letras = [](const QAction* acao) {
        QSet<QChar> distintas;
        for (const QChar c : acao->text().section(QLatin1Char('\t'), 0, 0))
            if (c.isLetterOrNumber())
                distintas.insert(c.toLower());
        return distintas.size();
    };
    std::stable_sort(acoes.begin(), acoes.end(), [&letras](const QAction* a, const QAction* b) {
        return letras(a) < letras(b);
    });
    for (QAction* acao : acoes) {
        if (acao->menu())
            PoeMnemonicos(acao->menu());
        QString texto = acao->text();
        if (acao->isSeparator() || texto.contains(QLatin1Char('&')))
            continue;
        for (qsizetype i = 0; i < texto.size() && texto[i] != QLatin1Char('\t'); ++i) {
            const QChar c = texto[i].toLower();
            if (c.isLetterOrNumber() && !usadas.contains(c)) {
                usadas.insert(c);
                texto.insert(i, QLatin1Char('&'));
                acao->setText(texto);
                break;
            }
        }
    }
}

} // namespace

TFormTelaPrincipal::TFormTelaPrincipal(QWidget* pai) : QMainWindow(pai) {
    setObjectName(QStringLiteral("FormTelaPrincipal"));
    setWindowTitle(QStringLiteral("Fendril"));
    setWindowIcon(QApplication::windowIcon());
    getDiretorioInstalado();
    // The work area: the start page while no document is open, the documents' windows
    // otherwise.
    m_centro = new QStackedWidget(this);
    m_centro->setObjectName(QStringLiteral("centro"));
    m_inicio = new TPaginaInicial(m_centro);
    m_mdi = new QMdiArea(m_centro);
    m_mdi->setObjectName(QStringLiteral("mdi"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_centro->addWidget(m_inicio);
    m_centro->addWidget(m_mdi);
    setCentralWidget(m_centro);
    connect(m_inicio, &TPaginaInicial::novo, this,
            [this](const QString& extensao) { NovoDocumento(extensao); });
    connect(m_inicio, &TPaginaInicial::abrir, this, &TFormTelaPrincipal::AbirMapeamento1Click);
    connect(m_inicio, &TPaginaInicial::abreRecente, this,
            [this](const QString& caminho) { AbreArquivo({caminho}); });
    connect(m_inicio, &TPaginaInicial::abreExemplo, this, &TFormTelaPrincipal::AbreExemplo);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &TFormTelaPrincipal::AtualizaComandos);

    // FormCreate: the 10 recent entries exist from the start, none attached yet.
    for (int i = 0; i < maximoRecentes; ++i) {
        QAction* entrada = criaAcao(this, QString(), QStringLiteral("itemRecente%1").arg(i + 1));
        connect(entrada, &QAction::triggered, this, [this, entrada] { RecenteClick(entrada); });
        m_itensRecentes.append(entrada);
    }
    criaBandas();
    criaMenus();
    criaItensVista();
    for (QAction* acao : menuBar()->actions()) {
        const QString texto = acao->text();
        acao->setText(QLatin1Char('&') + texto);
        PoeMnemonicos(acao->menu());
    }
    m_inicio->setRecentes(m_recentes);
    AtualizaComandos();
}

TFormTelaPrincipal::~TFormTelaPrincipal() {
    // The work area's last activations while it goes do not reach a window half gone.
    disconnect(m_mdi, nullptr, this, nullptr);
}

// ---------------------------------------------------------------- construction

void TFormTelaPrincipal::criaBandas() {
    m_toolBar3 = addToolBar(QStringLiteral("Files"));
    m_toolBar3->setObjectName(QStringLiteral("ToolBar3"));
    const auto botao = [this](const QString& texto, const QString& nome, const QIcon& icone,
                              auto metodo) {
        QAction* acao = m_toolBar3->addAction(icone, texto, this, metodo);
        acao->setObjectName(nome);
        return acao;
    };
    botao(QStringLiteral("Open"), QStringLiteral("but_abrir"),
          IconeTema(QStringLiteral("document-open"), QStyle::SP_DialogOpenButton),
          &TFormTelaPrincipal::AbirMapeamento1Click);
    m_acoesDocumento.append(
        botao(QStringLiteral("Save"), QStringLiteral("but_salvar"),
              IconeTema(QStringLiteral("document-save"), QStyle::SP_DialogSaveButton),
              &TFormTelaPrincipal::Salvar1Click));
    m_acoesDocumento.append(
        botao(QStringLiteral("Save All"), QStringLiteral("but_salvartodos"),
              IconeTema(QStringLiteral("document-save-all"), QStyle::SP_DriveFDIcon),
              &TFormTelaPrincipal::SalvarTodos1Click));
    botao(QStringLiteral("Help"), QStringLiteral("but_ajuda"),
          IconeTema(QStringLiteral("help-contents"), QStyle::SP_MessageBoxQuestion),
          &TFormTelaPrincipal::Contents1Click);

    // The tool tabs: one tool bar per kind, its commands shown as icons with their captions
    // as tool tips; those a person looks for first also show their caption.
    m_bandaGuias = addToolBar(QStringLiteral("Tool Tabs"));
    m_bandaGuias->setObjectName(QStringLiteral("banda_guias"));
    m_guias = new QTabWidget(m_bandaGuias);
    m_guias->setObjectName(QStringLiteral("guias"));
    m_guias->setDocumentMode(true);
    for (const TTipoDocumento& tipo : TiposDocumento()) {
        auto* barra = new QToolBar(m_guias);
        barra->setObjectName(tipo.guia);
        barra->setIconSize(QSize(20, 20));
        int grupo = 0;
        for (const TComandoFerramenta& comando : tipo.comandos) {
            if (grupo != 0 && (comando.grupo != grupo || comando.separadorAntes))
                barra->addSeparator();
            grupo = comando.grupo;
            QAction* acao = barra->addAction(comando.legendaBotao());
            acao->setObjectName(comando.nomeBotao);
            acao->setToolTip(comando.dicaBotao());
            if (const QIcon icone = IconeComando(comando.comando); !icone.isNull()) {
                acao->setIcon(icone);
                acao->setIconText(comando.dicaBotao());
            }
            if (comando.comando == TComando::GeraTodos || comando.comando == TComando::MostraDados)
                if (auto* face = qobject_cast<QToolButton*>(barra->widgetForAction(acao)))
                    face->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            connect(acao, &QAction::triggered, this,
                    [this, extensao = tipo.extensao, executado = comando.comando] {
                        ExecutaFerramenta(extensao, executado);
                    });
            m_acoesTipo[tipo.extensao].append(acao);
        }
        m_guias->addTab(barra, IconeDocumento(tipo.extensao), tipo.titulo);
    }
    // As wide as its widest tab, whichever tabs are shown: hiding and showing them leaves
    // the bands where they stand.
    m_guias->setMinimumWidth(m_guias->sizeHint().width());
    m_bandaGuias->addWidget(m_guias);
    m_toolBar2 = addToolBar(QStringLiteral("New"));
    m_toolBar2->setObjectName(QStringLiteral("ToolBar2"));
    for (const QString& extensao : {QStringLiteral("kmf"), QStringLiteral("tpt"),
                                    QStringLiteral("kgf"), QStringLiteral("tpg")}) {
        const TTipoDocumento* tipo = TipoPorExtensao(extensao);
        QAction* novo = m_toolBar2->addAction(IconeDocumento(extensao), tipo->dicaNovo);
        novo->setObjectName(QStringLiteral("but_novo_") + extensao);
        novo->setToolTip(tipo->dicaNovo);
        connect(novo, &QAction::triggered, this, [this, extensao] { NovoDocumento(extensao); });
    }

    for (QToolBar* barra : {m_toolBar3, m_bandaGuias, m_toolBar2})
        barra->setContextMenuPolicy(Qt::CustomContextMenu);
}

void TFormTelaPrincipal::criaMenus() {
    QMenu* arquivo = menuBar()->addMenu(QStringLiteral("File"));
    arquivo->setObjectName(QStringLiteral("Arquivo1"));
    QMenu* novo = arquivo->addMenu(QStringLiteral("New"));
    novo->setObjectName(QStringLiteral("Novo1"));
    auto itemNovo = [this, novo](const QString& extensao) {
        const TTipoDocumento* tipo = TipoPorExtensao(extensao);
        QAction* acao = criaAcao(this, tipo->legendaNovo, tipo->acaoNovo);
        acao->setIcon(IconeDocumento(extensao));
        connect(acao, &QAction::triggered, this, [this, extensao] { NovoDocumento(extensao); });
        novo->addAction(acao);
    };
    // Ctrl+N asks which kind.
    QAction* escolhe = criaAcao(this, QStringLiteral("Document..."), QStringLiteral("Novo2"));
    escolhe->setShortcut(QKeySequence::New);
    escolhe->setIcon(IconeTema(QStringLiteral("document-new"), QStyle::SP_FileIcon));
    connect(escolhe, &QAction::triggered, this, &TFormTelaPrincipal::NovoEscolhido);
    novo->addAction(escolhe);
    novo->addSeparator();
    itemNovo(QStringLiteral("kmf"));
    novo->addSeparator();
    itemNovo(QStringLiteral("tpt"));
    itemNovo(QStringLiteral("tpg"));
    novo->addSeparator();
    itemNovo(QStringLiteral("kgf"));
    arquivo->addSeparator();

    auto item = [this](QMenu* menu, const QString& legenda, const QString& nome, auto metodo,
                       const QList<QKeySequence>& atalhos = {}, const QIcon& icone = QIcon()) {
        QAction* acao = criaAcao(this, legenda, nome);
        acao->setShortcuts(atalhos);
        acao->setIcon(icone);
        connect(acao, &QAction::triggered, this, metodo);
        menu->addAction(acao);
        return acao;
    };
    item(arquivo, QStringLiteral("Open..."), QStringLiteral("AbirMapeamento1"),
         &TFormTelaPrincipal::AbirMapeamento1Click, {QKeySequence::Open},
         IconeTema(QStringLiteral("document-open"), QStyle::SP_DialogOpenButton));
    m_menuReabrir = arquivo->addMenu(QStringLiteral("Reopen"));
    m_menuReabrir->setObjectName(QStringLiteral("Reabrir1"));
    arquivo->addSeparator();
    m_acoesDocumento.append(
        item(arquivo, QStringLiteral("Save..."), QStringLiteral("Salvar1"),
             &TFormTelaPrincipal::Salvar1Click, {QKeySequence::Save},
             IconeTema(QStringLiteral("document-save"), QStyle::SP_DialogSaveButton)));
    m_acoesDocumento.append(
        item(arquivo, QStringLiteral("Save As..."), QStringLiteral("SalvarComo1"),
             &TFormTelaPrincipal::SalvarComo1Click, {QKeySequence(QStringLiteral("Ctrl+Shift+S"))},
             IconeTema(QStringLiteral("document-save-as"), QStyle::SP_DialogSaveButton)));
    m_acoesDocumento.append(item(arquivo, QStringLiteral("Save All..."),
                                 QStringLiteral("SalvarTodos1"),
                                 &TFormTelaPrincipal::SalvarTodos1Click));
    arquivo->addSeparator();
    item(arquivo, QStringLiteral("Save Settings"), QStringLiteral("SaveSettings1"),
         &TFormTelaPrincipal::SalvaSettings);
    arquivo->addSeparator();
    m_acoesDocumento.append(
        item(arquivo, QStringLiteral("Close"), QStringLiteral("Fechar1"),
             &TFormTelaPrincipal::Fechar1Click,
             {QKeySequence(QStringLiteral("Ctrl+W")), QKeySequence(QStringLiteral("Ctrl+F4"))},
             IconeTema(QStringLiteral("window-close"), QStyle::SP_TitleBarCloseButton)));
    m_acoesDocumento.append(item(arquivo, QStringLiteral("Close All"),
                                 QStringLiteral("FecharTodos1"),
                                 &TFormTelaPrincipal::FecharTodos1Click));
    arquivo->addSeparator();
    item(arquivo, QStringLiteral("Exit"), QStringLiteral("Sair1"), &TFormTelaPrincipal::Sair1Click,
         {QKeySequence(QStringLiteral("Ctrl+Q"))},
         IconeTema(QStringLiteral("application-exit"), QStyle::SP_DialogCloseButton));
    item(arquivo, QStringLiteral("Exit And Save Settings"),
         QStringLiteral("ExitAndSaveMenuSettings1"),
         &TFormTelaPrincipal::ExitAndSaveMenuSettings1Click);

    QMenu* ferramentas = menuBar()->addMenu(QStringLiteral("Tools"));
    ferramentas->setObjectName(QStringLiteral("Tools1"));
    for (const TTipoDocumento& tipo : TiposDocumento()) {
        QMenu* submenu = ferramentas->addMenu(tipo.titulo);
        int grupo = 0;
        for (const TComandoFerramenta& comando : tipo.comandos) {
            if (grupo != 0 && comando.grupo != grupo)
                submenu->addSeparator();
            grupo = comando.grupo;
            QAction* acao = criaAcao(this, comando.legenda, comando.nomeMenu);
            acao->setIcon(IconeComando(comando.comando));
            connect(acao, &QAction::triggered, this,
                    [this, extensao = tipo.extensao, executado = comando.comando] {
                        ExecutaFerramenta(extensao, executado);
                    });
            submenu->addAction(acao);
            m_acoesTipo[tipo.extensao].append(acao);
        }
    }

    m_menuJanelas = menuBar()->addMenu(QStringLiteral("Windows"));
    m_menuJanelas->setObjectName(QStringLiteral("Janelas1"));
    item(m_menuJanelas, QStringLiteral("Tile Vertically"), QStringLiteral("Tile1"),
         [this] { ladoALado(false); });
    item(m_menuJanelas, QStringLiteral("Tile Horizontally"), QStringLiteral("TileVertically1"),
         [this] { ladoALado(true); });
    item(m_menuJanelas, QStringLiteral("Cascade"), QStringLiteral("Cascade1"),
         [this] { m_mdi->cascadeSubWindows(); });
    // Ctrl+Tab and Ctrl+Shift+Tab are the work area's own keys; these name them.
    QAction* proxima =
        item(m_menuJanelas, QStringLiteral("Next Window\tCtrl+Tab"),
             QStringLiteral("ProximaJanela1"), [this] { m_mdi->activateNextSubWindow(); });
    QAction* anterior =
        item(m_menuJanelas, QStringLiteral("Previous Window\tCtrl+Shift+Tab"),
             QStringLiteral("JanelaAnterior1"), [this] { m_mdi->activatePreviousSubWindow(); });
    m_acoesDocumento.append(proxima);
    m_acoesDocumento.append(anterior);
    m_menuJanelas->addSeparator();
    connect(m_menuJanelas, &QMenu::aboutToShow, this, &TFormTelaPrincipal::MontaListaJanelas);

    QMenu* ajuda = menuBar()->addMenu(QStringLiteral("Help"));
    ajuda->setObjectName(QStringLiteral("Ajuda1"));
    item(ajuda, QStringLiteral("Contents"), QStringLiteral("Contents1"),
         &TFormTelaPrincipal::Contents1Click, {QKeySequence::HelpContents},
         IconeTema(QStringLiteral("help-contents"), QStyle::SP_MessageBoxQuestion));
    item(ajuda, QStringLiteral("About Fendril"), QStringLiteral("About1"),
         &TFormTelaPrincipal::About1Click, {},
         IconeTema(QStringLiteral("help-about"), QStyle::SP_MessageBoxInformation));
}

void TFormTelaPrincipal::criaItensVista() {
    using T = TItemVista;
    m_itensVista.push_back({QStringLiteral("OcultarGuiasdeFerramentas1"),
                            QStringLiteral("HideToolTabs1"), QStringLiteral("Hide Tools Tabs"),
                            T::Guias, QString(), false, false});
    // Every tool tab is shown at first, so that the tab follows whichever window is active,
    // and so are the code tool bars and the previews of both template windows; the other
    // tool bars start hidden.
    for (const TTipoDocumento& tipo : TiposDocumento()) {
        m_itensVista.push_back({tipo.itemGuia, tipo.gemeoGuia, QStringLiteral("Hide Tool Tab"),
                                T::Guia, tipo.extensao, false, false});
        for (const TItemBarra& barra : tipo.barras) {
            const bool codigo = barra.item == QStringLiteral("HideCodeToolBar1") ||
                                barra.item == QStringLiteral("HideCodeToolBar2") ||
                                barra.item == QStringLiteral("HidePreview1") ||
                                barra.item == QStringLiteral("HidePreview2");
            m_itensVista.push_back({barra.item, barra.gemeo, barra.legenda, T::Barra, tipo.extensao,
                                    !codigo, !codigo});
        }
    }

    m_popView = new QMenu(this);
    m_popView->setObjectName(QStringLiteral("pop_view"));
    for (bool noMenuJanelas : {true, false}) {
        QMenu* menu = noMenuJanelas ? m_menuJanelas : m_popView;
        TItemVista& guias = m_itensVista.front();
        QAction* acao =
            criaAcao(this, noMenuJanelas ? guias.legenda : QStringLiteral("Hide Tool Tabs"),
                     noMenuJanelas ? guias.nome : guias.gemeo);
        acao->setCheckable(true);
        connect(acao, &QAction::triggered, this,
                [this](bool marcado) { AplicaItemVista(m_itensVista.front(), marcado); });
        menu->addAction(acao);
        (noMenuJanelas ? guias.acao : guias.acaoGemea) = acao;
        for (const TTipoDocumento& tipo : TiposDocumento())
            criaSubmenuVista(menu, tipo, noMenuJanelas);
    }
    m_popView->addSeparator();
    QAction* padrao =
        criaAcao(this, QStringLiteral("Restore Default"), QStringLiteral("RestoreDefault1"));
    connect(padrao, &QAction::triggered, this, &TFormTelaPrincipal::ViewDefault);
    m_popView->addAction(padrao);
    m_menuJanelas->addSeparator();

    for (QWidget* alvo : std::initializer_list<QWidget*>{m_toolBar3, m_bandaGuias, m_toolBar2})
        connect(alvo, &QWidget::customContextMenuRequested, this,
                [this, alvo](const QPoint& ponto) { m_popView->popup(alvo->mapToGlobal(ponto)); });
    m_guias->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_guias, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& ponto) { m_popView->popup(m_guias->mapToGlobal(ponto)); });

    // The start state: the marks and what they hide.
    for (TItemVista& item : m_itensVista)
        AplicaItemVista(item, item.inicio);
}

QMenu* TFormTelaPrincipal::criaSubmenuVista(QMenu* menu, const TTipoDocumento& tipo,
                                            bool noMenuJanelas) {
    QMenu* submenu = menu->addMenu(tipo.titulo);
    auto adiciona = [&](const QString& nome) {
        TItemVista* item = itemVista(nome);
        QAction* acao = criaAcao(this, item->legenda, noMenuJanelas ? item->nome : item->gemeo);
        acao->setCheckable(true);
        connect(acao, &QAction::triggered, this,
                [this, nome](bool marcado) { AplicaItemVista(*itemVista(nome), marcado); });
        submenu->addAction(acao);
        (noMenuJanelas ? item->acao : item->acaoGemea) = acao;
    };
    // The items of this kind are created here the first time.
    if (!itemVista(tipo.itemGuia))
        return submenu;
    adiciona(tipo.itemGuia);
    submenu->addSeparator();
    for (const TItemBarra& barra : tipo.barras)
        adiciona(barra.item);
    return submenu;
}

// ---------------------------------------------------------------- start and end

void TFormTelaPrincipal::showEvent(QShowEvent* evento) {
    QMainWindow::showEvent(evento);
    if (!m_mostrada) {
        m_mostrada = true;
        FormShow();
    }
}

void TFormTelaPrincipal::FormShow() {
    m_diretorioInstalado = getDiretorioInstalado();
    const QString recentes = caminhoConfiguracao(arquivoRecentes);
    if (QFileInfo::exists(recentes)) {
        try {
            m_recentes.clear();
            for (const std::string& linha : LeLinhasTexto(deQString(recentes))) {
                if (linha.empty() || m_recentes.size() >= maximoRecentes)
                    continue;
                m_recentes.append(paraQString(linha));
            }
            ColocaNoMenu();
        } catch (const std::exception& erro) {
            mostraErro(erro);
        }
    }
    LeSettings();
    m_guias->setCurrentIndex(0);
}

// The installation directory the system's settings name ("dir" of "Quillon/Fendril", 1.00);
// empty when none is configured.
QString TFormTelaPrincipal::getDiretorioInstalado() {
    QSettings registro(QSettings::SystemScope, QStringLiteral("Quillon"),
                       QStringLiteral("Fendril"));
    m_diretorioInstalado = registro.value(QStringLiteral("1.00/dir")).toString();
    return m_diretorioInstalado;
}

namespace {

// A per-user folder of the platform, made when missing.
QString PastaDoUsuario(QStandardPaths::StandardLocation local) {
    const QString pasta = QStandardPaths::writableLocation(local);
    QDir().mkpath(pasta);
    return pasta;
}

} // namespace

// The settings and the recent list live in the installation directory when one is
// configured, else in the user's configuration folder; never in whatever folder the
// program was started from.
QString TFormTelaPrincipal::caminhoConfiguracao(const QString& nome) const {
    const QString pasta = m_diretorioInstalado.isEmpty()
                              ? PastaDoUsuario(QStandardPaths::AppConfigLocation)
                              : m_diretorioInstalado;
    return QDir(pasta).filePath(nome);
}

// The load logs likewise, in the user's data folder.
QString TFormTelaPrincipal::diretorioLogs() const {
    return m_diretorioInstalado.isEmpty() ? PastaDoUsuario(QStandardPaths::AppDataLocation)
                                          : m_diretorioInstalado;
}

void TFormTelaPrincipal::closeEvent(QCloseEvent* evento) {
    // A window whose question is answered Cancel stops the exit there.
    if (!FechaTodas(true)) {
        evento->ignore();
        return;
    }
    if (!m_recentes.isEmpty()) {
        TListaTextos linhas;
        for (const QString& caminho : m_recentes)
            linhas.push_back(deQString(caminho));
        try {
            GravaLinhasTexto(deQString(caminhoConfiguracao(arquivoRecentes)), linhas);
        } catch (const std::exception& erro) {
            mostraErro(erro);
        }
    }
    evento->accept();
}

bool TFormTelaPrincipal::mostraErro(const std::exception& erro) {
    Dialogos::Erro(this, paraQString(erro.what()));
    return false;
}

// ---------------------------------------------------------------- documents

TJanelaFilha* TFormTelaPrincipal::CriaFilha(const QString& extensao) {
    const TTipoDocumento* tipo = TipoPorExtensao(extensao);
    if (!tipo || !tipo->fabrica)
        return nullptr;
    TJanelaFilha* filha = tipo->fabrica(*this);
    filha->setWindowIcon(IconeDocumento(extensao));
    filha->DefineAtalhos();
    return filha;
}

void TFormTelaPrincipal::MostraFilha(TJanelaFilha* filha) {
    if (m_centro->currentWidget() != m_mdi) {
        // The work area takes its place at once, so that the window is placed in it.
        m_centro->setCurrentWidget(m_mdi);
        m_centro->layout()->setGeometry(m_centro->contentsRect());
    }
    m_mdi->addSubWindow(filha);
    connect(filha, &QObject::destroyed, this, &TFormTelaPrincipal::AtualizaComandos,
            Qt::QueuedConnection);
    filha->show();
    EncaixaNaArea(filha);
    m_mdi->setActiveSubWindow(filha);
    AtualizaComandos();
}

// A window lies wholly inside the work area: made smaller when larger, moved when it sticks
// out.
void TFormTelaPrincipal::EncaixaNaArea(TJanelaFilha* filha) const {
    if (filha->isMaximized() || filha->isMinimized())
        return;
    const QRect area = m_mdi->viewport()->rect();
    if (area.width() < 50 || area.height() < 50)
        return;
    QRect janela = filha->geometry();
    janela.setWidth(std::min(janela.width(), area.width()));
    janela.setHeight(std::min(janela.height(), area.height()));
    janela.moveLeft(std::clamp(janela.left(), 0, area.width() - janela.width()));
    janela.moveTop(std::clamp(janela.top(), 0, area.height() - janela.height()));
    filha->setGeometry(janela);
}

TJanelaFilha* TFormTelaPrincipal::NovoDocumento(const QString& extensao) {
    TJanelaFilha* filha = CriaFilha(extensao);
    if (!filha)
        return nullptr;
    filha->setNomeArq(TipoPorExtensao(extensao)->nomeNovo);
    MostraFilha(filha);
    return filha;
}

void TFormTelaPrincipal::NovoEscolhido() {
    QStringList tipos;
    for (const TTipoDocumento& tipo : TiposDocumento())
        tipos.append(tipo.titulo);
    const int escolhido = Dialogos::EscolheItem(this, QStringLiteral("New"),
                                                QStringLiteral("Kind of document:"), tipos);
    if (escolhido >= 0)
        NovoDocumento(TiposDocumento()[static_cast<std::size_t>(escolhido)].extensao);
}

void TFormTelaPrincipal::Mapeamento2Click() {
    NovoDocumento(QStringLiteral("kmf"));
}
void TFormTelaPrincipal::Modelo1Click() {
    NovoDocumento(QStringLiteral("tpt"));
}
void TFormTelaPrincipal::GeneralTemplate1Click() {
    NovoDocumento(QStringLiteral("tpg"));
}
void TFormTelaPrincipal::Generation1Click() {
    NovoDocumento(QStringLiteral("kgf"));
}

void TFormTelaPrincipal::AbirMapeamento1Click() {
    const QStringList escolhidos =
        Dialogos::AbreArquivos(this, QStringLiteral("Open..."), filtroAbrir);
    if (!escolhidos.isEmpty())
        AbreArquivo(escolhidos);
}

void TFormTelaPrincipal::AbreArquivo(const QStringList& caminhos) {
    for (const QString& caminho : caminhos) {
        bool conhecido = false;
        for (const TTipoDocumento& tipo : TiposDocumento()) {
            if (!caminho.contains(QLatin1Char('.') + tipo.extensao, Qt::CaseSensitive))
                continue;
            conhecido = true;
            // The document is read into a window not yet shown: a file that cannot be read
            // leaves no window behind and the others as they were.
            std::unique_ptr<TJanelaFilha> filha(CriaFilha(tipo.extensao));
            if (!filha)
                continue;
            try {
                filha->AbreArquivoKMF(caminho);
            } catch (const std::exception& erro) {
                Dialogos::Erro(this, MensagemFalhaAbertura(caminho, tipo, erro));
                return;
            }
            MostraFilha(filha.release());
            GravaRecentes(caminho);
        }
        if (!conhecido) {
            QStringList extensoes;
            for (const TTipoDocumento& tipo : TiposDocumento())
                extensoes.append(QLatin1Char('.') + tipo.extensao);
            Dialogos::Erro(this, QStringLiteral("The File \"") + QFileInfo(caminho).fileName() +
                                     QStringLiteral("\" Is Not A Fendril Document: Its Name "
                                                    "Holds None Of ") +
                                     extensoes.join(QStringLiteral(", ")) + QStringLiteral(" !!"));
            return;
        }
    }
}

// What a failed opening says: the file system's own message for a file that cannot be read,
// else that the file is not a document of its kind or is damaged, the reason after it.
QString TFormTelaPrincipal::MensagemFalhaAbertura(const QString& caminho,
                                                  const TTipoDocumento& tipo,
                                                  const std::exception& erro) {
    const QFileInfo info(caminho);
    if (!info.isFile() || !info.isReadable())
        return paraQString(erro.what());
    return QStringLiteral("The File \"") + info.fileName() + QStringLiteral("\" Is Not A ") +
           tipo.titulo + QStringLiteral(" Document Or Is Damaged !!\n(") +
           paraQString(erro.what()) + QLatin1Char(')');
}

TJanelaFilha* TFormTelaPrincipal::filhaAtiva() const {
    auto* filha = qobject_cast<TJanelaFilha*>(m_mdi->currentSubWindow());
    return filha && !filha->fechada() ? filha : nullptr;
}

std::vector<TJanelaFilha*> TFormTelaPrincipal::filhas() const {
    std::vector<TJanelaFilha*> lista;
    for (QMdiSubWindow* janela : m_mdi->subWindowList(QMdiArea::CreationOrder))
        if (auto* filha = qobject_cast<TJanelaFilha*>(janela); filha && !filha->fechada())
            lista.push_back(filha);
    return lista;
}

QString TFormTelaPrincipal::EscolheCaminhoSalvar(const TJanelaFilha& filha, const QString& titulo) {
    const TTipoDocumento* tipo = TipoPorExtensao(filha.extensao());
    const QString escolhido =
        Dialogos::SalvaArquivo(this, titulo, tipo->filtroSalvar, m_diretorioSalvar);
    if (escolhido.isEmpty())
        return {};
    // The extension rule applies to the file name; the folders keep their dots.
    const QFileInfo info(escolhido);
    const QString nome =
        paraQString(TrocaExtensao(deQString(info.fileName()), deQString(tipo->extensao)));
    return QDir(info.path()).filePath(nome);
}

void TFormTelaPrincipal::SalvaArquivo(TJanelaFilha* filha) {
    if (!filha)
        return;
    QString caminho = filha->gettNomeArq();
    if (!QFileInfo(caminho).isFile()) {
        caminho = EscolheCaminhoSalvar(*filha, QStringLiteral("Save..."));
        if (caminho.isEmpty())
            return;
    }
    filha->SalvaArquivoKMF(caminho);
    // A document saved is one the person works on: it joins the recent list.
    GravaRecentes(QFileInfo(caminho).absoluteFilePath());
}

void TFormTelaPrincipal::Salvar1Click() {
    try {
        SalvaArquivo(filhaAtiva());
    } catch (const std::exception& erro) {
        mostraErro(erro);
    }
}

void TFormTelaPrincipal::SalvarComo1Click() {
    TJanelaFilha* filha = filhaAtiva();
    if (!filha)
        return;
    const QString escolhido = EscolheCaminhoSalvar(*filha, QStringLiteral("Save As..."));
    if (escolhido.isEmpty())
        return;
    try {
        filha->SalvaArquivoKMF(escolhido);
        GravaRecentes(QFileInfo(escolhido).absoluteFilePath());
    } catch (const std::exception& erro) {
        mostraErro(erro);
    }
}

void TFormTelaPrincipal::SalvarTodos1Click() {
    if (!filhaAtiva())
        return;
    try {
        for (TJanelaFilha* filha : filhas())
            SalvaArquivo(filha);
    } catch (const std::exception& erro) {
        mostraErro(erro);
    }
}

void TFormTelaPrincipal::Fechar1Click() {
    if (TJanelaFilha* filha = filhaAtiva())
        filha->close();
}

void TFormTelaPrincipal::FecharTodos1Click() {
    FechaTodas(false);
}

// Asks every window to close, in the frame's order. A window whose save fails stops the
// others from being asked, and with `pararNaRecusa` so does one answered Cancel. Whether
// every window closed.
bool TFormTelaPrincipal::FechaTodas(bool pararNaRecusa) {
    if (!filhaAtiva() && filhas().empty())
        return true;
    for (TJanelaFilha* filha : filhas()) {
        filha->close();
        if (filha->falhouAoSalvarNoFechamento() || (pararNaRecusa && !filha->fechada()))
            break;
    }
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return filhas().empty();
}

void TFormTelaPrincipal::Sair1Click() {
    close();
}

void TFormTelaPrincipal::ExitAndSaveMenuSettings1Click() {
    SalvaSettings();
    Sair1Click();
}

void TFormTelaPrincipal::ExecutaFerramenta(const QString& extensao, TComando comando) {
    TJanelaFilha* filha = filhaAtiva();
    if (!filha || filha->extensao() != extensao)
        return;
    try {
        filha->ExecutaComando(comando);
    } catch (const std::exception& erro) {
        mostraErro(erro);
    }
}

// ---------------------------------------------------------------- recent files

void TFormTelaPrincipal::GravaRecentes(const QString& caminho) {
    qsizetype achado = -1;
    for (qsizetype i = 0; i < m_recentes.size(); ++i)
        if (MesmoTextoSemCaixa(deQString(m_recentes[i]), deQString(caminho)))
            achado = i;
    if (achado >= 0) {
        m_recentes.move(achado, 0);
    } else {
        m_recentes.prepend(caminho);
        if (m_recentes.size() > maximoRecentes)
            m_recentes.removeLast();
    }
    ColocaNoMenu();
}

// The entries show "1: path" with the number as their mnemonic; each keeps its path apart,
// so that an "&" or ":" in it reads as written.
void TFormTelaPrincipal::ColocaNoMenu() {
    for (qsizetype i = 0; i < m_recentes.size() && i < m_itensRecentes.size(); ++i) {
        QAction* entrada = m_itensRecentes[i];
        const QString numero = QString::number(i + 1);
        entrada->setText(numero.left(numero.size() - 1) + QLatin1Char('&') + numero.right(1) +
                         QStringLiteral(": ") +
                         QString(m_recentes[i]).replace(QLatin1Char('&'), QStringLiteral("&&")));
        entrada->setData(m_recentes[i]);
        entrada->setIcon(IconeDocumento(QFileInfo(m_recentes[i]).suffix()));
        if (!m_menuReabrir->actions().contains(entrada))
            m_menuReabrir->addAction(entrada);
    }
    m_inicio->setRecentes(m_recentes);
}

void TFormTelaPrincipal::RecenteClick(QAction* entrada) {
    AbreArquivo({entrada->data().toString()});
}

// ---------------------------------------------------------------- windows menu

void TFormTelaPrincipal::MontaListaJanelas() {
    for (QAction* acao : m_listaJanelas) {
        m_menuJanelas->removeAction(acao);
        acao->deleteLater();
    }
    m_listaJanelas.clear();
    int numero = 1;
    for (TJanelaFilha* filha : filhas()) {
        const QString legenda = filha->legenda().replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString prefixo = numero <= 9 ? QStringLiteral("&") : QString();
        QAction* acao = m_menuJanelas->addAction(prefixo + QString::number(numero++) +
                                                 QLatin1Char(' ') + legenda);
        acao->setIcon(filha->windowIcon());
        acao->setCheckable(true);
        acao->setChecked(filha == filhaAtiva());
        const QPointer<TJanelaFilha> alvo(filha);
        connect(acao, &QAction::triggered, this, [this, alvo] {
            if (alvo)
                m_mdi->setActiveSubWindow(alvo);
        });
        m_listaJanelas.append(acao);
    }
}

// The commands follow the active window: the tool tab shows its kind, the commands of the
// other kinds are disabled, and so are those of documents while none is open; the work area
// shows the start page then.
void TFormTelaPrincipal::AtualizaComandos() {
    const TJanelaFilha* ativa = filhaAtiva();
    for (auto& [extensao, acoes] : m_acoesTipo)
        for (QAction* acao : acoes)
            acao->setEnabled(ativa && ativa->extensao() == extensao);
    const bool algumaAberta = !filhas().empty();
    for (QAction* acao : m_acoesDocumento)
        acao->setEnabled(algumaAberta);
    if (ativa) {
        const auto& tipos = TiposDocumento();
        for (int i = 0; i < static_cast<int>(tipos.size()); ++i)
            if (tipos[static_cast<std::size_t>(i)].extensao == ativa->extensao() &&
                m_guias->isTabVisible(i))
                m_guias->setCurrentIndex(i);
    }
    m_centro->setCurrentWidget(algumaAberta ? static_cast<QWidget*>(m_mdi)
                                            : static_cast<QWidget*>(m_inicio));
}

void TFormTelaPrincipal::setPastaExemplo(const QString& pasta) {
    pastaExemplo() = pasta;
}

// Open the shop example: its documents are copied once into the user's data folder (where
// the generation may write), the mapping pointed at the copied database, and the generation
// opened with its folder mounted.
void TFormTelaPrincipal::AbreExemplo() {
    QString origem = pastaExemplo();
    const QDir programa(QCoreApplication::applicationDirPath());
    for (const QString& candidata :
         {programa.filePath(QStringLiteral("../share/fendril/shop-example")),
          programa.filePath(QStringLiteral("shop-example"))})
        if (origem.isEmpty() && QFileInfo(candidata + QStringLiteral("/shop.kgf")).isFile())
            origem = QDir::cleanPath(candidata);
    if (origem.isEmpty()) {
        Dialogos::Erro(this, QStringLiteral("The Shop Example Could Not Be Found !!"));
        return;
    }
    const QString destino = QDir(PastaDoUsuario(QStandardPaths::AppDataLocation))
                                .filePath(QStringLiteral("shop-example"));
    const QString geracao = destino + QStringLiteral("/shop.kgf");
    if (!QFileInfo(geracao).isFile()) {
        const auto copia = [](const QString& de, const QString& para, const auto& propria) -> bool {
            if (!QDir().mkpath(para))
                return false;
            const QDir pasta(de);
            for (const QFileInfo& entrada :
                 pasta.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
                const QString alvo = QDir(para).filePath(entrada.fileName());
                if (entrada.isDir() ? !propria(entrada.filePath(), alvo, propria)
                                    : !QFile::copy(entrada.filePath(), alvo))
                    return false;
            }
            return true;
        };
        const QString mapeamento = destino + QStringLiteral("/shop.kmf");
        try {
            if (!copia(origem, destino, copia))
                throw EErroGeral::Create("The Shop Example Could Not Be Copied To " +
                                         deQString(destino) + " !!");
            // The mapping reads the database beside it.
            TArquivoKMF documento;
            documento.Abre(deQString(mapeamento));
            TDescricaoMapeamento descricao = LeDocumentoMapeamento(documento);
            descricao.edit_constring = "Provider=SQLite;Data Source=\"" +
                                       deQString(destino + QStringLiteral("/shop.db")) + "\"";
            TArquivoKMF copiado = MontaDocumentoMapeamento(descricao);
            copiado.Salva(deQString(mapeamento));
        } catch (const std::exception& erro) {
            QDir(destino).removeRecursively();
            mostraErro(erro);
            return;
        }
    }
    AbreArquivo({geracao});
}

void TFormTelaPrincipal::ladoALado(bool umSobreOutro) {
    const std::vector<TJanelaFilha*> lista = filhas();
    if (lista.empty())
        return;
    const QRect area = m_mdi->viewport()->rect();
    const int n = static_cast<int>(lista.size());
    for (int i = 0; i < n; ++i) {
        TJanelaFilha* filha = lista[static_cast<std::size_t>(i)];
        filha->showNormal();
        if (umSobreOutro) {
            const int altura = area.height() / n;
            filha->setGeometry(0, i * altura, area.width(), altura);
        } else {
            const int largura = area.width() / n;
            filha->setGeometry(i * largura, 0, largura, area.height());
        }
    }
}

// ---------------------------------------------------------------- view settings

TFormTelaPrincipal::TItemVista* TFormTelaPrincipal::itemVista(const QString& nome) {
    for (TItemVista& item : m_itensVista)
        if (item.nome == nome)
            return &item;
    return nullptr;
}

const TFormTelaPrincipal::TItemVista* TFormTelaPrincipal::itemVista(const QString& nome) const {
    for (const TItemVista& item : m_itensVista)
        if (item.nome == nome)
            return &item;
    return nullptr;
}

bool TFormTelaPrincipal::ItemMarcado(const QString& item) const {
    const TItemVista* achado = itemVista(item);
    return achado && achado->marcado;
}

void TFormTelaPrincipal::AlternaItemVista(const QString& item) {
    if (TItemVista* achado = itemVista(item))
        AplicaItemVista(*achado, !achado->marcado);
}

void TFormTelaPrincipal::AplicaItemVista(TItemVista& item, bool marcado) {
    const bool mudou = item.marcado != marcado;
    item.marcado = marcado;
    for (QAction* acao : {item.acao, item.acaoGemea})
        if (acao)
            acao->setChecked(marcado);
    switch (item.tipo) {
    case TItemVista::Guias:
        m_bandaGuias->setVisible(!marcado);
        break;
    case TItemVista::Guia: {
        const auto& tipos = TiposDocumento();
        for (int i = 0; i < static_cast<int>(tipos.size()); ++i)
            if (tipos[static_cast<std::size_t>(i)].extensao == item.extensao)
                m_guias->setTabVisible(i, !marcado);
        break;
    }
    case TItemVista::Barra:
        // The user's click has already flipped the mark; a change reaches the active child.
        if (TJanelaFilha* filha = filhaAtiva();
            filha && filha->extensao() == item.extensao && mudou)
            filha->AlternaBarra(item.nome);
        break;
    }
}

QToolBar* TFormTelaPrincipal::banda(const QString& nome) const {
    if (nome == QStringLiteral("ToolBar3"))
        return m_toolBar3;
    if (nome == QStringLiteral("ToolBar2"))
        return m_toolBar2;
    if (nome == QStringLiteral("guias"))
        return m_bandaGuias;
    return nullptr;
}

void TFormTelaPrincipal::SalvaSettings() {
    TArquivoKMF documento;
    for (const QString& nome : ordemItensVista)
        documento.AdicionaEntrada("menus", deQString(nome), ItemMarcado(nome) ? "0" : "1");
    for (const QString& nome : nomesBandas) {
        const QToolBar* barra = banda(nome);
        documento.AdicionaEntrada("menus", deQString(nome), std::to_string(barra->x()));
        documento.AdicionaEntrada("menus", deQString(nome) + "top", std::to_string(barra->y()));
    }
    try {
        documento.Salva(deQString(caminhoConfiguracao(arquivoSettings)));
    } catch (const std::exception& erro) {
        mostraErro(erro);
    }
}

void TFormTelaPrincipal::LeSettings() {
    const QString caminho = caminhoConfiguracao(arquivoSettings);
    if (!QFileInfo::exists(caminho))
        return;
    TArquivoKMF documento;
    try {
        documento.Abre(deQString(caminho));
    } catch (const std::exception& erro) {
        mostraErro(erro);
        return;
    }
    auto primeiro = [&documento](const std::string& chave, std::string& valor) {
        const TListaTextos valores = documento.LeSecao("menus", chave, false);
        if (valores.empty())
            return false;
        valor = valores.front();
        return true;
    };
    for (const QString& nome : ordemItensVista) {
        std::string valor;
        if (!primeiro(deQString(nome), valor))
            continue; // a missing entry keeps the item as it is
        if ((valor == "1") == ItemMarcado(nome))
            AlternaItemVista(nome);
    }
    // Band positions: an entry missing or not an integer leaves its band where it is.
    std::vector<std::pair<QToolBar*, QPoint>> posicoes;
    for (const QString& nome : nomesBandas) {
        std::string esquerda;
        std::string topo;
        QToolBar* barra = banda(nome);
        QPoint ponto = barra->pos();
        try {
            if (primeiro(deQString(nome), esquerda))
                ponto.setX(ParaInteiro(esquerda));
            if (primeiro(deQString(nome) + "top", topo))
                ponto.setY(ParaInteiro(topo));
        } catch (const std::exception&) {
        }
        posicoes.emplace_back(barra, ponto);
    }
    PosicionaBandas(posicoes);
}

// The bands go back into the tool area in rows by their tops, left to right in a row.
void TFormTelaPrincipal::PosicionaBandas(
    const std::vector<std::pair<QToolBar*, QPoint>>& posicoes) {
    auto ordenadas = posicoes;
    std::stable_sort(ordenadas.begin(), ordenadas.end(), [](const auto& a, const auto& b) {
        if (a.second.y() != b.second.y())
            return a.second.y() < b.second.y();
        return a.second.x() < b.second.x();
    });
    std::vector<bool> visiveis;
    for (const auto& [barra, ponto] : ordenadas) {
        visiveis.push_back(!barra->isHidden());
        removeToolBar(barra);
    }
    int topoAnterior = 0;
    for (std::size_t i = 0; i < ordenadas.size(); ++i) {
        QToolBar* barra = ordenadas[i].first;
        if (i > 0 && ordenadas[i].second.y() != topoAnterior)
            addToolBarBreak(Qt::TopToolBarArea);
        topoAnterior = ordenadas[i].second.y();
        addToolBar(Qt::TopToolBarArea, barra);
        barra->setVisible(visiveis[i]);
    }
}

void TFormTelaPrincipal::ViewDefault() {
    for (const QString& nome : ordemItensVista) {
        const TItemVista* item = itemVista(nome);
        if (item && ItemMarcado(nome) != item->padrao)
            AlternaItemVista(nome);
    }
    update();
}

// ---------------------------------------------------------------- help and about

void TFormTelaPrincipal::Contents1Click() {
    // The installation directory first; an installed program also finds the guide in its
    // share folder, a program run from its build folder beside itself.
    QString caminho = m_diretorioInstalado.isEmpty()
                          ? QString()
                          : QDir(m_diretorioInstalado).filePath(arquivoAjuda);
    const QDir programa(QCoreApplication::applicationDirPath());
    for (const QString& outro :
         {programa.filePath(QStringLiteral("../share/fendril/") + arquivoAjuda),
          programa.filePath(arquivoAjuda)}) {
        if (!QFileInfo(caminho).isFile() && QFileInfo(outro).isFile())
            caminho = QDir::cleanPath(outro);
    }
    if (!QFileInfo(caminho).isFile()) {
        Dialogos::Erro(this, QStringLiteral("The Help File \"") + arquivoAjuda +
                                 QStringLiteral("\" Could Not Be Found !!"));
        return;
    }
    auto* ajuda = new TFormAjuda(caminho, this);
    ajuda->show();
}

void TFormTelaPrincipal::About1Click() {
    TFormAbout sobre(this);
    connect(&sobre, &TFormAbout::pedeAjuda, this, [this, &sobre] {
        sobre.accept();
        Contents1Click();
    });
    sobre.exec();
}

} // namespace fendril

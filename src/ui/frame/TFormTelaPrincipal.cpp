#include "ui/frame/TFormTelaPrincipal.h"

#include "documents/TArquivoKMF.h"
#include "model/ArquivoTexto.h"
#include "model/Erros.h"
#include "model/Textos.h"
#include "ui/frame/Dialogos.h"
#include "ui/frame/TFormAbout.h"
#include "ui/frame/TFormAjuda.h"
#include "ui/frame/TJanelaFilha.h"
#include "ui/frame/TTiposDocumento.h"
#include "ui/frame/Texto.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>
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
                                     QStringLiteral("HideGenerationToolBar1")};

const QStringList nomesBandas = {QStringLiteral("ToolBar3"), QStringLiteral("ToolBar2"),
                                 QStringLiteral("guias")};

QAction* criaAcao(QObject* dono, const QString& legenda, const QString& nome) {
    auto* acao = new QAction(legenda, dono);
    acao->setObjectName(nome);
    return acao;
}

// A disabled, blank button that only separates groups of a tool bar.
void adicionaSeparador(QToolBar* barra) {
    QAction* separador = barra->addAction(QString());
    separador->setEnabled(false);
}

} // namespace

TFormTelaPrincipal::TFormTelaPrincipal(QWidget* pai) : QMainWindow(pai) {
    setObjectName(QStringLiteral("FormTelaPrincipal"));
    setWindowTitle(QStringLiteral("Fendril"));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdi"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);

    // FormCreate: the 10 recent entries exist from the start, none attached yet.
    for (int i = 0; i < maximoRecentes; ++i) {
        QAction* entrada = criaAcao(this, QString(), QStringLiteral("itemRecente%1").arg(i + 1));
        connect(entrada, &QAction::triggered, this, [this, entrada] { RecenteClick(entrada); });
        m_itensRecentes.append(entrada);
    }
    criaBandas();
    criaMenus();
    criaItensVista();
}

TFormTelaPrincipal::~TFormTelaPrincipal() = default;

// ---------------------------------------------------------------- construction

void TFormTelaPrincipal::criaBandas() {
    m_toolBar3 = addToolBar(QStringLiteral("Files"));
    m_toolBar3->setObjectName(QStringLiteral("ToolBar3"));
    QAction* abrir = m_toolBar3->addAction(QStringLiteral("Open"), this,
                                           &TFormTelaPrincipal::AbirMapeamento1Click);
    abrir->setObjectName(QStringLiteral("but_abrir"));
    QAction* salvar =
        m_toolBar3->addAction(QStringLiteral("Save"), this, &TFormTelaPrincipal::Salvar1Click);
    salvar->setObjectName(QStringLiteral("but_salvar"));
    QAction* todos = m_toolBar3->addAction(QStringLiteral("Save All"), this,
                                           &TFormTelaPrincipal::SalvarTodos1Click);
    todos->setObjectName(QStringLiteral("but_salvartodos"));
    QAction* ajuda =
        m_toolBar3->addAction(QStringLiteral("Help"), this, &TFormTelaPrincipal::Contents1Click);
    ajuda->setObjectName(QStringLiteral("but_ajuda"));

    m_bandaGuias = addToolBar(QStringLiteral("Tool Tabs"));
    m_bandaGuias->setObjectName(QStringLiteral("banda_guias"));
    m_guias = new QTabWidget(m_bandaGuias);
    m_guias->setObjectName(QStringLiteral("guias"));
    m_guias->setDocumentMode(true);
    for (const TTipoDocumento& tipo : TiposDocumento()) {
        auto* barra = new QToolBar(m_guias);
        barra->setObjectName(tipo.guia);
        int grupo = 0;
        for (const TComandoFerramenta& comando : tipo.comandos) {
            if (grupo != 0 && (comando.grupo != grupo || comando.separadorAntes))
                adicionaSeparador(barra);
            grupo = comando.grupo;
            QAction* botao = barra->addAction(comando.legendaBotao());
            botao->setObjectName(comando.nomeBotao);
            botao->setToolTip(comando.dicaBotao());
            connect(botao, &QAction::triggered, this,
                    [this, extensao = tipo.extensao, executado = comando.comando] {
                        ExecutaFerramenta(extensao, executado);
                    });
        }
        m_guias->addTab(barra, tipo.titulo);
    }
    m_bandaGuias->addWidget(m_guias);

    m_toolBar2 = addToolBar(QStringLiteral("New"));
    m_toolBar2->setObjectName(QStringLiteral("ToolBar2"));
    for (const QString& extensao : {QStringLiteral("kmf"), QStringLiteral("tpt"),
                                    QStringLiteral("kgf"), QStringLiteral("tpg")}) {
        const TTipoDocumento* tipo = TipoPorExtensao(extensao);
        QAction* botao = m_toolBar2->addAction(tipo->dicaNovo);
        botao->setObjectName(QStringLiteral("but_novo_") + extensao);
        botao->setToolTip(tipo->dicaNovo);
        connect(botao, &QAction::triggered, this, [this, extensao] { NovoDocumento(extensao); });
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
        connect(acao, &QAction::triggered, this, [this, extensao] { NovoDocumento(extensao); });
        novo->addAction(acao);
    };
    itemNovo(QStringLiteral("kmf"));
    novo->addSeparator();
    itemNovo(QStringLiteral("tpt"));
    itemNovo(QStringLiteral("tpg"));
    novo->addSeparator();
    itemNovo(QStringLiteral("kgf"));
    arquivo->addSeparator();

    auto item = [this](QMenu* menu, const QString& legenda, const QString& nome, auto metodo,
                       const QKeySequence& atalho = QKeySequence()) {
        QAction* acao = criaAcao(this, legenda, nome);
        acao->setShortcut(atalho);
        connect(acao, &QAction::triggered, this, metodo);
        menu->addAction(acao);
        return acao;
    };
    item(arquivo, QStringLiteral("Open..."), QStringLiteral("AbirMapeamento1"),
         &TFormTelaPrincipal::AbirMapeamento1Click, QKeySequence(QStringLiteral("Ctrl+O")));
    m_menuReabrir = arquivo->addMenu(QStringLiteral("Reopen"));
    m_menuReabrir->setObjectName(QStringLiteral("Reabrir1"));
    arquivo->addSeparator();
    item(arquivo, QStringLiteral("Save..."), QStringLiteral("Salvar1"),
         &TFormTelaPrincipal::Salvar1Click, QKeySequence(QStringLiteral("Ctrl+S")));
    item(arquivo, QStringLiteral("Save As..."), QStringLiteral("SalvarComo1"),
         &TFormTelaPrincipal::SalvarComo1Click);
    item(arquivo, QStringLiteral("Save All..."), QStringLiteral("SalvarTodos1"),
         &TFormTelaPrincipal::SalvarTodos1Click);
    arquivo->addSeparator();
    item(arquivo, QStringLiteral("Save Settings"), QStringLiteral("SaveSettings1"),
         &TFormTelaPrincipal::SalvaSettings);
    arquivo->addSeparator();
    item(arquivo, QStringLiteral("Close"), QStringLiteral("Fechar1"),
         &TFormTelaPrincipal::Fechar1Click);
    item(arquivo, QStringLiteral("Close All"), QStringLiteral("FecharTodos1"),
         &TFormTelaPrincipal::FecharTodos1Click);
    arquivo->addSeparator();
    item(arquivo, QStringLiteral("Exit"), QStringLiteral("Sair1"), &TFormTelaPrincipal::Sair1Click);
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
            connect(acao, &QAction::triggered, this,
                    [this, extensao = tipo.extensao, executado = comando.comando] {
                        ExecutaFerramenta(extensao, executado);
                    });
            submenu->addAction(acao);
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
    m_menuJanelas->addSeparator();
    connect(m_menuJanelas, &QMenu::aboutToShow, this, &TFormTelaPrincipal::MontaListaJanelas);

    QMenu* ajuda = menuBar()->addMenu(QStringLiteral("Help"));
    ajuda->setObjectName(QStringLiteral("Ajuda1"));
    item(ajuda, QStringLiteral("Contents"), QStringLiteral("Contents1"),
         &TFormTelaPrincipal::Contents1Click);
    item(ajuda, QStringLiteral("About Fendril"), QStringLiteral("About1"),
         &TFormTelaPrincipal::About1Click);
}

void TFormTelaPrincipal::criaItensVista() {
    using T = TItemVista;
    m_itensVista.push_back({QStringLiteral("OcultarGuiasdeFerramentas1"),
                            QStringLiteral("HideToolTabs1"), QStringLiteral("Hide Tools Tabs"),
                            T::Guias, QString(), false, false});
    for (const TTipoDocumento& tipo : TiposDocumento()) {
        const bool guiaOculta = tipo.itemGuia == QStringLiteral("HideToolTab1");
        m_itensVista.push_back({tipo.itemGuia, tipo.gemeoGuia, QStringLiteral("Hide Tool Tab"),
                                T::Guia, tipo.extensao, guiaOculta, guiaOculta});
        for (const TItemBarra& barra : tipo.barras) {
            const bool padrao = barra.item != QStringLiteral("HideCodeToolBar1");
            m_itensVista.push_back(
                {barra.item, barra.gemeo, barra.legenda, T::Barra, tipo.extensao, true, padrao});
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
    const QString recentes = caminhoInstalado(arquivoRecentes);
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

QString TFormTelaPrincipal::getDiretorioInstalado() {
    QSettings registro(QSettings::SystemScope, QStringLiteral("Quillon"),
                       QStringLiteral("Fendril"));
    QString diretorio = registro.value(QStringLiteral("1.00/dir")).toString();
    if (diretorio.isEmpty())
        diretorio = QDir::currentPath();
    m_diretorioInstalado = diretorio;
    return diretorio;
}

QString TFormTelaPrincipal::caminhoInstalado(const QString& nome) const {
    return QDir(m_diretorioInstalado).filePath(nome);
}

void TFormTelaPrincipal::closeEvent(QCloseEvent* evento) {
    FecharTodos1Click();
    if (!filhas().empty()) {
        evento->ignore();
        return;
    }
    if (!m_recentes.isEmpty()) {
        TListaTextos linhas;
        for (const QString& caminho : m_recentes)
            linhas.push_back(deQString(caminho));
        try {
            GravaLinhasTexto(deQString(caminhoInstalado(arquivoRecentes)), linhas);
        } catch (const std::exception& erro) {
            mostraErro(erro);
        }
    }
    evento->accept();
}

bool TFormTelaPrincipal::mostraErro(const std::exception& erro) {
    Dialogos::Mensagem(this, paraQString(erro.what()));
    return false;
}

// ---------------------------------------------------------------- documents

TJanelaFilha* TFormTelaPrincipal::NovoDocumento(const QString& extensao) {
    const TTipoDocumento* tipo = TipoPorExtensao(extensao);
    if (!tipo || !tipo->fabrica)
        return nullptr;
    TJanelaFilha* filha = tipo->fabrica(*this);
    m_mdi->addSubWindow(filha);
    filha->setNomeArq(tipo->nomeNovo);
    filha->show();
    m_mdi->setActiveSubWindow(filha);
    return filha;
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
        for (const TTipoDocumento& tipo : TiposDocumento()) {
            if (!caminho.contains(QLatin1Char('.') + tipo.extensao, Qt::CaseSensitive))
                continue;
            TJanelaFilha* filha = NovoDocumento(tipo.extensao);
            if (!filha)
                continue;
            QApplication::processEvents();
            try {
                filha->AbreArquivoKMF(caminho);
            } catch (const std::exception& erro) {
                mostraErro(erro);
                return;
            }
            GravaRecentes(caminho);
        }
    }
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
    const QString caminho = filha->gettNomeArq();
    if (QFileInfo(caminho).isFile()) {
        filha->SalvaArquivoKMF(caminho);
        return;
    }
    const QString escolhido = EscolheCaminhoSalvar(*filha, QStringLiteral("Save..."));
    if (!escolhido.isEmpty())
        filha->SalvaArquivoKMF(escolhido);
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
    if (!filhaAtiva() && filhas().empty())
        return;
    for (TJanelaFilha* filha : filhas()) {
        filha->close();
        if (filha->falhouAoSalvarNoFechamento())
            break;
    }
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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

void TFormTelaPrincipal::ColocaNoMenu() {
    for (qsizetype i = 0; i < m_recentes.size() && i < m_itensRecentes.size(); ++i) {
        QAction* entrada = m_itensRecentes[i];
        entrada->setText(QString::number(i + 1) + QStringLiteral(": ") + m_recentes[i]);
        if (!m_menuReabrir->actions().contains(entrada))
            m_menuReabrir->addAction(entrada);
    }
}

void TFormTelaPrincipal::RecenteClick(QAction* entrada) {
    const QString legenda = entrada->text();
    const qsizetype doisPontos = legenda.indexOf(QLatin1Char(':'));
    AbreArquivo({legenda.mid(doisPontos + 2)});
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
        QAction* acao = m_menuJanelas->addAction(QString::number(numero++) + QLatin1Char(' ') +
                                                 filha->legenda());
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
        documento.Salva(deQString(caminhoInstalado(arquivoSettings)));
    } catch (const std::exception& erro) {
        mostraErro(erro);
    }
}

void TFormTelaPrincipal::LeSettings() {
    const QString caminho = caminhoInstalado(arquivoSettings);
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
    QString caminho = caminhoInstalado(arquivoAjuda);
    const QDir programa(QCoreApplication::applicationDirPath());
    for (const QString& outro :
         {programa.filePath(QStringLiteral("../share/fendril/") + arquivoAjuda),
          programa.filePath(arquivoAjuda)}) {
        if (!QFileInfo(caminho).isFile() && QFileInfo(outro).isFile())
            caminho = QDir::cleanPath(outro);
    }
    if (!QFileInfo(caminho).isFile()) {
        caminho = caminhoInstalado(arquivoAjuda);
        Dialogos::Mensagem(this, QStringLiteral("The Help File \"") + caminho +
                                     QStringLiteral("\" Could Not Be Found !!"));
        return;
    }
    auto* ajuda = new TFormAjuda(caminho, this);
    ajuda->show();
}

void TFormTelaPrincipal::About1Click() {
    TFormAbout sobre(this);
    sobre.exec();
}

} // namespace fendril

// The main window's document commands: New, Open, Save, Save As, Save All, the recent
// list, Close and Exit with the close prompt, and the forwarding of tool commands.

#include "AmbienteUi.h"
#include "documents/TArquivoKMF.h"
#include "model/ArquivoTexto.h"
#include "ui/TFormModeloGeral.h"
#include "ui/frame/TPaginaInicial.h"
#include "ui/frame/TTiposDocumento.h"
#include "ui/frame/Texto.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <set>

using namespace fendril;
using namespace fendril::teste;

namespace {

const QString filtroGeral =
    QStringLiteral("General Template Files (*.tpg)|*.TPG|All Files (*.*)|*.*");

// A general template document written through a window, with `texto` as its code.
QString CriaModelo(TFormTelaPrincipal& principal, const QString& caminho, const QString& texto) {
    TJanelaFilha* filha = principal.NovoDocumento(QStringLiteral("tpg"));
    filha->findChild<QPlainTextEdit*>(QStringLiteral("re_classeobjeto"))->setPlainText(texto);
    filha->SalvaArquivoKMF(caminho);
    filha->close();
    QCoreApplication::processEvents();
    return caminho;
}

void Modifica(TJanelaFilha* filha) {
    auto* editor = filha->findChild<QPlainTextEdit*>(QStringLiteral("re_classeobjeto"));
    QTest::keyClicks(editor, QStringLiteral("x"));
}

} // namespace

class TesteTelaPrincipal : public QObject {
    Q_OBJECT
private slots:
    // The window is titled and each of its four New commands opens a window of its kind.
    void inicio() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        QCOMPARE(principal->windowTitle(), QStringLiteral("Fendril"));
        QCOMPARE(principal->diretorioInstalado(), QDir::currentPath());
        QVERIFY(principal->findChild<QToolBar*>(QStringLiteral("ToolBar3")));
        QVERIFY(principal->findChild<QToolBar*>(QStringLiteral("ToolBar2")));
        QVERIFY(principal->findChild<QTabWidget*>(QStringLiteral("guias")));
        for (const TTipoDocumento& tipo : TiposDocumento()) {
            Acao(principal.get(), tipo.acaoNovo)->trigger();
            QVERIFY2(principal->filhaAtiva(), qPrintable(tipo.acaoNovo));
            QCOMPARE(principal->filhaAtiva()->extensao(), tipo.extensao);
            QCOMPARE(principal->filhaAtiva()->legenda(), tipo.nomeNovo);
        }
        QCOMPARE(principal->filhas().size(), TiposDocumento().size());
    }

    // On a first run (no recent list yet) "Reopen" fills as documents are saved and opened,
    // and so does the start page's list.
    void recentesNaPrimeiraExecucao() {
        Ambiente ambiente;
        QVERIFY(!QFileInfo::exists(ambiente.caminho(QStringLiteral("recent.txt"))));
        auto principal = NovaPrincipal();
        QVERIFY(principal->menuReabrir()->actions().isEmpty());
        TJanelaFilha* filha = principal->NovoDocumento(QStringLiteral("tpg"));
        Dialogos::ProximosArquivos({ambiente.caminho(QStringLiteral("first"))});
        Acao(principal.get(), QStringLiteral("Salvar1"))->trigger();
        const QString primeiro = ambiente.caminho(QStringLiteral("first.tpg"));
        QCOMPARE(principal->menuReabrir()->actions().size(), 1);
        QCOMPARE(principal->menuReabrir()->actions()[0]->data().toString(), primeiro);
        filha->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QString segundo =
            CriaModelo(*principal, ambiente.caminho(QStringLiteral("second.tpg")), QString());
        principal->AbreArquivo({segundo});
        QCOMPARE(principal->menuReabrir()->actions().size(), 2);
        QCOMPARE(principal->recentes(), (QStringList{segundo, primeiro}));
        QListWidget* lista = principal->paginaInicial()->listaRecentes();
        QCOMPARE(lista->count(), 2);
        QCOMPARE(lista->item(0)->data(Qt::UserRole).toString(), segundo);
    }

    // With no document open the work area shows the start page, whose buttons create each
    // kind and open the recent documents; with a document open it shows the windows.
    void paginaInicial() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        auto* centro = Controle<QStackedWidget>(principal.get(), QStringLiteral("centro"));
        QCOMPARE(centro->currentWidget(), principal->paginaInicial());
        for (const char* nome : {"inicio_novo_kmf", "inicio_novo_tpt", "inicio_novo_tpg",
                                 "inicio_novo_kgf", "inicio_abrir", "inicio_exemplo"})
            QVERIFY2(principal->paginaInicial()->findChild<QToolButton*>(QLatin1String(nome)),
                     nome);
        Controle<QToolButton>(principal->paginaInicial(), QStringLiteral("inicio_novo_tpt"))
            ->click();
        QCOMPARE(principal->filhaAtiva()->extensao(), QStringLiteral("tpt"));
        QCOMPARE(centro->currentWidget(), principal->mdiArea());
        Acao(principal.get(), QStringLiteral("Fechar1"))->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QCOMPARE(centro->currentWidget(), principal->paginaInicial());

        const QString modelo =
            CriaModelo(*principal, ambiente.caminho(QStringLiteral("m.tpg")), QString());
        principal->GravaRecentes(modelo);
        QListWidget* lista = principal->paginaInicial()->listaRecentes();
        emit lista->itemActivated(lista->item(0));
        QCOMPARE(principal->filhaAtiva()->gettNomeArq(), modelo);
    }

    // Windows, new and opened, lie inside the work area, however many are opened.
    void janelasDentroDaArea() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        principal->resize(900, 600);
        QCoreApplication::processEvents();
        const auto area = [&principal] { return principal->mdiArea()->viewport()->rect(); };
        for (int vez = 0; vez < 3; ++vez)
            for (const TTipoDocumento& tipo : TiposDocumento()) {
                TJanelaFilha* filha = principal->NovoDocumento(tipo.extensao);
                QVERIFY(area().width() > 800);
                QVERIFY2(area().contains(filha->geometry()), qPrintable(tipo.extensao));
            }
        const QString modelo =
            CriaModelo(*principal, ambiente.caminho(QStringLiteral("m.tpg")), QString());
        principal->AbreArquivo({modelo});
        QVERIFY(area().contains(principal->filhaAtiva()->geometry()));
    }

    // The tool tab follows the active window; the commands of other kinds, and those that
    // need a document while none is open, are disabled.
    void comandosSeguemAJanela() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        for (const char* nome : {"Salvar1", "SalvarComo1", "SalvarTodos1", "Fechar1",
                                 "FecharTodos1", "CheckIterativeTagsCoerence2Click",
                                 "but_cruzadosemgeneralClick", "but_conectarClick"})
            QVERIFY2(!Acao(principal.get(), QLatin1String(nome))->isEnabled(), nome);
        QVERIFY(Acao(principal.get(), QStringLiteral("AbirMapeamento1"))->isEnabled());
        QTabWidget* guias = principal->guias();
        TJanelaFilha* geral = principal->NovoDocumento(QStringLiteral("tpg"));
        QCOMPARE(guias->tabText(guias->currentIndex()), QStringLiteral("General Template"));
        QVERIFY(Acao(principal.get(), QStringLiteral("but_cruzadosemgeneralClick"))->isEnabled());
        QVERIFY(!Acao(principal.get(), QStringLiteral("but_conectarClick"))->isEnabled());
        QVERIFY(Acao(principal.get(), QStringLiteral("Salvar1"))->isEnabled());
        principal->NovoDocumento(QStringLiteral("kmf"));
        QCOMPARE(guias->tabText(guias->currentIndex()), QStringLiteral("Mapping"));
        QVERIFY(Acao(principal.get(), QStringLiteral("but_conectarClick"))->isEnabled());
        QVERIFY(!Acao(principal.get(), QStringLiteral("CheckIterativeTagsCoerence2Click"))
                     ->isEnabled());
        principal->mdiArea()->setActiveSubWindow(geral);
        QCOMPARE(guias->tabText(guias->currentIndex()), QStringLiteral("General Template"));
        // Every command of the tabs shows an icon or its caption, and a tool tip.
        for (QAction* acao : guias->findChildren<QAction*>()) {
            if (acao->isSeparator() || acao->objectName().isEmpty())
                continue;
            QVERIFY2(!acao->icon().isNull() || acao->text() == QStringLiteral("<>"),
                     qPrintable(acao->objectName()));
            QVERIFY2(!acao->toolTip().isEmpty(), qPrintable(acao->objectName()));
        }
    }

    // The usual keys: Ctrl+N asks for a kind, Ctrl+Shift+S is Save As, Ctrl+W and Ctrl+F4
    // close, Ctrl+Q exits, F1 is the help, F5 refreshes; every menu item has a mnemonic.
    void atalhos() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        Dialogos::ProximoTexto(QStringLiteral("Generation"));
        Acao(principal.get(), QStringLiteral("Novo2"))->trigger();
        QCOMPARE(principal->filhaAtiva()->extensao(), QStringLiteral("kgf"));
        QCOMPARE(Acao(principal.get(), QStringLiteral("Novo2"))->shortcut(),
                 QKeySequence(QKeySequence::New));
        QCOMPARE(Acao(principal.get(), QStringLiteral("SalvarComo1"))->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+Shift+S")));
        QVERIFY(Acao(principal.get(), QStringLiteral("Fechar1"))
                    ->shortcuts()
                    .contains(QKeySequence(QStringLiteral("Ctrl+F4"))));
        QCOMPARE(Acao(principal.get(), QStringLiteral("Fechar1"))->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+W")));
        QCOMPARE(Acao(principal.get(), QStringLiteral("Sair1"))->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+Q")));
        QCOMPARE(Acao(principal.get(), QStringLiteral("Contents1"))->shortcut(),
                 QKeySequence(QKeySequence::HelpContents));
        QCOMPARE(
            principal->filhaAtiva()->findChild<QAction*>(QStringLiteral("but_refresh"))->shortcut(),
            QKeySequence(QKeySequence::Refresh));
        // Ctrl+Tab moves to the other window, as "Next Window" does.
        TJanelaFilha* primeira = principal->filhaAtiva();
        TJanelaFilha* segunda = principal->NovoDocumento(QStringLiteral("tpg"));
        QCOMPARE(principal->filhaAtiva(), segunda);
        QTest::keyClick(segunda->widget(), Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyRelease(segunda->widget(), Qt::Key_Control);
        QCOMPARE(principal->filhaAtiva(), primeira);
        Acao(principal.get(), QStringLiteral("ProximaJanela1"))->trigger();
        QCOMPARE(principal->filhaAtiva(), segunda);
        const std::function<void(QMenu*)> verifica = [&verifica](QMenu* menu) {
            for (QAction* acao : menu->actions()) {
                if (acao->isSeparator())
                    continue;
                QVERIFY2(acao->text().contains(QLatin1Char('&')), qPrintable(acao->text()));
                if (acao->menu())
                    verifica(acao->menu());
            }
        };
        for (QAction* acao : principal->menuBar()->actions()) {
            QVERIFY(acao->text().startsWith(QLatin1Char('&')));
            verifica(acao->menu());
        }
    }

    // With no installation directory configured, the settings and the recent list go to the
    // user's configuration folder and the logs to the user's data folder, never into the
    // folder the program was started from.
    void pastasDoUsuario() {
        QStandardPaths::setTestModeEnabled(true);
        const QString configuracao =
            QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        const QString dados = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir(configuracao).removeRecursively();
        QDir(dados).removeRecursively();
        {
            Ambiente ambiente(false);
            auto principal = NovaPrincipal();
            QVERIFY(principal->diretorioInstalado().isEmpty());
            principal->SalvaSettings();
            QVERIFY(QFileInfo::exists(configuracao + QStringLiteral("/Fendrilini.cfg")));
            QCOMPARE(principal->diretorioLogs(), dados);
            QVERIFY(QFileInfo(dados).isDir());
            const QString modelo =
                CriaModelo(*principal, ambiente.caminho(QStringLiteral("m.tpg")), QString());
            principal->AbreArquivo({modelo});
            principal->close();
            QCOMPARE(LeLinhasTexto(deQString(configuracao + QStringLiteral("/recent.txt"))),
                     TListaTextos{deQString(modelo)});
            QCOMPARE(QDir(ambiente.pasta()).entryList(QDir::Files), QStringList{"m.tpg"});
            // The next start reads them back from there.
            auto segunda = NovaPrincipal();
            QCOMPARE(segunda->recentes(), QStringList{modelo});
        }
        QDir(configuracao).removeRecursively();
        QDir(dados).removeRecursively();
        QStandardPaths::setTestModeEnabled(false);
    }

    // "Open the shop example" copies the example into the user's data folder once, points
    // its mapping at the copied database, and opens its generation with the folder mounted.
    void abreExemplo() {
        QStandardPaths::setTestModeEnabled(true);
        const QString dados = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir(dados).removeRecursively();
        {
            Ambiente ambiente;
            auto principal = NovaPrincipal();
            TFormTelaPrincipal::setPastaExemplo(QStringLiteral(FENDRIL_EXEMPLO));
            Controle<QToolButton>(principal->paginaInicial(), QStringLiteral("inicio_exemplo"))
                ->click();
            QVERIFY2(Dialogos::TomaMensagens().isEmpty(), "no message");
            TJanelaFilha* geracao = principal->filhaAtiva();
            QVERIFY(geracao && geracao->extensao() == QStringLiteral("kgf"));
            const QString copia = dados + QStringLiteral("/shop-example");
            QCOMPARE(geracao->gettNomeArq(), copia + QStringLiteral("/shop.kgf"));
            QVERIFY(QFileInfo(copia + QStringLiteral("/templates/cpp-classes.tpt")).isFile());
            auto* arvore = Controle<QTreeWidget>(geracao, QStringLiteral("tv_diraiz"));
            QCOMPARE(arvore->topLevelItemCount(), 1);
            TArquivoKMF mapa;
            mapa.Abre(deQString(copia + QStringLiteral("/shop.kmf")));
            QCOMPARE(mapa.LePrimeiro("descricao", "edit_constring"),
                     "Provider=SQLite;Data Source=\"" + deQString(copia) + "/shop.db\"");
            TFormTelaPrincipal::setPastaExemplo(QString());
        }
        QDir(dados).removeRecursively();
        QStandardPaths::setTestModeEnabled(false);
    }

    // Not a test: with FENDRIL_SCREENSHOT_DIR set, draws the start page with a few recent
    // documents into screenshot-start.png there.
    void capturaDaPaginaInicial() {
        const QString pasta = qEnvironmentVariable("FENDRIL_SCREENSHOT_DIR");
        if (pasta.isEmpty())
            QSKIP("FENDRIL_SCREENSHOT_DIR is not set");
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        principal->resize(1280, 800);
        for (const char* nome : {"shop/templates/python-modules.tpg", "shop/shop.kgf",
                                 "shop/templates/cpp-classes.tpt", "shop/shop.kmf"})
            principal->GravaRecentes(QStringLiteral("/home/ana/projects/") + QLatin1String(nome));
        QCoreApplication::processEvents();
        QVERIFY(
            principal->grab().save(QDir(pasta).filePath(QStringLiteral("screenshot-start.png"))));
    }

    // New gives a window named after its kind, the active one.
    void novo() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        Acao(principal.get(), QStringLiteral("GeneralTemplate1Click"))->trigger();
        Acao(principal.get(), QStringLiteral("but_novo_tpg"))->trigger();
        QCOMPARE(principal->filhas().size(), 2u);
        TJanelaFilha* ativa = principal->filhaAtiva();
        QVERIFY(ativa == principal->filhas().back());
        QCOMPARE(ativa->legenda(), QStringLiteral("noname.tpg"));
        QCOMPARE(ativa->gettNomeArq(), QStringLiteral("noname.tpg"));
        QVERIFY(!ativa->modificado());
    }

    // Save on a new document asks for a name and gives it the kind's extension.
    void salvarNovoTrocaExtensao() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TJanelaFilha* filha = principal->NovoDocumento(QStringLiteral("tpg"));
        Modifica(filha);
        QVERIFY(filha->modificado());
        Dialogos::ProximosArquivos({ambiente.caminho(QStringLiteral("model.txt"))});
        Acao(principal.get(), QStringLiteral("Salvar1"))->trigger();
        QCOMPARE(Dialogos::TomaTitulosArquivo(),
                 QStringList{QStringLiteral("Save...|") + filtroGeral});
        QVERIFY(QFileInfo::exists(ambiente.caminho(QStringLiteral("model.tpg"))));
        QVERIFY(!QFileInfo::exists(ambiente.caminho(QStringLiteral("model.txt"))));
        QCOMPARE(filha->legenda(), QStringLiteral("model.tpg"));
        // A saved document joins the recent list.
        QCOMPARE(principal->recentes(), QStringList{ambiente.caminho(QStringLiteral("model.tpg"))});

        // The file exists now: Save writes it without a dialog.
        Modifica(filha);
        Acao(principal.get(), QStringLiteral("Salvar1"))->trigger();
        QVERIFY(Dialogos::TomaTitulosArquivo().isEmpty());
        QCOMPARE(filha->legenda(), QStringLiteral("model.tpg"));

        // A cancelled dialog saves nothing.
        TJanelaFilha* outra = principal->NovoDocumento(QStringLiteral("tpg"));
        Modifica(outra);
        Acao(principal.get(), QStringLiteral("Salvar1"))->trigger();
        QVERIFY(outra->modificado());
    }

    // Save As under another kind's extension writes the general template's.
    void salvarComo() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TJanelaFilha* filha = principal->NovoDocumento(QStringLiteral("tpg"));
        Dialogos::ProximosArquivos({ambiente.caminho(QStringLiteral("part.tpt"))});
        Acao(principal.get(), QStringLiteral("SalvarComo1"))->trigger();
        QCOMPARE(Dialogos::TomaTitulosArquivo(),
                 QStringList{QStringLiteral("Save As...|") + filtroGeral});
        QVERIFY(QFileInfo::exists(ambiente.caminho(QStringLiteral("part.tpg"))));
        QCOMPARE(filha->gettNomeArq(), ambiente.caminho(QStringLiteral("part.tpg")));
    }

    // Save All saves every window in order, asking for each new one's name.
    void salvarTodos() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        principal->NovoDocumento(QStringLiteral("tpg"));
        principal->NovoDocumento(QStringLiteral("tpg"));
        Dialogos::ProximosArquivos({ambiente.caminho(QStringLiteral("um"))});
        Dialogos::ProximosArquivos({ambiente.caminho(QStringLiteral("dois"))});
        Acao(principal.get(), QStringLiteral("SalvarTodos1"))->trigger();
        QCOMPARE(principal->filhas()[0]->legenda(), QStringLiteral("um.tpg"));
        QCOMPARE(principal->filhas()[1]->legenda(), QStringLiteral("dois.tpg"));
        QVERIFY(QFileInfo::exists(ambiente.caminho(QStringLiteral("um.tpg"))));
        QVERIFY(QFileInfo::exists(ambiente.caminho(QStringLiteral("dois.tpg"))));
    }

    // Open reads the files chosen into windows of their kind and records them.
    void abrir() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        const QString a = CriaModelo(*principal, ambiente.caminho(QStringLiteral("a.tpg")),
                                     QStringLiteral("<tbname>"));
        const QString b = CriaModelo(*principal, ambiente.caminho(QStringLiteral("b.tpg")),
                                     QStringLiteral("<dbname>"));
        QVERIFY(principal->filhas().empty());
        Dialogos::ProximosArquivos({a, b});
        Acao(principal.get(), QStringLiteral("AbirMapeamento1"))->trigger();
        QVERIFY(Dialogos::TomaTitulosArquivo().first().startsWith(
            QStringLiteral("Open...|Mapping Files (*.kmf)|*.KMF|Fendril Template Files")));
        QCOMPARE(principal->filhas().size(), 2u);
        QCOMPARE(principal->filhas()[0]->legenda(), QStringLiteral("a.tpg"));
        auto* editor =
            principal->filhas()[1]->findChild<QPlainTextEdit*>(QStringLiteral("re_classeobjeto"));
        QCOMPARE(editor->toPlainText(), QStringLiteral("<dbname>"));
        QVERIFY(!principal->filhas()[1]->modificado());
        QCOMPARE(principal->recentes(), (QStringList{b, a}));
    }

    // The extension test is case-sensitive: "model.TPG" opens nothing and is not recorded.
    void abrirCaixaDiferente() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        CriaModelo(*principal, ambiente.caminho(QStringLiteral("model.TPG")), QString());
        principal->AbreArquivo({ambiente.caminho(QStringLiteral("model.TPG"))});
        QVERIFY(principal->filhas().empty());
        QVERIFY(principal->recentes().isEmpty());
    }

    // A document that cannot be read: an error message naming the file, no window left
    // behind, the other windows where they were, nothing recorded, the rest of the call not
    // processed. A damaged or foreign file is called so; a file of no known kind too.
    void abrirFalha() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        const QString bom =
            CriaModelo(*principal, ambiente.caminho(QStringLiteral("bom.tpg")), QString());
        TJanelaFilha* outra = principal->NovoDocumento(QStringLiteral("tpt"));
        const QRect lugar = outra->geometry();
        const QString falta = ambiente.caminho(QStringLiteral("falta.tpg"));
        principal->AbreArquivo({falta, bom});
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("Could Not Open File ") + falta});
        QCOMPARE(Dialogos::TomaIcones(), QList<QMessageBox::Icon>{QMessageBox::Critical});
        QCOMPARE(principal->filhas().size(), 1u);
        QVERIFY(principal->recentes().isEmpty());

        for (const QByteArray& conteudo :
             {QByteArray("not a document\n"), QByteArray(), QByteArray("\x01\x02||x||\xff\n", 8)}) {
            QFile lixo(ambiente.caminho(QStringLiteral("lixo.kmf")));
            QVERIFY(lixo.open(QIODevice::WriteOnly | QIODevice::Truncate));
            lixo.write(conteudo);
            lixo.close();
            principal->AbreArquivo({lixo.fileName()});
            const QStringList mensagens = Dialogos::TomaMensagens();
            QCOMPARE(mensagens.size(), 1);
            QVERIFY2(mensagens[0].startsWith(QStringLiteral(
                         "The File \"lixo.kmf\" Is Not A Mapping Document Or Is Damaged !!")),
                     qPrintable(mensagens[0]));
            QCOMPARE(principal->filhas().size(), 1u);
            QCOMPARE(principal->filhaAtiva(), outra);
            QCOMPARE(outra->geometry(), lugar);
        }
        const QString texto = ambiente.caminho(QStringLiteral("notes.txt"));
        GravaLinhasTexto(deQString(texto), {"x"});
        principal->AbreArquivo({texto});
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("The File \"notes.txt\" Is Not A Fendril Document: "
                                            "Its Name Holds None Of .kmf, .tpt, .tpg, .kgf !!")});
        QCOMPARE(principal->filhas().size(), 1u);
        QVERIFY(principal->recentes().isEmpty());
    }

    // The recent list: letter case ignored, first spelling kept, newest first, 10 entries,
    // "Reopen" numbered 1 to 10; a Reopen entry opens its file.
    void recentes() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        QStringList caminhos;
        for (int i = 1; i <= 11; ++i)
            caminhos.append(CriaModelo(
                *principal, ambiente.caminho(QStringLiteral("m%1.tpg").arg(i)), QString()));
        principal->GravaRecentes(caminhos[0]);
        principal->GravaRecentes(caminhos[1]);
        principal->GravaRecentes(caminhos[0].toUpper());
        QCOMPARE(principal->recentes(), (QStringList{caminhos[0], caminhos[1]}));
        for (int i = 2; i < 11; ++i)
            principal->GravaRecentes(caminhos[i]);
        QCOMPARE(principal->recentes().size(), 10);
        QCOMPARE(principal->recentes().first(), caminhos[10]);
        QCOMPARE(principal->recentes().last(), caminhos[0]);
        const QList<QAction*> entradas = principal->menuReabrir()->actions();
        QCOMPARE(entradas.size(), 10);
        for (int i = 0; i < 9; ++i)
            QCOMPARE(entradas[i]->text(), QStringLiteral("&") + QString::number(i + 1) +
                                              QStringLiteral(": ") + principal->recentes()[i]);
        QCOMPARE(entradas[9]->text(), QStringLiteral("1&0: ") + principal->recentes()[9]);
        entradas[9]->trigger();
        QCOMPARE(principal->filhas().size(), 1u);
        QCOMPARE(principal->recentes().first(), caminhos[0]);
    }

    // The close prompt: Cancel keeps the window, No closes without saving, Yes saves first.
    void fecharComPergunta() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        const QString caminho = CriaModelo(*principal, ambiente.caminho(QStringLiteral("c.tpg")),
                                           QStringLiteral("antes"));
        principal->AbreArquivo({caminho});
        TJanelaFilha* filha = principal->filhaAtiva();
        Modifica(filha);

        Dialogos::ProximaResposta(QMessageBox::Cancel);
        Acao(principal.get(), QStringLiteral("Fechar1"))->trigger();
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("The File \"c.tpg\" Has Been Changed. Do You Want "
                                            "To Save The Current Changes ?")});
        QCOMPARE(principal->filhas().size(), 1u);

        Dialogos::ProximaResposta(QMessageBox::No);
        Acao(principal.get(), QStringLiteral("Fechar1"))->trigger();
        QCOMPARE(Dialogos::TomaMensagens().size(), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(principal->filhas().empty());
        principal->AbreArquivo({caminho});
        auto* editor =
            principal->filhaAtiva()->findChild<QPlainTextEdit*>(QStringLiteral("re_classeobjeto"));
        QCOMPARE(editor->toPlainText(), QStringLiteral("antes"));

        editor->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor, QStringLiteral("!"));
        Dialogos::ProximaResposta(QMessageBox::Yes);
        Acao(principal.get(), QStringLiteral("Fechar1"))->trigger();
        QCOMPARE(Dialogos::TomaMensagens().size(), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(principal->filhas().empty());
        principal->AbreArquivo({caminho});
        editor =
            principal->filhaAtiva()->findChild<QPlainTextEdit*>(QStringLiteral("re_classeobjeto"));
        QCOMPARE(editor->toPlainText(), QStringLiteral("antes!"));

        // A window that is not modified closes without asking.
        Acao(principal.get(), QStringLiteral("Fechar1"))->trigger();
        QVERIFY(Dialogos::TomaMensagens().isEmpty());
    }

    // Exit with a modified window answered Cancel keeps both open and writes no recent
    // list; answered No, the program ends and the list is written.
    void sair() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        const QString caminho =
            CriaModelo(*principal, ambiente.caminho(QStringLiteral("s.tpg")), QString());
        principal->AbreArquivo({caminho});
        principal->NovoDocumento(QStringLiteral("tpg"));
        Modifica(principal->filhaAtiva());

        Dialogos::ProximaResposta(QMessageBox::Cancel);
        Acao(principal.get(), QStringLiteral("Sair1"))->trigger();
        QVERIFY(principal->isVisible());
        QCOMPARE(principal->filhas().size(), 1u);
        QVERIFY(!QFileInfo::exists(ambiente.caminho(QStringLiteral("recent.txt"))));

        Dialogos::ProximaResposta(QMessageBox::No);
        Acao(principal.get(), QStringLiteral("Sair1"))->trigger();
        QVERIFY(!principal->isVisible());
        QCOMPARE(LeLinhasTexto(deQString(ambiente.caminho(QStringLiteral("recent.txt")))),
                 TListaTextos{deQString(caminho)});

        // The next start reads the list back.
        auto segunda = NovaPrincipal();
        QCOMPARE(segunda->recentes(), QStringList{caminho});
        QCOMPARE(segunda->menuReabrir()->actions().size(), 1);
    }

    // Exit with two modified windows: Cancel in the first window's question stops the exit
    // there; the second is not asked.
    void sairCancelaParaTudo() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        Modifica(principal->NovoDocumento(QStringLiteral("tpg")));
        Modifica(principal->NovoDocumento(QStringLiteral("tpg")));
        Dialogos::ProximaResposta(QMessageBox::Cancel);
        Dialogos::ProximaResposta(QMessageBox::No);
        Acao(principal.get(), QStringLiteral("Sair1"))->trigger();
        QCOMPARE(Dialogos::TomaMensagens().size(), 1);
        QCOMPARE(Dialogos::TomaIcones(), QList<QMessageBox::Icon>{QMessageBox::Question});
        QVERIFY(principal->isVisible());
        QCOMPARE(principal->filhas().size(), 2u);
    }

    // Close All: a window answered Cancel stays, the others close.
    void fecharTodos() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TJanelaFilha* primeira = principal->NovoDocumento(QStringLiteral("tpg"));
        Modifica(primeira);
        principal->NovoDocumento(QStringLiteral("tpg"));
        Dialogos::ProximaResposta(QMessageBox::Cancel);
        Acao(principal.get(), QStringLiteral("FecharTodos1"))->trigger();
        QCOMPARE(principal->filhas().size(), 1u);
        QVERIFY(principal->filhas()[0] == primeira);
    }

    // A save that fails in the close prompt keeps that window open, and Close All stops
    // there: the windows after it are not asked. A failed Save keeps the marker.
    void fecharComFalhaAoSalvar() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        QDir(ambiente.pasta()).mkdir(QStringLiteral("some"));
        const QString caminho =
            CriaModelo(*principal, ambiente.caminho(QStringLiteral("some/f.tpg")), QString());
        principal->AbreArquivo({caminho});
        TJanelaFilha* primeira = principal->filhaAtiva();
        Modifica(primeira);
        TJanelaFilha* segunda = principal->NovoDocumento(QStringLiteral("tpg"));
        Modifica(segunda);
        QVERIFY(QDir(ambiente.caminho(QStringLiteral("some"))).removeRecursively());

        principal->mdiArea()->setActiveSubWindow(primeira);
        Dialogos::ProximosArquivos({ambiente.caminho(QStringLiteral("none/x"))});
        Acao(principal.get(), QStringLiteral("Salvar1"))->trigger();
        QCOMPARE(Dialogos::TomaMensagens().size(), 1);
        QVERIFY(primeira->modificado());
        QCOMPARE(primeira->gettNomeArq(), caminho);

        Dialogos::ProximaResposta(QMessageBox::Yes);
        Acao(principal.get(), QStringLiteral("FecharTodos1"))->trigger();
        const QStringList mensagens = Dialogos::TomaMensagens();
        QCOMPARE(mensagens.size(), 2); // the question, then the save failure
        QVERIFY(mensagens[0].startsWith(QStringLiteral("The File \"f.tpg\"")));
        QCOMPARE(principal->filhas().size(), 2u);

        // Exit likewise keeps the main window open.
        Dialogos::ProximaResposta(QMessageBox::Yes);
        principal->close();
        QVERIFY(principal->isVisible());
    }

    // The "Windows" menu lists the open windows, the active one checked.
    void listaDeJanelas() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        principal->NovoDocumento(QStringLiteral("tpg"));
        principal->NovoDocumento(QStringLiteral("tpg"))->setNomeArq(QStringLiteral("b.tpg"));
        auto* menu = principal->findChild<QMenu*>(QStringLiteral("Janelas1"));
        QMetaObject::invokeMethod(menu, "aboutToShow");
        QStringList janelas;
        for (QAction* acao : menu->actions())
            if (acao->isCheckable() && acao->text().contains(QStringLiteral(".tpg")))
                janelas.append(acao->text() +
                               (acao->isChecked() ? QStringLiteral("+") : QString()));
        QCOMPARE(janelas,
                 (QStringList{QStringLiteral("&1 noname.tpg"), QStringLiteral("&2 b.tpg+")}));
    }

    // A tool command reaches the active window of its kind only.
    void encaminhamento() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        Acao(principal.get(), QStringLiteral("CheckIterativeTagsCoerence2Click"))->trigger();
        QVERIFY(Dialogos::TomaMensagens().isEmpty());
        principal->NovoDocumento(QStringLiteral("tpg"));
        Acao(principal.get(), QStringLiteral("CheckIterativeTagsCoerence2Click"))->trigger();
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("No Crossed Tags Present !!")});
        Acao(principal.get(), QStringLiteral("but_cruzadosemgeneralClick"))->trigger();
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("No Crossed Tags Present !!")});
        // A mapping command does nothing on a general template.
        Acao(principal.get(), QStringLiteral("but_conectarClick"))->trigger();
        QVERIFY(Dialogos::TomaMensagens().isEmpty());
    }

    // Each kind's window runs every command of its kind's table and refuses the commands
    // of the other kinds.
    void comandosDeCadaTipo() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        // A dialog a command shows modally is closed at once.
        QTimer fechaModais;
        connect(&fechaModais, &QTimer::timeout, [] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                modal->reject();
        });
        fechaModais.start(10);
        std::set<TComando> todos;
        for (const TTipoDocumento& tipo : TiposDocumento())
            for (const TComandoFerramenta& comando : tipo.comandos)
                todos.insert(comando.comando);
        for (const TTipoDocumento& tipo : TiposDocumento()) {
            TJanelaFilha* filha = principal->NovoDocumento(tipo.extensao);
            QVERIFY(filha);
            std::set<TComando> proprios;
            for (const TComandoFerramenta& comando : tipo.comandos) {
                proprios.insert(comando.comando);
                QVERIFY2(filha->ExecutaComando(comando.comando),
                         qPrintable(tipo.extensao + QStringLiteral(": ") + comando.legenda));
            }
            for (const TComando comando : todos)
                QVERIFY2(proprios.count(comando) != 0 || !filha->ExecutaComando(comando),
                         qPrintable(tipo.extensao + QStringLiteral(": command %1 of another kind")
                                                        .arg(static_cast<int>(comando))));
        }
        Dialogos::TomaMensagens();
    }

    // Tiling side by side puts the windows next to each other.
    void ladoALado() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        principal->NovoDocumento(QStringLiteral("tpg"));
        principal->NovoDocumento(QStringLiteral("tpg"));
        Acao(principal.get(), QStringLiteral("Tile1"))->trigger();
        const auto filhas = principal->filhas();
        QCOMPARE(filhas[0]->y(), filhas[1]->y());
        QVERIFY(filhas[0]->x() < filhas[1]->x());
        Acao(principal.get(), QStringLiteral("TileVertically1"))->trigger();
        QCOMPARE(filhas[0]->x(), filhas[1]->x());
        QVERIFY(filhas[0]->y() < filhas[1]->y());
    }
};

QTEST_MAIN(TesteTelaPrincipal)
#include "TesteTelaPrincipal.moc"

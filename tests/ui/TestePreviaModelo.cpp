// The preview pane and the problems list of the template windows, over the shop example: the
// preview equals the file a run writes, follows edits (after the pause), the table and the
// page; a broken text shows the coherence message; the problems list points at an unknown
// tag; the mapping is remembered by the template and defaults to the last generation's; the
// pane's visibility survives Save Settings.

#include "AmbienteUi.h"
#include "AuxiliaresEditor.h"
#include "documents/TDocModelos.h"
#include "engine/TMontaCodigo.h"
#include "generation/TProcessaGeracao.h"
#include "model/Erros.h"
#include "support/BancoSQLite.h"
#include "support/ExecutaCli.h"
#include "ui/ListaProblemas.h"
#include "ui/PainelPrevia.h"
#include "ui/TFormFilhaModelo.h"
#include "ui/TFormModeloGeral.h"
#include "ui/frame/Texto.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <chrono>
#include <filesystem>

using namespace fendril;
using namespace fendril::teste;

namespace {

const std::string kExemplo = FENDRIL_SHOP_DIR;

QString Memo(QWidget* janela) {
    return Controle<QPlainTextEdit>(janela, QStringLiteral("memo_previa"))->toPlainText();
}

QString Arquivo(QWidget* janela) {
    return Controle<QLineEdit>(janela, QStringLiteral("edit_previa_arquivo"))->text();
}

// What the pane shows for a content as the run writes it.
QString ComoMostrado(const QByteArray& conteudo) {
    return QString::fromUtf8(conteudo).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void EscolheTabela(QWidget* janela, const QString& tabela) {
    auto* tabelas = Controle<QComboBox>(janela, QStringLiteral("cb_previa_tabela"));
    const int indice = tabelas->findText(tabela);
    if (indice < 0)
        qFatal("no table %s in the preview", qPrintable(tabela));
    tabelas->setCurrentIndex(indice);
}

// The window that opening `caminho` gave.
template <typename Janela> Janela* Abre(TFormTelaPrincipal& principal, const QString& caminho) {
    principal.AbreArquivo({caminho});
    QCoreApplication::processEvents();
    auto* janela = qobject_cast<Janela*>(principal.filhaAtiva());
    if (!janela)
        qFatal("%s did not open", qPrintable(caminho));
    return janela;
}

} // namespace

class TestePreviaModelo : public QObject {
    Q_OBJECT

    // The shop example, built once: its mapping, two templates and one run of them.
    QTemporaryDir m_loja;

    QString Loja(const QString& nome) const { return m_loja.filePath(nome); }
    std::string LojaStd(const char* nome) const {
        return deQString(Loja(QString::fromLatin1(nome)));
    }
    QByteArray Gerado(const QString& nome) const { return Conteudo(Loja("out/" + nome)); }

    static void Cli(const std::vector<std::string>& argumentos) {
        const ResultadoCli resultado = ExecutaCli(argumentos);
        if (resultado.codigo != 0)
            qFatal("fendril-cli failed: %s", resultado.erros.c_str());
    }

    // The main window of `ambiente` with the template `nome` of the shop copied into it and
    // opened; its preview uses the shop's mapping.
    template <typename Janela>
    Janela* AbreModelo(TFormTelaPrincipal& principal, const Ambiente& ambiente, const char* nome) {
        const QString copia = ambiente.caminho(QString::fromLatin1(nome));
        QFile::copy(Loja(QString::fromLatin1(nome)), copia);
        auto* janela = Abre<Janela>(principal, copia);
        // The table-class window opens on its Description; the preview is on the Code page.
        if (auto* paginas =
                janela->template findChild<QTabWidget*>(QStringLiteral("pcontrolprincipal")))
            paginas->setCurrentIndex(1);
        Controle<QComboBox>(janela, QStringLiteral("cb_previa_mapa"))
            ->setEditText(Loja(QStringLiteral("shop.kmf")));
        janela->painelPrevia()->Atualiza();
        return janela;
    }

private slots:
    void initTestCase() {
        IniciaAplicacao();
        QVERIFY(m_loja.isValid());
        const std::string banco = LojaStd("shop.db");
        CriaBanco(banco, deQString(QString::fromUtf8(
                             Conteudo(QString::fromStdString(kExemplo + "/shop.sql")))));
        Cli({"import", "--connection", "Provider=SQLite;Data Source=" + banco, "--database", "main",
             "--author", "Fendril", "--name", "Shop", "-o", LojaStd("shop.kmf"), "--log",
             LojaStd("load.log")});
        const std::string modelos = kExemplo + "/templates/";
        Cli({"compose", modelos + "cpp/classes.desc", "-o", LojaStd("classes.tpt")});
        Cli({"compose", modelos + "python/package.desc", "-o", LojaStd("package.tpg")});
        QDir(m_loja.path()).mkdir(QStringLiteral("out"));
        TProcessaGeracao run;
        run.caminhoMapeamento = LojaStd("shop.kmf");
        run.diretorioGeracao = LojaStd("out");
        run.AdicionaModelosTabela({LojaStd("classes.tpt")});
        run.AdicionaModelosGerais({LojaStd("package.tpg")});
        QVERIFY(run.Prepara());
        run.Executa();
        QCOMPARE(run.falhas(), 0);
    }

    // The preview of a shop table is the file the run wrote, as is that of another table and
    // of the other pages; the mapping is loaded once.
    void igualAoArquivoGerado() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        auto* janela = AbreModelo<TFormFilhaModelo>(*principal, ambiente, "classes.tpt");
        TPainelPrevia* painel = janela->painelPrevia();
        QVERIFY(painel->isVisible());
        EscolheTabela(janela, QStringLiteral("order_lines"));
        QCOMPARE(Arquivo(janela), QStringLiteral("OrderLine.h"));
        QCOMPARE(QByteArray::fromStdString(painel->previa().conteudo),
                 Gerado(QStringLiteral("OrderLine.h")));
        QCOMPARE(Memo(janela), ComoMostrado(Gerado(QStringLiteral("OrderLine.h"))));
        // The same font as the editors.
        QCOMPARE(painel->memo()->font(), Editor(janela, "re_classeobjeto")->font());

        EscolheTabela(janela, QStringLiteral("categories"));
        QCOMPARE(Arquivo(janela), QStringLiteral("Category.h"));
        QCOMPARE(Memo(janela), ComoMostrado(Gerado(QStringLiteral("Category.h"))));

        const struct {
            int pagina;
            QString arquivo;
        } paginas[] = {{1, QStringLiteral("Record.h")}, {2, QStringLiteral("CMakeLists.txt")}};
        for (const auto& caso : paginas) {
            Controle<QComboBox>(janela, QStringLiteral("cb_previa_pagina"))
                ->setCurrentIndex(caso.pagina);
            QCOMPARE(Arquivo(janela), caso.arquivo);
            QCOMPARE(QByteArray::fromStdString(painel->previa().conteudo), Gerado(caso.arquivo));
        }
        // The editor tab shown chooses the page.
        auto* guias = Controle<QTabWidget>(janela, QStringLiteral("pcontrol"));
        guias->setCurrentIndex(1);
        QCOMPARE(Arquivo(janela), QStringLiteral("Record.h"));
        guias->setCurrentIndex(0);
        QCOMPARE(Arquivo(janela), QStringLiteral("Category.h"));
        QCOMPARE(painel->carregamentos(), 1);
        QVERIFY(!janela->modificado());
    }

    // A general template of one file for the whole mapping.
    void modeloGeral() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        auto* janela = AbreModelo<TFormModeloGeral>(*principal, ambiente, "package.tpg");
        QCOMPARE(Arquivo(janela), QStringLiteral("__init__.py"));
        QCOMPARE(QByteArray::fromStdString(janela->painelPrevia()->previa().conteudo),
                 Gerado(QStringLiteral("__init__.py")));
        // No table choice for a single file.
        QVERIFY(!Controle<QComboBox>(janela, QStringLiteral("cb_previa_tabela"))->isEnabled());
    }

    // Typing schedules one render after the pause, none per key; a broken text shows the
    // coherence message instead of output.
    void segueEdicoes() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        auto* janela = AbreModelo<TFormFilhaModelo>(*principal, ambiente, "classes.tpt");
        EscolheTabela(janela, QStringLiteral("orders"));
        const QString antes = Memo(janela);
        QPlainTextEdit* editor = Editor(janela, "re_classeobjeto");
        editor->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor, QStringLiteral("// <tbname>"));
        QCOMPARE(Memo(janela), antes);
        QVERIFY(janela->painelPrevia()->temporizador()->isActive());
        QTRY_VERIFY(Memo(janela).contains(QStringLiteral("// orders")));
        QVERIFY(!antes.contains(QStringLiteral("// orders")));

        QTest::keyClicks(editor, QStringLiteral("<simplecol>"));
        std::string esperado;
        try {
            std::string texto = "<rctable>";
            texto += textoEditorParaDocumento(editor->toPlainText());
            texto += "</rctable>";
            TMontaCodigo::VerificaTags(texto);
        } catch (const EErroGeral& erro) {
            esperado = erro.textoErro();
        }
        QVERIFY(!esperado.empty());
        QTRY_COMPARE(Memo(janela), paraQString(esperado));
        QVERIFY(Arquivo(janela).isEmpty());
    }

    // An unknown tag is listed at its line and column; a double click puts the cursor there.
    void problemas() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        auto* janela = NovaJanelaDe<TFormModeloGeral>(*principal, QStringLiteral("tpg"));
        QPlainTextEdit* editor = janela->editor();
        editor->setPlainText(QStringLiteral("first line\n  <tbnmae> x"));
        QTest::keyClick(editor, Qt::Key_End);
        janela->painelPrevia()->temporizador()->setInterval(0);
        auto* lista = Controle<QTreeWidget>(janela, QStringLiteral("lista_problemas"));
        janela->painelPrevia()->Agenda();
        QTRY_COMPARE(lista->topLevelItemCount(), 1);
        QTreeWidgetItem* item = lista->topLevelItem(0);
        QCOMPARE(item->text(0), QStringLiteral("2"));
        QCOMPARE(item->text(1), QStringLiteral("3"));
        QVERIFY(item->text(2).contains(QStringLiteral("<tbnmae>")));
        editor->moveCursor(QTextCursor::Start);
        const QRect retangulo = lista->visualItemRect(item);
        // A double click is a click followed by the double-click event.
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, retangulo.center());
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, retangulo.center());
        QCOMPARE(editor->textCursor().blockNumber(), 1);
        QCOMPARE(editor->textCursor().positionInBlock(), 2);
    }

    // A general template written once per table has its text in a table block, as the run
    // expands it: table tags there are no problem. Written once for all, they are.
    void problemasPorModo() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        auto* janela = NovaJanelaDe<TFormModeloGeral>(*principal, QStringLiteral("tpg"));
        janela->painelPrevia()->temporizador()->setInterval(0);
        auto* lista = Controle<QTreeWidget>(janela, QStringLiteral("lista_problemas"));
        janela->editor()->setPlainText(QStringLiteral("class <tbname>:\n    pass"));
        QVERIFY(Controle<QRadioButton>(janela, QStringLiteral("rg_file_0"))->isChecked());
        janela->painelPrevia()->Agenda();
        QTRY_VERIFY(!janela->painelPrevia()->temporizador()->isActive());
        QCOMPARE(lista->topLevelItemCount(), 0);

        Controle<QRadioButton>(janela, QStringLiteral("rg_file_1"))->click();
        QTRY_COMPARE(lista->topLevelItemCount(), 1);
        QVERIFY(lista->topLevelItem(0)->text(2).contains(QStringLiteral("Outside A Table Block")));
    }

    // The mapping chosen is part of the template document (written only when set); without
    // one, the mapping of the last generation document opened is used.
    void mapaDoModelo() {
        Ambiente ambiente;
        TDocGeracao geracao;
        geracao.autor = "Ana";
        geracao.arquivoMapeamento = "shop.kmf";
        const QString kgf = ambiente.caminho(QStringLiteral("shop.kgf"));
        geracao.getArquivo().Salva(deQString(kgf));
        QFile::copy(Loja(QStringLiteral("shop.kmf")), ambiente.caminho(QStringLiteral("shop.kmf")));
        auto principal = NovaPrincipal();
        principal->GravaRecentes(kgf);
        const QString modelo = ambiente.caminho(QStringLiteral("package.tpg"));
        QFile::copy(Loja(QStringLiteral("package.tpg")), modelo);
        auto* janela = Abre<TFormModeloGeral>(*principal, modelo);
        TPainelPrevia* painel = janela->painelPrevia();
        QCOMPARE(painel->mapa(), ambiente.caminho(QStringLiteral("shop.kmf")));
        painel->Atualiza();
        QCOMPARE(Arquivo(janela), QStringLiteral("__init__.py"));
        QCOMPARE(painel->carregamentos(), 1);
        // The mapping is loaded again only when its file changes.
        painel->Atualiza();
        QCOMPARE(painel->carregamentos(), 1);
        const std::filesystem::path arquivoMapa =
            deQString(ambiente.caminho(QStringLiteral("shop.kmf")));
        std::filesystem::last_write_time(
            arquivoMapa, std::filesystem::last_write_time(arquivoMapa) + std::chrono::seconds(5));
        painel->Atualiza();
        QCOMPARE(painel->carregamentos(), 2);
        // Saved untouched, the document gets no entry for it.
        const auto entradas = [&modelo] {
            TArquivoKMF documento;
            documento.Abre(deQString(modelo));
            return documento.LeSecao("codigo", "cb_previa_mapa", false);
        };
        principal->SalvaArquivo(janela);
        QVERIFY(entradas().empty());

        auto* mapa = Controle<QComboBox>(janela, QStringLiteral("cb_previa_mapa"));
        QTest::keyClicks(mapa->lineEdit(), QStringLiteral("shop.kmf"));
        QVERIFY(janela->modificado());
        principal->SalvaArquivo(janela);
        TDocModeloGeral lido;
        TArquivoKMF documento;
        documento.Abre(deQString(modelo));
        lido.setArquivo(documento);
        QCOMPARE(lido.mapaPrevia, std::string("shop.kmf"));
    }

    // The View item hides the pane; the setting survives Save Settings and a new start.
    void visibilidadeNasSettings() {
        Ambiente ambiente;
        {
            auto principal = NovaPrincipal();
            auto* janela = NovaJanelaDe<TFormFilhaModelo>(*principal, QStringLiteral("tpt"));
            QVERIFY(!janela->painelPrevia()->isHidden());
            Acao(principal.get(), QStringLiteral("HidePreview1"))->trigger();
            QVERIFY(janela->painelPrevia()->isHidden());
            principal->SalvaSettings();
        }
        auto principal = NovaPrincipal();
        QVERIFY(principal->ItemMarcado(QStringLiteral("HidePreview1")));
        QVERIFY(!principal->ItemMarcado(QStringLiteral("HidePreview2")));
        auto* tabela = NovaJanelaDe<TFormFilhaModelo>(*principal, QStringLiteral("tpt"));
        QVERIFY(tabela->painelPrevia()->isHidden());
        auto* geral = NovaJanelaDe<TFormModeloGeral>(*principal, QStringLiteral("tpg"));
        QVERIFY(!geral->painelPrevia()->isHidden());
    }

    // The picture for the README: the shop's C++ template on the Code page with its tags
    // highlighted, the preview of a table beside it and a misspelt tag in the problems list.
    // Only when FENDRIL_SCREENSHOT_DIR is set.
    void screenshot() {
        const QString pasta = qEnvironmentVariable("FENDRIL_SCREENSHOT_DIR");
        if (pasta.isEmpty())
            QSKIP("FENDRIL_SCREENSHOT_DIR is not set");
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        principal->resize(1400, 860);
        if (principal->ItemMarcado(QStringLiteral("HideCodeToolBar1")))
            Acao(principal.get(), QStringLiteral("HideCodeToolBar1"))->trigger();
        auto* janela = AbreModelo<TFormFilhaModelo>(*principal, ambiente, "classes.tpt");
        // The mapping beside the template, named as a person would choose it.
        QFile::copy(Loja(QStringLiteral("shop.kmf")), ambiente.caminho(QStringLiteral("shop.kmf")));
        Controle<QComboBox>(janela, QStringLiteral("cb_previa_mapa"))
            ->setEditText(QStringLiteral("shop.kmf"));
        janela->showMaximized();
        Controle<QTabWidget>(principal.get(), QStringLiteral("guias"))->setCurrentIndex(1);
        QPlainTextEdit* editor = Editor(janela, "re_classeobjeto");
        editor->moveCursor(QTextCursor::Start);
        editor->moveCursor(QTextCursor::Down);
        editor->moveCursor(QTextCursor::Down);
        QTest::keyClicks(editor, QStringLiteral("// <tbnmae>"));
        QTest::keyClick(editor, Qt::Key_Return);
        EscolheTabela(janela, QStringLiteral("order_lines"));
        Controle<QAction>(janela, QStringLiteral("but_realce"))->trigger();
        janela->painelPrevia()->Atualiza();
        QTRY_VERIFY(janela->listaProblemas()->topLevelItemCount() > 0);
        editor->moveCursor(QTextCursor::Start);
        QCoreApplication::processEvents();
        QVERIFY(principal->grab().save(pasta + QStringLiteral("/screenshot-template.png")));
    }
};

QTEST_MAIN(TestePreviaModelo)
#include "TestePreviaModelo.moc"

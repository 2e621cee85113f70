// The general template window: its start state, the mode change and the preview, the
// modified marker, tag insertion and highlighting, the coherence check and the document.

#include "AmbienteUi.h"
#include "AuxiliaresEditor.h"
#include "documents/TDocModelos.h"
#include "model/ArquivoTexto.h"
#include "ui/TFormModeloGeral.h"
#include "ui/frame/Texto.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

using namespace fendril;
using namespace fendril::teste;

namespace {

TFormModeloGeral* NovaJanela(TFormTelaPrincipal& principal) {
    return NovaJanelaDe<TFormModeloGeral>(principal, QStringLiteral("tpg"));
}

} // namespace

class TesteModeloGeral : public QObject {
    Q_OBJECT
private slots:
    // A new window: caption, the "Code" page, the first mode with "Name" disabled, the tag
    // tree hidden, "Insert" in the status bar.
    void janelaNova() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormModeloGeral* janela = NovaJanela(*principal);
        QCOMPARE(janela->legenda(), QStringLiteral("noname.tpg"));
        QCOMPARE(Controle<QTabWidget>(janela, QStringLiteral("pcontrol"))->currentIndex(), 0);
        QVERIFY(Controle<QRadioButton>(janela, QStringLiteral("rg_file_0"))->isChecked());
        QVERIFY(!Controle<QLineEdit>(janela, QStringLiteral("edit_makeprefix"))->isEnabled());
        QVERIFY(Controle<QLineEdit>(janela, QStringLiteral("edit_tableprefix"))->isEnabled());
        QVERIFY(Controle<QTreeWidget>(janela, QStringLiteral("arvore"))->isHidden());
        QCOMPARE(janela->textoPainel(0), QStringLiteral("Insert"));
        QVERIFY(!janela->realce()->ativo());
        QVERIFY(!janela->modificado());
    }

    // Switching to one file per group empties the naming edits, swaps the enabled
    // controls and marks the document modified.
    void mudancaDeModo() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormModeloGeral* janela = NovaJanela(*principal);
        auto* prefixo = Controle<QLineEdit>(janela, QStringLiteral("edit_tableprefix"));
        auto* extensao = Controle<QLineEdit>(janela, QStringLiteral("edit_makeextension"));
        QTest::keyClicks(prefixo, QStringLiteral("T"));
        QTest::keyClicks(extensao, QStringLiteral("java"));
        janela->setNomeArq(QStringLiteral("noname.tpg"));
        QTest::mouseClick(Controle<QRadioButton>(janela, QStringLiteral("rg_file_1")),
                          Qt::LeftButton);
        QVERIFY(janela->modificado());
        QVERIFY(prefixo->text().isEmpty());
        QVERIFY(extensao->text().isEmpty());
        QVERIFY(TextoDe(janela, "edit_makefname").isEmpty());
        QVERIFY(Controle<QLineEdit>(janela, QStringLiteral("edit_makeprefix"))->isEnabled());
        QVERIFY(!prefixo->isEnabled());
        QVERIFY(!Controle<QLineEdit>(janela, QStringLiteral("edit_tablesufix"))->isEnabled());
        QVERIFY(!Controle<QCheckBox>(janela, QStringLiteral("cb_fname"))->isEnabled());

        Digita(janela, "edit_makeprefix", QStringLiteral("all"));
        QTest::keyClicks(extensao, QStringLiteral("sql"));
        QCOMPARE(TextoDe(janela, "edit_makefname"), QStringLiteral("all.sql"));
    }

    // The first mode's preview: prefix, table tag, suffix, "." and extension.
    void preview() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormModeloGeral* janela = NovaJanela(*principal);
        Digita(janela, "edit_tableprefix", QStringLiteral("T"));
        Digita(janela, "edit_tablesufix", QStringLiteral("Dao"));
        Digita(janela, "edit_makeextension", QStringLiteral("java"));
        auto* previa = Controle<QLineEdit>(janela, QStringLiteral("edit_makefname"));
        QCOMPARE(previa->text(), QStringLiteral("T<tbname>Dao.java"));
        Controle<QCheckBox>(janela, QStringLiteral("cb_fname"))->click();
        QCOMPARE(previa->text(), QStringLiteral("T<tbalias>Dao.java"));
        QVERIFY(janela->modificado());
        QVERIFY(previa->isReadOnly());
        // The alias or the short name, through a name form; both kept by the document.
        Controle<QCheckBox>(janela, QStringLiteral("cb_fname"))->click();
        Digita(janela, "edit_nameform", QStringLiteral("pascal"));
        QCOMPARE(previa->text(), QStringLiteral("T<tbalias|tbshortname:pascal>Dao.java"));
        QTest::keyClicks(Controle<QPlainTextEdit>(janela, QStringLiteral("edit_reservedwords")),
                         QStringLiteral("class"));
        TDocModeloGeral doc;
        doc.setArquivo(janela->getArquivo());
        QCOMPARE(doc.nomeArquivo, TNomeArquivoTabela::aliasOuNomeCurto);
        QCOMPARE(doc.formaNome, std::string("pascal"));
        QCOMPARE(doc.palavrasReservadas, std::string("class"));
        // One file for all tables has no per-table names.
        QTest::mouseClick(Controle<QRadioButton>(janela, QStringLiteral("rg_file_1")),
                          Qt::LeftButton);
        QVERIFY(!Controle<QLineEdit>(janela, QStringLiteral("edit_nameform"))->isEnabled());
    }

    // What changes the text marks the caption, Paste from the tool bar as well as a typed
    // character; a key that changes nothing (a copy) does not.
    void marcaModificado() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormModeloGeral* janela = NovaJanela(*principal);
        QApplication::clipboard()->setText(QStringLiteral("<tbname>"));
        Controle<QAction>(janela, QStringLiteral("but_colar"))->trigger();
        auto* editor = Editor(janela, "re_classeobjeto");
        QCOMPARE(editor->toPlainText(), QStringLiteral("<tbname>"));
        QCOMPARE(janela->legenda(), QStringLiteral("noname.tpg *"));
        janela->setNomeArq(QStringLiteral("noname.tpg"));
        QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Right);
        QCOMPARE(janela->legenda(), QStringLiteral("noname.tpg"));
        QTest::keyClicks(editor, QStringLiteral("a"));
        QCOMPARE(janela->legenda(), QStringLiteral("noname.tpg *"));
        // The title bar shows Qt's modified marker in the caption's placeholder.
        QCOMPARE(janela->windowTitle(), QStringLiteral("noname.tpg [*]"));
        QVERIFY(janela->isWindowModified());
    }

    // The Insert key flips the indicator.
    void insercaoSobrescrita() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormModeloGeral* janela = NovaJanela(*principal);
        auto* editor = Editor(janela, "re_classeobjeto");
        QTest::keyClick(editor, Qt::Key_Insert);
        QCOMPARE(janela->textoPainel(0), QStringLiteral("Overwrite"));
        QVERIFY(!janela->modoInsercao());
        QVERIFY(editor->overwriteMode());
        QTest::keyClick(editor, Qt::Key_Insert);
        QCOMPARE(janela->textoPainel(0), QStringLiteral("Insert"));
    }

    // The editor numbers its lines in a gutter and shows the caret's line and column; it has
    // the editor's pop-up menu, the highlighting switch included.
    void linhasEPosicao() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormModeloGeral* janela = NovaJanela(*principal);
        auto* editor = Editor(janela, "re_classeobjeto");
        QCOMPARE(janela->textoPainel(1), QStringLiteral("Ln 1, Col 1"));
        QTest::keyClicks(editor, QStringLiteral("first"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, QStringLiteral("ab"));
        QCOMPARE(janela->textoPainel(1), QStringLiteral("Ln 2, Col 3"));
        auto* numeros = editor->findChild<QWidget*>(QStringLiteral("numeros"));
        QVERIFY(numeros);
        QVERIFY(numeros->width() > 0);
        QVERIFY(editor->viewport()->x() >= numeros->width());
        QCOMPARE(editor->contextMenuPolicy(), Qt::CustomContextMenu);
        auto* menu = Controle<QMenu>(janela, QStringLiteral("pop_editor"));
        QVERIFY(menu->actions().contains(Controle<QAction>(janela, QStringLiteral("but_realce"))));
        QVERIFY(menu->actions().contains(Controle<QAction>(janela, QStringLiteral("Paste1"))));
    }

    // Double-clicking a block leaf inserts both tags as blocks; a group inserts nothing.
    void insercaoDeBloco() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormModeloGeral* janela = NovaJanela(*principal);
        Controle<QAction>(janela, QStringLiteral("but_mostratags"))->trigger();
        auto* arvore = Controle<QTreeWidget>(janela, QStringLiteral("arvore"));
        QVERIFY(!arvore->isHidden());
        arvore->setCurrentItem(NoDaArvore(arvore, QStringLiteral("Table Tags")));
        janela->arvoreDblClick();
        QVERIFY(!janela->modificado());
        arvore->setCurrentItem(NoDaArvore(arvore, QStringLiteral("<simplecol>")));
        janela->arvoreDblClick();
        QVERIFY(janela->modificado());
        TDocModeloGeral doc;
        doc.setArquivo(janela->getArquivo());
        QCOMPARE(doc.classeObjeto, std::string("\r\n<simplecol>\r\n\r\n</simplecol>\r\n"));
        auto* editor = Editor(janela, "re_classeobjeto");
        QCOMPARE(editor->textCursor().position(), editor->toPlainText().size());

        arvore->setCurrentItem(NoDaArvore(arvore, QStringLiteral("<tbname>")));
        janela->arvoreDblClick();
        QVERIFY(editor->toPlainText().endsWith(QStringLiteral("</simplecol>\n<tbname>")));
        Controle<QAction>(janela, QStringLiteral("but_mostratags"))->trigger();
        QVERIFY(arvore->isHidden());
    }

    // Highlighting is off at first and paints nothing; switched on, the ">" of a typed tag
    // paints it bold blue, and changing it to another word repaints it plain.
    void realce() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormModeloGeral* janela = NovaJanela(*principal);
        auto* editor = Editor(janela, "re_classeobjeto");
        const QColor normal = editor->palette().color(QPalette::Text);
        QTest::keyClicks(editor, QStringLiteral("<tbname>"));
        QCOMPARE(janela->realce()->corEm(1), normal);
        // Switching it on runs Refresh.
        Controle<QAction>(janela, QStringLiteral("but_realce"))->trigger();
        QCOMPARE(janela->realce()->corEm(1), TRealceTags::corComum());
        editor->clear();
        QTest::keyClicks(editor, QStringLiteral("<tbname"));
        QCOMPARE(janela->realce()->corEm(0), normal);
        QTest::keyClicks(editor, QStringLiteral(">"));
        QCOMPARE(janela->realce()->corEm(0), TRealceTags::corComum());
        QCOMPARE(janela->realce()->corEm(7), TRealceTags::corComum());
        QVERIFY(janela->realce()->negritoEm(3));
        // A key released with Ctrl alone held checks nothing.
        editor->moveCursor(QTextCursor::Left);
        editor->textCursor().insertText(QStringLiteral("x"));
        QKeyEvent soltaComCtrl(QEvent::KeyRelease, Qt::Key_C, Qt::ControlModifier);
        QApplication::sendEvent(editor, &soltaComCtrl);
        QCOMPARE(janela->realce()->corEm(0), TRealceTags::corComum());
        QTest::keyRelease(editor, Qt::Key_Right);
        QCOMPARE(janela->realce()->corEm(0), normal);
        QCOMPARE(janela->realce()->corEm(8), normal);
        // The colours are not part of the text.
        QCOMPARE(editor->toPlainText(), QStringLiteral("<tbnamex>"));
        // A block inserted from the tree is painted green.
        editor->clear();
        janela->InsereString(QStringLiteral("<simplecol>"), true);
        QCOMPARE(janela->realce()->corEm(11), TRealceTags::corIterativa());
        QCOMPARE(janela->realce()->corEm(12), normal);
    }

    // Refresh paints every tag of the text, also one that follows another tag or any other
    // character than a blank.
    void realceRefresh() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormModeloGeral* janela = NovaJanela(*principal);
        auto* editor = Editor(janela, "re_classeobjeto");
        const QColor normal = editor->palette().color(QPalette::Text);
        const QString texto = QStringLiteral("a <tbname> <rctable>b<colname>\n<colalias>");
        editor->setPlainText(texto);
        Controle<QAction>(janela, QStringLiteral("but_realce"))->trigger();
        Controle<QAction>(janela, QStringLiteral("but_refresh"))->trigger();
        QCOMPARE(janela->realce()->corEm(2), TRealceTags::corComum());
        QCOMPARE(janela->realce()->corEm(9), TRealceTags::corComum());
        QCOMPARE(janela->realce()->corEm(10), normal);
        QCOMPARE(janela->realce()->corEm(11), TRealceTags::corIterativa());
        QCOMPARE(janela->realce()->corEm(20), normal);
        QCOMPARE(janela->realce()->corEm(21), TRealceTags::corComum());
        QCOMPARE(janela->realce()->corEm(31), TRealceTags::corComum());
        QCOMPARE(editor->toPlainText(), texto);
        QVERIFY(janela->textoPainel(2).isEmpty());
        QVERIFY(!editor->isReadOnly());
        // Switched off, everything is plain again.
        Controle<QAction>(janela, QStringLiteral("but_realce"))->trigger();
        QCOMPARE(janela->realce()->corEm(2), normal);

        // Tags next to each other, and a tag glued to a word, are all painted; a tag word
        // inside another sign pair is not.
        editor->setPlainText(
            QStringLiteral("<rctable><tbname>\n<frktbname>.<frkcolname>x<<dbname>"));
        Controle<QAction>(janela, QStringLiteral("but_realce"))->trigger();
        QCOMPARE(janela->realce()->corEm(0), TRealceTags::corIterativa());
        QCOMPARE(janela->realce()->corEm(9), TRealceTags::corComum());
        QCOMPARE(janela->realce()->corEm(18), TRealceTags::corComum());
        QCOMPARE(janela->realce()->corEm(29), normal);
        QCOMPARE(janela->realce()->corEm(30), TRealceTags::corComum());
        QCOMPARE(janela->realce()->corEm(42), normal);
        QCOMPARE(janela->realce()->corEm(43), normal);
        QCOMPARE(janela->realce()->corEm(44), TRealceTags::corComum());
        // Switching it on and off changes nothing of the document.
        janela->setNomeArq(QStringLiteral("noname.tpg"));
        Controle<QAction>(janela, QStringLiteral("but_realce"))->trigger();
        Controle<QAction>(janela, QStringLiteral("but_realce"))->trigger();
        Controle<QAction>(janela, QStringLiteral("but_refresh"))->trigger();
        QVERIFY(!janela->modificado());
    }

    // Refresh Highlighting over a 5,000-line template clears its progress and colours the
    // last tag; typing at its end still works (the times: bench/BenchJanelas.cpp).
    void realceGrande() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormModeloGeral* janela = NovaJanela(*principal);
        auto* editor = Editor(janela, "re_classeobjeto");
        QStringList linhas;
        for (int i = 0; i < 5000; ++i)
            linhas.append(
                QStringLiteral("    public <colvartype> <colname>; // <simplecol> %1").arg(i));
        editor->setPlainText(linhas.join(QLatin1Char('\n')));
        Controle<QAction>(janela, QStringLiteral("but_realce"))->trigger();
        Controle<QAction>(janela, QStringLiteral("but_refresh"))->trigger();
        QVERIFY(janela->textoPainel(2).isEmpty());
        const int posicao =
            static_cast<int>(editor->toPlainText().lastIndexOf(QStringLiteral("<colname>")));
        QCOMPARE(janela->realce()->corEm(posicao), TRealceTags::corComum());
        editor->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor, QStringLiteral(" <tbname>"));
        QVERIFY(editor->toPlainText().endsWith(QStringLiteral(" <tbname>")));
    }

    // The coherence check: an open block is reported, a text without tags passes.
    void coerencia() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormModeloGeral* janela = NovaJanela(*principal);
        auto* editor = Editor(janela, "re_classeobjeto");
        editor->setPlainText(QStringLiteral("plain text"));
        Controle<QAction>(janela, QStringLiteral("but_cruzados"))->trigger();
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("No Crossed Tags Present !!")});
        editor->setPlainText(QStringLiteral("<simplecol>\n<colname>"));
        janela->setNomeArq(QStringLiteral("noname.tpg"));
        Controle<QAction>(janela, QStringLiteral("but_cruzados"))->trigger();
        const QStringList mensagens = Dialogos::TomaMensagens();
        QCOMPARE(mensagens.size(), 1);
        QVERIFY(mensagens.first() != QStringLiteral("No Crossed Tags Present !!"));
        QCOMPARE(editor->toPlainText(), QStringLiteral("<simplecol>\n<colname>"));
        QVERIFY(!janela->modificado());
    }

    // The document out and back in: every value, the mode and the preview; no header.
    void documento() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormModeloGeral* janela = NovaJanela(*principal);
        Controle<QRadioButton>(janela, QStringLiteral("rg_file_1"))->click();
        Controle<QLineEdit>(janela, QStringLiteral("edit_makeprefix"))
            ->setText(QStringLiteral("schema"));
        Controle<QLineEdit>(janela, QStringLiteral("edit_makeextension"))
            ->setText(QStringLiteral("sql"));
        Controle<QLineEdit>(janela, QStringLiteral("edit_typesfile"))
            ->setText(QStringLiteral("/t/types.txt"));
        Controle<QLineEdit>(janela, QStringLiteral("edit_parparentclass"))
            ->setText(QStringLiteral("TBase"));
        Editor(janela, "re_classeobjeto")->setPlainText(QStringLiteral("line 1\nline 2 <dbname>"));
        const QString caminho = ambiente.caminho(QStringLiteral("doc.tpg"));
        janela->SalvaArquivoKMF(caminho);
        const TArquivoKMF salvo = janela->getArquivo();
        QVERIFY(salvo.cabecalho.empty());
        TDocModeloGeral doc;
        doc.setArquivo(salvo);
        QCOMPARE(doc.arquivoUnico, 1);
        QCOMPARE(doc.makePrefix, std::string("schema"));
        QCOMPARE(doc.classeObjeto, std::string("line 1\r\nline 2 <dbname>"));

        principal->AbreArquivo({caminho});
        auto* aberta = qobject_cast<TFormModeloGeral*>(principal->filhaAtiva());
        QVERIFY(aberta != janela);
        QVERIFY(!aberta->modificado());
        QVERIFY(Controle<QRadioButton>(aberta, QStringLiteral("rg_file_1"))->isChecked());
        QVERIFY(Controle<QLineEdit>(aberta, QStringLiteral("edit_makeprefix"))->isEnabled());
        QCOMPARE(TextoDe(aberta, "edit_makefname"), QStringLiteral("schema.sql"));
        QCOMPARE(TextoDe(aberta, "edit_typesfile"), QStringLiteral("/t/types.txt"));
        QCOMPARE(TextoDe(aberta, "edit_parparentclass"), QStringLiteral("TBase"));
        QCOMPARE(Editor(aberta, "re_classeobjeto")->toPlainText(),
                 QStringLiteral("line 1\nline 2 <dbname>"));
    }

    // Open Text File replaces the text, which marks the document; Save To File writes it
    // with CR LF and "..." fills the types file, neither marking it.
    void arquivosDeTexto() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormModeloGeral* janela = NovaJanela(*principal);
        const QString entrada = ambiente.caminho(QStringLiteral("in.txt"));
        GravaLinhasTexto(deQString(entrada), {"first <tbname>", "second"});
        Dialogos::ProximosArquivos({entrada});
        Controle<QAction>(janela, QStringLiteral("but_abrir"))->trigger();
        auto* editor = Editor(janela, "re_classeobjeto");
        QCOMPARE(editor->toPlainText(), QStringLiteral("first <tbname>\nsecond"));
        QVERIFY(janela->modificado());
        janela->setNomeArq(QStringLiteral("noname.tpg"));

        const QString saida = ambiente.caminho(QStringLiteral("out.txt"));
        Dialogos::ProximosArquivos({saida});
        Controle<QAction>(janela, QStringLiteral("but_salvar"))->trigger();
        QCOMPARE(Conteudo(saida), QByteArray("first <tbname>\r\nsecond\r\n"));
        QVERIFY(!janela->modificado());

        Dialogos::ProximosArquivos({entrada});
        Controle<QToolButton>(janela, QStringLiteral("OvcAttachedButton1"))->click();
        QCOMPARE(TextoDe(janela, "edit_typesfile"), entrada);
        QVERIFY(!janela->modificado());
        QTest::mouseClick(Controle<QLineEdit>(janela, QStringLiteral("edit_typesfile")),
                          Qt::LeftButton);
        QVERIFY(janela->modificado());
    }

    // Print prints the editor's text under the window caption and leaves the document as
    // it was; a cancelled print dialog prints nothing.
    void imprime() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormModeloGeral* janela = NovaJanela(*principal);
        Editor(janela, "re_classeobjeto")->setPlainText(QStringLiteral("<rctable>\n</rctable>"));
        janela->setNomeArq(QStringLiteral("noname.tpg"));
        Dialogos::TomaTitulosArquivo();
        const QString pdf = ambiente.caminho(QStringLiteral("print.pdf"));
        Dialogos::ProximosArquivos({});
        Controle<QAction>(janela, QStringLiteral("but_print"))->trigger();
        QVERIFY(!QFileInfo::exists(pdf));
        Dialogos::ProximosArquivos({pdf});
        Controle<QAction>(janela, QStringLiteral("but_print"))->trigger();
        QCOMPARE(Dialogos::TomaTitulosArquivo(), QStringList({QStringLiteral("Print|noname.tpg"),
                                                              QStringLiteral("Print|noname.tpg")}));
        QVERIFY(QFileInfo(pdf).size() > 0);
        QVERIFY(Conteudo(pdf).startsWith("%PDF"));
        QVERIFY(!janela->modificado());
    }

    // The code tool bar, with the highlighting switch, is shown at first; it follows the main
    // window's item when the window opens, and the item toggles the active window's bar.
    void barraDeFerramentas() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        QVERIFY(!principal->ItemMarcado(QStringLiteral("HideCodeToolBar2")));
        TFormModeloGeral* visivel = NovaJanela(*principal);
        QVERIFY(!Controle<QToolBar>(visivel, QStringLiteral("cb_code"))->isHidden());
        QVERIFY(Controle<QToolBar>(visivel, QStringLiteral("cb_code"))
                    ->actions()
                    .contains(Controle<QAction>(visivel, QStringLiteral("but_realce"))));
        Acao(principal.get(), QStringLiteral("HideCodeToolBar2"))->trigger();
        QVERIFY(principal->ItemMarcado(QStringLiteral("HideCodeToolBar2")));
        QVERIFY(Controle<QToolBar>(visivel, QStringLiteral("cb_code"))->isHidden());
        TFormModeloGeral* oculta = NovaJanela(*principal);
        QVERIFY(Controle<QToolBar>(oculta, QStringLiteral("cb_code"))->isHidden());
        // The pop-up twin: same mark, same command, on the active window only.
        Acao(principal.get(), QStringLiteral("HideCodeToolBar4"))->trigger();
        QVERIFY(!Acao(principal.get(), QStringLiteral("HideCodeToolBar2"))->isChecked());
        QVERIFY(!Controle<QToolBar>(oculta, QStringLiteral("cb_code"))->isHidden());
        QVERIFY(Controle<QToolBar>(visivel, QStringLiteral("cb_code"))->isHidden());
    }
};

QTEST_MAIN(TesteModeloGeral)
#include "TesteModeloGeral.moc"

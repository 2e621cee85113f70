// The table-class template window: its start state and tool bars, the document out and
// back in, the file-name previews, tag insertion and highlighting, the modified marker,
// the types table with its three ways to be filled, and the close prompt.

#include "AmbienteUi.h"
#include "AuxiliaresEditor.h"
#include "documents/TDocModelos.h"
#include "model/ArquivoTexto.h"
#include "schema/windows/TFormCarregaTipos.h"
#include "ui/TFormFilhaModelo.h"
#include "ui/frame/Texto.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <functional>
#include <sqlite3.h>

using namespace fendril;
using namespace fendril::teste;

namespace {

TFormFilhaModelo* NovaJanela(TFormTelaPrincipal& principal) {
    return NovaJanelaDe<TFormFilhaModelo>(principal, QStringLiteral("tpt"));
}

QStringList Coluna(QTableWidget* grade, int coluna) {
    QStringList textos;
    for (int r = 0; r < grade->rowCount(); ++r) {
        const QTableWidgetItem* item = grade->item(r, coluna);
        textos.append(item ? item->text() : QString());
    }
    return textos;
}

void EscreveCelula(QTableWidget* grade, int linha, int coluna, const QString& texto) {
    grade->item(linha, coluna)->setText(texto);
}

// Runs `acao` on the provider types loader once it is shown modally.
void QuandoCarregadorAbrir(std::function<void(TFormCarregaTipos*)> acao, int tentativas = 200) {
    QTimer::singleShot(10, [acao, tentativas] {
        if (auto* dialogo = qobject_cast<TFormCarregaTipos*>(QApplication::activeModalWidget())) {
            acao(dialogo);
            return;
        }
        if (tentativas > 0)
            QuandoCarregadorAbrir(acao, tentativas - 1);
    });
}

QString CriaBanco(const Ambiente& ambiente) {
    const QString caminho = ambiente.caminho(QStringLiteral("tipos.db"));
    sqlite3* banco = nullptr;
    if (sqlite3_open(caminho.toUtf8().constData(), &banco) != SQLITE_OK)
        qFatal("cannot create the database");
    sqlite3_exec(banco, "CREATE TABLE item (nome varchar(20), quantidade INT, ativo bit)", nullptr,
                 nullptr, nullptr);
    sqlite3_close(banco);
    return QStringLiteral("Provider=SQLite;Data Source=\"%1\"").arg(caminho);
}

// Load Provider Data Types from the database; `grade`, when given, replaces the loaded
// names in the loader's grid before Transfer Types is answered with `resposta`.
void CarregaTipos(TFormFilhaModelo* janela, const QString& conexao,
                  QMessageBox::StandardButton resposta, const QStringList& grade = {}) {
    bool visto = false;
    QuandoCarregadorAbrir([&](TFormCarregaTipos* dialogo) {
        visto = true;
        Controle<QLineEdit>(dialogo, QStringLiteral("Edit1"))->setText(conexao);
        Controle<QPushButton>(dialogo, QStringLiteral("but_conectar"))->click();
        auto* tab = Controle<QTableWidget>(dialogo, QStringLiteral("tab"));
        QCOMPARE(Controle<QLabel>(dialogo, QStringLiteral("Label4"))->text(),
                 QStringLiteral("Number of Types: %1").arg(tab->rowCount()));
        if (!grade.isEmpty()) {
            tab->setRowCount(static_cast<int>(grade.size()));
            for (int r = 0; r < grade.size(); ++r)
                tab->setItem(r, 0, new QTableWidgetItem(grade[r]));
        }
        Dialogos::ProximaResposta(resposta);
        Controle<QAction>(dialogo, QStringLiteral("but_transfere"))->trigger();
    });
    Controle<QAction>(janela, QStringLiteral("but_load"))->trigger();
    QVERIFY(visto);
}

QStringList OrdenadoSemCaixa(QStringList lista) {
    std::stable_sort(lista.begin(), lista.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return lista;
}

} // namespace

class TesteFilhaModelo : public QObject {
    Q_OBJECT
private slots:
    // A new window from "Tools" > "Fendril Template" and its state.
    void janelaNova() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        Acao(principal.get(), QStringLiteral("Modelo1Click"))->trigger();
        QCoreApplication::processEvents();
        auto* janela = qobject_cast<TFormFilhaModelo*>(principal->filhaAtiva());
        QVERIFY(janela);
        QCOMPARE(janela->legenda(), QStringLiteral("noname.tpt"));
        QVERIFY(!janela->modificado());
        auto* paginas = Controle<QTabWidget>(janela, QStringLiteral("pcontrolprincipal"));
        QCOMPARE(paginas->currentWidget()->objectName(), QStringLiteral("Description"));
        auto* guias = Controle<QTabWidget>(janela, QStringLiteral("pcontrol"));
        QCOMPARE(guias->currentIndex(), 0);
        QCOMPARE(guias->tabPosition(), QTabWidget::East);
        QCOMPARE(janela->editorAtual(), Editor(janela, "re_classeobjeto"));

        auto* tipos = Controle<QTableWidget>(janela, QStringLiteral("tb_tipos"));
        QCOMPARE(tipos->rowCount(), 1);
        QCOMPARE(Coluna(tipos, 0), QStringList{QString()});
        QCOMPARE(tipos->horizontalHeaderItem(0)->text(), QStringLiteral("Provider Data Type"));
        QCOMPARE(tipos->horizontalHeaderItem(1)->text(), QStringLiteral("Code Variable Type"));
        QCOMPARE(tipos->horizontalHeaderItem(2)->text(),
                 QStringLiteral("Code Variable Initial Value"));
        QCOMPARE(tipos->columnWidth(0), 150);
        QCOMPARE(tipos->columnWidth(2), 220);
        QCOMPARE(tipos->rowHeight(0), 20);

        auto* data = Controle<QDateEdit>(janela, QStringLiteral("edit_data"));
        QCOMPARE(data->date(), QDate(2001, 5, 25));
        QVERIFY(data->displayFormat().contains(QStringLiteral("yyyy")));
        QVERIFY(Controle<QTreeWidget>(janela, QStringLiteral("arvore"))->isHidden());
        for (int editor = 0; editor < 3; ++editor) {
            QCOMPARE(janela->textoPainel(editor, 0), QStringLiteral("Insert"));
            QVERIFY(!janela->realce(editor)->ativo());
        }
        // The code tool bar shown, the types tool bar hidden, as the main window's items
        // say at first.
        QVERIFY(!principal->ItemMarcado(QStringLiteral("HideCodeToolBar1")));
        QVERIFY(principal->ItemMarcado(QStringLiteral("HideTypesToolBar1")));
        QVERIFY(!Controle<QToolBar>(janela, QStringLiteral("cb_code"))->isHidden());
        QVERIFY(Controle<QToolBar>(janela, QStringLiteral("cb_types"))->isHidden());
    }

    // The view items toggle the active window's bars; a new window follows them.
    void barrasDeFerramentas() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilhaModelo* janela = NovaJanela(*principal);
        Acao(principal.get(), QStringLiteral("HideTypesToolBar1"))->trigger();
        QVERIFY(!Controle<QToolBar>(janela, QStringLiteral("cb_types"))->isHidden());
        QVERIFY(!Controle<QToolBar>(janela, QStringLiteral("cb_code"))->isHidden());
        TFormFilhaModelo* outra = NovaJanela(*principal);
        QVERIFY(!Controle<QToolBar>(outra, QStringLiteral("cb_types"))->isHidden());
        // The pop-up twin of the code bar's item, on the active window only.
        Acao(principal.get(), QStringLiteral("HideCodeToolBar3"))->trigger();
        QVERIFY(principal->ItemMarcado(QStringLiteral("HideCodeToolBar1")));
        QVERIFY(Controle<QToolBar>(outra, QStringLiteral("cb_code"))->isHidden());
        QVERIFY(!Controle<QToolBar>(janela, QStringLiteral("cb_code"))->isHidden());
    }

    // Saved and opened again: every value, the three texts as they were, the types rows
    // with an empty one in the middle; the previews recomputed.
    void documento() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilhaModelo* janela = NovaJanela(*principal);
        const QString classe =
            QStringLiteral("class T<tbname> {\n\tint a; // a || b\n\n<simplecol>\n</simplecol>}");
        const QString pai = QStringLiteral("||\n\t||x||\n");
        const QString make = QStringLiteral("all:\n\tcc -o x || true");
        Controle<QLineEdit>(janela, QStringLiteral("Edit_nome"))->setText(QStringLiteral("Pascal"));
        Controle<QLineEdit>(janela, QStringLiteral("Edit_autor"))->setText(QStringLiteral("Ana"));
        Controle<QDateEdit>(janela, QStringLiteral("edit_data"))->setDate(QDate(2024, 12, 31));
        Controle<QPlainTextEdit>(janela, QStringLiteral("memo_comentario"))
            ->setPlainText(QStringLiteral("two\nlines"));
        const QStringList nomes = {
            QStringLiteral("edit_tableprefix"),    QStringLiteral("edit_tablesufix"),
            QStringLiteral("edit_tableextension"), QStringLiteral("edit_parprefix"),
            QStringLiteral("edit_parsufix"),       QStringLiteral("edit_parextension"),
            QStringLiteral("edit_parparentclass"), QStringLiteral("edit_makeprefix"),
            QStringLiteral("edit_makeextension")};
        const QStringList valores = {
            QStringLiteral("T"),     QStringLiteral("Base"), QStringLiteral("pas"),
            QStringLiteral("P"),     QStringLiteral("S"),    QStringLiteral("h"),
            QStringLiteral("TRoot"), QStringLiteral("make"), QStringLiteral("mk")};
        for (int i = 0; i < nomes.size(); ++i)
            Controle<QLineEdit>(janela, nomes[i])->setText(valores[i]);
        Controle<QCheckBox>(janela, QStringLiteral("cb_fname"))->setChecked(true);
        Editor(janela, "re_classeobjeto")->setPlainText(classe);
        Editor(janela, "re_classepai")->setPlainText(pai);
        Editor(janela, "re_make")->setPlainText(make);
        auto* tipos = Controle<QTableWidget>(janela, QStringLiteral("tb_tipos"));
        const QString arquivoTipos = ambiente.caminho(QStringLiteral("tipos.txt"));
        GravaLinhasTexto(deQString(arquivoTipos), {"int;integer;0;", ";;;", "bit;boolean;false;"});
        Dialogos::ProximosArquivos({arquivoTipos});
        Controle<QAction>(janela, QStringLiteral("but_abrirtipos"))->trigger();
        QCOMPARE(tipos->rowCount(), 3);

        const QString caminho = ambiente.caminho(QStringLiteral("doc.tpt"));
        janela->SalvaArquivoKMF(caminho);
        QCOMPARE(janela->legenda(), QStringLiteral("doc.tpt"));
        TDocModeloTabela doc;
        doc.setArquivo(janela->getArquivo());
        QCOMPARE(doc.data,
                 deQString(QLocale().toString(
                     QDate(2024, 12, 31),
                     Controle<QDateEdit>(janela, QStringLiteral("edit_data"))->displayFormat())));
        QCOMPARE(doc.comentario, std::string("two\r\nlines"));
        QCOMPARE(doc.classePai, std::string("||\r\n\t||x||\r\n"));

        principal->AbreArquivo({caminho});
        auto* aberta = qobject_cast<TFormFilhaModelo*>(principal->filhaAtiva());
        QVERIFY(aberta && aberta != janela);
        QVERIFY(!aberta->modificado());
        QCOMPARE(TextoDe(aberta, "Edit_nome"), QStringLiteral("Pascal"));
        QCOMPARE(TextoDe(aberta, "Edit_autor"), QStringLiteral("Ana"));
        QCOMPARE(Controle<QDateEdit>(aberta, QStringLiteral("edit_data"))->date(),
                 QDate(2024, 12, 31));
        QCOMPARE(Controle<QPlainTextEdit>(aberta, QStringLiteral("memo_comentario"))->toPlainText(),
                 QStringLiteral("two\nlines"));
        for (int i = 0; i < nomes.size(); ++i)
            QCOMPARE(Controle<QLineEdit>(aberta, nomes[i])->text(), valores[i]);
        QVERIFY(Controle<QCheckBox>(aberta, QStringLiteral("cb_fname"))->isChecked());
        QCOMPARE(Editor(aberta, "re_classeobjeto")->toPlainText(), classe);
        QCOMPARE(Editor(aberta, "re_classepai")->toPlainText(), pai);
        QCOMPARE(Editor(aberta, "re_make")->toPlainText(), make);
        QCOMPARE(Editor(aberta, "re_classeobjeto")->textCursor().position(), 0);
        QCOMPARE(Editor(aberta, "re_classepai")->textCursor().position(), 0);
        auto* abertos = Controle<QTableWidget>(aberta, QStringLiteral("tb_tipos"));
        QCOMPARE(Coluna(abertos, 0),
                 QStringList({QStringLiteral("int"), QString(), QStringLiteral("bit")}));
        QCOMPARE(Coluna(abertos, 2),
                 QStringList({QStringLiteral("0"), QString(), QStringLiteral("false")}));
        QCOMPARE(TextoDe(aberta, "edit_tablefname"), QStringLiteral("T<tbalias>Base.pas"));
        QCOMPARE(TextoDe(aberta, "edit_parfname"), QStringLiteral("PTRootS.h"));
        QCOMPARE(TextoDe(aberta, "edit_makefname"), QStringLiteral("make.mk"));
    }

    // Without an author nothing is saved; a date that does not parse fails the opening.
    void documentoInvalido() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilhaModelo* janela = NovaJanela(*principal);
        const QString caminho = ambiente.caminho(QStringLiteral("x.tpt"));
        try {
            janela->SalvaArquivoKMF(caminho);
            QFAIL("saved without an author");
        } catch (const EErroGeral& erro) {
            QCOMPARE(erro.textoErro(), std::string("An Author Name Must Be Given !!"));
        }
        QVERIFY(!QFile::exists(caminho));

        TDocModeloTabela doc;
        doc.autor = "Ana";
        doc.data = "not a date";
        doc.getArquivo().Salva(deQString(caminho));
        principal->AbreArquivo({caminho});
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("The File \"x.tpt\" Is Not A Fendril Template "
                                            "Document Or Is Damaged !!\n('not a date' is not "
                                            "a valid date)")});
        // No window is left behind; a window given the document shows the values read
        // before the date.
        QCOMPARE(principal->filhas().size(), 1u);
        TArquivoKMF documento;
        documento.Abre(deQString(caminho));
        QVERIFY_THROWS_EXCEPTION(std::exception, janela->setArquivo(documento));
        QCOMPARE(TextoDe(janela, "Edit_autor"), QStringLiteral("Ana"));
    }

    // The three previews as their edits' keys are released; the parent preview of an
    // opened document also without prefix, suffix and extension.
    void previas() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilhaModelo* janela = NovaJanela(*principal);
        Digita(janela, "edit_tableprefix", QStringLiteral("T"));
        Digita(janela, "edit_tablesufix", QStringLiteral("Base"));
        Digita(janela, "edit_tableextension", QStringLiteral("pas"));
        auto* tabela = Controle<QLineEdit>(janela, QStringLiteral("edit_tablefname"));
        QCOMPARE(tabela->text(), QStringLiteral("T<tbname>Base.pas"));
        QVERIFY(janela->modificado());
        janela->setNomeArq(QStringLiteral("noname.tpt"));
        Controle<QCheckBox>(janela, QStringLiteral("cb_fname"))->click();
        QCOMPARE(tabela->text(), QStringLiteral("T<tbalias>Base.pas"));
        QVERIFY(janela->modificado());
        Digita(janela, "edit_makeprefix", QStringLiteral("Makefile"));
        QCOMPARE(TextoDe(janela, "edit_makefname"), QStringLiteral("Makefile."));
        for (const char* nome : {"edit_tablefname", "edit_parfname", "edit_makefname"})
            QVERIFY(Controle<QLineEdit>(janela, QString::fromLatin1(nome))->isReadOnly());

        TDocModeloTabela doc;
        doc.autor = "Ana";
        doc.data = deQString(QLocale().toString(
            QDate(2001, 5, 25),
            Controle<QDateEdit>(janela, QStringLiteral("edit_data"))->displayFormat()));
        doc.parentClass = "TBase";
        const QString caminho = ambiente.caminho(QStringLiteral("pai.tpt"));
        doc.getArquivo().Salva(deQString(caminho));
        principal->AbreArquivo({caminho});
        auto* aberta = principal->filhaAtiva();
        auto* previa = Controle<QLineEdit>(aberta, QStringLiteral("edit_parfname"));
        QCOMPARE(previa->text(), QStringLiteral("TBase."));
        QTest::keyClick(Controle<QLineEdit>(aberta, QStringLiteral("edit_parsufix")), Qt::Key_End);
        QVERIFY(previa->text().isEmpty());
        QTest::keyClicks(Controle<QLineEdit>(aberta, QStringLiteral("edit_parextension")),
                         QStringLiteral("h"));
        QCOMPARE(previa->text(), QStringLiteral("TBase.h"));
    }

    // The naming box goes name, alias, alias or short name; the name form shows in the
    // preview; both fields and the reserved words are saved and come back.
    void nomeacaoEPalavrasReservadas() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilhaModelo* janela = NovaJanela(*principal);
        Digita(janela, "edit_tableextension", QStringLiteral("h"));
        auto* previa = Controle<QLineEdit>(janela, QStringLiteral("edit_tablefname"));
        auto* caixa = Controle<QCheckBox>(janela, QStringLiteral("cb_fname"));
        caixa->click();
        caixa->click();
        QCOMPARE(caixa->checkState(), Qt::PartiallyChecked);
        QCOMPARE(previa->text(), QStringLiteral("<tbalias|tbshortname>.h"));
        janela->setNomeArq(QStringLiteral("noname.tpt"));
        Digita(janela, "edit_nameform", QStringLiteral("pascal:singular"));
        QCOMPARE(previa->text(), QStringLiteral("<tbalias|tbshortname:pascal:singular>.h"));
        QVERIFY(janela->modificado());
        janela->setNomeArq(QStringLiteral("noname.tpt"));
        auto* reservadas = Controle<QPlainTextEdit>(janela, QStringLiteral("edit_reservedwords"));
        QTest::keyClicks(reservadas, QStringLiteral("class"));
        QTest::keyClick(reservadas, Qt::Key_Return);
        QTest::keyClicks(reservadas, QStringLiteral("default"));
        QVERIFY(janela->modificado());

        Controle<QLineEdit>(janela, QStringLiteral("Edit_autor"))->setText(QStringLiteral("A"));
        const QString caminho = ambiente.caminho(QStringLiteral("nomes.tpt"));
        janela->SalvaArquivoKMF(caminho);
        TArquivoKMF salvo;
        salvo.Abre(deQString(caminho));
        TDocModeloTabela doc;
        doc.setArquivo(salvo);
        QCOMPARE(doc.nomeArquivo, TNomeArquivoTabela::aliasOuNomeCurto);
        QCOMPARE(doc.formaNome, std::string("pascal:singular"));
        QCOMPARE(doc.palavrasReservadas, std::string("class\r\ndefault"));

        principal->AbreArquivo({caminho});
        auto* aberta = qobject_cast<TFormFilhaModelo*>(principal->filhaAtiva());
        QVERIFY(aberta && aberta != janela && !aberta->modificado());
        QCOMPARE(Controle<QCheckBox>(aberta, QStringLiteral("cb_fname"))->checkState(),
                 Qt::PartiallyChecked);
        QCOMPARE(TextoDe(aberta, "edit_tablefname"),
                 QStringLiteral("<tbalias|tbshortname:pascal:singular>.h"));
        QCOMPARE(
            Controle<QPlainTextEdit>(aberta, QStringLiteral("edit_reservedwords"))->toPlainText(),
            QStringLiteral("class\ndefault"));
        Controle<QCheckBox>(aberta, QStringLiteral("cb_fname"))->click();
        QCOMPARE(TextoDe(aberta, "edit_tablefname"), QStringLiteral("<tbname:pascal:singular>.h"));
    }

    // A condition inserts its pair, as a block does.
    void insercaoDeCondicao() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilhaModelo* janela = NovaJanela(*principal);
        auto* arvore = Controle<QTreeWidget>(janela, QStringLiteral("arvore"));
        Controle<QTabWidget>(janela, QStringLiteral("pcontrolprincipal"))->setCurrentIndex(1);
        arvore->setCurrentItem(NoDaArvore(arvore, QStringLiteral("<ifnot:last>")));
        janela->arvoreDblClick();
        QCOMPARE(Editor(janela, "re_classeobjeto")->toPlainText(),
                 QStringLiteral("\n<ifnot:last>\n\n</ifnot:last>\n"));
    }

    // Double-clicking a block leaf inserts both tags as blocks; a group inserts nothing;
    // on "File Names" the insertion goes to the last editor shown and Show Tags does
    // nothing.
    void insercaoDeBloco() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilhaModelo* janela = NovaJanela(*principal);
        Controle<QTabWidget>(janela, QStringLiteral("pcontrolprincipal"))->setCurrentIndex(1);
        Controle<QAction>(janela, QStringLiteral("but_mostratags"))->trigger();
        auto* arvore = Controle<QTreeWidget>(janela, QStringLiteral("arvore"));
        QVERIFY(!arvore->isHidden());
        QVERIFY(Controle<QSplitter>(janela, QStringLiteral("divisor"))->sizes().first() > 0);
        arvore->setCurrentItem(NoDaArvore(arvore, QStringLiteral("Table Tags")));
        janela->arvoreDblClick();
        QVERIFY(!janela->modificado());
        arvore->setCurrentItem(NoDaArvore(arvore, QStringLiteral("<simplecol>")));
        janela->arvoreDblClick();
        QVERIFY(janela->modificado());
        TDocModeloTabela doc;
        Controle<QLineEdit>(janela, QStringLiteral("Edit_autor"))->setText(QStringLiteral("A"));
        doc.setArquivo(janela->getArquivo());
        QCOMPARE(doc.classeObjeto, std::string("\r\n<simplecol>\r\n\r\n</simplecol>\r\n"));
        auto* classe = Editor(janela, "re_classeobjeto");
        QCOMPARE(classe->textCursor().position(), classe->toPlainText().size());

        auto* guias = Controle<QTabWidget>(janela, QStringLiteral("pcontrol"));
        guias->setCurrentIndex(1);
        guias->setCurrentIndex(3);
        QCOMPARE(janela->editorAtual(), Editor(janela, "re_classepai"));
        arvore->setCurrentItem(NoDaArvore(arvore, QStringLiteral("<tbname>")));
        janela->arvoreDblClick();
        QCOMPARE(Editor(janela, "re_classepai")->toPlainText(), QStringLiteral("<tbname>"));
        Controle<QAction>(janela, QStringLiteral("but_mostratags"))->trigger();
        QVERIFY(!arvore->isHidden());
        guias->setCurrentIndex(0);
        Controle<QAction>(janela, QStringLiteral("but_mostratags"))->trigger();
        QVERIFY(arvore->isHidden());
        QCOMPARE(Controle<QSplitter>(janela, QStringLiteral("divisor"))->sizes().first(), 0);
    }

    // Highlighting is switched on per editor: the ">" of a typed tag paints it bold blue;
    // breaking the tag repaints it plain; the other editors stay plain.
    void realce() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilhaModelo* janela = NovaJanela(*principal);
        Controle<QTabWidget>(janela, QStringLiteral("pcontrolprincipal"))->setCurrentIndex(1);
        auto* editor = Editor(janela, "re_classeobjeto");
        const QColor normal = editor->palette().color(QPalette::Text);
        QTest::keyClicks(editor, QStringLiteral("<tbname>"));
        QCOMPARE(janela->realce(0)->corEm(1), normal);
        Controle<QAction>(janela, QStringLiteral("but_realce"))->trigger();
        QVERIFY(janela->realce(0)->ativo());
        QVERIFY(!janela->realce(1)->ativo());
        QCOMPARE(janela->realce(0)->corEm(1), TRealceTags::corComum());
        editor->clear();
        QTest::keyClicks(editor, QStringLiteral("<coldatecount"));
        QCOMPARE(janela->realce(0)->corEm(0), normal);
        QTest::keyClicks(editor, QStringLiteral(">"));
        QCOMPARE(janela->realce(0)->corEm(0), TRealceTags::corComum());
        QCOMPARE(janela->realce(0)->corEm(13), TRealceTags::corComum());
        QVERIFY(janela->realce(0)->negritoEm(3));
        // Broken, the tag is painted plain again once a key is released.
        editor->moveCursor(QTextCursor::Left);
        QTest::keyClicks(editor, QStringLiteral("x"));
        QCOMPARE(editor->toPlainText(), QStringLiteral("<coldatecountx>"));
        QCOMPARE(janela->realce(0)->corEm(0), normal);
        QCOMPARE(janela->realce(0)->corEm(14), normal);
        QVERIFY(!janela->realce(0)->negritoEm(3));
        // Refresh checks the position after the last character too, when a blank or a
        // line break ends the text: a tag that only that position reaches is painted.
        editor->setPlainText(QStringLiteral("x <colname><tbname>\n"));
        Controle<QAction>(janela, QStringLiteral("but_refresh"))->trigger();
        QCOMPARE(janela->realce(0)->corEm(2), TRealceTags::corComum());
        QCOMPARE(janela->realce(0)->corEm(11), TRealceTags::corComum());
        QCOMPARE(janela->realce(0)->corEm(18), TRealceTags::corComum());
        // The iterative words of this window are green; the parent editor stays plain.
        editor->clear();
        janela->InsereString(QStringLiteral("<coldatetype>"), true);
        QCOMPARE(janela->realce(0)->corEm(1), TRealceTags::corIterativa());
        Controle<QTabWidget>(janela, QStringLiteral("pcontrol"))->setCurrentIndex(1);
        QVERIFY(!Controle<QAction>(janela, QStringLiteral("but_realce"))->isChecked());
        QTest::keyClicks(Editor(janela, "re_classepai"), QStringLiteral("<tbname>"));
        QCOMPARE(janela->realce(1)->corEm(1), normal);
        // The newer words: tags, tags with filters that exist, blocks and conditions.
        Controle<QTabWidget>(janela, QStringLiteral("pcontrol"))->setCurrentIndex(0);
        editor->setPlainText(QStringLiteral("<colsqltype> <tbshortname:pascal:singular> "
                                            "<tbname:pascl> <if:pk> <refcol> </ifnot:last>\n"));
        Controle<QAction>(janela, QStringLiteral("but_refresh"))->trigger();
        const QString texto = editor->toPlainText();
        const auto cor = [&](const QString& palavra) {
            return janela->realce(0)->corEm(static_cast<int>(texto.indexOf(palavra)) + 1);
        };
        QCOMPARE(cor(QStringLiteral("<colsqltype>")), TRealceTags::corComum());
        QCOMPARE(cor(QStringLiteral("<tbshortname:")), TRealceTags::corComum());
        QCOMPARE(cor(QStringLiteral("<tbname:pascl>")), normal);
        QCOMPARE(cor(QStringLiteral("<if:pk>")), TRealceTags::corIterativa());
        QCOMPARE(cor(QStringLiteral("<refcol>")), TRealceTags::corIterativa());
        QCOMPARE(cor(QStringLiteral("</ifnot:last>")), TRealceTags::corIterativa());
    }

    // Refresh Highlighting on 5,000 lines: the progress painted while it works, emptied at
    // the end; a close asked for meanwhile ends the scan and then the window (its time:
    // bench/BenchJanelas.cpp).
    void realceGrande() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilhaModelo* janela = NovaJanela(*principal);
        janela->showMaximized();
        Controle<QTabWidget>(janela, QStringLiteral("pcontrolprincipal"))->setCurrentIndex(1);
        auto* editor = Editor(janela, "re_classeobjeto");
        QStringList linhas;
        for (int i = 0; i < 5000; ++i)
            linhas.append(QStringLiteral("    <colvartype> <colname>; // <simplecol> %1").arg(i));
        editor->setPlainText(linhas.join(QLatin1Char('\n')));
        QCoreApplication::processEvents();

        // What the progress panel shows each time it is painted.
        auto* painel = Controle<QLabel>(janela, QStringLiteral("bar_objeto_painel2"));
        struct Pinturas : QObject {
            QStringList textos;
            bool eventFilter(QObject* objeto, QEvent* evento) override {
                if (evento->type() == QEvent::Paint)
                    textos.append(static_cast<QLabel*>(objeto)->text());
                return false;
            }
        } pinturas;
        painel->installEventFilter(&pinturas);
        Controle<QAction>(janela, QStringLiteral("but_realce"))->trigger();
        const QString total = QStringLiteral("/%1").arg(editor->toPlainText().size());
        QVERIFY(std::any_of(pinturas.textos.begin(), pinturas.textos.end(), [&](const QString& t) {
            return t.startsWith(QStringLiteral("Analysing Position ")) && t.endsWith(total);
        }));
        QVERIFY(janela->textoPainel(0, 2).isEmpty());
        QVERIFY(!editor->isReadOnly());
        const int ultima =
            static_cast<int>(editor->toPlainText().lastIndexOf(QStringLiteral("<colname>")));
        QCOMPARE(janela->realce(0)->corEm(ultima), TRealceTags::corComum());
        painel->removeEventFilter(&pinturas);

        // A longer text, so that the scan surely lets events through before it ends.
        editor->setPlainText(
            QStringList(4, linhas.join(QLatin1Char('\n'))).join(QLatin1Char('\n')));
        janela->setNomeArq(QStringLiteral("noname.tpt"));
        const QPointer<TFormFilhaModelo> guarda(janela);
        bool fechouAnalisando = false;
        QTimer::singleShot(0, janela, [janela, &fechouAnalisando] {
            fechouAnalisando = janela->analisando();
            janela->close();
        });
        Controle<QAction>(janela, QStringLiteral("but_refresh"))->trigger();
        QVERIFY(fechouAnalisando);
        QVERIFY(guarda && !guarda->fechada());
        QTRY_VERIFY(guarda.isNull());
    }

    // Only a change of the text marks the document: keys that change nothing (Ctrl+C,
    // Shift, an arrow) leave it in every editor, a character marks it. Saving from an editor
    // with Ctrl+S leaves no marker, whichever key is released first.
    void teclasEModificado() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilhaModelo* janela = NovaJanela(*principal);
        for (const char* nome : {"re_classeobjeto", "re_classepai", "re_make"}) {
            auto* editor = Editor(janela, nome);
            QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
            QTest::keyClick(editor, Qt::Key_Shift);
            QTest::keyClick(editor, Qt::Key_Left);
            QVERIFY2(!janela->modificado(), nome);
            QTest::keyClicks(editor, QStringLiteral("a"));
            QVERIFY2(janela->modificado(), nome);
            janela->setNomeArq(QStringLiteral("noname.tpt"));
        }
        auto* classe = Editor(janela, "re_classeobjeto");
        Controle<QLineEdit>(janela, QStringLiteral("Edit_autor"))->setText(QStringLiteral("A"));
        QTest::keyClicks(classe, QStringLiteral("b"));
        const QString caminho = ambiente.caminho(QStringLiteral("s.tpt"));
        Dialogos::ProximosArquivos({caminho});
        QTest::keyPress(classe, Qt::Key_Control);
        QTest::keyPress(classe, Qt::Key_S, Qt::ControlModifier);
        Acao(principal.get(), QStringLiteral("Salvar1"))->trigger();
        QTest::keyRelease(classe, Qt::Key_Control, Qt::ControlModifier);
        QTest::keyRelease(classe, Qt::Key_S);
        QVERIFY(QFileInfo::exists(caminho));
        QVERIFY(!janela->modificado());
        QCOMPARE(janela->legenda(), QStringLiteral("s.tpt"));
        janela->setNomeArq(QStringLiteral("noname.tpt"));
        Digita(janela, "Edit_nome", QStringLiteral("x"));
        QVERIFY(janela->modificado());
        janela->setNomeArq(QStringLiteral("noname.tpt"));
        QTest::mouseClick(Controle<QDateEdit>(janela, QStringLiteral("edit_data")), Qt::LeftButton,
                          {}, QPoint(5, 5));
        QVERIFY(janela->modificado());
    }

    // One insert indicator; each status bar keeps the word of its editor's last Insert.
    void insercaoSobrescrita() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilhaModelo* janela = NovaJanela(*principal);
        QTest::keyClick(Editor(janela, "re_classeobjeto"), Qt::Key_Insert);
        QCOMPARE(janela->textoPainel(0, 0), QStringLiteral("Overwrite"));
        QVERIFY(!janela->modoInsercao());
        QVERIFY(Editor(janela, "re_classeobjeto")->overwriteMode());
        QTest::keyClick(Editor(janela, "re_classepai"), Qt::Key_Insert);
        QCOMPARE(janela->textoPainel(1, 0), QStringLiteral("Insert"));
        QCOMPARE(janela->textoPainel(0, 0), QStringLiteral("Overwrite"));
        QVERIFY(janela->modoInsercao());
    }

    // The editor commands act on the current editor; those that change the text (Cut,
    // Paste, Undo, Open Text File) mark the document, the others (Copy, Select All, Save, an
    // Undo with nothing to undo) do not. Ctrl+Z and Ctrl+Shift+Z undo and redo.
    void comandosDoEditor() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilhaModelo* janela = NovaJanela(*principal);
        Controle<QTabWidget>(janela, QStringLiteral("pcontrol"))->setCurrentIndex(2);
        auto* make = Editor(janela, "re_make");
        make->setPlainText(QStringLiteral("all: x"));
        janela->setNomeArq(QStringLiteral("noname.tpt"));
        auto comando = [janela](const char* nome) {
            Controle<QAction>(janela, QString::fromLatin1(nome))->trigger();
            const bool marcado = janela->modificado();
            janela->setNomeArq(QStringLiteral("noname.tpt"));
            return marcado;
        };
        QVERIFY(!comando("but_marcartudo"));
        QVERIFY(!comando("Copy1"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("all: x"));
        QVERIFY(comando("but_cortar"));
        QVERIFY(make->toPlainText().isEmpty());
        QVERIFY(comando("Paste1"));
        QCOMPARE(make->toPlainText(), QStringLiteral("all: x"));
        QVERIFY(comando("but_undo"));
        QVERIFY(make->toPlainText().isEmpty());
        QVERIFY(comando("but_undo"));
        QCOMPARE(make->toPlainText(), QStringLiteral("all: x"));
        QVERIFY(!comando("but_undo"));
        QVERIFY(Editor(janela, "re_classeobjeto")->toPlainText().isEmpty());
        make->moveCursor(QTextCursor::End);
        QTest::keyClicks(make, QStringLiteral("yz"));
        QTest::keyClick(make, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(make->toPlainText(), QStringLiteral("all: x"));
        QTest::keyClick(make, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(make->toPlainText(), QStringLiteral("all: xyz"));
        make->setPlainText(QStringLiteral("all: x"));
        janela->setNomeArq(QStringLiteral("noname.tpt"));

        const QString entrada = ambiente.caminho(QStringLiteral("in.txt"));
        GravaLinhasTexto(deQString(entrada), {"first", "second"});
        Dialogos::ProximosArquivos({entrada});
        QVERIFY(comando("but_abrir"));
        QCOMPARE(make->toPlainText(), QStringLiteral("first\nsecond"));
        const QString saida = ambiente.caminho(QStringLiteral("out.txt"));
        Dialogos::ProximosArquivos({saida});
        QVERIFY(!comando("SaveToFile1"));
        QCOMPARE(Conteudo(saida), QByteArray("first\r\nsecond\r\n"));
        // Forwarded from the main window's tools.
        Dialogos::ProximosArquivos({ambiente.caminho(QStringLiteral("p.pdf"))});
        Dialogos::TomaTitulosArquivo();
        Acao(principal.get(), QStringLiteral("Print1Click"))->trigger();
        QCOMPARE(Dialogos::TomaTitulosArquivo(), QStringList{QStringLiteral("Print|noname.tpt")});
        QVERIFY(Conteudo(ambiente.caminho(QStringLiteral("p.pdf"))).startsWith("%PDF"));
        QVERIFY(!janela->modificado());
    }

    // A cell of the right-hand columns, once selected, marks the document; a cell of the
    // first column cannot be selected: the selection stays where it was, the document as it
    // was; typing into a cell marks it and is in the document at once.
    void selecaoDeCelula() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilhaModelo* janela = NovaJanela(*principal);
        auto* tipos = Controle<QTableWidget>(janela, QStringLiteral("tb_tipos"));
        QVERIFY(!(tipos->item(0, 0)->flags() & Qt::ItemIsEditable));
        tipos->setCurrentCell(0, 0);
        QCOMPARE(tipos->currentRow(), -1);
        QVERIFY(!janela->modificado());
        tipos->setCurrentCell(0, 2);
        QVERIFY(janela->modificado());
        QVERIFY(tipos->item(0, 2)->flags() & Qt::ItemIsEditable);

        // Typing into the cell still selected after a save marks the document again, and
        // the text is in the document while the cell's editor is still open.
        janela->setNomeArq(QStringLiteral("noname.tpt"));
        QTest::keyClick(tipos, Qt::Key_0);
        auto* celula = tipos->findChild<QLineEdit*>();
        QVERIFY(celula);
        QTest::keyClicks(celula, QStringLiteral(".5"));
        QVERIFY(janela->modificado());
        Controle<QLineEdit>(janela, QStringLiteral("Edit_autor"))->setText(QStringLiteral("A"));
        TDocModeloTabela doc;
        doc.setArquivo(janela->getArquivo());
        QCOMPARE(doc.tipos, std::vector<TLinhaTipos>({{"", "", "0.5"}}));

        // A click into the first column of another row keeps the selection and the marker.
        GravaLinhasTexto(deQString(ambiente.caminho(QStringLiteral("dois.txt"))),
                         {"a;b;c;", "d;e;f;"});
        Dialogos::ProximosArquivos({ambiente.caminho(QStringLiteral("dois.txt"))});
        Controle<QAction>(janela, QStringLiteral("but_abrirtipos"))->trigger();
        tipos->setCurrentCell(0, 2);
        janela->setNomeArq(QStringLiteral("noname.tpt"));
        QTest::mouseClick(tipos->viewport(), Qt::LeftButton, {},
                          tipos->visualRect(tipos->model()->index(1, 0)).center());
        QCOMPARE(tipos->currentRow(), 0);
        QCOMPARE(tipos->currentColumn(), 2);
        QVERIFY(!janela->modificado());
    }

    // Open Text File and Save To File from the main window act on the page shown and leave
    // it shown: on Code the current editor, Open on Types the types file, on Description
    // nothing.
    void comandosEncaminhadosPorPagina() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilhaModelo* janela = NovaJanela(*principal);
        auto* paginas = Controle<QTabWidget>(janela, QStringLiteral("pcontrolprincipal"));
        auto* tipos = Controle<QTableWidget>(janela, QStringLiteral("tb_tipos"));
        const QString arquivo = ambiente.caminho(QStringLiteral("in.txt"));
        GravaLinhasTexto(deQString(arquivo), {"int;integer;0;"});
        Editor(janela, "re_classeobjeto")->setPlainText(QStringLiteral("kept"));

        // Description: nothing asked, nothing changed.
        Acao(principal.get(), QStringLiteral("OpenTextFile1Click"))->trigger();
        Acao(principal.get(), QStringLiteral("SpeedButton5Click"))->trigger();
        QVERIFY(Dialogos::TomaTitulosArquivo().isEmpty());
        QCOMPARE(paginas->currentIndex(), 0);

        // Types: Open reads the types file into the table; Save does nothing.
        paginas->setCurrentIndex(2);
        Dialogos::ProximosArquivos({arquivo});
        Acao(principal.get(), QStringLiteral("but_abriremfendrilClick"))->trigger();
        Acao(principal.get(), QStringLiteral("SaveToFile1Click"))->trigger();
        QCOMPARE(Dialogos::TomaTitulosArquivo(),
                 QStringList{QStringLiteral("Open Table Types Text File|")});
        QCOMPARE(paginas->currentIndex(), 2);
        QCOMPARE(Coluna(tipos, 1), QStringList{QStringLiteral("integer")});
        QCOMPARE(Editor(janela, "re_classeobjeto")->toPlainText(), QStringLiteral("kept"));

        // Code: the current editor.
        paginas->setCurrentIndex(1);
        Dialogos::ProximosArquivos({arquivo});
        Acao(principal.get(), QStringLiteral("OpenTextFile1Click"))->trigger();
        QCOMPARE(Editor(janela, "re_classeobjeto")->toPlainText(),
                 QStringLiteral("int;integer;0;"));
        const QString saida = ambiente.caminho(QStringLiteral("out.txt"));
        Dialogos::ProximosArquivos({saida});
        Acao(principal.get(), QStringLiteral("SaveToFile1Click"))->trigger();
        QCOMPARE(Conteudo(saida), QByteArray("int;integer;0;\r\n"));
        QCOMPARE(paginas->currentIndex(), 1);
    }

    // Clear Entries asks; No keeps the table, Yes empties 40 rows and keeps them.
    void limpaEntradas() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilhaModelo* janela = NovaJanela(*principal);
        TListaTextos linhas;
        for (int i = 0; i < 40; ++i)
            linhas.push_back("t" + std::to_string(i) + ";v;0;");
        const QString arquivo = ambiente.caminho(QStringLiteral("40.txt"));
        GravaLinhasTexto(deQString(arquivo), linhas);
        Dialogos::ProximosArquivos({arquivo});
        Controle<QAction>(janela, QStringLiteral("OpenTableTypesTextFile1"))->trigger();
        auto* tipos = Controle<QTableWidget>(janela, QStringLiteral("tb_tipos"));
        QCOMPARE(tipos->rowCount(), 40);
        janela->setNomeArq(QStringLiteral("noname.tpt"));
        Dialogos::ProximaResposta(QMessageBox::No);
        Controle<QAction>(janela, QStringLiteral("ClearEntries1"))->trigger();
        QCOMPARE(Coluna(tipos, 1).count(QStringLiteral("v")), 40);
        QVERIFY(!janela->modificado());
        Dialogos::ProximaResposta(QMessageBox::Yes);
        QVERIFY(janela->ExecutaComando(TComando::LimpaTipos));
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList(2, QStringLiteral("Clear All Entries On The Table ?")));
        QCOMPARE(tipos->rowCount(), 40);
        for (int c = 0; c < 3; ++c)
            QCOMPARE(Coluna(tipos, c), QStringList(40, QString()));
        QVERIFY(janela->modificado());
    }

    // A types file whose second line has two fields: the first row whole, the second and
    // the third empty; an unreadable file changes nothing.
    void arquivoDeTipos() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilhaModelo* janela = NovaJanela(*principal);
        auto* tipos = Controle<QTableWidget>(janela, QStringLiteral("tb_tipos"));
        const QString arquivo = ambiente.caminho(QStringLiteral("tipos.txt"));
        GravaLinhasTexto(deQString(arquivo),
                         {"int;integer;0;", "char;string;''", "bit;boolean;false;"});
        Dialogos::ProximosArquivos({ambiente.caminho(QStringLiteral("missing.txt"))});
        Controle<QAction>(janela, QStringLiteral("but_abrirtipos"))->trigger();
        QCOMPARE(tipos->rowCount(), 1);
        QVERIFY(!janela->modificado());
        QVERIFY(Dialogos::TomaMensagens().isEmpty());
        Dialogos::ProximosArquivos({arquivo});
        Controle<QAction>(janela, QStringLiteral("but_abrirtipos"))->trigger();
        QVERIFY(janela->modificado());
        QCOMPARE(tipos->rowCount(), 3);
        QCOMPARE(Coluna(tipos, 0), QStringList({QStringLiteral("int"), QString(), QString()}));
        QCOMPARE(Coluna(tipos, 1), QStringList({QStringLiteral("integer"), QString(), QString()}));
        QCOMPARE(Coluna(tipos, 2), QStringList({QStringLiteral("0"), QString(), QString()}));
    }

    // Load Provider Data Types from a real SQLite database: the loader's names sorted
    // without regard to case in the first column, the other columns kept, rows beyond
    // dropped; No leaves the table as it was.
    void carregaTiposProvider() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilhaModelo* janela = NovaJanela(*principal);
        auto* tipos = Controle<QTableWidget>(janela, QStringLiteral("tb_tipos"));
        const QString conexao = CriaBanco(ambiente);
        CarregaTipos(janela, conexao, QMessageBox::Yes);
        // The provider's 18 types and the 3 the database's table declares as written.
        QCOMPARE(tipos->rowCount(), 21);
        const QStringList nomes = Coluna(tipos, 0);
        QCOMPARE(nomes, OrdenadoSemCaixa(nomes));
        QCOMPARE(nomes.first(), QStringLiteral("BIGINT"));
        QVERIFY(nomes.contains(QStringLiteral("VARCHAR")));
        QVERIFY(janela->modificado());

        for (int r = 0; r < 4; ++r) {
            EscreveCelula(tipos, r, 1, QStringLiteral("var%1").arg(r));
            EscreveCelula(tipos, r, 2, QStringLiteral("ini%1").arg(r));
        }
        CarregaTipos(janela, conexao, QMessageBox::Yes,
                     {QStringLiteral("varchar"), QStringLiteral("INT"), QStringLiteral("bit")});
        QCOMPARE(Coluna(tipos, 0), QStringList({QStringLiteral("bit"), QStringLiteral("INT"),
                                                QStringLiteral("varchar")}));
        QCOMPARE(Coluna(tipos, 1), QStringList({QStringLiteral("var0"), QStringLiteral("var1"),
                                                QStringLiteral("var2")}));
        QCOMPARE(Coluna(tipos, 2), QStringList({QStringLiteral("ini0"), QStringLiteral("ini1"),
                                                QStringLiteral("ini2")}));

        janela->setNomeArq(QStringLiteral("noname.tpt"));
        CarregaTipos(janela, conexao, QMessageBox::No);
        QCOMPARE(Coluna(tipos, 0), QStringList({QStringLiteral("bit"), QStringLiteral("INT"),
                                                QStringLiteral("varchar")}));
        QVERIFY(!janela->modificado());
    }

    // The close prompt: Cancel keeps the window, Yes saves where the document came from.
    void fechamento() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        QDir().mkdir(QStringLiteral("sub"));
        TDocModeloTabela doc;
        doc.autor = "Ana";
        TFormFilhaModelo* molde = NovaJanela(*principal);
        doc.data = deQString(QLocale().toString(
            QDate(2001, 5, 25),
            Controle<QDateEdit>(molde, QStringLiteral("edit_data"))->displayFormat()));
        molde->close();
        const QString caminho = ambiente.caminho(QStringLiteral("sub/c.tpt"));
        doc.getArquivo().Salva(deQString(caminho));
        principal->AbreArquivo({caminho});
        auto* janela = qobject_cast<TFormFilhaModelo*>(principal->filhaAtiva());
        QVERIFY(janela);
        QTest::keyClicks(Editor(janela, "re_classeobjeto"), QStringLiteral("<dbname>"));
        Dialogos::TomaMensagens();
        Dialogos::ProximaResposta(QMessageBox::Cancel);
        janela->close();
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{QStringLiteral("The File \"c.tpt\" Has Been Changed. Do You Want "
                                            "To Save The Current Changes ?")});
        QVERIFY(!janela->fechada());
        Dialogos::ProximaResposta(QMessageBox::Yes);
        janela->close();
        QVERIFY(janela->fechada());
        TArquivoKMF salvo;
        salvo.Abre(deQString(caminho));
        doc.setArquivo(salvo);
        QCOMPARE(doc.classeObjeto, std::string("<dbname>"));
    }
};

QTEST_MAIN(TesteFilhaModelo)
#include "TesteFilhaModelo.moc"

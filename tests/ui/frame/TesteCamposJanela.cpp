// A layout's fields walked through the controls named by their keys.

#include "documents/TDocModelos.h"
#include "model/Erros.h"
#include "ui/frame/CamposJanela.h"
#include "ui/frame/Datas.h"
#include "ui/frame/PaginaDescricao.h"
#include "ui/frame/Texto.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

using namespace fendril;

namespace {

// A window holding the Description page, a code editor, the alias box and an option group
// named by keys of the table-class template layout; the other keys have no control.
struct Janela {
    QWidget janela;
    TCamposDescricao descricao =
        CriaCamposDescricao(&janela, QStringLiteral("Name"), QDate(2000, 1, 1));
    QPlainTextEdit* codigo = novo<QPlainTextEdit>("re_classeobjeto");
    QLineEdit* prefixo = novo<QLineEdit>("edit_tableprefix");
    QCheckBox* alias = novo<QCheckBox>("cb_fname");
    QGroupBox* modo = novo<QGroupBox>("rg_file");

    template <typename T> T* novo(const char* nome) {
        auto* controle = new T(&janela);
        controle->setObjectName(QString::fromLatin1(nome));
        return controle;
    }
};

TDocModeloTabela Modelo() {
    TDocModeloTabela doc;
    doc.nome = "Orders";
    doc.autor = "Ana";
    doc.data = deQString(EscreveDataCurta(QDate(2026, 3, 7)));
    doc.comentario = "first\r\nsecond";
    doc.tablePrefix = "T";
    doc.classeObjeto = "class <tbname>\r\n{\r\n}";
    doc.nomeArquivo = TNomeArquivoTabela::alias;
    doc.parSufix = "not shown";
    return doc;
}

} // namespace

class TesteCamposJanela : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // What is shown reads back as it was; a field without a control is left as it is, and
    // the editor shows its lines with LF.
    void idaEVolta() {
        Janela j;
        const TDocModeloTabela doc = Modelo();
        MostraCamposJanela(j.janela, kCamposModeloTabela, doc);
        QCOMPARE(j.descricao.nome->text(), QStringLiteral("Orders"));
        QCOMPARE(j.descricao.data->date(), QDate(2026, 3, 7));
        QCOMPARE(j.codigo->toPlainText(), QStringLiteral("class <tbname>\n{\n}"));
        QVERIFY(j.alias->isChecked());

        TDocModeloTabela lido;
        lido.parSufix = "kept";
        LeCamposJanela(j.janela, kCamposModeloTabela, lido);
        for (const std::string TDocModeloTabela::*membro :
             {&TDocModeloTabela::nome, &TDocModeloTabela::autor, &TDocModeloTabela::data,
              &TDocModeloTabela::comentario, &TDocModeloTabela::tablePrefix,
              &TDocModeloTabela::classeObjeto})
            QCOMPARE(lido.*membro, doc.*membro);
        QCOMPARE(lido.nomeArquivo, TNomeArquivoTabela::alias);
        QCOMPARE(lido.parSufix, std::string("kept"));
    }

    // The naming of per-table files: the box unchecked, checked or partly checked.
    void nomeArquivo() {
        Janela j;
        TDocModeloTabela doc = Modelo();
        for (const auto& [valor, estado] :
             {std::pair{TNomeArquivoTabela::aliasOuNomeCurto, Qt::PartiallyChecked},
              std::pair{TNomeArquivoTabela::nome, Qt::Unchecked},
              std::pair{TNomeArquivoTabela::alias, Qt::Checked}}) {
            doc.nomeArquivo = valor;
            MostraCamposJanela(j.janela, kCamposModeloTabela, doc);
            QCOMPARE(j.alias->checkState(), estado);
            TDocModeloTabela lido;
            LeCamposJanela(j.janela, kCamposModeloTabela, lido);
            QCOMPARE(lido.nomeArquivo, valor);
        }
    }

    // A key the window keeps to itself is neither shown nor read.
    void aParte() {
        Janela j;
        MostraCamposJanela(j.janela, kCamposModeloTabela, Modelo(), {chave::edit_tableprefix});
        QVERIFY(j.prefixo->text().isEmpty());
        j.prefixo->setText(QStringLiteral("W"));
        TDocModeloTabela lido;
        LeCamposJanela(j.janela, kCamposModeloTabela, lido, {chave::edit_tableprefix});
        QVERIFY(lido.tablePrefix.empty());
        QCOMPARE(lido.nome, std::string("Orders"));
    }

    // An empty date keeps the field's date; one that is not a date stops the walk there,
    // the fields before it shown, unless it is to be ignored.
    void datas() {
        Janela j;
        TDocModeloTabela doc = Modelo();
        doc.data.clear();
        MostraCamposJanela(j.janela, kCamposModeloTabela, doc);
        QCOMPARE(j.descricao.data->date(), QDate(2000, 1, 1));

        Janela k;
        doc.data = "soon";
        QVERIFY_THROWS_EXCEPTION(EConvertError,
                                 MostraCamposJanela(k.janela, kCamposModeloTabela, doc));
        QCOMPARE(k.descricao.autor->text(), QStringLiteral("Ana"));
        QVERIFY(k.descricao.comentario->toPlainText().isEmpty());

        MostraCamposJanela(k.janela, kCamposModeloTabela, doc, {}, TDataInvalida::Ignora);
        QCOMPARE(k.descricao.data->date(), QDate(2000, 1, 1));
        QCOMPARE(k.descricao.comentario->toPlainText(), QStringLiteral("first\nsecond"));
    }

    // An editable drop-down shows and gives its text; other controls are not walked.
    void controles() {
        QComboBox lista;
        lista.setEditable(true);
        QVERIFY(MostraNoControle(lista, std::string("main")));
        std::string valor;
        QVERIFY(LeControle(lista, valor));
        QCOMPARE(valor, std::string("main"));
        QGroupBox grupo;
        QVERIFY(!MostraNoControle(grupo, std::string("x")));
        QVERIFY(!LeControle(grupo, valor));
        bool marcado = false;
        QVERIFY(!LeControle(lista, marcado));
    }
};

QTEST_MAIN(TesteCamposJanela)
#include "TesteCamposJanela.moc"

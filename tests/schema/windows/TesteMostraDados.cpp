// The table data window: rows read-only, more rows fetched on scrolling, a table of a
// million rows opening at once, names quoted as the database quotes them (native SQLite
// and the SQLite ODBC driver), and failures shown.

#include "../Mapeamento.h"
#include "AmbienteUi.h"
#include "schema/windows/TFormMostraDados.h"
#include "ui/frame/Texto.h"

#include <QScrollBar>
#include <QTableView>
#include <QToolBar>

using namespace fendril;
using namespace fendril::teste;

namespace {

const char* const kDriverSQLite = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";

// Tables whose names need quoting, and a large one; built once for the program.
QString Banco() {
    static QTemporaryDir pasta;
    static const QString caminho = [] {
        const QString arquivo = pasta.filePath(QStringLiteral("dados.db"));
        CriaBanco(deQString(arquivo),
                  "CREATE TABLE \"order lines\" (id integer PRIMARY KEY, note text);"
                  "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000)"
                  " INSERT INTO \"order lines\" SELECT i, CASE WHEN i = 2 THEN NULL ELSE"
                  " 'note ' || i END FROM n;"
                  "CREATE TABLE \"it\"\"s\" (x integer); INSERT INTO \"it\"\"s\" VALUES (7);"
                  "CREATE TABLE vazia (x integer);"
                  "CREATE TABLE grande (id integer PRIMARY KEY, valor text);"
                  "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n"
                  " WHERE i < 1000000) INSERT INTO grande SELECT i, 'v' || i FROM n;");
        return arquivo;
    }();
    return caminho;
}

QString Nativa() {
    return QStringLiteral("Provider=SQLite;Data Source=") + Banco();
}
QString Odbc() {
    return QStringLiteral("Provider=MSDASQL;Driver=") + QString::fromUtf8(kDriverSQLite) +
           QStringLiteral(";Database=") + Banco();
}

struct Janela {
    Janela(const QString& conexao, const QString& tabela) {
        janela.stringConexao = conexao;
        janela.nomeBaseDados = QStringLiteral("main");
        janela.nomeTabela = tabela;
        janela.show();
    }
    QAbstractItemModel* modelo() const { return janela.grade()->model(); }
    QString celula(int linha, int coluna) const {
        return modelo()->index(linha, coluna).data().toString();
    }
    TFormMostraDados janela;
};

} // namespace

class TesteMostraDados : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(!Banco().isEmpty()); }

    // A name with a space and one with a quote inside, through both providers: the query
    // quotes them, the rows show read-only, Null as an empty cell.
    void mostraLinhasComNomesCitados_data() {
        QTest::addColumn<QString>("conexao");
        QTest::addColumn<QString>("tabela");
        QTest::addColumn<QString>("consulta");
        QTest::addColumn<QString>("primeira");
        QTest::newRow("native, space") << Nativa() << "order lines"
                                       << "select * from \"order lines\""
                                       << "note 1";
        QTest::newRow("ODBC, space") << Odbc() << "order lines"
                                     << "select * from \"order lines\""
                                     << "note 1";
        QTest::newRow("native, quote") << Nativa() << "it\"s"
                                       << "select * from \"it\"\"s\""
                                       << "7";
        QTest::newRow("ODBC, quote") << Odbc() << "it\"s"
                                     << "select * from \"it\"\"s\""
                                     << "7";
    }
    void mostraLinhasComNomesCitados() {
        QFETCH(QString, conexao);
        QFETCH(QString, tabela);
        QFETCH(QString, consulta);
        QFETCH(QString, primeira);
        Ambiente ambiente;
        Janela j(conexao, tabela);
        QCOMPARE(Dialogos::TomaMensagens(), QStringList());
        QCOMPARE(j.janela.consulta(), consulta);
        QCOMPARE(j.janela.windowTitle(), QStringLiteral("Data of Table \"%1\"").arg(tabela));
        QVERIFY(j.modelo());
        const int coluna = j.modelo()->columnCount() - 1;
        QCOMPARE(j.celula(0, coluna), primeira);
        QVERIFY(!(j.modelo()->flags(j.modelo()->index(0, 0)) & Qt::ItemIsEditable));
        if (tabela == QStringLiteral("order lines")) {
            QCOMPARE(j.modelo()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("note"));
            QVERIFY(j.modelo()->index(1, 1).data().isNull());
        }
    }

    // The grid holds a block of rows at first; scrolling to the end fetches the next ones
    // until the table ends. "Last" reaches the last row; moving down from it goes back to the
    // first row.
    void buscaMaisAoRolar() {
        Ambiente ambiente;
        Janela j(Nativa(), QStringLiteral("order lines"));
        const int primeiras = j.modelo()->rowCount();
        QVERIFY(primeiras > 0 && primeiras < 1000);
        QScrollBar* barra = j.janela.grade()->verticalScrollBar();
        barra->setValue(barra->maximum());
        QTRY_VERIFY(j.modelo()->rowCount() > primeiras);
        Acao(&j.janela, QStringLiteral("nav_ultimo"))->trigger();
        QCOMPARE(j.modelo()->rowCount(), 1000);
        QCOMPARE(j.janela.grade()->currentIndex().row(), 999);
        QVERIFY(!j.modelo()->canFetchMore(QModelIndex()));
        QTest::keyClick(j.janela.grade(), Qt::Key_Down);
        QCOMPARE(j.janela.grade()->currentIndex().row(), 0);
        QTest::keyClick(j.janela.grade(), Qt::Key_Down);
        QCOMPARE(j.janela.grade()->currentIndex().row(), 1);
    }

    // A table of a million rows opens on its first block of rows only, more left to fetch
    // (its time: bench/BenchJanelas.cpp).
    void tabelaGrandeAbreDeImediato() {
        Ambiente ambiente;
        Janela j(Nativa(), QStringLiteral("grande"));
        QVERIFY(j.modelo()->rowCount() < 1000);
        QVERIFY(j.modelo()->canFetchMore(QModelIndex()));
        QCOMPARE(j.celula(0, 1), QStringLiteral("v1"));
    }

    void tabelaVazia() {
        Ambiente ambiente;
        Janela j(Nativa(), QStringLiteral("vazia"));
        QCOMPARE(j.modelo()->rowCount(), 0);
        QCOMPARE(j.modelo()->columnCount(), 1);
        QVERIFY(!j.modelo()->canFetchMore(QModelIndex()));
        QTest::keyClick(j.janela.grade(), Qt::Key_Down);
        QCOMPARE(j.modelo()->rowCount(), 0);
        QVERIFY(!j.janela.grade()->currentIndex().isValid());
    }

    // A failing query or connection shows the provider's message and leaves the grid
    // empty; the window stays open.
    void falhaMostraOErro() {
        Ambiente ambiente;
        Janela j(Nativa(), QStringLiteral("missing"));
        QCOMPARE(Dialogos::TomaMensagens(), QStringList{"no such table: missing"});
        QVERIFY(!j.modelo());
        QVERIFY(j.janela.isVisible());

        Janela k(QStringLiteral("Provider=SQLite;Data Source=") +
                     ambiente.caminho(QStringLiteral("none.db")),
                 QStringLiteral("x"));
        const QStringList mensagens = Dialogos::TomaMensagens();
        QCOMPARE(mensagens.size(), 1);
        QVERIFY(mensagens.first().startsWith(QStringLiteral("unable to open database file")));
        QCOMPARE(k.janela.windowTitle(), QStringLiteral("Data"));
    }

    // A schema-qualified name in PostgreSQL: schema and table quoted apart.
    void postgreSQLComEsquema() {
        Ambiente ambiente;
        const QString porta = PortaPostgreSQL();
        QVERIFY2(!porta.isEmpty(), "run through ctest, which starts the PostgreSQL server");
        TFormMostraDados janela;
        janela.stringConexao = ConexaoPostgreSQL(porta);
        janela.usuario = QStringLiteral("fendril");
        janela.senha = QStringLiteral("fendril-secret");
        janela.nomeBaseDados = QStringLiteral("shop");
        janela.nomeTabela = QStringLiteral("public.customers");
        janela.show();
        QCOMPARE(Dialogos::TomaMensagens(), QStringList());
        QCOMPARE(janela.consulta(), QStringLiteral("select * from \"public\".\"customers\""));
        QVERIFY(janela.grade()->model()->rowCount() > 0);
        QCOMPARE(janela.grade()->model()->headerData(1, Qt::Horizontal).toString(),
                 QStringLiteral("name"));
    }

    // As the mapping window runs it: navigator hidden, modal run answered by the queued
    // action, the query closed on leaving.
    void executaSemNavegador() {
        Ambiente ambiente;
        TFormMostraDados janela;
        janela.stringConexao = Nativa();
        janela.nomeTabela = QStringLiteral("order lines");
        janela.setNavegadorVisivel(false);
        int linhas = -1;
        TFormMostraDados::ProximaAcao([&linhas](TFormMostraDados& j) {
            QVERIFY(!j.findChild<QToolBar*>(QStringLiteral("DBNavigator1"))->isVisible());
            linhas = j.grade()->model()->rowCount();
        });
        janela.Executa();
        QVERIFY(linhas > 0);
        QVERIFY(!janela.isVisible());
        QVERIFY(!janela.grade()->model());
    }
};

QTEST_MAIN(TesteMostraDados)
#include "TesteMostraDados.moc"

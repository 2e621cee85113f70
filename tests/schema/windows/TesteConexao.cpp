// The connection dialog: the strings each provider builds, the drivers and data sources
// offered, Test Connection, and OK and Cancel on the .udl file.

#include "../Mapeamento.h"
#include "AmbienteUi.h"
#include "schema/StringConexao.h"
#include "schema/windows/TFormConexao.h"
#include "ui/frame/Texto.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace fendril;
using namespace fendril::teste;

namespace {

struct Dialogo {
    explicit Dialogo(const QString& udl) : janela(nullptr, udl) { janela.show(); }
    void escolhe(const QString& item) {
        auto* provider = Controle<QComboBox>(&janela, QStringLiteral("combo_provider"));
        const int indice = provider->findText(item);
        QVERIFY2(indice >= 0, qPrintable(item));
        provider->setCurrentIndex(indice);
    }
    void escreve(const char* campo, const QString& texto) {
        auto* edit = Controle<QLineEdit>(&janela, QString::fromUtf8(campo));
        edit->clear();
        QTest::keyClicks(edit, texto);
    }
    QString mostrada() const {
        return Controle<QPlainTextEdit>(&janela, QStringLiteral("edit_string"))->toPlainText();
    }
    void clica(const char* botao) {
        Controle<QPushButton>(&janela, QString::fromUtf8(botao))->click();
    }
    TFormConexao janela;
};

QString LeUdl(const QString& caminho) {
    const QByteArray bytes = Conteudo(caminho);
    return paraQString(
        LeStringUdl(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

} // namespace

class TesteConexao : public QObject {
    Q_OBJECT
private slots:
    // The native SQLite provider takes a file chosen with the file dialog or typed.
    void stringSQLite() {
        Ambiente ambiente;
        Dialogo d(ambiente.caminho(QStringLiteral("a.udl")));
        d.escolhe(QStringLiteral("SQLite (native)"));
        QCOMPARE(d.mostrada(), QString());
        Dialogos::ProximosArquivos({QStringLiteral("/data/shop.db")});
        d.clica("but_arquivo");
        QCOMPARE(d.mostrada(), QStringLiteral("Provider=SQLite;Data Source=/data/shop.db"));
        QCOMPARE(d.janela.stringConexao(), d.mostrada());
        d.escreve("edit_arquivo", QStringLiteral("/data/my;shop.db"));
        QCOMPARE(d.mostrada(), QStringLiteral("Provider=SQLite;Data Source=\"/data/my;shop.db\""));
    }

    // Every installed driver is offered, with server, port and database; every data source
    // the driver manager knows; and a raw ODBC string.
    void stringsODBC() {
        Ambiente ambiente;
        const QString ini = ambiente.caminho(QStringLiteral("odbc.ini"));
        QFile arquivo(ini);
        QVERIFY(arquivo.open(QIODevice::WriteOnly));
        arquivo.write("[ShopDSN]\nDriver=SQLite3\nDatabase=/tmp/shop.db\n");
        arquivo.close();
        qputenv("ODBCINI", ini.toLocal8Bit());
        Dialogo d(ambiente.caminho(QStringLiteral("a.udl")));
        qunsetenv("ODBCINI");

        d.escolhe(QStringLiteral("ODBC Driver: PostgreSQL Unicode"));
        d.escreve("edit_servidor", QStringLiteral("db.local"));
        d.escreve("edit_porta", QStringLiteral("5432"));
        d.escreve("edit_basedados", QStringLiteral("shop"));
        QCOMPARE(d.mostrada(), QStringLiteral("Provider=MSDASQL;Driver={PostgreSQL Unicode};"
                                              "Server=db.local;Port=5432;Database=shop"));
        d.escolhe(QStringLiteral("ODBC Driver: SQLite3"));
        d.escreve("edit_servidor", QString());
        d.escreve("edit_porta", QString());
        QCOMPARE(d.mostrada(), QStringLiteral("Provider=MSDASQL;Driver={SQLite3};Database=shop"));

        d.escolhe(QStringLiteral("ODBC Data Source: ShopDSN"));
        QCOMPARE(d.mostrada(), QStringLiteral("Provider=MSDASQL;DSN=ShopDSN"));

        d.escolhe(QStringLiteral("ODBC Connection String"));
        d.escreve("edit_stringodbc", QStringLiteral("Driver={SQLite3};Database=x.db"));
        QCOMPARE(d.mostrada(), QStringLiteral("Provider=MSDASQL;Driver={SQLite3};Database=x.db"));
    }

    // Test Connection reports success, or the provider's message after the system's text.
    void testaConexao() {
        Ambiente ambiente;
        const QString banco = ambiente.caminho(QStringLiteral("shop.db"));
        CriaBanco(deQString(banco), "CREATE TABLE t (x integer);");
        Dialogo d(ambiente.caminho(QStringLiteral("a.udl")));
        d.escolhe(QStringLiteral("SQLite (native)"));
        d.escreve("edit_arquivo", banco);
        d.clica("but_testa");
        QCOMPARE(Dialogos::TomaMensagens(), QStringList{"Test Connection Succeeded !!"});

        d.escolhe(QStringLiteral("ODBC Driver: SQLite3"));
        d.escreve("edit_basedados", banco);
        d.clica("but_testa");
        QCOMPARE(Dialogos::TomaMensagens(), QStringList{"Test Connection Succeeded !!"});

        d.escolhe(QStringLiteral("SQLite (native)"));
        const QString falta = ambiente.caminho(QStringLiteral("none.db"));
        d.escreve("edit_arquivo", falta);
        d.clica("but_testa");
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{"Connection Could Not Be Opened !! System Message: unable to open "
                             "database file: " +
                             falta});
    }

    // OK writes the string after the marker line as the mapping window reads it; Cancel
    // leaves the file empty. A file that already holds a string opens with it.
    void okECancelar() {
        Ambiente ambiente;
        const QString udl = ambiente.caminho(QStringLiteral("a.udl"));
        QFile(udl).open(QIODevice::WriteOnly);
        {
            Dialogo d(udl);
            d.escolhe(QStringLiteral("SQLite (native)"));
            d.escreve("edit_arquivo", QStringLiteral("/data/shop.db"));
            d.clica("but_cancelar");
            QCOMPARE(Conteudo(udl), QByteArray());
        }
        {
            Dialogo d(udl);
            d.escolhe(QStringLiteral("SQLite (native)"));
            d.escreve("edit_arquivo", QStringLiteral("/data/shop.db"));
            d.clica("but_ok");
            QVERIFY(!d.janela.isVisible());
            QCOMPARE(LeUdl(udl), QStringLiteral("Provider=SQLite;Data Source=/data/shop.db"));
        }
        Dialogo d(udl);
        QCOMPARE(d.mostrada(), QStringLiteral("Provider=SQLite;Data Source=/data/shop.db"));
    }

    // The dialog opens on the string it is given: in its provider's fields where building
    // them back gives the same string, else as an ODBC string; OK without a change writes
    // the string exactly as it was.
    void abreNaStringAtual() {
        Ambiente ambiente;
        const QString udl = ambiente.caminho(QStringLiteral("a.udl"));
        struct Caso {
            QString texto;
            QString provider;
            const char* campo;
            QString valor;
        };
        const Caso casos[] = {
            {QStringLiteral("Provider=SQLite;Data Source=\"/data/my;shop.db\""),
             QStringLiteral("SQLite (native)"), "edit_arquivo", QStringLiteral("/data/my;shop.db")},
            {QStringLiteral("Provider=MSDASQL;Driver={PostgreSQL Unicode};Server=db.local;"
                            "Port=5432;Database=shop"),
             QStringLiteral("ODBC Driver: PostgreSQL Unicode"), "edit_servidor",
             QStringLiteral("db.local")},
            {QStringLiteral("Driver={PostgreSQL Unicode};Server=db.local"),
             QStringLiteral("ODBC Connection String"), "edit_stringodbc",
             QStringLiteral("Driver={PostgreSQL Unicode};Server=db.local")},
            {QStringLiteral("Provider=SQLite;Data Source=a.db;Timeout=5"),
             QStringLiteral("ODBC Connection String"), "edit_stringodbc",
             QStringLiteral("Provider=SQLite;Data Source=a.db;Timeout=5")},
        };
        for (const Caso& caso : casos) {
            QFile arquivo(udl);
            QVERIFY(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
            const std::string conteudo = EscreveUdl(deQString(caso.texto));
            arquivo.write(conteudo.data(), static_cast<qint64>(conteudo.size()));
            arquivo.close();
            Dialogo d(udl);
            QCOMPARE(
                Controle<QComboBox>(&d.janela, QStringLiteral("combo_provider"))->currentText(),
                caso.provider);
            QCOMPARE(Controle<QLineEdit>(&d.janela, QLatin1String(caso.campo))->text(), caso.valor);
            d.clica("but_ok");
            QCOMPARE(LeUdl(udl), caso.texto);
        }
    }

    // The mapping window's path in answering mode: the answer is the string; a cancel
    // gives the current string back, and the file is deleted either way.
    void getConnectionStringRespondido() {
        Ambiente ambiente;
        const QString base = ambiente.caminho(QStringLiteral("noname.kmf"));
        Dialogos::ProximoTexto(QStringLiteral("Provider=SQLite;Data Source=x.db"));
        QCOMPARE(getConnectionString(nullptr, base),
                 QStringLiteral("Provider=SQLite;Data Source=x.db"));
        QCOMPARE(getConnectionString(nullptr, base), QString());
        QCOMPARE(
            getConnectionString(nullptr, base, QStringLiteral("Provider=SQLite;Data Source=y")),
            QStringLiteral("Provider=SQLite;Data Source=y"));
        QVERIFY(!QFile::exists(base + QStringLiteral(".udl")));
    }
};

QTEST_MAIN(TesteConexao)
#include "TesteConexao.moc"

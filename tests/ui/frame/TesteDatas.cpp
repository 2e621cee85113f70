// Dates as documents keep them.

#include "model/Erros.h"
#include "ui/frame/Datas.h"

#include <QLocale>
#include <QTest>

using namespace fendril;

class TesteDatas : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // A date written this year reads back this year, in every form a document may hold.
    void leituras_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QDate>("data");
        const int ano = QDate::currentDate().year();
        QTest::newRow("four-digit year") << EscreveDataCurta(QDate(ano, 3, 4)) << QDate(ano, 3, 4);
        QTest::newRow("far past") << EscreveDataCurta(QDate(1926, 3, 4)) << QDate(1926, 3, 4);
        QTest::newRow("two-digit year of an older document")
            << QStringLiteral("3/4/%1").arg(ano % 100, 2, 10, QLatin1Char('0')) << QDate(ano, 3, 4);
        QTest::newRow("ISO date") << QStringLiteral("2026-12-10") << QDate(2026, 12, 10);
        QTest::newRow("no date") << QStringLiteral("  ") << QDate();
    }
    void leituras() {
        QFETCH(QString, texto);
        QFETCH(QDate, data);
        QCOMPARE(LeDataCurta(texto), data);
    }

    void textoQueNaoEhData() {
        try {
            LeDataCurta(QStringLiteral("soon"));
            QFAIL("no failure");
        } catch (const EConvertError& erro) {
            QCOMPARE(QString::fromUtf8(erro.what()), QStringLiteral("'soon' is not a valid date"));
        }
    }
};

QTEST_MAIN(TesteDatas)
#include "TesteDatas.moc"

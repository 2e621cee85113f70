#include "AmbienteUi.h"

using namespace fendril;
using namespace fendril::teste;

class TesteMostraDados : public QObject {
    Q_OBJECT
private slots:
};

QTEST_MAIN(TesteMostraDados)
#include "TesteMostraDados.moc"

#include "AmbienteUi.h"

using namespace fendril;
using namespace fendril::teste;

class TesteMostraTabelas : public QObject {
    Q_OBJECT
private slots:
};

QTEST_MAIN(TesteMostraTabelas)
#include "TesteMostraTabelas.moc"

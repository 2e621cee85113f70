#include "AmbienteUi.h"

using namespace fendril;
using namespace fendril::teste;

class TesteFilha : public QObject {
    Q_OBJECT
private slots:
};

QTEST_MAIN(TesteFilha)
#include "TesteFilha.moc"

#include "AmbienteUi.h"

using namespace fendril;
using namespace fendril::teste;

class TesteFilhaModelo : public QObject {
    Q_OBJECT
private slots:
};

QTEST_MAIN(TesteFilhaModelo)
#include "TesteFilhaModelo.moc"

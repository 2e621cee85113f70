#include "AmbienteUi.h"

using namespace fendril;
using namespace fendril::teste;

class TesteCarregaTipos : public QObject {
    Q_OBJECT
private slots:
};

QTEST_MAIN(TesteCarregaTipos)
#include "TesteCarregaTipos.moc"

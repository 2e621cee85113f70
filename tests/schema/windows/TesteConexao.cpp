#include "AmbienteUi.h"

using namespace fendril;
using namespace fendril::teste;

class TesteConexao : public QObject {
    Q_OBJECT
private slots:
};

QTEST_MAIN(TesteConexao)
#include "TesteConexao.moc"

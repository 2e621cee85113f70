#include "AmbienteUi.h"

using namespace fendril;
using namespace fendril::teste;

class TesteGeracao : public QObject {
    Q_OBJECT
private slots:
};

QTEST_MAIN(TesteGeracao)
#include "TesteGeracao.moc"

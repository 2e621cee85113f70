#include "AmbienteUi.h"

using namespace fendril;
using namespace fendril::teste;

class TesteEvolucaoGeracao : public QObject {
    Q_OBJECT
private slots:
};

QTEST_MAIN(TesteEvolucaoGeracao)
#include "TesteEvolucaoGeracao.moc"

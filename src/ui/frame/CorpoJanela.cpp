#include "ui/frame/CorpoJanela.h"

#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace fendril {

TCorpoJanela CriaCorpoJanela(QWidget* janela) {
    TCorpoJanela corpo;
    corpo.corpo = new QWidget(janela);
    corpo.layout = new QVBoxLayout(corpo.corpo);
    corpo.layout->setContentsMargins(0, 0, 0, 0);
    corpo.layout->setSpacing(0);
    corpo.pcontrol = new QTabWidget(corpo.corpo);
    corpo.pcontrol->setObjectName(QStringLiteral("pcontrol"));
    corpo.layout->addWidget(corpo.pcontrol, 1);
    return corpo;
}

QWidget* NovaPagina(QTabWidget* pcontrol, const QString& nome) {
    auto* pagina = new QWidget(pcontrol);
    pagina->setObjectName(nome);
    return pagina;
}

QStatusBar* CriaBarraEstado(const TCorpoJanela& corpo) {
    auto* barra = new QStatusBar(corpo.corpo);
    barra->setObjectName(QStringLiteral("barra"));
    barra->setSizeGripEnabled(false);
    corpo.layout->addWidget(barra);
    return barra;
}

} // namespace fendril

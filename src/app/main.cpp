// The desktop program: the application object, the main window maximised with the
// documents named on the command line open, the event loop.

#include "ui/Aplicacao.h"
#include "ui/frame/TFormTelaPrincipal.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QScreen>

int main(int argc, char* argv[]) {
    QApplication aplicacao(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fendril"));
    QApplication::setApplicationDisplayName(QStringLiteral("Fendril"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/fendril.png")));
    fendril::IniciaAplicacao();
    fendril::TFormTelaPrincipal principal;
    // Without a window manager (a bare X server) maximising does nothing; the screen's
    // free area is then the size.
    principal.setGeometry(QApplication::primaryScreen()->availableGeometry());
    principal.showMaximized();
    QStringList documentos;
    for (const QString& argumento : QApplication::arguments().mid(1))
        documentos.append(QFileInfo(argumento).absoluteFilePath());
    if (!documentos.isEmpty())
        principal.AbreArquivo(documentos);
    return QApplication::exec();
}

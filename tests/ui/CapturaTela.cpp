// Not a test: draws the main window with two tiled general template windows (the second
// with tag highlighting on) into a PNG file, for the README's screenshot.
//   CapturaTela OUT.png

#include "ui/Aplicacao.h"
#include "ui/TFormModeloGeral.h"
#include "ui/frame/TFormTelaPrincipal.h"

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTreeWidget>

using namespace fendril;

int main(int argc, char* argv[]) {
    QApplication aplicacao(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/fendril.png")));
    IniciaAplicacao();
    TFormTelaPrincipal principal;
    principal.resize(1280, 800);
    principal.show();
    QCoreApplication::processEvents();

    const QString texto = QStringLiteral("// Data access objects of <dbname>\n"
                                         "<rctable>\n"
                                         "public class <tbalias>Dao extends <parentclass> {\n"
                                         "<simplecol>\n"
                                         "    private <colvartype> <colname> = <colinivar>;\n"
                                         "</simplecol>\n"
                                         "<prkcol>\n"
                                         "    public <colvartype> find(<colvartype> <colname>) { "
                                         "return load(\"<tbname>\", <colname>); }\n"
                                         "</prkcol>\n"
                                         "<frkcol>\n"
                                         "    // <colname> refers to <frktbname>.<frkcolname>\n"
                                         "</frkcol>\n"
                                         "}\n"
                                         "</rctable>\n");
    for (int i = 0; i < 2; ++i) {
        auto* janela =
            qobject_cast<TFormModeloGeral*>(principal.NovoDocumento(QStringLiteral("tpg")));
        janela->findChild<QPlainTextEdit*>(QStringLiteral("re_classeobjeto"))->setPlainText(texto);
        if (i == 1) {
            if (principal.ItemMarcado(QStringLiteral("HideCodeToolBar2")))
                principal.AlternaItemVista(QStringLiteral("HideCodeToolBar2"));
            janela->findChild<QAction*>(QStringLiteral("but_realce"))->trigger();
            janela->but_mostratagsClick();
            janela->setNomeArq(QStringLiteral("dao.tpg"));
        } else {
            janela->setNomeArq(QStringLiteral("schema.tpg"));
        }
    }
    principal.findChild<QAction*>(QStringLiteral("Tile1"))->trigger();
    // A third argument "settings" shows the first window's Settings page instead.
    if (argc > 2 && QString::fromLocal8Bit(argv[2]) == QStringLiteral("settings"))
        principal.filhas()
            .front()
            ->findChild<QTabWidget*>(QStringLiteral("pcontrol"))
            ->setCurrentIndex(1);
    QCoreApplication::processEvents();
    const QString saida =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("fendril.png");
    return principal.grab().save(saida) ? 0 : 1;
}

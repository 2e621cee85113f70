// The log viewer, the about box and the help window.

#include "AmbienteUi.h"
#include "model/ArquivoTexto.h"
#include "ui/frame/TFormAbout.h"
#include "ui/frame/TFormAjuda.h"
#include "ui/frame/TFormMostraLog.h"
#include "ui/frame/Texto.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>

using namespace fendril;
using namespace fendril::teste;

class TesteLogSobre : public QObject {
    Q_OBJECT
private slots:
    // Before any log was written the viewer is empty and captioned "Log"; later it shows
    // the file's lines.
    void visorDeLog() {
        Ambiente ambiente;
        TFormMostraLog visor;
        visor.caminhoLog = ambiente.caminho(QStringLiteral("Fendrillog.txt"));
        visor.FormShow();
        QCOMPARE(visor.windowTitle(), QStringLiteral("Log"));
        QVERIFY(visor.memo()->toPlainText().isEmpty());
        QVERIFY(visor.memo()->isReadOnly());
        GravaLinhasTexto(deQString(visor.caminhoLog), {"[1;2]: one", "[3;4]: two"});
        TFormMostraLog outro;
        outro.caminhoLog = visor.caminhoLog;
        outro.FormShow();
        QCOMPARE(outro.memo()->toPlainText(), QStringLiteral("[1;2]: one\n[3;4]: two"));
    }

    void sobre() {
        Ambiente ambiente;
        TFormAbout sobre;
        QCOMPARE(sobre.windowTitle(), QStringLiteral("About..."));
        QCOMPARE(sobre.findChild<QLabel*>(QStringLiteral("ProductName"))->text(),
                 QStringLiteral("Fendril"));
        QVERIFY(sobre.findChild<QLabel*>(QStringLiteral("ProductName"))->font().bold());
        QCOMPARE(sobre.findChild<QLabel*>(QStringLiteral("Version"))->text(),
                 QStringLiteral("v1.0"));
        // What the program is, its version and the Qt version, the licence, the help.
        const QString descricao = sobre.findChild<QLabel*>(QStringLiteral("Descricao"))->text();
        QVERIFY(descricao.contains(QStringLiteral("code generator")));
        QVERIFY(descricao.contains(QStringLiteral("1.0.0")));
        QVERIFY(descricao.contains(QStringLiteral("Qt ") + QString::fromLatin1(qVersion())));
        QVERIFY(descricao.contains(QStringLiteral("MIT")));
        bool ajuda = false;
        connect(&sobre, &TFormAbout::pedeAjuda, &sobre, [&ajuda] { ajuda = true; });
        emit sobre.findChild<QLabel*>(QStringLiteral("Descricao"))
            ->linkActivated(QStringLiteral("ajuda"));
        QVERIFY(ajuda);
        sobre.show();
        sobre.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        QCOMPARE(sobre.result(), int(QDialog::Accepted));
        QVERIFY(!sobre.isVisible());
    }

    // "Contents" without the help file says so; with it, the guide is shown.
    void ajuda() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        Acao(principal.get(), QStringLiteral("Contents1"))->trigger();
        const QStringList mensagens = Dialogos::TomaMensagens();
        QCOMPARE(mensagens.size(), 1);
        QCOMPARE(Dialogos::TomaIcones(), QList<QMessageBox::Icon>{QMessageBox::Critical});
        QVERIFY(mensagens.first().contains(QStringLiteral("fendril.html")));
        GravaLinhasTexto(deQString(ambiente.caminho(QStringLiteral("fendril.html"))),
                         {"<html><body><h1>Fendril User Guide</h1></body></html>"});
        Acao(principal.get(), QStringLiteral("but_ajuda"))->trigger();
        auto* janela = principal->findChild<TFormAjuda*>();
        QVERIFY(janela);
        QVERIFY(janela->navegador()->toPlainText().contains(QStringLiteral("Fendril User Guide")));
        janela->close();
    }
};

QTEST_MAIN(TesteLogSobre)
#include "TesteLogSobre.moc"

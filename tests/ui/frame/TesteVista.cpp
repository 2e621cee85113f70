// The view settings: the start state, the twins, the settings file round trip, Restore
// Default and the band positions.

#include "AmbienteUi.h"
#include "documents/TArquivoKMF.h"
#include "ui/TFormModeloGeral.h"
#include "ui/frame/Texto.h"

#include <QFileInfo>
#include <QTabWidget>
#include <QToolBar>

using namespace fendril;
using namespace fendril::teste;

namespace {

const QStringList itens = {QStringLiteral("HideToolTab1"),
                           QStringLiteral("HideToolsTab1"),
                           QStringLiteral("HideCodeToolBar1"),
                           QStringLiteral("HideTypesToolBar1"),
                           QStringLiteral("HideCodeToolBar2"),
                           QStringLiteral("OcultarGuiadeFerramentas1"),
                           QStringLiteral("OcultarGuiasdeFerramentas1"),
                           QStringLiteral("MostrarBarradeFerramentasemTabelaseColunas1"),
                           QStringLiteral("HideToolTab2"),
                           QStringLiteral("HideGenerationToolBar1"),
                           QStringLiteral("HidePreview1"),
                           QStringLiteral("HidePreview2")};

// The marks of the twelve items in the file's order.
QList<bool> Marcas(const TFormTelaPrincipal& principal) {
    QList<bool> marcas;
    for (const QString& item : itens)
        marcas.append(principal.ItemMarcado(item));
    return marcas;
}

int IndiceGuia(QTabWidget* guias, const QString& titulo) {
    for (int i = 0; i < guias->count(); ++i)
        if (guias->tabText(i) == titulo)
            return i;
    return -1;
}

} // namespace

class TesteVista : public QObject {
    Q_OBJECT
private slots:
    // Without a settings file: the start marks: every tool tab, both code tool bars and both
    // previews shown, the other tool bars hidden.
    void inicio() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        QCOMPARE(Marcas(*principal), (QList<bool>{false, false, false, true, false, false, false,
                                                  true, false, true, false, false}));
        QTabWidget* guias = principal->guias();
        QVERIFY(guias->isTabVisible(IndiceGuia(guias, QStringLiteral("General Template"))));
        QVERIFY(guias->isTabVisible(IndiceGuia(guias, QStringLiteral("Mapping"))));
        QCOMPARE(guias->currentIndex(), 0);
    }

    // A pop-up twin and its "Windows" item show the same mark; Save Settings stores it.
    void gemeos() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        Acao(principal.get(), QStringLiteral("HideToolTab6"))->trigger();
        QVERIFY(Acao(principal.get(), QStringLiteral("HideToolTab2"))->isChecked());
        QTabWidget* guias = principal->guias();
        QVERIFY(!guias->isTabVisible(IndiceGuia(guias, QStringLiteral("Generation"))));
        Acao(principal.get(), QStringLiteral("HideToolTabs1"))->trigger();
        QVERIFY(Acao(principal.get(), QStringLiteral("OcultarGuiasdeFerramentas1"))->isChecked());
        QVERIFY(principal->banda(QStringLiteral("guias"))->isHidden());
        Acao(principal.get(), QStringLiteral("SaveSettings1"))->trigger();
        TArquivoKMF documento;
        documento.Abre(deQString(ambiente.caminho(QStringLiteral("Fendrilini.cfg"))));
        QCOMPARE(documento.LeSecao("menus", "HideToolTab2", false), TListaTextos{"0"});
        QCOMPARE(documento.LeSecao("menus", "HideToolsTab1", false), TListaTextos{"1"});
        QCOMPARE(documento.LeSecao("menus", "OcultarGuiasdeFerramentas1", false),
                 TListaTextos{"0"});
    }

    // The file holds the 18 entries in order; a later start reads them back.
    void idaEVolta() {
        Ambiente ambiente;
        QList<bool> marcas;
        QStringList ordemBandas;
        {
            auto principal = NovaPrincipal();
            Acao(principal.get(), QStringLiteral("HideToolTab1"))->trigger();
            Acao(principal.get(), QStringLiteral("HideCodeToolBar1"))->trigger();
            Acao(principal.get(), QStringLiteral("HideToolsTab1"))->trigger();
            marcas = Marcas(*principal);
            principal->SalvaSettings();
        }
        TArquivoKMF documento;
        documento.Abre(deQString(ambiente.caminho(QStringLiteral("Fendrilini.cfg"))));
        QVERIFY(documento.cabecalho.empty());
        QCOMPARE(documento.getLinhas().size(), 18u);
        QStringList chaves;
        for (const std::string& linha : documento.getLinhas())
            chaves.append(paraQString(linha).section(QStringLiteral("||"), 1, 1));
        const QStringList bandas = {QStringLiteral("ToolBar3"), QStringLiteral("ToolBar3top"),
                                    QStringLiteral("ToolBar2"), QStringLiteral("ToolBar2top"),
                                    QStringLiteral("guias"),    QStringLiteral("guiastop")};
        QCOMPARE(chaves, itens + bandas);
        QCOMPARE(documento.LeSecao("menus", "HideToolTab1", false), TListaTextos{"0"});

        auto segunda = NovaPrincipal();
        QCOMPARE(Marcas(*segunda), marcas);
        QTabWidget* guias = segunda->guias();
        QVERIFY(!guias->isTabVisible(IndiceGuia(guias, QStringLiteral("General Template"))));
        QVERIFY(!guias->isTabVisible(IndiceGuia(guias, QStringLiteral("Fendril Template"))));
    }

    // A settings file that shows the general template's code tool bar: a window opened
    // afterwards shows it.
    void barraPeloArquivo() {
        Ambiente ambiente;
        TArquivoKMF documento;
        documento.AdicionaEntrada("menus", "HideCodeToolBar2", "1");
        documento.AdicionaEntrada("menus", "HideCodeToolBar1", "0");
        documento.Salva(deQString(ambiente.caminho(QStringLiteral("Fendrilini.cfg"))));
        auto principal = NovaPrincipal();
        QVERIFY(!principal->ItemMarcado(QStringLiteral("HideCodeToolBar2")));
        QVERIFY(principal->ItemMarcado(QStringLiteral("HideCodeToolBar1")));
        // Entries the file lacks keep their start marks.
        QVERIFY(principal->ItemMarcado(QStringLiteral("HideTypesToolBar1")));
        TJanelaFilha* janela = principal->NovoDocumento(QStringLiteral("tpg"));
        QVERIFY(!janela->findChild<QToolBar*>(QStringLiteral("cb_code"))->isHidden());
    }

    // Restore Default: every mark as at start, the bands where they stood, nothing written.
    void restaurarPadrao() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        const QList<bool> inicio = Marcas(*principal);
        QCoreApplication::processEvents();
        const QPoint posicao = principal->banda(QStringLiteral("ToolBar2"))->pos();
        for (const QString& item : itens)
            principal->AlternaItemVista(item);
        QCoreApplication::processEvents();
        Acao(principal.get(), QStringLiteral("RestoreDefault1"))->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(Marcas(*principal), inicio);
        QCOMPARE(principal->banda(QStringLiteral("ToolBar2"))->pos(), posicao);
        QVERIFY(!QFileInfo::exists(ambiente.caminho(QStringLiteral("Fendrilini.cfg"))));
    }

    // The band positions: saved as they are, and a stored arrangement puts the bands back
    // in that order (here ToolBar2 first, then ToolBar3, the tabs on a row below).
    void posicoesDasBandas() {
        Ambiente ambiente;
        {
            auto principal = NovaPrincipal();
            principal->SalvaSettings();
            TArquivoKMF documento;
            documento.Abre(deQString(ambiente.caminho(QStringLiteral("Fendrilini.cfg"))));
            QToolBar* barra3 = principal->banda(QStringLiteral("ToolBar3"));
            QCOMPARE(documento.LeSecao("menus", "ToolBar3", false),
                     TListaTextos{std::to_string(barra3->x())});
            QCOMPARE(documento.LeSecao("menus", "ToolBar3top", false),
                     TListaTextos{std::to_string(barra3->y())});
        }
        TArquivoKMF documento;
        for (const QString& item : itens)
            documento.AdicionaEntrada("menus", deQString(item), "1");
        documento.AdicionaEntrada("menus", "ToolBar3", "300");
        documento.AdicionaEntrada("menus", "ToolBar3top", "0");
        documento.AdicionaEntrada("menus", "ToolBar2", "0");
        documento.AdicionaEntrada("menus", "ToolBar2top", "0");
        documento.AdicionaEntrada("menus", "guias", "0");
        documento.AdicionaEntrada("menus", "guiastop", "40");
        documento.Salva(deQString(ambiente.caminho(QStringLiteral("Fendrilini.cfg"))));
        auto principal = NovaPrincipal();
        QCoreApplication::processEvents();
        QToolBar* barra3 = principal->banda(QStringLiteral("ToolBar3"));
        QToolBar* barra2 = principal->banda(QStringLiteral("ToolBar2"));
        QToolBar* guias = principal->banda(QStringLiteral("guias"));
        QVERIFY(barra2->x() < barra3->x());
        QCOMPARE(barra2->y(), barra3->y());
        QVERIFY(guias->y() > barra3->y());
        QVERIFY(!guias->isHidden());
    }
};

QTEST_MAIN(TesteVista)
#include "TesteVista.moc"

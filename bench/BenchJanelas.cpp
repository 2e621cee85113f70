// The windows on large inputs, on the offscreen platform: filling the mapping tree of
// 2,000 tables of 15 columns, Refresh Highlighting over a 5,000-line template in both
// template windows and typing into it, the preview of a 5,000-line template, mounting a
// 20,000-entry directory tree in the generation window, and opening a table of a million rows.
#include "AmbienteUi.h"
#include "AuxiliaresEditor.h"
#include "JanelaFilha.h"
#include "ModeloPrevia.h"
#include "documents/DocumentoMapeamento.h"
#include "generation/windows/TFormGeracao.h"
#include "model/TControlaColunas.h"
#include "schema/windows/TFormMostraDados.h"
#include "support/BancoSQLite.h"
#include "ui/PainelPrevia.h"
#include "ui/TFormFilha.h"
#include "ui/TFormFilhaModelo.h"
#include "ui/TFormModeloGeral.h"
#include "ui/frame/Texto.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

using namespace fendril;
using namespace fendril::teste;

// Fails the benchmark when a set-up step or a result is not what the window should give.
void Exige(benchmark::State& estado, bool condicao, const char* mensagem) {
    if (!condicao)
        estado.SkipWithError(mensagem);
}

// 5,000 lines full of tags, as the template tests use.
QString TextoGrande(const QString& linha) {
    QStringList linhas;
    for (int i = 0; i < 5000; ++i)
        linhas.append(linha.arg(i));
    return linhas.join(QLatin1Char('\n'));
}

void ArvoreMapeamento(benchmark::State& estado) {
    Ambiente ambiente;
    auto principal = NovaPrincipal();
    auto* janela = NovaJanelaDe<TFormFilha>(*principal, QStringLiteral("kmf"));
    AbreMapeamentoGrande(janela, 2000, 15);
    for (auto _ : estado)
        janela->PreencheArvore();
    Exige(estado, janela->arvore()->topLevelItemCount() == 2000, "the tree lost tables");
}
BENCHMARK(ArvoreMapeamento)
    ->Name("mapping/fill_tree_2000x15")
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

void RealceModeloGeral(benchmark::State& estado) {
    Ambiente ambiente;
    auto principal = NovaPrincipal();
    auto* janela = NovaJanelaDe<TFormModeloGeral>(*principal, QStringLiteral("tpg"));
    Editor(janela, "re_classeobjeto")
        ->setPlainText(TextoGrande(QStringLiteral("    public <colvartype> <colname>; // "
                                                  "<simplecol> %1")));
    Controle<QAction>(janela, QStringLiteral("but_realce"))->trigger();
    for (auto _ : estado)
        Controle<QAction>(janela, QStringLiteral("but_refresh"))->trigger();
    Exige(estado, janela->textoPainel(2).isEmpty(), "the progress stayed in the status bar");
}
BENCHMARK(RealceModeloGeral)
    ->Name("general_template/refresh_highlighting_5000_lines")
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

// Nine characters typed, key by key, at the end of a highlighted 5,000-line template, with
// the preview shown (argument 1) or hidden (0): typing only restarts the preview's pause.
void DigitaModeloGeral(benchmark::State& estado) {
    Ambiente ambiente;
    auto principal = NovaPrincipal();
    if (estado.range(0) == 0)
        principal->AlternaItemVista(QStringLiteral("HidePreview2"));
    auto* janela = NovaJanelaDe<TFormModeloGeral>(*principal, QStringLiteral("tpg"));
    auto* editor = Editor(janela, "re_classeobjeto");
    editor->setPlainText(
        TextoGrande(QStringLiteral("    public <colvartype> <colname>; // <simplecol> %1")));
    Controle<QAction>(janela, QStringLiteral("but_realce"))->trigger();
    Controle<QAction>(janela, QStringLiteral("but_refresh"))->trigger();
    editor->moveCursor(QTextCursor::End);
    for (auto _ : estado)
        QTest::keyClicks(editor, QStringLiteral(" <tbname>"));
}
BENCHMARK(DigitaModeloGeral)
    ->Name("general_template/type_9_keys_5000_lines")
    ->ArgName("preview")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

void RealceModeloTabela(benchmark::State& estado) {
    Ambiente ambiente;
    auto principal = NovaPrincipal();
    auto* janela = NovaJanelaDe<TFormFilhaModelo>(*principal, QStringLiteral("tpt"));
    janela->showMaximized();
    Controle<QTabWidget>(janela, QStringLiteral("pcontrolprincipal"))->setCurrentIndex(1);
    Editor(janela, "re_classeobjeto")
        ->setPlainText(
            TextoGrande(QStringLiteral("    <colvartype> <colname>; // <simplecol> %1")));
    QCoreApplication::processEvents();
    Controle<QAction>(janela, QStringLiteral("but_realce"))->trigger();
    for (auto _ : estado)
        Controle<QAction>(janela, QStringLiteral("but_refresh"))->trigger();
    Exige(estado, janela->textoPainel(0, 2).isEmpty(), "the progress stayed in the status bar");
}
BENCHMARK(RealceModeloTabela)
    ->Name("table_template/refresh_highlighting_5000_lines")
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

// The preview of one table of 30 columns from a 5,000-line table-class template: the whole
// render as the pause in typing runs it (the document taken from the window, the engine,
// the pane's texts). The mapping is loaded once, before the timing.
void PreviaModeloTabela(benchmark::State& estado) {
    Ambiente ambiente;
    const QString caminhoMapa = ambiente.caminho(QStringLiteral("bench.kmf"));
    bench::MapaDeUmaTabela().Salva(deQString(caminhoMapa));

    auto principal = NovaPrincipal();
    auto* janela = NovaJanelaDe<TFormFilhaModelo>(*principal, QStringLiteral("tpt"));
    janela->showMaximized();
    Controle<QTabWidget>(janela, QStringLiteral("pcontrolprincipal"))->setCurrentIndex(1);
    Digita(janela, "edit_tableextension", QStringLiteral("h"));
    QStringList linhas;
    for (const std::string& linha : bench::LinhasDoModelo())
        linhas.append(QString::fromStdString(linha));
    Editor(janela, "re_classeobjeto")->setPlainText(linhas.join(QLatin1Char('\n')));
    Controle<QComboBox>(janela, QStringLiteral("cb_previa_mapa"))->setEditText(caminhoMapa);
    TPainelPrevia* painel = janela->painelPrevia();
    QCoreApplication::processEvents();
    painel->Atualiza();
    for (auto _ : estado)
        painel->Atualiza();
    Exige(estado, painel->previa().gerado && painel->carregamentos() == 1,
          "the preview did not render the table");
}
BENCHMARK(PreviaModeloTabela)
    ->Name("table_template/preview_1x30_5000_lines")
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

// 200 directories of 99 files, in memory when the system offers it.
void MontaArvoreGeracao(benchmark::State& estado) {
    Ambiente ambiente;
    const auto temporaria = PastaParaMuitosArquivos(ambiente);
    const QString raiz = temporaria->filePath(QStringLiteral("big"));
    if (!CriaArvoreDeArquivos(raiz, 200, 99)) {
        estado.SkipWithError("cannot write the directory tree");
        return;
    }
    auto principal = NovaPrincipal();
    for (auto _ : estado) {
        estado.PauseTiming();
        auto* janela = NovaJanelaDe<TFormGeracao>(*principal, QStringLiteral("kgf"));
        Dialogos::ProximosArquivos({raiz});
        estado.ResumeTiming();
        janela->NewRootDirectory1Click();
        estado.PauseTiming();
        const int entradas = janela->raiz() ? janela->raiz()->childCount() : 0;
        delete janela;
        QCoreApplication::processEvents();
        estado.ResumeTiming();
        Exige(estado, entradas == 200, "the root lost directories");
    }
}
BENCHMARK(MontaArvoreGeracao)
    ->Name("generation/mount_20000_entries")
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// Opening the data window on a table of a million rows: the first block of rows only.
void AbreTabelaGrande(benchmark::State& estado) {
    Ambiente ambiente;
    const QString banco = ambiente.caminho(QStringLiteral("grande.db"));
    try {
        CriaBanco(deQString(banco),
                  "CREATE TABLE grande (id integer PRIMARY KEY, valor text);"
                  "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n"
                  " WHERE i < 1000000) INSERT INTO grande SELECT i, 'v' || i FROM n;");
    } catch (const std::exception& erro) {
        estado.SkipWithError(erro.what());
        return;
    }
    for (auto _ : estado) {
        auto janela = std::make_unique<TFormMostraDados>();
        janela->stringConexao = QStringLiteral("Provider=SQLite;Data Source=") + banco;
        janela->nomeBaseDados = QStringLiteral("main");
        janela->nomeTabela = QStringLiteral("grande");
        janela->show();
        estado.PauseTiming();
        const bool parcial = janela->grade()->model() &&
                             janela->grade()->model()->rowCount() < 1000 &&
                             janela->grade()->model()->canFetchMore(QModelIndex());
        janela.reset();
        estado.ResumeTiming();
        Exige(estado, parcial, "the window did not open on the first block of rows");
    }
}
BENCHMARK(AbreTabelaGrande)
    ->Name("table_data/open_1000000_rows")
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacao(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

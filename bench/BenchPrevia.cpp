// The preview of a template in the core: one table of 30 columns from a 5,000-line
// table-class template, through TProcessaGeracao::Previa (names, types, the engine, the
// file's content), the mapping loaded once.
#include "ModeloPrevia.h"
#include "documents/TDocModelos.h"
#include "generation/TProcessaGeracao.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace fendril;

void PreviaTabela(benchmark::State& estado) {
    const std::filesystem::path mapa =
        std::filesystem::temp_directory_path() /
        ("fendril-bench-previa-" + std::to_string(::getpid()) + ".kmf");
    bench::MapaDeUmaTabela().Salva(mapa.string());

    TDocModeloTabela modelo;
    modelo.autor = "bench";
    modelo.tableExtension = "h";
    for (const std::string& linha : bench::LinhasDoModelo()) {
        if (!modelo.classeObjeto.empty())
            modelo.classeObjeto += "\r\n";
        modelo.classeObjeto += linha;
    }
    modelo.tipos = {{"integer", "int", "0"}, {"varchar", "std::string", "\"\""}};
    const TArquivoKMF documento = modelo.getArquivo();

    TProcessaGeracao run;
    run.caminhoMapeamento = mapa.string();
    if (!run.Prepara()) {
        estado.SkipWithError(run.erroMapeamento().c_str());
        return;
    }
    TPrevia previa;
    for (auto _ : estado)
        previa = run.Previa(documento, {}, false, "orders", TPaginaPrevia::Classe);
    if (!previa.gerado)
        estado.SkipWithError(previa.erro.c_str());
    std::filesystem::remove(mapa);
}
BENCHMARK(PreviaTabela)
    ->Name("preview/table_class_1x30_5000_lines")
    ->Iterations(50)
    ->Unit(benchmark::kMillisecond);

} // namespace

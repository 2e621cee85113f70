// The preview of a template in the core: one table of 30 columns from a 5,000-line
// table-class template, through TProcessaGeracao::Previa (names, types, the engine, the
// file's content), the mapping loaded once.
#include "documents/TDocModelos.h"
#include "generation/TProcessaGeracao.h"
#include "model/TColuna.h"

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
    TArquivoKMF documentoMapa;
    documentoMapa.cabecalho = "bench";
    documentoMapa.AdicionaEntrada("descricao", "combo_basedados", "bench");
    for (int c = 0; c < 30; ++c) {
        TColuna coluna;
        coluna.nome = "col" + std::to_string(c);
        coluna.setChavePrimaria(c == 0 ? 1 : 0);
        coluna.getTabela().nome = "orders";
        coluna.getTipoDado().nome = c % 2 ? "varchar" : "integer";
        documentoMapa.AdicionaLinha("tabelasecolunas", coluna.Codifica());
    }
    documentoMapa.Salva(mapa.string());

    // Plain lines with table tags, one in ten a column block.
    TDocModeloTabela modelo;
    modelo.autor = "bench";
    modelo.tableExtension = "h";
    for (int i = 0; i < 5000; ++i) {
        const std::string n = std::to_string(i);
        std::string linha =
            i % 10 == 0 ? "<simplecol>    <colvartype> <colname>_" : "    int <tbname>_";
        linha += n;
        linha += i % 10 == 0 ? ";</simplecol>" : " = <colcount>; // <dbname>";
        modelo.classeObjeto += linha;
        if (i + 1 < 5000)
            modelo.classeObjeto += "\r\n";
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

// The cipher of stored documents on a document the size of a 2,000-table mapping: 32,000
// lines of 150 bytes, enciphered as a save does and deciphered as an open does.
#include "documents/Embaralhamento.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace fendril;

TListaTextos LinhasDeMapeamento() {
    TListaTextos linhas;
    for (int i = 0; i < 32000; ++i) {
        std::string linha = "TColuna||column_" + std::to_string(i) + "=>";
        while (linha.size() < 150) {
            linha += static_cast<char>('a' + (linha.size() * 7 + i) % 26);
        }
        linhas.push_back(std::move(linha));
    }
    return linhas;
}

void Embaralha(benchmark::State& estado) {
    const TListaTextos linhas = LinhasDeMapeamento();
    for (auto _ : estado) {
        TEmbaralhamento embaralhamento(linhas, "header");
        std::size_t bytes = 0;
        for (std::string linha; embaralhamento.Proxima(linha);) {
            bytes += linha.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(Embaralha)->Unit(benchmark::kMillisecond);

void Desembaralha(benchmark::State& estado) {
    const TListaTextos arquivo = EmbaralhaLinhas(LinhasDeMapeamento(), "header");
    for (auto _ : estado) {
        TDesembaralhamento desembaralhamento;
        for (const std::string& linha : arquivo) {
            desembaralhamento.Acrescenta(linha);
        }
        benchmark::DoNotOptimize(desembaralhamento.Conclui());
    }
}
BENCHMARK(Desembaralha)->Unit(benchmark::kMillisecond);

} // namespace

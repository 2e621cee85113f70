#pragma once

// The inputs both preview benchmarks render: a mapping of one table of 30 columns and the
// lines of a 5,000-line table-class template (plain lines with table tags, one in ten a
// column block).

#include "documents/TArquivoKMF.h"
#include "model/TColuna.h"

#include <string>
#include <vector>

namespace fendril::bench {

inline TArquivoKMF MapaDeUmaTabela() {
    TArquivoKMF mapa;
    mapa.cabecalho = "bench";
    mapa.AdicionaEntrada("descricao", "combo_basedados", "bench");
    for (int c = 0; c < 30; ++c) {
        TColuna coluna;
        coluna.nome = "col" + std::to_string(c);
        coluna.setChavePrimaria(c == 0 ? 1 : 0);
        coluna.getTabela().nome = "orders";
        coluna.getTipoDado().nome = c % 2 ? "varchar" : "integer";
        mapa.AdicionaLinha("tabelasecolunas", coluna.Codifica());
    }
    return mapa;
}

inline std::vector<std::string> LinhasDoModelo() {
    std::vector<std::string> linhas;
    linhas.reserve(5000);
    for (int i = 0; i < 5000; ++i) {
        std::string linha =
            i % 10 == 0 ? "<simplecol>    <colvartype> <colname>_" : "    int <tbname>_";
        linha += std::to_string(i);
        linha += i % 10 == 0 ? ";</simplecol>" : " = <colcount>; // <dbname>";
        linhas.push_back(std::move(linha));
    }
    return linhas;
}

} // namespace fendril::bench

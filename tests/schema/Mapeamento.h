#pragma once

#include "model/TControlaColunas.h"
#include "schema/CargaColunas.h"
#include "support/BancoSQLite.h"

#include <string>
#include <vector>

namespace fendril::teste {

// A mapping as the databases themselves shape it, leaving out what differs between
// database systems by nature: schemas and catalogs, the provider's type names and the
// sizes of unbounded text. One line per column: table, column, key roles, foreign link,
// type indicator class and the sizes that apply.
inline std::vector<std::string> Forma(const TControlaColunas& colunas) {
    std::vector<std::string> linhas;
    for (const auto& c : colunas.getColunas()) {
        const TTipoDado& t = c->getTipoDado();
        int classe = t.tipoOLE;
        if (classe == 130) {
            classe = 129; // wide and narrow text are text alike
        }
        std::string linha = c->getTabela().nome + "." + c->nome +
                            " pk=" + std::to_string(c->getChavePrimaria()) +
                            " type=" + std::to_string(classe);
        if (classe == 131) {
            linha += "(" + std::to_string(t.precisao) + "," + std::to_string(t.escala) + ")";
        }
        if (classe == 129 && t.tamanho > 0 && t.tamanho < 1000) {
            linha += "(" + std::to_string(t.tamanho) + ")";
        }
        if (c->chaveEstrangeira) {
            linha += " -> " + c->getColunaEstrangeira()->getTabela().nome + "." +
                     c->getColunaEstrangeira()->nome;
        }
        linhas.push_back(linha);
    }
    return linhas;
}

} // namespace fendril::teste

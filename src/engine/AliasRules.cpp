#include "engine/AliasRules.h"

#include "model/Erros.h"

#include <string>
#include <unordered_map>

namespace fendril {

std::optional<TCadeiaFiltros> LeRegraAlias(std::string_view regra) {
    if (regra.empty()) {
        return std::nullopt;
    }
    TCadeiaFiltros cadeia;
    std::string_view desconhecido;
    if (!LeCadeiaFiltros(regra, cadeia, &desconhecido)) {
        throw EErroGeral::Create("Unknown Filter \"" + std::string(desconhecido) + "\" In Rule \"" +
                                 std::string(regra) + "\" !!");
    }
    return cadeia;
}

TAliasesFilled FillEmptyAliases(TControlaColunas& colunas,
                                const std::optional<TCadeiaFiltros>& tables,
                                const std::optional<TCadeiaFiltros>& columns) {
    TAliasesFilled preenchidos;
    // The alias of each table, decided by its first column's record, as the set shows it.
    std::unordered_map<std::string, std::string> aliasTabelas;
    for (std::size_t i = 0; i < colunas.quantidade(); ++i) {
        colunas.AlteraColuna(i, [&](TColuna& coluna) {
            TTabela& tabela = coluna.getTabela();
            if (tables) {
                const auto [achada, nova] = aliasTabelas.try_emplace(tabela.getNomeCompleto());
                if (nova && tabela.alias.empty()) {
                    achada->second = AplicaFiltros(*tables, tabela.nome, 0, {});
                    preenchidos.tables += achada->second.empty() ? 0 : 1;
                }
                if (tabela.alias.empty()) {
                    tabela.alias = achada->second;
                }
            }
            if (columns && coluna.alias.empty()) {
                coluna.alias = AplicaFiltros(*columns, coluna.nome, 0, {});
                preenchidos.columns += coluna.alias.empty() ? 0 : 1;
            }
        });
    }
    return preenchidos;
}

} // namespace fendril

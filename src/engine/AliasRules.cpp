#include "engine/AliasRules.h"

#include "engine/Filtros.h"
#include "model/Erros.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

namespace fendril {

namespace {

// The filter chain of a rule; none for an empty rule.
std::optional<TCadeiaFiltros> LeRegra(std::string_view regra) {
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

} // namespace

void VerificaRegraAlias(std::string_view regra) {
    LeRegra(regra);
}

TAliasesFilled FillEmptyAliases(TControlaColunas& colunas, std::string_view regraTabelas,
                                std::string_view regraColunas) {
    const std::optional<TCadeiaFiltros> tables = LeRegra(regraTabelas);
    const std::optional<TCadeiaFiltros> columns = LeRegra(regraColunas);
    TAliasesFilled preenchidos;
    // The alias of each table, decided by its first column's record, as the set shows it.
    std::unordered_map<std::string, std::string> aliasTabelas;
    for (std::size_t i = 0; i < colunas.quantidade(); ++i) {
        colunas.AlteraColuna(i, [&](TColuna& coluna) {
            const TTabela& tabela = std::as_const(coluna).getTabela();
            if (tables) {
                const auto [achada, nova] = aliasTabelas.try_emplace(tabela.getNomeCompleto());
                if (nova && tabela.alias.empty()) {
                    achada->second = AplicaFiltros(*tables, tabela.nome, 0, {});
                    preenchidos.tables += achada->second.empty() ? 0 : 1;
                }
                if (tabela.alias.empty() && !achada->second.empty()) {
                    // The columns sharing this record are of this table and without an
                    // alias too: each would be given this one.
                    coluna.getTabelaCompartilhada().alias = achada->second;
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

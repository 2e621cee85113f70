#pragma once

// Naming rules for aliases: empty table and column aliases filled from the names through a
// chain of the template language's filters ("pascal:singular", "camel"), so that a mapping
// of hundreds of columns needs no alias typed by hand.

#include "engine/Filtros.h"
#include "model/TControlaColunas.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace fendril {

// The filter chain of a rule; none for an empty rule. A rule naming a filter the language
// lacks raises EErroGeral "Unknown Filter \"name\" In Rule \"rule\" !!".
std::optional<TCadeiaFiltros> LeRegraAlias(std::string_view regra);

struct TAliasesFilled {
    std::size_t tables = 0;
    std::size_t columns = 0;
};

// Gives every table whose alias is empty the alias `tables` makes of its name (without the
// schema), on every copy of its record, and every column whose alias is empty the one
// `columns` makes of its name. A rule left out leaves its aliases alone, and so does a rule
// that makes an empty alias of a name; an alias already set is never touched.
TAliasesFilled FillEmptyAliases(TControlaColunas& colunas,
                                const std::optional<TCadeiaFiltros>& tables,
                                const std::optional<TCadeiaFiltros>& columns);

} // namespace fendril

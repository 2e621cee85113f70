#pragma once

// Naming rules for aliases: empty table and column aliases filled from the names through a
// chain of the template language's filters ("pascal:singular", "camel"), so that a mapping
// of hundreds of columns needs no alias typed by hand.

#include "model/TControlaColunas.h"

#include <cstddef>
#include <string_view>

namespace fendril {

// Checks a rule: one naming a filter the language lacks (or an empty one between colons)
// raises EErroGeral "Unknown Filter \"name\" In Rule \"rule\" !!". An empty rule is no rule.
void VerificaRegraAlias(std::string_view regra);

struct TAliasesFilled {
    std::size_t tables = 0;
    std::size_t columns = 0;
};

// Gives every table whose alias is empty the alias the rule `tables` makes of its name
// (without the schema), on every copy of its record, and every column whose alias is empty
// the one `columns` makes of its name. An empty rule leaves its aliases alone, and so does a
// rule that makes an empty alias of a name; an alias already set is never touched. Both
// rules are checked (VerificaRegraAlias) before anything changes.
TAliasesFilled FillEmptyAliases(TControlaColunas& colunas, std::string_view tables,
                                std::string_view columns);

} // namespace fendril

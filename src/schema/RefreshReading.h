#pragma once

// Reading a database for a refresh of a mapping: which of the mapping's tables it still
// has, which tables to add, and the columns of both as it gives them now, compared with the
// mapping (model/MappingRefresh.h).

#include "model/MappingRefresh.h"
#include "schema/CargaColunas.h"

#include <optional>
#include <vector>

namespace fendril {

struct TRefreshReading {
    TCargaColunas banco;         // the database's columns of the compared tables, and the log
    TListaTextos mappedTables;   // the mapping's tables compared
    TListaTextos databaseTables; // those of them the database has, and the tables to add
    TRefreshChanges changes;
};

// Reads through `conexao` (its database is the catalog listed) what the database holds now
// of the mapping's tables, and compares.
//
// Without `tabelas` every table of the mapping is compared, and the tables and views of the
// database (no system tables) the mapping lacks are added when they belong to a schema the
// mapping maps (any schema, for a mapping without tables) and their name is not one of the
// mapping's without regard to letter case. With `tabelas`, only the tables of those
// qualified names: those the mapping has are compared and the others added; a name that
// neither has raises EErroGeral "Table \"name\" Does Not Exist !!".
//
// A table list the source cannot give, or a table that cannot be read, raises: a refresh
// never takes a table for dropped because it could not see it.
TRefreshReading ReadForRefresh(const TParametrosConexao& conexao, const TControlaColunas* mapping,
                               const std::optional<TListaTextos>& tabelas,
                               const TProgresso& progresso = {},
                               const TFabricaConexao& fabrica = FabricaPadrao());

// Applies the chosen changes of a reading (every applicable one when `chosen` is empty) to
// a mapping's load: its column set becomes ApplyRefresh's, and its provider-type list
// learns the types of the columns taken from the database.
void ApplyRefreshReading(TCargaColunas& mapeamento, const TRefreshReading& leitura,
                         const std::vector<bool>& chosen = {});

} // namespace fendril

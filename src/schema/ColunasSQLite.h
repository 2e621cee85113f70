#pragma once

#include "schema/FonteEsquema.h"
#include "schema/TiposSQLite.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fendril {

// What an SQLite database says of the columns of one table, read from its own pragmas, the
// same through the native provider and through the SQLite ODBC driver (whose catalog
// functions lose what a default is and whether a key is a rowid alias).

// The query, with the table's name as its parameter ?1, that the ODBC provider runs. Its
// columns, in order: cid, name, declared type, notnull, dflt_value, pk (position in the
// primary key, 0 outside it), whether a one-column unique index that is not partial covers
// the column alone, and whether the table has no index for its primary key (a rowid table
// whose key, if any, is the rowid itself). The native provider runs the same pragmas as
// statements of their own and works out the last two columns itself, skipping the index
// pragmas for a table that has no index at all.
extern const char* const kConsultaColunasSQLite;

struct TColunaSQLite {
    std::int64_t cid = 0;
    TValor nome;
    std::string tipo; // the declared type, as written
    bool naoNulo = false;
    TValor padrao;          // dflt_value: the default's text, Null without one
    std::int64_t chave = 0; // position in the primary key, 0 when not part of it
    bool unica = false;
    bool semIndiceChave = false;
};

// The columns of one row of the query (each value read as text by the caller's cursor).
TColunaSQLite ColunaSQLite(const std::vector<TValor>& linha);

// Whether SQLite fills the column itself: the one column of a primary key declared
// INTEGER in a table that keeps its rows by rowid (an INTEGER PRIMARY KEY, with or without
// AUTOINCREMENT, is the rowid).
bool AutoIncrementoSQLite(const std::vector<TColunaSQLite>& colunas, const TColunaSQLite& coluna);

// The COLUMNS row of a column of table `tabela` in the catalog "main": its position, type
// and the facts (nullable, default, unique, auto-increment). SQLite keeps no comments.
TLinhaValores LinhaColunaSQLite(const std::string& tabela,
                                const std::vector<TColunaSQLite>& colunas,
                                const TColunaSQLite& coluna);
// The same row put in `linha`, reusing the room its fields hold, with the column's declared
// type already read (InterpretaTipoSQLite of its `tipo`): for a reader that adds the rows of
// many columns one at a time and reads each distinct declaration once.
void PreencheLinhaColunaSQLite(TLinhaValores& linha, const std::string& tabela,
                               const std::vector<TColunaSQLite>& colunas,
                               const TColunaSQLite& coluna, const TTipoDeclarado& tipo);

} // namespace fendril

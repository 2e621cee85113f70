#pragma once

#include "schema/FonteEsquema.h"

#include <optional>
#include <string>
#include <string_view>

namespace fendril {

// What a column's declared type says, as the COLUMNS rowset reports it: the type name as
// the database declares it (empty where it cannot tell), the OLE DB type indicator and the
// length, precision, scale and date/time precision that apply (absent where the type has
// none or the declaration gives none).
struct TTipoDeclarado {
    std::string nome;
    int tipoOLE = dbtype::DBTYPE_BYTES;
    std::optional<std::int64_t> tamanho;
    std::optional<std::int64_t> precisao;
    std::optional<std::int64_t> escala;
    std::optional<std::int64_t> precisaoDataHora;
};

// Reads an SQLite declared type ("numeric(10,2)", "varchar(80)", "INTEGER", "") by its
// name, falling back on SQLite's affinity rules for names it does not know. The name is
// kept as written, without its parentheses and with runs of blanks as one space; sizes are
// those written in the parentheses (a precision without a scale has scale 0), and the
// integer and floating types have their fixed precision. A column declared without a type
// (an expression of a view) keeps the rule of a blob of length 0, and no name.
TTipoDeclarado InterpretaTipoSQLite(std::string_view declarado);

// The PROVIDER_TYPES rows of the native SQLite provider.
TDadosRowset TiposProviderSQLite();

// Fills the type fields of a COLUMNS row (DATA_TYPE, CHARACTER_MAXIMUM_LENGTH,
// NUMERIC_PRECISION, NUMERIC_SCALE, DATETIME_PRECISION and FENDRIL_TYPE_NAME, Null for an
// empty name) from a declared type; the row must reach FENDRIL_TYPE_NAME.
void PreencheTipoColuna(TLinhaValores& linha, const TTipoDeclarado& tipo);

} // namespace fendril

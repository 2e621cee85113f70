#pragma once

#include "schema/FonteEsquema.h"

#include <optional>
#include <string_view>

namespace fendril {

// What a column's declared type says, as the COLUMNS rowset reports it: the OLE DB type
// indicator and the length, precision, scale and date/time precision that apply (absent
// where a value does not apply).
struct TTipoDeclarado {
    int tipoOLE = dbtype::DBTYPE_BYTES;
    std::optional<std::int64_t> tamanho;
    std::optional<std::int64_t> precisao;
    std::optional<std::int64_t> escala;
    std::optional<std::int64_t> precisaoDataHora;
};

// Reads an SQLite declared type ("numeric(10,2)", "varchar(80)", "INTEGER", "") by its
// name, falling back on SQLite's affinity rules for names it does not know.
TTipoDeclarado InterpretaTipoSQLite(std::string_view declarado);

// The PROVIDER_TYPES rows of the native SQLite provider.
TDadosRowset TiposProviderSQLite();

// Fills the type fields of a COLUMNS row (DATA_TYPE, CHARACTER_MAXIMUM_LENGTH,
// NUMERIC_PRECISION, NUMERIC_SCALE, DATETIME_PRECISION) from a declared type; the row must
// reach DATETIME_PRECISION.
void PreencheTipoColuna(TLinhaValores& linha, const TTipoDeclarado& tipo);

} // namespace fendril

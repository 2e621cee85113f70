#pragma once

#include "model/TTipoDado.h"

#include <string>
#include <string_view>

namespace fendril {

// A column's type as a table definition declares it: the provider's type name, followed by
// the sizes that kind of type takes. A length for character and binary strings
// ("VARCHAR(120)"), precision and scale for exact numerics ("NUMERIC(10,2)", "NUMERIC(10)"
// when the scale is 0), the fractional-second precision for times and timestamps
// ("TIMESTAMP(3)", written after the first word: "timestamp(3) with time zone"), nothing
// for every other type ("INTEGER", "TEXT"). A size that is -1 or 0 is not written, nor a
// fractional-second precision that is the type's own (6 for "timestamp", as drivers report
// it for a timestamp declared without one), and a type name that already holds sizes
// ("NUMERIC(10,2)") is written as it is.
std::string TipoSQL(const TTipoDado& tipo);

// The family of a provider type code (DATA_TYPE), as a types table's fallback lines name it
// after "*": "integer", "decimal", "float", "boolean", "string", "date", "time",
// "datetime", "binary" or "guid"; empty for any other code.
std::string_view FamiliaDoTipo(int tipoOLE);

} // namespace fendril

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fendril {

// The filters a scalar tag takes after a colon, applied left to right:
// "<tbshortname:pascal:singular>".
enum class TFiltro : std::uint8_t {
    upper,
    lower,
    pascal,
    camel,
    snake,
    kebab,
    macro,
    plural,
    singular,
    ident,
    sql,
    str
};

using TCadeiaFiltros = std::vector<TFiltro>;

// The filter names, in the order of TFiltro.
extern const std::string_view kNomesFiltros[12];

// Reads a chain of filter names separated by ":" ("pascal:singular"). False when the chain
// is empty or holds an empty or unknown name; `desconhecido` then gets the first such name.
bool LeCadeiaFiltros(std::string_view texto, TCadeiaFiltros& cadeia,
                     std::string_view* desconhecido = nullptr);

// `valor` through the filters. When `tamanhoEsquema` is not 0 the value is a qualified name
// (schema + "." + name, the schema `tamanhoEsquema` bytes long): filters that keep a name's
// parts apart (upper, lower, str, plural, singular, sql) treat the two parts one by one, so
// that "sql" quotes each, and the others read the whole name. `reservada` tells the words
// that "ident" must not give as they are.
std::string AplicaFiltros(const TCadeiaFiltros& cadeia, std::string_view valor,
                          std::size_t tamanhoEsquema,
                          const std::function<bool(std::string_view)>& reservada);

} // namespace fendril

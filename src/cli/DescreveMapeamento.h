#pragma once

#include "model/TControlaColunas.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace fendril {

// A mapping as a readable table, for people and for diffs in code review: a title line,
// then per table (in the order of the column lines) a line naming it with its type, then
// its alias and comment when it has them, and a table of its columns in column-line order,
// one line each: name, provider type, length, precision (the date/time precision of a
// date/time column), scale ("-" for -1), keys ("PK", "FK -> table.column"), nullable,
// default, unique, auto-increment, enabled ("yes"/"no"), alias and comment. The columns of
// each table's block are aligned; texts are written as dump writes them (a line break as
// \n), so that every column takes one line. With `tabela`, only the table of that
// qualified name; raises EErroGeral "Table ... Is Not In The Mapping !!" when there is none.
std::string DescreveMapeamento(const std::string& nome, const std::string& baseDados,
                               const TControlaColunas* colunas,
                               const std::optional<std::string>& tabela);

// fendril-cli describe: prints DescreveMapeamento of a mapping document. Returns the exit
// code (1 when the file is not a mapping or the table is not in it).
int ComandoDescribe(const std::string& arquivo, const std::optional<std::string>& tabela,
                    std::ostream& saida, std::ostream& erros);

} // namespace fendril

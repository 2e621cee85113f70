#pragma once

#include <iosfwd>
#include <string>

namespace fendril {

// fendril-cli dump: prints a section document as text, the header first, then one line
// per document line (see Escapa). Returns the exit code.
int ComandoDump(const std::string& arquivo, std::ostream& saida, std::ostream& erros);

// fendril-cli pack: saves the text form (lines ending in LF or CR LF) as a section document.
int ComandoPack(const std::string& texto, const std::string& arquivo, std::ostream& erros);

// fendril-cli check: the tag coherence check and the warnings (see TMontaCodigo::Diagnostica)
// on the code texts of a table-class (.tpt) or general (.tpg) template, each checked as the
// generation run expands it, or on the whole content of any other file as plain text. Each
// message is printed as FILE[(text)]:LINE:COLUMN: error|warning: MESSAGE; a failed check's
// message also goes to the error stream. Returns 1 when the check fails, or with `estrito`
// when there are warnings, 0 otherwise.
int ComandoCheck(const std::string& arquivo, bool estrito, std::ostream& saida,
                 std::ostream& erros);

// fendril-cli aliases: fills the empty table aliases of a mapping by the rule `regraTabelas`
// and its empty column aliases by `regraColunas` (filter chains such as "pascal:singular";
// an empty rule leaves those aliases alone; see engine/AliasRules.h) and writes the mapping
// over itself or to `destino`. A mapping in which no alias was empty is not written over.
// The count of aliases filled goes to `erros`. Returns the exit code.
int ComandoAliases(const std::string& mapeamento, const std::string& regraTabelas,
                   const std::string& regraColunas, const std::string& destino,
                   std::ostream& erros);

} // namespace fendril

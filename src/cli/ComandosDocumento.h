#pragma once

#include <iosfwd>
#include <string>

namespace fendril {

// fendril-cli dump: prints a section document as text, the header first, then one line
// per document line (see Escapa). Returns the exit code.
int ComandoDump(const std::string& arquivo, std::ostream& saida, std::ostream& erros);

// fendril-cli pack: saves the text form (lines ending in LF or CR LF) as a section document.
int ComandoPack(const std::string& texto, const std::string& arquivo, std::ostream& erros);

// fendril-cli check: the tag coherence check on the whole content of a plain text file.
int ComandoCheck(const std::string& arquivo, std::ostream& saida, std::ostream& erros);

} // namespace fendril

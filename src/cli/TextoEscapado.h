#pragma once

#include <string>
#include <string_view>

namespace fendril {

// The one-line text form of a stored line: backslash, CR, LF and TAB as \\, \r, \n, \t;
// every other byte below 0x20 and 0x7F as \xHH (two lower-case hex digits); all other
// bytes as they are.
std::string Escapa(std::string_view bytes);

// Reverses Escapa; raises EErroGeral for an escape it does not know or a cut-off one.
std::string Desescapa(std::string_view texto);

} // namespace fendril

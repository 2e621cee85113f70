#pragma once

#include <iosfwd>

namespace fendril {

// Runs fendril-cli with the given arguments and returns its exit code: 0 on success,
// 1 when the command failed, 2 for a command line it does not understand.
int ExecutaCli(int argc, const char* const* argv, std::ostream& saida, std::ostream& erros);

} // namespace fendril

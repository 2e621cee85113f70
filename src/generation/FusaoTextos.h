#pragma once

// Unified diffs and three-way merges of texts, done by libgit2 so that both read exactly as
// Git writes them (hunk headers, "\ No newline at end of file", conflict markers).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fendril {

// The unified diff that turns `antes` into `depois`, for the file `nome` (shown as a/nome
// and b/nome, as Git shows them). Without `antes` the file is new (--- /dev/null). Empty
// when the texts are equal. Raises EErroGeral when the library fails.
//
//     DiferencaUnificada("a\nb\n", "a\nc\n", "x.h") ==
//         "diff --git a/x.h b/x.h\nindex ...\n--- a/x.h\n+++ b/x.h\n@@ -1,2 +1,2 @@\n a\n-b\n+c\n"
std::string DiferencaUnificada(const std::string* antes, std::string_view depois,
                               const std::string& nome);

// What a three-way merge gave: the merged text and the lines (1-based, in that text) where
// each of its conflicts starts.
struct TFusao {
    std::string texto;
    std::vector<std::size_t> conflitos;

    bool limpa() const { return conflitos.empty(); }
};

// Merges the changes from `base` to `editado` (the person's version) with those from `base`
// to `gerado` (the new output). Where both changed the same lines the text holds Git's
// conflict markers: "<<<<<<< " + nome + " (edited)", the edited lines, "=======", the
// generated lines, ">>>>>>> " + nome + " (generated)"; a text whose lines end with CR LF gets
// markers ending with CR LF. Raises EErroGeral when the library fails, and for texts it
// takes for binary (holding a NUL byte), which it cannot merge line by line.
TFusao FundeTextos(std::string_view base, std::string_view editado, std::string_view gerado,
                   const std::string& nome);

} // namespace fendril

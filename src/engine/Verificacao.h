#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fendril {

// A pair of tags the coherence check covers.
struct TParVerificado {
    std::string abertura;
    std::string fechamento;
};

// The pairs the check covers in a text, in the order it tests them: simple, foreign-key,
// primary-key and table blocks, then the inverse-relation block and the pairs of each known
// condition, when the text writes them.
std::vector<TParVerificado> ParesVerificados(std::string_view texto);

} // namespace fendril

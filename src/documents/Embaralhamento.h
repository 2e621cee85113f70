#pragma once

#include "model/Textos.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace fendril {

// The five characters that follow the length figure on a document's seed line. Readers
// take the seed from the file, so documents written with any other suffix open as well.
inline constexpr std::string_view SufixoSemente = "Fndrl";

// Sum of the lengths of the lines in bytes.
std::int64_t TamanhoTotal(const TListaTextos& linhas);

// The cipher key of a seed: for each byte c, the decimal digits of 3 * c + L * L
// (L the seed's length) and then the first of those digits again.
std::string DerivaChave(std::string_view semente);

// The lines of a stored document: the header, the seed, then each line enciphered.
TListaTextos EmbaralhaLinhas(const TListaTextos& linhas, std::string_view cabecalho);

// The document lines restored from the lines of a file (header and seed first).
TListaTextos DesembaralhaLinhas(const TListaTextos& linhas);

} // namespace fendril

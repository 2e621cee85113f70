#pragma once

#include <string_view>

namespace fendril {

// Decoding never checks a record's type name: it skips as many bytes as the name and its
// "||" take. A text shorter than that leaves nothing to decode.
inline std::string_view PulaNomeTipo(std::string_view texto, std::size_t tamanho) {
    return texto.size() > tamanho ? texto.substr(tamanho) : std::string_view();
}

} // namespace fendril

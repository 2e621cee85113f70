#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace fendril {

// A file entry of a directory listing.
class TArquivo {
public:
    std::string extensao;                       // see ExtraiExtensao
    std::int32_t tamanho = 0;                   // size in bytes
    std::chrono::system_clock::time_point data; // last write time
    std::string nome;                           // file name without directory
    std::int32_t atributos = -1;                // attribute bits
};

} // namespace fendril

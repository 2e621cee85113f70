#pragma once

#include "support/ArquivosTemporarios.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace fendril::teste {

// The port of the server the postgres_start test started, written in the folder that
// FENDRIL_PG_DIR names.
inline std::string PortaServidorPostgreSQL() {
    const char* pasta = std::getenv("FENDRIL_PG_DIR");
    if (pasta == nullptr) {
        throw std::runtime_error("FENDRIL_PG_DIR is not set: run these tests through ctest");
    }
    std::string porta = LeArquivo(std::string(pasta) + "/port");
    while (!porta.empty() && (porta.back() == '\n' || porta.back() == '\r')) {
        porta.pop_back();
    }
    return porta;
}

} // namespace fendril::teste

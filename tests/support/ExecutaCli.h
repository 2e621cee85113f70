#pragma once

#include "cli/Aplicacao.h"

#include <sstream>
#include <string>
#include <vector>

namespace fendril::teste {

// What one run of fendril-cli gave.
struct ResultadoCli {
    int codigo;
    std::string saida;
    std::string erros;
};

// Runs fendril-cli in-process with the given arguments (the program name is added).
inline ResultadoCli ExecutaCli(std::vector<std::string> argumentos) {
    argumentos.insert(argumentos.begin(), "fendril-cli");
    std::vector<const char*> argv;
    for (const std::string& a : argumentos) {
        argv.push_back(a.c_str());
    }
    std::ostringstream saida;
    std::ostringstream erros;
    const int codigo =
        fendril::ExecutaCli(static_cast<int>(argv.size()), argv.data(), saida, erros);
    return {codigo, saida.str(), erros.str()};
}

} // namespace fendril::teste

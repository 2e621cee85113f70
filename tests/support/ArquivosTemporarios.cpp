#include "support/ArquivosTemporarios.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fendril::teste {

PastaTemporaria::PastaTemporaria() {
    std::random_device aleatorio;
    for (int tentativa = 0; tentativa < 100; ++tentativa) {
        auto candidato = std::filesystem::temp_directory_path() /
                         ("fendril-test-" + std::to_string(aleatorio()));
        if (std::filesystem::create_directory(candidato)) {
            m_caminho = candidato;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary directory");
}

PastaTemporaria::~PastaTemporaria() {
    std::error_code erro;
    std::filesystem::remove_all(m_caminho, erro);
}

std::string LeArquivo(const std::string& caminho) {
    std::ifstream arquivo(caminho, std::ios::binary);
    std::ostringstream conteudo;
    conteudo << arquivo.rdbuf();
    return conteudo.str();
}

void EscreveArquivo(const std::string& caminho, const std::string& conteudo) {
    std::ofstream arquivo(caminho, std::ios::binary | std::ios::trunc);
    arquivo << conteudo;
}

} // namespace fendril::teste

#pragma once

#include <filesystem>
#include <string>

namespace fendril::teste {

// A fresh directory under the system's temporary folder, removed with everything in it
// when the object goes away.
class PastaTemporaria {
public:
    PastaTemporaria();
    ~PastaTemporaria();
    PastaTemporaria(const PastaTemporaria&) = delete;
    PastaTemporaria& operator=(const PastaTemporaria&) = delete;

    const std::filesystem::path& caminho() const { return m_caminho; }
    std::string arquivo(const std::string& nome) const { return (m_caminho / nome).string(); }

private:
    std::filesystem::path m_caminho;
};

std::string LeArquivo(const std::string& caminho);
void EscreveArquivo(const std::string& caminho, const std::string& conteudo);

} // namespace fendril::teste

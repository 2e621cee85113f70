#pragma once

#include "model/TArquivo.h"
#include "model/Textos.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fendril {

using TArrArquivos = std::vector<TArquivo>;

// The attribute bits of a directory entry, with the values the documents and the tree
// icons have always used.
namespace Atributo {
inline constexpr std::int32_t SomenteLeitura = 0x01;
inline constexpr std::int32_t Oculto = 0x02;
inline constexpr std::int32_t Diretorio = 0x10;
inline constexpr std::int32_t Normal = 0x80;
} // namespace Atributo

// The entries of one directory. ".." comes first, then the other entries sorted by name
// without regard to letter case. A directory gets Diretorio, a regular file Normal; either
// may add SomenteLeitura (no write permission for its owner) and Oculto (a name starting
// with "."). Symbolic links count as what they point to. Sockets, pipes, devices and
// links that lead nowhere are left out: the tree can neither open nor generate into them.
class TDiretorio {
public:
    explicit TDiretorio(std::string pasta = {}) : caminho(std::move(pasta)) {}

    std::string caminho;

    // Reads the entries; EErroGeral "Directory Does Not Exist !!" when caminho is not an
    // existing directory.
    void Lista();

    const TListaTextos& getNomes() const { return m_nomes; }
    const TArrArquivos& getArquivos() const { return m_arquivos; }
    std::int32_t quantidade() const { return static_cast<std::int32_t>(m_arquivos.size()); }
    std::int32_t tamanhoTotal() const { return m_tamanhoTotal; }

    // Copies the first entry named exactly `nome` into `entrada`; leaves it unchanged when
    // there is none. Returns whether one was found.
    bool ProcuraArquivo(const std::string& nome, TArquivo& entrada) const;

private:
    TArrArquivos m_arquivos;
    TListaTextos m_nomes;
    std::int32_t m_tamanhoTotal = 0;
};

} // namespace fendril

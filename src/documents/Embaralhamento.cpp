#include "documents/Embaralhamento.h"

#include "documents/TBlowfish.h"
#include "model/Textos.h"

#include <cstddef>

namespace fendril {

namespace {

// Every seed byte adds at least two key bytes (a number and its first digit again), so a
// seed longer than half the longest key the cipher takes can only give a longer key.
constexpr std::size_t TamanhoMaximoSemente = 56 / 2;

// A cipher keyed from a seed. A seed too long to give a valid key is refused before its key
// is built, so that a damaged file with a huge seed line costs nothing.
void ChaveiaComSemente(TBlowfish& cifra, std::string_view semente) {
    if (semente.size() > TamanhoMaximoSemente) {
        throw EKeyError("Blowfish: Key must be between 1 and 56 bytes");
    }
    cifra.SetKey(DerivaChave(semente));
}

} // namespace

std::int64_t TamanhoTotal(const TListaTextos& linhas) {
    std::int64_t total = 0;
    for (const std::string& linha : linhas) {
        total += static_cast<std::int64_t>(linha.size());
    }
    return total;
}

std::string DerivaChave(std::string_view semente) {
    const std::uint64_t tamanho = semente.size();
    std::string chave;
    chave.reserve(semente.size() * 4);
    for (const char c : semente) {
        const std::uint64_t n =
            3 * std::uint64_t{static_cast<unsigned char>(c)} + tamanho * tamanho;
        const std::string digitos = std::to_string(n);
        chave.append(digitos);
        chave.push_back(digitos.front());
    }
    return chave;
}

TListaTextos EmbaralhaLinhas(const TListaTextos& linhas, std::string_view cabecalho) {
    std::string semente = std::to_string(TamanhoTotal(linhas));
    semente.append(SufixoSemente);

    TBlowfish cifra;
    ChaveiaComSemente(cifra, semente);

    TListaTextos resultado;
    resultado.reserve(linhas.size() + 2);
    resultado.emplace_back(cabecalho);
    resultado.push_back(std::move(semente));
    for (const std::string& linha : linhas) {
        resultado.push_back(cifra.EncryptString(linha));
    }
    return resultado;
}

TListaTextos DesembaralhaLinhas(const TListaTextos& linhas) {
    // The header (line 1) is skipped unread; line 2 is the seed.
    if (linhas.size() < 2) {
        throw EListError(0);
    }
    TBlowfish cifra;
    ChaveiaComSemente(cifra, linhas[1]);

    TListaTextos resultado;
    resultado.reserve(linhas.size() - 2);
    for (std::size_t i = 2; i < linhas.size(); ++i) {
        resultado.push_back(cifra.DecryptString(linhas[i]));
    }
    return resultado;
}

} // namespace fendril

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

// Lines are put through the cipher in batches of about this many bytes rather than one by
// one: a line is a few blocks, a batch thousands of independent blocks, which the cipher
// works on eight at a time. Small enough to stay in the processor's cache.
constexpr std::size_t TamanhoLote = 32 * 1024;

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
    TEmbaralhamento embaralhamento(linhas, cabecalho);
    TListaTextos resultado;
    resultado.reserve(linhas.size() + 2);
    for (std::string linha; embaralhamento.Proxima(linha);) {
        resultado.push_back(std::move(linha));
    }
    return resultado;
}

TListaTextos DesembaralhaLinhas(const TListaTextos& linhas) {
    TDesembaralhamento desembaralhamento;
    for (const std::string& linha : linhas) {
        desembaralhamento.Acrescenta(linha);
    }
    return desembaralhamento.Conclui();
}

TEmbaralhamento::TEmbaralhamento(const TListaTextos& linhas, std::string_view cabecalho)
    : m_linhas(linhas), m_cabecalho(cabecalho), m_semente(std::to_string(TamanhoTotal(linhas))),
      m_cifra(std::make_unique<TBlowfish>()) {
    m_semente.append(SufixoSemente);
    ChaveiaComSemente(*m_cifra, m_semente);
}

TEmbaralhamento::~TEmbaralhamento() = default;

bool TEmbaralhamento::Proxima(std::string& linha) {
    const std::size_t posicao = m_proxima;
    if (posicao >= m_linhas.size() + 2) {
        return false;
    }
    ++m_proxima;
    if (posicao == 0) {
        linha = m_cabecalho;
    } else if (posicao == 1) {
        linha = m_semente;
    } else {
        if (m_entregues == m_lote.size()) {
            FormaLote(posicao - 2);
        }
        linha = std::move(m_lote[m_entregues++]);
    }
    return true;
}

// Each line as EncryptString gives it: an empty line stays empty, any other is padded on
// its own, enciphered and written in the cipher's alphabet.
void TEmbaralhamento::FormaLote(std::size_t primeira) {
    m_blocos.clear();
    m_fins.clear();
    for (std::size_t i = primeira; i < m_linhas.size() && m_blocos.size() < TamanhoLote; ++i) {
        if (!m_linhas[i].empty()) {
            TBlowfish::AcrescentaComEnchimento(m_blocos, m_linhas[i]);
        }
        m_fins.push_back(m_blocos.size());
    }
    m_cifra->CifraBlocos(m_blocos.data(), m_blocos.size());
    m_lote.clear();
    m_entregues = 0;
    const std::string_view blocos = m_blocos;
    std::size_t inicio = 0;
    for (const std::size_t fim : m_fins) {
        m_lote.push_back(fim == inicio
                             ? std::string()
                             : TBlowfish::Codifica64(blocos.substr(inicio, fim - inicio)));
        inicio = fim;
    }
}

TDesembaralhamento::TDesembaralhamento() = default;
TDesembaralhamento::~TDesembaralhamento() = default;

void TDesembaralhamento::Acrescenta(std::string_view linha) {
    // The header (line 1) is kept unread; line 2 is the seed.
    if (m_lidas == 0) {
        m_cabecalho = linha;
    } else if (m_lidas == 1) {
        m_cifra = std::make_unique<TBlowfish>();
        ChaveiaComSemente(*m_cifra, linha);
    } else {
        // Checked as DecryptString checks it, deciphered with the lines around it.
        if (!linha.empty()) {
            const std::size_t antes = m_blocos.size();
            TBlowfish::AcrescentaDecodificado(m_blocos, linha);
            TBlowfish::VerificaCifra(m_blocos.size() - antes);
        }
        m_fins.push_back(m_blocos.size());
        if (m_blocos.size() >= TamanhoLote) {
            DecifraLote();
        }
    }
    ++m_lidas;
}

void TDesembaralhamento::DecifraLote() {
    m_cifra->DecifraBlocos(m_blocos.data(), m_blocos.size());
    const std::string_view blocos = m_blocos;
    std::size_t inicio = 0;
    for (const std::size_t fim : m_fins) {
        const std::string_view decifrada = blocos.substr(inicio, fim - inicio);
        m_linhas.emplace_back(
            decifrada.empty() ? std::string_view()
                              : decifrada.substr(0, TBlowfish::TamanhoSemEnchimento(decifrada)));
        inicio = fim;
    }
    m_blocos.clear();
    m_fins.clear();
}

void TDesembaralhamento::DecifraPendentes() {
    if (!m_fins.empty()) {
        DecifraLote();
    }
}

TListaTextos TDesembaralhamento::Conclui() {
    if (m_lidas < 2) {
        throw EListError(0);
    }
    DecifraPendentes();
    return std::move(m_linhas);
}

} // namespace fendril

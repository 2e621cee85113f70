#include "model/Textos.h"

#include "model/Erros.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <limits>

namespace fendril {

TListaVistas SeparaCamposVista(std::string_view texto, std::string_view separador) {
    TListaVistas pecas;
    if (separador.empty()) {
        return pecas;
    }
    pecas.reserve(8); // a record's fields, in one allocation
    std::size_t inicio = 0;
    if (separador.size() == 2) {
        // The records' separators ("|>", "=>"): memchr finds each candidate first byte, and
        // the second is checked in place, without a call per candidate.
        const char* const dados = texto.data();
        std::size_t pos = 0;
        while (pos + 1 < texto.size()) {
            const auto* achado = static_cast<const char*>(
                std::memchr(dados + pos, separador[0], texto.size() - 1 - pos));
            if (achado == nullptr) {
                break;
            }
            pos = static_cast<std::size_t>(achado - dados);
            if (dados[pos + 1] == separador[1]) {
                pecas.push_back(texto.substr(inicio, pos - inicio));
                inicio = pos + 2;
                pos = inicio;
            } else {
                ++pos;
            }
        }
        return pecas;
    }
    for (std::size_t pos = texto.find(separador); pos != std::string_view::npos;
         pos = texto.find(separador, inicio)) {
        pecas.push_back(texto.substr(inicio, pos - inicio));
        inicio = pos + separador.size();
    }
    return pecas;
}

TListaTextos SeparaCampos(std::string_view texto, std::string_view separador) {
    const TListaVistas vistas = SeparaCamposVista(texto, separador);
    return TListaTextos(vistas.begin(), vistas.end());
}

namespace {

// Replaces every occurrence found scanning left to right once; inserted text is not
// searched again.
std::string SubstituiUmaPassagem(std::string_view padrao, std::string_view substituto,
                                 std::string_view texto) {
    std::string resultado;
    resultado.reserve(texto.size());
    std::size_t inicio = 0;
    for (std::size_t pos = texto.find(padrao); pos != std::string_view::npos;
         pos = texto.find(padrao, inicio)) {
        resultado.append(texto.substr(inicio, pos - inicio));
        resultado.append(substituto);
        inicio = pos + padrao.size();
    }
    resultado.append(texto.substr(inicio));
    return resultado;
}

} // namespace

std::string SubstituiTodos(std::string_view padrao, std::string_view substituto,
                           std::string_view texto) {
    if (padrao.empty()) {
        return std::string(texto);
    }
    if (substituto.find(padrao) != std::string_view::npos) {
        return SubstituiUmaPassagem(padrao, substituto, texto);
    }

    // Searching again from the start after each replacement finds nothing before the
    // last replacement's position less the pattern's length, so the text is kept in
    // three parts: `pronto` (settled, holds no occurrence), `pendente` (the end of the
    // settled text plus what was inserted, where a new occurrence may begin) and `resto`
    // (the untouched rest of the input). Each step costs what it moves, not the whole text.
    const std::size_t recuo = padrao.size() - 1;
    const std::size_t limitePassos = 10'000'000 + 16 * texto.size();
    std::string pronto;
    pronto.reserve(texto.size());
    std::string pendente;
    std::string_view resto = texto;

    for (std::size_t passos = 0;; ++passos) {
        bool achouNoPendente = false;
        if (!pendente.empty()) {
            std::string janela = pendente;
            janela.append(resto.substr(0, std::min(resto.size(), recuo)));
            const std::size_t q = janela.find(padrao);
            if (q != std::string::npos) {
                // An occurrence begins inside `pendente` (it cannot begin later in the window).
                achouNoPendente = true;
                const std::size_t fim = q + padrao.size();
                pronto.append(pendente, 0, q);
                std::string sobra = fim < pendente.size() ? pendente.substr(fim) : std::string();
                resto.remove_prefix(fim > pendente.size() ? fim - pendente.size() : 0);
                pendente = std::move(sobra);
            } else {
                pronto += pendente;
                pendente.clear();
            }
        }
        if (!achouNoPendente) {
            const std::size_t r = resto.find(padrao);
            if (r == std::string_view::npos) {
                pronto.append(resto);
                return pronto;
            }
            pronto.append(resto.substr(0, r));
            resto.remove_prefix(r + padrao.size());
        }
        const std::size_t manter = std::min(pronto.size(), recuo);
        std::string novo = pronto.substr(pronto.size() - manter);
        pronto.resize(pronto.size() - manter);
        novo.append(substituto);
        novo += pendente;
        pendente = std::move(novo);

        if (passos > limitePassos) {
            // A rule that keeps producing occurrences: finish in one pass.
            std::string restante = pendente;
            restante.append(resto);
            pronto += SubstituiUmaPassagem(padrao, substituto, restante);
            return pronto;
        }
    }
}

std::string TrocaExtensao(std::string_view nome, std::string_view extensao) {
    const std::size_t ponto = nome.find('.');
    std::string resultado(nome.substr(0, ponto));
    resultado += '.';
    resultado.append(extensao);
    return resultado;
}

std::string ExtraiNome(std::string_view caminho) {
    if (!caminho.empty() && (caminho.back() == '\\' || caminho.back() == '/')) {
        caminho.remove_suffix(1);
    }
    if (caminho.empty() || caminho.back() == ':') {
        return {};
    }
    const std::size_t barra = caminho.find_last_of("\\/");
    return std::string(barra == std::string_view::npos ? caminho : caminho.substr(barra + 1));
}

std::string ExtraiExtensao(std::string_view nome) {
    const std::size_t ponto = nome.rfind('.');
    if (ponto == std::string_view::npos) {
        return {};
    }
    return std::string(nome.substr(ponto + 1));
}

namespace {

// Lower-case form of a code point of the two-byte UTF-8 range (U+0080 to U+07FF).
char32_t MinusculaDoisBytes(char32_t c) {
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F)) {
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 0x50;
    }
    const bool paresPar = (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) ||
                          (c >= 0x14A && c <= 0x177) || (c >= 0x460 && c <= 0x481) ||
                          (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F);
    const bool paresImpar =
        (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E) || (c >= 0x4C1 && c <= 0x4CE);
    if ((paresPar && c % 2 == 0) || (paresImpar && c % 2 == 1)) {
        return c + 1;
    }
    switch (c) {
    case 0x178:
        return 0xFF;
    case 0x386:
        return 0x3AC;
    case 0x388:
    case 0x389:
    case 0x38A:
        return c + 0x25;
    case 0x38C:
        return 0x3CC;
    case 0x38E:
    case 0x38F:
        return c + 0x3F;
    default:
        return c;
    }
}

} // namespace

namespace {

// Hands each byte of the key ChaveSemCaixa makes of `texto` to `emite`, in order.
template <class Emite> void DobraSemCaixa(std::string_view texto, Emite&& emite) {
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const auto b = static_cast<unsigned char>(texto[i]);
        if (b >= 'A' && b <= 'Z') {
            emite(static_cast<char>(b + ('a' - 'A')));
            continue;
        }
        const bool doisBytes = b >= 0xC2 && b <= 0xDF && i + 1 < texto.size() &&
                               (static_cast<unsigned char>(texto[i + 1]) & 0xC0) == 0x80;
        if (!doisBytes) {
            emite(static_cast<char>(b));
            continue;
        }
        const char32_t c = MinusculaDoisBytes(
            (char32_t(b & 0x1F) << 6) | char32_t(static_cast<unsigned char>(texto[i + 1]) & 0x3F));
        emite(static_cast<char>(0xC0 | (c >> 6)));
        emite(static_cast<char>(0x80 | (c & 0x3F)));
        ++i;
    }
}

} // namespace

std::string ChaveSemCaixa(std::string_view texto) {
    std::string chave;
    chave.reserve(texto.size());
    DobraSemCaixa(texto, [&chave](char c) { chave += c; });
    return chave;
}

std::uint64_t HashSemCaixa(std::string_view texto) {
    // FNV-1a over the bytes of the key.
    std::uint64_t hash = 0xCBF29CE484222325;
    DobraSemCaixa(texto, [&hash](char c) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3;
    });
    return hash;
}

bool MesmoTextoSemCaixa(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    // Short texts (names, "true") are folded on the stack; the fold keeps the length.
    constexpr std::size_t NaPilha = 64;
    if (a.size() > NaPilha) {
        return ChaveSemCaixa(a) == ChaveSemCaixa(b);
    }
    std::array<char, NaPilha> chaveA{};
    std::array<char, NaPilha> chaveB{};
    std::size_t i = 0;
    DobraSemCaixa(a, [&chaveA, &i](char c) { chaveA[i++] = c; });
    i = 0;
    DobraSemCaixa(b, [&chaveB, &i](char c) { chaveB[i++] = c; });
    return std::memcmp(chaveA.data(), chaveB.data(), a.size()) == 0;
}

std::int32_t ParaInteiro(std::string_view texto) {
    std::string_view digitos = texto;
    if (!digitos.empty() && digitos.front() == '+') {
        digitos.remove_prefix(1);
    }
    std::int32_t valor = 0;
    const bool sinalDuplo = !digitos.empty() && digitos.front() == '+';
    const auto [fim, erro] =
        std::from_chars(digitos.data(), digitos.data() + digitos.size(), valor);
    if (digitos.empty() || sinalDuplo || erro != std::errc() ||
        fim != digitos.data() + digitos.size()) {
        throw EConvertError("'" + std::string(texto) + "' is not a valid integer value");
    }
    return valor;
}

std::string_view ItemDaLista(const TListaVistas& lista, std::size_t indice) {
    if (indice >= lista.size()) {
        throw EListError(indice);
    }
    return lista[indice];
}

const std::string& ItemDaLista(const TListaTextos& lista, std::size_t indice) {
    if (indice >= lista.size()) {
        throw EListError(indice);
    }
    return lista[indice];
}

} // namespace fendril

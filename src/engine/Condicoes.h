#pragma once

#include "engine/Vocabulario.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fendril {

// The condition pairs of a block body that one kind of repetition decides, read once, and
// the body as each repetition sees it.
//
// A table repetition decides the table conditions anywhere in the body and "first" and
// "last" outside the column blocks nested in it; a column repetition decides the column
// conditions anywhere in its body and "first" and "last" outside nested column blocks. Other
// condition tags are text to it.
//
// Pairs are matched like blocks: a closing tag closes the nearest opening tag of the same
// condition before it (tags between them that stay unmatched are text); a tag without a
// partner is text. A pair whose condition holds (fails, for "ifnot") is replaced by its body,
// its own pairs resolved first and then the line break that opens it removed as a block body
// loses its own; otherwise the pair and its body are dropped.
class TCorpoCondicional {
public:
    enum class TAlcance : std::uint8_t { tabela, coluna };

    TCorpoCondicional(std::string_view corpo, TAlcance alcance);

    // True when the body holds no pair this repetition decides.
    bool vazio() const { return m_pares.empty(); }
    // The distinct conditions the pairs test; bit i of a set of outcomes is condicoes()[i].
    const std::vector<vocabulario::TCondicao>& condicoes() const { return m_condicoes; }
    // The body with every pair decided by `verdadeiras`.
    std::string Resolve(std::uint32_t verdadeiras) const;

private:
    struct TPar {
        std::size_t abre;      // position of the opening tag
        std::size_t fimAbre;   // one past it
        std::size_t fecha;     // position of the closing tag
        std::size_t fimFecha;  // one past it
        std::uint8_t condicao; // index into m_condicoes
        bool negada;
    };

    // Writes corpo[inicio, fim) with the pairs from index `par` on that lie in it; returns
    // the index of the first pair past `fim`.
    std::size_t Escreve(std::string& saida, std::size_t inicio, std::size_t fim, std::size_t par,
                        std::uint32_t verdadeiras) const;

    std::string_view m_corpo;
    std::vector<vocabulario::TCondicao> m_condicoes;
    std::vector<TPar> m_pares; // by opening position
};

} // namespace fendril

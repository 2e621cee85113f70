#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fendril {

using TListaTextos = std::vector<std::string>;

// The pieces of `texto` that are each followed by `separador`, in order; whatever follows
// the last separator is dropped. "a;b;c;" gives a, b, c; "a;b;c" gives a, b; a text
// without the separator gives an empty list. Matching is exact.
TListaTextos SeparaCampos(std::string_view texto, std::string_view separador);

// The same pieces as views into `texto`, for readers that only look at them.
using TListaVistas = std::vector<std::string_view>;
TListaVistas SeparaCamposVista(std::string_view texto, std::string_view separador);

// Every occurrence of `padrao` replaced by `substituto`, searching again from the start
// after each replacement, so occurrences formed across the edge of an inserted text are
// replaced too ("ab" -> "a" turns "abb" into "a").
//
// That rule never ends when the replacement contains the pattern; such a replacement is
// then made in one left-to-right pass that does not search inserted text again. A rule
// that keeps finding new occurrences for longer than any real text needs is likewise
// finished by that single pass over what is left.
std::string SubstituiTodos(std::string_view padrao, std::string_view substituto,
                           std::string_view texto);

// The part of `nome` before its first ".", then "." and `extensao`.
std::string TrocaExtensao(std::string_view nome, std::string_view extensao);

// The last component of a path ("/" and "\" both separate); one trailing separator is
// ignored; empty for an empty path or a drive root ("C:\").
std::string ExtraiNome(std::string_view caminho);

// The text after the last "." of `nome`; empty when there is none or it ends the name.
std::string ExtraiExtensao(std::string_view nome);

// The folded form of a text for comparisons without regard to letter case. ASCII letters
// and the letters of the Latin, Greek and Cyrillic blocks encoded in UTF-8 are folded to
// lower case; every other byte, including malformed UTF-8, is kept as it is, so two
// different names never fold together by accident.
std::string ChaveSemCaixa(std::string_view texto);
// A hash of ChaveSemCaixa(texto), made without building the key: texts equal without regard
// to case hash alike. The key keeps the text's length in bytes.
std::uint64_t HashSemCaixa(std::string_view texto);

// Whether two texts are equal without regard to letter case (see ChaveSemCaixa).
bool MesmoTextoSemCaixa(std::string_view a, std::string_view b);

// A decimal integer (optional sign, digits only) that fits 32 bits; anything else raises
// EConvertError.
std::int32_t ParaInteiro(std::string_view texto);

// Entry `indice` of a list; EListError when the list is shorter.
const std::string& ItemDaLista(const TListaTextos& lista, std::size_t indice);
std::string_view ItemDaLista(const TListaVistas& lista, std::size_t indice);

} // namespace fendril

#pragma once

#include "model/Textos.h"

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace fendril {

// Decoding never checks a record's type name: it skips as many bytes as the name and its
// "||" take. A text shorter than that leaves nothing to decode.
inline std::string_view PulaNomeTipo(std::string_view texto, std::size_t tamanho) {
    return texto.size() > tamanho ? texto.substr(tamanho) : std::string_view();
}

// The escape of record parts. The fields of a part are each followed by "=>" and the part
// by "|>"; a text field holding either separator, or a first field starting with ">" (it
// would make "|>" with the "||" of the type name), could not be cut back into the same
// fields. Only such a part is written escaped: in every text field 0x1B becomes 0x1B '1'
// and ">" becomes 0x1B '2', so that no separator can form, and the part carries one field
// more than its own, the mark (a lone 0x1B), before its "|>". A part without the mark is
// read byte for byte as it always was, so documents that never needed the escape read
// exactly as before.
namespace registro {

// Whether a part with these text fields (its first field first) must be escaped.
bool PrecisaEscape(std::initializer_list<std::string_view> campos);
bool PrecisaEscape(std::span<const std::string_view> campos);
// Appends a field and its "=>", escaped or as it is.
void AcrescentaCampo(std::string& texto, std::string_view campo, bool escapado);
// Appends the mark and its "=>" when the part is escaped.
void AcrescentaMarca(std::string& texto, bool escapado);
// Whether the fields of a part cut at "=>" carry the mark after the part's `quantidade`
// own fields.
bool Escapado(const TListaVistas& campos, std::size_t quantidade);
// A field as it was before escaping.
std::string LeCampo(std::string_view campo, bool escapado);

} // namespace registro

} // namespace fendril

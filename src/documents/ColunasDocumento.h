#pragma once

#include "documents/TArquivoKMF.h"
#include "model/TControlaColunas.h"

#include <memory>
#include <string_view>

namespace fendril {

// The column set of a document's column lines (those of section `secao`, "tabelasecolunas"
// in a mapping), in order, or null when it has none. A line that does not decode raises
// EErroGeral naming its line of the document (from 1, as dump lists the lines after the
// header), its table and its column.
std::unique_ptr<TControlaColunas> LeColunasDocumento(const TArquivoKMF& documento,
                                                     std::string_view secao);

} // namespace fendril

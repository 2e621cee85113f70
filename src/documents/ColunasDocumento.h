#pragma once

#include "documents/TArquivoKMF.h"
#include "model/TControlaColunas.h"

#include <memory>
#include <string_view>

namespace fendril {

// The column set of a document's column lines (those of section `secao`, "tabelasecolunas"
// in a mapping), in order, or null when it has none, with the facts of the document's
// facts section (LeFatosDocumento). A line that does not decode raises EErroGeral naming
// its line of the document (from 1, as dump lists the lines after the header), its table
// and its column.
std::unique_ptr<TControlaColunas> LeColunasDocumento(const TArquivoKMF& documento,
                                                     std::string_view secao);

// The facts section of a mapping ("fatos"): what the database says of tables and columns
// besides what their column lines encode, one entry per table and per column whose facts
// are not the defaults (an unknown fact reads as its default: nullable, no default, not
// unique, not auto-increment, no comment). Each entry names its table by schema and name,
// and its column by name, so that it survives any reordering of the column lines:
//
//     fatos||tabela||schema=>table=>comment=>||
//     fatos||coluna||schema=>table=>column=>nullable=>unique=>autoincrement=>default=>comment=>||
//
// The flags are "1" or "0"; fields are escaped as the fields of a column line are
// (model/Registro.h). Tables come first, each once, in the order of their first column;
// then columns in set order, a column repeated in the set once, with the facts of its first
// occurrence.
void EscreveFatosDocumento(TArquivoKMF& documento, std::string_view secao,
                           const TControlaColunas& colunas);
// Gives every column (and table) of the set the facts its entry names; columns without an
// entry keep theirs, entries that name no column of the set are ignored. An entry that
// does not name its table and column raises EErroGeral naming its line.
void LeFatosDocumento(const TArquivoKMF& documento, std::string_view secao,
                      TControlaColunas& colunas);

} // namespace fendril

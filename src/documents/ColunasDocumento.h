#pragma once

#include "documents/TArquivoKMF.h"
#include "model/TControlaColunas.h"

#include <memory>
#include <string_view>

namespace fendril {

// The column set of a document's column lines (those of section `secao`, "tabelasecolunas"
// in a mapping), in order, or null when it has none, with the facts of the document's
// facts section (LeFatosDocumento) and what its hand-set section says (LeManuaisDocumento). A line
// that does not decode raises EErroGeral naming its line of the document (from 1, as dump lists the
// lines after the header), its table and its column.
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

// The hand-set section of a mapping ("manuais"): which properties of its tables and columns
// a person set by hand, each with what the database said of it when the mapping last read
// it (model/MappingRefresh.h), so that a refresh keeps the person's value and tells when
// the database changes. One entry per table whose comment and per column with such a
// property, named as in the facts section; documents in which nothing was set by hand
// have no such entries:
//
//     manuais||tabela||schema=>table=>database comment=>||
//     manuais||coluna||schema=>table=>column=>property=>database value=>...||
//
// with the properties by their keys ("type", "nullable", ... see PropertyKey), in their
// order. Fields are escaped as the facts section's are.
void EscreveManuaisDocumento(TArquivoKMF& documento, std::string_view secao,
                             const TControlaColunas& colunas);
// Marks every column (and table) of the set as its entry says; entries that name no column
// of the set and properties of a name it does not know are ignored. An entry that cannot
// be read raises EErroGeral naming it.
void LeManuaisDocumento(const TArquivoKMF& documento, std::string_view secao,
                        TControlaColunas& colunas);

} // namespace fendril

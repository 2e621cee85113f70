#pragma once

// The rules of the mapping window's property panels, without the window: what the Table
// and Column panels show for a table or column of a column set, and how committing the
// panels writes them back. The panels' values travel as plain structs, so that the rules
// are tested here and the window only moves values between these structs and its controls.

#include "model/TControlaColunas.h"
#include "model/Textos.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace fendril {

// The Table panel.
struct TPropriedadesTabela {
    std::string nome;      // Edit_nometabela
    std::string esquema;   // edit_esquema
    std::string tipo;      // edit_tipotabela
    std::string alias;     // edit_tbalias
    std::string comment{}; // edit_tbcomment

    bool operator==(const TPropriedadesTabela&) const = default;
};

// The Column panel.
struct TPropriedadesColuna {
    std::string nome;              // edit_nomecoluna
    std::string alias;             // edit_colalias
    bool habilitado = false;       // cb_habilitado
    bool chavePrimaria = false;    // cb_primary
    bool chaveEstrangeira = false; // cb_foreign
    std::string tipoDado;          // combo_tipodado: a provider TYPE_NAME
    bool dataHora = false;         // chk_datetime
    std::int32_t tamanho = 0;      // ed_length
    std::int32_t precisao = 0;     // ed_precision: the date/time precision when dataHora
    std::int32_t escala = 0;       // ed_scale
    std::string tabelaEstrangeira; // combo_nometabelaestrg: a qualified table name
    std::string colunaEstrangeira; // comb_nomecolunaestrg
    bool nullable = true;          // cb_nullable
    bool unique = false;           // cb_unique
    bool autoIncrement = false;    // cb_autoincrement
    std::string defaultValue{};    // edit_default
    std::string comment{};         // edit_colcomment

    bool operator==(const TPropriedadesColuna&) const = default;
};

// What the Table panel shows for a table.
TPropriedadesTabela PropriedadesTabela(const TTabela& tabela);

// What the Column panel shows for a column: a date/time column (DATETIME_PRECISION not -1)
// shows that precision in the precision field, and the foreign fields name the referenced
// column when there is one (they are empty otherwise).
TPropriedadesColuna PropriedadesColuna(const TColuna& coluna);

// DATA_TYPE of the first provider-type line whose TYPE_NAME is `nome` exactly; -1 when
// there is none or its DATA_TYPE is not a number.
std::int32_t TipoOLE(const TListaTextos& tiposProvider, std::string_view nome);

// Commits the panels for the selection: table `tabela` (qualified name) and, when `coluna`
// is not empty, its column `coluna`. Nothing happens when `tabela` is empty.
//
// - Every column of the table takes the Table panel's name, schema, type, alias and
//   comment, so all the copies of the table the columns hold stay equal.
// - The selected column takes name, alias, the three boxes, the type name, length and
//   scale; with the date/time box the precision field becomes DATETIME_PRECISION and
//   NUMERIC_PRECISION is -1, without it the reverse; DATA_TYPE is TipoOLE of the type name.
//   Its facts (nullable, unique, auto-increment, default, comment) are the panel's.
// - A property the panels change from what they showed for the column (the table's
//   comment for the table) is marked set by hand (MarkHandSet), so that a refresh from the
//   database keeps it.
// - Its foreign link follows the Foreign Key box:
//     was and stays a key:  the referenced column takes the foreign table (split at its
//                           first ".") and column names; one is created first when there
//                           is none and a name is given;
//     was and no longer is: the referenced column is dropped;
//     was not and now is:   the referenced column becomes a copy of the column the foreign
//                           names find in the set, or an empty one when they find none;
//     was not and is not:   nothing changes.
//
// Names are looked up before anything is written, so a rename in the same commit does not
// hide the selection; the set's index follows the changes by itself.
void GravaPropriedades(TControlaColunas& colunas, std::string_view tabela, std::string_view coluna,
                       const TPropriedadesTabela& propriedadesTabela,
                       const TPropriedadesColuna& propriedadesColuna,
                       const TListaTextos& tiposProvider);

} // namespace fendril

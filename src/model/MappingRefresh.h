#pragma once

// Bringing a mapping up to date with its database: the comparison of the mapping's tables
// and columns with what the database holds now, as a list of changes, and the application
// of the changes a person chose, keeping what people decided (aliases, enabled flags, and
// the properties set by hand). Plain column sets in, a change list out; reading the
// database is the schema layer's (schema/RefreshReading.h).

#include "model/TControlaColunas.h"
#include "model/Textos.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fendril {

// Every property, in the order the change list names them.
inline constexpr TColumnProperty kColumnProperties[] = {
    TColumnProperty::type,          TColumnProperty::length,        TColumnProperty::precision,
    TColumnProperty::scale,         TColumnProperty::datePrecision, TColumnProperty::primaryKey,
    TColumnProperty::foreignKey,    TColumnProperty::nullable,      TColumnProperty::unique,
    TColumnProperty::autoIncrement, TColumnProperty::defaultValue,  TColumnProperty::comment};

// A property's value as a refresh compares and remembers it: the type name; the sizes in
// decimal; "1" or "0" for the primary key and the yes/no facts; for the foreign key the
// referenced column's qualified table name and name joined by "." (empty when the column
// is no foreign key, "?" for a key that names no column); the default and comment as they
// are.
std::string PropertyValue(const TColuna& coluna, TColumnProperty property);
// Sets a property of `coluna` to what it is in `fonte`: the type takes its name, code and
// best-match flag; the foreign key its flag and a copy of the referenced column.
void CopyProperty(TColuna& coluna, const TColuna& fonte, TColumnProperty property);

// The name of a property where documents store it ("type", "length", "precision", "scale",
// "dateprecision", "primarykey", "foreignkey", "nullable", "unique", "autoincrement",
// "default", "comment"), and the reverse (none for a name it does not know).
std::string_view PropertyKey(TColumnProperty property);
std::optional<TColumnProperty> PropertyFromKey(std::string_view chave);
// Its caption in change lines ("Type", "Date Precision", "Auto-Increment", ...).
std::string_view PropertyCaption(TColumnProperty property);

// Marks a property of the column as set by hand, remembering its present value as what
// the database said (as far as the mapping knows), unless it is marked already; the
// mapping window's commit does so before it writes a value the person changed. The same
// for a table's comment.
void MarkHandSet(TColuna& coluna, TColumnProperty property);
void MarkHandSetComment(TTabela& tabela);

enum class TChangeKind : std::uint8_t {
    tableAdded,         // a table of the database the mapping lacks: added with its columns
    tableDropped,       // a table of the mapping the database lacks: removed
    tableComment,       // the table's comment changed
    tableCommentKept,   // ... but the mapping's was set by hand: reported, kept
    columnAdded,        // a column the mapping lacks: added at its place
    columnDropped,      // a column the database lacks: removed
    columnMoved,        // a column whose place among the others changed
    columnProperty,     // a property of the column changed
    columnPropertyKept, // ... but the mapping's was set by hand: reported, kept
    likelyRename,       // a dropped and an added column of the same type and place
};

// One change, as a refresh lists it.
struct TRefreshChange {
    TChangeKind kind;
    std::string table;  // qualified name
    std::string column; // for a column's change; the dropped one of a likely rename
    std::optional<TColumnProperty> property{};
    // Applying it changes the mapping; a likely rename is only reported (its drop and add
    // are changes of their own).
    bool applicable = true;
    std::string text{}; // the line under its table: `Column "total": Type numeric -> money`

    // "Table " + the quoted table name + ": " + text: one line for logs.
    std::string FullText() const;
    bool operator==(const TRefreshChange&) const = default;
};
using TRefreshChanges = std::vector<TRefreshChange>;

// The qualified names of the tables of a column set, each once (exact names), in the order
// of their first columns; an empty name is left out.
TListaTextos MappedTables(const TControlaColunas& colunas);

// What the database says of the mapping's tables `mappedTables`: `databaseTables`, the
// qualified names of those of them it still has and of the tables to add, in its order,
// and `database`, the columns of those tables as it gives them now.
//
// Tables of `mappedTables` not among `databaseTables` are dropped and the others compared
// column by column (by exact name): columns added, dropped, moved (those outside the
// longest run the two orders share), then every property. A property the mapping has set
// by hand is no change while the database still says what it said then; when the database
// changed it, the change is reported and applying it only takes note of the new value. A
// dropped and an added column at the same place with the same type (name and sizes) are
// reported as a likely rename. Tables of `databaseTables` the mapping lacks are added.
//
// The list is grouped by table (the mapping's tables in `mappedTables` order, then the
// added ones), and within a table: the table's own change, then the database's columns in
// its order (added, moved, properties), then the dropped columns, then likely renames.
TRefreshChanges CompareMapping(const TControlaColunas& mapping, const TListaTextos& mappedTables,
                               const TControlaColunas& database,
                               const TListaTextos& databaseTables);

// A copy of the mapping with the changes of `changes` that `chosen` ticks applied (every
// applicable one when `chosen` is empty); `database` is the set the changes were found
// against. Columns keep their aliases, enabled flags and hand-set properties; a table whose
// columns were added, dropped or moved has them in the database's order at the place of its
// first column, every other column stays where it was; added tables come last. Added
// columns take the mapping's table record (alias, type, comment).
std::unique_ptr<TControlaColunas> ApplyRefresh(const TControlaColunas& mapping,
                                               const TControlaColunas& database,
                                               const TRefreshChanges& changes,
                                               const std::vector<bool>& chosen = {});

// The columns of `database` an application took into the mapping (added, or whose type
// changed), for a provider-type list to learn their types.
std::vector<const TColuna*> ColumnsTaken(const TControlaColunas& database,
                                         const TRefreshChanges& changes,
                                         const std::vector<bool>& chosen = {});

// The change list as the command line prints it: each table's name on a line, then its
// changes indented by four spaces; nothing for an empty list.
std::string ChangesText(const TRefreshChanges& changes);

} // namespace fendril

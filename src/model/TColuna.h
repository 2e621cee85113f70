#pragma once

#include "model/TTabela.h"
#include "model/TTipoDado.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace fendril {

// Key role of a column.
enum class TTipoColuna { tcChavePrimaria = 0, tcComum = 1 };

// What the database says about a column besides its name, type and keys. These facts are
// not part of the column's line encoding (stored mappings keep that encoding byte for byte);
// a mapping keeps them apart. Unknown facts read as the defaults below.
struct TColumnFacts {
    bool nullable = true;
    std::string defaultValue; // the default expression as the database reports it
    bool unique = false;      // a single-column unique constraint or unique index
    bool autoIncrement = false;
    std::string comment;

    bool operator==(const TColumnFacts&) const = default;
};

// The properties a column takes from its database: what a refresh compares, and what a
// person may set by hand in the mapping window.
enum class TColumnProperty : std::uint8_t {
    type,
    length,
    precision,
    scale,
    datePrecision,
    primaryKey,
    foreignKey,
    nullable,
    unique,
    autoIncrement,
    defaultValue,
    comment
};

// The properties of a column a person set by hand, each with what the database said of it
// (as PropertyValue in model/MappingRefresh.h writes it) when the mapping last read the
// database. A refresh keeps the hand-set values and reports where the database has changed
// since. Like the facts, they are not part of the column's line encoding.
using THandSetProperties = std::map<TColumnProperty, std::string>;

// A column of a mapping. It holds its table (which owns its database; a record the columns
// of a table may share, see getTabela), owns its data type and,
// when it is a foreign key, a copy of the column it refers to.
class TColuna {
public:
    TColuna();
    ~TColuna();
    TColuna(const TColuna&) = delete;
    TColuna& operator=(const TColuna&) = delete;
    TColuna(TColuna&&) noexcept = default;
    TColuna& operator=(TColuna&&) noexcept = default;

    std::string nome;
    TTipoColuna tipoColuna = TTipoColuna::tcComum;
    bool habilitado = true;
    std::string alias;
    bool chaveEstrangeira = false;
    TColumnFacts facts;         // not encoded: see TColumnFacts
    THandSetProperties handSet; // not encoded either

    // Columns read one after another with the same table share one table record (a large
    // part of a mapping's memory otherwise). Changing the table through this getter first
    // gives the column a record of its own, so that the change reaches no other column;
    // code that only reads should reach the column as const.
    TTabela& getTabela();
    const TTabela& getTabela() const { return *m_tabela; }
    // The table record as shared: a change reaches every column that shares it. For setting
    // what every column of a table holds alike.
    TTabela& getTabelaCompartilhada() { return *m_tabela; }
    // Takes `anterior` as this column's table record when the two are equal in every field;
    // otherwise `anterior` becomes this column's record. For columns built one table after
    // another, which then share each table's record.
    void CompartilhaTabelaIgual(std::shared_ptr<TTabela>& anterior);
    // A new column holding `tabela` (not null), shared with whoever else holds it.
    static std::unique_ptr<TColuna> ComTabela(std::shared_ptr<TTabela> tabela);
    TTipoDado& getTipoDado() { return m_tipoDado; }
    const TTipoDado& getTipoDado() const { return m_tipoDado; }
    // The referenced column; null when absent.
    TColuna* getColunaEstrangeira() { return m_colunaEstrangeira.get(); }
    const TColuna* getColunaEstrangeira() const { return m_colunaEstrangeira.get(); }

    // 1 for tcChavePrimaria, 0 for tcComum.
    int getChavePrimaria() const { return tipoColuna == TTipoColuna::tcChavePrimaria ? 1 : 0; }
    // 1 makes the column part of the primary key; any other value makes it common.
    void setChavePrimaria(int valor) {
        tipoColuna = valor == 1 ? TTipoColuna::tcChavePrimaria : TTipoColuna::tcComum;
    }

    // Creates an empty referenced column when there is none.
    void CriaColunaEstrangeira();
    // Makes the referenced column a deep copy of `coluna`.
    void CopiaColunaEstrangeira(const TColuna& coluna);
    void RemoveColunaEstrangeira();

    // The column's own part, its type, its table with its database, then the referenced
    // column's encoding when chaveEstrangeira is true, or "|>" otherwise.
    std::string Codifica() const;
    // The encoding of the table record a column encoded last, for encoding the columns of a
    // set in order: columns that share their table's record (as read ones do) encode it
    // once. Kept for one pass only, over columns that do not change meanwhile.
    struct TTabelaCodificada {
        std::shared_ptr<const TTabela> registro;
        std::string texto;
    };
    // Codifica, taking the table's encoding from `anterior` when this column shares the
    // record encoded there (and keeping its own there otherwise).
    std::string Codifica(TTabelaCodificada& anterior) const;
    // Restores a column from an encoding. An encoding without a referenced column leaves
    // the present one in place.
    void Decodifica(std::string_view texto);
    // What reading a column encoding leaves for reading the next: its table's encoded parts
    // and the record read from them.
    struct TTabelaLida {
        std::string_view propria;
        std::string_view baseDados;
        std::shared_ptr<TTabela> tabela;
    };
    // Decodifica, sharing the table record of the column read before (`anterior`, then
    // updated for the next) when the encoding names the table as that column's did and the
    // two records agree on what the encoding does not carry.
    void Decodifica(std::string_view texto, TTabelaLida& anterior);
    // A new column with Decodifica(texto, anterior) done. A column sharing the record before
    // it never gets a record of its own, which reading a large mapping would make and drop
    // for nearly every column.
    static std::unique_ptr<TColuna> DecodificaNova(std::string_view texto, TTabelaLida& anterior);
    // A new column equal to the one Decodifica(Codifica()) gives in a new column, built
    // field by field without the text: the encoded fields of the column, its type, table
    // and database, and of the referenced columns the encoding carries; nothing else.
    std::unique_ptr<TColuna> CopiaCodificada() const;
    // Takes what the encoding does not carry (the facts of the column and its table's
    // comment, and which of them were set by hand) from `outra`, as a copy made through the
    // encoding needs.
    void CopiaFatosDe(const TColuna& outra);

private:
    // A column without a table record, which DecodificaNova and ComTabela give one before
    // the column is seen by anyone else (or drop with the column when the text does not
    // decode).
    struct TSemTabela {};
    explicit TColuna(TSemTabela) {}

    void CodificaPropria(std::string& texto, TTabelaCodificada* anterior = nullptr) const;
    void DecodificaPropria(std::string_view parte);

    std::shared_ptr<TTabela> m_tabela;
    TTipoDado m_tipoDado;
    std::unique_ptr<TColuna> m_colunaEstrangeira;
};

// The qualified table name and the column name of a column encoding, as far as they can be
// read: for a message about an encoding that does not decode.
struct TNomesColuna {
    std::string tabela;
    std::string coluna;
};
TNomesColuna NomesDaCodificacao(std::string_view texto);

} // namespace fendril

#pragma once

#include "model/Erros.h"
#include "model/TColuna.h"
#include "model/Textos.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace fendril {

using TArrColunas = std::vector<std::unique_ptr<TColuna>>;

// The warning about a table a column set leaves out, for logs and the command line.
std::string AvisoTabelaOculta(const std::string& oculta, const std::string& listada);

// A column line that does not decode: which line of the list (from 0), the table and column
// it names as far as they can be read, and why it failed.
class EColunaIlegivel : public Exception {
public:
    EColunaIlegivel(std::size_t indice, TNomesColuna nomes, const std::string& motivo);
    std::size_t indice() const { return m_indice; }
    const TNomesColuna& nomes() const { return m_nomes; }
    const std::string& motivo() const { return m_motivo; }

private:
    std::size_t m_indice;
    TNomesColuna m_nomes;
    std::string m_motivo;
};

// The column set of one mapping: an ordered array of owned columns. Tables, their aliases
// and column lists are not stored apart; they are whatever the columns' own table records
// say, tables being recognised by their qualified name.
//
// Answers come from an index built on first use. Any handle that lets a caller change
// columns (the non-const getColunas, getColuna and getTabela) makes the set rebuild the
// index at the next question; read through a const set to keep it. A caller that keeps
// a writable handle and changes names or aliases through it later calls InvalidaIndice.
class TControlaColunas {
public:
    TControlaColunas() = default;
    explicit TControlaColunas(std::size_t quantidade);
    TControlaColunas(const TControlaColunas&) = delete;
    TControlaColunas& operator=(const TControlaColunas&) = delete;

    std::size_t quantidade() const { return m_colunas.size(); }

    // Destroys every column, then holds n new ones.
    void Redimensiona(std::size_t n);
    // Decodes line i into column i, for every column of the set; a line that does not
    // decode raises EColunaIlegivel.
    void CarregaLinhas(const TListaTextos& linhas);
    // Appends a column decoded from `linha`, reading as CarregaLinhas reads its lines one
    // after another (`anterior` carries over from one line to the next, and the previous
    // line must still be alive); a line that does not decode raises EColunaIlegivel.
    void AcrescentaLinha(std::string_view linha, TColuna::TTabelaLida& anterior);
    // Column i becomes a deep copy of entry i, for every column of the set.
    void CopiaColunas(const TArrColunas& colunas);

    // The live array: change columns in place, never resize it.
    TArrColunas& getColunas();
    const TArrColunas& getColunas() const { return m_colunas; }

    // The first column whose table's qualified name and whose nome equal the arguments
    // exactly; null when there is none.
    TColuna* getColuna(std::string_view tabela, std::string_view coluna);
    const TColuna* getColuna(std::string_view tabela, std::string_view coluna) const;
    // The table record of the first column of that qualified name; null when none.
    TTabela* getTabela(std::string_view tabela);
    const TTabela* getTabela(std::string_view tabela) const;

    // Distinct qualified table names in order of first appearance (letter case ignored
    // when telling them apart); an empty name is left out.
    TListaTextos getNomesTabelas() const;
    // How many names getNomesTabelas gives, without copying them.
    std::size_t QuantasTabelas() const;
    // The qualified names getNomesTabelas leaves out because a name met before them equals
    // them without regard to letter case: each once, in order, with the name listed instead.
    std::vector<std::pair<std::string, std::string>> getTabelasOcultas() const;
    // AvisoTabelaOculta for each table of getTabelasOcultas.
    TListaTextos AvisosTabelasOcultas() const;
    // Distinct non-empty table aliases, in order of first appearance.
    TListaTextos getAliasTabelas() const;
    // Distinct column names of the columns of that table (exact match), or of every column
    // when the argument is empty; an empty column name is listed once.
    TListaTextos getNomesColunas(std::string_view tabela) const;
    // The same, selecting the columns by their table's alias.
    TListaTextos getNomesColunasAlias(std::string_view alias) const;
    // The columns getNomesColunas(tabela) names, each as getColuna gives it, in that order.
    std::vector<const TColuna*> getColunasDaTabela(std::string_view tabela) const;
    // The enabled foreign-key columns of every table whose referenced column belongs to the
    // table of that qualified name (letter case ignored), in the order of getNomesTabelas and
    // getColunasDaTabela.
    const std::vector<const TColuna*>& getColunasQueReferenciam(std::string_view tabela) const;
    // Builds now every lookup that a const reader would build on first use: afterwards
    // several threads may read the set at once, through const access only, until it changes.
    void PreparaLeituraConcorrente() const;

    // Positions in getColunas of the columns of that table (exact qualified name), in order.
    // Positions stay valid until the set is resized or a table is removed.
    std::vector<std::size_t> PosicoesDaTabela(std::string_view tabela) const;
    // The positions of the columns getColuna(tabela, nome) gives for each tabela of
    // getNomesTabelas and each nome of getNomesColunas(tabela), in that order (the first
    // column of each table for each name told apart without regard to case), found by
    // position instead of by looking each name up again.
    std::vector<std::size_t> PosicoesPorTabela() const;
    // The position of the column getColuna answers with; none when there is no such column.
    std::optional<std::size_t> PosicaoDaColuna(std::string_view tabela,
                                               std::string_view coluna) const;
    // Changes the column at `posicao` in place. The index is kept unless the change touched
    // what it answers by (the table's qualified name or alias, the column's name, and for
    // getColunasQueReferenciam the enabled flag and the foreign link), so that editing many
    // columns stays cheap and no caller has to tell the set what changed.
    void AlteraColuna(std::size_t posicao, const std::function<void(TColuna&)>& altera);

    // Removes every column of that table; the others keep their order.
    void RemoveTabela(std::string_view tabela);

    // Tells the set that names or aliases were changed through a handle it gave out earlier.
    void InvalidaIndice() { m_indiceValido = false; }

private:
    // Decodes line `indice` into `coluna`; a line that does not decode raises
    // EColunaIlegivel naming it.
    static void DecodificaLinha(TColuna& coluna, std::size_t indice, std::string_view linha,
                                TColuna::TTabelaLida& anterior);

    struct Indice {
        TListaTextos nomesTabelas;
        TListaTextos aliasTabelas;
        std::unordered_map<std::string, std::vector<std::size_t>> porTabela; // exact name
        std::unordered_map<std::string, std::vector<std::size_t>> porAlias;  // exact alias
        // Name + '\0' + column; built on the first lookup of a column by name, which many
        // uses of a set (a generation's per-table sets) never make.
        bool porColunaFeito = false;
        std::unordered_map<std::string, std::size_t> porColuna;
        // Foreign keys by the folded qualified name of the table they refer to; built on
        // the first question about them.
        bool referenciasFeitas = false;
        std::unordered_map<std::string, std::vector<const TColuna*>> referencias;
    };

    const Indice& indice() const;
    // The lookups of Indice built on first use.
    void ConstroiPorColuna() const;
    void ConstroiReferencias() const;
    std::optional<std::size_t> PrimeiraDaTabela(std::string_view tabela) const;
    std::vector<const TColuna*> ColunasDistintas(const std::vector<std::size_t>& selecao) const;
    TListaTextos NomesDistintos(const std::vector<std::size_t>* selecao) const;

    TArrColunas m_colunas;
    mutable Indice m_indice;
    mutable bool m_indiceValido = false;
};

} // namespace fendril

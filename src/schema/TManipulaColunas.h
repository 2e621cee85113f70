#pragma once

#include "model/TColuna.h"
#include "schema/TColecao.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace fendril {

// The encoded records of the tables foreign keys refer to, by name and schema (joined by
// '\0'), as the tables reader gives them; none when it has no such table. One reading of
// many tables looks each up once; kept encoded, as they are decoded from that text anyway
// and take a fraction of a record's memory.
using TTabelasReferidas = std::unordered_map<std::string, std::optional<std::string>>;

// A provider-type list (lines DATA_TYPE;TYPE_NAME;flag;...) cut into its fields once, with
// what a column's type is looked up by: the flag of the first line of a type name, and the
// first line of an indicator.
struct TTiposProvider {
    explicit TTiposProvider(const TListaTextos& linhas);

    std::vector<TListaTextos> campos;
    std::unordered_map<std::string, std::string> melhorPorNome;
    std::unordered_map<std::string, std::size_t> primeiraPorIndicador;
};

// The columns of a COLUMNS rowset, each completed with its table, database, key roles,
// foreign link and provider data type from the other rowsets of the same reading.
//
// A column is matched with its table and its keys by schema as well as by name, so that
// tables of the same name in two schemas keep their own columns and keys (Null and empty
// schemas count as the same).
//
// A column's type is the type the database declares (FENDRIL_TYPE_NAME) with the sizes of
// the row; where the source cannot tell it, the first provider type of the row's
// indicator. Its facts come from the row (IS_NULLABLE, COLUMN_DEFAULT, DESCRIPTION,
// FENDRIL_IS_UNIQUE, FENDRIL_IS_AUTOINCREMENT; Null reads as not known) and its table's
// comment from the TABLES row's DESCRIPTION; a primary-key column is never nullable, and
// the column of a one-column key is unique.
class TColecaoColunas : public TColecao {
public:
    TColecaoColunas();

    void setCatalogos(std::unique_ptr<TRowset> recordset);
    void setTabelas(std::unique_ptr<TRowset> recordset);
    void setChavesPrimarias(std::unique_ptr<TRowset> recordset);
    void setChavesEstrangeiras(std::unique_ptr<TRowset> recordset);
    // The provider types, cut already: one reader's collections share them.
    void setTiposProvider(std::shared_ptr<const TTiposProvider> tipos) {
        m_tipos = std::move(tipos);
    }
    // The connection parameters the foreign-table lookups open their table readers with.
    void setConexao(std::string stringConexao, std::string usuario, std::string senha,
                    std::string nomeBaseDados, TFabricaConexao fabrica);
    // Where the referenced tables already looked up are kept (not null); shared by the
    // collections of one reader, so that a table is looked up once for all of them.
    void setTabelasReferidas(std::shared_ptr<TTabelasReferidas> tabelas) {
        m_tabelasReferidas = std::move(tabelas);
    }
    // For a caller that takes every column with TomaColuna: a column that is no foreign key
    // is then built without the blank referenced column TomaColuna would drop at once.
    void setColunasTomadas(bool tomadas) { m_colunasTomadas = tomadas; }

    const TColuna& getColuna() const;
    // Hands the current column over to the caller, leaving a default one in its place: what a
    // caller that keeps the column's encoding and decodes it later would get, without the
    // round trip (a referenced column the encoding would not carry is dropped).
    std::unique_ptr<TColuna> TomaColuna();
    // Builds the current column; a failure is raised as EErroGeral "Colecao Colunas:
    // Problemas na Montagem da Coluna" carrying the underlying message.
    void MontaAtual() override;
    std::unique_ptr<TColuna> MontaColuna();

    struct TChaves {
        std::unique_ptr<TColuna> coluna; // the referenced column, when estrangeira
        bool estrangeira = false;
        bool primaria = false;
        int colunasPrimarias = 0; // columns of the table's primary key
    };
    TChaves ProcuraChaves(const std::string& esquema, const std::string& tabela,
                          const std::string& coluna);
    void PreencheTipoDado(TColuna& coluna) const;

private:
    // The encoded record of the referenced table; none when the tables reader has no table
    // of that name in that schema.
    std::optional<std::string> LeTabelaReferida(const std::string& nome,
                                                const std::string& esquema) const;

    std::string m_stringConexao;
    std::string m_usuario;
    std::string m_senha;
    std::string m_nomeBaseDados;
    TFabricaConexao m_fabrica;
    TColecao m_catalogos;
    TColecao m_tabelas;
    TColecao m_chavesPrimarias;
    TColecao m_chavesEstrangeiras;
    std::unique_ptr<TColuna> m_coluna;         // none once taken, until the next is built
    std::shared_ptr<TTabela> m_tabelaAnterior; // the record the last column built holds
    // The TABLES and CATALOGS rows (-1 for none) that record was last read from, and what
    // it held then: the same rows give the same record, so while it is unchanged the next
    // column of the table takes it without reading the rows again.
    std::int32_t m_linhaTabelaLida = -2;
    std::int32_t m_linhaCatalogoLida = -2;
    TTabela m_registroLido;
    std::shared_ptr<const TTiposProvider> m_tipos =
        std::make_shared<TTiposProvider>(TListaTextos());
    std::shared_ptr<TTabelasReferidas> m_tabelasReferidas = std::make_shared<TTabelasReferidas>();
    bool m_colunasTomadas = false;
};

// Reads the columns of the tables a filter selects (tipoFiltro 0 column name, 1 table
// name, 2 schema, 3 catalog), with their keys and types.
class TManipulaColunas {
public:
    TManipulaColunas(std::string stringConexao, std::string usuario, std::string senha,
                     std::string nomeBaseDados, TFabricaConexao fabrica = FabricaPadrao());
    ~TManipulaColunas();
    TManipulaColunas(const TManipulaColunas&) = delete;
    TManipulaColunas& operator=(const TManipulaColunas&) = delete;

    void setTiposProvider(const TListaTextos& tipos) {
        m_tiposProvider = std::make_shared<TTiposProvider>(tipos);
    }
    // Tells the columns read that the caller takes each of them (TColecaoColunas::
    // setColunasTomadas).
    void setColunasTomadas(bool tomadas) { m_colunasTomadas = tomadas; }
    void Abre(std::uint8_t tipoFiltro, const std::string& filtro);

    static TFiltro MontaFiltroCatalogos(const std::string& filtro, std::uint8_t tipoFiltro);
    static TFiltro MontaFiltroTabelas(const std::string& filtro, std::uint8_t tipoFiltro);
    static TFiltro MontaFiltroChavesPrimarias(const std::string& filtro, std::uint8_t tipoFiltro);
    static TFiltro MontaFiltroChavesEstrangeiras(const std::string& filtro,
                                                 std::uint8_t tipoFiltro);
    static TFiltro MontaFiltroColunas(const std::string& filtro, std::uint8_t tipoFiltro);

    void Fecha();
    // The cursor while open; EErroGeral "TManipulaColunas: Connection Closed" otherwise.
    TColecaoColunas& getColecao();
    void RegistraLog(const std::string& texto);
    const TListaTextos& getLog() const { return m_log; }
    // The logged text of the first column's build when it failed during Abre; empty when it
    // did not.
    const std::string& getFalhaMontagem() const { return m_falhaMontagem; }

private:
    std::string m_stringConexao;
    std::unique_ptr<TConexao> m_conexao;
    bool m_conectado = false;
    std::unique_ptr<TColecaoColunas> m_colecao;
    std::string m_usuario;
    std::string m_senha;
    std::string m_nomeBaseDados;
    TListaTextos m_log;
    std::string m_falhaMontagem;
    std::shared_ptr<const TTiposProvider> m_tiposProvider =
        std::make_shared<TTiposProvider>(TListaTextos());
    TFabricaConexao m_fabrica;
    bool m_colunasTomadas = false;
    // Kept across the tables this reader opens: a referenced table is looked up once.
    std::shared_ptr<TTabelasReferidas> m_tabelasReferidas = std::make_shared<TTabelasReferidas>();
};

// The provider-type list of a data source: one line DATA_TYPE;TYPE_NAME;flag;CREATE_PARAMS;
// per type, best-matching types first, each group in the source's order. Failures are not
// caught, and any of them (to connect, to get the rowset, or while walking its rows) leaves
// `tiposProvider` unchanged.
void CarregaTiposProvider(const std::string& stringConexao, const std::string& usuario,
                          const std::string& senha, TListaTextos& tiposProvider,
                          const TFabricaConexao& fabrica = FabricaPadrao());

} // namespace fendril

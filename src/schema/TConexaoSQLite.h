#pragma once

#include "schema/ColunasSQLite.h"
#include "schema/FonteEsquema.h"
#include "schema/TiposSQLite.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;

namespace fendril {

// The native SQLite provider ("Provider=SQLite;Data Source=PATH"). The file is opened read
// only and never created. SQLite has no catalogs: its one database is offered as the
// catalog "main", which is also the only name DefaultDatabase accepts.
class TConexaoSQLite : public TConexaoCatalogo {
public:
    TConexaoSQLite() = default;
    ~TConexaoSQLite() override;

    void Open(const std::string& stringConexao, const std::string& usuario,
              const std::string& senha) override;
    void DefaultDatabase(const std::string& nome) override;
    void Close() override;
    std::string BaseDadosAtual() const override { return m_banco ? "main" : ""; }

    // The open database, for queries of its rows; null while closed.
    sqlite3* Banco() const { return m_banco; }

protected:
    TDadosRowset LeEsquema(TEsquema esquema) override;
    // COLUMNS is built one row at a time; the other rowsets as LeEsquema reads them.
    TLinhasCompactas LeLinhas(TEsquema esquema) override;

private:
    struct TTabelaSQLite {
        std::string nome;
        std::string tipo; // "TABLE", "VIEW" or "SYSTEM TABLE"
    };
    // One reader per rowset, each giving the whole rowset at the standard ordinals.
    TDadosRowset LeCatalogos();
    TDadosRowset LeTabelas();
    TDadosRowset LeColunas();
    // Gives each COLUMNS row, table by table, to `recebe`.
    template <typename Recebe> void ParaCadaColuna(Recebe&& recebe);
    TDadosRowset LeChavesPrimarias();
    TDadosRowset LeChavesEstrangeiras();
    TDadosRowset LeTiposProvider();

    // InterpretaTipoSQLite of a declared type, read once per distinct declaration: a
    // schema repeats a handful of them over all its columns.
    const TTipoDeclarado& TipoDeclarado(const std::string& declarado);

    const std::vector<TTabelaSQLite>& Tabelas();
    // The columns of table i of Tabelas(); read once for every table.
    const std::vector<TColunaSQLite>& Colunas(std::size_t tabela);

    sqlite3* m_banco = nullptr;
    std::vector<TTabelaSQLite> m_tabelas;
    bool m_tabelasLidas = false;
    std::vector<std::vector<TColunaSQLite>> m_colunas;
    bool m_colunasLidas = false;
    // The rowsets built from m_colunas so far (TRowsetDasColunas bits); see Servido.
    unsigned m_servidos = 0;
    void Servido(unsigned rowset);
    std::unordered_map<std::string, TTipoDeclarado> m_tiposDeclarados;
};

} // namespace fendril

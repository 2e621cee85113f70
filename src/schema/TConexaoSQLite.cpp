#include "schema/TConexaoSQLite.h"

#include "model/Erros.h"
#include "model/Textos.h"
#include "schema/StringConexao.h"
#include "schema/TiposSQLite.h"

#include <algorithm>
#include <new>
#include <optional>
#include <sqlite3.h>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace fendril {

namespace {

const char* const kCatalogo = "main";

// A prepared statement, finalized when it goes away.
class TComando {
public:
    TComando(sqlite3* banco, const std::string& sql) : TComando(banco, sql.c_str()) {}
    TComando(sqlite3* banco, const char* sql) {
        if (sqlite3_prepare_v2(banco, sql, -1, &m_comando, nullptr) != SQLITE_OK) {
            const std::string mensagem = sqlite3_errmsg(banco);
            sqlite3_finalize(m_comando);
            m_comando = nullptr;
            throw Exception(mensagem);
        }
    }
    ~TComando() { sqlite3_finalize(m_comando); }
    TComando(const TComando&) = delete;
    TComando& operator=(const TComando&) = delete;

    // True while there is a row; raises on an error.
    bool Passo() {
        const int resultado = sqlite3_step(m_comando);
        if (resultado == SQLITE_ROW) {
            return true;
        }
        if (resultado == SQLITE_DONE) {
            return false;
        }
        throw Exception(sqlite3_errmsg(sqlite3_db_handle(m_comando)));
    }
    TValor Valor(int coluna) const {
        // The text is a null pointer for Null, so the type is asked only then (a value that
        // could not be converted for want of memory also gives none, and reads empty).
        const auto* texto = reinterpret_cast<const char*>(sqlite3_column_text(m_comando, coluna));
        if (texto == nullptr) {
            return sqlite3_column_type(m_comando, coluna) == SQLITE_NULL ? TValor::Nulo()
                                                                         : TValor::De("");
        }
        return TValor::De(
            std::string(texto, static_cast<std::size_t>(sqlite3_column_bytes(m_comando, coluna))));
    }
    std::string Texto(int coluna) const { return Valor(coluna).texto; }
    std::int64_t Inteiro(int coluna) const { return sqlite3_column_int64(m_comando, coluna); }
    // A row of PRAGMA table_info (cid, name, type, notnull, dflt_value, pk) read field by
    // field, as fendril::ColunaSQLite reads the first six columns of kConsultaColunasSQLite
    // from text (its numbers are integers, and Null reads 0 both ways) without the row of
    // texts in between. What the indexes say is left to the caller.
    TColunaSQLite ColunaSQLite() const {
        enum : int { CID, NAME, TYPE, NOTNULL, DFLT_VALUE, PK };
        TColunaSQLite coluna;
        coluna.cid = Inteiro(CID);
        coluna.nome = Valor(NAME);
        coluna.tipo = Texto(TYPE);
        coluna.naoNulo = Inteiro(NOTNULL) != 0;
        coluna.padrao = Valor(DFLT_VALUE);
        coluna.chave = Inteiro(PK);
        return coluna;
    }

private:
    sqlite3_stmt* m_comando = nullptr;
};

std::string MinusculasAscii(std::string texto) {
    for (char& c : texto) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return texto;
}

// One read transaction over a run of statements: each statement outside a transaction
// takes and drops the file's shared lock and checks the schema again, which for one
// statement per table cost more than the statements' own work. Reading inside one
// transaction also sees every table as of one moment. A transaction already open is left
// to its owner.
class TLeituraUnica {
public:
    explicit TLeituraUnica(sqlite3* banco) : m_banco(banco) {
        if (sqlite3_get_autocommit(m_banco) != 0 &&
            sqlite3_exec(m_banco, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK) {
            m_aberta = true;
        }
    }
    ~TLeituraUnica() {
        if (m_aberta && sqlite3_get_autocommit(m_banco) == 0) {
            // Nothing was written: ending the transaction only releases the lock.
            sqlite3_exec(m_banco, "COMMIT", nullptr, nullptr, nullptr);
        }
    }
    TLeituraUnica(const TLeituraUnica&) = delete;
    TLeituraUnica& operator=(const TLeituraUnica&) = delete;

private:
    sqlite3* m_banco;
    bool m_aberta = false;
};

// The names (ASCII lower case, as SQLite matches them) of the tables that may have an
// index: those named by an index of sqlite_schema and those WITHOUT ROWID, whose key is an
// index sqlite_schema does not list. Nothing when SQLite cannot say which tables are
// WITHOUT ROWID (pragma_table_list came with 3.37): then every table may have one.
std::optional<std::unordered_set<std::string>> TabelasComIndice(sqlite3* banco) {
    std::unordered_set<std::string> nomes;
    try {
        TComando indices(banco, "SELECT tbl_name FROM sqlite_schema WHERE type = 'index' "
                                "UNION SELECT name FROM pragma_table_list WHERE wr");
        while (indices.Passo()) {
            nomes.insert(MinusculasAscii(indices.Texto(0)));
        }
    } catch (const Exception&) {
        return std::nullopt;
    }
    return nomes;
}

// "PRAGMA nome='argumento'": the statement that SQLite's table-valued pragma_nome(argumento)
// prepares for each argument it is given, quoted by %Q as SQLite quotes it there. A pragma's
// rows are compiled into its statement, so each table needs a statement of its own either
// way; run directly, the pragma spares the virtual table around it (its own statement
// stepped for each row, and every value copied on to the outer query).
std::string Pragma(const char* nome, const std::string& argumento) {
    char* sql = sqlite3_mprintf("PRAGMA %s=%Q", nome, argumento.c_str());
    if (sql == nullptr) {
        throw std::bad_alloc();
    }
    std::string texto(sql);
    sqlite3_free(sql);
    return texto;
}

// The columns of one table as kConsultaColunasSQLite gives them, read with the same pragmas
// run directly: table_info for the columns; for a table that may have an index
// (`comIndice`), index_list once and index_info once per unique index that is not partial,
// to learn which columns such an index covers alone and whether the key is an index.
// Raises on an error, as the query does.
std::vector<TColunaSQLite> LeColunasTabela(sqlite3* banco, const std::string& tabela,
                                           bool comIndice) {
    std::vector<TColunaSQLite> colunas;
    {
        TComando info(banco, Pragma("table_info", tabela));
        while (info.Passo()) {
            colunas.push_back(info.ColunaSQLite());
            colunas.back().semIndiceChave = true;
        }
    }
    if (!comIndice || colunas.empty()) {
        return colunas;
    }
    // index_list gives seq, name, unique, origin ('c', 'u' or 'pk') and partial.
    enum : int { SEQ, NAME, UNIQUE, ORIGIN, PARTIAL };
    bool chaveIndice = false;
    std::vector<std::string> unicos;
    {
        TComando lista(banco, Pragma("index_list", tabela));
        while (lista.Passo()) {
            chaveIndice = chaveIndice || lista.Texto(ORIGIN) == "pk";
            if (lista.Inteiro(UNIQUE) != 0 && lista.Inteiro(PARTIAL) == 0) {
                unicos.push_back(lista.Texto(NAME));
            }
        }
    }
    // The column of each unique index of one column: index_info gives seqno, cid and name
    // (Null for an expression, which no column name equals).
    std::vector<std::string> sozinhas;
    for (const std::string& indice : unicos) {
        TComando info(banco, Pragma("index_info", indice));
        TValor coluna;
        std::size_t linhas = 0;
        while (info.Passo()) {
            if (++linhas == 1) {
                coluna = info.Valor(2);
            }
        }
        if (linhas == 1 && !coluna.nulo) {
            sozinhas.push_back(coluna.texto);
        }
    }
    for (TColunaSQLite& coluna : colunas) {
        coluna.semIndiceChave = !chaveIndice;
        // Names compare byte for byte, as IN compares two texts without a collation.
        coluna.unica = !coluna.nome.nulo && std::find(sozinhas.begin(), sozinhas.end(),
                                                      coluna.nome.texto) != sozinhas.end();
    }
    return colunas;
}

// SQLite keeps allocation statistics (sqlite3_memory_used and the like) under a global
// mutex taken on every sqlite3_malloc and sqlite3_free; nothing here reads them, and a
// large schema makes hundreds of thousands of allocations. The statistics can be turned
// off only before SQLite initialises, so once per process, before the first open.
void DesligaEstatisticasMemoria() {
    static const bool desligadas = [] {
        // SQLITE_MISUSE when SQLite was already initialised (by another user in this
        // process): the statistics then stay on, which changes nothing but the time.
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        return true;
    }();
    static_cast<void>(desligadas);
}

} // namespace

TConexaoSQLite::~TConexaoSQLite() {
    Close();
}

void TConexaoSQLite::Open(const std::string& stringConexao, const std::string&,
                          const std::string&) {
    Close();
    const TStringConexao pares(stringConexao);
    const std::string caminho = pares.Valor("Data Source").value_or("");
    if (caminho.empty()) {
        throw Exception("No Data Source was given in the connection string");
    }
    DesligaEstatisticasMemoria();
    sqlite3* banco = nullptr;
    const int resultado = sqlite3_open_v2(caminho.c_str(), &banco,
                                          SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    if (resultado != SQLITE_OK) {
        const std::string mensagem =
            banco != nullptr ? sqlite3_errmsg(banco) : sqlite3_errstr(resultado);
        sqlite3_close(banco);
        throw Exception(mensagem + ": " + caminho);
    }
    m_banco = banco;
    // A database another program holds locked is waited for up to the time limit.
    sqlite3_busy_timeout(m_banco, static_cast<int>(TempoLimite().count() * 1000));
    // A file that is not a database opens without complaint; reading its schema tells.
    try {
        TComando comando(m_banco, "SELECT count(*) FROM sqlite_schema");
        comando.Passo();
    } catch (const Exception& erro) {
        Close();
        throw Exception(std::string(erro.what()) + ": " + caminho);
    }
}

void TConexaoSQLite::DefaultDatabase(const std::string& nome) {
    if (!MesmoTextoSemCaixa(nome, kCatalogo)) {
        throw Exception("Unknown database \"" + nome +
                        "\": an SQLite file holds the database "
                        "\"main\" only");
    }
}

void TConexaoSQLite::Close() {
    if (m_banco != nullptr) {
        sqlite3_close(m_banco);
        m_banco = nullptr;
    }
    m_tabelas.clear();
    m_tabelasLidas = false;
    m_colunas.clear();
    m_colunasLidas = false;
    m_servidos = 0;
    m_tiposDeclarados.clear();
    EsqueceEsquemas();
}

const std::vector<TConexaoSQLite::TTabelaSQLite>& TConexaoSQLite::Tabelas() {
    if (m_banco == nullptr) {
        throw Exception("Operation is not allowed when the object is closed.");
    }
    if (!m_tabelasLidas) {
        TComando comando(m_banco, "SELECT name, type FROM sqlite_schema "
                                  "WHERE type IN ('table', 'view')");
        while (comando.Passo()) {
            TTabelaSQLite tabela;
            tabela.nome = comando.Texto(0);
            const std::string tipo = comando.Texto(1);
            if (MinusculasAscii(tabela.nome).rfind("sqlite_", 0) == 0) {
                tabela.tipo = "SYSTEM TABLE";
            } else {
                tabela.tipo = tipo == "view" ? "VIEW" : "TABLE";
            }
            m_tabelas.push_back(std::move(tabela));
        }
        // The order of the OLE DB TABLES rowset: by type, then by name.
        std::sort(m_tabelas.begin(), m_tabelas.end(),
                  [](const TTabelaSQLite& a, const TTabelaSQLite& b) {
                      return a.tipo != b.tipo ? a.tipo < b.tipo : a.nome < b.nome;
                  });
        m_tabelasLidas = true;
    }
    return m_tabelas;
}

const TTipoDeclarado& TConexaoSQLite::TipoDeclarado(const std::string& declarado) {
    auto achado = m_tiposDeclarados.find(declarado);
    if (achado == m_tiposDeclarados.end()) {
        achado = m_tiposDeclarados.emplace(declarado, InterpretaTipoSQLite(declarado)).first;
    }
    return achado->second;
}

const std::vector<TColunaSQLite>& TConexaoSQLite::Colunas(std::size_t tabela) {
    if (!m_colunasLidas) {
        const auto& tabelas = Tabelas();
        m_colunas.assign(tabelas.size(), {});
        const TLeituraUnica leitura(m_banco);
        const auto comIndice = TabelasComIndice(m_banco);
        for (std::size_t t = 0; t < tabelas.size(); ++t) {
            const bool indice =
                !comIndice || comIndice->count(MinusculasAscii(tabelas[t].nome)) != 0;
            try {
                m_colunas[t] = LeColunasTabela(m_banco, tabelas[t].nome, indice);
            } catch (const Exception&) {
                // A view whose definition no longer compiles has no columns to offer; the
                // other tables are still read.
                m_colunas[t].clear();
            }
        }
        m_colunasLidas = true;
    }
    return m_colunas[tabela];
}

TDadosRowset TConexaoSQLite::LeEsquema(TEsquema esquema) {
    switch (esquema) {
    case TEsquema::adSchemaCatalogs:
        return LeCatalogos();
    case TEsquema::adSchemaTables:
        return LeTabelas();
    case TEsquema::adSchemaColumns:
        return LeColunas();
    case TEsquema::adSchemaPrimaryKeys:
        return LeChavesPrimarias();
    case TEsquema::adSchemaForeignKeys:
        return LeChavesEstrangeiras();
    case TEsquema::adSchemaProviderTypes:
        return LeTiposProvider();
    }
    return {};
}

TDadosRowset TConexaoSQLite::LeTiposProvider() {
    // The provider's types, and every type a column declares that they are not.
    TDadosRowset tipos = TiposProviderSQLite();
    // A declaration met again adds nothing more: each is offered once, where first met.
    std::unordered_set<const TTipoDeclarado*> oferecidos;
    for (std::size_t t = 0; t < Tabelas().size(); ++t) {
        for (const TColunaSQLite& coluna : Colunas(t)) {
            const TTipoDeclarado& declarado = TipoDeclarado(coluna.tipo);
            if (oferecidos.insert(&declarado).second) {
                AcrescentaTipoDeclarado(tipos, declarado.nome, declarado.tipoOLE);
            }
        }
    }
    MarcaMelhoresTipos(tipos);
    return tipos;
}

TDadosRowset TConexaoSQLite::LeCatalogos() {
    namespace c = rowset::catalogs;
    TDadosRowset dados;
    TLinhaValores linha(c::kCampos);
    linha[c::CATALOG_NAME] = TValor::De(kCatalogo);
    dados.linhas.push_back(std::move(linha));
    return dados;
}

TDadosRowset TConexaoSQLite::LeTabelas() {
    namespace c = rowset::tables;
    TDadosRowset dados;
    for (const TTabelaSQLite& tabela : Tabelas()) {
        TLinhaValores linha(c::kCampos);
        linha[c::TABLE_CATALOG] = TValor::De(kCatalogo);
        linha[c::TABLE_NAME] = TValor::De(tabela.nome);
        linha[c::TABLE_TYPE] = TValor::De(tabela.tipo);
        dados.linhas.push_back(std::move(linha));
    }
    return dados;
}

template <typename Recebe> void TConexaoSQLite::ParaCadaColuna(Recebe&& recebe) {
    const auto& tabelas = Tabelas();
    // One row, filled again for each column: `recebe` copies what it keeps.
    TLinhaValores linha;
    for (std::size_t t = 0; t < tabelas.size(); ++t) {
        const std::vector<TColunaSQLite>& colunas = Colunas(t);
        for (const TColunaSQLite& coluna : colunas) {
            PreencheLinhaColunaSQLite(linha, tabelas[t].nome, colunas, coluna,
                                      TipoDeclarado(coluna.tipo));
            recebe(std::as_const(linha));
        }
    }
}

namespace {
enum TRowsetDasColunas : unsigned { ServeColunas = 1, ServePrimarias = 2, ServeEstrangeiras = 4 };
}

// The columns read from the database are kept while the rowsets built from them are read;
// once COLUMNS, PRIMARY_KEYS and FOREIGN_KEYS have each been built (the rowsets are kept
// apart), they are let go: a large schema's columns are a good part of an import's peak.
// A later request reads them again.
void TConexaoSQLite::Servido(unsigned rowset) {
    m_servidos |= rowset;
    if (m_servidos == (ServeColunas | ServePrimarias | ServeEstrangeiras)) {
        std::vector<std::vector<TColunaSQLite>>().swap(m_colunas);
        m_colunasLidas = false;
        m_servidos = 0;
    }
}

TDadosRowset TConexaoSQLite::LeColunas() {
    TDadosRowset dados;
    ParaCadaColuna([&dados](const TLinhaValores& linha) { dados.linhas.push_back(linha); });
    Servido(ServeColunas);
    return dados;
}

TLinhasCompactas TConexaoSQLite::LeLinhas(TEsquema esquema) {
    if (esquema != TEsquema::adSchemaColumns) {
        return TConexaoCatalogo::LeLinhas(esquema);
    }
    TLinhasCompactas linhas;
    ParaCadaColuna([&linhas](const TLinhaValores& linha) { linhas.Acrescenta(linha); });
    // Kept for the whole load, while the column records are built beside it.
    linhas.Compacta();
    Servido(ServeColunas);
    return linhas;
}

TDadosRowset TConexaoSQLite::LeChavesPrimarias() {
    namespace c = rowset::primary_keys;
    TDadosRowset dados;
    const auto& tabelas = Tabelas();
    for (std::size_t t = 0; t < tabelas.size(); ++t) {
        if (tabelas[t].tipo == "VIEW") {
            continue;
        }
        std::vector<std::pair<std::int64_t, TValor>> chave;
        for (const TColunaSQLite& coluna : Colunas(t)) {
            if (coluna.chave > 0) {
                chave.emplace_back(coluna.chave, coluna.nome);
            }
        }
        std::sort(chave.begin(), chave.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [ordem, nome] : chave) {
            TLinhaValores linha(c::kCampos);
            linha[c::TABLE_CATALOG] = TValor::De(kCatalogo);
            linha[c::TABLE_NAME] = TValor::De(tabelas[t].nome);
            linha[c::COLUMN_NAME] = nome;
            linha[c::ORDINAL] = TValor::De(ordem);
            dados.linhas.push_back(std::move(linha));
        }
    }
    Servido(ServePrimarias);
    return dados;
}

TDadosRowset TConexaoSQLite::LeChavesEstrangeiras() {
    namespace c = rowset::foreign_keys;
    // Referenced tables are named as the key was written; SQLite matches names without
    // regard to ASCII case, so the rowset gives the names the tables really have.
    std::unordered_map<std::string, std::size_t> indices;
    const auto& tabelas = Tabelas();
    for (std::size_t t = 0; t < tabelas.size(); ++t) {
        indices.emplace(MinusculasAscii(tabelas[t].nome), t);
    }
    // pragma_foreign_key_list gives, per key column: id, seq (from 0), the referenced
    // table, the column, the referenced column (Null for the referenced primary key) and the
    // update and delete rules.
    enum : int { ID, SEQ, TABLE, FROM, TO, ON_UPDATE, ON_DELETE };
    TDadosRowset dados;
    const TLeituraUnica leitura(m_banco);
    for (const TTabelaSQLite& tabela : tabelas) {
        if (tabela.tipo == "VIEW") {
            continue;
        }
        TComando chaves(m_banco, Pragma("foreign_key_list", tabela.nome));
        while (chaves.Passo()) {
            std::string referida = chaves.Texto(TABLE);
            TValor colunaReferida = chaves.Valor(TO);
            if (const auto indice = indices.find(MinusculasAscii(referida));
                indice != indices.end()) {
                referida = tabelas[indice->second].nome;
                if (colunaReferida.nulo) {
                    // A key written without its columns refers to the primary key.
                    for (const TColunaSQLite& coluna : Colunas(indice->second)) {
                        if (coluna.chave == chaves.Inteiro(SEQ) + 1) {
                            colunaReferida = coluna.nome;
                        }
                    }
                }
            }
            TLinhaValores linha = LinhaAte(c::DELETE_RULE);
            linha[c::PK_TABLE_CATALOG] = TValor::De(kCatalogo);
            linha[c::PK_TABLE_NAME] = TValor::De(referida);
            linha[c::PK_COLUMN_NAME] = colunaReferida;
            linha[c::FK_TABLE_CATALOG] = TValor::De(kCatalogo);
            linha[c::FK_TABLE_NAME] = TValor::De(tabela.nome);
            linha[c::FK_COLUMN_NAME] = chaves.Valor(FROM);
            linha[c::ORDINAL] = TValor::De(chaves.Inteiro(SEQ) + 1);
            linha[c::UPDATE_RULE] = chaves.Valor(ON_UPDATE);
            linha[c::DELETE_RULE] = chaves.Valor(ON_DELETE);
            dados.linhas.push_back(std::move(linha));
        }
    }
    Servido(ServeEstrangeiras);
    return dados;
}

} // namespace fendril

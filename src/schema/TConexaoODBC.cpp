#include "schema/TConexaoODBC.h"

#include "model/Erros.h"
#include "model/Textos.h"
#include "schema/ChamadasODBC.h"
#include "schema/ColunasSQLite.h"
#include "schema/StringConexao.h"
#include "schema/TiposSQLite.h"

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <sql.h>
#include <sqlext.h>
#include <sys/socket.h>
#include <thread>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace fendril {

int TipoOLEDeSQL(int tipoSQL, bool semSinal) {
    switch (tipoSQL) {
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_LONGVARCHAR:
        return dbtype::DBTYPE_STR;
    case SQL_WCHAR:
    case SQL_WVARCHAR:
    case SQL_WLONGVARCHAR:
        return dbtype::DBTYPE_WSTR;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        return dbtype::DBTYPE_NUMERIC;
    case SQL_SMALLINT:
        return semSinal ? dbtype::DBTYPE_UI2 : dbtype::DBTYPE_I2;
    case SQL_INTEGER:
        return semSinal ? dbtype::DBTYPE_UI4 : dbtype::DBTYPE_I4;
    case SQL_TINYINT:
        return semSinal ? dbtype::DBTYPE_UI1 : dbtype::DBTYPE_I1;
    case SQL_BIGINT:
        return semSinal ? dbtype::DBTYPE_UI8 : dbtype::DBTYPE_I8;
    case SQL_REAL:
        return dbtype::DBTYPE_R4;
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return dbtype::DBTYPE_R8;
    case SQL_BIT:
        return dbtype::DBTYPE_BOOL;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
        return dbtype::DBTYPE_BYTES;
    case SQL_TYPE_DATE:
    case SQL_DATE:
        return dbtype::DBTYPE_DBDATE;
    case SQL_TYPE_TIME:
    case SQL_TIME:
        return dbtype::DBTYPE_DBTIME;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP:
        return dbtype::DBTYPE_DBTIMESTAMP;
    case SQL_GUID:
        return dbtype::DBTYPE_GUID;
    default:
        // Intervals and driver-specific types reach OLE DB consumers as text.
        return dbtype::DBTYPE_STR;
    }
}

namespace {

using TLinhasODBC = std::vector<std::vector<TValor>>;

// A statement handle, freed when it goes away.
class TComandoODBC {
public:
    // `ligaColunas`: read results through bound columns (see Linhas); for drivers known to
    // do it right.
    explicit TComandoODBC(SQLHDBC conexao, bool ligaColunas = false) : m_ligaColunas(ligaColunas) {
        VerificaODBC(SQLAllocHandle(SQL_HANDLE_STMT, conexao, &m_handle), SQL_HANDLE_DBC, conexao);
        // Honoured by the drivers that can (psqlODBC makes it the server's statement
        // timeout); the watch of the request covers a server that no longer answers at all.
        SQLSetStmtAttr(m_handle, SQL_ATTR_QUERY_TIMEOUT,
                       reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(TempoLimite().count())),
                       0);
    }
    ~TComandoODBC() { SQLFreeHandle(SQL_HANDLE_STMT, m_handle); }
    TComandoODBC(const TComandoODBC&) = delete;
    TComandoODBC& operator=(const TComandoODBC&) = delete;

    SQLHSTMT handle() const { return m_handle; }
    void Verifica(SQLRETURN r) const { VerificaODBC(r, SQL_HANDLE_STMT, m_handle); }

    // Calls `visita` with each row of the result, each value read as text. The row is one
    // vector refilled for every row (a visitor may move it away), so that a reader that
    // keeps little of a large result does not hold it all. `campos`, when given, are the
    // only columns read (0-based; the others stay Null): each field read costs the driver
    // manager's and the driver's bookkeeping, and psqlODBC's SQLColumns has 26 columns, of
    // which a reader uses 12.
    template <typename Visita>
    void ParaCadaLinha(const std::vector<std::size_t>& campos, Visita&& visita) {
        SQLSMALLINT colunas = 0;
        Verifica(SQLNumResultCols(m_handle, &colunas));
        const auto total = static_cast<std::size_t>(std::max<SQLSMALLINT>(colunas, 0));
        std::vector<std::size_t> lidos;
        for (const std::size_t campo : campos) {
            if (campo < total) {
                lidos.push_back(campo);
            }
        }
        if (campos.empty()) {
            for (std::size_t campo = 0; campo < total; ++campo) {
                lidos.push_back(campo);
            }
        }
        if (m_ligaColunas) {
            PercorreLigadas(total, lidos, visita);
        } else {
            PercorreLidas(total, lidos, visita);
        }
        SQLCloseCursor(m_handle);
    }

    // Every row of the result, as ParaCadaLinha reads them.
    TLinhasODBC Linhas(const std::vector<std::size_t>& campos = {}) {
        TLinhasODBC linhas;
        ParaCadaLinha(
            campos, [&linhas](std::vector<TValor>& linha) { linhas.push_back(std::move(linha)); });
        return linhas;
    }

private:
    // Fetches every row into one vector of `total` fields, filled by `preenche`.
    template <typename Preenche, typename Visita>
    void Percorre(std::size_t total, Preenche&& preenche, Visita& visita) {
        std::vector<TValor> linha;
        for (;;) {
            const SQLRETURN r = SQLFetch(m_handle);
            if (r == SQL_NO_DATA) {
                break;
            }
            Verifica(r);
            if (linha.size() != total) {
                linha.assign(total, TValor{});
            }
            preenche(linha);
            visita(linha);
        }
    }

    // Each field with its own SQLGetData call.
    template <typename Visita>
    void PercorreLidas(std::size_t total, const std::vector<std::size_t>& lidos, Visita& visita) {
        Percorre(
            total,
            [&](std::vector<TValor>& linha) {
                for (const std::size_t campo : lidos) {
                    linha[campo] = Valor(Coluna(campo));
                }
            },
            visita);
    }

    // The fields bound to buffers that the driver fills as it fetches each row: one call
    // per row instead of one per field. A value that does not fit its buffer is read again
    // whole with SQLGetData, which a driver offering SQL_GD_BOUND allows on a bound column.
    template <typename Visita>
    void PercorreLigadas(std::size_t total, const std::vector<std::size_t>& lidos, Visita& visita) {
        constexpr SQLLEN kLargura = 256;
        std::vector<char> buffers(lidos.size() * static_cast<std::size_t>(kLargura));
        std::vector<SQLLEN> indicadores(lidos.size());
        for (std::size_t i = 0; i < lidos.size(); ++i) {
            Verifica(SQLBindCol(m_handle, Coluna(lidos[i]), SQL_C_CHAR,
                                &buffers[i * static_cast<std::size_t>(kLargura)], kLargura,
                                &indicadores[i]));
        }
        Percorre(
            total,
            [&](std::vector<TValor>& linha) {
                for (std::size_t i = 0; i < lidos.size(); ++i) {
                    TValor& valor = linha[lidos[i]];
                    const SQLLEN tamanho = indicadores[i];
                    if (tamanho == SQL_NULL_DATA) {
                        valor.nulo = true;
                        valor.texto.clear();
                    } else if (tamanho == SQL_NO_TOTAL || tamanho >= kLargura) {
                        valor = Valor(Coluna(lidos[i]));
                    } else {
                        valor.nulo = false;
                        valor.texto.assign(&buffers[i * static_cast<std::size_t>(kLargura)],
                                           static_cast<std::size_t>(tamanho));
                    }
                }
            },
            visita);
        SQLFreeStmt(m_handle, SQL_UNBIND);
    }

    static SQLUSMALLINT Coluna(std::size_t campo) { return static_cast<SQLUSMALLINT>(campo + 1); }
    TValor Valor(SQLUSMALLINT coluna) const { return LeValorODBC(m_handle, coluna); }

    SQLHSTMT m_handle = SQL_NULL_HSTMT;
    bool m_ligaColunas = false;
};

// A text argument of a catalog function; a null pointer for an absent one.
struct TArgumento {
    std::optional<std::string> texto;
    SQLCHAR* ptr() { return texto ? reinterpret_cast<SQLCHAR*>(texto->data()) : nullptr; }
    SQLSMALLINT tamanho() const { return texto ? static_cast<SQLSMALLINT>(SQL_NTS) : 0; }
};

TArgumento Arg(const std::string& texto) {
    return {texto};
}
TArgumento ArgOuNulo(const std::string& texto) {
    return texto.empty() ? TArgumento{} : TArgumento{texto};
}

std::optional<std::int64_t> Numero(const TValor& valor) {
    if (valor.nulo) {
        return std::nullopt;
    }
    try {
        return static_cast<std::int64_t>(std::stoll(valor.texto));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The columns of the ODBC catalog functions' results, 0-based, in the order ODBC defines
// them. The catalog queries for PostgreSQL return the same layouts.
namespace sqltables {
enum : std::size_t { TABLE_CAT, TABLE_SCHEM, TABLE_NAME, TABLE_TYPE, REMARKS, kCampos };
} // namespace sqltables

namespace sqlcolumns {
enum : std::size_t {
    TABLE_CAT,
    TABLE_SCHEM,
    TABLE_NAME,
    COLUMN_NAME,
    DATA_TYPE,
    TYPE_NAME,
    COLUMN_SIZE,
    BUFFER_LENGTH,
    DECIMAL_DIGITS,
    NUM_PREC_RADIX,
    NULLABLE,
    REMARKS,
    COLUMN_DEF,
    SQL_DATA_TYPE,
    SQL_DATETIME_SUB,
    CHAR_OCTET_LENGTH,
    ORDINAL_POSITION,
    IS_NULLABLE,
    kCampos
};
} // namespace sqlcolumns

namespace sqlstatistics {
enum : std::size_t {
    TABLE_CAT,
    TABLE_SCHEM,
    TABLE_NAME,
    NON_UNIQUE,
    INDEX_QUALIFIER,
    INDEX_NAME,
    TYPE,
    ORDINAL_POSITION,
    COLUMN_NAME,
    ASC_OR_DESC,
    CARDINALITY,
    PAGES,
    FILTER_CONDITION,
    kCampos
};
} // namespace sqlstatistics

namespace sqlprimarykeys {
enum : std::size_t { TABLE_CAT, TABLE_SCHEM, TABLE_NAME, COLUMN_NAME, KEY_SEQ, PK_NAME, kCampos };
} // namespace sqlprimarykeys

namespace sqlforeignkeys {
enum : std::size_t {
    PKTABLE_CAT,
    PKTABLE_SCHEM,
    PKTABLE_NAME,
    PKCOLUMN_NAME,
    FKTABLE_CAT,
    FKTABLE_SCHEM,
    FKTABLE_NAME,
    FKCOLUMN_NAME,
    KEY_SEQ,
    UPDATE_RULE,
    DELETE_RULE,
    FK_NAME,
    PK_NAME,
    DEFERRABILITY,
    kCampos
};
} // namespace sqlforeignkeys

namespace sqlgettypeinfo {
enum : std::size_t {
    TYPE_NAME,
    DATA_TYPE,
    COLUMN_SIZE,
    LITERAL_PREFIX,
    LITERAL_SUFFIX,
    CREATE_PARAMS,
    NULLABLE,
    CASE_SENSITIVE,
    SEARCHABLE,
    UNSIGNED_ATTRIBUTE,
    FIXED_PREC_SCALE,
    AUTO_UNIQUE_VALUE,
    LOCAL_TYPE_NAME,
    MINIMUM_SCALE,
    MAXIMUM_SCALE,
    SQL_DATA_TYPE,
    SQL_DATETIME_SUB,
    NUM_PREC_RADIX,
    INTERVAL_PRECISION,
    kCampos
};
} // namespace sqlgettypeinfo

const TValor& Campo(const std::vector<TValor>& linha, std::size_t ordinal) {
    static const TValor nulo;
    return ordinal < linha.size() ? linha[ordinal] : nulo;
}

// A text the driver may give as Null or as an empty text alike (REMARKS, TYPE_NAME): Null
// for either.
TValor Texto(const TValor& valor) {
    return valor.nulo || valor.texto.empty() ? TValor::Nulo() : valor;
}

// A text as an SQL string literal.
std::string Literal(const std::string& texto) {
    std::string literal = "'";
    for (const char c : texto) {
        literal += c;
        if (c == '\'') {
            literal += '\'';
        }
    }
    return literal + "'";
}

std::string MinusculasAscii(std::string texto) {
    for (char& c : texto) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return texto;
}

// Column `sequencia` (from 1) of a table's primary key; Null when it has none.
TValor ColunaDaPrimaria(SQLHDBC conexao, const TValor& esquema, const std::string& tabela,
                        std::int64_t sequencia) {
    TComandoODBC comando(conexao);
    TArgumento esq = esquema.nulo ? TArgumento{} : ArgOuNulo(esquema.texto);
    TArgumento nome = Arg(tabela);
    comando.Verifica(SQLPrimaryKeys(comando.handle(), nullptr, 0, esq.ptr(), esq.tamanho(),
                                    nome.ptr(), nome.tamanho()));
    for (const auto& l : comando.Linhas()) {
        if (Numero(Campo(l, sqlprimarykeys::KEY_SEQ)).value_or(0) == sequencia) {
            return Campo(l, sqlprimarykeys::COLUMN_NAME);
        }
    }
    return TValor::Nulo();
}

// The descriptors of the process's open sockets.
std::set<int> Sockets() {
    std::set<int> sockets;
    std::error_code erro;
    for (const auto& entrada : std::filesystem::directory_iterator("/proc/self/fd", erro)) {
        const std::filesystem::path alvo = std::filesystem::read_symlink(entrada.path(), erro);
        if (!erro && alvo.native().rfind("socket:", 0) == 0) {
            sockets.insert(std::atoi(entrada.path().filename().c_str()));
        }
    }
    return sockets;
}

bool EhSistemaPostgreSQL(const std::string& esquema) {
    return esquema == "pg_catalog" || esquema == "information_schema" ||
           esquema.rfind("pg_toast", 0) == 0 || esquema.rfind("pg_temp", 0) == 0;
}

// The SQL condition that keeps the schemas EhSistemaPostgreSQL does not name, for the
// schema name `coluna`. The catalog queries leave out in the server the rows of system
// tables that the reader would drop.
std::string ForaDoSistemaPostgreSQL(const std::string& coluna) {
    return coluna + " NOT IN ('pg_catalog', 'information_schema') AND left(" + coluna +
           ", 8) <> 'pg_toast' AND left(" + coluna + ", 7) <> 'pg_temp'";
}

} // namespace

struct TConexaoODBC::Estado {
    SQLHENV ambiente = SQL_NULL_HENV;
    SQLHDBC conexao = SQL_NULL_HDBC;
    bool conectada = false;
    std::string sgbd;     // SQL_DBMS_NAME
    std::string catalogo; // the catalog the connection works in; may be empty
    bool comCatalogos = false;
    // Results are read through bound columns (TComandoODBC::Linhas): psqlODBC, measured
    // and tested to do it right.
    bool colunasLigadas = false;

    struct TTabelaODBC {
        std::string catalogo;
        std::string esquema;
        std::string nome;
        std::string tipo;
        TValor comentario; // REMARKS; Null when the driver gives none
    };
    std::vector<TTabelaODBC> tabelas;
    bool tabelasLidas = false;
    // SQLite: the columns of each table of `tabelas` (in its order) as its pragmas say.
    std::vector<std::vector<TColunaSQLite>> colunasSQLite;
    bool colunasSQLiteLidas = false;
    // The sockets the driver opened for the connection, which the watch of a request shuts
    // down when the server stops answering.
    std::vector<int> sockets;

    bool SQLite() const { return sgbd.rfind("SQLite", 0) == 0; }
    bool PostgreSQL() const { return sgbd == "PostgreSQL"; }

    std::string Info(SQLUSMALLINT tipo) const {
        char texto[256] = {};
        SQLSMALLINT tamanho = 0;
        if (!SQL_SUCCEEDED(SQLGetInfo(conexao, tipo, texto, static_cast<SQLSMALLINT>(sizeof texto),
                                      &tamanho))) {
            return {};
        }
        return texto;
    }

    std::string CatalogoAtual() const {
        char texto[512] = {};
        SQLINTEGER tamanho = 0;
        if (!SQL_SUCCEEDED(SQLGetConnectAttr(conexao, SQL_ATTR_CURRENT_CATALOG, texto,
                                             static_cast<SQLINTEGER>(sizeof texto), &tamanho))) {
            return {};
        }
        return texto;
    }

    void Libera() {
        if (conexao != SQL_NULL_HDBC) {
            if (conectada) {
                SQLDisconnect(conexao);
            }
            SQLFreeHandle(SQL_HANDLE_DBC, conexao);
            conexao = SQL_NULL_HDBC;
        }
        if (ambiente != SQL_NULL_HENV) {
            SQLFreeHandle(SQL_HANDLE_ENV, ambiente);
            ambiente = SQL_NULL_HENV;
        }
        conectada = false;
        colunasLigadas = false;
        tabelas.clear();
        tabelasLidas = false;
        colunasSQLite.clear();
        colunasSQLiteLidas = false;
        sockets.clear();
    }

    // A value of a catalog column: the driver's, or the connection's catalog where a
    // driver without catalogs reports none.
    TValor Catalogo(const TValor& valor) const {
        if (!valor.nulo && !valor.texto.empty()) {
            return valor;
        }
        return catalogo.empty() ? TValor::Nulo() : TValor::De(catalogo);
    }

    static TValor Esquema(const TValor& valor) {
        return valor.nulo || valor.texto.empty() ? TValor::Nulo() : valor;
    }

    const std::vector<TTabelaODBC>& Tabelas() {
        if (tabelasLidas) {
            return tabelas;
        }
        TComandoODBC comando(conexao, colunasLigadas);
        // Every schema ("%": a driver that has schemas otherwise shows only its default
        // one); no schema argument at all for a driver without schemas.
        SQLUINTEGER usoEsquemas = 0;
        const bool semEsquemas =
            SQL_SUCCEEDED(SQLGetInfo(conexao, SQL_SCHEMA_USAGE, &usoEsquemas,
                                     static_cast<SQLSMALLINT>(sizeof usoEsquemas), nullptr)) &&
            usoEsquemas == 0;
        TArgumento esquema = semEsquemas ? TArgumento{} : Arg("%");
        TArgumento tabela = Arg("%");
        comando.Verifica(SQLTables(comando.handle(), nullptr, 0, esquema.ptr(), esquema.tamanho(),
                                   tabela.ptr(), tabela.tamanho(), nullptr, 0));
        for (const auto& linha : comando.Linhas()) {
            TTabelaODBC t;
            t.catalogo = Catalogo(Campo(linha, sqltables::TABLE_CAT)).texto;
            t.esquema = Campo(linha, sqltables::TABLE_SCHEM).texto;
            t.nome = Campo(linha, sqltables::TABLE_NAME).texto;
            t.tipo = Campo(linha, sqltables::TABLE_TYPE).texto;
            t.comentario = Texto(Campo(linha, sqltables::REMARKS));
            if (Campo(linha, sqltables::TABLE_NAME).nulo ||
                t.tipo.find("INDEX") != std::string::npos ||
                t.tipo.find("SEQUENCE") != std::string::npos ||
                (PostgreSQL() && EhSistemaPostgreSQL(t.esquema))) {
                continue;
            }
            if (SQLite() && MinusculasAscii(t.nome).rfind("sqlite_", 0) == 0) {
                t.tipo = "SYSTEM TABLE";
            }
            tabelas.push_back(std::move(t));
        }
        // The order of the OLE DB TABLES rowset.
        std::stable_sort(tabelas.begin(), tabelas.end(),
                         [](const TTabelaODBC& a, const TTabelaODBC& b) {
                             return std::tie(a.tipo, a.catalogo, a.esquema, a.nome) <
                                    std::tie(b.tipo, b.catalogo, b.esquema, b.nome);
                         });
        tabelasLidas = true;
        return tabelas;
    }

    // The tables whose keys are read: every table that is not a view.
    std::vector<const TTabelaODBC*> TabelasComChaves() {
        std::vector<const TTabelaODBC*> lista;
        for (const TTabelaODBC& t : Tabelas()) {
            if (t.tipo.find("VIEW") == std::string::npos) {
                lista.push_back(&t);
            }
        }
        return lista;
    }

    std::set<std::pair<std::string, std::string>> NomesTabelas() {
        std::set<std::pair<std::string, std::string>> nomes;
        for (const TTabelaODBC& t : Tabelas()) {
            nomes.emplace(t.esquema, t.nome);
        }
        return nomes;
    }

    TLinhasODBC Consulta(const char* sql) {
        TLinhasODBC linhas;
        ConsultaCada(sql,
                     [&linhas](std::vector<TValor>& linha) { linhas.push_back(std::move(linha)); });
        return linhas;
    }

    // Calls `visita` with each row of the query (TComandoODBC::ParaCadaLinha).
    template <typename Visita> void ConsultaCada(const char* sql, Visita&& visita) {
        TComandoODBC comando(conexao, colunasLigadas);
        comando.Verifica(SQLExecDirect(
            comando.handle(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql)), SQL_NTS));
        comando.ParaCadaLinha({}, visita);
    }
};

TConexaoODBC::TConexaoODBC() : m_estado(std::make_unique<Estado>()) {}

TConexaoODBC::~TConexaoODBC() {
    Close();
}

void TConexaoODBC::Open(const std::string& stringConexao, const std::string& usuario,
                        const std::string& senha) {
    Close();
    Estado& e = *m_estado;
    std::string texto = StringODBC(stringConexao);
    const TStringConexao pares(texto);
    const auto acrescenta = [&texto](const std::string& par) {
        if (!texto.empty() && texto.back() != ';') {
            texto += ';';
        }
        texto += par;
    };
    // The SQLite driver creates a missing database file unless told not to.
    if (MinusculasAscii(pares.Valor("Driver").value_or("")).find("sqlite") != std::string::npos &&
        !pares.Valor("NoCreat")) {
        acrescenta("NoCreat=1");
    }
    if (!usuario.empty()) {
        acrescenta("UID=" + ValorODBC(usuario));
    }
    if (!senha.empty()) {
        acrescenta("PWD=" + ValorODBC(senha));
    }
    try {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &e.ambiente))) {
            throw Exception("The ODBC driver manager could not be initialised");
        }
        VerificaODBC(SQLSetEnvAttr(e.ambiente, SQL_ATTR_ODBC_VERSION,
                                   reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
                     SQL_HANDLE_ENV, e.ambiente);
        VerificaODBC(SQLAllocHandle(SQL_HANDLE_DBC, e.ambiente, &e.conexao), SQL_HANDLE_ENV,
                     e.ambiente);
        // Metadata is all that is read; a driver that honours it is kept from writing.
        SQLSetConnectAttr(e.conexao, SQL_ATTR_ACCESS_MODE,
                          reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0);
        // psqlODBC gives up connecting to a server that does not answer after this time.
        SQLSetConnectAttr(e.conexao, SQL_ATTR_LOGIN_TIMEOUT,
                          reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(TempoLimite().count())),
                          0);
        const std::set<int> antes = Sockets();
        SQLCHAR saida[1024];
        SQLSMALLINT tamanho = 0;
        const SQLRETURN r =
            SQLDriverConnect(e.conexao, nullptr, reinterpret_cast<SQLCHAR*>(texto.data()),
                             static_cast<SQLSMALLINT>(texto.size()), saida,
                             static_cast<SQLSMALLINT>(sizeof saida), &tamanho, SQL_DRIVER_NOPROMPT);
        VerificaODBC(r, SQL_HANDLE_DBC, e.conexao);
        e.conectada = true;
        for (const int socket : Sockets()) {
            if (antes.count(socket) == 0) {
                e.sockets.push_back(socket);
            }
        }
        e.sgbd = e.Info(SQL_DBMS_NAME);
        e.comCatalogos = e.Info(SQL_CATALOG_NAME) == "Y" && !e.SQLite();
        e.catalogo = e.SQLite() ? std::string("main") : e.CatalogoAtual();
        SQLUSMALLINT extensoes = 0;
        e.colunasLigadas =
            e.PostgreSQL() &&
            SQL_SUCCEEDED(SQLGetInfo(e.conexao, SQL_GETDATA_EXTENSIONS, &extensoes,
                                     static_cast<SQLSMALLINT>(sizeof extensoes), nullptr)) &&
            (extensoes & SQL_GD_BOUND) != 0;
    } catch (...) {
        e.Libera();
        throw;
    }
}

void TConexaoODBC::DefaultDatabase(const std::string& nome) {
    Estado& e = *m_estado;
    if (!e.conectada) {
        throw Exception("Operation is not allowed when the object is closed.");
    }
    if (nome == e.catalogo || (e.SQLite() && MesmoTextoSemCaixa(nome, e.catalogo))) {
        return;
    }
    if (e.SQLite()) {
        throw Exception("Unknown database \"" + nome +
                        "\": an SQLite file holds the database "
                        "\"main\" only");
    }
    std::string valor = nome;
    VerificaODBC(SQLSetConnectAttr(e.conexao, SQL_ATTR_CURRENT_CATALOG,
                                   reinterpret_cast<SQLPOINTER>(valor.data()),
                                   static_cast<SQLINTEGER>(valor.size())),
                 SQL_HANDLE_DBC, e.conexao);
    // Some drivers (psqlODBC) accept the attribute and stay in their database; a catalog
    // that did not become current is refused rather than read as an empty one.
    const std::string atual = e.CatalogoAtual();
    if (!atual.empty() && atual != nome) {
        throw Exception("Database \"" + nome +
                        "\" cannot be made the default of this "
                        "connection, which works in \"" +
                        atual + "\"");
    }
    e.catalogo = nome;
    e.tabelas.clear();
    e.tabelasLidas = false;
    EsqueceEsquemas();
}

std::string TConexaoODBC::BaseDadosAtual() const {
    return m_estado->conectada ? m_estado->catalogo : std::string();
}

void* TConexaoODBC::Handle() const {
    return m_estado->conectada ? m_estado->conexao : nullptr;
}

void TConexaoODBC::Close() {
    m_estado->Libera();
    EsqueceEsquemas();
}

namespace {

using Estado = TConexaoODBC::Estado;

TDadosRowset LeCatalogos(Estado& e) {
    namespace c = rowset::catalogs;
    std::vector<std::string> nomes;
    if (e.comCatalogos) {
        TComandoODBC comando(e.conexao, e.colunasLigadas);
        TArgumento todos = Arg(SQL_ALL_CATALOGS);
        TArgumento vazio = Arg("");
        comando.Verifica(SQLTables(comando.handle(), todos.ptr(), todos.tamanho(), vazio.ptr(),
                                   vazio.tamanho(), vazio.ptr(), vazio.tamanho(), vazio.ptr(),
                                   vazio.tamanho()));
        for (const auto& linha : comando.Linhas()) {
            const TValor& nome = Campo(linha, sqltables::TABLE_CAT);
            if (!nome.nulo && !nome.texto.empty() &&
                std::find(nomes.begin(), nomes.end(), nome.texto) == nomes.end()) {
                nomes.push_back(nome.texto);
            }
        }
    }
    if (nomes.empty() && !e.catalogo.empty()) {
        nomes.push_back(e.catalogo);
    }
    TDadosRowset dados;
    for (const std::string& nome : nomes) {
        TLinhaValores linha(c::kCampos);
        linha[c::CATALOG_NAME] = TValor::De(nome);
        dados.linhas.push_back(std::move(linha));
    }
    return dados;
}

// The comments of PostgreSQL's tables and views, which psqlODBC leaves out of REMARKS.
std::map<std::pair<std::string, std::string>, TValor> ComentariosPostgreSQL(Estado& e) {
    std::map<std::pair<std::string, std::string>, TValor> comentarios;
    for (const auto& l : e.Consulta("SELECT n.nspname, c.relname, d.description "
                                    "FROM pg_catalog.pg_description d "
                                    "JOIN pg_catalog.pg_class c ON c.oid = d.objoid "
                                    "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
                                    "WHERE d.classoid = 'pg_catalog.pg_class'::regclass "
                                    "AND d.objsubid = 0")) {
        comentarios.emplace(std::make_pair(Campo(l, 0).texto, Campo(l, 1).texto), Campo(l, 2));
    }
    return comentarios;
}

TDadosRowset LeTabelas(Estado& e) {
    namespace c = rowset::tables;
    const auto comentarios = e.PostgreSQL()
                                 ? ComentariosPostgreSQL(e)
                                 : std::map<std::pair<std::string, std::string>, TValor>();
    TDadosRowset dados;
    for (const auto& t : e.Tabelas()) {
        TLinhaValores linha(c::kCampos);
        linha[c::TABLE_CATALOG] = e.Catalogo(TValor::De(t.catalogo));
        linha[c::TABLE_SCHEMA] = Estado::Esquema(TValor::De(t.esquema));
        linha[c::TABLE_NAME] = TValor::De(t.nome);
        linha[c::TABLE_TYPE] = TValor::De(t.tipo);
        linha[c::DESCRIPTION] = t.comentario;
        if (const auto achado = comentarios.find({t.esquema, t.nome});
            achado != comentarios.end()) {
            linha[c::DESCRIPTION] = achado->second;
        }
        dados.linhas.push_back(std::move(linha));
    }
    return dados;
}

// The type fields of a COLUMNS row from what the driver says of a column: its TYPE_NAME and
// the sizes it reports (a driver cannot tell a declared size from a default one).
TTipoDeclarado TipoDaColuna(const Estado& e, const std::vector<TValor>& l) {
    const std::string nomeTipo = Campo(l, sqlcolumns::TYPE_NAME).texto;
    int tipoSQL = static_cast<int>(Numero(Campo(l, sqlcolumns::DATA_TYPE)).value_or(SQL_VARCHAR));
    if (e.PostgreSQL() && nomeTipo == "bool") {
        tipoSQL = SQL_BIT; // psqlODBC reports booleans as text by default
    }
    TTipoDeclarado tipo;
    tipo.nome = nomeTipo;
    tipo.tipoOLE = TipoOLEDeSQL(tipoSQL, false);
    const auto tamanho = Numero(Campo(l, sqlcolumns::COLUMN_SIZE));
    const auto digitos = Numero(Campo(l, sqlcolumns::DECIMAL_DIGITS));
    switch (tipo.tipoOLE) {
    case dbtype::DBTYPE_STR:
    case dbtype::DBTYPE_WSTR:
    case dbtype::DBTYPE_BYTES:
        tipo.tamanho = tamanho;
        break;
    case dbtype::DBTYPE_NUMERIC:
        tipo.precisao = tamanho;
        tipo.escala = digitos.value_or(0);
        break;
    case dbtype::DBTYPE_DBDATE:
    case dbtype::DBTYPE_DBTIME:
    case dbtype::DBTYPE_DBTIMESTAMP:
        tipo.precisaoDataHora = digitos.value_or(0);
        break;
    case dbtype::DBTYPE_BOOL:
    case dbtype::DBTYPE_GUID:
        break;
    default:
        tipo.precisao = tamanho;
        break;
    }
    return tipo;
}

// The columns of an SQLite database through its ODBC driver: the driver's SQLColumns folds
// no types but loses defaults (none reads "NULL", quotes are dropped) and rowid keys, so
// the database's own pragmas are read, table by table, as the native provider reads them.
const std::vector<std::vector<TColunaSQLite>>& ColunasSQLite(Estado& e) {
    if (e.colunasSQLiteLidas) {
        return e.colunasSQLite;
    }
    const auto& tabelas = e.Tabelas();
    e.colunasSQLite.assign(tabelas.size(), {});
    for (std::size_t t = 0; t < tabelas.size(); ++t) {
        std::string consulta = kConsultaColunasSQLite;
        const std::string literal = Literal(tabelas[t].nome);
        for (std::size_t pos = consulta.find("?1"); pos != std::string::npos;
             pos = consulta.find("?1", pos + literal.size())) {
            consulta.replace(pos, 2, literal);
        }
        try {
            for (const auto& l : e.Consulta(consulta.c_str())) {
                e.colunasSQLite[t].push_back(ColunaSQLite(l));
            }
        } catch (const EFalhaODBC&) {
            // A view whose definition no longer compiles has no columns to offer.
            e.colunasSQLite[t].clear();
        }
    }
    e.colunasSQLiteLidas = true;
    return e.colunasSQLite;
}

TDadosRowset LeColunasSQLite(Estado& e) {
    TDadosRowset dados;
    const auto& tabelas = e.Tabelas();
    const auto& colunas = ColunasSQLite(e);
    for (std::size_t t = 0; t < tabelas.size(); ++t) {
        for (const TColunaSQLite& coluna : colunas[t]) {
            dados.linhas.push_back(LinhaColunaSQLite(tabelas[t].nome, colunas[t], coluna));
        }
    }
    return dados;
}

// The columns each alone covered by a unique index, from SQLStatistics, by schema, table
// and column name. A table whose statistics the driver cannot give has none.
std::set<std::tuple<std::string, std::string, std::string>> ColunasUnicas(Estado& e) {
    namespace o = sqlstatistics;
    std::set<std::tuple<std::string, std::string, std::string>> unicas;
    for (const auto* t : e.TabelasComChaves()) {
        TComandoODBC comando(e.conexao, e.colunasLigadas);
        TArgumento esq = ArgOuNulo(t->esquema);
        TArgumento nome = Arg(t->nome);
        TLinhasODBC linhas;
        try {
            comando.Verifica(SQLStatistics(comando.handle(), nullptr, 0, esq.ptr(), esq.tamanho(),
                                           nome.ptr(), nome.tamanho(), SQL_INDEX_UNIQUE,
                                           SQL_QUICK));
            linhas = comando.Linhas();
        } catch (const EFalhaODBC&) {
            continue;
        }
        // Columns by index, for the unique indexes that are not partial.
        std::map<std::string, std::vector<std::string>> indices;
        for (const auto& l : linhas) {
            if (Numero(Campo(l, o::TYPE)).value_or(SQL_TABLE_STAT) == SQL_TABLE_STAT ||
                Numero(Campo(l, o::NON_UNIQUE)).value_or(1) != 0 ||
                !Texto(Campo(l, o::FILTER_CONDITION)).nulo || Campo(l, o::COLUMN_NAME).nulo) {
                continue;
            }
            indices[Campo(l, o::INDEX_QUALIFIER).texto + '\0' + Campo(l, o::INDEX_NAME).texto]
                .push_back(Campo(l, o::COLUMN_NAME).texto);
        }
        for (const auto& [indice, colunas] : indices) {
            if (colunas.size() == 1) {
                unicas.emplace(t->esquema, t->nome, colunas.front());
            }
        }
    }
    return unicas;
}

// What PostgreSQL's catalogs say of every column of the user's tables, where psqlODBC says
// it wrongly or not at all: the declared type (an array as its element's name and "[]",
// a domain by its own name), the sizes it was declared with, whether the column alone is
// unique, whether it is an identity or serial column, and its comment. Each fact is one
// join, not a subquery or function per column: `col_description` runs a query of its own
// for each row, and the planner, counting 100 per call, priced the whole query above
// jit_above_cost, so the server also compiled it (0.21 s for 500 tables of 15 columns and
// 1.4 s for 2,000; joined, 0.03 s and 0.12 s). Owned sequences are looked up with the class
// of the table they depend on, which pg_depend's index on what is referred to needs. The
// system schemas, whose tables the reader leaves out, are left out here too.
const std::string kConsultaColunasPostgreSQL =
    std::string(
        "SELECT n.nspname, c.relname, a.attname, "
        "CASE WHEN e.oid IS NOT NULL THEN e.typname || '[]' ELSE t.typname END, "
        "coalesce(e.typname, b.typname), "
        "CASE WHEN t.typtype = 'd' THEN t.typtypmod ELSE a.atttypmod END, "
        "a.attnotnull::int, pg_catalog.pg_get_expr(d.adbin, d.adrelid), "
        "(u.indrelid IS NOT NULL)::int, (a.attidentity <> '' OR q.refobjid IS NOT NULL)::int, "
        "ds.description ") +
    "FROM pg_catalog.pg_attribute a "
    "JOIN pg_catalog.pg_class c ON c.oid = a.attrelid "
    "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
    "JOIN pg_catalog.pg_type t ON t.oid = a.atttypid "
    "LEFT JOIN pg_catalog.pg_type e ON e.oid = t.typelem AND t.typcategory = 'A' "
    "LEFT JOIN pg_catalog.pg_type b ON b.oid = "
    "CASE WHEN t.typtype = 'd' THEN t.typbasetype ELSE t.oid END "
    "LEFT JOIN pg_catalog.pg_attrdef d ON d.adrelid = c.oid AND d.adnum = a.attnum "
    "LEFT JOIN (SELECT DISTINCT i.indrelid, i.indkey[0] AS attnum FROM pg_catalog.pg_index i "
    "WHERE i.indisunique AND i.indnkeyatts = 1 AND i.indpred IS NULL) u "
    "ON u.indrelid = c.oid AND u.attnum = a.attnum "
    "LEFT JOIN (SELECT DISTINCT p.refobjid, p.refobjsubid FROM pg_catalog.pg_depend p "
    "JOIN pg_catalog.pg_class s ON s.oid = p.objid AND s.relkind = 'S' "
    "WHERE p.refclassid = 'pg_catalog.pg_class'::regclass AND p.deptype IN ('a', 'i')) q "
    "ON q.refobjid = c.oid AND q.refobjsubid = a.attnum "
    "LEFT JOIN pg_catalog.pg_description ds ON ds.objoid = c.oid "
    "AND ds.classoid = 'pg_catalog.pg_class'::regclass AND ds.objsubid = a.attnum "
    "WHERE a.attnum > 0 AND NOT a.attisdropped AND c.relkind IN ('r', 'v', 'm', 'f', 'p') AND " +
    ForaDoSistemaPostgreSQL("n.nspname");

// The sizes a PostgreSQL type modifier declares, into the fields of a COLUMNS row that its
// type indicator uses: a length for character and bit strings, a precision and scale for
// numeric, and Null where the declaration gives none (text, varchar and numeric without
// sizes, bytea, json, arrays and enums). Date and time precisions stay as psqlODBC reads
// them, which is right.
void TamanhosPostgreSQL(TLinhaValores& linha, const std::string& base, std::int64_t modificador) {
    namespace c = rowset::columns;
    const auto tipoOLE = linha[c::DATA_TYPE].nulo ? 0 : std::stoll(linha[c::DATA_TYPE].texto);
    std::optional<std::int64_t> tamanho;
    if ((base == "varchar" || base == "bpchar") && modificador >= 4) {
        tamanho = modificador - 4;
    } else if ((base == "bit" || base == "varbit") && modificador >= 0) {
        tamanho = modificador;
    }
    switch (tipoOLE) {
    case dbtype::DBTYPE_STR:
    case dbtype::DBTYPE_WSTR:
    case dbtype::DBTYPE_BYTES:
        linha[c::CHARACTER_MAXIMUM_LENGTH] = tamanho ? TValor::De(*tamanho) : TValor::Nulo();
        break;
    case dbtype::DBTYPE_NUMERIC:
        if (base == "numeric" && modificador >= 4) {
            linha[c::NUMERIC_PRECISION] = TValor::De(((modificador - 4) >> 16) & 0xFFFF);
            linha[c::NUMERIC_SCALE] = TValor::De((modificador - 4) & 0xFFFF);
        } else if (base == "numeric") {
            linha[c::NUMERIC_PRECISION] = TValor::Nulo();
            linha[c::NUMERIC_SCALE] = TValor::Nulo();
        }
        break;
    default:
        break;
    }
}

void CompletaColunasPostgreSQL(Estado& e, TDadosRowset& dados) {
    namespace c = rowset::columns;
    enum : std::size_t {
        ESQUEMA,
        TABELA,
        COLUNA,
        TIPO,
        BASE,
        MODIFICADOR,
        NAO_NULA,
        PADRAO,
        UNICA,
        AUTOINCREMENTO,
        COMENTARIO
    };
    // By schema, table and column name, joined by NUL characters, which names cannot hold.
    const auto chave = [](const std::string& esquema, const std::string& tabela,
                          const std::string& coluna) {
        std::string texto;
        texto.reserve(esquema.size() + tabela.size() + coluna.size() + 2);
        texto.append(esquema).append(1, '\0').append(tabela).append(1, '\0').append(coluna);
        return texto;
    };
    std::unordered_map<std::string, std::vector<TValor>> catalogo;
    e.ConsultaCada(kConsultaColunasPostgreSQL.c_str(), [&](std::vector<TValor>& l) {
        std::string texto =
            chave(Campo(l, ESQUEMA).texto, Campo(l, TABELA).texto, Campo(l, COLUNA).texto);
        catalogo.emplace(std::move(texto), std::move(l));
    });
    for (TLinhaValores& linha : dados.linhas) {
        const auto achado = catalogo.find(chave(
            linha[c::TABLE_SCHEMA].texto, linha[c::TABLE_NAME].texto, linha[c::COLUMN_NAME].texto));
        if (achado == catalogo.end()) {
            continue;
        }
        const std::vector<TValor>& l = achado->second;
        linha[c::FENDRIL_TYPE_NAME] = Texto(Campo(l, TIPO));
        TamanhosPostgreSQL(linha, Campo(l, BASE).texto, Numero(Campo(l, MODIFICADOR)).value_or(-1));
        linha[c::IS_NULLABLE] = TValor::DeBooleano(Numero(Campo(l, NAO_NULA)).value_or(0) == 0);
        linha[c::COLUMN_HASDEFAULT] = TValor::DeBooleano(!Campo(l, PADRAO).nulo);
        linha[c::COLUMN_DEFAULT] = Campo(l, PADRAO);
        linha[c::FENDRIL_IS_UNIQUE] = TValor::DeBooleano(Numero(Campo(l, UNICA)).value_or(0) != 0);
        linha[c::FENDRIL_IS_AUTOINCREMENT] =
            TValor::DeBooleano(Numero(Campo(l, AUTOINCREMENTO)).value_or(0) != 0);
        linha[c::DESCRIPTION] = Campo(l, COMENTARIO);
    }
}

// The fields of SQLColumns that LeColunas and TipoDaColuna use.
const std::vector<std::size_t> kCamposColunas = {
    sqlcolumns::TABLE_CAT,   sqlcolumns::TABLE_SCHEM,    sqlcolumns::TABLE_NAME,
    sqlcolumns::COLUMN_NAME, sqlcolumns::DATA_TYPE,      sqlcolumns::TYPE_NAME,
    sqlcolumns::COLUMN_SIZE, sqlcolumns::DECIMAL_DIGITS, sqlcolumns::NULLABLE,
    sqlcolumns::REMARKS,     sqlcolumns::COLUMN_DEF,     sqlcolumns::ORDINAL_POSITION};

TDadosRowset LeColunas(Estado& e) {
    namespace c = rowset::columns;
    namespace o = sqlcolumns;
    if (e.SQLite()) {
        return LeColunasSQLite(e);
    }
    const auto nomes = e.NomesTabelas();
    std::set<std::string> esquemas;
    for (const auto& [esq, nome] : nomes) {
        esquemas.insert(esq);
    }
    const std::string escape = e.Info(SQL_SEARCH_PATTERN_ESCAPE);
    TDadosRowset dados;
    for (const std::string& esq : esquemas) {
        TComandoODBC comando(e.conexao, e.colunasLigadas);
        TArgumento argEsquema;
        if (!esq.empty()) {
            std::string padrao;
            for (const char ch : esq) {
                if (!escape.empty() && (ch == '_' || ch == '%' || escape.find(ch) == 0)) {
                    padrao += escape;
                }
                padrao += ch;
            }
            argEsquema = Arg(padrao);
        }
        TArgumento todas = Arg("%");
        comando.Verifica(SQLColumns(comando.handle(), nullptr, 0, argEsquema.ptr(),
                                    argEsquema.tamanho(), todas.ptr(), todas.tamanho(), todas.ptr(),
                                    todas.tamanho()));
        // The driver gives the rows table by table: a table is looked up when it changes.
        std::pair<std::string, std::string> tabela;
        bool primeira = true;
        bool lida = false;
        comando.ParaCadaLinha(kCamposColunas, [&](const std::vector<TValor>& l) {
            const std::string& esquemaLinha = Campo(l, o::TABLE_SCHEM).texto;
            const std::string& tabelaLinha = Campo(l, o::TABLE_NAME).texto;
            if (primeira || esquemaLinha != tabela.first || tabelaLinha != tabela.second) {
                primeira = false;
                tabela = {esquemaLinha, tabelaLinha};
                lida = nomes.count(tabela) != 0;
            }
            if (!lida) {
                return;
            }
            TLinhaValores linha = LinhaAte(c::FENDRIL_IS_AUTOINCREMENT);
            linha[c::TABLE_CATALOG] = e.Catalogo(Campo(l, o::TABLE_CAT));
            linha[c::TABLE_SCHEMA] = Estado::Esquema(Campo(l, o::TABLE_SCHEM));
            linha[c::TABLE_NAME] = Campo(l, o::TABLE_NAME);
            linha[c::COLUMN_NAME] = Campo(l, o::COLUMN_NAME);
            linha[c::ORDINAL_POSITION] = Campo(l, o::ORDINAL_POSITION);
            linha[c::COLUMN_HASDEFAULT] = TValor::DeBooleano(!Campo(l, o::COLUMN_DEF).nulo);
            linha[c::COLUMN_DEFAULT] = Campo(l, o::COLUMN_DEF);
            linha[c::IS_NULLABLE] =
                TValor::DeBooleano(Numero(Campo(l, o::NULLABLE)).value_or(1) != 0);
            linha[c::DESCRIPTION] = Texto(Campo(l, o::REMARKS));
            PreencheTipoColuna(linha, TipoDaColuna(e, l));
            dados.linhas.push_back(std::move(linha));
        });
    }
    if (e.PostgreSQL()) {
        CompletaColunasPostgreSQL(e, dados);
    } else {
        const auto unicas = ColunasUnicas(e);
        for (TLinhaValores& linha : dados.linhas) {
            linha[c::FENDRIL_IS_UNIQUE] = TValor::DeBooleano(
                unicas.count({linha[c::TABLE_SCHEMA].texto, linha[c::TABLE_NAME].texto,
                              linha[c::COLUMN_NAME].texto}) != 0);
        }
    }
    return dados;
}

TDadosRowset LeChavesPrimarias(Estado& e) {
    namespace c = rowset::primary_keys;
    namespace o = sqlprimarykeys;
    TLinhasODBC linhas;
    if (e.PostgreSQL()) {
        // One catalog query instead of one request per table. The keys' columns are
        // unnested before the join with pg_attribute (OFFSET 0 keeps the planner from
        // folding the subquery back): joined inside, each key read all its table's columns
        // and hashed them.
        const auto nomes = e.NomesTabelas();
        const std::string consulta =
            "SELECT current_database(), n.nspname, c.relname, a.attname, k.ord "
            "FROM (SELECT con.conrelid, u.attnum, u.ord FROM pg_catalog.pg_constraint con "
            "CROSS JOIN LATERAL unnest(con.conkey) WITH ORDINALITY AS u(attnum, ord) "
            "WHERE con.contype = 'p' OFFSET 0) k "
            "JOIN pg_catalog.pg_class c ON c.oid = k.conrelid "
            "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
            "JOIN pg_catalog.pg_attribute a ON a.attrelid = k.conrelid AND a.attnum = k.attnum "
            "WHERE " +
            ForaDoSistemaPostgreSQL("n.nspname") + " ORDER BY n.nspname, c.relname, k.ord";
        for (auto& l : e.Consulta(consulta.c_str())) {
            if (nomes.count({Campo(l, o::TABLE_SCHEM).texto, Campo(l, o::TABLE_NAME).texto}) != 0) {
                linhas.push_back(std::move(l));
            }
        }
    } else {
        for (const auto* t : e.TabelasComChaves()) {
            TComandoODBC comando(e.conexao, e.colunasLigadas);
            TArgumento esq = ArgOuNulo(t->esquema);
            TArgumento nome = Arg(t->nome);
            comando.Verifica(SQLPrimaryKeys(comando.handle(), nullptr, 0, esq.ptr(), esq.tamanho(),
                                            nome.ptr(), nome.tamanho()));
            for (auto& l : comando.Linhas()) {
                if (l.size() < o::kCampos) {
                    l.resize(o::kCampos);
                }
                l[o::TABLE_NAME] = TValor::De(t->nome);
                linhas.push_back(std::move(l));
            }
        }
    }
    TDadosRowset dados;
    for (const auto& l : linhas) {
        TLinhaValores linha(c::kCampos);
        linha[c::TABLE_CATALOG] = e.Catalogo(Campo(l, o::TABLE_CAT));
        linha[c::TABLE_SCHEMA] = Estado::Esquema(Campo(l, o::TABLE_SCHEM));
        linha[c::TABLE_NAME] = Campo(l, o::TABLE_NAME);
        linha[c::COLUMN_NAME] = Campo(l, o::COLUMN_NAME);
        linha[c::ORDINAL] = Campo(l, o::KEY_SEQ);
        linha[c::PK_NAME] = Campo(l, o::PK_NAME);
        dados.linhas.push_back(std::move(linha));
    }
    return dados;
}

TDadosRowset LeChavesEstrangeiras(Estado& e) {
    namespace c = rowset::foreign_keys;
    namespace o = sqlforeignkeys;
    TLinhasODBC linhas;
    if (e.PostgreSQL()) {
        // Unnested before the joins, as for the primary keys.
        const auto nomes = e.NomesTabelas();
        const std::string consulta =
            "SELECT current_database(), n2.nspname, c2.relname, a2.attname, "
            "current_database(), n1.nspname, c1.relname, a1.attname, k.ord, "
            "NULL, NULL, k.conname, NULL "
            "FROM (SELECT con.conrelid, con.confrelid, con.conname, u.fk, u.pk, u.ord "
            "FROM pg_catalog.pg_constraint con "
            "CROSS JOIN LATERAL unnest(con.conkey, con.confkey) WITH ORDINALITY AS u(fk, pk, ord) "
            "WHERE con.contype = 'f' OFFSET 0) k "
            "JOIN pg_catalog.pg_class c1 ON c1.oid = k.conrelid "
            "JOIN pg_catalog.pg_namespace n1 ON n1.oid = c1.relnamespace "
            "JOIN pg_catalog.pg_class c2 ON c2.oid = k.confrelid "
            "JOIN pg_catalog.pg_namespace n2 ON n2.oid = c2.relnamespace "
            "JOIN pg_catalog.pg_attribute a1 ON a1.attrelid = k.conrelid AND a1.attnum = k.fk "
            "JOIN pg_catalog.pg_attribute a2 ON a2.attrelid = k.confrelid AND a2.attnum = k.pk "
            "WHERE " +
            ForaDoSistemaPostgreSQL("n1.nspname") +
            " ORDER BY n1.nspname, c1.relname, k.conname, k.ord";
        for (auto& l : e.Consulta(consulta.c_str())) {
            if (nomes.count({Campo(l, o::FKTABLE_SCHEM).texto, Campo(l, o::FKTABLE_NAME).texto}) !=
                0) {
                linhas.push_back(std::move(l));
            }
        }
    } else {
        std::unordered_map<std::string, std::string> nomesSQLite;
        if (e.SQLite()) {
            for (const auto& t : e.Tabelas()) {
                nomesSQLite.emplace(MinusculasAscii(t.nome), t.nome);
            }
        }
        for (const auto* t : e.TabelasComChaves()) {
            TComandoODBC comando(e.conexao, e.colunasLigadas);
            TArgumento esq = ArgOuNulo(t->esquema);
            TArgumento nome = Arg(t->nome);
            comando.Verifica(SQLForeignKeys(comando.handle(), nullptr, 0, nullptr, 0, nullptr, 0,
                                            nullptr, 0, esq.ptr(), esq.tamanho(), nome.ptr(),
                                            nome.tamanho()));
            for (auto& l : comando.Linhas()) {
                if (l.size() < o::kCampos) {
                    l.resize(o::kCampos);
                }
                TValor& tabelaReferida = l[o::PKTABLE_NAME];
                if (const auto achado = nomesSQLite.find(MinusculasAscii(tabelaReferida.texto));
                    achado != nomesSQLite.end()) {
                    // SQLite gives the referenced table as the key names it.
                    tabelaReferida = TValor::De(achado->second);
                }
                if (l[o::PKCOLUMN_NAME].nulo && !tabelaReferida.nulo) {
                    // A key written without its columns refers to the primary key.
                    l[o::PKCOLUMN_NAME] =
                        ColunaDaPrimaria(e.conexao, l[o::PKTABLE_SCHEM], tabelaReferida.texto,
                                         Numero(l[o::KEY_SEQ]).value_or(1));
                }
                linhas.push_back(std::move(l));
            }
        }
    }
    TDadosRowset dados;
    for (const auto& l : linhas) {
        TLinhaValores linha = LinhaAte(c::FK_NAME);
        linha[c::PK_TABLE_CATALOG] = e.Catalogo(Campo(l, o::PKTABLE_CAT));
        linha[c::PK_TABLE_SCHEMA] = Estado::Esquema(Campo(l, o::PKTABLE_SCHEM));
        linha[c::PK_TABLE_NAME] = Campo(l, o::PKTABLE_NAME);
        linha[c::PK_COLUMN_NAME] = Campo(l, o::PKCOLUMN_NAME);
        linha[c::FK_TABLE_CATALOG] = e.Catalogo(Campo(l, o::FKTABLE_CAT));
        linha[c::FK_TABLE_SCHEMA] = Estado::Esquema(Campo(l, o::FKTABLE_SCHEM));
        linha[c::FK_TABLE_NAME] = Campo(l, o::FKTABLE_NAME);
        linha[c::FK_COLUMN_NAME] = Campo(l, o::FKCOLUMN_NAME);
        linha[c::ORDINAL] = Campo(l, o::KEY_SEQ);
        linha[c::UPDATE_RULE] = Campo(l, o::UPDATE_RULE);
        linha[c::DELETE_RULE] = Campo(l, o::DELETE_RULE);
        linha[c::PK_NAME] = Campo(l, o::PK_NAME);
        linha[c::FK_NAME] = Campo(l, o::FK_NAME);
        dados.linhas.push_back(std::move(linha));
    }
    return dados;
}

TDadosRowset LeTiposProvider(Estado& e) {
    namespace c = rowset::provider_types;
    namespace o = sqlgettypeinfo;
    if (e.SQLite()) {
        // Columns are typed from their declared types, so the types are the native
        // provider's: its own and the ones the columns declare.
        TDadosRowset tipos = TiposProviderSQLite();
        for (const auto& daTabela : ColunasSQLite(e)) {
            for (const TColunaSQLite& coluna : daTabela) {
                const TTipoDeclarado declarado = InterpretaTipoSQLite(coluna.tipo);
                AcrescentaTipoDeclarado(tipos, declarado.nome, declarado.tipoOLE);
            }
        }
        MarcaMelhoresTipos(tipos);
        return tipos;
    }
    TComandoODBC comando(e.conexao, e.colunasLigadas);
    comando.Verifica(SQLGetTypeInfo(comando.handle(), SQL_ALL_TYPES));
    // Drivers list a name once per SQL type it serves (psqlODBC: date, numeric, float8,
    // time, timestamptz, int2, bytea, char, varchar and text twice); the first stays.
    std::set<std::string> nomes;
    TDadosRowset dados;
    for (const auto& l : comando.Linhas()) {
        if (!nomes.insert(Campo(l, o::TYPE_NAME).texto).second) {
            continue;
        }
        int tipoSQL = static_cast<int>(Numero(Campo(l, o::DATA_TYPE)).value_or(SQL_VARCHAR));
        if (e.PostgreSQL() && Campo(l, o::TYPE_NAME).texto == "bool") {
            tipoSQL = SQL_BIT;
        }
        const bool semSinal = Numero(Campo(l, o::UNSIGNED_ATTRIBUTE)).value_or(0) != 0;
        const int tipoOLE = TipoOLEDeSQL(tipoSQL, semSinal);
        TLinhaValores linha(c::kCampos);
        linha[c::TYPE_NAME] = Campo(l, o::TYPE_NAME);
        linha[c::DATA_TYPE] = TValor::De(std::int64_t{tipoOLE});
        // From COLUMN_SIZE to MAXIMUM_SCALE both layouts hold the same fields in the same
        // order.
        static_assert(static_cast<std::size_t>(c::COLUMN_SIZE) == o::COLUMN_SIZE &&
                      static_cast<std::size_t>(c::MAXIMUM_SCALE) == o::MAXIMUM_SCALE);
        for (std::size_t i = o::COLUMN_SIZE; i <= o::MAXIMUM_SCALE; ++i) {
            linha[i] = Campo(l, i);
        }
        linha[c::IS_NULLABLE] = TValor::DeBooleano(Numero(Campo(l, o::NULLABLE)).value_or(1) != 0);
        linha[c::IS_LONG] =
            TValor::DeBooleano(tipoSQL == SQL_LONGVARCHAR || tipoSQL == SQL_WLONGVARCHAR ||
                               tipoSQL == SQL_LONGVARBINARY);
        dados.linhas.push_back(std::move(linha));
    }
    MarcaMelhoresTipos(dados);
    return dados;
}

// Watches one request: when it has not ended within the time limit, the connection's sockets
// are shut down, so that a driver waiting for a server that has stopped answering (one that
// is frozen, or whose host is gone) returns with an error instead of waiting for ever.
// Drivers do not give up by themselves: psqlODBC's query timeout is carried out by the
// server, and the kernel keeps acknowledging a stopped server's connection.
class TVigiaPedido {
public:
    explicit TVigiaPedido(const std::vector<int>& sockets) : m_limite(TempoLimite()) {
        if (sockets.empty()) {
            return;
        }
        m_vigia = std::thread([this, sockets] {
            std::unique_lock<std::mutex> trava(m_mutex);
            if (!m_fim.wait_for(trava, m_limite, [this] { return m_terminado; })) {
                m_expirou = true;
                for (const int socket : sockets) {
                    ::shutdown(socket, SHUT_RDWR);
                }
            }
        });
    }
    ~TVigiaPedido() {
        if (m_vigia.joinable()) {
            {
                const std::lock_guard<std::mutex> trava(m_mutex);
                m_terminado = true;
            }
            m_fim.notify_one();
            m_vigia.join();
        }
    }
    TVigiaPedido(const TVigiaPedido&) = delete;
    TVigiaPedido& operator=(const TVigiaPedido&) = delete;

    // Raises the failure of the request as the reading must see it: a catalog function the
    // driver does not offer as a rowset it does not offer, a request the watch ended as the
    // time limit passed.
    [[noreturn]] void Falha(const EFalhaODBC& falha) {
        bool expirou = false;
        {
            const std::lock_guard<std::mutex> trava(m_mutex);
            expirou = m_expirou;
        }
        if (expirou) {
            throw Exception("The Data Source Did Not Answer Within " +
                            std::to_string(m_limite.count()) + " Seconds (" + falha.what() + ")");
        }
        if (falha.estado() == "IM001" || falha.estado() == "HYC00") {
            throw ERowsetIndisponivel(falha.what());
        }
        throw falha;
    }

private:
    std::chrono::seconds m_limite;
    std::mutex m_mutex;
    std::condition_variable m_fim;
    bool m_terminado = false;
    bool m_expirou = false;
    std::thread m_vigia;
};

TDadosRowset LeRowset(Estado& e, TEsquema esquema) {
    switch (esquema) {
    case TEsquema::adSchemaCatalogs:
        return LeCatalogos(e);
    case TEsquema::adSchemaTables:
        return LeTabelas(e);
    case TEsquema::adSchemaColumns:
        return LeColunas(e);
    case TEsquema::adSchemaPrimaryKeys:
        return LeChavesPrimarias(e);
    case TEsquema::adSchemaForeignKeys:
        return LeChavesEstrangeiras(e);
    case TEsquema::adSchemaProviderTypes:
        return LeTiposProvider(e);
    }
    return {};
}

} // namespace

TDadosRowset TConexaoODBC::LeEsquema(TEsquema esquema) {
    Estado& e = *m_estado;
    if (!e.conectada) {
        throw Exception("Operation is not allowed when the object is closed.");
    }
    TVigiaPedido vigia(e.sockets);
    try {
        return LeRowset(e, esquema);
    } catch (const EFalhaODBC& falha) {
        vigia.Falha(falha);
    }
}

} // namespace fendril

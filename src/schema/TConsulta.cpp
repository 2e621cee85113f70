#include "schema/TConsulta.h"

#include "model/AvisosCompilador.h"
#include "model/Erros.h"
#include "model/Textos.h"
#include "schema/ChamadasODBC.h"
#include "schema/StringConexao.h"
#include "schema/TConexaoODBC.h"
#include "schema/TConexaoSQLite.h"

#include <sql.h>
#include <sqlext.h>
#include <sqlite3.h>

namespace fendril {

namespace {

// Whether the ODBC string names the PostgreSQL driver, which otherwise reads a whole
// result into memory before handing over its first row.
bool DriverPostgreSQL(const std::string& stringConexao) {
    const std::string driver =
        ChaveSemCaixa(TStringConexao(StringODBC(stringConexao)).Valor("Driver").value_or(""));
    return driver.find("psql") != std::string::npos || driver.find("postgres") != std::string::npos;
}

std::string Hexadecimal(const unsigned char* bytes, std::size_t tamanho) {
    static const char digitos[] = "0123456789ABCDEF";
    std::string texto;
    texto.reserve(tamanho * 2);
    for (std::size_t i = 0; i < tamanho; ++i) {
        texto += digitos[bytes[i] >> 4];
        texto += digitos[bytes[i] & 0x0F];
    }
    return texto;
}

} // namespace

struct TConsulta::Estado {
    std::unique_ptr<TConexaoSQLite> sqlite;
    std::unique_ptr<TConexaoODBC> odbc;
    sqlite3_stmt* comando = nullptr;
    SQLHSTMT comandoODBC = SQL_NULL_HSTMT;

    void FechaComando() {
        if (comando != nullptr) {
            sqlite3_finalize(comando);
            comando = nullptr;
        }
        if (comandoODBC != SQL_NULL_HSTMT) {
            SQLFreeHandle(SQL_HANDLE_STMT, comandoODBC);
            comandoODBC = SQL_NULL_HSTMT;
        }
    }

    void VerificaODBC(SQLRETURN r) const { fendril::VerificaODBC(r, SQL_HANDLE_STMT, comandoODBC); }

    TValor ValorODBC(SQLUSMALLINT coluna) const { return LeValorODBC(comandoODBC, coluna); }

    TValor ValorSQLite(int coluna) const {
        switch (sqlite3_column_type(comando, coluna)) {
        case SQLITE_NULL:
            return TValor::Nulo();
        case SQLITE_BLOB:
            return TValor::De(
                Hexadecimal(static_cast<const unsigned char*>(sqlite3_column_blob(comando, coluna)),
                            static_cast<std::size_t>(sqlite3_column_bytes(comando, coluna))));
        default: {
            const auto* texto = reinterpret_cast<const char*>(sqlite3_column_text(comando, coluna));
            return TValor::De(std::string(
                texto, static_cast<std::size_t>(sqlite3_column_bytes(comando, coluna))));
        }
        }
    }
};

TConsulta::TConsulta() : m_estado(std::make_unique<Estado>()) {}

TConsulta::~TConsulta() {
    Fecha();
}

void TConsulta::Abre(const std::string& stringConexao, const std::string& usuario,
                     const std::string& senha, const std::string& nomeBaseDados) {
    Fecha();
    Estado& e = *m_estado;
    if (EhProviderSQLite(stringConexao)) {
        auto conexao = std::make_unique<TConexaoSQLite>();
        conexao->Open(stringConexao, usuario, senha);
        if (!nomeBaseDados.empty()) {
            conexao->DefaultDatabase(nomeBaseDados);
        }
        e.sqlite = std::move(conexao);
        FENDRIL_GCC12_SEM_WRESTRICT_INICIO
        m_aspas = "\"";
        FENDRIL_GCC12_SEM_WRESTRICT_FIM
        m_comEsquemas = false;
        return;
    }
    std::string texto = stringConexao;
    if (DriverPostgreSQL(stringConexao) &&
        !TStringConexao(StringODBC(stringConexao)).Valor("UseDeclareFetch")) {
        // Rows come from a server cursor in blocks instead of all at once.
        if (!texto.empty() && texto.back() != ';') {
            texto += ';';
        }
        texto += "UseDeclareFetch=1";
    }
    auto conexao = std::make_unique<TConexaoODBC>();
    conexao->Open(texto, usuario, senha);
    if (!nomeBaseDados.empty()) {
        conexao->DefaultDatabase(nomeBaseDados);
    }
    char aspas[16] = {};
    SQLSMALLINT tamanho = 0;
    if (SQL_SUCCEEDED(SQLGetInfo(static_cast<SQLHDBC>(conexao->Handle()), SQL_IDENTIFIER_QUOTE_CHAR,
                                 aspas, static_cast<SQLSMALLINT>(sizeof aspas), &tamanho))) {
        m_aspas = aspas;
        // A driver that does not quote identifiers reports a space.
        if (m_aspas.find_first_not_of(' ') == std::string::npos) {
            m_aspas.clear();
        }
    }
    SQLUINTEGER usoEsquemas = 0;
    m_comEsquemas = !SQL_SUCCEEDED(SQLGetInfo(
                        static_cast<SQLHDBC>(conexao->Handle()), SQL_SCHEMA_USAGE, &usoEsquemas,
                        static_cast<SQLSMALLINT>(sizeof usoEsquemas), nullptr)) ||
                    usoEsquemas != 0;
    e.odbc = std::move(conexao);
}

bool TConsulta::Aberta() const {
    return m_estado->sqlite || m_estado->odbc;
}

void TConsulta::Executa(const std::string& sql) {
    Estado& e = *m_estado;
    e.FechaComando();
    m_colunas.clear();
    m_fim = true;
    if (e.sqlite) {
        sqlite3* banco = e.sqlite->Banco();
        if (sqlite3_prepare_v2(banco, sql.c_str(), static_cast<int>(sql.size()), &e.comando,
                               nullptr) != SQLITE_OK) {
            const std::string mensagem = sqlite3_errmsg(banco);
            e.FechaComando();
            throw Exception(mensagem);
        }
        const int colunas = sqlite3_column_count(e.comando);
        for (int c = 0; c < colunas; ++c) {
            const char* nome = sqlite3_column_name(e.comando, c);
            m_colunas.emplace_back(nome != nullptr ? nome : "");
        }
    } else if (e.odbc) {
        auto* conexao = static_cast<SQLHDBC>(e.odbc->Handle());
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, conexao, &e.comandoODBC))) {
            throw Exception(DiagnosticoODBC(SQL_HANDLE_DBC, conexao));
        }
        try {
            std::string texto = sql;
            e.VerificaODBC(SQLExecDirect(e.comandoODBC, reinterpret_cast<SQLCHAR*>(texto.data()),
                                         static_cast<SQLINTEGER>(texto.size())));
            SQLSMALLINT colunas = 0;
            e.VerificaODBC(SQLNumResultCols(e.comandoODBC, &colunas));
            for (SQLSMALLINT c = 1; c <= colunas; ++c) {
                SQLCHAR nome[512] = {};
                SQLSMALLINT tamanho = 0;
                SQLSMALLINT tipo = 0;
                SQLULEN precisao = 0;
                SQLSMALLINT escala = 0;
                SQLSMALLINT nulavel = 0;
                e.VerificaODBC(SQLDescribeCol(e.comandoODBC, static_cast<SQLUSMALLINT>(c), nome,
                                              static_cast<SQLSMALLINT>(sizeof nome), &tamanho,
                                              &tipo, &precisao, &escala, &nulavel));
                m_colunas.emplace_back(reinterpret_cast<const char*>(nome));
            }
        } catch (...) {
            e.FechaComando();
            throw;
        }
    } else {
        throw Exception("Operation is not allowed when the object is closed.");
    }
    m_fim = false;
}

std::vector<TLinhaValores> TConsulta::Proximas(std::size_t quantidade) {
    Estado& e = *m_estado;
    std::vector<TLinhaValores> linhas;
    const std::size_t colunas = m_colunas.size();
    while (!m_fim && linhas.size() < quantidade) {
        if (e.comando != nullptr) {
            const int r = sqlite3_step(e.comando);
            if (r == SQLITE_DONE) {
                m_fim = true;
                break;
            }
            if (r != SQLITE_ROW) {
                m_fim = true;
                throw Exception(sqlite3_errmsg(e.sqlite->Banco()));
            }
            TLinhaValores linha(colunas);
            for (std::size_t c = 0; c < colunas; ++c) {
                linha[c] = e.ValorSQLite(static_cast<int>(c));
            }
            linhas.push_back(std::move(linha));
        } else if (e.comandoODBC != SQL_NULL_HSTMT) {
            const SQLRETURN r = SQLFetch(e.comandoODBC);
            if (r == SQL_NO_DATA) {
                m_fim = true;
                break;
            }
            try {
                e.VerificaODBC(r);
                TLinhaValores linha(colunas);
                for (std::size_t c = 0; c < colunas; ++c) {
                    linha[c] = e.ValorODBC(static_cast<SQLUSMALLINT>(c + 1));
                }
                linhas.push_back(std::move(linha));
            } catch (...) {
                m_fim = true;
                throw;
            }
        } else {
            m_fim = true;
        }
    }
    return linhas;
}

void TConsulta::Fecha() {
    Estado& e = *m_estado;
    e.FechaComando();
    try {
        if (e.sqlite) {
            e.sqlite->Close();
        }
        if (e.odbc) {
            e.odbc->Close();
        }
    } catch (...) {
        // Closing never fails the caller.
    }
    e.sqlite.reset();
    e.odbc.reset();
    m_colunas.clear();
    m_aspas.clear();
    m_comEsquemas = false;
    m_fim = true;
}

std::string CitaIdentificador(const std::string& nome, const std::string& aspas) {
    if (aspas.empty()) {
        return nome;
    }
    std::string texto = aspas;
    for (std::size_t i = 0; i < nome.size();) {
        if (nome.compare(i, aspas.size(), aspas) == 0) {
            texto += aspas;
            texto += aspas;
            i += aspas.size();
        } else {
            texto += nome[i++];
        }
    }
    texto += aspas;
    return texto;
}

std::string CitaNomeTabela(const std::string& nome, const std::string& aspas, bool comEsquemas) {
    const std::size_t ponto = nome.find('.');
    if (ponto == std::string::npos || !comEsquemas) {
        return CitaIdentificador(nome, aspas);
    }
    return CitaIdentificador(nome.substr(0, ponto), aspas) + "." +
           CitaIdentificador(nome.substr(ponto + 1), aspas);
}

} // namespace fendril

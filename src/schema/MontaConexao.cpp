#include "schema/MontaConexao.h"

#include "model/AvisosCompilador.h"
#include "schema/FonteEsquema.h"
#include "schema/StringConexao.h"

#include <exception>
#include <memory>
#include <sql.h>
#include <sqlext.h>

namespace fendril {

namespace {

// An ODBC environment for the driver manager's lists, freed when it goes away.
class TAmbienteODBC {
public:
    TAmbienteODBC() {
        if (SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_handle))) {
            SQLSetEnvAttr(m_handle, SQL_ATTR_ODBC_VERSION,
                          reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        } else {
            m_handle = SQL_NULL_HENV;
        }
    }
    ~TAmbienteODBC() {
        if (m_handle != SQL_NULL_HENV) {
            SQLFreeHandle(SQL_HANDLE_ENV, m_handle);
        }
    }
    TAmbienteODBC(const TAmbienteODBC&) = delete;
    TAmbienteODBC& operator=(const TAmbienteODBC&) = delete;

    SQLHENV handle() const { return m_handle; }

private:
    SQLHENV m_handle = SQL_NULL_HENV;
};

// Walks one of the driver manager's lists from its first entry: `le(ambiente, direcao)`
// reads the next entry and says whether there was one. Nothing is read without a driver
// manager.
template <typename Le> void PercorreLista(Le le) {
    TAmbienteODBC ambiente;
    if (ambiente.handle() == SQL_NULL_HENV) {
        return;
    }
    for (SQLUSMALLINT direcao = SQL_FETCH_FIRST; le(ambiente.handle(), direcao);
         direcao = SQL_FETCH_NEXT) {
    }
}

bool PrecisaAspas(const std::string& valor) {
    return valor.find_first_of(";\"'") != std::string::npos ||
           (!valor.empty() && (valor.front() == ' ' || valor.back() == ' '));
}

std::string Chaves(const std::string& valor) {
    std::string texto = "{";
    for (const char c : valor) {
        texto += c;
        if (c == '}') {
            texto += '}';
        }
    }
    return texto + "}";
}

} // namespace

std::vector<std::string> DriversODBC() {
    std::vector<std::string> nomes;
    PercorreLista([&nomes](SQLHENV ambiente, SQLUSMALLINT direcao) {
        SQLCHAR nome[512] = {};
        SQLCHAR atributos[2048] = {};
        SQLSMALLINT tamanhoNome = 0;
        SQLSMALLINT tamanhoAtributos = 0;
        const SQLRETURN r =
            SQLDrivers(ambiente, direcao, nome, static_cast<SQLSMALLINT>(sizeof nome), &tamanhoNome,
                       atributos, static_cast<SQLSMALLINT>(sizeof atributos), &tamanhoAtributos);
        if (!SQL_SUCCEEDED(r)) {
            return false;
        }
        nomes.emplace_back(reinterpret_cast<const char*>(nome));
        return true;
    });
    return nomes;
}

std::vector<TFonteDadosODBC> FontesDadosODBC() {
    std::vector<TFonteDadosODBC> fontes;
    PercorreLista([&fontes](SQLHENV ambiente, SQLUSMALLINT direcao) {
        SQLCHAR nome[SQL_MAX_DSN_LENGTH + 1] = {};
        SQLCHAR descricao[1024] = {};
        SQLSMALLINT tamanhoNome = 0;
        SQLSMALLINT tamanhoDescricao = 0;
        const SQLRETURN r = SQLDataSources(
            ambiente, direcao, nome, static_cast<SQLSMALLINT>(sizeof nome), &tamanhoNome, descricao,
            static_cast<SQLSMALLINT>(sizeof descricao), &tamanhoDescricao);
        if (!SQL_SUCCEEDED(r)) {
            return false;
        }
        fontes.push_back(
            {reinterpret_cast<const char*>(nome), reinterpret_cast<const char*>(descricao)});
        return true;
    });
    return fontes;
}

std::string StringConexaoSQLite(const std::string& arquivo) {
    std::string valor = arquivo;
    if (PrecisaAspas(arquivo)) {
        FENDRIL_GCC12_SEM_WRESTRICT_INICIO
        valor = "\"";
        FENDRIL_GCC12_SEM_WRESTRICT_FIM
        for (const char c : arquivo) {
            valor += c;
            if (c == '"') {
                valor += '"';
            }
        }
        valor += '"';
    }
    return "Provider=SQLite;Data Source=" + valor;
}

std::string StringConexaoDriver(const TCamposServidor& campos) {
    std::string texto = "Provider=MSDASQL;Driver=" + Chaves(campos.driver);
    const auto acrescenta = [&texto](const char* chave, const std::string& valor) {
        if (!valor.empty()) {
            texto += std::string(";") + chave + "=" + ValorODBC(valor);
        }
    };
    acrescenta("Server", campos.servidor);
    acrescenta("Port", campos.porta);
    acrescenta("Database", campos.baseDados);
    return texto;
}

std::string StringConexaoDSN(const std::string& fonte) {
    return "Provider=MSDASQL;DSN=" + ValorODBC(fonte);
}

std::string StringConexaoODBC(const std::string& texto) {
    if (TStringConexao(texto).Valor("Provider")) {
        return texto;
    }
    return "Provider=MSDASQL;" + texto;
}

std::string TestaConexao(const std::string& stringConexao, const std::string& usuario,
                         const std::string& senha) {
    try {
        std::unique_ptr<TConexao> conexao = CriaConexaoPadrao();
        conexao->Open(stringConexao, usuario, senha);
        conexao->Close();
        return {};
    } catch (const std::exception& erro) {
        const std::string mensagem = erro.what();
        return mensagem.empty() ? "Unknown error" : mensagem;
    }
}

} // namespace fendril

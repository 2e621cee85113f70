// Imports from a PostgreSQL server of these tests' own, which they freeze (SIGSTOP), thaw and
// finally kill: a server that stops answering or dies makes the import fail, loudly and in
// bounded time, and the mapping stays as it was.
#include "model/Erros.h"
#include "schema/CargaColunas.h"
#include "support/ArquivosTemporarios.h"
#include "support/ExecutaCli.h"

#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace fendril {
namespace {

namespace fs = std::filesystem;
using teste::ExecutaCli;
using teste::LeArquivo;

std::string Aparado(std::string texto) {
    while (!texto.empty() && (texto.back() == '\n' || texto.back() == '\r')) {
        texto.pop_back();
    }
    return texto;
}

// The processes of the server: the postmaster and its children.
std::vector<pid_t> Processos(const std::string& pasta) {
    const std::string dados = Aparado(LeArquivo(pasta + "/server-dir")) + "/data/postmaster.pid";
    std::istringstream pid(LeArquivo(dados));
    pid_t postmaster = 0;
    pid >> postmaster;
    std::vector<pid_t> processos{postmaster};
    for (const auto& entrada : fs::directory_iterator("/proc")) {
        const std::string nome = entrada.path().filename().string();
        if (nome.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::ifstream estado(entrada.path() / "status");
        for (std::string linha; std::getline(estado, linha);) {
            if (linha.rfind("PPid:", 0) == 0) {
                if (std::atoi(linha.c_str() + 5) == postmaster) {
                    processos.push_back(std::atoi(nome.c_str()));
                }
                break;
            }
        }
    }
    return processos;
}

// A connection that runs `antes` once, just before its first request for `esquema`.
class TConexaoInterrompida : public TConexao {
public:
    TConexaoInterrompida(TEsquema esquema, std::function<void()> antes)
        : m_esquema(esquema), m_antes(std::move(antes)) {}
    void Open(const std::string& s, const std::string& u, const std::string& p) override {
        m_real->Open(s, u, p);
    }
    void DefaultDatabase(const std::string& nome) override { m_real->DefaultDatabase(nome); }
    std::unique_ptr<TRowset> OpenSchema(TEsquema esquema, const TFiltro& restricoes) override {
        if (esquema == m_esquema && m_antes) {
            std::exchange(m_antes, nullptr)();
        }
        return m_real->OpenSchema(esquema, restricoes);
    }
    void Close() override { m_real->Close(); }

private:
    std::unique_ptr<TConexao> m_real = CriaConexaoPadrao();
    TEsquema m_esquema;
    std::function<void()> m_antes;
};

class ServidorProprio : public testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string comando = "bash " FENDRIL_PG_SCRIPT " start " + Pasta() +
                                    " 56500 " FENDRIL_SHOP_SQL " " FENDRIL_CASE_SQL " >/dev/null";
        ASSERT_EQ(std::system(comando.c_str()), 0);
    }
    static void TearDownTestSuite() {
        Sinal(SIGCONT);
        std::system(("bash " FENDRIL_PG_SCRIPT " stop " + Pasta() + " >/dev/null 2>&1").c_str());
        std::error_code erro;
        fs::remove_all(Aparado(LeArquivo(Pasta() + "/server-dir")), erro);
        fs::remove_all(Pasta(), erro);
    }
    void SetUp() override {
        ASSERT_TRUE(fs::exists(Pasta() + "/port")) << "the server did not start";
        DefineTempoLimite(std::chrono::seconds(30));
    }
    void TearDown() override { Sinal(SIGCONT); }

    static std::string Pasta() { return FENDRIL_PG_PROPRIO_DIR; }
    static void Sinal(int sinal) {
        if (fs::exists(Pasta() + "/server-dir")) {
            for (const pid_t processo : Processos(Pasta())) {
                ::kill(processo, sinal);
            }
        }
    }
    static std::string Conexao() {
        return "Driver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so;Server=127.0.0.1;Port=" +
               Aparado(LeArquivo(Pasta() + "/port")) + ";Database=shop";
    }

    teste::ResultadoCli Importa(std::vector<std::string> extra) {
        setenv("FENDRIL_TEST_PG_PASSWORD", "fendril-secret", 1);
        std::vector<std::string> argumentos = {"import",
                                               "--connection",
                                               Conexao(),
                                               "--user",
                                               "fendril",
                                               "--password-env",
                                               "FENDRIL_TEST_PG_PASSWORD",
                                               "--author",
                                               "Ana",
                                               "--database",
                                               "shop",
                                               "-o",
                                               m_kmf};
        argumentos.insert(argumentos.end(), extra.begin(), extra.end());
        return ExecutaCli(argumentos);
    }

    // A load through connections that do `antes` just before they first ask for COLUMNS.
    void Carrega(std::function<void()> antes, TCargaColunas& carga) {
        auto acao = std::make_shared<std::function<void()>>(std::move(antes));
        const TFabricaConexao fabrica = [acao] {
            return std::make_unique<TConexaoInterrompida>(TEsquema::adSchemaColumns,
                                                          std::exchange(*acao, nullptr));
        };
        CarregaControlaColunas({Conexao(), "fendril", "fendril-secret", "shop"},
                               {"public.customers", "public.orders"}, carga, {}, fabrica);
    }

    teste::PastaTemporaria m_pasta;
    std::string m_kmf = m_pasta.arquivo("shop.kmf");
};

TEST_F(ServidorProprio, TablesHiddenByLetterCaseAreNamedOnStderr) {
    const teste::ResultadoCli r = Importa({"--tables", "public.Users,public.users,public.Users"});
    ASSERT_EQ(r.codigo, 0) << r.erros;
    EXPECT_NE(r.erros.find("Table \"public.users\" Is Left Out: Its Name Differs From "
                           "\"public.Users\" Only In Letter Case\n"),
              std::string::npos)
        << r.erros;
}

TEST_F(ServidorProprio, AFrozenServerFailsConnectingWithinTheTimeLimit) {
    ASSERT_EQ(Importa({"--tables", "public.orders"}).codigo, 0);
    const std::string antes = LeArquivo(m_kmf);
    Sinal(SIGSTOP);
    const teste::ResultadoCli r = Importa({"--tables", "public.customers", "--timeout", "2"});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_NE(r.erros.find("timeout expired"), std::string::npos) << r.erros;
    EXPECT_EQ(LeArquivo(m_kmf), antes);
}

TEST_F(ServidorProprio, AServerThatStopsAnsweringFailsTheReadingWithinTheTimeLimit) {
    DefineTempoLimite(std::chrono::seconds(2));
    TCargaColunas carga;
    try {
        Carrega([] { Sinal(SIGSTOP); }, carga);
        FAIL() << "a frozen server gave its columns";
    } catch (const EErroGeral& erro) {
        EXPECT_EQ(std::string(erro.textoErro())
                      .rfind("Table \"public.customers\" Could Not Be Read: Columns -> The Data "
                             "Source Did Not Answer Within 2 Seconds (",
                             0),
                  0u)
            << erro.textoErro();
    }
    DefineTempoLimite(std::chrono::seconds(30));
    EXPECT_FALSE(carga.controlaColunas);
}

// Last: the server restarts its processes afterwards.
TEST_F(ServidorProprio, AServerKilledDuringTheImportFailsItAndKeepsTheMapping) {
    TCargaColunas carga;
    Carrega({}, carga);
    ASSERT_TRUE(carga.controlaColunas);
    const std::string antes = carga.controlaColunas->getColunas()[0]->Codifica();
    try {
        Carrega(
            [] {
                // Every server process but the postmaster, which then starts them anew; the
                // connection of the load is gone with its own.
                const std::vector<pid_t> processos = Processos(Pasta());
                for (std::size_t i = 1; i < processos.size(); ++i) {
                    ::kill(processos[i], SIGKILL);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
            },
            carga);
        FAIL() << "a dead server gave its columns";
    } catch (const EErroGeral& erro) {
        EXPECT_EQ(std::string(erro.textoErro())
                      .rfind("Table \"public.customers\" Could Not Be Read: Columns -> ", 0),
                  0u)
            << erro.textoErro();
    }
    EXPECT_EQ(carga.controlaColunas->getColunas()[0]->Codifica(), antes);
    EXPECT_NE(carga.log.back().find("Columns -> "), std::string::npos);
}

} // namespace
} // namespace fendril

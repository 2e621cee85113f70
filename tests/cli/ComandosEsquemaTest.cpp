#include "documents/DocumentoMapeamento.h"
#include "documents/TArquivoKMF.h"
#include "model/TColuna.h"
#include "support/ArquivosTemporarios.h"
#include "support/BancoSQLite.h"
#include "support/ExecutaCli.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <utility>
#include <vector>

namespace fendril {
namespace {

using Resultado = teste::ResultadoCli;
using teste::ExecutaCli;

Resultado Executa(std::vector<std::string> argumentos) {
    return ExecutaCli(std::move(argumentos));
}

class ComandosEsquema : public testing::Test {
protected:
    void SetUp() override {
        sqlite3* banco = nullptr;
        ASSERT_EQ(sqlite3_open(m_banco.c_str(), &banco), SQLITE_OK);
        // A throw-away file: no need to wait for the disk after each statement.
        const std::string script = "PRAGMA synchronous = OFF; PRAGMA journal_mode = MEMORY;" +
                                   teste::LeArquivo(FENDRIL_SHOP_SQL);
        ASSERT_EQ(sqlite3_exec(banco, script.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(banco);
    }

    TDescricaoMapeamento Abre(const std::string& caminho) {
        TArquivoKMF documento;
        documento.Abre(caminho);
        return LeDocumentoMapeamento(documento);
    }

    teste::PastaTemporaria m_pasta;
    std::string m_banco = m_pasta.arquivo("shop.db");
    std::string m_conexao = "Provider=SQLite;Data Source=" + m_banco;
};

TEST_F(ComandosEsquema, DatabasesAndTablesPrintOneNamePerLine) {
    EXPECT_EQ(Executa({"databases", "--connection", m_conexao}).saida, "main\n");
    const Resultado views = Executa({"tables", "--connection", m_conexao, "--type", "view"});
    EXPECT_EQ(views.codigo, 0);
    EXPECT_EQ(views.saida, "order_totals\n");
    EXPECT_EQ(Executa({"tables", "--connection", m_conexao, "--type", "tables"}).codigo, 2);
}

TEST_F(ComandosEsquema, ImportWritesTheMappingAndTheLog) {
    const std::string kmf = m_pasta.arquivo("shop.kmf");
    const std::string log = m_pasta.arquivo("load.log");
    const Resultado r = Executa({"import", "--connection", m_conexao, "--author", "Ana", "-o", kmf,
                                 "--log", log, "--database", "main"});
    ASSERT_EQ(r.codigo, 0) << r.erros;
    EXPECT_NE(r.erros.find("Loading Tables And Columns. Wait...(100%)\n"), std::string::npos);
    const TDescricaoMapeamento d = Abre(kmf);
    EXPECT_EQ(d.Edit_nome, "shop");
    EXPECT_EQ(d.Edit_autor, "Ana");
    EXPECT_EQ(d.edit_constring, m_conexao);
    EXPECT_EQ(d.combo_basedados, "main");
    EXPECT_EQ(d.edit_data.size(), 10u);
    ASSERT_TRUE(d.controlaColunas);
    EXPECT_EQ(d.controlaColunas->getNomesTabelas().size(), 9u);
    EXPECT_FALSE(d.tiposProvider.empty());
    const std::string texto = teste::LeArquivo(log);
    EXPECT_EQ(texto.rfind("### addresses ###\r\n", 0), 0u);
    EXPECT_NE(texto.find("]: Columns -> OK\r\n"), std::string::npos);
}

TEST_F(ComandosEsquema, AddToKeepsTheMappingAndAddsOnlyMissingTables) {
    const std::string primeiro = m_pasta.arquivo("first.kmf");
    ASSERT_EQ(Executa({"import", "--connection", m_conexao, "--author", "Ana", "--name", "Shop",
                       "--tables", "orders, customers", "-o", primeiro})
                  .codigo,
              0);
    const std::string segundo = m_pasta.arquivo("second.kmf");
    const Resultado r = Executa({"import", "--connection", m_conexao, "--author", "Ana", "--add-to",
                                 primeiro, "--tables", "CUSTOMERS,products", "-o", segundo});
    ASSERT_EQ(r.codigo, 0) << r.erros;
    const TDescricaoMapeamento d = Abre(segundo);
    EXPECT_EQ(d.Edit_nome, "Shop");
    EXPECT_EQ(d.controlaColunas->getNomesTabelas(),
              (TListaTextos{"orders", "customers", "products"}));
}

TEST_F(ComandosEsquema, FailuresExitOneAndLeaveNothingAtTheOutput) {
    const std::string kmf = m_pasta.arquivo("out.kmf");
    const std::string ausente = m_pasta.arquivo("absent.db");
    const Resultado semArquivo =
        Executa({"import", "--connection", "Provider=SQLite;Data Source=" + ausente, "--author",
                 "Ana", "-o", kmf});
    EXPECT_EQ(semArquivo.codigo, 1);
    EXPECT_EQ(semArquivo.erros, "TManipulaTabelas: Open Connection Error. OLE Message :unable to "
                                "open database file: " +
                                    ausente + "\n");
    EXPECT_FALSE(std::filesystem::exists(kmf));
    EXPECT_FALSE(std::filesystem::exists(ausente));

    const Resultado tabelaRuim =
        Executa({"import", "--connection", m_conexao, "--database", "nowhere", "--author", "Ana",
                 "--tables", "orders", "-o", kmf});
    EXPECT_EQ(tabelaRuim.codigo, 1);
    EXPECT_NE(tabelaRuim.erros.find("\nTable \"orders\" Could Not Be Read: TManipulaColunas: Open "
                                    "Connection Error. OLE Message :Unknown database \"nowhere\""),
              std::string::npos)
        << tabelaRuim.erros;
    EXPECT_FALSE(std::filesystem::exists(kmf));

    EXPECT_EQ(Executa({"import", "--connection", m_conexao, "-o", kmf}).codigo, 2);
    EXPECT_FALSE(std::filesystem::exists(kmf));
}

TEST_F(ComandosEsquema, ImportLeavesOutSystemTablesUnlessTypeAllAndNamesTheDatabase) {
    const std::string banco = m_pasta.arquivo("inner.db");
    teste::CriaBanco(banco, "CREATE TABLE parent (id integer PRIMARY KEY AUTOINCREMENT, k text);"
                            "CREATE INDEX parent_k ON parent (k);"
                            "INSERT INTO parent (k) VALUES ('a'); ANALYZE;"
                            "CREATE VIEW keys AS SELECT k FROM parent;");
    const std::string conexao = "Provider=SQLite;Data Source=" + banco;
    const std::string kmf = m_pasta.arquivo("inner.kmf");
    struct Caso {
        std::vector<std::string> tipo;
        TListaTextos tabelas;
    };
    for (const Caso& caso :
         {Caso{{}, {"parent", "keys"}},
          Caso{{"--type", "all"}, {"sqlite_sequence", "sqlite_stat1", "parent", "keys"}},
          Caso{{"--type", "system"}, {"sqlite_sequence", "sqlite_stat1"}}}) {
        std::vector<std::string> argumentos = {"import", "--connection", conexao, "--author",
                                               "Ana",    "-o",           kmf};
        argumentos.insert(argumentos.end(), caso.tipo.begin(), caso.tipo.end());
        const Resultado r = Executa(argumentos);
        ASSERT_EQ(r.codigo, 0) << r.erros;
        const TDescricaoMapeamento d = Abre(kmf);
        EXPECT_EQ(d.controlaColunas->getNomesTabelas(), caso.tabelas);
        // Without --database, the database the connection opened.
        EXPECT_EQ(d.combo_basedados, "main");
    }
}

TEST_F(ComandosEsquema, AddingToAMappingKeepsItsDatabaseName) {
    const std::string primeiro = m_pasta.arquivo("first.kmf");
    ASSERT_EQ(Executa({"import", "--connection", m_conexao, "--author", "Ana", "--tables", "orders",
                       "-o", primeiro})
                  .codigo,
              0);
    TArquivoKMF documento;
    documento.Abre(primeiro);
    for (std::string& linha : documento.getLinhas()) {
        if (linha == "descricao||combo_basedados||main||") {
            linha = "descricao||combo_basedados||shopdb||";
        }
    }
    documento.Salva(primeiro);
    const std::string segundo = m_pasta.arquivo("second.kmf");
    ASSERT_EQ(Executa({"import", "--connection", m_conexao, "--author", "Ana", "--add-to", primeiro,
                       "--tables", "customers", "-o", segundo})
                  .codigo,
              0);
    EXPECT_EQ(Abre(segundo).combo_basedados, "shopdb");
}

TEST_F(ComandosEsquema, TablesWithADotOrASpaceInTheirNameImportWithTheirColumns) {
    const std::string banco = m_pasta.arquivo("names.db");
    teste::CriaBanco(banco, "CREATE TABLE \"my.table\" (id integer PRIMARY KEY, \"my.col\" text);"
                            "CREATE TABLE \"with space\" (id integer PRIMARY KEY, name text);");
    const std::string conexao = "Provider=SQLite;Data Source=" + banco;
    const std::string kmf = m_pasta.arquivo("names.kmf");
    for (const std::vector<std::string>& tabelas :
         {std::vector<std::string>{},
          std::vector<std::string>{"--tables", "my.table,with space"}}) {
        std::vector<std::string> argumentos = {"import", "--connection", conexao, "--author",
                                               "Ana",    "-o",           kmf};
        argumentos.insert(argumentos.end(), tabelas.begin(), tabelas.end());
        const Resultado r = Executa(argumentos);
        ASSERT_EQ(r.codigo, 0) << r.erros;
        const TDescricaoMapeamento d = Abre(kmf);
        EXPECT_EQ(d.controlaColunas->getNomesColunas("my.table"), (TListaTextos{"id", "my.col"}));
        EXPECT_EQ(d.controlaColunas->getNomesColunas("with space"), (TListaTextos{"id", "name"}));
        const TTabela* tabela = d.controlaColunas->getTabela("my.table");
        ASSERT_NE(tabela, nullptr);
        EXPECT_EQ(tabela->esquema, "");
        EXPECT_EQ(tabela->nome, "my.table");
    }
    const Resultado ausente = Executa(
        {"import", "--connection", conexao, "--author", "Ana", "--tables", "my.tables", "-o", kmf});
    EXPECT_EQ(ausente.codigo, 1);
    EXPECT_NE(ausente.erros.find("Table \"my.tables\" Does Not Exist !!\n"), std::string::npos)
        << ausente.erros;
}

TEST_F(ComandosEsquema, DescribePrintsTheColumnsWithTheirFacts) {
    const std::string kmf = m_pasta.arquivo("shop.kmf");
    ASSERT_EQ(Executa({"import", "--connection", m_conexao, "--author", "Ana", "--tables",
                       "payments,orders", "-o", kmf})
                  .codigo,
              0);
    const Resultado r = Executa({"describe", kmf, "--table", "payments"});
    ASSERT_EQ(r.codigo, 0) << r.erros;
    EXPECT_EQ(
        r.saida,
        "Mapping \"shop\" of database \"main\": 2 tables, 14 columns\n"
        "\n"
        "Table payments (TABLE)\n"
        "  column     type       length  precision  scale  keys             nullable  "
        "default  unique  auto-increment  enabled  alias  comment\n"
        "  id         INTEGER    -       10         -      PK               no                 "
        "yes     yes             yes\n"
        "  order_id   INTEGER    -       10         -      FK -> orders.id  no                 "
        "no      no              yes\n"
        "  paid_at    timestamp  -       0          -                       no                 "
        "no      no              yes\n"
        "  amount     numeric    -       10         2                       no                 "
        "no      no              yes\n"
        "  method     varchar    20      -          -                       no        'card'   "
        "no      no              yes\n"
        "  confirmed  boolean    -       -          -                       no        FALSE    "
        "no      no              yes\n");
    const Resultado todas = Executa({"describe", kmf});
    EXPECT_NE(todas.saida.find("\nTable orders (TABLE)\n"), std::string::npos);
    EXPECT_NE(todas.saida.find("\nTable payments (TABLE)\n"), std::string::npos);

    const Resultado ausente = Executa({"describe", kmf, "--table", "nope"});
    EXPECT_EQ(ausente.codigo, 1);
    EXPECT_EQ(ausente.erros, "Table \"nope\" Is Not In The Mapping !!\n");
    EXPECT_EQ(Executa({"describe", m_banco}).codigo, 1);
}

// The facts a mapping holds (here a comment and a default edited by hand) stay when tables
// are added to it, and through dump and pack.
TEST_F(ComandosEsquema, FactsSurviveAddToDumpAndPack) {
    const std::string primeiro = m_pasta.arquivo("first.kmf");
    ASSERT_EQ(Executa({"import", "--connection", m_conexao, "--author", "Ana", "--tables",
                       "payments", "-o", primeiro})
                  .codigo,
              0);
    TDescricaoMapeamento descricao = Abre(primeiro);
    TColuna* metodo = descricao.controlaColunas->getColuna("payments", "method");
    metodo->facts.comment = "How it was paid,\nas the bank names it";
    metodo->facts.defaultValue = "'cash'";
    for (const auto& coluna : descricao.controlaColunas->getColunas()) {
        coluna->getTabela().comment = "Payments received";
    }
    MontaDocumentoMapeamento(descricao).Salva(primeiro);

    const std::string segundo = m_pasta.arquivo("second.kmf");
    ASSERT_EQ(Executa({"import", "--connection", m_conexao, "--author", "Ana", "--add-to", primeiro,
                       "--tables", "orders", "-o", segundo})
                  .codigo,
              0);
    const std::string texto = m_pasta.arquivo("second.txt");
    teste::EscreveArquivo(texto, Executa({"dump", segundo}).saida);
    EXPECT_NE(teste::LeArquivo(texto).find(
                  "fatos||coluna||=>payments=>method=>0=>0=>0=>'cash'=>How it was paid,\\nas the "
                  "bank names it=>||\n"),
              std::string::npos);
    const std::string terceiro = m_pasta.arquivo("third.kmf");
    ASSERT_EQ(Executa({"pack", texto, "-o", terceiro}).codigo, 0);
    for (const std::string& caminho : {segundo, terceiro}) {
        const TDescricaoMapeamento lida = Abre(caminho);
        const TColuna* lido = std::as_const(*lida.controlaColunas).getColuna("payments", "method");
        ASSERT_NE(lido, nullptr) << caminho;
        EXPECT_EQ(lido->facts, metodo->facts) << caminho;
        EXPECT_EQ(lido->getTabela().comment, "Payments received") << caminho;
        EXPECT_TRUE(std::as_const(*lida.controlaColunas).getColuna("orders", "id")->facts.unique);
    }
}

// From the database to the templates: the facts an import reads are what the fact tags of
// a generation from the saved mapping give.
TEST_F(ComandosEsquema, ImportedFactsReachTheTemplateTags) {
    const std::string kmf = m_pasta.arquivo("shop.kmf");
    ASSERT_EQ(Executa({"import", "--connection", m_conexao, "--author", "Ana", "--tables",
                       "payments", "-o", kmf})
                  .codigo,
              0);
    const std::string descricao = m_pasta.arquivo("facts.desc");
    teste::EscreveArquivo(descricao,
                          "rg_file = 1\n"
                          "edit_makeprefix = facts\n"
                          "edit_makeextension = txt\n"
                          "re_classeobjeto = <rctable><prkcol><colname> <colnullable><colunique>"
                          "<colautoinc>[<coldefault>] </prkcol><simplecol><colname> <colnullable>"
                          "<colunique><colautoinc>[<coldefault>] </simplecol></rctable>\n");
    const std::string modelo = m_pasta.arquivo("facts.tpg");
    ASSERT_EQ(Executa({"compose", descricao, "-o", modelo}).codigo, 0);
    const std::string saida = m_pasta.arquivo("out");
    std::filesystem::create_directory(saida);
    const Resultado r =
        Executa({"generate", "--mapping", kmf, "--out", saida, "--general-template", modelo});
    ASSERT_EQ(r.codigo, 0) << r.erros;
    EXPECT_EQ(teste::LeArquivo(saida + "/facts.txt"),
              "id 011[] order_id 000[] paid_at 000[] amount 000[] method 000['card'] "
              "confirmed 000[FALSE] \r\n");
}

TEST_F(ComandosEsquema, AMisspelledTableFailsTheImportAndKeepsTheMapping) {
    const std::string kmf = m_pasta.arquivo("shop.kmf");
    ASSERT_EQ(Executa({"import", "--connection", m_conexao, "--author", "Ana", "-o", kmf}).codigo,
              0);
    const std::string antes = teste::LeArquivo(kmf);
    const Resultado r = Executa({"import", "--connection", m_conexao, "--author", "Ana", "--tables",
                                 "orders,custmers", "--timeout", "5", "-o", kmf});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_NE(r.erros.find("Table \"custmers\" Does Not Exist !!\n"), std::string::npos) << r.erros;
    EXPECT_EQ(teste::LeArquivo(kmf), antes);
    EXPECT_EQ(Executa({"tables", "--connection", m_conexao, "--timeout", "0"}).codigo, 2);
}

TEST_F(ComandosEsquema, ADatabaseLockedForAMomentIsWaitedFor) {
    sqlite3* escritor = nullptr;
    ASSERT_EQ(sqlite3_open(m_banco.c_str(), &escritor), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(escritor, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread libera([escritor] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        sqlite3_exec(escritor, "COMMIT", nullptr, nullptr, nullptr);
    });
    const Resultado r = Executa({"tables", "--connection", m_conexao, "--timeout", "20"});
    libera.join();
    sqlite3_close(escritor);
    EXPECT_EQ(r.codigo, 0) << r.erros;
    EXPECT_NE(r.saida.find("orders\n"), std::string::npos);
}

TEST_F(ComandosEsquema, OutputReplacesOnlyAMappingDocument) {
    const std::string antes = teste::LeArquivo(m_banco);
    const std::string texto = m_pasta.arquivo("notes.txt");
    teste::EscreveArquivo(texto, "my notes");
    for (const std::string& alvo : {m_banco, texto, m_pasta.caminho().string()}) {
        const Resultado r = Executa({"import", "--connection", m_conexao, "--author", "Ana",
                                     "--tables", "orders", "-o", alvo});
        EXPECT_EQ(r.codigo, 1) << alvo;
        EXPECT_EQ(r.erros,
                  "The File \"" + alvo + "\" Is Not A Mapping Document: It Is Not Replaced !!\n");
    }
    EXPECT_EQ(teste::LeArquivo(m_banco), antes);
    EXPECT_EQ(teste::LeArquivo(texto), "my notes");

    // Another kind of document, read to its end without the description lines, is kept.
    TArquivoKMF modelo;
    for (int i = 0; i < 2000; ++i) {
        modelo.AdicionaEntrada("modelo", "linha" + std::to_string(i), std::string(40, 'x'));
    }
    const std::string outro = m_pasta.arquivo("template.tpt");
    modelo.Salva(outro);
    const std::string textoOutro = teste::LeArquivo(outro);
    EXPECT_EQ(Executa({"import", "--connection", m_conexao, "--author", "Ana", "--tables", "orders",
                       "-o", outro})
                  .codigo,
              1);
    EXPECT_EQ(teste::LeArquivo(outro), textoOutro);

    // A mapping document, or an empty file, is replaced.
    const std::string kmf = m_pasta.arquivo("shop.kmf");
    teste::EscreveArquivo(kmf, "");
    for (const char* tabela : {"orders", "customers"}) {
        const Resultado r = Executa({"import", "--connection", m_conexao, "--author", "Ana",
                                     "--tables", tabela, "-o", kmf});
        ASSERT_EQ(r.codigo, 0) << r.erros;
    }
    EXPECT_EQ(Abre(kmf).controlaColunas->getNomesTabelas(), TListaTextos{"customers"});

    // A mapping is known by its description lines, which come first: one damaged after
    // them is still a mapping, and is replaced.
    teste::EscreveArquivo(kmf, teste::LeArquivo(kmf) + "not a line of a mapping\r\n");
    const Resultado r = Executa(
        {"import", "--connection", m_conexao, "--author", "Ana", "--tables", "orders", "-o", kmf});
    ASSERT_EQ(r.codigo, 0) << r.erros;
    EXPECT_EQ(Abre(kmf).controlaColunas->getNomesTabelas(), TListaTextos{"orders"});
}

TEST_F(ComandosEsquema, APasswordIsKeptOnlyOnRequestAndThenPrivately) {
    setenv("FENDRIL_TEST_PASSWORD", "s3cret", 1);
    struct Caso {
        std::vector<std::string> extra;
        std::string senha;
        bool privado;
    };
    for (const Caso& caso : {Caso{{}, "", false}, Caso{{"--save-password"}, "s3cret", true}}) {
        const std::string kmf = m_pasta.arquivo("secret.kmf");
        std::filesystem::remove(kmf);
        std::vector<std::string> argumentos = {
            "import",   "--connection", m_conexao,  "--password-env", "FENDRIL_TEST_PASSWORD",
            "--author", "Ana",          "--tables", "orders",         "-o",
            kmf};
        argumentos.insert(argumentos.end(), caso.extra.begin(), caso.extra.end());
        const Resultado r = Executa(argumentos);
        ASSERT_EQ(r.codigo, 0) << r.erros;
        EXPECT_EQ(Abre(kmf).edit_Senha, caso.senha);
        const mode_t mascara = ::umask(0);
        ::umask(mascara);
        const auto permissoes = std::filesystem::status(kmf).permissions();
        EXPECT_EQ(static_cast<unsigned>(permissoes & std::filesystem::perms::all),
                  caso.privado ? 0600u : 0666u & ~mascara);
    }
    unsetenv("FENDRIL_TEST_PASSWORD");
}

TEST_F(ComandosEsquema, PasswordComesFromTheNamedVariableOnly) {
    unsetenv("FENDRIL_TEST_NO_SUCH_VARIABLE");
    const Resultado r = Executa({"databases", "--connection", m_conexao, "--password-env",
                                 "FENDRIL_TEST_NO_SUCH_VARIABLE"});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_EQ(r.erros, "Environment Variable FENDRIL_TEST_NO_SUCH_VARIABLE Is Not Set !!\n");
    EXPECT_EQ(Executa({"databases", "--connection", m_conexao, "--password", "x"}).codigo, 2);
}

} // namespace
} // namespace fendril

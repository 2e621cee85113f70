// fendril-cli refresh and aliases on real SQLite files altered after the mapping was made.
#include "documents/DocumentoMapeamento.h"
#include "documents/TArquivoKMF.h"
#include "model/EdicaoPropriedades.h"
#include "support/ArquivosTemporarios.h"
#include "support/BancoSQLite.h"
#include "support/ExecutaCli.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fendril {
namespace {

using Resultado = teste::ResultadoCli;
using teste::ExecutaCli;
using teste::LeArquivo;

class Manutencao : public testing::Test {
protected:
    void SetUp() override {
        teste::CriaBanco(m_banco, LeArquivo(FENDRIL_SHOP_SQL));
        const Resultado r =
            ExecutaCli({"import", "--connection", m_conexao, "--author", "Ana", "-o", m_kmf});
        ASSERT_EQ(r.codigo, 0) << r.erros;
    }

    TDescricaoMapeamento Abre(const std::string& caminho) {
        TArquivoKMF documento;
        documento.Abre(caminho);
        return LeDocumentoMapeamento(documento);
    }

    teste::PastaTemporaria m_pasta;
    std::string m_banco = m_pasta.arquivo("shop.db");
    std::string m_conexao = "Provider=SQLite;Data Source=" + m_banco;
    std::string m_kmf = m_pasta.arquivo("shop.kmf");
};

// The mapping's own connection is used; a database that did not change leaves the file as
// it was, to the byte.
TEST_F(Manutencao, AnUnchangedDatabaseLeavesTheFileAsItWas) {
    const std::string antes = LeArquivo(m_kmf);
    const auto data = std::filesystem::last_write_time(m_kmf);
    for (const char* opcao : {"", "--check", "--dry-run"}) {
        std::vector<std::string> argumentos = {"refresh", m_kmf};
        if (*opcao) {
            argumentos.push_back(opcao);
        }
        const Resultado r = ExecutaCli(argumentos);
        EXPECT_EQ(r.codigo, 0) << opcao << r.erros;
        EXPECT_EQ(r.saida, "") << opcao;
    }
    EXPECT_EQ(LeArquivo(m_kmf), antes);
    EXPECT_EQ(std::filesystem::last_write_time(m_kmf), data);
    // Written elsewhere, it is the same mapping.
    const std::string copia = m_pasta.arquivo("copy.kmf");
    ASSERT_EQ(ExecutaCli({"refresh", m_kmf, "-o", copia}).codigo, 0);
    EXPECT_EQ(LeArquivo(copia), antes);
}

TEST_F(Manutencao, CheckDryRunAndRefresh) {
    // Edits the refresh must keep: aliases by rule, a column turned off, a default set by
    // hand as the mapping window sets it.
    ASSERT_EQ(
        ExecutaCli({"aliases", m_kmf, "--tables", "pascal:singular", "--columns", "camel"}).codigo,
        0);
    {
        TDescricaoMapeamento d = Abre(m_kmf);
        TControlaColunas& colunas = *d.controlaColunas;
        const TColuna& email = *std::as_const(colunas).getColuna("customers", "email");
        TPropriedadesColuna painel = PropriedadesColuna(email);
        painel.habilitado = false;
        painel.defaultValue = "'nobody@example.com'";
        GravaPropriedades(colunas, "customers", "email", PropriedadesTabela(email.getTabela()),
                          painel, d.tiposProvider);
        MontaDocumentoMapeamento(d).Salva(m_kmf);
    }
    teste::CriaBanco(m_banco, R"(
        ALTER TABLE customers ADD COLUMN phone VARCHAR(20);
        ALTER TABLE orders DROP COLUMN notes;
        CREATE TABLE invoices (id INTEGER PRIMARY KEY, order_id INTEGER REFERENCES orders(id));
        DROP VIEW order_totals;
    )");
    const std::string lista = "Table \"customers\":\n"
                              "    Column \"phone\": Added (VARCHAR)\n"
                              "Table \"orders\":\n"
                              "    Column \"notes\": Dropped (Alias \"notes\")\n"
                              "Table \"order_totals\":\n"
                              "    Dropped (Alias \"OrderTotal\")\n"
                              "Table \"invoices\":\n"
                              "    Added (2 Columns)\n";
    const std::string antes = LeArquivo(m_kmf);
    const Resultado verifica = ExecutaCli({"refresh", m_kmf, "--check"});
    EXPECT_EQ(verifica.codigo, 1);
    EXPECT_EQ(verifica.saida, lista);
    EXPECT_NE(verifica.erros.find("4 Changes: The Mapping Is Out Of Date\n"), std::string::npos);
    const Resultado simula = ExecutaCli({"refresh", m_kmf, "--dry-run"});
    EXPECT_EQ(simula.codigo, 0);
    EXPECT_EQ(simula.saida, lista);
    EXPECT_EQ(LeArquivo(m_kmf), antes);

    const Resultado aplica = ExecutaCli({"refresh", m_kmf});
    ASSERT_EQ(aplica.codigo, 0) << aplica.erros;
    EXPECT_EQ(aplica.saida, lista);
    EXPECT_NE(aplica.erros.find("4 Changes Applied: " + m_kmf + "\n"), std::string::npos);
    const TDescricaoMapeamento d = Abre(m_kmf);
    const TControlaColunas& colunas = *d.controlaColunas;
    EXPECT_EQ(colunas.getTabela("customers")->alias, "Customer");
    const TColuna& email = *colunas.getColuna("customers", "email");
    EXPECT_EQ(email.alias, "email");
    EXPECT_FALSE(email.habilitado);
    EXPECT_EQ(email.facts.defaultValue, "'nobody@example.com'");
    EXPECT_EQ(colunas.getColuna("customers", "phone")->alias, "");
    EXPECT_EQ(colunas.getNomesColunas("invoices"), (TListaTextos{"id", "order_id"}));
    EXPECT_EQ(colunas.getColuna("orders", "notes"), nullptr);

    const Resultado depois = ExecutaCli({"refresh", m_kmf, "--check"});
    EXPECT_EQ(depois.codigo, 0) << depois.saida;
    EXPECT_EQ(depois.saida, "");

    // The database changes the default set by hand: reported, kept.
    teste::CriaBanco(m_banco, R"(
        ALTER TABLE customers RENAME COLUMN email TO old_email;
        ALTER TABLE customers ADD COLUMN email VARCHAR(120) DEFAULT 'x@example.com';
    )");
    const Resultado manual = ExecutaCli({"refresh", m_kmf, "--tables", "customers"});
    ASSERT_EQ(manual.codigo, 0) << manual.erros;
    EXPECT_NE(manual.saida.find("    Column \"email\": Default Set By Hand Kept "
                                "(\"'nobody@example.com'\"); The Database Changed It From \"\" To "
                                "\"'x@example.com'\"\n"),
              std::string::npos)
        << manual.saida;
    EXPECT_EQ(std::as_const(*Abre(m_kmf).controlaColunas)
                  .getColuna("customers", "email")
                  ->facts.defaultValue,
              "'nobody@example.com'");
}

// Another connection for this run only; the password kept only when asked, and then the
// file is its owner's alone.
TEST_F(Manutencao, ConnectionGivenAndPasswordKeptOnRequest) {
    const std::string outro = m_pasta.arquivo("other.db");
    teste::CriaBanco(outro, LeArquivo(FENDRIL_SHOP_SQL) + "ALTER TABLE products ADD COLUMN x INT;");
    setenv("FENDRIL_TEST_PASSWORD", "s3cret", 1);
    const std::string saida = m_pasta.arquivo("out.kmf");
    const Resultado r =
        ExecutaCli({"refresh", m_kmf, "--connection", "Provider=SQLite;Data Source=" + outro,
                    "--password-env", "FENDRIL_TEST_PASSWORD", "--save-password", "-o", saida});
    unsetenv("FENDRIL_TEST_PASSWORD");
    ASSERT_EQ(r.codigo, 0) << r.erros;
    EXPECT_EQ(r.saida, "Table \"products\":\n    Column \"x\": Added (INT)\n");
    const TDescricaoMapeamento d = Abre(saida);
    EXPECT_EQ(d.edit_constring, m_conexao);
    EXPECT_EQ(d.edit_Senha, "s3cret");
    EXPECT_EQ(static_cast<unsigned>(std::filesystem::status(saida).permissions() &
                                    std::filesystem::perms::all),
              0600u);
    // A file that is not a mapping is neither read as one nor written over.
    const std::string texto = m_pasta.arquivo("notes.txt");
    teste::EscreveArquivo(texto, "not a mapping");
    const Resultado alheio = ExecutaCli({"refresh", m_kmf, "-o", texto});
    EXPECT_EQ(alheio.codigo, 1);
    EXPECT_EQ(LeArquivo(texto), "not a mapping");
    EXPECT_EQ(ExecutaCli({"refresh", m_kmf, "--check", "--dry-run"}).codigo, 2);
}

// Adding tables says that it leaves the mapped ones as they are.
TEST_F(Manutencao, AddToPointsToRefresh) {
    teste::CriaBanco(m_banco, "ALTER TABLE customers ADD COLUMN phone TEXT;"
                              "CREATE TABLE invoices (id INTEGER PRIMARY KEY);");
    const std::string log = m_pasta.arquivo("load.log");
    const Resultado r = ExecutaCli({"import", "--connection", m_conexao, "--author", "Ana",
                                    "--add-to", m_kmf, "-o", m_kmf, "--log", log});
    ASSERT_EQ(r.codigo, 0) << r.erros;
    const std::string aviso = "Tables Already In The Mapping Are Not Refreshed: Run \"fendril-cli "
                              "refresh " +
                              m_kmf + "\" To Bring Them Up To Date";
    EXPECT_NE(r.erros.find(aviso + "\n"), std::string::npos);
    EXPECT_NE(LeArquivo(log).find("]: " + aviso + "\r\n"), std::string::npos);
    EXPECT_EQ(ExecutaCli({"refresh", m_kmf, "--check"}).saida,
              "Table \"customers\":\n    Column \"phone\": Added (TEXT)\n");
}

TEST_F(Manutencao, AliasesFillOnlyEmptyOnes) {
    const std::string saida = m_pasta.arquivo("aliased.kmf");
    const Resultado r = ExecutaCli({"aliases", m_kmf, "--columns", "pascal", "-o", saida});
    ASSERT_EQ(r.codigo, 0) << r.erros;
    EXPECT_EQ(r.erros, "Filled 0 Table Aliases And 50 Column Aliases\n");
    const TDescricaoMapeamento d = Abre(saida);
    EXPECT_EQ(std::as_const(*d.controlaColunas).getColuna("order_lines", "unit_price")->alias,
              "UnitPrice");
    EXPECT_EQ(std::as_const(*d.controlaColunas).getTabela("order_lines")->alias, "");
    // Nothing left to fill: the file is not written again.
    const std::string antes = LeArquivo(saida);
    const Resultado outra = ExecutaCli({"aliases", saida, "--columns", "snake"});
    EXPECT_EQ(outra.erros, "Filled 0 Table Aliases And 0 Column Aliases\n");
    EXPECT_EQ(LeArquivo(saida), antes);
    const Resultado ruim = ExecutaCli({"aliases", m_kmf, "--tables", "pascal:singulr"});
    EXPECT_EQ(ruim.codigo, 2);
    EXPECT_NE(ruim.erros.find("Unknown Filter \"singulr\" In Rule \"pascal:singulr\" !!"),
              std::string::npos);
    EXPECT_EQ(ExecutaCli({"aliases", m_kmf}).codigo, 2);
}

} // namespace
} // namespace fendril

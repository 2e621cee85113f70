// fendril-cli refresh against the PostgreSQL server the postgres fixture starts: a schema of
// this test's own in the database "refresh", altered between the import and the refresh.
#include "documents/DocumentoMapeamento.h"
#include "documents/TArquivoKMF.h"
#include "model/EdicaoPropriedades.h"
#include "support/ArquivosTemporarios.h"
#include "support/ExecutaCli.h"
#include "support/ServidorPostgreSQL.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <stdexcept>

namespace fendril {
namespace {

using teste::ExecutaCli;
using teste::LeArquivo;

std::string Porta() {
    return teste::PortaServidorPostgreSQL();
}

// Runs SQL in the database "refresh" as the tests' role; the test stops when it fails.
void Sql(const std::string& sql) {
    const std::string comando = "PGPASSWORD=fendril-secret psql -X -q -v ON_ERROR_STOP=1 "
                                "-h 127.0.0.1 -p " +
                                Porta() + " -U fendril -d refresh >/dev/null";
    FILE* entrada = popen(comando.c_str(), "w");
    ASSERT_NE(entrada, nullptr);
    std::fwrite(sql.data(), 1, sql.size(), entrada);
    ASSERT_EQ(pclose(entrada), 0) << sql;
}

class RefreshPostgreSQL : public testing::Test {
protected:
    void SetUp() override {
        setenv("FENDRIL_TEST_PG_PASSWORD", "fendril-secret", 1);
        Sql(R"(
            SET client_min_messages = warning;
            DROP SCHEMA IF EXISTS cli CASCADE;
            CREATE SCHEMA cli;
            CREATE TABLE cli.customers (id serial PRIMARY KEY, name varchar(60) NOT NULL,
                                        email varchar(80));
            CREATE TABLE cli.orders (id integer PRIMARY KEY,
                                     customer_id integer REFERENCES cli.customers (id),
                                     total numeric(10,2), note text, approver integer);
            CREATE TABLE cli.legacy (id integer PRIMARY KEY);
            CREATE TABLE cli.codes (code varchar(10) NOT NULL, label text);
            COMMENT ON TABLE cli.orders IS 'Orders';
        )");
    }

    std::string Conexao() const {
        return "Driver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so;Server=127.0.0.1;Port=" +
               Porta() + ";Database=refresh";
    }

    teste::PastaTemporaria m_pasta;
    std::string m_kmf = m_pasta.arquivo("cli.kmf");
};

TEST_F(RefreshPostgreSQL, AlteredSchemaIsCheckedThenRefreshed) {
    const teste::ResultadoCli importa =
        ExecutaCli({"import", "--connection", Conexao(), "--user", "fendril", "--password-env",
                    "FENDRIL_TEST_PG_PASSWORD", "--database", "refresh", "--schema", "cli",
                    "--author", "Ana", "-o", m_kmf});
    ASSERT_EQ(importa.codigo, 0) << importa.erros;
    const std::vector<std::string> refresh = {"refresh", m_kmf, "--password-env",
                                              "FENDRIL_TEST_PG_PASSWORD"};
    const auto com = [&refresh](std::vector<std::string> extra) {
        extra.insert(extra.begin(), refresh.begin(), refresh.end());
        return ExecutaCli(extra);
    };
    const teste::ResultadoCli igual = com({"--check"});
    ASSERT_EQ(igual.codigo, 0) << igual.saida << igual.erros;
    EXPECT_EQ(igual.saida, "");

    // Edits: aliases by rule, and the comment of a column set by hand.
    ASSERT_EQ(ExecutaCli({"aliases", m_kmf, "--tables", "pascal:singular"}).codigo, 0);
    {
        TArquivoKMF documento;
        documento.Abre(m_kmf);
        TDescricaoMapeamento d = LeDocumentoMapeamento(documento);
        const TColuna& nota = *std::as_const(*d.controlaColunas).getColuna("cli.orders", "note");
        TPropriedadesColuna painel = PropriedadesColuna(nota);
        painel.comment = "Free text";
        GravaPropriedades(*d.controlaColunas, "cli.orders", "note",
                          PropriedadesTabela(nota.getTabela()), painel, d.tiposProvider);
        MontaDocumentoMapeamento(d).Salva(m_kmf);
    }

    Sql(R"(
        ALTER TABLE cli.customers ADD COLUMN phone varchar(20);
        ALTER TABLE cli.customers DROP COLUMN email;
        ALTER TABLE cli.orders ALTER COLUMN total TYPE numeric(12,2);
        ALTER TABLE cli.customers ALTER COLUMN name TYPE text;
        ALTER TABLE cli.orders ADD CONSTRAINT orders_approver_fkey FOREIGN KEY (approver)
            REFERENCES cli.customers (id);
        ALTER TABLE cli.orders DROP CONSTRAINT orders_customer_id_fkey;
        ALTER TABLE cli.codes ADD PRIMARY KEY (code);
        DROP TABLE cli.legacy;
        CREATE TABLE cli.invoices (id integer PRIMARY KEY,
                                   order_id integer NOT NULL REFERENCES cli.orders (id));
        COMMENT ON COLUMN cli.orders.note IS 'What the customer wrote';
        COMMENT ON TABLE cli.orders IS 'Every order';
    )");
    // The mapping's tables in its order (the import's), then the added one.
    const std::string lista =
        "Table \"cli.codes\":\n"
        "    Column \"code\": Primary Key No -> Yes\n"
        "    Column \"code\": Unique No -> Yes\n"
        "Table \"cli.customers\":\n"
        "    Column \"name\": Type varchar -> text\n"
        "    Column \"name\": Length 60 -> -1\n"
        "    Column \"phone\": Added (varchar)\n"
        "    Column \"email\": Dropped\n"
        "Table \"cli.legacy\":\n"
        "    Dropped (Alias \"Legacy\")\n"
        "Table \"cli.orders\":\n"
        "    Comment \"Orders\" -> \"Every order\"\n"
        "    Column \"customer_id\": Foreign Key cli.customers.id -> None\n"
        "    Column \"total\": Precision 10 -> 12\n"
        "    Column \"note\": Comment Set By Hand Kept (\"Free text\"); The Database Changed It "
        "From \"\" To \"What the customer wrote\"\n"
        "    Column \"approver\": Foreign Key None -> cli.customers.id\n"
        "Table \"cli.invoices\":\n"
        "    Added (2 Columns)\n";
    const std::string antes = LeArquivo(m_kmf);
    const teste::ResultadoCli verifica = com({"--check"});
    EXPECT_EQ(verifica.codigo, 1) << verifica.erros;
    EXPECT_EQ(verifica.saida, lista);
    EXPECT_EQ(LeArquivo(m_kmf), antes);

    const teste::ResultadoCli aplica = com({});
    ASSERT_EQ(aplica.codigo, 0) << aplica.erros;
    EXPECT_EQ(aplica.saida, lista);
    const teste::ResultadoCli depois = com({"--check"});
    EXPECT_EQ(depois.codigo, 0) << depois.saida;

    TArquivoKMF documento;
    documento.Abre(m_kmf);
    const TDescricaoMapeamento d = LeDocumentoMapeamento(documento);
    const TControlaColunas& colunas = *d.controlaColunas;
    EXPECT_EQ(colunas.getTabela("cli.orders")->alias, "Order");
    EXPECT_EQ(colunas.getTabela("cli.orders")->comment, "Every order");
    EXPECT_EQ(colunas.getColuna("cli.orders", "note")->facts.comment, "Free text");
    EXPECT_EQ(colunas.getColuna("cli.orders", "total")->getTipoDado().precisao, 12);
    EXPECT_FALSE(colunas.getColuna("cli.orders", "customer_id")->chaveEstrangeira);
    EXPECT_TRUE(colunas.getColuna("cli.orders", "approver")->chaveEstrangeira);
    EXPECT_EQ(colunas.getColuna("cli.customers", "name")->getTipoDado().nome, "text");
    EXPECT_EQ(colunas.getNomesColunas("cli.customers"), (TListaTextos{"id", "name", "phone"}));
    const TColuna& pedido = *colunas.getColuna("cli.invoices", "order_id");
    ASSERT_TRUE(pedido.chaveEstrangeira);
    EXPECT_EQ(pedido.getColunaEstrangeira()->getTabela().getNomeCompleto(), "cli.orders");
    EXPECT_FALSE(pedido.facts.nullable);
    EXPECT_EQ(colunas.getTabela("cli.legacy"), nullptr);
}

} // namespace
} // namespace fendril

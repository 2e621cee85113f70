#include "Mapeamento.h"
#include "model/Erros.h"
#include "schema/MontaConexao.h"
#include "schema/TConsulta.h"
#include "support/ArquivosTemporarios.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace fendril {
namespace {

using namespace teste;

const char* const kDriverSQLite = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";

class Consulta : public ::testing::Test {
protected:
    void SetUp() override {
        CriaBanco(banco,
                  "CREATE TABLE \"order lines\" (id integer, note text);"
                  "INSERT INTO \"order lines\" VALUES (1, 'a'), (2, NULL), (3, 'c');"
                  "CREATE TABLE \"it\"\"s\" (x integer); INSERT INTO \"it\"\"s\" VALUES (7);");
    }
    std::string Nativa() const { return StringConexaoSQLite(banco); }
    std::string Odbc() const { return StringConexaoDriver({kDriverSQLite, "", "", banco}); }

    PastaTemporaria pasta;
    std::string banco = pasta.arquivo("dados 1.db");
};

TEST_F(Consulta, BothProvidersReadRowsInBlocksWithNulls) {
    for (const std::string& conexao : {Nativa(), Odbc()}) {
        SCOPED_TRACE(conexao);
        TConsulta consulta;
        consulta.Abre(conexao, "", "", "main");
        EXPECT_EQ(consulta.AspasIdentificador(), "\"");
        EXPECT_FALSE(consulta.ComEsquemas());
        consulta.Executa("select * from " + CitaNomeTabela("order lines", "\"", false));
        EXPECT_EQ(consulta.Colunas(), (std::vector<std::string>{"id", "note"}));
        auto linhas = consulta.Proximas(2);
        ASSERT_EQ(linhas.size(), 2u);
        EXPECT_EQ(linhas[0][1].texto, "a");
        EXPECT_TRUE(linhas[1][1].nulo);
        EXPECT_FALSE(consulta.Fim());
        linhas = consulta.Proximas(5);
        ASSERT_EQ(linhas.size(), 1u);
        EXPECT_EQ(linhas[0][0].texto, "3");
        EXPECT_TRUE(consulta.Fim());
        consulta.Executa("select * from " + CitaNomeTabela("it\"s", "\""));
        EXPECT_EQ(consulta.Proximas(5).at(0).at(0).texto, "7");
    }
}

TEST_F(Consulta, FailuresCarryTheProvidersMessage) {
    TConsulta consulta;
    consulta.Abre(Nativa(), "", "");
    try {
        consulta.Executa("select * from missing");
        FAIL();
    } catch (const Exception& erro) {
        EXPECT_EQ(std::string(erro.what()), "no such table: missing");
    }
    EXPECT_THROW(consulta.Abre(StringConexaoSQLite(pasta.arquivo("none.db")), "", ""), Exception);
}

TEST(Identificadores, AreQuotedWithTheDatabasesCharacter) {
    EXPECT_EQ(CitaIdentificador("a\"b", "\""), "\"a\"\"b\"");
    EXPECT_EQ(CitaIdentificador("a`b", "`"), "`a``b`");
    EXPECT_EQ(CitaIdentificador("plain", ""), "plain");
    EXPECT_EQ(CitaNomeTabela("sales.order lines", "\""), "\"sales\".\"order lines\"");
    EXPECT_EQ(CitaNomeTabela("order lines", "\""), "\"order lines\"");
    EXPECT_EQ(CitaNomeTabela("a.b", "\"", false), "\"a.b\"");
}

TEST(StringsDeConexao, EachProviderBuildsItsString) {
    EXPECT_EQ(StringConexaoSQLite("/tmp/shop.db"), "Provider=SQLite;Data Source=/tmp/shop.db");
    EXPECT_EQ(StringConexaoSQLite("/tmp/a;\"b\".db"),
              "Provider=SQLite;Data Source=\"/tmp/a;\"\"b\"\".db\"");
    EXPECT_EQ(StringConexaoDriver({"PostgreSQL Unicode", "db.local", "5432", "shop"}),
              "Provider=MSDASQL;Driver={PostgreSQL Unicode};Server=db.local;Port=5432;"
              "Database=shop");
    EXPECT_EQ(StringConexaoDriver({"SQLite3", "", "", "/tmp/x.db"}),
              "Provider=MSDASQL;Driver={SQLite3};Database=/tmp/x.db");
    EXPECT_EQ(StringConexaoDSN("Shop"), "Provider=MSDASQL;DSN=Shop");
    EXPECT_EQ(StringConexaoODBC("DSN=Shop;UID=a"), "Provider=MSDASQL;DSN=Shop;UID=a");
    EXPECT_EQ(StringConexaoODBC("Provider=MSDASQL.1;DSN=Shop"), "Provider=MSDASQL.1;DSN=Shop");
}

TEST(StringsDeConexao, DriverManagerListsTheInstalledDrivers) {
    const auto drivers = DriversODBC();
    EXPECT_NE(std::find(drivers.begin(), drivers.end(), "SQLite3"), drivers.end());
}

TEST_F(Consulta, TestaConexaoReportsTheProvidersMessage) {
    EXPECT_EQ(TestaConexao(Nativa(), "", ""), "");
    const std::string comPontoEVirgula = pasta.arquivo("a;b.db");
    CriaBanco(comPontoEVirgula, "CREATE TABLE t (x integer);");
    EXPECT_EQ(TestaConexao(StringConexaoSQLite(comPontoEVirgula), "", ""), "");
    EXPECT_EQ(TestaConexao(Odbc(), "", ""), "");
    EXPECT_NE(TestaConexao(StringConexaoSQLite(pasta.arquivo("none.db")), "", ""), "");
}

} // namespace
} // namespace fendril

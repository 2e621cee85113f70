#include "FonteTeste.h"
#include "Mapeamento.h"
#include "model/Erros.h"
#include "schema/CargaColunas.h"
#include "schema/TColecao.h"
#include "schema/TConexaoODBC.h"
#include "schema/TConexaoSQLite.h"
#include "schema/TManipulaTabelas.h"
#include "schema/TMostraTabelas.h"
#include "schema/TiposSQLite.h"
#include "support/ArquivosTemporarios.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace fendril {
namespace {

using namespace teste;

const char* const kDriverSQLite = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";

class SQLite : public ::testing::Test {
protected:
    void SetUp() override {
        FixaDataHora();
        CriaBanco(banco, LeArquivo(FENDRIL_SHOP_SQL));
    }

    std::string Nativa(const std::string& caminho) const {
        return "Provider=SQLite;Data Source=\"" + caminho + "\"";
    }
    std::string Odbc(const std::string& caminho) const {
        return std::string("Provider=MSDASQL.1;Driver=") + kDriverSQLite + ";Database=" + caminho;
    }

    TListaTextos Tabelas(const std::string& conexao, const std::string& tipo = "") {
        TMostraTabelas chooser({conexao, "", "", "main"}, "main");
        return chooser.PreencheLista(tipo, "");
    }

    TCargaColunas Carrega(const std::string& conexao) {
        TCargaColunas carga;
        CarregaControlaColunas({conexao, "", "", ""}, Tabelas(conexao), carga);
        return carga;
    }

    PastaTemporaria pasta;
    std::string banco = pasta.arquivo("shop.db");
};

TEST_F(SQLite, BothProvidersListTheShopTablesAndView) {
    const TListaTextos esperado = {"addresses", "categories", "customers", "order_lines", "orders",
                                   "payments",  "products",   "returns",   "order_totals"};
    EXPECT_EQ(Tabelas(Nativa(banco)), esperado);
    EXPECT_EQ(Tabelas(Odbc(banco)), esperado);
    EXPECT_EQ(Tabelas(Nativa(banco), "VIEW"), TListaTextos{"order_totals"});
}

TEST_F(SQLite, BothProvidersGiveTheSameMapping) {
    const TCargaColunas nativa = Carrega(Nativa(banco));
    const TCargaColunas odbc = Carrega(Odbc(banco));
    ASSERT_EQ(nativa.controlaColunas->quantidade(), odbc.controlaColunas->quantidade());
    for (std::size_t i = 0; i < nativa.controlaColunas->quantidade(); ++i) {
        EXPECT_EQ(nativa.controlaColunas->getColunas()[i]->Codifica(),
                  odbc.controlaColunas->getColunas()[i]->Codifica());
    }
    EXPECT_EQ(nativa.tiposProvider, odbc.tiposProvider);
    EXPECT_EQ(nativa.log, odbc.log);
}

TEST_F(SQLite, ShopColumnsCarryKeysLinksAndDeclaredSizes) {
    const TCargaColunas carga = Carrega(Nativa(banco));
    const std::vector<std::string> forma = Forma(*carga.controlaColunas);
    for (const char* esperado : {
             "order_lines.order_id pk=1 type=3 -> orders.id",
             "order_lines.line_no pk=1 type=3",
             "order_lines.unit_price pk=0 type=131(10,2)",
             "returns.order_id pk=0 type=3 -> order_lines.order_id",
             "returns.line_no pk=0 type=3 -> order_lines.line_no",
             "orders.billing_address_id pk=0 type=3 -> addresses.id",
             "orders.shipping_address_id pk=0 type=3 -> addresses.id",
             "customers.email pk=0 type=129(254)",
             "customers.newsletter pk=0 type=11",
             "customers.birth_date pk=0 type=133",
             "customers.created_at pk=0 type=135",
             "categories.parent_id pk=0 type=3 -> categories.id",
         }) {
        EXPECT_NE(std::find(forma.begin(), forma.end(), esperado), forma.end()) << esperado;
    }
    const TColuna* preco = carga.controlaColunas->getColuna("products", "price");
    ASSERT_NE(preco, nullptr);
    EXPECT_EQ(preco->getTipoDado().Codifica(), "TTipoDado||NUMERIC=>-1=>10=>2=>131=>-1=>1=>|>");
    EXPECT_EQ(preco->getTabela().getBaseDados().nome, "main");
}

TEST_F(SQLite, MissingFileIsAnErrorAndIsNeverCreated) {
    const std::string ausente = pasta.arquivo("absent.db");
    for (const std::string& conexao : {Nativa(ausente), Odbc(ausente)}) {
        TManipulatabelas leitor(conexao, "", "", "");
        try {
            leitor.Abre(3, "");
            ADD_FAILURE() << conexao;
        } catch (const EErroGeral& erro) {
            EXPECT_EQ(erro.textoErro(), "TManipulaTabelas: Open Connection Error. OLE Message :" +
                                            std::string(erro.what()));
            EXPECT_FALSE(std::string(erro.what()).empty());
        }
        EXPECT_FALSE(std::filesystem::exists(ausente)) << conexao;
    }
    TManipulaBaseDados bases(Nativa(ausente), "", "");
    try {
        bases.Abre();
        FAIL();
    } catch (const EErroGeral& erro) {
        EXPECT_EQ(erro.textoErro(), "TManipulaBaseDados: Open Connection Error. OLE Message :"
                                    "unable to open database file: " +
                                        ausente);
    }
}

TEST(ConexaoFalha, ProviderMessagesFollowTheReadersText) {
    struct Caso {
        const char* conexao;
        const char* mensagem;
    };
    const Caso casos[] = {
        {"DSN=fendril_no_such_source",
         "[unixODBC][Driver Manager]Data source name not found and no default driver specified"},
        {"Provider=MSDASQL.1;Driver=/nonexistent/driver.so",
         "[unixODBC][Driver Manager]Can't open lib '/nonexistent/driver.so' : file not found"},
        {"Provider=SQLite", "No Data Source was given in the connection string"},
    };
    for (const Caso& caso : casos) {
        TManipulaBaseDados leitor(caso.conexao, "", "");
        try {
            leitor.Abre();
            ADD_FAILURE() << caso.conexao;
        } catch (const EErroGeral& erro) {
            EXPECT_STREQ(erro.what(), caso.mensagem);
            EXPECT_EQ(erro.textoErro(), std::string("TManipulaBaseDados: Open Connection Error. "
                                                    "OLE Message :") +
                                            caso.mensagem);
        }
    }
}

TEST_F(SQLite, FileThatIsNotADatabaseFailsToOpen) {
    const std::string texto = pasta.arquivo("notes.db");
    EscreveArquivo(texto, "this is not a database, only some text long enough to look at....");
    TManipulaBaseDados leitor(Nativa(texto), "", "");
    try {
        leitor.Abre();
        FAIL();
    } catch (const EErroGeral& erro) {
        EXPECT_EQ(std::string(erro.what()), "file is not a database: " + texto);
    }
}

TEST_F(SQLite, OnlyMainIsADatabaseName) {
    for (const std::string& conexao : {Nativa(banco), Odbc(banco)}) {
        TManipulaBaseDados bases(conexao, "", "");
        bases.Abre();
        EXPECT_EQ(bases.getColecao().getQuantidade(), 1);
        EXPECT_EQ(bases.getColecao().getBaseDados().nome, "main");
        TManipulatabelas tabelas(conexao, "", "", "other");
        EXPECT_THROW(tabelas.Abre(3, "other"), EErroGeral);
        TManipulatabelas comMain(conexao, "", "", "main");
        comMain.Abre(3, "main");
        EXPECT_EQ(comMain.getColecao().getQuantidade(), 9);
    }
}

TEST_F(SQLite, RestrictionsMatchNamesExactly) {
    const std::string outro = pasta.arquivo("names.db");
    CriaBanco(outro, "CREATE TABLE order_line (a integer);"
                     "CREATE TABLE orderXline (b integer);"
                     "CREATE TABLE \"order%line\" (c integer);");
    for (const std::string& conexao : {Nativa(outro), Odbc(outro)}) {
        for (const char* nome : {"order_line", "orderXline", "order%line"}) {
            TManipulatabelas leitor(conexao, "", "", "");
            leitor.Abre(1, nome);
            ASSERT_EQ(leitor.getColecao().getQuantidade(), 1) << conexao << " " << nome;
            EXPECT_EQ(leitor.getColecao().getTabela().nome, nome);
            TCargaColunas carga;
            CarregaControlaColunas({conexao, "", "", ""}, {nome}, carga);
            EXPECT_EQ(carga.controlaColunas->quantidade(), 1u) << conexao << " " << nome;
        }
    }
}

TEST_F(SQLite, InternalTablesAreSystemTablesAndKeysNameRealTables) {
    const std::string outro = pasta.arquivo("inner.db");
    CriaBanco(outro, "CREATE TABLE Parent (id integer PRIMARY KEY AUTOINCREMENT, k text);"
                     "CREATE TABLE child (pid integer REFERENCES PARENT, x text);");
    for (const std::string& conexao : {Nativa(outro), Odbc(outro)}) {
        EXPECT_EQ(Tabelas(conexao, "SYSTEM TABLE"), TListaTextos{"sqlite_sequence"});
        EXPECT_EQ(Tabelas(conexao, "TABLE"), (TListaTextos{"Parent", "child"}));
        TCargaColunas carga;
        CarregaControlaColunas({conexao, "", "", ""}, {"child"}, carga);
        const TColuna* pid = carga.controlaColunas->getColuna("child", "pid");
        ASSERT_NE(pid, nullptr);
        EXPECT_TRUE(pid->chaveEstrangeira) << conexao;
        EXPECT_EQ(pid->getColunaEstrangeira()->getTabela().nome, "Parent") << conexao;
        EXPECT_EQ(pid->getColunaEstrangeira()->nome, "id") << conexao;
    }
}

TEST(TiposSQLite, DeclaredTypesGiveIndicatorAndSizes) {
    struct Caso {
        const char* declarado;
        int tipo;
        std::optional<std::int64_t> tamanho, precisao, escala, dataHora;
    };
    const Caso casos[] = {
        {"numeric(10,2)", 131, {}, 10, 2, {}},
        {"DECIMAL ( 8 , 3 )", 131, {}, 8, 3, {}},
        {"varchar(80)", 129, 80, {}, {}, {}},
        {"NVARCHAR(12)", 129, 12, {}, {}, {}},
        {"text", 129, 0, {}, {}, {}},
        {"INTEGER", 3, {}, 10, {}, {}},
        {"bigint", 20, {}, 19, {}, {}},
        {"UNSIGNED BIG INT", 20, {}, 19, {}, {}},
        {"boolean", 11, {}, {}, {}, {}},
        {"date", 133, {}, {}, {}, 0},
        {"timestamp(3)", 135, {}, {}, {}, 3},
        {"double precision", 5, {}, 15, {}, {}},
        {"", 128, 0, {}, {}, {}},
        {"money", 131, {}, 18, 0, {}},
    };
    for (const Caso& caso : casos) {
        const TTipoDeclarado tipo = InterpretaTipoSQLite(caso.declarado);
        EXPECT_EQ(tipo.tipoOLE, caso.tipo) << caso.declarado;
        EXPECT_EQ(tipo.tamanho, caso.tamanho) << caso.declarado;
        EXPECT_EQ(tipo.precisao, caso.precisao) << caso.declarado;
        EXPECT_EQ(tipo.escala, caso.escala) << caso.declarado;
        EXPECT_EQ(tipo.precisaoDataHora, caso.dataHora) << caso.declarado;
    }
}

TEST(TiposSQLite, FirstTypeOfEachIndicatorIsTheBestMatch) {
    const TDadosRowset tipos = TiposProviderSQLite();
    std::set<std::string> vistos;
    for (const TLinhaValores& linha : tipos.linhas) {
        const bool primeiro = vistos.insert(linha[1].texto).second;
        EXPECT_EQ(linha[19].texto, primeiro ? "1" : "0") << linha[0].texto;
    }
}

TEST(TConexaoODBC, SqlTypesMapToTheIndicatorsOfTheOleDbProviderForOdbc) {
    struct Caso {
        int sql;
        bool semSinal;
        int ole;
    };
    const Caso casos[] = {{1, false, 129},  {12, false, 129}, {-1, false, 129}, {-9, false, 130},
                          {2, false, 131},  {3, false, 131},  {4, false, 3},    {4, true, 19},
                          {5, false, 2},    {-6, false, 16},  {-6, true, 17},   {-5, false, 20},
                          {7, false, 4},    {6, false, 5},    {8, false, 5},    {-7, false, 11},
                          {-2, false, 128}, {-4, false, 128}, {91, false, 133}, {92, false, 134},
                          {93, false, 135}, {11, false, 135}, {-11, false, 72}};
    for (const Caso& caso : casos) {
        EXPECT_EQ(TipoOLEDeSQL(caso.sql, caso.semSinal), caso.ole) << caso.sql;
    }
}

} // namespace
} // namespace fendril

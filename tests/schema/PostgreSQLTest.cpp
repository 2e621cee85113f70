#include "FonteTeste.h"
#include "Mapeamento.h"
#include "model/Erros.h"
#include "schema/CargaColunas.h"
#include "schema/TColecao.h"
#include "schema/TManipulaColunas.h"
#include "schema/TManipulaTabelas.h"
#include "schema/TMostraTabelas.h"
#include "support/ArquivosTemporarios.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <set>

namespace fendril {
namespace {

using namespace teste;

// The server the postgres_start test started; its folder is named by FENDRIL_PG_DIR.
std::string Porta() {
    const char* pasta = std::getenv("FENDRIL_PG_DIR");
    if (pasta == nullptr) {
        throw std::runtime_error("FENDRIL_PG_DIR is not set: run these tests through ctest");
    }
    std::string porta = LeArquivo(std::string(pasta) + "/port");
    while (!porta.empty() && (porta.back() == '\n' || porta.back() == '\r')) {
        porta.pop_back();
    }
    return porta;
}

class PostgreSQL : public ::testing::Test {
protected:
    void SetUp() override { FixaDataHora(); }

    static std::string Conexao(const std::string& porta) {
        return "Driver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so;Server=127.0.0.1;Port=" + porta +
               ";Database=shop";
    }

    TParametrosConexao conexao{Conexao(Porta()), "fendril", "fendril-secret", "shop"};

    TListaTextos Tabelas(const std::string& tipo, const std::string& esquema) {
        TMostraTabelas chooser(conexao, "shop");
        return chooser.PreencheLista(tipo, esquema);
    }
};

TEST_F(PostgreSQL, DatabaseNameIsTheConnectedDatabase) {
    TManipulaBaseDados leitor(conexao.stringConexao, conexao.usuario, conexao.senha);
    leitor.Abre();
    ASSERT_EQ(leitor.getColecao().getQuantidade(), 1);
    EXPECT_EQ(leitor.getColecao().getBaseDados().nome, "shop");
}

TEST_F(PostgreSQL, EveryUserSchemaIsListedWithoutSequencesIndexesOrCatalogs) {
    TMostraTabelas chooser(conexao, "shop");
    EXPECT_EQ(chooser.PreencheLista("", ""),
              (TListaTextos{"archive.orders", "archive.orderxlines", "public.addresses",
                            "public.categories", "public.customers", "public.order_lines",
                            "public.orders", "public.payments", "public.products", "public.returns",
                            "public.order_totals"}));
    EXPECT_EQ(chooser.getEsquemas(), (TListaTextos{"archive", "public"}));
    EXPECT_EQ(Tabelas("TABLE", "archive"), (TListaTextos{"archive.orders", "archive.orderxlines"}));
    EXPECT_EQ(Tabelas("VIEW", "All"), TListaTextos{"public.order_totals"});
}

TEST_F(PostgreSQL, TableNamesAreNotSearchPatterns) {
    TManipulatabelas leitor(conexao.stringConexao, conexao.usuario, conexao.senha, "shop");
    leitor.Abre(1, "order_lines");
    ASSERT_EQ(leitor.getColecao().getQuantidade(), 1);
    EXPECT_EQ(leitor.getColecao().getTabela().getNomeCompleto(), "public.order_lines");
}

TEST_F(PostgreSQL, SameNameInTwoSchemasAndAKeyAcrossThem) {
    TCargaColunas carga;
    CarregaControlaColunas(conexao, {"archive.orders", "public.orders"}, carga);
    const TControlaColunas& colunas = *carga.controlaColunas;
    EXPECT_EQ(colunas.getNomesColunas("archive.orders"),
              (TListaTextos{"id", "customer_id", "closed_on", "label"}));
    EXPECT_EQ(colunas.getNomesColunas("public.orders").size(), 8u);
    const TColuna* cliente = colunas.getColuna("archive.orders", "customer_id");
    ASSERT_NE(cliente, nullptr);
    ASSERT_TRUE(cliente->chaveEstrangeira);
    EXPECT_EQ(cliente->getColunaEstrangeira()->getTabela().getNomeCompleto(), "public.customers");
    EXPECT_EQ(cliente->getColunaEstrangeira()->nome, "id");
    EXPECT_EQ(cliente->getColunaEstrangeira()->getTabela().getBaseDados().nome, "shop");
    EXPECT_EQ(colunas.getColuna("archive.orders", "id")->getChavePrimaria(), 1);
    EXPECT_FALSE(colunas.getColuna("archive.orders", "label")->chaveEstrangeira);
    EXPECT_EQ(colunas.getColuna("public.orders", "total")->getTipoDado().Codifica(),
              "TTipoDado||numeric=>-1=>10=>2=>131=>-1=>1=>|>");
    EXPECT_EQ(colunas.getColuna("archive.orders", "label")->getTipoDado().tamanho, 40);
}

TEST_F(PostgreSQL, ShopGivesTheSameMappingAsSQLite) {
    PastaTemporaria pasta;
    const std::string banco = pasta.arquivo("shop.db");
    CriaBanco(banco, LeArquivo(FENDRIL_SHOP_SQL));
    const TParametrosConexao sqlite{"Provider=SQLite;Data Source=" + banco, "", "", ""};

    TCargaColunas doPostgres;
    TCargaColunas doSQLite;
    // The tables alike; the view's computed column has a type in PostgreSQL only.
    CarregaControlaColunas(conexao, Tabelas("TABLE", "public"), doPostgres);
    TMostraTabelas chooser(sqlite, "");
    CarregaControlaColunas(sqlite, chooser.PreencheLista("TABLE", ""), doSQLite);
    EXPECT_EQ(Forma(*doPostgres.controlaColunas), Forma(*doSQLite.controlaColunas));
}

TEST_F(PostgreSQL, ProviderTypesMarkTheFirstTypeOfEachIndicatorBest) {
    TListaTextos tipos;
    CarregaTiposProvider(conexao.stringConexao, conexao.usuario, conexao.senha, tipos);
    ASSERT_FALSE(tipos.empty());
    std::set<std::string> melhores;
    bool outros = false;
    for (const std::string& tipo : tipos) {
        const TListaTextos campos = SeparaCampos(tipo, ";");
        ASSERT_EQ(campos.size(), 4u) << tipo;
        if (campos[2] == "1") {
            EXPECT_FALSE(outros) << "best matches come first: " << tipo;
            EXPECT_TRUE(melhores.insert(campos[0]).second) << "one best match per code: " << tipo;
        } else {
            outros = true;
        }
    }
    for (const char* codigo : {"3", "11", "129", "131", "133", "135"}) {
        EXPECT_EQ(melhores.count(codigo), 1u) << codigo;
    }
}

TEST_F(PostgreSQL, AnotherDatabaseCannotBeMadeDefault) {
    TManipulatabelas leitor(conexao.stringConexao, conexao.usuario, conexao.senha, "elsewhere");
    try {
        leitor.Abre(3, "elsewhere");
        FAIL();
    } catch (const EErroGeral& erro) {
        EXPECT_EQ(erro.textoErro(), "TManipulaTabelas: Open Connection Error. OLE Message :" +
                                        std::string(erro.what()));
    }
}

TEST_F(PostgreSQL, WrongPasswordGivesTheServersMessage) {
    TManipulaBaseDados leitor(conexao.stringConexao, "fendril", "not-the-password");
    try {
        leitor.Abre();
        FAIL();
    } catch (const EErroGeral& erro) {
        const std::string mensagem = erro.what();
        EXPECT_NE(mensagem.find("password authentication failed for user \"fendril\""),
                  std::string::npos)
            << mensagem;
        EXPECT_EQ(erro.textoErro(),
                  "TManipulaBaseDados: Open Connection Error. OLE Message :" + mensagem);
        EXPECT_EQ(leitor.getLog(), TListaTextos{L(erro.textoErro())});
    }
}

TEST_F(PostgreSQL, UnreachableServerIsAConnectionFailure) {
    TManipulatabelas leitor(Conexao("1"), "fendril", "fendril-secret", "");
    try {
        leitor.Abre(3, "");
        FAIL();
    } catch (const EErroGeral& erro) {
        EXPECT_EQ(
            erro.textoErro().rfind("TManipulaTabelas: Open Connection Error. OLE Message :", 0),
            0u);
        EXPECT_NE(std::string(erro.what()).find("127.0.0.1"), std::string::npos) << erro.what();
    }
}

} // namespace
} // namespace fendril

#include "FonteTeste.h"
#include "Mapeamento.h"
#include "model/EdicaoPropriedades.h"
#include "model/Erros.h"
#include "schema/CargaColunas.h"
#include "schema/TColecao.h"
#include "schema/TManipulaColunas.h"
#include "schema/TManipulaTabelas.h"
#include "schema/TMostraTabelas.h"
#include "support/ArquivosTemporarios.h"
#include "support/ServidorPostgreSQL.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>

namespace fendril {
namespace {

using namespace teste;

std::string Porta() {
    return PortaServidorPostgreSQL();
}

// The rows psql prints for a query of database `base`, each cut at "|".
std::vector<std::vector<std::string>> Psql(const std::string& base, const std::string& sql) {
    const std::string comando = "PGPASSWORD=fendril-secret psql -X -q -A -t -F '|' -h 127.0.0.1 "
                                "-p " +
                                Porta() + " -U fendril -d " + base + " -c \"" + sql + "\"";
    FILE* saida = popen(comando.c_str(), "r");
    if (saida == nullptr) {
        throw std::runtime_error("psql could not be started");
    }
    std::string texto;
    char bloco[4096];
    for (std::size_t n; (n = fread(bloco, 1, sizeof bloco, saida)) > 0;) {
        texto.append(bloco, n);
    }
    if (pclose(saida) != 0) {
        throw std::runtime_error("psql failed: " + sql);
    }
    std::vector<std::vector<std::string>> linhas;
    std::istringstream entrada(texto);
    for (std::string linha; std::getline(entrada, linha);) {
        std::vector<std::string> campos;
        std::istringstream partes(linha + "|");
        for (std::string campo; std::getline(partes, campo, '|');) {
            campos.push_back(campo);
        }
        linhas.push_back(std::move(campos));
    }
    return linhas;
}

class PostgreSQL : public ::testing::Test {
protected:
    void SetUp() override { FixaDataHora(); }

    static std::string Conexao(const std::string& porta, const std::string& base = "shop") {
        return "Driver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so;Server=127.0.0.1;Port=" + porta +
               ";Database=" + base;
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

// Every column of the database kinds (declared types of every sort) imported, compared
// with what the catalogs say: the type's name (an array as its element's and "[]") and the
// sizes information_schema gives (-1 where it gives none).
TEST_F(PostgreSQL, EveryColumnHasTheTypeAndSizesTheDatabaseDeclares) {
    const TParametrosConexao base{Conexao(Porta(), "kinds"), "fendril", "fendril-secret", ""};
    TMostraTabelas chooser(base, "kinds");
    TCargaColunas carga;
    CarregaControlaColunas(base, chooser.PreencheLista("", "public"), carga);
    const TControlaColunas& colunas = *carga.controlaColunas;
    const auto catalogo =
        Psql("kinds",
             "SELECT c.relname, a.attname, CASE WHEN t.typlen = -1 AND e.oid IS NOT NULL "
             "THEN e.typname || '[]' ELSE t.typname END, coalesce(i.character_maximum_length, -1), "
             "CASE WHEN i.data_type = 'numeric' THEN coalesce(i.numeric_precision, -1) END, "
             "CASE WHEN i.data_type = 'numeric' THEN coalesce(i.numeric_scale, -1) END "
             "FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid "
             "JOIN pg_type t ON t.oid = a.atttypid LEFT JOIN pg_type e ON e.oid = t.typelem "
             "JOIN information_schema.columns i ON i.table_schema = 'public' "
             "AND i.table_name = c.relname AND i.column_name = a.attname "
             "WHERE c.relnamespace = 'public'::regnamespace AND a.attnum > 0 "
             "AND NOT a.attisdropped AND c.relkind IN ('r', 'v')");
    ASSERT_EQ(catalogo.size(), 40u);
    EXPECT_EQ(colunas.quantidade(), catalogo.size());
    for (const auto& linha : catalogo) {
        const std::string onde = linha[0] + "." + linha[1];
        const TColuna* coluna = colunas.getColuna("public." + linha[0], linha[1]);
        ASSERT_NE(coluna, nullptr) << onde;
        const TTipoDado& tipo = coluna->getTipoDado();
        EXPECT_EQ(tipo.nome, linha[2]) << onde;
        EXPECT_EQ(tipo.tamanho, std::stoi(linha[3])) << onde;
        if (!linha[4].empty()) {
            EXPECT_EQ(tipo.precisao, std::stoi(linha[4])) << onde;
            EXPECT_EQ(tipo.escala, std::stoi(linha[5])) << onde;
        }
        EXPECT_EQ(TipoOLE(carga.tiposProvider, tipo.nome), tipo.tipoOLE) << onde;
    }
    // The names real schemas use, as the examples give them.
    for (const auto& [coluna, nome] :
         std::vector<std::pair<const char*, const char*>>{{"title", "varchar"},
                                                          {"code", "bpchar"},
                                                          {"description", "text"},
                                                          {"rating", "mpaa_rating"},
                                                          {"features", "text[]"},
                                                          {"extra", "jsonb"},
                                                          {"release_year", "year"},
                                                          {"created", "timestamp"},
                                                          {"changed", "timestamptz"}}) {
        EXPECT_EQ(colunas.getColuna("public.film", coluna)->getTipoDado().nome, nome);
    }
    EXPECT_EQ(colunas.getNomesColunas("public.my.table"), (TListaTextos{"id", "my.col"}));
    EXPECT_EQ(colunas.getNomesColunas("public.with space"), (TListaTextos{"id", "name", "seq"}));

    // Each type once; a best match per indicator as a person would choose it.
    std::set<std::string> nomes;
    std::map<std::string, std::string> melhores;
    for (const std::string& linha : carga.tiposProvider) {
        const TListaTextos campos = SeparaCampos(linha, ";");
        EXPECT_TRUE(nomes.insert(campos[1]).second) << linha;
        if (campos[2] == "1") {
            EXPECT_TRUE(melhores.emplace(campos[0], campos[1]).second) << linha;
        }
    }
    EXPECT_EQ(melhores["129"], "varchar");
    EXPECT_EQ(melhores["135"], "timestamp");
    EXPECT_EQ(melhores["131"], "numeric");
}

// The facts of every column of the public tables of both databases, imported, compared
// with what the catalogs say (information_schema for nullability, defaults and identity,
// pg_index for unique indexes and keys, the comments of pg_description). Line breaks in
// comments are written \n, as psql prints one row per line.
TEST_F(PostgreSQL, EveryColumnHasTheFactsTheCatalogsSay) {
    for (const std::string base : {"shop", "kinds"}) {
        const TParametrosConexao parametros{Conexao(Porta(), base), "fendril", "fendril-secret",
                                            ""};
        TMostraTabelas chooser(parametros, base);
        TCargaColunas carga;
        CarregaControlaColunas(parametros, chooser.PreencheLista("", "public"), carga);
        const TControlaColunas& colunas = *carga.controlaColunas;
        const auto catalogo = Psql(
            base,
            "SELECT c.relname, a.attname, "
            "(i.is_nullable = 'YES' AND NOT EXISTS (SELECT 1 FROM pg_index x "
            "WHERE x.indrelid = c.oid AND x.indisprimary AND a.attnum = ANY (x.indkey)))::int, "
            "coalesce(i.column_default, ''), "
            "(EXISTS (SELECT 1 FROM pg_index x WHERE x.indrelid = c.oid AND x.indisunique "
            "AND x.indnatts = 1 AND x.indkey[0] = a.attnum AND x.indpred IS NULL))::int, "
            "(i.is_identity = 'YES' OR pg_get_serial_sequence(format('%I.%I', 'public', "
            "c.relname), a.attname) IS NOT NULL)::int, "
            "replace(coalesce(col_description(c.oid, a.attnum), ''), E'\\n', '\\n'), "
            "replace(coalesce(obj_description(c.oid, 'pg_class'), ''), E'\\n', '\\n') "
            "FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid "
            "JOIN information_schema.columns i ON i.table_schema = 'public' "
            "AND i.table_name = c.relname AND i.column_name = a.attname "
            "WHERE c.relnamespace = 'public'::regnamespace AND a.attnum > 0 "
            "AND NOT a.attisdropped AND c.relkind IN ('r', 'v')");
        ASSERT_EQ(colunas.quantidade(), catalogo.size()) << base;
        const auto comQuebras = [](std::string texto) {
            for (std::size_t i = texto.find("\\n"); i != std::string::npos;
                 i = texto.find("\\n", i + 1)) {
                texto.replace(i, 2, "\n");
            }
            return texto;
        };
        for (const auto& linha : catalogo) {
            const std::string onde = base + " " + linha[0] + "." + linha[1];
            const TColuna* coluna = colunas.getColuna("public." + linha[0], linha[1]);
            ASSERT_NE(coluna, nullptr) << onde;
            EXPECT_EQ(coluna->facts, (TColumnFacts{linha[2] == "1", linha[3], linha[4] == "1",
                                                   linha[5] == "1", comQuebras(linha[6])}))
                << onde;
            EXPECT_EQ(coluna->getTabela().comment, comQuebras(linha[7])) << onde;
        }
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

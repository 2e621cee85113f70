#include "FonteTeste.h"
#include "Mapeamento.h"
#include "model/EdicaoPropriedades.h"
#include "model/Erros.h"
#include "schema/CargaColunas.h"
#include "schema/ColunasSQLite.h"
#include "schema/TColecao.h"
#include "schema/TConexaoODBC.h"
#include "schema/TConexaoSQLite.h"
#include "schema/TManipulaTabelas.h"
#include "schema/TMostraTabelas.h"
#include "schema/TiposSQLite.h"
#include "support/ArquivosTemporarios.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>
#include <sstream>

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

    // Every table and view but the system tables, as an import without --type takes them.
    TCargaColunas CarregaSemSistema(const std::string& conexao) {
        TMostraTabelas chooser({conexao, "", "", ""}, "");
        chooser.semSistema = true;
        TCargaColunas carga;
        CarregaControlaColunas({conexao, "", "", ""}, chooser.PreencheLista("", ""), carga);
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
    // The type as the database declares it; the provider's own NUMERIC is the best match.
    EXPECT_EQ(preco->getTipoDado().Codifica(), "TTipoDado||numeric=>-1=>10=>2=>131=>-1=>0=>|>");
    EXPECT_EQ(preco->getTabela().getBaseDados().nome, "main");
}

// What pragma table_info says of every column of a database's tables and views: table,
// column and the declared type as written.
struct ColunaDoCatalogo {
    std::string tabela;
    std::string coluna;
    std::string declarado;
};
std::vector<ColunaDoCatalogo> CatalogoSQLite(const std::string& caminho) {
    sqlite3* banco = nullptr;
    sqlite3_open_v2(caminho.c_str(), &banco, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* comando = nullptr;
    sqlite3_prepare_v2(banco,
                       "SELECT m.name, p.name, p.type FROM sqlite_schema m, "
                       "pragma_table_info(m.name) p WHERE m.type IN ('table', 'view') "
                       "AND m.name NOT LIKE 'sqlite%' ORDER BY m.name, p.cid",
                       -1, &comando, nullptr);
    std::vector<ColunaDoCatalogo> colunas;
    const auto texto = [&comando](int i) {
        return std::string(reinterpret_cast<const char*>(sqlite3_column_text(comando, i)));
    };
    while (sqlite3_step(comando) == SQLITE_ROW) {
        colunas.push_back({texto(0), texto(1), texto(2)});
    }
    sqlite3_finalize(comando);
    sqlite3_close(banco);
    return colunas;
}

// The name a declared type gives (the text before its parentheses, blanks folded) and the
// numbers between them.
std::pair<std::string, std::vector<int>> PartesDoTipo(const std::string& declarado) {
    std::istringstream palavras(declarado.substr(0, declarado.find('(')));
    std::string nome;
    for (std::string palavra; palavras >> palavra;) {
        nome += (nome.empty() ? "" : " ") + palavra;
    }
    std::vector<int> numeros;
    if (const auto abre = declarado.find('('); abre != std::string::npos) {
        std::string dentro = declarado.substr(abre + 1);
        std::replace(dentro.begin(), dentro.end(), ',', ' ');
        std::istringstream partes(dentro);
        for (int n = 0; partes >> n;) {
            numeros.push_back(n);
        }
    }
    return {nome, numeros};
}

TEST_F(SQLite, EveryColumnHasTheTypeAndSizesTheDatabaseDeclares) {
    const std::string tipos = pasta.arquivo("kinds.db");
    CriaBanco(tipos, LeArquivo(FENDRIL_KINDS_SQLITE_SQL));
    const std::vector<ColunaDoCatalogo> catalogo = CatalogoSQLite(tipos);
    ASSERT_EQ(catalogo.size(), 29u);
    for (const std::string& conexao : {Nativa(tipos), Odbc(tipos)}) {
        const TCargaColunas carga = CarregaSemSistema(conexao);
        const TControlaColunas& colunas = *carga.controlaColunas;
        EXPECT_EQ(colunas.quantidade(), catalogo.size()) << conexao;
        for (const ColunaDoCatalogo& esperada : catalogo) {
            const TColuna* coluna = colunas.getColuna(esperada.tabela, esperada.coluna);
            ASSERT_NE(coluna, nullptr)
                << conexao << " " << esperada.tabela << "." << esperada.coluna;
            const TTipoDado& tipo = coluna->getTipoDado();
            const auto [nome, numeros] = PartesDoTipo(esperada.declarado);
            const std::string onde = conexao + " " + esperada.tabela + "." + esperada.coluna;
            if (esperada.declarado.empty()) {
                // Nothing declared (a view's expression): the provider's type of its kind.
                EXPECT_EQ(tipo.nome, "BLOB") << onde;
                continue;
            }
            EXPECT_EQ(tipo.nome, nome) << onde;
            const bool numerico = tipo.tipoOLE == 131;
            EXPECT_EQ(numerico ? tipo.precisao : tipo.tamanho, numeros.empty() ? -1 : numeros[0])
                << onde;
            if (numerico) {
                EXPECT_EQ(tipo.escala, numeros.size() > 1 ? numeros[1]
                                       : numeros.empty()  ? -1
                                                          : 0)
                    << onde;
            } else {
                EXPECT_EQ(tipo.escala, -1) << onde;
            }
            // The mapping's provider types hold the type, so that the window can keep its code.
            EXPECT_EQ(TipoOLE(carga.tiposProvider, tipo.nome), tipo.tipoOLE) << onde;
        }
    }
}

// The facts of every column as SQLite's catalogs say them: nullable unless NOT NULL or in
// the primary key; the default as SQLite keeps it; unique when alone in the primary key or
// in a unique index that is not partial; auto-increment when it is the rowid (the one
// INTEGER column of the key of a table without a key index).
std::map<std::pair<std::string, std::string>, TColumnFacts>
FatosSQLite(const std::string& caminho) {
    sqlite3* banco = nullptr;
    sqlite3_open_v2(caminho.c_str(), &banco, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* comando = nullptr;
    const int r = sqlite3_prepare_v2(
        banco,
        "SELECT m.name, p.name, NOT p.\"notnull\" AND p.pk = 0, coalesce(p.dflt_value, ''), "
        "(p.pk > 0 AND (SELECT count(*) FROM pragma_table_info(m.name) WHERE pk > 0) = 1) OR "
        "EXISTS (SELECT 1 FROM pragma_index_list(m.name) l WHERE l.\"unique\" AND NOT l.partial "
        "AND (SELECT group_concat(name) FROM pragma_index_info(l.name)) = p.name), "
        "p.pk > 0 AND upper(p.type) = 'INTEGER' "
        "AND (SELECT count(*) FROM pragma_table_info(m.name) WHERE pk > 0) = 1 "
        "AND NOT EXISTS (SELECT 1 FROM pragma_index_list(m.name) WHERE origin = 'pk') "
        "FROM sqlite_schema m, pragma_table_info(m.name) p "
        "WHERE m.type IN ('table', 'view') AND m.name NOT LIKE 'sqlite%'",
        -1, &comando, nullptr);
    EXPECT_EQ(r, SQLITE_OK) << sqlite3_errmsg(banco);
    std::map<std::pair<std::string, std::string>, TColumnFacts> fatos;
    const auto texto = [&comando](int i) {
        return std::string(reinterpret_cast<const char*>(sqlite3_column_text(comando, i)));
    };
    while (sqlite3_step(comando) == SQLITE_ROW) {
        fatos[{texto(0), texto(1)}] = {sqlite3_column_int(comando, 2) != 0, texto(3),
                                       sqlite3_column_int(comando, 4) != 0,
                                       sqlite3_column_int(comando, 5) != 0, ""};
    }
    sqlite3_finalize(comando);
    sqlite3_close(banco);
    return fatos;
}

// Tables with indexes of every kind and without any: the native provider asks for a table's
// indexes only when sqlite_schema names one for it or the table is WITHOUT ROWID.
const char* const kIndicesSQLite = R"(
CREATE TABLE plain (a int, b text);
CREATE TABLE rowid_key (id INTEGER PRIMARY KEY, v text);
CREATE TABLE desc_key (id INTEGER PRIMARY KEY DESC, v text);
CREATE TABLE text_key (id TEXT PRIMARY KEY, v text);
CREATE TABLE no_rowid (id INTEGER PRIMARY KEY, v text) WITHOUT ROWID;
CREATE TABLE no_rowid_pair (a text, b int, c int UNIQUE, PRIMARY KEY (b, a)) WITHOUT ROWID;
CREATE TABLE "Mixed Case" (id integer, u text UNIQUE, CONSTRAINT k PRIMARY KEY (id));
CREATE TABLE indexed (a int, b int, c int);
CREATE INDEX indexed_a ON INDEXED (a);
CREATE UNIQUE INDEX indexed_b ON "Indexed" (b);
CREATE UNIQUE INDEX indexed_expression ON indexed (c + 1);
CREATE TABLE partial (id INTEGER PRIMARY KEY, q text);
CREATE UNIQUE INDEX partial_q ON partial (q) WHERE q IS NOT NULL;
CREATE VIEW plain_view AS SELECT a, b FROM plain;
)";

TEST_F(SQLite, EveryColumnHasTheFactsTheCatalogsSay) {
    const std::string tipos = pasta.arquivo("kinds.db");
    CriaBanco(tipos, LeArquivo(FENDRIL_KINDS_SQLITE_SQL));
    const std::string indices = pasta.arquivo("indexes.db");
    CriaBanco(indices, kIndicesSQLite);
    for (const std::string& caminho : {banco, tipos, indices}) {
        const auto esperados = FatosSQLite(caminho);
        for (const std::string& conexao : {Nativa(caminho), Odbc(caminho)}) {
            const TCargaColunas carga = CarregaSemSistema(conexao);
            const TControlaColunas& colunas = *carga.controlaColunas;
            ASSERT_EQ(colunas.quantidade(), esperados.size()) << conexao;
            for (const auto& [nome, fatos] : esperados) {
                const TColuna* coluna = colunas.getColuna(nome.first, nome.second);
                ASSERT_NE(coluna, nullptr) << conexao << " " << nome.first << "." << nome.second;
                EXPECT_EQ(coluna->facts, fatos)
                    << conexao << " " << nome.first << "." << nome.second;
                EXPECT_EQ(coluna->getTabela().comment, "");
            }
        }
    }
    // What the example and the fixture show, by name.
    const auto loja = FatosSQLite(banco);
    EXPECT_EQ(loja.at({"payments", "method"}), (TColumnFacts{false, "'card'", false, false, ""}));
    EXPECT_EQ(loja.at({"customers", "email"}), (TColumnFacts{false, "", true, false, ""}));
    EXPECT_EQ(loja.at({"customers", "created_at"}),
              (TColumnFacts{false, "CURRENT_TIMESTAMP", false, false, ""}));
    EXPECT_EQ(loja.at({"orders", "id"}), (TColumnFacts{false, "", true, true, ""}));
    EXPECT_EQ(loja.at({"order_lines", "line_no"}), (TColumnFacts{false, "", false, false, ""}));
    EXPECT_EQ(loja.at({"orders", "notes"}), TColumnFacts{});
    const auto fixture = FatosSQLite(tipos);
    EXPECT_TRUE(fixture.at({"artists", "Code"}).unique);
    EXPECT_FALSE(fixture.at({"artists", "Age"}).unique) << "part of a two-column index";
    EXPECT_FALSE(fixture.at({"artists", "Bio"}).unique) << "a partial index";
    EXPECT_TRUE(fixture.at({"with space", "id"}).autoIncrement);
    EXPECT_FALSE(fixture.at({"codes", "code"}).autoIncrement) << "INT is not the rowid";
    EXPECT_FALSE(fixture.at({"tags", "tag"}).autoIncrement) << "a table without rowid";
    EXPECT_EQ(fixture.at({"my.table", "my.col"}).defaultValue, "''");
    const auto comIndices = FatosSQLite(indices);
    EXPECT_TRUE(comIndices.at({"rowid_key", "id"}).autoIncrement);
    EXPECT_FALSE(comIndices.at({"no_rowid", "id"}).autoIncrement) << "its key is an index";
    EXPECT_FALSE(comIndices.at({"desc_key", "id"}).autoIncrement) << "DESC is not the rowid";
    EXPECT_TRUE(comIndices.at({"no_rowid_pair", "c"}).unique);
    EXPECT_TRUE(comIndices.at({"indexed", "b"}).unique);
    EXPECT_FALSE(comIndices.at({"indexed", "c"}).unique) << "an index of an expression";
    EXPECT_FALSE(comIndices.at({"partial", "q"}).unique);
}

// Indexes beyond kIndicesSQLite whose facts only the pragmas themselves can tell: one-column
// unique indexes in descending order, with a collation or with a name that needs quoting,
// indexes of generated columns, unique constraints of WITHOUT ROWID tables and of a column
// that is also the key, a table name that needs quoting, and a view that no longer
// compiles (it has no columns).
const char* const kMaisIndicesSQLite = R"(
CREATE TABLE more (a int, b text COLLATE NOCASE, c int, d int);
CREATE UNIQUE INDEX more_a ON more (a DESC);
CREATE UNIQUE INDEX more_b ON more (b COLLATE BINARY);
CREATE UNIQUE INDEX "we'ird ""ix""" ON more (c);
CREATE INDEX more_cd ON more (c, d);
CREATE TABLE "it's ""q""" (id integer PRIMARY KEY, "co'l" text UNIQUE);
CREATE TABLE generated (a int, b int AS (a * 2) STORED, c int AS (a + 1));
CREATE UNIQUE INDEX generated_b ON generated (b);
CREATE UNIQUE INDEX generated_c ON generated (c);
CREATE TABLE no_rowid_unique (k text PRIMARY KEY, d int UNIQUE, e int, f int,
                              UNIQUE (e, f)) WITHOUT ROWID;
CREATE TABLE key_unique (id int PRIMARY KEY UNIQUE, a int, b int, UNIQUE (a), UNIQUE (a, b));
CREATE TABLE gone (g int);
CREATE VIEW broken AS SELECT g FROM gone;
DROP TABLE gone;
)";

using LinhaComparavel = std::vector<std::optional<std::string>>;
using ColunasPorNome = std::map<std::pair<std::string, std::string>, LinhaComparavel>;

// The COLUMNS rows that kConsultaColunasSQLite gives for every table and view, each value
// read as text as the ODBC provider reads it, by table and column name. A table whose query
// fails (a view that no longer compiles) has none.
ColunasPorNome ColunasDaConsulta(const std::string& caminho) {
    sqlite3* banco = nullptr;
    sqlite3_open_v2(caminho.c_str(), &banco, SQLITE_OPEN_READONLY, nullptr);
    const auto texto = [](sqlite3_stmt* comando, int i) -> std::optional<std::string> {
        if (sqlite3_column_type(comando, i) == SQLITE_NULL) {
            return std::nullopt;
        }
        return std::string(reinterpret_cast<const char*>(sqlite3_column_text(comando, i)));
    };
    std::vector<std::string> tabelas;
    sqlite3_stmt* comando = nullptr;
    sqlite3_prepare_v2(banco, "SELECT name FROM sqlite_schema WHERE type IN ('table', 'view')", -1,
                       &comando, nullptr);
    while (sqlite3_step(comando) == SQLITE_ROW) {
        tabelas.push_back(*texto(comando, 0));
    }
    sqlite3_finalize(comando);
    ColunasPorNome linhas;
    for (const std::string& tabela : tabelas) {
        sqlite3_prepare_v2(banco, kConsultaColunasSQLite, -1, &comando, nullptr);
        sqlite3_bind_text(comando, 1, tabela.c_str(), -1, SQLITE_TRANSIENT);
        std::vector<TColunaSQLite> colunas;
        int r = SQLITE_ROW;
        while ((r = sqlite3_step(comando)) == SQLITE_ROW) {
            std::vector<TValor> linha;
            for (int i = 0; i < sqlite3_column_count(comando); ++i) {
                const auto valor = texto(comando, i);
                linha.push_back(valor ? TValor::De(*valor) : TValor::Nulo());
            }
            colunas.push_back(ColunaSQLite(linha));
        }
        sqlite3_finalize(comando);
        if (r != SQLITE_DONE) {
            continue;
        }
        for (const TColunaSQLite& coluna : colunas) {
            const TLinhaValores linha = LinhaColunaSQLite(tabela, colunas, coluna);
            LinhaComparavel comparavel(rowset::columns::kCampos);
            for (std::size_t i = 0; i < linha.size(); ++i) {
                if (!linha[i].nulo) {
                    comparavel[i] = linha[i].texto;
                }
            }
            linhas[{tabela, coluna.nome.texto}] = comparavel;
        }
    }
    sqlite3_close(banco);
    return linhas;
}

// The native provider runs the pragmas of kConsultaColunasSQLite as statements of their own
// and skips the index pragmas of tables without an index: its COLUMNS rows are still those
// of the query, field for field.
TEST_F(SQLite, NativeColumnsAreThoseOfTheColumnQuery) {
    const std::string tipos = pasta.arquivo("kinds.db");
    CriaBanco(tipos, LeArquivo(FENDRIL_KINDS_SQLITE_SQL));
    const std::string indices = pasta.arquivo("indexes.db");
    CriaBanco(indices, std::string(kIndicesSQLite) + kMaisIndicesSQLite);
    for (const std::string& caminho : {banco, tipos, indices}) {
        const ColunasPorNome esperadas = ColunasDaConsulta(caminho);
        TConexaoSQLite conexao;
        conexao.Open(Nativa(caminho), "", "");
        ColunasPorNome nativas;
        for (auto linhas = conexao.OpenSchema(TEsquema::adSchemaColumns, {}); !linhas->Eof();
             linhas->MoveNext()) {
            namespace c = rowset::columns;
            LinhaComparavel linha(c::kCampos);
            for (int i = 0; i < c::kCampos; ++i) {
                if (!linhas->Nulo(i)) {
                    linha[i] = linhas->Texto(i);
                }
            }
            nativas[{*linha[c::TABLE_NAME], *linha[c::COLUMN_NAME]}] = linha;
        }
        EXPECT_EQ(nativas, esperadas) << caminho;
    }
    // What the new cases show, so that the comparison is not of two empty sets.
    namespace c = rowset::columns;
    const ColunasPorNome comIndices = ColunasDaConsulta(indices);
    const auto unica = [&comIndices](const char* tabela, const char* coluna) {
        return comIndices.at({tabela, coluna})[c::FENDRIL_IS_UNIQUE];
    };
    EXPECT_EQ(unica("more", "a"), "1") << "a descending index";
    EXPECT_EQ(unica("more", "b"), "1") << "an index with a collation of its own";
    EXPECT_EQ(unica("more", "c"), "1") << "an index whose name needs quoting";
    EXPECT_EQ(unica("more", "d"), "0");
    EXPECT_EQ(unica("it's \"q\"", "co'l"), "1");
    EXPECT_EQ(unica("no_rowid_unique", "d"), "1");
    EXPECT_EQ(unica("no_rowid_unique", "e"), "0");
    EXPECT_EQ(unica("key_unique", "a"), "1");
    EXPECT_EQ(comIndices.count({"broken", "g"}), 0u);
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

TEST(TiposSQLite, DeclaredTypesGiveNameIndicatorAndDeclaredSizes) {
    struct Caso {
        const char* declarado;
        const char* nome;
        int tipo;
        std::optional<std::int64_t> tamanho, precisao, escala, dataHora;
    };
    const Caso casos[] = {
        {"numeric(10,2)", "numeric", 131, {}, 10, 2, {}},
        {"DECIMAL ( 8 , 3 )", "DECIMAL", 131, {}, 8, 3, {}},
        {"DECIMAL(7)", "DECIMAL", 131, {}, 7, 0, {}},
        {"NUMERIC", "NUMERIC", 131, {}, {}, {}, {}},
        {"varchar(80)", "varchar", 129, 80, {}, {}, {}},
        {"varchar (20)", "varchar", 129, 20, {}, {}, {}},
        {"VARCHAR", "VARCHAR", 129, {}, {}, {}, {}},
        {"NVARCHAR(12)", "NVARCHAR", 129, 12, {}, {}, {}},
        {"CHAR(5)", "CHAR", 129, 5, {}, {}, {}},
        {"text", "text", 129, {}, {}, {}, {}},
        {"BLOB", "BLOB", 128, {}, {}, {}, {}},
        {"INTEGER", "INTEGER", 3, {}, 10, {}, {}},
        {"INT", "INT", 3, {}, 10, {}, {}},
        {"bigint", "bigint", 20, {}, 19, {}, {}},
        {"UNSIGNED  BIG INT", "UNSIGNED BIG INT", 20, {}, 19, {}, {}},
        {"boolean", "boolean", 11, {}, {}, {}, {}},
        {"date", "date", 133, {}, {}, {}, 0},
        {"DATETIME", "DATETIME", 135, {}, {}, {}, 0},
        {"timestamp(3)", "timestamp", 135, {}, {}, {}, 3},
        {"double precision", "double precision", 5, {}, 15, {}, {}},
        {"money", "money", 131, {}, {}, {}, {}},
        // No declared type (an expression of a view): no name, a blob of length 0.
        {"", "", 128, 0, {}, {}, {}},
    };
    for (const Caso& caso : casos) {
        const TTipoDeclarado tipo = InterpretaTipoSQLite(caso.declarado);
        EXPECT_EQ(tipo.nome, caso.nome) << caso.declarado;
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

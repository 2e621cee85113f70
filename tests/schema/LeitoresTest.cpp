#include "FonteTeste.h"
#include "model/Erros.h"
#include "schema/TColecao.h"
#include "schema/TManipulaColunas.h"
#include "schema/TManipulaTabelas.h"

#include <gtest/gtest.h>

namespace fendril {
namespace {

using namespace teste;
using TE = TEsquema;

class Leitores : public ::testing::Test {
protected:
    void SetUp() override { FixaDataHora(); }

    std::shared_ptr<TFonteFixa> fonte = std::make_shared<TFonteFixa>();
    TFabricaConexao fabrica = FabricaFixa(fonte);
};

// A plain cursor that counts how often it builds a record.
class TColecaoContada : public TColecao {
public:
    int montagens = 0;
    void MontaAtual() override { ++montagens; }
};

std::unique_ptr<TRowset> Rowset(int linhas) {
    auto dados = std::make_shared<TDadosRowset>();
    for (int i = 0; i < linhas; ++i) {
        dados->linhas.push_back({TValor::De(std::int64_t{i})});
    }
    return std::make_unique<TRowsetMemoria>(dados, 1);
}

// The compact rows read back every field as it was given: texts (empty ones too), Null
// fields in the middle and at the end of a row, and fields past a row's end as Null.
TEST(TLinhasCompactas, ReadBackEveryFieldAsGiven) {
    TDadosRowset dados;
    dados.linhas.push_back(
        {TValor::De("main"), TValor::Nulo(), TValor::De(""), TValor::De("x y"), TValor::Nulo()});
    dados.linhas.push_back({});
    dados.linhas.push_back({TValor::Nulo(), TValor::De(std::int64_t{-42})});
    const TDadosRowset copia = dados;
    const TLinhasCompactas compactas(std::move(dados));
    EXPECT_TRUE(dados.linhas.empty());
    ASSERT_EQ(compactas.Quantidade(), copia.linhas.size());
    for (std::size_t l = 0; l < copia.linhas.size(); ++l) {
        for (std::size_t c = 0; c < 7; ++c) {
            const bool nulo = c >= copia.linhas[l].size() || copia.linhas[l][c].nulo;
            EXPECT_EQ(compactas.Nulo(l, c), nulo) << l << "," << c;
            EXPECT_EQ(compactas.Texto(l, c), nulo ? "" : copia.linhas[l][c].texto) << l << "," << c;
        }
    }
    EXPECT_EQ(compactas.Campos(0), 4U);

    TRowsetMemoria rowset(std::make_shared<const TLinhasCompactas>(copia), 7);
    EXPECT_EQ(rowset.Texto(0), "main");
    EXPECT_TRUE(rowset.Nulo(1));
    EXPECT_THROW(rowset.Texto(1), Exception);
    EXPECT_EQ(rowset.Texto(2), "");
    EXPECT_TRUE(rowset.Nulo(6));
    EXPECT_THROW(rowset.Nulo(7), Exception);
    rowset.MoveNext();
    rowset.MoveNext();
    EXPECT_EQ(rowset.Inteiro(1), -42);
    EXPECT_TRUE(rowset.Booleano(1));
}

TEST(TColecao, EmptyRowsetIsAtEndWithoutRows) {
    TColecaoContada cursor;
    cursor.setRecordset(Rowset(0));
    EXPECT_EQ(cursor.getQuantidade(), 0);
    EXPECT_EQ(cursor.getPosicao(), -1);
    EXPECT_TRUE(cursor.getFim());
    cursor.Primeiro();
    cursor.Proximo();
    cursor.Posiciona(0);
    EXPECT_EQ(cursor.montagens, 0);
    EXPECT_TRUE(cursor.getFim());
}

TEST(TColecao, WalkVisitsEveryRowOnceAndStaysOnTheLast) {
    TColecaoContada cursor;
    cursor.setRecordset(Rowset(3));
    cursor.MontaAtual();
    std::vector<std::int64_t> vistos;
    while (!cursor.getFim()) {
        vistos.push_back(cursor.getRecordset()->Inteiro(0));
        cursor.Proximo();
    }
    EXPECT_EQ(vistos, (std::vector<std::int64_t>{0, 1, 2}));
    EXPECT_EQ(cursor.getPosicao(), 2);
    EXPECT_EQ(cursor.getRecordset()->Inteiro(0), 2);
    cursor.Primeiro();
    EXPECT_FALSE(cursor.getFim());
    EXPECT_EQ(cursor.getRecordset()->Inteiro(0), 0);
}

TEST(TColecao, PositioningRewindsOrStaysAndAlwaysRebuilds) {
    TColecaoContada cursor;
    cursor.setRecordset(Rowset(5));
    cursor.Posiciona(3);
    EXPECT_EQ(cursor.getRecordset()->Inteiro(0), 3);
    cursor.Posiciona(0);
    EXPECT_EQ(cursor.getPosicao(), 0);
    EXPECT_EQ(cursor.getRecordset()->Inteiro(0), 0);
    cursor.Posiciona(0);
    cursor.Posiciona(9);
    cursor.Posiciona(-1);
    EXPECT_EQ(cursor.getPosicao(), 0);
    EXPECT_EQ(cursor.montagens, 5);
}

TEST_F(Leitores, DatabaseNamesInProviderOrderWithNullAsEmpty) {
    for (const char* nome : {"shop", static_cast<const char*>(nullptr), "archive"}) {
        fonte->Adiciona(TE::adSchemaCatalogs, Catalogo(nome));
    }
    TManipulaBaseDados leitor("cs", "u", "p", fabrica);
    EXPECT_THROW(leitor.getColecao(), EErroGeral);
    leitor.Abre();
    std::vector<std::string> nomes;
    for (auto& c = leitor.getColecao(); !c.getFim(); c.Proximo()) {
        nomes.push_back(c.getBaseDados().nome);
    }
    EXPECT_EQ(nomes, (std::vector<std::string>{"shop", "", "archive"}));
    EXPECT_EQ(leitor.getLog(), TListaTextos{L("Database -> OK")});
}

TEST_F(Leitores, ClosedReadersNameThemselves) {
    const auto textoDe = [](auto&& acao) {
        try {
            acao();
        } catch (const EErroGeral& erro) {
            return erro.textoErro();
        }
        return std::string("no failure");
    };
    TManipulaBaseDados bases("cs", "", "", fabrica);
    TManipulatabelas tabelas("cs", "", "", "", fabrica);
    TManipulaColunas colunas("cs", "", "", "", fabrica);
    EXPECT_EQ(textoDe([&] { bases.getColecao(); }), "TManipulaBaseDados: Connection Closed");
    EXPECT_EQ(textoDe([&] { tabelas.getColecao(); }), "TManipulaTabelas: Connection Closed");
    EXPECT_EQ(textoDe([&] { colunas.getColecao(); }), "TManipulaColunas: Connection Closed");
}

TEST_F(Leitores, RefusedConnectionIsLoggedAndRaisedWithTheProviderMessage) {
    fonte->falhaAbertura = "Login failed for user 'sa'.";
    struct Caso {
        std::function<const TListaTextos&()> abre;
        std::string prefixo;
    };
    TManipulaBaseDados bases("cs", "", "", fabrica);
    TManipulatabelas tabelas("cs", "", "", "", fabrica);
    TManipulaColunas colunas("cs", "", "", "", fabrica);
    const std::vector<Caso> casos = {
        {[&]() -> const TListaTextos& {
             bases.Abre();
             return bases.getLog();
         },
         "TManipulaBaseDados: Open Connection Error. OLE Message :"},
        {[&]() -> const TListaTextos& {
             tabelas.Abre(3, "shop");
             return tabelas.getLog();
         },
         "TManipulaTabelas: Open Connection Error. OLE Message :"},
        {[&]() -> const TListaTextos& {
             colunas.Abre(1, "t");
             return colunas.getLog();
         },
         "TManipulaColunas: Open Connection Error. OLE Message :"},
    };
    for (const Caso& caso : casos) {
        try {
            caso.abre();
            ADD_FAILURE() << "no failure for " << caso.prefixo;
        } catch (const EErroGeral& erro) {
            EXPECT_STREQ(erro.what(), "Login failed for user 'sa'.");
            EXPECT_EQ(erro.textoErro(), caso.prefixo + "Login failed for user 'sa'.");
        }
    }
    EXPECT_EQ(bases.getLog(), TListaTextos{L(casos[0].prefixo + "Login failed for user 'sa'.")});
    EXPECT_EQ(colunas.getLog(), TListaTextos{L(casos[2].prefixo + "Login failed for user 'sa'.")});
    EXPECT_THROW(colunas.getColecao(), EErroGeral);
}

TEST_F(Leitores, RejectedDefaultDatabaseIsAConnectionFailure) {
    fonte->basesDados = {"shop"};
    fonte->Adiciona(TE::adSchemaCatalogs, Catalogo("shop"));
    TManipulatabelas leitor("cs", "", "", "nowhere", fabrica);
    try {
        leitor.Abre(3, "nowhere");
        FAIL();
    } catch (const EErroGeral& erro) {
        EXPECT_EQ(erro.textoErro(), "TManipulaTabelas: Open Connection Error. OLE Message :" +
                                        std::string(erro.what()));
    }
}

TEST_F(Leitores, MissingCatalogsRowsetIsOnlyLogged) {
    TManipulaBaseDados leitor("cs", "", "", fabrica);
    leitor.Abre();
    EXPECT_TRUE(leitor.getColecao().getFim());
    EXPECT_EQ(leitor.getLog(),
              TListaTextos{L("Database -> Object or provider is not capable of performing "
                             "requested operation.")});
}

TEST(TManipulatabelas, FilterKindFillsOneSlot) {
    EXPECT_TRUE(TManipulatabelas::MontaFiltro("", 3).empty());
    const auto slot = [](std::uint8_t tipo) {
        const TFiltro filtro = TManipulatabelas::MontaFiltro("x", tipo);
        EXPECT_EQ(filtro.size(), 4u);
        for (std::size_t i = 0; i < filtro.size(); ++i) {
            if (filtro[i]) {
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    EXPECT_EQ(slot(0), 1);
    EXPECT_EQ(slot(1), 2);
    EXPECT_EQ(slot(2), 3);
    EXPECT_EQ(slot(3), 0);
    EXPECT_EQ(slot(7), -1);
}

TEST_F(Leitores, TablesTakeTheirDatabaseSchemaAndType) {
    fonte->Adiciona(TE::adSchemaCatalogs, Catalogo("archive"));
    fonte->Adiciona(TE::adSchemaCatalogs, Catalogo("shop"));
    fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "sales", "orders"));
    fonte->Adiciona(TE::adSchemaTables, Tabela("shop", nullptr, "notes", "VIEW"));
    fonte->Adiciona(TE::adSchemaTables, Tabela("lost", "dbo", "gone"));
    fonte->Adiciona(TE::adSchemaTables, Tabela("other", "dbo", "elsewhere"));
    TManipulatabelas leitor("cs", "", "", "", fabrica);
    leitor.Abre(3, "");
    std::vector<std::string> codificadas;
    for (auto& c = leitor.getColecao(); !c.getFim(); c.Proximo()) {
        codificadas.push_back(c.getTabela().Codifica());
    }
    EXPECT_EQ(codificadas,
              (std::vector<std::string>{"TTabela||orders=>sales=>TABLE=>=>|>TBaseDados||shop=>|>",
                                        "TTabela||notes=>=>VIEW=>=>|>TBaseDados||shop=>|>",
                                        "TTabela||gone=>dbo=>TABLE=>=>|>TBaseDados||=>|>",
                                        "TTabela||elsewhere=>dbo=>TABLE=>=>|>TBaseDados||=>|>"}));
    EXPECT_EQ(leitor.getLog(), (TListaTextos{L("Database -> OK"), L("Tables -> OK")}));

    leitor.Abre(3, "shop");
    EXPECT_EQ(leitor.getColecao().getQuantidade(), 2);
    EXPECT_EQ(leitor.getLog().size(), 2u);
}

TEST_F(Leitores, NullCatalogFailsTheTableBuild) {
    fonte->Adiciona(TE::adSchemaCatalogs, Catalogo("shop"));
    fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "s", "ok"));
    fonte->Adiciona(TE::adSchemaTables, Tabela(nullptr, "s", "bad"));
    TManipulatabelas leitor("cs", "", "", "", fabrica);
    leitor.Abre(0, "");
    EXPECT_EQ(leitor.getLog().back(), L("Tables -> OK"));
    try {
        leitor.getColecao().Proximo();
        FAIL();
    } catch (const EErroGeral& erro) {
        EXPECT_EQ(erro.textoErro(), "Colecao Tabelas: Problemas na Montagem da Tabela");
        EXPECT_STREQ(erro.what(), "Invalid use of Null");
    }
}

TEST_F(Leitores, TablesOfANameAreRestrictedExactly) {
    fonte->Adiciona(TE::adSchemaCatalogs, Catalogo("shop"));
    for (const char* nome : {"order_line", "orderXline", "ORDER_LINE", "order_lines"}) {
        fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "s", nome));
    }
    fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "t", "order_line"));
    TManipulatabelas leitor("cs", "", "", "", fabrica);
    leitor.Abre(1, "order_line");
    std::vector<std::string> nomes;
    for (auto& c = leitor.getColecao(); !c.getFim(); c.Proximo()) {
        nomes.push_back(c.getTabela().getNomeCompleto());
    }
    EXPECT_EQ(nomes, (std::vector<std::string>{"s.order_line", "t.order_line"}));
}

// The shop fixture of the column reader's tests.
class Colunas : public Leitores {
protected:
    void SetUp() override {
        Leitores::SetUp();
        fonte->Adiciona(TE::adSchemaCatalogs, Catalogo("shop"));
        fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "sales", "orders"));
        fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "sales", "order_line"));
        fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "sales", "customers"));
        fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "archive", "orders"));
        const TipoCol inteiro{3, {}, 10, {}, {}};
        const TipoCol texto{129, 80, {}, {}, {}};
        for (auto [esquema, tabela, coluna, tipo] :
             std::vector<std::tuple<const char*, const char*, const char*, TipoCol>>{
                 {"sales", "orders", "id", inteiro},
                 {"sales", "orders", "customer_id", inteiro},
                 {"sales", "orders", "note", texto},
                 {"sales", "order_line", "order_id", inteiro},
                 {"sales", "order_line", "line_no", inteiro},
                 {"sales", "order_line", "amount", {131, {}, 10, 2, {}}},
                 {"sales", "order_line", "shipped", {135, {}, {}, {}, 3}},
                 {"sales", "order_line", "odd", {999, 5, 6, 7, 8}},
                 {"archive", "orders", "id", inteiro},
                 {"archive", "orders", "old_ref", inteiro}}) {
            fonte->Adiciona(TE::adSchemaColumns, Coluna("shop", esquema, tabela, coluna, tipo));
        }
        fonte->Adiciona(TE::adSchemaPrimaryKeys, Primaria("shop", "sales", "orders", "id"));
        fonte->Adiciona(TE::adSchemaPrimaryKeys,
                        Primaria("shop", "sales", "order_line", "order_id"));
        fonte->Adiciona(TE::adSchemaPrimaryKeys,
                        Primaria("shop", "sales", "order_line", "line_no"));
        fonte->Adiciona(TE::adSchemaForeignKeys,
                        Estrangeira("sales", "customers", "id", "sales", "orders", "customer_id"));
        fonte->Adiciona(TE::adSchemaForeignKeys,
                        Estrangeira("sales", "orders", "id", "sales", "order_line", "order_id"));
        fonte->Adiciona(TE::adSchemaForeignKeys,
                        Estrangeira("legacy", "vanished", "ref", "archive", "orders", "old_ref"));
        for (auto linha : {TipoProvider("int", 3, nullptr, true),
                           TipoProvider("varchar", 129, "max length", true),
                           TipoProvider("numeric", 131, "precision,scale", true),
                           TipoProvider("timestamp", 135, nullptr, true)}) {
            fonte->Adiciona(TE::adSchemaProviderTypes, linha);
        }
        CarregaTiposProvider("cs", "", "", tipos, fabrica);
    }

    // The encodings of the columns a reading of one table yields, in order.
    std::vector<std::string> Le(const std::string& tabela, TManipulaColunas* leitor = nullptr) {
        TManipulaColunas proprio("cs", "", "", "", fabrica);
        TManipulaColunas& l = leitor ? *leitor : proprio;
        l.setTiposProvider(tipos);
        l.Abre(1, tabela);
        std::vector<std::string> codificadas;
        for (auto& c = l.getColecao(); !c.getFim(); c.Proximo()) {
            codificadas.push_back(c.getColuna().Codifica());
        }
        return codificadas;
    }

    TListaTextos tipos;
};

TEST_F(Colunas, CompoundKeysTypesAndForeignLinksOfOneTable) {
    EXPECT_EQ(Le("order_line"),
              (std::vector<std::string>{
                  "TColuna||order_id=>1=>1=>=>1=>|>TTipoDado||int=>-1=>10=>-1=>3=>-1=>1=>|>"
                  "TTabela||order_line=>sales=>TABLE=>=>|>TBaseDados||shop=>|>"
                  "TColuna||id=>0=>1=>=>0=>|>TTipoDado||=>0=>0=>0=>0=>0=>=>|>"
                  "TTabela||orders=>sales=>TABLE=>=>|>TBaseDados||shop=>|>|>",
                  "TColuna||line_no=>1=>1=>=>0=>|>TTipoDado||int=>-1=>10=>-1=>3=>-1=>1=>|>"
                  "TTabela||order_line=>sales=>TABLE=>=>|>TBaseDados||shop=>|>|>",
                  "TColuna||amount=>0=>1=>=>0=>|>TTipoDado||numeric=>-1=>10=>2=>131=>-1=>1=>|>"
                  "TTabela||order_line=>sales=>TABLE=>=>|>TBaseDados||shop=>|>|>",
                  "TColuna||shipped=>0=>1=>=>0=>|>TTipoDado||timestamp=>-1=>-1=>-1=>135=>3=>1=>|>"
                  "TTabela||order_line=>sales=>TABLE=>=>|>TBaseDados||shop=>|>|>",
                  // A type the provider does not list keeps none of the column's sizes.
                  "TColuna||odd=>0=>1=>=>0=>|>TTipoDado||=>0=>0=>0=>0=>0=>=>|>"
                  "TTabela||order_line=>sales=>TABLE=>=>|>TBaseDados||shop=>|>|>"}));
}

// The columns of a table share its record; one changed by the caller after a column was
// taken is not handed to the next column, which gets the record its rows give.
TEST_F(Colunas, ColumnsOfATableShareItsRecordUnlessTheCallerChangedIt) {
    TManipulaColunas leitor("cs", "", "", "", fabrica);
    leitor.setTiposProvider(tipos);
    leitor.Abre(1, "order_line");
    TColecaoColunas& colunas = leitor.getColecao();
    std::vector<std::unique_ptr<TColuna>> tomadas;
    for (; !colunas.getFim(); colunas.Proximo()) {
        tomadas.push_back(colunas.TomaColuna());
        if (tomadas.size() == 2) {
            tomadas.back()->getTabelaCompartilhada().alias = "changed";
        }
    }
    ASSERT_GE(tomadas.size(), 4u);
    const auto tabela = [&tomadas](std::size_t i) {
        return &std::as_const(*tomadas[i]).getTabela();
    };
    EXPECT_EQ(tabela(0), tabela(1));
    EXPECT_EQ(tabela(0)->alias, "changed");
    EXPECT_NE(tabela(1), tabela(2));
    EXPECT_EQ(tabela(2), tabela(3));
    EXPECT_EQ(tabela(2)->alias, "");
    EXPECT_EQ(tabela(2)->nome, "order_line");
    EXPECT_EQ(tabela(2)->getBaseDados().nome, "shop");
}

TEST_F(Colunas, ReadingLogListsEveryStep) {
    fonte->falhas[TE::adSchemaForeignKeys] = "Foreign keys are not supported.";
    TManipulaColunas leitor("cs", "", "", "", fabrica);
    Le("orders", &leitor);
    EXPECT_EQ(leitor.getLog(),
              (TListaTextos{L("Database -> OK"), L("Tables -> OK"), L("Primary Keys -> OK"),
                            L("Foreign Keys -> Foreign keys are not supported."),
                            L("Provider Types -> OK"), L("Columns -> OK")}));
}

// A rowset the source does not offer is only logged; any other failure of a request (a lost
// connection, a time limit) ends the reading, logged first, and leaves the reader closed.
TEST_F(Colunas, AFailedRequestEndsTheReading) {
    for (const auto& [esquema, rotulo] :
         std::vector<std::pair<TE, std::string>>{{TE::adSchemaCatalogs, "Database -> "},
                                                 {TE::adSchemaTables, "Tables -> "},
                                                 {TE::adSchemaPrimaryKeys, "Primary Keys -> "},
                                                 {TE::adSchemaForeignKeys, "Foreign Keys -> "},
                                                 {TE::adSchemaColumns, "Columns -> "}}) {
        fonte->erros = {{esquema, "The connection has been lost"}};
        TManipulaColunas leitor("cs", "", "", "", fabrica);
        try {
            leitor.Abre(1, "orders");
            FAIL() << rotulo;
        } catch (const EErroGeral& erro) {
            EXPECT_STREQ(erro.what(), "The connection has been lost");
            EXPECT_EQ(erro.textoErro(), rotulo + "The connection has been lost");
        }
        EXPECT_EQ(leitor.getLog().back(), L(rotulo + "The connection has been lost"));
        EXPECT_THROW(leitor.getColecao(), EErroGeral) << "the reader is closed";
    }
    fonte->erros = {{TE::adSchemaTables, "lost"}};
    TManipulatabelas tabelas("cs", "", "", "", fabrica);
    EXPECT_THROW(tabelas.Abre(1, "orders"), EErroGeral);
    EXPECT_EQ(tabelas.getLog().back(), L("Tables -> lost"));
    fonte->erros = {{TE::adSchemaCatalogs, "lost"}};
    TManipulaBaseDados bases("cs", "", "", fabrica);
    EXPECT_THROW(bases.Abre(), EErroGeral);
    EXPECT_EQ(bases.getLog().back(), L("Database -> lost"));
}

TEST_F(Colunas, TablesOfOneNameInTwoSchemasKeepTheirOwnColumnsAndKeys) {
    const std::vector<std::string> colunas = Le("orders");
    ASSERT_EQ(colunas.size(), 5u);
    EXPECT_EQ(colunas[0].substr(0, 32), "TColuna||id=>1=>1=>=>0=>|>TTipoD");
    EXPECT_NE(colunas[0].find("TTabela||orders=>sales=>"), std::string::npos);
    // archive.orders has no primary key, and its foreign key points at a table that the
    // source does not list: the link keeps the column name and an empty table.
    EXPECT_EQ(colunas[3].substr(0, 26), "TColuna||id=>0=>1=>=>0=>|>");
    EXPECT_NE(colunas[3].find("TTabela||orders=>archive=>"), std::string::npos);
    EXPECT_NE(colunas[4].find("TColuna||old_ref=>0=>1=>=>1=>|>"), std::string::npos);
    EXPECT_NE(colunas[4].find("TColuna||ref=>0=>1=>=>0=>|>TTipoDado||=>0=>0=>0=>0=>0=>=>|>"
                              "TTabela||=>=>=>=>|>TBaseDados||=>|>|>"),
              std::string::npos);
}

TEST_F(Colunas, CharacterColumnHasLengthOnly) {
    const std::vector<std::string> colunas = Le("orders");
    EXPECT_NE(colunas[2].find("TTipoDado||varchar=>80=>-1=>-1=>129=>-1=>1=>|>"), std::string::npos);
}

TEST_F(Colunas, UnbuildableFirstColumnIsLoggedAndLeavesNoRows) {
    fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "sales", "broken"));
    fonte->Adiciona(TE::adSchemaColumns, Coluna("shop", "sales", "broken", nullptr));
    TManipulaColunas leitor("cs", "", "", "", fabrica);
    EXPECT_TRUE(Le("broken", &leitor).empty());
    EXPECT_EQ(leitor.getLog().back(), L("Columns -> Invalid use of Null"));
    EXPECT_EQ(leitor.getFalhaMontagem(), "Columns -> Invalid use of Null");
}

TEST_F(Colunas, UnbuildableLaterColumnReachesTheWalker) {
    fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "sales", "broken"));
    fonte->Adiciona(TE::adSchemaColumns, Coluna("shop", "sales", "broken", "fine"));
    fonte->Adiciona(TE::adSchemaColumns, Coluna("shop", "sales", "broken", nullptr));
    try {
        Le("broken");
        FAIL();
    } catch (const EErroGeral& erro) {
        EXPECT_EQ(erro.textoErro(), "Colecao Colunas: Problemas na Montagem da Coluna");
    }
}

TEST_F(Colunas, EmptyTablesRowsetWithCatalogsFailsEveryBuild) {
    TManipulaColunas leitor("cs", "", "", "", fabrica);
    EXPECT_TRUE(Le("nonexistent_but_has_columns", &leitor).empty());
    fonte->Adiciona(TE::adSchemaColumns, Coluna("shop", "x", "orphan", "c"));
    EXPECT_TRUE(Le("orphan", &leitor).empty());
    EXPECT_EQ(leitor.getLog().back(),
              L("Columns -> Either BOF or EOF is True, or the current record has been deleted. "
                "Requested operation requires a current record."));
}

TEST(TManipulaColunas, FilterSlotsPerRowset) {
    using M = TManipulaColunas;
    const auto slot = [](const TFiltro& filtro) {
        for (std::size_t i = 0; i < filtro.size(); ++i) {
            if (filtro[i]) {
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    struct Caso {
        TFiltro (*monta)(const std::string&, std::uint8_t);
        std::size_t slots;
        int esperado[4];
    };
    const Caso casos[] = {{&M::MontaFiltroCatalogos, 1, {-1, -1, -1, 0}},
                          {&M::MontaFiltroTabelas, 4, {-1, 2, 1, 0}},
                          {&M::MontaFiltroChavesPrimarias, 3, {-1, 2, 1, 0}},
                          {&M::MontaFiltroChavesEstrangeiras, 6, {-1, 5, 4, 3}},
                          {&M::MontaFiltroColunas, 4, {3, 2, 1, 0}}};
    for (const Caso& caso : casos) {
        EXPECT_TRUE(caso.monta("", 1).empty());
        for (std::uint8_t tipo = 0; tipo < 4; ++tipo) {
            const TFiltro filtro = caso.monta("x", tipo);
            EXPECT_EQ(filtro.size(), caso.slots);
            EXPECT_EQ(slot(filtro), caso.esperado[tipo]);
        }
    }
}

TEST_F(Leitores, ProviderTypesPutBestMatchesFirst) {
    fonte->Adiciona(TE::adSchemaProviderTypes, TipoProvider("char", 129, "length", false));
    fonte->Adiciona(TE::adSchemaProviderTypes, TipoProvider("varchar", 129, "max length", true));
    fonte->Adiciona(TE::adSchemaProviderTypes,
                    TipoProvider(nullptr, std::nullopt, nullptr, std::nullopt));
    fonte->Adiciona(TE::adSchemaProviderTypes, TipoProvider("text", 129, nullptr, false));
    TListaTextos tipos{"stale"};
    CarregaTiposProvider("cs", "", "", tipos, fabrica);
    EXPECT_EQ(tipos, (TListaTextos{"129;varchar;1;max length;", "-1;;1;;", "129;char;0;length;",
                                   "129;text;0;;"}));

    fonte->Adiciona(TE::adSchemaProviderTypes, TipoProvider("odd", {}, nullptr, true));
    fonte->rowsets[TE::adSchemaProviderTypes].linhas.back()[rowset::provider_types::DATA_TYPE] =
        TValor::De("not a number");
    EXPECT_THROW(CarregaTiposProvider("cs", "", "", tipos, fabrica), Exception);
    EXPECT_EQ(tipos.size(), 4u) << "a failing walk keeps the list";

    fonte->falhas[TE::adSchemaProviderTypes] = "no types";
    EXPECT_THROW(CarregaTiposProvider("cs", "", "", tipos, fabrica), Exception);
    EXPECT_EQ(tipos.size(), 4u);
}

TEST_F(Leitores, DatabaseWithoutTablesGivesAnEmptyWalk) {
    fonte->Adiciona(TE::adSchemaCatalogs, Catalogo("empty"));
    fonte->rowsets[TE::adSchemaTables];
    TManipulatabelas leitor("cs", "", "", "empty", fabrica);
    leitor.Abre(3, "empty");
    EXPECT_TRUE(leitor.getColecao().getFim());
    EXPECT_EQ(leitor.getColecao().getQuantidade(), 0);
    EXPECT_EQ(leitor.getLog(), (TListaTextos{L("Database -> OK"), L("Tables -> OK")}));
}

TEST_F(Colunas, EmptyFilterReadsEveryColumnTheConnectionReaches) {
    TManipulaColunas leitor("cs", "", "", "", fabrica);
    leitor.setTiposProvider(tipos);
    leitor.Abre(1, "");
    EXPECT_EQ(leitor.getColecao().getQuantidade(), 10);
}

TEST_F(Colunas, TheTypeTheDatabaseDeclaresNamesTheColumn) {
    fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "sales", "film"));
    struct Caso {
        const char* coluna;
        const char* declarado;
        TipoCol tipo;
        const char* codificado;
    };
    const Caso casos[] = {
        // A name the provider's list does not hold is no best match.
        {"code", "bpchar", {129, 5, {}, {}, {}}, "TTipoDado||bpchar=>5=>-1=>-1=>129=>-1=>0=>|>"},
        {"title",
         "varchar",
         {129, {}, {}, {}, {}},
         "TTipoDado||varchar=>-1=>-1=>-1=>129=>-1=>1=>|>"},
        {"ratio",
         "numeric",
         {131, {}, {}, {}, {}},
         "TTipoDado||numeric=>-1=>-1=>-1=>131=>-1=>1=>|>"},
        {"tags", "text[]", {129, {}, {}, {}, {}}, "TTipoDado||text[]=>-1=>-1=>-1=>129=>-1=>0=>|>"},
        // Where the source cannot tell, the first type of the indicator, as before.
        {"shout", nullptr, {129, {}, {}, {}, {}}, "TTipoDado||varchar=>-1=>-1=>-1=>129=>-1=>1=>|>"},
    };
    for (const Caso& caso : casos) {
        TLinhaValores linha = Coluna("shop", "sales", "film", caso.coluna, caso.tipo);
        linha[rowset::columns::FENDRIL_TYPE_NAME] = V(caso.declarado);
        fonte->Adiciona(TE::adSchemaColumns, linha);
    }
    const std::vector<std::string> colunas = Le("film");
    ASSERT_EQ(colunas.size(), std::size(casos));
    for (std::size_t i = 0; i < colunas.size(); ++i) {
        EXPECT_NE(colunas[i].find(casos[i].codificado), std::string::npos) << colunas[i];
    }
}

TEST(MarcaMelhoresTipos, ThePreferredNameOfEachIndicatorElseTheFirst) {
    TDadosRowset tipos;
    for (const auto& [nome, codigo] : std::vector<std::pair<const char*, int>>{{"int8", 20},
                                                                               {"char", 129},
                                                                               {"timestamptz", 135},
                                                                               {"varchar", 129},
                                                                               {"text", 129},
                                                                               {"TIMESTAMP", 135},
                                                                               {"money", 6},
                                                                               {"cash", 6}}) {
        tipos.linhas.push_back(TipoProvider(nome, codigo, nullptr, true));
    }
    MarcaMelhoresTipos(tipos);
    std::vector<std::string> melhores;
    for (const TLinhaValores& linha : tipos.linhas) {
        if (linha[rowset::provider_types::BEST_MATCH].texto == "1") {
            melhores.push_back(linha[rowset::provider_types::TYPE_NAME].texto);
        }
    }
    EXPECT_EQ(melhores, (std::vector<std::string>{"int8", "varchar", "TIMESTAMP", "money"}));
}

TEST_F(Colunas, NullDataTypeKeepsTheDefaultType) {
    fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "sales", "loose"));
    fonte->Adiciona(TE::adSchemaColumns,
                    Coluna("shop", "sales", "loose", "x", {std::nullopt, 5, 6, 7, 8}));
    const std::vector<std::string> colunas = Le("loose");
    ASSERT_EQ(colunas.size(), 1u);
    EXPECT_NE(colunas[0].find("|>TTipoDado||=>0=>0=>0=>0=>0=>=>|>"), std::string::npos);
}

} // namespace
} // namespace fendril

#include "model/EdicaoPropriedades.h"

#include <gtest/gtest.h>

namespace fendril {
namespace {

// dbo.Orders (id, customer_id, ID) and dbo.Customers (id, alias "CustId").
void Preenche(TControlaColunas& conjunto) {
    struct Col {
        const char* tabela;
        const char* coluna;
        const char* alias;
    };
    const Col colunas[] = {{"Orders", "id", ""},
                           {"Orders", "customer_id", ""},
                           {"Orders", "ID", ""},
                           {"Customers", "id", "CustId"}};
    conjunto.Redimensiona(std::size(colunas));
    std::size_t i = 0;
    for (const Col& c : colunas) {
        TColuna& coluna = *conjunto.getColunas()[i++];
        coluna.getTabela().esquema = "dbo";
        coluna.getTabela().nome = c.tabela;
        coluna.getTabela().tipo = "TABLE";
        coluna.nome = c.coluna;
        coluna.alias = c.alias;
    }
}

const TColuna& Coluna(const TControlaColunas& conjunto, const char* tabela, const char* nome) {
    const TColuna* coluna = conjunto.getColuna(tabela, nome);
    if (!coluna)
        throw std::runtime_error(std::string("no column ") + tabela + " " + nome);
    return *coluna;
}

const TListaTextos tipos = {"3;int;1;", "135;timestamp;1;", "x;broken;1;", "5;int;0;"};

TEST(EdicaoPropriedades, TipoOLEIsTheFirstExactTypeName) {
    EXPECT_EQ(TipoOLE(tipos, "int"), 3);
    EXPECT_EQ(TipoOLE(tipos, "timestamp"), 135);
    EXPECT_EQ(TipoOLE(tipos, "INT"), -1);
    EXPECT_EQ(TipoOLE(tipos, "broken"), -1);
    EXPECT_EQ(TipoOLE({}, "int"), -1);
}

// The panels show a date/time column's own precision in the precision field, and the
// referenced column's names in the foreign fields.
TEST(EdicaoPropriedades, PanelsShowTheRecords) {
    TColuna coluna;
    coluna.nome = "created";
    coluna.alias = "Created";
    coluna.chaveEstrangeira = true;
    coluna.setChavePrimaria(1);
    coluna.getTabela().esquema = "dbo";
    coluna.getTabela().nome = "Orders";
    coluna.getTabela().alias = "Ord";
    TTipoDado& tipo = coluna.getTipoDado();
    tipo = {"timestamp", -1, -1, -1, 135, 6, "1"};
    EXPECT_EQ(PropriedadesTabela(coluna.getTabela()),
              (TPropriedadesTabela{"Orders", "dbo", "", "Ord"}));
    TPropriedadesColuna esperada{.nome = "created",
                                 .alias = "Created",
                                 .habilitado = true,
                                 .chavePrimaria = true,
                                 .chaveEstrangeira = true,
                                 .tipoDado = "timestamp",
                                 .dataHora = true,
                                 .tamanho = -1,
                                 .precisao = 6,
                                 .escala = -1,
                                 .tabelaEstrangeira = "",
                                 .colunaEstrangeira = ""};
    EXPECT_EQ(PropriedadesColuna(coluna), esperada);

    coluna.CriaColunaEstrangeira();
    coluna.getColunaEstrangeira()->nome = "id";
    coluna.getColunaEstrangeira()->getTabela().nome = "Customers";
    tipo.precisao = 10;
    tipo.precisaoDataHora = -1;
    esperada.dataHora = false;
    esperada.precisao = 10;
    esperada.tabelaEstrangeira = "Customers";
    esperada.colunaEstrangeira = "id";
    EXPECT_EQ(PropriedadesColuna(coluna), esperada);
}

// Committing what the panels show changes nothing.
TEST(EdicaoPropriedades, CommittingTheShownValuesKeepsTheColumn) {
    TControlaColunas conjunto;
    Preenche(conjunto);
    conjunto.AlteraColuna(
        0, [](TColuna& coluna) { coluna.getTipoDado() = {"timestamp", -1, -1, -1, 135, 6, "1"}; });
    conjunto.AlteraColuna(1, [](TColuna& coluna) {
        coluna.chaveEstrangeira = true;
        coluna.CriaColunaEstrangeira();
        coluna.getColunaEstrangeira()->nome = "id";
        coluna.getColunaEstrangeira()->getTabela().esquema = "dbo";
        coluna.getColunaEstrangeira()->getTabela().nome = "Customers";
        coluna.getTipoDado() = {"int", -1, 10, 0, 3, -1, "1"};
    });
    conjunto.AlteraColuna(0, [](TColuna& coluna) {
        coluna.facts = {false, "nextval('s')", true, true, "The key"};
        coluna.getTabela().comment = "Orders placed";
    });
    for (const char* nome : {"id", "customer_id"}) {
        const std::string antes = Coluna(conjunto, "dbo.Orders", nome).Codifica();
        const TColumnFacts fatosAntes = Coluna(conjunto, "dbo.Orders", nome).facts;
        const TColuna& coluna = Coluna(conjunto, "dbo.Orders", nome);
        const TPropriedadesTabela tabela = PropriedadesTabela(coluna.getTabela());
        const TPropriedadesColuna propriedades = PropriedadesColuna(coluna);
        GravaPropriedades(conjunto, "dbo.Orders", nome, tabela, propriedades, tipos);
        EXPECT_EQ(Coluna(conjunto, "dbo.Orders", nome).Codifica(), antes) << nome;
        EXPECT_EQ(Coluna(conjunto, "dbo.Orders", nome).facts, fatosAntes) << nome;
        // Nothing was set by hand.
        EXPECT_TRUE(Coluna(conjunto, "dbo.Orders", nome).handSet.empty()) << nome;
        EXPECT_FALSE(Coluna(conjunto, "dbo.Orders", nome).getTabela().handSetComment) << nome;
    }
}

// What the panels change is marked set by hand with the value it had before (the
// database's, as far as the mapping knows); a second change keeps that first value.
TEST(EdicaoPropriedades, ChangedPropertiesAreMarkedSetByHand) {
    TControlaColunas conjunto;
    Preenche(conjunto);
    conjunto.AlteraColuna(1, [](TColuna& coluna) {
        coluna.facts = {false, "0", false, false, ""};
        coluna.getTipoDado() = {"int", -1, 10, 0, 3, -1, "1"};
    });
    for (std::size_t i = 0; i < 3; ++i)
        conjunto.AlteraColuna(
            i, [](TColuna& coluna) { coluna.getTabela().comment = "Orders placed"; });
    const auto grava = [&conjunto](const std::function<void(TPropriedadesColuna&)>& muda,
                                   const char* comentarioTabela = nullptr) {
        const TColuna& cliente = Coluna(conjunto, "dbo.Orders", "customer_id");
        TPropriedadesTabela tabela = PropriedadesTabela(cliente.getTabela());
        if (comentarioTabela)
            tabela.comment = comentarioTabela;
        TPropriedadesColuna painel = PropriedadesColuna(cliente);
        muda(painel);
        GravaPropriedades(conjunto, "dbo.Orders", "customer_id", tabela, painel, tipos);
        return Coluna(conjunto, "dbo.Orders", "customer_id").handSet;
    };
    EXPECT_EQ(grava([](TPropriedadesColuna& p) {
                  p.defaultValue = "1";
                  p.nullable = true;
                  p.tamanho = 20;
              }),
              (THandSetProperties{{TColumnProperty::length, "-1"},
                                  {TColumnProperty::nullable, "0"},
                                  {TColumnProperty::defaultValue, "0"}}));
    // The first value stays; the date/time box moves both precisions; a new foreign key.
    EXPECT_EQ(grava([](TPropriedadesColuna& p) {
                  p.defaultValue = "2";
                  p.dataHora = true;
                  p.chaveEstrangeira = true;
                  p.tabelaEstrangeira = "dbo.Customers";
                  p.colunaEstrangeira = "id";
              }),
              (THandSetProperties{{TColumnProperty::length, "-1"},
                                  {TColumnProperty::precision, "10"},
                                  {TColumnProperty::datePrecision, "-1"},
                                  {TColumnProperty::foreignKey, ""},
                                  {TColumnProperty::nullable, "0"},
                                  {TColumnProperty::defaultValue, "0"}}));
    grava([](TPropriedadesColuna&) {}, "Every order");
    for (const auto& coluna : conjunto.getColunas()) {
        if (coluna->getTabela().nome == "Orders")
            EXPECT_EQ(coluna->getTabela().handSetComment, "Orders placed") << coluna->nome;
        else
            EXPECT_FALSE(coluna->getTabela().handSetComment);
    }
}

// The facts show in the Column panel and the comment in the Table panel; committing them
// writes the column's facts and every copy of the table's comment.
TEST(EdicaoPropriedades, FactsAndCommentsInThePanels) {
    TControlaColunas conjunto;
    Preenche(conjunto);
    conjunto.AlteraColuna(1, [](TColuna& coluna) {
        coluna.facts = {false, "0", true, false, "Who ordered"};
        coluna.getTabela().comment = "Orders placed";
    });
    const TColuna& cliente = Coluna(conjunto, "dbo.Orders", "customer_id");
    const TPropriedadesColuna mostrada = PropriedadesColuna(cliente);
    EXPECT_FALSE(mostrada.nullable);
    EXPECT_EQ(mostrada.defaultValue, "0");
    EXPECT_TRUE(mostrada.unique);
    EXPECT_FALSE(mostrada.autoIncrement);
    EXPECT_EQ(mostrada.comment, "Who ordered");
    EXPECT_EQ(PropriedadesTabela(cliente.getTabela()).comment, "Orders placed");

    TPropriedadesColuna editada = mostrada;
    editada.nullable = true;
    editada.unique = false;
    editada.autoIncrement = true;
    editada.defaultValue = "'x'";
    editada.comment = "Line one\nline two";
    TPropriedadesTabela tabela = PropriedadesTabela(cliente.getTabela());
    tabela.comment = "Every order";
    GravaPropriedades(conjunto, "dbo.Orders", "customer_id", tabela, editada, tipos);
    EXPECT_EQ(Coluna(conjunto, "dbo.Orders", "customer_id").facts,
              (TColumnFacts{true, "'x'", false, true, "Line one\nline two"}));
    EXPECT_EQ(Coluna(conjunto, "dbo.Orders", "id").facts, TColumnFacts{});
    for (const auto& coluna : conjunto.getColunas()) {
        EXPECT_EQ(coluna->getTabela().comment,
                  coluna->getTabela().nome == "Orders" ? "Every order" : "")
            << coluna->nome;
    }
}

// The Table panel reaches every column of the table, a column whose name differs from
// another's only in letter case too, and no other table; the index answers by the new
// alias at once.
TEST(EdicaoPropriedades, TablePanelReachesEveryColumnOfTheTable) {
    TControlaColunas conjunto;
    Preenche(conjunto);
    GravaPropriedades(conjunto, "dbo.Orders", "", {"Orders", "dbo", "VIEW", "Ord"}, {}, tipos);
    for (const auto& coluna : conjunto.getColunas()) {
        const bool pedidos = coluna->getTabela().nome == "Orders";
        EXPECT_EQ(coluna->getTabela().alias, pedidos ? "Ord" : "") << coluna->nome;
        EXPECT_EQ(coluna->getTabela().tipo, pedidos ? "VIEW" : "TABLE") << coluna->nome;
    }
    const TControlaColunas& leitura = conjunto;
    EXPECT_EQ(leitura.getAliasTabelas(), TListaTextos{"Ord"});
    EXPECT_EQ(leitura.getNomesColunasAlias("Ord"), (TListaTextos{"id", "customer_id"}));

    // No table selected: nothing is written.
    GravaPropriedades(conjunto, "", "id", {"X", "", "", "X"}, {}, tipos);
    EXPECT_EQ(leitura.getNomesTabelas(), (TListaTextos{"dbo.Orders", "dbo.Customers"}));
}

// The selection is found by the names it had before the commit: a table renamed by the
// same commit still has its column written.
TEST(EdicaoPropriedades, RenameInTheSameCommitKeepsTheSelection) {
    TControlaColunas conjunto;
    Preenche(conjunto);
    TPropriedadesColuna propriedades = PropriedadesColuna(Coluna(conjunto, "dbo.Orders", "id"));
    propriedades.nome = "order_id";
    propriedades.alias = "OrderId";
    GravaPropriedades(conjunto, "dbo.Orders", "id", {"Pedidos", "sales", "TABLE", ""}, propriedades,
                      tipos);
    const TControlaColunas& leitura = conjunto;
    EXPECT_EQ(leitura.getNomesTabelas(), (TListaTextos{"sales.Pedidos", "dbo.Customers"}));
    EXPECT_EQ(Coluna(leitura, "sales.Pedidos", "order_id").alias, "OrderId");
    EXPECT_EQ(leitura.getNomesColunas("sales.Pedidos"),
              (TListaTextos{"order_id", "customer_id", "ID"}));
}

// The column's own fields, and the date/time box choosing which precision the field is.
TEST(EdicaoPropriedades, ColumnPanelAndThePrecisionSwap) {
    struct Caso {
        bool dataHora;
        std::int32_t precisao, escala;
        std::int32_t numerica, dataHoraGravada; // NUMERIC_PRECISION, DATETIME_PRECISION
    };
    const Caso casos[] = {{false, 10, 2, 10, -1}, {true, 3, -1, -1, 3}, {true, 0, 0, -1, 0}};
    for (const Caso& caso : casos) {
        TControlaColunas conjunto;
        Preenche(conjunto);
        TPropriedadesColuna propriedades;
        propriedades.nome = "id";
        propriedades.alias = "Key";
        propriedades.habilitado = false;
        propriedades.chavePrimaria = true;
        propriedades.tipoDado = "timestamp";
        propriedades.dataHora = caso.dataHora;
        propriedades.tamanho = 8;
        propriedades.precisao = caso.precisao;
        propriedades.escala = caso.escala;
        GravaPropriedades(conjunto, "dbo.Orders", "id", {"Orders", "dbo", "TABLE", ""},
                          propriedades, tipos);
        const TColuna& coluna = Coluna(conjunto, "dbo.Orders", "id");
        EXPECT_EQ(coluna.alias, "Key");
        EXPECT_FALSE(coluna.habilitado);
        EXPECT_EQ(coluna.tipoColuna, TTipoColuna::tcChavePrimaria);
        const TTipoDado& tipo = coluna.getTipoDado();
        EXPECT_EQ(tipo.nome, "timestamp");
        EXPECT_EQ(tipo.tipoOLE, 135);
        EXPECT_EQ(tipo.tamanho, 8);
        EXPECT_EQ(tipo.precisao, caso.numerica);
        EXPECT_EQ(tipo.precisaoDataHora, caso.dataHoraGravada);
        EXPECT_EQ(tipo.escala, caso.escala);
        // The other column of the same name in another letter case is left alone.
        EXPECT_TRUE(Coluna(conjunto, "dbo.Orders", "ID").alias.empty());
    }
}

// The foreign link through every transition of the Foreign Key box.
TEST(EdicaoPropriedades, ForeignKeyTransitions) {
    struct Caso {
        const char* nome;
        bool era;                 // the column was a foreign key
        bool tinhaReferida;       // and held a referenced column (dbo.Old.ref)
        bool agora;               // the box as committed
        const char* tabela;       // foreign table field
        const char* coluna;       // foreign column field
        bool referida;            // a referenced column afterwards
        const char* esquema = ""; // its table's schema, name, its name and alias
        const char* nomeTabela = "";
        const char* nomeColuna = "";
        const char* alias = "";
    };
    const Caso casos[] = {
        {"stays: renamed", true, true, true, "dbo.Customers", "id", true, "dbo", "Customers", "id",
         ""},
        {"stays: unnamed gains none", true, false, true, "", "", false},
        {"stays: named gains one", true, false, true, "sales.People", "pid", true, "sales",
         "People", "pid", ""},
        {"stays: name without schema", true, true, true, "People", "pid", true, "", "People", "pid",
         ""},
        {"stays: first dot splits", true, true, true, "a.b.c", "x", true, "a", "b.c", "x", ""},
        {"no longer a key", true, true, false, "dbo.Customers", "id", false},
        {"becomes one: copies the named column", false, false, true, "dbo.Customers", "id", true,
         "dbo", "Customers", "id", "CustId"},
        {"becomes one: copy replaces an old one", false, true, true, "dbo.Customers", "id", true,
         "dbo", "Customers", "id", "CustId"},
        {"becomes one: unknown names give an empty one", false, true, true, "dbo.Nobody", "id",
         true, "", "", "", ""},
        {"never one: untouched", false, true, false, "dbo.Customers", "id", true, "dbo", "Old",
         "ref", ""},
    };
    for (const Caso& caso : casos) {
        TControlaColunas conjunto;
        Preenche(conjunto);
        conjunto.AlteraColuna(1, [&caso](TColuna& coluna) {
            coluna.chaveEstrangeira = caso.era;
            if (caso.tinhaReferida) {
                coluna.CriaColunaEstrangeira();
                coluna.getColunaEstrangeira()->nome = "ref";
                coluna.getColunaEstrangeira()->getTabela().esquema = "dbo";
                coluna.getColunaEstrangeira()->getTabela().nome = "Old";
            }
        });
        TPropriedadesColuna propriedades =
            PropriedadesColuna(Coluna(conjunto, "dbo.Orders", "customer_id"));
        propriedades.chaveEstrangeira = caso.agora;
        propriedades.tabelaEstrangeira = caso.tabela;
        propriedades.colunaEstrangeira = caso.coluna;
        GravaPropriedades(conjunto, "dbo.Orders", "customer_id", {"Orders", "dbo", "TABLE", ""},
                          propriedades, tipos);
        const TColuna& coluna = Coluna(conjunto, "dbo.Orders", "customer_id");
        EXPECT_EQ(coluna.chaveEstrangeira, caso.agora) << caso.nome;
        const TColuna* referida = coluna.getColunaEstrangeira();
        ASSERT_EQ(referida != nullptr, caso.referida) << caso.nome;
        if (!referida)
            continue;
        EXPECT_EQ(referida->getTabela().esquema, caso.esquema) << caso.nome;
        EXPECT_EQ(referida->getTabela().nome, caso.nomeTabela) << caso.nome;
        EXPECT_EQ(referida->nome, caso.nomeColuna) << caso.nome;
        EXPECT_EQ(referida->alias, caso.alias) << caso.nome;
    }
}

} // namespace
} // namespace fendril

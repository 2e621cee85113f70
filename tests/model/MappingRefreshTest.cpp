#include "model/MappingRefresh.h"

#include <gtest/gtest.h>

namespace fendril {
namespace {

// A column as these tests write it: table and name, then what differs from an integer
// column that may be null.
struct C {
    std::string tabela;
    std::string nome;
    std::string tipo = "integer";
    std::int32_t tamanho = -1;
    std::int32_t precisao = -1;
    bool pk = false;
    std::string fk{}; // "table.column"
    bool nullable = true;
    std::string padrao{};
    std::string alias{};
    bool habilitado = true;
    std::string comentarioTabela{};
    THandSetProperties manuais{};
    std::string aliasTabela{};
};

std::unique_ptr<TControlaColunas> Conjunto(const std::vector<C>& colunas) {
    auto conjunto = std::make_unique<TControlaColunas>(colunas.size());
    for (std::size_t i = 0; i < colunas.size(); ++i) {
        const C& c = colunas[i];
        TColuna& coluna = *conjunto->getColunas()[i];
        coluna.getTabela().nome = c.tabela;
        coluna.getTabela().tipo = "TABLE";
        coluna.getTabela().alias = c.aliasTabela;
        coluna.getTabela().comment = c.comentarioTabela;
        coluna.getTabela().getBaseDados().nome = "main";
        coluna.nome = c.nome;
        coluna.alias = c.alias;
        coluna.habilitado = c.habilitado;
        coluna.setChavePrimaria(c.pk ? 1 : 0);
        coluna.getTipoDado() = {c.tipo, c.tamanho, c.precisao, -1, 3, -1, "1"};
        if (!c.fk.empty()) {
            coluna.chaveEstrangeira = true;
            coluna.CriaColunaEstrangeira();
            const auto [tabela, nome] = SeparaNomeCompleto(c.fk);
            coluna.getColunaEstrangeira()->getTabela().nome = tabela;
            coluna.getColunaEstrangeira()->nome = nome;
        }
        coluna.facts.nullable = c.nullable;
        coluna.facts.defaultValue = c.padrao;
        coluna.handSet = c.manuais;
    }
    return conjunto;
}

std::vector<std::string> Linhas(const TRefreshChanges& mudancas) {
    std::vector<std::string> linhas;
    for (const TRefreshChange& mudanca : mudancas) {
        linhas.push_back(mudanca.FullText());
    }
    return linhas;
}

TRefreshChanges Compara(const TControlaColunas& mapa, const TControlaColunas& banco) {
    return CompareMapping(mapa, MappedTables(mapa), banco, MappedTables(banco));
}

// One column per line: table, name, alias, enabled, then the properties as a refresh sees
// them; and the hand-set ones.
std::vector<std::string> Descreve(const TControlaColunas& conjunto) {
    std::vector<std::string> linhas;
    for (const auto& coluna : conjunto.getColunas()) {
        std::string linha = coluna->getTabela().getNomeCompleto() + "." + coluna->nome + " [" +
                            coluna->alias + "]" + (coluna->habilitado ? "" : " off");
        for (const TColumnProperty property : kColumnProperties) {
            linha += " " + PropertyValue(*coluna, property);
        }
        for (const auto& [property, valor] : coluna->handSet) {
            linha += " manual:" + std::string(PropertyKey(property)) + "=" + valor;
        }
        linhas.push_back(linha);
    }
    return linhas;
}

struct Caso {
    const char* nome;
    std::vector<C> mapa;
    std::vector<C> banco;
    std::vector<std::string> mudancas;
};

class Comparacao : public testing::TestWithParam<Caso> {};

TEST_P(Comparacao, ListsExactlyTheChanges) {
    const Caso& caso = GetParam();
    const auto mapa = Conjunto(caso.mapa);
    const auto banco = Conjunto(caso.banco);
    EXPECT_EQ(Linhas(Compara(*mapa, *banco)), caso.mudancas);
    // Applied, the mapping says what the database says, but for what people decided.
    const auto aplicado = ApplyRefresh(*mapa, *banco, Compara(*mapa, *banco));
    for (const TRefreshChange& resto : Compara(*aplicado, *banco)) {
        EXPECT_TRUE(resto.kind == TChangeKind::columnPropertyKept ||
                    resto.kind == TChangeKind::tableCommentKept)
            << resto.FullText();
    }
}

const std::vector<C> kPedidos = {
    {.tabela = "orders", .nome = "id", .pk = true, .nullable = false},
    {.tabela = "orders", .nome = "customer_id", .fk = "customers.id"},
    {.tabela = "orders", .nome = "total", .tipo = "numeric", .precisao = 10},
    {.tabela = "orders", .nome = "status", .tipo = "text", .padrao = "'new'"},
};

std::vector<C> Com(std::vector<C> colunas, const std::function<void(std::vector<C>&)>& muda) {
    muda(colunas);
    return colunas;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Comparacao,
    testing::Values(
        Caso{"unchanged", kPedidos, kPedidos, {}},
        Caso{"columnAddedAndDropped",
             Com(kPedidos, [](auto& c) { c[3].alias = "State"; }),
             Com(kPedidos,
                 [](auto& c) {
                     c.erase(c.begin() + 3);
                     c.push_back({.tabela = "orders", .nome = "placed", .tipo = "date"});
                     c.push_back({.tabela = "orders", .nome = "note", .tipo = "text"});
                 }),
             {"Table \"orders\": Column \"placed\": Added (date)",
              "Table \"orders\": Column \"note\": Added (text)",
              "Table \"orders\": Column \"status\": Dropped (Alias \"State\")"}},
        Caso{"likelyRename",
             kPedidos,
             Com(kPedidos, [](auto& c) { c[3].nome = "state"; }),
             {"Table \"orders\": Column \"state\": Added (text)",
              "Table \"orders\": Column \"status\": Dropped",
              "Table \"orders\": Column \"status\": Likely Renamed To \"state\" (Same Type And "
              "Position); Not Applied As A Rename"}},
        Caso{"notARenameWhenTheTypeDiffers",
             kPedidos,
             Com(kPedidos,
                 [](auto& c) {
                     c[3].nome = "state";
                     c[3].tipo = "integer";
                     c[3].padrao = "";
                 }),
             {"Table \"orders\": Column \"state\": Added (integer)",
              "Table \"orders\": Column \"status\": Dropped"}},
        Caso{"moved",
             kPedidos,
             Com(kPedidos, [](auto& c) { std::rotate(c.begin() + 1, c.begin() + 2, c.end()); }),
             {"Table \"orders\": Column \"customer_id\": Moved From Position 2 To 4"}},
        Caso{"typeSizesAndKeys",
             kPedidos,
             Com(kPedidos,
                 [](auto& c) {
                     c[0].pk = false;
                     c[1].pk = true;
                     c[1].fk = "clients.id";
                     c[2].tipo = "money";
                     c[2].precisao = 12;
                     c[3].fk = "states.code";
                 }),
             {"Table \"orders\": Column \"id\": Primary Key Yes -> No",
              "Table \"orders\": Column \"customer_id\": Primary Key No -> Yes",
              "Table \"orders\": Column \"customer_id\": Foreign Key customers.id -> clients.id",
              "Table \"orders\": Column \"total\": Type numeric -> money",
              "Table \"orders\": Column \"total\": Precision 10 -> 12",
              "Table \"orders\": Column \"status\": Foreign Key None -> states.code"}},
        Caso{"facts",
             kPedidos,
             Com(kPedidos,
                 [](auto& c) {
                     c[3].nullable = false;
                     c[3].padrao = "'open'";
                 }),
             {"Table \"orders\": Column \"status\": Nullable Yes -> No",
              "Table \"orders\": Column \"status\": Default \"'new'\" -> \"'open'\""}},
        Caso{"handSetStaysWhileTheDatabaseSaysTheSame",
             Com(kPedidos,
                 [](auto& c) {
                     c[3].padrao = "'mine'";
                     c[3].manuais = {{TColumnProperty::defaultValue, "'new'"}};
                 }),
             kPedidos,
             {}},
        Caso{"handSetReportedWhenTheDatabaseChangesIt",
             Com(kPedidos,
                 [](auto& c) {
                     c[3].padrao = "'mine'";
                     c[3].manuais = {{TColumnProperty::defaultValue, "'new'"}};
                 }),
             Com(kPedidos, [](auto& c) { c[3].padrao = "'open'"; }),
             {"Table \"orders\": Column \"status\": Default Set By Hand Kept (\"'mine'\"); The "
              "Database Changed It From \"'new'\" To \"'open'\""}},
        Caso{
            "tablesAddedAndDropped",
            Com(kPedidos,
                [](auto& c) {
                    c.push_back({.tabela = "legacy", .nome = "id", .aliasTabela = "Old"});
                }),
            Com(kPedidos,
                [](auto& c) {
                    c.push_back({.tabela = "invoices", .nome = "id"});
                    c.push_back({.tabela = "invoices", .nome = "order_id"});
                }),
            {"Table \"legacy\": Dropped (Alias \"Old\")", "Table \"invoices\": Added (2 Columns)"}},
        Caso{"tableComment",
             kPedidos,
             Com(kPedidos,
                 [](auto& c) {
                     for (C& coluna : c)
                         coluna.comentarioTabela = "Orders\nplaced";
                 }),
             {"Table \"orders\": Comment \"\" -> \"Orders\\nplaced\""}}),
    [](const testing::TestParamInfo<Caso>& caso) { return std::string(caso.param.nome); });

// Applying keeps what people decided: aliases, enabled flags, values set by hand (whose
// database value is taken note of), and the places of the other tables' columns.
TEST(MappingRefresh, ApplyingKeepsEditsAndTheOtherTables) {
    std::vector<C> mapa = kPedidos;
    mapa[1].alias = "CustomerId";
    mapa[2].habilitado = false;
    mapa[3].padrao = "'mine'";
    mapa[3].manuais = {{TColumnProperty::defaultValue, "'new'"}};
    // Another table's column between those of orders.
    mapa.insert(mapa.begin() + 2, C{.tabela = "customers", .nome = "id", .alias = "Id"});
    std::vector<C> banco = kPedidos;
    banco[2].tipo = "money";
    banco[3].padrao = "'open'";
    banco.insert(banco.begin() + 1, C{.tabela = "orders", .nome = "placed", .tipo = "date"});
    banco.push_back({.tabela = "customers", .nome = "id"});

    const auto antes = Conjunto(mapa);
    const auto atual = Conjunto(banco);
    const TRefreshChanges mudancas = Compara(*antes, *atual);
    ASSERT_EQ(Linhas(mudancas),
              (std::vector<std::string>{
                  "Table \"orders\": Column \"placed\": Added (date)",
                  "Table \"orders\": Column \"total\": Type numeric -> money",
                  "Table \"orders\": Column \"status\": Default Set By Hand Kept (\"'mine'\"); "
                  "The Database Changed It From \"'new'\" To \"'open'\""}));
    const auto depois = ApplyRefresh(*antes, *atual, mudancas);
    EXPECT_EQ(Descreve(*depois),
              (std::vector<std::string>{
                  "orders.id [] integer -1 -1 -1 -1 1  0 0 0  ",
                  "orders.placed [] date -1 -1 -1 -1 0  1 0 0  ",
                  "orders.customer_id [CustomerId] integer -1 -1 -1 -1 0 customers.id 1 0 0  ",
                  "orders.total [] off money -1 10 -1 -1 0  1 0 0  ",
                  "orders.status [] text -1 -1 -1 -1 0  1 0 0 'mine'  manual:default='open'",
                  "customers.id [Id] integer -1 -1 -1 -1 0  1 0 0  "}));
    // Nothing is left to do.
    EXPECT_TRUE(Compara(*depois, *atual).empty());
}

// Only the ticked changes are applied: an unticked drop keeps the column, an unticked add
// leaves it out, an unticked move keeps the order, an unticked table stays.
TEST(MappingRefresh, OnlyTheChosenChangesAreApplied) {
    std::vector<C> mapa = kPedidos;
    mapa.push_back({.tabela = "legacy", .nome = "id"});
    std::vector<C> banco = kPedidos;
    std::swap(banco[1], banco[2]);
    banco[3].nome = "state";
    banco[0].nullable = true;
    const auto antes = Conjunto(mapa);
    const auto atual = Conjunto(banco);
    const TRefreshChanges mudancas = Compara(*antes, *atual);
    ASSERT_EQ(Linhas(mudancas),
              (std::vector<std::string>{
                  "Table \"orders\": Column \"id\": Nullable No -> Yes",
                  "Table \"orders\": Column \"customer_id\": Moved From Position 2 To 3",
                  "Table \"orders\": Column \"state\": Added (text)",
                  "Table \"orders\": Column \"status\": Dropped",
                  "Table \"orders\": Column \"status\": Likely Renamed To \"state\" (Same Type "
                  "And Position); Not Applied As A Rename",
                  "Table \"legacy\": Dropped"}));
    EXPECT_FALSE(mudancas[4].applicable);

    const std::vector<std::string> original = Descreve(*antes);
    // Nothing ticked: the same mapping.
    EXPECT_EQ(Descreve(*ApplyRefresh(*antes, *atual, mudancas,
                                     std::vector<bool>(mudancas.size(), false))),
              original);
    // The nullable change and the add only: the added column follows the one the database
    // puts before it.
    const auto depois =
        ApplyRefresh(*antes, *atual, mudancas, {true, false, true, false, true, false});
    EXPECT_EQ(Descreve(*depois),
              (std::vector<std::string>{
                  "orders.id [] integer -1 -1 -1 -1 1  1 0 0  ",
                  "orders.customer_id [] integer -1 -1 -1 -1 0 customers.id 1 0 0  ",
                  "orders.state [] text -1 -1 -1 -1 0  1 0 0 'new' ",
                  "orders.total [] numeric -1 10 -1 -1 0  1 0 0  ",
                  "orders.status [] text -1 -1 -1 -1 0  1 0 0 'new' ",
                  "legacy.id [] integer -1 -1 -1 -1 0  1 0 0  "}));
    // Everything: the database's order.
    EXPECT_EQ(Descreve(*ApplyRefresh(*antes, *atual, mudancas)),
              (std::vector<std::string>{
                  "orders.id [] integer -1 -1 -1 -1 1  1 0 0  ",
                  "orders.total [] numeric -1 10 -1 -1 0  1 0 0  ",
                  "orders.customer_id [] integer -1 -1 -1 -1 0 customers.id 1 0 0  ",
                  "orders.state [] text -1 -1 -1 -1 0  1 0 0 'new' "}));
}

// A column added to a table takes the mapping's table record; the table's comment from the
// database reaches every copy, unless it was set by hand.
TEST(MappingRefresh, AddedColumnsTakeTheMappingsTable) {
    std::vector<C> mapa = {{.tabela = "t", .nome = "a", .aliasTabela = "Tee"}};
    std::vector<C> banco = {{.tabela = "t", .nome = "a", .comentarioTabela = "new"},
                            {.tabela = "t", .nome = "b", .comentarioTabela = "new"}};
    const auto antes = Conjunto(mapa);
    const auto atual = Conjunto(banco);
    const auto depois = ApplyRefresh(*antes, *atual, Compara(*antes, *atual));
    for (const auto& coluna : depois->getColunas()) {
        EXPECT_EQ(coluna->getTabela().alias, "Tee");
        EXPECT_EQ(coluna->getTabela().comment, "new");
    }

    // Marked before the change, as the window's commit does.
    MarkHandSetComment(antes->getColunas()[0]->getTabela());
    antes->getColunas()[0]->getTabela().comment = "mine";
    const TRefreshChanges mudancas = Compara(*antes, *atual);
    ASSERT_EQ(Linhas(mudancas),
              (std::vector<std::string>{
                  "Table \"t\": Comment Set By Hand Kept (\"mine\"); The Database Changed It "
                  "From \"\" To \"new\"",
                  "Table \"t\": Column \"b\": Added (integer)"}));
    const auto mantido = ApplyRefresh(*antes, *atual, mudancas);
    for (const auto& coluna : mantido->getColunas()) {
        EXPECT_EQ(coluna->getTabela().comment, "mine");
        EXPECT_EQ(coluna->getTabela().handSetComment, "new");
    }
    EXPECT_TRUE(Compara(*mantido, *atual).empty());
}

TEST(MappingRefresh, ValuesAndKeysOfProperties) {
    const auto conjunto = Conjunto({{.tabela = "t", .nome = "a", .fk = "s.u.id"}});
    const TColuna& coluna = *conjunto->getColunas()[0];
    EXPECT_EQ(PropertyValue(coluna, TColumnProperty::foreignKey), "s.u.id");
    EXPECT_EQ(PropertyValue(coluna, TColumnProperty::nullable), "1");
    for (const TColumnProperty property : kColumnProperties) {
        EXPECT_EQ(PropertyFromKey(PropertyKey(property)), property);
    }
    EXPECT_EQ(PropertyFromKey("colour"), std::nullopt);
    TColuna semReferida;
    semReferida.chaveEstrangeira = true;
    EXPECT_EQ(PropertyValue(semReferida, TColumnProperty::foreignKey), "?");
}

TEST(MappingRefresh, TheCommandLineGroupsByTable) {
    const auto antes = Conjunto({{.tabela = "a", .nome = "x"}, {.tabela = "b", .nome = "y"}});
    const auto atual = Conjunto({{.tabela = "a", .nome = "x", .tipo = "text"},
                                 {.tabela = "a", .nome = "z"},
                                 {.tabela = "b", .nome = "y", .nullable = false}});
    EXPECT_EQ(ChangesText(Compara(*antes, *atual)), "Table \"a\":\n"
                                                    "    Column \"x\": Type integer -> text\n"
                                                    "    Column \"z\": Added (integer)\n"
                                                    "Table \"b\":\n"
                                                    "    Column \"y\": Nullable Yes -> No\n");
    EXPECT_EQ(ChangesText({}), "");
}

} // namespace
} // namespace fendril

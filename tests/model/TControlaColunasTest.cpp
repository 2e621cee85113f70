#include "model/TControlaColunas.h"

#include "model/Erros.h"

#include <gtest/gtest.h>
#include <utility>

namespace fendril {
namespace {

struct Col {
    const char* esquema;
    const char* tabela;
    const char* coluna;
    const char* alias = "";
};

// A set holding one column per entry, in order.
void Preenche(TControlaColunas& conjunto, std::initializer_list<Col> colunas) {
    conjunto.Redimensiona(colunas.size());
    std::size_t i = 0;
    for (const Col& c : colunas) {
        TColuna& coluna = *conjunto.getColunas()[i++];
        coluna.getTabela().esquema = c.esquema;
        coluna.getTabela().nome = c.tabela;
        coluna.getTabela().alias = c.alias;
        coluna.nome = c.coluna;
    }
}

TEST(TControlaColunas, EmptySetAnswersEmpty) {
    TControlaColunas conjunto;
    EXPECT_EQ(conjunto.quantidade(), 0u);
    EXPECT_TRUE(conjunto.getNomesTabelas().empty());
    EXPECT_TRUE(conjunto.getAliasTabelas().empty());
    EXPECT_TRUE(conjunto.getNomesColunas("").empty());
    EXPECT_TRUE(conjunto.getNomesColunasAlias("").empty());
    EXPECT_EQ(conjunto.getColuna("a", "b"), nullptr);
    EXPECT_EQ(conjunto.getTabela("a"), nullptr);
    conjunto.RemoveTabela("a");
    EXPECT_EQ(conjunto.quantidade(), 0u);
}

TEST(TControlaColunas, CreateWithNHoldsNewColumns) {
    const TControlaColunas conjunto(3);
    ASSERT_EQ(conjunto.getColunas().size(), 3u);
    EXPECT_TRUE(conjunto.getColunas()[2]->habilitado);
}

TEST(TControlaColunas, TablesInOrderOfFirstAppearance) {
    TControlaColunas conjunto;
    Preenche(conjunto, {{"dbo", "A", "x"}, {"dbo", "B", "y"}, {"dbo", "A", "z"}});
    EXPECT_EQ(conjunto.getNomesTabelas(), (TListaTextos{"dbo.A", "dbo.B"}));
    EXPECT_EQ(conjunto.getNomesColunas("dbo.A"), (TListaTextos{"x", "z"}));
}

TEST(TControlaColunas, DistinctListsIgnoreCaseButSelectionsAreExact) {
    TControlaColunas conjunto;
    Preenche(conjunto, {{"dbo", "Customers", "id", "Cli"},
                        {"dbo", "CUSTOMERS", "name", "CLI"},
                        {"dbo", "Customers", "ID"}});
    EXPECT_EQ(conjunto.getNomesTabelas(), (TListaTextos{"dbo.Customers"}));
    EXPECT_EQ(conjunto.getAliasTabelas(), (TListaTextos{"Cli"}));
    EXPECT_EQ(conjunto.getNomesColunas("dbo.Customers"), (TListaTextos{"id"}));
    EXPECT_EQ(conjunto.getNomesColunas("dbo.CUSTOMERS"), (TListaTextos{"name"}));
    const TTabela* segunda = conjunto.getTabela("dbo.CUSTOMERS");
    ASSERT_NE(segunda, nullptr);
    EXPECT_EQ(segunda->nome, "CUSTOMERS");
    EXPECT_EQ(conjunto.getNomesColunasAlias("CLI"), (TListaTextos{"name"}));
    EXPECT_EQ(conjunto.getNomesColunasAlias(""), (TListaTextos{"id", "name"}));
}

TEST(TControlaColunas, ColumnsOfATableAreTheFirstOfEachNameWhateverTheirNumber) {
    // Short tables and long ones are told apart by different means; both keep the first
    // column of each name, letter case (ASCII and two-byte UTF-8) ignored.
    for (const std::size_t quantas : {std::size_t{5}, std::size_t{32}, std::size_t{33},
                                      std::size_t{100}}) {
        TControlaColunas conjunto;
        conjunto.Redimensiona(quantas);
        TListaTextos esperados;
        for (std::size_t i = 0; i < quantas; ++i) {
            TColuna& coluna = *conjunto.getColunas()[i];
            coluna.getTabela().nome = "T";
            if (i % 4 == 3) {
                // Repeats the name two columns back in other letters.
                coluna.nome = i % 8 == 3 ? "COL" + std::to_string(i - 2) : "\xC3\x89t" + std::to_string(i - 2);
            } else {
                coluna.nome = i % 8 == 5 ? "\xC3\xA9t" + std::to_string(i) : "col" + std::to_string(i);
                esperados.push_back(coluna.nome);
            }
        }
        const TControlaColunas& leitura = conjunto;
        TListaTextos nomes;
        for (const TColuna* coluna : leitura.getColunasDaTabela("T")) {
            nomes.push_back(coluna->nome);
        }
        EXPECT_EQ(nomes, esperados) << quantas << " columns";
        TListaTextos porPosicao;
        for (const std::size_t i : leitura.PosicoesPorTabela()) {
            porPosicao.push_back(leitura.getColunas()[i]->nome);
        }
        EXPECT_EQ(porPosicao, esperados) << quantas << " columns";
    }
}

TEST(TControlaColunas, GetColunaFindsTheFirstOccurrence) {
    TControlaColunas conjunto;
    Preenche(conjunto, {{"", "T", "a", "first"}, {"", "T", "a", "second"}});
    const TControlaColunas& leitura = conjunto;
    ASSERT_NE(leitura.getColuna("T", "a"), nullptr);
    EXPECT_EQ(leitura.getColuna("T", "a")->getTabela().alias, "first");
    EXPECT_EQ(leitura.getColuna("T", "A"), nullptr);
    EXPECT_EQ(leitura.getNomesColunas("T"), (TListaTextos{"a"}));
}

TEST(TControlaColunas, NamelessTableIsNotListedButItsColumnIs) {
    TControlaColunas conjunto;
    Preenche(conjunto, {{"", "", "orphan"}, {"", "T", ""}});
    EXPECT_EQ(conjunto.getNomesTabelas(), (TListaTextos{"T"}));
    EXPECT_EQ(conjunto.getNomesColunas(""), (TListaTextos{"orphan", ""}));
}

TEST(TControlaColunas, RemoveTabelaRemovesExactlyThatTable) {
    TControlaColunas conjunto;
    Preenche(conjunto, {{"dbo", "Orders", "a"},
                        {"", "Orders", "b"},
                        {"dbo", "Orders", "c"},
                        {"dbo", "Items", "d"}});
    conjunto.RemoveTabela("dbo.Orders");
    EXPECT_EQ(conjunto.getNomesTabelas(), (TListaTextos{"Orders", "dbo.Items"}));
    EXPECT_EQ(conjunto.getNomesColunas(""), (TListaTextos{"b", "d"}));
    conjunto.RemoveTabela("Unknown");
    EXPECT_EQ(conjunto.quantidade(), 2u);
    conjunto.RemoveTabela("Orders");
    conjunto.RemoveTabela("dbo.Items");
    EXPECT_EQ(conjunto.quantidade(), 0u);
}

TEST(TControlaColunas, ChangesThroughTheLiveArrayAreSeenByLaterQuestions) {
    TControlaColunas conjunto;
    Preenche(conjunto, {{"", "T", "a"}});
    EXPECT_TRUE(conjunto.getAliasTabelas().empty());
    conjunto.getColunas()[0]->getTabela().alias = "Tee";
    conjunto.getColunas()[0]->alias = "Ay";
    EXPECT_EQ(conjunto.getColuna("T", "a")->alias, "Ay");
    EXPECT_EQ(conjunto.getAliasTabelas(), (TListaTextos{"Tee"}));

    // A record handed out by getTabela may be renamed too.
    conjunto.getTabela("T")->nome = "U";
    EXPECT_EQ(conjunto.getNomesTabelas(), (TListaTextos{"U"}));
}

// Positions name the columns the lookups answer with, and stay valid across edits.
TEST(TControlaColunas, PositionsOfATableAndOfAColumn) {
    TControlaColunas conjunto;
    Preenche(conjunto, {{"dbo", "A", "x"}, {"dbo", "B", "y"}, {"dbo", "A", "z"}});
    EXPECT_EQ(conjunto.PosicoesDaTabela("dbo.A"), (std::vector<std::size_t>{0, 2}));
    EXPECT_TRUE(conjunto.PosicoesDaTabela("dbo.a").empty());
    EXPECT_EQ(conjunto.PosicaoDaColuna("dbo.A", "z"), std::optional<std::size_t>(2));
    EXPECT_EQ(conjunto.PosicaoDaColuna("dbo.A", "y"), std::nullopt);
}

// An edit through AlteraColuna is answered at once, whatever it touched: the index follows
// a new name or alias by itself.
TEST(TControlaColunas, AlteraColunaKeepsTheIndexCoherent) {
    TControlaColunas conjunto;
    Preenche(conjunto, {{"", "T", "a"}, {"", "T", "b"}});
    const TControlaColunas& leitura = conjunto;
    EXPECT_EQ(leitura.getNomesTabelas(), (TListaTextos{"T"}));
    conjunto.AlteraColuna(1, [](TColuna& coluna) { coluna.habilitado = false; });
    EXPECT_FALSE(leitura.getColuna("T", "b")->habilitado);
    conjunto.AlteraColuna(0, [](TColuna& coluna) {
        coluna.nome = "c";
        coluna.getTabela().alias = "Tee";
    });
    EXPECT_EQ(leitura.getColuna("T", "a"), nullptr);
    EXPECT_EQ(leitura.PosicaoDaColuna("T", "c"), std::optional<std::size_t>(0));
    EXPECT_EQ(leitura.getAliasTabelas(), (TListaTextos{"Tee"}));
    conjunto.AlteraColuna(1, [](TColuna& coluna) { coluna.getTabela().esquema = "s"; });
    EXPECT_EQ(leitura.getNomesTabelas(), (TListaTextos{"T", "s.T"}));
    EXPECT_THROW(conjunto.AlteraColuna(2, [](TColuna&) {}), EListError);

    // The foreign keys by referenced table follow the enabled flag and the foreign link.
    EXPECT_TRUE(leitura.getColunasQueReferenciam("R").empty());
    conjunto.AlteraColuna(1, [](TColuna& coluna) {
        coluna.habilitado = true;
        coluna.chaveEstrangeira = true;
        coluna.CriaColunaEstrangeira();
        coluna.getColunaEstrangeira()->getTabela().nome = "R";
    });
    EXPECT_EQ(leitura.getColunasQueReferenciam("R").size(), 1u);
    conjunto.AlteraColuna(1, [](TColuna& coluna) { coluna.habilitado = false; });
    EXPECT_TRUE(leitura.getColunasQueReferenciam("R").empty());
}

TEST(TControlaColunas, CarregaLinhasAndCopiaColunasMakeDeepCopies) {
    TControlaColunas origem;
    Preenche(origem, {{"dbo", "A", "x"}, {"", "B", "y"}});
    TListaTextos linhas;
    for (const auto& coluna : origem.getColunas()) {
        linhas.push_back(coluna->Codifica());
    }
    TControlaColunas carregado(2);
    carregado.CarregaLinhas(linhas);
    TControlaColunas copiado(2);
    copiado.CopiaColunas(origem.getColunas());
    origem.getColunas()[0]->nome = "changed";
    for (const TControlaColunas* conjunto : {&carregado, &copiado}) {
        EXPECT_EQ(conjunto->getNomesTabelas(), (TListaTextos{"dbo.A", "B"}));
        EXPECT_EQ(conjunto->getColunas()[0]->Codifica(), linhas[0]);
    }
}

// Columns read one after another with the same table share its record; a change through
// one column's getTabela stays with that column, one through getTabelaCompartilhada
// reaches all that share it, and neither changes what the lines encode for the others.
TEST(TControlaColunas, ColumnsOfATableShareItsRecordUntilOneChangesIt) {
    TControlaColunas origem;
    Preenche(origem, {{"dbo", "A", "x", "aa"},
                      {"dbo", "A", "y", "aa"},
                      {"dbo", "A", "z", "other"},
                      {"dbo", "A", "w", "other"}});
    TListaTextos linhas;
    for (const auto& coluna : origem.getColunas()) {
        linhas.push_back(coluna->Codifica());
    }
    TControlaColunas carregado(4);
    carregado.CarregaLinhas(linhas);
    const auto& colunas = std::as_const(carregado).getColunas();
    const auto tabela = [&colunas](std::size_t i) {
        return &std::as_const(*colunas[i]).getTabela();
    };
    EXPECT_EQ(tabela(0), tabela(1));
    EXPECT_NE(tabela(1), tabela(2)); // another alias: not the same record
    EXPECT_EQ(tabela(2), tabela(3));
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        EXPECT_EQ(colunas[i]->Codifica(), linhas[i]);
    }
    TColuna::TTabelaCodificada lidas;
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        EXPECT_EQ(std::as_const(*colunas[i]).Codifica(lidas), linhas[i]);
    }

    colunas[1]->getTabela().alias = "changed";
    EXPECT_EQ(tabela(0)->alias, "aa");
    EXPECT_EQ(colunas[0]->Codifica(), linhas[0]);
    EXPECT_EQ(tabela(1)->alias, "changed");

    colunas[2]->getTabelaCompartilhada().comment = "both";
    EXPECT_EQ(tabela(3)->comment, "both");
    EXPECT_EQ(tabela(0)->comment, "");

    // Reading a line again over a column that shares its record leaves the other alone.
    colunas[3]->Decodifica(linhas[0]);
    EXPECT_EQ(tabela(2)->alias, "other");
    EXPECT_EQ(tabela(3)->alias, "aa");

    // Encoding the set in order, a shared record once, gives each column's own encoding,
    // a referenced column's included.
    colunas[3]->chaveEstrangeira = true;
    colunas[3]->CopiaColunaEstrangeira(*colunas[0]);
    TColuna::TTabelaCodificada anterior;
    for (const auto& coluna : colunas) {
        EXPECT_EQ(std::as_const(*coluna).Codifica(anterior), coluna->Codifica());
    }
}

TEST(TControlaColunas, TablesHiddenByLetterCaseAreNamed) {
    TControlaColunas conjunto;
    Preenche(conjunto, {{"public", "Users", "id"},
                        {"public", "users", "id"},
                        {"public", "USERS", "x"},
                        {"public", "users", "name"},
                        {"public", "orders", "id"}});
    EXPECT_EQ(conjunto.getNomesTabelas(), (TListaTextos{"public.Users", "public.orders"}));
    using Par = std::pair<std::string, std::string>;
    EXPECT_EQ(conjunto.getTabelasOcultas(), (std::vector<Par>{{"public.users", "public.Users"},
                                                              {"public.USERS", "public.Users"}}));
    EXPECT_EQ(conjunto.AvisosTabelasOcultas().front(),
              "Table \"public.users\" Is Left Out: Its Name Differs From \"public.Users\" Only "
              "In Letter Case");
}

TEST(TControlaColunas, ALineThatDoesNotDecodeIsNamed) {
    TColuna boa;
    boa.nome = "id";
    boa.getTabela().nome = "orders";
    std::string ruim = boa.Codifica();
    ruim.replace(ruim.find("=>0=>0=>"), 8, "=>z=>0=>");
    TControlaColunas conjunto(2);
    try {
        conjunto.CarregaLinhas({boa.Codifica(), ruim});
        FAIL() << "a damaged line was read";
    } catch (const EColunaIlegivel& erro) {
        EXPECT_EQ(erro.indice(), 1u);
        EXPECT_EQ(erro.nomes().tabela, "orders");
        EXPECT_EQ(erro.nomes().coluna, "id");
        EXPECT_EQ(std::string(erro.what())
                      .rfind("Column Line 2 (Table \"orders\", Column \"id\") "
                             "Could Not Be Read: ",
                             0),
                  0u)
            << erro.what();
    }
}

// Lines added one by one (as a mapping is opened) share records as loaded ones do; a column
// shares the record before it only while that record agrees on what lines do not carry.
TEST(TControlaColunas, ColumnsAddedFromLinesShareRecordsLikeLoadedOnes) {
    TControlaColunas origem;
    Preenche(origem, {{"dbo", "A", "x", "aa"}, {"dbo", "A", "y", "aa"}, {"dbo", "A", "z", "aa"}});
    TListaTextos linhas;
    for (const auto& coluna : origem.getColunas()) {
        linhas.push_back(coluna->Codifica());
    }
    TControlaColunas lido;
    TColuna::TTabelaLida anterior;
    lido.AcrescentaLinha(linhas[0], anterior);
    lido.AcrescentaLinha(linhas[1], anterior);
    lido.getColunas()[1]->getTabelaCompartilhada().comment = "set by hand";
    lido.AcrescentaLinha(linhas[2], anterior);
    const auto& colunas = std::as_const(lido).getColunas();
    ASSERT_EQ(colunas.size(), 3u);
    const auto tabela = [&colunas](std::size_t i) {
        return &std::as_const(*colunas[i]).getTabela();
    };
    EXPECT_EQ(tabela(0), tabela(1));
    EXPECT_NE(tabela(1), tabela(2));
    EXPECT_EQ(tabela(2)->comment, "");
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        EXPECT_EQ(colunas[i]->Codifica(), linhas[i]);
    }

    std::string ruim = linhas[0];
    ruim.replace(ruim.find("=>0=>0=>"), 8, "=>z=>0=>");
    try {
        lido.AcrescentaLinha(ruim, anterior);
        FAIL() << "a damaged line was read";
    } catch (const EColunaIlegivel& erro) {
        EXPECT_EQ(erro.indice(), 3u);
    }
    EXPECT_EQ(lido.quantidade(), 3u);
}

TEST(TControlaColunas, ColumnsOfATableAreTheOnesItsNamesGive) {
    TControlaColunas conjunto;
    Preenche(conjunto,
             {{"dbo", "A", "x"}, {"dbo", "B", "y"}, {"dbo", "A", "X"}, {"dbo", "A", "z"}});
    const TControlaColunas& leitura = conjunto;
    const std::vector<const TColuna*> colunas = leitura.getColunasDaTabela("dbo.A");
    const TListaTextos nomes = leitura.getNomesColunas("dbo.A");
    ASSERT_EQ(colunas.size(), nomes.size());
    for (std::size_t i = 0; i < nomes.size(); ++i) {
        EXPECT_EQ(colunas[i], leitura.getColuna("dbo.A", nomes[i]));
    }
    EXPECT_TRUE(leitura.getColunasDaTabela("dbo.C").empty());
}

TEST(TControlaColunas, PositionsByTableAreTheColumnsTheNamesGive) {
    TControlaColunas conjunto;
    Preenche(conjunto, {{"dbo", "A", "x"},
                        {"dbo", "B", "y"},
                        {"dbo", "A", "X"},
                        {"", "", "orphan"},
                        {"dbo", "a", "w"},
                        {"dbo", "A", "x"},
                        {"dbo", "A", "z"},
                        {"dbo", "B", ""}});
    const TControlaColunas& leitura = conjunto;
    std::vector<std::size_t> esperadas;
    for (const std::string& tabela : leitura.getNomesTabelas()) {
        for (const std::string& nome : leitura.getNomesColunas(tabela)) {
            esperadas.push_back(*leitura.PosicaoDaColuna(tabela, nome));
        }
    }
    EXPECT_EQ(esperadas, (std::vector<std::size_t>{0, 6, 1, 7}));
    EXPECT_EQ(leitura.PosicoesPorTabela(), esperadas);
}

TEST(TControlaColunas, ForeignKeysThatReferToATable) {
    TControlaColunas conjunto;
    Preenche(conjunto, {{"", "orders", "customer_id"},
                        {"", "orders", "old_customer"},
                        {"s", "invoices", "customer"},
                        {"", "orders", "plain"},
                        {"", "customers", "id"}});
    TArrColunas& colunas = conjunto.getColunas();
    for (std::size_t i : {0u, 1u, 2u}) {
        colunas[i]->chaveEstrangeira = true;
        colunas[i]->CriaColunaEstrangeira();
        colunas[i]->getColunaEstrangeira()->getTabela().nome = i == 2 ? "Customers" : "customers";
    }
    colunas[1]->habilitado = false;
    const TControlaColunas& leitura = conjunto;
    EXPECT_EQ(leitura.getColunasQueReferenciam("customers"),
              (std::vector<const TColuna*>{colunas[0].get(), colunas[2].get()}));
    EXPECT_EQ(&leitura.getColunasQueReferenciam("CUSTOMERS"),
              &leitura.getColunasQueReferenciam("customers"));
    EXPECT_TRUE(leitura.getColunasQueReferenciam("orders").empty());
    // A change through the set is seen at the next question.
    conjunto.getColunas()[1]->habilitado = true;
    EXPECT_EQ(std::as_const(conjunto).getColunasQueReferenciam("customers").size(), 3u);
}

TEST(TControlaColunas, CopiesCarryTheFactsTheEncodingLacks) {
    TControlaColunas origem;
    Preenche(origem, {{"", "t", "a"}});
    TColuna& coluna = *origem.getColunas()[0];
    coluna.facts = {false, "0", true, true, "note"};
    coluna.getTabela().comment = "table note";
    TControlaColunas copia(1);
    copia.CopiaColunas(origem.getColunas());
    EXPECT_EQ(copia.getColunas()[0]->facts, coluna.facts);
    EXPECT_EQ(copia.getColunas()[0]->getTabela().comment, "table note");
}

} // namespace
} // namespace fendril

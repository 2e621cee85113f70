#include "engine/AliasRules.h"

#include "model/Erros.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace fendril {
namespace {

// public.order_lines (id, unit_price aliased "Price"), public.people (first_name), the
// second table already aliased "Person".
std::unique_ptr<TControlaColunas> Mapeamento() {
    struct Col {
        const char* tabela;
        const char* aliasTabela;
        const char* coluna;
        const char* alias;
    };
    const Col colunas[] = {{"order_lines", "", "id", ""},
                           {"order_lines", "", "unit_price", "Price"},
                           {"people", "Person", "first_name", ""},
                           {"HTTPServer2Logs", "", "Ünïcode_name", ""}};
    auto conjunto = std::make_unique<TControlaColunas>(std::size(colunas));
    for (std::size_t i = 0; i < std::size(colunas); ++i) {
        TColuna& coluna = *conjunto->getColunas()[i];
        coluna.getTabela().esquema = "public";
        coluna.getTabela().nome = colunas[i].tabela;
        coluna.getTabela().alias = colunas[i].aliasTabela;
        coluna.nome = colunas[i].coluna;
        coluna.alias = colunas[i].alias;
    }
    return conjunto;
}

struct Caso {
    const char* tabelas;
    const char* colunas;
    std::vector<std::string> aliases; // table alias/column alias, per column
    std::size_t tabelasPreenchidas;
    std::size_t colunasPreenchidas;
};

class Regras : public testing::TestWithParam<Caso> {};

// The rules are the template language's filter chains; set aliases are never touched.
TEST_P(Regras, FillOnlyEmptyAliases) {
    const Caso& caso = GetParam();
    const auto conjunto = Mapeamento();
    const TAliasesFilled preenchidos = FillEmptyAliases(*conjunto, caso.tabelas, caso.colunas);
    std::vector<std::string> aliases;
    for (const auto& coluna : conjunto->getColunas()) {
        aliases.push_back(coluna->getTabela().alias + "/" + coluna->alias);
    }
    EXPECT_EQ(aliases, caso.aliases);
    EXPECT_EQ(preenchidos.tables, caso.tabelasPreenchidas);
    EXPECT_EQ(preenchidos.columns, caso.colunasPreenchidas);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Regras,
    testing::Values(
        Caso{"pascal:singular",
             "camel",
             {"OrderLine/id", "OrderLine/Price", "Person/firstName", "HttpServer2Log/ünïcodeName"},
             2,
             3},
        Caso{"", "snake:upper", {"/ID", "/Price", "Person/FIRST_NAME", "/ÜNÏCODE_NAME"}, 0, 3},
        Caso{"singular:macro",
             "",
             {"ORDER_LINE/", "ORDER_LINE/Price", "Person/", "HTTP_SERVER2_LOG/"},
             2,
             0},
        Caso{"", "", {"/", "/Price", "Person/", "/"}, 0, 0}),
    // Named by the rules, "none" for an empty one: pascal_singular_and_camel.
    [](const testing::TestParamInfo<Caso>& caso) {
        const auto parte = [](std::string regra) {
            std::replace(regra.begin(), regra.end(), ':', '_');
            return regra.empty() ? std::string("none") : regra;
        };
        return parte(caso.param.tabelas) + "_and_" + parte(caso.param.colunas);
    });

// A rule naming an unknown filter is refused before any alias changes.
TEST(RegrasAlias, AnUnknownFilterIsNamed) {
    EXPECT_NO_THROW(VerificaRegraAlias(""));
    EXPECT_THROW(VerificaRegraAlias("pascal:"), EErroGeral);
    const auto conjunto = Mapeamento();
    try {
        FillEmptyAliases(*conjunto, "pascal", "pascal:singulr");
        FAIL() << "an unknown filter was accepted";
    } catch (const EErroGeral& erro) {
        EXPECT_STREQ(erro.what(), "Unknown Filter \"singulr\" In Rule \"pascal:singulr\" !!");
    }
    EXPECT_EQ(conjunto->getColunas()[0]->getTabela().alias, "");
}

} // namespace
} // namespace fendril

#include "model/Textos.h"

#include "model/Erros.h"

#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <utility>
#include <vector>

namespace fendril {
namespace {

TEST(SeparaCampos, KeepsPiecesFollowedBySeparatorAndDropsTheRest) {
    EXPECT_EQ(SeparaCampos("a;b;c;", ";"), (TListaTextos{"a", "b", "c"}));
    EXPECT_EQ(SeparaCampos("a;b;c", ";"), (TListaTextos{"a", "b"}));
    EXPECT_EQ(SeparaCampos(";;", ";"), (TListaTextos{"", ""}));
    EXPECT_EQ(SeparaCampos("a||b||", "||"), (TListaTextos{"a", "b"}));
    EXPECT_TRUE(SeparaCampos("", ";").empty());
    EXPECT_TRUE(SeparaCampos("abc", ";").empty());
    EXPECT_TRUE(SeparaCampos("A;", "a").empty()) << "matching is exact";
}

TEST(SeparaCampos, TwoByteSeparatorsAreFoundLeftToRightWithoutOverlap) {
    EXPECT_EQ(SeparaCampos("|||>x|>", "|>"), (TListaTextos{"||", "x"}));
    EXPECT_EQ(SeparaCampos("|||", "||"), (TListaTextos{""}));
    EXPECT_EQ(SeparaCampos("=>=>", "=>"), (TListaTextos{"", ""}));
    EXPECT_TRUE(SeparaCampos("a|", "|>").empty());
    // Against the rule stated plainly, on texts made of the separators' own bytes.
    std::mt19937 gerador(3);
    for (int vez = 0; vez < 2000; ++vez) {
        std::string texto;
        for (std::size_t i = gerador() % 12; i > 0; --i) {
            texto.push_back("|>a"[gerador() % 3]);
        }
        for (const std::string separador : {"|>", "||"}) {
            TListaTextos esperado;
            std::size_t inicio = 0;
            for (std::size_t pos = texto.find(separador); pos != std::string::npos;
                 pos = texto.find(separador, inicio)) {
                esperado.push_back(texto.substr(inicio, pos - inicio));
                inicio = pos + separador.size();
            }
            EXPECT_EQ(SeparaCampos(texto, separador), esperado) << texto;
        }
    }
}

struct CasoSubstitui {
    const char* padrao;
    const char* substituto;
    const char* texto;
    const char* esperado;
};

void PrintTo(const CasoSubstitui& caso, std::ostream* saida) {
    *saida << caso.padrao << " -> " << caso.substituto << " in " << caso.texto;
}

class SubstituiTodosTest : public testing::TestWithParam<CasoSubstitui> {};

TEST_P(SubstituiTodosTest, GivesTheRepeatedSearchResult) {
    const CasoSubstitui& caso = GetParam();
    EXPECT_EQ(SubstituiTodos(caso.padrao, caso.substituto, caso.texto), caso.esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, SubstituiTodosTest,
    testing::Values(
        // Occurrences formed across the edge of a replacement are replaced too.
        CasoSubstitui{"ab", "a", "abb", "a"}, CasoSubstitui{"ab", "a", "aabbb", "aa"},
        CasoSubstitui{"ab", "ba", "aab", "baa"}, CasoSubstitui{"ab", "bba", "abab", "bbbbbbaa"},
        CasoSubstitui{".", "", "dbo.Customers.x", "dboCustomersx"},
        CasoSubstitui{"<tbname>", "Orders", "<tbname> <tbname>", "Orders Orders"},
        CasoSubstitui{"x", "y", "", ""}, CasoSubstitui{"x", "y", "abc", "abc"},
        CasoSubstitui{"", "y", "abc", "abc"},
        // A replacement containing its own pattern is inserted once, left to right.
        CasoSubstitui{"<colalias>", "<colalias>", "a<colalias>b<colalias>",
                      "a<colalias>b<colalias>"},
        CasoSubstitui{"a", "aa", "aba", "aabaa"}));

TEST(SubstituiTodos, LongTextWithManyOccurrencesStaysLinear) {
    std::string texto;
    for (int i = 0; i < 200000; ++i) {
        texto += "<dbname>;";
    }
    const std::string resultado = SubstituiTodos("<dbname>", "Shop", texto);
    EXPECT_EQ(resultado.size(), 200000u * 5u);
    EXPECT_EQ(resultado.substr(0, 10), "Shop;Shop;");
}

TEST(NomesDeArquivo, TrocaExtensaoCutsAtTheFirstDot) {
    EXPECT_EQ(TrocaExtensao("my.file.txt", "kmf"), "my.kmf");
    EXPECT_EQ(TrocaExtensao("readme", "tpt"), "readme.tpt");
}

TEST(NomesDeArquivo, ExtraiNomeAcceptsBothSeparators) {
    EXPECT_EQ(ExtraiNome("C:\\dir\\file.txt"), "file.txt");
    EXPECT_EQ(ExtraiNome("C:\\dir\\"), "dir");
    EXPECT_EQ(ExtraiNome("C:\\"), "");
    EXPECT_EQ(ExtraiNome(""), "");
    EXPECT_EQ(ExtraiNome("/home/user/map.kmf"), "map.kmf");
    EXPECT_EQ(ExtraiNome("/home/user/"), "user");
    EXPECT_EQ(ExtraiNome("/"), "");
    EXPECT_EQ(ExtraiNome("plain"), "plain");
}

TEST(NomesDeArquivo, ExtraiExtensaoTakesTheLastDot) {
    EXPECT_EQ(ExtraiExtensao("archive.tar.gz"), "gz");
    EXPECT_EQ(ExtraiExtensao(".profile"), "profile");
    EXPECT_EQ(ExtraiExtensao("name."), "");
    EXPECT_EQ(ExtraiExtensao("README"), "");
}

TEST(SemCaixa, FoldsAsciiAndUtf8LettersWithoutMergingDifferentNames) {
    EXPECT_TRUE(MesmoTextoSemCaixa("dbo.Customers", "DBO.CUSTOMERS"));
    EXPECT_TRUE(MesmoTextoSemCaixa("AÇÃO", "ação"));
    EXPECT_TRUE(MesmoTextoSemCaixa("ΣΟΦΙΑ", "σοφια"));
    EXPECT_TRUE(MesmoTextoSemCaixa("ЗАКАЗ", "заказ"));
    EXPECT_FALSE(MesmoTextoSemCaixa("ação", "acao"));
    EXPECT_FALSE(MesmoTextoSemCaixa("café", "cafë"));
    EXPECT_FALSE(MesmoTextoSemCaixa("Ü", "ü "));
    // Malformed UTF-8 bytes are compared as they are.
    EXPECT_FALSE(MesmoTextoSemCaixa("\xC3", "\xE3"));
    EXPECT_FALSE(MesmoTextoSemCaixa("x\xC9", "x\xE9"));
}

TEST(SemCaixa, HashIsThatOfTheFoldedKey) {
    // Texts equal without regard to case hash alike, whatever letters they fold.
    for (const auto& [a, b] : std::vector<std::pair<std::string, std::string>>{
             {"dbo.Customers", "DBO.CUSTOMERS"}, {"AÇÃO", "ação"}, {"ΣΟΦΙΑ", "σοφια"},
             {"ЗАКАЗ", "заказ"}, {"\xC5\xB8", "\xC3\xBF"}, {"", ""}}) {
        EXPECT_EQ(HashSemCaixa(a), HashSemCaixa(b)) << a;
        EXPECT_EQ(HashSemCaixa(a), HashSemCaixa(ChaveSemCaixa(a))) << a;
    }
    EXPECT_NE(HashSemCaixa("ação"), HashSemCaixa("acao"));
    EXPECT_NE(HashSemCaixa("x\xC9"), HashSemCaixa("x\xE9"));
}

TEST(ParaInteiro, AcceptsDecimalIntegersOnly) {
    EXPECT_EQ(ParaInteiro("-1"), -1);
    EXPECT_EQ(ParaInteiro("2147483647"), 2147483647);
    EXPECT_EQ(ParaInteiro("+7"), 7);
    for (const char* ruim : {"", "-", "1a", " 1", "2147483648", "0x10", "++1", "1.5"}) {
        EXPECT_THROW(ParaInteiro(ruim), EConvertError) << ruim;
    }
}

TEST(EErroGeral, ConstructorsSplitMessageAndProgramText) {
    const EErroGeral simples = EErroGeral::Create("An Author Name Must Be Given !!");
    EXPECT_STREQ(simples.what(), "An Author Name Must Be Given !!");
    EXPECT_EQ(simples.textoErro(), "An Author Name Must Be Given !!");

    const EErroGeral embrulhado =
        EErroGeral::CreateDeExcecao(std::runtime_error("disk error"), "Could Not Load");
    EXPECT_STREQ(embrulhado.what(), "disk error");
    EXPECT_EQ(embrulhado.textoErro(), "Could Not Load");

    const EErroGeral copia = EErroGeral::CreateCopia(embrulhado);
    EXPECT_STREQ(copia.what(), "Could Not Load");
    EXPECT_EQ(copia.textoErro(), "Could Not Load");
}

} // namespace
} // namespace fendril

namespace fendril {
namespace {

// The rule as stated: replace the first occurrence and search again from the start.
std::optional<std::string> SubstituiIngenuo(const std::string& padrao,
                                            const std::string& substituto, std::string texto) {
    for (int passos = 0; passos < 10000; ++passos) {
        const std::size_t pos = texto.find(padrao);
        if (pos == std::string::npos) {
            return texto;
        }
        texto.replace(pos, padrao.size(), substituto);
    }
    return std::nullopt;
}

TEST(SubstituiTodos, AgreesWithTheStatedRuleWhereverItEnds) {
    std::mt19937 aleatorio(12345);
    const auto palavra = [&aleatorio](std::size_t maximo) {
        std::string texto(aleatorio() % (maximo + 1), ' ');
        for (char& c : texto) {
            c = static_cast<char>('a' + aleatorio() % 3);
        }
        return texto;
    };
    int comparados = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string padrao = palavra(3);
        if (padrao.empty()) {
            continue;
        }
        const std::string substituto = palavra(4);
        const std::string texto = palavra(20);
        if (substituto.find(padrao) != std::string::npos) {
            continue;
        }
        const auto esperado = SubstituiIngenuo(padrao, substituto, texto);
        if (!esperado) {
            continue;
        }
        ++comparados;
        ASSERT_EQ(SubstituiTodos(padrao, substituto, texto), *esperado)
            << padrao << " -> " << substituto << " in " << texto;
    }
    EXPECT_GT(comparados, 1000);
}

} // namespace
} // namespace fendril

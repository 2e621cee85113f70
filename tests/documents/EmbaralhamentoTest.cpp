#include "documents/Embaralhamento.h"

#include "documents/TBlowfish.h"

#include <gtest/gtest.h>
#include <random>

namespace fendril {
namespace {

TListaTextos LinhasAleatorias(std::mt19937& gerador, std::size_t quantidade) {
    TListaTextos linhas;
    for (std::size_t n = 0; n < quantidade; ++n) {
        const std::size_t tamanho = gerador() % 7 == 0 ? 0 : 1 + gerador() % 3000;
        std::string linha;
        for (std::size_t i = 0; i < tamanho; ++i) {
            linha.push_back(static_cast<char>(gerador() % 256));
        }
        if (tamanho > 4 && n % 2 == 0) {
            linha.replace(tamanho / 2, 2, "\r\n");
        }
        linhas.push_back(linha);
    }
    return linhas;
}

TEST(TamanhoTotal, SumsTheLineLengths) {
    EXPECT_EQ(TamanhoTotal({}), 0);
    EXPECT_EQ(TamanhoTotal({"abc", "", "de\r\n"}), 7);
}

TEST(DerivaChave, GivesEachNumberAndItsFirstDigitAgain) {
    // L = 6, so each byte c gives 3 * c + 36: '0' 180, 'F' 246, 'n' 366, 'd' 336, 'r' 378,
    // 'l' 360.
    EXPECT_EQ(DerivaChave("0Fndrl"), "180124623663336337833603");
    // L = 1: 3 * 122 + 1 = 367; 3 * 1 + 1 = 4; 3 * 255 + 1 = 766.
    EXPECT_EQ(DerivaChave("z"), "3673");
    EXPECT_EQ(DerivaChave("\x01"), "44");
    EXPECT_EQ(DerivaChave("\xFF"), "7667");
    EXPECT_EQ(DerivaChave(""), "");
    EXPECT_EQ(DerivaChave("123456789Fndrl").size(), 56u);
    EXPECT_EQ(DerivaChave("1000000000Fndrl").size(), 60u);
}

TEST(EmbaralhaLinhas, EmptyDocumentIsHeaderAndSeed) {
    EXPECT_EQ(EmbaralhaLinhas({}, "Autor"), (TListaTextos{"Autor", "0Fndrl"}));
    EXPECT_EQ(DesembaralhaLinhas({"Autor", "0Fndrl"}), TListaTextos{});
}

TEST(EmbaralhaLinhas, LayoutIsHeaderSeedThenEachLineEnciphered) {
    const TListaTextos linhas{"1234567", "", "12345678", "1234567"};
    const TListaTextos guardadas = EmbaralhaLinhas(linhas, "Maria");
    ASSERT_EQ(guardadas.size(), 6u);
    EXPECT_EQ(guardadas[0], "Maria");
    EXPECT_EQ(guardadas[1], "22Fndrl");
    EXPECT_EQ(guardadas[2].size(), 11u);
    EXPECT_EQ(guardadas[3], "") << "an empty line stays empty";
    EXPECT_EQ(guardadas[4].size(), 22u);
    EXPECT_EQ(guardadas[5], guardadas[2]) << "equal lines scramble alike in one document";

    TBlowfish cifra;
    cifra.SetKey(DerivaChave("22Fndrl"));
    EXPECT_EQ(guardadas[2], cifra.EncryptString("1234567"));

    EXPECT_EQ(DesembaralhaLinhas(guardadas), linhas);
}

TEST(EmbaralhaLinhas, SameLineScramblesDifferentlyInDocumentsOfOtherLength) {
    const TListaTextos a = EmbaralhaLinhas({"descricao||Edit_nome||Orders||"}, "");
    const TListaTextos b = EmbaralhaLinhas({"descricao||Edit_nome||Orders||", "x"}, "");
    EXPECT_NE(a[2], b[2]);
}

TEST(EmbaralhaLinhas, RandomLinesRoundTrip) {
    std::mt19937 gerador(2024);
    const TListaTextos linhas = LinhasAleatorias(gerador, 120);
    const TListaTextos guardadas = EmbaralhaLinhas(linhas, "cabecalho");
    for (std::size_t i = 2; i < guardadas.size(); ++i) {
        EXPECT_EQ(guardadas[i].find_first_of("\r\n"), std::string::npos);
    }
    EXPECT_EQ(DesembaralhaLinhas(guardadas), linhas);
}

TEST(EmbaralhaLinhas, EachLineIsWhatTheCipherGivesItAlone) {
    // Lines are enciphered and deciphered together, many at a time: each must still be what
    // EncryptString and DecryptString give for it alone, across the batches.
    std::mt19937 gerador(7);
    const TListaTextos linhas = LinhasAleatorias(gerador, 200);
    const TListaTextos guardadas = EmbaralhaLinhas(linhas, "h");
    TBlowfish cifra;
    cifra.SetKey(DerivaChave(guardadas[1]));
    ASSERT_EQ(guardadas.size(), linhas.size() + 2);
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        ASSERT_EQ(guardadas[i + 2], cifra.EncryptString(linhas[i])) << "line " << i;
    }

    // Lines enciphered with another key decipher to bytes whose padding is not valid; each
    // is cut as DecryptString cuts it.
    TBlowfish outra;
    outra.SetKey("another key");
    TListaTextos alheias{"h", guardadas[1]};
    TListaTextos esperadas;
    for (const std::string& linha : linhas) {
        alheias.push_back(outra.EncryptString(linha));
        esperadas.push_back(cifra.DecryptString(alheias.back()));
    }
    EXPECT_EQ(DesembaralhaLinhas(alheias), esperadas);
}

TEST(DesembaralhaLinhas, HeaderIsNeverRead) {
    TListaTextos guardadas = EmbaralhaLinhas({"a||b||c||", "d||e||"}, "Autor");
    guardadas[0] = "someone else entirely";
    EXPECT_EQ(DesembaralhaLinhas(guardadas), (TListaTextos{"a||b||c||", "d||e||"}));
    guardadas[0] = "";
    EXPECT_EQ(DesembaralhaLinhas(guardadas), (TListaTextos{"a||b||c||", "d||e||"}));
}

TEST(DesembaralhaLinhas, SeedIsTakenAsStored) {
    // Another suffix, and a length figure that does not match the content.
    for (const std::string semente : {"5XYZ12", "999abcde", "7Fndrl"}) {
        TBlowfish cifra;
        cifra.SetKey(DerivaChave(semente));
        const TListaTextos guardadas{"h", semente, cifra.EncryptString("abc"), "",
                                     cifra.EncryptString("de||")};
        EXPECT_EQ(DesembaralhaLinhas(guardadas), (TListaTextos{"abc", "", "de||"})) << semente;
    }
}

TEST(DesembaralhaLinhas, MissingSeedIsAListIndexFailure) {
    EXPECT_THROW(DesembaralhaLinhas({}), EListError);
    EXPECT_THROW(DesembaralhaLinhas({"only a header"}), EListError);
}

TEST(DesembaralhaLinhas, DamagedLinesFailWithTheCipherMessages) {
    TListaTextos guardadas = EmbaralhaLinhas({"1234567"}, "h");
    const std::string boa = guardadas[2];

    guardadas[2] = boa.substr(0, 10) + "=";
    try {
        DesembaralhaLinhas(guardadas);
        FAIL();
    } catch (const EConvertError& erro) {
        EXPECT_STREQ(erro.what(), "Blowfish: Error converting from Base64 - invalid character");
    }

    guardadas[2] = boa.substr(0, 10);
    try {
        DesembaralhaLinhas(guardadas);
        FAIL();
    } catch (const EInputError& erro) {
        EXPECT_STREQ(erro.what(), "Blowfish: Input not valid - too short");
    }

    guardadas[2] = boa + "+";
    try {
        DesembaralhaLinhas(guardadas);
        FAIL();
    } catch (const EInputError& erro) {
        EXPECT_STREQ(erro.what(), "Blowfish: Input not valid - length is not a multiple of 8");
    }
}

TEST(DesembaralhaLinhas, SeedGivingAKeyOutsideTheCipherRangeFails) {
    // A document of 10^9 bytes or more: its seed gives a 60-byte key.
    for (const std::string& semente :
         TListaTextos{"1000000000Fndrl", "", std::string(100000, '9')}) {
        try {
            DesembaralhaLinhas({"h", semente, "x"});
            FAIL() << semente.size();
        } catch (const EKeyError& erro) {
            EXPECT_STREQ(erro.what(), "Blowfish: Key must be between 1 and 56 bytes");
        }
    }
    EXPECT_NO_THROW(DesembaralhaLinhas({"h", "999999999Fndrl"}));
}

} // namespace
} // namespace fendril

#include "documents/TBlowfish.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace fendril {
namespace {

std::string DeHex(std::string_view hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    }
    return bytes;
}

std::uint32_t Palavra(std::string_view bytes) {
    std::uint32_t palavra = 0;
    for (const char c : bytes.substr(0, 4)) {
        palavra = (palavra << 8) | static_cast<unsigned char>(c);
    }
    return palavra;
}

struct Vetor {
    const char* chave;
    const char* claro;
    const char* cifrado;
};

void PrintTo(const Vetor& vetor, std::ostream* saida) {
    *saida << vetor.chave << "/" << vetor.claro;
}

// The published ECB test data for Blowfish (Eric Young): key, clear and cipher bytes.
constexpr Vetor VetoresECB[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "B1B8CC0B250F09A0"},
    {"07A1133E4A0B2686", "0248D43806F67172", "1730E5778BEA1DA4"},
    {"3849674C2602319E", "51454B582DDF440A", "A25E7856CF2651EB"},
    {"04B915BA43FEB5B6", "42FD443059577FA2", "353882B109CE8F1A"},
    {"0113B970FD34F2CE", "059B5E0851CF143A", "48F4D0884C379918"},
    {"0170F175468FB5E6", "0756D8E0774761D2", "432193B78951FC98"},
    {"43297FAD38E373FE", "762514B829BF486A", "13F04154D69D1AE5"},
    {"07A7137045DA2A16", "3BDD119049372802", "2EEDDA93FFD39C79"},
    {"04689104C2FD3B2F", "26955F6835AF609A", "D887E0393C2DA6E3"},
    {"37D06BB516CB7546", "164D5E404F275232", "5F99D04F5B163969"},
    {"1F08260D1AC2465E", "6B056E18759F5CCA", "4A057A3B24D3977B"},
    {"584023641ABA6176", "004BD6EF09176062", "452031C1E4FADA8E"},
    {"025816164629B007", "480D39006EE762F2", "7555AE39F59B87BD"},
    {"49793EBC79B3258F", "437540C8698F3CFA", "53C55F9CB49FC019"},
    {"4FB05E1515AB73A7", "072D43A077075292", "7A8E7BFA937E89A3"},
    {"49E95D6D4CA229BF", "02FE55778117F12A", "CF9C5D7A4986ADB5"},
    {"018310DC409B26D6", "1D9D5C5018F728C2", "D1ABB290658BC778"},
    {"1C587F1C13924FEF", "305532286D6F295A", "55CB3774D13EF201"},
    {"0101010101010101", "0123456789ABCDEF", "FA34EC4847B268B2"},
    {"1F1F1F1F0E0E0E0E", "0123456789ABCDEF", "A790795108EA3CAE"},
    {"E0FEE0FEF1FEF1FE", "0123456789ABCDEF", "C39E072D9FAC631D"},
    {"0000000000000000", "FFFFFFFFFFFFFFFF", "014933E0CDAFF6E4"},
    {"FFFFFFFFFFFFFFFF", "0000000000000000", "F21E9A77B71C49BC"},
    {"0123456789ABCDEF", "0000000000000000", "245946885754369A"},
    {"FEDCBA9876543210", "FFFFFFFFFFFFFFFF", "6B5C5A9C5D9E0A5A"},
};

class VetoresBlowfish : public testing::TestWithParam<Vetor> {};

TEST_P(VetoresBlowfish, EnciphersAndDeciphersTheBlock) {
    const Vetor& vetor = GetParam();
    TBlowfish cifra;
    cifra.SetKey(DeHex(vetor.chave));
    const std::string claro = DeHex(vetor.claro);
    const std::string cifrado = DeHex(vetor.cifrado);

    std::uint32_t esquerda = Palavra(claro);
    std::uint32_t direita = Palavra(claro.substr(4));
    cifra.EncryptBlock(esquerda, direita);
    EXPECT_EQ(esquerda, Palavra(cifrado));
    EXPECT_EQ(direita, Palavra(cifrado.substr(4)));

    cifra.DecryptBlock(esquerda, direita);
    EXPECT_EQ(esquerda, Palavra(claro));
    EXPECT_EQ(direita, Palavra(claro.substr(4)));
}

INSTANTIATE_TEST_SUITE_P(EricYoung, VetoresBlowfish, testing::ValuesIn(VetoresECB));

// Keys of 1 to 24 bytes, each a prefix of one key, enciphering one block.
TEST(TBlowfish, KeysOfEveryLengthMatchTheSetKeyData) {
    const std::string chave = DeHex("F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677");
    const char* const esperados[] = {
        "F9AD597C49DB005E", "E91D21C1D961A6D6", "E9C2B70A1BC65CF3", "BE1E639408640F05",
        "B39E44481BDB1E6E", "9457AA83B1928C0D", "8BB77032F960629D", "E87A244E2CC85E82",
        "15750E7A4F4EC577", "122BA70B3AB64AE0", "3A833C9AFFC537F6", "9409DA87A90F6BF2",
        "884F80625060B8B4", "1F85031C19E11968", "79D9373A714CA34F", "93142887EE3BE15C",
        "03429E838CE2D14B", "A4299E27469FF67B", "AFD5AED1C1BC96A8", "10851C0E3858DA9F",
        "E6F51ED79B9DB21F", "64A6E14AFD36B46F", "80C7D7D45A5479AD", "05044B62FA52D080"};
    const std::string claro = DeHex("FEDCBA9876543210");
    for (std::size_t tamanho = 1; tamanho <= chave.size(); ++tamanho) {
        TBlowfish cifra;
        cifra.SetKey(chave.substr(0, tamanho));
        std::uint32_t esquerda = Palavra(claro);
        std::uint32_t direita = Palavra(claro.substr(4));
        cifra.EncryptBlock(esquerda, direita);
        const std::string cifrado = DeHex(esperados[tamanho - 1]);
        EXPECT_EQ(esquerda, Palavra(cifrado)) << "key of " << tamanho << " bytes";
        EXPECT_EQ(direita, Palavra(cifrado.substr(4))) << "key of " << tamanho << " bytes";
    }
}

TEST(TBlowfish, SettingAKeyAgainStartsFromTheInitialState) {
    TBlowfish cifra;
    cifra.SetKey(DeHex("FFFFFFFFFFFFFFFF"));
    cifra.SetKey(DeHex("0000000000000000"));
    std::uint32_t esquerda = 0;
    std::uint32_t direita = 0;
    cifra.EncryptBlock(esquerda, direita);
    EXPECT_EQ(esquerda, 0x4EF99745u);
    EXPECT_EQ(direita, 0x6198DD78u);
}

TEST(TBlowfish, KeyLengthMustBeFrom1To56Bytes) {
    TBlowfish cifra;
    try {
        cifra.SetKey("");
        FAIL() << "an empty key was accepted";
    } catch (const EKeyError& erro) {
        EXPECT_STREQ(erro.what(), "Blowfish: Key must be between 1 and 56 bytes");
    }
    EXPECT_THROW(cifra.SetKey(std::string(57, 'k')), EKeyError);
    EXPECT_NO_THROW(cifra.SetKey("k"));
    EXPECT_NO_THROW(cifra.SetKey(std::string(56, 'k')));
}

TEST(TBlowfish, CipherWithoutKeyFails) {
    const TBlowfish cifra;
    for (const bool cifrar : {true, false}) {
        try {
            cifrar ? cifra.EncryptString("abc") : cifra.DecryptString("abc");
            FAIL() << "no key, yet no failure";
        } catch (const EKeyError& erro) {
            EXPECT_STREQ(erro.what(), "Blowfish: Key not set");
        }
    }
    EXPECT_EQ(cifra.CipherMode(), TCipherMode::ECB);
    EXPECT_EQ(cifra.StringMode(), TStringMode::smEncode);
}

TEST(TBlowfish, EncodingUsesItsOwnAlphabetWithoutPadding) {
    // "Man" is "TWFu" in standard Base64: values 19, 22, 5, 46.
    EXPECT_EQ(TBlowfish::Codifica64("Man"), "HK3i");
    EXPECT_EQ(TBlowfish::Codifica64("Ma"), "HK2");
    EXPECT_EQ(TBlowfish::Codifica64("M"), "HE");
    EXPECT_EQ(TBlowfish::Codifica64(""), "");
    EXPECT_EQ(TBlowfish::Codifica64(std::string("\x00\x10\x83", 3)), "+-01");
    EXPECT_EQ(TBlowfish::Codifica64("\xFF\xFF\xFF"), "zzzz");

    std::string todos;
    for (int i = 0; i < 256; ++i) {
        todos.push_back(static_cast<char>(i));
    }
    const std::string texto = TBlowfish::Codifica64(todos);
    EXPECT_EQ(texto,
              "++20+kE3-UQ60Ec91+oC1l+F2VAI3FML4-YO4lkR5VwU6G6X70Ia7mUd8Wgg9GsjA12mAnEpBXQsCHcvD"
              "1oyDo--EYB2FIN5G2Z8GolBHYxEIJ7HJ3JKJpVNKZhQLJtTM43WMqFZNaRcOKdfP4piPr-lQbBoRLNrS5Zu"
              "SrlxTby+UM81V6K4VsW7WciAXMuDY74GYtGJZdSMaNePb7qSbu0VceCYdOObe8aeeumhfeykgP8nh9KqhvW"
              "tifiwjPuzkA50kwH3lgT6mQf9nArCnx1FohDIpRPLqBbOqxnRrhzUsS9XtCLatyXduijgvSvjwD5mwzHpxj"
              "TsyTfvzDryzk");
    EXPECT_EQ(TBlowfish::Decodifica64(texto), todos);
}

// The encoding bit by bit, as the alphabet defines it: each six bits, high first, one
// character; a last group of fewer bits filled with zeros.
std::string Codifica64PorBits(const std::string& bytes) {
    constexpr std::string_view alfabeto =
        "+-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::string texto;
    unsigned valor = 0;
    int bits = 0;
    for (const char c : bytes) {
        valor = valor << 8 | static_cast<unsigned char>(c);
        bits += 8;
        while (bits >= 6) {
            bits -= 6;
            texto.push_back(alfabeto[(valor >> bits) & 0x3F]);
        }
    }
    if (bits > 0) {
        texto.push_back(alfabeto[(valor << (6 - bits)) & 0x3F]);
    }
    return texto;
}

TEST(TBlowfish, EncodingOfEveryLengthFollowsTheBits) {
    // Long texts go several bytes at a time, their ends one group at a time: every length up
    // to a few words, both ways, and a character outside the alphabet at every place.
    std::mt19937 gerador(64);
    for (std::size_t tamanho = 0; tamanho <= 64; ++tamanho) {
        std::string bytes;
        for (std::size_t i = 0; i < tamanho; ++i) {
            bytes.push_back(static_cast<char>(gerador() % 256));
        }
        const std::string texto = TBlowfish::Codifica64(bytes);
        ASSERT_EQ(texto, Codifica64PorBits(bytes)) << tamanho << " bytes";
        ASSERT_EQ(TBlowfish::Decodifica64(texto), bytes) << tamanho << " bytes";
        for (std::size_t i = 0; i < texto.size(); ++i) {
            std::string ruim = texto;
            ruim[i] = '=';
            EXPECT_THROW(TBlowfish::Decodifica64(ruim), EConvertError) << tamanho << ", " << i;
        }
    }
}

TEST(TBlowfish, DecodingTakesGroupsOfFour) {
    EXPECT_EQ(TBlowfish::Decodifica64("HK3i"), "Man");
    EXPECT_EQ(TBlowfish::Decodifica64("HK2"), "Ma");
    EXPECT_EQ(TBlowfish::Decodifica64("HE"), "M");
    EXPECT_EQ(TBlowfish::Decodifica64("H"), "") << "a single last character gives no byte";
    EXPECT_EQ(TBlowfish::Decodifica64("HK3iH"), "Man");
    for (const char* texto : {"HK=i", "HK3i ", "a/b", "\n", "\xC3\xA9"}) {
        try {
            TBlowfish::Decodifica64(texto);
            FAIL() << "accepted " << texto;
        } catch (const EConvertError& erro) {
            EXPECT_STREQ(erro.what(), "Blowfish: Error converting from Base64 - invalid character");
        }
    }
}

TEST(TBlowfish, EncryptStringPadsAndEnciphersEachBlock) {
    // Seven bytes gain one padding byte 01, which makes the clear block of a standard vector.
    TBlowfish cifra;
    cifra.SetKey(DeHex("3000000000000000"));
    const std::string linha = DeHex("10000000000000");
    EXPECT_EQ(cifra.EncryptString(linha), "TMJjaa2kMz6");
    EXPECT_EQ(cifra.DecryptString("TMJjaa2kMz6"), linha);

    cifra.setStringMode(TStringMode::smNormal);
    EXPECT_EQ(cifra.EncryptString(linha), DeHex("7D856F9A613063F2"));
    EXPECT_EQ(cifra.DecryptString(DeHex("7D856F9A613063F2")), linha);
}

TEST(TBlowfish, LineLengthsGiveWholeBlocks) {
    TBlowfish cifra;
    cifra.SetKey("chave");
    EXPECT_EQ(cifra.EncryptString(""), "");
    EXPECT_EQ(cifra.DecryptString(""), "");
    EXPECT_EQ(cifra.EncryptString("1234567").size(), 11u);
    EXPECT_EQ(cifra.EncryptString("12345678").size(), 22u);
    EXPECT_EQ(cifra.EncryptString("a").size(), 11u);
    EXPECT_EQ(cifra.EncryptString(std::string(16, 'a')).size(), 32u);

    cifra.setStringMode(TStringMode::smNormal);
    EXPECT_EQ(cifra.EncryptString("1234567").size(), 8u);
    EXPECT_EQ(cifra.EncryptString("12345678").size(), 16u);
}

TEST(TBlowfish, EveryBlockOfALongTextIsEncipheredOnItsOwn) {
    // Texts of 1 to 20 blocks: each cipher block is its clear block enciphered alone,
    // whatever its position among the blocks taken together.
    TBlowfish cifra;
    cifra.SetKey("180124623663336337833603");
    cifra.setStringMode(TStringMode::smNormal);
    std::string texto;
    for (std::size_t tamanho = 1; tamanho <= 160; ++tamanho) {
        texto.push_back(static_cast<char>(tamanho * 37 + 11));
        const std::string cifrado = cifra.EncryptString(texto);
        std::string claro = texto;
        claro.append(8 - texto.size() % 8, static_cast<char>(8 - texto.size() % 8));
        ASSERT_EQ(cifrado.size(), claro.size());
        for (std::size_t i = 0; i < claro.size(); i += 8) {
            const auto palavra = [](const std::string& bytes, std::size_t de) {
                std::uint32_t valor = 0;
                for (std::size_t k = de; k < de + 4; ++k) {
                    valor = valor << 8 | static_cast<unsigned char>(bytes[k]);
                }
                return valor;
            };
            std::uint32_t esquerda = palavra(claro, i);
            std::uint32_t direita = palavra(claro, i + 4);
            cifra.EncryptBlock(esquerda, direita);
            EXPECT_EQ(palavra(cifrado, i), esquerda) << tamanho << " bytes, block " << i / 8;
            EXPECT_EQ(palavra(cifrado, i + 4), direita) << tamanho << " bytes, block " << i / 8;
        }
        EXPECT_EQ(cifra.DecryptString(cifrado), texto);
    }
}

TEST(TBlowfish, RandomTextsRoundTrip) {
    std::mt19937 gerador(12345);
    TBlowfish cifra;
    cifra.SetKey("180124623663336337833603");
    for (int vez = 0; vez < 300; ++vez) {
        const std::size_t tamanho = 1 + gerador() % (vez < 200 ? 40 : 4000);
        std::string texto;
        for (std::size_t i = 0; i < tamanho; ++i) {
            texto.push_back(static_cast<char>(gerador() % 256));
        }
        if (vez % 3 == 0) {
            texto.insert(texto.size() / 2, "\r\n");
        }
        const std::string cifrado = cifra.EncryptString(texto);
        EXPECT_EQ(cifrado.find_first_of(" =/\r\n"), std::string::npos);
        EXPECT_EQ(cifrado.size(), ((texto.size() / 8 + 1) * 8 * 8 + 5) / 6);
        EXPECT_EQ(cifra.DecryptString(cifrado), texto);
    }
}

TEST(TBlowfish, DamagedCipherTextIsRejected) {
    TBlowfish cifra;
    cifra.SetKey("chave");
    const std::string cifrado = cifra.EncryptString("1234567");

    // 10 characters decode to 7 bytes.
    try {
        cifra.DecryptString(cifrado.substr(0, 10));
        FAIL() << "too short accepted";
    } catch (const EInputError& erro) {
        EXPECT_STREQ(erro.what(), "Blowfish: Input not valid - too short");
    }

    // 12 characters decode to 9 bytes: one block and a part.
    try {
        cifra.DecryptString(cifrado + "+");
        FAIL() << "a partial block accepted";
    } catch (const EInputError& erro) {
        EXPECT_STREQ(erro.what(), "Blowfish: Input not valid - length is not a multiple of 8");
    }
    cifra.setStringMode(TStringMode::smNormal);
    EXPECT_THROW(cifra.DecryptString(std::string(15, 'x')), EInputError);
    EXPECT_THROW(cifra.DecryptString(std::string(7, 'x')), EInputError);
}

TEST(TBlowfish, WrongKeyGivesOtherTextWithoutFailing) {
    TBlowfish escreve;
    escreve.SetKey("uma");
    TBlowfish le;
    le.SetKey("outra");
    for (int i = 1; i < 50; ++i) {
        const std::string texto(static_cast<std::size_t>(i), 'q');
        const std::string lido = le.DecryptString(escreve.EncryptString(texto));
        EXPECT_LE(lido.size(), (texto.size() / 8 + 1) * 8 - 1);
    }
}

} // namespace
} // namespace fendril

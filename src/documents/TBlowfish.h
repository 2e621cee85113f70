#pragma once

#include "model/Erros.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace fendril {

// The key is missing or of the wrong length.
class EKeyError : public Exception {
public:
    using Exception::Exception;
};

// The cipher text cannot be deciphered (too short, or not whole blocks).
class EInputError : public Exception {
public:
    using Exception::Exception;
};

enum class TCipherMode { ECB, CBC, CFB, OFB };
enum class TStringMode { smEncode, smNormal };

// State of the Blowfish cipher: the P-array, the four S-boxes and a block buffer.
struct TBlowCore {
    std::array<std::uint32_t, 18> p{};
    std::array<std::array<std::uint32_t, 256>, 4> s{};
    std::array<std::uint8_t, 8> bloco{};
};

// The Blowfish block cipher (64-bit blocks, 16 rounds), enciphering each 8-byte block on
// its own (ECB) with PKCS #7 padding, the cipher bytes written as text in a Base64-like
// alphabet ("+-0-9A-Za-z", no "=" padding). The program only uses ECB with smEncode,
// which are the defaults; the other modes are not offered.
class TBlowfish {
public:
    TBlowfish();

    TCipherMode CipherMode() const { return m_cipherMode; }
    TStringMode StringMode() const { return m_stringMode; }
    void setStringMode(TStringMode modo) { m_stringMode = modo; }

    // Key of 1 to 56 bytes, else EKeyError "Blowfish: Key must be between 1 and 56 bytes".
    void SetKey(std::string_view chave);

    // Empty text gives empty text; EKeyError "Blowfish: Key not set" without a key.
    std::string EncryptString(std::string_view texto) const;
    // Reverses EncryptString. EConvertError for a character outside the alphabet,
    // EInputError for fewer than 8 bytes or a length that is not whole blocks.
    std::string DecryptString(std::string_view texto) const;

    // One block in place, halves read big-endian (exposed for the standard test vectors).
    void EncryptBlock(std::uint32_t& esquerda, std::uint32_t& direita) const;
    void DecryptBlock(std::uint32_t& esquerda, std::uint32_t& direita) const;

    // The text form of cipher bytes, and back.
    static std::string Codifica64(std::string_view bytes);
    static std::string Decodifica64(std::string_view texto);
    // Decodifica64 appending to `bytes` (which holds a partial result if it raises).
    static void AcrescentaDecodificado(std::string& bytes, std::string_view texto);

    // The pieces of EncryptString and DecryptString, for callers that put many texts through
    // the cipher at once (independent blocks keep the processor busy while each round waits
    // for its S-box reads):
    // - AcrescentaComEnchimento appends a non-empty text and its PKCS #7 padding to `dados`;
    // - CifraBlocos and DecifraBlocos work in place on whole blocks (`tamanho` a multiple of
    //   8; EKeyError without a key);
    // - VerificaCifra raises EInputError as DecryptString does for cipher bytes that cannot be
    //   whole blocks;
    // - TamanhoSemEnchimento is how many bytes of a deciphered text are the text itself.
    static void AcrescentaComEnchimento(std::string& dados, std::string_view texto);
    void CifraBlocos(char* dados, std::size_t tamanho) const;
    void DecifraBlocos(char* dados, std::size_t tamanho) const;
    static void VerificaCifra(std::size_t tamanho);
    static std::size_t TamanhoSemEnchimento(std::string_view decifrado);

private:
    std::uint32_t F(std::uint32_t x) const;
    // Enciphers (or deciphers) whole blocks in place.
    template <bool Cifrar> void ProcessaBlocos(char* dados, std::size_t blocos) const;
    void VerificaChave() const;

    TBlowCore m_core;
    bool m_chaveDefinida = false;
    TCipherMode m_cipherMode = TCipherMode::ECB;
    TStringMode m_stringMode = TStringMode::smEncode;
};

} // namespace fendril

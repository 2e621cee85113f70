#include "cli/TextoEscapado.h"

#include "model/Erros.h"

namespace fendril {

std::string Escapa(std::string_view bytes) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string texto;
    texto.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        switch (c) {
        case '\\':
            texto += "\\\\";
            break;
        case '\r':
            texto += "\\r";
            break;
        case '\n':
            texto += "\\n";
            break;
        case '\t':
            texto += "\\t";
            break;
        default:
            if (b < 0x20 || b == 0x7F) {
                texto += "\\x";
                texto += Hex[b >> 4];
                texto += Hex[b & 0x0F];
            } else {
                texto += c;
            }
        }
    }
    return texto;
}

namespace {

int ValorHex(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

std::string Desescapa(std::string_view texto) {
    std::string bytes;
    bytes.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] != '\\') {
            bytes += texto[i];
            continue;
        }
        if (i + 1 >= texto.size()) {
            throw EErroGeral::Create("Invalid Escape At The End Of A Line !!");
        }
        const char codigo = texto[++i];
        switch (codigo) {
        case '\\':
            bytes += '\\';
            break;
        case 'r':
            bytes += '\r';
            break;
        case 'n':
            bytes += '\n';
            break;
        case 't':
            bytes += '\t';
            break;
        case 'x': {
            const int alto = i + 1 < texto.size() ? ValorHex(texto[i + 1]) : -1;
            const int baixo = i + 2 < texto.size() ? ValorHex(texto[i + 2]) : -1;
            if (alto < 0 || baixo < 0) {
                throw EErroGeral::Create("Invalid Escape \\x Without Two Hex Digits !!");
            }
            bytes += static_cast<char>(alto * 16 + baixo);
            i += 2;
            break;
        }
        default:
            throw EErroGeral::Create(std::string("Invalid Escape \\") + codigo + " !!");
        }
    }
    return bytes;
}

} // namespace fendril

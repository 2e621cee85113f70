#include "model/Registro.h"

namespace fendril::registro {

namespace {

constexpr char Escape = '\x1B';
constexpr std::string_view Marca = "\x1B";

} // namespace

bool PrecisaEscape(std::initializer_list<std::string_view> campos) {
    return PrecisaEscape(std::span<const std::string_view>(campos.begin(), campos.size()));
}

bool PrecisaEscape(std::span<const std::string_view> campos) {
    if (!campos.empty() && !campos.begin()->empty() && campos.begin()->front() == '>') {
        return true;
    }
    for (const std::string_view campo : campos) {
        if (campo.find("=>") != std::string_view::npos ||
            campo.find("|>") != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

void AcrescentaCampo(std::string& texto, std::string_view campo, bool escapado) {
    if (!escapado) {
        texto.append(campo);
    } else {
        for (const char c : campo) {
            if (c == Escape) {
                texto.push_back(Escape);
                texto.push_back('1');
            } else if (c == '>') {
                texto.push_back(Escape);
                texto.push_back('2');
            } else {
                texto.push_back(c);
            }
        }
    }
    texto.append("=>");
}

void AcrescentaMarca(std::string& texto, bool escapado) {
    if (escapado) {
        texto.append(Marca).append("=>");
    }
}

bool Escapado(const TListaVistas& campos, std::size_t quantidade) {
    return campos.size() > quantidade && campos[quantidade] == Marca;
}

std::string LeCampo(std::string_view campo, bool escapado) {
    if (!escapado) {
        return std::string(campo);
    }
    std::string valor;
    valor.reserve(campo.size());
    for (std::size_t i = 0; i < campo.size(); ++i) {
        const char c = campo[i];
        if (c == Escape && i + 1 < campo.size() && (campo[i + 1] == '1' || campo[i + 1] == '2')) {
            valor.push_back(campo[i + 1] == '1' ? Escape : '>');
            ++i;
        } else {
            // A pair the writer never makes is kept as it stands.
            valor.push_back(c);
        }
    }
    return valor;
}

} // namespace fendril::registro

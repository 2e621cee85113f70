#include "model/TTipoDado.h"

#include "model/Registro.h"
#include "model/Textos.h"

#include <array>
#include <charconv>

namespace fendril {

std::string TTipoDado::Codifica() const {
    std::string texto;
    CodificaEm(texto);
    return texto;
}

void TTipoDado::CodificaEm(std::string& texto) const {
    const bool escapado = registro::PrecisaEscape({nome, melhorCorrespondencia});
    texto.append("TTipoDado||");
    registro::AcrescentaCampo(texto, nome, escapado);
    for (const std::int32_t numero : {tamanho, precisao, escala, tipoOLE, precisaoDataHora}) {
        // As std::to_string writes it, without a string of its own.
        std::array<char, 12> digitos{};
        const auto fim = std::to_chars(digitos.data(), digitos.data() + digitos.size(), numero).ptr;
        texto.append(digitos.data(), fim).append("=>");
    }
    registro::AcrescentaCampo(texto, melhorCorrespondencia, escapado);
    registro::AcrescentaMarca(texto, escapado);
    texto.append("|>");
}

void TTipoDado::Decodifica(std::string_view texto) {
    const TListaVistas campos = SeparaCamposVista(PulaNomeTipo(texto, 11), "=>");
    const bool escapado = registro::Escapado(campos, 7);
    nome = registro::LeCampo(ItemDaLista(campos, 0), escapado);
    tamanho = ParaInteiro(ItemDaLista(campos, 1));
    precisao = ParaInteiro(ItemDaLista(campos, 2));
    escala = ParaInteiro(ItemDaLista(campos, 3));
    tipoOLE = ParaInteiro(ItemDaLista(campos, 4));
    precisaoDataHora = ParaInteiro(ItemDaLista(campos, 5));
    melhorCorrespondencia = registro::LeCampo(ItemDaLista(campos, 6), escapado);
}

} // namespace fendril

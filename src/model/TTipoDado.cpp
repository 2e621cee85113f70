#include "model/TTipoDado.h"

#include "model/Registro.h"
#include "model/Textos.h"

namespace fendril {

std::string TTipoDado::Codifica() const {
    std::string texto = "TTipoDado||";
    texto.append(nome).append("=>");
    for (const std::int32_t numero : {tamanho, precisao, escala, tipoOLE, precisaoDataHora}) {
        texto.append(std::to_string(numero)).append("=>");
    }
    texto.append(melhorCorrespondencia).append("=>|>");
    return texto;
}

void TTipoDado::Decodifica(std::string_view texto) {
    const TListaVistas campos = SeparaCamposVista(PulaNomeTipo(texto, 11), "=>");
    nome = ItemDaLista(campos, 0);
    tamanho = ParaInteiro(ItemDaLista(campos, 1));
    precisao = ParaInteiro(ItemDaLista(campos, 2));
    escala = ParaInteiro(ItemDaLista(campos, 3));
    tipoOLE = ParaInteiro(ItemDaLista(campos, 4));
    precisaoDataHora = ParaInteiro(ItemDaLista(campos, 5));
    melhorCorrespondencia = ItemDaLista(campos, 6);
}

} // namespace fendril

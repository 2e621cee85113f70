#include "model/TBaseDados.h"

#include "model/OrdinaisRowset.h"
#include "model/Registro.h"
#include "model/TLinhaEsquema.h"
#include "model/Textos.h"

namespace fendril {

std::string TBaseDados::Codifica() const {
    const bool escapado = registro::PrecisaEscape({nome});
    std::string texto = "TBaseDados||";
    registro::AcrescentaCampo(texto, nome, escapado);
    registro::AcrescentaMarca(texto, escapado);
    texto.append("|>");
    return texto;
}

void TBaseDados::Decodifica(std::string_view texto) {
    const TListaVistas campos = SeparaCamposVista(PulaNomeTipo(texto, 12), "=>");
    nome = registro::LeCampo(ItemDaLista(campos, 0), registro::Escapado(campos, 1));
}

void TBaseDados::LeLinhaCatalogo(const TLinhaEsquema& linha) {
    try {
        if (!linha.Nulo(rowset::catalogs::CATALOG_NAME)) {
            nome = linha.Texto(rowset::catalogs::CATALOG_NAME);
        }
    } catch (const std::exception&) {
        nome.clear();
    }
}

} // namespace fendril

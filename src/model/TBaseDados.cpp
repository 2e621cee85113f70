#include "model/TBaseDados.h"

#include "model/OrdinaisRowset.h"
#include "model/Registro.h"
#include "model/TLinhaEsquema.h"
#include "model/Textos.h"

namespace fendril {

std::string TBaseDados::Codifica() const {
    return "TBaseDados||" + nome + "=>|>";
}

void TBaseDados::Decodifica(std::string_view texto) {
    const TListaVistas campos = SeparaCamposVista(PulaNomeTipo(texto, 12), "=>");
    nome = ItemDaLista(campos, 0);
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

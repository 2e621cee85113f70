#include "documents/ColunasDocumento.h"

#include "model/Erros.h"

#include <string_view>

namespace fendril {

namespace {

// The number (from 1) of the document line that gave column line `indice`: the lines of
// that section, as LeSecao selects them.
std::size_t NumeroDaLinha(const TArquivoKMF& documento, std::string_view secao,
                          std::size_t indice) {
    std::size_t vistas = 0;
    const TListaTextos& linhas = documento.getLinhas();
    for (std::size_t j = 0; j < linhas.size(); ++j) {
        const std::string_view linha = linhas[j];
        if (linha.substr(0, linha.find("||")) == secao && vistas++ == indice) {
            return j + 1;
        }
    }
    return 0;
}

} // namespace

std::unique_ptr<TControlaColunas> LeColunasDocumento(const TArquivoKMF& documento,
                                                     std::string_view secao) {
    const TListaTextos linhas = documento.LeSecao(secao, "", true);
    if (linhas.empty()) {
        return nullptr;
    }
    auto colunas = std::make_unique<TControlaColunas>(linhas.size());
    try {
        colunas->CarregaLinhas(linhas);
    } catch (const EColunaIlegivel& erro) {
        throw EErroGeral::Create(
            "Line " + std::to_string(NumeroDaLinha(documento, secao, erro.indice())) +
            " Of The Mapping (Table \"" + erro.nomes().tabela + "\", Column \"" +
            erro.nomes().coluna + "\") Could Not Be Read: " + erro.motivo());
    }
    return colunas;
}

} // namespace fendril

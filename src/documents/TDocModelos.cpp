#include "documents/TDocModelos.h"

#include "model/ArquivoTexto.h"
#include "model/Erros.h"
#include "model/Textos.h"

namespace fendril {

namespace {

void ExigeAutor(const std::string& autor) {
    if (autor.empty()) {
        throw EErroGeral::Create("An Author Name Must Be Given !!");
    }
}

} // namespace

TArquivoKMF TDocModeloTabela::getArquivo() const {
    ExigeAutor(autor);
    TArquivoKMF documento;
    documento.cabecalho = autor;
    EscreveCampos(*this, kCamposModeloTabela, documento);
    return documento;
}

void TDocModeloTabela::setArquivo(const TArquivoKMF& documento) {
    LeCampos(documento, kCamposModeloTabela, *this);
}

TArquivoKMF TDocModeloGeral::getArquivo() const {
    TArquivoKMF documento;
    EscreveCampos(*this, kCamposModeloGeral, documento);
    return documento;
}

void TDocModeloGeral::setArquivo(const TArquivoKMF& documento) {
    LeCampos(documento, kCamposModeloGeral, *this);
}

TArquivoKMF TDocGeracao::getArquivo() const {
    ExigeAutor(autor);
    TArquivoKMF documento;
    documento.cabecalho = autor;
    EscreveCampos(*this, kCamposGeracao, documento);
    return documento;
}

void TDocGeracao::setArquivo(const TArquivoKMF& documento) {
    LeCampos(documento, kCamposGeracao, *this);
}

std::vector<TLinhaTipos> CarregaArquivoTipos(const std::string& caminho) {
    const TListaTextos linhas = LeLinhasTexto(caminho);
    std::vector<TLinhaTipos> tipos(linhas.size());
    for (std::size_t k = 0; k < linhas.size(); ++k) {
        const TListaTextos campos = SeparaCampos(linhas[k], ";");
        if (campos.size() < 3) {
            break;
        }
        tipos[k] = {campos[0], campos[1], campos[2]};
    }
    return tipos;
}

} // namespace fendril

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

TListaTextos PalavrasReservadas(std::string_view texto) {
    TListaTextos palavras;
    constexpr std::string_view brancos = " \t\r\n\f\v";
    for (std::size_t inicio = texto.find_first_not_of(brancos); inicio != std::string_view::npos;
         inicio = texto.find_first_not_of(brancos, inicio)) {
        const std::size_t fim = texto.find_first_of(brancos, inicio);
        palavras.emplace_back(texto.substr(inicio, fim - inicio));
        inicio = fim;
    }
    return palavras;
}

std::string TagNomeArquivo(TNomeArquivoTabela nomeArquivo, std::string_view formaNome) {
    std::string tag;
    switch (nomeArquivo) {
    case TNomeArquivoTabela::nome:
        tag = "<tbname";
        break;
    case TNomeArquivoTabela::alias:
        tag = "<tbalias";
        break;
    case TNomeArquivoTabela::aliasOuNomeCurto:
        tag = "<tbalias|tbshortname";
        break;
    }
    if (!formaNome.empty()) {
        tag.append(":").append(formaNome);
    }
    return tag + ">";
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

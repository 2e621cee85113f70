#include "documents/DocumentoMapeamento.h"

#include "model/Erros.h"

namespace fendril {

TArquivoKMF MontaDocumentoMapeamento(const TDescricaoMapeamento& descricao) {
    if (descricao.Edit_autor.empty()) {
        throw EErroGeral::Create("An Author Name Must Be Given !!");
    }
    TArquivoKMF documento;
    documento.cabecalho = descricao.Edit_autor;
    // A mapping that keeps its password is readable by its owner only.
    documento.privado = !descricao.edit_Senha.empty();
    EscreveCampos(descricao, kCamposMapeamento, documento);
    return documento;
}

TDescricaoMapeamento LeDocumentoMapeamento(const TArquivoKMF& documento) {
    TDescricaoMapeamento descricao;
    LeCampos(documento, kCamposMapeamento, descricao);
    return descricao;
}

} // namespace fendril

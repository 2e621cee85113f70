#include "documents/DocumentoMapeamento.h"

#include "model/Erros.h"

namespace fendril {

TArquivoKMF MontaDocumentoMapeamento(const TDescricaoMapeamento& descricao) {
    return MontaDocumentoMapeamento(descricao, descricao.controlaColunas.get());
}

TArquivoKMF MontaDocumentoMapeamento(const TDescricaoMapeamento& descricao,
                                     const TControlaColunas* colunas) {
    if (descricao.Edit_autor.empty()) {
        throw EErroGeral::Create("An Author Name Must Be Given !!");
    }
    TArquivoKMF documento;
    documento.cabecalho = descricao.Edit_autor;
    // A mapping that keeps its password is readable by its owner only.
    documento.privado = !descricao.edit_Senha.empty();
    for (const TCampoDocumento<TDescricaoMapeamento>& campo : kCamposMapeamento) {
        std::visit(TSobrecarga{[&](std::unique_ptr<TControlaColunas> TDescricaoMapeamento::*) {
                                   campos::Escreve(documento, campo.secao, campo.chave, colunas);
                               },
                               [&](auto membro) {
                                   campos::Escreve(documento, campo.secao, campo.chave,
                                                   descricao.*membro);
                               }},
                   campo.membro);
    }
    return documento;
}

TDescricaoMapeamento LeDocumentoMapeamento(const TArquivoKMF& documento) {
    TDescricaoMapeamento descricao;
    LeCampos(documento, kCamposMapeamento, descricao);
    return descricao;
}

} // namespace fendril

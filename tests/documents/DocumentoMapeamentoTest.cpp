#include "documents/DocumentoMapeamento.h"

#include "model/Erros.h"

#include <gtest/gtest.h>

namespace fendril {
namespace {

TEST(DocumentoMapeamento, NewMappingHasSevenDescriptionLinesOnly) {
    TDescricaoMapeamento descricao;
    descricao.Edit_autor = "Ana";
    descricao.controlaColunas = std::make_unique<TControlaColunas>(1); // a column of no table
    EXPECT_EQ(MontaDocumentoMapeamento(descricao).getLinhas().size(), 7u);
    descricao.Edit_autor.clear();
    try {
        MontaDocumentoMapeamento(descricao);
        FAIL();
    } catch (const EErroGeral& erro) {
        EXPECT_EQ(erro.textoErro(), "An Author Name Must Be Given !!");
    }
    TArquivoKMF incompleto;
    incompleto.AdicionaEntrada("descricao", "Edit_nome", "x");
    EXPECT_THROW(LeDocumentoMapeamento(incompleto), EListError);
}

} // namespace
} // namespace fendril

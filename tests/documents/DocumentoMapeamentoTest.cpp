#include "documents/DocumentoMapeamento.h"

#include "model/Erros.h"
#include "model/TColuna.h"

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

TEST(DocumentoMapeamento, AMappingThatKeepsAPasswordIsPrivate) {
    TDescricaoMapeamento descricao;
    descricao.Edit_autor = "Ana";
    EXPECT_FALSE(MontaDocumentoMapeamento(descricao).privado);
    descricao.edit_Senha = "x";
    EXPECT_TRUE(MontaDocumentoMapeamento(descricao).privado);
}

TEST(DocumentoMapeamento, ALineThatDoesNotDecodeIsNamed) {
    TArquivoKMF documento;
    for (const char* chave : {"Edit_nome", "Edit_autor", "edit_data", "edit_constring",
                              "edit_usuario", "edit_Senha", "combo_basedados"}) {
        documento.AdicionaEntrada("descricao", chave, "");
    }
    documento.AdicionaLinha("tabelasecolunas", TColuna().Codifica());
    documento.AdicionaLinha("tabelasecolunas", "TColuna||id=>x=>1=>=>0=>|>TTipoDado||=>0=>0=>0=>"
                                               "0=>0=>=>|>TTabela||orders=>sales=>=>=>|>"
                                               "TBaseDados||=>|>|>");
    try {
        LeDocumentoMapeamento(documento);
        FAIL() << "a damaged line was read";
    } catch (const EErroGeral& erro) {
        EXPECT_EQ(std::string(erro.what())
                      .rfind("Line 9 Of The Mapping (Table \"sales.orders\", "
                             "Column \"id\") Could Not Be Read: ",
                             0),
                  0u)
            << erro.what();
    }
}

} // namespace
} // namespace fendril

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

// A column set lent by its owner is written where the description's own would be, and the
// owner keeps it.
TEST(DocumentoMapeamento, LentColumnSetWritesTheSameDocument) {
    TDescricaoMapeamento descricao;
    descricao.Edit_autor = "Ana";
    descricao.tiposProvider = {"3;int;1;"};
    TControlaColunas colunas(2);
    colunas.getColunas()[0]->getTabela().nome = "orders";
    colunas.getColunas()[1]->getTabela().nome = "orders";
    colunas.getColunas()[1]->nome = "id";
    const TArquivoKMF emprestado = MontaDocumentoMapeamento(descricao, &colunas);
    EXPECT_EQ(colunas.quantidade(), 2u);
    EXPECT_EQ(MontaDocumentoMapeamento(descricao, nullptr).getLinhas().size(), 8u);

    descricao.controlaColunas = std::make_unique<TControlaColunas>(2);
    descricao.controlaColunas->CopiaColunas(colunas.getColunas());
    EXPECT_EQ(emprestado.getLinhas(), MontaDocumentoMapeamento(descricao).getLinhas());
    EXPECT_EQ(emprestado.getLinhas().size(), 10u);
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

#include "documents/CamposDocumento.h"

#include "documents/TDocModelos.h"
#include "model/Erros.h"

#include <gtest/gtest.h>

namespace fendril {
namespace {

// One member of every kind a field can store, and a key added after documents were written.
struct TValoresTeste {
    std::string texto;
    bool marca = false;
    int numero = 0;
    std::vector<TLinhaTipos> linhas;
    std::vector<TModeloMarcado> modelos;
    TListaTextos textos;
    std::unique_ptr<TControlaColunas> colunas;
    std::string novo = "as before";
    std::string fora; // stored by no field
};

constexpr TCampoDocumento<TValoresTeste> kCamposTeste[] = {
    {"s", "texto", &TValoresTeste::texto},
    {"s", "marca", &TValoresTeste::marca},
    {"s", "numero", &TValoresTeste::numero},
    {"linhas", "tipo", &TValoresTeste::linhas},
    {"s", "modelo", &TValoresTeste::modelos},
    {"s", "lista", &TValoresTeste::textos},
    {"colunas", {}, &TValoresTeste::colunas},
    {.secao = "s", .chave = "novo", .membro = &TValoresTeste::novo, .opcional = true},
};

TEST(CamposDocumento, EachKindIsWrittenAsItsEntriesAndReadBack) {
    TValoresTeste valores;
    valores.texto = "a || b";
    valores.marca = true;
    valores.numero = -12;
    valores.linhas = {{"int", "Integer", "0"}, {}};
    valores.modelos = {{"/a.tpt", true}, {"/b.tpt", false}};
    valores.textos = {"3;int;1;;"};
    valores.colunas = std::make_unique<TControlaColunas>(1);
    valores.colunas->getColunas()[0]->nome = "id";
    valores.colunas->getColunas()[0]->getTabela().nome = "orders";
    valores.novo = "new";
    TArquivoKMF documento;
    EscreveCampos(valores, kCamposTeste, documento);
    const TListaTextos& linhas = documento.getLinhas();
    ASSERT_EQ(linhas.size(), 10u);
    EXPECT_EQ(linhas[1], "s||marca||1||");
    EXPECT_EQ(linhas[2], "s||numero||-12||");
    EXPECT_EQ(linhas[3], "linhas||tipo||int;Integer;0;||");
    EXPECT_EQ(linhas[4], "linhas||tipo||;;;||");
    EXPECT_EQ(linhas[6], "s||modelo||/b.tpt;0;||");
    EXPECT_EQ(linhas[7], "s||lista||3;int;1;;||");
    EXPECT_EQ(linhas[8], "colunas||" + valores.colunas->getColunas()[0]->Codifica());
    EXPECT_EQ(linhas[9], "s||novo||new||");

    TValoresTeste lidos;
    LeCampos(documento, kCamposTeste, lidos);
    EXPECT_EQ(lidos.texto, valores.texto);
    EXPECT_TRUE(lidos.marca);
    EXPECT_EQ(lidos.numero, -12);
    EXPECT_EQ(lidos.linhas, valores.linhas);
    EXPECT_EQ(lidos.modelos, valores.modelos);
    EXPECT_EQ(lidos.textos, valores.textos);
    ASSERT_TRUE(lidos.colunas);
    EXPECT_EQ(lidos.colunas->getColunas()[0]->Codifica(),
              valores.colunas->getColunas()[0]->Codifica());
    EXPECT_EQ(lidos.novo, "new");
}

// A key added to a layout later is marked optional: older documents still open and leave
// its value as it was, while a required key that is missing stops the reading.
TEST(CamposDocumento, OptionalKeyMissingFromOlderDocumentsKeepsTheValue) {
    TArquivoKMF antigo;
    antigo.AdicionaEntrada("s", "texto", "x");
    antigo.AdicionaEntrada("s", "marca", "1");
    antigo.AdicionaEntrada("s", "numero", "7");
    TValoresTeste lidos;
    LeCampos(antigo, kCamposTeste, lidos);
    EXPECT_EQ(lidos.numero, 7);
    EXPECT_EQ(lidos.novo, "as before");
    EXPECT_FALSE(lidos.colunas) << "no column lines, no column set";

    antigo.getLinhas().erase(antigo.getLinhas().begin() + 1);
    TValoresTeste parcial;
    EXPECT_THROW(LeCampos(antigo, kCamposTeste, parcial), EListError);
    EXPECT_EQ(parcial.texto, "x") << "values read before the missing key are kept";
    EXPECT_EQ(parcial.numero, 0);
}

// The general template reads its file mode first; the generation reads its directory tree,
// then its mapping path, then its templates.
TEST(CamposDocumento, LayoutsReadInTheirOwnOrder) {
    TDocModeloGeral geral;
    geral.arquivoUnico = 1;
    geral.arquivoTipos = "types.txt";
    geral.makePrefix = "all";
    TArquivoKMF documento = geral.getArquivo();
    documento.getLinhas().erase(documento.getLinhas().begin() + 1); // re_classeobjeto
    TDocModeloGeral lidoGeral;
    EXPECT_THROW(lidoGeral.setArquivo(documento), EListError);
    EXPECT_EQ(lidoGeral.arquivoUnico, 1);
    EXPECT_EQ(lidoGeral.arquivoTipos, "types.txt");
    EXPECT_EQ(lidoGeral.makePrefix, "");

    TDocGeracao geracao;
    geracao.autor = "Ann";
    geracao.pathRaiz = "/root/";
    geracao.diretorioGeracao = "/root/out";
    geracao.modelosTabela = {{"/a.tpt", true}};
    documento = geracao.getArquivo();
    documento.getLinhas().erase(documento.getLinhas().begin() + 4); // edit_mapfile
    TDocGeracao lidaGeracao;
    EXPECT_THROW(lidaGeracao.setArquivo(documento), EListError);
    EXPECT_EQ(lidaGeracao.pathRaiz, "/root/");
    EXPECT_EQ(lidaGeracao.diretorioGeracao, "/root/out");
    EXPECT_TRUE(lidaGeracao.modelosTabela.empty());
}

TEST(CamposDocumento, FieldsAreFoundByMemberAndByName) {
    EXPECT_EQ(CampoDe(kCamposModeloTabela, &TDocModeloTabela::classePai).chave,
              chave::re_classepai);
    EXPECT_THROW(CampoDe(kCamposTeste, &TValoresTeste::fora), std::logic_error);

    // The types table is named after its section, as its control is.
    const auto* tipos = CampoPorNome<TDocModeloTabela>(kCamposModeloTabela, "tb_tipos");
    ASSERT_NE(tipos, nullptr);
    EXPECT_EQ(tipos->chave, chave::tipos);
    EXPECT_EQ(CampoPorNome<TDocModeloTabela>(kCamposModeloTabela, "tipos"), nullptr);
    EXPECT_NE(CampoPorNome<TDocModeloGeral>(kCamposModeloGeral, "rg_file"), nullptr);
    EXPECT_EQ(CampoPorNome<TDocModeloGeral>(kCamposModeloGeral, "re_make"), nullptr);
}

} // namespace
} // namespace fendril

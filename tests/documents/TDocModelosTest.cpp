#include "documents/TDocModelos.h"

#include "model/Erros.h"
#include "support/ArquivosTemporarios.h"

#include <gtest/gtest.h>

namespace fendril {
namespace {

TEST(TDocModeloTabela, NewTemplateStoresSeventeenEntriesAndOneEmptyTypesRow) {
    TDocModeloTabela modelo;
    EXPECT_THROW(modelo.getArquivo(), EErroGeral);
    modelo.autor = "Ann";
    const TArquivoKMF documento = modelo.getArquivo();
    EXPECT_EQ(documento.cabecalho, "Ann");
    const TListaTextos& linhas = documento.getLinhas();
    ASSERT_EQ(linhas.size(), 18u);
    EXPECT_EQ(linhas[0], "descricao||Edit_nome||||");
    EXPECT_EQ(linhas[3], "descricao||memo_comentario||||");
    EXPECT_EQ(linhas[4], "codigo||edit_tableprefix||||");
    EXPECT_EQ(linhas[13], "codigo||re_classeobjeto||||");
    EXPECT_EQ(linhas[16], "codigo||cb_fname||0||");
    EXPECT_EQ(linhas[17], "tb_tipos||tipos||;;;||");
}

TEST(TDocModeloTabela, RoundTripKeepsTextsAndTypesRows) {
    TDocModeloTabela modelo;
    modelo.autor = "Ann";
    modelo.classeObjeto = "class <tbname> {\r\n\tint x = a || b;\r\n}\r\n";
    modelo.make = "all: x|";
    modelo.tablePrefix = "T";
    modelo.nomeArquivo = TNomeArquivoTabela::alias;
    modelo.tipos = {{"int", "Integer", "0"}, {}, {"varchar", "String", ""}};

    teste::PastaTemporaria pasta;
    modelo.getArquivo().Salva(pasta.arquivo("t.tpt"));
    TArquivoKMF lido;
    lido.Abre(pasta.arquivo("t.tpt"));
    TDocModeloTabela copia;
    copia.setArquivo(lido);
    EXPECT_EQ(copia.classeObjeto, modelo.classeObjeto);
    EXPECT_EQ(copia.make, modelo.make);
    EXPECT_EQ(copia.tablePrefix, "T");
    EXPECT_EQ(copia.nomeArquivo, TNomeArquivoTabela::alias);
    EXPECT_EQ(copia.tipos, modelo.tipos);
}

TEST(TDocModeloTabela, DocumentWithoutTypesRowsKeepsTheTable) {
    TDocModeloTabela modelo;
    modelo.autor = "Ann";
    TArquivoKMF documento = modelo.getArquivo();
    documento.getLinhas().pop_back();
    TDocModeloTabela lido;
    lido.tipos = {{"a", "b", "c"}, {"d", "e", "f"}};
    lido.setArquivo(documento);
    EXPECT_EQ(lido.tipos.size(), 2u);

    documento.getLinhas().push_back("tb_tipos||tipos||two;fields;||");
    EXPECT_THROW(lido.setArquivo(documento), EListError);
}

TEST(TDocModeloGeral, SavedWithoutAuthorAndReadBack) {
    TDocModeloGeral modelo;
    modelo.arquivoTipos = "/x/types.txt";
    modelo.classeObjeto = "<rctable><tbname>\r\n</rctable>";
    modelo.arquivoUnico = 1;
    modelo.makePrefix = "all";
    const TArquivoKMF documento = modelo.getArquivo();
    EXPECT_EQ(documento.cabecalho, "");
    ASSERT_EQ(documento.getLinhas().size(), 9u);
    EXPECT_EQ(documento.getLinhas()[0], "codigo||edit_typesfile||/x/types.txt||");
    EXPECT_EQ(documento.getLinhas()[6], "codigo||rg_file||1||");
    TDocModeloGeral copia;
    copia.setArquivo(documento);
    EXPECT_EQ(copia.arquivoUnico, 1);
    EXPECT_EQ(copia.classeObjeto, modelo.classeObjeto);
    EXPECT_EQ(copia.makePrefix, "all");
}

// The reserved words and the name form follow cb_fname when set; a document without them
// (every document written before they existed) reads them as empty.
TEST(TDocModelos, ReservedWordsAndNameFormAreStoredOnlyWhenSet) {
    TDocModeloTabela tabela;
    tabela.autor = "Ann";
    tabela.palavrasReservadas = "class\r\ndefault";
    tabela.formaNome = "pascal:singular";
    tabela.nomeArquivo = TNomeArquivoTabela::aliasOuNomeCurto;
    TArquivoKMF documento = tabela.getArquivo();
    ASSERT_EQ(documento.getLinhas().size(), 20u);
    EXPECT_EQ(documento.getLinhas()[16], "codigo||cb_fname||2||");
    EXPECT_EQ(documento.getLinhas()[17], "codigo||edit_reservedwords||class\r\ndefault||");
    EXPECT_EQ(documento.getLinhas()[18], "codigo||edit_nameform||pascal:singular||");
    TDocModeloTabela lida;
    lida.setArquivo(documento);
    EXPECT_EQ(lida.palavrasReservadas, tabela.palavrasReservadas);
    EXPECT_EQ(lida.formaNome, tabela.formaNome);
    EXPECT_EQ(lida.nomeArquivo, TNomeArquivoTabela::aliasOuNomeCurto);

    documento.getLinhas().erase(documento.getLinhas().begin() + 17,
                                documento.getLinhas().begin() + 19);
    TDocModeloTabela antiga;
    antiga.setArquivo(documento);
    EXPECT_EQ(antiga.palavrasReservadas, "");
    EXPECT_EQ(antiga.formaNome, "");

    TDocModeloGeral geral;
    geral.formaNome = "kebab";
    const TArquivoKMF documentoGeral = geral.getArquivo();
    ASSERT_EQ(documentoGeral.getLinhas().size(), 10u);
    EXPECT_EQ(documentoGeral.getLinhas()[9], "codigo||edit_nameform||kebab||");
    TDocModeloGeral lidoGeral;
    lidoGeral.setArquivo(documentoGeral);
    EXPECT_EQ(lidoGeral.formaNome, "kebab");
    EXPECT_EQ(lidoGeral.palavrasReservadas, "");
}

// cb_fname: "1" the alias, "2" the alias or the short name, anything else the name, as a
// box ticked exactly for "1" read it.
TEST(TDocModelos, FileNamingReadsEveryStoredValue) {
    const std::pair<const char*, TNomeArquivoTabela> casos[] = {
        {"0", TNomeArquivoTabela::nome},
        {"1", TNomeArquivoTabela::alias},
        {"2", TNomeArquivoTabela::aliasOuNomeCurto},
        {"", TNomeArquivoTabela::nome},
        {"yes", TNomeArquivoTabela::nome}};
    for (const auto& [valor, esperado] : casos) {
        TDocModeloGeral geral;
        TArquivoKMF documento = geral.getArquivo();
        documento.getLinhas()[8] = std::string("codigo||cb_fname||") + valor + "||";
        geral.setArquivo(documento);
        EXPECT_EQ(geral.nomeArquivo, esperado) << valor;
    }
}

TEST(TDocModelos, ReservedWordsAreSeparatedByLineBreaksOrBlanks) {
    EXPECT_EQ(PalavrasReservadas("class\r\ndefault\n\n  None \r\n\tif else\r"),
              (TListaTextos{"class", "default", "None", "if", "else"}));
    EXPECT_TRUE(PalavrasReservadas("").empty());
    EXPECT_TRUE(PalavrasReservadas(" \r\n").empty());
}

TEST(TDocModelos, TagOfTheTablePartOfFileNames) {
    EXPECT_EQ(TagNomeArquivo(TNomeArquivoTabela::nome), "<tbname>");
    EXPECT_EQ(TagNomeArquivo(TNomeArquivoTabela::alias), "<tbalias>");
    EXPECT_EQ(TagNomeArquivo(TNomeArquivoTabela::aliasOuNomeCurto, "pascal:singular"),
              "<tbalias|tbshortname:pascal:singular>");
    EXPECT_EQ(TagNomeArquivo(TNomeArquivoTabela::nome, "snake"), "<tbname:snake>");
}

TEST(TDocGeracao, StoresTemplatesWithTheirTicksInOrder) {
    TDocGeracao geracao;
    geracao.autor = "Ann";
    TArquivoKMF vazio = geracao.getArquivo();
    ASSERT_EQ(vazio.getLinhas().size(), 9u);
    EXPECT_EQ(vazio.getLinhas()[4], "geracao||edit_mapfile||||");
    EXPECT_EQ(vazio.getLinhas()[7], "geracao||gerdir||||");
    EXPECT_EQ(vazio.getLinhas()[8], "geracao||cb_merge||0||"); // after the templates

    geracao.modelosTabela = {{"/a.tpt", true}, {"/b.tpt", false}};
    geracao.modelosGerais = {{"/c.tpg", true}};
    const TArquivoKMF documento = geracao.getArquivo();
    EXPECT_EQ(documento.getLinhas()[8], "geracao||cb_fendril||/a.tpt;1;||");
    EXPECT_EQ(documento.getLinhas()[9], "geracao||cb_fendril||/b.tpt;0;||");
    EXPECT_EQ(documento.getLinhas()[10], "geracao||cb_templ||/c.tpg;1;||");
    TDocGeracao lido;
    lido.setArquivo(documento);
    EXPECT_EQ(lido.modelosTabela, geracao.modelosTabela);
    EXPECT_EQ(lido.modelosGerais, geracao.modelosGerais);
}

TEST(TDocGeracao, TemplateEntryWithoutPathOrTickFailsTheOpening) {
    // An entry is a path and a tick, each followed by ";": one lacking either fails with the
    // list's own failure; what was read before it stays filled.
    for (const char* entrada : {"/a.tpt", "/a.tpt;", ""}) {
        TDocGeracao geracao;
        geracao.autor = "Ann";
        geracao.arquivoMapeamento = "/m.kmf";
        geracao.modelosTabela = {{"/b.tpt", false}};
        TArquivoKMF documento = geracao.getArquivo();
        documento.AdicionaEntrada("geracao", "cb_fendril", entrada);
        TDocGeracao lido;
        EXPECT_THROW(lido.setArquivo(documento), EListError) << entrada;
        EXPECT_EQ(lido.autor, "Ann");
        EXPECT_EQ(lido.arquivoMapeamento, "/m.kmf");
        EXPECT_EQ(lido.modelosTabela, geracao.modelosTabela);
    }
}

// "Merge hand edits" is stored as "1" or "0"; a document written before it existed opens
// with it off.
TEST(TDocGeracao, MergeHandEditsIsStoredAndOlderDocumentsLackIt) {
    TDocGeracao geracao;
    geracao.autor = "Ann";
    geracao.fundeEdicoes = true;
    TArquivoKMF documento = geracao.getArquivo();
    EXPECT_EQ(documento.getLinhas().back(), "geracao||cb_merge||1||");
    TDocGeracao lido;
    lido.setArquivo(documento);
    EXPECT_TRUE(lido.fundeEdicoes);

    documento.getLinhas().pop_back();
    TDocGeracao antigo;
    EXPECT_NO_THROW(antigo.setArquivo(documento));
    EXPECT_FALSE(antigo.fundeEdicoes);
}

TEST(ArquivoTipos, LoadingStopsAtTheFirstShortLine) {
    teste::PastaTemporaria pasta;
    teste::EscreveArquivo(pasta.arquivo("types.txt"),
                          "int;integer;0;\r\nfloat;double;\r\nx;y;z;\r\n");
    const std::vector<TLinhaTipos> tipos = CarregaArquivoTipos(pasta.arquivo("types.txt"));
    ASSERT_EQ(tipos.size(), 3u);
    EXPECT_EQ(tipos[0], (TLinhaTipos{"int", "integer", "0"}));
    EXPECT_EQ(tipos[1], TLinhaTipos{});
    EXPECT_EQ(tipos[2], TLinhaTipos{});
}

} // namespace
} // namespace fendril

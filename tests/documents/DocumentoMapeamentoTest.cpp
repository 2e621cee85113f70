#include "documents/DocumentoMapeamento.h"

#include "model/Erros.h"
#include "model/TColuna.h"
#include "support/ArquivosTemporarios.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <utility>

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

// A mapping of two tables whose columns carry facts of every kind, the texts holding the
// separators of every level.
TDescricaoMapeamento MapeamentoComFatos() {
    TDescricaoMapeamento descricao;
    descricao.Edit_autor = "Ana";
    descricao.tiposProvider = {"3;int;1;;"};
    descricao.controlaColunas = std::make_unique<TControlaColunas>(4);
    const struct {
        const char* esquema;
        const char* tabela;
        const char* coluna;
        TColumnFacts fatos;
        const char* comentarioTabela;
    } colunas[] = {
        {"sales",
         "orders",
         "id",
         {false, "nextval('orders_id_seq'::regclass)", true, true, ""},
         "Orders,\nas placed"},
        {"sales",
         "orders",
         "state",
         {true, "'new'", false, false, "a=>b |> c || d|"},
         "Orders,\nas placed"},
        {"sales", "orders", "notes", {}, "Orders,\nas placed"},
        {"", "my.table", "x", {false, "", false, false, ""}, ""},
    };
    for (std::size_t i = 0; i < std::size(colunas); ++i) {
        TColuna& coluna = *descricao.controlaColunas->getColunas()[i];
        coluna.getTabela().esquema = colunas[i].esquema;
        coluna.getTabela().nome = colunas[i].tabela;
        coluna.getTabela().comment = colunas[i].comentarioTabela;
        coluna.nome = colunas[i].coluna;
        coluna.facts = colunas[i].fatos;
    }
    return descricao;
}

TEST(FatosDocumento, OneEntryPerTableAndColumnThatHasFactsAfterTheTypes) {
    const TArquivoKMF documento = MontaDocumentoMapeamento(MapeamentoComFatos());
    const TListaTextos& linhas = documento.getLinhas();
    ASSERT_EQ(linhas.size(), 7u + 4u + 1u + 4u);
    EXPECT_EQ(linhas[11], "tipos||tiposprovider||3;int;1;;||");
    EXPECT_EQ(linhas[12], "fatos||tabela||sales=>orders=>Orders,\nas placed=>||");
    EXPECT_EQ(linhas[13], "fatos||coluna||sales=>orders=>id=>0=>1=>1=>"
                          "nextval('orders_id_seq'::regclass)=>=>||");
    // A field holding the separators of a column line is escaped as such a field is; the
    // value holding "||" as a document value is.
    EXPECT_EQ(documento.LeSecao("fatos", "coluna", false)[1],
              "sales=>orders=>state=>1=>0=>0=>'new'=>a=\x1B"
              "2b |\x1B"
              "2 c || d|=>\x1B=>");
    EXPECT_EQ(linhas[15], "fatos||coluna||=>my.table=>x=>0=>0=>0=>=>=>||");
}

// Tables are told apart by schema and name, columns by those and their own name: a column
// repeated in the set gives one entry, and names that join into the same text each their own.
TEST(FatosDocumento, ARepeatedColumnGivesOneEntryAndEachNameItsOwn) {
    TDescricaoMapeamento descricao;
    descricao.Edit_autor = "Ana";
    const struct {
        const char* esquema;
        const char* tabela;
        const char* coluna;
    } colunas[] = {{"a", "b.c", "x"}, {"a.b", "c", "x"}, {"a", "b.c", "x"},
                   {"", "a", "b"},    {"a", "", "b"},    {"a", "b.c", "y"}};
    descricao.controlaColunas = std::make_unique<TControlaColunas>(std::size(colunas));
    for (std::size_t i = 0; i < std::size(colunas); ++i) {
        TColuna& coluna = *descricao.controlaColunas->getColunas()[i];
        coluna.getTabela().esquema = colunas[i].esquema;
        coluna.getTabela().nome = colunas[i].tabela;
        coluna.getTabela().comment = std::string(colunas[i].esquema) + "/" + colunas[i].tabela;
        coluna.nome = colunas[i].coluna;
        coluna.facts.nullable = false;
        coluna.handSet[TColumnProperty::unique] = "1";
    }
    const TArquivoKMF documento = MontaDocumentoMapeamento(descricao);
    EXPECT_EQ(documento.LeSecao("fatos", "tabela", false),
              (TListaTextos{"a=>b.c=>a/b.c=>", "a.b=>c=>a.b/c=>", "=>a=>/a=>", "a=>=>a/=>"}));
    EXPECT_EQ(documento.LeSecao("fatos", "coluna", false),
              (TListaTextos{"a=>b.c=>x=>0=>0=>0=>=>=>", "a.b=>c=>x=>0=>0=>0=>=>=>",
                            "=>a=>b=>0=>0=>0=>=>=>", "a=>=>b=>0=>0=>0=>=>=>",
                            "a=>b.c=>y=>0=>0=>0=>=>=>"}));
    EXPECT_EQ(
        documento.LeSecao("manuais", "coluna", false),
        (TListaTextos{"a=>b.c=>x=>unique=>1=>", "a.b=>c=>x=>unique=>1=>", "=>a=>b=>unique=>1=>",
                      "a=>=>b=>unique=>1=>", "a=>b.c=>y=>unique=>1=>"}));
}

TEST(FatosDocumento, FactsFollowTheirColumnsWhateverTheOrderOfTheLines) {
    const TDescricaoMapeamento original = MapeamentoComFatos();
    TArquivoKMF documento = MontaDocumentoMapeamento(original);
    // The column lines reversed, the facts entries left where they are.
    std::reverse(documento.getLinhas().begin() + 7, documento.getLinhas().begin() + 11);
    const TDescricaoMapeamento lida = LeDocumentoMapeamento(documento);
    ASSERT_TRUE(lida.controlaColunas);
    for (const auto& coluna : original.controlaColunas->getColunas()) {
        const TColuna* lidaColuna =
            std::as_const(*lida.controlaColunas)
                .getColuna(coluna->getTabela().getNomeCompleto(), coluna->nome);
        ASSERT_NE(lidaColuna, nullptr) << coluna->nome;
        EXPECT_EQ(lidaColuna->facts, coluna->facts) << coluna->nome;
        EXPECT_EQ(lidaColuna->getTabela().comment, coluna->getTabela().comment) << coluna->nome;
    }
    // The generation run reads the columns alone, and gets the facts with them.
    const auto colunas =
        LeValor(documento, kCamposMapeamento, &TDescricaoMapeamento::controlaColunas);
    EXPECT_EQ(std::as_const(*colunas).getColuna("sales.orders", "state")->facts.comment,
              "a=>b |> c || d|");
}

TEST(FatosDocumento, AMappingWithoutFactsOpensAndSavesAsItWas) {
    TDescricaoMapeamento antiga = MapeamentoComFatos();
    for (const auto& coluna : antiga.controlaColunas->getColunas()) {
        coluna->facts = {};
        coluna->getTabela().comment.clear();
    }
    const TArquivoKMF documento = MontaDocumentoMapeamento(antiga);
    EXPECT_EQ(documento.getLinhas().size(), 7u + 4u + 1u);
    const TDescricaoMapeamento lida = LeDocumentoMapeamento(documento);
    for (const auto& coluna : lida.controlaColunas->getColunas()) {
        EXPECT_EQ(coluna->facts, TColumnFacts()) << "unknown facts read as the defaults";
        EXPECT_TRUE(coluna->facts.nullable);
    }
    EXPECT_EQ(MontaDocumentoMapeamento(lida).getLinhas(), documento.getLinhas());
}

// A mapping file written before facts existed: opened and saved again, it is the same file.
TEST(FatosDocumento, AnOldMappingFileRoundTripsByteForByte) {
    teste::PastaTemporaria pasta;
    TArquivoKMF antigo;
    antigo.cabecalho = "Ana"; // the author
    for (const char* chave : {"Edit_nome", "Edit_autor", "edit_data", "edit_constring",
                              "edit_usuario", "edit_Senha", "combo_basedados"}) {
        antigo.AdicionaEntrada("descricao", chave,
                               std::string_view(chave) == "Edit_autor" ? "Ana" : chave);
    }
    antigo.AdicionaLinha("tabelasecolunas",
                         "TColuna||id=>1=>1=>Id=>0=>|>TTipoDado||int=>-1=>10=>0=>3=>-1=>1=>|>"
                         "TTabela||Customers=>dbo=>TABLE=>Cliente=>|>TBaseDados||Shop=>|>|>");
    antigo.AdicionaEntrada("tipos", "tiposprovider", "3;int;1;;");
    const std::string primeiro = pasta.arquivo("old.kmf");
    antigo.Salva(primeiro);

    TArquivoKMF aberto;
    aberto.Abre(primeiro);
    const std::string segundo = pasta.arquivo("again.kmf");
    MontaDocumentoMapeamento(LeDocumentoMapeamento(aberto)).Salva(segundo);
    EXPECT_EQ(teste::LeArquivo(segundo), teste::LeArquivo(primeiro));
}

TEST(FatosDocumento, EntriesOfNoColumnAreIgnoredAndDamagedOnesNamed) {
    TArquivoKMF documento = MontaDocumentoMapeamento(MapeamentoComFatos());
    documento.AdicionaEntrada("fatos", "coluna", "sales=>gone=>id=>0=>1=>1=>=>=>");
    const TDescricaoMapeamento lida = LeDocumentoMapeamento(documento);
    EXPECT_EQ(lida.controlaColunas->quantidade(), 4u);
    documento.AdicionaEntrada("fatos", "coluna", "sales=>orders=>");
    try {
        LeDocumentoMapeamento(documento);
        FAIL() << "a damaged entry was read";
    } catch (const EErroGeral& erro) {
        EXPECT_STREQ(erro.what(), "Entry 5 Of Section \"fatos\", Key \"coluna\", Of The "
                                  "Mapping Could Not Be Read");
    }
}

// What a person set by hand follows the facts, one entry per table and column that has
// any, each property with the database's value it replaced; reading puts it back, whatever
// the order of the column lines.
TEST(ManuaisDocumento, HandSetPropertiesRoundTripAfterTheFacts) {
    TDescricaoMapeamento descricao = MapeamentoComFatos();
    TArrColunas& colunas = descricao.controlaColunas->getColunas();
    colunas[1]->handSet = {{TColumnProperty::type, "varchar"},
                           {TColumnProperty::defaultValue, "a=>b\x1B"},
                           {TColumnProperty::comment, ""}};
    colunas[3]->handSet = {{TColumnProperty::nullable, "1"}};
    for (std::size_t i = 0; i < 3; ++i)
        colunas[i]->getTabela().handSetComment = "Orders";
    TArquivoKMF documento = MontaDocumentoMapeamento(descricao);
    const TListaTextos& linhas = documento.getLinhas();
    ASSERT_EQ(linhas.size(), 7u + 4u + 1u + 4u + 3u);
    EXPECT_EQ(linhas[16], "manuais||tabela||sales=>orders=>Orders=>||");
    EXPECT_EQ(documento.LeSecao("manuais", "coluna", false),
              (TListaTextos{"sales=>orders=>state=>type=>varchar=>default=>a=\x1B"
                            "2b\x1B"
                            "1=>comment=>=>\x1B=>",
                            "=>my.table=>x=>nullable=>1=>"}));

    std::reverse(documento.getLinhas().begin() + 7, documento.getLinhas().begin() + 11);
    const TDescricaoMapeamento lida = LeDocumentoMapeamento(documento);
    for (const auto& coluna : descricao.controlaColunas->getColunas()) {
        const TColuna* lidaColuna =
            std::as_const(*lida.controlaColunas)
                .getColuna(coluna->getTabela().getNomeCompleto(), coluna->nome);
        ASSERT_NE(lidaColuna, nullptr);
        EXPECT_EQ(lidaColuna->handSet, coluna->handSet) << coluna->nome;
        EXPECT_EQ(lidaColuna->getTabela().handSetComment, coluna->getTabela().handSetComment)
            << coluna->nome;
    }
    // A mapping in which nothing was set by hand has no such entries.
    EXPECT_TRUE(
        MontaDocumentoMapeamento(MapeamentoComFatos()).LeSecao("manuais", "", false).empty());
}

TEST(ManuaisDocumento, UnknownPropertiesAreIgnoredAndDamagedEntriesNamed) {
    TArquivoKMF documento = MontaDocumentoMapeamento(MapeamentoComFatos());
    documento.AdicionaEntrada("manuais", "coluna", "sales=>orders=>id=>colour=>red=>unique=>0=>");
    documento.AdicionaEntrada("manuais", "coluna", "sales=>gone=>id=>unique=>0=>");
    const TDescricaoMapeamento lida = LeDocumentoMapeamento(documento);
    EXPECT_EQ(std::as_const(*lida.controlaColunas).getColuna("sales.orders", "id")->handSet,
              (THandSetProperties{{TColumnProperty::unique, "0"}}));
    documento.AdicionaEntrada("manuais", "coluna", "sales=>orders=>id=>unique=>");
    try {
        LeDocumentoMapeamento(documento);
        FAIL() << "a damaged entry was read";
    } catch (const EErroGeral& erro) {
        EXPECT_STREQ(erro.what(), "Entry 3 Of Section \"manuais\", Key \"coluna\", Of The "
                                  "Mapping Could Not Be Read");
    }
}

} // namespace
} // namespace fendril

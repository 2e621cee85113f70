#include "FonteTeste.h"
#include "documents/DocumentoMapeamento.h"
#include "model/Erros.h"
#include "schema/CargaColunas.h"
#include "schema/StringConexao.h"
#include "schema/TMostraTabelas.h"
#include "schema/TSessaoConexoes.h"
#include "support/ArquivosTemporarios.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fendril {
namespace {

using namespace teste;
using TE = TEsquema;

class Carga : public ::testing::Test {
protected:
    void SetUp() override {
        FixaDataHora();
        fonte->Adiciona(TE::adSchemaCatalogs, Catalogo("shop"));
        fonte->Adiciona(TE::adSchemaTables, Tabela("shop", nullptr, "plain"));
        fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "sales", "orders"));
        fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "sales", "Customers"));
        fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "archive", "orders"));
        fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "sales", "summary", "VIEW"));
        fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "sys", "catalog", "SYSTEM TABLE"));
        fonte->Adiciona(TE::adSchemaTables, Tabela("other", "zeta", "elsewhere"));
        fonte->Adiciona(TE::adSchemaColumns, Coluna("shop", nullptr, "plain", "a"));
        fonte->Adiciona(TE::adSchemaColumns, Coluna("shop", "sales", "orders", "id"));
        fonte->Adiciona(TE::adSchemaColumns, Coluna("shop", "sales", "orders", "customer"));
        fonte->Adiciona(TE::adSchemaColumns, Coluna("shop", "sales", "orders", "seller"));
        fonte->Adiciona(TE::adSchemaColumns, Coluna("shop", "sales", "Customers", "id"));
        fonte->Adiciona(TE::adSchemaColumns, Coluna("shop", "archive", "orders", "old"));
        fonte->Adiciona(TE::adSchemaPrimaryKeys, Primaria("shop", "sales", "orders", "id"));
        fonte->Adiciona(TE::adSchemaForeignKeys,
                        Estrangeira("sales", "Customers", "id", "sales", "orders", "customer"));
        fonte->Adiciona(TE::adSchemaForeignKeys,
                        Estrangeira(nullptr, "plain", "a", "sales", "orders", "seller"));
        fonte->Adiciona(TE::adSchemaProviderTypes, TipoProvider("int", 3, nullptr, true));
    }

    std::vector<std::string> NomesColunas(const TControlaColunas& colunas) {
        std::vector<std::string> nomes;
        for (const auto& c : colunas.getColunas()) {
            nomes.push_back(c->getTabela().getNomeCompleto() + "." + c->nome);
        }
        return nomes;
    }

    std::shared_ptr<TFonteFixa> fonte = std::make_shared<TFonteFixa>();
    TFabricaConexao fabrica = FabricaFixa(fonte);
    TParametrosConexao conexao{"cs", "u", "p", ""};
};

TEST_F(Carga, LoadKeepsTheColumnsOfEachNamedSchemaInListOrder) {
    TCargaColunas carga;
    std::vector<std::string> progresso;
    CarregaControlaColunas(
        conexao, {"sales.orders", "plain", "archive.orders"}, carga,
        [&](const std::string& texto, std::int32_t) { progresso.push_back(texto); }, fabrica);
    ASSERT_TRUE(carga.controlaColunas);
    EXPECT_EQ(NomesColunas(*carga.controlaColunas),
              (std::vector<std::string>{"sales.orders.id", "sales.orders.customer",
                                        "sales.orders.seller", "plain.a", "archive.orders.old"}));
    EXPECT_EQ(carga.tiposProvider, TListaTextos{"3;int;1;;"});
    EXPECT_EQ(progresso,
              (std::vector<std::string>{"Loading Tables And Columns. Wait...",
                                        "Loading Tables And Columns. Wait...(33%)",
                                        "Loading Tables And Columns. Wait...(67%)",
                                        "Loading Tables And Columns. Wait...(100%)", ""}));
    const TListaTextos leitura = {L("Database -> OK"),       L("Tables -> OK"),
                                  L("Primary Keys -> OK"),   L("Foreign Keys -> OK"),
                                  L("Provider Types -> OK"), L("Columns -> OK")};
    TListaTextos esperado;
    for (const char* nome : {"sales.orders", "plain", "archive.orders"}) {
        esperado.push_back(std::string("### ") + nome + " ###");
        esperado.insert(esperado.end(), leitura.begin(), leitura.end());
    }
    EXPECT_EQ(carga.log, esperado);
    const TColuna* seller = carga.controlaColunas->getColuna("sales.orders", "seller");
    ASSERT_NE(seller, nullptr);
    EXPECT_TRUE(seller->chaveEstrangeira);
    EXPECT_EQ(seller->getColunaEstrangeira()->getTabela().getNomeCompleto(), "plain");
    EXPECT_EQ(carga.controlaColunas->getColuna("sales.orders", "id")->getChavePrimaria(), 1);
}

TEST_F(Carga, ReadingsShareOneConnectionPerLoad) {
    TCargaColunas carga;
    CarregaControlaColunas(conexao, {"sales.orders", "plain", "archive.orders"}, carga, {},
                           fabrica);
    EXPECT_EQ(fonte->aberturas, 1);
}

TEST_F(Carga, FailedLoadKeepsThePreviousColumns) {
    TCargaColunas carga;
    CarregaControlaColunas(conexao, {"plain"}, carga, {}, fabrica);
    fonte->falhaAbertura = "server went away";
    EXPECT_THROW(CarregaControlaColunas(conexao, {"sales.orders"}, carga, {}, fabrica), Exception);
    EXPECT_EQ(NomesColunas(*carga.controlaColunas), std::vector<std::string>{"plain.a"});
}

TEST_F(Carga, AddingTablesKeepsTheOldColumnsFirst) {
    TCargaColunas carga;
    CarregaControlaColunas(conexao, {"sales.orders"}, carga, {}, fabrica);
    carga.controlaColunas->getColunas()[0]->alias = "Id";
    ImportaNovaTabela(conexao, {"plain"}, carga, {}, fabrica);
    EXPECT_EQ(NomesColunas(*carga.controlaColunas),
              (std::vector<std::string>{"sales.orders.id", "sales.orders.customer",
                                        "sales.orders.seller", "plain.a"}));
    EXPECT_EQ(carga.controlaColunas->getColunas()[0]->alias, "Id");
}

TEST(LogCarga, WrittenAsFendrillogWithCrLfAndRemoved) {
    teste::PastaTemporaria pasta;
    const std::string dir = pasta.caminho().string();
    GravaLogCarga(dir, {"### a ###", "x"});
    EXPECT_EQ(teste::LeArquivo(pasta.arquivo("Fendrillog.txt")), "### a ###\r\nx\r\n");
    ApagaLogCarga(dir);
    EXPECT_FALSE(std::filesystem::exists(pasta.arquivo("Fendrillog.txt")));
    ApagaLogCarga(dir);
}

TEST(TMostraTabelas, QueryNamesBracketTheTablePartOfNamesWithSpaces) {
    EXPECT_EQ(getNomeTabelaAccess("dbo.Orders"), "dbo.Orders");
    EXPECT_EQ(getNomeTabelaAccess("dbo.Order Lines"), "dbo.[Order Lines]");
    EXPECT_EQ(getNomeTabelaAccess("Order Lines"), "[Order Lines]");
    EXPECT_EQ(getNomeTabelaAccess("my schema.t x"), "my schema.[t x]");
}

TEST(Porcentagem, RoundsHalvesToEven) {
    EXPECT_EQ(Porcentagem(1, 8), 12);
    EXPECT_EQ(Porcentagem(3, 8), 38);
    EXPECT_EQ(Porcentagem(1, 200), 0);
    EXPECT_EQ(Porcentagem(3, 200), 2);
    EXPECT_EQ(Porcentagem(2, 3), 67);
}

TEST_F(Carga, ChooserFiltersByTypeAndSchemaAndFillsTheSchemaList) {
    struct Caso {
        const char* opcao;
        const char* esquema;
        std::vector<std::string> esperado;
    };
    const std::vector<Caso> casos = {
        {"All",
         "",
         {"plain", "sales.orders", "sales.Customers", "archive.orders", "sales.summary",
          "sys.catalog"}},
        {"Simple Tables", "All", {"plain", "sales.orders", "sales.Customers", "archive.orders"}},
        {"Views", "All", {"sales.summary"}},
        {"System Tables", "All", {"sys.catalog"}},
        {"Simple Tables", "sales", {"sales.orders", "sales.Customers"}},
    };
    for (const Caso& caso : casos) {
        TMostraTabelas chooser(conexao, "shop", fabrica);
        EXPECT_EQ(chooser.PreencheLista(TMostraTabelas::TipoDaOpcao(caso.opcao), caso.esquema),
                  caso.esperado)
            << caso.opcao << " " << caso.esquema;
    }
    TMostraTabelas chooser(conexao, "shop", fabrica);
    chooser.PreencheLista("", "");
    EXPECT_EQ(chooser.getEsquemas(), (TListaTextos{"archive", "sales", "sys"}));
    EXPECT_EQ(chooser.getTextoEsquema(), "All");
    EXPECT_EQ(chooser.getLog(),
              (TListaTextos{"### Loading Tables ###", L("Database -> OK"), L("Tables -> OK")}));
}

TEST_F(Carga, ChooserLeavesOutExcludedNamesWhateverTheirCase) {
    TMostraTabelas chooser(conexao, "shop", fabrica);
    chooser.excluidas = {"SALES.ORDERS", "Plain"};
    EXPECT_EQ(chooser.PreencheLista("TABLE", "All"),
              (TListaTextos{"sales.Customers", "archive.orders"}));
}

TEST_F(Carga, ChooserLinksTablesToTheTablesTheyReferTo) {
    TMostraTabelas chooser(conexao, "shop", fabrica);
    chooser.checaEstrangeiras = true;
    chooser.PreencheLista("TABLE", "All");
    EXPECT_EQ(chooser.getRelacoes(),
              (TListaTextos{"sales.Customers->sales.orders->", "plain->sales.orders->"}));
    std::vector<TMostraTabelas::TItem> itens = {
        {"plain", false}, {"sales.orders", false}, {"sales.Customers", false}, {"x", false}};
    chooser.MarcaPais("sales.orders", true, itens);
    EXPECT_TRUE(itens[0].marcado);
    EXPECT_FALSE(itens[1].marcado);
    EXPECT_TRUE(itens[2].marcado);
    EXPECT_FALSE(itens[3].marcado);
    chooser.MarcaPais("sales.orders", false, itens);
    EXPECT_FALSE(itens[0].marcado || itens[2].marcado);
    EXPECT_NE(std::find(chooser.getLog().begin(), chooser.getLog().end(),
                        "### Loading Foreign Tables of sales.orders ###"),
              chooser.getLog().end());
}

TEST_F(Carga, MappingDocumentLinesInOrderAndBack) {
    TCargaColunas carga;
    CarregaControlaColunas(conexao, {"sales.orders", "plain"}, carga, {}, fabrica);
    TDescricaoMapeamento descricao;
    descricao.Edit_nome = "Shop";
    descricao.Edit_autor = "Ana";
    descricao.edit_data = "01/02/2026";
    descricao.edit_constring = "Provider=SQLite;Data Source=shop.db";
    descricao.edit_usuario = "u";
    descricao.edit_Senha = "p;|x";
    descricao.combo_basedados = "main";
    descricao.tiposProvider = carga.tiposProvider;
    const std::string primeira = carga.controlaColunas->getColunas()[0]->Codifica();
    descricao.controlaColunas = std::move(carga.controlaColunas);

    const TArquivoKMF documento = MontaDocumentoMapeamento(descricao);
    EXPECT_EQ(documento.cabecalho, "Ana");
    const TListaTextos& linhas = documento.getLinhas();
    ASSERT_EQ(linhas.size(), 7u + 4u + 1u + 1u);
    EXPECT_EQ(linhas[0], "descricao||Edit_nome||Shop||");
    EXPECT_EQ(linhas[1], "descricao||Edit_autor||Ana||");
    EXPECT_EQ(linhas[2], "descricao||edit_data||01/02/2026||");
    EXPECT_EQ(linhas[3], "descricao||edit_constring||Provider=SQLite;Data Source=shop.db||");
    EXPECT_EQ(linhas[4], "descricao||edit_usuario||u||");
    EXPECT_EQ(linhas[6], "descricao||combo_basedados||main||");
    EXPECT_EQ(linhas[7], "tabelasecolunas||" + primeira);
    EXPECT_EQ(linhas[11], "tipos||tiposprovider||3;int;1;;||");
    // The key column is not nullable and, alone in its key, unique; the others' facts are
    // unknown and take no line.
    EXPECT_EQ(linhas[12], "fatos||coluna||sales=>orders=>id=>0=>1=>0=>=>=>||");

    const TDescricaoMapeamento lida = LeDocumentoMapeamento(documento);
    EXPECT_EQ(lida.edit_Senha, "p;|x");
    EXPECT_EQ(lida.combo_basedados, "main");
    ASSERT_TRUE(lida.controlaColunas);
    ASSERT_EQ(lida.controlaColunas->quantidade(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(lida.controlaColunas->getColunas()[i]->Codifica(),
                  descricao.controlaColunas->getColunas()[i]->Codifica());
        EXPECT_EQ(lida.controlaColunas->getColunas()[i]->facts,
                  descricao.controlaColunas->getColunas()[i]->facts);
    }
    EXPECT_EQ(lida.tiposProvider, descricao.tiposProvider);
}

TEST_F(Carga, AnyFailureReadingATableFailsTheLoadAndKeepsTheColumns) {
    TCargaColunas carga;
    CarregaControlaColunas(conexao, {"sales.orders"}, carga, {}, fabrica);
    const std::string antes = carga.controlaColunas->getColunas()[0]->Codifica();
    struct Caso {
        TE esquema;
        std::string texto;
    };
    fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "sales", "broken"));
    fonte->Adiciona(TE::adSchemaColumns, Coluna("shop", "sales", "broken", nullptr));
    for (const Caso& caso :
         {Caso{TE::adSchemaColumns, "Columns -> The connection has been lost"},
          Caso{TE::adSchemaForeignKeys, "Foreign Keys -> The connection has been lost"},
          Caso{TE::adSchemaProviderTypes, ""}}) {
        fonte->erros = {{caso.esquema, "The connection has been lost"}};
        EXPECT_THROW(CarregaControlaColunas(conexao, {"plain", "sales.orders"}, carga, {}, fabrica),
                     Exception);
        EXPECT_EQ(carga.controlaColunas->getColunas()[0]->Codifica(), antes);
        if (!caso.texto.empty()) {
            EXPECT_EQ(carga.log.back(), L(caso.texto));
        }
    }
    fonte->erros.clear();
    // A column that cannot be built fails the load too, even the first one of its table.
    try {
        CarregaControlaColunas(conexao, {"sales.broken"}, carga, {}, fabrica);
        FAIL() << "a table without its columns was loaded";
    } catch (const EErroGeral& erro) {
        EXPECT_EQ(erro.textoErro(),
                  "Table \"sales.broken\" Could Not Be Read: Columns -> Invalid use of Null");
    }
}

TEST_F(Carga, TablesExistByTheirExactQualifiedName) {
    fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "sales", "empty"));
    EXPECT_TRUE(TabelaExiste(conexao, "sales.empty", fabrica)) << "a table without columns";
    EXPECT_TRUE(TabelaExiste(conexao, "plain", fabrica));
    for (const char* nome : {"sales.ordrs", "archive.Orders", "orders", "sales.plain"}) {
        EXPECT_FALSE(TabelaExiste(conexao, nome, fabrica)) << nome;
    }
    fonte->erros = {{TE::adSchemaTables, "lost"}};
    EXPECT_THROW(TabelaExiste(conexao, "plain", fabrica), EErroGeral);
}

TEST_F(Carga, NamesWithDotsAreFoundByTheirSchemaAndTableFields) {
    fonte->Adiciona(TE::adSchemaTables, Tabela("shop", nullptr, "my.table"));
    fonte->Adiciona(TE::adSchemaColumns, Coluna("shop", nullptr, "my.table", "x"));
    fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "a", "b.c"));
    fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "a.b", "c"));
    TCargaColunas carga;
    CarregaControlaColunas(conexao, {"my.table", "sales.orders"}, carga, {}, fabrica);
    EXPECT_EQ(NomesColunas(*carga.controlaColunas),
              (std::vector<std::string>{"my.table.x", "sales.orders.id", "sales.orders.customer",
                                        "sales.orders.seller"}));
    EXPECT_EQ(carga.controlaColunas->getTabela("my.table")->esquema, "");
    EXPECT_TRUE(TabelaExiste(conexao, "my.table", fabrica));
    EXPECT_EQ(fonte->aberturas, 2) << "one connection per load, one per existence check";
    try {
        CarregaControlaColunas(conexao, {"a.b.c"}, carga, {}, fabrica);
        FAIL() << "an ambiguous name was loaded";
    } catch (const EErroGeral& erro) {
        EXPECT_STREQ(erro.what(), "Table Name \"a.b.c\" Is Ambiguous: It Names Schema \"a\" "
                                  "Table \"b.c\", Schema \"a.b\" Table \"c\" !!");
    }
}

TEST(CompletaTiposProvider, TheColumnsTypesJoinTheListAndMayBecomeItsBestMatches) {
    const TListaTextos fonte = {"131;numeric;1;precision, scale;", "135;timestamptz;1;;",
                                "129;varchar;1;max. length;", "129;char;0;max. length;"};
    const auto colunas = [](std::vector<std::pair<const char*, int>> tipos) {
        TArrColunas arr;
        for (const auto& [nome, codigo] : tipos) {
            arr.push_back(std::make_unique<TColuna>());
            arr.back()->getTipoDado().nome = nome;
            arr.back()->getTipoDado().tipoOLE = codigo;
        }
        return arr;
    };
    TListaTextos tipos = fonte;
    CompletaTiposProvider(tipos, colunas({{"numeric", 131}, {"varchar", 129}, {"", 0}}));
    EXPECT_EQ(tipos, fonte) << "nothing gained, nothing changed";

    CompletaTiposProvider(
        tipos,
        colunas({{"timestamp", 135}, {"bpchar", 129}, {"timestamp", 135}, {"mpaa_rating", 129}}));
    EXPECT_EQ(tipos,
              (TListaTextos{"131;numeric;1;precision, scale;", "129;varchar;1;max. length;",
                            "135;timestamp;1;;", "135;timestamptz;0;;", "129;char;0;max. length;",
                            "129;bpchar;0;;", "129;mpaa_rating;0;;"}));
}

TEST_F(Carga, NamesHoldingTheSeparatorsSurviveSavingAndOpening) {
    fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "s|>x", "a=>b"));
    fonte->Adiciona(TE::adSchemaColumns, Coluna("shop", "s|>x", "a=>b", ">c"));
    fonte->Adiciona(TE::adSchemaColumns, Coluna("shop", "s|>x", "a=>b", "d=>|>"));
    TCargaColunas carga;
    CarregaControlaColunas(conexao, {"s|>x.a=>b", "plain"}, carga, {}, fabrica);
    TDescricaoMapeamento descricao;
    descricao.Edit_autor = "Ana";
    descricao.controlaColunas = std::move(carga.controlaColunas);
    PastaTemporaria pasta;
    const std::string caminho = pasta.arquivo("names.kmf");
    MontaDocumentoMapeamento(descricao).Salva(caminho);
    TArquivoKMF documento;
    documento.Abre(caminho);
    const TDescricaoMapeamento lida = LeDocumentoMapeamento(documento);
    ASSERT_TRUE(lida.controlaColunas);
    EXPECT_EQ(NomesColunas(*lida.controlaColunas),
              (std::vector<std::string>{"s|>x.a=>b.>c", "s|>x.a=>b.d=>|>", "plain.a"}));
    // The other column's line is stored as it always was.
    EXPECT_EQ(documento.getLinhas()[9],
              "tabelasecolunas||" + descricao.controlaColunas->getColunas()[2]->Codifica());
    EXPECT_EQ(documento.getLinhas()[9].find('\x1B'), std::string::npos);
}

TEST_F(Carga, TablesHiddenByLetterCaseAreReported) {
    fonte->Adiciona(TE::adSchemaTables, Tabela("shop", "sales", "ORDERS"));
    fonte->Adiciona(TE::adSchemaColumns, Coluna("shop", "sales", "ORDERS", "x"));
    TCargaColunas carga;
    CarregaControlaColunas(conexao, {"sales.orders", "sales.ORDERS"}, carga, {}, fabrica);
    const std::string aviso = "Table \"sales.ORDERS\" Is Left Out: Its Name Differs From "
                              "\"sales.orders\" Only In Letter Case";
    EXPECT_EQ(carga.avisos, TListaTextos{aviso});
    EXPECT_EQ(carga.log.back(), L(aviso));

    // Adding a table reports what the whole mapping hides.
    TCargaColunas adicao;
    CarregaControlaColunas(conexao, {"sales.orders"}, adicao, {}, fabrica);
    ImportaNovaTabela(conexao, {"sales.ORDERS"}, adicao, {}, fabrica);
    EXPECT_EQ(adicao.avisos, TListaTextos{aviso});
}

TEST(StringConexao, KeysIgnoreCaseAndValuesMayBeQuoted) {
    const TStringConexao pares(
        " provider = SQLite ; DATA SOURCE=\"C:\\a;b \"\"c\"\".db\";Extended='x=1;y'");
    EXPECT_EQ(pares.Valor("Provider"), "SQLite");
    EXPECT_EQ(pares.Valor("data source"), "C:\\a;b \"c\".db");
    EXPECT_EQ(pares.Valor("extended"), "x=1;y");
    EXPECT_FALSE(pares.Valor("user id"));
    EXPECT_TRUE(EhProviderSQLite("PROVIDER=sqlite;Data Source=x"));
    EXPECT_FALSE(EhProviderSQLite("Driver=SQLite3;Database=x"));
}

TEST(StringConexao, OdbcStringDropsALeadingMsdasqlProviderOnly) {
    EXPECT_EQ(StringODBC("Provider=MSDASQL.1;DSN=shop"), "DSN=shop");
    EXPECT_EQ(StringODBC("provider=msdasql;Driver=x;Database=y"), "Driver=x;Database=y");
    EXPECT_EQ(StringODBC("DSN=shop"), "DSN=shop");
    EXPECT_EQ(StringODBC("DSN=shop;Provider=MSDASQL"), "DSN=shop;Provider=MSDASQL");
    EXPECT_EQ(ValorODBC("plain"), "plain");
    EXPECT_EQ(ValorODBC("a;b}c"), "{a;b}}c}");
}

// The string of a .udl file: what the connection dialog writes reads back; the lines after
// the marker are joined; zero bytes (a UTF-16 file) are dropped; no marker, or a marker on
// the last line, gives "".
TEST(StringConexao, UdlFileHoldsTheStringAfterTheMarkerLine) {
    EXPECT_EQ(LeStringUdl(EscreveUdl("Provider=SQLite;Data Source=/tmp/a b.db")),
              "Provider=SQLite;Data Source=/tmp/a b.db");
    EXPECT_EQ(LeStringUdl("[oledb]\n; Everything after this line is an OLE DB initstring\r"
                          "Provider=MSDASQL;\r\nDSN=shop\n"),
              "Provider=MSDASQL;DSN=shop");
    const std::string utf16("[\0o\0]\0\r\0\n\0", 10);
    std::string largo = utf16;
    for (char c : std::string(MarcadorUdl) + "\r\nDSN=x")
        largo.append({c, '\0'});
    EXPECT_EQ(LeStringUdl(largo), "DSN=x");
    EXPECT_EQ(LeStringUdl(""), "");
    EXPECT_EQ(LeStringUdl("[oledb]\r\nProvider=SQLite\r\n"), "");
    EXPECT_EQ(LeStringUdl(std::string(MarcadorUdl) + "\r\n"), "");
}

TEST_F(Carga, SessionEndedEarlyConnectsAgainOnTheNextOpen) {
    int abertas = 0;
    TSessaoConexoes sessao([&] {
        ++abertas;
        return fabrica();
    });
    const auto le = [&] {
        std::unique_ptr<TConexao> aberta = sessao.Fabrica()();
        aberta->Open("cs", "u", "p");
        EXPECT_EQ(aberta->OpenSchema(TE::adSchemaCatalogs, {})->Texto(0), "shop");
        aberta->Close();
    };
    le();
    le();
    EXPECT_EQ(abertas, 1);
    sessao.Encerra();
    le();
    EXPECT_EQ(abertas, 2);
}

} // namespace
} // namespace fendril

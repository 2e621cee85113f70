#include "engine/TMontaCodigo.h"

#include "ConjuntoDeTeste.h"
#include "model/Erros.h"

#include <gtest/gtest.h>

namespace fendril {
namespace {

using teste::Col;
using teste::Expande;
using teste::Preenche;

const std::string kErroQuantidade =
    "Syntax Error: Number of Opening and Closing Tags Does Not Match !!";
const std::string kErroCruzadas = "Syntax Error: Crossed Tags Present ";

// A set built from a few columns, expanded with the default correspondence lines.
class Montagem : public ::testing::Test {
protected:
    void Define(const std::vector<Col>& colunas) { Preenche(m_conjunto, colunas); }
    TListaTextos Gera(const TListaTextos& modelo) { return Expande(&m_conjunto, modelo); }
    std::string Linha(const std::string& modelo) {
        const TListaTextos linhas = Gera({modelo});
        EXPECT_EQ(linhas.size(), 1u) << modelo;
        return linhas.empty() ? std::string() : linhas.front();
    }

    TControlaColunas m_conjunto;
};

// --- Document and table scope --------------------------------------------------------------

TEST_F(Montagem, DocumentScopeTags) {
    Define({{.tabela = "A", .nome = "x"}, {.tabela = "B", .nome = "y"}});
    EXPECT_EQ(Linha("<dbname>/<parentclass>/<tbcount>"), "shop/Base/2");
}

TEST_F(Montagem, TableScopeTags) {
    Define({{.tabela = "dbo.Customers", .nome = "id", .tbAlias = "Cliente"},
            {.tabela = "Orders", .nome = "id", .tbTipo = "VIEW"}});
    EXPECT_EQ(Linha("<rctable>[<tbname>|<tbschema>|<tbtype>|<tbalias>|<tbindex>]</rctable>"),
              "[dbo.Customers|dbo|TABLE|Cliente|0][Orders||VIEW||1]");
}

TEST_F(Montagem, TableTagsInsideColumnBlocksTakeTheTableValue) {
    Define({{.tabela = "T", .nome = "a", .tbAlias = "Tee"}, {.tabela = "T", .nome = "b"}});
    EXPECT_EQ(Linha("<rctable><simplecol><tbalias><tbindex><colname>;</simplecol></rctable>"),
              "Tee0a;Tee0b;");
}

TEST_F(Montagem, TableCounts) {
    Define({{.tabela = "T", .nome = "id", .pk = true, .fk = "P.x"},
            {.tabela = "T", .nome = "a", .fk = "P.y"},
            {.tabela = "T", .nome = "b"},
            {.tabela = "T", .nome = "d", .dataHora = 3}});
    // The primary key that is a foreign key counts as primary and foreign, not simple; the
    // foreign key outside the key counts as simple and foreign.
    EXPECT_EQ(Linha("<rctable><simplecolcount> <frkcolcount> <prkcolcount> <colcount> "
                    "<coldatecount></rctable>"),
              "3 2 1 4 1");
}

TEST_F(Montagem, TbCountOfOneTableSet) {
    Define({{.tabela = "dbo.T", .nome = "a"}, {.tabela = "dbo.T", .nome = "b"}});
    EXPECT_EQ(Linha("<tbcount>"), "1");
}

TEST_F(Montagem, EmptySetRemovesTableBlocksAndCountsNoTables) {
    EXPECT_EQ(Gera({"n=<tbcount>", "<rctable>", "x<tbname>", "</rctable>", "end"}),
              (TListaTextos{"n=0", "", "end"}));
    EXPECT_EQ(Expande(nullptr, {"<tbcount>[<rctable>x</rctable>]"}), (TListaTextos{"0[]"}));
}

// --- Column scope --------------------------------------------------------------------------

TEST_F(Montagem, ColumnScopeTags) {
    Define({{.tabela = "dbo.T", .nome = "a", .alias = "Aa"}});
    EXPECT_EQ(Linha("<rctable><simplecol><parentclass>|<colname>|<tbname>|<colinivar>|"
                    "<colvartype>|<colalias>|<colprvtype>|<colindex></simplecol></rctable>"),
              "Base|a|dbo.T|0|Integer|Aa|int|0");
}

TEST_F(Montagem, ReferencedColumnTagsAndPlainTableName) {
    Define({{.tabela = "dbo.Orders", .nome = "id", .pk = true},
            {.tabela = "Items", .nome = "order_id", .fk = "dbo.Orders.id"}});
    EXPECT_EQ(Linha("<rctable><frkcol><colname>-><frktbname>.<frkcolname></frkcol>|</rctable>"),
              "|order_id->Orders.id|");
}

TEST_F(Montagem, ReferencedColumnTagsStayOutsideForeignKeyBlocks) {
    Define({{.tabela = "T", .nome = "f", .fk = "U.id", .dataHora = 2}});
    EXPECT_EQ(Linha("<rctable><simplecol><frkcolname><frktbname></simplecol>|<coldatetype>"
                    "<frktbname></coldatetype></rctable>"),
              "<frkcolname><frktbname>|<frktbname>");
}

struct CasoMedidas {
    const char* descricao;
    Col coluna;
    const char* esperado; // "<collength>|<colprecision>|<colscale>"
};

// Names the case in test listings (the default prints the bytes, addresses included).
void PrintTo(const CasoMedidas& caso, std::ostream* saida) {
    *saida << caso.descricao;
}

class Medidas : public ::testing::TestWithParam<CasoMedidas> {};

TEST_P(Medidas, LengthPrecisionScale) {
    TControlaColunas conjunto;
    Preenche(conjunto, {GetParam().coluna});
    EXPECT_EQ(
        Expande(&conjunto, {"<rctable><simplecol><collength>|<colprecision>|<colscale></simplecol>"
                            "</rctable>"}),
        TListaTextos{GetParam().esperado});
}

INSTANTIATE_TEST_SUITE_P(TMontaCodigo, Medidas,
                         ::testing::Values(CasoMedidas{"varchar50",
                                                       {.tabela = "T",
                                                        .nome = "c",
                                                        .tipo = "varchar",
                                                        .tamanho = 50,
                                                        .precisao = -1,
                                                        .escala = -1},
                                                       "50|-1|-1"},
                                           CasoMedidas{"numeric10_2",
                                                       {.tabela = "T",
                                                        .nome = "c",
                                                        .tipo = "numeric",
                                                        .tamanho = -1,
                                                        .precisao = 10,
                                                        .escala = 2},
                                                       "10|10|2"},
                                           CasoMedidas{"datetime3",
                                                       {.tabela = "T",
                                                        .nome = "c",
                                                        .tipo = "datetime",
                                                        .tamanho = -1,
                                                        .precisao = -1,
                                                        .escala = -1,
                                                        .dataHora = 3},
                                                       "-1|3|-1"},
                                           CasoMedidas{"textWithoutScale",
                                                       {.tabela = "T",
                                                        .nome = "c",
                                                        .tipo = "text",
                                                        .tamanho = 2147483647,
                                                        .precisao = -1,
                                                        .escala = -1},
                                                       "2147483647|-1|-1"}),
                         [](const auto& caso) { return std::string(caso.param.descricao); });

TEST_F(Montagem, TypeMatchingIsExactFirstLineWinsAndMissIsEmpty) {
    Define({{.tabela = "T", .nome = "a", .tipo = "int"},
            {.tabela = "T", .nome = "b", .tipo = "blob"},
            {.tabela = "T", .nome = "c", .tipo = "INT"}});
    const TListaTextos tipos = {"INT;Long;1;", "int;Integer;0;", "int;Wrong;9;", " blob;X;Y;"};
    EXPECT_EQ(Expande(&m_conjunto,
                      {"<rctable><simplecol><colname>=<colvartype>/<colinivar>;</simplecol>"
                       "</rctable>"},
                      tipos),
              (TListaTextos{"a=Integer/0;b=/;c=Long/1;"}));
}

TEST(TMontaCodigo, BuscaTipo) {
    TMontaCodigo motor;
    motor.AdicionaTipos({"int;Integer;0;", "varchar;String;;", "bad", "int;Other;1;"});
    motor.AdicionaTipos({"short;Small;"});
    TTipoDado tipo;
    const auto busca = [&](const char* nome) {
        tipo.nome = nome;
        return motor.BuscaTipo(tipo);
    };
    using Par = std::pair<std::string, std::string>;
    EXPECT_EQ(busca("int"), (Par{"Integer", "0"}));
    EXPECT_EQ(busca("varchar"), (Par{"String", ""}));
    EXPECT_EQ(busca("Int"), Par{});
    EXPECT_EQ(busca("bad"), Par{});
    EXPECT_EQ(busca("short"), (Par{"Small", ""}));
    EXPECT_EQ(busca(""), Par{});
}

// Prepared types and reserved words answer as the same lines added to an engine, and an
// engine that adds more lines afterwards changes its own copy, not the shared one.
TEST(TMontaCodigo, PreparedTypesAnswerAsAddedOnesAndStayShared) {
    const TListaTextos linhas = {"int;Integer;0;", "bad", "int;Other;1;", "*;Any;;"};
    const auto preparados = TMontaCodigo::PreparaTipos(linhas, {"class"});
    TMontaCodigo adicionado;
    adicionado.AdicionaTipos(linhas);
    adicionado.setPalavrasReservadas({"class"});
    TMontaCodigo compartilhado;
    compartilhado.setTiposPreparados(preparados);
    TMontaCodigo outro;
    outro.setTiposPreparados(preparados);
    outro.AdicionaTipos({"short;Small;"});
    TTipoDado tipo;
    for (const char* nome : {"int", "bad", "short", "x"}) {
        tipo.nome = nome;
        EXPECT_EQ(compartilhado.BuscaTipo(tipo), adicionado.BuscaTipo(tipo)) << nome;
    }
    tipo.nome = "short";
    EXPECT_EQ(outro.BuscaTipo(tipo), (std::pair<std::string, std::string>{"Small", ""}));
    EXPECT_EQ(compartilhado.BuscaTipo(tipo), (std::pair<std::string, std::string>{"Any", ""}));
    EXPECT_EQ(preparados->reservadas.count("class"), 1U);
    EXPECT_EQ(preparados->tipos.count("short"), 0U);
}

// Fallback lines ("*family", "*") serve only names no line gives; a table without them
// keeps every miss empty.
TEST(TMontaCodigo, BuscaTipoFallsBackToTheFamilyThenToAny) {
    TMontaCodigo motor;
    motor.AdicionaTipos({"INTEGER;long;0;", "*integer;int;0;", "*string;QString;;",
                         "*datetime;QDateTime;;", "*;QVariant;;"});
    using Par = std::pair<std::string, std::string>;
    struct Caso {
        const char* nome;
        int codigo;
        Par esperado;
    };
    const Caso casos[] = {
        {"INTEGER", 3, {"long", "0"}},           // the exact name wins over its family
        {"INT", 3, {"int", "0"}},                // DBTYPE_I4
        {"tinyint", 17, {"int", "0"}},           // DBTYPE_UI1
        {"NVARCHAR", 130, {"QString", ""}},      // DBTYPE_WSTR
        {"mpaa_rating", 129, {"QString", ""}},   // an enum read as DBTYPE_STR
        {"timestamptz", 135, {"QDateTime", ""}}, // DBTYPE_DBTIMESTAMP
        {"money", 6, {"QVariant", ""}},          // DBTYPE_CY: "*decimal" absent, so "*"
        {"weird", -1, {"QVariant", ""}},         // no known code
    };
    for (const Caso& caso : casos) {
        TTipoDado tipo;
        tipo.nome = caso.nome;
        tipo.tipoOLE = caso.codigo;
        EXPECT_EQ(motor.BuscaTipo(tipo), caso.esperado) << caso.nome;
    }

    TMontaCodigo semReserva;
    semReserva.AdicionaTipos({"INTEGER;long;0;"});
    TTipoDado inteiro;
    inteiro.nome = "INT";
    inteiro.tipoOLE = 3;
    EXPECT_EQ(semReserva.BuscaTipo(inteiro), Par{});
}

TEST_F(Montagem, UnknownMisspelledAndOutOfScopeTagsStay) {
    Define({{.tabela = "T", .nome = "a"}});
    EXPECT_EQ(Gera({"<TbName> <tbnam> <colname> <tbname> <colindex>",
                    "<rctable><TbName>|<TBNAME>|<tbnam>|<colname>|<frkcolname></rctable>"}),
              (TListaTextos{"<TbName> <tbnam> <colname> <tbname> <colindex>",
                            "<TbName>|<TBNAME>|<tbnam>|<colname>|<frkcolname>"}));
}

TEST_F(Montagem, InsertedValuesAreSearchedOnlyByLaterSteps) {
    Define({{.tabela = "T",
             .nome = "a",
             .alias = "X<colprvtype><colname>",
             .tbAlias = "P<parentclass>"}});
    const TListaTextos tipos = {"int;V<colname>;<colalias>;"};
    EXPECT_EQ(Expande(&m_conjunto,
                      {"<rctable><simplecol><colalias>|<colvartype>|<colinivar>|<tbalias>"
                       "</simplecol>|<tbalias></rctable>"},
                      tipos),
              (TListaTextos{"Xint<colname>|V<colname>|Xint<colname>|PBase|P<parentclass>"}))
        << "colalias comes after colname and colinivar, before colprvtype";
}

TEST_F(Montagem, AliasInsertedBeforeProviderTypeGetsIt) {
    Define({{.tabela = "T", .nome = "a", .alias = "X<colprvtype>"}});
    EXPECT_EQ(Linha("<rctable><simplecol><colalias></simplecol></rctable>"), "Xint");
}

// --- Blocks --------------------------------------------------------------------------------

TEST_F(Montagem, ForeignKeyBlockDisappearsForTableWithoutForeignKeys) {
    Define({{.tabela = "T", .nome = "a"}, {.tabela = "T", .nome = "b"}});
    EXPECT_EQ(Gera({"<rctable>[<frkcolcount>]<frkcol>", "x<colname>", "</frkcol>end</rctable>"}),
              (TListaTextos{"[0]end"}));
}

TEST_F(Montagem, BodyStartingWithLineBreakGivesOnlyTheRepeatedLines) {
    Define({{.tabela = "T", .nome = "a"}, {.tabela = "T", .nome = "b"}});
    EXPECT_EQ(Gera({"<rctable><simplecol>", "  int <colname>;", "</simplecol></rctable>"}),
              (TListaTextos{"  int a;", "  int b;", ""}));
}

TEST_F(Montagem, EmptyBlockExpandsToNothing) {
    Define({{.tabela = "T", .nome = "a"}});
    EXPECT_EQ(Linha("<rctable>[<simplecol></simplecol>]</rctable>"), "[]");
}

TEST_F(Montagem, ColumnIndexCountsWithinOneBlockExpansion) {
    Define({{.tabela = "T", .nome = "a"},
            {.tabela = "T", .nome = "f1", .fk = "U.x"},
            {.tabela = "T", .nome = "b"},
            {.tabela = "T", .nome = "f2", .fk = "U.y"},
            {.tabela = "T", .nome = "d1", .dataHora = 3},
            {.tabela = "T", .nome = "c"},
            {.tabela = "T", .nome = "f3", .fk = "U.z"},
            {.tabela = "T", .nome = "d2", .dataHora = 0},
            {.tabela = "U", .nome = "g", .pk = true, .fk = "T.a"}});
    EXPECT_EQ(Linha("<rctable><frkcol><colname>=<colindex> </frkcol>|<coldatetype><colname>="
                    "<colindex> </coldatetype>|<simplecol><colindex></simplecol>|"
                    "<prkcol><colindex></prkcol>;</rctable>"),
              "f1=0 f2=1 f3=2 |d1=0 d2=1 |01234567|;g=0 |||0;");
}

TEST_F(Montagem, SimpleBlockInsidePrimaryKeyBlock) {
    Define({{.tabela = "T", .nome = "id", .pk = true},
            {.tabela = "T", .nome = "a"},
            {.tabela = "T", .nome = "b"}});
    EXPECT_EQ(Linha("<rctable><prkcol><colname>:<simplecol> <colname></simplecol></prkcol>"
                    "</rctable>"),
              "id: a b");
}

TEST_F(Montagem, BlockOfAnEarlierKindInsideALaterOneTakesTheOuterValues) {
    // The foreign-key block is expanded after the simple one that holds it, so its column
    // tags already carry the simple column's values; only the referenced tags are left.
    Define({{.tabela = "T", .nome = "id", .pk = true, .fk = "U.k"}, {.tabela = "T", .nome = "a"}});
    EXPECT_EQ(Linha("<rctable><simplecol>[<colname><frkcol>(<colname>,<frkcolname>)</frkcol>]"
                    "</simplecol></rctable>"),
              "[a(a,k)]");
}

TEST_F(Montagem, SameKindBlocksNestInnerFirst) {
    Define({{.tabela = "T", .nome = "a"}, {.tabela = "T", .nome = "b"}});
    EXPECT_EQ(Linha("<rctable><simplecol><colname>(<simplecol><colname></simplecol>)"
                    "</simplecol></rctable>"),
              "a(ab)b(ab)");
}

TEST_F(Montagem, TagsJoinedAcrossAnEmptyExpansionAreFound) {
    // The empty inner blocks expand to nothing, which joins "</simp" and "lecol>" into the
    // closing tag of the outer simple block, and "<frk", "col>" and "</frk", "col>" into
    // the two tags of a foreign-key block.
    Define({{.tabela = "T", .nome = "a"}, {.tabela = "T", .nome = "b", .fk = "U.k"}});
    EXPECT_EQ(Linha("<rctable><simplecol>[<colname></simp<simplecol></simplecol>lecol>]"
                    "</simplecol></rctable>"),
              "[a[b]</simplecol>");
    EXPECT_EQ(Linha("<rctable><frk<frkcol></frkcol>col><colname></frk<frkcol></frkcol>col>"
                    "</rctable>"),
              "b");
}

TEST_F(Montagem, NestedTableBlockIsExpandedFirstOverAllTables) {
    Define({{.tabela = "A", .nome = "x"}, {.tabela = "B", .nome = "y"}});
    EXPECT_EQ(Linha("<rctable><tbname>[<rctable><tbname></rctable>]</rctable>"), "A[AB]B[AB]");
}

TEST_F(Montagem, ColumnBlocksOutsideTableBlocksStay) {
    Define({{.tabela = "T", .nome = "a"}});
    EXPECT_EQ(Gera({"<simplecol><colname></simplecol>", "<rctable><tbname></rctable>"}),
              (TListaTextos{"<simplecol><colname></simplecol>", "T"}));
}

TEST_F(Montagem, LoneDateOpeningTagPassesAndStays) {
    Define({{.tabela = "T", .nome = "d", .dataHora = 3}});
    EXPECT_EQ(Linha("<rctable>[<coldatetype><colname>]</rctable>"), "[<coldatetype><colname>]");
}

TEST_F(Montagem, UnclosedDateBlockStopsEveryDateBlock) {
    Define({{.tabela = "T", .nome = "d", .dataHora = 3}});
    EXPECT_EQ(Linha("<rctable><coldatetype>A</coldatetype> <coldatetype>B</rctable>"),
              "<coldatetype>A</coldatetype> <coldatetype>B");
}

TEST_F(Montagem, UnclosedBlocksFromDocumentValuesStopTheirKind) {
    // Document values are inserted before any block is looked for, after the check.
    Define({{.tabela = "T", .nome = "a"}});
    TMontaCodigo motor;
    motor.setControlaColunas(&m_conjunto);
    motor.nomeBaseDados = "<rctable>";
    motor.classePai = "<simplecol>";
    motor.AdicionaModelo({"<rctable>x</rctable><dbname>",
                          "<rctable><simplecol><colname></simplecol><parentclass></rctable>"});
    motor.Monta();
    EXPECT_EQ(motor.getCodigo(), (TListaTextos{"<rctable>x</rctable><rctable>",
                                               "<simplecol><colname></simplecol><simplecol>"}));
}

TEST_F(Montagem, DuplicateAndCaseVariantColumnNamesAppearOnce) {
    Define({{.tabela = "T", .nome = "a", .alias = "1"},
            {.tabela = "T", .nome = "a", .alias = "2"},
            {.tabela = "T", .nome = "A", .alias = "3"},
            {.tabela = "T", .nome = "b", .alias = "4"}});
    EXPECT_EQ(Linha("<rctable><colcount>:<simplecol><colalias></simplecol></rctable>"), "2:14");
}

// --- Values that hold tags ----------------------------------------------------------------

TEST_F(Montagem, ColumnAliasHoldingItsOwnTag) {
    Define({{.tabela = "T", .nome = "a", .alias = "<colalias>"},
            {.tabela = "T", .nome = "b", .alias = "x<colalias>y"}});
    EXPECT_EQ(Linha("<rctable><simplecol><colalias>;</simplecol></rctable>"),
              "<colalias>;x<colalias>y;");
}

TEST_F(Montagem, TableAliasHoldingATableBlockIsExpandedAsTheRuleSays) {
    // The blocks the aliases bring are blocks of the text like any other: the last one is
    // expanded first ("xx"), then the other ("AB").
    Define({{.tabela = "A", .nome = "x", .tbAlias = "<rctable><tbname></rctable>"},
            {.tabela = "B", .nome = "y", .tbAlias = "<rctable>x</rctable>"}});
    EXPECT_EQ(Linha("<rctable>[<tbalias>]</rctable>"), "[AB][xx]");
}

TEST_F(Montagem, ValuesHoldingTheirOwnBlockStopTheExpansion) {
    // The rule never ends on these: a block that expands to itself, and a column block whose
    // expansion holds one more such block each time. The engine stops with a message.
    const std::string mensagem =
        "Template Expansion Stopped: Blocks Keep Forming In The Text Their Own Expansion "
        "Produces !!";
    const struct {
        std::vector<Col> colunas;
        std::string modelo;
    } casos[] = {
        {{{.tabela = "T", .nome = "a", .tbAlias = "<rctable><tbalias></rctable>"}},
         "<rctable><tbalias></rctable>"},
        {{{.tabela = "T", .nome = "a", .alias = "<simplecol>"},
          {.tabela = "T", .nome = "b", .alias = "<simplecol><colalias></simplecol>"}},
         "<rctable><simplecol>(<colalias>)</simplecol></rctable>"},
    };
    for (const auto& caso : casos) {
        Define(caso.colunas);
        try {
            Gera({caso.modelo});
            ADD_FAILURE() << caso.modelo;
        } catch (const EErroGeral& erro) {
            EXPECT_EQ(std::string(erro.what()), mensagem) << caso.modelo;
        }
    }
}

TEST_F(Montagem, TableAliasHoldingAColumnBlockIsPartOfThePiece) {
    // Table tags are replaced before the piece's column blocks are looked for.
    Define({{.tabela = "T", .nome = "a", .tbAlias = "<simplecol><colname></simplecol>"},
            {.tabela = "T", .nome = "b"}});
    EXPECT_EQ(Linha("<rctable><tbalias></rctable>"), "ab");
}

// --- Line breaks ---------------------------------------------------------------------------

TEST(TMontaCodigo, RemoveQuebraInicial) {
    const struct {
        std::string corpo;
        std::string esperado;
    } casos[] = {
        {"\r\nx", "x"}, {"   \r\nx", "   x"}, {"\t\r\nx", "\t\r\nx"}, {"", ""},
        {"   ", "   "}, {"\r", "\r"},         {"  \r", "  \r"},       {"\rX", ""},
        {"\rXy", "y"},  {"x\r\n", "x\r\n"},   {"\r\n\r\n", "\r\n"},   {"\n\r\nx", "\n\r\nx"},
    };
    for (const auto& caso : casos) {
        EXPECT_EQ(TMontaCodigo::RemoveQuebraInicial(caso.corpo), caso.esperado)
            << testing::PrintToString(caso.corpo);
    }
}

TEST_F(Montagem, AnyLineBreakBecomesCrLf) {
    Define({{.tabela = "A", .nome = "x"}, {.tabela = "B", .nome = "y"}});
    EXPECT_EQ(Gera({"<rctable>\n<tbname>\n</rctable>"}), (TListaTextos{"A", "B", ""}));
    EXPECT_EQ(Gera({"<rctable>\r<tbname>\r</rctable>"}), (TListaTextos{"A", "B", ""}));
    EXPECT_EQ(Gera({"a\n\rb\r\n\r\nc\r"}), (TListaTextos{"a", "", "b", "", "c", ""}));
    EXPECT_EQ(Gera({}), TListaTextos{});
    EXPECT_EQ(Gera({""}), TListaTextos{""});
}

TEST(TMontaCodigo, LineBreaksInValuesSplitTheOutput) {
    TMontaCodigo motor;
    motor.nomeBaseDados = "one\ntwo";
    motor.AdicionaModelo({"<dbname>!"});
    motor.Monta();
    EXPECT_EQ(motor.getCodigo(), (TListaTextos{"one", "two!"}));
}

// --- Coherence check -----------------------------------------------------------------------

TEST(TMontaCodigo, VerificaTags) {
    const struct {
        const char* texto;
        const std::string* erro; // null when the check passes
    } casos[] = {
        {"", nullptr},
        {"<simplecol><prkcol></simplecol></prkcol>", &kErroCruzadas},
        {"</simplecol><simplecol>", &kErroCruzadas},
        {"<prkcol>", &kErroQuantidade},
        {"<coldatetype>", nullptr},
        {"</coldatetype><coldatetype>x", nullptr},
        {"<prkcol><simplecol></simplecol></prkcol>", nullptr},
        {"<rctable><simplecol></simplecol><prkcol></prkcol></rctable><rctable></rctable>", nullptr},
        {"<rctable><frkcol></rctable></frkcol>", &kErroCruzadas},
        {"<simplecol></simplecol></prkcol><prkcol>", &kErroCruzadas},
        // The number test of every pair comes before any crossing test.
        {"<simplecol><prkcol></simplecol></prkcol><frkcol>", &kErroQuantidade},
        {"<rctable></rctable></rctable>", &kErroQuantidade},
        {"<simplecolcount></simplecol>", &kErroQuantidade},
        {"<simplecolcount><simplecol></simplecol>", nullptr},
        {"<simplecol><coldatetype></simplecol></coldatetype>", nullptr},
        {"<simplecol><simplecol></simplecol></simplecol>", nullptr},
        {"<simplecol></simplecol></simplecol><simplecol>", &kErroCruzadas},
        // Removing the inner block joins "<simp" and "lecol>" into a third opening tag.
        {"<simplecol><simp<simplecol></simplecol>lecol></simplecol>", &kErroCruzadas},
    };
    for (const auto& caso : casos) {
        if (caso.erro == nullptr) {
            EXPECT_NO_THROW(TMontaCodigo::VerificaTags(caso.texto)) << caso.texto;
            continue;
        }
        try {
            TMontaCodigo::VerificaTags(caso.texto);
            ADD_FAILURE() << "no failure for " << caso.texto;
        } catch (const EErroGeral& erro) {
            EXPECT_EQ(erro.what(), *caso.erro) << caso.texto;
            EXPECT_EQ(erro.textoErro(), *caso.erro) << caso.texto;
        }
    }
}

TEST(TMontaCodigo, ContaTag) {
    EXPECT_EQ(TMontaCodigo::ContaTag("<simplecol></simplecol><simplecolcount>", "<simplecol>"), 1);
    EXPECT_EQ(TMontaCodigo::ContaTag("<a><a><A>", "<a>"), 2);
    EXPECT_EQ(TMontaCodigo::ContaTag("aaa", "aa"), 1);
    EXPECT_EQ(TMontaCodigo::ContaTag("", "<a>"), 0);
    EXPECT_EQ(TMontaCodigo::ContaTag("abc", ""), 0);
}

TEST(TMontaCodigo, TemTagsCruzadas) {
    const auto cruzadas = [](const char* texto) {
        return TMontaCodigo::TemTagsCruzadas(texto, "<prkcol>", "</prkcol>");
    };
    EXPECT_FALSE(cruzadas("no tags"));
    EXPECT_FALSE(cruzadas("</prkcol>"));
    EXPECT_TRUE(cruzadas("<prkcol>"));
    EXPECT_FALSE(cruzadas("<prkcol><prkcol></prkcol></prkcol>"));
    EXPECT_TRUE(cruzadas("<prkcol><rctable></prkcol></rctable>"));
    EXPECT_FALSE(cruzadas("<prkcol><coldatetype></prkcol>"));
    // Removing the inner block joins "<prk" and "col>" into an opening tag without a closing,
    // or "</prk" and "col>" into the closing tag of the outer block.
    EXPECT_TRUE(cruzadas("</prkcol><prk<prkcol></prkcol>col>"));
    EXPECT_FALSE(cruzadas("<prkcol></prk<prkcol></prkcol>col>"));
    EXPECT_TRUE(cruzadas("<prkcol><simplecol></prk<prkcol></prkcol>col>"));
}

TEST(TMontaCodigo, AdicionaModeloRaisesTheCheckFailureAndAddsNothing) {
    TMontaCodigo motor;
    motor.AdicionaModelo({"first"});
    for (const TListaTextos& ruim :
         {TListaTextos{"<prkcol>"}, TListaTextos{"<simple", "col></simplecol>"},
          TListaTextos{"</frkcol>", "<frkcol>"}}) {
        try {
            motor.AdicionaModelo(ruim);
            ADD_FAILURE() << "no failure for " << ruim.front();
        } catch (const EErroGeral& erro) {
            const std::string esperado =
                ruim.front() == "</frkcol>" ? kErroCruzadas : kErroQuantidade;
            EXPECT_EQ(erro.what(), esperado);
            EXPECT_EQ(erro.textoErro(), esperado);
        }
    }
    motor.AdicionaModelo({"second", "third"});
    motor.Monta();
    EXPECT_EQ(motor.getCodigo(), (TListaTextos{"first", "second", "third"}));
}

// --- Engine state --------------------------------------------------------------------------

TEST(TMontaCodigo, CarregaColunasTabelaCopiesAndCounts) {
    TControlaColunas conjunto;
    Preenche(conjunto, {{.tabela = "T", .nome = "id", .pk = true, .fk = "U.k"},
                        {.tabela = "T", .nome = "a"},
                        {.tabela = "T", .nome = "d", .dataHora = 0}});
    TListaTextos codificacoes;
    for (const auto& coluna : conjunto.getColunas()) {
        codificacoes.push_back(coluna->Codifica());
    }
    TMontaCodigo motor;
    motor.CarregaColunasTabela(codificacoes);
    ASSERT_EQ(motor.colunasTabela().size(), 3u);
    EXPECT_NE(motor.colunasTabela()[0].get(), conjunto.getColunas()[0].get());
    EXPECT_EQ(motor.colunasTabela()[0]->Codifica(), codificacoes[0]);
    EXPECT_EQ(motor.qtdChavePrimaria(), 1);
    EXPECT_EQ(motor.qtdComum(), 2);
    EXPECT_EQ(motor.qtdChaveEstrangeira(), 1);
    EXPECT_EQ(motor.qtdData(), 1);
    EXPECT_EQ(TMontaCodigo::Categoria(*motor.colunasTabela()[0]), "tcChavePrimaria");
    EXPECT_EQ(TMontaCodigo::Categoria(*motor.colunasTabela()[1]), "tcComum");

    motor.CarregaColunasTabela({});
    EXPECT_TRUE(motor.colunasTabela().empty());
    EXPECT_EQ(motor.qtdChavePrimaria() + motor.qtdComum() + motor.qtdData(), 0);
}

TEST(TMontaCodigo, AfterMontaTheLastTableIsCurrentAndTheSetIsUnchanged) {
    TControlaColunas conjunto;
    Preenche(conjunto, {{.tabela = "A", .nome = "x", .pk = true},
                        {.tabela = "dbo.B", .nome = "y", .fk = "A.x"},
                        {.tabela = "dbo.B", .nome = "z"}});
    const std::string antes = conjunto.getColunas()[1]->Codifica();
    TMontaCodigo motor;
    EXPECT_EQ(motor.tabelaAtual(), "");
    EXPECT_EQ(motor.qtdComum(), 0);
    motor.setControlaColunas(&conjunto);
    motor.AdicionaModelo({"<rctable><tbname></rctable>"});
    motor.Monta();
    EXPECT_EQ(motor.getCodigo(), (TListaTextos{"Adbo.B"}));
    EXPECT_EQ(motor.tabelaAtual(), "dbo.B");
    EXPECT_EQ(motor.colunasTabela().size(), 2u);
    EXPECT_EQ(motor.qtdComum(), 2);
    EXPECT_EQ(motor.qtdChaveEstrangeira(), 1);
    EXPECT_EQ(conjunto.getColunas()[1]->Codifica(), antes);
}

TEST(TMontaCodigo, ForeignKeyWithoutReferencedColumnGivesEmptyValues) {
    TControlaColunas conjunto;
    Preenche(conjunto, {{.tabela = "T", .nome = "f"}});
    conjunto.getColunas()[0]->chaveEstrangeira = true; // and no referenced column
    EXPECT_EQ(Expande(&conjunto, {"<rctable><frkcol>[<colname>:<frktbname>.<frkcolname>]"
                                  "</frkcol></rctable>"}),
              (TListaTextos{"[f:.]"}));
}

// --- A whole template ----------------------------------------------------------------------

TEST(TMontaCodigo, SmallClassTemplate) {
    TControlaColunas conjunto;
    Preenche(
        conjunto,
        {{.tabela = "dbo.Customers", .nome = "id", .pk = true, .tbAlias = "Customer"},
         {.tabela = "dbo.Customers",
          .nome = "name",
          .tipo = "varchar",
          .tamanho = 50,
          .precisao = -1,
          .escala = -1,
          .tbAlias = "Customer"},
         {.tabela = "Orders", .nome = "id", .pk = true, .tbAlias = "Order"},
         {.tabela = "Orders", .nome = "customer_id", .fk = "dbo.Customers.id", .tbAlias = "Order"},
         {.tabela = "Orders",
          .nome = "placed",
          .tipo = "datetime",
          .precisao = -1,
          .escala = -1,
          .dataHora = 3,
          .tbAlias = "Order"}});
    const TListaTextos modelo = {
        "// Generated for <dbname>",
        "<rctable>",
        "class <tbalias> : public <parentclass> { // <tbname>, <colcount> columns",
        "public:",
        "<simplecol>",
        "    <colvartype> m_<colname> = <colinivar>;",
        "</simplecol>",
        "<prkcol>",
        "    static constexpr const char* kKey<colindex> = \"<colname>\";",
        "</prkcol>",
        "<frkcol>",
        "    // <colname> -> <frktbname>.<frkcolname>",
        "</frkcol>",
        "};",
        "</rctable>",
        "// <tbcount> classes",
    };
    const TListaTextos esperado = {
        "// Generated for shop",
        "class Customer : public Base { // dbo.Customers, 2 columns",
        "public:",
        "    String m_name = '';",
        "",
        "    static constexpr const char* kKey0 = \"id\";",
        "",
        "",
        "};",
        "class Order : public Base { // Orders, 3 columns",
        "public:",
        "    Integer m_customer_id = 0;",
        "    TDateTime m_placed = Now;",
        "",
        "    static constexpr const char* kKey0 = \"id\";",
        "",
        "    // customer_id -> Customers.id",
        "",
        "};",
        "",
        "// 2 classes",
    };
    EXPECT_EQ(Expande(&conjunto, modelo), esperado);
}

} // namespace
} // namespace fendril

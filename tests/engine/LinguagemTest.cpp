// The template language beyond plain tags and blocks: filters, the tags of names, types and
// schema facts, conditions, inverse relations, the output limit and the diagnostics.
#include "ConjuntoDeTeste.h"
#include "engine/TMontaCodigo.h"
#include "model/Erros.h"

#include <gtest/gtest.h>

namespace fendril {

// Names a diagnostic in test failures (found by argument-dependent lookup).
void PrintTo(const TDiagnostico& d, std::ostream* saida);
void PrintTo(const TDiagnostico& d, std::ostream* saida) {
    *saida << (d.erro ? "error " : "warning ") << d.linha << ":" << d.coluna << " @" << d.posicao
           << " " << d.mensagem;
}

namespace {

using teste::Col;
using teste::Expande;
using teste::Preenche;

// One line expanded for a set built from `colunas`.
std::string Linha(const std::vector<Col>& colunas, const std::string& modelo,
                  const TListaTextos& reservadas = {}) {
    TControlaColunas conjunto;
    Preenche(conjunto, colunas);
    TMontaCodigo motor;
    motor.AdicionaTipos(teste::TiposPadrao());
    motor.setControlaColunas(&conjunto);
    motor.setPalavrasReservadas(reservadas);
    motor.nomeBaseDados = "shop";
    motor.classePai = "Base";
    motor.AdicionaModelo({modelo});
    motor.Monta();
    std::string texto;
    for (const std::string& linha : motor.getCodigo()) {
        texto += texto.empty() ? linha : "|" + linha;
    }
    return texto;
}

// Facts of a column that may not be null.
TColumnFacts NaoNula() {
    TColumnFacts fatos;
    fatos.nullable = false;
    return fatos;
}

// --- Filters -------------------------------------------------------------------------------

struct CasoFiltro {
    const char* tabela; // qualified
    const char* coluna;
    const char* modelo;
    const char* esperado;
};

void PrintTo(const CasoFiltro& caso, std::ostream* saida) {
    *saida << caso.modelo << " on " << caso.tabela << "." << caso.coluna;
}

class Filtros : public ::testing::TestWithParam<CasoFiltro> {};

TEST_P(Filtros, ApplyLeftToRight) {
    const CasoFiltro& caso = GetParam();
    EXPECT_EQ(Linha({{.tabela = caso.tabela, .nome = caso.coluna}}, caso.modelo,
                    {"class", "default", "None"}),
              caso.esperado);
}

INSTANTIATE_TEST_SUITE_P(
    TMontaCodigo, Filtros,
    ::testing::Values(
        CasoFiltro{"public.order_lines", "x", "<rctable><tbshortname:pascal:singular></rctable>",
                   "OrderLine"},
        CasoFiltro{"order_lines", "x",
                   "<rctable><tbname:pascal> <tbname:camel> <tbname:snake> <tbname:kebab> "
                   "<tbname:macro></rctable>",
                   "OrderLines orderLines order_lines order-lines ORDER_LINES"},
        CasoFiltro{"Order Details", "AlbumId",
                   "<rctable><tbname:pascal><simplecol> <colname:snake> <colname:camel>"
                   "</simplecol></rctable>",
                   "OrderDetails album_id albumId"},
        CasoFiltro{"T", "HTTPServer2Log",
                   "<rctable><simplecol><colname:snake> <colname:pascal></simplecol></rctable>",
                   "http_server2_log HttpServer2Log"},
        CasoFiltro{"categories", "x",
                   "<rctable><tbname:singular> <tbname:singular:plural></rctable>",
                   "category categories"},
        CasoFiltro{"addresses", "x", "<rctable><tbname:singular></rctable>", "address"},
        CasoFiltro{"order_lines", "x", "<rctable><tbname:singular></rctable>", "order_line"},
        CasoFiltro{"status", "x", "<rctable><tbname:singular></rctable>", "status"},
        CasoFiltro{"boxes", "x", "<rctable><tbname:singular></rctable>", "box"},
        CasoFiltro{"person", "x", "<rctable><tbname:plural></rctable>", "people"},
        CasoFiltro{"Child", "x", "<rctable><tbname:plural></rctable>", "Children"},
        CasoFiltro{"Order Details", "class",
                   "<rctable><tbname:ident><simplecol> <colname:ident></simplecol></rctable>",
                   "Order_Details class_"},
        CasoFiltro{"T", "Class", "<rctable><simplecol><colname:ident></simplecol></rctable>",
                   "Class"},
        CasoFiltro{"T", "2fa", "<rctable><simplecol><colname:ident></simplecol></rctable>", "_2fa"},
        CasoFiltro{"public.Order Details", "x", "<rctable><tbname:sql></rctable>",
                   "\"public\".\"Order Details\""},
        CasoFiltro{"public.Order Details", "x",
                   "<rctable><tbname:lower:sql> <tbname:ident> <tbname:upper></rctable>",
                   "\"public\".\"order details\" public_Order_Details PUBLIC.ORDER DETAILS"},
        CasoFiltro{"T", "say \"hi\"",
                   "<rctable><simplecol><colname:sql> \"<colname:str>\"</simplecol></rctable>",
                   "\"say \"\"hi\"\"\" \"say \\\"hi\\\"\""},
        CasoFiltro{"T", "x", "<dbname:upper> <parentclass:macro> <tbcount:str>", "SHOP BASE 1"},
        // Unknown or empty filters leave the tag as written.
        CasoFiltro{"T", "x", "<rctable><tbname:pascl> <tbname:> <tbname::upper></rctable>",
                   "<tbname:pascl> <tbname:> <tbname::upper>"},
        // A filtered tag takes its plain tag's place in the replacement order.
        CasoFiltro{"T", "x", "<rctable><tb<tbschema>type:lower> <tb<tbschema>name:lower></rctable>",
                   "table <tbname:lower>"}),
    [](const auto& caso) { return "case" + std::to_string(caso.index); });

// --- Tags of names, types and facts ----------------------------------------------------------

TEST(TMontaCodigo, ShortNamesOfTables) {
    EXPECT_EQ(Linha({{.tabela = "dbo.Orders", .nome = "id", .pk = true},
                     {.tabela = "Items", .nome = "order_id", .fk = "dbo.Orders.id"}},
                    "<rctable>[<tbname>=<tbshortname><frkcol>:<frktbshortname>.<frkcolname>"
                    "</frkcol>]</rctable>"),
              "[dbo.Orders=Orders][Items=Items:Orders.id]");
}

TEST(TMontaCodigo, SqlTypes) {
    const struct {
        Col coluna;
        const char* esperado;
    } casos[] = {
        {{.tipo = "VARCHAR", .tamanho = 120, .precisao = -1, .escala = -1}, "VARCHAR(120)"},
        {{.tipo = "NUMERIC", .tamanho = -1, .precisao = 10, .escala = 2}, "NUMERIC(10,2)"},
        {{.tipo = "numeric", .tamanho = -1, .precisao = 10, .escala = 0}, "numeric(10)"},
        {{.tipo = "INTEGER", .tamanho = -1, .precisao = 10, .escala = 0}, "INTEGER"},
        {{.tipo = "TIMESTAMP", .precisao = -1, .escala = -1, .dataHora = 3}, "TIMESTAMP(3)"},
        {{.tipo = "timestamp with time zone", .precisao = -1, .dataHora = 3},
         "timestamp(3) with time zone"},
        // A precision that is the type's own is not declared: "timestamp" is timestamp(6).
        {{.tipo = "timestamp", .precisao = -1, .dataHora = 6}, "timestamp"},
        {{.tipo = "timestamp with time zone", .precisao = -1, .dataHora = 6},
         "timestamp with time zone"},
        {{.tipo = "datetime2", .precisao = -1, .dataHora = 7}, "datetime2"},
        {{.tipo = "datetime2", .precisao = -1, .dataHora = 6}, "datetime2(6)"},
        {{.tipo = "DATETIME", .precisao = -1, .escala = -1, .dataHora = 0}, "DATETIME"},
        {{.tipo = "DATE", .precisao = -1, .escala = -1, .dataHora = 0}, "DATE"},
        {{.tipo = "TEXT", .tamanho = 0, .precisao = -1, .escala = -1}, "TEXT"},
        {{.tipo = "varchar", .tamanho = -1, .precisao = -1, .escala = -1}, "varchar"},
        {{.tipo = "character varying", .tamanho = 40, .precisao = -1}, "character varying(40)"},
        {{.tipo = "bytea", .tamanho = 2147483647, .precisao = -1}, "bytea"},
        {{.tipo = "NUMERIC(10,2)", .tamanho = 2, .precisao = 10}, "NUMERIC(10,2)"},
    };
    for (const auto& caso : casos) {
        Col coluna = caso.coluna;
        coluna.tabela = "T";
        coluna.nome = "c";
        EXPECT_EQ(Linha({coluna}, "<rctable><simplecol><colsqltype></simplecol></rctable>"),
                  caso.esperado)
            << caso.coluna.tipo;
    }
}

TEST(TMontaCodigo, FactTags) {
    const TColumnFacts fatos{.nullable = false,
                             .defaultValue = "'new'",
                             .unique = true,
                             .autoIncrement = true,
                             .comment = "The \"state\""};
    EXPECT_EQ(Linha({{.tabela = "T", .nome = "a", .facts = fatos, .tbComment = "Orders"},
                     {.tabela = "T", .nome = "b"}},
                    "<rctable><tbcomment>:<simplecol>[<colname> <colnullable><colunique>"
                    "<colautoinc> <coldefault> <colcomment:str>]</simplecol></rctable>"),
              "Orders:[a 011 'new' The \\\"state\\\"][b 100  ]");
}

// --- Conditions ----------------------------------------------------------------------------

TEST(TMontaCodigo, PositionConditionsSeparateItems) {
    const std::vector<Col> colunas = {
        {.tabela = "T", .nome = "a"}, {.tabela = "T", .nome = "b"}, {.tabela = "T", .nome = "c"}};
    EXPECT_EQ(Linha(colunas, "<rctable><simplecol><colname><ifnot:last>, </ifnot:last>"
                             "</simplecol></rctable>"),
              "a, b, c");
    EXPECT_EQ(Linha(colunas, "<rctable><simplecol><if:first>(</if:first><colname><if:last>)"
                             "</if:last></simplecol></rctable>"),
              "(abc)");
}

TEST(TMontaCodigo, ColumnConditions) {
    const TColumnFacts todos{.nullable = true,
                             .defaultValue = "0",
                             .unique = true,
                             .autoIncrement = true,
                             .comment = "c"};
    const TColumnFacts nenhum = NaoNula();
    const std::vector<Col> colunas = {{.tabela = "T",
                                       .nome = "a",
                                       .pk = true,
                                       .fk = "U.id",
                                       .tamanho = 20,
                                       .escala = 2,
                                       .dataHora = 3,
                                       .alias = "A",
                                       .facts = todos},
                                      {.tabela = "T", .nome = "b", .facts = nenhum}};
    const char* const condicoes[] = {"nullable", "pk",      "fk",      "date",  "unique",
                                     "autoinc",  "default", "comment", "alias", "length",
                                     "scale",    "fkfirst", "fklast"};
    for (const char* condicao : condicoes) {
        const std::string c = condicao;
        // Every column, in a block that holds both: a has them all, b none.
        EXPECT_EQ(Linha(colunas, "<rctable><prkcol><colname><if:" + c + ">+</if:" + c +
                                     "><ifnot:" + c + ">-</ifnot:" + c +
                                     "></prkcol>;<coldatetype></coldatetype>"
                                     "<simplecol><colname><if:" +
                                     c + ">+</if:" + c + "><ifnot:" + c + ">-</ifnot:" + c +
                                     "></simplecol></rctable>"),
                  "a+;b-")
            << condicao;
    }
}

// Consecutive foreign-key columns that refer to one table, each to another column, form one
// key; two columns that refer to the same column are two keys.
TEST(TMontaCodigo, ForeignKeyConditionsGroupTheColumnsOfAKey) {
    const std::vector<Col> colunas = {
        {.tabela = "returns", .nome = "id", .pk = true},
        {.tabela = "returns", .nome = "order_id", .fk = "order_lines.order_id"},
        {.tabela = "returns", .nome = "line_no", .fk = "order_lines.line_no"},
        {.tabela = "returns", .nome = "product_id", .fk = "products.id"},
        {.tabela = "orders", .nome = "billing", .fk = "addresses.id"},
        {.tabela = "orders", .nome = "shipping", .fk = "addresses.id"},
        {.tabela = "orders", .nome = "note"}};
    const std::string chaves =
        "<rctable><tbname>:<frkcol><if:fkfirst> (</if:fkfirst><colname><ifnot:fklast>,"
        "</ifnot:fklast><if:fklast>)-><frktbname></if:fklast></frkcol>;</rctable>";
    EXPECT_EQ(Linha(colunas, chaves),
              "returns: (order_id,line_no)->order_lines (product_id)->products;"
              "orders: (billing)->addresses (shipping)->addresses;");
    // In a block of other columns too, where a column that is no foreign key ends a key.
    EXPECT_EQ(Linha(colunas, "<rctable><simplecol><colname><if:fkfirst>[</if:fkfirst>"
                             "<if:fklast>]</if:fklast> </simplecol>;</rctable>"),
              "order_id[ line_no] product_id[] ;billing[] shipping[] note ;");
}

TEST(TMontaCodigo, TableConditions) {
    const std::vector<Col> colunas = {
        {.tabela = "A", .nome = "id", .pk = true, .tbAlias = "Aa", .tbComment = "c"},
        {.tabela = "A", .nome = "b_id", .fk = "B.id"},
        {.tabela = "B", .nome = "x", .tbTipo = "VIEW"},
        {.tabela = "C", .nome = "y", .tbTipo = "SYSTEM TABLE"}};
    const char* const condicoes[] = {"view",  "table", "tbalias", "tbcomment",
                                     "haspk", "hasfk", "first",   "last"};
    const char* const esperados[] = {"A-B+C-", "A+B-C+", "A+B-C-", "A+B-C-",
                                     "A+B-C-", "A+B-C-", "A+B-C-", "A-B-C+"};
    for (std::size_t i = 0; i < std::size(condicoes); ++i) {
        const std::string c = condicoes[i];
        EXPECT_EQ(Linha(colunas, "<rctable><tbname><if:" + c + ">+</if:" + c + "><ifnot:" + c +
                                     ">-</ifnot:" + c + "></rctable>"),
                  esperados[i])
            << c;
    }
    // A table condition takes the table's value inside column blocks too; "first" inside a
    // column block is the column's.
    EXPECT_EQ(Linha(colunas, "<rctable><simplecol><if:view>v</if:view><if:first>1</if:first>"
                             "<colname></simplecol>;</rctable>"),
              "1b_id;v1x;1y;");
}

TEST(TMontaCodigo, ConditionsNestAndDropTheirOpeningLineBreak) {
    const std::vector<Col> colunas = {
        {.tabela = "T", .nome = "id", .pk = true, .facts = NaoNula()},
        {.tabela = "T", .nome = "name", .tipo = "varchar", .facts = {}},
        {.tabela = "T", .nome = "n", .facts = NaoNula()}};
    TControlaColunas conjunto;
    Preenche(conjunto, colunas);
    EXPECT_EQ(Expande(&conjunto,
                      {"<rctable><simplecol><if:nullable>",
                       "  std::optional<<colvartype>> <colname>;", "</if:nullable><ifnot:nullable>",
                       "  <colvartype> <colname>;", "</ifnot:nullable></simplecol></rctable>"}),
              (TListaTextos{"  std::optional<String> name;", "  Integer n;", ""}));
    EXPECT_EQ(Linha(colunas, "<rctable><simplecol><if:nullable><if:first>F</if:first><ifnot:first>"
                             "<colname></ifnot:first></if:nullable>.</simplecol>"
                             "<prkcol><if:pk><if:pk>P</if:pk></if:pk></prkcol></rctable>"),
              "F..P");
}

TEST(TMontaCodigo, ConditionsOutsideTheirBlockStay) {
    const std::vector<Col> colunas = {{.tabela = "T", .nome = "a", .tbTipo = "VIEW"}};
    EXPECT_EQ(Linha(colunas, "<if:view>v</if:view><if:first>f</if:first>"
                             "<rctable><if:pk>p</if:pk>|<if:nulable>x</if:nulable></rctable>"),
              "<if:view>v</if:view><if:first>f</if:first><if:pk>p</if:pk>|"
              "<if:nulable>x</if:nulable>");
}

TEST(TMontaCodigo, CheckTreatsConditionPairsAsBlocks) {
    const std::string quantidade =
        "Syntax Error: Number of Opening and Closing Tags Does Not Match !!";
    const std::string cruzadas = "Syntax Error: Crossed Tags Present ";
    const struct {
        const char* texto;
        const std::string* erro;
    } casos[] = {
        {"<if:pk>a</if:pk><ifnot:pk>b</ifnot:pk>", nullptr},
        {"<if:pk><if:pk></if:pk></if:pk>", nullptr},
        {"<if:pk>", &quantidade},
        {"<ifnot:last></if:last>", &quantidade},
        {"<if:pk><simplecol></if:pk></simplecol>", &cruzadas},
        {"<if:pk><ifnot:pk></if:pk></ifnot:pk>", &cruzadas},
        {"</if:view><if:view>", &cruzadas},
        {"<refcol><simplecol></refcol></simplecol>", &cruzadas},
        {"<refcol>", &quantidade},
        // Unknown conditions are text, not pairs.
        {"<if:nulable>", nullptr},
    };
    for (const auto& caso : casos) {
        try {
            TMontaCodigo::VerificaTags(caso.texto);
            EXPECT_EQ(caso.erro, nullptr) << caso.texto;
        } catch (const EErroGeral& erro) {
            ASSERT_NE(caso.erro, nullptr) << caso.texto;
            EXPECT_EQ(erro.textoErro(), *caso.erro) << caso.texto;
        }
    }
}

// --- Inverse relations ---------------------------------------------------------------------

const std::vector<Col>& Loja() {
    static const std::vector<Col> colunas = {
        {.tabela = "public.customer", .nome = "id", .pk = true},
        {.tabela = "public.orders", .nome = "id", .pk = true, .tbAlias = "Order"},
        {.tabela = "public.orders",
         .nome = "customer_id",
         .fk = "public.customer.id",
         .tbAlias = "Order"},
        {.tabela = "public.orders",
         .nome = "billed_to",
         .fk = "public.Customer.id",
         .tbAlias = "Order"},
        {.tabela = "public.orders",
         .nome = "old_customer",
         .fk = "public.customer.id",
         .habilitado = false},
        {.tabela = "invoice", .nome = "customer", .fk = "public.customer.id", .facts = NaoNula()}};
    return colunas;
}

TEST(TMontaCodigo, InverseRelationsListTheForeignKeysThatReferToTheTable) {
    EXPECT_EQ(Linha(Loja(), "<rctable><tbshortname>(<refcolcount>):<refcol> <reftbname>/"
                            "<reftbshortname>/<reftbalias>.<colname>-><frktbname>.<frkcolname>"
                            "<if:nullable>?</if:nullable><ifnot:last>,</ifnot:last></refcol>;"
                            "</rctable>"),
              "customer(3): public.orders/orders/Order.customer_id->customer.id?, "
              "public.orders/orders/Order.billed_to->Customer.id?, invoice/invoice/.customer->"
              "customer.id;orders(0):;invoice(0):;");
}

TEST(TMontaCodigo, InverseRelationsLookInTheWholeMapping) {
    // A table-class file sees one table; the foreign keys come from the whole mapping.
    TControlaColunas todas;
    Preenche(todas, Loja());
    TControlaColunas cliente;
    Preenche(cliente, {Loja()[0]});
    TMontaCodigo motor;
    motor.setControlaColunas(&cliente);
    motor.setTodasAsColunas(&todas);
    motor.AdicionaModelo(
        {"<rctable><refcol><reftbname:pascal>.<colname:camel> </refcol></rctable>"});
    motor.Monta();
    EXPECT_EQ(motor.getCodigo(),
              TListaTextos{"PublicOrders.customerId PublicOrders.billedTo Invoice.customer "});
}

// --- Tags built by replacing others ---------------------------------------------------------

TEST(TMontaCodigo, TagsThatReplacementBuildsAreReplacedByLaterSteps) {
    // "<col" and the column's name "alias" make "<colalias>", a later step than "<colname>";
    // "<" and a type make no tag.
    EXPECT_EQ(Linha({{.tabela = "T", .nome = "alias", .alias = "A"}},
                    "<rctable><simplecol><col<colname>> <col<colname:lower>> "
                    "std::optional<<colvartype>></simplecol></rctable>"),
              "A A std::optional<Integer>");
}

// --- The block termination guard -------------------------------------------------------------
//
// The engine expands blocks exactly as the rule says wherever the rule ends: tags joined across
// block edges and repetitions, and blocks that values bring, are expanded like the template's
// own. It differs only where the rule would not end, or would end only beyond the engine's
// limits: a replacement that leaves the text as it was, more than a million blocks found
// inside expansions of one kind, or a text beyond the output limit stop it with a message
// (TMontaCodigoTest: ValuesHoldingTheirOwnBlockStopTheExpansion, OutputLimitStopsTheExpansion).

TEST(TMontaCodigo, TagsJoinedAcrossABlockBoundaryAreExpandedAsTheRuleSays) {
    // The inner block's expansion "A<rct" and the text after it join into an opening tag,
    // which the rule then expands with the outer block's closing tag.
    const std::vector<Col> uma = {{.tabela = "T", .nome = "a"}};
    EXPECT_EQ(Linha(uma, "<rctable><rctable>A<rct</rctable>able>B</rctable>"), "<rctable>AB");
    // Repetitions join too: the first table's "<rct" and the second's "able>" open a block
    // that the text after the outer block closes (its "</rct" and "able>" joined when the
    // empty block between them went away).
    const std::vector<Col> duas = {{.tabela = "T", .nome = "a"}, {.tabela = "U", .nome = "b"}};
    EXPECT_EQ(Linha(duas, "<rctable>able><tbname><rct</rctable>x</rct<rctable></rctable>able>"),
              "able>TU<rctxU<rctx");
}

// --- The output limit ----------------------------------------------------------------------

TEST(TMontaCodigo, OutputLimitStopsTheExpansion) {
    std::vector<Col> colunas;
    for (int i = 0; i < 20; ++i) {
        colunas.push_back({.tabela = "T" + std::to_string(i), .nome = "c"});
    }
    TControlaColunas conjunto;
    Preenche(conjunto, colunas);
    const auto expande = [&](std::size_t limite, const std::string& modelo) {
        TMontaCodigo motor;
        motor.setControlaColunas(&conjunto);
        motor.setLimiteSaida(limite);
        motor.AdicionaModelo({modelo});
        motor.Monta();
        return motor.getCodigo().front().size();
    };
    // Three nested table blocks: 20 * 20 * 20 names.
    const std::string aninhado =
        "<rctable><rctable><rctable><tbname></rctable></rctable></rctable>";
    // T0 to T19 is 50 bytes, repeated 20 times by the middle block and 20 by the outer.
    EXPECT_EQ(expande(TMontaCodigo::kLimiteSaidaPadrao, aninhado), 20000u);
    try {
        expande(10000, aninhado);
        ADD_FAILURE() << "no failure";
    } catch (const EErroGeral& erro) {
        EXPECT_EQ(erro.textoErro(), "Template Expansion Stopped: The Generated Text Passes The "
                                    "Limit Of 10000 Bytes !!");
    }
    EXPECT_THROW(expande(100, "<dbname><tbcount><tbcount><tbcount><tbcount><tbcount><tbcount>"
                              "<rctable>xxxxxxxxxx</rctable>"),
                 EErroGeral);
}

// --- Diagnostics ---------------------------------------------------------------------------

TEST(TMontaCodigo, DiagnosticsWarnWithLineAndColumn) {
    const std::string texto = "// <dbname> <tbname>\r\n"
                              "<rctable>\n"
                              "  <colnmae> <tbname:pascl> <if:nulable>x</if:nulable>\r"
                              "  <simplecol><frkcolname> <if:view>é<TbName></if:view></simplecol>\n"
                              "  <reftbname> <if:pk></if:pk> <div> <tbody> <colname>\n"
                              "</rctable> <if:first></if:first> <prkcol></prkcol>";
    const std::vector<TDiagnostico> esperado = {
        {false, 1, 13, 12, "<tbname> Is Outside A Table Block"},
        {false, 3, 3, 34, "Unknown Tag <colnmae>, Did You Mean <colname>?"},
        {false, 3, 13, 44, "Unknown Filter \"pascl\" In <tbname:pascl>"},
        {false, 3, 28, 59, "Unknown Condition \"nulable\" In <if:nulable>"},
        {false, 4, 14, 99, "<frkcolname> Is Outside A Foreign-Key Or Inverse-Relation Block"},
        {false, 4, 37, 123, "Unknown Tag <TbName>, Did You Mean <tbname>?"},
        {false, 5, 3, 156, "<reftbname> Is Outside An Inverse-Relation Block"},
        {false, 5, 15, 168, "<if:pk> Is Outside A Column Block"},
        {false, 5, 45, 198, "<colname> Is Outside A Column Block"},
        {false, 6, 12, 219, "<if:first> Is Outside A Repeating Block"},
        {false, 6, 34, 241, "<prkcol> Is Outside A Table Block"},
    };
    EXPECT_EQ(TMontaCodigo::Diagnostica(texto), esperado);
    // Markup and generics that merely look like tags are left alone.
    EXPECT_TRUE(TMontaCodigo::Diagnostica("<table><thead><tbody><tr><td><col><colgroup></td></tr>"
                                          "</tbody></table> std::vector<std::string> <T> "
                                          "<iostream> List<Integer> <cstdint>")
                    .empty());
    // As the body of a table block, table tags have their value.
    const std::vector<TDiagnostico> corpo = TMontaCodigo::Diagnostica("<tbname> <colname>", true);
    ASSERT_EQ(corpo.size(), 1u);
    EXPECT_EQ(corpo.front().mensagem, "<colname> Is Outside A Column Block");
}

TEST(TMontaCodigo, DiagnosticsPlaceTheCheckFailure) {
    const struct {
        const char* texto;
        bool corpoDeTabela;
        std::size_t linha;
        std::size_t coluna;
        const char* mensagem;
    } casos[] = {
        {"<rctable>\n  <prkcol>\n</rctable>", false, 2, 3,
         "Syntax Error: Number of Opening and Closing Tags Does Not Match !!"},
        {"<simplecol></simplecol></simplecol><simplecol>", false, 1, 24,
         "Syntax Error: Crossed Tags Present "},
        {"a\n<simplecol><prkcol></simplecol></prkcol>", false, 2, 1,
         "Syntax Error: Crossed Tags Present "},
        {"<if:pk>\n<simplecol></if:pk></simplecol>", false, 2, 1,
         "Syntax Error: Crossed Tags Present "},
        {"x </rctable>", true, 1, 3,
         "Syntax Error: Number of Opening and Closing Tags Does Not "
         "Match !!"},
    };
    for (const auto& caso : casos) {
        const std::vector<TDiagnostico> lista =
            TMontaCodigo::Diagnostica(caso.texto, caso.corpoDeTabela);
        ASSERT_FALSE(lista.empty()) << caso.texto;
        const auto erro =
            std::find_if(lista.begin(), lista.end(), [](const TDiagnostico& d) { return d.erro; });
        ASSERT_NE(erro, lista.end()) << caso.texto;
        EXPECT_EQ(erro->mensagem, caso.mensagem) << caso.texto;
        EXPECT_EQ(erro->linha, caso.linha) << caso.texto;
        EXPECT_EQ(erro->coluna, caso.coluna) << caso.texto;
    }
    EXPECT_TRUE(TMontaCodigo::Diagnostica("<rctable><simplecol><colname:pascal><if:pk>k</if:pk>"
                                          "</simplecol><refcol><reftbname></refcol></rctable>")
                    .empty());
}

} // namespace
} // namespace fendril

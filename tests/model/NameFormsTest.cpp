#include "model/NameForms.h"

#include <gtest/gtest.h>
#include <set>

namespace fendril {
namespace {

TEST(NameForms, Words) {
    using Palavras = std::vector<std::string_view>;
    EXPECT_EQ(NameWords("order_lines"), (Palavras{"order", "lines"}));
    EXPECT_EQ(NameWords("Order Details"), (Palavras{"Order", "Details"}));
    EXPECT_EQ(NameWords("AlbumId"), (Palavras{"Album", "Id"}));
    EXPECT_EQ(NameWords("HTTPServer2Log"), (Palavras{"HTTP", "Server2", "Log"}));
    EXPECT_EQ(NameWords("public.album"), (Palavras{"public", "album"}));
    EXPECT_EQ(NameWords("ID"), (Palavras{"ID"}));
    EXPECT_EQ(NameWords("utf8_text"), (Palavras{"utf8", "text"}));
    EXPECT_EQ(NameWords("  --  "), Palavras{});
    EXPECT_EQ(NameWords("GrößeÉtéΑθήνα"), (Palavras{"Größe", "Été", "Αθήνα"}));
}

struct CasoForma {
    const char* nome;
    const char* pascal;
    const char* camel;
    const char* snake;
    const char* kebab;
    const char* macro;
};

TEST(NameForms, CaseStyles) {
    const CasoForma casos[] = {
        {"order_lines", "OrderLines", "orderLines", "order_lines", "order-lines", "ORDER_LINES"},
        {"Order Details", "OrderDetails", "orderDetails", "order_details", "order-details",
         "ORDER_DETAILS"},
        {"AlbumId", "AlbumId", "albumId", "album_id", "album-id", "ALBUM_ID"},
        {"HTTPServer2Log", "HttpServer2Log", "httpServer2Log", "http_server2_log",
         "http-server2-log", "HTTP_SERVER2_LOG"},
        {"ORDER_LINES", "OrderLines", "orderLines", "order_lines", "order-lines", "ORDER_LINES"},
        {"public.album", "PublicAlbum", "publicAlbum", "public_album", "public-album",
         "PUBLIC_ALBUM"},
        {"élan vital", "ÉlanVital", "élanVital", "élan_vital", "élan-vital", "ÉLAN_VITAL"},
        {"", "", "", "", "", ""},
    };
    for (const CasoForma& caso : casos) {
        EXPECT_EQ(ToPascalCase(caso.nome), caso.pascal) << caso.nome;
        EXPECT_EQ(ToCamelCase(caso.nome), caso.camel) << caso.nome;
        EXPECT_EQ(ToSnakeCase(caso.nome), caso.snake) << caso.nome;
        EXPECT_EQ(ToKebabCase(caso.nome), caso.kebab) << caso.nome;
        EXPECT_EQ(ToMacroCase(caso.nome), caso.macro) << caso.nome;
    }
}

TEST(NameForms, UpperAndLowerCaseKeepEverythingButLetters) {
    EXPECT_EQ(ToUpperCase("public.Order Details_2"), "PUBLIC.ORDER DETAILS_2");
    EXPECT_EQ(ToLowerCase("Größe ÀÉ"), "größe àé");
    // Bytes that are not UTF-8 are kept.
    EXPECT_EQ(ToUpperCase("a\xFF"
                          "b"),
              "A\xFF"
              "B");
}

TEST(NameForms, PluralAndSingular) {
    const struct {
        const char* singular;
        const char* plural;
    } pares[] = {
        {"category", "categories"},
        {"address", "addresses"},
        {"order_line", "order_lines"},
        {"box", "boxes"},
        {"person", "people"},
        {"child", "children"},
        {"status", "statuses"},
        {"OrderLine", "OrderLines"},
        {"ORDER_LINE", "ORDER_LINES"},
        {"Person", "People"},
        {"Child", "Children"},
        {"day", "days"},
        {"match", "matches"},
        {"wish", "wishes"},
        {"course", "courses"},
        {"house", "houses"},
        {"bus", "buses"},
        {"class", "classes"},
        {"analysis", "analyses"},
        {"leaf", "leaves"},
        {"alias", "aliases"},
        {"album", "albums"},
        {"database", "databases"},
        {"movie", "movies"},
        {"user_address", "user_addresses"},
        {"Mouse", "Mice"},
        {"hero", "heroes"},
        {"shoe", "shoes"},
        {"archive", "archives"},
        {"size", "sizes"},
    };
    for (const auto& par : pares) {
        EXPECT_EQ(Pluralize(par.singular), par.plural) << par.singular;
        EXPECT_EQ(Singularize(par.plural), par.singular) << par.plural;
        // A word already in the asked form stays.
        EXPECT_EQ(Pluralize(par.plural), par.plural) << par.plural;
        EXPECT_EQ(Singularize(par.singular), par.singular) << par.singular;
    }
    for (const char* invariavel : {"status", "news", "data", "series", "sheep"}) {
        EXPECT_EQ(Singularize(invariavel), invariavel);
    }
    EXPECT_EQ(Pluralize("news"), "news");
    // Only the last word changes, and only when it ends in an ASCII letter.
    EXPECT_EQ(Singularize("public.order_lines"), "public.order_line");
    EXPECT_EQ(Singularize("lines2"), "lines2");
    EXPECT_EQ(Pluralize("order_line "), "order_lines ");
    EXPECT_EQ(Pluralize("Größe"), "Größe");
    EXPECT_EQ(Pluralize(""), "");
}

TEST(NameForms, SafeIdentifier) {
    const std::set<std::string, std::less<>> reservadas = {"class", "default", "None"};
    const auto reservada = [&reservadas](std::string_view palavra) {
        return reservadas.find(palavra) != reservadas.end();
    };
    EXPECT_EQ(SafeIdentifier("Order Details", reservada), "Order_Details");
    EXPECT_EQ(SafeIdentifier("class", reservada), "class_");
    EXPECT_EQ(SafeIdentifier("None", reservada), "None_");
    EXPECT_EQ(SafeIdentifier("Class", reservada), "Class");
    EXPECT_EQ(SafeIdentifier("class"), "class");
    EXPECT_EQ(SafeIdentifier("2fa", reservada), "_2fa");
    EXPECT_EQ(SafeIdentifier("", reservada), "_");
    EXPECT_EQ(SafeIdentifier("public.album"), "public_album");
    EXPECT_EQ(SafeIdentifier("größe-€"), "größe__");
    EXPECT_EQ(SafeIdentifier("a\xFF\xFE"
                             "b"),
              "a__b");
    EXPECT_EQ(SafeIdentifier("_id"), "_id");
}

TEST(NameForms, QuotedAndEscapedTexts) {
    EXPECT_EQ(QuoteSqlIdentifier("Order Details"), "\"Order Details\"");
    EXPECT_EQ(QuoteSqlIdentifier("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(EscapeStringLiteral("a\\b\"c\nd\re\tf\x01g\x7Fh é"),
              "a\\\\b\\\"c\\nd\\re\\tf\\u0001g\\u007Fh é");
    EXPECT_EQ(EscapeStringLiteral(std::string_view("\0x", 2)), "\\u0000x");
}

} // namespace
} // namespace fendril

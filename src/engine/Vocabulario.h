#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

// The words of the template language, shared by the engine and its diagnostics.
namespace fendril::vocabulario {

constexpr std::string_view kAbreTabela = "<rctable>";
constexpr std::string_view kFechaTabela = "</rctable>";
constexpr std::string_view kAbreSimples = "<simplecol>";
constexpr std::string_view kFechaSimples = "</simplecol>";
constexpr std::string_view kAbrePrimaria = "<prkcol>";
constexpr std::string_view kFechaPrimaria = "</prkcol>";
constexpr std::string_view kAbreEstrangeira = "<frkcol>";
constexpr std::string_view kFechaEstrangeira = "</frkcol>";
constexpr std::string_view kAbreData = "<coldatetype>";
constexpr std::string_view kFechaData = "</coldatetype>";
constexpr std::string_view kAbreReferencia = "<refcol>";
constexpr std::string_view kFechaReferencia = "</refcol>";

struct TParTags {
    std::string_view abertura;
    std::string_view fechamento;
};

// The column blocks, in the order a table's piece expands them.
enum class TBloco : std::uint8_t { simples, primaria, estrangeira, data, referencia };
constexpr TParTags kTagsBloco[] = {{kAbreSimples, kFechaSimples},
                                   {kAbrePrimaria, kFechaPrimaria},
                                   {kAbreEstrangeira, kFechaEstrangeira},
                                   {kAbreData, kFechaData},
                                   {kAbreReferencia, kFechaReferencia}};

// The scalar tags of each scope, in the order they are replaced.
constexpr std::string_view kTagsDocumento[] = {"<dbname>", "<parentclass>", "<tbcount>"};
constexpr std::string_view kTagsTabela[] = {
    "<tbname>",         "<tbschema>",    "<tbtype>",      "<tbalias>",  "<tbindex>",
    "<simplecolcount>", "<frkcolcount>", "<prkcolcount>", "<colcount>", "<coldatecount>",
    "<tbshortname>",    "<tbcomment>",   "<refcolcount>"};
constexpr std::string_view kTagsColuna[] = {
    "<parentclass>", "<colname>",        "<tbname>",       "<colinivar>", "<colvartype>",
    "<colalias>",    "<collength>",      "<colprecision>", "<colscale>",  "<colprvtype>",
    "<colindex>",    "<colsqltype>",     "<colnullable>",  "<colunique>", "<colautoinc>",
    "<coldefault>",  "<colcomment>",     "<frkcolname>",   "<frktbname>", "<frktbshortname>",
    "<reftbname>",   "<reftbshortname>", "<reftbalias>"};
// Simple, primary-key and date blocks replace the first of them; foreign-key blocks also
// the referenced column's tags; inverse-relation blocks all.
constexpr std::size_t kTagsColunaComuns = 17;
constexpr std::size_t kTagsColunaEstrangeira = 20;
constexpr std::size_t kTagsColunaReferencia = std::size(kTagsColuna);

// The position of `tag` in a list of tags (the list's size when absent).
template <std::size_t N>
constexpr std::size_t IndiceDaTag(const std::string_view (&tags)[N], std::string_view tag) {
    for (std::size_t i = 0; i < N; ++i) {
        if (tags[i] == tag) {
            return i;
        }
    }
    return N;
}

// Conditions of "<if:COND>...</if:COND>" and "<ifnot:COND>...</ifnot:COND>". "fkfirst" and
// "fklast" hold for the first and the last column of a foreign key among the block's columns:
// consecutive foreign-key columns of one table that refer to one table, each to a column the
// key does not refer to yet, form one key (a mapping keeps no constraint of its own).
enum class TCondicao : std::uint8_t {
    nullable,
    pk,
    fk,
    date,
    unique,
    autoinc,
    default_,
    comment,
    alias,
    length,
    scale,
    fkfirst,
    fklast,
    view,
    table,
    tbalias,
    tbcomment,
    haspk,
    hasfk,
    first,
    last
};
// What gives a condition its value: the column of a column block, the table of a table
// block, or the position in the innermost repeating block.
enum class TClasseCondicao : std::uint8_t { coluna, tabela, posicao };

struct TNomeCondicao {
    std::string_view nome;
    TClasseCondicao classe;
};
// In the order of TCondicao.
constexpr TNomeCondicao kCondicoes[] = {
    {"nullable", TClasseCondicao::coluna},  {"pk", TClasseCondicao::coluna},
    {"fk", TClasseCondicao::coluna},        {"date", TClasseCondicao::coluna},
    {"unique", TClasseCondicao::coluna},    {"autoinc", TClasseCondicao::coluna},
    {"default", TClasseCondicao::coluna},   {"comment", TClasseCondicao::coluna},
    {"alias", TClasseCondicao::coluna},     {"length", TClasseCondicao::coluna},
    {"scale", TClasseCondicao::coluna},     {"fkfirst", TClasseCondicao::coluna},
    {"fklast", TClasseCondicao::coluna},    {"view", TClasseCondicao::tabela},
    {"table", TClasseCondicao::tabela},     {"tbalias", TClasseCondicao::tabela},
    {"tbcomment", TClasseCondicao::tabela}, {"haspk", TClasseCondicao::tabela},
    {"hasfk", TClasseCondicao::tabela},     {"first", TClasseCondicao::posicao},
    {"last", TClasseCondicao::posicao}};
constexpr std::size_t kQtdCondicoes = std::size(kCondicoes);

// A condition tag: "<if:" or "<ifnot:" opens, "</if:" or "</ifnot:" closes.
struct TTagCondicao {
    bool fecha = false;
    bool negada = false;
    std::string_view nome; // the condition as written, known or not
};

// Reads `tag` ("<...>") as a condition tag; false when it has none of the four forms.
constexpr bool LeTagCondicao(std::string_view tag, TTagCondicao& lida) {
    constexpr std::string_view formas[] = {"<if:", "<ifnot:", "</if:", "</ifnot:"};
    for (std::size_t i = 0; i < std::size(formas); ++i) {
        if (tag.size() > formas[i].size() + 1 && tag.substr(0, formas[i].size()) == formas[i]) {
            lida.fecha = i >= 2;
            lida.negada = i % 2 == 1;
            lida.nome = tag.substr(formas[i].size(), tag.size() - formas[i].size() - 1);
            return true;
        }
    }
    return false;
}

// The condition of that name; false when there is none.
constexpr bool AchaCondicao(std::string_view nome, TCondicao& condicao) {
    for (std::size_t i = 0; i < kQtdCondicoes; ++i) {
        if (kCondicoes[i].nome == nome) {
            condicao = static_cast<TCondicao>(i);
            return true;
        }
    }
    return false;
}

constexpr TClasseCondicao ClasseDe(TCondicao condicao) {
    return kCondicoes[static_cast<std::size_t>(condicao)].classe;
}

// The end of the tag that starts at `inicio` (a "<"): one past its ">", or npos when a "<"
// comes first or no ">" follows.
constexpr std::size_t FimDaTag(std::string_view texto, std::size_t inicio) {
    const std::size_t fim = texto.find_first_of("<>", inicio + 1);
    return fim == std::string_view::npos || texto[fim] == '<' ? std::string_view::npos : fim + 1;
}

} // namespace fendril::vocabulario

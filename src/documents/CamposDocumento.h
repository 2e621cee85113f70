#pragma once

#include "documents/TArquivoKMF.h"
#include "model/TControlaColunas.h"
#include "model/Textos.h"

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

// The sections and keys of the documents, each spelled once, and the field tables that say
// which member of a document's values each entry stores.
//
// Every document layout (mapping, table-class template, general template, generation) is a
// plain struct of values plus one table of TCampoDocumento, in the order the entries are
// written. Saving, opening, `fendril-cli compose` and the generation run all walk that table:
//
//     TArquivoKMF documento;
//     EscreveCampos(valores, kCamposModeloGeral, documento); // every entry, in table order
//     LeCampos(documento, kCamposModeloGeral, valores);      // every entry, in read order
//     LeValor(documento, kCamposModeloGeral, &TDocModeloGeral::makePrefix); // one value
//
// A key is the objectName of the control that shows the value, so a window can walk the same
// table to find its controls (the types table's control is named after its section,
// `tb_tipos`). Adding a key to a layout is one line in its table plus the member it stores;
// a key that older documents lack is marked `opcional`, so that they still open.
namespace fendril {

namespace secao {
inline constexpr std::string_view descricao = "descricao";
inline constexpr std::string_view codigo = "codigo";
inline constexpr std::string_view tb_tipos = "tb_tipos";
inline constexpr std::string_view geracao = "geracao";
inline constexpr std::string_view tabelasecolunas = "tabelasecolunas";
inline constexpr std::string_view tipos = "tipos";
inline constexpr std::string_view fatos = "fatos";
inline constexpr std::string_view manuais = "manuais";
} // namespace secao

namespace chave {
// Description of a mapping, a template or a generation.
inline constexpr std::string_view Edit_nome = "Edit_nome";
inline constexpr std::string_view Edit_autor = "Edit_autor";
inline constexpr std::string_view edit_data = "edit_data";
inline constexpr std::string_view memo_comentario = "memo_comentario";
// Mapping: connection, and the provider-type list.
inline constexpr std::string_view edit_constring = "edit_constring";
inline constexpr std::string_view edit_usuario = "edit_usuario";
inline constexpr std::string_view edit_Senha = "edit_Senha";
inline constexpr std::string_view combo_basedados = "combo_basedados";
inline constexpr std::string_view tiposprovider = "tiposprovider";
// Templates: naming parts, code texts, types.
inline constexpr std::string_view edit_tableprefix = "edit_tableprefix";
inline constexpr std::string_view edit_tablesufix = "edit_tablesufix";
inline constexpr std::string_view edit_tableextension = "edit_tableextension";
inline constexpr std::string_view edit_parparentclass = "edit_parparentclass";
inline constexpr std::string_view edit_parprefix = "edit_parprefix";
inline constexpr std::string_view edit_parsufix = "edit_parsufix";
inline constexpr std::string_view edit_parextension = "edit_parextension";
inline constexpr std::string_view edit_makeprefix = "edit_makeprefix";
inline constexpr std::string_view edit_makeextension = "edit_makeextension";
inline constexpr std::string_view re_classeobjeto = "re_classeobjeto";
inline constexpr std::string_view re_classepai = "re_classepai";
inline constexpr std::string_view re_make = "re_make";
inline constexpr std::string_view cb_fname = "cb_fname";
inline constexpr std::string_view tipos = "tipos";
inline constexpr std::string_view edit_typesfile = "edit_typesfile";
inline constexpr std::string_view rg_file = "rg_file";
inline constexpr std::string_view edit_reservedwords = "edit_reservedwords";
inline constexpr std::string_view edit_nameform = "edit_nameform";
// The mapping a template window previews its output with.
inline constexpr std::string_view cb_previa_mapa = "cb_previa_mapa";
// Generation.
inline constexpr std::string_view edit_mapfile = "edit_mapfile";
inline constexpr std::string_view pathraiz = "pathraiz";
inline constexpr std::string_view pathmontado = "pathmontado";
inline constexpr std::string_view gerdir = "gerdir";
inline constexpr std::string_view cb_fendril = "cb_fendril";
inline constexpr std::string_view cb_templ = "cb_templ";
inline constexpr std::string_view cb_merge = "cb_merge";
} // namespace chave

// One row of a types table: provider type, code variable type, initial value.
struct TLinhaTipos {
    std::string tipoProvider;
    std::string tipoVariavel;
    std::string valorInicial;

    bool operator==(const TLinhaTipos&) const = default;
};

// A template of a generation, ticked or not.
struct TModeloMarcado {
    std::string caminho;
    bool marcado = true;

    bool operator==(const TModeloMarcado&) const = default;
};

// What names a template's per-table files (its `cb_fname`): the table's qualified name, its
// alias, or its alias with the table's short name (without schema) where the alias is empty.
enum class TNomeArquivoTabela : std::uint8_t { nome = 0, alias = 1, aliasOuNomeCurto = 2 };

// The member a field stores, and so how its value is written:
// - std::string: the text as it is, one entry;
// - bool: "1" or "0"; reads true exactly for "1";
// - int: decimal; a value that is not a decimal integer fails (EConvertError);
// - TNomeArquivoTabela: "0", "1" or "2"; reads as the alias for "1", as the alias or short
//   name for "2" and as the name for any other value (older documents store "0" or "1");
// - std::vector<TLinhaTipos>: one entry per row, "provider;variable;initial;"; a document
//   without such entries keeps the rows as they were, a row of fewer fields fails;
// - std::vector<TModeloMarcado>: one entry per template, "path;1;" (ticked unless "0");
// - TListaTextos: one entry per text, as it is;
// - std::unique_ptr<TControlaColunas>: one line per column (its encoding, written with
//   AdicionaLinha and no key), only when the set holds at least one table; read only when
//   the document holds such lines, together with the facts of its "fatos" section. In the
//   section "fatos" itself the member writes those facts (EscreveFatosDocumento, under the
//   same condition), and in the section "manuais" the properties set by hand
//   (EscreveManuaisDocumento); reading it there does nothing more.
template <class TDoc>
using TMembroDocumento =
    std::variant<std::string TDoc::*, bool TDoc::*, int TDoc::*, TNomeArquivoTabela TDoc::*,
                 std::vector<TLinhaTipos> TDoc::*, std::vector<TModeloMarcado> TDoc::*,
                 TListaTextos TDoc::*, std::unique_ptr<TControlaColunas> TDoc::*>;

// When opening reads a field: in table order, or before or after the others (fields marked
// alike are read in table order among themselves). The order decides which values are
// already read when a key is missing.
enum class TLeitura { NaOrdem, Primeiro, Ultimo };

// One entry of a layout: where a value is stored, which member holds it, when it is read
// and whether a document may lack it. A required key that a document lacks stops the
// reading there with EListError "List index out of bounds (0): section||key", the values
// read before it kept; an `opcional` one leaves its member as it was. An `opcional` text is
// written only when it is not empty, so a document that does not use it is written exactly
// as before the key existed.
template <class TDoc> struct TCampoDocumento {
    std::string_view secao;
    std::string_view chave;
    TMembroDocumento<TDoc> membro;
    TLeitura leitura = TLeitura::NaOrdem;
    bool opcional = false;
};

// Values of each member kind written as entries and read back (see TMembroDocumento).
namespace campos {
void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view chave,
             const std::string& valor);
void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view chave, bool valor);
void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view chave, int valor);
void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view chave,
             TNomeArquivoTabela valor);
void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view chave,
             const std::vector<TLinhaTipos>& linhas);
void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view chave,
             const std::vector<TModeloMarcado>& modelos);
void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view chave,
             const TListaTextos& textos);
void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view chave,
             const std::unique_ptr<TControlaColunas>& colunas);
// The same for a column set its owner lends (null for none).
void Escreve(TArquivoKMF& documento, std::string_view secao, std::string_view chave,
             const TControlaColunas* colunas);

void Le(const TArquivoKMF& documento, std::string_view secao, std::string_view chave, bool opcional,
        std::string& valor);
void Le(const TArquivoKMF& documento, std::string_view secao, std::string_view chave, bool opcional,
        bool& valor);
void Le(const TArquivoKMF& documento, std::string_view secao, std::string_view chave, bool opcional,
        int& valor);
void Le(const TArquivoKMF& documento, std::string_view secao, std::string_view chave, bool opcional,
        TNomeArquivoTabela& valor);
void Le(const TArquivoKMF& documento, std::string_view secao, std::string_view chave, bool,
        std::vector<TLinhaTipos>& linhas);
void Le(const TArquivoKMF& documento, std::string_view secao, std::string_view chave, bool,
        std::vector<TModeloMarcado>& modelos);
void Le(const TArquivoKMF& documento, std::string_view secao, std::string_view chave, bool,
        TListaTextos& textos);
void Le(const TArquivoKMF& documento, std::string_view secao, std::string_view chave, bool,
        std::unique_ptr<TControlaColunas>& colunas);

// The text form of a types row and of a ticked template, as their entries store them.
std::string TextoLinhaTipos(const TLinhaTipos& linha);
std::string TextoModelo(const TModeloMarcado& modelo);
// The naming of per-table files as stored ("0", "1", "2") and as read from any text.
std::string TextoNomeArquivo(TNomeArquivoTabela valor);
TNomeArquivoTabela LeNomeArquivo(std::string_view texto);
} // namespace campos

// A layout's field table, as the functions below take it (an array of the layout converts).
template <class TDoc>
using TTabelaCampos = std::span<const TCampoDocumento<std::type_identity_t<TDoc>>>;

// Adds one entry (or line) per value of every field, in table order.
template <class TDoc>
void EscreveCampos(const TDoc& valores, TTabelaCampos<TDoc> tabela, TArquivoKMF& documento) {
    for (const TCampoDocumento<TDoc>& campo : tabela) {
        std::visit(
            [&](auto membro) {
                const auto& valor = valores.*membro;
                if constexpr (std::is_same_v<std::decay_t<decltype(valor)>, std::string>) {
                    if (campo.opcional && valor.empty()) {
                        return;
                    }
                }
                campos::Escreve(documento, campo.secao, campo.chave, valor);
            },
            campo.membro);
    }
}

// Reads one field into its member.
template <class TDoc>
void LeCampo(const TArquivoKMF& documento, const TCampoDocumento<TDoc>& campo, TDoc& valores) {
    std::visit(
        [&](auto membro) {
            campos::Le(documento, campo.secao, campo.chave, campo.opcional, valores.*membro);
        },
        campo.membro);
}

// Reads every field: first those marked Primeiro, then the others in table order, then
// those marked Ultimo. A failure stops the reading; the members read before it keep their
// new values.
template <class TDoc>
void LeCampos(const TArquivoKMF& documento, TTabelaCampos<TDoc> tabela, TDoc& valores) {
    for (const TLeitura vez : {TLeitura::Primeiro, TLeitura::NaOrdem, TLeitura::Ultimo}) {
        for (const TCampoDocumento<TDoc>& campo : tabela) {
            if (campo.leitura == vez) {
                LeCampo(documento, campo, valores);
            }
        }
    }
}

// The field of a table that stores `membro`. A member that no field stores is a
// programming error (std::logic_error).
template <class TDoc, class T>
constexpr const TCampoDocumento<TDoc>& CampoDe(TTabelaCampos<TDoc> tabela, T TDoc::*membro) {
    for (const TCampoDocumento<TDoc>& campo : tabela) {
        if (const auto* m = std::get_if<T TDoc::*>(&campo.membro); m != nullptr && *m == membro) {
            return campo;
        }
    }
    throw std::logic_error("No field of the layout stores this member");
}

// The value of one field, read alone as LeCampos reads it: a reader that needs only some
// values, in an order of its own, asks for them one by one.
template <class TDoc, class T>
T LeValor(const TArquivoKMF& documento, TTabelaCampos<TDoc> tabela, T TDoc::*membro) {
    TDoc valores;
    LeCampo(documento, CampoDe(tabela, membro), valores);
    return std::move(valores.*membro);
}

// The field of a table with this key (or, for the types rows, this section), or null.
template <class TDoc>
const TCampoDocumento<TDoc>* CampoPorNome(TTabelaCampos<TDoc> tabela, std::string_view nome) {
    for (const TCampoDocumento<TDoc>& campo : tabela) {
        const bool linhasTipos =
            std::holds_alternative<std::vector<TLinhaTipos> TDoc::*>(campo.membro);
        if ((linhasTipos ? campo.secao : campo.chave) == nome) {
            return &campo;
        }
    }
    return nullptr;
}

// Overloaded lambdas for std::visit over a field's member.
template <class... F> struct TSobrecarga : F... { using F::operator()...; };
// (clang before 17 deduces an aggregate's arguments only with a guide.)
template <class... F> TSobrecarga(F...) -> TSobrecarga<F...>;

} // namespace fendril

#pragma once

#include "documents/CamposDocumento.h"
#include "documents/TArquivoKMF.h"
#include "model/TControlaColunas.h"
#include "model/Textos.h"

#include <memory>
#include <string>

namespace fendril {

// The values the mapping window shows, as plain data: the seven description fields keyed
// by the names of their controls, the column set and the provider-type list.
struct TDescricaoMapeamento {
    std::string Edit_nome;
    std::string Edit_autor;
    std::string edit_data; // the mapping's date as the user's short date text
    std::string edit_constring;
    std::string edit_usuario;
    std::string edit_Senha;
    std::string combo_basedados;
    std::unique_ptr<TControlaColunas> controlaColunas; // absent until loaded
    TListaTextos tiposProvider;
};

// The entries of a mapping document, in the order they are written: the seven description
// fields, one "tabelasecolunas" line per column when the mapping has at least one table, one
// "tipos"/"tiposprovider" entry per provider type, then the facts of tables and columns
// ("fatos", see EscreveFatosDocumento) and which of them a person set by hand ("manuais",
// see EscreveManuaisDocumento), which older documents lack.
inline constexpr TCampoDocumento<TDescricaoMapeamento> kCamposMapeamento[] = {
    {secao::descricao, chave::Edit_nome, &TDescricaoMapeamento::Edit_nome},
    {secao::descricao, chave::Edit_autor, &TDescricaoMapeamento::Edit_autor},
    {secao::descricao, chave::edit_data, &TDescricaoMapeamento::edit_data},
    {secao::descricao, chave::edit_constring, &TDescricaoMapeamento::edit_constring},
    {secao::descricao, chave::edit_usuario, &TDescricaoMapeamento::edit_usuario},
    {secao::descricao, chave::edit_Senha, &TDescricaoMapeamento::edit_Senha},
    {secao::descricao, chave::combo_basedados, &TDescricaoMapeamento::combo_basedados},
    {secao::tabelasecolunas, {}, &TDescricaoMapeamento::controlaColunas},
    {secao::tipos, chave::tiposprovider, &TDescricaoMapeamento::tiposProvider},
    {secao::fatos, {}, &TDescricaoMapeamento::controlaColunas, TLeitura::Ultimo, true},
    {secao::manuais, {}, &TDescricaoMapeamento::controlaColunas, TLeitura::Ultimo, true},
};

// The mapping document of a description, header = author; private (saved readable by its
// owner only) when it holds a password. Raises EErroGeral "An Author Name Must Be Given !!"
// when the author is empty.
TArquivoKMF MontaDocumentoMapeamento(const TDescricaoMapeamento& descricao);
// The same with the column set of another owner (the mapping window's, null for none) in
// place of the description's own.
TArquivoKMF MontaDocumentoMapeamento(const TDescricaoMapeamento& descricao,
                                     const TControlaColunas* colunas);

// The reverse: the seven description fields (a missing one raises EListError), the column
// set when the document has column lines (one that does not decode raises EErroGeral naming
// it) and the provider-type list.
TDescricaoMapeamento LeDocumentoMapeamento(const TArquivoKMF& documento);

} // namespace fendril

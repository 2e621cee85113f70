#pragma once

#include "documents/CamposDocumento.h"
#include "documents/TArquivoKMF.h"

#include <string>
#include <string_view>
#include <vector>

namespace fendril {

// The values of a table-class template (".tpt"), as its window shows them, and their
// section document (the entries: kCamposModeloTabela).
struct TDocModeloTabela {
    std::string nome;
    std::string autor; // also the header; required
    std::string data;  // as the window shows it
    std::string comentario;
    std::string tablePrefix;
    std::string tableSufix;
    std::string tableExtension;
    std::string parentClass; // the value of <parentclass>
    std::string parPrefix;
    std::string parSufix;
    std::string parExtension;
    std::string makePrefix;
    std::string makeExtension;
    std::string classeObjeto;                      // the table class text
    std::string classePai;                         // the parent class text
    std::string make;                              // the make file text
    TNomeArquivoTabela nomeArquivo{};              // what names the table class files
    std::string palavrasReservadas;                // see PalavrasReservadas
    std::string formaNome;                         // see kCamposModeloTabela
    std::string mapaPrevia;                        // see kCamposModeloTabela
    std::vector<TLinhaTipos> tipos{TLinhaTipos{}}; // a new template has one empty row

    // Raises EErroGeral "An Author Name Must Be Given !!" without an author.
    TArquivoKMF getArquivo() const;
    // A missing key raises the list-index failure; values read before it stay filled.
    // A document without types rows leaves `tipos` as it was.
    void setArquivo(const TArquivoKMF& documento);
};

// The values of a general template (".tpg") and their section document (no header; the
// entries: kCamposModeloGeral).
struct TDocModeloGeral {
    std::string arquivoTipos; // path of the types file; may be empty
    std::string classeObjeto; // the code text
    std::string makePrefix;   // the single file's name
    std::string tablePrefix;
    std::string tableSufix;
    std::string makeExtension;
    int arquivoUnico = 0; // 0 one file per table, 1 one for the group
    std::string parentClass;
    TNomeArquivoTabela nomeArquivo{};
    std::string palavrasReservadas;
    std::string formaNome;
    std::string mapaPrevia; // see kCamposModeloTabela

    TArquivoKMF getArquivo() const;
    void setArquivo(const TArquivoKMF& documento);
};

// The values of a generation document (".kgf"; the entries: kCamposGeracao).
struct TDocGeracao {
    std::string nome;
    std::string autor; // also the header; required
    std::string data;
    std::string comentario;
    std::string arquivoMapeamento;
    std::string pathRaiz;    // folder holding the mounted root
    std::string pathMontado; // the mounted root's name
    std::string diretorioGeracao;
    std::vector<TModeloMarcado> modelosTabela;
    std::vector<TModeloMarcado> modelosGerais;
    // "Merge hand edits": a run merges the edits made to generated files into the new
    // output instead of asking about them. Older documents lack it: off.
    bool fundeEdicoes = false;

    TArquivoKMF getArquivo() const;
    // Reads the values as stored; which files still exist is the caller's question.
    void setArquivo(const TArquivoKMF& documento);
};

// The entries of a table-class template, in the order they are written. Older documents
// lack the reserved words (the words the "ident" filter must not give as they are, one a
// line) and the name form (a filter chain, "pascal:singular", applied to the table part of
// the table class file names); they read as empty and are written only when set. So do
// the mapping the window previews the template's output with (the path as chosen), which
// takes no part in a run.
inline constexpr TCampoDocumento<TDocModeloTabela> kCamposModeloTabela[] = {
    {secao::descricao, chave::Edit_nome, &TDocModeloTabela::nome},
    {secao::descricao, chave::Edit_autor, &TDocModeloTabela::autor},
    {secao::descricao, chave::edit_data, &TDocModeloTabela::data},
    {secao::descricao, chave::memo_comentario, &TDocModeloTabela::comentario},
    {secao::codigo, chave::edit_tableprefix, &TDocModeloTabela::tablePrefix},
    {secao::codigo, chave::edit_tablesufix, &TDocModeloTabela::tableSufix},
    {secao::codigo, chave::edit_tableextension, &TDocModeloTabela::tableExtension},
    {secao::codigo, chave::edit_parparentclass, &TDocModeloTabela::parentClass},
    {secao::codigo, chave::edit_parprefix, &TDocModeloTabela::parPrefix},
    {secao::codigo, chave::edit_parsufix, &TDocModeloTabela::parSufix},
    {secao::codigo, chave::edit_parextension, &TDocModeloTabela::parExtension},
    {secao::codigo, chave::edit_makeprefix, &TDocModeloTabela::makePrefix},
    {secao::codigo, chave::edit_makeextension, &TDocModeloTabela::makeExtension},
    {secao::codigo, chave::re_classeobjeto, &TDocModeloTabela::classeObjeto},
    {secao::codigo, chave::re_classepai, &TDocModeloTabela::classePai},
    {secao::codigo, chave::re_make, &TDocModeloTabela::make},
    {secao::codigo, chave::cb_fname, &TDocModeloTabela::nomeArquivo},
    {secao::codigo, chave::edit_reservedwords, &TDocModeloTabela::palavrasReservadas,
     TLeitura::NaOrdem, true},
    {secao::codigo, chave::edit_nameform, &TDocModeloTabela::formaNome, TLeitura::NaOrdem, true},
    {secao::codigo, chave::cb_previa_mapa, &TDocModeloTabela::mapaPrevia, TLeitura::NaOrdem, true},
    {secao::tb_tipos, chave::tipos, &TDocModeloTabela::tipos},
};

// The entries of a general template, in the order they are written. The file mode is read
// first. The reserved words and the name form (of the files written one per table) are those
// of a table-class template, and so is the mapping of the preview.
inline constexpr TCampoDocumento<TDocModeloGeral> kCamposModeloGeral[] = {
    {secao::codigo, chave::edit_typesfile, &TDocModeloGeral::arquivoTipos},
    {secao::codigo, chave::re_classeobjeto, &TDocModeloGeral::classeObjeto},
    {secao::codigo, chave::edit_makeprefix, &TDocModeloGeral::makePrefix},
    {secao::codigo, chave::edit_tableprefix, &TDocModeloGeral::tablePrefix},
    {secao::codigo, chave::edit_tablesufix, &TDocModeloGeral::tableSufix},
    {secao::codigo, chave::edit_makeextension, &TDocModeloGeral::makeExtension},
    {secao::codigo, chave::rg_file, &TDocModeloGeral::arquivoUnico, TLeitura::Primeiro},
    {secao::codigo, chave::edit_parparentclass, &TDocModeloGeral::parentClass},
    {secao::codigo, chave::cb_fname, &TDocModeloGeral::nomeArquivo},
    {secao::codigo, chave::edit_reservedwords, &TDocModeloGeral::palavrasReservadas,
     TLeitura::NaOrdem, true},
    {secao::codigo, chave::edit_nameform, &TDocModeloGeral::formaNome, TLeitura::NaOrdem, true},
    {secao::codigo, chave::cb_previa_mapa, &TDocModeloGeral::mapaPrevia, TLeitura::NaOrdem, true},
};

// The entries of a generation, in the order they are written. Opening reads the directory
// tree's entries first, then the mapping path, then the templates.
inline constexpr TCampoDocumento<TDocGeracao> kCamposGeracao[] = {
    {secao::descricao, chave::Edit_nome, &TDocGeracao::nome},
    {secao::descricao, chave::Edit_autor, &TDocGeracao::autor},
    {secao::descricao, chave::edit_data, &TDocGeracao::data},
    {secao::descricao, chave::memo_comentario, &TDocGeracao::comentario},
    {secao::geracao, chave::edit_mapfile, &TDocGeracao::arquivoMapeamento, TLeitura::Ultimo},
    {secao::geracao, chave::pathraiz, &TDocGeracao::pathRaiz},
    {secao::geracao, chave::pathmontado, &TDocGeracao::pathMontado},
    {secao::geracao, chave::gerdir, &TDocGeracao::diretorioGeracao},
    {secao::geracao, chave::cb_fendril, &TDocGeracao::modelosTabela, TLeitura::Ultimo},
    {secao::geracao, chave::cb_templ, &TDocGeracao::modelosGerais, TLeitura::Ultimo},
    {secao::geracao, chave::cb_merge, &TDocGeracao::fundeEdicoes, TLeitura::Ultimo, true},
};

// The words of a reserved-word list as a template stores it: separated by line breaks (or
// any blanks), empty lines skipped.
TListaTextos PalavrasReservadas(std::string_view texto);

// The tag that stands for the table part of per-table file names in a name pattern and in
// the windows' previews: "<tbname>", "<tbalias>" or "<tbalias|tbshortname>", with the name
// form after a colon when there is one ("<tbname:pascal:singular>").
std::string TagNomeArquivo(TNomeArquivoTabela nomeArquivo, std::string_view formaNome = {});

// A types file loaded into a types table: one row per line, each taking the line's first
// three ";"-ended fields, up to the first line with fewer; the rows after it stay empty.
std::vector<TLinhaTipos> CarregaArquivoTipos(const std::string& caminho);

} // namespace fendril

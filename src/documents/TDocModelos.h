#pragma once

#include "documents/TArquivoKMF.h"

#include <string>
#include <vector>

namespace fendril {

// One row of a types table: provider type, code variable type, initial value.
struct TLinhaTipos {
    std::string tipoProvider;
    std::string tipoVariavel;
    std::string valorInicial;

    bool operator==(const TLinhaTipos&) const = default;
};

// The values of a table-class template (".tpt"), as its window shows them, and their
// section document. Field comments name the document key of each value.
struct TDocModeloTabela {
    std::string nome;           // descricao/Edit_nome
    std::string autor;          // descricao/Edit_autor, also the header; required
    std::string data;           // descricao/edit_data, as the window shows it
    std::string comentario;     // descricao/memo_comentario
    std::string tablePrefix;    // codigo/edit_tableprefix
    std::string tableSufix;     // codigo/edit_tablesufix
    std::string tableExtension; // codigo/edit_tableextension
    std::string parentClass;    // codigo/edit_parparentclass: the value of <parentclass>
    std::string parPrefix;      // codigo/edit_parprefix
    std::string parSufix;       // codigo/edit_parsufix
    std::string parExtension;   // codigo/edit_parextension
    std::string makePrefix;     // codigo/edit_makeprefix
    std::string makeExtension;  // codigo/edit_makeextension
    std::string classeObjeto;   // codigo/re_classeobjeto: the table class text
    std::string classePai;      // codigo/re_classepai: the parent class text
    std::string make;           // codigo/re_make: the make file text
    bool nomePorAlias = false;  // codigo/cb_fname: files named after the table alias
    std::vector<TLinhaTipos> tipos{TLinhaTipos{}}; // tb_tipos/tipos; a new one has an empty row

    // Raises EErroGeral "An Author Name Must Be Given !!" without an author.
    TArquivoKMF getArquivo() const;
    // A missing key raises the list-index failure; values read before it stay filled.
    // A document without types rows leaves `tipos` as it was.
    void setArquivo(const TArquivoKMF& documento);
};

// The values of a general template (".tpg") and their section document (no header).
struct TDocModeloGeral {
    std::string arquivoTipos;  // codigo/edit_typesfile: path of the types file; may be empty
    std::string classeObjeto;  // codigo/re_classeobjeto: the code text
    std::string makePrefix;    // codigo/edit_makeprefix: the single file's name
    std::string tablePrefix;   // codigo/edit_tableprefix
    std::string tableSufix;    // codigo/edit_tablesufix
    std::string makeExtension; // codigo/edit_makeextension
    int arquivoUnico = 0;      // codigo/rg_file: 0 one file per table, 1 one for the group
    std::string parentClass;   // codigo/edit_parparentclass
    bool nomePorAlias = false; // codigo/cb_fname

    TArquivoKMF getArquivo() const;
    void setArquivo(const TArquivoKMF& documento);
};

// A template of a generation, ticked or not.
struct TModeloMarcado {
    std::string caminho;
    bool marcado = true;

    bool operator==(const TModeloMarcado&) const = default;
};

// The values of a generation document (".kgf").
struct TDocGeracao {
    std::string nome;                          // descricao/Edit_nome
    std::string autor;                         // descricao/Edit_autor, also the header; required
    std::string data;                          // descricao/edit_data
    std::string comentario;                    // descricao/memo_comentario
    std::string arquivoMapeamento;             // geracao/edit_mapfile
    std::string pathRaiz;                      // geracao/pathraiz: folder holding the mounted root
    std::string pathMontado;                   // geracao/pathmontado: the mounted root's name
    std::string diretorioGeracao;              // geracao/gerdir
    std::vector<TModeloMarcado> modelosTabela; // geracao/cb_fendril, "path;1;"
    std::vector<TModeloMarcado> modelosGerais; // geracao/cb_templ

    TArquivoKMF getArquivo() const;
    // Reads the values as stored; which files still exist is the caller's question.
    void setArquivo(const TArquivoKMF& documento);
};

// A types file loaded into a types table: one row per line, each taking the line's first
// three ";"-ended fields, up to the first line with fewer; the rows after it stay empty.
std::vector<TLinhaTipos> CarregaArquivoTipos(const std::string& caminho);

} // namespace fendril

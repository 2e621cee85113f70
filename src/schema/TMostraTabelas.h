#pragma once

#include "model/Textos.h"
#include "schema/CargaColunas.h"
#include "schema/FonteEsquema.h"

#include <string>
#include <vector>

namespace fendril {

// The listing logic of the table chooser: the tables of one catalog filtered by type and
// schema, the schema list the filter offers, the tables to leave out, the log of the last
// listing and, when foreign checking is on, the links from each table to the tables it
// refers to.
class TMostraTabelas {
public:
    explicit TMostraTabelas(TParametrosConexao conexao, std::string catalogo,
                            TFabricaConexao fabrica = FabricaPadrao());

    // Qualified names to leave out, compared without regard to letter case.
    TListaTextos excluidas;
    // Leaves out the system tables (a type that starts with "SYSTEM") whatever the type
    // filter says.
    bool semSistema = false;
    bool checaEstrangeiras = false;

    // The qualified names of the tables of `catalogo` that pass the type ("" for any, or
    // "TABLE", "SYSTEM TABLE", "VIEW") and the schema ("" or "All" for any). With an empty
    // schema the schema list is filled, sorted, and its text becomes "All".
    TListaTextos PreencheLista(const std::string& tipo, const std::string& esquema,
                               const TProgresso& progresso = {});
    // Adds to relacoes one link "referenced->referencing->" per foreign-key column of the
    // table, named by its qualified name (see ResolveNomeTabela) or by its schema and name.
    void PreencheTabelasEstrangeiras(const std::string& nome);
    void PreencheTabelasEstrangeiras(const std::string& esquema, const std::string& tabela);
    // Adds to `lista` the referenced table of every link whose referencing table is `nome`.
    void ProcuraPais(const std::string& nome, TListaTextos& lista) const;

    struct TItem {
        std::string nome;
        bool marcado = false;
    };
    // Sets the mark of every item that is a table `nome` refers to (one level only).
    void MarcaPais(const std::string& nome, bool estado, std::vector<TItem>& itens) const;

    const TListaTextos& getRelacoes() const { return m_relacoes; }
    const TListaTextos& getLog() const { return m_log; }
    const TListaTextos& getEsquemas() const { return m_esquemas; }
    const std::string& getTextoEsquema() const { return m_textoEsquema; }

    // The table type of an option of the type filter: "All" and "all" give "", "Simple
    // Tables" and "table" "TABLE", "System Tables" and "system" "SYSTEM TABLE", "Views" and
    // "view" "VIEW".
    static std::string TipoDaOpcao(const std::string& opcao);

private:
    TParametrosConexao m_conexao;
    std::string m_catalogo;
    TFabricaConexao m_fabrica;
    TListaTextos m_relacoes;
    TListaTextos m_log;
    TListaTextos m_esquemas;
    std::string m_textoEsquema;
};

// How the table data window names a table in its query ("select * from " + the result): a
// name without a space is used as it is; otherwise the part after the first "." (the whole
// name when there is none) is put in square brackets and the schema stays bare.
std::string getNomeTabelaAccess(const std::string& nome);

} // namespace fendril

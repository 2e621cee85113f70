#pragma once

#include "model/TControlaColunas.h"
#include "model/Textos.h"
#include "schema/FonteEsquema.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace fendril {

// The connection a mapping reads its database through.
struct TParametrosConexao {
    std::string stringConexao;
    std::string usuario;
    std::string senha;
    std::string nomeBaseDados; // made default on every reading's connection; may be empty
};

// Receives the status text of a long step after each item ("... Wait...(50%)"), so that a
// window can repaint or a command line can print it.
using TProgresso = std::function<void(const std::string& status, std::int32_t porcentagem)>;

// n / total × 100 rounded to the nearest integer, halves to even.
std::int32_t Porcentagem(std::size_t n, std::size_t total);

// What a mapping holds from its loads: the column set (absent until the first load), the
// provider-type list, the log of the last load and its warnings: the tables the column set
// leaves out because their names differ from another's only in letter case (also in the
// log).
struct TCargaColunas {
    std::unique_ptr<TControlaColunas> controlaColunas;
    TListaTextos tiposProvider;
    TListaTextos log;
    TListaTextos avisos;
};

// The schema and the table a qualified name names. A name without "." is a table without
// schema. A name with dots is looked up among the source's tables by their schema and name
// fields ("my.table" is the table of that name without schema in an SQLite file, "s.t" the
// table t of schema s); a name that none of them has is cut at its first "." (it then
// names no table), and a name that several have raises EErroGeral "Table Name ... Is
// Ambiguous ...". `tabelas` keeps the source's tables between calls (read on first need;
// a source whose tables cannot be read has none).
struct TTabelasFonte {
    bool lidas = false;
    // The distinct (schema, name) pairs of each qualified name, in the order the source
    // lists them: a load resolves every table it reads, so each lookup must not walk them.
    std::unordered_map<std::string, std::vector<std::pair<std::string, std::string>>>
        porNomeCompleto;
};
std::pair<std::string, std::string> ResolveNomeTabela(const TParametrosConexao& conexao,
                                                      const std::string& nomeCompleto,
                                                      TTabelasFonte& tabelas,
                                                      const TFabricaConexao& fabrica);

// Load Tables And Columns: reads the provider types, then the columns of every qualified
// name of `tabelas` ("schema.table", or a bare name for a table without schema; see
// ResolveNomeTabela), keeping only the columns of that schema, and replaces the column set
// with them. The log is
// rebuilt as the load goes. Any failure while a table is read (a connection refused or lost,
// a time limit, a column that cannot be built, even the first) ends the load with EErroGeral
// naming the table ("Table ... Could Not Be Read: " + the reader's text), keeps the reader's
// log lines and leaves the column set as it was; only a rowset the source does not offer is
// merely logged.
//
// The readings share one connection per load (TSessaoConexoes), so the source is asked
// for each rowset once however many tables are read.
void CarregaControlaColunas(const TParametrosConexao& conexao, const TListaTextos& tabelas,
                            TCargaColunas& carga, const TProgresso& progresso = {},
                            const TFabricaConexao& fabrica = FabricaPadrao());

// Add Remaining Tables: loads `tabelas` as above and keeps the previous columns before the
// new ones.
void ImportaNovaTabela(const TParametrosConexao& conexao, const TListaTextos& tabelas,
                       TCargaColunas& carga, const TProgresso& progresso = {},
                       const TFabricaConexao& fabrica = FabricaPadrao());

// Whether the source lists a table of that qualified name (which may have no columns;
// see ResolveNomeTabela); a failure to read the tables raises.
bool TabelaExiste(const TParametrosConexao& conexao, const std::string& nomeCompleto,
                  const TFabricaConexao& fabrica = FabricaPadrao());

// Adds to a provider-type list every type name of `colunas` it lacks, each once, with the
// column's type code, so that every column's type is a type of the list (a source's list
// may lack types its columns declare: psqlODBC lists no timestamp, enums, domains or
// arrays). For each code that gained a type, the best match is chosen again
// (MelhoresTipos: the provider's own best stays unless a gained type is the one a person
// would choose); best matches stay first. A list that gains nothing is left as it is.
void CompletaTiposProvider(TListaTextos& tiposProvider, const TArrColunas& colunas);

// The database the connection works in once its default database (when given) is set:
// "main" for SQLite, the connected database for ODBC; empty when the source cannot tell.
// A failure to connect raises.
std::string BaseDadosAberta(const TParametrosConexao& conexao,
                            const TFabricaConexao& fabrica = FabricaPadrao());

// The load log file of the installation directory, "Fendrillog.txt".
std::string CaminhoLogCarga(const std::string& diretorioInstalado);
// Writes a load or listing log there, replacing the previous file (lines end in CR LF).
void GravaLogCarga(const std::string& diretorioInstalado, const TListaTextos& log);
// Removes it, as the mapping window and the table chooser do when they open; a missing file
// is no failure.
void ApagaLogCarga(const std::string& diretorioInstalado);

} // namespace fendril

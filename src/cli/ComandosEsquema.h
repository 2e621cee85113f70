#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace fendril {

// The options the schema commands share, as given on the command line.
struct TOpcoesEsquema {
    std::string conexao;
    std::string usuario;
    std::string variavelSenha; // name of the environment variable that holds the password
    std::string baseDados;
    std::string tipo; // all, table, view or system; empty when not given
    std::string esquema;
    std::optional<std::string> tabelas; // comma-separated qualified names
    std::string adicionaA;              // mapping document to add the tables to
    std::string autor;
    std::optional<std::string> nome;
    std::string saida;
    std::string log;
    bool salvaSenha = false; // --save-password: the mapping keeps the password
    int tempoLimite = 30;    // --timeout: seconds connecting and each catalog request may take
};

// fendril-cli databases: prints the database names, one per line.
int ComandoDatabases(const TOpcoesEsquema& opcoes, std::ostream& saida, std::ostream& erros);

// fendril-cli tables: prints the qualified names the table chooser lists, one per line.
int ComandoTables(const TOpcoesEsquema& opcoes, std::ostream& saida, std::ostream& erros);

// fendril-cli import: loads tables into a mapping document (a new one, or the one named by
// --add-to with the tables it lacks added) and saves it. Progress goes to `erros`; the
// load log goes to --log. The document is written only when the whole load succeeded, and
// never over a file that is not a mapping document. The password is kept in it only with
// --save-password.
int ComandoImport(const TOpcoesEsquema& opcoes, std::ostream& erros);

// The options of fendril-cli refresh; the connection's, when not given, are the mapping's.
struct TOpcoesRefresh {
    std::string mapeamento; // FILE.kmf
    std::optional<std::string> conexao;
    std::optional<std::string> usuario;
    std::string variavelSenha;
    std::optional<std::string> baseDados;
    std::optional<std::string> tabelas; // comma-separated qualified names
    std::string saida;                  // -o: the refreshed mapping's file; FILE when empty
    bool simulacao = false;             // --dry-run
    bool verificacao = false;           // --check
    bool salvaSenha = false;
    int tempoLimite = 30;
};

// fendril-cli refresh: compares the mapping with its database (schema/RefreshReading.h),
// prints the change list grouped by table on `saida`, and writes the refreshed mapping over
// FILE or to -o, in one step that leaves the old file whole if it fails; a mapping already
// up to date is not written over. --dry-run writes nothing; --check writes nothing and
// returns 1 when there are changes. Progress and the summary go to `erros`.
int ComandoRefresh(const TOpcoesRefresh& opcoes, std::ostream& saida, std::ostream& erros);

} // namespace fendril

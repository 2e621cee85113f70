#include "cli/Aplicacao.h"

#include "cli/ComandosCompor.h"
#include "cli/ComandosDocumento.h"
#include "cli/ComandosEsquema.h"
#include "cli/ComandosGeracao.h"
#include "cli/DescreveMapeamento.h"
#include "engine/AliasRules.h"

#include <CLI/CLI.hpp>
#include <functional>
#include <iostream>
#include <ostream>
#include <unistd.h>

namespace fendril {

int ExecutaCli(int argc, const char* const* argv, std::ostream& saida, std::ostream& erros) {
    CLI::App app{"Fendril: object-relational mapping code generator, command line tool",
                 "fendril-cli"};
    app.require_subcommand(1);
    std::function<int()> comando;

    std::string arquivo;
    auto* dump = app.add_subcommand("dump", "Print a section document (.kmf, .tpt, .tpg, .kgf) "
                                            "as text, one line per document line");
    dump->add_option("FILE", arquivo, "Section document to read")->required();
    dump->callback([&] { comando = [&] { return ComandoDump(arquivo, saida, erros); }; });

    std::string mapeamento;
    std::optional<std::string> tabelaDescrita;
    auto* describe = app.add_subcommand(
        "describe", "Print a mapping (.kmf) as a readable table: per table, its columns with "
                    "type, sizes, keys, nullable, default, unique, auto-increment, enabled, "
                    "alias and comment");
    describe->add_option("FILE", mapeamento, "Mapping document to read")->required();
    describe->add_option("--table", tabelaDescrita,
                         "Describe only the table of this qualified name");
    describe->callback([&] {
        comando = [&] { return ComandoDescribe(mapeamento, tabelaDescrita, saida, erros); };
    });

    std::string texto;
    std::string destino;
    auto* pack = app.add_subcommand("pack", "Save the text form printed by dump as a section "
                                            "document");
    pack->add_option("TEXTFILE", texto,
                     "Text form: the header line, then one line per "
                     "document line")
        ->required();
    pack->add_option("-o,--output", destino, "Section document to write")->required();
    pack->callback([&] { comando = [&] { return ComandoPack(texto, destino, erros); }; });

    std::string modelo;
    bool estrito = false;
    auto* check = app.add_subcommand(
        "check", "Check that the block and condition tags of a template pair up and do not "
                 "cross and that its name form's filters exist, and warn about tags that will "
                 "not expand (with line and column)");
    check
        ->add_option("FILE", modelo,
                     "Template (.tpt, .tpg: its code texts) or plain text file with template "
                     "code")
        ->required();
    check->add_flag("--strict", estrito, "Warnings count as errors (exit 1)");
    check->callback([&] { comando = [&] { return ComandoCheck(modelo, estrito, saida, erros); }; });

    std::string descricao;
    std::string composto;
    auto* compose = app.add_subcommand(
        "compose", "Build a template (.tpt, .tpg) or generation (.kgf) document from a plain "
                   "description of key = value lines (key = @file reads a file)");
    compose->add_option("DESCRIPTION", descricao, "Plain description")->required();
    compose->add_option("-o,--output", composto, "Document to write; its extension gives the kind")
        ->required();
    compose->callback(
        [&] { comando = [&] { return ComandoCompose(descricao, composto, erros); }; });

    TOpcoesGeracao geracao;
    auto* generate = app.add_subcommand(
        "generate", "Run a generation: expand the templates for the mapping into a directory");
    generate->add_option("FILE", geracao.documento,
                         "Generation document (.kgf); relative paths in it are taken from its "
                         "folder");
    generate->add_option("--mapping", geracao.mapeamento, "Mapping document (.kmf)");
    generate->add_option("--out", geracao.diretorio, "Generation directory");
    generate->add_option("--table-template", geracao.modelosTabela,
                         "Table-class template (.tpt); may be repeated");
    generate->add_option("--general-template", geracao.modelosGerais,
                         "General template (.tpg); may be repeated");
    generate
        ->add_option("--overwrite", geracao.sobrescrita,
                     "Existing files that differ: ask, all (Yes To All), none (No To All) or "
                     "merge (hand edits merged into the new output); default the document's "
                     "\"Merge hand edits\", else ask on a terminal, none otherwise")
        ->check(CLI::IsMember({"ask", "all", "none", "merge"}));
    auto* listar = generate->add_flag(
        "--list", geracao.listar,
        "Print each file the run would write with its situation (new, changed, unchanged, "
        "hand-edited, colliding); write nothing");
    auto* verificar = generate->add_flag(
        "--check", geracao.verificar,
        "As --list, and exit 1 unless every file on disk already holds what the run would "
        "write");
    auto* diferencas = generate->add_flag(
        "--diff", geracao.diferencas,
        "Print a unified diff of what the run would change (with --overwrite merge, the "
        "merged hand-edited files); write nothing");
    listar->excludes(verificar, diferencas);
    verificar->excludes(diferencas);
    generate
        ->add_option("--max-output", geracao.limiteSaida,
                     "Largest text one expansion may produce, in bytes (suffixes KB, MB, GB "
                     "count 1024s); default 1GB")
        ->transform(CLI::AsSizeValue(false))
        ->check(CLI::PositiveNumber);
    generate->callback([&] {
        const bool comDocumento = !geracao.documento.empty();
        const bool avulso = !geracao.mapeamento.empty() || !geracao.diretorio.empty() ||
                            !geracao.modelosTabela.empty() || !geracao.modelosGerais.empty();
        if (comDocumento == avulso) {
            throw CLI::ValidationError("generate", "give either a generation document or "
                                                   "--mapping and --out with templates");
        }
        comando = [&] {
            return ComandoGenerate(geracao, {std::cin, isatty(0) != 0, isatty(2) != 0}, saida,
                                   erros);
        };
    });

    TOpcoesEsquema esquema;
    const auto conexao = [&esquema](CLI::App* sub) {
        sub->add_option("--connection", esquema.conexao,
                        "Connection string (Provider=SQLite;Data Source=FILE, or ODBC)")
            ->required();
        sub->add_option("--user", esquema.usuario, "User name for the connection");
        sub->add_option("--password-env", esquema.variavelSenha,
                        "Environment variable that holds the password");
        sub->add_option("--timeout", esquema.tempoLimite,
                        "Seconds connecting and each catalog request may wait for the data "
                        "source (default 30)")
            ->check(CLI::Range(1, 86400));
    };
    const auto filtros = [&esquema](CLI::App* sub) {
        sub->add_option("--database", esquema.baseDados, "Database (catalog) to read");
        sub->add_option("--type", esquema.tipo, "Kind of tables to list")
            ->check(CLI::IsMember({"all", "table", "view", "system"}));
        sub->add_option("--schema", esquema.esquema, "List only the tables of this schema");
    };
    auto* databases = app.add_subcommand("databases", "Print the database names of a data "
                                                      "source, one per line");
    conexao(databases);
    databases->callback([&] { comando = [&] { return ComandoDatabases(esquema, saida, erros); }; });

    auto* tables = app.add_subcommand("tables", "Print the qualified names of the tables of a "
                                                "database, one per line");
    conexao(tables);
    filtros(tables);
    tables->callback([&] { comando = [&] { return ComandoTables(esquema, saida, erros); }; });

    auto* importa = app.add_subcommand("import", "Load tables and columns into a mapping "
                                                 "document (.kmf)");
    conexao(importa);
    filtros(importa);
    importa->add_option("--tables", esquema.tabelas,
                        "Comma-separated qualified names to load (default: every listed table)");
    importa->add_option("--add-to", esquema.adicionaA,
                        "Mapping document whose tables are kept; only missing tables are added");
    importa->add_option("--author", esquema.autor, "Author of the mapping")->required();
    importa->add_option("--name", esquema.nome, "Mapping name (default: the output file name)");
    importa->add_option("-o,--output", esquema.saida, "Mapping document to write")->required();
    importa->add_option("--log", esquema.log, "File to write the load log to");
    importa->add_flag("--save-password", esquema.salvaSenha,
                      "Keep the password of --password-env in the mapping (the file is then "
                      "readable by its owner only)");
    importa->callback([&] { comando = [&] { return ComandoImport(esquema, erros); }; });

    TOpcoesRefresh atualiza;
    auto* refresh = app.add_subcommand(
        "refresh", "Bring a mapping (.kmf) up to date with its database: print the changes "
                   "grouped by table and apply them, keeping aliases, enabled flags and what was "
                   "set by hand");
    refresh->add_option("FILE", atualiza.mapeamento, "Mapping document to refresh")->required();
    refresh->add_option("--connection", atualiza.conexao,
                        "Connection string (default: the mapping's own)");
    refresh->add_option("--user", atualiza.usuario,
                        "User name for the connection (default: the mapping's own)");
    refresh->add_option("--password-env", atualiza.variavelSenha,
                        "Environment variable that holds the password (default: the password "
                        "the mapping keeps, if any)");
    refresh->add_option("--database", atualiza.baseDados,
                        "Database (catalog) to read (default: the mapping's own)");
    refresh
        ->add_option("--timeout", atualiza.tempoLimite,
                     "Seconds connecting and each catalog request may wait for the data "
                     "source (default 30)")
        ->check(CLI::Range(1, 86400));
    refresh->add_option("--tables", atualiza.tabelas,
                        "Comma-separated qualified names to compare; names the mapping lacks "
                        "are added (default: the mapping's tables, and new tables of the "
                        "schemas it maps)");
    refresh->add_option("-o,--output", atualiza.saida,
                        "Mapping document to write (default: over FILE)");
    auto* simula =
        refresh->add_flag("--dry-run", atualiza.simulacao, "Print the changes; write nothing");
    auto* confere = refresh->add_flag(
        "--check", atualiza.verificacao,
        "Print the changes, write nothing, and exit 1 when the mapping is out of date");
    simula->excludes(confere);
    refresh->add_flag("--save-password", atualiza.salvaSenha,
                      "Keep the password of --password-env in the mapping (the file is then "
                      "readable by its owner only)");
    refresh->callback([&] { comando = [&] { return ComandoRefresh(atualiza, saida, erros); }; });

    std::string regraTabelas;
    std::string regraColunas;
    std::string mapeamentoAliases;
    std::string saidaAliases;
    const CLI::Validator regra(
        [](std::string& valor) {
            try {
                VerificaRegraAlias(valor);
                return std::string();
            } catch (const std::exception& erro) {
                return std::string(erro.what());
            }
        },
        "FILTERS");
    auto* aliases = app.add_subcommand(
        "aliases", "Fill the empty aliases of a mapping (.kmf) from the names by naming rules, "
                   "filter chains of the template language such as pascal:singular");
    aliases->add_option("FILE", mapeamentoAliases, "Mapping document")->required();
    auto* regraDeTabelas =
        aliases
            ->add_option("--tables", regraTabelas, "Rule for table aliases, e.g. pascal:singular")
            ->check(regra);
    auto* regraDeColunas =
        aliases->add_option("--columns", regraColunas, "Rule for column aliases, e.g. camel")
            ->check(regra);
    aliases->add_option("-o,--output", saidaAliases,
                        "Mapping document to write (default: over FILE)");
    aliases->callback([&] {
        if (regraDeTabelas->count() == 0 && regraDeColunas->count() == 0) {
            throw CLI::ValidationError("aliases", "give --tables, --columns or both");
        }
        comando = [&] {
            return ComandoAliases(mapeamentoAliases, regraTabelas, regraColunas, saidaAliases,
                                  erros);
        };
    });

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& pedido) {
        return app.exit(pedido, saida, erros);
    } catch (const CLI::CallForAllHelp& pedido) {
        return app.exit(pedido, saida, erros);
    } catch (const CLI::ParseError& erro) {
        app.exit(erro, saida, erros);
        return 2;
    }
    return comando ? comando() : 2;
}

} // namespace fendril

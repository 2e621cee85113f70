#pragma once

#include "engine/TMontaCodigo.h"
#include "model/Textos.h"

#include <iosfwd>
#include <string>

namespace fendril {

struct TOpcoesGeracao {
    std::string documento;      // a generation document (.kgf), or empty
    std::string mapeamento;     // --mapping, without a document
    std::string diretorio;      // --out, without a document
    TListaTextos modelosTabela; // --table-template, in order
    TListaTextos modelosGerais; // --general-template, in order
    std::string sobrescrita;    // "ask", "all", "none", "merge"; empty: the document's
                                // "Merge hand edits", else ask only on a terminal
    bool fundeEdicoes = false;  // the document's "Merge hand edits"
    bool listar = false;        // --list: print each file with its situation, write nothing
    bool verificar = false;     // --check: the same, failing unless every file is unchanged
    bool diferencas = false;    // --diff: print what a run would change, write nothing
    std::size_t limiteSaida = TMontaCodigo::kLimiteSaidaPadrao; // --max-output, in bytes
};

// Where the command reads answers and whether its streams are terminals.
struct TTerminal {
    std::istream& entrada;
    bool entradaInterativa;
    bool errosInterativos;
};

// fendril-cli generate. Returns 0 when nothing failed (files kept by the overwrite answers
// are skipped, not failed), 1 when something failed or a merge left conflict markers (each
// failure's and conflict's log line then goes to `erros`), 2 when the set-up is incomplete
// or the mapping cannot be loaded. --list, --check and --diff render in memory and write
// nothing; --check returns 1 unless every file on disk already holds its output.
int ComandoGenerate(const TOpcoesGeracao& opcoes, TTerminal terminal, std::ostream& saida,
                    std::ostream& erros);

// A path stored in a document, taken relative to the document's folder unless absolute.
std::string ResolveCaminho(const std::string& pasta, const std::string& caminho);

} // namespace fendril

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
    std::string sobrescrita;    // "ask", "all", "none"; empty: ask only on a terminal
    bool listar = false;        // --list: print the files, write nothing
    std::size_t limiteSaida = TMontaCodigo::kLimiteSaidaPadrao; // --max-output, in bytes
};

// Where the command reads answers and whether its streams are terminals.
struct TTerminal {
    std::istream& entrada;
    bool entradaInterativa;
    bool errosInterativos;
};

// fendril-cli generate. Returns 0 when nothing failed (files kept by the overwrite answers
// are skipped, not failed), 1 when something failed (each failure's log line then goes to
// `erros`), 2 when the set-up is incomplete or the mapping cannot be loaded.
int ComandoGenerate(const TOpcoesGeracao& opcoes, TTerminal terminal, std::ostream& saida,
                    std::ostream& erros);

// A path stored in a document, taken relative to the document's folder unless absolute.
std::string ResolveCaminho(const std::string& pasta, const std::string& caminho);

} // namespace fendril

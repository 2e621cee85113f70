#pragma once

// What the preview of a template shows (TProcessaGeracao::Previa), apart from the run, so
// that the windows can hold it without the engine's headers.

#include <string>

namespace fendril {

// The editor page of a template whose output a preview shows: the table class (the code of
// a general template), the parent class, the make file.
enum class TPaginaPrevia { Classe, ClassePai, Make };

// What a run would give for one page of a template and one table: the file's name as the
// template forms it and its content as the run writes it, or, when it gives no file, why
// (the coherence check's message, a failure of the template's naming or expansion).
struct TPrevia {
    bool gerado = false;
    bool porTabela = false; // the file is one of those written per table
    std::string nome;
    std::string conteudo;
    std::string erro;
};

} // namespace fendril

#pragma once

#include "model/Erros.h"
#include "model/Textos.h"

#include <string>
#include <string_view>

namespace fendril {

// The lines of a plain text file; lines end with CR LF, CR or LF. Raises EErroGeral
// "Could Not Open File " + path when it cannot be read.
TListaTextos LeLinhasTexto(const std::string& caminho);

// The lines of a text cut at every LF, one CR before it dropped. A final line break adds
// no empty line; a last line without one is kept.
TListaTextos CortaLinhasLF(std::string_view texto);

// The whole content of a file; EErroGeral "Could Not Open File " + path when it cannot be read.
std::string LeTextoArquivo(const std::string& caminho);

// The whole content of a file; false when it cannot be opened or read (a folder, say).
bool LeConteudoArquivo(const std::string& caminho, std::string& conteudo);

// A file could not be written; `motivo` is the system's reason.
class EFalhaGravacao : public Exception {
public:
    EFalhaGravacao(const std::string& caminho, std::string motivo);
    const std::string& motivo() const { return m_motivo; }

private:
    std::string m_motivo;
};

// How far a write goes before it returns: NoDisco waits until the file and its folder are
// on disk (documents, which only the user can remake); Completo only until the complete file
// has replaced the old one (generated files, which the next run remakes).
enum class TDurabilidade { NoDisco, Completo };

// Writes the lines, each followed by CR LF, to a temporary file beside the target and puts
// it in the target's place only once it is complete, so a failure never leaves a
// half-written or missing file where a good one was. A symbolic link is followed (the file
// it points at is replaced), an existing file keeps its permission bits, and a device or a
// pipe is written directly. Raises EFalhaGravacao.
void GravaLinhasTexto(const std::string& caminho, const TListaTextos& linhas,
                      TDurabilidade durabilidade = TDurabilidade::NoDisco);

} // namespace fendril

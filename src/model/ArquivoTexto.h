#pragma once

#include "model/Erros.h"
#include "model/Textos.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace fendril {

// The largest file the program reads whole (documents, templates, types and text files).
inline constexpr std::size_t TamanhoMaximoLeitura = std::size_t{1} << 30;

// The lines of a plain text file; lines end with CR LF, CR or LF. Raises EErroGeral as
// LeTextoArquivo does.
TListaTextos LeLinhasTexto(const std::string& caminho);

// The lines of a text cut at every LF, one CR before it dropped. A final line break adds
// no empty line; a last line without one is kept.
TListaTextos CortaLinhasLF(std::string_view texto);

// The whole content of a regular file. Raises EErroGeral "Could Not Open File " + path
// when it cannot be read (a folder, say), followed by the reason when it is not a regular
// file (a pipe or a device, which is never opened for reading so that it cannot hang the
// program) or is larger than TamanhoMaximoLeitura.
std::string LeTextoArquivo(const std::string& caminho);

// The lines of a file as CortaLinhasLF(LeTextoArquivo(caminho)) gives them, handed to
// `recebe` one at a time as the file is read, without ever holding the whole file. Raises
// EErroGeral as LeTextoArquivo does.
void LeLinhasArquivo(const std::string& caminho,
                     const std::function<void(std::string_view)>& recebe);

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

// How a file is written.
struct TModoGravacao {
    TModoGravacao() = default;
    TModoGravacao(TDurabilidade d) : durabilidade(d) {} // NOLINT: a durability alone is a mode

    TDurabilidade durabilidade = TDurabilidade::NoDisco;
    // Readable and writable by its owner only (0600), also when it replaces a file that was
    // readable by others: a document that holds a password.
    bool privado = false;
    // Whatever stands at the path (a symbolic link, a pipe) is replaced by the new file and
    // never followed or written through: a log in a folder that may come from elsewhere.
    bool substituiEntrada = false;
};

// Writes the lines, each followed by CR LF, to a temporary file beside the target and puts
// it in the target's place only once it is complete, so a failure never leaves a
// half-written or missing file where a good one was. Unless the mode says otherwise, a
// symbolic link is followed (the file it points at is replaced), an existing file keeps its
// permission bits, and a device or a pipe is written directly (a pipe nobody reads fails
// at once instead of waiting). A temporary file is removed when the program is ended by
// SIGINT, SIGTERM or SIGHUP while it is written. Raises EFalhaGravacao.
void GravaLinhasTexto(const std::string& caminho, const TListaTextos& linhas,
                      TModoGravacao modo = {});

// Writes, the way GravaLinhasTexto does, the lines `proxima` makes one at a time: each call
// puts the next line in `linha` and returns true, or returns false after the last one. An
// exception from `proxima` removes the temporary file and is passed on.
void GravaLinhasGeradas(const std::string& caminho,
                        const std::function<bool(std::string& linha)>& proxima,
                        TModoGravacao modo = {});

// Writes `conteudo` as it is, the way GravaLinhasTexto writes lines.
void GravaTextoArquivo(const std::string& caminho, std::string_view conteudo,
                       TModoGravacao modo = {});

// Removes, from one folder, the temporary files that saves of programs which have since
// ended left behind (killed before they could clean up). Files of running programs and
// every other file are left alone; failures are ignored.
void RemoveTemporariosAbandonados(const std::string& pasta);

} // namespace fendril

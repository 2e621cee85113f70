#pragma once

#include "model/Textos.h"

#include <functional>
#include <string>
#include <string_view>

namespace fendril {

// The section document every window saves and opens: an ordered list of lines
// section + "||" + key + "||" + value + "||" with a header, scrambled line by line on disk.
//
// A value that holds "||", ends with "|" or starts with the escape byte 0x1B could not be
// read back from the plain form, so AdicionaEntrada stores such a value escaped: 0x1B,
// then the value with every 0x1B written as 0x1B '1' and every "|" as 0x1B '2'. LeSecao
// undoes it. Every other value is stored byte for byte, and documents that never needed
// the escape read exactly as before.
class TArquivoKMF {
public:
    std::string cabecalho;
    // Saved readable and writable by its owner only (0600): the document holds a secret.
    bool privado = false;

    // Appends section + "||" + key + "||" + value + "||".
    void AdicionaEntrada(std::string_view secao, std::string_view chave, std::string_view valor);
    // Appends section + "||" + data.
    void AdicionaLinha(std::string_view secao, std::string_view dados);

    // The values (rest false) or the rests from field 1 on, each field followed by "||"
    // (rest true) of the lines whose section and key equal the arguments exactly; an empty
    // section or key matches every line.
    TListaTextos LeSecao(std::string_view secao, std::string_view chave, bool resto) const;
    // LeSecao's values, handed to `recebe` one at a time as they are found: a large section
    // is read without a copy of it all.
    void ParaCadaValor(std::string_view secao, std::string_view chave, bool resto,
                       const std::function<void(std::string&&)>& recebe) const;

    // The first value of a key, as windows read their controls: LeSecao(section, key, false)
    // and its first result. A missing key raises the list-index failure naming the entry:
    // EListError "List index out of bounds (0): section||key".
    std::string LePrimeiro(std::string_view secao, std::string_view chave) const;

    // Writes the document scrambled. The file is written beside the target and put in its
    // place only once complete, so a failure leaves any previous file as it was; failures
    // raise EErroGeral "Não Foi Possível Salvar: " + path (+ the system's reason). Temporary
    // files that ended programs left in the folder are removed first.
    void Salva(const std::string& caminho);
    // Replaces the lines with a file's unscrambled content and the header with the file's
    // first line; EErroGeral "Could Not Open File " + path when it cannot be read (only
    // regular files up to TamanhoMaximoLeitura are). On failure the document is unchanged.
    void Abre(const std::string& caminho);
    // Reads a document file a line at a time, handing `basta` each line as a document of
    // that line alone, until `basta` answers true; the rest of the file is then left unread.
    // Whether an answer was true. Raises as Abre does for what it reads. For a check of what
    // a document's first lines say.
    static bool LeAte(const std::string& caminho,
                      const std::function<bool(const TArquivoKMF&)>& basta);

    TListaTextos& getLinhas() { return m_linhas; }
    const TListaTextos& getLinhas() const { return m_linhas; }

private:
    TListaTextos m_linhas;
};

} // namespace fendril

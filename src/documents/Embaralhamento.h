#pragma once

#include "model/Textos.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fendril {

class TBlowfish;

// The five characters that follow the length figure on a document's seed line. Readers
// take the seed from the file, so documents written with any other suffix open as well.
inline constexpr std::string_view SufixoSemente = "Fndrl";

// Sum of the lengths of the lines in bytes.
std::int64_t TamanhoTotal(const TListaTextos& linhas);

// The cipher key of a seed: for each byte c, the decimal digits of 3 * c + L * L
// (L the seed's length) and then the first of those digits again.
std::string DerivaChave(std::string_view semente);

// The lines of a stored document: the header, the seed, then each line enciphered.
TListaTextos EmbaralhaLinhas(const TListaTextos& linhas, std::string_view cabecalho);

// The document lines restored from the lines of a file (header and seed first).
TListaTextos DesembaralhaLinhas(const TListaTextos& linhas);

// EmbaralhaLinhas one line at a time, so that a large document is written without a second
// copy of it: the seed and the key are made at once (failing as EmbaralhaLinhas does), and
// Proxima gives the lines of the file in order.
class TEmbaralhamento {
public:
    TEmbaralhamento(const TListaTextos& linhas, std::string_view cabecalho);
    ~TEmbaralhamento();

    // Puts the next line of the file in `linha`; false once every line has been given.
    bool Proxima(std::string& linha);

private:
    // Enciphers the next batch of lines, from `primeira` on, into m_lote.
    void FormaLote(std::size_t primeira);

    const TListaTextos& m_linhas;
    std::string m_cabecalho;
    std::string m_semente;
    std::unique_ptr<TBlowfish> m_cifra;
    std::size_t m_proxima = 0;
    std::string m_blocos;            // the batch's padded lines, enciphered in one go
    std::vector<std::size_t> m_fins; // where each line of the batch ends in m_blocos
    TListaTextos m_lote;             // the batch's lines of the file
    std::size_t m_entregues = 0;     // how many of m_lote Proxima has given
};

// DesembaralhaLinhas fed one line of the file at a time, as the file is read.
class TDesembaralhamento {
public:
    TDesembaralhamento();
    ~TDesembaralhamento();

    void Acrescenta(std::string_view linha);
    // The document lines; raises EListError as DesembaralhaLinhas does when the file had
    // no seed line.
    TListaTextos Conclui();
    // Lines are deciphered in batches: DecifraPendentes deciphers the lines given so far
    // at once, and TiraDecifradas takes the document lines deciphered and not yet taken.
    void DecifraPendentes();
    TListaTextos TiraDecifradas() { return std::exchange(m_linhas, {}); }
    // The file's first line, kept unread.
    const std::string& cabecalho() const { return m_cabecalho; }

private:
    // Deciphers the lines waiting in m_blocos and adds them to m_linhas.
    void DecifraLote();

    std::size_t m_lidas = 0;
    std::string m_cabecalho;
    std::unique_ptr<TBlowfish> m_cifra;
    TListaTextos m_linhas;
    std::string m_blocos;            // cipher bytes of lines read but not yet deciphered
    std::vector<std::size_t> m_fins; // where each of those lines ends in m_blocos
};

} // namespace fendril

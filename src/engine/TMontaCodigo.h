#pragma once

#include "model/TControlaColunas.h"
#include "model/Textos.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace fendril {

// The template engine: expands one template text for the tables and columns of a column
// set. Scalar tags ("<dbname>", "<tbname>", "<colname>", ...) are replaced by values;
// blocks ("<rctable>", "<simplecol>", "<prkcol>", "<frkcol>", "<coldatetype>") repeat
// their body per table or per column of one kind.
//
// Use: AdicionaTipos, setControlaColunas, nomeBaseDados/classePai, AdicionaModelo (which
// checks the tags), Monta, getCodigo.
class TMontaCodigo {
public:
    std::string nomeBaseDados; // value of "<dbname>"
    std::string classePai;     // value of "<parentclass>"

    // Appends types correspondence lines "provider type;variable type;initial value;".
    void AdicionaTipos(const TListaTextos& linhas);
    // The set to expand; not owned, must outlive Monta.
    void setControlaColunas(const TControlaColunas* colunas) { m_controlaColunas = colunas; }
    // Checks the tags of the lines (VerificaTags) and appends them; on failure raises the
    // check's EErroGeral again and appends nothing.
    void AdicionaModelo(const TListaTextos& linhas);
    // Expands the template lines into the code lines.
    void Monta();
    const TListaTextos& getCodigo() const { return m_linhasCodigo; }

    // The coherence check of the block tags; raises EErroGeral when it fails.
    static void VerificaTags(std::string_view texto);
    static std::int32_t ContaTag(std::string_view texto, std::string_view tag);
    static bool TemTagsCruzadas(std::string_view texto, std::string_view abertura,
                                std::string_view fechamento);
    // Removes the line break that opens a block body (after leading spaces).
    static std::string RemoveQuebraInicial(std::string_view corpo);

    // Replaces every occurrence of `tag` (see SubstituiTodos).
    static std::string Substitui(std::string_view texto, std::string_view tag,
                                 std::string_view valor);
    // (variable type, initial value) of a data type from the correspondence lines.
    std::pair<std::string, std::string> BuscaTipo(const TTipoDado& tipo) const;
    // "tcChavePrimaria" or "tcComum".
    static std::string Categoria(const TColuna& coluna);

    // The state of the table being expanded (after Monta: the last one).
    const std::string& tabelaAtual() const { return m_tabelaAtual; }
    const TArrColunas& colunasTabela() const { return m_colunasTabela; }
    std::int32_t qtdChavePrimaria() const { return m_qtdChavePrimaria; }
    std::int32_t qtdChaveEstrangeira() const { return m_qtdChaveEstrangeira; }
    std::int32_t qtdComum() const { return m_qtdComum; }
    std::int32_t qtdData() const { return m_qtdData; }

    // Decodes the encodings into the table's column copies and counts them.
    void CarregaColunasTabela(const TListaTextos& codificacoes);
    void ContaColunas();

private:
    // (variable type, initial value) of a provider type name.
    using TParTipo = std::pair<std::string, std::string>;

    // Expands every table block of a text.
    std::string ExpandeBlocosTabela(std::string texto);
    // One table block body, repeated for every table of the column set.
    std::string ExpandeTabelas(std::string_view corpo);
    // Expands every column block of one category ("tcComum", "tcChavePrimaria",
    // "tcChaveEstrangeira", "tcDateColum") in a text.
    std::string ExpandeBlocos(std::string texto, std::string_view categoria);
    // One simple, primary-key or foreign-key block body, repeated for its columns.
    std::string ExpandeColunas(std::string_view corpo, std::string_view categoria);
    // One date block body, repeated for the date columns.
    std::string ExpandeColunasData(std::string_view corpo);

    // The body repeated for the columns that `incluida` accepts, with the column scope
    // (and the referenced column's tags when `blocoEstrangeiro`).
    std::string RepeteColunas(std::string_view corpo, bool (*incluida)(const TColuna&),
                              bool blocoEstrangeiro) const;

    // Sets tabelaAtual and loads that table's column copies (which also counts them).
    void CarregaTabela(const std::string& nomeTabela);
    // The values of the scalar tags of one repetition, in the order of their scope.
    struct TValores;
    void ValoresTabela(std::size_t indiceTabela, TValores& valores) const;
    void ValoresColuna(const TColuna& coluna, std::int32_t indice, TValores& valores) const;
    // The correspondence entry of a data type; null when no line matches.
    const TParTipo* AchaTipo(const TTipoDado& tipo) const;

    const TControlaColunas* m_controlaColunas = nullptr;
    // The first correspondence line of each provider type name, built as lines are added.
    std::unordered_map<std::string, TParTipo> m_tipos;
    TListaTextos m_linhasTipos;
    TListaTextos m_linhasModelo;
    TListaTextos m_linhasCodigo;
    std::string m_tabelaAtual;
    TArrColunas m_colunasTabela;
    std::int32_t m_qtdChavePrimaria = 0;
    std::int32_t m_qtdChaveEstrangeira = 0;
    std::int32_t m_qtdComum = 0;
    std::int32_t m_qtdData = 0;
};

} // namespace fendril

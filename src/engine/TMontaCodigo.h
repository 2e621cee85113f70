#pragma once

#include "engine/Filtros.h"
#include "model/TControlaColunas.h"
#include "model/Textos.h"

#include <cstdint>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace fendril {

// A message about a template text, at the line and column (both from 1; columns count
// characters) of the tag it is about; `posicao` is the byte offset of that tag.
struct TDiagnostico {
    bool erro = false; // the coherence check failed; otherwise a warning
    std::size_t linha = 1;
    std::size_t coluna = 1;
    std::size_t posicao = 0;
    std::string mensagem;

    bool operator==(const TDiagnostico&) const = default;
};

// The template engine: expands one template text for the tables and columns of a column
// set. Scalar tags ("<dbname>", "<tbname>", "<colname>", ...) are replaced by values, each
// optionally through filters ("<tbshortname:pascal:singular>"); blocks ("<rctable>",
// "<simplecol>", "<prkcol>", "<frkcol>", "<coldatetype>", "<refcol>") repeat their body per
// table or per column of one kind; conditions ("<if:pk>...</if:pk>", "<ifnot:last>...
// </ifnot:last>") keep or drop their body in each repetition.
//
// Use: AdicionaTipos, setControlaColunas, nomeBaseDados/classePai, AdicionaModelo (which
// checks the tags), Monta, getCodigo.
class TMontaCodigo {
public:
    // The output limit a new engine has: 1 GiB.
    static constexpr std::size_t kLimiteSaidaPadrao = std::size_t{1} << 30;

    std::string nomeBaseDados; // value of "<dbname>"
    std::string classePai;     // value of "<parentclass>"

    // What the engines of one template's files learn of its blocks: each block body's
    // conditions and tag positions, which depend on the body's text alone.
    class TAnalises;
    // The types correspondence lines and reserved words of a template, parsed once so that
    // the engines of its files can share them (PreparaTipos, setTiposPreparados), with the
    // analyses of its blocks (filled as the engines meet them; null: none kept).
    struct TTiposPreparados {
        // The first correspondence line of each provider type name: (variable type,
        // initial value).
        std::unordered_map<std::string, std::pair<std::string, std::string>> tipos;
        // Whether some line names a fallback ("*", "*string"): tables without one never look.
        bool temReservas = false;
        std::set<std::string, std::less<>> reservadas;
        std::shared_ptr<TAnalises> analises;
    };
    // What AdicionaTipos(tipos) and setPalavrasReservadas(reservadas) give a new engine.
    static std::shared_ptr<const TTiposPreparados> PreparaTipos(const TListaTextos& tipos,
                                                                const TListaTextos& reservadas);
    // Uses prepared types and reserved words in place of all added or set so far.
    void setTiposPreparados(std::shared_ptr<const TTiposPreparados> preparados);

    // Appends types correspondence lines "provider type;variable type;initial value;".
    void AdicionaTipos(const TListaTextos& linhas);
    // The set to expand; not owned, must outlive Monta.
    void setControlaColunas(const TControlaColunas* colunas) { m_controlaColunas = colunas; }
    // The whole mapping, where "<refcol>" looks for the foreign keys that refer to the
    // table being expanded; without it, the set to expand. Not owned, must outlive Monta.
    void setTodasAsColunas(const TControlaColunas* colunas) { m_todasAsColunas = colunas; }
    // The words the "ident" filter must not give as they are (exact, letter case counts).
    void setPalavrasReservadas(const TListaTextos& palavras);
    // Monta raises EErroGeral instead of producing a text longer than this many bytes.
    void setLimiteSaida(std::size_t bytes) { m_limiteSaida = bytes; }
    std::size_t limiteSaida() const { return m_limiteSaida; }
    // Checks the tags of the lines (VerificaTags) and appends them; on failure raises the
    // check's EErroGeral again and appends nothing.
    void AdicionaModelo(const TListaTextos& linhas);
    // Appends lines whose joined text the caller has already passed through VerificaTags
    // (the check gives the same answer for the same text, so a run expanding one template
    // per table checks it once instead of once per file).
    void AdicionaModeloVerificado(const TListaTextos& linhas);
    // Expands the template lines into the code lines.
    void Monta();
    // Expands the template lines into the code as a file holds it, every line followed by
    // CR LF: what joining Monta's lines gives, without the list of lines.
    std::string MontaConteudo();
    const TListaTextos& getCodigo() const { return m_linhasCodigo; }

    // The coherence check of the block and condition tags; raises EErroGeral when it fails.
    static void VerificaTags(std::string_view texto);
    // The check's failure, if any, and warnings about tags that will not expand: unknown
    // tags that look like tags, unknown filters and conditions, tags and conditions outside
    // the block that gives them a value. `corpoDeTabela` tells that the text is expanded as
    // the body of a table block (as the run does with a table-class text). In text order.
    static std::vector<TDiagnostico> Diagnostica(std::string_view texto,
                                                 bool corpoDeTabela = false);
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
    // Copies of that table's columns.
    const TArrColunas& colunasTabela() const;
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
    struct TValores;
    class TRepeticao;
    // The expansion before it is cut into lines.
    std::string MontaTexto();
    // The analysis of `corpo` kept in the shared analyses, or one made into `propria`.
    TRepeticao& Repeticao(std::string_view corpo, std::span<const std::string_view> tags,
                          bool tabela, std::unique_ptr<TRepeticao>& propria) const;

    // Expands every table block of a text.
    std::string ExpandeBlocosTabela(std::string texto);
    // One table block body, repeated for every table of the column set.
    std::string ExpandeTabelas(std::string_view corpo);
    // One column block body of one kind, repeated for its columns.
    std::string RepeteColunas(std::string_view corpo, std::uint8_t bloco);

    // Sets tabelaAtual and takes that table's columns (which also counts them).
    void CarregaTabela(const std::string& nomeTabela);
    void ValoresTabela(std::size_t indiceTabela, TValores& valores) const;
    void ValoresColuna(const TColuna& coluna, std::int32_t indice, TValores& valores) const;
    // Whether a condition holds for the current table or the column of a repetition.
    bool CondicaoTabela(std::uint8_t condicao, std::size_t indice, std::size_t quantidade) const;
    // Whether a column of a block is the first or the last of its foreign key.
    struct TLimiteChave {
        bool primeira = false;
        bool ultima = false;
    };
    // For each column of a block (see "fkfirst" in Vocabulario.h).
    static std::vector<TLimiteChave> LimitesDasChaves(const std::vector<const TColuna*>& colunas);
    static bool CondicaoColuna(std::uint8_t condicao, const TColuna& coluna, std::size_t indice,
                               std::size_t quantidade, TLimiteChave chave);
    // The correspondence entry of a data type: the line of its provider type name, else,
    // when the table has fallback lines, the one of its type family ("*integer") or "*";
    // null when no line matches.
    const TParTipo* AchaTipo(const TTipoDado& tipo) const;
    // A value through filters (tamanhoEsquema: see AplicaFiltros).
    std::string Filtra(const TCadeiaFiltros& cadeia, std::string_view valor,
                       std::size_t tamanhoEsquema) const;
    // The enabled foreign keys of the whole mapping that refer to the current table.
    const std::vector<const TColuna*>& Referencias() const;
    // Raises the output limit failure when `tamanho` passes the limit.
    void VerificaLimite(std::size_t tamanho) const;

    const TControlaColunas* m_controlaColunas = nullptr;
    const TControlaColunas* m_todasAsColunas = nullptr;
    // The types and reserved words in use: shared when prepared, copied on the first change
    // (AdicionaTipos, setPalavrasReservadas) into m_tiposProprios.
    TTiposPreparados& TiposProprios();
    std::shared_ptr<const TTiposPreparados> m_tipos = std::make_shared<const TTiposPreparados>();
    std::shared_ptr<TTiposPreparados> m_tiposProprios;
    std::size_t m_limiteSaida = kLimiteSaidaPadrao;
    TListaTextos m_linhasModelo;
    TListaTextos m_linhasCodigo;
    std::string m_tabelaAtual;
    const TTabela* m_registroTabela = nullptr;
    // The current table's columns: the set's own records, or m_proprias when they were
    // given as encodings (CarregaColunasTabela).
    std::vector<const TColuna*> m_colunasAtuais;
    TArrColunas m_proprias;
    mutable TArrColunas m_copias; // colunasTabela() when the columns are the set's
    mutable bool m_copiasFeitas = false;
    mutable const std::vector<const TColuna*>* m_referencias = nullptr; // see Referencias
    std::int32_t m_qtdChavePrimaria = 0;
    std::int32_t m_qtdChaveEstrangeira = 0;
    std::int32_t m_qtdComum = 0;
    std::int32_t m_qtdData = 0;
};

} // namespace fendril

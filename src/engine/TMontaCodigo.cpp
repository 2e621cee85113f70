#include "engine/TMontaCodigo.h"

#include "engine/Condicoes.h"
#include "engine/Filtros.h"
#include "engine/TipoSQL.h"
#include "engine/Verificacao.h"
#include "engine/Vocabulario.h"
#include "model/Erros.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <span>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace fendril {

using namespace vocabulario;

namespace {

constexpr std::string_view kQuebra = "\r\n";

constexpr std::string_view kErroQuantidade =
    "Syntax Error: Number of Opening and Closing Tags Does Not Match !!";
constexpr std::string_view kErroCruzadas = "Syntax Error: Crossed Tags Present ";

constexpr std::size_t kMaxTags = std::size(kTagsColuna);
// Tags whose value is only worked out when a body uses them.
constexpr std::size_t kTagTipoSQL = IndiceDaTag(kTagsColuna, "<colsqltype>");
constexpr std::size_t kTagQtdReferencias = IndiceDaTag(kTagsTabela, "<refcolcount>");
// Tags whose value is a qualified name (schema + "." + name), for the filters.
constexpr std::size_t kTagTabela = IndiceDaTag(kTagsTabela, "<tbname>");
constexpr std::size_t kTagTabelaDaColuna = IndiceDaTag(kTagsColuna, "<tbname>");
// The tags of the referring table in an inverse-relation block.
constexpr std::size_t kTagTabelaReferencia = IndiceDaTag(kTagsColuna, "<reftbname>");
constexpr std::size_t kTagNomeReferencia = IndiceDaTag(kTagsColuna, "<reftbshortname>");
constexpr std::size_t kTagAliasReferencia = IndiceDaTag(kTagsColuna, "<reftbalias>");
static_assert(kTagTipoSQL < kTagsColunaComuns && kTagTabelaReferencia >= kTagsColunaEstrangeira &&
              kTagAliasReferencia < kTagsColunaReferencia);

// How many times one kind of block may be found inside text its own expansions produced.
// Templates build such blocks only from pieces of tags joined across block boundaries, a
// handful of times; a rule that keeps finding them would otherwise never end.
constexpr std::size_t kMaxReentradas = 1'000'000;

bool TemSinais(std::string_view texto) {
    // Values are short: a plain loop, where find_first_of would call memchr for every byte.
    return std::any_of(texto.begin(), texto.end(), [](char c) { return c == '<' || c == '>'; });
}

// Which tag of `tags` `candidata` ("<...>") is: plain (`cadeia` empty) or with filters (in
// `cadeia`; without it only plain tags are read); false when it is none of them.
bool LeTagDoEscopo(std::string_view candidata, std::span<const std::string_view> tags,
                   std::size_t& tag, TCadeiaFiltros* cadeia) {
    for (std::size_t k = 0; k < tags.size(); ++k) {
        if (tags[k] == candidata) {
            tag = k;
            if (cadeia != nullptr) {
                cadeia->clear();
            }
            return true;
        }
    }
    const std::size_t doisPontos = candidata.find(':');
    if (doisPontos == std::string_view::npos || cadeia == nullptr) {
        return false;
    }
    for (std::size_t k = 0; k < tags.size(); ++k) {
        if (tags[k].size() == doisPontos + 1 &&
            tags[k].compare(0, doisPontos, candidata.substr(0, doisPontos)) == 0) {
            if (!LeCadeiaFiltros(
                    candidata.substr(doisPontos + 1, candidata.size() - doisPontos - 2), *cadeia)) {
                return false;
            }
            tag = k;
            return true;
        }
    }
    return false;
}

} // namespace

// The values of one repetition, by tag, with room for the numbers written in decimal and
// for the filtered values of the body being written.
struct TMontaCodigo::TValores {
    std::array<std::string_view, kMaxTags> texto{};
    // For a qualified name, the length of its schema part (0 otherwise).
    std::array<std::size_t, kMaxTags> esquema{};
    std::array<std::array<char, 24>, 8> numeros{};
    std::vector<std::string> filtrados;
    std::string tabelaReferencia;

    // The value worked out on first use: slot `tardio` of the scope, for `coluna` (its
    // declared type) or, without a column, the current table (its inverse relations).
    std::size_t tardio = kMaxTags;
    bool tardioPronto = false;
    const TColuna* coluna = nullptr;
    const TMontaCodigo* motor = nullptr;
    std::string valorTardio;

    // A number written in decimal into one of the number slots.
    std::string_view Numero(std::size_t casa, std::int64_t valor) {
        std::array<char, 24>& destino = numeros[casa];
        const auto fim = std::to_chars(destino.data(), destino.data() + destino.size(), valor).ptr;
        return std::string_view(destino.data(), static_cast<std::size_t>(fim - destino.data()));
    }

    void Limpa() {
        texto.fill({});
        esquema.fill(0);
        tardio = kMaxTags;
        tardioPronto = false;
        coluna = nullptr;
    }

    std::string_view Valor(std::size_t k) {
        if (k == tardio && !tardioPronto) {
            valorTardio = coluna != nullptr ? TipoSQL(coluna->getTipoDado())
                                            : std::to_string(motor->Referencias().size());
            texto[k] = valorTardio;
            tardioPronto = true;
        }
        return texto[k];
    }
};

namespace {

// A body cut at the tags of one scope (plain or with filters), so that each repetition is
// written straight into the output in one pass instead of one pass (and one copy) per tag.
//
// Replacing the tags one after the other, each searched again from the start, gives the
// same text as one pass over the body whenever no replacement makes a new tag appear. Every tag
// starts with "<", ends with ">" and holds neither inside, so with values free of "<" and ">" a new
// occurrence has to begin with a "<" of the body that is followed, with no "<" or ">" in between,
// by a tag that gets replaced (as in "std::optional<<colvartype>>"). Such a "<" and the body's
// next ">" enclose, once the tags between them are replaced, exactly the text any step would have
// seen there, since no tag is left inside; so the one pass is kept unless that text is a tag of
// the scope. Values holding "<" or ">" go tag by tag.
class TCorpoCortado {
public:
    struct TVariante {
        std::uint8_t tag;
        TCadeiaFiltros cadeia;
        std::string_view escrita; // the tag as written
    };

    TCorpoCortado(std::string_view corpo, std::span<const std::string_view> tags) : m_tags(tags) {
        std::size_t inicioLiteral = 0;
        std::size_t proximoFecha = 0; // first ">" at or after the current "<", or npos
        char ultimoSinal = 0;
        std::size_t ultimoMenor = 0; // where the last "<" that is no tag starts
        TCadeiaFiltros cadeia;
        for (std::size_t i = corpo.find_first_of("<>"); i != std::string_view::npos;
             i = corpo.find_first_of("<>", i)) {
            if (corpo[i] == '>') {
                ultimoSinal = '>';
                ++i;
                continue;
            }
            if (proximoFecha != std::string_view::npos && proximoFecha <= i) {
                proximoFecha = corpo.find('>', i + 1);
            }
            std::size_t achada = tags.size();
            std::uint16_t casa = 0;
            if (proximoFecha != std::string_view::npos) {
                const std::string_view candidata = corpo.substr(i, proximoFecha + 1 - i);
                std::size_t tag = 0;
                if (LeTagDoEscopo(candidata, tags, tag, &cadeia)) {
                    achada = tag;
                    casa = cadeia.empty() ? static_cast<std::uint16_t>(tag)
                                          : static_cast<std::uint16_t>(
                                                kVariantes + Variante(tag, cadeia, candidata));
                }
            }
            if (achada == tags.size()) {
                ultimoSinal = '<';
                ultimoMenor = i;
                ++i;
                continue;
            }
            if (ultimoSinal == '<') {
                m_sitios.push_back({m_literais.size(), ultimoMenor - inicioLiteral});
            }
            m_literais.push_back(corpo.substr(inicioLiteral, i - inicioLiteral));
            m_casas.push_back(casa);
            m_usadas |= 1u << achada;
            inicioLiteral = i = proximoFecha + 1;
            ultimoSinal = '>';
        }
        m_literais.push_back(corpo.substr(inicioLiteral));
    }

    // Slots from this value on stand for the variants.
    static constexpr std::uint16_t kVariantes = 64;

    const std::vector<TVariante>& variantes() const { return m_variantes; }

    // Appends the body with each tag replaced by its value (`filtrados` holding the values of
    // the variants); false, appending nothing, when the one pass could differ from replacing
    // tag after tag.
    template <typename Valores>
    bool Escreve(std::string& saida, Valores& valores,
                 const std::vector<std::string>& filtrados) const {
        for (std::size_t k = 0; k < m_tags.size(); ++k) {
            if ((m_usadas & (1u << k)) != 0 && TemSinais(valores.Valor(k))) {
                return false;
            }
        }
        for (const std::string& filtrado : filtrados) {
            if (TemSinais(filtrado)) {
                return false;
            }
        }
        const std::size_t inicio = saida.size();
        m_inicios.clear();
        m_inicios.push_back(inicio);
        saida.append(m_literais[0]);
        for (std::size_t i = 0; i < m_casas.size(); ++i) {
            const std::uint16_t casa = m_casas[i];
            saida.append(casa < kVariantes ? valores.Valor(casa)
                                           : std::string_view(filtrados[casa - kVariantes]));
            m_inicios.push_back(saida.size());
            saida.append(m_literais[i + 1]);
        }
        TCadeiaFiltros cadeia;
        for (const TSitio& sitio : m_sitios) {
            const std::size_t menor = m_inicios[sitio.literal] + sitio.deslocamento;
            const std::size_t maior = saida.find('>', menor);
            std::size_t tag = 0;
            if (maior != std::string::npos &&
                LeTagDoEscopo(std::string_view(saida).substr(menor, maior + 1 - menor), m_tags, tag,
                              &cadeia)) {
                saida.resize(inicio);
                return false;
            }
        }
        return true;
    }

private:
    std::size_t Variante(std::size_t tag, const TCadeiaFiltros& cadeia, std::string_view escrita) {
        for (std::size_t v = 0; v < m_variantes.size(); ++v) {
            if (m_variantes[v].escrita == escrita) {
                return v;
            }
        }
        m_variantes.push_back({static_cast<std::uint8_t>(tag), cadeia, escrita});
        return m_variantes.size() - 1;
    }

    // A "<" of the body followed by a tag with no "<" or ">" in between: in literal `literal`,
    // `deslocamento` bytes in.
    struct TSitio {
        std::size_t literal;
        std::size_t deslocamento;
    };

    std::span<const std::string_view> m_tags;
    std::vector<std::string_view> m_literais; // one more than m_casas
    std::vector<std::uint16_t> m_casas;       // a tag, or kVariantes + a variant
    std::vector<TVariante> m_variantes;
    std::vector<TSitio> m_sitios;
    std::uint32_t m_usadas = 0;
    mutable std::vector<std::size_t> m_inicios; // where each literal was written
};

// Replaces every occurrence of tag `k` of `tags`, plain or with filters, as the tag rule
// does for a plain tag: after each replacement the search goes on from the first place where
// a new occurrence could begin. `valor` gives the value of an occurrence (its filters, or
// none). A value that holds the tag's own beginning is not searched again, which keeps the
// rule finite.
template <typename Valor>
void SubstituiFamilia(std::string& texto, std::span<const std::string_view> tags, std::size_t k,
                      Valor&& valor) {
    const std::string_view prefixo = tags[k].substr(0, tags[k].size() - 1);
    const std::span<const std::string_view> so(&tags[k], 1);
    std::size_t de = 0;
    TCadeiaFiltros cadeia;
    const std::size_t limitePassos = 10'000'000 + 16 * texto.size();
    for (std::size_t passos = 0; passos < limitePassos; ++passos) {
        std::size_t p = texto.find(prefixo, de);
        std::size_t fim = std::string::npos;
        std::size_t achada = 0;
        while (p != std::string::npos) {
            fim = FimDaTag(texto, p);
            if (fim != std::string::npos &&
                LeTagDoEscopo(std::string_view(texto).substr(p, fim - p), so, achada, &cadeia)) {
                break;
            }
            p = texto.find(prefixo, p + 1);
        }
        if (p == std::string::npos) {
            break;
        }
        const std::string inserido = valor(cadeia);
        texto.replace(p, fim - p, inserido);
        if (inserido.find(prefixo) != std::string::npos) {
            de = p + inserido.size();
            continue;
        }
        // A new occurrence can only begin at a "<" before p that no ">" follows.
        de = p;
        const std::size_t sinal = p == 0 ? std::string::npos : texto.find_last_of("<>", p - 1);
        if (sinal != std::string::npos && texto[sinal] == '<') {
            de = sinal;
        }
    }
}

// Replaces the tags of a scope one after the other, each in the whole text.
template <typename Valores, typename Filtra>
void SubstituiEmOrdem(std::string& texto, std::span<const std::string_view> tags, Valores& valores,
                      Filtra&& filtra) {
    for (std::size_t k = 0; k < tags.size(); ++k) {
        const std::string_view tag = tags[k];
        const std::size_t inicioFamilia = texto.find(tag.substr(0, tag.size() - 1));
        if (inicioFamilia == std::string::npos) {
            continue;
        }
        std::string prefixo(tag.substr(0, tag.size() - 1));
        prefixo += ':';
        if (texto.find(prefixo, inicioFamilia) != std::string::npos) {
            SubstituiFamilia(texto, tags, k, [&](const TCadeiaFiltros& cadeia) {
                return cadeia.empty() ? std::string(valores.Valor(k)) : filtra(k, cadeia);
            });
        } else if (texto.find(tag, inicioFamilia) != std::string::npos) {
            texto = SubstituiTodos(tag, valores.Valor(k), texto);
        }
    }
}

// The lines of a text: a line ends at CR LF, at a lone CR or at a lone LF; a final line
// break adds no empty line.
TListaTextos SeparaLinhas(std::string_view texto) {
    TListaTextos linhas;
    std::size_t inicio = 0;
    std::size_t i = 0;
    while (i < texto.size()) {
        const char c = texto[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        linhas.emplace_back(texto.substr(inicio, i - inicio));
        i += (c == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n') ? 2 : 1;
        inicio = i;
    }
    if (inicio < texto.size()) {
        linhas.emplace_back(texto.substr(inicio));
    }
    return linhas;
}

// The same lines joined again, each followed by CR LF, without building the list.
// Position of the first CR or LF at or after `de`, or npos. Two memchr calls a line instead
// of find_first_of, which tests every byte against the set one call at a time.
std::size_t ProximaQuebra(std::string_view texto, std::size_t de) {
    if (de >= texto.size()) {
        return std::string_view::npos;
    }
    const char* inicio = texto.data() + de;
    const std::size_t resto = texto.size() - de;
    const auto* lf = static_cast<const char*>(std::memchr(inicio, '\n', resto));
    const std::size_t ate = lf == nullptr ? resto : static_cast<std::size_t>(lf - inicio);
    const auto* cr = static_cast<const char*>(std::memchr(inicio, '\r', ate));
    if (cr != nullptr) {
        return de + static_cast<std::size_t>(cr - inicio);
    }
    return lf == nullptr ? std::string_view::npos : de + ate;
}

std::string NormalizaQuebras(std::string_view texto) {
    std::string resultado;
    resultado.reserve(texto.size() + texto.size() / 16 + 2);
    std::size_t i = 0;
    while (i < texto.size()) {
        const std::size_t fim = ProximaQuebra(texto, i);
        if (fim == std::string_view::npos) {
            resultado.append(texto.substr(i)).append(kQuebra);
            break;
        }
        resultado.append(texto.substr(i, fim - i)).append(kQuebra);
        i = fim +
            ((texto[fim] == '\r' && fim + 1 < texto.size() && texto[fim + 1] == '\n') ? 2 : 1);
    }
    return resultado;
}

// Whether every line break of `texto` is CR LF and it ends with one (or is empty).
bool QuebrasNormais(std::string_view texto) {
    if (texto.empty()) {
        return true;
    }
    if (texto.size() < 2 || !texto.ends_with(kQuebra)) {
        return false;
    }
    for (std::size_t i = ProximaQuebra(texto, 0); i != std::string_view::npos;
         i = ProximaQuebra(texto, i + 2)) {
        if (texto.compare(i, 2, kQuebra) != 0) {
            return false;
        }
    }
    return true;
}

std::string UneLinhas(const TListaTextos& linhas) {
    std::size_t tamanho = 0;
    for (const std::string& linha : linhas) {
        tamanho += linha.size() + kQuebra.size();
    }
    std::string texto;
    texto.reserve(tamanho);
    for (const std::string& linha : linhas) {
        texto.append(linha).append(kQuebra);
    }
    return texto;
}

// A text rewritten block by block, from its end towards its start.
//
// Blocks are taken as the block rule says: the last opening tag, then the first closing
// tag after it. The text is held as a head (`m_cabeca`, before the block being handled)
// and a tail of pieces (`m_cauda`, in reverse text order: back() comes first), so that
// replacing a block by its expansion copies neither the text after it nor the expansion
// again; each character is moved a bounded number of times whatever the number of blocks.
//
// After a block has been replaced, the rule looks for the last opening tag in the whole new
// text. Nothing after the expansion can hold one (the replaced opening tag was the last), so a
// new one starts either before the expansion, in the head (possibly running on into the tail),
// or inside the expansion: tags of the template's own text joined across the block's edges
// ("<rct" at the end of a body, "able>" after its closing tag) or across repetitions, or tags
// that values bring (an alias "<rctable>x</rctable>"). An expansion holding an opening tag
// therefore joins the head, where the next search finds it, and the result is the rule's.
//
// The guard. The rule need not end: a value that holds its own block ("<rctable><tbalias>
// </rctable>" as a table's alias) is expanded again and again. The expansion stops with a
// message when a replacement leaves the text as it was (the rule would take the same block
// for ever), when openings found inside expansions of one kind pass kMaxReentradas, and when
// the text passes the output limit. Wherever the rule ends within those limits the result
// is exactly the rule's.
[[noreturn]] void FalhaReentradas() {
    throw EErroGeral::Create("Template Expansion Stopped: Blocks Keep Forming In The Text Their "
                             "Own Expansion Produces !!");
}

class TTextoEmBlocos {
public:
    enum class TBusca { SemAbertura, SemFechamento, Achado };

    explicit TTextoEmBlocos(std::string texto) : m_cabeca(std::move(texto)) {}

    // Finds the next block and takes it out of the text, leaving its body in `corpo`;
    // Substitui must follow to put its replacement where it was. When there is no opening tag
    // or no closing tag after it, the text is left as it is.
    TBusca ProximoBloco(std::string_view abertura, std::string_view fechamento,
                        std::string& corpo) {
        corpo.clear();
        const std::size_t inicio = UltimaAbertura(abertura);
        if (inicio == std::string::npos) {
            return TBusca::SemAbertura;
        }
        // Moves what follows the opening tag in the head to the tail, and drops the tag.
        const std::size_t naCabeca = m_cabeca.size() - inicio;
        if (naCabeca > abertura.size()) {
            Empilha(m_cabeca.substr(inicio + abertura.size()));
        } else if (naCabeca < abertura.size()) {
            ConsomeDaCauda(abertura.size() - naCabeca);
        }
        m_cabeca.resize(inicio);

        if (TiraAteFechamento(fechamento, corpo)) {
            return TBusca::Achado;
        }
        // No closing tag: the text is final for this kind.
        m_cabeca.append(abertura);
        m_cabeca += corpo;
        corpo.clear();
        return TBusca::SemFechamento;
    }

    // Puts the expansion where the block just taken out was. An expansion that holds an
    // opening tag (possibly running on into the tail) joins the head, where the next search
    // finds it.
    void Substitui(std::string expansao, std::string_view abertura) {
        if (expansao.empty()) {
            return;
        }
        if (TemAbertura(expansao, abertura)) {
            if (++m_reentradas > kMaxReentradas) {
                FalhaReentradas();
            }
            m_cabeca += expansao;
            return;
        }
        Empilha(std::move(expansao));
    }

    // The size of the whole text.
    std::size_t Tamanho() const { return m_cabeca.size() + m_tamanhoCauda; }

    std::string Texto() && {
        std::string texto = std::move(m_cabeca);
        texto.reserve(texto.size() + m_tamanhoCauda);
        for (auto peca = m_cauda.rbegin(); peca != m_cauda.rend(); ++peca) {
            texto.append(peca->vista());
        }
        return texto;
    }

private:
    struct TPeca {
        std::string texto;
        std::size_t inicio; // characters before it are already consumed

        std::string_view vista() const { return std::string_view(texto).substr(inicio); }
    };

    void Empilha(std::string texto) {
        m_tamanhoCauda += texto.size();
        m_cauda.push_back({std::move(texto), 0});
    }

    // Whether `tag` starts inside `texto`, which is to stand before the tail.
    bool TemAbertura(std::string_view texto, std::string_view tag) const {
        if (texto.find(tag) != std::string_view::npos) {
            return true;
        }
        const std::size_t k = std::min(tag.size() - 1, texto.size());
        if (k == 0 || m_cauda.empty()) {
            return false;
        }
        m_janela.assign(texto.substr(texto.size() - k));
        AcrescentaInicioDaCauda(m_janela, tag.size() - 1);
        const std::size_t s = m_janela.find(tag);
        return s != std::string::npos && s < k;
    }

    // Start of the last occurrence of `tag` that starts in the head, or npos. One that
    // runs on into the tail starts later than any lying wholly in the head.
    std::size_t UltimaAbertura(std::string_view tag) const {
        if (tag.empty()) {
            return std::string::npos;
        }
        const std::size_t k = std::min(tag.size() - 1, m_cabeca.size());
        if (k > 0 && !m_cauda.empty()) {
            m_janela.assign(m_cabeca, m_cabeca.size() - k);
            AcrescentaInicioDaCauda(m_janela, tag.size() - 1);
            const std::size_t s = UltimaOcorrencia(m_janela, tag, k - 1);
            if (s != std::string::npos) {
                return m_cabeca.size() - k + s;
            }
        }
        return UltimaOcorrencia(m_cabeca, tag, std::string::npos);
    }

    // Start of the last occurrence of `tag` in `texto` starting at or before `ate`, or
    // npos. Looks for the tag's first character before comparing the rest.
    static std::size_t UltimaOcorrencia(std::string_view texto, std::string_view tag,
                                        std::size_t ate) {
        if (tag.size() > texto.size()) {
            return std::string::npos;
        }
        // Candidates at or before `limite` are looked for with memrchr, many bytes at a time.
        std::size_t limite = std::min(ate, texto.size() - tag.size()) + 1;
        while (limite > 0) {
            const auto* achado =
                static_cast<const char*>(::memrchr(texto.data(), tag.front(), limite));
            if (achado == nullptr) {
                return std::string::npos;
            }
            const auto pos = static_cast<std::size_t>(achado - texto.data());
            // The first character is common in code ("<", "{"): the last is checked before
            // the rest is compared. `limite` keeps the whole tag inside the text.
            if (texto[pos + tag.size() - 1] == tag.back() &&
                std::memcmp(texto.data() + pos, tag.data(), tag.size()) == 0) {
                return pos;
            }
            limite = pos;
        }
        return std::string::npos;
    }

    // Takes the tail's text up to the first occurrence of `tag` into `corpo` and drops
    // the tag; false (with the whole tail in `corpo`) when the tail holds none.
    bool TiraAteFechamento(std::string_view tag, std::string& corpo) {
        if (tag.empty()) {
            return false;
        }
        while (!m_cauda.empty()) {
            TPeca& peca = m_cauda.back();
            const std::string_view vista = peca.vista();
            // An occurrence that starts in what was already taken and ends in this piece.
            const std::size_t t = std::min(tag.size() - 1, corpo.size());
            if (t > 0) {
                m_janela.assign(corpo, corpo.size() - t);
                m_janela.append(vista.substr(0, tag.size() - 1));
                const std::size_t s = m_janela.find(tag);
                if (s != std::string::npos && s < t) {
                    corpo.resize(corpo.size() - t + s);
                    Avanca(s + tag.size() - t);
                    return true;
                }
            }
            const std::size_t r = vista.find(tag);
            if (r != std::string_view::npos) {
                corpo.append(vista.substr(0, r));
                Avanca(r + tag.size());
                return true;
            }
            corpo.append(vista);
            m_tamanhoCauda -= vista.size();
            m_cauda.pop_back();
        }
        return false;
    }

    // Consumes n characters of the first piece of the tail.
    void Avanca(std::size_t n) {
        TPeca& peca = m_cauda.back();
        peca.inicio += n;
        m_tamanhoCauda -= n;
        if (peca.inicio >= peca.texto.size()) {
            m_cauda.pop_back();
        }
    }

    // Appends the first n characters of the tail (fewer when it is shorter).
    void AcrescentaInicioDaCauda(std::string& destino, std::size_t n) const {
        for (auto peca = m_cauda.rbegin(); peca != m_cauda.rend() && n > 0; ++peca) {
            const std::string_view parte = peca->vista().substr(0, n);
            destino.append(parte);
            n -= parte.size();
        }
    }

    void ConsomeDaCauda(std::size_t n) {
        while (n > 0 && !m_cauda.empty()) {
            const std::size_t resta = m_cauda.back().texto.size() - m_cauda.back().inicio;
            const std::size_t agora = std::min(n, resta);
            Avanca(agora);
            n -= agora;
        }
    }

    std::string m_cabeca;
    std::vector<TPeca> m_cauda;
    std::size_t m_tamanhoCauda = 0;
    std::size_t m_reentradas = 0;
    mutable std::string m_janela; // the text around the head's end, reused between searches
};

[[noreturn]] void FalhaLimite(std::size_t limite) {
    throw EErroGeral::Create("Template Expansion Stopped: The Generated Text Passes The Limit "
                             "Of " +
                             std::to_string(limite) + " Bytes !!");
}

// Replaces every block of one kind by what `expande` makes of its body (after
// RemoveQuebraInicial), following the block rule and its guard.
template <typename Expande>
std::string ExpandeTodos(std::string texto, const TParTags& tags, std::size_t limite,
                         Expande&& expande) {
    if (texto.find(tags.abertura) == std::string::npos) {
        return texto;
    }
    TTextoEmBlocos blocos(std::move(texto));
    std::string corpo;
    while (blocos.ProximoBloco(tags.abertura, tags.fechamento, corpo) ==
           TTextoEmBlocos::TBusca::Achado) {
        std::string expansao = expande(TMontaCodigo::RemoveQuebraInicial(corpo));
        // The block put back as it was: the rule would take it again for ever.
        if (expansao.size() == tags.abertura.size() + corpo.size() + tags.fechamento.size() &&
            expansao.starts_with(tags.abertura) && expansao.ends_with(tags.fechamento) &&
            std::string_view(expansao).substr(tags.abertura.size(), corpo.size()) == corpo) {
            FalhaReentradas();
        }
        blocos.Substitui(std::move(expansao), tags.abertura);
        if (blocos.Tamanho() > limite) {
            FalhaLimite(limite);
        }
    }
    return std::move(blocos).Texto();
}

std::int32_t ParaInt32(std::size_t n) {
    return static_cast<std::int32_t>(std::min<std::size_t>(
        n, static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())));
}

bool ContemSemCaixa(std::string_view texto, std::string_view parte) {
    return std::search(texto.begin(), texto.end(), parte.begin(), parte.end(), [](char a, char b) {
               const auto minuscula = [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return minuscula(a) == minuscula(b);
           }) != texto.end();
}

} // namespace

// One block body as its repetitions write it: its condition pairs read once, and the body
// cut at the scope's tags once for each set of outcomes that occurs.
class TMontaCodigo::TRepeticao {
public:
    TRepeticao(std::string_view corpo, std::span<const std::string_view> tags,
               TCorpoCondicional::TAlcance alcance)
        : m_corpo(corpo), m_tags(tags), m_condicional(corpo, alcance) {}

    const std::vector<TCondicao>& condicoes() const { return m_condicional.condicoes(); }

    // Appends the body of one repetition: its pairs decided by `verdadeiras` (bit i for
    // condicoes()[i]), its tags replaced by `valores`.
    void Escreve(std::string& saida, std::uint32_t verdadeiras, TValores& valores,
                 const TMontaCodigo& motor) {
        const TForma& forma = Forma(verdadeiras);
        const auto& variantes = forma.cortado.variantes();
        valores.filtrados.resize(variantes.size());
        for (std::size_t v = 0; v < variantes.size(); ++v) {
            valores.filtrados[v] =
                motor.Filtra(variantes[v].cadeia, valores.Valor(variantes[v].tag),
                             valores.esquema[variantes[v].tag]);
        }
        if (forma.cortado.Escreve(saida, valores, valores.filtrados)) {
            return;
        }
        std::string peca(forma.corpo);
        SubstituiEmOrdem(peca, m_tags, valores, [&](std::size_t k, const TCadeiaFiltros& cadeia) {
            return motor.Filtra(cadeia, valores.Valor(k), valores.esquema[k]);
        });
        saida += peca;
    }

private:
    struct TForma {
        TForma(std::string resolvido, std::span<const std::string_view> tags)
            : dono(std::move(resolvido)), corpo(dono), cortado(corpo, tags) {}
        TForma(std::string_view vista, std::span<const std::string_view> tags)
            : corpo(vista), cortado(corpo, tags) {}

        std::string dono;
        std::string_view corpo;
        TCorpoCortado cortado;
    };

    const TForma& Forma(std::uint32_t verdadeiras) {
        if (m_condicional.vazio()) {
            if (!m_unica) {
                m_unica = std::make_unique<TForma>(m_corpo, m_tags);
            }
            return *m_unica;
        }
        for (const auto& [chave, forma] : m_formas) {
            if (chave == verdadeiras) {
                return *forma;
            }
        }
        m_formas.emplace_back(verdadeiras,
                              std::make_unique<TForma>(m_condicional.Resolve(verdadeiras), m_tags));
        return *m_formas.back().second;
    }

    std::string_view m_corpo;
    std::span<const std::string_view> m_tags;
    TCorpoCondicional m_condicional;
    std::unique_ptr<TForma> m_unica;
    std::vector<std::pair<std::uint32_t, std::unique_ptr<TForma>>> m_formas;
};

// Analyses are looked up by the body's text: a body holds no table's values when the
// template puts none inside it, and is then the same for every file of the template. Bodies
// that differ from table to table are not kept beyond a few, so that memory stays bounded.
class TMontaCodigo::TAnalises {
public:
    TRepeticao* Acha(std::string_view corpo, std::span<const std::string_view> tags, bool tabela) {
        auto& porCorpo = m_porTags[{tags.data(), tags.size(), tabela}];
        if (const auto achada = porCorpo.find(corpo); achada != porCorpo.end()) {
            return &achada->second->repeticao;
        }
        if (porCorpo.size() >= kMaximoPorTags) {
            return nullptr;
        }
        auto entrada = std::make_unique<TEntrada>(std::string(corpo), tags, tabela);
        TRepeticao* repeticao = &entrada->repeticao;
        const std::string_view chave = entrada->corpo;
        porCorpo.emplace(chave, std::move(entrada));
        return repeticao;
    }

private:
    static constexpr std::size_t kMaximoPorTags = 64;

    struct TEntrada {
        TEntrada(std::string texto, std::span<const std::string_view> tags, bool tabela)
            : corpo(std::move(texto)), repeticao(corpo, tags,
                                                 tabela ? TCorpoCondicional::TAlcance::tabela
                                                        : TCorpoCondicional::TAlcance::coluna) {}
        std::string corpo; // what repeticao views
        TRepeticao repeticao;
    };
    using TChave = std::tuple<const std::string_view*, std::size_t, bool>;
    std::map<TChave, std::unordered_map<std::string_view, std::unique_ptr<TEntrada>>> m_porTags;
};

TMontaCodigo::TRepeticao& TMontaCodigo::Repeticao(std::string_view corpo,
                                                  std::span<const std::string_view> tags,
                                                  bool tabela,
                                                  std::unique_ptr<TRepeticao>& propria) const {
    if (m_tipos->analises) {
        if (TRepeticao* achada = m_tipos->analises->Acha(corpo, tags, tabela)) {
            return *achada;
        }
    }
    propria = std::make_unique<TRepeticao>(corpo, tags,
                                           tabela ? TCorpoCondicional::TAlcance::tabela
                                                  : TCorpoCondicional::TAlcance::coluna);
    return *propria;
}

// --- Inputs -------------------------------------------------------------------------------

namespace {

void AcrescentaTipos(TMontaCodigo::TTiposPreparados& preparados, const TListaTextos& linhas) {
    for (const std::string& linha : linhas) {
        // A line without any ";" has no first field and matches nothing; missing second
        // or third fields read as empty texts.
        TListaTextos campos = SeparaCampos(linha, ";");
        if (campos.empty()) {
            continue;
        }
        std::string tipoVariavel = campos.size() > 1 ? std::move(campos[1]) : std::string();
        std::string valorInicial = campos.size() > 2 ? std::move(campos[2]) : std::string();
        preparados.temReservas = preparados.temReservas || campos[0].starts_with('*');
        preparados.tipos.try_emplace(std::move(campos[0]), std::move(tipoVariavel),
                                     std::move(valorInicial));
    }
}

} // namespace

std::shared_ptr<const TMontaCodigo::TTiposPreparados>
TMontaCodigo::PreparaTipos(const TListaTextos& tipos, const TListaTextos& reservadas) {
    auto preparados = std::make_shared<TTiposPreparados>();
    preparados->analises = std::make_shared<TAnalises>();
    AcrescentaTipos(*preparados, tipos);
    preparados->reservadas =
        std::set<std::string, std::less<>>(reservadas.begin(), reservadas.end());
    return preparados;
}

void TMontaCodigo::setTiposPreparados(std::shared_ptr<const TTiposPreparados> preparados) {
    m_tipos = std::move(preparados);
    m_tiposProprios.reset();
}

TMontaCodigo::TTiposPreparados& TMontaCodigo::TiposProprios() {
    if (!m_tiposProprios) {
        m_tiposProprios = std::make_shared<TTiposPreparados>(*m_tipos);
        m_tipos = m_tiposProprios;
    }
    return *m_tiposProprios;
}

void TMontaCodigo::AdicionaTipos(const TListaTextos& linhas) {
    AcrescentaTipos(TiposProprios(), linhas);
}

void TMontaCodigo::setPalavrasReservadas(const TListaTextos& palavras) {
    TiposProprios().reservadas =
        std::set<std::string, std::less<>>(palavras.begin(), palavras.end());
}

void TMontaCodigo::AdicionaModelo(const TListaTextos& linhas) {
    try {
        VerificaTags(UneLinhas(linhas));
    } catch (const EErroGeral& erro) {
        throw EErroGeral::CreateCopia(erro);
    }
    m_linhasModelo.insert(m_linhasModelo.end(), linhas.begin(), linhas.end());
}

void TMontaCodigo::AdicionaModeloVerificado(const TListaTextos& linhas) {
    m_linhasModelo.insert(m_linhasModelo.end(), linhas.begin(), linhas.end());
}

// --- Expansion ----------------------------------------------------------------------------

void TMontaCodigo::Monta() {
    m_linhasCodigo = SeparaLinhas(MontaTexto());
}

std::string TMontaCodigo::MontaConteudo() {
    std::string texto = MontaTexto();
    // A text whose every line already ends in CR LF is what NormalizaQuebras would give: a
    // large file is not copied for nothing.
    if (QuebrasNormais(texto)) {
        return texto;
    }
    return NormalizaQuebras(texto);
}

std::string TMontaCodigo::MontaTexto() {
    std::string texto = UneLinhas(m_linhasModelo);

    TValores documento;
    const std::size_t qtdTabelas =
        m_controlaColunas == nullptr ? 0 : m_controlaColunas->QuantasTabelas();
    documento.texto[0] = nomeBaseDados;
    documento.texto[1] = classePai;
    documento.texto[2] = documento.Numero(0, static_cast<std::int64_t>(qtdTabelas));
    SubstituiEmOrdem(texto, kTagsDocumento, documento,
                     [&](std::size_t k, const TCadeiaFiltros& cadeia) {
                         return Filtra(cadeia, documento.texto[k], 0);
                     });
    VerificaLimite(texto.size());

    texto = NormalizaQuebras(texto);
    return ExpandeBlocosTabela(std::move(texto));
}

std::string TMontaCodigo::ExpandeBlocosTabela(std::string texto) {
    return ExpandeTodos(std::move(texto), TParTags{kAbreTabela, kFechaTabela}, m_limiteSaida,
                        [this](const std::string& corpo) { return ExpandeTabelas(corpo); });
}

std::string TMontaCodigo::ExpandeTabelas(std::string_view corpo) {
    std::string saida;
    if (m_controlaColunas == nullptr) {
        return saida;
    }
    const TListaTextos nomes = m_controlaColunas->getNomesTabelas();
    std::unique_ptr<TRepeticao> propria;
    TRepeticao& repeticao = Repeticao(corpo, kTagsTabela, true, propria);
    TValores valores;
    std::string peca;
    for (std::size_t indice = 0; indice < nomes.size(); ++indice) {
        CarregaTabela(nomes[indice]);
        ValoresTabela(indice, valores);
        std::uint32_t verdadeiras = 0;
        for (std::size_t i = 0; i < repeticao.condicoes().size(); ++i) {
            if (CondicaoTabela(static_cast<std::uint8_t>(repeticao.condicoes()[i]), indice,
                               nomes.size())) {
                verdadeiras |= 1u << i;
            }
        }
        peca.clear();
        repeticao.Escreve(peca, verdadeiras, valores, *this);
        for (std::uint8_t bloco = 0; bloco < std::size(kTagsBloco); ++bloco) {
            peca = ExpandeTodos(std::move(peca), kTagsBloco[bloco], m_limiteSaida,
                                [this, bloco](const std::string& corpoColunas) {
                                    return RepeteColunas(corpoColunas, bloco);
                                });
        }
        saida += peca;
        VerificaLimite(saida.size());
    }
    return saida;
}

std::string TMontaCodigo::RepeteColunas(std::string_view corpo, std::uint8_t bloco) {
    const auto tipo = static_cast<TBloco>(bloco);
    std::vector<const TColuna*> incluidas;
    if (tipo == TBloco::referencia) {
        incluidas = Referencias();
    } else {
        for (const TColuna* coluna : m_colunasAtuais) {
            const bool incluida =
                tipo == TBloco::simples       ? coluna->tipoColuna == TTipoColuna::tcComum
                : tipo == TBloco::primaria    ? coluna->tipoColuna == TTipoColuna::tcChavePrimaria
                : tipo == TBloco::estrangeira ? coluna->chaveEstrangeira
                                              : coluna->getTipoDado().EhData();
            if (incluida) {
                incluidas.push_back(coluna);
            }
        }
    }
    const std::size_t qtdTags = tipo == TBloco::referencia    ? kTagsColunaReferencia
                                : tipo == TBloco::estrangeira ? kTagsColunaEstrangeira
                                                              : kTagsColunaComuns;
    std::unique_ptr<TRepeticao> propria;
    TRepeticao& repeticao =
        Repeticao(corpo, std::span<const std::string_view>(kTagsColuna, qtdTags), false, propria);
    // Where the block's foreign keys begin and end, when a condition may ask.
    const std::vector<TLimiteChave> limites =
        repeticao.condicoes().empty() ? std::vector<TLimiteChave>() : LimitesDasChaves(incluidas);
    TValores valores;
    std::string saida;
    for (std::size_t indice = 0; indice < incluidas.size(); ++indice) {
        const TColuna& coluna = *incluidas[indice];
        ValoresColuna(coluna, ParaInt32(indice), valores);
        if (tipo == TBloco::referencia) {
            const TTabela& tabela = coluna.getTabela();
            valores.tabelaReferencia = tabela.getNomeCompleto();
            valores.texto[kTagTabelaReferencia] = valores.tabelaReferencia;
            valores.esquema[kTagTabelaReferencia] = tabela.esquema.size();
            valores.texto[kTagNomeReferencia] = tabela.nome;
            valores.texto[kTagAliasReferencia] = tabela.alias;
        }
        std::uint32_t verdadeiras = 0;
        for (std::size_t i = 0; i < repeticao.condicoes().size(); ++i) {
            if (CondicaoColuna(static_cast<std::uint8_t>(repeticao.condicoes()[i]), coluna, indice,
                               incluidas.size(),
                               limites.empty() ? TLimiteChave() : limites[indice])) {
                verdadeiras |= 1u << i;
            }
        }
        repeticao.Escreve(saida, verdadeiras, valores, *this);
        VerificaLimite(saida.size());
    }
    return saida;
}

std::string TMontaCodigo::RemoveQuebraInicial(std::string_view corpo) {
    std::size_t i = 0;
    while (i < corpo.size() && corpo[i] == ' ') {
        ++i;
    }
    std::string resultado;
    if (i < corpo.size() && corpo[i] == '\r' && i + 1 < corpo.size()) {
        resultado.reserve(corpo.size() - 2);
        resultado.append(corpo.substr(0, i)).append(corpo.substr(i + 2));
    } else {
        resultado.assign(corpo);
    }
    return resultado;
}

void TMontaCodigo::VerificaLimite(std::size_t tamanho) const {
    if (tamanho > m_limiteSaida) {
        FalhaLimite(m_limiteSaida);
    }
}

// --- Substitution -------------------------------------------------------------------------

std::string TMontaCodigo::Substitui(std::string_view texto, std::string_view tag,
                                    std::string_view valor) {
    return SubstituiTodos(tag, valor, texto);
}

std::string TMontaCodigo::Filtra(const TCadeiaFiltros& cadeia, std::string_view valor,
                                 std::size_t tamanhoEsquema) const {
    return AplicaFiltros(cadeia, valor, tamanhoEsquema, [this](std::string_view palavra) {
        return m_tipos->reservadas.find(palavra) != m_tipos->reservadas.end();
    });
}

void TMontaCodigo::ValoresTabela(std::size_t indiceTabela, TValores& valores) const {
    static const TTabela semRegistro;
    const TTabela& tabela = m_registroTabela != nullptr ? *m_registroTabela : semRegistro;
    valores.Limpa();
    valores.texto = {m_tabelaAtual,
                     tabela.esquema,
                     tabela.tipo,
                     tabela.alias,
                     valores.Numero(0, static_cast<std::int64_t>(indiceTabela)),
                     valores.Numero(1, m_qtdComum),
                     valores.Numero(2, m_qtdChaveEstrangeira),
                     valores.Numero(3, m_qtdChavePrimaria),
                     valores.Numero(4, static_cast<std::int64_t>(m_colunasAtuais.size())),
                     valores.Numero(5, m_qtdData),
                     tabela.nome,
                     tabela.comment};
    valores.esquema[kTagTabela] = tabela.esquema.size();
    valores.tardio = kTagQtdReferencias;
    valores.motor = this;
}

void TMontaCodigo::ValoresColuna(const TColuna& coluna, std::int32_t indice,
                                 TValores& valores) const {
    const TTipoDado& tipo = coluna.getTipoDado();
    const TParTipo* correspondencia = AchaTipo(tipo);
    // A foreign-key column decoded without its referenced column gives empty values.
    const TColuna* referenciada = coluna.getColunaEstrangeira();
    const std::string_view tabelaReferenciada =
        referenciada != nullptr ? std::string_view(referenciada->getTabela().nome)
                                : std::string_view();
    const auto sim = [](bool valor) {
        return valor ? std::string_view("1") : std::string_view("0");
    };
    valores.Limpa();
    valores.texto = {
        classePai,
        coluna.nome,
        m_tabelaAtual,
        correspondencia != nullptr ? std::string_view(correspondencia->second) : std::string_view(),
        correspondencia != nullptr ? std::string_view(correspondencia->first) : std::string_view(),
        coluna.alias,
        valores.Numero(0, tipo.getTamanho()),
        valores.Numero(1, tipo.getPrecisao()),
        valores.Numero(2, tipo.escala),
        tipo.nome,
        valores.Numero(3, indice),
        std::string_view(), // "<colsqltype>", worked out when used
        sim(coluna.facts.nullable),
        sim(coluna.facts.unique),
        sim(coluna.facts.autoIncrement),
        coluna.facts.defaultValue,
        coluna.facts.comment,
        referenciada != nullptr ? std::string_view(referenciada->nome) : std::string_view(),
        tabelaReferenciada,
        tabelaReferenciada};
    if (m_registroTabela != nullptr) {
        valores.esquema[kTagTabelaDaColuna] = m_registroTabela->esquema.size();
    }
    valores.tardio = kTagTipoSQL;
    valores.coluna = &coluna;
    valores.motor = this;
}

bool TMontaCodigo::CondicaoTabela(std::uint8_t condicao, std::size_t indice,
                                  std::size_t quantidade) const {
    static const TTabela semRegistro;
    const TTabela& tabela = m_registroTabela != nullptr ? *m_registroTabela : semRegistro;
    switch (static_cast<TCondicao>(condicao)) {
    case TCondicao::view:
        return ContemSemCaixa(tabela.tipo, "VIEW");
    case TCondicao::table:
        return ContemSemCaixa(tabela.tipo, "TABLE");
    case TCondicao::tbalias:
        return !tabela.alias.empty();
    case TCondicao::tbcomment:
        return !tabela.comment.empty();
    case TCondicao::haspk:
        return m_qtdChavePrimaria > 0;
    case TCondicao::hasfk:
        return m_qtdChaveEstrangeira > 0;
    case TCondicao::first:
        return indice == 0;
    case TCondicao::last:
        return indice + 1 == quantidade;
    default:
        return false;
    }
}

namespace {

// Whether the column at `fim` continues the foreign key of the columns from `inicio` to
// before `fim`: a foreign key of the same table that refers to the same table, to a column
// no column of the key refers to.
bool ContinuaChave(const std::vector<const TColuna*>& colunas, std::size_t inicio,
                   std::size_t fim) {
    const TColuna& seguinte = *colunas[fim];
    const TColuna& primeira = *colunas[inicio];
    const TColuna* alvo = seguinte.getColunaEstrangeira();
    if (!seguinte.chaveEstrangeira || alvo == nullptr ||
        seguinte.getTabela().getNomeCompleto() != primeira.getTabela().getNomeCompleto() ||
        alvo->getTabela().getNomeCompleto() !=
            primeira.getColunaEstrangeira()->getTabela().getNomeCompleto()) {
        return false;
    }
    for (std::size_t k = inicio; k < fim; ++k) {
        if (colunas[k]->getColunaEstrangeira()->nome == alvo->nome) {
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<TMontaCodigo::TLimiteChave>
TMontaCodigo::LimitesDasChaves(const std::vector<const TColuna*>& colunas) {
    std::vector<TLimiteChave> limites(colunas.size());
    std::size_t inicio = 0;
    while (inicio < colunas.size()) {
        if (!colunas[inicio]->chaveEstrangeira ||
            colunas[inicio]->getColunaEstrangeira() == nullptr) {
            ++inicio;
            continue;
        }
        std::size_t fim = inicio + 1;
        while (fim < colunas.size() && ContinuaChave(colunas, inicio, fim)) {
            ++fim;
        }
        limites[inicio].primeira = true;
        limites[fim - 1].ultima = true;
        inicio = fim;
    }
    return limites;
}

bool TMontaCodigo::CondicaoColuna(std::uint8_t condicao, const TColuna& coluna, std::size_t indice,
                                  std::size_t quantidade, TLimiteChave chave) {
    const TTipoDado& tipo = coluna.getTipoDado();
    switch (static_cast<TCondicao>(condicao)) {
    case TCondicao::nullable:
        return coluna.facts.nullable;
    case TCondicao::pk:
        return coluna.tipoColuna == TTipoColuna::tcChavePrimaria;
    case TCondicao::fk:
        return coluna.chaveEstrangeira;
    case TCondicao::date:
        return tipo.EhData();
    case TCondicao::unique:
        return coluna.facts.unique;
    case TCondicao::autoinc:
        return coluna.facts.autoIncrement;
    case TCondicao::default_:
        return !coluna.facts.defaultValue.empty();
    case TCondicao::comment:
        return !coluna.facts.comment.empty();
    case TCondicao::alias:
        return !coluna.alias.empty();
    case TCondicao::length:
        return tipo.tamanho > 0;
    case TCondicao::scale:
        return tipo.escala > 0;
    case TCondicao::fkfirst:
        return chave.primeira;
    case TCondicao::fklast:
        return chave.ultima;
    case TCondicao::first:
        return indice == 0;
    case TCondicao::last:
        return indice + 1 == quantidade;
    default:
        return false;
    }
}

const TMontaCodigo::TParTipo* TMontaCodigo::AchaTipo(const TTipoDado& tipo) const {
    const auto& tipos = m_tipos->tipos;
    if (const auto achado = tipos.find(tipo.nome); achado != tipos.end()) {
        return &achado->second;
    }
    if (!m_tipos->temReservas) {
        return nullptr;
    }
    if (const std::string_view familia = FamiliaDoTipo(tipo.tipoOLE); !familia.empty()) {
        std::string chave = "*";
        chave += familia;
        if (const auto achado = tipos.find(chave); achado != tipos.end()) {
            return &achado->second;
        }
    }
    const auto qualquer = tipos.find("*");
    return qualquer == tipos.end() ? nullptr : &qualquer->second;
}

std::pair<std::string, std::string> TMontaCodigo::BuscaTipo(const TTipoDado& tipo) const {
    const TParTipo* correspondencia = AchaTipo(tipo);
    return correspondencia != nullptr ? *correspondencia : TParTipo();
}

std::string TMontaCodigo::Categoria(const TColuna& coluna) {
    return std::string(coluna.tipoColuna == TTipoColuna::tcChavePrimaria ? "tcChavePrimaria"
                                                                         : "tcComum");
}

// --- The table being expanded -------------------------------------------------------------

void TMontaCodigo::CarregaTabela(const std::string& nomeTabela) {
    m_tabelaAtual = nomeTabela;
    m_registroTabela = nullptr;
    m_colunasAtuais.clear();
    if (m_controlaColunas != nullptr) {
        m_registroTabela = m_controlaColunas->getTabela(nomeTabela);
        m_colunasAtuais = m_controlaColunas->getColunasDaTabela(nomeTabela);
    }
    m_proprias.clear();
    m_copiasFeitas = false;
    m_referencias = nullptr;
    ContaColunas();
}

void TMontaCodigo::CarregaColunasTabela(const TListaTextos& codificacoes) {
    m_proprias.clear();
    m_proprias.reserve(codificacoes.size());
    m_colunasAtuais.clear();
    for (const std::string& codificacao : codificacoes) {
        auto coluna = std::make_unique<TColuna>();
        coluna->Decodifica(codificacao);
        m_colunasAtuais.push_back(coluna.get());
        m_proprias.push_back(std::move(coluna));
    }
    m_copiasFeitas = false;
    m_referencias = nullptr;
    ContaColunas();
}

const TArrColunas& TMontaCodigo::colunasTabela() const {
    if (!m_proprias.empty() || m_colunasAtuais.empty()) {
        return m_proprias;
    }
    if (!m_copiasFeitas) {
        m_copias.clear();
        for (const TColuna* coluna : m_colunasAtuais) {
            auto copia = std::make_unique<TColuna>();
            copia->Decodifica(coluna->Codifica());
            copia->CopiaFatosDe(*coluna);
            m_copias.push_back(std::move(copia));
        }
        m_copiasFeitas = true;
    }
    return m_copias;
}

const std::vector<const TColuna*>& TMontaCodigo::Referencias() const {
    if (m_referencias == nullptr) {
        static const std::vector<const TColuna*> nenhuma;
        const TControlaColunas* todas =
            m_todasAsColunas != nullptr ? m_todasAsColunas : m_controlaColunas;
        m_referencias =
            todas != nullptr ? &todas->getColunasQueReferenciam(m_tabelaAtual) : &nenhuma;
    }
    return *m_referencias;
}

void TMontaCodigo::ContaColunas() {
    m_qtdChavePrimaria = 0;
    m_qtdChaveEstrangeira = 0;
    m_qtdComum = 0;
    m_qtdData = 0;
    for (const TColuna* coluna : m_colunasAtuais) {
        if (coluna->tipoColuna == TTipoColuna::tcChavePrimaria) {
            ++m_qtdChavePrimaria;
        } else {
            ++m_qtdComum;
        }
        if (coluna->chaveEstrangeira) {
            ++m_qtdChaveEstrangeira;
        }
        if (coluna->getTipoDado().EhData()) {
            ++m_qtdData;
        }
    }
}

// --- Coherence check ----------------------------------------------------------------------

std::vector<TParVerificado> ParesVerificados(std::string_view texto) {
    std::vector<TParVerificado> pares = {
        {std::string(kAbreSimples), std::string(kFechaSimples)},
        {std::string(kAbreEstrangeira), std::string(kFechaEstrangeira)},
        {std::string(kAbrePrimaria), std::string(kFechaPrimaria)},
        {std::string(kAbreTabela), std::string(kFechaTabela)}};
    if (texto.find("refcol>") != std::string_view::npos) {
        pares.push_back({std::string(kAbreReferencia), std::string(kFechaReferencia)});
    }
    if (texto.find("<if") == std::string_view::npos &&
        texto.find("</if") == std::string_view::npos) {
        return pares;
    }
    // The condition pairs the text writes: bit 0 "if", bit 1 "ifnot", per condition.
    std::array<std::uint8_t, kQtdCondicoes> usadas{};
    for (std::size_t i = texto.find('<'); i != std::string_view::npos; i = texto.find('<', i + 1)) {
        const std::size_t fim = FimDaTag(texto, i);
        TTagCondicao lida;
        TCondicao condicao{};
        if (fim != std::string_view::npos && LeTagCondicao(texto.substr(i, fim - i), lida) &&
            AchaCondicao(lida.nome, condicao)) {
            usadas[static_cast<std::size_t>(condicao)] |= lida.negada ? 2 : 1;
        }
    }
    for (std::size_t c = 0; c < kQtdCondicoes; ++c) {
        const std::string nome(kCondicoes[c].nome);
        if ((usadas[c] & 1) != 0) {
            pares.push_back({"<if:" + nome + ">", "</if:" + nome + ">"});
        }
        if ((usadas[c] & 2) != 0) {
            pares.push_back({"<ifnot:" + nome + ">", "</ifnot:" + nome + ">"});
        }
    }
    return pares;
}

namespace {

bool Cruzadas(std::string_view texto, std::string_view abertura, std::string_view fechamento,
              const std::vector<TParVerificado>& pares) {
    // Removing a block is replacing it by nothing; since nothing after the last opening
    // tag can hold another, the walk from the end sees exactly the blocks of the rule.
    TTextoEmBlocos blocos{std::string(texto)};
    std::string corpo;
    for (;;) {
        switch (blocos.ProximoBloco(abertura, fechamento, corpo)) {
        case TTextoEmBlocos::TBusca::SemAbertura:
            return false;
        case TTextoEmBlocos::TBusca::SemFechamento:
            return true;
        case TTextoEmBlocos::TBusca::Achado:
            break;
        }
        for (const TParVerificado& par : pares) {
            if (TMontaCodigo::ContaTag(corpo, par.abertura) !=
                TMontaCodigo::ContaTag(corpo, par.fechamento)) {
                return true;
            }
        }
    }
}

} // namespace

void TMontaCodigo::VerificaTags(std::string_view texto) {
    const std::vector<TParVerificado> pares = ParesVerificados(texto);
    for (const TParVerificado& par : pares) {
        if (ContaTag(texto, par.abertura) != ContaTag(texto, par.fechamento)) {
            throw EErroGeral::Create(std::string(kErroQuantidade));
        }
    }
    for (const TParVerificado& par : pares) {
        if (Cruzadas(texto, par.abertura, par.fechamento, pares)) {
            throw EErroGeral::Create(std::string(kErroCruzadas));
        }
    }
}

std::int32_t TMontaCodigo::ContaTag(std::string_view texto, std::string_view tag) {
    if (tag.empty()) {
        return 0;
    }
    std::size_t quantidade = 0;
    for (std::size_t pos = texto.find(tag); pos != std::string_view::npos;
         pos = texto.find(tag, pos + tag.size())) {
        ++quantidade;
    }
    return ParaInt32(quantidade);
}

bool TMontaCodigo::TemTagsCruzadas(std::string_view texto, std::string_view abertura,
                                   std::string_view fechamento) {
    return Cruzadas(texto, abertura, fechamento, ParesVerificados(texto));
}

} // namespace fendril

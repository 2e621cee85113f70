#include "engine/TMontaCodigo.h"

#include "model/Erros.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <span>
#include <vector>

namespace fendril {

namespace {

constexpr std::string_view kQuebra = "\r\n";

constexpr std::string_view kAbreTabela = "<rctable>";
constexpr std::string_view kFechaTabela = "</rctable>";
constexpr std::string_view kAbreSimples = "<simplecol>";
constexpr std::string_view kFechaSimples = "</simplecol>";
constexpr std::string_view kAbrePrimaria = "<prkcol>";
constexpr std::string_view kFechaPrimaria = "</prkcol>";
constexpr std::string_view kAbreEstrangeira = "<frkcol>";
constexpr std::string_view kFechaEstrangeira = "</frkcol>";
constexpr std::string_view kAbreData = "<coldatetype>";
constexpr std::string_view kFechaData = "</coldatetype>";

constexpr std::string_view kCategoriaPrimaria = "tcChavePrimaria";
constexpr std::string_view kCategoriaComum = "tcComum";
constexpr std::string_view kCategoriaEstrangeira = "tcChaveEstrangeira";
constexpr std::string_view kCategoriaData = "tcDateColum";

constexpr std::string_view kErroQuantidade =
    "Syntax Error: Number of Opening and Closing Tags Does Not Match !!";
constexpr std::string_view kErroCruzadas = "Syntax Error: Crossed Tags Present ";

struct TParTags {
    std::string_view abertura;
    std::string_view fechamento;
};

// The pairs the coherence check covers, in the order it tests them.
constexpr TParTags kParesVerificados[] = {{kAbreSimples, kFechaSimples},
                                          {kAbreEstrangeira, kFechaEstrangeira},
                                          {kAbrePrimaria, kFechaPrimaria},
                                          {kAbreTabela, kFechaTabela}};

struct TBlocoColuna {
    std::string_view categoria;
    TParTags tags;
};

constexpr TBlocoColuna kBlocosColuna[] = {
    {kCategoriaComum, {kAbreSimples, kFechaSimples}},
    {kCategoriaPrimaria, {kAbrePrimaria, kFechaPrimaria}},
    {kCategoriaEstrangeira, {kAbreEstrangeira, kFechaEstrangeira}},
    {kCategoriaData, {kAbreData, kFechaData}}};

// Replaces `tag` in place; a text without the tag is left as it is, uncopied.
void SubstituiEm(std::string& texto, std::string_view tag, std::string_view valor) {
    if (texto.find(tag) != std::string::npos) {
        texto = SubstituiTodos(tag, valor, texto);
    }
}

// The same for a number, written in decimal only when the tag is there.
void SubstituiNumero(std::string& texto, std::string_view tag, std::int64_t valor) {
    if (texto.find(tag) != std::string::npos) {
        texto = SubstituiTodos(tag, std::to_string(valor), texto);
    }
}

// The scalar tags of the table and column scopes, in the order they are replaced.
constexpr std::string_view kTagsTabela[] = {
    "<tbname>",         "<tbschema>",    "<tbtype>",      "<tbalias>",  "<tbindex>",
    "<simplecolcount>", "<frkcolcount>", "<prkcolcount>", "<colcount>", "<coldatecount>"};
constexpr std::string_view kTagsColuna[] = {
    "<parentclass>", "<colname>",    "<tbname>",       "<colinivar>", "<colvartype>",
    "<colalias>",    "<collength>",  "<colprecision>", "<colscale>",  "<colprvtype>",
    "<colindex>",    "<frkcolname>", "<frktbname>"};
// Outside foreign-key blocks the last two column tags are not replaced.
constexpr std::size_t kTagsColunaComuns = 11;
constexpr std::size_t kMaxTags = std::size(kTagsColuna);

// Replaces the tags one after the other, each in the whole text, `valores` giving the
// value of each tag.
void SubstituiEmOrdem(std::string& texto, std::span<const std::string_view> tags,
                      const std::string_view* valores) {
    for (std::size_t i = 0; i < tags.size(); ++i) {
        SubstituiEm(texto, tags[i], valores[i]);
    }
}

// A body cut at the tags of one scope, so that each repetition is written straight into
// the output in one pass instead of one pass (and one copy) per tag.
//
// Replacing the tags one after the other, each searched again from the start, gives the
// same text as one pass over the body whenever no replacement makes a new tag appear. Every tag
// starts with "<", ends with ">" and holds neither inside, so with values free of "<" and ">" a new
// occurrence has to begin with a "<" of the body that is followed, with no "<" or ">" in between,
// by a tag that gets replaced. Bodies in which the nearest "<" or ">" before every tag is a ">" (or
// none), the ordinary case, therefore take the one pass; other bodies, and values holding "<" or
// ">", go tag by tag.
class TCorpoCortado {
public:
    TCorpoCortado(std::string_view corpo, std::span<const std::string_view> tags)
        : m_qtdTags(tags.size()) {
        std::size_t inicioLiteral = 0;
        std::size_t proximoFecha = 0; // first ">" at or after the current "<", or npos
        char ultimoSinal = 0;
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
            if (proximoFecha != std::string_view::npos) {
                const std::string_view candidata = corpo.substr(i, proximoFecha + 1 - i);
                for (std::size_t k = 0; k < tags.size(); ++k) {
                    if (tags[k] == candidata) {
                        achada = k;
                        break;
                    }
                }
            }
            if (achada == tags.size()) {
                ultimoSinal = '<';
                ++i;
                continue;
            }
            if (ultimoSinal == '<') {
                m_umaPassagem = false;
            }
            m_literais.push_back(corpo.substr(inicioLiteral, i - inicioLiteral));
            m_tags.push_back(static_cast<std::uint8_t>(achada));
            m_usadas |= 1u << achada;
            inicioLiteral = i = proximoFecha + 1;
            ultimoSinal = '>';
        }
        m_literais.push_back(corpo.substr(inicioLiteral));
    }

    // Appends the body with each tag replaced by its value; false, appending nothing,
    // when the one pass could differ from replacing tag after tag.
    bool Escreve(std::string& saida, const std::string_view* valores) const {
        if (!m_umaPassagem) {
            return false;
        }
        for (std::size_t k = 0; k < m_qtdTags; ++k) {
            if ((m_usadas & (1u << k)) != 0 &&
                valores[k].find_first_of("<>") != std::string_view::npos) {
                return false;
            }
        }
        saida.append(m_literais[0]);
        for (std::size_t i = 0; i < m_tags.size(); ++i) {
            saida.append(valores[m_tags[i]]).append(m_literais[i + 1]);
        }
        return true;
    }

private:
    std::size_t m_qtdTags;
    std::vector<std::string_view> m_literais; // one more than m_tags
    std::vector<std::uint8_t> m_tags;
    std::uint32_t m_usadas = 0;
    bool m_umaPassagem = true;
};

bool ColunaComum(const TColuna& coluna) {
    return coluna.tipoColuna == TTipoColuna::tcComum;
}
bool ColunaPrimaria(const TColuna& coluna) {
    return coluna.tipoColuna == TTipoColuna::tcChavePrimaria;
}
bool ColunaEstrangeira(const TColuna& coluna) {
    return coluna.chaveEstrangeira;
}
bool ColunaData(const TColuna& coluna) {
    return coluna.getTipoDado().EhData();
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
std::string NormalizaQuebras(std::string_view texto) {
    std::string resultado;
    resultado.reserve(texto.size() + texto.size() / 16 + 2);
    std::size_t i = 0;
    while (i < texto.size()) {
        const std::size_t fim = texto.find_first_of("\r\n", i);
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
// After a block has been replaced, the next opening tag is looked for only where it starts
// before the replaced block's opening tag, that is in the head (possibly running on into
// the tail). The replaced text and what follows it hold no opening tag of this kind unless
// values inserted by substitution carry one: such a value is not expanded again, which
// keeps the expansion finite (an alias "<rctable>x</rctable>" would otherwise repeat
// without end). The closing tag after an opening tag is searched in the whole rest.
class TTextoEmBlocos {
public:
    enum class TBusca { SemAbertura, SemFechamento, Achado };

    explicit TTextoEmBlocos(std::string texto) : m_cabeca(std::move(texto)) {}

    // Finds the next block and takes it out of the text, leaving its body in `corpo`;
    // Substitui must follow to put its replacement where it was. When there is no opening
    // tag or no closing tag after it, the text is left as it is.
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
            m_cauda.push_back({m_cabeca.substr(inicio + abertura.size()), 0});
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

    // Puts `expansao` where the block just taken out was.
    void Substitui(std::string expansao) {
        if (!expansao.empty()) {
            m_cauda.push_back({std::move(expansao), 0});
        }
    }

    std::string Texto() && {
        std::size_t tamanho = m_cabeca.size();
        for (const TPeca& peca : m_cauda) {
            tamanho += peca.texto.size() - peca.inicio;
        }
        std::string texto = std::move(m_cabeca);
        texto.reserve(tamanho);
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
        std::size_t pos = std::min(ate, texto.size() - tag.size());
        for (;;) {
            pos = texto.rfind(tag.front(), pos);
            if (pos == std::string_view::npos) {
                return std::string::npos;
            }
            if (texto.compare(pos, tag.size(), tag) == 0) {
                return pos;
            }
            if (pos == 0) {
                return std::string::npos;
            }
            --pos;
        }
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
            m_cauda.pop_back();
        }
        return false;
    }

    // Consumes n characters of the first piece of the tail.
    void Avanca(std::size_t n) {
        TPeca& peca = m_cauda.back();
        peca.inicio += n;
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
    mutable std::string m_janela; // the text around the head's end, reused between searches
};

// Replaces every block of one kind by what `expande` makes of its body (after
// RemoveQuebraInicial), following the block rule.
template <typename Expande>
std::string ExpandeTodos(std::string texto, const TParTags& tags, Expande&& expande) {
    TTextoEmBlocos blocos(std::move(texto));
    std::string corpo;
    while (blocos.ProximoBloco(tags.abertura, tags.fechamento, corpo) ==
           TTextoEmBlocos::TBusca::Achado) {
        blocos.Substitui(expande(TMontaCodigo::RemoveQuebraInicial(corpo)));
    }
    return std::move(blocos).Texto();
}

std::int32_t ParaInt32(std::size_t n) {
    return static_cast<std::int32_t>(std::min<std::size_t>(
        n, static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())));
}

} // namespace

// The values of one repetition, by tag, with room for the numbers written in decimal.
struct TMontaCodigo::TValores {
    std::array<std::string_view, kMaxTags> texto{};
    std::array<std::array<char, 24>, 6> numeros{};

    // A number written in decimal into one of the number slots.
    std::string_view Numero(std::size_t casa, std::int64_t valor) {
        std::array<char, 24>& destino = numeros[casa];
        const auto fim = std::to_chars(destino.data(), destino.data() + destino.size(), valor).ptr;
        return std::string_view(destino.data(), static_cast<std::size_t>(fim - destino.data()));
    }
};

// --- Inputs -------------------------------------------------------------------------------

void TMontaCodigo::AdicionaTipos(const TListaTextos& linhas) {
    for (const std::string& linha : linhas) {
        m_linhasTipos.push_back(linha);
        // A line without any ";" has no first field and matches nothing; missing second
        // or third fields read as empty texts.
        TListaTextos campos = SeparaCampos(linha, ";");
        if (campos.empty()) {
            continue;
        }
        std::string tipoVariavel = campos.size() > 1 ? std::move(campos[1]) : std::string();
        std::string valorInicial = campos.size() > 2 ? std::move(campos[2]) : std::string();
        m_tipos.try_emplace(std::move(campos[0]), std::move(tipoVariavel), std::move(valorInicial));
    }
}

void TMontaCodigo::AdicionaModelo(const TListaTextos& linhas) {
    try {
        VerificaTags(UneLinhas(linhas));
    } catch (const EErroGeral& erro) {
        throw EErroGeral::CreateCopia(erro);
    }
    m_linhasModelo.insert(m_linhasModelo.end(), linhas.begin(), linhas.end());
}

// --- Expansion ----------------------------------------------------------------------------

void TMontaCodigo::Monta() {
    std::string texto = UneLinhas(m_linhasModelo);

    SubstituiEm(texto, "<dbname>", nomeBaseDados);
    SubstituiEm(texto, "<parentclass>", classePai);
    const std::size_t qtdTabelas =
        m_controlaColunas == nullptr ? 0 : m_controlaColunas->getNomesTabelas().size();
    SubstituiNumero(texto, "<tbcount>", static_cast<std::int64_t>(qtdTabelas));

    texto = NormalizaQuebras(texto);
    texto = ExpandeBlocosTabela(std::move(texto));
    m_linhasCodigo = SeparaLinhas(texto);
}

std::string TMontaCodigo::ExpandeBlocosTabela(std::string texto) {
    return ExpandeTodos(std::move(texto), TParTags{kAbreTabela, kFechaTabela},
                        [this](const std::string& corpo) { return ExpandeTabelas(corpo); });
}

std::string TMontaCodigo::ExpandeTabelas(std::string_view corpo) {
    std::string saida;
    if (m_controlaColunas == nullptr) {
        return saida;
    }
    const TListaTextos nomes = m_controlaColunas->getNomesTabelas();
    const TCorpoCortado cortado(corpo, kTagsTabela);
    TValores valores;
    std::string peca;
    for (std::size_t indice = 0; indice < nomes.size(); ++indice) {
        CarregaTabela(nomes[indice]);
        ValoresTabela(indice, valores);
        peca.clear();
        if (!cortado.Escreve(peca, valores.texto.data())) {
            peca.assign(corpo);
            SubstituiEmOrdem(peca, kTagsTabela, valores.texto.data());
        }
        for (const TBlocoColuna& bloco : kBlocosColuna) {
            peca = ExpandeBlocos(std::move(peca), bloco.categoria);
        }
        saida += peca;
    }
    return saida;
}

std::string TMontaCodigo::ExpandeBlocos(std::string texto, std::string_view categoria) {
    for (const TBlocoColuna& bloco : kBlocosColuna) {
        if (bloco.categoria != categoria) {
            continue;
        }
        if (texto.find(bloco.tags.abertura) == std::string::npos) {
            return texto;
        }
        if (categoria == kCategoriaData) {
            return ExpandeTodos(std::move(texto), bloco.tags, [this](const std::string& corpo) {
                return ExpandeColunasData(corpo);
            });
        }
        return ExpandeTodos(std::move(texto), bloco.tags,
                            [this, categoria](const std::string& corpo) {
                                return ExpandeColunas(corpo, categoria);
                            });
    }
    return texto;
}

std::string TMontaCodigo::ExpandeColunas(std::string_view corpo, std::string_view categoria) {
    if (categoria == kCategoriaComum) {
        return RepeteColunas(corpo, ColunaComum, false);
    }
    if (categoria == kCategoriaPrimaria) {
        return RepeteColunas(corpo, ColunaPrimaria, false);
    }
    if (categoria == kCategoriaEstrangeira) {
        return RepeteColunas(corpo, ColunaEstrangeira, true);
    }
    return std::string();
}

std::string TMontaCodigo::ExpandeColunasData(std::string_view corpo) {
    return RepeteColunas(corpo, ColunaData, false);
}

std::string TMontaCodigo::RepeteColunas(std::string_view corpo, bool (*incluida)(const TColuna&),
                                        bool blocoEstrangeiro) const {
    const std::span<const std::string_view> tags(
        kTagsColuna, blocoEstrangeiro ? std::size(kTagsColuna) : kTagsColunaComuns);
    const TCorpoCortado cortado(corpo, tags);
    TValores valores;
    std::string saida;
    std::int32_t indice = 0;
    for (const auto& coluna : m_colunasTabela) {
        if (!incluida(*coluna)) {
            continue;
        }
        ValoresColuna(*coluna, indice, valores);
        if (!cortado.Escreve(saida, valores.texto.data())) {
            std::string peca(corpo);
            SubstituiEmOrdem(peca, tags, valores.texto.data());
            saida += peca;
        }
        ++indice;
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

// --- Substitution -------------------------------------------------------------------------

std::string TMontaCodigo::Substitui(std::string_view texto, std::string_view tag,
                                    std::string_view valor) {
    return SubstituiTodos(tag, valor, texto);
}

void TMontaCodigo::ValoresTabela(std::size_t indiceTabela, TValores& valores) const {
    static const TTabela semRegistro;
    const TTabela* registro = m_controlaColunas->getTabela(m_tabelaAtual);
    const TTabela& tabela = registro != nullptr ? *registro : semRegistro;
    valores.texto = {m_tabelaAtual,
                     tabela.esquema,
                     tabela.tipo,
                     tabela.alias,
                     valores.Numero(0, static_cast<std::int64_t>(indiceTabela)),
                     valores.Numero(1, m_qtdComum),
                     valores.Numero(2, m_qtdChaveEstrangeira),
                     valores.Numero(3, m_qtdChavePrimaria),
                     valores.Numero(4, static_cast<std::int64_t>(m_colunasTabela.size())),
                     valores.Numero(5, m_qtdData)};
}

void TMontaCodigo::ValoresColuna(const TColuna& coluna, std::int32_t indice,
                                 TValores& valores) const {
    const TTipoDado& tipo = coluna.getTipoDado();
    const TParTipo* correspondencia = AchaTipo(tipo);
    // A foreign-key column decoded without its referenced column gives empty values.
    const TColuna* referenciada = coluna.getColunaEstrangeira();
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
        referenciada != nullptr ? std::string_view(referenciada->nome) : std::string_view(),
        referenciada != nullptr ? std::string_view(referenciada->getTabela().nome)
                                : std::string_view()};
}

const TMontaCodigo::TParTipo* TMontaCodigo::AchaTipo(const TTipoDado& tipo) const {
    const auto achado = m_tipos.find(tipo.nome);
    return achado == m_tipos.end() ? nullptr : &achado->second;
}

std::pair<std::string, std::string> TMontaCodigo::BuscaTipo(const TTipoDado& tipo) const {
    const TParTipo* correspondencia = AchaTipo(tipo);
    return correspondencia != nullptr ? *correspondencia : TParTipo();
}

std::string TMontaCodigo::Categoria(const TColuna& coluna) {
    return std::string(coluna.tipoColuna == TTipoColuna::tcChavePrimaria ? kCategoriaPrimaria
                                                                         : kCategoriaComum);
}

// --- The table being expanded -------------------------------------------------------------

void TMontaCodigo::CarregaTabela(const std::string& nomeTabela) {
    m_tabelaAtual = nomeTabela;
    TListaTextos codificacoes;
    if (m_controlaColunas != nullptr) {
        const TListaTextos nomes = m_controlaColunas->getNomesColunas(nomeTabela);
        codificacoes.reserve(nomes.size());
        for (const std::string& nome : nomes) {
            const TColuna* coluna = m_controlaColunas->getColuna(nomeTabela, nome);
            if (coluna != nullptr) {
                codificacoes.push_back(coluna->Codifica());
            }
        }
    }
    CarregaColunasTabela(codificacoes);
}

void TMontaCodigo::CarregaColunasTabela(const TListaTextos& codificacoes) {
    m_colunasTabela.clear();
    m_colunasTabela.reserve(codificacoes.size());
    for (const std::string& codificacao : codificacoes) {
        auto coluna = std::make_unique<TColuna>();
        coluna->Decodifica(codificacao);
        m_colunasTabela.push_back(std::move(coluna));
    }
    ContaColunas();
}

void TMontaCodigo::ContaColunas() {
    m_qtdChavePrimaria = 0;
    m_qtdChaveEstrangeira = 0;
    m_qtdComum = 0;
    m_qtdData = 0;
    for (const auto& coluna : m_colunasTabela) {
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

void TMontaCodigo::VerificaTags(std::string_view texto) {
    for (const TParTags& par : kParesVerificados) {
        if (ContaTag(texto, par.abertura) != ContaTag(texto, par.fechamento)) {
            throw EErroGeral::Create(std::string(kErroQuantidade));
        }
    }
    for (const TParTags& par : kParesVerificados) {
        if (TemTagsCruzadas(texto, par.abertura, par.fechamento)) {
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
        for (const TParTags& par : kParesVerificados) {
            if (ContaTag(corpo, par.abertura) != ContaTag(corpo, par.fechamento)) {
                return true;
            }
        }
    }
}

} // namespace fendril

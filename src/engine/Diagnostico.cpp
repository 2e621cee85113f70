// What a template text will not expand as its writer may think: the coherence check's
// failure with the place of the tag that causes it, and warnings about tags that will stay
// as written. One pass over the text besides the check, so that an editor can run it on
// every pause in typing.
#include "engine/Filtros.h"
#include "engine/TMontaCodigo.h"
#include "engine/Verificacao.h"
#include "engine/Vocabulario.h"
#include "model/AvisosCompilador.h"
#include "model/Erros.h"
#include "model/NameForms.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace fendril {

using namespace vocabulario;

namespace {

constexpr std::string_view kFrk[] = {"<frkcolname>", "<frktbname>", "<frktbshortname>"};
constexpr std::string_view kRef[] = {"<reftbname>", "<reftbshortname>", "<reftbalias>"};

enum class TEscopo { documento, tabela, coluna, estrangeira, referencia };

// What gives a scalar tag its value; false for a text that is no scalar tag.
bool EscopoDaTag(std::string_view tag, TEscopo& escopo) {
    const auto em = [tag](const auto& lista) {
        return std::find(std::begin(lista), std::end(lista), tag) != std::end(lista);
    };
    if (em(kTagsDocumento)) {
        escopo = TEscopo::documento;
    } else if (em(kTagsTabela)) {
        escopo = TEscopo::tabela;
    } else if (em(kRef)) {
        escopo = TEscopo::referencia;
    } else if (em(kFrk)) {
        escopo = TEscopo::estrangeira;
    } else if (em(kTagsColuna)) {
        escopo = TEscopo::coluna;
    } else {
        return false;
    }
    return true;
}

// Edit distance between two short texts (adjacent letters swapped count as one edit).
std::size_t Distancia(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        d[i][0] = i;
    }
    for (std::size_t j = 0; j <= b.size(); ++j) {
        d[0][j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t custo = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + custo});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

// The known tag that a word after "<" (or "</") was most likely meant to be: one or two
// edits away (one for short words), letter case aside. Empty when none is that close.
std::string TagParecida(std::string_view palavra, bool fecha) {
    if (palavra.size() < 3 || palavra.size() > 24) {
        return {};
    }
    const std::string minuscula = ToLowerCase(palavra);
    std::string melhor;
    std::size_t menor = palavra.size() <= 6 ? 2 : 3;
    const auto compara = [&](std::string_view tag) {
        const std::string_view nome = tag.substr(fecha ? 2 : 1, tag.size() - (fecha ? 3 : 2));
        const std::size_t distancia = Distancia(minuscula, nome);
        if (distancia < menor) {
            menor = distancia;
            melhor = std::string(tag);
        }
    };
    if (fecha) {
        compara(kFechaTabela);
        for (const TParTags& par : kTagsBloco) {
            compara(par.fechamento);
        }
        return melhor;
    }
    compara(kAbreTabela);
    for (const TParTags& par : kTagsBloco) {
        compara(par.abertura);
    }
    for (const std::string_view tag : kTagsDocumento) {
        compara(tag);
    }
    for (const std::string_view tag : kTagsTabela) {
        compara(tag);
    }
    for (const std::string_view tag : kTagsColuna) {
        compara(tag);
    }
    return melhor;
}

// A repeating block open around the place being read.
struct TAberto {
    std::string_view fechamento;
    bool tabela; // a table block
    bool valida; // a column block inside a table block
    bool estrangeira;
    bool referencia;
};

class TLeitor {
public:
    TLeitor(std::string_view texto, bool corpoDeTabela) : m_texto(texto) {
        if (corpoDeTabela) {
            m_abertos.push_back({kFechaTabela, true, true, false, false});
        }
    }

    std::vector<TDiagnostico> Le() {
        for (std::size_t i = m_texto.find('<'); i != std::string_view::npos;
             i = m_texto.find('<', i + 1)) {
            const std::size_t fim = FimDaTag(m_texto, i);
            if (fim != std::string_view::npos) {
                LeTag(i, m_texto.substr(i, fim - i));
            }
        }
        return std::move(m_avisos);
    }

private:
    void Avisa(std::size_t posicao, std::string mensagem) {
        m_avisos.push_back({false, 1, 1, posicao, std::move(mensagem)});
    }

    bool DentroDe(bool (*teste)(const TAberto&)) const {
        return std::any_of(m_abertos.begin(), m_abertos.end(), teste);
    }
    bool EmTabela() const {
        return DentroDe([](const TAberto& a) { return a.tabela; });
    }
    // Inside a column block, valid or not: tags in an invalid one were warned about with it.
    bool EmColuna(bool& valida) const {
        valida = DentroDe([](const TAberto& a) { return !a.tabela && a.valida; });
        return DentroDe([](const TAberto& a) { return !a.tabela; });
    }

    void LeTag(std::size_t posicao, std::string_view tag) {
        if (LeBloco(posicao, tag)) {
            return;
        }
        TTagCondicao condicao;
        if (LeTagCondicao(tag, condicao)) {
            LeCondicao(posicao, tag, condicao);
            return;
        }
        const bool fecha = tag.size() > 2 && tag[1] == '/';
        const std::size_t doisPontos = tag.find(':');
        const std::string_view palavra =
            tag.substr(fecha ? 2 : 1, std::min(doisPontos, tag.size() - 1) - (fecha ? 2 : 1));
        FENDRIL_GCC12_SEM_WRESTRICT_INICIO
        std::string semFiltros = "<" + std::string(palavra) + ">";
        FENDRIL_GCC12_SEM_WRESTRICT_FIM
        TEscopo escopo{};
        if (!fecha && EscopoDaTag(semFiltros, escopo)) {
            if (doisPontos != std::string_view::npos) {
                TCadeiaFiltros cadeia;
                std::string_view desconhecido;
                if (!LeCadeiaFiltros(tag.substr(doisPontos + 1, tag.size() - doisPontos - 2),
                                     cadeia, &desconhecido)) {
                    Avisa(posicao, "Unknown Filter \"" + std::string(desconhecido) + "\" In " +
                                       std::string(tag));
                    return;
                }
            }
            VerificaEscopo(posicao, tag, escopo);
            return;
        }
        const std::string parecida = TagParecida(palavra, fecha);
        if (!parecida.empty()) {
            Avisa(posicao, "Unknown Tag " + std::string(tag) + ", Did You Mean " + parecida + "?");
        }
    }

    bool LeBloco(std::size_t posicao, std::string_view tag) {
        if (tag == kAbreTabela) {
            m_abertos.push_back({kFechaTabela, true, true, false, false});
            return true;
        }
        for (std::size_t k = 0; k < std::size(kTagsBloco); ++k) {
            if (tag == kTagsBloco[k].abertura) {
                const bool valida = EmTabela();
                if (!valida) {
                    Avisa(posicao, std::string(tag) + " Is Outside A Table Block");
                }
                m_abertos.push_back({kTagsBloco[k].fechamento, false, valida,
                                     k == static_cast<std::size_t>(TBloco::estrangeira),
                                     k == static_cast<std::size_t>(TBloco::referencia)});
                return true;
            }
        }
        if (tag == kFechaTabela ||
            std::any_of(std::begin(kTagsBloco), std::end(kTagsBloco),
                        [tag](const TParTags& par) { return par.fechamento == tag; })) {
            for (std::size_t k = m_abertos.size(); k-- > 0;) {
                if (m_abertos[k].fechamento == tag) {
                    m_abertos.resize(k);
                    break;
                }
            }
            return true;
        }
        return false;
    }

    void LeCondicao(std::size_t posicao, std::string_view tag, const TTagCondicao& lida) {
        TCondicao condicao{};
        if (!AchaCondicao(lida.nome, condicao)) {
            if (!lida.fecha) {
                Avisa(posicao, "Unknown Condition \"" + std::string(lida.nome) + "\" In " +
                                   std::string(tag));
            }
            return;
        }
        if (lida.fecha) {
            return;
        }
        bool valida = false;
        switch (ClasseDe(condicao)) {
        case TClasseCondicao::coluna:
            if (!EmColuna(valida)) {
                Avisa(posicao, std::string(tag) + " Is Outside A Column Block");
            }
            break;
        case TClasseCondicao::tabela:
            if (!EmTabela()) {
                Avisa(posicao, std::string(tag) + " Is Outside A Table Block");
            }
            break;
        case TClasseCondicao::posicao:
            if (m_abertos.empty()) {
                Avisa(posicao, std::string(tag) + " Is Outside A Repeating Block");
            }
            break;
        }
    }

    void VerificaEscopo(std::size_t posicao, std::string_view tag, TEscopo escopo) {
        bool valida = false;
        switch (escopo) {
        case TEscopo::documento:
            return;
        case TEscopo::tabela:
            if (!EmTabela()) {
                Avisa(posicao, std::string(tag) + " Is Outside A Table Block");
            }
            return;
        case TEscopo::coluna:
            if (!EmColuna(valida)) {
                Avisa(posicao, std::string(tag) + " Is Outside A Column Block");
            }
            return;
        case TEscopo::estrangeira:
            if (EmColuna(valida) && !valida) {
                return;
            }
            if (!DentroDe([](const TAberto& a) { return a.estrangeira || a.referencia; })) {
                Avisa(posicao,
                      std::string(tag) + " Is Outside A Foreign-Key Or Inverse-Relation Block");
            }
            return;
        case TEscopo::referencia:
            if (EmColuna(valida) && !valida) {
                return;
            }
            if (!DentroDe([](const TAberto& a) { return a.referencia; })) {
                Avisa(posicao, std::string(tag) + " Is Outside An Inverse-Relation Block");
            }
            return;
        }
    }

    std::string_view m_texto;
    std::vector<TAberto> m_abertos;
    std::vector<TDiagnostico> m_avisos;
};

struct TTagDoPar {
    std::size_t posicao;
    std::size_t par;
    bool fecha;
};

// Every tag of the checked pairs in the text, in order.
std::vector<TTagDoPar> TagsDosPares(std::string_view texto,
                                    const std::vector<TParVerificado>& pares) {
    std::vector<TTagDoPar> tags;
    for (std::size_t i = texto.find('<'); i != std::string_view::npos; i = texto.find('<', i + 1)) {
        for (std::size_t p = 0; p < pares.size(); ++p) {
            if (texto.compare(i, pares[p].abertura.size(), pares[p].abertura) == 0) {
                tags.push_back({i, p, false});
            } else if (texto.compare(i, pares[p].fechamento.size(), pares[p].fechamento) == 0) {
                tags.push_back({i, p, true});
            }
        }
    }
    return tags;
}

// Where the check's failure lies, in the first pair that fails the test the check failed
// on: a tag of that pair without a partner (a closing tag before any opening one first), or
// else, for crossed tags, the opening tag of the first block, taken as the check takes them,
// whose body is not balanced. Tags joined by removing blocks are not seen here; the pair's
// first tag stands in for them. npos when no pair fails that test.
std::size_t PosicaoDoErro(std::string_view texto, bool quantidade) {
    const std::vector<TParVerificado> pares = ParesVerificados(texto);
    std::size_t p = 0;
    while (p < pares.size() && (quantidade ? TMontaCodigo::ContaTag(texto, pares[p].abertura) ==
                                                 TMontaCodigo::ContaTag(texto, pares[p].fechamento)
                                           : !TMontaCodigo::TemTagsCruzadas(
                                                 texto, pares[p].abertura, pares[p].fechamento))) {
        ++p;
    }
    if (p == pares.size()) {
        return std::string_view::npos;
    }
    const std::vector<TTagDoPar> tags = TagsDosPares(texto, pares);
    std::vector<std::size_t> abertas;
    std::size_t primeira = std::string_view::npos;
    for (const TTagDoPar& tag : tags) {
        if (tag.par != p) {
            continue;
        }
        primeira = std::min(primeira, tag.posicao);
        if (!tag.fecha) {
            abertas.push_back(tag.posicao);
        } else if (abertas.empty()) {
            return tag.posicao;
        } else {
            abertas.pop_back();
        }
    }
    if (quantidade && !abertas.empty()) {
        return abertas.front();
    }
    // The block walk of the crossing test, on the tags alone.
    std::vector<TTagDoPar> restantes = tags;
    for (;;) {
        std::size_t abre = restantes.size();
        for (std::size_t k = restantes.size(); k-- > 0;) {
            if (restantes[k].par == p && !restantes[k].fecha) {
                abre = k;
                break;
            }
        }
        if (abre == restantes.size()) {
            break;
        }
        std::size_t fecha = abre + 1;
        while (fecha < restantes.size() && !(restantes[fecha].par == p && restantes[fecha].fecha)) {
            ++fecha;
        }
        if (fecha == restantes.size()) {
            return restantes[abre].posicao;
        }
        std::vector<int> saldo(pares.size(), 0);
        for (std::size_t k = abre + 1; k < fecha; ++k) {
            saldo[restantes[k].par] += restantes[k].fecha ? -1 : 1;
        }
        if (std::any_of(saldo.begin(), saldo.end(), [](int s) { return s != 0; })) {
            return restantes[abre].posicao;
        }
        restantes.erase(restantes.begin() + static_cast<std::ptrdiff_t>(abre),
                        restantes.begin() + static_cast<std::ptrdiff_t>(fecha) + 1);
    }
    return primeira != std::string_view::npos ? primeira : 0;
}

// Lines and columns (in characters) from byte offsets; a line ends at CR LF, CR or LF.
void Localiza(std::string_view texto, std::vector<TDiagnostico>& lista) {
    std::vector<std::size_t> inicios = {0};
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] == '\r' || texto[i] == '\n') {
            if (texto[i] == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n') {
                ++i;
            }
            inicios.push_back(i + 1);
        }
    }
    for (TDiagnostico& diagnostico : lista) {
        const auto linha = std::upper_bound(inicios.begin(), inicios.end(), diagnostico.posicao);
        const std::size_t inicio = *(linha - 1);
        diagnostico.linha = static_cast<std::size_t>(linha - inicios.begin());
        diagnostico.coluna = 1;
        for (std::size_t i = inicio; i < diagnostico.posicao && i < texto.size(); ++i) {
            if ((static_cast<unsigned char>(texto[i]) & 0xC0) != 0x80) {
                ++diagnostico.coluna;
            }
        }
    }
}

} // namespace

std::vector<TDiagnostico> TMontaCodigo::Diagnostica(std::string_view texto, bool corpoDeTabela) {
    std::vector<TDiagnostico> lista = TLeitor(texto, corpoDeTabela).Le();
    // The check sees the text as the run gives it: inside one table block for a table body.
    const std::string envolvido =
        corpoDeTabela ? std::string(kAbreTabela) + std::string(texto) + std::string(kFechaTabela)
                      : std::string();
    const std::string_view verificado = corpoDeTabela ? std::string_view(envolvido) : texto;
    const std::size_t deslocamento = corpoDeTabela ? kAbreTabela.size() : 0;
    try {
        VerificaTags(verificado);
    } catch (const EErroGeral& erro) {
        const bool quantidade = erro.textoErro().find("Number") != std::string::npos;
        // In the text itself where it fails the same way; else where the wrapped one does.
        std::size_t posicao = PosicaoDoErro(texto, quantidade);
        if (posicao == std::string_view::npos) {
            posicao = PosicaoDoErro(verificado, quantidade);
            posicao =
                posicao == std::string_view::npos
                    ? 0
                    : std::min(posicao > deslocamento ? posicao - deslocamento : 0, texto.size());
        }
        lista.push_back({true, 1, 1, posicao, erro.textoErro()});
    }
    std::stable_sort(lista.begin(), lista.end(), [](const TDiagnostico& a, const TDiagnostico& b) {
        return a.posicao < b.posicao;
    });
    Localiza(texto, lista);
    return lista;
}

} // namespace fendril

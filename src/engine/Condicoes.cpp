#include "engine/Condicoes.h"

#include "engine/TMontaCodigo.h"

#include <algorithm>

namespace fendril {

using namespace vocabulario;

namespace {

bool EhBlocoRepetido(std::string_view tag, bool& fecha) {
    for (const TParTags& par : kTagsBloco) {
        if (tag == par.abertura || tag == par.fechamento) {
            fecha = tag == par.fechamento;
            return true;
        }
    }
    if (tag == kAbreTabela || tag == kFechaTabela) {
        fecha = tag == kFechaTabela;
        return true;
    }
    return false;
}

} // namespace

TCorpoCondicional::TCorpoCondicional(std::string_view corpo, TAlcance alcance) : m_corpo(corpo) {
    // Nearly every body has no condition at all.
    if (corpo.find("<if") == std::string_view::npos &&
        corpo.find("</if") == std::string_view::npos) {
        return;
    }
    struct TAberta {
        std::size_t inicio;
        std::size_t fim;
        TCondicao condicao;
        bool negada;
    };
    std::vector<TAberta> abertas;
    int profundidade = 0; // repeating blocks around the tag inside the body
    for (std::size_t i = corpo.find('<'); i != std::string_view::npos; i = corpo.find('<', i + 1)) {
        const std::size_t fim = FimDaTag(corpo, i);
        if (fim == std::string_view::npos) {
            continue;
        }
        const std::string_view tag = corpo.substr(i, fim - i);
        bool fechaBloco = false;
        if (EhBlocoRepetido(tag, fechaBloco)) {
            profundidade = std::max(0, profundidade + (fechaBloco ? -1 : 1));
            continue;
        }
        TTagCondicao lida;
        TCondicao condicao{};
        if (!LeTagCondicao(tag, lida) || !AchaCondicao(lida.nome, condicao)) {
            continue;
        }
        const TClasseCondicao classe = ClasseDe(condicao);
        const bool decidida =
            classe == TClasseCondicao::posicao
                ? profundidade == 0
                : (classe == TClasseCondicao::tabela) == (alcance == TAlcance::tabela);
        if (!decidida) {
            continue;
        }
        if (!lida.fecha) {
            abertas.push_back({i, fim, condicao, lida.negada});
            continue;
        }
        for (std::size_t k = abertas.size(); k-- > 0;) {
            if (abertas[k].condicao != condicao || abertas[k].negada != lida.negada) {
                continue;
            }
            auto posicao = std::find(m_condicoes.begin(), m_condicoes.end(), condicao);
            if (posicao == m_condicoes.end()) {
                m_condicoes.push_back(condicao);
                posicao = m_condicoes.end() - 1;
            }
            m_pares.push_back({abertas[k].inicio, abertas[k].fim, i, fim,
                               static_cast<std::uint8_t>(posicao - m_condicoes.begin()),
                               lida.negada});
            abertas.resize(k);
            break;
        }
        i = fim - 1;
    }
    std::sort(m_pares.begin(), m_pares.end(),
              [](const TPar& a, const TPar& b) { return a.abre < b.abre; });
}

std::string TCorpoCondicional::Resolve(std::uint32_t verdadeiras) const {
    std::string saida;
    saida.reserve(m_corpo.size());
    Escreve(saida, 0, m_corpo.size(), 0, verdadeiras);
    return saida;
}

std::size_t TCorpoCondicional::Escreve(std::string& saida, std::size_t inicio, std::size_t fim,
                                       std::size_t par, std::uint32_t verdadeiras) const {
    while (par < m_pares.size() && m_pares[par].abre < fim) {
        const TPar& atual = m_pares[par];
        saida.append(m_corpo.substr(inicio, atual.abre - inicio));
        const bool vale = ((verdadeiras >> atual.condicao) & 1u) != (atual.negada ? 1u : 0u);
        if (vale) {
            std::string dentro;
            par = Escreve(dentro, atual.fimAbre, atual.fecha, par + 1, verdadeiras);
            saida += TMontaCodigo::RemoveQuebraInicial(dentro);
        } else {
            ++par;
            while (par < m_pares.size() && m_pares[par].abre < atual.fecha) {
                ++par;
            }
        }
        inicio = atual.fimFecha;
    }
    saida.append(m_corpo.substr(inicio, fim - inicio));
    return par;
}

} // namespace fendril

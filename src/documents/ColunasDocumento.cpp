#include "documents/ColunasDocumento.h"

#include "documents/CamposDocumento.h"
#include "model/Erros.h"
#include "model/MappingRefresh.h"
#include "model/Registro.h"

#include <algorithm>
#include <functional>
#include <span>
#include <string_view>
#include <tuple>
#include <unordered_set>
#include <utility>
#include <vector>

namespace fendril {

namespace {

// The number (from 1) of the document line that gave column line `indice`: the lines of
// that section, as LeSecao selects them.
std::size_t NumeroDaLinha(const TArquivoKMF& documento, std::string_view secao,
                          std::size_t indice) {
    std::size_t vistas = 0;
    const TListaTextos& linhas = documento.getLinhas();
    for (std::size_t j = 0; j < linhas.size(); ++j) {
        const std::string_view linha = linhas[j];
        if (linha.substr(0, linha.find("||")) == secao && vistas++ == indice) {
            return j + 1;
        }
    }
    return 0;
}

constexpr std::string_view kChaveTabela = "tabela";
constexpr std::string_view kChaveColuna = "coluna";

const char* Marca(bool valor) {
    return valor ? "1" : "0";
}

// Fields followed by "=>", escaped together when one of them needs it.
std::string Campos(std::initializer_list<std::string_view> campos) {
    const bool escapado = registro::PrecisaEscape(campos);
    std::string texto;
    for (const std::string_view campo : campos) {
        registro::AcrescentaCampo(texto, campo, escapado);
    }
    registro::AcrescentaMarca(texto, escapado);
    return texto;
}

// Keys by schema and table name, and by those and the column name: views of the names of
// the set's columns (which no reading or writing here renames), so that keying every column
// copies no text.
using TChaveTabela = std::tuple<std::string_view, std::string_view>;
using TChaveColuna = std::tuple<std::string_view, std::string_view, std::string_view>;

// A hash of such keys, for the sets that only tell whether a key was seen.
struct THashChave {
    template <typename... Vistas> std::size_t operator()(const std::tuple<Vistas...>& chave) const {
        std::size_t hash = 0;
        std::apply(
            [&hash](const auto&... partes) {
                ((hash = hash * 31 + std::hash<std::string_view>{}(partes)), ...);
            },
            chave);
        return hash;
    }
};

// Fields of any number, escaped together when one needs it; a field holding the escape
// byte forces it, so that only an escaped entry ends in the lone mark.
std::string CamposVariaveis(const std::vector<std::string_view>& campos) {
    bool escapado = registro::PrecisaEscape(campos);
    for (const std::string_view campo : campos) {
        escapado = escapado || campo.find('\x1B') != std::string_view::npos;
    }
    std::string texto;
    for (const std::string_view campo : campos) {
        registro::AcrescentaCampo(texto, campo, escapado);
    }
    registro::AcrescentaMarca(texto, escapado);
    return texto;
}

// An entry's failure, named by its place among the section's entries of its key.
EErroGeral FalhaEntrada(std::string_view secao, std::string_view chave, std::size_t indice) {
    return EErroGeral::Create("Entry " + std::to_string(indice + 1) + " Of Section \"" +
                              std::string(secao) + "\", Key \"" + std::string(chave) +
                              "\", Of The Mapping Could Not Be Read");
}

// The entries of a section keyed by table and column: the table entry each table gives
// (none for an empty text), at its first column, then the entry each column gives, a column
// repeated in the set once, in set order.
void EscreveEntradas(TArquivoKMF& documento, std::string_view secao,
                     const TControlaColunas& colunas,
                     const std::function<std::string(const TTabela&)>& daTabela,
                     const std::function<std::string(const TColuna&)>& daColuna) {
    // Only membership is asked of these sets (the order is the set's): hashed, they cost a
    // fraction of ordered ones.
    std::unordered_set<TChaveTabela, THashChave> tabelas;
    std::unordered_set<TChaveColuna, THashChave> vistas;
    tabelas.reserve(colunas.getColunas().size());
    vistas.reserve(colunas.getColunas().size());
    std::vector<std::string> linhasColunas;
    for (const auto& coluna : colunas.getColunas()) {
        const TTabela& tabela = std::as_const(*coluna).getTabela();
        if (tabelas.emplace(tabela.esquema, tabela.nome).second) {
            if (std::string entrada = daTabela(tabela); !entrada.empty()) {
                documento.AdicionaEntrada(secao, kChaveTabela, entrada);
            }
        }
        if (vistas.emplace(tabela.esquema, tabela.nome, coluna->nome).second) {
            if (std::string entrada = daColuna(*coluna); !entrada.empty()) {
                linhasColunas.push_back(std::move(entrada));
            }
        }
    }
    for (const std::string& linha : linhasColunas) {
        documento.AdicionaEntrada(secao, kChaveColuna, linha);
    }
}

// The columns of a set by their table's schema and name, and by those and their own name:
// one sorted list of the columns (a table's columns are one run of it, in the set's order),
// without a node, a list or a key of its own per name.
class TColunasPorNome {
public:
    explicit TColunasPorNome(TControlaColunas& colunas) {
        m_colunas.reserve(colunas.quantidade());
        for (const auto& coluna : colunas.getColunas()) {
            m_colunas.push_back(coluna.get());
        }
        // Columns that share a table record need only their own names compared.
        std::stable_sort(m_colunas.begin(), m_colunas.end(),
                         [](const TColuna* a, const TColuna* b) {
                             if (&a->getTabela() == &b->getTabela()) {
                                 return a->nome < b->nome;
                             }
                             return Chave(a) < Chave(b);
                         });
    }

    std::span<TColuna* const> Da(const TChaveTabela& tabela) const {
        return Faixa([](const TColuna* c) { return ChaveTabela(c); }, tabela);
    }

    std::span<TColuna* const> Da(const TChaveColuna& coluna) const {
        return Faixa([](const TColuna* c) { return Chave(c); }, coluna);
    }

private:
    static TChaveTabela ChaveTabela(const TColuna* coluna) {
        const TTabela& tabela = coluna->getTabela();
        return {tabela.esquema, tabela.nome};
    }
    static TChaveColuna Chave(const TColuna* coluna) {
        const TTabela& tabela = coluna->getTabela();
        return {tabela.esquema, tabela.nome, coluna->nome};
    }
    template <class DaColuna, class TChave>
    std::span<TColuna* const> Faixa(DaColuna chaveDa, const TChave& chave) const {
        const auto inicio =
            std::partition_point(m_colunas.begin(), m_colunas.end(),
                                 [&](const TColuna* c) { return chaveDa(c) < chave; });
        const auto fim = std::partition_point(
            inicio, m_colunas.end(), [&](const TColuna* c) { return !(chave < chaveDa(c)); });
        return {inicio, fim};
    }

    std::vector<TColuna*> m_colunas;
};

} // namespace

void EscreveFatosDocumento(TArquivoKMF& documento, std::string_view secao,
                           const TControlaColunas& colunas) {
    const TColumnFacts desconhecidos;
    EscreveEntradas(
        documento, secao, colunas,
        [](const TTabela& tabela) {
            return tabela.comment.empty() ? std::string()
                                          : Campos({tabela.esquema, tabela.nome, tabela.comment});
        },
        [&desconhecidos](const TColuna& coluna) {
            const TTabela& tabela = coluna.getTabela();
            const TColumnFacts& fatos = coluna.facts;
            return fatos == desconhecidos
                       ? std::string()
                       : Campos({tabela.esquema, tabela.nome, coluna.nome, Marca(fatos.nullable),
                                 Marca(fatos.unique), Marca(fatos.autoIncrement),
                                 fatos.defaultValue, fatos.comment});
        });
}

void LeFatosDocumento(const TArquivoKMF& documento, std::string_view secao,
                      TControlaColunas& colunas) {
    const TListaTextos tabelas = documento.LeSecao(secao, kChaveTabela, false);
    const TListaTextos fatosColunas = documento.LeSecao(secao, kChaveColuna, false);
    if (tabelas.empty() && fatosColunas.empty()) {
        return;
    }
    // An entry names no line of its own when it fails: name it by its place among the
    // section's entries.
    const auto falha = [&secao](std::string_view chave, std::size_t indice) {
        return FalhaEntrada(secao, chave, indice);
    };
    const TColunasPorNome porNome(colunas);
    for (std::size_t i = 0; i < tabelas.size(); ++i) {
        const TListaVistas campos = SeparaCamposVista(tabelas[i], "=>");
        if (campos.size() < 3) {
            throw falha(kChaveTabela, i);
        }
        const bool escapado = registro::Escapado(campos, 3);
        const std::string esquema = registro::LeCampo(campos[0], escapado);
        const std::string tabela = registro::LeCampo(campos[1], escapado);
        for (const auto& achada : porNome.Da(TChaveTabela(esquema, tabela))) {
            achada->getTabelaCompartilhada().comment = registro::LeCampo(campos[2], escapado);
        }
    }
    for (std::size_t i = 0; i < fatosColunas.size(); ++i) {
        const TListaVistas campos = SeparaCamposVista(fatosColunas[i], "=>");
        if (campos.size() < 8) {
            throw falha(kChaveColuna, i);
        }
        const bool escapado = registro::Escapado(campos, 8);
        const std::string esquema = registro::LeCampo(campos[0], escapado);
        const std::string tabela = registro::LeCampo(campos[1], escapado);
        const std::string nome = registro::LeCampo(campos[2], escapado);
        const auto achadas = porNome.Da(TChaveColuna(esquema, tabela, nome));
        if (achadas.empty()) {
            continue;
        }
        TColumnFacts fatos;
        fatos.nullable = campos[3] == "1";
        fatos.unique = campos[4] == "1";
        fatos.autoIncrement = campos[5] == "1";
        fatos.defaultValue = registro::LeCampo(campos[6], escapado);
        fatos.comment = registro::LeCampo(campos[7], escapado);
        for (const auto& achada : achadas) {
            achada->facts = fatos;
        }
    }
    // The index answers by names only: facts leave it valid.
}

void EscreveManuaisDocumento(TArquivoKMF& documento, std::string_view secao,
                             const TControlaColunas& colunas) {
    // Most mappings have nothing set by hand: no entry to write, and no sets to build.
    const auto& todas = colunas.getColunas();
    if (std::none_of(todas.begin(), todas.end(), [](const auto& coluna) {
            return !coluna->handSet.empty() ||
                   std::as_const(*coluna).getTabela().handSetComment.has_value();
        })) {
        return;
    }
    EscreveEntradas(
        documento, secao, colunas,
        [](const TTabela& tabela) {
            return tabela.handSetComment
                       ? CamposVariaveis({tabela.esquema, tabela.nome, *tabela.handSetComment})
                       : std::string();
        },
        [](const TColuna& coluna) {
            if (coluna.handSet.empty()) {
                return std::string();
            }
            const TTabela& tabela = coluna.getTabela();
            std::vector<std::string_view> campos = {tabela.esquema, tabela.nome, coluna.nome};
            for (const auto& [property, valor] : coluna.handSet) {
                campos.push_back(PropertyKey(property));
                campos.push_back(valor);
            }
            return CamposVariaveis(campos);
        });
}

void LeManuaisDocumento(const TArquivoKMF& documento, std::string_view secao,
                        TControlaColunas& colunas) {
    const TListaTextos tabelas = documento.LeSecao(secao, kChaveTabela, false);
    const TListaTextos manuais = documento.LeSecao(secao, kChaveColuna, false);
    if (tabelas.empty() && manuais.empty()) {
        return;
    }
    const TColunasPorNome porNome(colunas);
    // The fields of an entry unescaped; none when their count is not `fixos` plus pairs.
    const auto le = [](const std::string& entrada, std::size_t fixos) {
        const TListaVistas campos = SeparaCamposVista(entrada, "=>");
        const bool escapado = !campos.empty() && campos.size() % 2 != fixos % 2 &&
                              registro::Escapado(campos, campos.size() - 1);
        const std::size_t quantos = campos.size() - (escapado ? 1 : 0);
        std::optional<TListaTextos> lidos;
        if (quantos < fixos || (quantos - fixos) % 2 != 0) {
            return lidos;
        }
        lidos.emplace();
        for (std::size_t i = 0; i < quantos; ++i) {
            lidos->push_back(registro::LeCampo(campos[i], escapado));
        }
        return lidos;
    };
    for (std::size_t i = 0; i < tabelas.size(); ++i) {
        const std::optional<TListaTextos> campos = le(tabelas[i], 3);
        if (!campos || campos->size() != 3) {
            throw FalhaEntrada(secao, kChaveTabela, i);
        }
        for (const auto& achada : porNome.Da(TChaveTabela((*campos)[0], (*campos)[1]))) {
            achada->getTabelaCompartilhada().handSetComment = (*campos)[2];
        }
    }
    for (std::size_t i = 0; i < manuais.size(); ++i) {
        const std::optional<TListaTextos> campos = le(manuais[i], 3);
        if (!campos) {
            throw FalhaEntrada(secao, kChaveColuna, i);
        }
        const auto achadas = porNome.Da(TChaveColuna((*campos)[0], (*campos)[1], (*campos)[2]));
        if (achadas.empty()) {
            continue;
        }
        THandSetProperties marcadas;
        for (std::size_t j = 3; j + 1 < campos->size(); j += 2) {
            if (const auto property = PropertyFromKey((*campos)[j])) {
                marcadas[*property] = (*campos)[j + 1];
            }
        }
        for (const auto& achada : achadas) {
            achada->handSet = marcadas;
        }
    }
}

std::unique_ptr<TControlaColunas> LeColunasDocumento(const TArquivoKMF& documento,
                                                     std::string_view secao) {
    // Decoded line by line as they are found, so that the section is never held twice; the
    // line read before stays alive, as the next one is compared with it.
    auto colunas = std::make_unique<TControlaColunas>();
    TColuna::TTabelaLida anterior;
    std::string linhas[2];
    std::size_t lidas = 0;
    try {
        documento.ParaCadaValor(secao, "", true, [&](std::string&& linha) {
            std::string& atual = linhas[lidas++ % 2];
            atual = std::move(linha);
            colunas->AcrescentaLinha(atual, anterior);
        });
    } catch (const EColunaIlegivel& erro) {
        throw EErroGeral::Create(
            "Line " + std::to_string(NumeroDaLinha(documento, secao, erro.indice())) +
            " Of The Mapping (Table \"" + erro.nomes().tabela + "\", Column \"" +
            erro.nomes().coluna + "\") Could Not Be Read: " + erro.motivo());
    }
    if (lidas == 0) {
        return nullptr;
    }
    LeFatosDocumento(documento, fendril::secao::fatos, *colunas);
    LeManuaisDocumento(documento, fendril::secao::manuais, *colunas);
    return colunas;
}

} // namespace fendril

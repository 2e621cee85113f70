// Compares the engine with a literal transcription of its text rules, one that copies whole
// texts at every step, on many generated templates.
#include "ConjuntoDeTeste.h"
#include "engine/TMontaCodigo.h"
#include "model/Erros.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <random>

namespace fendril {
namespace {

using teste::Col;
using teste::Preenche;

// The rules as written, with no shortcut. With `restrito`, after a block is replaced the
// next opening tag must start before that block's opening tag (what keeps the engine finite
// when values carry block tags); without it the search covers the whole new text.
class Referencia {
public:
    Referencia(const TControlaColunas* conjunto, TListaTextos tipos, bool restrito)
        : m_conjunto(conjunto), m_tipos(std::move(tipos)), m_restrito(restrito) {}

    std::string nomeBaseDados = "shop";
    std::string classePai = "Base";

    // The rule followed for at most kPassos replacements and a text of kTamanho bytes;
    // none when it has not ended by then (or when a replacement left the text as it was,
    // after which it never ends).
    std::optional<TListaTextos> MontaAteOFim(const TListaTextos& modelo) {
        m_semFim = false;
        m_passos = 0;
        TListaTextos linhas = Monta(modelo);
        if (m_semFim) {
            return std::nullopt;
        }
        return linhas;
    }

    TListaTextos Monta(const TListaTextos& modelo) {
        std::string texto;
        for (const std::string& linha : modelo) {
            texto += linha + "\r\n";
        }
        texto = SubstituiTodos("<dbname>", nomeBaseDados, texto);
        texto = SubstituiTodos("<parentclass>", classePai, texto);
        texto = SubstituiTodos("<tbcount>", std::to_string(m_conjunto->getNomesTabelas().size()),
                               texto);
        std::string normalizado;
        for (const std::string& linha : Linhas(texto)) {
            normalizado += linha + "\r\n";
        }
        return Linhas(Blocos(normalizado, "<rctable>", "</rctable>",
                             [this](const std::string& corpo) { return Tabelas(corpo); }));
    }

    static std::optional<std::string> Verifica(const std::string& texto) {
        for (const auto& [a, f] : kPares) {
            if (Conta(texto, a) != Conta(texto, f)) {
                return "Syntax Error: Number of Opening and Closing Tags Does Not Match !!";
            }
        }
        for (const auto& [a, f] : kPares) {
            if (Cruzadas(texto, a, f)) {
                return "Syntax Error: Crossed Tags Present ";
            }
        }
        return std::nullopt;
    }

private:
    static constexpr std::pair<const char*, const char*> kPares[] = {
        {"<simplecol>", "</simplecol>"},
        {"<frkcol>", "</frkcol>"},
        {"<prkcol>", "</prkcol>"},
        {"<rctable>", "</rctable>"}};

    static TListaTextos Linhas(const std::string& texto) {
        TListaTextos linhas;
        std::string atual;
        bool aberta = false;
        for (std::size_t i = 0; i < texto.size(); ++i) {
            if (texto[i] == '\r' || texto[i] == '\n') {
                if (texto[i] == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n') {
                    ++i;
                }
                linhas.push_back(atual);
                atual.clear();
                aberta = false;
            } else {
                atual += texto[i];
                aberta = true;
            }
        }
        if (aberta) {
            linhas.push_back(atual);
        }
        return linhas;
    }

    static std::string RemoveQuebra(const std::string& corpo) {
        std::size_t i = 0;
        while (i < corpo.size() && corpo[i] == ' ') {
            ++i;
        }
        if (i < corpo.size() && corpo[i] == '\r' && i + 1 < corpo.size()) {
            return corpo.substr(0, i) + corpo.substr(i + 2);
        }
        return corpo;
    }

    std::string Blocos(std::string texto, const std::string& a, const std::string& f,
                       const std::function<std::string(const std::string&)>& expande) const {
        std::size_t limite = std::string::npos;
        for (;;) {
            if (m_semFim || ++m_passos > kPassos || texto.size() > kTamanho) {
                m_semFim = true;
                return texto;
            }
            std::size_t p = std::string::npos;
            if (limite == std::string::npos) {
                p = texto.rfind(a);
            } else if (limite > 0) {
                p = texto.rfind(a, limite - 1);
            }
            if (p == std::string::npos) {
                return texto;
            }
            const std::size_t q = texto.find(f, p + a.size());
            if (q == std::string::npos) {
                return texto;
            }
            const std::string corpo = texto.substr(p + a.size(), q - p - a.size());
            const std::string novo =
                texto.substr(0, p) + expande(RemoveQuebra(corpo)) + texto.substr(q + f.size());
            m_semFim = m_semFim || novo == texto;
            texto = novo;
            if (m_restrito) {
                limite = p;
            }
        }
    }

    std::string Tabelas(const std::string& corpo) {
        std::string saida;
        const TListaTextos nomes = m_conjunto->getNomesTabelas();
        for (std::size_t i = 0; i < nomes.size(); ++i) {
            m_tabela = nomes[i];
            m_colunas.clear();
            for (const std::string& nome : m_conjunto->getNomesColunas(m_tabela)) {
                auto copia = std::make_unique<TColuna>();
                copia->Decodifica(m_conjunto->getColuna(m_tabela, nome)->Codifica());
                m_colunas.push_back(std::move(copia));
            }
            int pk = 0, comum = 0, fk = 0, data = 0;
            for (const auto& c : m_colunas) {
                (c->tipoColuna == TTipoColuna::tcChavePrimaria ? pk : comum) += 1;
                fk += c->chaveEstrangeira ? 1 : 0;
                data += c->getTipoDado().precisaoDataHora != -1 ? 1 : 0;
            }
            const TTabela& t = *m_conjunto->getTabela(m_tabela);
            std::string peca = corpo;
            peca = SubstituiTodos("<tbname>", t.getNomeCompleto(), peca);
            peca = SubstituiTodos("<tbschema>", t.esquema, peca);
            peca = SubstituiTodos("<tbtype>", t.tipo, peca);
            peca = SubstituiTodos("<tbalias>", t.alias, peca);
            peca = SubstituiTodos("<tbindex>", std::to_string(i), peca);
            peca = SubstituiTodos("<simplecolcount>", std::to_string(comum), peca);
            peca = SubstituiTodos("<frkcolcount>", std::to_string(fk), peca);
            peca = SubstituiTodos("<prkcolcount>", std::to_string(pk), peca);
            peca = SubstituiTodos("<colcount>", std::to_string(m_colunas.size()), peca);
            peca = SubstituiTodos("<coldatecount>", std::to_string(data), peca);
            const std::pair<const char*, const char*> tags[] = {
                {"<simplecol>", "</simplecol>"},
                {"<prkcol>", "</prkcol>"},
                {"<frkcol>", "</frkcol>"},
                {"<coldatetype>", "</coldatetype>"}};
            for (int tipo = 0; tipo < 4; ++tipo) {
                peca = Blocos(peca, tags[tipo].first, tags[tipo].second,
                              [this, tipo](const std::string& c) { return Colunas(c, tipo); });
            }
            saida += peca;
        }
        return saida;
    }

    // tipo: 0 simple, 1 primary key, 2 foreign key, 3 date.
    std::string Colunas(const std::string& corpo, int tipo) const {
        std::string saida;
        int indice = 0;
        for (const auto& c : m_colunas) {
            const bool incluida = tipo == 0   ? c->tipoColuna == TTipoColuna::tcComum
                                  : tipo == 1 ? c->tipoColuna == TTipoColuna::tcChavePrimaria
                                  : tipo == 2 ? c->chaveEstrangeira
                                              : c->getTipoDado().precisaoDataHora != -1;
            if (!incluida) {
                continue;
            }
            std::string variavel, inicial;
            for (const std::string& linha : m_tipos) {
                const TListaTextos campos = SeparaCampos(linha, ";");
                if (!campos.empty() && campos[0] == c->getTipoDado().nome) {
                    variavel = campos.size() > 1 ? campos[1] : "";
                    inicial = campos.size() > 2 ? campos[2] : "";
                    break;
                }
            }
            const TTipoDado& d = c->getTipoDado();
            std::string p = corpo;
            p = SubstituiTodos("<parentclass>", classePai, p);
            p = SubstituiTodos("<colname>", c->nome, p);
            p = SubstituiTodos("<tbname>", m_tabela, p);
            p = SubstituiTodos("<colinivar>", inicial, p);
            p = SubstituiTodos("<colvartype>", variavel, p);
            p = SubstituiTodos("<colalias>", c->alias, p);
            p = SubstituiTodos("<collength>", std::to_string(d.getTamanho()), p);
            p = SubstituiTodos("<colprecision>", std::to_string(d.getPrecisao()), p);
            p = SubstituiTodos("<colscale>", std::to_string(d.escala), p);
            p = SubstituiTodos("<colprvtype>", d.nome, p);
            p = SubstituiTodos("<colindex>", std::to_string(indice), p);
            if (tipo == 2) {
                const TColuna* r = c->getColunaEstrangeira();
                p = SubstituiTodos("<frkcolname>", r != nullptr ? r->nome : "", p);
                p = SubstituiTodos("<frktbname>", r != nullptr ? r->getTabela().nome : "", p);
            }
            saida += p;
            ++indice;
        }
        return saida;
    }

    static int Conta(const std::string& texto, const std::string& tag) {
        int n = 0;
        for (std::size_t p = texto.find(tag); p != std::string::npos;
             p = texto.find(tag, p + tag.size())) {
            ++n;
        }
        return n;
    }

    static bool Cruzadas(std::string texto, const std::string& a, const std::string& f) {
        for (;;) {
            const std::size_t p = texto.rfind(a);
            if (p == std::string::npos) {
                return false;
            }
            const std::size_t q = texto.find(f, p + a.size());
            if (q == std::string::npos) {
                return true;
            }
            const std::string corpo = texto.substr(p + a.size(), q - p - a.size());
            for (const auto& [aa, ff] : kPares) {
                if (Conta(corpo, aa) != Conta(corpo, ff)) {
                    return true;
                }
            }
            texto = texto.substr(0, p) + texto.substr(q + f.size());
        }
    }

    const TControlaColunas* m_conjunto;
    TListaTextos m_tipos;
    bool m_restrito;
    std::string m_tabela;
    TArrColunas m_colunas;
    static constexpr std::size_t kPassos = 20000;
    static constexpr std::size_t kTamanho = 1 << 20;
    mutable std::size_t m_passos = 0;
    mutable bool m_semFim = false;
};

const char* const kTagsBloco[] = {"<rctable>",     "</rctable>",    "<simplecol>", "</simplecol>",
                                  "<prkcol>",      "</prkcol>",     "<frkcol>",    "</frkcol>",
                                  "<coldatetype>", "</coldatetype>"};
const char* const kTagsValor[] = {
    "<dbname>",      "<parentclass>", "<tbcount>",      "<tbname>",         "<tbschema>",
    "<tbtype>",      "<tbalias>",     "<tbindex>",      "<simplecolcount>", "<frkcolcount>",
    "<prkcolcount>", "<colcount>",    "<coldatecount>", "<colname>",        "<colinivar>",
    "<colvartype>",  "<colalias>",    "<collength>",    "<colprecision>",   "<colscale>",
    "<colprvtype>",  "<colindex>",    "<frkcolname>",   "<frktbname>"};
const char* const kTextos[] = {"x", "y", " ", "  ", "\r\n", "\n", "\r", "\t", ";"};
// Pieces of tags, which can join into tags when the text around them is cut out.
const char* const kFragmentos[] = {"<",    ">",     "/",     "<simp",   "</simp", "lecol>",
                                   "<rct", "</rct", "able>", "col>",    "<prk",   "</prk",
                                   "<frk", "</frk", "<col",  "tbname>", "alias>"};

template <std::size_t N>
const char* Sorteia(std::mt19937& gerador, const char* const (&opcoes)[N]) {
    return opcoes[std::uniform_int_distribution<std::size_t>(0, N - 1)(gerador)];
}

// A template of properly nested blocks of every kind, scalar tags and plain text; with
// `avulsas`, stray block tags and (with `fragmentos`) pieces of tags are mixed in. At most
// `maxBlocos` blocks, so that nesting keeps the output small.
class GeradorDeModelos {
public:
    GeradorDeModelos(unsigned semente, bool avulsas, bool fragmentos, int maxBlocos)
        : m_gerador(semente), m_avulsas(avulsas), m_fragmentos(fragmentos), m_maxBlocos(maxBlocos) {
    }

    TListaTextos Gera() {
        m_blocos = 0;
        std::string texto;
        Sequencia(texto, 0);
        // Lines as an editor would hand them over: cut at LF.
        TListaTextos linhas;
        std::size_t inicio = 0;
        for (std::size_t fim = texto.find('\n'); fim != std::string::npos;
             fim = texto.find('\n', inicio)) {
            linhas.push_back(texto.substr(inicio, fim - inicio));
            inicio = fim + 1;
        }
        linhas.push_back(texto.substr(inicio));
        return linhas;
    }

    std::mt19937& gerador() { return m_gerador; }

private:
    int Ate(int n) { return std::uniform_int_distribution<int>(0, n)(m_gerador); }

    void Sequencia(std::string& texto, int profundidade) {
        const int itens = Ate(profundidade == 0 ? 8 : 5);
        for (int i = 0; i < itens; ++i) {
            const int sorteio = Ate(19);
            if (sorteio < 5 && m_blocos < m_maxBlocos && profundidade < 4) {
                ++m_blocos;
                // Table blocks mostly at the top, where column blocks are expanded.
                const int tipo = profundidade == 0 && Ate(3) > 0 ? 0 : Ate(4);
                texto += kTagsBloco[2 * tipo];
                Sequencia(texto, profundidade + 1);
                texto += kTagsBloco[2 * tipo + 1];
            } else if (sorteio < 11) {
                texto += Sorteia(m_gerador, kTagsValor);
            } else if (sorteio < 18) {
                texto += Sorteia(m_gerador, kTextos);
            } else if (m_avulsas && sorteio == 18) {
                texto += Sorteia(m_gerador, kTagsBloco);
            } else if (m_fragmentos) {
                // The start or the end of a block tag.
                const std::string tag = Sorteia(m_gerador, kTagsBloco);
                const auto corte =
                    static_cast<std::size_t>(1 + Ate(static_cast<int>(tag.size()) - 2));
                texto += Ate(1) == 0 ? tag.substr(0, corte) : tag.substr(corte);
            }
        }
    }

    std::mt19937 m_gerador;
    bool m_avulsas;
    bool m_fragmentos;
    int m_maxBlocos;
    int m_blocos = 0;
};

// Any sequence of the two tags of one kind and of pieces of them cut at one place each
// (so that cutting text out can join pieces into tags), with now and then another tag.
std::string TextoQualquer(std::mt19937& gerador) {
    const auto ate = [&gerador](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n)(gerador);
    };
    const std::size_t tipo = ate(4);
    const std::string abertura = kTagsBloco[2 * tipo];
    const std::string fechamento = kTagsBloco[2 * tipo + 1];
    const std::size_t corteA = 1 + ate(abertura.size() - 2);
    const std::size_t corteF = 1 + ate(fechamento.size() - 2);
    const std::string pecas[] = {abertura,
                                 fechamento,
                                 abertura.substr(0, corteA),
                                 abertura.substr(corteA),
                                 fechamento.substr(0, corteF),
                                 fechamento.substr(corteF)};
    std::string texto;
    const std::size_t tokens = ate(20);
    for (std::size_t i = 0; i < tokens; ++i) {
        const std::size_t sorteio = ate(9);
        texto += sorteio < 8    ? pecas[sorteio % 6]
                 : sorteio == 8 ? std::string(Sorteia(gerador, kTagsBloco))
                                : std::string(Sorteia(gerador, kFragmentos));
    }
    return texto;
}

std::string Une(const TListaTextos& linhas) {
    std::string texto;
    for (const std::string& linha : linhas) {
        texto += linha + "\r\n";
    }
    return texto;
}

std::optional<std::string> ErroDoMotor(const std::string& texto) {
    try {
        TMontaCodigo::VerificaTags(texto);
        return std::nullopt;
    } catch (const EErroGeral& erro) {
        return erro.textoErro();
    }
}

std::vector<Col> Mapeamento(bool valoresComTags) {
    const std::string a = valoresComTags ? "<simplecol><colname></simplecol>" : "Al";
    const std::string c1 = valoresComTags ? "<colalias><simplecol>" : "c1";
    const std::string c2 = valoresComTags ? "</prkcol><rctable>x</rctable>" : "c2";
    const std::string b = valoresComTags ? "<rctable><tbname></rctable><frkcol>" : "";
    return {{.tabela = "dbo.A", .nome = "id", .pk = true, .alias = c1, .tbAlias = a},
            {.tabela = "dbo.A",
             .nome = "n",
             .tipo = "varchar",
             .tamanho = 20,
             .alias = c2,
             .tbAlias = a},
            {.tabela = "dbo.A", .nome = "d", .tipo = "datetime", .dataHora = 3, .tbAlias = a},
            {.tabela = "dbo.A", .nome = "f", .fk = "B.id", .alias = c2, .tbAlias = a},
            {.tabela = "B", .nome = "id", .pk = true, .fk = "dbo.A.id", .tbAlias = b},
            {.tabela = "B", .nome = "x", .tipo = "blob", .alias = c1, .tbAlias = b}};
}

TListaTextos ExpandeComMotor(const TControlaColunas& conjunto, const TListaTextos& tipos,
                             const TListaTextos& modelo) {
    return teste::Expande(&conjunto, modelo, tipos);
}

// Templates in which blocks end with the start of a block tag that the text after them
// completes, or begin with the end of one, so that expanding builds tags across block
// boundaries and across repetitions; scalar tags and pieces of tags besides.
TListaTextos ModeloComJuncoes(std::mt19937& gerador) {
    const auto ate = [&gerador](int n) {
        return std::uniform_int_distribution<int>(0, n)(gerador);
    };
    const auto corta = [&](const std::string& tag) {
        return static_cast<std::size_t>(1 + ate(static_cast<int>(tag.size()) - 2));
    };
    const char* const valores[] = {"<tbname>", "<colname>", "<tbschema>", "<colalias>",
                                   "x",        "\r\n",      "<tbindex>"};
    const std::function<std::string(int)> sequencia = [&](int profundidade) {
        std::string texto;
        const int itens = ate(4);
        for (int i = 0; i < itens; ++i) {
            const int sorteio = ate(9);
            if (sorteio < 4 && profundidade < 3) {
                const int tipo = profundidade == 0 && ate(2) == 0 ? 0 : ate(4);
                std::string fim;
                std::string inicio;
                if (ate(1) == 0) {
                    const std::string tag = kTagsBloco[2 * tipo + ate(1)];
                    const std::size_t corte = corta(tag);
                    fim = tag.substr(0, corte);
                    inicio = tag.substr(corte);
                }
                texto += kTagsBloco[2 * tipo];
                texto += ate(2) == 0 ? inicio : "";
                texto += sequencia(profundidade + 1) + fim + kTagsBloco[2 * tipo + 1] + inicio;
            } else if (sorteio < 7) {
                const std::string tag = Sorteia(gerador, kTagsBloco);
                const std::size_t corte = corta(tag);
                texto += ate(1) == 0 ? tag.substr(0, corte) : tag.substr(corte);
            } else {
                texto += Sorteia(gerador, valores);
            }
        }
        return texto;
    };
    return {sequencia(0)};
}

TEST(TMontaCodigoReferencia, CheckMatchesTheRuleOnGeneratedTexts) {
    GeradorDeModelos modelos(20240611, true, true, 6);
    int falhas = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string texto =
            i % 2 == 0 ? TextoQualquer(modelos.gerador()) : Une(modelos.Gera());
        const auto esperado = Referencia::Verifica(texto);
        falhas += esperado.has_value() ? 1 : 0;
        ASSERT_EQ(ErroDoMotor(texto), esperado) << testing::PrintToString(texto);
    }
    EXPECT_GT(falhas, 2000);
    EXPECT_LT(falhas, 18000);
}

TEST(TMontaCodigoReferencia, ExpansionMatchesTheRuleOnGeneratedTemplates) {
    TControlaColunas conjunto;
    Preenche(conjunto, Mapeamento(false));
    const TListaTextos tipos = {"int;Integer;0;", "varchar;String;'';", "int;Other;1;"};
    GeradorDeModelos modelos(7, true, false, 6);
    int expandidos = 0;
    for (int i = 0; i < 6000; ++i) {
        const TListaTextos modelo = modelos.Gera();
        if (Referencia::Verifica(Une(modelo)).has_value()) {
            continue;
        }
        ++expandidos;
        const TListaTextos motor = ExpandeComMotor(conjunto, tipos, modelo);
        // Whole tags and values without tags: the restriction changes nothing.
        ASSERT_EQ(motor, Referencia(&conjunto, tipos, false).Monta(modelo))
            << testing::PrintToString(modelo);
        ASSERT_EQ(motor, Referencia(&conjunto, tipos, true).Monta(modelo))
            << testing::PrintToString(modelo);
    }
    EXPECT_GT(expandidos, 3000);
}

TEST(TMontaCodigoReferencia, ExpansionWithTaggedValuesAndTagPiecesMatchesTheRule) {
    // Values that carry block tags and pieces of tags: the engine follows the rule, tags the
    // values bring included. Where the rule does not end (within the reference's bounds), the
    // engine stops with a message instead.
    TControlaColunas conjunto;
    Preenche(conjunto, Mapeamento(true));
    const TListaTextos tipos = {"int;<colname><frkcol>;</frkcol>;", "varchar;<rctable>;;"};
    GeradorDeModelos modelos(11, true, true, 5);
    int expandidos = 0;
    int semFim = 0;
    for (int i = 0; i < 6000; ++i) {
        const TListaTextos modelo = modelos.Gera();
        if (Referencia::Verifica(Une(modelo)).has_value()) {
            continue;
        }
        Referencia referencia(&conjunto, tipos, false);
        referencia.nomeBaseDados = "<simp";
        referencia.classePai = "lecol></prkcol>";
        TMontaCodigo motor;
        motor.AdicionaTipos(tipos);
        motor.setControlaColunas(&conjunto);
        motor.nomeBaseDados = referencia.nomeBaseDados;
        motor.classePai = referencia.classePai;
        motor.setLimiteSaida(std::size_t{1} << 20);
        motor.AdicionaModelo(modelo);
        const std::optional<TListaTextos> regra = referencia.MontaAteOFim(modelo);
        if (!regra) {
            ++semFim;
            EXPECT_THROW(motor.Monta(), EErroGeral) << testing::PrintToString(modelo);
            continue;
        }
        ++expandidos;
        motor.Monta();
        ASSERT_EQ(motor.getCodigo(), *regra) << testing::PrintToString(modelo);
    }
    // Every generated template ends under the rule; the ones that do not are tested apart.
    EXPECT_GT(expandidos, 3000);
    EXPECT_EQ(semFim, 0);
}

TEST(TMontaCodigoReferencia, ExpansionMatchesTheRuleWhereTagsFormAcrossBlocks) {
    // Plain values: the engine follows the rule itself, without the restriction, also
    // where expansion builds new blocks out of the template's text.
    TControlaColunas conjunto;
    Preenche(conjunto, Mapeamento(false));
    const TListaTextos tipos = {"int;Integer;0;", "varchar;String;'';"};
    std::mt19937 gerador(2026);
    int expandidos = 0;
    int construidos = 0;
    for (int i = 0; i < 8000; ++i) {
        const TListaTextos modelo = ModeloComJuncoes(gerador);
        if (Referencia::Verifica(Une(modelo)).has_value()) {
            continue;
        }
        ++expandidos;
        const TListaTextos regra = Referencia(&conjunto, tipos, false).Monta(modelo);
        construidos += regra != Referencia(&conjunto, tipos, true).Monta(modelo) ? 1 : 0;
        ASSERT_EQ(ExpandeComMotor(conjunto, tipos, modelo), regra)
            << testing::PrintToString(modelo);
    }
    EXPECT_GT(expandidos, 6000);
    // Templates in which the restriction would have stopped short of the rule.
    EXPECT_GT(construidos, 300);
}

} // namespace
} // namespace fendril

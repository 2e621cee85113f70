#include "model/TControlaColunas.h"

#include "model/Erros.h"

#include <array>
#include <cstdint>
#include <tuple>
#include <unordered_set>
#include <utility>

namespace fendril {

namespace {

std::string ChaveColuna(std::string_view tabela, std::string_view coluna) {
    std::string chave;
    chave.reserve(tabela.size() + coluna.size() + 1);
    chave.append(tabela).append(1, '\0').append(coluna);
    return chave;
}

// Appends `valor` when the list holds no value equal to it without regard to case.
void AcrescentaDistinto(TListaTextos& lista, std::unordered_set<std::string>& vistos,
                        const std::string& valor) {
    if (vistos.insert(ChaveSemCaixa(valor)).second) {
        lista.push_back(valor);
    }
}

// Calls `acrescenta(i)` for each position of `selecao` whose column name differs, without
// regard to letter case, from the names of the positions before it. A table's columns are
// few, so each name is compared with those kept so far by the hash of its folded form,
// which allocates nothing; only names that hash alike are compared whole. A long
// selection goes through a hashed set.
template <class Acrescenta>
void ParaCadaNomeDistinto(const TArrColunas& colunas, const std::vector<std::size_t>& selecao,
                          Acrescenta&& acrescenta) {
    constexpr std::size_t LimiteComparacao = 32;
    if (selecao.size() <= LimiteComparacao) {
        std::array<std::uint64_t, LimiteComparacao> hashes{};
        std::array<const std::string*, LimiteComparacao> nomes{};
        std::size_t vistas = 0;
        for (const std::size_t i : selecao) {
            const std::string& nome = colunas[i]->nome;
            const std::uint64_t hash = HashSemCaixa(nome);
            bool repetido = false;
            for (std::size_t k = 0; k < vistas && !repetido; ++k) {
                repetido = hashes[k] == hash && MesmoTextoSemCaixa(*nomes[k], nome);
            }
            if (!repetido) {
                hashes[vistas] = hash;
                nomes[vistas] = &nome;
                ++vistas;
                acrescenta(i);
            }
        }
        return;
    }
    std::unordered_set<std::string> vistos;
    for (const std::size_t i : selecao) {
        if (vistos.insert(ChaveSemCaixa(colunas[i]->nome)).second) {
            acrescenta(i);
        }
    }
}

// What the index answers by, of one column: its names, and what makes it a foreign key
// of some referenced table.
struct ChavesIndice {
    std::tuple<std::string, std::string, std::string> nomes; // table, table alias, column
    std::tuple<bool, bool, std::optional<std::string>> referencia;
};

ChavesIndice ChavesDoIndice(const TColuna& coluna) {
    const TColuna* referenciada = coluna.getColunaEstrangeira();
    return {{coluna.getTabela().getNomeCompleto(), coluna.getTabela().alias, coluna.nome},
            {coluna.habilitado, coluna.chaveEstrangeira,
             referenciada ? std::optional<std::string>(referenciada->getTabela().getNomeCompleto())
                          : std::nullopt}};
}

} // namespace

TControlaColunas::TControlaColunas(std::size_t quantidade) {
    Redimensiona(quantidade);
}

void TControlaColunas::Redimensiona(std::size_t n) {
    m_indiceValido = false;
    m_colunas.clear();
    m_colunas.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        m_colunas.push_back(std::make_unique<TColuna>());
    }
}

EColunaIlegivel::EColunaIlegivel(std::size_t indice, TNomesColuna nomes, const std::string& motivo)
    : Exception("Column Line " + std::to_string(indice + 1) + " (Table \"" + nomes.tabela +
                "\", Column \"" + nomes.coluna + "\") Could Not Be Read: " + motivo),
      m_indice(indice), m_nomes(std::move(nomes)), m_motivo(motivo) {}

void TControlaColunas::CarregaLinhas(const TListaTextos& linhas) {
    m_indiceValido = false;
    TColuna::TTabelaLida anterior;
    for (std::size_t i = 0; i < m_colunas.size(); ++i) {
        DecodificaLinha(*m_colunas[i], i, ItemDaLista(linhas, i), anterior);
    }
}

void TControlaColunas::AcrescentaLinha(std::string_view linha, TColuna::TTabelaLida& anterior) {
    m_indiceValido = false;
    std::unique_ptr<TColuna> coluna;
    try {
        coluna = TColuna::DecodificaNova(linha, anterior);
    } catch (const std::exception& erro) {
        throw EColunaIlegivel(m_colunas.size(), NomesDaCodificacao(linha), erro.what());
    }
    m_colunas.push_back(std::move(coluna));
}

void TControlaColunas::DecodificaLinha(TColuna& coluna, std::size_t indice, std::string_view linha,
                                       TColuna::TTabelaLida& anterior) {
    try {
        coluna.Decodifica(linha, anterior);
    } catch (const std::exception& erro) {
        throw EColunaIlegivel(indice, NomesDaCodificacao(linha), erro.what());
    }
}

void TControlaColunas::CopiaColunas(const TArrColunas& colunas) {
    m_indiceValido = false;
    for (std::size_t i = 0; i < m_colunas.size(); ++i) {
        if (i >= colunas.size()) {
            throw EListError(i);
        }
        m_colunas[i]->Decodifica(colunas[i]->Codifica());
        m_colunas[i]->CopiaFatosDe(*colunas[i]);
    }
}

TArrColunas& TControlaColunas::getColunas() {
    m_indiceValido = false;
    return m_colunas;
}

const TControlaColunas::Indice& TControlaColunas::indice() const {
    if (m_indiceValido) {
        return m_indice;
    }
    Indice novo;
    std::unordered_set<std::string> tabelasVistas;
    std::unordered_set<std::string> aliasVistos;
    // Columns that follow each other with the same table record (as decoded documents and
    // imports give them) share its lookups.
    const TTabela* anterior = nullptr;
    std::vector<std::size_t>* daTabela = nullptr;
    std::vector<std::size_t>* doAlias = nullptr;
    for (std::size_t i = 0; i < m_colunas.size(); ++i) {
        const TTabela& tabela = std::as_const(*m_colunas[i]).getTabela();
        if (&tabela != anterior) {
            std::string nomeTabela = tabela.getNomeCompleto();
            if (!nomeTabela.empty()) {
                AcrescentaDistinto(novo.nomesTabelas, tabelasVistas, nomeTabela);
            }
            if (!tabela.alias.empty()) {
                AcrescentaDistinto(novo.aliasTabelas, aliasVistos, tabela.alias);
            }
            doAlias = &novo.porAlias[tabela.alias];
            daTabela = &novo.porTabela[std::move(nomeTabela)];
            anterior = &tabela;
        }
        doAlias->push_back(i);
        daTabela->push_back(i);
    }
    m_indice = std::move(novo);
    m_indiceValido = true;
    return m_indice;
}

const TColuna* TControlaColunas::getColuna(std::string_view tabela, std::string_view coluna) const {
    const std::optional<std::size_t> posicao = PosicaoDaColuna(tabela, coluna);
    return posicao ? m_colunas[*posicao].get() : nullptr;
}

TColuna* TControlaColunas::getColuna(std::string_view tabela, std::string_view coluna) {
    const std::optional<std::size_t> posicao = PosicaoDaColuna(tabela, coluna);
    if (!posicao) {
        return nullptr;
    }
    m_indiceValido = false; // the caller may change what the index answers by
    return m_colunas[*posicao].get();
}

std::optional<std::size_t> TControlaColunas::PrimeiraDaTabela(std::string_view tabela) const {
    const auto& porTabela = indice().porTabela;
    const auto achado = porTabela.find(std::string(tabela));
    if (achado == porTabela.end()) {
        return std::nullopt;
    }
    return achado->second.front();
}

const TTabela* TControlaColunas::getTabela(std::string_view tabela) const {
    const std::optional<std::size_t> posicao = PrimeiraDaTabela(tabela);
    return posicao ? &std::as_const(*m_colunas[*posicao]).getTabela() : nullptr;
}

TTabela* TControlaColunas::getTabela(std::string_view tabela) {
    const std::optional<std::size_t> posicao = PrimeiraDaTabela(tabela);
    if (!posicao) {
        return nullptr;
    }
    m_indiceValido = false; // the caller may rename the table
    return &m_colunas[*posicao]->getTabela();
}

TListaTextos TControlaColunas::getNomesTabelas() const {
    return indice().nomesTabelas;
}

std::size_t TControlaColunas::QuantasTabelas() const {
    return indice().nomesTabelas.size();
}

std::vector<std::pair<std::string, std::string>> TControlaColunas::getTabelasOcultas() const {
    std::vector<std::pair<std::string, std::string>> ocultas;
    std::unordered_map<std::string, std::string> listadas; // key without case -> name listed
    std::unordered_set<std::string> vistas;
    for (const auto& coluna : m_colunas) {
        std::string nome = std::as_const(*coluna).getTabela().getNomeCompleto();
        if (nome.empty() || !vistas.insert(nome).second) {
            continue;
        }
        const auto [achado, nova] = listadas.try_emplace(ChaveSemCaixa(nome), nome);
        if (!nova) {
            ocultas.emplace_back(std::move(nome), achado->second);
        }
    }
    return ocultas;
}

std::string AvisoTabelaOculta(const std::string& oculta, const std::string& listada) {
    return "Table \"" + oculta + "\" Is Left Out: Its Name Differs From \"" + listada +
           "\" Only In Letter Case";
}

TListaTextos TControlaColunas::AvisosTabelasOcultas() const {
    TListaTextos avisos;
    for (const auto& [oculta, listada] : getTabelasOcultas()) {
        avisos.push_back(AvisoTabelaOculta(oculta, listada));
    }
    return avisos;
}

TListaTextos TControlaColunas::getAliasTabelas() const {
    return indice().aliasTabelas;
}

TListaTextos TControlaColunas::NomesDistintos(const std::vector<std::size_t>* selecao) const {
    TListaTextos nomes;
    std::unordered_set<std::string> vistos;
    if (selecao == nullptr) {
        for (const auto& coluna : m_colunas) {
            AcrescentaDistinto(nomes, vistos, coluna->nome);
        }
    } else {
        for (const std::size_t i : *selecao) {
            AcrescentaDistinto(nomes, vistos, m_colunas[i]->nome);
        }
    }
    return nomes;
}

TListaTextos TControlaColunas::getNomesColunas(std::string_view tabela) const {
    if (tabela.empty()) {
        return NomesDistintos(nullptr);
    }
    const auto& porTabela = indice().porTabela;
    const auto achado = porTabela.find(std::string(tabela));
    return achado == porTabela.end() ? TListaTextos() : NomesDistintos(&achado->second);
}

TListaTextos TControlaColunas::getNomesColunasAlias(std::string_view alias) const {
    if (alias.empty()) {
        return NomesDistintos(nullptr);
    }
    const auto& porAlias = indice().porAlias;
    const auto achado = porAlias.find(std::string(alias));
    return achado == porAlias.end() ? TListaTextos() : NomesDistintos(&achado->second);
}

std::vector<std::size_t> TControlaColunas::PosicoesDaTabela(std::string_view tabela) const {
    const auto& porTabela = indice().porTabela;
    const auto achado = porTabela.find(std::string(tabela));
    return achado == porTabela.end() ? std::vector<std::size_t>() : achado->second;
}

std::vector<std::size_t> TControlaColunas::PosicoesPorTabela() const {
    const Indice& atual = indice();
    std::vector<std::size_t> posicoes;
    posicoes.reserve(m_colunas.size());
    for (const std::string& nome : atual.nomesTabelas) {
        ParaCadaNomeDistinto(m_colunas, atual.porTabela.at(nome),
                             [&posicoes](std::size_t i) { posicoes.push_back(i); });
    }
    return posicoes;
}

std::optional<std::size_t> TControlaColunas::PosicaoDaColuna(std::string_view tabela,
                                                             std::string_view coluna) const {
    const Indice& atual = indice();
    if (!atual.porColunaFeito) {
        ConstroiPorColuna();
    }
    const auto& porColuna = atual.porColuna;
    const auto achado = porColuna.find(ChaveColuna(tabela, coluna));
    if (achado == porColuna.end()) {
        return std::nullopt;
    }
    return achado->second;
}

void TControlaColunas::AlteraColuna(std::size_t posicao,
                                    const std::function<void(TColuna&)>& altera) {
    if (posicao >= m_colunas.size()) {
        throw EListError(posicao);
    }
    TColuna& coluna = *m_colunas[posicao];
    const ChavesIndice antes = ChavesDoIndice(coluna);
    altera(coluna);
    const ChavesIndice depois = ChavesDoIndice(coluna);
    if (depois.nomes != antes.nomes) {
        m_indiceValido = false;
    } else if (depois.referencia != antes.referencia) {
        // The names still hold; only the foreign keys by referenced table are redone.
        m_indice.referenciasFeitas = false;
        m_indice.referencias.clear();
    }
}

std::vector<const TColuna*>
TControlaColunas::ColunasDistintas(const std::vector<std::size_t>& selecao) const {
    std::vector<const TColuna*> colunas;
    colunas.reserve(selecao.size());
    ParaCadaNomeDistinto(m_colunas, selecao, [this, &colunas](std::size_t i) {
        colunas.push_back(m_colunas[i].get());
    });
    return colunas;
}

std::vector<const TColuna*> TControlaColunas::getColunasDaTabela(std::string_view tabela) const {
    const auto& porTabela = indice().porTabela;
    const auto achado = porTabela.find(std::string(tabela));
    return achado == porTabela.end() ? std::vector<const TColuna*>()
                                     : ColunasDistintas(achado->second);
}

const std::vector<const TColuna*>&
TControlaColunas::getColunasQueReferenciam(std::string_view tabela) const {
    const Indice& atual = indice();
    if (!atual.referenciasFeitas) {
        ConstroiReferencias();
    }
    static const std::vector<const TColuna*> nenhuma;
    const auto achado = atual.referencias.find(ChaveSemCaixa(tabela));
    return achado == atual.referencias.end() ? nenhuma : achado->second;
}

void TControlaColunas::PreparaLeituraConcorrente() const {
    const Indice& atual = indice();
    if (!atual.porColunaFeito) {
        ConstroiPorColuna();
    }
    if (!atual.referenciasFeitas) {
        ConstroiReferencias();
    }
}

void TControlaColunas::ConstroiPorColuna() const {
    // The first column of each name in each table answers for it.
    const TTabela* anterior = nullptr;
    std::string nomeTabela;
    for (std::size_t i = 0; i < m_colunas.size(); ++i) {
        const TColuna& daVez = *m_colunas[i];
        const TTabela& tabelaDaVez = daVez.getTabela();
        if (&tabelaDaVez != anterior) {
            nomeTabela = tabelaDaVez.getNomeCompleto();
            anterior = &tabelaDaVez;
        }
        m_indice.porColuna.try_emplace(ChaveColuna(nomeTabela, daVez.nome), i);
    }
    m_indice.porColunaFeito = true;
}

void TControlaColunas::ConstroiReferencias() const {
    for (const std::string& nome : m_indice.nomesTabelas) {
        for (const TColuna* coluna : ColunasDistintas(m_indice.porTabela.at(nome))) {
            const TColuna* referenciada = coluna->getColunaEstrangeira();
            if (coluna->habilitado && coluna->chaveEstrangeira && referenciada != nullptr) {
                m_indice.referencias[ChaveSemCaixa(referenciada->getTabela().getNomeCompleto())]
                    .push_back(coluna);
            }
        }
    }
    m_indice.referenciasFeitas = true;
}

void TControlaColunas::RemoveTabela(std::string_view tabela) {
    // Removing moves the remaining columns rather than copying them through the encoding:
    // the records are owned by the set alone, so the result is the same.
    const auto removidos = std::erase_if(m_colunas, [tabela](const std::unique_ptr<TColuna>& c) {
        return std::as_const(*c).getTabela().getNomeCompleto() == tabela;
    });
    if (removidos > 0) {
        m_indiceValido = false;
    }
}

} // namespace fendril

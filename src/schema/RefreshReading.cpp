#include "schema/RefreshReading.h"

#include "model/Erros.h"
#include "schema/TManipulaTabelas.h"
#include "schema/TSessaoConexoes.h"

#include <unordered_set>
#include <utility>

namespace fendril {

namespace {

struct TTabelaBanco {
    std::string nome; // qualified
    std::string esquema;
    bool sistema = false;
};

// Every table of the connection's database, in its order.
std::vector<TTabelaBanco> TabelasDoBanco(const TParametrosConexao& conexao, TListaTextos& log,
                                         const TFabricaConexao& fabrica) {
    TManipulatabelas leitor(conexao.stringConexao, conexao.usuario, conexao.senha,
                            conexao.nomeBaseDados, fabrica);
    leitor.Abre(3, conexao.nomeBaseDados);
    log.push_back("### Loading Tables ###");
    log.insert(log.end(), leitor.getLog().begin(), leitor.getLog().end());
    if (!leitor.getFalhaMontagem().empty()) {
        throw EErroGeral::Create(leitor.getFalhaMontagem());
    }
    // A source that does not offer its tables logs it and lists none; a refresh must not
    // take that for every table dropped.
    for (const std::string& linha : leitor.getLog()) {
        const std::size_t passo = linha.find("]: Tables -> ");
        if (passo != std::string::npos && linha.substr(passo + 13) != "OK") {
            throw EErroGeral::Create("The Tables Of The Database Could Not Be Listed: " +
                                     linha.substr(passo + 3));
        }
    }
    std::vector<TTabelaBanco> tabelas;
    for (TColecaoTabelas& c = leitor.getColecao(); !c.getFim(); c.Proximo()) {
        const TTabela& tabela = c.getTabela();
        tabelas.push_back(
            {tabela.getNomeCompleto(), tabela.esquema, tabela.tipo.rfind("SYSTEM", 0) == 0});
    }
    return tabelas;
}

} // namespace

TRefreshReading ReadForRefresh(const TParametrosConexao& conexao, const TControlaColunas* mapping,
                               const std::optional<TListaTextos>& tabelas,
                               const TProgresso& progresso, const TFabricaConexao& fabrica) {
    if (progresso) {
        progresso("Loading Available Tables. Wait...", 0);
    }
    TRefreshReading leitura;
    const TControlaColunas vazio;
    const TControlaColunas& mapa = mapping ? *mapping : vazio;
    TSessaoConexoes sessao(fabrica);
    TListaTextos logTabelas;
    const std::vector<TTabelaBanco> doBanco = TabelasDoBanco(conexao, logTabelas, sessao.Fabrica());

    const TListaTextos mapeadas = MappedTables(mapa);
    const std::unordered_set<std::string> ehMapeada(mapeadas.begin(), mapeadas.end());
    std::unordered_set<std::string> existe;
    for (const TTabelaBanco& tabela : doBanco) {
        existe.insert(tabela.nome);
    }
    TListaTextos adicionar;
    if (tabelas) {
        std::unordered_set<std::string> dadas;
        for (const std::string& nome : *tabelas) {
            if (!dadas.insert(nome).second) {
                continue;
            }
            if (ehMapeada.count(nome) != 0) {
                leitura.mappedTables.push_back(nome);
            } else if (existe.count(nome) != 0) {
                adicionar.push_back(nome);
            } else {
                throw EErroGeral::Create("Table \"" + nome + "\" Does Not Exist !!");
            }
        }
    } else {
        leitura.mappedTables = mapeadas;
        std::unordered_set<std::string> esquemas;
        std::unordered_set<std::string> semCaixa;
        for (const auto& coluna : mapa.getColunas()) {
            esquemas.insert(std::as_const(*coluna).getTabela().esquema);
            semCaixa.insert(ChaveSemCaixa(std::as_const(*coluna).getTabela().getNomeCompleto()));
        }
        for (const TTabelaBanco& tabela : doBanco) {
            if (!tabela.sistema && (mapeadas.empty() || esquemas.count(tabela.esquema) != 0) &&
                semCaixa.insert(ChaveSemCaixa(tabela.nome)).second) {
                adicionar.push_back(tabela.nome);
            }
        }
    }
    // The database's order for the tables it has.
    const std::unordered_set<std::string> comparadas(leitura.mappedTables.begin(),
                                                     leitura.mappedTables.end());
    for (const TTabelaBanco& tabela : doBanco) {
        if (comparadas.count(tabela.nome) != 0) {
            leitura.databaseTables.push_back(tabela.nome);
        }
    }
    leitura.databaseTables.insert(leitura.databaseTables.end(), adicionar.begin(), adicionar.end());

    if (!leitura.databaseTables.empty()) {
        CarregaControlaColunas(conexao, leitura.databaseTables, leitura.banco, progresso,
                               sessao.Fabrica());
    } else {
        leitura.banco.controlaColunas = std::make_unique<TControlaColunas>();
    }
    leitura.banco.log.insert(leitura.banco.log.begin(), logTabelas.begin(), logTabelas.end());
    leitura.changes = CompareMapping(mapa, leitura.mappedTables, *leitura.banco.controlaColunas,
                                     leitura.databaseTables);
    if (progresso) {
        progresso("", 0);
    }
    return leitura;
}

void ApplyRefreshReading(TCargaColunas& mapeamento, const TRefreshReading& leitura,
                         const std::vector<bool>& chosen) {
    const TControlaColunas vazio;
    const TControlaColunas& mapa = mapeamento.controlaColunas ? *mapeamento.controlaColunas : vazio;
    const TControlaColunas& banco = *leitura.banco.controlaColunas;
    std::unique_ptr<TControlaColunas> novo = ApplyRefresh(mapa, banco, leitura.changes, chosen);
    TArrColunas tomadas;
    for (const TColuna* coluna : ColumnsTaken(banco, leitura.changes, chosen)) {
        auto copia = std::make_unique<TColuna>();
        copia->Decodifica(coluna->Codifica());
        tomadas.push_back(std::move(copia));
    }
    CompletaTiposProvider(mapeamento.tiposProvider, tomadas);
    mapeamento.controlaColunas = std::move(novo);
}

} // namespace fendril

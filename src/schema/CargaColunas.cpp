#include "schema/CargaColunas.h"

#include "model/ArquivoTexto.h"
#include "model/Erros.h"
#include "model/Log.h"
#include "schema/TManipulaColunas.h"
#include "schema/TManipulaTabelas.h"
#include "schema/TSessaoConexoes.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace fendril {

std::int32_t Porcentagem(std::size_t n, std::size_t total) {
    if (total == 0) {
        return 0;
    }
    const double valor = static_cast<double>(n) / static_cast<double>(total) * 100.0;
    return static_cast<std::int32_t>(std::nearbyint(valor));
}

std::string CaminhoLogCarga(const std::string& diretorioInstalado) {
    return (std::filesystem::path(diretorioInstalado) / "Fendrillog.txt").string();
}

void GravaLogCarga(const std::string& diretorioInstalado, const TListaTextos& log) {
    GravaLinhasTexto(CaminhoLogCarga(diretorioInstalado), log);
}

void ApagaLogCarga(const std::string& diretorioInstalado) {
    std::error_code erro;
    std::filesystem::remove(CaminhoLogCarga(diretorioInstalado), erro);
}

std::pair<std::string, std::string> ResolveNomeTabela(const TParametrosConexao& conexao,
                                                      const std::string& nomeCompleto,
                                                      TTabelasFonte& tabelas,
                                                      const TFabricaConexao& fabrica) {
    if (nomeCompleto.find('.') == std::string::npos) {
        return {std::string(), nomeCompleto};
    }
    if (!tabelas.lidas) {
        tabelas.lidas = true;
        try {
            TManipulatabelas leitor(conexao.stringConexao, conexao.usuario, conexao.senha,
                                    conexao.nomeBaseDados, fabrica);
            leitor.Abre(0, "");
            for (TColecaoTabelas& c = leitor.getColecao(); !c.getFim(); c.Proximo()) {
                const TTabela& tabela = c.getTabela();
                auto& mesmoNome = tabelas.porNomeCompleto[tabela.getNomeCompleto()];
                const auto par = std::make_pair(tabela.esquema, tabela.nome);
                if (std::find(mesmoNome.begin(), mesmoNome.end(), par) == mesmoNome.end()) {
                    mesmoNome.push_back(par);
                }
            }
        } catch (const std::exception&) {
            // The reading that follows meets the same failure and reports it.
            tabelas.porNomeCompleto.clear();
        }
    }
    const auto encontrado = tabelas.porNomeCompleto.find(nomeCompleto);
    static const std::vector<std::pair<std::string, std::string>> nenhuma;
    const auto& achadas =
        encontrado == tabelas.porNomeCompleto.end() ? nenhuma : encontrado->second;
    if (achadas.size() > 1) {
        std::string quais;
        for (const auto& [esquema, nome] : achadas) {
            quais += (quais.empty() ? "" : ", ") + std::string("Schema \"") + esquema +
                     "\" Table \"" + nome + "\"";
        }
        throw EErroGeral::Create("Table Name \"" + nomeCompleto + "\" Is Ambiguous: It Names " +
                                 quais + " !!");
    }
    return achadas.empty() ? SeparaNomeCompleto(nomeCompleto) : achadas.front();
}

bool TabelaExiste(const TParametrosConexao& conexao, const std::string& nomeCompleto,
                  const TFabricaConexao& fabrica) {
    TSessaoConexoes sessao(fabrica);
    TTabelasFonte fonte;
    const auto [esquema, tabela] =
        ResolveNomeTabela(conexao, nomeCompleto, fonte, sessao.Fabrica());
    TManipulatabelas leitor(conexao.stringConexao, conexao.usuario, conexao.senha,
                            conexao.nomeBaseDados, sessao.Fabrica());
    leitor.Abre(1, tabela);
    if (!leitor.getFalhaMontagem().empty()) {
        throw EErroGeral::Create(leitor.getFalhaMontagem());
    }
    for (TColecaoTabelas& c = leitor.getColecao(); !c.getFim(); c.Proximo()) {
        if (c.getTabela().esquema == esquema) {
            return true;
        }
    }
    return false;
}

std::string BaseDadosAberta(const TParametrosConexao& conexao, const TFabricaConexao& fabrica) {
    std::unique_ptr<TConexao> aberta = fabrica();
    aberta->Open(conexao.stringConexao, conexao.usuario, conexao.senha);
    const TFechaAoFalhar fecha(aberta);
    if (!conexao.nomeBaseDados.empty()) {
        aberta->DefaultDatabase(conexao.nomeBaseDados);
    }
    std::string nome = aberta->BaseDadosAtual();
    FechaConexao(aberta);
    return nome;
}

void CompletaTiposProvider(TListaTextos& tiposProvider, const TArrColunas& colunas) {
    struct TEntrada {
        TListaTextos campos; // code, name, flag, parameters
        bool alterada = false;
    };
    std::vector<TEntrada> entradas;
    std::unordered_set<std::string> nomes;
    for (const std::string& linha : tiposProvider) {
        TListaTextos campos = SeparaCampos(linha, ";");
        campos.resize(std::max<std::size_t>(campos.size(), 4));
        nomes.insert(campos[1]);
        entradas.push_back({std::move(campos)});
    }
    std::unordered_set<std::string> codigosNovos;
    for (const auto& coluna : colunas) {
        const TTipoDado& tipo = coluna->getTipoDado();
        if (!tipo.nome.empty() && nomes.insert(tipo.nome).second) {
            const std::string codigo = std::to_string(tipo.tipoOLE);
            entradas.push_back({{codigo, tipo.nome, "0", ""}, true});
            codigosNovos.insert(codigo);
        }
    }
    if (codigosNovos.empty()) {
        return;
    }
    // The best matches of the codes that gained types, among the best-first list.
    std::vector<std::pair<std::string, std::string>> pares;
    for (const TEntrada& entrada : entradas) {
        pares.emplace_back(entrada.campos[0], entrada.campos[1]);
    }
    const std::vector<bool> melhores = MelhoresTipos(pares);
    for (std::size_t i = 0; i < entradas.size(); ++i) {
        if (codigosNovos.count(entradas[i].campos[0]) != 0) {
            const char* flag = melhores[i] ? "1" : "0";
            entradas[i].alterada = entradas[i].alterada || entradas[i].campos[2] != flag;
            entradas[i].campos[2] = flag;
        }
    }
    TListaTextos melhoresPrimeiro;
    TListaTextos outros;
    for (std::size_t i = 0; i < entradas.size(); ++i) {
        const TEntrada& entrada = entradas[i];
        std::string linha = i < tiposProvider.size() && !entrada.alterada
                                ? tiposProvider[i]
                                : entrada.campos[0] + ";" + entrada.campos[1] + ";" +
                                      entrada.campos[2] + ";" + entrada.campos[3] + ";";
        (entrada.campos[2] == "1" ? melhoresPrimeiro : outros).push_back(std::move(linha));
    }
    tiposProvider = std::move(melhoresPrimeiro);
    tiposProvider.insert(tiposProvider.end(), outros.begin(), outros.end());
}

namespace {

// Each column's best-match flag as the list now says it.
void AcertaMelhores(const TListaTextos& tiposProvider, TArrColunas& colunas) {
    std::unordered_map<std::string, std::string> flags;
    for (const std::string& linha : tiposProvider) {
        const TListaTextos campos = SeparaCampos(linha, ";");
        if (campos.size() > 2) {
            flags.try_emplace(campos[1], campos[2]);
        }
    }
    for (auto& coluna : colunas) {
        TTipoDado& tipo = coluna->getTipoDado();
        if (const auto achado = flags.find(tipo.nome); achado != flags.end()) {
            tipo.melhorCorrespondencia = achado->second;
        }
    }
}

void Carrega(const TParametrosConexao& conexao, const TListaTextos& tabelas, TCargaColunas& carga,
             const TProgresso& progresso, const TFabricaConexao& fabrica) {
    const auto informa = [&progresso](const std::string& texto, std::int32_t porcentagem) {
        if (progresso) {
            progresso(texto, porcentagem);
        }
    };
    informa("Loading Tables And Columns. Wait...", 0);
    carga.log.clear();
    TSessaoConexoes sessao(fabrica);
    TManipulaColunas leitor(conexao.stringConexao, conexao.usuario, conexao.senha,
                            conexao.nomeBaseDados, sessao.Fabrica());
    TListaTextos tipos;
    CarregaTiposProvider(conexao.stringConexao, conexao.usuario, conexao.senha, tipos,
                         sessao.Fabrica());
    carga.tiposProvider = tipos;
    leitor.setTiposProvider(carga.tiposProvider);
    leitor.setColunasTomadas(true);

    TArrColunas colunasLidas;
    TTabelasFonte fonte;
    for (std::size_t i = 0; i < tabelas.size(); ++i) {
        const auto [esquema, tabela] =
            ResolveNomeTabela(conexao, tabelas[i], fonte, sessao.Fabrica());
        const auto registraLeitura = [&] {
            carga.log.push_back("### " + TextoDeLog(tabelas[i]) + " ###");
            carga.log.insert(carga.log.end(), leitor.getLog().begin(), leitor.getLog().end());
        };
        // Whatever fails while a table is read fails the load: a mapping never loses a
        // table's columns or keys without saying so.
        try {
            leitor.Abre(1, tabela);
            if (!leitor.getFalhaMontagem().empty()) {
                throw EErroGeral::Create(leitor.getFalhaMontagem());
            }
            TColecaoColunas& colunas = leitor.getColecao();
            while (!colunas.getFim()) {
                if (colunas.getColuna().getTabela().esquema == esquema) {
                    colunasLidas.push_back(colunas.TomaColuna());
                }
                colunas.Proximo();
            }
        } catch (const std::exception& erro) {
            registraLeitura();
            const auto* geral = dynamic_cast<const EErroGeral*>(&erro);
            throw EErroGeral::CreateDeExcecao(
                erro, "Table \"" + tabelas[i] +
                          "\" Could Not Be Read: " + (geral ? geral->textoErro() : erro.what()));
        }
        registraLeitura();
        leitor.Fecha();
        const std::int32_t porcentagem = Porcentagem(i + 1, tabelas.size());
        informa("Loading Tables And Columns. Wait...(" + std::to_string(porcentagem) + "%)",
                porcentagem);
    }
    CompletaTiposProvider(carga.tiposProvider, colunasLidas);
    AcertaMelhores(carga.tiposProvider, colunasLidas);
    // The columns read are moved in as they are: an empty set given blank columns only to
    // replace them would build and free two objects per column at the peak of the load.
    auto controlaColunas = std::make_unique<TControlaColunas>();
    controlaColunas->getColunas() = std::move(colunasLidas);
    carga.controlaColunas = std::move(controlaColunas);
    informa("", 0);
}

// The warnings about the tables the loaded set leaves out, also logged.
void RegistraTabelasOcultas(TCargaColunas& carga) {
    carga.avisos = std::as_const(*carga.controlaColunas).AvisosTabelasOcultas();
    for (const std::string& aviso : carga.avisos) {
        carga.log.push_back(LinhaLog(aviso));
    }
}

} // namespace

void CarregaControlaColunas(const TParametrosConexao& conexao, const TListaTextos& tabelas,
                            TCargaColunas& carga, const TProgresso& progresso,
                            const TFabricaConexao& fabrica) {
    Carrega(conexao, tabelas, carga, progresso, fabrica);
    RegistraTabelasOcultas(carga);
}

void ImportaNovaTabela(const TParametrosConexao& conexao, const TListaTextos& tabelas,
                       TCargaColunas& carga, const TProgresso& progresso,
                       const TFabricaConexao& fabrica) {
    if (progresso) {
        progresso("Loading New Tables. Wait...", 0);
    }
    TArrColunas antigas;
    if (carga.controlaColunas) {
        for (const auto& coluna : std::as_const(*carga.controlaColunas).getColunas()) {
            auto copia = std::make_unique<TColuna>();
            copia->Decodifica(coluna->Codifica());
            copia->CopiaFatosDe(*coluna);
            antigas.push_back(std::move(copia));
        }
    }
    try {
        Carrega(conexao, tabelas, carga, progresso, fabrica);
    } catch (...) {
        if (progresso) {
            progresso("", 0);
        }
        throw;
    }
    for (auto& coluna : carga.controlaColunas->getColunas()) {
        antigas.push_back(std::move(coluna));
    }
    // The types of the mapping's earlier columns stay in its list.
    CompletaTiposProvider(carga.tiposProvider, antigas);
    auto todas = std::make_unique<TControlaColunas>(antigas.size());
    todas->CopiaColunas(antigas);
    carga.controlaColunas = std::move(todas);
    RegistraTabelasOcultas(carga);
    if (progresso) {
        progresso("", 0);
    }
}

} // namespace fendril

#include "schema/TMostraTabelas.h"

#include "schema/TManipulaColunas.h"
#include "schema/TManipulaTabelas.h"
#include "schema/TSessaoConexoes.h"

#include <algorithm>
#include <unordered_set>

namespace fendril {

TMostraTabelas::TMostraTabelas(TParametrosConexao conexao, std::string catalogo,
                               TFabricaConexao fabrica)
    : m_conexao(std::move(conexao)), m_catalogo(std::move(catalogo)),
      m_fabrica(std::move(fabrica)) {}

std::string TMostraTabelas::TipoDaOpcao(const std::string& opcao) {
    if (opcao == "Simple Tables" || opcao == "table") {
        return "TABLE";
    }
    if (opcao == "System Tables" || opcao == "system") {
        return "SYSTEM TABLE";
    }
    if (opcao == "Views" || opcao == "view") {
        return "VIEW";
    }
    return "";
}

TListaTextos TMostraTabelas::PreencheLista(const std::string& tipo, const std::string& esquema,
                                           const TProgresso& progresso) {
    m_relacoes.clear();
    TListaTextos resultado;
    // The foreign-key readings of one listing share their connections.
    TSessaoConexoes sessao(m_fabrica);
    const TFabricaConexao fabricaOriginal = m_fabrica;
    m_fabrica = sessao.Fabrica();
    struct Restaura {
        TFabricaConexao& fabrica;
        const TFabricaConexao& original;
        ~Restaura() { fabrica = original; }
    } restaura{m_fabrica, fabricaOriginal};

    TManipulatabelas leitor(m_conexao.stringConexao, m_conexao.usuario, m_conexao.senha,
                            m_conexao.nomeBaseDados, m_fabrica);
    leitor.Abre(3, m_catalogo);
    TColecaoTabelas& tabelas = leitor.getColecao();
    const auto total = static_cast<std::size_t>(tabelas.getQuantidade());
    m_log = {"### Loading Tables ###"};
    m_log.insert(m_log.end(), leitor.getLog().begin(), leitor.getLog().end());

    std::unordered_set<std::string> excluir;
    for (const std::string& nome : excluidas) {
        excluir.insert(ChaveSemCaixa(nome));
    }
    std::unordered_set<std::string> esquemasVistos;
    for (const std::string& e : m_esquemas) {
        esquemasVistos.insert(ChaveSemCaixa(e));
    }
    std::size_t n = 0;
    while (!tabelas.getFim()) {
        const TTabela& tabela = tabelas.getTabela();
        const bool passa = (tipo.empty() || tipo == tabela.tipo) &&
                           !(semSistema && tabela.tipo.rfind("SYSTEM", 0) == 0) &&
                           (esquema.empty() || esquema == "All" || esquema == tabela.esquema);
        if (passa) {
            const std::string nome = tabela.getNomeCompleto();
            if (excluir.count(ChaveSemCaixa(nome)) == 0) {
                resultado.push_back(nome);
                if (checaEstrangeiras) {
                    PreencheTabelasEstrangeiras(tabela.esquema, tabela.nome);
                }
                if (esquema.empty() && !tabela.esquema.empty() &&
                    esquemasVistos.insert(ChaveSemCaixa(tabela.esquema)).second) {
                    m_esquemas.push_back(tabela.esquema);
                }
            }
        }
        ++n;
        if (progresso) {
            const std::int32_t porcentagem = Porcentagem(n, total);
            progresso("Loading Available Tables. Wait...(" + std::to_string(porcentagem) + "%)",
                      porcentagem);
        }
        tabelas.Proximo();
    }
    if (esquema.empty()) {
        std::sort(m_esquemas.begin(), m_esquemas.end(),
                  [](const std::string& a, const std::string& b) {
                      return ChaveSemCaixa(a) < ChaveSemCaixa(b);
                  });
        m_textoEsquema = "All";
    }
    if (progresso) {
        progresso("", 0);
    }
    return resultado;
}

void TMostraTabelas::PreencheTabelasEstrangeiras(const std::string& nome) {
    TTabelasFonte fonte;
    const auto [esquema, tabela] = ResolveNomeTabela(m_conexao, nome, fonte, m_fabrica);
    PreencheTabelasEstrangeiras(esquema, tabela);
}

void TMostraTabelas::PreencheTabelasEstrangeiras(const std::string& esquema,
                                                 const std::string& tabela) {
    TTabela registro;
    registro.esquema = esquema;
    registro.nome = tabela;
    const std::string nome = registro.getNomeCompleto();
    TManipulaColunas leitor(m_conexao.stringConexao, m_conexao.usuario, m_conexao.senha,
                            m_conexao.nomeBaseDados, m_fabrica);
    leitor.Abre(1, tabela);
    TColecaoColunas& colunas = leitor.getColecao();
    while (!colunas.getFim()) {
        const TColuna& coluna = colunas.getColuna();
        if (coluna.chaveEstrangeira && coluna.getTabela().esquema == esquema) {
            m_relacoes.push_back(coluna.getColunaEstrangeira()->getTabela().getNomeCompleto() +
                                 "->" + nome + "->");
        }
        colunas.Proximo();
    }
    m_log.push_back("### Loading Foreign Tables of " + nome + " ###");
    m_log.insert(m_log.end(), leitor.getLog().begin(), leitor.getLog().end());
}

void TMostraTabelas::ProcuraPais(const std::string& nome, TListaTextos& lista) const {
    for (const std::string& relacao : m_relacoes) {
        const TListaTextos partes = SeparaCampos(relacao, "->");
        if (partes.size() >= 2 && partes[1] == nome) {
            lista.push_back(partes[0]);
        }
    }
}

void TMostraTabelas::MarcaPais(const std::string& nome, bool estado,
                               std::vector<TItem>& itens) const {
    TListaTextos pais;
    ProcuraPais(nome, pais);
    for (TItem& item : itens) {
        if (std::find(pais.begin(), pais.end(), item.nome) != pais.end()) {
            item.marcado = estado;
        }
    }
}

std::string getNomeTabelaAccess(const std::string& nome) {
    if (nome.find(' ') == std::string::npos) {
        return nome;
    }
    const std::size_t ponto = nome.find('.');
    if (ponto == std::string::npos) {
        return "[" + nome + "]";
    }
    return nome.substr(0, ponto + 1) + "[" + nome.substr(ponto + 1) + "]";
}

} // namespace fendril

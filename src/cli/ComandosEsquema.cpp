#include "cli/ComandosEsquema.h"

#include "documents/DocumentoMapeamento.h"
#include "documents/TArquivoKMF.h"
#include "model/ArquivoTexto.h"
#include "model/Erros.h"
#include "model/Log.h"
#include "schema/CargaColunas.h"
#include "schema/RefreshReading.h"
#include "schema/TColecao.h"
#include "schema/TMostraTabelas.h"
#include "schema/TSessaoConexoes.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <unordered_set>
#include <utility>

namespace fendril {

namespace {

// The password named by --password-env; empty without the option.
std::string Senha(const TOpcoesEsquema& opcoes) {
    if (opcoes.variavelSenha.empty()) {
        return {};
    }
    const char* valor = std::getenv(opcoes.variavelSenha.c_str());
    if (valor == nullptr) {
        throw EErroGeral::Create("Environment Variable " + opcoes.variavelSenha + " Is Not Set !!");
    }
    return valor;
}

// The program's text of a failure, followed by the provider's when it adds something.
std::string Mensagem(const std::exception& erro) {
    if (const auto* geral = dynamic_cast<const EErroGeral*>(&erro)) {
        const std::string proprio = geral->textoErro();
        const std::string provedor = geral->what();
        if (proprio.find(provedor) != std::string::npos) {
            return proprio;
        }
        return proprio + ": " + provedor;
    }
    return erro.what();
}

TParametrosConexao Parametros(const TOpcoesEsquema& opcoes) {
    DefineTempoLimite(std::chrono::seconds(opcoes.tempoLimite));
    return {opcoes.conexao, opcoes.usuario, Senha(opcoes), opcoes.baseDados};
}

TListaTextos SeparaVirgulas(const std::string& texto) {
    TListaTextos nomes;
    for (std::string nome : SeparaCampos(texto + ",", ",")) {
        const auto inicio = nome.find_first_not_of(" \t");
        if (inicio == std::string::npos) {
            continue;
        }
        nome = nome.substr(inicio, nome.find_last_not_of(" \t") - inicio + 1);
        nomes.push_back(std::move(nome));
    }
    return nomes;
}

// The output of an import replaces only a mapping document (or an empty file): a typo must
// not cost the user a database or another document.
void VerificaSaida(const std::string& caminho) {
    std::error_code erro;
    const auto estado = std::filesystem::status(caminho, erro);
    if (!std::filesystem::exists(estado)) {
        return;
    }
    if (std::filesystem::is_regular_file(estado) &&
        std::filesystem::file_size(caminho, erro) == 0) {
        return;
    }
    try {
        // The description lines come first: the file is read only until both are seen.
        bool conexao = false;
        bool baseDados = false;
        if (TArquivoKMF::LeAte(caminho, [&](const TArquivoKMF& linha) {
                conexao = conexao || !linha.LeSecao("descricao", "edit_constring", false).empty();
                baseDados =
                    baseDados || !linha.LeSecao("descricao", "combo_basedados", false).empty();
                return conexao && baseDados;
            })) {
            return;
        }
    } catch (const std::exception&) {
    }
    throw EErroGeral::Create("The File \"" + caminho +
                             "\" Is Not A Mapping Document: It Is Not Replaced !!");
}

// Prints each new status text on a line of its own.
class TProgressoTexto {
public:
    explicit TProgressoTexto(std::ostream& erros) : m_erros(erros) {}
    TProgresso Funcao() {
        return [this](const std::string& texto, std::int32_t) {
            if (!texto.empty() && texto != m_ultimo) {
                m_erros << texto << '\n';
                m_ultimo = texto;
            }
        };
    }

private:
    std::ostream& m_erros;
    std::string m_ultimo;
};

} // namespace

int ComandoDatabases(const TOpcoesEsquema& opcoes, std::ostream& saida, std::ostream& erros) {
    try {
        const TParametrosConexao conexao = Parametros(opcoes);
        TManipulaBaseDados leitor(conexao.stringConexao, conexao.usuario, conexao.senha);
        leitor.Abre();
        std::string texto;
        for (auto& c = leitor.getColecao(); !c.getFim(); c.Proximo()) {
            texto += c.getBaseDados().nome;
            texto += '\n';
        }
        saida << texto;
        return 0;
    } catch (const std::exception& erro) {
        erros << Mensagem(erro) << '\n';
        return 1;
    }
}

int ComandoTables(const TOpcoesEsquema& opcoes, std::ostream& saida, std::ostream& erros) {
    try {
        TMostraTabelas chooser(Parametros(opcoes), opcoes.baseDados);
        std::string texto;
        for (const std::string& nome :
             chooser.PreencheLista(TMostraTabelas::TipoDaOpcao(opcoes.tipo), opcoes.esquema)) {
            texto += nome;
            texto += '\n';
        }
        saida << texto;
        return 0;
    } catch (const std::exception& erro) {
        erros << Mensagem(erro) << '\n';
        return 1;
    }
}

int ComandoImport(const TOpcoesEsquema& opcoes, std::ostream& erros) {
    TCargaColunas carga;
    int codigo = 0;
    try {
        VerificaSaida(opcoes.saida);
        const TParametrosConexao conexao = Parametros(opcoes);
        // The listing and the load read through one connection.
        TSessaoConexoes sessao;
        TDescricaoMapeamento descricao;
        const bool adiciona = !opcoes.adicionaA.empty();
        TListaTextos existentes;
        if (adiciona) {
            TArquivoKMF documento;
            documento.Abre(opcoes.adicionaA);
            descricao = LeDocumentoMapeamento(documento);
            carga.controlaColunas = std::move(descricao.controlaColunas);
            carga.tiposProvider = descricao.tiposProvider;
            if (carga.controlaColunas) {
                existentes = std::as_const(*carga.controlaColunas).getNomesTabelas();
            }
        } else {
            descricao.edit_data = DataAtual();
            descricao.Edit_nome = std::filesystem::path(opcoes.saida).stem().string();
        }

        TListaTextos tabelas;
        if (opcoes.tabelas) {
            // Tables the mapping has are left out whatever their case, as the chooser does;
            // among the names given, only repeats are, so that none is lost unsaid.
            std::unordered_set<std::string> jaTem;
            for (const std::string& nome : existentes) {
                jaTem.insert(ChaveSemCaixa(nome));
            }
            std::unordered_set<std::string> dados;
            for (const std::string& nome : SeparaVirgulas(*opcoes.tabelas)) {
                if (jaTem.count(ChaveSemCaixa(nome)) == 0 && dados.insert(nome).second) {
                    tabelas.push_back(nome);
                }
            }
        } else {
            TMostraTabelas chooser(conexao, opcoes.baseDados, sessao.Fabrica());
            chooser.excluidas = existentes;
            // Without --type, tables and views: system tables only with --type all or system.
            chooser.semSistema = opcoes.tipo.empty();
            tabelas =
                chooser.PreencheLista(TMostraTabelas::TipoDaOpcao(opcoes.tipo), opcoes.esquema);
        }

        TProgressoTexto progresso(erros);
        // Adding leaves the mapped tables as they are, however the database changed.
        std::string naoAtualizadas;
        if (adiciona && !existentes.empty()) {
            naoAtualizadas =
                "Tables Already In The Mapping Are Not Refreshed: Run \"fendril-cli refresh " +
                opcoes.saida + "\" To Bring Them Up To Date";
            erros << naoAtualizadas << '\n';
        }
        if (!tabelas.empty()) {
            if (adiciona) {
                ImportaNovaTabela(conexao, tabelas, carga, progresso.Funcao(), sessao.Fabrica());
            } else {
                CarregaControlaColunas(conexao, tabelas, carga, progresso.Funcao(),
                                       sessao.Fabrica());
            }
        }
        if (!naoAtualizadas.empty()) {
            carga.log.push_back(LinhaLog(naoAtualizadas));
        }

        // A table named on the command line that gave no column must exist.
        if (opcoes.tabelas && !tabelas.empty()) {
            const TControlaColunas& lidas = *carga.controlaColunas;
            for (const std::string& nome : tabelas) {
                if (lidas.getNomesColunas(nome).empty() &&
                    !TabelaExiste(conexao, nome, sessao.Fabrica())) {
                    throw EErroGeral::Create("Table \"" + nome + "\" Does Not Exist !!");
                }
            }
        }
        for (const std::string& aviso : carga.avisos) {
            erros << aviso << '\n';
        }
        if (opcoes.nome) {
            descricao.Edit_nome = *opcoes.nome;
        }
        descricao.Edit_autor = opcoes.autor;
        descricao.edit_constring = opcoes.conexao;
        descricao.edit_usuario = opcoes.usuario;
        // A password is kept only at the user's request; otherwise it comes from the
        // environment at each use.
        descricao.edit_Senha = opcoes.salvaSenha ? conexao.senha : std::string();
        // The database the templates name as <dbname>: the one given, the one the mapping
        // being added to names, or the one the connection works in.
        if (!opcoes.baseDados.empty()) {
            descricao.combo_basedados = opcoes.baseDados;
        } else if (descricao.combo_basedados.empty()) {
            descricao.combo_basedados = BaseDadosAberta(conexao, sessao.Fabrica());
        }
        // Nothing more is read from the database: the rowsets the connection holds go before
        // the document is built, which keeps them out of the peak memory.
        sessao.Encerra();
        descricao.controlaColunas = std::move(carga.controlaColunas);
        descricao.tiposProvider = carga.tiposProvider;
        TArquivoKMF documento = MontaDocumentoMapeamento(descricao);
        // The document holds all it needs: the column records go before it is scrambled
        // and written, for the same reason.
        descricao.controlaColunas.reset();
        documento.Salva(opcoes.saida);
    } catch (const std::exception& erro) {
        erros << Mensagem(erro) << '\n';
        carga.log.push_back(LinhaLog(Mensagem(erro)));
        codigo = 1;
    }
    if (!opcoes.log.empty()) {
        try {
            GravaLinhasTexto(opcoes.log, carga.log);
        } catch (const std::exception& erro) {
            erros << Mensagem(erro) << '\n';
            codigo = 1;
        }
    }
    return codigo;
}

namespace {

std::string Quantas(std::size_t n, const char* uma, const char* varias) {
    return std::to_string(n) + " " + (n == 1 ? uma : varias);
}

} // namespace

int ComandoRefresh(const TOpcoesRefresh& opcoes, std::ostream& saida, std::ostream& erros) {
    try {
        TDescricaoMapeamento descricao;
        try {
            TArquivoKMF documento;
            documento.Abre(opcoes.mapeamento);
            descricao = LeDocumentoMapeamento(documento);
        } catch (const EListError&) {
            throw EErroGeral::Create("The File \"" + opcoes.mapeamento +
                                     "\" Is Not A Mapping Document !!");
        }
        DefineTempoLimite(std::chrono::seconds(opcoes.tempoLimite));
        TOpcoesEsquema senha;
        senha.variavelSenha = opcoes.variavelSenha;
        const TParametrosConexao conexao{opcoes.conexao.value_or(descricao.edit_constring),
                                         opcoes.usuario.value_or(descricao.edit_usuario),
                                         opcoes.variavelSenha.empty() ? descricao.edit_Senha
                                                                      : Senha(senha),
                                         opcoes.baseDados.value_or(descricao.combo_basedados)};
        if (conexao.stringConexao.empty()) {
            throw EErroGeral::Create(
                "The Mapping Has No Connection String: Give One With --connection !!");
        }
        std::optional<TListaTextos> tabelas;
        if (opcoes.tabelas) {
            tabelas = SeparaVirgulas(*opcoes.tabelas);
        }
        TCargaColunas mapa;
        mapa.controlaColunas = std::move(descricao.controlaColunas);
        mapa.tiposProvider = descricao.tiposProvider;
        TProgressoTexto progresso(erros);
        const TRefreshReading leitura =
            ReadForRefresh(conexao, mapa.controlaColunas.get(), tabelas, progresso.Funcao());
        for (const std::string& aviso : leitura.banco.avisos) {
            erros << aviso << '\n';
        }
        saida << ChangesText(leitura.changes);
        const auto aplicaveis = static_cast<std::size_t>(
            std::count_if(leitura.changes.begin(), leitura.changes.end(),
                          [](const TRefreshChange& mudanca) { return mudanca.applicable; }));
        if (opcoes.verificacao || opcoes.simulacao) {
            erros << (leitura.changes.empty() ? std::string("The Mapping Is Up To Date")
                                              : Quantas(aplicaveis, "Change", "Changes") +
                                                    ": The Mapping Is Out Of Date")
                  << (opcoes.verificacao ? "" : " (Dry Run: Nothing Written)") << '\n';
            return opcoes.verificacao && !leitura.changes.empty() ? 1 : 0;
        }
        const std::string destino = opcoes.saida.empty() ? opcoes.mapeamento : opcoes.saida;
        const bool senhaNova = opcoes.salvaSenha && conexao.senha != descricao.edit_Senha;
        // An up-to-date mapping stays the very file it was.
        if (leitura.changes.empty() && !senhaNova && destino == opcoes.mapeamento) {
            erros << "The Mapping Is Up To Date\n";
            return 0;
        }
        if (destino != opcoes.mapeamento) {
            VerificaSaida(destino);
        }
        ApplyRefreshReading(mapa, leitura);
        descricao.controlaColunas = std::move(mapa.controlaColunas);
        descricao.tiposProvider = mapa.tiposProvider;
        if (opcoes.salvaSenha) {
            descricao.edit_Senha = conexao.senha;
        }
        MontaDocumentoMapeamento(descricao).Salva(destino);
        erros << Quantas(aplicaveis, "Change", "Changes") << " Applied: " << destino << '\n';
        return 0;
    } catch (const std::exception& erro) {
        erros << Mensagem(erro) << '\n';
        return 1;
    }
}

} // namespace fendril

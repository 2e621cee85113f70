#include "cli/ComandosEsquema.h"

#include "documents/DocumentoMapeamento.h"
#include "documents/TArquivoKMF.h"
#include "model/ArquivoTexto.h"
#include "model/Erros.h"
#include "model/Log.h"
#include "schema/CargaColunas.h"
#include "schema/TColecao.h"
#include "schema/TMostraTabelas.h"
#include "schema/TSessaoConexoes.h"

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
        TArquivoKMF documento;
        documento.Abre(caminho);
        if (!documento.LeSecao("descricao", "edit_constring", false).empty() &&
            !documento.LeSecao("descricao", "combo_basedados", false).empty()) {
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
        if (!tabelas.empty()) {
            if (adiciona) {
                ImportaNovaTabela(conexao, tabelas, carga, progresso.Funcao(), sessao.Fabrica());
            } else {
                CarregaControlaColunas(conexao, tabelas, carga, progresso.Funcao(),
                                       sessao.Fabrica());
            }
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
        descricao.controlaColunas = std::move(carga.controlaColunas);
        descricao.tiposProvider = carga.tiposProvider;
        MontaDocumentoMapeamento(descricao).Salva(opcoes.saida);
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

} // namespace fendril

// The preview of a template: what the run gives for one page of a template document and one
// table, through the run's own naming and expansion steps (see TProcessaGeracao.cpp).
#include "documents/TDocModelos.h"
#include "engine/TMontaCodigo.h"
#include "generation/TProcessaGeracao.h"
#include "model/Erros.h"

#include <algorithm>

namespace fendril {

namespace {

// The kinds of template, as CarregaTipos and LeTipos take them.
constexpr int kModeloTabela = 1;
constexpr int kModeloGeral = 2;

// A naming failure as the run logs it, without the template's path in front.
std::string SemCaminho(const std::string& mensagem, const std::string& caminho) {
    std::string prefixo = caminho;
    prefixo += " -> ";
    if (mensagem.compare(0, prefixo.size(), prefixo) == 0) {
        return mensagem.substr(prefixo.size());
    }
    return mensagem;
}

} // namespace

TPrevia TProcessaGeracao::Previa(const TArquivoKMF& modelo, const std::string& caminhoModelo,
                                 bool geral, const std::string& tabela,
                                 TPaginaPrevia pagina) const {
    TPrevia previa;
    if (!m_mapeamentoCarregado) {
        previa.erro = m_erroMapeamento.empty() ? "No Mapping Is Loaded !!" : m_erroMapeamento;
        return previa;
    }
    // The first naming failure is why a name is missing; the log lines are the run's own.
    std::string falhaNomes;
    const TRegistro falha = [&falhaNomes, &caminhoModelo](const std::string& mensagem) {
        if (falhaNomes.empty()) {
            falhaNomes = SemCaminho(mensagem, caminhoModelo);
        }
    };
    const TRegistro ignora = [](const std::string&) {};
    const auto semArquivo = [&](const char* motivo) {
        previa.erro = falhaNomes.empty() ? std::string(motivo) : falhaNomes;
        return previa;
    };
    const TListaTextos tabelas = Tabelas();
    const auto daTabela = [&] {
        if (std::find(tabelas.begin(), tabelas.end(), tabela) == tabelas.end()) {
            std::string mensagem = "The Table \"";
            mensagem += tabela;
            mensagem += "\" Is Not In The Mapping !!";
            throw EErroGeral::Create(mensagem);
        }
    };
    // One file for one table, or one over the whole mapping. The engine checks the tags of
    // the text before it expands it (the run's check, raising the same message), so the
    // check is not run twice where a file follows.
    const auto gera = [&](const std::string& nome, const TListaTextos& tipos,
                          const std::string& classePai, const TListaTextos& reservadas,
                          const std::string& texto, bool porTabela) {
        previa.conteudo =
            porTabela ? Expande(*ColunasDaTabela(tabela), classePai, tipos, reservadas, texto)
                      : Expande(*m_colunas, classePai, tipos, reservadas, texto);
        previa.nome = nome;
        previa.gerado = true;
        previa.porTabela = porTabela;
    };
    try {
        if (geral) {
            if (pagina != TPaginaPrevia::Classe) {
                return semArquivo("A General Template Has No Such Page !!");
            }
            const NomesGeral nomes = LeNomesGeral(modelo, caminhoModelo, falha);
            const TListaTextos tipos = LeTipos(modelo, kModeloGeral, caminhoModelo, ignora);
            if (nomes.padrao.empty()) {
                return semArquivo("The Template Names No File !!");
            }
            const std::string codigo =
                LeValor(modelo, kCamposModeloGeral, &TDocModeloGeral::classeObjeto);
            if (PadraoDeTabela(nomes.padrao)) {
                const std::string texto = CorpoDeTabela(codigo);
                daTabela();
                std::string identificador;
                gera(NomeArquivoTabela(tabela, nomes.padrao, nomes.forma, identificador), tipos,
                     nomes.classePai, nomes.forma.reservadas, texto, true);
            } else {
                gera(nomes.padrao, tipos, nomes.classePai, nomes.forma.reservadas, codigo, false);
            }
            return previa;
        }
        const NomesTabela nomes = LeNomesTabela(modelo, caminhoModelo, falha);
        const TListaTextos tipos = LeTipos(modelo, kModeloTabela, caminhoModelo, ignora);
        switch (pagina) {
        case TPaginaPrevia::Classe: {
            if (nomes.padrao.empty()) {
                return semArquivo("The Template Names No Table Class File !!");
            }
            const std::string texto = CorpoDeTabela(
                LeValor(modelo, kCamposModeloTabela, &TDocModeloTabela::classeObjeto));
            daTabela();
            std::string identificador;
            gera(NomeArquivoTabela(tabela, nomes.padrao, nomes.forma, identificador), tipos,
                 nomes.classePai, nomes.forma.reservadas, texto, true);
            break;
        }
        case TPaginaPrevia::ClassePai: {
            if (nomes.classePai.empty()) {
                return semArquivo("The Template Names No Parent Class !!");
            }
            const std::string texto =
                LeValor(modelo, kCamposModeloTabela, &TDocModeloTabela::classePai);
            TMontaCodigo::VerificaTags(texto);
            if (nomes.arquivoPai.empty()) {
                return semArquivo("The Template Names No Parent Class File !!");
            }
            gera(nomes.arquivoPai, tipos, nomes.classePai, nomes.forma.reservadas, texto, false);
            break;
        }
        case TPaginaPrevia::Make: {
            if (nomes.arquivoMake.empty()) {
                return semArquivo("The Template Names No Make File !!");
            }
            const std::string texto = LeValor(modelo, kCamposModeloTabela, &TDocModeloTabela::make);
            gera(nomes.arquivoMake, tipos, nomes.classePai, nomes.forma.reservadas, texto, false);
            break;
        }
        }
    } catch (const EErroGeral& erro) {
        previa = {};
        previa.erro = erro.textoErro();
    } catch (const std::exception& erro) {
        previa = {};
        previa.erro = erro.what();
    }
    return previa;
}

} // namespace fendril

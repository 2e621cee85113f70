#include "cli/ComandosGeracao.h"

#include "documents/TArquivoKMF.h"
#include "documents/TDocModelos.h"
#include "generation/TProcessaGeracao.h"
#include "model/Erros.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

namespace fendril {

namespace fs = std::filesystem;

std::string ResolveCaminho(const std::string& pasta, const std::string& caminho) {
    if (caminho.empty()) {
        return caminho;
    }
    std::string normalizado = caminho;
    std::replace(normalizado.begin(), normalizado.end(), '\\', '/');
    const fs::path p(normalizado);
    return p.is_absolute() ? normalizado : (fs::path(pasta) / p).lexically_normal().string();
}

namespace {

// How many failure lines a run prints before it only counts the rest.
constexpr std::size_t FalhasMostradas = 20;

// Fills the options from a generation document: its mapping, its ticked templates in list
// order and its generation directory, relative paths taken from the document's folder.
TOpcoesGeracao LeDocumento(const TOpcoesGeracao& linhaDeComando) {
    TArquivoKMF arquivo;
    arquivo.Abre(linhaDeComando.documento);
    TDocGeracao documento;
    documento.setArquivo(arquivo);

    const std::string pasta = fs::path(linhaDeComando.documento).parent_path().string();
    TOpcoesGeracao opcoes = linhaDeComando;
    opcoes.mapeamento = ResolveCaminho(pasta, documento.arquivoMapeamento);
    opcoes.diretorio = ResolveCaminho(pasta, documento.diretorioGeracao);
    for (const TModeloMarcado& modelo : documento.modelosTabela) {
        if (modelo.marcado) {
            opcoes.modelosTabela.push_back(ResolveCaminho(pasta, modelo.caminho));
        }
    }
    for (const TModeloMarcado& modelo : documento.modelosGerais) {
        if (modelo.marcado) {
            opcoes.modelosGerais.push_back(ResolveCaminho(pasta, modelo.caminho));
        }
    }
    return opcoes;
}

void VerificaOpcoes(const TOpcoesGeracao& opcoes) {
    if (opcoes.diretorio.empty()) {
        throw EErroGeral::Create("A Generation Directory Must Be Specified !!");
    }
    if (opcoes.mapeamento.empty()) {
        throw EErroGeral::Create("A Mapping File Must Be Specified !!");
    }
    if (opcoes.modelosTabela.empty() && opcoes.modelosGerais.empty()) {
        throw EErroGeral::Create("At Least One Template Must Be Specified !!");
    }
}

// The overwrite question on the terminal; end of input answers No To All.
std::string PerguntaNoTerminal(TTerminal& terminal, std::ostream& erros,
                               const std::string& pergunta) {
    for (;;) {
        erros << pergunta << " [y]es, yes to [a]ll, [n]o, n[o] to all: " << std::flush;
        std::string resposta;
        if (!std::getline(terminal.entrada, resposta)) {
            erros << '\n';
            return "mr_noall";
        }
        if (resposta == "y" || resposta == "yes") {
            return "mr_yes";
        }
        if (resposta == "a" || resposta == "yes to all") {
            return "mr_yesall";
        }
        if (resposta == "n" || resposta == "no") {
            return "mr_no";
        }
        if (resposta == "o" || resposta == "no to all") {
            return "mr_noall";
        }
    }
}

} // namespace

int ComandoGenerate(const TOpcoesGeracao& linhaDeComando, TTerminal terminal, std::ostream& saida,
                    std::ostream& erros) {
    TOpcoesGeracao opcoes;
    try {
        opcoes = linhaDeComando.documento.empty() ? linhaDeComando : LeDocumento(linhaDeComando);
        VerificaOpcoes(opcoes);
    } catch (const std::exception& erro) {
        erros << erro.what() << '\n';
        return 2;
    }

    // A run writes its files and its log into the generation directory: one that is not
    // there stops it before anything is read.
    if (!opcoes.listar) {
        std::error_code erro;
        if (!fs::is_directory(opcoes.diretorio, erro)) {
            erros << "The Generation Directory \"" << opcoes.diretorio << "\" "
                  << (fs::exists(opcoes.diretorio, erro) ? "Is Not A Directory" : "Does Not Exist")
                  << " !!\n";
            return 2;
        }
    }

    TProcessaGeracao processa;
    processa.caminhoMapeamento = opcoes.mapeamento;
    processa.diretorioGeracao = opcoes.diretorio;
    processa.limiteSaida = opcoes.limiteSaida;
    processa.AdicionaModelosTabela(opcoes.modelosTabela);
    processa.AdicionaModelosGerais(opcoes.modelosGerais);
    if (!processa.Prepara()) {
        erros << processa.erroMapeamento() << '\n';
        return 2;
    }
    const TListaTextos listados = processa.ListaArquivos();
    if (opcoes.listar) {
        for (const std::string& nome : listados) {
            saida << nome << '\n';
        }
        return 0;
    }

    std::string sobrescrita = opcoes.sobrescrita;
    if (sobrescrita.empty()) {
        sobrescrita = terminal.entradaInterativa ? "ask" : "none";
    }
    processa.perguntaSobrescrita = [&](const std::string& pergunta) -> std::string {
        if (sobrescrita == "all") {
            return "mr_yesall";
        }
        if (sobrescrita == "none") {
            return "mr_noall";
        }
        return PerguntaNoTerminal(terminal, erros, pergunta);
    };
    processa.eventoArquivo = [&](const std::string& caminho) { saida << caminho << '\n'; };
    if (terminal.errosInterativos) {
        processa.eventoModelo = [&](const std::string& modelo, int porcento, int) {
            erros << "Template " << ExtraiNome(modelo) << " (" << porcento << "%)\n";
        };
        processa.eventoTabela = [&](const std::string& tabela, const std::string&, int porcento) {
            if (!tabela.empty()) {
                erros << "  Table " << tabela << " (" << porcento << "%)\r" << std::flush;
            }
        };
    }
    processa.Executa();

    saida << processa.escritos() << " written, " << processa.pulados() << " skipped, "
          << processa.falhas() << " failed\n";
    if (processa.falhas() == 0) {
        return 0; // files kept at the user's word are skipped, not failed
    }
    // Each failure's log line, so that the reasons need no log viewer.
    const TListaTextos& falhas = processa.getFalhas();
    const std::size_t mostradas = std::min(falhas.size(), FalhasMostradas);
    for (std::size_t i = 0; i < mostradas; ++i) {
        erros << falhas[i] << '\n';
    }
    if (falhas.size() > mostradas) {
        erros << "... and " << falhas.size() - mostradas << " more failures\n";
    }
    erros << "Some Files Could Not Be Created. View Log For Details. \n"
          << JuntaCaminho(opcoes.diretorio, "log.txt") << '\n';
    return 1;
}

} // namespace fendril

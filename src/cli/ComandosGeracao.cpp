#include "cli/ComandosGeracao.h"

#include "documents/TArquivoKMF.h"
#include "documents/TDocModelos.h"
#include "generation/FusaoTextos.h"
#include "generation/TProcessaGeracao.h"
#include "model/Erros.h"
#include "model/Log.h"

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
    opcoes.fundeEdicoes = documento.fundeEdicoes;
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

// The overwrite question on the terminal; end of input answers No To All. Merge is offered
// for a file that has kept content to merge with.
std::string PerguntaNoTerminal(TTerminal& terminal, std::ostream& erros,
                               const std::string& pergunta, bool podeFundir) {
    for (;;) {
        erros << pergunta << " [y]es, yes to [a]ll, [n]o, n[o] to all"
              << (podeFundir ? ", [m]erge, merge a[l]l: " : ", merge a[l]l: ") << std::flush;
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
        if (podeFundir && (resposta == "m" || resposta == "merge")) {
            return "mr_merge";
        }
        if (resposta == "l" || resposta == "merge all") {
            return "mr_mergeall";
        }
    }
}

// Each failure's (or conflict's) log line, so that the reasons need no log viewer.
void MostraLinhas(const TListaTextos& linhas, const char* oQue, std::ostream& erros) {
    const std::size_t mostradas = std::min(linhas.size(), FalhasMostradas);
    for (std::size_t i = 0; i < mostradas; ++i) {
        erros << linhas[i] << '\n';
    }
    if (linhas.size() > mostradas) {
        erros << "... and " << linhas.size() - mostradas << " more " << oQue << "\n";
    }
}

// --list, --check and --diff: the run rendered in memory, nothing written.
int Simula(TProcessaGeracao& processa, const TOpcoesGeracao& opcoes, std::ostream& saida,
           std::ostream& erros) {
    processa.simulacao = true;
    processa.guardaConteudos = opcoes.diferencas;
    processa.Executa();
    bool todosInalterados = true;
    for (const TArquivoGerado& arquivo : processa.getArquivos()) {
        todosInalterados = todosInalterados && arquivo.situacao == TSituacaoArquivo::Inalterado;
        if (opcoes.listar || opcoes.verificar) {
            const std::string_view situacao = NomeSituacao(arquivo.situacao);
            // Aligned after the longest situation, "hand-edited".
            saida << situacao << std::string(situacao.size() < 11 ? 11 - situacao.size() : 0, ' ')
                  << "  " << TextoDeLog(arquivo.nome) << '\n';
        }
        const bool mudaria = arquivo.situacao == TSituacaoArquivo::Novo ||
                             arquivo.situacao == TSituacaoArquivo::Alterado ||
                             arquivo.situacao == TSituacaoArquivo::EditadoAMao;
        if (opcoes.diferencas && mudaria) {
            saida << DiferencaUnificada(arquivo.existia ? &arquivo.anterior : nullptr, arquivo.novo,
                                        arquivo.nome);
        }
    }
    MostraLinhas(processa.getFalhas(), "failures", erros);
    if (processa.falhas() > 0) {
        return 1;
    }
    return opcoes.verificar && !todosInalterados ? 1 : 0;
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
    // there stops it before anything is read. A simulation writes nothing and needs none.
    if (!opcoes.listar && !opcoes.verificar && !opcoes.diferencas) {
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
    std::string sobrescrita = opcoes.sobrescrita;
    if (sobrescrita.empty() && opcoes.fundeEdicoes) {
        sobrescrita = "merge";
    }
    processa.fundeEdicoes = sobrescrita == "merge";
    if (opcoes.listar || opcoes.verificar || opcoes.diferencas) {
        return Simula(processa, opcoes, saida, erros);
    }

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
        // Under merge, only a file without kept content is asked about; without a
        // terminal it is kept.
        if (sobrescrita == "merge" && !terminal.entradaInterativa) {
            return "mr_no";
        }
        return PerguntaNoTerminal(terminal, erros, pergunta, processa.podeFundir());
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

    saida << processa.Resumo() << '\n';
    if (processa.falhas() == 0 && processa.conflitos() == 0) {
        return 0; // files kept at the user's word are skipped, not failed
    }
    MostraLinhas(processa.getFalhas(), "failures", erros);
    MostraLinhas(processa.getConflitos(), "conflicts", erros);
    if (processa.falhas() > 0) {
        erros << "Some Files Could Not Be Created. View Log For Details. \n";
    }
    if (processa.conflitos() > 0) {
        erros << "Some Merged Files Hold Conflict Markers: Resolve Them Before Building. \n";
    }
    erros << JuntaCaminho(opcoes.diretorio, "log.txt") << '\n';
    return 1;
}

} // namespace fendril

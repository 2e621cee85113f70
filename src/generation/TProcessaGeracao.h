#pragma once

#include "documents/CamposDocumento.h"
#include "documents/TArquivoKMF.h"
#include "engine/TMontaCodigo.h"
#include "generation/Previa.h"
#include "model/TControlaColunas.h"
#include "model/Textos.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace fendril {

// What happened, or would happen, to one output of a run. A run that writes reports the
// last six; a simulation (TProcessaGeracao::simulacao) the first five, or Falhou.
enum class TSituacaoArquivo {
    Novo,        // "new": no file there yet
    Alterado,    // "changed": the file differs, and holds what the run generated before
    Inalterado,  // "unchanged": the file already holds this content; it is not written
    EditadoAMao, // "hand-edited": the file differs from what the run generated before
    Colidente,   // "colliding": an earlier output of the same run has this path
    Escrito,     // "written"
    Fundido,     // "merged": the hand edits kept, the new content taken everywhere else
    Conflito,    // "conflict": written with conflict markers where both sides changed
    Pulado,      // "skipped": kept as it was at the person's word
    Falhou,      // "failed": could not be written (or, simulated, not formed)
};

// The word a listing and the progress window show for a situation ("hand-edited").
std::string_view NomeSituacao(TSituacaoArquivo situacao);

// One output of a run.
struct TArquivoGerado {
    std::string nome;    // as the template formed it, folders separated by "/"
    std::string caminho; // in the generation directory
    TSituacaoArquivo situacao = TSituacaoArquivo::Falhou;
    // Kept only by a simulation asked to (guardaConteudos), for a diff: whether a file was
    // there, its content, and what a run would write in its place (with fundeEdicoes, the
    // merge of a hand-edited file).
    bool existia = false;
    std::string anterior;
    std::string novo;
};

// The folder of the generation directory that keeps what the last run generated for each
// file, so that the next run can tell hand edits from its own output.
inline constexpr std::string_view kPastaGuardados = ".fendril";

// One generation: loads a mapping document, keeps its enabled columns, expands every
// template's code texts for them and writes the results into the generation directory,
// with a log of what it did in "log.txt" there.
class TProcessaGeracao {
public:
    // A table's file was produced (table, file name, percent).
    using TEventoTabela = std::function<void(const std::string&, const std::string&, int)>;
    // A template starts (path, percent, kind: 1 table-class, 2 general).
    using TEventoModelo = std::function<void(const std::string&, int, int)>;
    // A file was written (full path).
    using TEventoArquivo = std::function<void(const std::string&)>;
    // The overwrite question: given its text, answers "mr_yes", "mr_yesall", "mr_no",
    // "mr_noall", "mr_merge", "mr_mergeall", or an empty text when it was closed otherwise.
    // While it is asked, podeFundir() says whether Merge can apply to the file.
    using TPerguntaSobrescrita = std::function<std::string(const std::string&)>;
    // An output's outcome (or, simulated, its situation) is known.
    using TEventoSituacao = std::function<void(const TArquivoGerado&)>;

    std::string caminhoMapeamento;
    std::string diretorioGeracao;
    // An expansion whose text passes this many bytes fails instead of exhausting memory.
    std::size_t limiteSaida = TMontaCodigo::kLimiteSaidaPadrao;
    // Threads that expand the files of a template's tables ahead of their writing (0: each
    // file is made by the thread that writes it). By default one per processor beside the
    // writing thread's, at most eight.
    std::size_t threadsExpansao = ThreadsExpansaoPadrao();
    static std::size_t ThreadsExpansaoPadrao();

    // The events and the question come on the thread that runs Executa, while the files of
    // the next tables may be expanded on others: a handler must not change the mapping.
    TEventoTabela eventoTabela;
    TEventoModelo eventoModelo;
    TEventoArquivo eventoArquivo;
    TPerguntaSobrescrita perguntaSobrescrita;
    TEventoSituacao eventoSituacao;

    // A simulation renders every output in memory and tells each one's situation; it
    // writes nothing (no file, no kept content, no log) and asks nothing.
    bool simulacao = false;
    // A simulation keeps each output's contents in its TArquivoGerado.
    bool guardaConteudos = false;
    // The run starts as if Merge All had been answered: a file edited by hand since it was
    // generated gets the hand edits merged into the new content.
    bool fundeEdicoes = false;
    // Whether the generation directory's file system ignores letter case in names; found
    // out by the run when not set.
    std::optional<bool> ignoraCaixa;

    void AdicionaModelosTabela(const TListaTextos& caminhos);
    void AdicionaModelosGerais(const TListaTextos& caminhos);

    // Loads the mapping once; true when it is loaded.
    bool Prepara();
    bool mapeamentoCarregado() const { return m_mapeamentoCarregado; }
    // Why the mapping could not be loaded (empty when it was, or was never tried).
    const std::string& erroMapeamento() const { return m_erroMapeamento; }
    // The names of the files the run will write, in order, not made distinct.
    TListaTextos ListaArquivos();
    // The run itself; does nothing when the mapping is not loaded.
    void Executa();

    const TListaTextos& getLog() const { return m_log; }
    const TControlaColunas& getColunas() const { return *m_colunas; }
    // What the last Executa did: files written (merged ones included), files that already
    // held their content, existing files left as they were, and failures (a failed save, a
    // refused or colliding name, a failed tag check, a template that could not be loaded
    // or read), with the log line of each failure; files written with hand edits merged,
    // cleanly or with conflicts, with the log line of each conflict.
    int escritos() const { return m_escritos; }
    int inalterados() const { return m_inalterados; }
    int pulados() const { return m_pulados; }
    int falhas() const { return m_falhas; }
    int fundidos() const { return m_fundidos; }
    int conflitos() const { return m_conflitos; }
    const TListaTextos& getFalhas() const { return m_linhasFalhas; }
    const TListaTextos& getConflitos() const { return m_linhasConflitos; }
    // "N written, U unchanged, M skipped, K failed", then "; G merged, C with conflicts"
    // when hand edits were merged.
    std::string Resumo() const;
    // Every output of the last Executa, in the order the run reached them.
    const std::vector<TArquivoGerado>& getArquivos() const { return m_arquivos; }
    // While the overwrite question is asked: whether the file has kept content to merge with.
    bool podeFundir() const { return m_podeFundir; }

    // How the table part of per-table file names is formed: the filters of the template's
    // name form, with its reserved words for "ident". Without filters, as the name is.
    struct TFormaNome {
        TCadeiaFiltros filtros;
        TListaTextos reservadas;
    };

    // The names a pattern stands for: one per table for "<tbname>" (the qualified name) and
    // for "<tbalias|tbshortname>" (the alias, or the short name where it is empty), one per
    // distinct alias for "<tbalias>", else the pattern itself. The table part goes through
    // the name form, then loses every ".".
    TListaTextos ExpandeNome(const std::string& padrao, const TFormaNome& forma = {}) const;

    // The tables of the loaded mapping, in the order the run writes their files.
    TListaTextos Tabelas() const { return m_colunas->getNomesTabelas(); }
    // What the run gives for `pagina` of a template document (as its window holds it, saved
    // or not; `caminhoModelo` is where it is kept, for a relative types file) for `tabela`
    // of the loaded mapping: the same naming and expansion steps, so the content is byte
    // for byte what the run writes. `geral` tells a general template. The parent class and
    // the make file, and a general template's single file, cover the whole mapping and do
    // not depend on `tabela`. Defined in PreviaModelo.cpp.
    TPrevia Previa(const TArquivoKMF& modelo, const std::string& caminhoModelo, bool geral,
                   const std::string& tabela, TPaginaPrevia pagina) const;

private:
    struct NomesTabela {
        bool carregado = false;
        std::string padrao;
        TFormaNome forma;
        std::string arquivoMake;
        std::string arquivoPai;
        std::string classePai;
    };
    struct NomesGeral {
        bool carregado = false;
        std::string padrao;
        TFormaNome forma;
        std::string classePai;
    };

    // Where the naming and types steps report: a failure, a log line.
    using TRegistro = std::function<void(const std::string&)>;

    void RegistraLog(const std::string& mensagem);
    // Logs a failure and counts it.
    void RegistraFalha(const std::string& mensagem);
    // Logs, after `rotulo`, the warnings about a template text (see TMontaCodigo::Diagnostica).
    void RegistraAvisos(const std::string& rotulo, const std::string& codigo, bool corpoDeTabela);
    void CarregaMapeamento();
    void CarregaColunasHabilitadas(std::unique_ptr<TControlaColunas> lidas);
    void CarregaModelo(const std::string& caminho, int tipo, TArquivoKMF& documento);
    NomesTabela NomesModeloTabela(const std::string& caminho);
    NomesGeral NomesModeloGeral(const std::string& caminho);
    // The names a loaded template document forms (`carregado` left false); failures go to
    // `falha`, and the names not formed by then stay empty.
    static NomesTabela LeNomesTabela(const TArquivoKMF& modelo, const std::string& caminho,
                                     const TRegistro& falha);
    static NomesGeral LeNomesGeral(const TArquivoKMF& modelo, const std::string& caminho,
                                   const TRegistro& falha);
    TListaTextos CarregaTipos(int tipo, const std::string& caminhoModelo);
    // The types correspondence lines of a template document: its types table, or the lines
    // of a general template's types file; what happens to the file goes to `log`.
    static TListaTextos LeTipos(const TArquivoKMF& modelo, int tipo,
                                const std::string& caminhoModelo, const TRegistro& log);
    // Whether a name pattern names one file per table (it holds a table tag).
    static bool PadraoDeTabela(const std::string& padrao);
    // A text wrapped in one table block, as per-table files expand it.
    static std::string CorpoDeTabela(const std::string& codigo);
    std::unique_ptr<TControlaColunas> ColunasDaTabela(const std::string& tabela) const;
    // The name of `tabela`'s file from a per-table pattern, and in `identificador` the
    // table's name as the pattern's tag takes it.
    std::string NomeArquivoTabela(const std::string& tabela, const std::string& padrao,
                                  const TFormaNome& forma, std::string& identificador) const;
    // The content of the file the run writes for a column set from a text (each line followed
    // by CR LF). The engine checks the text's tags first (raising the coherence message)
    // unless `verificado` says the caller already has.
    std::string Expande(const TControlaColunas& colunas, const std::string& classePai,
                        const TListaTextos& tipos, const TListaTextos& reservadas,
                        const std::string& texto, bool verificado = false) const;
    // The same with the types and reserved words prepared once for all files of a template.
    std::string Expande(const TControlaColunas& colunas, const std::string& classePai,
                        std::shared_ptr<const TMontaCodigo::TTiposPreparados> tipos,
                        const std::string& texto, bool verificado) const;
    void GeraModeloTabela(const std::string& caminho);
    void GeraModeloGeral(const std::string& caminho);
    // The pattern of per-table files and its name form's filters, from a template's naming
    // entries. A name form with an unknown filter is logged as a failure and leaves the
    // pattern empty: the template writes no per-table file.
    static void PadraoPorTabela(const std::string& caminho, const std::string& prefixo,
                                TNomeArquivoTabela nomeArquivo, const std::string& textoForma,
                                const std::string& sufixo, const std::string& extensao,
                                std::string& padrao, TFormaNome& forma, const TRegistro& falha);
    // One file per table of the mapping, from a text wrapped in one table block.
    void GeraArquivosPorTabela(const std::string& padrao, const TFormaNome& forma,
                               const std::string& classePai, const TListaTextos& tipos,
                               const std::string& texto, const std::string& modelo);
    // `reservadas`: the words "ident" must not give as they are. `origem` names what
    // produces the file (a table of a template, a template's make file), for the message
    // when two outputs name one path.
    void GeraArquivo(const TControlaColunas& colunas, const std::string& nome,
                     const std::string& classePai, const TListaTextos& tipos,
                     const TListaTextos& reservadas, const std::string& texto,
                     const std::string& origem);
    // The one place that decides whether and how a generated file is written.
    void GravaArquivo(const std::string& nome, std::string conteudo, const std::string& origem);
    // Keeps what the run generated for a file in the kept-content folder.
    struct TArquivoEmDisco;
    void GuardaConteudo(const std::string& nome, const std::string& conteudo,
                        TArquivoEmDisco& guardado, const TArquivoEmDisco* atual);
    // Records an output's outcome and reports it.
    void Conclui(TArquivoGerado arquivo, TSituacaoArquivo situacao);
    // The key under which the file system knows a name of the generation directory.
    std::string ChaveCaminho(const std::string& nome) const;
    // Removes what ended runs left in a folder, once per folder and run; whether this was
    // the run's first visit to the folder.
    bool LimpaPasta(const std::string& caminhoArquivo);
    // Why a file name may not be written, or an empty text when it may.
    std::string ProblemaNoNome(const std::string& nome);

    TListaTextos m_modelosTabela;
    TListaTextos m_modelosGerais;
    std::unique_ptr<TControlaColunas> m_colunas = std::make_unique<TControlaColunas>();
    TArquivoKMF m_modeloTabela;
    TArquivoKMF m_modeloGeral;
    std::string m_nomeBaseDados;
    TListaTextos m_log;
    bool m_mapeamentoCarregado = false;
    std::string m_erroMapeamento;
    // The overwrite answers that last for the rest of the run.
    enum class TEstadoSobrescrita { Pergunta, SimParaTodos, NaoParaTodos, FundeTodos };
    TEstadoSobrescrita m_estado = TEstadoSobrescrita::Pergunta;
    bool m_podeFundir = false;
    bool m_ignoraCaixa = false;
    int m_escritos = 0;
    int m_inalterados = 0;
    int m_pulados = 0;
    int m_falhas = 0;
    int m_fundidos = 0;
    int m_conflitos = 0;
    TListaTextos m_linhasFalhas;
    TListaTextos m_linhasConflitos;
    std::vector<TArquivoGerado> m_arquivos;
    // The paths the run has written or refused, by ChaveCaminho, with what produced them.
    std::unordered_map<std::string, std::string> m_caminhos;
    TListaTextos m_avisosOcultas;
    std::unordered_set<std::string> m_pastasLimpas;
    // The generation directory and the subfolders files were named into, resolved through
    // their links once per run instead of once per file (a system call per component).
    std::optional<std::filesystem::path> m_baseCanonica;
    std::unordered_map<std::string, std::filesystem::path> m_subpastasCanonicas;
};

// The full path of a file of a directory, joined with the platform's separator.
std::string JuntaCaminho(const std::string& diretorio, const std::string& nome);

} // namespace fendril

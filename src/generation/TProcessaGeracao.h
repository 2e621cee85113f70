#pragma once

#include "documents/CamposDocumento.h"
#include "documents/TArquivoKMF.h"
#include "engine/TMontaCodigo.h"
#include "model/TControlaColunas.h"
#include "model/Textos.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>

namespace fendril {

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
    // "mr_noall", or an empty text when it was closed otherwise.
    using TPerguntaSobrescrita = std::function<std::string(const std::string&)>;

    std::string caminhoMapeamento;
    std::string diretorioGeracao;
    // An expansion whose text passes this many bytes fails instead of exhausting memory.
    std::size_t limiteSaida = TMontaCodigo::kLimiteSaidaPadrao;

    TEventoTabela eventoTabela;
    TEventoModelo eventoModelo;
    TEventoArquivo eventoArquivo;
    TPerguntaSobrescrita perguntaSobrescrita;

    void AdicionaModelosTabela(const TListaTextos& caminhos);
    void AdicionaModelosGerais(const TListaTextos& caminhos);

    // Loads the mapping once; true when it is loaded.
    bool Prepara();
    // Why the mapping could not be loaded (empty when it was, or was never tried).
    const std::string& erroMapeamento() const { return m_erroMapeamento; }
    // The names of the files the run will write, in order, not made distinct.
    TListaTextos ListaArquivos();
    // The run itself; does nothing when the mapping is not loaded.
    void Executa();

    const TListaTextos& getLog() const { return m_log; }
    const TControlaColunas& getColunas() const { return *m_colunas; }
    // What the last Executa did: files written, existing files left as they were, and
    // failures (a failed save, a refused name, a failed tag check, a template that could
    // not be loaded or read), with the log line of each failure.
    int escritos() const { return m_escritos; }
    int pulados() const { return m_pulados; }
    int falhas() const { return m_falhas; }
    const TListaTextos& getFalhas() const { return m_linhasFalhas; }

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

    void RegistraLog(const std::string& mensagem);
    // Logs a failure and counts it.
    void RegistraFalha(const std::string& mensagem);
    // Logs, after `rotulo`, the warnings about a template text (see TMontaCodigo::Diagnostica).
    void RegistraAvisos(const std::string& rotulo, const std::string& codigo, bool corpoDeTabela);
    void CarregaMapeamento();
    void CarregaColunasHabilitadas();
    void CarregaModelo(const std::string& caminho, int tipo, TArquivoKMF& documento);
    NomesTabela NomesModeloTabela(const std::string& caminho);
    NomesGeral NomesModeloGeral(const std::string& caminho);
    TListaTextos CarregaTipos(int tipo, const std::string& caminhoModelo);
    std::unique_ptr<TControlaColunas> ColunasDaTabela(const std::string& tabela) const;
    void GeraModeloTabela(const std::string& caminho);
    void GeraModeloGeral(const std::string& caminho);
    // The pattern of per-table files and its name form's filters, from a template's naming
    // entries. A name form with an unknown filter is logged as a failure and leaves the
    // pattern empty: the template writes no per-table file.
    void PadraoPorTabela(const std::string& caminho, const std::string& prefixo,
                         TNomeArquivoTabela nomeArquivo, const std::string& textoForma,
                         const std::string& sufixo, const std::string& extensao,
                         std::string& padrao, TFormaNome& forma);
    // One file per table of the mapping, from a text wrapped in one table block.
    void GeraArquivosPorTabela(const std::string& padrao, const TFormaNome& forma,
                               const std::string& classePai, const TListaTextos& tipos,
                               const std::string& texto);
    // `reservadas`: the words "ident" must not give as they are.
    void GeraArquivo(const TControlaColunas& colunas, const std::string& nome,
                     const std::string& classePai, const TListaTextos& tipos,
                     const TListaTextos& reservadas, const std::string& texto);
    // The one place that decides whether and how a generated file is written.
    void GravaArquivo(const std::string& nome, const TListaTextos& linhas);
    // Removes what ended runs left in a folder, once per folder and run.
    void LimpaPasta(const std::string& caminhoArquivo);
    // Why a file name may not be written, or an empty text when it may.
    std::string ProblemaNoNome(const std::string& nome) const;

    TListaTextos m_modelosTabela;
    TListaTextos m_modelosGerais;
    TArquivoKMF m_mapeamento;
    std::unique_ptr<TControlaColunas> m_colunas = std::make_unique<TControlaColunas>();
    TArquivoKMF m_modeloTabela;
    TArquivoKMF m_modeloGeral;
    std::string m_nomeBaseDados;
    TListaTextos m_log;
    bool m_mapeamentoCarregado = false;
    std::string m_erroMapeamento;
    bool m_simParaTodos = false;
    bool m_naoParaTodos = false;
    int m_escritos = 0;
    int m_pulados = 0;
    int m_falhas = 0;
    TListaTextos m_linhasFalhas;
    TListaTextos m_avisosOcultas;
    std::unordered_set<std::string> m_pastasLimpas;
};

// The full path of a file of a directory, joined with the platform's separator.
std::string JuntaCaminho(const std::string& diretorio, const std::string& nome);

} // namespace fendril

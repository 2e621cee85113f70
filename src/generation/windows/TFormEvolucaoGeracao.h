#pragma once

// The progress window of a generation run.

#include "model/Textos.h"

#include <QDialog>
#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <string>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeWidget;
class QWidget;

namespace fendril {

class TProcessaGeracao;
struct TArquivoGerado;

// Owns one generation run: on its first timer tick it prepares the run and lists the
// files it will write; "Proceed" runs it while the gauges follow the templates and the
// tables, each file written or found unchanged is crossed off the list and every file's
// outcome is shown beside it; the run ends with its summary, or with the message that
// some files could not be created. "Close" leaves without running. The window deletes
// itself when it closes (after a modal exec() or when shown), so it is created with new.
// Its controls: list "lb_arquivos", outcomes "lv_resultados" (file, outcome), status line
// "lbl_situacao", progress panel "pn_progresso" with "lbl_modelo"/"pb_modelo" and
// "lbl_tabela"/"pb_tabela", buttons "BitBtn2" ("Proceed") and "BitBtn1" ("Close").
class TFormEvolucaoGeracao : public QDialog {
    Q_OBJECT
public:
    // Starting, ready (list filled), running, closing; Falhou: a failure escaped the run or
    // its preparation, its message was shown, and only "Close" is enabled.
    enum class Estado { Iniciando, Pronto, Executando, Fechado, Falhou };

    explicit TFormEvolucaoGeracao(QWidget* pai = nullptr);
    ~TFormEvolucaoGeracao() override;

    // Set before the window is shown.
    std::string caminhoMapeamento;
    std::string diretorioGeracao;
    TListaTextos modelosTabela;
    TListaTextos modelosGerais;
    // The generation's "Merge hand edits": the run starts as if Merge All were answered.
    bool fundeEdicoes = false;

    // Creates the window with these paths, shows it modally and returns when it has
    // closed (the window is then destroyed).
    static void Executa(QWidget* pai, const std::string& caminhoMapeamento,
                        const std::string& diretorioGeracao, const TListaTextos& modelosTabela,
                        const TListaTextos& modelosGerais, bool fundeEdicoes = false);

    Estado estado() const { return m_estado; }
    // The run, from the first timer tick until it starts (null otherwise); for tests.
    TProcessaGeracao* getProcessa() const { return m_processa.get(); }

    // For tests: called whenever a progress window enters a state, with the window (for
    // Pronto: the list is filled and both buttons are enabled; for Fechado: the run has
    // ended, the end message was shown, and the window is about to close). Empty: none.
    using TObservador = std::function<void(TFormEvolucaoGeracao&, Estado)>;
    static void setObservador(TObservador observador);

    // Handlers (the timer's first tick, "Proceed", "Close", and the run's events).
    void Timer1Timer();
    void BitBtn2Click();
    void BitBtn1Click();
    void MudaModelo(const std::string& caminhoModelo, int percentual, int tipo);
    void MudaTabela(const std::string& tabela, const std::string& arquivo, int percentual);
    void EscreveArquivo(const std::string& caminhoCompleto);
    // Handler of the run's outcome of each file: shown beside the list; an unchanged file
    // is crossed off as a written one is.
    void MostraSituacao(const TArquivoGerado& arquivo);
    // The run's overwrite question, placed so that it leaves the file lists in sight.
    std::string PerguntaSobrescrita(const std::string& texto, bool podeFundir);

signals:
    void estadoMudou(fendril::TFormEvolucaoGeracao::Estado estado);

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void reject() override;

private:
    void MudaEstado(Estado novo);
    // Closes the window for good.
    void Fecha();
    // Lets the interface repaint during the run, at most every few milliseconds unless
    // `sempre` is set.
    void Processa(bool sempre = false);
    // A failure that escaped the run: shows it and leaves the window closable.
    void Falhou(const std::string& mensagem);

    QLabel* m_titulo = nullptr;
    QListWidget* m_lista = nullptr;
    QTreeWidget* m_resultados = nullptr;
    QLabel* m_situacao = nullptr;
    QWidget* m_painel = nullptr;
    QLabel* m_rotuloModelo = nullptr;
    QProgressBar* m_medidorModelo = nullptr;
    QLabel* m_rotuloTabela = nullptr;
    QProgressBar* m_medidorTabela = nullptr;
    QPushButton* m_prosseguir = nullptr;
    QPushButton* m_fechar = nullptr;
    QTimer* m_timer = nullptr;

    std::unique_ptr<TProcessaGeracao> m_processa;
    Estado m_estado = Estado::Iniciando;
    bool m_ocupado = false; // preparing or running: the window may not close
    bool m_centrada = false;
    QElapsedTimer m_ultimaPintura;
};

} // namespace fendril

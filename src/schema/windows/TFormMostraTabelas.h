#pragma once

// The table chooser: the tables of one database with check marks, filtered by table kind
// and schema; the tables the user transfers are handed back in `resultado`.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QAction;
class QButtonGroup;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QStatusBar;
class QToolBar;
class QWidget;

namespace fendril {

class TMostraTabelas;

class TFormMostraTabelas : public QDialog {
    Q_OBJECT
public:
    // Deletes "Fendrillog.txt" in the installation directory, which each filling rewrites.
    explicit TFormMostraTabelas(const QString& diretorioInstalado, QWidget* pai = nullptr);
    ~TFormMostraTabelas() override;

    // Set by the caller before the window is shown.
    QString stringConexao;
    QString senha;
    QString usuario;
    QString nomeBaseDados; // made default on the connection of each reading
    QString catalogo;      // the catalog whose tables are listed; shown above the list
    QStringList excluidas; // qualified names left out, compared without regard to case

    // Qualified names transferred by the user, in list order; empty until Transfer Tables
    // is answered Yes.
    QStringList resultado;
    // Links "referenced->referencing->" gathered by the last filling with foreign checking
    // on, and the log lines of the last filling.
    QStringList relacoes;
    QStringList log;
    bool marcaTodas = false;
    bool checaEstrangeiras = false;

    // Shows the window modally and returns when it is closed; read `resultado` afterwards.
    // In the dialog layer's answering mode it does not block: the window is shown
    // non-modally and filled, the next queued action (ProximaAcao) runs on it, and the
    // window is closed (no action queued is the user pressing Exit).
    void Executa();
    // Queues what the next Executa in answering mode does with the filled window.
    static void ProximaAcao(std::function<void(TFormMostraTabelas&)> acao);
    // Queues an action that checks exactly the listed names (leaves every listed table
    // checked when `marcadas` is empty) and runs Transfer Tables; the question it asks is answered
    // from the dialog layer's queue.
    static void ProximaTransferencia(const QStringList& marcadas = QStringList());

    // Reads the tables of `catalogo` that pass the type ("" for any, "TABLE", "SYSTEM
    // TABLE", "VIEW") and schema ("" or "All" for any); with an empty schema the schema
    // drop-down is filled and set to "All". Writes the log file. Raises what the reading
    // raises.
    QStringList PreencheLista(const QString& tipo, const QString& esquema);
    // The items of the schema drop-down: "All" and the schemas (none empty, none twice
    // without regard to case), sorted together without regard to case.
    static QStringList ItensEsquema(const QStringList& esquemas);
    // Adds the table's foreign links to `relacoes`.
    void PreencheTabelasEstrangeiras(const QString& nome);
    // Adds to `lista` the referenced table of every link whose referencing table is `nome`.
    void ProcuraPais(const QString& nome, QStringList& lista) const;
    // Sets the check of every item that is a table `nome` refers to (one level only).
    void MarcaPais(const QString& nome, bool estado);

    // Fills the check list with the filters shown, checks every item and shows the count.
    // A failure of the reading is shown in a message; the list stays empty and the
    // controls disabled.
    void PreencheLstTabelas();

    // The commands of the tool bar.
    void but_transfereClick();
    void but_checaClick();
    void but_refreshClick();
    void but_travaClick();
    void but_viewlogClick();
    void but_sairClick();

    // The checked items, in list order.
    QStringList marcadas() const;
    QListWidget* lista() const { return m_lista; }
    QString caminhoLog() const;

protected:
    // The first showing fills the list once the window is on screen.
    void showEvent(QShowEvent* evento) override;

private:
    void itemMudou(QListWidgetItem* item);
    void habilita(bool sim);
    void mostraTrava();
    void status(const QString& texto);
    std::unique_ptr<TMostraTabelas> novaListagem() const;
    void marcaTodos(bool estado);

    QString m_diretorioInstalado;
    QStringList m_esquemas;
    bool m_programatico = false; // checks set by the window, not by the user
    bool m_primeiroPreenchimento = false;

    QToolBar* m_barra;
    QAction* m_trava;
    QLabel* m_rotuloBase;
    QListWidget* m_lista;
    QWidget* m_painelEsquema;
    QComboBox* m_esquema;
    QWidget* m_grupoTipo;
    QButtonGroup* m_opcoes;
    QProgressBar* m_progresso;
    QStatusBar* m_status;
};

} // namespace fendril

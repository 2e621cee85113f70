#pragma once

// The table data window: the rows of one table, read-only, in a grid that fetches rows as
// the user scrolls down.

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

class QTableView;
class QToolBar;

namespace fendril {

class TConsulta;
class TModeloConsulta;

class TFormMostraDados : public QDialog {
    Q_OBJECT
public:
    explicit TFormMostraDados(QWidget* pai = nullptr);
    ~TFormMostraDados() override;

    // Set by the caller before the window is shown.
    QString stringConexao;
    QString usuario;
    QString senha;
    QString nomeBaseDados; // made default on the connection; may be empty
    QString nomeTabela;    // qualified name

    // The record navigator above the grid; the mapping window hides it.
    void setNavegadorVisivel(bool visivel);
    bool navegadorVisivel() const;

    // Shows the window modally and returns when it is closed. In the dialog layer's
    // answering mode it does not block: the window is shown non-modally (which opens the
    // query), the next queued action (ProximaAcao) runs on it, and the window is closed.
    void Executa();
    static void ProximaAcao(std::function<void(TFormMostraDados&)> acao);

    // The table name as written in the query: schema and table each quoted the way the
    // connected database quotes identifiers (its quote character, doubled inside a name;
    // the standard double quote before the connection is open); unchanged when the
    // database reports no quote character.
    QString getNomeTabelaAccess(const QString& nome) const;

    // Opens the connection and the query "select * from " + the quoted table name, as the
    // window does when it is first shown. A failure is shown in a message and leaves the
    // grid empty.
    void FormShow();
    // Closing the window closes the query and its connection.
    void done(int resultado) override;

    QTableView* grade() const { return m_grade; }
    // The query last run; empty before FormShow.
    QString consulta() const { return m_consulta; }

protected:
    void showEvent(QShowEvent* evento) override;
    // Moving down from the table's last row goes back to its first row.
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void fecha();

    std::unique_ptr<TConsulta> m_cursor;
    TModeloConsulta* m_modelo = nullptr;
    QToolBar* m_navegador;
    QTableView* m_grade;
    QString m_consulta;
    bool m_mostrada = false;
};

} // namespace fendril

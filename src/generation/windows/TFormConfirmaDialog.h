#pragma once

// The overwrite question of a generation run.

#include <QDialog>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;

namespace fendril {

// Asks whether an existing file is written over. Each of its six buttons sets `resposta`
// and closes the dialog: "Yes" "mr_yes", "Yes To All" "mr_yesall", "No" "mr_no",
// "No To All" "mr_noall", "Merge" "mr_merge" (the hand edits kept, the new output taken
// everywhere else; enabled only when `podeFundir`), "Merge All" "mr_mergeall". There is no
// default or cancel button; closed otherwise, the answer stays empty.
class TFormConfirmaDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFormConfirmaDialog(QWidget* pai = nullptr);

    QString texto;          // the question
    QString resposta;       // the answer, empty until a button is pressed
    QString titulo;         // the window title
    bool podeFundir = true; // the file has kept content to merge with
    QRect evitar;           // on the screen: what the dialog must not cover (a file list)

    // Shows `texto` modally and returns `resposta`. In the dialog layer's answering mode
    // nothing is shown: the answer is the next queued text answer
    // (Dialogos::ProximoTexto("mr_yes"), "mr_yesall", "mr_no", "mr_noall"; none queued or a
    // null text is an empty answer), and `texto` is recorded with the file dialogs' titles
    // (Dialogos::TomaTitulosArquivo).
    QString Pergunta();

    // Creates the dialog, asks `texto` and destroys it: the question the run asks.
    static QString Pergunta(QWidget* pai, const QString& pergunta, bool podeFundir = true,
                            const QRect& evitar = QRect());

protected:
    void showEvent(QShowEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void Responde(const QString& valor);
    void FormShow();

    QLabel* m_texto = nullptr;
    QPushButton* m_sim = nullptr;
    QPushButton* m_simTodos = nullptr;
    QPushButton* m_nao = nullptr;
    QPushButton* m_naoTodos = nullptr;
    QPushButton* m_fundir = nullptr;
    QPushButton* m_fundirTodos = nullptr;
};

} // namespace fendril

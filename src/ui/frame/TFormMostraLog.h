#pragma once

// The log viewer: a log text file shown read-only, read once when the window is shown.

#include <QDialog>
#include <QString>

class QPlainTextEdit;

namespace fendril {

class TFormMostraLog : public QDialog {
    Q_OBJECT
public:
    explicit TFormMostraLog(QWidget* pai = nullptr);
    // The path of the log file; set before the window is shown.
    QString caminhoLog;
    // Loads the file into Memo1 (empty when there is no file). Raises the read failure.
    void FormShow();
    QPlainTextEdit* memo() const { return m_memo; }

private:
    QPlainTextEdit* m_memo;
};

// Shows the log file modally, as the windows' "View Log" commands do; a read failure is
// shown in a message box.
void MostraLog(QWidget* pai, const QString& caminhoLog);

} // namespace fendril

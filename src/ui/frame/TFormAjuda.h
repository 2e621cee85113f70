#pragma once

// The help window: the HTML user guide of the installation directory.

#include <QDialog>

class QTextBrowser;

namespace fendril {

class TFormAjuda : public QDialog {
    Q_OBJECT
public:
    TFormAjuda(const QString& caminho, QWidget* pai = nullptr);
    QTextBrowser* navegador() const { return m_navegador; }

private:
    QTextBrowser* m_navegador;
};

} // namespace fendril

#pragma once

// The plain-text editor of the code editors: a QPlainTextEdit with the line numbers in a
// gutter on its left.

#include <QPlainTextEdit>

namespace fendril {

class TEditorTexto : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TEditorTexto(QWidget* pai = nullptr);

    // The gutter's width for the number of lines the text has.
    int larguraNumeros() const;
    // The 1-based line and column of the caret (the column counts characters, a tab one).
    int linhaCursor() const;
    int colunaCursor() const;

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    friend class TAreaNumeros;
    void pintaNumeros(QPaintEvent* evento);
    void atualizaMargem();
    void atualizaArea(const QRect& area, int rolagem);

    QWidget* m_numeros;
};

} // namespace fendril

#include "ui/frame/TEditorTexto.h"

#include <QPainter>
#include <QTextBlock>
#include <algorithm>

namespace fendril {

// The gutter: it only paints, the editor tells it what.
class TAreaNumeros : public QWidget {
public:
    explicit TAreaNumeros(TEditorTexto* editor) : QWidget(editor), m_editor(editor) {
        setObjectName(QStringLiteral("numeros"));
    }
    QSize sizeHint() const override { return {m_editor->larguraNumeros(), 0}; }

protected:
    void paintEvent(QPaintEvent* evento) override { m_editor->pintaNumeros(evento); }

private:
    TEditorTexto* m_editor;
};

TEditorTexto::TEditorTexto(QWidget* pai) : QPlainTextEdit(pai), m_numeros(new TAreaNumeros(this)) {
    connect(this, &QPlainTextEdit::blockCountChanged, this, &TEditorTexto::atualizaMargem);
    connect(this, &QPlainTextEdit::updateRequest, this, &TEditorTexto::atualizaArea);
    // The caret's line number is drawn stronger.
    connect(this, &QPlainTextEdit::cursorPositionChanged, m_numeros, qOverload<>(&QWidget::update));
    atualizaMargem();
}

int TEditorTexto::larguraNumeros() const {
    int digitos = 1;
    for (int linhas = std::max(1, blockCount()); linhas >= 10; linhas /= 10)
        ++digitos;
    // Room for three digits at least, so that the text does not move at line 10 or 100.
    digitos = std::max(digitos, 3);
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digitos;
}

int TEditorTexto::linhaCursor() const {
    return textCursor().blockNumber() + 1;
}

int TEditorTexto::colunaCursor() const {
    return textCursor().positionInBlock() + 1;
}

void TEditorTexto::atualizaMargem() {
    setViewportMargins(larguraNumeros(), 0, 0, 0);
}

void TEditorTexto::atualizaArea(const QRect& area, int rolagem) {
    if (rolagem != 0)
        m_numeros->scroll(0, rolagem);
    else
        m_numeros->update(0, area.y(), m_numeros->width(), area.height());
    if (area.contains(viewport()->rect()))
        atualizaMargem();
}

void TEditorTexto::resizeEvent(QResizeEvent* evento) {
    QPlainTextEdit::resizeEvent(evento);
    const QRect area = contentsRect();
    m_numeros->setGeometry(QRect(area.left(), area.top(), larguraNumeros(), area.height()));
}

void TEditorTexto::pintaNumeros(QPaintEvent* evento) {
    QPainter pintor(m_numeros);
    pintor.fillRect(evento->rect(), palette().color(QPalette::AlternateBase));
    pintor.setFont(font());
    const int atual = textCursor().blockNumber();
    QTextBlock bloco = firstVisibleBlock();
    int topo = qRound(blockBoundingGeometry(bloco).translated(contentOffset()).top());
    int base = topo + qRound(blockBoundingRect(bloco).height());
    const int largura = m_numeros->width() - 4;
    while (bloco.isValid() && topo <= evento->rect().bottom()) {
        if (bloco.isVisible() && base >= evento->rect().top()) {
            pintor.setPen(bloco.blockNumber() == atual
                              ? palette().color(QPalette::Text)
                              : palette().color(QPalette::Disabled, QPalette::Text));
            pintor.drawText(0, topo, largura, fontMetrics().height(), Qt::AlignRight,
                            QString::number(bloco.blockNumber() + 1));
        }
        bloco = bloco.next();
        topo = base;
        base = topo + qRound(blockBoundingRect(bloco).height());
    }
}

} // namespace fendril

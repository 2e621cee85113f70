#pragma once

// The pieces the template windows share: the tag tree and tag insertion, tag
// highlighting with a window's own word lists, and the insert/overwrite indicator.

#include <QColor>
#include <QStringList>
#include <QSyntaxHighlighter>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace fendril {

// Fills the tag tree: the groups "Column Tags", "Global Tags" and "Table Tags"; block
// leaves carry one icon, the other leaves another, groups none.
void PreencheArvoreTags(QTreeWidget* arvore);

// What a double-click on a tree node inserts: nothing for a group node; for a block leaf
// its opening and closing tags, each as a block; any other leaf its own text.
// `insere`(text, block) does the insertion.
void InsereTagDaArvore(const QTreeWidgetItem* no,
                       const std::function<void(const QString&, bool)>& insere);

// InsereString: the text (or, for a block, LF + text + LF) replaces the editor's
// selection and the caret ends after it.
void InsereTexto(QPlainTextEdit* editor, const QString& texto, bool bloco);

// Tag highlighting: a span from "<" to the next ">" with no other "<" or ">" inside that
// equals a word of `tagsComuns` is painted bold blue, one of `tagsIterativas` bold green,
// everything else plain. The colours live in the editor's layout only: they are not part
// of the text, the undo history or the saved document. Off until switched on.
class TRealceTags : public QSyntaxHighlighter {
    Q_OBJECT
public:
    TRealceTags(QPlainTextEdit* editor, QStringList tagsComuns, QStringList tagsIterativas);

    bool ativo() const { return m_ativo; }
    void setAtivo(bool ativo);
    // Refresh Highlighting: re-scans the whole text; `progresso`(position, length) is
    // called while scanning so a status text can move.
    void Atualiza(const std::function<void(int, int)>& progresso);

    // The colour painted at a character position (plain text gives the plain colour).
    QColor corEm(int posicao) const;
    bool negritoEm(int posicao) const;

    static QColor corComum() { return QColor(0, 0, 255); }
    static QColor corIterativa() { return QColor(0, 128, 0); }

protected:
    void highlightBlock(const QString& texto) override;

private:
    QPlainTextEdit* m_editor;
    QStringList m_tagsComuns;
    QStringList m_tagsIterativas;
    bool m_ativo = false;
};

// The insert/overwrite indicator of a window: one mode for the window's editors; each
// Insert key flips it, writes "Overwrite" or "Insert" into the status panel of the editor
// where it was released and sets that editor's typing mode.
class TIndicadorInsercao {
public:
    bool modoInsercao() const { return m_insercao; }
    void AlternaModo(QPlainTextEdit* editor, QLabel* painel);
    static QString texto(bool insercao) {
        return insercao ? QStringLiteral("Insert") : QStringLiteral("Overwrite");
    }

private:
    bool m_insercao = true;
};

} // namespace fendril

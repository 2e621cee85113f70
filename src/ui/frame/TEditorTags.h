#pragma once

// The pieces the template windows share: the tag tree and tag insertion, tag
// highlighting with a window's own word lists, and the insert/overwrite indicator.

#include <QColor>
#include <QStringList>
#include <QSyntaxHighlighter>
#include <functional>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace fendril {

// Fills the tag tree: the groups "Column Tags", "Conditions", "Filters", "Global Tags" and
// "Table Tags"; block leaves (blocks and conditions) carry one icon, the other leaves
// another, groups none. The leaves of the newer language show an example as their tool tip.
void PreencheArvoreTags(QTreeWidget* arvore);

// The words of the newer language that both template windows highlight after their own
// lists: the scalar tags of short names, SQL types, schema facts and inverse relations, and
// the inverse-relation block with every condition pair.
QStringList TagsComunsLinguagem();
QStringList TagsIterativasLinguagem();

// A tag with filters as its tag alone ("<tbname:pascal:singular>" gives "<tbname>") when
// every filter of the chain exists; any other word as it is.
QString TagSemFiltros(QStringView palavra);

// What a double-click on a tree node inserts: nothing for a group node; for a block leaf
// its opening and closing tags, each as a block; any other leaf its own text.
// `insere`(text, block) does the insertion.
void InsereTagDaArvore(const QTreeWidgetItem* no,
                       const std::function<void(const QString&, bool)>& insere);

// InsereString: the text (or, for a block, LF + text + LF) replaces the editor's
// selection and the caret ends after it.
void InsereTexto(QPlainTextEdit* editor, const QString& texto, bool bloco);

// Tag highlighting. The colours of the characters are kept beside the text (plain, bold
// blue, bold green) and shown by the editor's layout only: they are not part of the text,
// the undo history or the saved document, and typed or inserted characters are plain.
// Only the checks below paint: `palavraAtual`(position) checks the spans around a
// position (the tag that ends before it, the tag that starts after it), and Refresh
// paints every tag of the text. Off until switched on; off paints nothing.
//
// It also tells when the editor's text itself changed (`textoEditado`): a change of the
// drawn colours, or of nothing at all, is not an edit.
class TRealceTags : public QSyntaxHighlighter {
    Q_OBJECT
public:
    TRealceTags(QPlainTextEdit* editor, QStringList tagsComuns, QStringList tagsIterativas);

    bool ativo() const { return m_ativo; }
    // Switching off returns every character to plain.
    void setAtivo(bool ativo);
    // The check around a position (0-based character index); nothing when off.
    void palavraAtual(int posicao);
    // Refresh Highlighting: every character plain, then every tag of the word lists painted
    // wherever it stands (a tag is a "<", the first ">" after it, and neither sign between);
    // `progresso`(position, length) is called while scanning (often enough for a status
    // text to move).
    void Atualiza(const std::function<void(int, int)>& progresso);
    // Ends a running Refresh at its next position (from an event handled while it scans);
    // what was checked so far stays painted.
    void Interrompe() { m_interrompido = true; }

    // The colour painted at a character position (plain text gives the plain colour).
    QColor corEm(int posicao) const;
    bool negritoEm(int posicao) const;

    static QColor corComum() { return QColor(0, 0, 255); }
    static QColor corIterativa() { return QColor(0, 128, 0); }

signals:
    // The text changed: typed, pasted, cut, undone, inserted or replaced.
    void textoEditado();

protected:
    void highlightBlock(const QString& texto) override;

private:
    enum : unsigned char { Plano = 0, Comum = 1, Iterativa = 2 };
    void textoMudou(int posicao, int removidos, int adicionados);
    void palavraReservada(const QString& texto, int inicio, int fim);
    void pinta(int inicio, int fim, unsigned char cor);
    void redesenhaPendentes();

    QPlainTextEdit* m_editor;
    QStringList m_tagsComuns;
    QStringList m_tagsIterativas;
    bool m_ativo = false;
    QString m_texto;                    // the text the colours belong to
    std::vector<unsigned char> m_cores; // one per character of that text
    bool m_redesenhando = false;
    bool m_interrompido = false;
    int m_sujoInicio = -1; // characters repainted since the last redraw
    int m_sujoFim = -1;
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

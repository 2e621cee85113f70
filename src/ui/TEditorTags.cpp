#include "ui/TEditorTags.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTreeWidget>

namespace fendril {

namespace {

struct TFolha {
    const char* texto;
    bool bloco;
};

QTreeWidgetItem* grupo(QTreeWidget* arvore, QTreeWidgetItem* pai, const QString& texto) {
    auto* no = pai ? new QTreeWidgetItem(pai) : new QTreeWidgetItem(arvore);
    no->setText(0, texto);
    return no;
}

void folhas(QTreeWidgetItem* pai, std::initializer_list<TFolha> lista) {
    const QIcon iconeBloco = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon iconeTag = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    for (const TFolha& folha : lista) {
        auto* no = new QTreeWidgetItem(pai);
        no->setText(0, QString::fromUtf8(folha.texto));
        no->setIcon(0, folha.bloco ? iconeBloco : iconeTag);
        no->setData(0, Qt::UserRole, folha.bloco);
    }
}

} // namespace

void PreencheArvoreTags(QTreeWidget* arvore) {
    arvore->clear();
    arvore->setHeaderHidden(true);
    QTreeWidgetItem* colunas = grupo(arvore, nullptr, QStringLiteral("Column Tags"));
    folhas(colunas, {{"<colalias>", false},
                     {"<coldatetype>", true},
                     {"<colindex>", false},
                     {"<colinivar>", false},
                     {"<collength>", false},
                     {"<colname>", false},
                     {"<colprecision>", false},
                     {"<colprvtype>", false},
                     {"<colscale>", false},
                     {"<colvartype>", false}});
    folhas(grupo(arvore, colunas, QStringLiteral("Foreign Columns")),
           {{"<frkcol>", true}, {"<frkcolname>", false}, {"<frktbname>", false}});
    folhas(grupo(arvore, colunas, QStringLiteral("Primary Columns")), {{"<prkcol>", true}});
    folhas(grupo(arvore, colunas, QStringLiteral("Simple Columns")), {{"<simplecol>", true}});
    folhas(grupo(arvore, nullptr, QStringLiteral("Global Tags")),
           {{"<dbname>", false}, {"<parentclass>", false}});
    folhas(grupo(arvore, nullptr, QStringLiteral("Table Tags")), {{"<colcount>", false},
                                                                  {"<coldatecount>", false},
                                                                  {"<frkcolcount>", false},
                                                                  {"<prkcolcount>", false},
                                                                  {"<rctable>", true},
                                                                  {"<simplecolcount>", false},
                                                                  {"<tbalias>", false},
                                                                  {"<tbcount>", false},
                                                                  {"<tbindex>", false},
                                                                  {"<tbname>", false},
                                                                  {"<tbschema>", false},
                                                                  {"<tbtype>", false}});
}

void InsereTagDaArvore(const QTreeWidgetItem* no,
                       const std::function<void(const QString&, bool)>& insere) {
    if (!no || no->childCount() > 0 || !no->parent())
        return;
    const QString texto = no->text(0);
    if (no->data(0, Qt::UserRole).toBool()) {
        // insere_rctable, insere_simplecol, insere_frkcol, insere_prkcol, insere_datecol
        insere(texto, true);
        insere(QStringLiteral("</") + texto.mid(1), true);
        return;
    }
    insere(texto, false);
}

void InsereTexto(QPlainTextEdit* editor, const QString& texto, bool bloco) {
    const QString inserido = bloco ? QStringLiteral("\n") + texto + QStringLiteral("\n") : texto;
    QTextCursor cursor = editor->textCursor();
    cursor.insertText(inserido);
    editor->setTextCursor(cursor);
}

// ------------------------------------------------------------------ highlighting

TRealceTags::TRealceTags(QPlainTextEdit* editor, QStringList tagsComuns, QStringList tagsIterativas)
    : QSyntaxHighlighter(editor->document()), m_editor(editor), m_tagsComuns(std::move(tagsComuns)),
      m_tagsIterativas(std::move(tagsIterativas)) {}

void TRealceTags::setAtivo(bool ativo) {
    if (m_ativo == ativo)
        return;
    m_ativo = ativo;
    rehighlight();
}

void TRealceTags::highlightBlock(const QString& texto) {
    if (!m_ativo)
        return;
    QTextCharFormat comum;
    comum.setForeground(corComum());
    comum.setFontWeight(QFont::Bold);
    QTextCharFormat iterativa;
    iterativa.setForeground(corIterativa());
    iterativa.setFontWeight(QFont::Bold);
    qsizetype inicio = texto.indexOf(QLatin1Char('<'));
    while (inicio >= 0) {
        const qsizetype fim = texto.indexOf(QLatin1Char('>'), inicio);
        if (fim < 0)
            break;
        const qsizetype outro = texto.indexOf(QLatin1Char('<'), inicio + 1);
        if (outro >= 0 && outro < fim) {
            inicio = outro;
            continue;
        }
        const QString palavra = texto.mid(inicio, fim - inicio + 1);
        const int comeco = static_cast<int>(inicio);
        const int tamanho = static_cast<int>(fim - inicio + 1);
        if (m_tagsComuns.contains(palavra))
            setFormat(comeco, tamanho, comum);
        else if (m_tagsIterativas.contains(palavra))
            setFormat(comeco, tamanho, iterativa);
        inicio = texto.indexOf(QLatin1Char('<'), fim + 1);
    }
}

void TRealceTags::Atualiza(const std::function<void(int, int)>& progresso) {
    if (!m_ativo)
        return;
    QTextDocument* documento = m_editor->document();
    const int n = documento->characterCount() - 1;
    int contador = 0;
    for (QTextBlock bloco = documento->begin(); bloco.isValid(); bloco = bloco.next()) {
        rehighlightBlock(bloco);
        if (progresso && ++contador % 100 == 1)
            progresso(bloco.position(), n);
    }
    if (progresso)
        progresso(n, n);
}

QColor TRealceTags::corEm(int posicao) const {
    const QTextBlock bloco = m_editor->document()->findBlock(posicao);
    const int relativa = posicao - bloco.position();
    for (const QTextLayout::FormatRange& faixa : bloco.layout()->formats())
        if (relativa >= faixa.start && relativa < faixa.start + faixa.length &&
            faixa.format.hasProperty(QTextFormat::ForegroundBrush))
            return faixa.format.foreground().color();
    return m_editor->palette().color(QPalette::Text);
}

bool TRealceTags::negritoEm(int posicao) const {
    const QTextBlock bloco = m_editor->document()->findBlock(posicao);
    const int relativa = posicao - bloco.position();
    for (const QTextLayout::FormatRange& faixa : bloco.layout()->formats())
        if (relativa >= faixa.start && relativa < faixa.start + faixa.length)
            return faixa.format.fontWeight() == QFont::Bold;
    return false;
}

// ------------------------------------------------------------------ insert indicator

void TIndicadorInsercao::AlternaModo(QPlainTextEdit* editor, QLabel* painel) {
    m_insercao = !m_insercao;
    if (painel)
        painel->setText(texto(m_insercao));
    if (editor)
        editor->setOverwriteMode(!m_insercao);
}

} // namespace fendril

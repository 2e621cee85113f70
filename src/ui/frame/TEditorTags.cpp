#include "ui/frame/TEditorTags.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTreeWidget>
#include <algorithm>

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
    : QSyntaxHighlighter(static_cast<QObject*>(editor)), m_editor(editor),
      m_tagsComuns(std::move(tagsComuns)), m_tagsIterativas(std::move(tagsIterativas)) {
    QTextDocument* documento = editor->document();
    m_texto = editor->toPlainText();
    m_cores.assign(static_cast<std::size_t>(m_texto.size()), Plano);
    // Connected before the highlighter's own connection, so the colours have moved with
    // the text before any block is drawn again.
    connect(documento, &QTextDocument::contentsChange, this, &TRealceTags::textoMudou);
    setDocument(documento);
}

// The colours move with the text. What changed is found by comparing the text before and
// after (the positions the document reports also cover changes of the drawn formats only).
void TRealceTags::textoMudou(int, int, int) {
    if (m_redesenhando)
        return;
    const QString novo = m_editor->toPlainText();
    const auto antigo = static_cast<qsizetype>(m_texto.size());
    const auto atual = static_cast<qsizetype>(novo.size());
    qsizetype prefixo = 0;
    const qsizetype menor = std::min(antigo, atual);
    while (prefixo < menor && m_texto[prefixo] == novo[prefixo])
        ++prefixo;
    // A change of the drawn formats only: the text and its colours stay as they are.
    if (prefixo == antigo && antigo == atual)
        return;
    qsizetype sufixo = 0;
    while (sufixo < menor - prefixo && m_texto[antigo - 1 - sufixo] == novo[atual - 1 - sufixo])
        ++sufixo;
    m_cores.resize(static_cast<std::size_t>(antigo), Plano);
    m_cores.erase(m_cores.begin() + prefixo, m_cores.begin() + (antigo - sufixo));
    m_cores.insert(m_cores.begin() + prefixo, static_cast<std::size_t>(atual - sufixo - prefixo),
                   Plano);
    m_texto = novo;
    emit textoEditado();
}

void TRealceTags::setAtivo(bool ativo) {
    if (m_ativo == ativo)
        return;
    m_ativo = ativo;
    if (!ativo) {
        std::fill(m_cores.begin(), m_cores.end(), Plano);
        m_redesenhando = true;
        rehighlight();
        m_redesenhando = false;
    }
}

void TRealceTags::pinta(int inicio, int fim, unsigned char cor) {
    std::fill(m_cores.begin() + inicio, m_cores.begin() + fim + 1, cor);
    m_sujoInicio = m_sujoInicio < 0 ? inicio : std::min(m_sujoInicio, inicio);
    m_sujoFim = std::max(m_sujoFim, fim);
}

void TRealceTags::redesenhaPendentes() {
    if (m_sujoInicio < 0)
        return;
    m_redesenhando = true;
    QTextDocument* documento = m_editor->document();
    const QTextBlock ultimo = documento->findBlock(m_sujoFim);
    for (QTextBlock bloco = documento->findBlock(m_sujoInicio); bloco.isValid();
         bloco = bloco.next()) {
        rehighlightBlock(bloco);
        if (bloco == ultimo)
            break;
    }
    m_sujoInicio = m_sujoFim = -1;
    m_redesenhando = false;
}

// palavraReservada: the span from `inicio` to `fim` inclusive against the word lists.
void TRealceTags::palavraReservada(const QString& texto, int inicio, int fim) {
    const QStringView palavra = QStringView(texto).mid(inicio, fim - inicio + 1);
    auto marcado = [this, fim] { return m_cores[static_cast<std::size_t>(fim)] != Plano; };
    auto verifica = [&](const QStringList& palavras, unsigned char cor) {
        for (const QString& tag : palavras) {
            if (palavra != tag) {
                if (marcado())
                    pinta(inicio, fim, Plano);
            } else {
                if (!marcado())
                    pinta(inicio, fim, cor);
                return true;
            }
        }
        return false;
    };
    if (!verifica(m_tagsComuns, Comum))
        verifica(m_tagsIterativas, Iterativa);
}

namespace {

// The four searches of a check: the last "<" and ">" at or before a position, the first at
// or after it (-1 when there is none).
struct TVizinhos {
    int lb, rb, lf, rf;
};

// Rules a to d: the spans checked around a position, in order.
template <typename Verifica>
void verificaVizinhos(const TVizinhos& v, int tamanho, Verifica&& verifica) {
    if (v.rb == -1 && v.lf == -1 && v.lb < v.rf)
        verifica(std::max(v.lb, 0), v.rf);
    if (v.rb != -1 && v.lb < v.rb)
        verifica(std::max(v.lb, 0), v.rb);
    if (v.lf != -1 && v.lf < v.rf)
        verifica(v.lf, v.rf);
    if (v.lb == -1 && v.rb == -1 && v.lf == -1 && v.rf == -1 && tamanho > 0)
        verifica(0, tamanho - 1);
}

} // namespace

void TRealceTags::palavraAtual(int posicao) {
    if (!m_ativo)
        return;
    const QString texto = m_texto;
    const auto tamanho = static_cast<int>(texto.size());
    if (posicao < 0 || posicao > tamanho || tamanho == 0)
        return;
    // At the end of the text (after an insertion) the backward searches start at the last
    // character and the forward ones find nothing.
    const int atras = std::min(posicao, tamanho - 1);
    const TVizinhos v{static_cast<int>(texto.lastIndexOf(QLatin1Char('<'), atras)),
                      static_cast<int>(texto.lastIndexOf(QLatin1Char('>'), atras)),
                      static_cast<int>(texto.indexOf(QLatin1Char('<'), posicao)),
                      static_cast<int>(texto.indexOf(QLatin1Char('>'), posicao))};
    verificaVizinhos(v, tamanho,
                     [&](int inicio, int fim) { palavraReservada(texto, inicio, fim); });
    redesenhaPendentes();
}

void TRealceTags::Atualiza(const std::function<void(int, int)>& progresso) {
    if (!m_ativo)
        return;
    m_interrompido = false;
    const QString texto = m_texto;
    const auto n = static_cast<int>(texto.size());
    std::fill(m_cores.begin(), m_cores.end(), Plano);
    if (n > 0) {
        m_sujoInicio = 0;
        m_sujoFim = n - 1;
    }
    QElapsedTimer relogio;
    relogio.start();
    int menor = -1; // the last "<" that no sign followed yet
    // A text changed while the scan let events through ends it: the positions are stale.
    for (int i = 0; i < n && !m_interrompido && m_texto.constData() == texto.constData(); ++i) {
        const QChar c = texto[i];
        if (c == QLatin1Char('<')) {
            menor = i;
        } else if (c == QLatin1Char('>') && menor >= 0) {
            const QStringView palavra = QStringView(texto).mid(menor, i - menor + 1);
            if (m_tagsComuns.contains(palavra))
                pinta(menor, i, Comum);
            else if (m_tagsIterativas.contains(palavra))
                pinta(menor, i, Iterativa);
            menor = -1;
        }
        if (progresso && relogio.elapsed() >= 40) {
            progresso(i, n);
            relogio.restart();
        }
    }
    if (progresso)
        progresso(n, n);
    redesenhaPendentes();
}

void TRealceTags::highlightBlock(const QString& texto) {
    const int inicio = currentBlock().position();
    const auto tamanho = static_cast<int>(texto.size());
    if (inicio + tamanho > static_cast<int>(m_cores.size()))
        return;
    QTextCharFormat comum;
    comum.setForeground(corComum());
    comum.setFontWeight(QFont::Bold);
    QTextCharFormat iterativa;
    iterativa.setForeground(corIterativa());
    iterativa.setFontWeight(QFont::Bold);
    int i = 0;
    while (i < tamanho) {
        const unsigned char cor = m_cores[static_cast<std::size_t>(inicio + i)];
        int j = i + 1;
        while (j < tamanho && m_cores[static_cast<std::size_t>(inicio + j)] == cor)
            ++j;
        if (cor != Plano)
            setFormat(i, j - i, cor == Comum ? comum : iterativa);
        i = j;
    }
}

QColor TRealceTags::corEm(int posicao) const {
    if (posicao < 0 || posicao >= static_cast<int>(m_cores.size()))
        return m_editor->palette().color(QPalette::Text);
    switch (m_cores[static_cast<std::size_t>(posicao)]) {
    case Comum:
        return corComum();
    case Iterativa:
        return corIterativa();
    default:
        return m_editor->palette().color(QPalette::Text);
    }
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

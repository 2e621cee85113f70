#include "ui/frame/TEditorTags.h"

#include "engine/Filtros.h"
#include "engine/Vocabulario.h"

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
    const char* exemplo = nullptr; // shown as the leaf's tool tip
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
        if (folha.exemplo)
            no->setToolTip(0, QString::fromUtf8(folha.exemplo));
    }
}

} // namespace

void PreencheArvoreTags(QTreeWidget* arvore) {
    arvore->clear();
    arvore->setHeaderHidden(true);
    QTreeWidgetItem* colunas = grupo(arvore, nullptr, QStringLiteral("Column Tags"));
    folhas(colunas,
           {{"<colalias>", false},
            {"<colautoinc>", false, "1 for a column the database numbers by itself, else 0"},
            {"<colcomment>", false, "The column's comment in the database"},
            {"<coldatetype>", true},
            {"<coldefault>", false, "The column's default as the database gives it: 0, 'new'"},
            {"<colindex>", false},
            {"<colinivar>", false},
            {"<collength>", false},
            {"<colname>", false},
            {"<colnullable>", false, "1 for a column that may be null, else 0"},
            {"<colprecision>", false},
            {"<colprvtype>", false},
            {"<colscale>", false},
            {"<colsqltype>", false,
             "The type as a DDL declares it: VARCHAR(120), NUMERIC(10,2), INTEGER"},
            {"<colunique>", false, "1 for a column whose values are unique, else 0"},
            {"<colvartype>", false}});
    folhas(grupo(arvore, colunas, QStringLiteral("Foreign Columns")),
           {{"<frkcol>", true},
            {"<frkcolname>", false},
            {"<frktbname>", false},
            {"<frktbshortname>", false,
             "The referenced table's name without schema: customers for public.customers"}});
    folhas(
        grupo(arvore, colunas, QStringLiteral("Inverse Relations")),
        {{"<refcol>", true,
          "Once per foreign key of any table that refers to this one: "
          "<refcol><reftbshortname>.<colname> </refcol> gives orders.customer_id"},
         {"<reftbalias>", false, "The alias of the table that holds the foreign key"},
         {"<reftbname>", false, "The table that holds the foreign key, qualified: public.orders"},
         {"<reftbshortname>", false,
          "The table that holds the foreign key, without schema: orders"}});
    folhas(grupo(arvore, colunas, QStringLiteral("Primary Columns")), {{"<prkcol>", true}});
    folhas(grupo(arvore, colunas, QStringLiteral("Simple Columns")), {{"<simplecol>", true}});

    QTreeWidgetItem* condicoes = grupo(arvore, nullptr, QStringLiteral("Conditions"));
    folhas(grupo(arvore, condicoes, QStringLiteral("Column Conditions")),
           {{"<if:alias>", true, "Kept for a column with an alias"},
            {"<if:autoinc>", true, "Kept for a column the database numbers by itself"},
            {"<if:comment>", true, "Kept for a column with a comment"},
            {"<if:date>", true, "Kept for a date or time column"},
            {"<if:default>", true, "Kept for a column with a default"},
            {"<if:fk>", true, "Kept for a foreign-key column"},
            {"<if:fkfirst>", true,
             "Kept for the first column of a foreign key: consecutive columns referring to one "
             "table, each to another column, form one key"},
            {"<if:fklast>", true,
             "Kept for the last column of a foreign key: <frkcol><if:fkfirst>FOREIGN KEY "
             "(</if:fkfirst><colname><ifnot:fklast>, </ifnot:fklast><if:fklast>) REFERENCES "
             "<frktbname></if:fklast></frkcol>"},
            {"<if:length>", true, "Kept for a column whose length is above 0"},
            {"<if:nullable>", true,
             "Kept for a column that may be null: "
             "<if:nullable>std::optional<<colvartype>></if:nullable>"},
            {"<ifnot:nullable>", true,
             "Kept for a column that may not be null: <ifnot:nullable> NOT NULL</ifnot:nullable>"},
            {"<if:pk>", true, "Kept for a primary-key column"},
            {"<if:scale>", true, "Kept for a column whose scale is above 0"},
            {"<if:unique>", true, "Kept for a column whose values are unique"}});
    folhas(grupo(arvore, condicoes, QStringLiteral("Table Conditions")),
           {{"<if:hasfk>", true, "Kept for a table with foreign keys"},
            {"<if:haspk>", true, "Kept for a table with a primary key"},
            {"<if:table>", true, "Kept for a table"},
            {"<if:tbalias>", true, "Kept for a table with an alias"},
            {"<if:tbcomment>", true, "Kept for a table with a comment"},
            {"<if:view>", true, "Kept for a view: <ifnot:view>CREATE TABLE ...</ifnot:view>"}});
    folhas(grupo(arvore, condicoes, QStringLiteral("Position")),
           {{"<if:first>", true, "Kept in the first repetition of the block around it"},
            {"<if:last>", true, "Kept in the last repetition of the block around it"},
            {"<ifnot:last>", true,
             "Kept but in the last repetition: <simplecol><colname><ifnot:last>, "
             "</ifnot:last></simplecol> gives a, b, c"}});

    folhas(grupo(arvore, nullptr, QStringLiteral("Filters")),
           {{"<tbname:camel>", false, "order_lines gives orderLines"},
            {"<colname:ident>", false,
             "A safe identifier: Order Details gives Order_Details, a reserved word class "
             "gives class_"},
            {"<tbname:kebab>", false, "order_lines gives order-lines"},
            {"<tbname:lower>", false, "Orders gives orders"},
            {"<tbname:macro>", false, "order_lines gives ORDER_LINES"},
            {"<tbname:pascal>", false, "order_lines gives OrderLines"},
            {"<tbname:plural>", false, "category gives categories"},
            {"<tbname:singular>", false, "categories gives category"},
            {"<tbname:snake>", false, "AlbumId gives album_id"},
            {"<tbname:sql>", false,
             "A quoted SQL identifier: public.Order Details gives \"public\".\"Order Details\""},
            {"<colcomment:str>", false,
             "Text for a double-quoted string literal: a \"b\" gives a \\\"b\\\""},
            {"<tbname:upper>", false, "Orders gives ORDERS"},
            {"<tbshortname:pascal:singular>", false,
             "Filters apply left to right: public.order_lines gives OrderLine"}});

    folhas(grupo(arvore, nullptr, QStringLiteral("Global Tags")),
           {{"<dbname>", false}, {"<parentclass>", false}});
    folhas(grupo(arvore, nullptr, QStringLiteral("Table Tags")),
           {{"<colcount>", false},
            {"<coldatecount>", false},
            {"<frkcolcount>", false},
            {"<prkcolcount>", false},
            {"<rctable>", true},
            {"<refcolcount>", false, "How many foreign keys of any table refer to this one"},
            {"<simplecolcount>", false},
            {"<tbalias>", false},
            {"<tbcomment>", false, "The table's comment in the database"},
            {"<tbcount>", false},
            {"<tbindex>", false},
            {"<tbname>", false},
            {"<tbschema>", false},
            {"<tbshortname>", false, "The name without schema: public.orders gives orders"},
            {"<tbtype>", false}});
}

QStringList TagsComunsLinguagem() {
    return {QStringLiteral("<tbshortname>"),    QStringLiteral("<frktbshortname>"),
            QStringLiteral("<colsqltype>"),     QStringLiteral("<colnullable>"),
            QStringLiteral("<colunique>"),      QStringLiteral("<colautoinc>"),
            QStringLiteral("<coldefault>"),     QStringLiteral("<colcomment>"),
            QStringLiteral("<tbcomment>"),      QStringLiteral("<reftbname>"),
            QStringLiteral("<reftbshortname>"), QStringLiteral("<reftbalias>"),
            QStringLiteral("<refcolcount>")};
}

QStringList TagsIterativasLinguagem() {
    QStringList tags = {QString::fromUtf8(vocabulario::kAbreReferencia.data(),
                                          qsizetype(vocabulario::kAbreReferencia.size())),
                        QString::fromUtf8(vocabulario::kFechaReferencia.data(),
                                          qsizetype(vocabulario::kFechaReferencia.size()))};
    for (const vocabulario::TNomeCondicao& condicao : vocabulario::kCondicoes) {
        const QString nome =
            QString::fromUtf8(condicao.nome.data(), qsizetype(condicao.nome.size()));
        for (const char* forma : {"<if:%1>", "</if:%1>", "<ifnot:%1>", "</ifnot:%1>"})
            tags.append(QString::fromLatin1(forma).arg(nome));
    }
    return tags;
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
    // A tag with filters ("<tbname:pascal:singular>") is its tag's word when every filter
    // exists.
    const QString semFiltros = TagSemFiltros(QStringView(texto).mid(inicio, fim - inicio + 1));
    const QStringView palavra = semFiltros;
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

QString TagSemFiltros(QStringView palavra) {
    const auto doisPontos = palavra.indexOf(QLatin1Char(':'));
    if (doisPontos < 2 || !palavra.startsWith(QLatin1Char('<')) ||
        !palavra.endsWith(QLatin1Char('>')) || palavra.at(1) == QLatin1Char('/'))
        return palavra.toString();
    const QByteArray cadeia = palavra.mid(doisPontos + 1, palavra.size() - doisPontos - 2).toUtf8();
    TCadeiaFiltros filtros;
    if (!LeCadeiaFiltros(std::string_view(cadeia.constData(), std::size_t(cadeia.size())), filtros))
        return palavra.toString();
    return palavra.left(doisPontos).toString() + QLatin1Char('>');
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
            // A tag with filters counts as its tag when every filter exists.
            const QString palavra = TagSemFiltros(QStringView(texto).mid(menor, i - menor + 1));
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

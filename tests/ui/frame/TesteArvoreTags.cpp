// The tag tree and the highlighting words of the template windows against the language the
// engine knows.

#include "AuxiliaresEditor.h"
#include "engine/Filtros.h"
#include "engine/Vocabulario.h"
#include "ui/frame/TEditorTags.h"

#include <QApplication>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <span>

using namespace fendril;

namespace {

QString Texto(std::string_view palavra) {
    return QString::fromUtf8(palavra.data(), qsizetype(palavra.size()));
}

// Every tag, block opening and condition of the language, as a template writes it.
QStringList Palavras() {
    QStringList tags = {Texto(vocabulario::kAbreTabela)};
    for (const auto& par : vocabulario::kTagsBloco)
        tags.append(Texto(par.abertura));
    for (const auto lista : {std::span<const std::string_view>(vocabulario::kTagsDocumento),
                             std::span<const std::string_view>(vocabulario::kTagsTabela),
                             std::span<const std::string_view>(vocabulario::kTagsColuna)})
        for (const std::string_view tag : lista)
            tags.append(Texto(tag));
    for (const auto& condicao : vocabulario::kCondicoes)
        tags.append(QStringLiteral("<if:%1>").arg(Texto(condicao.nome)));
    return tags;
}

} // namespace

class TesteArvoreTags : public QObject {
    Q_OBJECT
private slots:
    // The tree offers every word of the language: each tag and block, each condition, and
    // each filter in an example; the leaves of the newer language explain themselves.
    void arvoreCompleta() {
        QTreeWidget arvore;
        PreencheArvoreTags(&arvore);
        for (const QString& tag : Palavras())
            QVERIFY2(teste::NoDaArvore(&arvore, tag), qPrintable(tag));
        for (const char* nova : {"<if:pk>", "<ifnot:last>", "<colsqltype>", "<refcol>",
                                 "<tbshortname>", "<coldefault>"})
            QVERIFY2(!teste::NoDaArvore(&arvore, QString::fromLatin1(nova))->toolTip(0).isEmpty(),
                     nova);
        QVERIFY(
            teste::NoDaArvore(&arvore, QStringLiteral("<if:pk>"))->data(0, Qt::UserRole).toBool());

        const QTreeWidgetItem* filtros = teste::NoDaArvore(&arvore, QStringLiteral("Filters"));
        QVERIFY(filtros);
        QStringList exemplos;
        for (int i = 0; i < filtros->childCount(); ++i) {
            exemplos.append(filtros->child(i)->text(0));
            QVERIFY(!filtros->child(i)->toolTip(0).isEmpty());
            QCOMPARE(TagSemFiltros(exemplos.back()).contains(QLatin1Char(':')), false);
        }
        for (const std::string_view filtro : kNomesFiltros) {
            const QString nome = QLatin1Char(':') + Texto(filtro);
            QVERIFY2(std::any_of(exemplos.begin(), exemplos.end(),
                                 [&nome](const QString& exemplo) {
                                     return exemplo.contains(nome + QLatin1Char('>')) ||
                                            exemplo.contains(nome + QLatin1Char(':'));
                                 }),
                     qPrintable(nome));
        }
    }

    // The windows' word lists take every word the tree offers, conditions closed and negated.
    void palavrasRealcadas() {
        const QStringList comuns = TagsComunsLinguagem();
        const QStringList iterativas = TagsIterativasLinguagem();
        for (const char* palavra : {"<tbshortname>", "<colsqltype>", "<colnullable>",
                                    "<refcolcount>", "<reftbalias>", "<tbcomment>"})
            QVERIFY2(comuns.contains(QString::fromLatin1(palavra)), palavra);
        for (const auto& condicao : vocabulario::kCondicoes)
            for (const char* forma : {"<if:%1>", "</if:%1>", "<ifnot:%1>", "</ifnot:%1>"})
                QVERIFY(iterativas.contains(QString::fromLatin1(forma).arg(Texto(condicao.nome))));
        QVERIFY(iterativas.contains(QStringLiteral("<refcol>")));
        QVERIFY(iterativas.contains(QStringLiteral("</refcol>")));
    }

    // A tag with filters that all exist reads as its tag; anything else as it is.
    void tagSemFiltros_data() {
        QTest::addColumn<QString>("palavra");
        QTest::addColumn<QString>("tag");
        QTest::newRow("chain") << QStringLiteral("<tbshortname:pascal:singular>")
                               << QStringLiteral("<tbshortname>");
        QTest::newRow("one") << QStringLiteral("<colname:ident>") << QStringLiteral("<colname>");
        QTest::newRow("unknown") << QStringLiteral("<tbname:pascl>")
                                 << QStringLiteral("<tbname:pascl>");
        QTest::newRow("empty") << QStringLiteral("<tbname:>") << QStringLiteral("<tbname:>");
        QTest::newRow("condition") << QStringLiteral("<if:pk>") << QStringLiteral("<if:pk>");
        QTest::newRow("closing") << QStringLiteral("</if:upper>") << QStringLiteral("</if:upper>");
        QTest::newRow("plain") << QStringLiteral("<tbname>") << QStringLiteral("<tbname>");
    }
    void tagSemFiltros() {
        QFETCH(QString, palavra);
        QFETCH(QString, tag);
        QCOMPARE(TagSemFiltros(palavra), tag);
    }
};

QTEST_MAIN(TesteArvoreTags)
#include "TesteArvoreTags.moc"

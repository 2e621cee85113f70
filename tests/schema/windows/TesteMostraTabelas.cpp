// The table chooser over the shop database: listing and filtering, the transfer question,
// Check/Uncheck All, foreign checking, the log file, the tables left out and a failing
// connection; the schema filter over PostgreSQL.

#include "../Mapeamento.h"
#include "AmbienteUi.h"
#include "schema/windows/TFormMostraTabelas.h"
#include "support/ArquivosTemporarios.h"
#include "ui/frame/Texto.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolBar>

using namespace fendril;
using namespace fendril::teste;

namespace {

QString CriaShop(const Ambiente& ambiente) {
    const QString banco = ambiente.caminho(QStringLiteral("shop.db"));
    if (!QFile::exists(banco))
        CriaBanco(deQString(banco), LeArquivo(FENDRIL_SHOP_SQL));
    return banco;
}

// A chooser over the shop database, shown and filled as the mapping window shows it.
struct Chooser {
    explicit Chooser(const Ambiente& ambiente) : janela(ambiente.pasta()) {
        janela.stringConexao = QStringLiteral("Provider=SQLite;Data Source=") + CriaShop(ambiente);
        janela.nomeBaseDados = QStringLiteral("main");
        janela.catalogo = QStringLiteral("main");
    }
    void mostra() {
        janela.show();
        janela.PreencheLstTabelas();
    }
    QStringList itens() const {
        QStringList nomes;
        for (int i = 0; i < janela.lista()->count(); ++i)
            nomes.append(janela.lista()->item(i)->text());
        return nomes;
    }
    void marca(const QString& nome, bool estado) {
        const auto achados = janela.lista()->findItems(nome, Qt::MatchExactly);
        QVERIFY(!achados.isEmpty());
        achados.first()->setCheckState(estado ? Qt::Checked : Qt::Unchecked);
    }
    QString status() const {
        return Controle<QStatusBar>(&janela, QStringLiteral("StatusBar1"))->currentMessage();
    }

    TFormMostraTabelas janela;
};

const QStringList kShop = {"addresses", "categories", "customers", "order_lines", "orders",
                           "payments",  "products",   "returns",   "order_totals"};

} // namespace

class TesteMostraTabelas : public QObject {
    Q_OBJECT
private slots:
    // Filling lists every table checked, shows the count, writes the log in the
    // installation directory and leaves the controls enabled and the progress bar hidden.
    void listaTudoMarcado() {
        Ambiente ambiente;
        Chooser c(ambiente);
        QCOMPARE(c.janela.windowTitle(), QStringLiteral("Available Tables"));
        c.mostra();
        QCOMPARE(c.itens(), kShop);
        QCOMPARE(c.janela.marcadas(), kShop);
        QCOMPARE(c.status(), QStringLiteral("Number of Tables: 9"));
        QCOMPARE(Controle<QLabel>(&c.janela, QStringLiteral("lb_basedados"))->text(),
                 QStringLiteral("main"));
        QVERIFY(Controle<QToolBar>(&c.janela, QStringLiteral("ToolBar1"))->isEnabled());
        QVERIFY(Controle<QProgressBar>(&c.janela, QStringLiteral("ProgressBar1"))->isHidden());
        QVERIFY(Conteudo(ambiente.caminho(QStringLiteral("Fendrillog.txt")))
                    .startsWith("### Loading Tables ###\r\n"));
        // Creating a chooser deletes the log of the last listing.
        TFormMostraTabelas outra(ambiente.pasta());
        QVERIFY(!QFile::exists(ambiente.caminho(QStringLiteral("Fendrillog.txt"))));
    }

    // The schema drop-down sorts "All" with the schemas; the type options fill their first
    // column first.
    void esquemasETipos() {
        QCOMPARE(TFormMostraTabelas::ItensEsquema({"sales", "", "ALL", "Archive", "dbo", "dbo"}),
                 (QStringList{"All", "Archive", "dbo", "sales"}));
        QCOMPARE(TFormMostraTabelas::ItensEsquema({"abc", "zed"}),
                 (QStringList{"abc", "All", "zed"}));
        Ambiente ambiente;
        Chooser c(ambiente);
        c.mostra();
        const auto posicao = [&c](int opcao) {
            return Controle<QRadioButton>(&c.janela, QStringLiteral("RadioGroup1_%1").arg(opcao))
                ->pos();
        };
        QCOMPARE(posicao(1).x(), posicao(0).x());
        QVERIFY(posicao(1).y() > posicao(0).y());
        QVERIFY(posicao(2).x() > posicao(0).x());
        QCOMPARE(posicao(2).y(), posicao(0).y());
        QCOMPARE(posicao(3).x(), posicao(2).x());
    }

    void filtraPorTipo_data() {
        QTest::addColumn<int>("opcao");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("All") << 0 << kShop;
        QTest::newRow("Simple Tables") << 1 << kShop.mid(0, 8);
        QTest::newRow("System Tables") << 2 << QStringList();
        QTest::newRow("Views") << 3 << QStringList{"order_totals"};
    }
    void filtraPorTipo() {
        QFETCH(int, opcao);
        QFETCH(QStringList, esperado);
        Ambiente ambiente;
        Chooser c(ambiente);
        c.mostra();
        Controle<QRadioButton>(&c.janela, QStringLiteral("RadioGroup1_%1").arg(opcao))->click();
        QCOMPARE(c.itens(), esperado);
    }

    // Transfer Tables asks; Yes returns the checked tables in list order, No none. Both
    // close the window. Driven the way the mapping window runs the chooser.
    void transfereComPergunta() {
        Ambiente ambiente;
        Chooser c(ambiente);
        TFormMostraTabelas::ProximaTransferencia({"orders", "customers"});
        Dialogos::ProximaResposta(QMessageBox::Yes);
        c.janela.Executa();
        QCOMPARE(c.janela.resultado, (QStringList{"customers", "orders"}));
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList{"This Command May Update Tree Data. Do You Want To Continue ?"});
        QVERIFY(!c.janela.isVisible());

        Chooser d(ambiente);
        TFormMostraTabelas::ProximaTransferencia();
        Dialogos::ProximaResposta(QMessageBox::No);
        d.janela.Executa();
        QVERIFY(d.janela.resultado.isEmpty());

        // No action queued: the user leaves with Exit.
        Chooser e(ambiente);
        e.janela.Executa();
        QVERIFY(e.janela.resultado.isEmpty());
        QVERIFY(!e.janela.isVisible());
    }

    // Add Remaining Tables leaves out the mapping's tables whatever their letter case.
    void deixaDeForaAsExcluidas() {
        Ambiente ambiente;
        Chooser c(ambiente);
        c.janela.excluidas = QStringList{"ORDERS", "Customers"};
        c.mostra();
        QVERIFY(!c.itens().contains(QStringLiteral("orders")));
        QVERIFY(!c.itens().contains(QStringLiteral("customers")));
        QCOMPARE(c.itens().size(), 7);
    }

    // The first use unchecks every table, the next checks them all again.
    void marcaEDesmarcaTodas() {
        Ambiente ambiente;
        Chooser c(ambiente);
        c.mostra();
        QAction* checa = Acao(&c.janela, QStringLiteral("but_checa"));
        checa->trigger();
        QVERIFY(c.janela.marcadas().isEmpty());
        checa->trigger();
        QCOMPARE(c.janela.marcadas(), kShop);
    }

    // With foreign checking on, the links are gathered and (un)checking a table
    // (un)checks the tables it refers to, one level only; off, nothing follows.
    void checaEstrangeiras() {
        Ambiente ambiente;
        Chooser c(ambiente);
        c.mostra();
        c.marca(QStringLiteral("orders"), false);
        QCOMPARE(c.janela.marcadas().size(), 8);
        QVERIFY(c.janela.relacoes.isEmpty());

        Acao(&c.janela, QStringLiteral("but_trava"))->trigger();
        QVERIFY(c.janela.checaEstrangeiras);
        QCOMPARE(c.janela.marcadas(), kShop); // refilled
        QVERIFY(c.janela.relacoes.contains(QStringLiteral("customers->orders->")));
        QVERIFY(c.janela.relacoes.contains(QStringLiteral("addresses->orders->")));
        QVERIFY(c.janela.log.contains(QStringLiteral("### Loading Foreign Tables of orders ###")));

        c.marca(QStringLiteral("orders"), false);
        QCOMPARE(c.janela.marcadas(), (QStringList{"categories", "order_lines", "payments",
                                                   "products", "returns", "order_totals"}));
        Acao(&c.janela, QStringLiteral("but_checa"))->trigger(); // unchecks all
        c.marca(QStringLiteral("returns"), true);
        QCOMPARE(c.janela.marcadas(), (QStringList{"order_lines", "returns"}));

        Acao(&c.janela, QStringLiteral("but_trava"))->trigger();
        QVERIFY(!c.janela.checaEstrangeiras);
        c.marca(QStringLiteral("orders"), true);
        QCOMPARE(c.janela.marcadas(), (QStringList{"order_lines", "orders", "returns"}));
    }

    // View Log shows the log file and the list is filled again on coming back.
    void mostraLogEPreencheDeNovo() {
        Ambiente ambiente;
        Chooser c(ambiente);
        c.mostra();
        Acao(&c.janela, QStringLiteral("but_checa"))->trigger();
        Acao(&c.janela, QStringLiteral("but_viewlog"))->trigger();
        QCOMPARE(c.janela.marcadas(), kShop);
    }

    // A connection that fails shows the provider's message; the list stays empty and the
    // controls disabled.
    void conexaoQueFalha() {
        Ambiente ambiente;
        TFormMostraTabelas janela(ambiente.pasta());
        janela.stringConexao = QStringLiteral("Provider=SQLite;Data Source=") +
                               ambiente.caminho(QStringLiteral("missing.db"));
        janela.show();
        janela.PreencheLstTabelas();
        QCOMPARE(janela.lista()->count(), 0);
        const QStringList mensagens = Dialogos::TomaMensagens();
        QCOMPARE(mensagens.size(), 1);
        QVERIFY(mensagens.first().startsWith(QStringLiteral("unable to open database file")));
        QVERIFY(!Controle<QToolBar>(&janela, QStringLiteral("ToolBar1"))->isEnabled());
    }

    // The schema drop-down: filled and set to "All" by the first listing; choosing a
    // schema lists its tables only.
    void filtraPorEsquemaNoPostgreSQL() {
        Ambiente ambiente;
        const QString porta = PortaPostgreSQL();
        QVERIFY2(!porta.isEmpty(), "run through ctest, which starts the PostgreSQL server");
        TFormMostraTabelas janela(ambiente.pasta());
        janela.stringConexao = ConexaoPostgreSQL(porta);
        janela.usuario = QStringLiteral("fendril");
        janela.senha = QStringLiteral("fendril-secret");
        janela.nomeBaseDados = janela.catalogo = QStringLiteral("shop");
        janela.show();
        janela.PreencheLstTabelas();
        QCOMPARE(Dialogos::TomaMensagens(), QStringList());
        auto* esquema = Controle<QComboBox>(&janela, QStringLiteral("ComboBox1"));
        QCOMPARE(esquema->currentText(), QStringLiteral("All"));
        QStringList itens;
        for (int i = 0; i < esquema->count(); ++i)
            itens.append(esquema->itemText(i));
        QCOMPARE(itens, (QStringList{"All", "archive", "public"}));
        QCOMPARE(janela.lista()->count(), 11);
        esquema->setCurrentIndex(1);
        emit esquema->activated(1);
        QCOMPARE(janela.marcadas(), (QStringList{"archive.orders", "archive.orderxlines"}));
    }
};

QTEST_MAIN(TesteMostraTabelas)
#include "TesteMostraTabelas.moc"

// The mapping window against the PostgreSQL server the test command starts (the shop
// schema in "public" and a second schema "archive" holding a table of the same name):
// schema-qualified names in the tree and the panels, loading by qualified name, the
// document round trip, the table data window, and a refused login.

#include "AmbienteUi.h"
#include "JanelaFilha.h"
#include "documents/DocumentoMapeamento.h"
#include "schema/FonteEsquema.h"
#include "schema/windows/TFormMostraDados.h"
#include "schema/windows/TFormMostraTabelas.h"
#include "ui/TFormFilha.h"
#include "ui/frame/Texto.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QTreeWidget>

using namespace fendril;
using namespace fendril::teste;

namespace {

// The port of the server the postgres_start test started.
QString Porta() {
    const QString porta = PortaPostgreSQL();
    if (porta.isEmpty())
        qFatal("FENDRIL_PG_DIR is not set: run these tests through ctest");
    return porta;
}

QString Conexao() {
    return QStringLiteral("Driver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so;Server=127.0.0.1;"
                          "Port=") +
           Porta() + QStringLiteral(";Database=shop");
}

QStringList Tabelas(TFormFilha* janela) {
    QStringList textos;
    for (int i = 0; i < janela->arvore()->topLevelItemCount(); ++i)
        textos.append(janela->arvore()->topLevelItem(i)->text(0));
    return textos;
}

QString Texto(TFormFilha* janela, const QString& nome) {
    if (auto* combo = janela->findChild<QComboBox*>(nome))
        return combo->currentText();
    return Controle<QLineEdit>(janela, nome)->text();
}

// A new mapping window with the server's connection filled in (password given).
TFormFilha* NovaJanela(TFormTelaPrincipal& principal, const QString& senha) {
    auto* janela = qobject_cast<TFormFilha*>(principal.NovoDocumento(QStringLiteral("kmf")));
    Controle<QLineEdit>(janela, QStringLiteral("edit_constring"))->setText(Conexao());
    Controle<QLineEdit>(janela, QStringLiteral("edit_usuario"))->setText(QStringLiteral("fendril"));
    Controle<QLineEdit>(janela, QStringLiteral("edit_Senha"))->setText(senha);
    return janela;
}

TFormFilha* Conectada(TFormTelaPrincipal& principal) {
    TFormFilha* janela = NovaJanela(principal, QStringLiteral("fendril-secret"));
    Conecta(janela, QStringLiteral("shop"));
    return janela;
}

} // namespace

class TesteFilhaPg : public QObject {
    Q_OBJECT
private slots:
    // Tables of two schemas through the chooser, shown by qualified name with their schema
    // in the panel; a changed alias and a cross-schema foreign link survive a round trip.
    void duasEsquemas() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilha* janela = NovaJanela(*principal, QStringLiteral("fendril-secret"));
        auto* bases = Controle<QComboBox>(janela, QStringLiteral("combo_basedados"));
        Controle<QToolButton>(janela, QStringLiteral("atbut_basedados"))->click();
        QCOMPARE(Dialogos::TomaMensagens(), QStringList());
        QVERIFY(bases->findText(QStringLiteral("shop")) >= 0);
        bases->hidePopup();
        bases->setEditText(QStringLiteral("shop"));
        Controle<QPushButton>(janela, QStringLiteral("but_conectar"))->click();
        QVERIFY(janela->conectado());

        TFormMostraTabelas::ProximaTransferencia(
            {QStringLiteral("public.orders"), QStringLiteral("archive.orders")});
        Dialogos::ProximaResposta(QMessageBox::Yes);
        Controle<QAction>(janela, QStringLiteral("but_obter"))->trigger();
        QCOMPARE(Tabelas(janela),
                 QStringList({QStringLiteral("archive.orders"), QStringLiteral("public.orders")}));
        QVERIFY(
            !No(janela, QStringLiteral("archive.orders"), QStringLiteral("id"))->icon(0).isNull());

        Seleciona(janela, QStringLiteral("archive.orders"));
        QCOMPARE(Texto(janela, QStringLiteral("Edit_nometabela")), QStringLiteral("orders"));
        QCOMPARE(Texto(janela, QStringLiteral("edit_esquema")), QStringLiteral("archive"));
        QTest::keyClicks(Controle<QLineEdit>(janela, QStringLiteral("edit_tbalias")),
                         QStringLiteral("OldOrder"));
        Seleciona(janela, QStringLiteral("archive.orders"), QStringLiteral("customer_id"));
        QVERIFY(Controle<QCheckBox>(janela, QStringLiteral("cb_foreign"))->isChecked());
        QCOMPARE(Texto(janela, QStringLiteral("combo_nometabelaestrg")),
                 QStringLiteral("public.customers"));
        QCOMPARE(Texto(janela, QStringLiteral("comb_nomecolunaestrg")), QStringLiteral("id"));
        QTest::keyClicks(Controle<QLineEdit>(janela, QStringLiteral("edit_colalias")),
                         QStringLiteral("Client"));
        // The same column name in the other schema keeps its own record.
        Seleciona(janela, QStringLiteral("public.orders"), QStringLiteral("customer_id"));
        QCOMPARE(Texto(janela, QStringLiteral("edit_colalias")), QString());
        QCOMPARE(Texto(janela, QStringLiteral("edit_esquema")), QStringLiteral("public"));

        Controle<QLineEdit>(janela, QStringLiteral("Edit_autor"))->setText(QStringLiteral("Ana"));
        const QString caminho = ambiente.caminho(QStringLiteral("pg.kmf"));
        janela->SalvaArquivoKMF(caminho);
        principal->AbreArquivo({caminho});
        auto* reaberta = qobject_cast<TFormFilha*>(principal->filhaAtiva());
        QVERIFY(reaberta && reaberta != janela);
        QCOMPARE(Texto(reaberta, QStringLiteral("edit_usuario")), QStringLiteral("fendril"));
        QCOMPARE(Texto(reaberta, QStringLiteral("combo_basedados")), QStringLiteral("shop"));
        QCOMPARE(Tabelas(reaberta), Tabelas(janela));
        Seleciona(reaberta, QStringLiteral("archive.orders"));
        QCOMPARE(Texto(reaberta, QStringLiteral("edit_tbalias")), QStringLiteral("OldOrder"));
        Seleciona(reaberta, QStringLiteral("archive.orders"), QStringLiteral("customer_id"));
        QCOMPARE(Texto(reaberta, QStringLiteral("edit_colalias")), QStringLiteral("Client"));
        QCOMPARE(Texto(reaberta, QStringLiteral("combo_nometabelaestrg")),
                 QStringLiteral("public.customers"));
    }

    // A name without a dot keeps only tables without a schema, which this server has none
    // of; a qualified name keeps that schema's table only.
    void nomeSemPonto() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilha* janela = Conectada(*principal);
        janela->CarregaControlaColunas(
            {QStringLiteral("orders"), QStringLiteral("archive.orders")});
        QCOMPARE(Tabelas(janela), QStringList(QStringLiteral("archive.orders")));
        QCOMPARE(janela->controlaColunas()->quantidade(), std::size_t{4});
    }

    // Selecting any column of the server's tables and refreshing changes nothing in it.
    void selecaoNaoMudaColunas() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilha* janela = Conectada(*principal);
        TFormMostraTabelas::ProximaTransferencia();
        Dialogos::ProximaResposta(QMessageBox::Yes);
        Controle<QAction>(janela, QStringLiteral("but_obter"))->trigger();
        QCOMPARE(Tabelas(janela).size(), 11);
        const auto codificacoes = [janela] {
            std::string texto;
            for (const auto& coluna : std::as_const(*janela->controlaColunas()).getColunas())
                texto += coluna->Codifica() + '\n';
            return texto;
        };
        const std::string antes = codificacoes();
        for (const QString& tabela : Tabelas(janela)) {
            QTreeWidgetItem* no = No(janela, tabela);
            QStringList colunas;
            for (int c = 0; c < no->childCount(); ++c)
                colunas.append(no->child(c)->text(0));
            for (const QString& coluna : colunas) {
                Seleciona(janela, tabela, coluna);
                Controle<QAction>(janela, QStringLiteral("but_refresh"))->trigger();
            }
        }
        QCOMPARE(codificacoes(), antes);
    }

    // Show Table Data reads the rows of the selected schema-qualified table.
    void mostraDados() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilha* janela = Conectada(*principal);
        janela->CarregaControlaColunas({QStringLiteral("public.order_lines")});
        Seleciona(janela, QStringLiteral("public.order_lines"));
        int linhas = -1;
        TFormMostraDados::ProximaAcao([&linhas](TFormMostraDados& dados) {
            linhas = dados.grade()->model() ? dados.grade()->model()->rowCount() : -1;
        });
        Controle<QAction>(janela, QStringLiteral("but_mostradados"))->trigger();
        QCOMPARE(Dialogos::TomaMensagens(), QStringList());
        QCOMPARE(linhas, 2);
    }

    // A refused login shows the driver's message after the window's own text.
    void senhaErrada() {
        Ambiente ambiente;
        auto principal = NovaPrincipal();
        TFormFilha* janela = NovaJanela(*principal, QStringLiteral("wrong"));
        QString mensagemProvider;
        try {
            CriaConexaoPadrao()->Open(deQString(Conexao()), "fendril", "wrong");
        } catch (const std::exception& erro) {
            mensagemProvider = paraQString(erro.what());
        }
        QVERIFY(!mensagemProvider.isEmpty());
        Controle<QPushButton>(janela, QStringLiteral("but_conectar"))->click();
        QCOMPARE(Dialogos::TomaMensagens(),
                 QStringList(QStringLiteral("Connection Could Not Be Opened !! System Message: ") +
                             mensagemProvider));
        QVERIFY(!janela->conectado());
        QCOMPARE(janela->textoPainel(0), QStringLiteral("Disconnected"));
    }
};

QTEST_MAIN(TesteFilhaPg)
#include "TesteFilhaPg.moc"

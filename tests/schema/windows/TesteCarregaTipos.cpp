// The provider types loader: Load from a real SQLite database and from fixed sources, a
// failing Load, Build Connection String and Transfer Types with its question.

#include "AmbienteUi.h"
#include "schema/windows/TFormCarregaTipos.h"
#include "support/BancoSQLite.h"
#include "support/TConexaoFixa.h"
#include "ui/frame/Texto.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

using namespace fendril;
using namespace fendril::teste;

namespace {

// A SQLite database holding one table.
QString CriaBanco(const Ambiente& ambiente) {
    const QString caminho = ambiente.caminho(QStringLiteral("tipos.db"));
    teste::CriaBanco(deQString(caminho),
                     "CREATE TABLE item (nome varchar(20), quantidade INT, ativo bit)");
    return ConexaoSQLite(caminho);
}

QStringList Coluna(QTableWidget* grade, int coluna) {
    QStringList textos;
    for (int r = 0; r < grade->rowCount(); ++r) {
        const QTableWidgetItem* item = grade->item(r, coluna);
        textos.append(item ? item->text() : QString());
    }
    return textos;
}

// A connection that records the Load button as it is while the connection opens.
class TConexaoObservada : public TConexao {
public:
    TConexaoObservada(std::unique_ptr<TConexao> real, QPushButton*& botao, QString& visto)
        : m_real(std::move(real)), m_botao(botao), m_visto(visto) {}
    void Open(const std::string& stringConexao, const std::string& usuario,
              const std::string& senha) override {
        m_visto = m_botao->text() +
                  (m_botao->isEnabled() ? QStringLiteral("|enabled") : QStringLiteral("|disabled"));
        m_real->Open(stringConexao, usuario, senha);
    }
    void DefaultDatabase(const std::string& nome) override { m_real->DefaultDatabase(nome); }
    std::unique_ptr<TRowset> OpenSchema(TEsquema esquema, const TFiltro& restricoes) override {
        return m_real->OpenSchema(esquema, restricoes);
    }
    void Close() override { m_real->Close(); }

private:
    std::unique_ptr<TConexao> m_real;
    QPushButton*& m_botao;
    QString& m_visto;
};

} // namespace

class TesteCarregaTipos : public QObject {
    Q_OBJECT
private slots:
    // The window as it opens: caption, header, two rows, the count label, the password.
    void janelaNova() {
        Ambiente ambiente;
        QStringList lista;
        TFormCarregaTipos janela(nullptr, lista);
        QCOMPARE(janela.windowTitle(), QStringLiteral("Load Provider Data Types"));
        auto* grade = Controle<QTableWidget>(&janela, QStringLiteral("tab"));
        QCOMPARE(grade->columnCount(), 2);
        QCOMPARE(grade->rowCount(), 1);
        QCOMPARE(grade->horizontalHeaderItem(0)->text(), QStringLiteral("Type"));
        QCOMPARE(grade->horizontalHeaderItem(1)->text(), QStringLiteral("Maximum Size"));
        QCOMPARE(Controle<QLabel>(&janela, QStringLiteral("Label4"))->text(),
                 QStringLiteral("Number of Types: "));
        QCOMPARE(Controle<QPushButton>(&janela, QStringLiteral("but_conectar"))->text(),
                 QStringLiteral("Load"));
        QCOMPARE(Controle<QLineEdit>(&janela, QStringLiteral("Edit3"))->echoMode(),
                 QLineEdit::Password);
        QCOMPARE(janela.minimumSize(), janela.maximumSize());
    }

    // Load from a real SQLite database: the button reads "Loading.Wait..." and is disabled
    // while connecting, then comes back; every type with its size, in the provider's order.
    void carregaSQLite() {
        Ambiente ambiente;
        QStringList lista;
        QPushButton* botao = nullptr;
        QString visto;
        TFormCarregaTipos janela(nullptr, lista, [&botao, &visto] {
            return std::make_unique<TConexaoObservada>(CriaConexaoPadrao(), botao, visto);
        });
        botao = Controle<QPushButton>(&janela, QStringLiteral("but_conectar"));
        Controle<QLineEdit>(&janela, QStringLiteral("Edit1"))->setText(CriaBanco(ambiente));
        QTest::mouseClick(botao, Qt::LeftButton);
        QCOMPARE(visto, QStringLiteral("Loading.Wait...|disabled"));
        QCOMPARE(botao->text(), QStringLiteral("Load"));
        QVERIFY(botao->isEnabled());
        auto* grade = Controle<QTableWidget>(&janela, QStringLiteral("tab"));
        // The provider's 18 types and the 3 the table declares as written.
        QCOMPARE(grade->rowCount(), 21);
        QCOMPARE(Controle<QLabel>(&janela, QStringLiteral("Label4"))->text(),
                 QStringLiteral("Number of Types: 21"));
        QCOMPARE(Coluna(grade, 0).first(), QStringLiteral("INTEGER"));
        QCOMPARE(Coluna(grade, 1).first(), QStringLiteral("10"));
        for (const char* nome : {"VARCHAR", "varchar", "INT", "bit"})
            QVERIFY2(Coluna(grade, 0).contains(QLatin1String(nome)), nome);
        QVERIFY(Dialogos::TomaMensagens().isEmpty());
    }

    // A Null size leaves its cell empty; duplicates stay, in the source's order; a second
    // Load starts from a fresh grid.
    void carregaFonteFixa() {
        Ambiente ambiente;
        auto fonte = std::make_shared<TFonteFixa>();
        auto tipo = [&fonte](const char* nome, std::optional<std::int64_t> tamanho) {
            namespace c = rowset::provider_types;
            TLinhaValores linha = LinhaAte(c::COLUMN_SIZE);
            linha[c::TYPE_NAME] = TValor::De(std::string(nome));
            linha[c::COLUMN_SIZE] = tamanho ? TValor::De(*tamanho) : TValor::Nulo();
            fonte->Adiciona(TEsquema::adSchemaProviderTypes, linha);
        };
        tipo("varchar", 8000);
        tipo("INT", 10);
        tipo("xml", std::nullopt);
        tipo("INT", 10);
        QStringList lista;
        TFormCarregaTipos janela(nullptr, lista, FabricaFixa(fonte));
        auto* botao = Controle<QPushButton>(&janela, QStringLiteral("but_conectar"));
        QTest::mouseClick(botao, Qt::LeftButton);
        QTest::mouseClick(botao, Qt::LeftButton);
        auto* grade = Controle<QTableWidget>(&janela, QStringLiteral("tab"));
        QCOMPARE(Coluna(grade, 0), QStringList({QStringLiteral("varchar"), QStringLiteral("INT"),
                                                QStringLiteral("xml"), QStringLiteral("INT")}));
        QCOMPARE(Coluna(grade, 1), QStringList({QStringLiteral("8000"), QStringLiteral("10"),
                                                QString(), QStringLiteral("10")}));
        QCOMPARE(Controle<QLabel>(&janela, QStringLiteral("Label4"))->text(),
                 QStringLiteral("Number of Types: 4"));
    }

    // A failing Load: its message, the button back, the grid and the count fresh.
    void carregaFalha() {
        Ambiente ambiente;
        QStringList lista;
        TFormCarregaTipos janela(nullptr, lista);
        Controle<QLineEdit>(&janela, QStringLiteral("Edit1"))
            ->setText(QStringLiteral("Provider=SQLite;Data Source=\"%1\"")
                          .arg(ambiente.caminho(QStringLiteral("missing.db"))));
        auto* botao = Controle<QPushButton>(&janela, QStringLiteral("but_conectar"));
        QTest::mouseClick(botao, Qt::LeftButton);
        QCOMPARE(Dialogos::TomaMensagens().size(), 1);
        QCOMPARE(botao->text(), QStringLiteral("Load"));
        QVERIFY(botao->isEnabled());
        QCOMPARE(Controle<QTableWidget>(&janela, QStringLiteral("tab"))->rowCount(), 1);
        QCOMPARE(Controle<QLabel>(&janela, QStringLiteral("Label4"))->text(),
                 QStringLiteral("Number of Types: "));
        QVERIFY(!QFileInfo::exists(ambiente.caminho(QStringLiteral("missing.db"))));
    }

    // Build Connection String: the string the connection dialog built, through "arqudl.udl"
    // in the current directory, which is gone afterwards; a cancel keeps the string.
    void constroiString() {
        Ambiente ambiente;
        QStringList lista;
        TFormCarregaTipos janela(nullptr, lista);
        auto* edit = Controle<QLineEdit>(&janela, QStringLiteral("Edit1"));
        const QString texto = QStringLiteral("Provider=SQLite;Data Source=\"/tmp/a.db\"");
        Dialogos::ProximoTexto(texto);
        Controle<QToolButton>(&janela, QStringLiteral("atbut_constring"))->click();
        QCOMPARE(edit->text(), texto);
        QVERIFY(!QFileInfo::exists(ambiente.caminho(QStringLiteral("arqudl.udl"))));
        Dialogos::ProximoTexto(QString());
        Controle<QToolButton>(&janela, QStringLiteral("atbut_constring"))->click();
        QCOMPARE(edit->text(), texto);
    }

    // Transfer Types asks, clears the caller's list, and on Yes gives the names in grid
    // order (one empty name before any Load); it closes the dialog in either case.
    void transfere_data() {
        QTest::addColumn<bool>("carregar");
        QTest::addColumn<int>("resposta");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("no") << true << int(QMessageBox::No) << QStringList();
        QTest::newRow("yes before Load")
            << false << int(QMessageBox::Yes) << QStringList{QString()};
        QTest::newRow("yes") << true << int(QMessageBox::Yes)
                             << QStringList({QStringLiteral("b"), QStringLiteral("A")});
    }
    void transfere() {
        QFETCH(bool, carregar);
        QFETCH(int, resposta);
        QFETCH(QStringList, esperado);
        Ambiente ambiente;
        auto fonte = std::make_shared<TFonteFixa>();
        for (const char* nome : {"b", "A"})
            fonte->Adiciona(TEsquema::adSchemaProviderTypes,
                            {TValor::De(std::string(nome)), TValor::Nulo(), TValor::De(4)});
        QStringList lista{QStringLiteral("old")};
        TFormCarregaTipos janela(nullptr, lista, FabricaFixa(fonte));
        janela.show();
        if (carregar)
            Controle<QPushButton>(&janela, QStringLiteral("but_conectar"))->click();
        Dialogos::ProximaResposta(static_cast<QMessageBox::StandardButton>(resposta));
        Controle<QAction>(&janela, QStringLiteral("but_transfere"))->trigger();
        QCOMPARE(
            Dialogos::TomaMensagens(),
            QStringList{QStringLiteral("Types Table Will Be Modified. Do You Want To Proceed ?")});
        QCOMPARE(lista, esperado);
        QVERIFY(!janela.isVisible());
        QCOMPARE(janela.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TesteCarregaTipos)
#include "TesteCarregaTipos.moc"

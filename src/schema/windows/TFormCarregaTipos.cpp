#include "schema/windows/TFormCarregaTipos.h"

#include "schema/TColecao.h"
#include "schema/windows/TFormConexao.h"
#include "ui/frame/Dialogos.h"
#include "ui/frame/Texto.h"

#include <QAction>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <string>

namespace fendril {

namespace {
const QString rotuloQuantidade = QStringLiteral("Number of Types: ");
const QString legendaCarregar = QStringLiteral("Load");
} // namespace

TFormCarregaTipos::TFormCarregaTipos(QWidget* pai, QStringList& lista, TFabricaConexao fabrica)
    : QDialog(pai), m_lista(lista), m_fabrica(std::move(fabrica)) {
    setObjectName(QStringLiteral("FormCarregaTipos"));
    setWindowTitle(QStringLiteral("Load Provider Data Types"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto* layout = new QVBoxLayout(this);
    auto* barra = new QToolBar(this);
    barra->setObjectName(QStringLiteral("ToolBar1"));
    barra->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_transfere = barra->addAction(QStringLiteral("Transfer Types"), this,
                                   &TFormCarregaTipos::but_transfereClick);
    m_transfere->setObjectName(QStringLiteral("but_transfere"));
    layout->setMenuBar(barra);

    auto* grupo = new QGroupBox(QStringLiteral("Connection"), this);
    auto* campos = new QFormLayout(grupo);
    auto* linhaConexao = new QHBoxLayout;
    linhaConexao->setSpacing(2);
    m_stringConexao = new QLineEdit(grupo);
    m_stringConexao->setObjectName(QStringLiteral("Edit1"));
    linhaConexao->addWidget(m_stringConexao, 1);
    auto* construir = new QToolButton(grupo);
    construir->setObjectName(QStringLiteral("atbut_constring"));
    construir->setText(QStringLiteral("..."));
    construir->setToolTip(QStringLiteral("Build Connection String"));
    connect(construir, &QToolButton::clicked, this, &TFormCarregaTipos::atbut_constringClick);
    linhaConexao->addWidget(construir);
    campos->addRow(QStringLiteral("Connection String"), linhaConexao);
    m_usuario = new QLineEdit(grupo);
    m_usuario->setObjectName(QStringLiteral("Edit2"));
    campos->addRow(QStringLiteral("User Name"), m_usuario);
    m_senha = new QLineEdit(grupo);
    m_senha->setObjectName(QStringLiteral("Edit3"));
    m_senha->setEchoMode(QLineEdit::Password);
    campos->addRow(QStringLiteral("Password"), m_senha);
    m_conectar = new QPushButton(legendaCarregar, grupo);
    m_conectar->setObjectName(QStringLiteral("but_conectar"));
    m_conectar->setAutoDefault(false);
    connect(m_conectar, &QPushButton::clicked, this, &TFormCarregaTipos::but_conectarClick);
    auto* linhaBotao = new QHBoxLayout;
    linhaBotao->addStretch(1);
    linhaBotao->addWidget(m_conectar);
    campos->addRow(linhaBotao);
    layout->addWidget(grupo);

    m_tab = new QTableWidget(1, 2, this);
    m_tab->setObjectName(QStringLiteral("tab"));
    m_tab->setHorizontalHeaderLabels({QStringLiteral("Type"), QStringLiteral("Maximum Size")});
    m_tab->verticalHeader()->hide();
    m_tab->verticalHeader()->setDefaultSectionSize(20);
    m_tab->setColumnWidth(0, 220);
    m_tab->horizontalHeader()->setStretchLastSection(true);
    m_tab->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tab->setSelectionBehavior(QAbstractItemView::SelectRows);
    layout->addWidget(m_tab, 1);

    m_quantidade = new QLabel(rotuloQuantidade, this);
    m_quantidade->setObjectName(QStringLiteral("Label4"));
    m_quantidade->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(m_quantidade);

    setFixedSize(460, 420);
}

void TFormCarregaTipos::escreve(int linha, int coluna, const QString& texto) {
    m_tab->setItem(linha, coluna, new QTableWidgetItem(texto));
}

void TFormCarregaTipos::Carrega() {
    m_conectar->setText(QStringLiteral("Loading.Wait..."));
    m_conectar->setEnabled(false);
    m_conectar->repaint();
    m_tab->clearContents();
    m_tab->setRowCount(1);
    m_quantidade->setText(rotuloQuantidade);
    // The button comes back and the connection is closed whatever happens below.
    struct Restaura {
        QPushButton* botao;
        std::unique_ptr<TConexao> conexao;
        ~Restaura() {
            if (conexao)
                FechaConexao(conexao);
            botao->setText(legendaCarregar);
            botao->setEnabled(true);
        }
    } restaura{m_conectar, nullptr};
    restaura.conexao = m_fabrica();

    restaura.conexao->Open(deQString(m_stringConexao->text()), deQString(m_usuario->text()),
                           deQString(m_senha->text()));
    TColecao cursor;
    cursor.setRecordset(restaura.conexao->OpenSchema(TEsquema::adSchemaProviderTypes, {}));
    m_tab->setRowCount(cursor.getQuantidade());
    const TLinhaEsquema* linha = cursor.getRecordset();
    int r = 0;
    while (!cursor.getFim()) {
        if (r >= m_tab->rowCount())
            m_tab->setRowCount(r + 1);
        namespace c = rowset::provider_types;
        escreve(r, 0,
                linha->Nulo(c::TYPE_NAME) ? QString() : paraQString(linha->Texto(c::TYPE_NAME)));
        if (!linha->Nulo(c::COLUMN_SIZE))
            escreve(r, 1, QString::number(linha->Inteiro(c::COLUMN_SIZE)));
        cursor.Proximo();
        ++r;
    }
    m_quantidade->setText(rotuloQuantidade + QString::number(m_tab->rowCount()));
}

void TFormCarregaTipos::but_conectarClick() {
    try {
        Carrega();
    } catch (const std::exception& erro) {
        Dialogos::Erro(this, paraQString(erro.what()));
    }
}

void TFormCarregaTipos::atbut_constringClick() {
    m_stringConexao->setText(
        getConnectionString(this, QStringLiteral("arqudl"), m_stringConexao->text()));
}

void TFormCarregaTipos::but_transfereClick() {
    m_lista.clear();
    const auto resposta = Dialogos::Pergunta(
        this, QStringLiteral("Types Table Will Be Modified. Do You Want To Proceed ?"),
        QMessageBox::Yes | QMessageBox::No);
    if (resposta == QMessageBox::Yes) {
        for (int r = 0; r < m_tab->rowCount(); ++r) {
            const QTableWidgetItem* item = m_tab->item(r, 0);
            m_lista.append(item ? item->text() : QString());
        }
    }
    accept();
}

} // namespace fendril

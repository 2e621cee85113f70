#include "ui/frame/TPaginaInicial.h"

#include "ui/frame/Icones.h"
#include "ui/frame/TTiposDocumento.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace fendril {

namespace {

QToolButton* Botao(QWidget* pai, const QString& nome, const QString& texto, const QIcon& icone) {
    auto* botao = new QToolButton(pai);
    botao->setObjectName(nome);
    botao->setText(texto);
    botao->setIcon(icone);
    botao->setIconSize(QSize(32, 32));
    botao->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    botao->setAutoRaise(true);
    botao->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return botao;
}

QLabel* Titulo(QWidget* pai, const QString& texto) {
    auto* rotulo = new QLabel(texto, pai);
    QFont fonte = rotulo->font();
    fonte.setBold(true);
    fonte.setPointSizeF(fonte.pointSizeF() * 1.15);
    rotulo->setFont(fonte);
    return rotulo;
}

} // namespace

TPaginaInicial::TPaginaInicial(QWidget* pai) : QWidget(pai) {
    setObjectName(QStringLiteral("paginaInicial"));
    setAutoFillBackground(true);
    auto* externo = new QHBoxLayout(this);
    auto* coluna = new QWidget(this);
    coluna->setMaximumWidth(760);
    externo->addStretch(1);
    externo->addWidget(coluna, 3);
    externo->addStretch(1);
    auto* layout = new QVBoxLayout(coluna);
    layout->addSpacing(24);

    auto* nome = new QLabel(QStringLiteral("Fendril"), coluna);
    QFont grande = nome->font();
    grande.setBold(true);
    grande.setPointSizeF(grande.pointSizeF() * 2.2);
    nome->setFont(grande);
    layout->addWidget(nome);
    layout->addWidget(new QLabel(
        QStringLiteral("Map a database, write templates, generate the code of every table."),
        coluna));
    layout->addSpacing(16);

    layout->addWidget(Titulo(coluna, QStringLiteral("Start")));
    auto* grade = new QGridLayout;
    int i = 0;
    for (const char* extensao : {"kmf", "tpt", "tpg", "kgf"}) {
        const TTipoDocumento* tipo = TipoPorExtensao(QLatin1String(extensao));
        const QString ext = QLatin1String(extensao);
        QToolButton* botao = Botao(coluna, QStringLiteral("inicio_novo_") + ext, tipo->dicaNovo,
                                   IconeDocumento(ext));
        connect(botao, &QToolButton::clicked, this, [this, ext] { emit novo(ext); });
        grade->addWidget(botao, i / 2, i % 2);
        ++i;
    }
    QToolButton* abre =
        Botao(coluna, QStringLiteral("inicio_abrir"), QStringLiteral("Open a Document..."),
              IconeTema(QStringLiteral("document-open"), QStyle::SP_DialogOpenButton));
    connect(abre, &QToolButton::clicked, this, &TPaginaInicial::abrir);
    grade->addWidget(abre, 2, 0);
    QToolButton* exemplo =
        Botao(coluna, QStringLiteral("inicio_exemplo"), QStringLiteral("Open the shop example"),
              IconeDocumento(QStringLiteral("kgf")));
    exemplo->setToolTip(QStringLiteral("A generation of C++, Python, SQL and Markdown from a small "
                                       "shop database, ready to run"));
    connect(exemplo, &QToolButton::clicked, this, &TPaginaInicial::abreExemplo);
    grade->addWidget(exemplo, 2, 1);
    layout->addLayout(grade);
    layout->addSpacing(16);

    layout->addWidget(Titulo(coluna, QStringLiteral("Recent Documents")));
    m_recentes = new QListWidget(coluna);
    m_recentes->setObjectName(QStringLiteral("inicio_recentes"));
    m_recentes->setFrameShape(QFrame::NoFrame);
    m_recentes->setIconSize(QSize(24, 24));
    connect(m_recentes, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        emit abreRecente(item->data(Qt::UserRole).toString());
    });
    layout->addWidget(m_recentes, 1);
}

void TPaginaInicial::setRecentes(const QStringList& caminhos) {
    m_recentes->clear();
    for (const QString& caminho : caminhos) {
        const QFileInfo info(caminho);
        auto* item = new QListWidgetItem(
            IconeDocumento(info.suffix()),
            info.fileName() + QStringLiteral("  \u2014  ") + info.absolutePath(), m_recentes);
        item->setData(Qt::UserRole, caminho);
        item->setToolTip(caminho);
    }
    if (caminhos.isEmpty()) {
        auto* vazio = new QListWidgetItem(QStringLiteral("No document opened yet."), m_recentes);
        vazio->setFlags(Qt::NoItemFlags);
    }
}

} // namespace fendril

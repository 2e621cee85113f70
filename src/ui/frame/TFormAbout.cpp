#include "ui/frame/TFormAbout.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace fendril {

TFormAbout::TFormAbout(QWidget* pai) : QDialog(pai, Qt::Tool) {
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("About..."));
    auto* layout = new QVBoxLayout(this);
    auto* grupo = new QFrame(this);
    grupo->setObjectName(QStringLiteral("Panel1"));
    grupo->setFrameShape(QFrame::StyledPanel);
    auto* linha = new QHBoxLayout(grupo);
    auto* icone = new QLabel(grupo);
    icone->setObjectName(QStringLiteral("ProgramIcon"));
    icone->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    icone->setFixedSize(32, 32);
    linha->addWidget(icone);
    auto* nome = new QLabel(QStringLiteral("Fendril"), grupo);
    nome->setObjectName(QStringLiteral("ProductName"));
    QFont negrito = nome->font();
    negrito.setBold(true);
    nome->setFont(negrito);
    linha->addWidget(nome);
    auto* versao = new QLabel(QStringLiteral("v1.0"), grupo);
    versao->setObjectName(QStringLiteral("Version"));
    linha->addWidget(versao);
    linha->addStretch(1);
    layout->addWidget(grupo);

    auto* descricao = new QLabel(
        QStringLiteral("<p>A code generator for object-relational mapping: it reads a "
                       "database's tables, columns and keys into a mapping and writes source "
                       "files from templates.</p>"
                       "<p>Version %1, running on Qt %2.<br>Released under the MIT licence.</p>"
                       "<p><a href=\"ajuda\">Open the user guide</a></p>")
            .arg(QStringLiteral(FENDRIL_VERSAO), QString::fromLatin1(qVersion())),
        this);
    descricao->setObjectName(QStringLiteral("Descricao"));
    descricao->setWordWrap(true);
    descricao->setMinimumWidth(360);
    descricao->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(descricao, &QLabel::linkActivated, this, &TFormAbout::pedeAjuda);
    layout->addWidget(descricao);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TFormAbout::Button1Click);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

} // namespace fendril

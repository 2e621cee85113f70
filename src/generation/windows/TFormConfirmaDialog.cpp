#include "generation/windows/TFormConfirmaDialog.h"

#include "ui/frame/Dialogos.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace fendril {

TFormConfirmaDialog::TFormConfirmaDialog(QWidget* pai)
    : QDialog(pai, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("TFormConfirmaDialog"));
    setModal(true);

    auto* quadro = new QFrame(this);
    quadro->setFrameShape(QFrame::StyledPanel);
    quadro->setFrameShadow(QFrame::Sunken);
    m_texto = new QLabel(quadro);
    m_texto->setObjectName(QStringLiteral("StaticText1"));
    m_texto->setAlignment(Qt::AlignCenter);
    m_texto->setWordWrap(true);
    m_texto->setMinimumHeight(48);
    auto* layoutQuadro = new QVBoxLayout(quadro);
    layoutQuadro->addWidget(m_texto);

    const auto botao = [this](const char* nome, const QString& legenda, const QString& valor) {
        auto* b = new QPushButton(legenda, this);
        b->setObjectName(QLatin1String(nome));
        // No button answers Enter or Escape by itself: the user picks one.
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setMinimumWidth(90);
        connect(b, &QPushButton::clicked, this, [this, valor] { Responde(valor); });
        return b;
    };
    m_sim = botao("but_yes", QStringLiteral("Yes"), QStringLiteral("mr_yes"));
    m_simTodos = botao("but_yesall", QStringLiteral("Yes To All"), QStringLiteral("mr_yesall"));
    m_nao = botao("but_no", QStringLiteral("No"), QStringLiteral("mr_no"));
    m_naoTodos = botao("but_noall", QStringLiteral("No To All"), QStringLiteral("mr_noall"));

    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    for (QPushButton* b : {m_sim, m_simTodos, m_nao, m_naoTodos})
        botoes->addWidget(b);
    botoes->addStretch(1);
    setTabOrder(m_sim, m_simTodos);
    setTabOrder(m_simTodos, m_nao);
    setTabOrder(m_nao, m_naoTodos);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(quadro, 1);
    layout->addLayout(botoes);
    setMinimumSize(QSize(440, layout->sizeHint().height()));
}

QString TFormConfirmaDialog::Pergunta() {
    if (Dialogos::modoResposta()) {
        const std::optional<QString> dada = Dialogos::TomaTexto(texto);
        resposta = dada && !dada->isNull() ? *dada : QString();
        return resposta;
    }
    // The dialog may go with its parent while it is shown; the guard notices.
    const QPointer<TFormConfirmaDialog> vivo(this);
    exec();
    return vivo ? resposta : QString();
}

QString TFormConfirmaDialog::Pergunta(QWidget* pai, const QString& pergunta) {
    const QPointer<TFormConfirmaDialog> dialogo = new TFormConfirmaDialog(pai);
    dialogo->texto = pergunta;
    const QString dada = dialogo->Pergunta();
    delete dialogo.data();
    return dada;
}

void TFormConfirmaDialog::FormShow() {
    m_texto->setText(texto);
    setWindowTitle(titulo);
    if (const QScreen* tela = screen() ? screen() : QGuiApplication::primaryScreen()) {
        QRect area = frameGeometry();
        area.moveCenter(tela->availableGeometry().center());
        move(area.topLeft());
    }
}

void TFormConfirmaDialog::showEvent(QShowEvent* evento) {
    FormShow();
    QDialog::showEvent(evento);
}

void TFormConfirmaDialog::keyPressEvent(QKeyEvent* evento) {
    // There is no cancel button: Escape does not close the question.
    if (evento->key() == Qt::Key_Escape) {
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}

void TFormConfirmaDialog::Responde(const QString& valor) {
    resposta = valor;
    accept();
}

} // namespace fendril

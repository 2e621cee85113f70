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
#include <algorithm>

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
    m_fundir = botao("but_merge", QStringLiteral("Merge"), QStringLiteral("mr_merge"));
    m_fundirTodos =
        botao("but_mergeall", QStringLiteral("Merge All"), QStringLiteral("mr_mergeall"));
    m_fundir->setToolTip(QStringLiteral("Keep the hand edits of this file and take the new "
                                        "output everywhere else"));
    m_fundirTodos->setToolTip(
        QStringLiteral("Merge every file edited by hand; replace the others without asking"));

    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    for (QPushButton* b : {m_sim, m_simTodos, m_nao, m_naoTodos, m_fundir, m_fundirTodos})
        botoes->addWidget(b);
    botoes->addStretch(1);
    setTabOrder(m_sim, m_simTodos);
    setTabOrder(m_simTodos, m_nao);
    setTabOrder(m_nao, m_naoTodos);
    setTabOrder(m_naoTodos, m_fundir);
    setTabOrder(m_fundir, m_fundirTodos);

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

QString TFormConfirmaDialog::Pergunta(QWidget* pai, const QString& pergunta, bool podeFundir,
                                      const QRect& evitar) {
    const QPointer<TFormConfirmaDialog> dialogo = new TFormConfirmaDialog(pai);
    dialogo->texto = pergunta;
    dialogo->podeFundir = podeFundir;
    dialogo->evitar = evitar;
    const QString dada = dialogo->Pergunta();
    delete dialogo.data();
    return dada;
}

void TFormConfirmaDialog::FormShow() {
    m_texto->setText(texto);
    setWindowTitle(titulo);
    m_fundir->setEnabled(podeFundir);
    const QScreen* tela = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!tela)
        return;
    const QRect disponivel = tela->availableGeometry();
    QRect area = frameGeometry();
    area.moveCenter(disponivel.center());
    // Centred on the screen, unless that covers what the person needs to see: then below
    // the window that asks, or just below what must stay in sight, or just above it,
    // whichever first fits on the screen.
    if (evitar.isValid() && area.intersects(evitar)) {
        constexpr int margem = 8;
        area.moveLeft(std::clamp(evitar.center().x() - area.width() / 2, disponivel.left(),
                                 std::max(disponivel.left(), disponivel.right() - area.width())));
        QList<QRect> lugares;
        if (const QWidget* pai = parentWidget(); pai && pai->isVisible()) {
            lugares.append(area);
            lugares.last().moveTop(pai->frameGeometry().bottom() + margem);
        }
        lugares.append(area);
        lugares.last().moveTop(evitar.bottom() + margem);
        lugares.append(area);
        lugares.last().moveBottom(evitar.top() - margem);
        for (const QRect& lugar : std::as_const(lugares)) {
            if (disponivel.contains(lugar)) {
                area = lugar;
                break;
            }
        }
    }
    move(area.topLeft());
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

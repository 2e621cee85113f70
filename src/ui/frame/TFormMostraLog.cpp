#include "ui/frame/TFormMostraLog.h"

#include "model/ArquivoTexto.h"
#include "ui/frame/Dialogos.h"
#include "ui/frame/Texto.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace fendril {

TFormMostraLog::TFormMostraLog(QWidget* pai) : QDialog(pai) {
    setObjectName(QStringLiteral("FormMostraLog"));
    setWindowTitle(QStringLiteral("Log"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(m_memo);
    resize(700, 400);
}

void TFormMostraLog::FormShow() {
    m_memo->clear();
    if (!QFileInfo::exists(caminhoLog))
        return;
    QStringList linhas;
    for (const std::string& linha : LeLinhasTexto(deQString(caminhoLog)))
        linhas.append(paraQString(linha));
    m_memo->setPlainText(linhas.join(QLatin1Char('\n')));
}

void MostraLog(QWidget* pai, const QString& caminhoLog) {
    TFormMostraLog janela(pai);
    janela.caminhoLog = caminhoLog;
    try {
        janela.FormShow();
    } catch (const std::exception& erro) {
        Dialogos::Erro(pai, paraQString(erro.what()));
        return;
    }
    if (!Dialogos::modoResposta())
        janela.exec();
}

} // namespace fendril

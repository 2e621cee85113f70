#include "ui/frame/TFormAjuda.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace fendril {

TFormAjuda::TFormAjuda(const QString& caminho, QWidget* pai) : QDialog(pai) {
    setObjectName(QStringLiteral("FormAjuda"));
    setWindowTitle(QStringLiteral("Fendril Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_navegador = new QTextBrowser(this);
    m_navegador->setObjectName(QStringLiteral("navegador"));
    m_navegador->setOpenExternalLinks(true);
    m_navegador->setSource(QUrl::fromLocalFile(caminho));
    layout->addWidget(m_navegador);
    resize(800, 600);
}

} // namespace fendril

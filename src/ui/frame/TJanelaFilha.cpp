#include "ui/frame/TJanelaFilha.h"

#include "model/Erros.h"
#include "model/Textos.h"
#include "ui/frame/Dialogos.h"
#include "ui/frame/TFormTelaPrincipal.h"
#include "ui/frame/Texto.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>

namespace fendril {

TJanelaFilha::TJanelaFilha(TFormTelaPrincipal& principal) : m_principal(principal) {
    setAttribute(Qt::WA_DeleteOnClose);
}

QString TJanelaFilha::nomeArquivo() const {
    return paraQString(ExtraiNome(deQString(m_nomeArq)));
}

void TJanelaFilha::DefineAtalhos() {
    if (auto* atualiza = findChild<QAction*>(QStringLiteral("but_refresh"))) {
        atualiza->setShortcut(QKeySequence::Refresh);
        atualiza->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(atualiza);
    }
}

void TJanelaFilha::setNomeArq(const QString& caminho) {
    m_nomeArq = caminho;
    m_modificado = false;
    // Qt shows "[*]" as "*" while the window is modified and drops it otherwise.
    setWindowTitle(nomeArquivo() + QStringLiteral(" [*]"));
    setWindowModified(false);
}

QString TJanelaFilha::legenda() const {
    return m_modificado ? nomeArquivo() + QStringLiteral(" *") : nomeArquivo();
}

void TJanelaFilha::MarcaModificado() {
    m_modificado = true;
    setWindowModified(true);
    DocumentoEditado();
}

void TJanelaFilha::SalvaArquivoKMF(const QString& caminho) {
    ConfirmaEdicoes();
    TArquivoKMF documento = getArquivo();
    documento.Salva(deQString(caminho));
    setNomeArq(caminho);
}

void TJanelaFilha::AbreArquivoKMF(const QString& caminho) {
    TArquivoKMF documento;
    documento.Abre(deQString(caminho));
    setArquivo(documento);
    setNomeArq(caminho);
}

void TJanelaFilha::closeEvent(QCloseEvent* evento) {
    m_falhaNoFechamento = false;
    if (modificado()) {
        const QString pergunta = QStringLiteral("The File \"") + nomeArquivo() +
                                 QStringLiteral("\" Has Been Changed. Do You Want To Save "
                                                "The Current Changes ?");
        const auto resposta = Dialogos::Pergunta(
            this, pergunta, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (resposta == QMessageBox::Cancel) {
            evento->ignore();
            return;
        }
        if (resposta == QMessageBox::Yes) {
            try {
                SalvaArquivoKMF(m_nomeArq);
                m_principal.GravaRecentes(QFileInfo(m_nomeArq).absoluteFilePath());
            } catch (const std::exception& erro) {
                Dialogos::Erro(this, paraQString(erro.what()));
                m_falhaNoFechamento = true;
                evento->ignore();
                return;
            }
        }
    }
    m_fechada = true;
    QMdiSubWindow::closeEvent(evento);
}

} // namespace fendril

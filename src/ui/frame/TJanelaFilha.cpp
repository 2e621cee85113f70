#include "ui/frame/TJanelaFilha.h"

#include "model/Erros.h"
#include "model/Textos.h"
#include "ui/frame/Dialogos.h"
#include "ui/frame/Texto.h"

#include <QCloseEvent>

namespace fendril {

namespace {
const QString marcaModificado = QStringLiteral(" *");
}

TJanelaFilha::TJanelaFilha(TFormTelaPrincipal& principal) : m_principal(principal) {
    setAttribute(Qt::WA_DeleteOnClose);
}

void TJanelaFilha::setNomeArq(const QString& caminho) {
    m_nomeArq = caminho;
    setWindowTitle(paraQString(ExtraiNome(deQString(caminho))));
}

void TJanelaFilha::SalvaArquivoKMF(const QString& caminho) {
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

bool TJanelaFilha::modificado() const {
    return windowTitle() == paraQString(ExtraiNome(deQString(m_nomeArq))) + marcaModificado;
}

void TJanelaFilha::MarcaModificado() {
    setWindowTitle(paraQString(ExtraiNome(deQString(m_nomeArq))) + marcaModificado);
}

void TJanelaFilha::closeEvent(QCloseEvent* evento) {
    m_falhaNoFechamento = false;
    if (modificado()) {
        const QString pergunta = QStringLiteral("The File \"") +
                                 paraQString(ExtraiNome(deQString(m_nomeArq))) +
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
            } catch (const std::exception& erro) {
                Dialogos::Mensagem(this, paraQString(erro.what()));
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

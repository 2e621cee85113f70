#include "ui/frame/Dialogos.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

namespace fendril {

namespace {

struct EstadoRespostas {
    bool ligado = false;
    std::deque<QMessageBox::StandardButton> respostas;
    std::deque<QStringList> arquivos;
    std::deque<QString> textos;
    QStringList mensagens;
    QList<QMessageBox::Icon> icones;
    QStringList titulosArquivo;
};

EstadoRespostas& estado() {
    static EstadoRespostas e;
    return e;
}

QStringList proximaListaArquivos(const QString& titulo, const QString& filtro) {
    EstadoRespostas& e = estado();
    e.titulosArquivo.append(titulo + QLatin1Char('|') + filtro);
    if (e.arquivos.empty())
        return {};
    QStringList lista = e.arquivos.front();
    e.arquivos.pop_front();
    return lista;
}

} // namespace

QString Dialogos::FiltroQt(const QString& filtro) {
    const QStringList partes = filtro.split(QLatin1Char('|'));
    QStringList filtros;
    for (qsizetype i = 0; i + 1 < partes.size(); i += 2)
        filtros.append(partes[i]);
    return filtros.join(QStringLiteral(";;"));
}

void Dialogos::Mensagem(QWidget* pai, const QString& texto) {
    EstadoRespostas& e = estado();
    if (e.ligado) {
        e.mensagens.append(texto);
        e.icones.append(QMessageBox::Information);
        return;
    }
    QMessageBox::information(pai, QStringLiteral("Fendril"), texto);
}

void Dialogos::Erro(QWidget* pai, const QString& texto) {
    EstadoRespostas& e = estado();
    if (e.ligado) {
        e.mensagens.append(texto);
        e.icones.append(QMessageBox::Critical);
        return;
    }
    QMessageBox::critical(pai, QStringLiteral("Fendril"), texto);
}

int Dialogos::EscolheItem(QWidget* pai, const QString& titulo, const QString& rotulo,
                          const QStringList& itens) {
    if (estado().ligado) {
        const std::optional<QString> resposta = TomaTexto(titulo);
        return resposta && !resposta->isNull() ? static_cast<int>(itens.indexOf(*resposta)) : -1;
    }
    bool aceito = false;
    const QString escolhido = QInputDialog::getItem(pai, titulo, rotulo, itens, 0, false, &aceito);
    return aceito ? static_cast<int>(itens.indexOf(escolhido)) : -1;
}

QMessageBox::StandardButton Dialogos::Pergunta(QWidget* pai, const QString& texto,
                                               QMessageBox::StandardButtons botoes) {
    EstadoRespostas& e = estado();
    if (e.ligado) {
        e.mensagens.append(texto);
        e.icones.append(QMessageBox::Question);
        if (e.respostas.empty())
            return botoes.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::No;
        const QMessageBox::StandardButton resposta = e.respostas.front();
        e.respostas.pop_front();
        return resposta;
    }
    return QMessageBox::question(pai, QStringLiteral("Fendril"), texto, botoes);
}

QStringList Dialogos::AbreArquivos(QWidget* pai, const QString& titulo, const QString& filtro,
                                   const QString& diretorioInicial) {
    if (estado().ligado)
        return proximaListaArquivos(titulo, filtro);
    return QFileDialog::getOpenFileNames(pai, titulo, diretorioInicial, FiltroQt(filtro));
}

QString Dialogos::AbreArquivo(QWidget* pai, const QString& titulo, const QString& filtro,
                              const QString& diretorioInicial) {
    if (estado().ligado) {
        const QStringList lista = proximaListaArquivos(titulo, filtro);
        return lista.isEmpty() ? QString() : lista.first();
    }
    return QFileDialog::getOpenFileName(pai, titulo, diretorioInicial, FiltroQt(filtro));
}

QString Dialogos::SalvaArquivo(QWidget* pai, const QString& titulo, const QString& filtro,
                               const QString& diretorioInicial) {
    if (estado().ligado) {
        const QStringList lista = proximaListaArquivos(titulo, filtro);
        return lista.isEmpty() ? QString() : lista.first();
    }
    return QFileDialog::getSaveFileName(pai, titulo, diretorioInicial, FiltroQt(filtro));
}

QString Dialogos::EscolhePasta(QWidget* pai, const QString& titulo,
                               const QString& diretorioInicial) {
    if (estado().ligado) {
        const QStringList lista = proximaListaArquivos(titulo, QString());
        return lista.isEmpty() ? QString() : lista.first();
    }
    return QFileDialog::getExistingDirectory(pai, titulo, diretorioInicial);
}

bool Dialogos::PedeTexto(QWidget* pai, const QString& titulo, const QString& rotulo,
                         QString& texto) {
    if (estado().ligado) {
        const std::optional<QString> resposta = TomaTexto(titulo);
        if (!resposta || resposta->isNull())
            return false;
        texto = *resposta;
        return true;
    }
    bool aceito = false;
    const QString lido =
        QInputDialog::getText(pai, titulo, rotulo, QLineEdit::Normal, texto, &aceito);
    if (aceito)
        texto = lido;
    return aceito;
}

bool Dialogos::Imprime(QWidget* pai, QPrinter& impressora) {
    if (estado().ligado) {
        const QStringList lista =
            proximaListaArquivos(QStringLiteral("Print"), impressora.docName());
        if (lista.isEmpty())
            return false;
        impressora.setOutputFormat(QPrinter::PdfFormat);
        impressora.setOutputFileName(lista.first());
        return true;
    }
    QPrintDialog dialogo(&impressora, pai);
    return dialogo.exec() == QDialog::Accepted;
}

void Dialogos::setModoResposta(bool ligado) {
    estado().ligado = ligado;
}
bool Dialogos::modoResposta() {
    return estado().ligado;
}
void Dialogos::ProximaResposta(QMessageBox::StandardButton resposta) {
    estado().respostas.push_back(resposta);
}
void Dialogos::ProximosArquivos(const QStringList& arquivos) {
    estado().arquivos.push_back(arquivos);
}

void Dialogos::ProximoTexto(const QString& texto) {
    estado().textos.push_back(texto);
}

std::optional<QString> Dialogos::TomaTexto(const QString& titulo) {
    EstadoRespostas& e = estado();
    e.titulosArquivo.append(titulo);
    if (e.textos.empty())
        return std::nullopt;
    QString texto = e.textos.front();
    e.textos.pop_front();
    return texto;
}

QStringList Dialogos::TomaMensagens() {
    QStringList lista;
    lista.swap(estado().mensagens);
    return lista;
}

QList<QMessageBox::Icon> Dialogos::TomaIcones() {
    QList<QMessageBox::Icon> lista;
    lista.swap(estado().icones);
    return lista;
}

QStringList Dialogos::TomaTitulosArquivo() {
    QStringList lista;
    lista.swap(estado().titulosArquivo);
    return lista;
}

void Dialogos::Limpa() {
    EstadoRespostas& e = estado();
    e.respostas.clear();
    e.arquivos.clear();
    e.textos.clear();
    e.mensagens.clear();
    e.icones.clear();
    e.titulosArquivo.clear();
}

} // namespace fendril

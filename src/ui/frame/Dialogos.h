#pragma once

// Every message box, question and file dialog of the program goes through here, so that
// tests can answer them without a person: in answering mode nothing is shown, each call
// takes the next queued answer (or a refusal when none is queued) and the texts shown are
// recorded.

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

class QPrinter;
class QWidget;

namespace fendril {

class Dialogos {
public:
    // A report with an OK button, under the information icon.
    static void Mensagem(QWidget* pai, const QString& texto);
    // A failure with an OK button, under the error icon.
    static void Erro(QWidget* pai, const QString& texto);
    // A question under the question icon; returns the button chosen.
    static QMessageBox::StandardButton Pergunta(QWidget* pai, const QString& texto,
                                                QMessageBox::StandardButtons botoes);
    // A choice among `itens`; the index chosen, -1 when cancelled. Answered from the text
    // answers (the item's text).
    static int EscolheItem(QWidget* pai, const QString& titulo, const QString& rotulo,
                           const QStringList& itens);
    // Filters are written "Description|pattern|Description|pattern"; the first is preselected.
    static QStringList AbreArquivos(QWidget* pai, const QString& titulo, const QString& filtro,
                                    const QString& diretorioInicial = QString());
    static QString AbreArquivo(QWidget* pai, const QString& titulo, const QString& filtro,
                               const QString& diretorioInicial = QString());
    // Asks before overwriting an existing file.
    static QString SalvaArquivo(QWidget* pai, const QString& titulo, const QString& filtro,
                                const QString& diretorioInicial = QString());
    // The folder chooser; "" when cancelled. Answered from the file answers.
    static QString EscolhePasta(QWidget* pai, const QString& titulo,
                                const QString& diretorioInicial = QString());
    // An input box asking for one line of text, `texto` being its initial value; false
    // when cancelled. Answered from the text answers.
    static bool PedeTexto(QWidget* pai, const QString& titulo, const QString& rotulo,
                          QString& texto);
    // The platform's print dialog for `impressora`; true when the user chose to print. In
    // answering mode the next queued file answer is the PDF file printed to (an empty list
    // is a cancel), and "Print|" + the print job's title is recorded with the file dialogs.
    static bool Imprime(QWidget* pai, QPrinter& impressora);

    // --- Answering mode, for tests ---
    static void setModoResposta(bool ligado);
    static bool modoResposta();
    // Answers of the next questions, in order.
    static void ProximaResposta(QMessageBox::StandardButton resposta);
    // Answers of the next file dialogs, in order (an empty list is a cancel).
    static void ProximosArquivos(const QStringList& arquivos);
    // Answers of the next text questions (input boxes, and dialogs of other layers that
    // answer themselves, such as the connection dialog), in order; a null QString is a
    // cancel.
    static void ProximoTexto(const QString& texto);
    // Takes the next queued text answer; none queued is a cancel (nullopt). The title is
    // recorded with the file dialogs' titles.
    static std::optional<QString> TomaTexto(const QString& titulo);
    // Texts of the messages and questions shown since the last call, and the titles and
    // filters the file dialogs were opened with.
    static QStringList TomaMensagens();
    // The icons of the messages and questions shown since the last call, in order.
    static QList<QMessageBox::Icon> TomaIcones();
    static QStringList TomaTitulosArquivo();
    static void Limpa();

    // Filter text in the form "Description|pattern|..." turned into Qt's ";;" form.
    static QString FiltroQt(const QString& filtro);
};

} // namespace fendril

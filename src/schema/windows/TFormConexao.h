#pragma once

// The program's connection dialog, in the place of the data-link editor: it edits a .udl
// file, writing the connection string it builds after the marker line.

#include <QDialog>
#include <QString>

namespace fendril {

class TFormConexao : public QDialog {
    Q_OBJECT
public:
    TFormConexao(QWidget* pai, const QString& caminhoUdl);

    // Runs the dialog modal on the .udl file and returns when the user is done: OK writes
    // the file with the string built, Cancel leaves the file as it was. In the dialog
    // layer's answering mode nothing is shown: the next text answer is the string written,
    // and a null answer (or none queued) is a cancel.
    static void EditaArquivoUdl(QWidget* pai, const QString& caminhoUdl);

private:
    QString m_caminhoUdl;
};

// Builds a connection string with the connection dialog: the file nomeBase + ".udl" is
// created empty (truncating one of that name), edited by the dialog, read (the string
// after its marker line, "" when there is none) and deleted in every case.
QString getConnectionString(QWidget* pai, const QString& nomeBase);

} // namespace fendril

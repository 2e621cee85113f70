#pragma once

// The program's connection dialog, in the place of the data-link editor: it edits a .udl
// file, writing the connection string it builds after the marker line.

#include <QDialog>
#include <QString>
#include <vector>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QFormLayout;

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

    // The kinds of provider the dialog offers, one entry of `combo_provider` each.
    enum class TTipoProvider { SQLite, DriverODBC, FonteODBC, StringODBC };

    // The connection string the fields build (shown in `edit_string`); "" while the
    // SQLite file or the ODBC string is empty.
    QString stringConexao() const;
    // Test Connection: opens and closes a connection with the string, the user name and
    // the password, and reports the outcome in a message.
    void but_testaClick();
    // OK: writes the string to the .udl file and closes.
    void accept() override;

private:
    struct TItemProvider {
        TTipoProvider tipo;
        QString nome;      // the ODBC driver or data source
        QString descricao; // a data source's driver
    };
    void atualiza();
    void escolheArquivo(QLineEdit* campo);
    void carregaString(const QString& texto);

    QString m_caminhoUdl;
    QString m_stringOriginal; // the string the dialog opened on
    QString m_stringInicial;  // what its fields built then
    std::vector<TItemProvider> m_itens;
    QComboBox* m_provider;
    QFormLayout* m_campos;
    QLineEdit* m_arquivo;
    QLineEdit* m_servidor;
    QLineEdit* m_porta;
    QLineEdit* m_baseDados;
    QLineEdit* m_descricaoFonte;
    QLineEdit* m_stringODBC;
    QLineEdit* m_usuario;
    QLineEdit* m_senha;
    QPlainTextEdit* m_string;
};

// Builds a connection string with the connection dialog: the file nomeBase + ".udl" is
// created holding `atual` (truncating one of that name), edited by the dialog, read (the
// string after its marker line, "" when there is none) and deleted in every case. A cancel
// gives `atual` back.
QString getConnectionString(QWidget* pai, const QString& nomeBase,
                            const QString& atual = QString());

} // namespace fendril

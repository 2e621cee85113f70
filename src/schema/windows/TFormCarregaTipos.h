#pragma once

// The provider types loader: lists every data type a data source publishes, with its
// maximum size, and hands the type names to a table-class template's types table.

#include "schema/FonteEsquema.h"

#include <QDialog>
#include <QStringList>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace fendril {

class TFormCarregaTipos : public QDialog {
    Q_OBJECT
public:
    // `lista` is the caller's list: Transfer Types clears it and fills it with the names;
    // the caller reads it once the dialog has closed.
    TFormCarregaTipos(QWidget* pai, QStringList& lista, TFabricaConexao fabrica = FabricaPadrao());

    // Load, raising the failure to connect or to read the rowset once the button is back;
    // the grid keeps the rows written before the failure.
    void Carrega();
    // Load from the button: a failure is shown in a message box.
    void but_conectarClick();
    // Build Connection String: the connection dialog on the file "arqudl.udl".
    void atbut_constringClick();
    void but_transfereClick();

private:
    void escreve(int linha, int coluna, const QString& texto);

    QStringList& m_lista;
    TFabricaConexao m_fabrica;
    QAction* m_transfere = nullptr;
    QLineEdit* m_stringConexao = nullptr;
    QLineEdit* m_usuario = nullptr;
    QLineEdit* m_senha = nullptr;
    QPushButton* m_conectar = nullptr;
    QTableWidget* m_tab = nullptr;
    QLabel* m_quantidade = nullptr;
};

} // namespace fendril

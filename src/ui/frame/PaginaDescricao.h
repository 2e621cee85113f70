#pragma once

// The Description page the document windows share: name, author, date and annotation.
// Each window wires the fields to its own changed mark.

#include <QDate>
#include <QString>

class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace fendril {

struct TCamposDescricao {
    QLineEdit* nome = nullptr;            // "Edit_nome"
    QLineEdit* autor = nullptr;           // "Edit_autor"
    QDateEdit* data = nullptr;            // "edit_data"
    QPlainTextEdit* comentario = nullptr; // "memo_comentario"
};

// The document date field "edit_data": the short date format with four-digit year, a
// calendar to pick from, wide enough for the whole date.
QDateEdit* CriaCampoData(QWidget* pai, const QDate& data);

// The four fields in a form laid on `pagina`, the name row labelled `rotuloNome`, the date
// starting at `data` and kept at its own width.
TCamposDescricao CriaCamposDescricao(QWidget* pagina, const QString& rotuloNome, const QDate& data);

} // namespace fendril

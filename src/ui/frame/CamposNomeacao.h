#pragma once

// The fields both template windows give the naming of files and names: the naming box, the
// name form and the reserved words.

#include "documents/CamposDocumento.h"

#include <QCheckBox>

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;

namespace fendril {

// The check box of a template's file naming (cb_fname, captioned "<tbalias>"): unchecked, the
// per-table files are named after the table's name; checked, after its alias; partly checked,
// after its alias or, where that is empty, the table's name without schema. A click goes from
// unchecked to checked, then to partly checked, then back to unchecked, so that one click
// still switches between the name and the alias.
class TCaixaNomeArquivo : public QCheckBox {
    Q_OBJECT
public:
    TCaixaNomeArquivo(const QString& texto, QWidget* pai);

    TNomeArquivoTabela valor() const;

protected:
    void nextCheckState() override;
};

// The name form's edit (edit_nameform): the filters applied to the table part of file names.
QLineEdit* CriaFormaNome(QWidget* pai);

// The "Reserved Words" group and its editor (edit_reservedwords): the words the "ident"
// filter must not give as they are, one a line.
QGroupBox* CriaPalavrasReservadas(QWidget* pai, QPlainTextEdit*& editor);

} // namespace fendril

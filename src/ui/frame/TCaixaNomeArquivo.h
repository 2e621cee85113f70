#pragma once

// The check box of a template's file naming (cb_fname, captioned "<tbalias>"): unchecked, the
// per-table files are named after the table's name; checked, after its alias; partly checked,
// after its alias or, where that is empty, the table's name without schema. A click goes from
// unchecked to checked, then to partly checked, then back to unchecked, so that one click
// still switches between the name and the alias.

#include "documents/CamposDocumento.h"

#include <QCheckBox>

namespace fendril {

class TCaixaNomeArquivo : public QCheckBox {
    Q_OBJECT
public:
    TCaixaNomeArquivo(const QString& texto, QWidget* pai);

    TNomeArquivoTabela valor() const;

protected:
    void nextCheckState() override;
};

} // namespace fendril

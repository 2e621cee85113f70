#include "ui/frame/TCaixaNomeArquivo.h"

namespace fendril {

TCaixaNomeArquivo::TCaixaNomeArquivo(const QString& texto, QWidget* pai) : QCheckBox(texto, pai) {
    setTristate(true);
    setToolTip(QStringLiteral("Unchecked: files named after the table name; checked: after the "
                              "alias; partly checked: after the alias, or the name without "
                              "schema where the alias is empty"));
}

TNomeArquivoTabela TCaixaNomeArquivo::valor() const {
    switch (checkState()) {
    case Qt::Checked:
        return TNomeArquivoTabela::alias;
    case Qt::PartiallyChecked:
        return TNomeArquivoTabela::aliasOuNomeCurto;
    default:
        return TNomeArquivoTabela::nome;
    }
}

void TCaixaNomeArquivo::nextCheckState() {
    switch (checkState()) {
    case Qt::Unchecked:
        setCheckState(Qt::Checked);
        break;
    case Qt::Checked:
        setCheckState(Qt::PartiallyChecked);
        break;
    case Qt::PartiallyChecked:
        setCheckState(Qt::Unchecked);
        break;
    }
}

} // namespace fendril

#include "ui/frame/CamposNomeacao.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

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

QLineEdit* CriaFormaNome(QWidget* pai) {
    auto* edit = new QLineEdit(pai);
    edit->setObjectName(QStringLiteral("edit_nameform"));
    edit->setPlaceholderText(QStringLiteral("pascal:singular"));
    edit->setToolTip(QStringLiteral("Filters applied to the table part of the file names: "
                                    "pascal:singular names order_lines OrderLine"));
    return edit;
}

QGroupBox* CriaPalavrasReservadas(QWidget* pai, QPlainTextEdit*& editor) {
    auto* grupo = new QGroupBox(QStringLiteral("Reserved Words"), pai);
    auto* layout = new QVBoxLayout(grupo);
    editor = new QPlainTextEdit(grupo);
    editor->setObjectName(QStringLiteral("edit_reservedwords"));
    editor->setPlaceholderText(QStringLiteral("One word a line: <colname:ident> gives class_ "
                                              "for a column class listed here"));
    layout->addWidget(editor);
    return grupo;
}

} // namespace fendril

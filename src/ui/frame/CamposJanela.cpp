#include "ui/frame/CamposJanela.h"

#include "model/Erros.h"
#include "ui/frame/Datas.h"
#include "ui/frame/Texto.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace fendril {

bool LeControle(const QWidget& controle, std::string& valor) {
    if (const auto* linha = qobject_cast<const QLineEdit*>(&controle)) {
        valor = deQString(linha->text());
    } else if (const auto* texto = qobject_cast<const QPlainTextEdit*>(&controle)) {
        valor = textoEditorParaDocumento(texto->toPlainText());
    } else if (const auto* data = qobject_cast<const QDateEdit*>(&controle)) {
        valor = deQString(EscreveDataCurta(data->date()));
    } else if (const auto* lista = qobject_cast<const QComboBox*>(&controle)) {
        valor = deQString(lista->currentText());
    } else {
        return false;
    }
    return true;
}

bool LeControle(const QWidget& controle, bool& valor) {
    const auto* caixa = qobject_cast<const QCheckBox*>(&controle);
    if (!caixa)
        return false;
    valor = caixa->isChecked();
    return true;
}

bool LeControle(const QWidget& controle, TNomeArquivoTabela& valor) {
    const auto* caixa = qobject_cast<const QCheckBox*>(&controle);
    if (!caixa)
        return false;
    switch (caixa->checkState()) {
    case Qt::Unchecked:
        valor = TNomeArquivoTabela::nome;
        break;
    case Qt::Checked:
        valor = TNomeArquivoTabela::alias;
        break;
    case Qt::PartiallyChecked:
        valor = TNomeArquivoTabela::aliasOuNomeCurto;
        break;
    }
    return true;
}

bool MostraNoControle(QWidget& controle, const std::string& valor, TDataInvalida dataInvalida) {
    if (auto* linha = qobject_cast<QLineEdit*>(&controle)) {
        linha->setText(paraQString(valor));
    } else if (auto* texto = qobject_cast<QPlainTextEdit*>(&controle)) {
        texto->setPlainText(textoDocumentoParaEditor(valor));
    } else if (auto* data = qobject_cast<QDateEdit*>(&controle)) {
        try {
            const QDate lida = LeDataCurta(paraQString(valor));
            if (lida.isValid())
                data->setDate(lida);
        } catch (const EConvertError&) {
            if (dataInvalida == TDataInvalida::Interrompe)
                throw;
        }
    } else if (auto* lista = qobject_cast<QComboBox*>(&controle); lista && lista->isEditable()) {
        lista->setEditText(paraQString(valor));
    } else {
        return false;
    }
    return true;
}

bool MostraNoControle(QWidget& controle, bool valor) {
    auto* caixa = qobject_cast<QCheckBox*>(&controle);
    if (!caixa)
        return false;
    caixa->setChecked(valor);
    return true;
}

bool MostraNoControle(QWidget& controle, TNomeArquivoTabela valor) {
    auto* caixa = qobject_cast<QCheckBox*>(&controle);
    if (!caixa)
        return false;
    switch (valor) {
    case TNomeArquivoTabela::nome:
        caixa->setCheckState(Qt::Unchecked);
        break;
    case TNomeArquivoTabela::alias:
        caixa->setCheckState(Qt::Checked);
        break;
    case TNomeArquivoTabela::aliasOuNomeCurto:
        caixa->setCheckState(Qt::PartiallyChecked);
        break;
    }
    return true;
}

} // namespace fendril

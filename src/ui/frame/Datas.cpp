#include "ui/frame/Datas.h"

#include "model/Erros.h"
#include "ui/frame/Texto.h"

#include <QLocale>

namespace fendril {

namespace {

QDate JanelaDoSeculo(const QDate& data) {
    const int hoje = QDate::currentDate().year();
    int ano = data.year() % 100;
    ano += hoje - hoje % 100;
    if (ano > hoje + 50)
        ano -= 100;
    else if (ano <= hoje - 50)
        ano += 100;
    return QDate(ano, data.month(), data.day());
}

} // namespace

QString FormatoDataCurta() {
    QString formato = QLocale().dateFormat(QLocale::ShortFormat);
    if (!formato.contains(QStringLiteral("yyyy")))
        formato.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return formato;
}

QString EscreveDataCurta(const QDate& data) {
    return QLocale().toString(data, FormatoDataCurta());
}

QDate LeDataCurta(const QString& texto) {
    const QString apertado = texto.trimmed();
    if (apertado.isEmpty())
        return QDate();
    QDate data = QLocale().toDate(apertado, FormatoDataCurta());
    if (data.isValid() && data.year() >= 100)
        return data;
    data = QLocale().toDate(apertado, QLocale().dateFormat(QLocale::ShortFormat));
    if (data.isValid())
        return JanelaDoSeculo(data);
    data = QDate::fromString(apertado, Qt::ISODate);
    if (data.isValid())
        return data;
    throw EConvertError("'" + deQString(texto) + "' is not a valid date");
}

} // namespace fendril

#include "ui/Aplicacao.h"

#include "generation/windows/TFormGeracao.h"
#include "model/Log.h"
#include "ui/TFormFilha.h"
#include "ui/TFormFilhaModelo.h"
#include "ui/TFormModeloGeral.h"
#include "ui/Texto.h"

#include <QDateTime>
#include <QLocale>

namespace fendril {

namespace {

// The short date format with its year widened to four digits.
QString formatoDataCurta() {
    QString formato = QLocale().dateFormat(QLocale::ShortFormat);
    if (!formato.contains(QStringLiteral("yyyy")))
        formato.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return formato;
}

} // namespace

void IniciaAplicacao() {
    const QString formatoData = formatoDataCurta();
    const QString formatoHora = QLocale().timeFormat(QLocale::LongFormat);
    DefineFormatoDataHora(
        {[formatoData] { return deQString(QLocale().toString(QDate::currentDate(), formatoData)); },
         [formatoHora] {
             return deQString(QLocale().toString(QTime::currentTime(), formatoHora));
         }});
    RegistraMapeamento();
    RegistraModeloTabela();
    RegistraModeloGeral();
    RegistraGeracao();
}

} // namespace fendril

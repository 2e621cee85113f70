#include "ui/Aplicacao.h"

#include "generation/windows/TFormGeracao.h"
#include "model/Log.h"
#include "ui/TFormFilha.h"
#include "ui/TFormFilhaModelo.h"
#include "ui/TFormModeloGeral.h"
#include "ui/frame/Datas.h"
#include "ui/frame/Texto.h"

#include <QDateTime>
#include <QLocale>

namespace fendril {

void IniciaAplicacao() {
    const QString formatoData = FormatoDataCurta();
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

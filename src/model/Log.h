#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace fendril {

// How log lines show the current date and time. The desktop program installs the user's
// short date format (with a four-digit year) and long time format; without it (the command
// line) the date is year-month-day, which the desktop program reads in every locale, and
// the time hours:minutes:seconds.
struct TFormatoDataHora {
    std::function<std::string()> data;
    std::function<std::string()> hora;
};
void DefineFormatoDataHora(TFormatoDataHora formato);

// A message as a log shows it: CR, LF and TAB written \r, \n and \t, every other byte
// below 0x20 and 0x7F as \xHH, so that one message is always one line of the log.
std::string TextoDeLog(std::string_view mensagem);

// "[" + date + ";" + time + "]: " + TextoDeLog(mensagem)
std::string LinhaLog(std::string_view mensagem);

// Today's date as documents keep it (the same format as log lines).
std::string DataAtual();

} // namespace fendril

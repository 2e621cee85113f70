#pragma once

// Dates as documents keep them: text in the user's short date format, with the year
// widened to four digits so that a date written this year never reads back a century
// earlier.

#include <QDate>
#include <QString>

namespace fendril {

QString FormatoDataCurta();
QString EscreveDataCurta(const QDate& data);
// Reads the four-digit short format, the plain short format of an older document (whose
// two-digit year is taken within fifty years of today) or an ISO date. A document without a
// date (an empty text) gives a null date, which leaves the window's date as it is. Raises
// EConvertError "'x' is not a valid date" when none of them reads.
QDate LeDataCurta(const QString& texto);

} // namespace fendril

#pragma once

#include <QLocale>
#include <QString>

namespace quillo::DatePicture {

// Writes a date-time serial by a picture such as "dd/mm/yyyy hh:nn": letters in either case,
// names and separators from the locale, quoted text copied. An empty picture writes as "c" does.
QString Format(const QString& picture, double serial, const QLocale& locale = QLocale());

} // namespace quillo::DatePicture

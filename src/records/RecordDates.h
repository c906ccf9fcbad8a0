#pragma once

#include <QDate>
#include <QString>

namespace quillo::RecordDates {

// The user's short date format, with a two-digit year widened to four so that a stored date keeps its century.
QString ShortDateFormat();
// An invalid date when text does not parse in that format.
QDate Parse(const QString& text);
// The same in a given Qt date format.
QDate Parse(const QString& text, const QString& format);
QString Format(const QDate& date);

} // namespace quillo::RecordDates

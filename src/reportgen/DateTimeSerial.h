#pragma once

#include <QDateTime>

namespace quillo {

// Date-time serials: days since 30 December 1899, the fraction being the time of day.
// Before that day the integer part counts back and the fraction still adds time.
namespace DateTimeSerial {

double FromDateTime(const QDateTime& moment);
// The calendar date and time of day, kept in UTC so that no daylight-saving gap shifts them.
// Raises "Date-time value out of range" outside the years 1 to 9999.
QDateTime ToDateTime(double serial);

} // namespace DateTimeSerial
} // namespace quillo

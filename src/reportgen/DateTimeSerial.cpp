#include "reportgen/DateTimeSerial.h"

#include "tree/EKelError.h"

#include <cmath>

namespace quillo::DateTimeSerial {

namespace {

constexpr qint64 MsecsPerDay = 86400000;

QDate Epoch() { return QDate(1899, 12, 30); }

} // namespace

double FromDateTime(const QDateTime& moment)
{
    const double days = double(Epoch().daysTo(moment.date()));
    const double time = double(moment.time().msecsSinceStartOfDay()) / MsecsPerDay;
    return days >= 0 ? days + time : days - time;
}

QDateTime ToDateTime(double serial)
{
    const double first = double(Epoch().daysTo(QDate(1, 1, 1)));
    const double last = double(Epoch().daysTo(QDate(9999, 12, 31)));
    if (!(serial > first - 1 && serial < last + 1))
        throw EKelError("Date-time value out of range");
    const double days = std::trunc(serial);
    const qint64 msecs = std::min(std::llround(std::fabs(serial - days) * MsecsPerDay), MsecsPerDay - 1);
    return QDateTime(Epoch().addDays(qint64(days)), QTime::fromMSecsSinceStartOfDay(int(msecs)), Qt::UTC);
}

} // namespace quillo::DateTimeSerial

#include "records/RecordDates.h"

#include <QLocale>
#include <QRegularExpression>

namespace quillo::RecordDates {

QString ShortDateFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    format.replace(twoDigitYear, QStringLiteral("yyyy"));
    return format;
}

QDate Parse(const QString& text) { return Parse(text, ShortDateFormat()); }

QDate Parse(const QString& text, const QString& format) { return QLocale().toDate(text.trimmed(), format); }

QString Format(const QDate& date) { return QLocale().toString(date, ShortDateFormat()); }

} // namespace quillo::RecordDates

#include "reportgen/DatePicture.h"

#include "reportgen/DateTimeSerial.h"
#include "reportgen/TExpr.h"

namespace quillo::DatePicture {

namespace {

bool IsQuote(QChar c) { return c == QLatin1Char('\'') || c == QLatin1Char('"'); }

// The first character of a locale format that is neither a letter nor quoted: its separator.
QString SeparatorOf(const QString& format, const QString& fallback)
{
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (IsQuote(format[i])) {
            const qsizetype close = format.indexOf(format[i], i + 1);
            if (close < 0)
                break;
            i = close;
        } else if (!format[i].isLetter() && !format[i].isSpace()) {
            return QString(format[i]);
        }
    }
    return fallback;
}

// The locale's long time without the time zone, which a time of day does not have.
QString LongTimeFormat(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.simplified();
}

QString Padded(int value, int width) { return QString::number(value).rightJustified(width, QLatin1Char('0')); }

class Writer {
public:
    Writer(const QString& picture, const QDateTime& moment, const QLocale& locale)
        : m_picture(picture)
        , m_date(moment.date())
        , m_time(moment.time())
        , m_locale(locale)
        , m_twelveHour(HasAmPm())
    {
    }

    QString Write()
    {
        QChar last;
        for (m_pos = 0; m_pos < m_picture.size();) {
            const QChar c = m_picture[m_pos];
            if (IsQuote(c)) {
                const qsizetype close = m_picture.indexOf(c, m_pos + 1);
                const qsizetype end = close < 0 ? m_picture.size() : close;
                m_out += m_picture.mid(m_pos + 1, end - m_pos - 1);
                m_pos = end + 1;
                continue;
            }
            if (!c.isLetter() || c.unicode() > 127) {
                WriteSeparator(c);
                ++m_pos;
                continue;
            }
            const QChar letter = c.toUpper();
            // "m" and "mm" right after an hour element mean minutes; "mmm" stays a month name.
            const bool minutes = letter == QLatin1Char('M') && last == QLatin1Char('H') && RunLength() <= 2;
            last = letter;
            WriteElement(minutes ? QChar(QLatin1Char('N')) : letter);
            // "c" writes some twenty characters: a long picture of them would build hundreds of megabytes.
            CheckStringLength(m_out.size());
        }
        return m_out;
    }

private:
    // Length of the run of the current letter, in either case.
    int RunLength() const
    {
        const QChar letter = m_picture[m_pos].toUpper();
        qsizetype end = m_pos;
        while (end < m_picture.size() && m_picture[end].toUpper() == letter)
            ++end;
        return int(end - m_pos);
    }

    // Counts and consumes the run of the current letter.
    int TakeRun()
    {
        const int count = RunLength();
        m_pos += count;
        return count;
    }

    // A 12-hour clock when the picture holds an am/pm element anywhere outside quotes.
    bool HasAmPm() const
    {
        for (qsizetype i = 0; i < m_picture.size(); ++i) {
            if (IsQuote(m_picture[i])) {
                const qsizetype close = m_picture.indexOf(m_picture[i], i + 1);
                if (close < 0)
                    return false;
                i = close;
            } else if (m_picture[i].toUpper() == QLatin1Char('A') && AmPmLength(i) > 0) {
                return true;
            }
        }
        return false;
    }

    // Length of the am/pm element starting at i, or 0.
    qsizetype AmPmLength(qsizetype i) const
    {
        for (const char* form : { "am/pm", "a/p", "ampm" })
            if (QStringView(m_picture).mid(i).startsWith(QLatin1String(form), Qt::CaseInsensitive))
                return qsizetype(qstrlen(form));
        return 0;
    }

    void WriteSeparator(QChar c)
    {
        if (c == QLatin1Char('/'))
            m_out += SeparatorOf(m_locale.dateFormat(QLocale::ShortFormat), QStringLiteral("/"));
        else if (c == QLatin1Char(':'))
            m_out += SeparatorOf(m_locale.timeFormat(QLocale::ShortFormat), QStringLiteral(":"));
        else
            m_out += c;
    }

    void WriteShortDateAndTime()
    {
        // Formatted once: a picture may repeat "c" a million times.
        if (m_shortDateAndTime.isNull()) {
            m_shortDateAndTime = m_locale.toString(m_date, QLocale::ShortFormat);
            if (m_time.msecsSinceStartOfDay() != 0)
                m_shortDateAndTime += QLatin1Char(' ') + m_locale.toString(m_time, LongTimeFormat(m_locale));
        }
        m_out += m_shortDateAndTime;
    }

    void WriteHour(int count)
    {
        int hour = m_time.hour();
        if (m_twelveHour)
            hour = hour % 12 == 0 ? 12 : hour % 12;
        m_out += Padded(hour, count > 1 ? 2 : 1);
    }

    // am/pm and a/p copy the letters as written; ampm uses the locale's designators.
    void WriteAmPm()
    {
        const bool pm = m_time.hour() >= 12;
        switch (AmPmLength(m_pos)) {
        case 5: // am/pm
            m_out += m_picture.mid(m_pos + (pm ? 3 : 0), 2);
            m_pos += 5;
            break;
        case 3: // a/p
            m_out += m_picture[m_pos + (pm ? 2 : 0)];
            m_pos += 3;
            break;
        case 4: // ampm
            m_out += pm ? m_locale.pmText() : m_locale.amText();
            m_pos += 4;
            break;
        default:
            m_out += m_picture[m_pos++];
        }
    }

    void WriteElement(QChar letter)
    {
        switch (letter.unicode()) {
        case 'C':
            ++m_pos;
            WriteShortDateAndTime();
            return;
        case 'A':
            WriteAmPm();
            return;
        default:
            break;
        }
        const int count = TakeRun();
        switch (letter.unicode()) {
        case 'D':
            if (count <= 2)
                m_out += Padded(m_date.day(), count);
            else if (count <= 4)
                m_out += m_locale.dayName(m_date.dayOfWeek(), count == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            else
                m_out += m_locale.toString(m_date, count == 5 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case 'M':
            if (count <= 2)
                m_out += Padded(m_date.month(), count);
            else
                m_out += m_locale.monthName(m_date.month(), count == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case 'Y':
            m_out += count <= 2 ? Padded(m_date.year() % 100, 2) : Padded(m_date.year(), 4);
            break;
        case 'H':
            WriteHour(count);
            break;
        case 'N':
            m_out += Padded(m_time.minute(), count > 1 ? 2 : 1);
            break;
        case 'S':
            m_out += Padded(m_time.second(), count > 1 ? 2 : 1);
            break;
        case 'Z':
            m_out += Padded(m_time.msec(), count > 1 ? 3 : 1);
            break;
        case 'T':
            m_out += count == 1 ? m_locale.toString(m_time, QLocale::ShortFormat)
                                : m_locale.toString(m_time, LongTimeFormat(m_locale));
            break;
        default:
            m_out += m_picture.mid(m_pos - count, count);
        }
    }

    const QString& m_picture;
    const QDate m_date;
    const QTime m_time;
    const QLocale& m_locale;
    const bool m_twelveHour;
    qsizetype m_pos = 0;
    QString m_shortDateAndTime;
    QString m_out;
};

} // namespace

QString Format(const QString& picture, double serial, const QLocale& locale)
{
    const QDateTime moment = DateTimeSerial::ToDateTime(serial);
    return Writer(picture.isEmpty() ? QStringLiteral("c") : picture, moment, locale).Write();
}

} // namespace quillo::DatePicture

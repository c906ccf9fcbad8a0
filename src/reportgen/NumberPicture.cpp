#include "reportgen/NumberPicture.h"

#include <charconv>
#include <cmath>
#include <string>

namespace quillo::NumberPicture {

namespace {

// A non-negative value as 0.DIGITS times ten to Exponent; no trailing zeros, empty for zero.
struct Decimal {
    std::string Digits;
    int Exponent = 0;

    bool IsZero() const { return Digits.empty(); }
};

// Fifteen significant digits, like the rest of the language's float texts.
Decimal ToDecimal(double value)
{
    Decimal decimal;
    if (value == 0)
        return decimal;
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific, 14);
    const std::string_view all(text, size_t(written.ptr - text));
    const size_t e = all.find('e');
    int exponent = 0;
    std::from_chars(all.data() + e + (all[e + 1] == '+' ? 2 : 1), all.data() + all.size(), exponent);
    decimal.Digits = std::string(1, all[0]) + std::string(all.substr(2, e - 2));
    decimal.Exponent = exponent + 1;
    decimal.Digits.erase(decimal.Digits.find_last_not_of('0') + 1);
    return decimal;
}

// Keeps the first `keep` digits, rounding half away from zero.
void RoundDigits(Decimal& decimal, int keep)
{
    if (keep >= int(decimal.Digits.size()))
        return;
    if (keep < 0) {
        decimal = Decimal();
        return;
    }
    const bool up = decimal.Digits[size_t(keep)] >= '5';
    decimal.Digits.resize(size_t(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && decimal.Digits[size_t(i)] == '9')
            decimal.Digits[size_t(i--)] = '0';
        if (i >= 0) {
            ++decimal.Digits[size_t(i)];
        } else {
            decimal.Digits.insert(decimal.Digits.begin(), '1');
            ++decimal.Exponent;
        }
    }
    decimal.Digits.erase(decimal.Digits.find_last_not_of('0') + 1);
    if (decimal.Digits.empty())
        decimal = Decimal();
}

// Digit n (0 = the first) of the decimal, with zeros beyond its end.
char DigitAt(const Decimal& decimal, int n)
{
    return n >= 0 && n < int(decimal.Digits.size()) ? decimal.Digits[size_t(n)] : '0';
}

QString GeneralForm(double value, const QLocale& locale)
{
    Decimal decimal = ToDecimal(value);
    if (decimal.IsZero())
        return QStringLiteral("0");
    QString text = value < 0 ? QStringLiteral("-") : QString();
    const QString digits = QString::fromStdString(decimal.Digits);
    if (decimal.Exponent > 15 || decimal.Exponent < -3) {
        text += digits.left(1);
        if (digits.size() > 1)
            text += locale.decimalPoint() + digits.mid(1);
        return text + QLatin1Char('E') + QString::number(decimal.Exponent - 1);
    }
    if (decimal.Exponent <= 0)
        return text + QLatin1Char('0') + locale.decimalPoint() + QString(-decimal.Exponent, QLatin1Char('0')) + digits;
    text += digits.left(decimal.Exponent).leftJustified(decimal.Exponent, QLatin1Char('0'));
    if (digits.size() > decimal.Exponent)
        text += locale.decimalPoint() + digits.mid(decimal.Exponent);
    return text;
}

bool IsQuote(QChar c) { return c == QLatin1Char('\'') || c == QLatin1Char('"'); }

// Index of the quote that closes the one at `from`; an unclosed quote runs to the end.
qsizetype QuoteEnd(const QString& text, qsizetype from)
{
    const qsizetype close = text.indexOf(text[from], from + 1);
    return close < 0 ? text.size() : close;
}

bool IsExponentAt(const QString& section, qsizetype i)
{
    return (section[i] == QLatin1Char('E') || section[i] == QLatin1Char('e')) && i + 1 < section.size()
        && (section[i + 1] == QLatin1Char('+') || section[i + 1] == QLatin1Char('-'));
}

// What one section asks for.
struct Layout {
    int IntPositions = 0;
    int MinIntDigits = 0; // from the first "0" before the point on
    int MaxDecimals = 0;
    int MinDecimals = 0; // up to the last "0" after the point
    bool Thousands = false;
    bool Scientific = false;
    int ExponentDigits = 0;
};

Layout Analyse(const QString& section)
{
    Layout layout;
    bool afterPoint = false;
    int firstZero = -1;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (IsQuote(c)) {
            i = QuoteEnd(section, i);
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (afterPoint) {
                ++layout.MaxDecimals;
                if (c == QLatin1Char('0'))
                    layout.MinDecimals = layout.MaxDecimals;
            } else {
                if (c == QLatin1Char('0') && firstZero < 0)
                    firstZero = layout.IntPositions;
                ++layout.IntPositions;
            }
        } else if (c == QLatin1Char('.')) {
            afterPoint = true;
        } else if (c == QLatin1Char(',') && !afterPoint) {
            layout.Thousands = true;
        } else if (IsExponentAt(section, i)) {
            layout.Scientific = true;
            for (i += 2; i < section.size() && section[i] == QLatin1Char('0'); ++i)
                ++layout.ExponentDigits;
            break;
        }
    }
    layout.MinIntDigits = firstZero < 0 ? 0 : layout.IntPositions - firstZero;
    return layout;
}

// The digits to write, before and after the decimal separator, and the exponent.
struct Digits {
    QString Integer;
    QString Fraction;
    int Exponent = 0;
    bool Zero = true;
};

Digits Place(double value, const Layout& layout)
{
    Digits out;
    Decimal decimal = ToDecimal(value);
    int integerCount = 0;
    if (layout.Scientific) {
        RoundDigits(decimal, layout.IntPositions + layout.MaxDecimals);
        integerCount = layout.IntPositions;
        out.Exponent = decimal.IsZero() ? 0 : decimal.Exponent - integerCount;
        for (int n = 0; n < integerCount; ++n)
            out.Integer += QLatin1Char(DigitAt(decimal, n));
    } else {
        RoundDigits(decimal, decimal.Exponent + layout.MaxDecimals);
        integerCount = std::max(decimal.Exponent, 0);
        for (int n = 0; n < integerCount; ++n)
            out.Integer += QLatin1Char(DigitAt(decimal, n));
        out.Integer = out.Integer.rightJustified(layout.MinIntDigits, QLatin1Char('0'));
    }
    for (int n = 0; n < layout.MaxDecimals; ++n)
        out.Fraction += QLatin1Char(
            layout.Scientific ? DigitAt(decimal, integerCount + n) : DigitAt(decimal, decimal.Exponent + n));
    while (out.Fraction.size() > layout.MinDecimals && out.Fraction.endsWith(QLatin1Char('0')))
        out.Fraction.chop(1);
    out.Zero = decimal.IsZero();
    return out;
}

QString WriteSection(const QString& section, const Layout& layout, const Digits& digits, const QLocale& locale)
{
    QString text;
    const qsizetype integerLength = digits.Integer.size();
    // Digit q counted from the right of the integer part, with its thousands separator.
    const auto writeIntegerDigit = [&](qsizetype q) {
        text += digits.Integer[integerLength - 1 - q];
        if (layout.Thousands && !layout.Scientific && q > 0 && q % 3 == 0)
            text += locale.groupSeparator();
    };
    int position = 0;
    bool afterPoint = false;
    int fractionPosition = 0;
    // Like the layout, what follows the exponent is plain text.
    bool afterExponent = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (IsQuote(c)) {
            const qsizetype close = QuoteEnd(section, i);
            text += section.mid(i + 1, close - i - 1);
            i = close;
            // NOLINTNEXTLINE(bugprone-branch-clone): after the exponent, 0 and # are plain text, so this comes first
        } else if (afterExponent) {
            text += c;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (afterPoint) {
                if (fractionPosition < digits.Fraction.size())
                    text += digits.Fraction[fractionPosition];
                ++fractionPosition;
                continue;
            }
            const qsizetype q = layout.IntPositions - 1 - position;
            // The first position takes every digit that has no position of its own.
            if (position == 0)
                for (qsizetype k = integerLength - 1; k > q; --k)
                    writeIntegerDigit(k);
            if (q < integerLength)
                writeIntegerDigit(q);
            ++position;
        } else if (c == QLatin1Char('.')) {
            if (afterPoint)
                continue;
            afterPoint = true;
            if (layout.IntPositions == 0)
                text += digits.Integer;
            if (!digits.Fraction.isEmpty())
                text += locale.decimalPoint();
        } else if (c == QLatin1Char(',')) {
            continue;
        } else if (layout.Scientific && IsExponentAt(section, i)) {
            text += c;
            if (digits.Exponent < 0)
                text += QLatin1Char('-');
            else if (section[i + 1] == QLatin1Char('+'))
                text += QLatin1Char('+');
            text += QString::number(std::abs(digits.Exponent)).rightJustified(layout.ExponentDigits, QLatin1Char('0'));
            i += 2;
            while (i < section.size() && section[i] == QLatin1Char('0'))
                ++i;
            --i;
            afterExponent = true;
        } else {
            text += c;
        }
    }
    return text;
}

QStringList Sections(const QString& picture)
{
    QStringList sections;
    qsizetype start = 0;
    for (qsizetype i = 0; i < picture.size(); ++i) {
        if (IsQuote(picture[i])) {
            i = QuoteEnd(picture, i);
        } else if (picture[i] == QLatin1Char(';') && sections.size() < 2) {
            sections << picture.mid(start, i - start);
            start = i + 1;
        }
    }
    sections << picture.mid(start);
    return sections;
}

} // namespace

QString Format(const QString& picture, double value, const QLocale& locale)
{
    const QStringList sections = Sections(picture);
    const bool negative = value < 0;
    const bool ownNegative = negative && sections.size() > 1 && !sections[1].isEmpty();
    QString section = ownNegative ? sections[1] : sections[0];
    if (section.isEmpty())
        return GeneralForm(value, locale);
    Layout layout = Analyse(section);
    Digits digits = Place(value, layout);
    // A value that rounds to zero is written by the zero section when there is one.
    if (digits.Zero && sections.size() > 2 && !sections[2].isEmpty()) {
        section = sections[2];
        layout = Analyse(section);
        return WriteSection(section, layout, Place(0, layout), locale);
    }
    const QString text = WriteSection(section, layout, digits, locale);
    return negative && !ownNegative && !digits.Zero ? QLatin1Char('-') + text : text;
}

} // namespace quillo::NumberPicture

#include "exchange/ContactText.h"

#include "exchange/EExchangeError.h"

#include <QStringDecoder>

namespace quillo::ContactText {

namespace {

int LineOf(QByteArrayView bytes, qsizetype offset) { return int(bytes.first(offset).count('\n')) + 1; }

// The characters of 0x80..0x9F in Windows-1252; the rest of the code page is Latin-1.
constexpr char16_t Cp1252High[32] = { 0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030,
    0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178 };

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

QByteArray ToUtf8(QByteArray bytes)
{
    if (bytes.size() > MaxSize)
        throw EExchangeError(0,
            QStringLiteral("The file is too large to import: %1 bytes, over the limit of %2 bytes")
                .arg(bytes.size())
                .arg(MaxSize));
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool little = bytes.startsWith("\xFF\xFE");
        QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        const QString text = decoder.decode(QByteArrayView(bytes).sliced(2));
        if (decoder.hasError() || bytes.size() % 2 != 0 || !text.isValidUtf16())
            throw EExchangeError(0, QStringLiteral("The file begins as UTF-16 text but is not UTF-16 throughout"));
        bytes = text.toUtf8();
    }
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
        throw EExchangeError(LineOf(bytes, nul),
            QStringLiteral("the file holds NUL bytes: it is not a text file, or is UTF-16 text without a byte "
                           "order mark"));
    return bytes;
}

QString DecodeUtf8(QByteArrayView bytes, int line)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        throw EExchangeError(line,
            QStringLiteral("the text is not UTF-8; save the file as UTF-8 (or give its CHARSET) and import it "
                           "again"));
    return text;
}

QString Decode(QByteArrayView bytes, QByteArrayView charset, int line)
{
    const QByteArray name = charset.toByteArray().toUpper();
    if (name.isEmpty() || name == "UTF-8" || name == "UTF8")
        return DecodeUtf8(bytes, line);
    if (name == "ISO-8859-1" || name == "LATIN1" || name == "US-ASCII" || name == "ASCII")
        return QString::fromLatin1(bytes);
    if (name == "WINDOWS-1252" || name == "CP1252") {
        QString text(bytes.size(), Qt::Uninitialized);
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const uchar c = uchar(bytes[i]);
            text[i] = c >= 0x80 && c < 0xA0 ? QChar(Cp1252High[c - 0x80]) : QChar(c);
        }
        return text;
    }
    QStringDecoder decoder(name.constData(), QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        throw EExchangeError(line, QStringLiteral("unknown character set %1").arg(QString::fromLatin1(name)));
    QString text = decoder.decode(bytes);
    // Some decoders (UTF-7, UTF-16) pass unpaired surrogates through without an error; no encoding can
    // write them back.
    if (decoder.hasError() || !text.isValidUtf16())
        throw EExchangeError(line, QStringLiteral("the text is not %1").arg(QString::fromLatin1(name)));
    return text;
}

QByteArray DecodeQuotedPrintable(QByteArrayView bytes, int line)
{
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '=') {
            out += bytes[i];
            continue;
        }
        const int high = i + 1 < bytes.size() ? HexDigit(bytes[i + 1]) : -1;
        const int low = i + 2 < bytes.size() ? HexDigit(bytes[i + 2]) : -1;
        if (high < 0 || low < 0)
            throw EExchangeError(line,
                QStringLiteral("broken quoted-printable sequence \"%1\"")
                    .arg(QString::fromLatin1(bytes.sliced(i, qMin<qsizetype>(3, bytes.size() - i)))));
        out += char(high * 16 + low);
        i += 2;
    }
    return out;
}

QString YearlessFormat(const QString& format)
{
    const qsizetype begin = format.indexOf(QLatin1Char('y'));
    if (begin < 0)
        return format;
    qsizetype end = begin;
    while (end < format.size() && format[end] == QLatin1Char('y'))
        ++end;
    // The separator that joined the year to the rest goes with it.
    QString rest = format;
    if (end < format.size() && !format[end].isLetter())
        rest.remove(begin, end - begin + 1);
    else if (begin > 0 && !format[begin - 1].isLetter())
        rest.remove(begin - 1, end - begin + 1);
    else
        rest.remove(begin, end - begin);
    return rest.trimmed();
}

} // namespace quillo::ContactText

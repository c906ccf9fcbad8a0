#pragma once

#include <QByteArray>
#include <QString>

namespace quillo::ContactText {

// The largest contact file imported. A phone's or web address book's export is a few megabytes; the cap
// bounds the memory an import takes (a few times the file).
constexpr qint64 MaxSize = qint64(100) << 20;

// The file's bytes as UTF-8: refuses a file over MaxSize, drops a UTF-8 byte order mark and converts
// UTF-16 with a byte order mark. Refuses NUL bytes, which no text file of contacts holds.
QByteArray ToUtf8(QByteArray bytes);

// Strict UTF-8; a byte sequence that is not UTF-8 is refused with the line it stands on.
QString DecodeUtf8(QByteArrayView bytes, int line);
// Text in a named character set (UTF-8, ISO-8859-1, US-ASCII, WINDOWS-1252 and what the platform knows).
QString Decode(QByteArrayView bytes, QByteArrayView charset, int line);
// Quoted-printable: "=XX" is a byte, everything else stays; a broken "=" sequence is refused.
QByteArray DecodeQuotedPrintable(QByteArrayView bytes, int line);

// The user's short date format without its year, for a birthday that has none ("dd.MM.yyyy" gives
// "dd.MM").
QString YearlessFormat(const QString& format);

} // namespace quillo::ContactText

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace quillo {

// Byte-level helpers of the document text format.
namespace KelTextCodec {

// True for the bytes the writer turns into %XX.
bool NeedsEscape(unsigned char byte);
// Hex digit value of an upper-case hex digit, or -1.
int HexDigit(unsigned char byte);

// Decodes an attribute value: UTF-8 (4-byte sequences and surrogate pairs written as two
// 3-byte sequences alike), bytes outside any valid sequence read as Latin-1, then %XX unescaped.
void AppendDecodedValue(const char* bytes, qsizetype size, QString& out);
// Writes a value as escaped UTF-8; characters outside the BMP become 4-byte sequences.
void AppendEncodedValue(QStringView value, QByteArray& out);

// Upper-cases ASCII letters only; other bytes stay. Returns the same buffer when nothing changes.
QByteArray AsciiUpper(const QByteArray& bytes);

void AppendEscapedBytes(const QByteArray& bytes, QByteArray& out);
QByteArray UnescapeBytes(const char* bytes, qsizetype size);

} // namespace KelTextCodec
} // namespace quillo

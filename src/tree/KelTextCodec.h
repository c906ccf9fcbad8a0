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
// `readable` bytes (at least size) may be read from the value's start: the rest of the text.
// out needs room for MaxDecodedSize(size) units (never more units than bytes, plus one block
// that the decoder stores whole); returns the end of what it wrote.
constexpr qsizetype MaxDecodedSize(qsizetype bytes) { return bytes + 16; }
char16_t* DecodeValue(const char* bytes, qsizetype size, qsizetype readable, char16_t* out);
// Decodes an attribute name by the same rule, without unescaping; out needs room for size units.
char16_t* DecodeName(const char* bytes, qsizetype size, char16_t* out);

// The writers below fill a buffer the caller has sized with the Max*Size bounds and return
// the end of what they wrote.
// WriteEncodedValue stores blocks of 8 bytes, so its bound includes that much slack.
constexpr qsizetype MaxEncodedSize(qsizetype codeUnits) { return 3 * codeUnits + 8; }
constexpr qsizetype MaxEscapedSize(qsizetype bytes) { return 3 * bytes; }
// A value as escaped UTF-8; characters outside the BMP become 4-byte sequences. The value's
// storage may be read up to `readable` units (at least its size) from its start: when it sits
// inside a larger buffer, that lets the encoder work in whole blocks up to its end.
char* WriteEncodedValue(QStringView value, qsizetype readable, char* out);
// An attribute name as UTF-8, unescaped; `readable` as for WriteEncodedValue.
char* WriteName(QStringView name, qsizetype readable, char* out);
char* WriteEscapedBytes(const char* bytes, qsizetype size, char* out);

// Upper case by the full Unicode mapping (ß becomes SS), in time linear in the length.
QString UpperCase(QStringView text);
// The same; a text that has nothing to change is shared, not copied.
QString UpperCase(const QString& text);
// The same into upper, reusing its storage: a walk over many values then allocates only now and then.
void UpperCaseInto(QStringView text, QString& upper);
// Upper-cases ASCII letters only; other bytes stay. Returns the same buffer when nothing changes.
QByteArray AsciiUpper(const QByteArray& bytes);

QByteArray UnescapeBytes(const char* bytes, qsizetype size);

} // namespace KelTextCodec
} // namespace quillo

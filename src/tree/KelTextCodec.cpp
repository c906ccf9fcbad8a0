#include "tree/KelTextCodec.h"

#include <algorithm>
#include <array>

namespace quillo::KelTextCodec {

namespace {

constexpr std::array<bool, 256> MakeEscapeTable()
{
    std::array<bool, 256> table {};
    for (int c = 0; c < 32; ++c)
        table[c] = c != 9 && c != 10 && c != 13;
    table['"'] = table['%'] = table['<'] = table['>'] = true;
    return table;
}

constexpr std::array<bool, 256> EscapeTable = MakeEscapeTable();
constexpr char HexDigits[] = "0123456789ABCDEF";

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the valid UTF-8 sequence at bytes[i], or 0 when the lead byte starts none.
// Encoded surrogates (ED A0..BF xx) are accepted: older files hold pairs written that way.
int SequenceLength(const unsigned char* bytes, qsizetype i, qsizetype size)
{
    const unsigned char lead = bytes[i];
    const qsizetype left = size - i;
    if (lead >= 0xC2 && lead <= 0xDF)
        return left >= 2 && IsContinuation(bytes[i + 1]) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (left < 3 || !IsContinuation(bytes[i + 1]) || !IsContinuation(bytes[i + 2]))
            return 0;
        return lead == 0xE0 && bytes[i + 1] < 0xA0 ? 0 : 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (left < 4 || !IsContinuation(bytes[i + 1]) || !IsContinuation(bytes[i + 2]) || !IsContinuation(bytes[i + 3]))
            return 0;
        if ((lead == 0xF0 && bytes[i + 1] < 0x90) || (lead == 0xF4 && bytes[i + 1] > 0x8F))
            return 0;
        return 4;
    }
    return 0;
}

void AppendUtf8(char32_t code, QByteArray& out)
{
    if (code < 0x80) {
        out.append(char(code));
    } else if (code < 0x800) {
        out.append(char(0xC0 | (code >> 6)));
        out.append(char(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.append(char(0xE0 | (code >> 12)));
        out.append(char(0x80 | ((code >> 6) & 0x3F)));
        out.append(char(0x80 | (code & 0x3F)));
    } else {
        out.append(char(0xF0 | (code >> 18)));
        out.append(char(0x80 | ((code >> 12) & 0x3F)));
        out.append(char(0x80 | ((code >> 6) & 0x3F)));
        out.append(char(0x80 | (code & 0x3F)));
    }
}

void AppendEscapedByte(unsigned char byte, QByteArray& out)
{
    if (EscapeTable[byte]) {
        out.append('%');
        out.append(HexDigits[byte >> 4]);
        out.append(HexDigits[byte & 15]);
    } else {
        out.append(char(byte));
    }
}

} // namespace

bool NeedsEscape(unsigned char byte) { return EscapeTable[byte]; }

int HexDigit(unsigned char byte)
{
    if (byte >= '0' && byte <= '9')
        return byte - '0';
    if (byte >= 'A' && byte <= 'F')
        return byte - 'A' + 10;
    return -1;
}

void AppendDecodedValue(const char* data, qsizetype size, QString& out)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    const qsizetype start = out.size();
    out.resize(start + size); // never more code units than bytes
    QChar* dest = out.data() + start;
    qsizetype i = 0;
    while (i < size) {
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            int high, low;
            if (lead == '%' && i + 2 < size && (high = HexDigit(bytes[i + 1])) >= 0
                && (low = HexDigit(bytes[i + 2])) >= 0) {
                *dest++ = QChar(char16_t(high * 16 + low));
                i += 3;
            } else {
                *dest++ = QChar(char16_t(lead));
                ++i;
            }
            continue;
        }
        const int length = SequenceLength(bytes, i, size);
        switch (length) {
        case 2:
            *dest++ = QChar(char16_t(((lead & 0x1F) << 6) | (bytes[i + 1] & 0x3F)));
            break;
        case 3:
            *dest++ = QChar(char16_t(((lead & 0x0F) << 12) | ((bytes[i + 1] & 0x3F) << 6) | (bytes[i + 2] & 0x3F)));
            break;
        case 4: {
            const char32_t code = ((lead & 0x07) << 18) | ((bytes[i + 1] & 0x3F) << 12) | ((bytes[i + 2] & 0x3F) << 6)
                | (bytes[i + 3] & 0x3F);
            *dest++ = QChar::highSurrogate(code);
            *dest++ = QChar::lowSurrogate(code);
            break;
        }
        default:
            *dest++ = QChar(char16_t(lead));
            i += 1;
            continue;
        }
        i += length;
    }
    out.resize(dest - out.data());
}

void AppendEncodedValue(QStringView value, QByteArray& out)
{
    const QChar* chars = value.data();
    const qsizetype size = value.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = chars[i].unicode();
        if (unit < 0x80) {
            AppendEscapedByte(uchar(unit), out);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < size && chars[i + 1].isLowSurrogate()) {
            AppendUtf8(QChar::surrogateToUcs4(unit, chars[i + 1].unicode()), out);
            ++i;
        } else {
            AppendUtf8(unit, out);
        }
    }
}

QByteArray AsciiUpper(const QByteArray& bytes)
{
    const auto isLower = [](char ch) { return ch >= 'a' && ch <= 'z'; };
    if (std::none_of(bytes.begin(), bytes.end(), isLower))
        return bytes;
    QByteArray upper = bytes;
    for (char& ch : upper)
        if (isLower(ch))
            ch = char(ch - 'a' + 'A');
    return upper;
}

void AppendEscapedBytes(const QByteArray& bytes, QByteArray& out)
{
    for (const char byte : bytes)
        AppendEscapedByte(uchar(byte), out);
}

QByteArray UnescapeBytes(const char* data, qsizetype size)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    QByteArray out;
    out.reserve(size);
    for (qsizetype i = 0; i < size; ++i) {
        int high, low;
        if (bytes[i] == '%' && i + 2 < size && (high = HexDigit(bytes[i + 1])) >= 0
            && (low = HexDigit(bytes[i + 2])) >= 0) {
            out.append(char(high * 16 + low));
            i += 2;
        } else {
            out.append(char(bytes[i]));
        }
    }
    return out;
}

} // namespace quillo::KelTextCodec

#include "tree/KelTextCodec.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// Decodes the sequence that starts with the non-ASCII byte bytes[i] into dest; a byte that starts no
// valid sequence stands for its Latin-1 character. Returns the number of bytes used.
int DecodeSequence(const unsigned char* bytes, qsizetype i, qsizetype size, char16_t*& dest)
{
    const unsigned char lead = bytes[i];
    const int length = SequenceLength(bytes, i, size);
    switch (length) {
    case 2:
        *dest++ = char16_t(((lead & 0x1F) << 6) | (bytes[i + 1] & 0x3F));
        return 2;
    case 3:
        *dest++ = char16_t(((lead & 0x0F) << 12) | ((bytes[i + 1] & 0x3F) << 6) | (bytes[i + 2] & 0x3F));
        return 3;
    case 4: {
        const char32_t code = ((lead & 0x07) << 18) | ((bytes[i + 1] & 0x3F) << 12) | ((bytes[i + 2] & 0x3F) << 6)
            | (bytes[i + 3] & 0x3F);
        *dest++ = QChar::highSurrogate(code);
        *dest++ = QChar::lowSurrogate(code);
        return 4;
    }
    default:
        *dest++ = char16_t(lead);
        return 1;
    }
}

char* WriteUtf8(char32_t code, char* out)
{
    if (code < 0x80) {
        *out++ = char(code);
    } else if (code < 0x800) {
        *out++ = char(0xC0 | (code >> 6));
        *out++ = char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *out++ = char(0xE0 | (code >> 12));
        *out++ = char(0x80 | ((code >> 6) & 0x3F));
        *out++ = char(0x80 | (code & 0x3F));
    } else {
        *out++ = char(0xF0 | (code >> 18));
        *out++ = char(0x80 | ((code >> 12) & 0x3F));
        *out++ = char(0x80 | ((code >> 6) & 0x3F));
        *out++ = char(0x80 | (code & 0x3F));
    }
    return out;
}

// Number of leading units among the (at most 8) given that are printable ASCII needing no
// escape, written to out as bytes; out must have room for 8 bytes whatever the count.
// Values are mostly such text, so this carries the writer. `readable` units may be read.
inline __attribute__((always_inline)) int CopyPlainUnits(
    const char16_t* units, qsizetype available, qsizetype readable, char* out)
{
#ifdef __SSE2__
    if (readable >= 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
        // Signed compares: units from 0x8000 up count as below the space.
        __m128i special
            = _mm_or_si128(_mm_cmplt_epi16(v, _mm_set1_epi16(0x20)), _mm_cmpgt_epi16(v, _mm_set1_epi16(0x7F)));
        special = _mm_or_si128(special, _mm_cmpeq_epi16(v, _mm_set1_epi16('"')));
        special = _mm_or_si128(special, _mm_cmpeq_epi16(v, _mm_set1_epi16('%')));
        special = _mm_or_si128(special, _mm_cmpeq_epi16(v, _mm_set1_epi16('<')));
        special = _mm_or_si128(special, _mm_cmpeq_epi16(v, _mm_set1_epi16('>')));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(v, v));
        // A lane past the value counts as special, so the count stops there.
        const unsigned mask = unsigned(_mm_movemask_epi8(special)) | (available < 8 ? ~0u << (2 * available) : 0u);
        return mask == 0 ? 8 : __builtin_ctz(mask) / 2;
    }
#else
    Q_UNUSED(readable);
#endif
    int count = 0;
    for (; count < available && count < 8; ++count) {
        const char16_t unit = units[count];
        if (unit < 0x20 || unit >= 0x80 || EscapeTable[unit])
            break;
        out[count] = char(unit);
    }
    return count;
}

// The characters whose upper case is not their simple mapping (ß to SS, ŉ to ʼN, ᾳ to ΑΙ), about a
// hundred, all in the BMP, each growing to at most three. QString::toUpper moves the rest of the
// string for each one that grows, which is quadratic; knowing them lets UpperCase write in one pass.
class TSpecialUpperCases {
public:
    struct Mapping {
        qsizetype length;
        char16_t units[3];
    };

    TSpecialUpperCases()
    {
        for (char32_t code = 0x80; code < 0x10000; ++code) {
            if (QChar::isSurrogate(code))
                continue;
            const QString upper = QString(QChar(char16_t(code))).toUpper();
            if ((upper.size() == 1 && upper[0].unicode() == QChar::toUpper(code)) || upper.size() > 3)
                continue;
            Mapping mapping { upper.size(), {} };
            std::copy_n(upper.utf16(), upper.size(), mapping.units);
            m_mappings.push_back(mapping);
            m_index[code] = uint16_t(m_mappings.size());
        }
    }
    // The mapping of a BMP character that has one, else null.
    const Mapping* Find(char16_t unit) const { return m_index[unit] ? &m_mappings[m_index[unit] - 1] : nullptr; }

private:
    std::array<uint16_t, 0x10000> m_index {};
    std::vector<Mapping> m_mappings;
};

const TSpecialUpperCases& SpecialUpperCases()
{
    static const TSpecialUpperCases cases;
    return cases;
}

char* WriteEscapedByte(unsigned char byte, char* out)
{
    if (EscapeTable[byte]) {
        out[0] = '%';
        out[1] = HexDigits[byte >> 4];
        out[2] = HexDigits[byte & 15];
        return out + 3;
    }
    *out = char(byte);
    return out + 1;
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

char16_t* DecodeValue(const char* data, qsizetype size, qsizetype readable, char16_t* dest)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    qsizetype i = 0;
    while (i < size) {
#ifdef __SSE2__
        // Runs of ASCII without % decode sixteen bytes at a time; most of a value is such text.
        if (readable - i >= 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
            const __m128i zero = _mm_setzero_si128();
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dest), _mm_unpacklo_epi8(v, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + 8), _mm_unpackhi_epi8(v, zero));
            unsigned special = unsigned(_mm_movemask_epi8(_mm_or_si128(v, _mm_cmpeq_epi8(v, _mm_set1_epi8('%')))));
            if (size - i < 16)
                special |= ~0u << (size - i);
            const qsizetype plain = special == 0 ? 16 : __builtin_ctz(special);
            i += plain;
            dest += plain;
            if (plain == 16 || i == size)
                continue;
        }
#else
        Q_UNUSED(readable);
#endif
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            int high, low;
            if (lead == '%' && i + 2 < size && (high = HexDigit(bytes[i + 1])) >= 0
                && (low = HexDigit(bytes[i + 2])) >= 0) {
                *dest++ = char16_t(high * 16 + low);
                i += 3;
            } else {
                *dest++ = char16_t(lead);
                ++i;
            }
            continue;
        }
        i += DecodeSequence(bytes, i, size, dest);
    }
    return dest;
}

char16_t* DecodeName(const char* data, qsizetype size, char16_t* dest)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    for (qsizetype i = 0; i < size;) {
        if (bytes[i] < 0x80)
            *dest++ = bytes[i++];
        else
            i += DecodeSequence(bytes, i, size, dest);
    }
    return dest;
}

char* WriteEncodedValue(QStringView value, qsizetype readable, char* out)
{
    const char16_t* units = value.utf16();
    const qsizetype size = value.size();
    qsizetype i = 0;
    while (i < size) {
        const int plain = CopyPlainUnits(units + i, size - i, readable - i, out);
        i += plain;
        out += plain;
        if (plain == 8 || i == size)
            continue;
        const char16_t unit = units[i++];
        if (unit < 0x80) {
            out = WriteEscapedByte(uchar(unit), out);
        } else if (QChar::isHighSurrogate(unit) && i < size && QChar::isLowSurrogate(units[i])) {
            out = WriteUtf8(QChar::surrogateToUcs4(unit, units[i]), out);
            ++i;
        } else {
            out = WriteUtf8(unit, out);
        }
    }
    return out;
}

char* WriteName(QStringView name, qsizetype readable, char* out)
{
    const char16_t* units = name.utf16();
    const qsizetype size = name.size();
    qsizetype i = 0;
    while (i < size) {
        const int plain = CopyPlainUnits(units + i, size - i, readable - i, out);
        i += plain;
        out += plain;
        if (plain == 8 || i == size)
            continue;
        const char16_t unit = units[i++];
        if (unit < 0x80) {
            *out++ = char(unit);
        } else if (QChar::isHighSurrogate(unit) && i < size && QChar::isLowSurrogate(units[i])) {
            out = WriteUtf8(QChar::surrogateToUcs4(unit, units[i]), out);
            ++i;
        } else {
            // A lone surrogate is written as its own 3-byte sequence, as in values, and reads back.
            out = WriteUtf8(unit, out);
        }
    }
    return out;
}

QString UpperCase(QStringView text)
{
    QString upper;
    UpperCaseInto(text, upper);
    return upper;
}

void UpperCaseInto(QStringView text, QString& upper)
{
    const TSpecialUpperCases& special = SpecialUpperCases();
    const char16_t* in = text.utf16();
    const qsizetype length = text.size();
    // Room for the longest mapping at the last character: a text that does not grow needs no more.
    upper.resize(length + 2);
    char16_t* begin = reinterpret_cast<char16_t*>(upper.data());
    char16_t* out = begin;
    char16_t* end = begin + upper.size();
    for (qsizetype i = 0; i < length; ++i) {
        if (end - out < 3) {
            const qsizetype size = out - begin;
            upper.resize(std::max(2 * upper.size(), size + 3));
            begin = reinterpret_cast<char16_t*>(upper.data());
            out = begin + size;
            end = begin + upper.size();
        }
        const char16_t unit = in[i];
        if (unit < 0x80) {
            *out++ = unit >= 'a' && unit <= 'z' ? char16_t(unit - 'a' + 'A') : unit;
        } else if (QChar::isHighSurrogate(unit) && i + 1 < length && QChar::isLowSurrogate(in[i + 1])) {
            // Outside the BMP every character has a one-character upper case.
            const char32_t code = QChar::toUpper(QChar::surrogateToUcs4(unit, in[i + 1]));
            *out++ = QChar::highSurrogate(code);
            *out++ = QChar::lowSurrogate(code);
            ++i;
        } else if (const TSpecialUpperCases::Mapping* mapping = special.Find(unit)) {
            out = std::copy_n(mapping->units, mapping->length, out);
        } else {
            *out++ = char16_t(QChar::toUpper(char32_t(unit)));
        }
    }
    upper.truncate(out - begin);
}

QString UpperCase(const QString& text)
{
    const auto changes = [](QChar c) { return c.unicode() >= 0x80 || (c >= u'a' && c <= u'z'); };
    return std::none_of(text.begin(), text.end(), changes) ? text : UpperCase(QStringView(text));
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

char* WriteEscapedBytes(const char* bytes, qsizetype size, char* out)
{
    for (qsizetype i = 0; i < size; ++i)
        out = WriteEscapedByte(uchar(bytes[i]), out);
    return out;
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

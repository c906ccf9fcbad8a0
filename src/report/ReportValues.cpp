#include "report/ReportValues.h"

#include "tree/TKelPigger.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace quillo::ReportValues {

namespace {

// The text as ASCII bytes without leading blanks; false when it holds anything else.
bool AsciiAfterBlanks(QStringView text, std::string& out)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].unicode() <= 32)
        ++i;
    out.clear();
    for (; i < text.size(); ++i) {
        const char16_t code = text[i].unicode();
        if (code >= 128)
            return false;
        out.push_back(char(code));
    }
    return true;
}

struct TKeyword {
    const char16_t* name;
    int value;
};

template <size_t N> int Lookup(const TKeyword (&table)[N], QStringView keyword, int fallback)
{
    for (const TKeyword& entry : table)
        if (keyword.compare(QStringView(entry.name), Qt::CaseInsensitive) == 0)
            return entry.value;
    return fallback;
}

const TKeyword ColorNames[] = {
    { u"BLACK", 0x000000 },
    { u"RED", 0x0000FF },
    { u"GREEN", 0x00FF00 },
    { u"BLUE", 0xFF0000 },
    { u"WHITE", 0xFFFFFF },
    { u"MAGENTA", 0xFF00FF },
    { u"YELLOW", 0x00FFFF },
    { u"CYAN", 0xFFFF00 },
    { u"LIGHTGRAY", 0xE0E0E0 },
    { u"DARKGRAY", 0x808080 },
    { u"GRAY", 0xB0B0B0 },
};

const TKeyword Families[] = {
    { u"DECORATIVE", 0x50 },
    { u"DONTCARE", 0 },
    { u"MODERN", 0x30 },
    { u"ROMAN", 0x10 },
    { u"SCRIPT", 0x40 },
    { u"SWISS", 0x20 },
};

const TKeyword Pitches[] = { { u"DEFAULT", 0 }, { u"FIXED", 1 }, { u"VARIABLE", 2 } };

const TKeyword Charsets[] = {
    { u"ANSI", 0 },
    { u"DEFAULT", 1 },
    { u"SYMBOL", 2 },
    { u"SHIFTJIS", 0x80 },
    { u"GB2312", 0x86 },
    { u"HANGEUL", 0x81 },
    { u"CHINESEBIG5", 0x88 },
    { u"OEM", 0xFF },
    { u"JOHAB", 0x82 },
    { u"HEBREW", 0xB1 },
    { u"ARABIC", 0xB2 },
    { u"GREEK", 0xA1 },
    { u"TURKISH", 0xA2 },
    { u"THAI", 0xDE },
    { u"EASTEUROPE", 0xEE },
    { u"RUSSIAN", 0xCC },
    { u"MAC", 0x4D },
    { u"BALTIC", 0xBA },
};

int HexValue(char16_t code)
{
    if (code >= '0' && code <= '9')
        return code - '0';
    if (code >= 'A' && code <= 'F')
        return code - 'A' + 10;
    if (code >= 'a' && code <= 'f')
        return code - 'a' + 10;
    return -1;
}

} // namespace

QStringView Attr(const TKelPigger& node, QStringView name)
{
    const int index = node.IndexOfAttr(name);
    return index >= 0 ? node.AttrValueView(index) : QStringView();
}

double ParseNumber(QStringView text)
{
    std::string ascii;
    if (!AsciiAfterBlanks(text, ascii) || ascii.empty())
        return 0;
    const char* begin = ascii.data();
    const char* end = begin + ascii.size();
    if (*begin == '+' && end - begin > 1 && begin[1] != '-')
        ++begin;
    // Only digits, a point, signs and an exponent: from_chars would also take "inf" and "nan".
    if (!std::all_of(begin, end,
            [](char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'; }))
        return 0;
    double value = 0;
    const auto result = std::from_chars(begin, end, value);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        return 0;
    return value;
}

int ParseInt(QStringView text, int fallback)
{
    std::string ascii;
    if (!AsciiAfterBlanks(text, ascii) || ascii.empty())
        return fallback;
    const char* begin = ascii.data();
    const char* end = begin + ascii.size();
    if (*begin == '+' && end - begin > 1 && begin[1] != '-')
        ++begin;
    int value = 0;
    const auto result = std::from_chars(begin, end, value);
    return result.ec == std::errc() && result.ptr == end ? value : fallback;
}

bool IsYes(QStringView text) { return text.compare(u"YES", Qt::CaseInsensitive) == 0; }

uint32_t ParseColor(QStringView text, uint32_t fallback)
{
    if (text.startsWith(u'#')) {
        uint32_t color = 0;
        for (int component = 0; component < 3; ++component) {
            const qsizetype at = 1 + 2 * component;
            const int high = at < text.size() ? HexValue(text[at].unicode()) : -1;
            const int low = at + 1 < text.size() ? HexValue(text[at + 1].unicode()) : -1;
            if (high >= 0 && low >= 0)
                color |= uint32_t(high * 16 + low) << (8 * component);
        }
        return color;
    }
    const int named = Lookup(ColorNames, text, -1);
    return named >= 0 ? uint32_t(named) : fallback;
}

int Round(double value)
{
    if (!(value > -MaxCentipixels))
        return -MaxCentipixels;
    if (value > MaxCentipixels)
        return MaxCentipixels;
    return int(std::nearbyint(value));
}

int Clamp(int64_t value) { return int(std::clamp<int64_t>(value, -MaxCentipixels, MaxCentipixels)); }

int Centipixels(double mm, int scale) { return Round(mm * scale); }

int BorderPixels(double mm, int scale)
{
    const int pixels = Round(mm * scale / 100);
    return pixels < 1 && mm > 0 ? 1 : pixels;
}

TSize ParseSize(QStringView text)
{
    TSize size;
    size.present = !text.isEmpty();
    if (text.isEmpty())
        return size;
    switch (text[0].unicode()) {
    case '-':
        size.kind = TSize::Fill;
        break;
    case '+':
        size.kind = TSize::Content;
        break;
    case '~':
        size.kind = TSize::Percent;
        break;
    default:
        size.number = ParseNumber(text);
        return size;
    }
    size.number = ParseNumber(text.mid(1));
    return size;
}

double ParseOffset(QStringView text)
{
    if (text.startsWith(u'~'))
        return 0;
    if (text.startsWith(u'+') || text.startsWith(u'-'))
        text = text.mid(1);
    return ParseNumber(text);
}

int FamilyValue(QStringView keyword, int fallback) { return Lookup(Families, keyword, fallback); }
int PitchValue(QStringView keyword, int fallback) { return Lookup(Pitches, keyword, fallback); }
int CharsetValue(QStringView keyword, int fallback) { return Lookup(Charsets, keyword, fallback); }

QString NumberText(double value) { return QString::number(value, 'g', std::numeric_limits<double>::max_digits10); }

} // namespace quillo::ReportValues

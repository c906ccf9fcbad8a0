#include "records/TRecordSearch.h"

#include "tree/KelTextCodec.h"

#include <algorithm>

namespace quillo {

namespace {

bool IsBlank(QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; }

// Values are short: finding the pattern's first unit and comparing the rest there beats a general
// search. A long pattern goes to the general one, so that time stays linear in the value.
bool Contains(QStringView value, QStringView pattern)
{
    if (pattern.size() > 16)
        return value.contains(pattern);
    const char16_t* units = value.utf16();
    const char16_t* wanted = pattern.utf16();
    const char16_t* rest = wanted + 1;
    const char16_t* restEnd = wanted + pattern.size();
    for (qsizetype i = 0, last = value.size() - pattern.size(); i <= last; ++i)
        if (units[i] == wanted[0] && std::equal(rest, restEnd, units + i + 1))
            return true;
    return false;
}

} // namespace

TRecordSearch::TRecordSearch(const QString& text, bool caseSensitive, bool recordsOnly)
    : m_pattern(PreparePattern(text, caseSensitive))
    , m_caseSensitive(caseSensitive)
    , m_recordsOnly(recordsOnly)
{
}

QString TRecordSearch::PreparePattern(const QString& text, bool caseSensitive)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    const QStringView pattern = QStringView(text).sliced(begin, end - begin);
    return caseSensitive ? pattern.toString() : KelTextCodec::UpperCase(pattern);
}

void TRecordSearch::Visit(TKelPigger& node, std::vector<TSearchHit>& hits) const
{
    if (m_pattern.isEmpty() || (m_recordsOnly && node.Tag() != "REC"))
        return;
    for (int i = 0; i < node.AttrCount(); ++i) {
        const QStringView value = node.AttrValueView(i);
        // Code-unit comparison both ways: the pattern was upper-cased by the same mapping.
        if (m_caseSensitive) {
            if (Contains(value, m_pattern))
                hits.push_back({ &node, i });
            continue;
        }
        KelTextCodec::UpperCaseInto(value, m_upper);
        if (Contains(m_upper, m_pattern))
            hits.push_back({ &node, i });
    }
}

std::vector<TSearchHit> TRecordSearch::Run(TKelPigger& start, const TWalker& walk) const
{
    std::vector<TSearchHit> hits;
    if (!m_pattern.isEmpty())
        walk(start, [&](TKelPigger& node) { Visit(node, hits); });
    return hits;
}

} // namespace quillo

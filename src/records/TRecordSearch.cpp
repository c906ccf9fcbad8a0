#include "records/TRecordSearch.h"

#include "tree/KelTextCodec.h"

namespace quillo {

namespace {

bool IsBlank(QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; }

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
            if (value.contains(m_pattern))
                hits.push_back({ &node, i });
            continue;
        }
        KelTextCodec::UpperCaseInto(value, m_upper);
        if (m_upper.contains(m_pattern))
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

#include "tree/TKelParseContext.h"

#include <cstring>

namespace quillo {

TKelParseContext::TKelParseContext(const QByteArray& source)
    : Text(source)
    , Data(Text.constData())
    , Length(Text.size())
{
    if (Length >= std::numeric_limits<int>::max())
        Fail(EKelPiggerError::TFault::TooLarge, 0);
}

void TKelParseContext::Fail(EKelPiggerError::TFault fault, qsizetype at, const QByteArray& tag) const
{
    throw EKelPiggerError(fault, int(at + 1), tag);
}

QByteArray TKelParseContext::InternTag(const char* begin, qsizetype size)
{
    // Siblings mostly share their tag (the records of a page): try the last one found first.
    const auto equal = [&](const QByteArray& tag) {
        return tag.size() == size && std::memcmp(tag.constData(), begin, size_t(size)) == 0;
    };
    if (m_lastTag < m_tags.size() && equal(m_tags[m_lastTag]))
        return m_tags[m_lastTag];
    for (size_t i = 0; i < m_tags.size(); ++i) {
        if (equal(m_tags[i])) {
            m_lastTag = i;
            return m_tags[i];
        }
    }
    QByteArray tag(begin, size);
    if (m_tags.size() < 64)
        m_tags.push_back(tag);
    return tag;
}

} // namespace quillo

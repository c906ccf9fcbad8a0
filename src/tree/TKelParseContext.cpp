#include "tree/TKelParseContext.h"

#include "tree/EKelPiggerError.h"

#include <cstring>

namespace quillo {

TKelParseContext::TKelParseContext(const QByteArray& source)
    : text(source)
    , data(text.constData())
    , length(text.size())
{
    if (length >= std::numeric_limits<int>::max())
        Fail(QStringLiteral("Text too large"), 0);
}

void TKelParseContext::Fail(const QString& message, qsizetype at) const { throw EKelPiggerError(message, int(at + 1)); }

QByteArray TKelParseContext::InternTag(const char* begin, qsizetype size)
{
    for (const QByteArray& tag : m_tags)
        if (tag.size() == size && std::memcmp(tag.constData(), begin, size_t(size)) == 0)
            return tag;
    QByteArray tag(begin, size);
    if (m_tags.size() < 64)
        m_tags.push_back(tag);
    return tag;
}

} // namespace quillo

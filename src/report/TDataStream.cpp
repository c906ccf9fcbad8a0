#include "report/TDataStream.h"

#include <cstring>

namespace quillo {

void TDataStream::Append(const char* bytes, qsizetype count)
{
    if (count <= 0)
        return;
    if (m_used + count > m_storage.size())
        m_storage.resize((m_used + count + GrowthStep - 1) / GrowthStep * GrowthStep);
    std::memcpy(m_storage.data() + m_used, bytes, size_t(count));
    m_used += count;
}

QByteArray TDataStream::Take(qsizetype count)
{
    if (count < 1 || count > m_used)
        count = m_used;
    QByteArray taken = m_storage.left(count);
    m_storage.remove(0, count);
    m_used -= count;
    return taken;
}

} // namespace quillo

#include "reportgen/TRepGenParams.h"

namespace quillo {

void TRepGenParams::Set(const QByteArray& name, const TExpr& value)
{
    const QByteArray upper = ExprUpperCase(name);
    for (auto& entry : m_entries)
        if (entry.first == upper) {
            entry.second = value;
            return;
        }
    m_entries.emplace_back(upper, value);
}

const TExpr* TRepGenParams::Find(const QByteArray& name) const
{
    const QByteArray upper = ExprUpperCase(name);
    for (const auto& entry : m_entries)
        if (entry.first == upper)
            return &entry.second;
    return nullptr;
}

} // namespace quillo

#include "reportgen/TKelQueryColumnList.h"

#include "tree/EKelError.h"

namespace quillo {

TKelQueryColumn& TKelQueryColumnList::Add() { return *m_columns.emplace_back(std::make_unique<TKelQueryColumn>()); }

TKelQueryColumn& TKelQueryColumnList::Insert(int index)
{
    if (index < 0 || index > Count())
        throw EKelError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return **m_columns.insert(m_columns.begin() + index, std::make_unique<TKelQueryColumn>());
}

TKelQueryColumn& TKelQueryColumnList::Get(int index) const
{
    if (index < 0 || index >= Count())
        throw EKelError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return *m_columns[size_t(index)];
}

} // namespace quillo

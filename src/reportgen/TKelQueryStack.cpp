#include "reportgen/TKelQueryStack.h"

#include "reportgen/QueryValues.h"
#include "tree/EKelError.h"

namespace quillo {

void TKelQueryEntry::Next()
{
    if (Transposer)
        Transposer->Next();
    else
        Query->Next();
}

TKelQueryEntry& TKelQueryStack::Push(std::shared_ptr<IReportQuery> query)
{
    if (Depth() >= MaxDepth)
        throw EKelError(QStringLiteral("Too many nested queries (at most %1)").arg(MaxDepth));
    auto entry = std::make_unique<TKelQueryEntry>();
    entry->Query = std::move(query);
    entry->Name = "Query" + QByteArray::number(Depth() + 1);
    m_entries.push_back(std::move(entry));
    return *m_entries.back();
}

void TKelQueryStack::Pop()
{
    if (!m_entries.empty())
        m_entries.pop_back();
}

TKelQueryEntry& TKelQueryStack::Find(const QByteArray& queryName) const
{
    if (queryName.isEmpty() && !m_entries.empty())
        return *m_entries.back();
    for (const auto& entry : m_entries)
        if (!queryName.isEmpty() && SameNameIgnoringAsciiCase(entry->Name, queryName))
            return *entry;
    throw EKelError(QStringLiteral("Query '%1' not found").arg(QString::fromUtf8(queryName)));
}

TExpr TKelQueryStack::GetField(const QByteArray& fieldName, const QByteArray& queryName) const
{
    const TKelQueryEntry& entry = Find(queryName);
    if (entry.Transposer) {
        if (const TExpr* value = entry.Transposer->KeyValue(QString::fromUtf8(fieldName)))
            return *value;
    } else {
        const int count = entry.Query->FieldCount();
        for (int i = 0; i < count; ++i)
            if (SameNameIgnoringAsciiCase(entry.Query->FieldName(i).toUtf8(), fieldName))
                return ReadQueryField(*entry.Query, i);
    }
    throw EKelError(
        QStringLiteral("Field '%1.%2' not found").arg(QString::fromUtf8(entry.Name), QString::fromUtf8(fieldName)));
}

namespace {

[[noreturn]] void TransposedQueryError() { throw EKelError(QStringLiteral("Error in transponated query")); }

} // namespace

TKelQueryEntry& TKelQueryStack::TransposedInnermost() const
{
    TKelQueryEntry* entry = Innermost();
    if (!entry || !entry->Transposer)
        TransposedQueryError();
    return *entry;
}

int32_t TKelQueryStack::DynColCount() const { return TransposedInnermost().Transposer->DynColCount(); }

int32_t TKelQueryStack::DynColIndex() const
{
    const TKelQueryEntry& entry = TransposedInnermost();
    if (entry.DynCol < 0)
        TransposedQueryError();
    return entry.DynCol;
}

TExpr TKelQueryStack::DynField() const
{
    const TKelQueryEntry& entry = TransposedInnermost();
    if (entry.DynCol < 0)
        TransposedQueryError();
    return entry.Transposer->Cell(entry.DynCol);
}

TExpr TKelQueryStack::DynHeader() const
{
    const TKelQueryEntry& entry = TransposedInnermost();
    if (entry.HeaderLevel < 0 || entry.HeaderCol < 0)
        TransposedQueryError();
    return entry.Transposer->HeaderValue(entry.HeaderCol, entry.HeaderLevel);
}

} // namespace quillo

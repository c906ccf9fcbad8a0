#include "reportgen/TKelVarArray.h"

#include "tree/EKelError.h"

namespace quillo {

namespace {

[[noreturn]] void OutOfRange(int index)
{
    throw EKelError(QStringLiteral("Variant array index out of range (%1)").arg(index));
}

} // namespace

TExpr& TKelVarArray::Add()
{
    try {
        return m_items.emplace_back();
    } catch (const std::bad_alloc&) {
        m_items = {};
        throw;
    }
}

TExpr& TKelVarArray::Get(int index)
{
    if (index < 0 || index >= Count())
        OutOfRange(index);
    return m_items[size_t(index)];
}

const TExpr& TKelVarArray::Get(int index) const
{
    if (index < 0 || index >= Count())
        OutOfRange(index);
    return m_items[size_t(index)];
}

} // namespace quillo

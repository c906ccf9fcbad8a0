#pragma once

#include "reportgen/TExpr.h"

#include <utility>
#include <vector>

namespace quillo {

// The generator's named parameters, read by GETPARAM; names are kept upper-cased.
class TRepGenParams {
public:
    // Adds the parameter, or replaces the value of one of the same name.
    void Set(const QByteArray& name, const TExpr& value);
    // The parameter's value, or null when there is none of that name.
    const TExpr* Find(const QByteArray& name) const;
    int Count() const { return int(m_entries.size()); }
    void Clear() { m_entries.clear(); }

private:
    std::vector<std::pair<QByteArray, TExpr>> m_entries;
};

} // namespace quillo

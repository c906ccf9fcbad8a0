#pragma once

#include "reportgen/TKelVarArray.h"

#include <memory>
#include <vector>

namespace quillo {

// An ordered list of owned columns.
class TKelQueryColumnList {
public:
    int Count() const { return int(m_columns.size()); }
    TKelQueryColumn& Add();
    TKelQueryColumn& Insert(int index);
    TKelQueryColumn& Get(int index) const;
    void Clear() { m_columns.clear(); }

private:
    std::vector<std::unique_ptr<TKelQueryColumn>> m_columns;
};

} // namespace quillo

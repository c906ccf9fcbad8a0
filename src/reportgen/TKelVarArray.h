#pragma once

#include "reportgen/TExpr.h"

#include <vector>

namespace quillo {

// A growable array of values; emptied when memory for growing it runs out.
class TKelVarArray {
public:
    int Count() const { return int(m_items.size()); }
    // Appends an ekNull element and returns it.
    TExpr& Add();
    // Raises "Variant array index out of range (%d)" outside 0 .. Count - 1.
    TExpr& Get(int index);
    const TExpr& Get(int index) const;
    void Clear() { m_items.clear(); }

private:
    std::vector<TExpr> m_items;
};

// One column of a transposition: its header values and its row values.
struct TKelQueryColumn {
    TKelVarArray Header;
    TKelVarArray Rows;
};

} // namespace quillo

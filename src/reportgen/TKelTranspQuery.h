#pragma once

#include "reportgen/IReportQuery.h"
#include "reportgen/TKelQueryColumnList.h"

#include <memory>

namespace quillo {

// Turns a record stream sorted by key into rows with one dynamic column per distinct header tuple.
// Each record holds the key fields, then the header tuple, then one value.
class TKelTranspQuery {
public:
    // keyCountText is the TRANSPONATE-BY text; anything but a decimal integer counts as 0.
    TKelTranspQuery(const QString& keyCountText, std::shared_ptr<IReportQuery> source);

    // Reads the whole source; raises "Invalid query structure" when the records cannot be transposed.
    void Build();
    bool Eof() const { return CurrentRow >= RowCount; }
    void Next() { ++CurrentRow; }

    // The key value of the current row for a key field name (ASCII case ignored), or null when no key has it.
    const TExpr* KeyValue(const QString& fieldName) const;
    int DynColCount() const { return DynColumns.Count(); }
    const TExpr& Cell(int dynColumn) const { return DynColumns.Get(dynColumn).Rows.Get(CurrentRow); }
    int HeaderLevels() const { return m_headerLevels; }
    const TExpr& HeaderValue(int dynColumn, int level) const { return DynColumns.Get(dynColumn).Header.Get(level); }

    TKelQueryColumnList KeyColumns;
    TKelQueryColumnList DynColumns;
    int CurrentRow = 0;
    int RowCount = 0;
    int KeyCount = 0;
    std::shared_ptr<IReportQuery> Source;

private:
    void AddRow();
    void CopyKeys();
    void PlaceValue();

    int m_fieldCount = 0;
    int m_headerLevels = 0;
};

} // namespace quillo

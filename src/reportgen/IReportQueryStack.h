#pragma once

#include "reportgen/TExpr.h"

namespace quillo {

// The queries opened by nested QUERY statements, innermost last, as the report functions read them.
// An empty query name means the innermost query.
class IReportQueryStack {
public:
    virtual ~IReportQueryStack() = default;

    // Raise "Query '%s' not found" without a matching query, and GetField "Field '%s.%s' not found".
    virtual TExpr GetField(const QByteArray& fieldName, const QByteArray& queryName) const = 0;
    virtual int32_t RecNo(const QByteArray& queryName) const = 0;

    // Raise "Error in transponated query" unless the innermost query is transposed; the column index and
    // field also outside FORDYNCOL, the header outside SUBHEADER.
    virtual int32_t DynColCount() const = 0;
    virtual int32_t DynColIndex() const = 0;
    virtual TExpr DynField() const = 0;
    virtual TExpr DynHeader() const = 0;
};

} // namespace quillo

#pragma once

#include "reportgen/IReportQuery.h"
#include "reportgen/TExpr.h"

namespace quillo {

// Order of query values for key changes and column placement: values of different kinds are unequal and
// the first counts as the smaller; two nulls are equal; numbers compare by value; strings without regard
// to case in the user's locale. Returns <0, 0 or >0.
int CompareQueryValues(const TExpr& value, const TExpr& other);

// The current record's field as a value: ekNull for a null field, else by the field's type.
// Raises "Field '%s' is of unknown data type" for a type code outside 1 to 8.
TExpr ReadQueryField(IReportQuery& query, int index);

// Names of queries and fields match without regard to ASCII letter case.
bool SameNameIgnoringAsciiCase(QByteArrayView a, QByteArrayView b);

} // namespace quillo

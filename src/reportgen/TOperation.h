#pragma once

#include "reportgen/TExpr.h"

#include <QByteArrayView>

namespace quillo {

// Combines Left (replaced by the result) with Right; false when the operands are refused.
using TOperationHandler = bool (*)(TExpr& left, TExpr& right);

// One row of the operator table.
struct TOperation {
    const char* Symbol;
    int Priority;
    TOperationHandler Handler;
};

// The row whose symbol is exactly this run of operator characters, or none.
const TOperation* FindOperation(QByteArrayView symbol);
// The characters an operator token is made of.
bool IsOperatorChar(char c);

} // namespace quillo

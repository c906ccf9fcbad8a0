#pragma once

#include "reportgen/TExpr.h"

#include <QByteArrayView>

namespace quillo {

class TExprContext;

// At most this many arguments reach a function.
constexpr int MaxExprArgs = 8;

// A function of the expression language. Result is ekNull on entry; false refuses the arguments.
using TExprFunction = bool (*)(TExprContext* context, TExpr& result, int argCount, const TExpr* args);

struct TExprFunctionEntry {
    const char* Name;
    TExprFunction Handler;
};

// The process-wide registry, holding the built-in and report functions from first use on.
// Registering a name again replaces its handler.
void RegisterFunction(const QByteArray& name, TExprFunction handler);
// Lookup without regard to letter case; null when there is no such function.
TExprFunction FindFunction(QByteArrayView name);

} // namespace quillo

#pragma once

#include "reportgen/ExprFunctionRegistry.h"

#include <span>

namespace quillo {

// Functions that read and change the state of the running report generator; called without one they fail.
std::span<const TExprFunctionEntry> ReportFunctions();

} // namespace quillo

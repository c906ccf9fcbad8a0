#pragma once

#include "reportgen/ExprFunctionRegistry.h"

#include <span>

namespace quillo {

// Conversions, choices, numbers, strings and dates; they need no generator.
std::span<const TExprFunctionEntry> BuiltinFunctions();

// Characters of UTF-8 text: a byte that starts no valid sequence counts as one character.
qsizetype Utf8CharLength(QByteArrayView text, qsizetype index);

} // namespace quillo

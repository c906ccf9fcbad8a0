#pragma once

#include "tree/TKelPigger.h"

namespace quillo::NodeLookup {

// Whether node is root or lies below it. A list that keeps node addresses asks this before following one:
// a node deleted since is not found (compared by address only, nothing of it is read).
bool Contains(const TKelPigger& root, const TKelPigger* node);
// Whether one of node's attributes holds exactly value.
bool HoldsValue(const TKelPigger& node, const QString& value);
// The nearest PAGE above node, or nullptr.
TKelPigger* PageOf(TKelPigger& node);

} // namespace quillo::NodeLookup

#pragma once

#include "notebook/NotebookEdits.h"

#include <functional>

namespace quillo {

// A pre-order walk (node, then its children in order, depth first) for long walks behind a window: atSlice
// runs before the first node and again whenever sliceMs milliseconds of walking have passed (before every node
// when sliceMs is 0), so the caller can let the event loop run. atSlice returning false stops the walk.
// Returns false when stopped. The visitor and atSlice must not change the shape of the tree.
bool WalkInSlices(TKelPigger& start, const TNodeVisitor& visit, int sliceMs, const std::function<bool()>& atSlice);

} // namespace quillo

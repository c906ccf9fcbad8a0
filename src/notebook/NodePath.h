#pragma once

#include <QList>

namespace quillo {

class TKelPigger;

// Where a node lies in its tree: the child index at each level, from the root down. Unlike a pointer, a path
// stays meaningful after the subtree it names has been freed and read back from text.
using TNodePath = QList<int>;

namespace NodePath {

// The path of node from the top of its tree (empty for the top itself).
TNodePath Of(const TKelPigger& node);
// The top of node's tree.
const TKelPigger& Top(const TKelPigger& node);
// The node at path below root, or nullptr when the tree has no such place.
TKelPigger* Resolve(TKelPigger& root, const TNodePath& path);
// The deepest node at a prefix of path that root still has (root itself at worst).
TKelPigger& Nearest(TKelPigger& root, const TNodePath& path);
// The nearest node that is a or holds a and b alike; nullptr when they lie in different trees.
TKelPigger* CommonAncestor(TKelPigger& a, TKelPigger& b);
// Whether node is ancestor or lies below it.
bool IsWithin(const TKelPigger& node, const TKelPigger& ancestor);

} // namespace NodePath

} // namespace quillo

#include "notebook/NodePath.h"

#include "tree/TKelPigger.h"

#include <algorithm>

namespace quillo::NodePath {

TNodePath Of(const TKelPigger& node)
{
    TNodePath path;
    for (const TKelPigger* at = &node; at->Parent(); at = at->Parent())
        path.append(at->Parent()->IndexOfChild(at));
    std::reverse(path.begin(), path.end());
    return path;
}

const TKelPigger& Top(const TKelPigger& node)
{
    const TKelPigger* top = &node;
    while (top->Parent())
        top = top->Parent();
    return *top;
}

TKelPigger* Resolve(TKelPigger& root, const TNodePath& path)
{
    TKelPigger* node = &root;
    for (const int index : path) {
        if (index < 0 || index >= node->ChildCount())
            return nullptr;
        node = node->Child(index);
    }
    return node;
}

TKelPigger& Nearest(TKelPigger& root, const TNodePath& path)
{
    TKelPigger* node = &root;
    for (const int index : path) {
        if (index < 0 || index >= node->ChildCount())
            break;
        node = node->Child(index);
    }
    return *node;
}

TKelPigger* CommonAncestor(TKelPigger& a, TKelPigger& b)
{
    const TNodePath pathA = Of(a);
    const TNodePath pathB = Of(b);
    if (&Top(a) != &Top(b))
        return nullptr;
    TKelPigger* node = const_cast<TKelPigger*>(&Top(a));
    for (qsizetype i = 0; i < pathA.size() && i < pathB.size() && pathA[i] == pathB[i]; ++i)
        node = node->Child(pathA[i]);
    return node;
}

bool IsWithin(const TKelPigger& node, const TKelPigger& ancestor)
{
    for (const TKelPigger* at = &node; at; at = at->Parent()) {
        if (at == &ancestor)
            return true;
    }
    return false;
}

} // namespace quillo::NodePath

#include "records/NodeLookup.h"

#include <vector>

namespace quillo::NodeLookup {

bool Contains(const TKelPigger& root, const TKelPigger* node)
{
    if (!node)
        return false;
    std::vector<const TKelPigger*> pending { &root };
    while (!pending.empty()) {
        const TKelPigger* current = pending.back();
        pending.pop_back();
        if (current == node)
            return true;
        for (int i = 0; i < current->ChildCount(); ++i)
            pending.push_back(current->Child(i));
    }
    return false;
}

bool HoldsValue(const TKelPigger& node, const QString& value)
{
    for (int i = 0; i < node.AttrCount(); ++i)
        if (node.AttrValueView(i) == value)
            return true;
    return false;
}

TKelPigger* PageOf(TKelPigger& node)
{
    for (TKelPigger* above = node.Parent(); above; above = above->Parent())
        if (above->Tag() == "PAGE")
            return above;
    return nullptr;
}

} // namespace quillo::NodeLookup

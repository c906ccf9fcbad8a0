#include "reportgen/ExprFunctionRegistry.h"

#include "reportgen/BuiltinFunctions.h"
#include "reportgen/ReportFunctions.h"

#include <algorithm>
#include <vector>

namespace quillo {

namespace {

struct Entry {
    QByteArray Name;
    TExprFunction Handler;
};

bool NameLess(QByteArrayView a, QByteArrayView b) { return a.compare(b, Qt::CaseInsensitive) < 0; }

// Sorted by name for a binary search.
std::vector<Entry>& Registry()
{
    static std::vector<Entry> registry = [] {
        std::vector<Entry> entries;
        for (const auto& list : { BuiltinFunctions(), ReportFunctions() })
            for (const TExprFunctionEntry& function : list)
                entries.push_back({ QByteArray(function.Name), function.Handler });
        std::sort(
            entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return NameLess(a.Name, b.Name); });
        return entries;
    }();
    return registry;
}

std::vector<Entry>::iterator LowerBound(std::vector<Entry>& registry, QByteArrayView name)
{
    return std::lower_bound(registry.begin(), registry.end(), name,
        [](const Entry& entry, QByteArrayView key) { return NameLess(entry.Name, key); });
}

} // namespace

void RegisterFunction(const QByteArray& name, TExprFunction handler)
{
    std::vector<Entry>& registry = Registry();
    const auto place = LowerBound(registry, name);
    if (place != registry.end() && !NameLess(name, place->Name))
        place->Handler = handler;
    else
        registry.insert(place, { name, handler });
}

TExprFunction FindFunction(QByteArrayView name)
{
    std::vector<Entry>& registry = Registry();
    const auto place = LowerBound(registry, name);
    return place != registry.end() && !NameLess(name, place->Name) ? place->Handler : nullptr;
}

} // namespace quillo

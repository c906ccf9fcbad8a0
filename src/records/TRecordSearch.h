#pragma once

#include "notebook/NotebookEdits.h"
#include "tree/TKelPigger.h"

#include <QString>

#include <vector>

namespace quillo {

// One matching attribute: the node that holds it and its index there.
struct TSearchHit {
    TKelPigger* node = nullptr;
    int attr = -1;
};

// Finds a text in attribute values (never in names, tags or element text).
class TRecordSearch {
public:
    TRecordSearch(const QString& text, bool caseSensitive, bool recordsOnly);

    // The text without surrounding white space and control characters; upper case by the full mapping
    // unless the comparison is case sensitive.
    static QString PreparePattern(const QString& text, bool caseSensitive);

    // A blank text matches nothing.
    bool IsEmpty() const { return m_pattern.isEmpty(); }
    // Appends one hit per attribute of node whose value holds the pattern.
    void Visit(TKelPigger& node, std::vector<TSearchHit>& hits) const;
    // Every hit below and including start, in walk order.
    std::vector<TSearchHit> Run(TKelPigger& start, const TWalker& walk) const;

private:
    QString m_pattern;
    bool m_caseSensitive;
    bool m_recordsOnly;
    // Upper-case value being compared; kept so that a walk does not allocate per value.
    mutable QString m_upper;
};

} // namespace quillo

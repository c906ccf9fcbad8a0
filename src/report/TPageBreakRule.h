#pragma once

namespace quillo {

// Whether a page goes on after an item of its content was placed.
struct TPageBreakRule {
    enum TVerdict {
        GoOn,
        // The first body element stays alone on the page, cut at the content's edge.
        EndAfterItem,
        // The item and everything after it go to the next page.
        EndBeforeItem,
    };

    // index counts the repeated table head (headItems is 1 when there is one); fits means the
    // item's bottom lies above the content's bottom edge.
    static TVerdict Decide(int index, int headItems, bool fits, bool isPageBreak)
    {
        if (index < headItems)
            return GoOn;
        if (index == headItems)
            return fits ? GoOn : EndAfterItem;
        return fits && !isPageBreak ? GoOn : EndBeforeItem;
    }
};

} // namespace quillo

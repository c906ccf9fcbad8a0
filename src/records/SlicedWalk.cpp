#include "records/SlicedWalk.h"

#include <QElapsedTimer>

#include <vector>

namespace quillo {

namespace {

// Reading the clock at every node would cost more than most visits.
constexpr int NodesBetweenClockReads = 128;

} // namespace

bool WalkInSlices(TKelPigger& start, const TNodeVisitor& visit, int sliceMs, const std::function<bool()>& atSlice)
{
    QElapsedTimer clock;
    clock.start();
    int countdown = NodesBetweenClockReads;
    // Iterative: documents may nest deeper than the stack allows recursion.
    std::vector<TKelPigger*> pending { &start };
    bool due = true;
    while (!pending.empty()) {
        if (sliceMs <= 0) {
            due = true;
        } else if (--countdown == 0) {
            countdown = NodesBetweenClockReads;
            due = clock.elapsed() >= sliceMs;
        }
        if (due) {
            if (!atSlice())
                return false;
            clock.restart();
            due = false;
        }
        TKelPigger* node = pending.back();
        pending.pop_back();
        visit(*node);
        for (int i = node->ChildCount() - 1; i >= 0; --i)
            pending.push_back(node->Child(i));
    }
    return true;
}

} // namespace quillo

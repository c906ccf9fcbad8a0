#pragma once

#include "report/TVisualElemPigger.h"

namespace quillo {

class TBandPigger;
class TBodyPigger;

// The content of one page: a window onto the body's children, first to last index, after a copy
// of the table head when one is repeated. Its arrangement ends the page at the first item that
// does not fit.
class TVirtualPageContent : public TVisualElemPigger {
public:
    TVirtualPageContent(TKelPigger* parent, TReportPigger* report, TVisualElemPigger* container, TBodyPigger* body);

    int ItemCount() const override;
    // Also makes the content the container of the body element it returns.
    TElemPigger* Item(int index) override;
    bool ItemPlaced(int index, int x, int y) override;

    int FirstIndex() const { return m_first; }
    int LastIndex() const { return m_last; }
    void SetWindow(int first, int last) { m_first = first, m_last = last; }
    // The copy of the table head shown at the top, owned by the content; null when none.
    TBandPigger* RepeatedHead() const { return m_repeatedHead; }
    void SetRepeatedHead(TBandPigger* copy) { m_repeatedHead = copy; }

private:
    TBodyPigger* m_body;
    int m_first = 0;
    int m_last = -1;
    TBandPigger* m_repeatedHead = nullptr;
};

} // namespace quillo

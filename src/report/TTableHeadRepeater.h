#pragma once

namespace quillo {

class TBodyPigger;
class TVirtualPageContent;
class TVisualElemPigger;

// Carries the table head from page to page while the body is cut: each page after the head starts
// with a copy of it, until a TABLEEND.
class TTableHeadRepeater {
public:
    // Puts a copy of the remembered head at the top of a new page's content.
    void Repeat(TVirtualPageContent& content) const;
    // Looks at the body elements a finished page holds: a table head is remembered, TABLEEND forgets it.
    void Scan(const TBodyPigger& body, int first, int last);

private:
    const TVisualElemPigger* m_head = nullptr;
};

} // namespace quillo

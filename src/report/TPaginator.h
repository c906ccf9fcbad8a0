#pragma once

namespace quillo {

class TBasePigger;
class TBodyPigger;
class TReportPigger;
class TVirtualPage;
class TVisualElemPigger;

// Cuts the body into pages. Each page is laid out once; its content stops at the first element
// that does not fit, and the next page starts with that element.
class TPaginator {
public:
    explicit TPaginator(TReportPigger& report);

    void Paginate();

    // Fills "[[PAGE]]" and "[[PAGES]]" (any letter case) in the labels of a band and its bands.
    static void ReplacePageNumbers(TVisualElemPigger& band, int page, int pageCount);

    // Header and footer labels are measured with this page count until the real one is known.
    static constexpr int ProvisionalPageCount = 99;

private:
    TVirtualPage* NewVirtualPage(TBasePigger& pageList);

    TReportPigger& m_report;
    TBodyPigger& m_body;
};

} // namespace quillo

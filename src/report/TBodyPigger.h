#pragma once

#include "report/TBasePigger.h"

namespace quillo {

class TReportPigger;

// BODY: bands, page breaks and table ends, cut into pages by the layout.
class TBodyPigger : public TBasePigger {
public:
    TBodyPigger(TKelPigger* parent, TReportPigger* report);

    TKelPigger* Create(TKelPigger* parent) const override;
    TKelPigger* CreateChild(const QByteArray& tag) override;

    // The pages of the last layout: a child of the report made on the first layout, or null.
    TBasePigger* PageList() const { return m_pageList; }
    void SetPageList(TBasePigger* pageList) { m_pageList = pageList; }
    // The numbers that "[[PAGE]]" and "[[PAGES]]" are replaced by.
    int CurrentPageNumber() const { return m_currentPageNumber; }
    void SetCurrentPageNumber(int number) { m_currentPageNumber = number; }
    int PageCount() const { return m_pageCount; }
    void SetPageCount(int count) { m_pageCount = count; }

private:
    TReportPigger* m_report;
    TBasePigger* m_pageList = nullptr;
    int m_currentPageNumber = 0;
    int m_pageCount = 0;
};

} // namespace quillo

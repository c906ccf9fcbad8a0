#include "report/TPaginator.h"

#include "report/TBandPigger.h"
#include "report/TBodyPigger.h"
#include "report/TLabelPigger.h"
#include "report/TReportPigger.h"
#include "report/TTableHeadRepeater.h"
#include "report/TVirtualPage.h"
#include "report/TVirtualPageContent.h"

#include <utility>

namespace quillo {

using ReportValues::NumberText;

TPaginator::TPaginator(TReportPigger& report)
    : m_report(report)
    , m_body(*report.Body())
{
}

void TPaginator::Paginate()
{
    delete m_body.PageList();
    auto* pageList = new TBasePigger(&m_report);
    pageList->SetTag("PAGELIST");
    m_body.SetPageList(pageList);
    m_body.SetPageCount(0);
    const int count = m_body.ChildCount();
    if (count == 0)
        return;

    TTableHeadRepeater tableHead;
    m_body.SetCurrentPageNumber(1);
    m_body.SetPageCount(ProvisionalPageCount);
    int start = 0;
    do {
        TVirtualPage* page = NewVirtualPage(*pageList);
        TVirtualPageContent& content = *page->Content();
        tableHead.Repeat(content);
        content.SetWindow(start, count - 1);
        page->Layout(0, 0);
        tableHead.Scan(m_body, content.FirstIndex(), content.LastIndex());
        start = content.LastIndex() + 1;
        m_body.SetCurrentPageNumber(m_body.CurrentPageNumber() + 1);
    } while (start < count);

    // Labels keep the size measured with the provisional count.
    m_body.SetPageCount(m_body.CurrentPageNumber() - 1);
    for (int i = 0; i < pageList->ChildCount(); ++i) {
        const auto* page = static_cast<TVirtualPage*>(pageList->Child(i));
        m_body.SetCurrentPageNumber(i + 1);
        ReplacePageNumbers(*page->Header(), i + 1, m_body.PageCount());
        ReplacePageNumbers(*page->Footer(), i + 1, m_body.PageCount());
    }
}

TVirtualPage* TPaginator::NewVirtualPage(TBasePigger& pageList)
{
    auto* page = new TVirtualPage(&pageList, &m_report, &m_body);
    const std::pair<TBandPigger*, TBandPigger*> bands[]
        = { { page->Header(), m_report.PageHeader() }, { page->Footer(), m_report.PageFooter() } };
    for (const auto& [band, source] : bands) {
        if (!source)
            continue;
        band->Assign(*source);
        band->Init();
        ReplacePageNumbers(*band, m_body.CurrentPageNumber(), m_body.PageCount());
    }

    const TPageSettings& settings = m_report.Settings();
    const double zoom = settings.printZoom;
    double width = settings.PaperWidth() / zoom;
    const double height = settings.PaperHeight() / zoom;
    if (m_report.HorBreakActive())
        width *= m_report.SubPageCount();
    double left = settings.leftMargin;
    double right = settings.rightMargin;
    if (settings.twoSide && pageList.IndexOfChild(page) % 2 == 1)
        std::swap(left, right);
    left /= zoom;
    right /= zoom;
    const double top = settings.topMargin / zoom;
    const double bottom = settings.bottomMargin / zoom;

    const auto size = [](TKelPigger& element, double w, double h) {
        element.SetAttr(QStringLiteral("WIDTH"), NumberText(w));
        element.SetAttr(QStringLiteral("HEIGHT"), NumberText(h));
    };
    size(*page, width, height);
    page->Header()->SetAttr(QStringLiteral("LEFT"), NumberText(left));
    size(*page->Header(), width - left - right, top);
    size(*page->Content(), width - left - right, height - top - bottom);
    size(*page->Footer(), width - left - right, bottom);
    return page;
}

void TPaginator::ReplacePageNumbers(TVisualElemPigger& band, int page, int pageCount)
{
    for (int i = 0; i < band.ChildCount(); ++i) {
        auto* item = dynamic_cast<TVisualElemPigger*>(band.Child(i));
        if (!item)
            continue;
        if (auto* label = dynamic_cast<TLabelPigger*>(item)) {
            QString text = label->GetAttr(QStringLiteral("TEXT"));
            text.replace(QStringLiteral("[[PAGE]]"), QString::number(page), Qt::CaseInsensitive);
            text.replace(QStringLiteral("[[PAGES]]"), QString::number(pageCount), Qt::CaseInsensitive);
            label->SetLabelText(text);
        } else {
            ReplacePageNumbers(*item, page, pageCount);
        }
    }
}

} // namespace quillo

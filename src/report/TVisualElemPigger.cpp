#include "report/TVisualElemPigger.h"

#include "report/TReportPigger.h"

#include <algorithm>
#include <cstdlib>

namespace quillo {

using namespace ReportValues;

namespace {

TVisualElemPigger::TAlign ParseAlign(QStringView value, const char16_t* start, const char16_t* end)
{
    if (value.compare(QStringView(start), Qt::CaseInsensitive) == 0)
        return TVisualElemPigger::AlignStart;
    if (value.compare(u"CENTER", Qt::CaseInsensitive) == 0)
        return TVisualElemPigger::AlignCenter;
    if (value.compare(QStringView(end), Qt::CaseInsensitive) == 0)
        return TVisualElemPigger::AlignEnd;
    return TVisualElemPigger::AlignNone;
}

// Borders are kept small enough that adding them to a measured size in centipixels cannot overflow.
int Border(QStringView value, int scale)
{
    return std::clamp(BorderPixels(ParseNumber(value), scale), 0, MaxCentipixels / 100);
}

// Where an aligned rectangle (its size in pixels and in centipixels) starts along one axis of its container.
int AlignedStart(TVisualElemPigger::TAlign align, int start, int pixels, int centipixels, int containerSize)
{
    switch (align) {
    case TVisualElemPigger::AlignStart:
        return 0;
    case TVisualElemPigger::AlignCenter:
        return int((int64_t(containerSize) - centipixels) / 200);
    case TVisualElemPigger::AlignEnd:
        return containerSize / 100 - pixels;
    case TVisualElemPigger::AlignNone:
        break;
    }
    return start;
}

} // namespace

TVisualElemPigger::TVisualElemPigger(TKelPigger* parent, TReportPigger* report, TVisualElemPigger* container)
    : TElemPigger(parent, report, Visual)
    , m_container(container)
{
}

void TVisualElemPigger::Init()
{
    TElemPigger::Init();
    m_align = ParseAlign(Attr(*this, u"ALIGN"), u"LEFT", u"RIGHT");
    m_valign = ParseAlign(Attr(*this, u"VALIGN"), u"TOP", u"BOTTOM");
    m_arrange = Attr(*this, u"ARRANGE").compare(u"VERTICAL", Qt::CaseInsensitive) == 0 ? Vertical : Horizontal;
    m_tableHead = IsYes(Attr(*this, u"TABLEHEAD"));
}

int TVisualElemPigger::ItemCount() const { return ChildCount(); }

TElemPigger* TVisualElemPigger::Item(int index) { return dynamic_cast<TElemPigger*>(Child(index)); }

bool TVisualElemPigger::ItemPlaced(int, int, int) { return false; }

void TVisualElemPigger::ResolveColorsAndBorders()
{
    const TReportPigger& report = *Report();
    const TPageSettings& settings = report.Settings();
    const auto resolve = [this](const char16_t* name, uint32_t inherited) {
        const uint32_t color = ParseColor(Attr(*this, name), InheritColor);
        return color == InheritColor ? inherited : color;
    };
    m_bgColor = resolve(u"BGCOLOR", m_container ? m_container->m_bgColor : settings.bgColor);
    m_color = resolve(u"COLOR", m_container ? m_container->m_color : settings.fgColor);
    m_borderColor = resolve(u"BORDER-COLOR", m_container ? m_container->m_borderColor : settings.fgColor);
    m_activeColor = ParseColor(Attr(*this, u"ACOLOR"), m_color);
    m_borderLeft = Border(Attr(*this, u"BORDER-LEFT"), report.ScaleX());
    m_borderRight = Border(Attr(*this, u"BORDER-RIGHT"), report.ScaleX());
    m_borderTop = Border(Attr(*this, u"BORDER-TOP"), report.ScaleY());
    m_borderBottom = Border(Attr(*this, u"BORDER-BOTTOM"), report.ScaleY());
}

void TVisualElemPigger::SizeFromAttributes(int& extraWidth, int& extraHeight)
{
    const TReportPigger& report = *Report();
    const auto size = [this](TSize given, int scale, int containerSize, int offset, TAlign align, int& extra) {
        switch (given.kind) {
        case TSize::Fill:
            if (!m_container || containerSize < 1)
                return 0;
            return Clamp(int64_t(containerSize) - Centipixels(given.number, scale) - (align == AlignNone ? offset : 0));
        case TSize::Content:
            extra = Centipixels(given.number, scale);
            return 0;
        case TSize::Percent:
            return m_container ? Round(given.number * containerSize / 100) : 0;
        case TSize::Plain:
            break;
        }
        return Centipixels(given.number, scale);
    };
    m_width = size(ParseSize(Attr(*this, u"WIDTH")), report.ScaleX(), m_container ? m_container->m_width : 0, m_left,
        m_align, extraWidth);
    m_height = size(ParseSize(Attr(*this, u"HEIGHT")), report.ScaleY(), m_container ? m_container->m_height : 0, m_top,
        m_valign, extraHeight);
}

void TVisualElemPigger::Layout(int flowX, int flowY)
{
    const TReportPigger* report = Report();
    if (!report)
        return;
    ResolveColorsAndBorders();
    const QStringView left = Attr(*this, u"LEFT");
    const QStringView top = Attr(*this, u"TOP");
    m_left = left.isEmpty() ? flowX : Centipixels(ParseOffset(left), report->ScaleX());
    m_top = top.isEmpty() ? flowY : Centipixels(ParseOffset(top), report->ScaleY());
    int extraWidth = -1;
    int extraHeight = -1;
    SizeFromAttributes(extraWidth, extraHeight);
    ArrangeItems();
    if (extraWidth >= 0 || extraHeight >= 0)
        AutoSize(extraWidth, extraHeight);
    UpdateRect();
    for (int i = 0; i < ItemCount(); ++i)
        if (auto* item = dynamic_cast<TVisualElemPigger*>(Item(i)))
            item->SecondPass(*this);
}

void TVisualElemPigger::ArrangeItems()
{
    int x = 0;
    int y = 0;
    for (int i = 0; i < ItemCount(); ++i) {
        if (auto* item = dynamic_cast<TVisualElemPigger*>(Item(i))) {
            item->Layout(x, y);
            if (m_arrange == Horizontal) {
                if (item->m_align == AlignNone)
                    x = Clamp(int64_t(item->m_left) + item->m_width);
                y = item->m_top;
            } else {
                x = item->m_left;
                if (item->m_valign == AlignNone)
                    y = Clamp(int64_t(item->m_top) + item->m_height);
            }
        }
        if (ItemPlaced(i, x, y))
            break;
    }
}

void TVisualElemPigger::AutoSize(int extraWidth, int extraHeight)
{
    int64_t widest = 0;
    int64_t tallest = 0;
    for (int i = 0; i < ItemCount(); ++i) {
        if (const auto* item = dynamic_cast<const TVisualElemPigger*>(Item(i))) {
            widest
                = std::max<int64_t>(widest, int64_t(item->m_width) + (item->m_align == AlignNone ? item->m_left : 0));
            tallest
                = std::max<int64_t>(tallest, int64_t(item->m_height) + (item->m_valign == AlignNone ? item->m_top : 0));
        }
    }
    // -1 marks a size that was not asked for; it is left to the second pass.
    if (m_width == 0 && extraWidth >= 0)
        m_width = Clamp(widest + extraWidth);
    if (m_height == 0 && extraHeight >= 0)
        m_height = Clamp(tallest + extraHeight);
}

void TVisualElemPigger::UpdateRect()
{
    m_rect.left = m_left / 100;
    m_rect.top = m_top / 100;
    m_rect.right = m_rect.left + m_width / 100;
    m_rect.bottom = m_rect.top + m_height / 100;
}

void TVisualElemPigger::SecondPass(const TVisualElemPigger& container)
{
    const TReportPigger& report = *Report();
    const auto fill = [](TSize given, int scale, int containerSize, int offset, TAlign align) {
        if (given.kind == TSize::Percent)
            return Round(given.number * containerSize / 100);
        return Clamp(
            int64_t(containerSize) - Centipixels(std::abs(given.number), scale) - (align == AlignNone ? offset : 0));
    };
    if (m_height == 0) {
        const TSize given = ParseSize(Attr(*this, u"HEIGHT"));
        if (given.present) {
            m_height = fill(given, report.ScaleY(), container.m_height, m_top, m_valign);
            m_rect.bottom = m_rect.top + m_height / 100;
        }
    }
    if (m_width == 0) {
        const TSize given = ParseSize(Attr(*this, u"WIDTH"));
        if (given.present) {
            m_width = fill(given, report.ScaleX(), container.m_width, m_left, m_align);
            m_rect.right = m_rect.left + m_width / 100;
        }
    }
    const int width = m_rect.Width();
    const int height = m_rect.Height();
    m_rect.left = AlignedStart(m_align, m_rect.left, width, m_width, container.m_width);
    m_rect.right = m_rect.left + width;
    m_rect.top = AlignedStart(m_valign, m_rect.top, height, m_height, container.m_height);
    m_rect.bottom = m_rect.top + height;
}

} // namespace quillo

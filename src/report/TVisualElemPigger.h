#pragma once

#include "report/ReportValues.h"
#include "report/TElemPigger.h"
#include "report/TPixelRect.h"

namespace quillo {

// An element that is laid out and drawn. Positions and sizes are centipixels (1/100 device pixel)
// relative to the container, the visual element that places it.
class TVisualElemPigger : public TElemPigger {
public:
    enum TAlign : uint8_t { AlignNone, AlignStart, AlignCenter, AlignEnd };
    enum TArrange : uint8_t { Horizontal, Vertical };

    TVisualElemPigger(TKelPigger* parent, TReportPigger* report, TVisualElemPigger* container);

    // Style, children, then ALIGN, VALIGN, ARRANGE and TABLEHEAD.
    void Init() override;

    // The elements this one places; by default its children.
    virtual int ItemCount() const;
    // The item at index, or null when that child is no report element.
    virtual TElemPigger* Item(int index);
    // Told after item index was placed, with the flow position after it; true stops the arrangement.
    virtual bool ItemPlaced(int index, int x, int y);
    // Sizes from the content what WIDTH or HEIGHT "+N" left open; -1 means not asked for.
    virtual void AutoSize(int extraWidth, int extraHeight);
    // Lays out the items in flow order.
    virtual void ArrangeItems();

    // Places and sizes this element at the flow position, then its items.
    void Layout(int flowX, int flowY);

    TVisualElemPigger* Container() const { return m_container; }
    void SetContainer(TVisualElemPigger* container) { m_container = container; }
    bool IsTableHead() const { return m_tableHead; }
    TAlign Align() const { return m_align; }
    TAlign VAlign() const { return m_valign; }
    TArrange Arrange() const { return m_arrange; }

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Pixels, relative to the container.
    const TPixelRect& Rect() const { return m_rect; }

    uint32_t BgColor() const { return m_bgColor; }
    uint32_t BorderColor() const { return m_borderColor; }
    uint32_t Color() const { return m_color; }
    uint32_t ActiveColor() const { return m_activeColor; }
    int BorderLeft() const { return m_borderLeft; }
    int BorderRight() const { return m_borderRight; }
    int BorderTop() const { return m_borderTop; }
    int BorderBottom() const { return m_borderBottom; }

protected:
    void SetWidth(int width) { m_width = ReportValues::Clamp(width); }
    void SetHeight(int height) { m_height = ReportValues::Clamp(height); }
    void SetArrange(TArrange arrange) { m_arrange = arrange; }

private:
    void ResolveColorsAndBorders();
    void SizeFromAttributes(int& extraWidth, int& extraHeight);
    // After the container got its size: sizes still 0 with a WIDTH or HEIGHT, then alignment.
    void SecondPass(const TVisualElemPigger& container);
    void UpdateRect();

    TVisualElemPigger* m_container;
    bool m_tableHead = false;
    TPixelRect m_rect;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    uint32_t m_bgColor = ReportValues::White;
    int m_borderLeft = 0;
    int m_borderRight = 0;
    int m_borderTop = 0;
    int m_borderBottom = 0;
    uint32_t m_borderColor = ReportValues::Black;
    uint32_t m_color = ReportValues::Black;
    uint32_t m_activeColor = ReportValues::Black;
    TAlign m_align = AlignNone;
    TAlign m_valign = AlignNone;
    TArrange m_arrange = Horizontal;
};

} // namespace quillo

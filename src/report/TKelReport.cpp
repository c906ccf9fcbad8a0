#include "report/TKelReport.h"

#include "report/TFontPigger.h"
#include "report/THeadPigger.h"
#include "report/TImageDataPigger.h"
#include "report/TImagePigger.h"
#include "report/TLabelPigger.h"
#include "report/TVirtualPage.h"
#include "report/TVirtualPageContent.h"
#include "tree/EKelError.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quillo {

namespace {

// Report colours hold red in the low byte.
QColor ToQColor(uint32_t color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

// Each line of text shortened with an ellipsis to width pixels.
QString Elided(const QString& text, const QFontMetrics& metrics, Qt::TextElideMode mode, int width)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = metrics.elidedText(line, mode, width, Qt::TextExpandTabs);
    return lines.join(QLatin1Char('\n'));
}

// The bitmap with its transparent colour left out.
QImage WithTransparency(const TImageDataPigger& data)
{
    const uint32_t c = data.TransparentColor();
    const QRgb key = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    QImage image = data.Image().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                line[x] = 0;
    }
    return image;
}

// The lowest bottom of the element's items, in pixels below its top; an item may reach below a band of
// fixed height that holds it.
int LowestBottom(TVisualElemPigger& element)
{
    int lowest = 0;
    for (int i = 0; i < element.ItemCount(); ++i)
        if (auto* item = dynamic_cast<TVisualElemPigger*>(element.Item(i)))
            lowest = std::max({ lowest, item->Rect().bottom, item->Rect().top + LowestBottom(*item) });
    return lowest;
}

} // namespace

TKelReport::TKelReport()
    : m_report(std::make_unique<TReportPigger>())
{
    m_report->Init();
}

TKelReport::~TKelReport() = default;

template <typename T> void TKelReport::Store(T& field, T value)
{
    if (field == value)
        return;
    field = value;
    m_layoutInvalid = true;
}

void TKelReport::SetBgColor(uint32_t color) { Store(m_report->Settings().bgColor, color); }
void TKelReport::SetFgColor(uint32_t color) { Store(m_report->Settings().fgColor, color); }
void TKelReport::SetPageOrientation(TPageSettings::TOrientation orientation)
{
    Store(m_report->Settings().orientation, orientation);
}
int TKelReport::PrintZoom() const { return int(std::lround(Settings().printZoom * 100)); }
void TKelReport::SetPrintZoom(int percent)
{
    Store(m_report->Settings().printZoom, TPageSettings::ZoomFactor(percent));
}
int TKelReport::DisplayZoom() const { return int(std::lround(Settings().displayZoom * 100)); }
void TKelReport::SetDisplayZoom(int percent)
{
    Store(m_report->Settings().displayZoom, TPageSettings::ZoomFactor(percent));
}
void TKelReport::SetPageSizeLo(int mm) { Store(m_report->Settings().pageSizeLo, TPageSettings::PageSize(mm)); }
void TKelReport::SetPageSizeHi(int mm) { Store(m_report->Settings().pageSizeHi, TPageSettings::PageSize(mm)); }
void TKelReport::SetLeftMargin(int mm) { Store(m_report->Settings().leftMargin, TPageSettings::Margin(mm)); }
void TKelReport::SetRightMargin(int mm) { Store(m_report->Settings().rightMargin, TPageSettings::Margin(mm)); }
void TKelReport::SetTopMargin(int mm) { Store(m_report->Settings().topMargin, TPageSettings::Margin(mm)); }
void TKelReport::SetBottomMargin(int mm) { Store(m_report->Settings().bottomMargin, TPageSettings::Margin(mm)); }
void TKelReport::SetTwoSidePrinting(bool on) { Store(m_report->Settings().twoSide, on); }
void TKelReport::SetHorBreakMode(bool on) { Store(m_report->Settings().horBreak, on); }
void TKelReport::SetIntersectSize(int mm)
{
    Store(m_report->Settings().intersectSize, TPageSettings::IntersectSize(mm));
}

void TKelReport::LoadFromString(const QByteArray& text)
{
    m_layoutInvalid = true;
    m_hrefs.clear();
    m_mappedPage = -1;
    m_activeLabel = nullptr;
    m_report->Load(text);
}

void TKelReport::SetPageSizeFromPrinter(const QPagedPaintDevice& printer)
{
    const QSizeF size = printer.pageLayout().pageSize().size(QPageSize::Millimeter);
    const int a = int(std::lround(size.width()));
    const int b = int(std::lround(size.height()));
    const int lo = TPageSettings::PageSize(std::min(a, b));
    const int hi = TPageSettings::PageSize(std::max(a, b));
    SetPageSizeLo(lo);
    SetPageSizeHi(hi);
}

void TKelReport::Prepare(QPaintDevice* device)
{
    if (!device)
        return;
    // A device at the same address may be a new one: its resolution tells them apart.
    const int dpi = device->logicalDpiX() * 100000 + device->logicalDpiY();
    if (!m_layoutInvalid && device == m_layoutDevice && dpi == m_layoutDpi)
        return;
    m_layoutDevice = device;
    m_layoutDpi = dpi;
    m_hrefs.clear();
    m_mappedPage = -1;
    m_activeLabel = nullptr;
    m_report->PrepareLayout(device);
    m_layoutInvalid = false;
}

void TKelReport::CheckIndex(int index) const
{
    if (index < 0 || index >= m_report->PageCount())
        throw EKelError("Invalid page index");
}

int TKelReport::PageCount(QPaintDevice* device)
{
    Prepare(device);
    return m_report->PageCount();
}

QRect TKelReport::PageRect(QPaintDevice* device, int index)
{
    Prepare(device);
    CheckIndex(index);
    const TPixelRect r = m_report->PageRect(index);
    return QRect(0, 0, r.Width(), r.Height());
}

int TKelReport::ContentOverflow(QPaintDevice* device, int index)
{
    Prepare(device);
    CheckIndex(index);
    TVirtualPageContent& content = *m_report->Page(index)->Content();
    return std::max(0, LowestBottom(content) - content.Rect().Height());
}

void TKelReport::DrawPage(QPainter& painter, int index, const QRect& clip, const QPoint& origin)
{
    Prepare(painter.device());
    CheckIndex(index);
    m_clip = clip;
    m_drawingPage = index;
    TVirtualPage& page = *m_report->Page(index);
    painter.save();
    Draw(painter, page, origin - QPoint(page.Rect().left, page.Rect().top));
    painter.restore();
    if (EnableHRefs && m_mappedPage != index) {
        m_hrefs.clear();
        m_mappedPage = index;
        MapHRefs(page, QPoint(0, 0) - QPoint(page.Rect().left, page.Rect().top));
    }
}

void TKelReport::Draw(QPainter& painter, TVisualElemPigger& element, const QPoint& origin)
{
    const TPixelRect& pixels = element.Rect();
    const QRect r(origin.x() + pixels.left, origin.y() + pixels.top, pixels.Width(), pixels.Height());
    if (!m_clip.isEmpty() && !r.intersects(m_clip))
        return;
    painter.fillRect(r, ToQColor(element.BgColor()));
    for (int i = 0; i < element.ItemCount(); ++i)
        if (auto* item = dynamic_cast<TVisualElemPigger*>(element.Item(i)))
            Draw(painter, *item, r.topLeft());
    DrawContent(painter, element, r);
    DrawBorders(painter, element, r);
}

void TKelReport::DrawContent(QPainter& painter, TVisualElemPigger& element, const QRect& r)
{
    if (const auto* label = dynamic_cast<const TLabelPigger*>(&element)) {
        DrawLabel(painter, *label, r);
    } else if (const auto* image = dynamic_cast<const TImagePigger*>(&element)) {
        const TImageDataPigger* data = image->ImageData();
        if (data && data->Decoded()) {
            painter.drawImage(r, data->Transparent() ? WithTransparency(*data) : data->Image());
        } else {
            painter.fillRect(r, QBrush(Qt::red, Qt::DiagCrossPattern));
        }
    } else if (dynamic_cast<const TVirtualPage*>(&element) && m_report->SubPageCount() > 1) {
        DrawSubPageMarks(painter, r);
    }
}

void TKelReport::DrawLabel(QPainter& painter, const TLabelPigger& label, const QRect& r)
{
    const bool active = &label == m_activeLabel;
    const TFontPigger* font = active && label.ActiveFont() ? label.ActiveFont() : label.Font();
    const QRect text = r.adjusted(label.BorderLeft(), label.BorderTop(), -label.BorderRight(), -label.BorderBottom());
    if (text.isEmpty() || label.LabelText().isEmpty())
        return;
    painter.save();
    if (font)
        painter.setFont(font->DeviceFont());
    painter.setPen(ToQColor(active ? label.ActiveColor() : label.Color()));
    painter.setClipRect(text, Qt::IntersectClip);
    const TTextFlags& flags = label.TextFlags();
    QString shown = label.LabelText();
    if (flags.ellipsis || flags.pathEllipsis) {
        const Qt::TextElideMode mode = flags.pathEllipsis ? Qt::ElideMiddle : Qt::ElideRight;
        shown = Elided(shown, QFontMetrics(painter.font(), painter.device()), mode, text.width());
    }
    painter.drawText(text, flags.QtFlags(false), shown);
    painter.restore();
}

void TKelReport::DrawSubPageMarks(QPainter& painter, const QRect& r)
{
    const int count = m_report->SubPageCount();
    QFont font;
    if (const THeadPigger* head = m_report->Head(); head && head->DefaultFont())
        font = head->DefaultFont()->DeviceFont();
    font.setPixelSize(std::max(1, int(std::lround(6 * m_report->ScaleY() * 0.254 / 72))));
    painter.save();
    painter.setFont(font);
    painter.setPen(ToQColor(Settings().fgColor));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(ToQColor(Settings().bgColor));
    const QFontMetrics metrics(font, painter.device());
    for (int s = 0; s < count; ++s) {
        const int x = int(std::lround(double(r.width()) / count * s)) - m_report->SubPageOverlap() * s;
        painter.drawText(QPoint(r.left() + x, r.top() + metrics.ascent()),
            QStringLiteral("%1-%2").arg(m_drawingPage + 1).arg(s + 1));
    }
    painter.restore();
}

void TKelReport::DrawBorders(QPainter& painter, const TVisualElemPigger& element, const QRect& r)
{
    const QColor color = ToQColor(element.BorderColor());
    painter.save();
    painter.setPen(QPen(color, 0));
    const int left = r.left();
    const int top = r.top();
    const int right = r.left() + r.width();
    const int bottom = r.top() + r.height();
    const auto side = [&](int w, const QLine& line, const QRect& band) {
        if (w == 1)
            painter.drawLine(line);
        else if (w > 1)
            painter.fillRect(band, color);
    };
    const int l = element.BorderLeft();
    const int rt = element.BorderRight();
    const int t = element.BorderTop();
    const int b = element.BorderBottom();
    side(l, QLine(left, top, left, bottom - 1), QRect(QPoint(left, top), QPoint(left + l - 1, bottom - 1)));
    side(rt, QLine(right - 1, top, right - 1, bottom - 1),
        QRect(QPoint(right - rt, top), QPoint(right - 1, bottom - 1)));
    side(t, QLine(left, top, right - 1, top), QRect(QPoint(left, top), QPoint(right - 1, top + t - 1)));
    side(b, QLine(left, bottom - 1, right - 1, bottom - 1),
        QRect(QPoint(left, bottom - b), QPoint(right - 1, bottom - 1)));
    painter.restore();
}

QPoint TKelReport::SubPageOrigin(int index, int subPage) const
{
    const TPixelRect page = m_report->PageRect(index);
    const int count = m_report->SubPageCount();
    return QPoint(m_report->SubPageOverlap() * subPage - int(std::lround(double(page.Width()) / count * subPage)), 0);
}

void TKelReport::PrintPage(QPainter& painter, QPagedPaintDevice& printer, int index)
{
    Prepare(&printer);
    CheckIndex(index);
    for (int s = 0; s < m_report->SubPageCount(); ++s) {
        if (s > 0 && !printer.newPage())
            throw EKelError("Printing failed");
        DrawPage(painter, index, QRect(), SubPageOrigin(index, s));
    }
}

void TKelReport::Print(QPagedPaintDevice& printer, const std::function<void()>& abortJob, const TPrintOffsets& offsets)
{
    const int displayZoom = DisplayZoom();
    const bool hrefs = EnableHRefs;
    const QPageLayout::Orientation printerOrientation = printer.pageLayout().orientation();
    const auto restore = [&] {
        SetDisplayZoom(displayZoom);
        EnableHRefs = hrefs;
        printer.setPageOrientation(printerOrientation);
    };
    QPainter painter;
    try {
        SetDisplayZoom(100);
        EnableHRefs = false;
        printer.setPageOrientation(
            PageOrientation() == TPageSettings::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        if (!painter.begin(&printer))
            throw EKelError("Printing failed");
        ShiftBySide(painter, offsets, false);
        const int count = PageCount(&printer);
        for (int i = 0; i < count; ++i) {
            if (i > 0 && !printer.newPage())
                throw EKelError("Printing failed");
            PrintPage(painter, printer, i);
        }
        if (!painter.end())
            throw EKelError("Printing failed");
    } catch (...) {
        if (painter.isActive()) {
            if (abortJob)
                abortJob();
            painter.end();
        }
        restore();
        throw;
    }
    restore();
}

void TKelReport::FitZoom(QPaintDevice* device, int index, const QRect& view)
{
    const QRect page = PageRect(device, index);
    // A view without room for a pixel fits no page.
    if (view.width() < 2 || view.height() < 2)
        throw EKelError("Invalid zoom");
    const double ratioX = double(page.width()) / (view.width() - 1);
    const double ratioY = double(page.height()) / (view.height() - 1);
    const double ratio = std::max(ratioX, ratioY);
    const double zoom = std::floor(DisplayZoom() / ratio);
    if (!(zoom >= 10 && zoom <= 400))
        throw EKelError("Invalid zoom");
    SetDisplayZoom(int(zoom));
}

void TKelReport::MapHRefs(TVisualElemPigger& element, const QPoint& origin)
{
    const TPixelRect& pixels = element.Rect();
    const QRect r(origin.x() + pixels.left, origin.y() + pixels.top, pixels.Width(), pixels.Height());
    if (auto* label = dynamic_cast<TLabelPigger*>(&element); label && !label->HRef().isEmpty())
        m_hrefs.push_back({ label, r });
    for (int i = 0; i < element.ItemCount(); ++i)
        if (auto* item = dynamic_cast<TVisualElemPigger*>(element.Item(i)))
            MapHRefs(*item, r.topLeft());
}

TLabelPigger* TKelReport::HRefAt(int x, int y) const
{
    for (const THRef& href : m_hrefs)
        if (href.rect.contains(x, y))
            return href.label;
    return nullptr;
}

void TKelReport::SetActive(TLabelPigger* label)
{
    if (label == m_activeLabel)
        return;
    const auto invalidate = [this](const TLabelPigger* changed) {
        for (const THRef& href : m_hrefs)
            if (changed && href.label == changed && OnInvalidate)
                OnInvalidate(href.rect);
    };
    const TLabelPigger* old = m_activeLabel;
    m_activeLabel = label;
    invalidate(old);
    invalidate(label);
}

void TKelReport::MouseMoveAt(int x, int y)
{
    if (m_layoutInvalid || !EnableHRefs)
        return;
    SetActive(HRefAt(x, y));
}

void TKelReport::MouseDownAt(int x, int y)
{
    if (m_layoutInvalid || !EnableHRefs)
        return;
    TLabelPigger* label = HRefAt(x, y);
    if (!label)
        return;
    SetActive(nullptr);
    if (OnHREF)
        OnHREF(*this, label->HRef());
}

} // namespace quillo

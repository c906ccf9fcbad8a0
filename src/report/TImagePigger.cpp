#include "report/TImagePigger.h"

#include "report/TBandPigger.h"
#include "report/TImageDataPigger.h"
#include "report/TImagesPigger.h"
#include "report/TReportPigger.h"

namespace quillo {

using namespace ReportValues;

namespace {

// Millimetres per pixel at 96 pixels per inch.
constexpr double MmPerScreenPixel = 0.26458333;

} // namespace

TKelPigger* TImagePigger::Create(TKelPigger* parent) const
{
    return new TImagePigger(parent, ReportOf(parent), dynamic_cast<TVisualElemPigger*>(parent));
}

void TImagePigger::Init()
{
    TVisualElemPigger::Init();
    m_imageName = GetAttr(QStringLiteral("NAME")).toUpper();
    const TImagesPigger* images = Report() ? Report()->Images() : nullptr;
    m_imageData = images ? images->Find(m_imageName) : nullptr;
    DefaultToContentSize(*this);
}

void TImagePigger::AutoSize(int, int)
{
    const TReportPigger& report = *Report();
    if (!m_imageData || !m_imageData->Decoded()) {
        if (Width() == 0)
            SetWidth(Centipixels(10, report.ScaleX()));
        if (Height() == 0)
            SetHeight(Centipixels(10, report.ScaleY()));
        return;
    }
    const double bitmapWidth = m_imageData->Image().width();
    const double bitmapHeight = m_imageData->Image().height();
    if (Width() == 0 && Height() == 0) {
        SetWidth(Round(bitmapWidth * MmPerScreenPixel * report.ScaleX()));
        SetHeight(Round(bitmapHeight * MmPerScreenPixel * report.ScaleY()));
    } else if (Width() == 0) {
        SetWidth(Round(bitmapWidth * Height() / bitmapHeight));
    } else if (Height() == 0) {
        SetHeight(Round(bitmapHeight * Width() / bitmapWidth));
    }
}

} // namespace quillo

#pragma once

#include "report/ITextMeasurer.h"
#include "report/TBasePigger.h"
#include "report/TPageSettings.h"
#include "report/TPixelRect.h"

class QPaintDevice;

namespace quillo {

class TBandPigger;
class TBodyPigger;
class THeadPigger;
class TImagesPigger;
class TKelCompLibrary;
class TVirtualPage;

// The REPORT root: the document read into report objects, its page settings and its layout.
class TReportPigger : public TBasePigger {
public:
    TReportPigger();
    ~TReportPigger() override;

    TKelPigger* CreateChild(const QByteArray& tag) override;
    void Clear() override;
    // HEAD (made when missing, so that a default font exists), page header and footer, IMAGES, BODY.
    void Init() override;
    // Reads report document text and initialises it. A reading error propagates and leaves an
    // empty report.
    void Load(const QByteArray& text);

    THeadPigger* Head() const { return m_head; }
    TBodyPigger* Body() const { return m_body; }
    TImagesPigger* Images() const { return m_images; }
    TBandPigger* PageHeader() const { return m_pageHeader; }
    TBandPigger* PageFooter() const { return m_pageFooter; }
    const QByteArray& Title() const { return m_title; }
    const QByteArray& Date() const { return m_date; }
    const QByteArray& Time() const { return m_time; }

    TPageSettings& Settings() { return m_settings; }
    const TPageSettings& Settings() const { return m_settings; }

    // Lays the report out for the device: scales, fonts, pages, sheets.
    void PrepareLayout(QPaintDevice* device);
    QPaintDevice* Device() const { return m_device; }
    // Centipixels per millimetre at the current zooms.
    int ScaleX() const { return m_scaleX; }
    int ScaleY() const { return m_scaleY; }
    bool HorBreakActive() const { return m_horBreakActive; }
    // Sheets each page is cut into (at least 1), and their overlap in pixels.
    int SubPageCount() const { return m_subPageCount; }
    int SubPageOverlap() const { return m_subPageOverlap; }
    int PageCount() const;
    TVirtualPage* Page(int index) const;
    // The page's pixel rectangle with its top left at 0, 0; empty without such a page.
    TPixelRect PageRect(int index) const;

    // Text is measured by the given measurer (not owned), or by the font metrics when null.
    ITextMeasurer& Measurer() { return m_measurer ? *m_measurer : m_qtMeasurer; }
    void SetMeasurer(ITextMeasurer* measurer) { m_measurer = measurer; }
    // Decodes IMAGEDATA; the program's library unless set (not owned). Takes effect at the next Load.
    const TKelCompLibrary& Compressor() const { return *m_compressor; }
    void SetCompressor(const TKelCompLibrary& compressor) { m_compressor = &compressor; }

private:
    friend class TReportLayout;

    THeadPigger* m_head = nullptr;
    TBodyPigger* m_body = nullptr;
    TImagesPigger* m_images = nullptr;
    TBandPigger* m_pageHeader = nullptr;
    TBandPigger* m_pageFooter = nullptr;
    QByteArray m_title;
    QByteArray m_date;
    QByteArray m_time;
    TPageSettings m_settings;

    QPaintDevice* m_device = nullptr;
    int m_scaleX = 0;
    int m_scaleY = 0;
    bool m_horBreakActive = false;
    int m_subPageCount = 1;
    int m_subPageOverlap = 0;

    TQtTextMeasurer m_qtMeasurer;
    ITextMeasurer* m_measurer = nullptr;
    const TKelCompLibrary* m_compressor;
};

} // namespace quillo

#pragma once

#include "report/ReportValues.h"
#include "report/TBasePigger.h"
#include "report/TZippedBitmap.h"

namespace quillo {

class TKelCompLibrary;

// IMAGEDATA: a zipped bitmap written as hexadecimal digits in the element text.
class TImageDataPigger : public TBasePigger {
public:
    TImageDataPigger(TKelPigger* parent, const TKelCompLibrary& compressor);

    TKelPigger* Create(TKelPigger* parent) const override;
    TKelPigger* CreateChild(const QByteArray&) override { return new TKelPigger(this); }
    // Decodes the text (which is then dropped); a failure leaves the image undecoded, drawn as a placeholder.
    void Init() override;

    const QString& Name() const { return m_name; }
    bool Decoded() const { return m_decoded; }
    const QImage& Image() const { return m_bitmap.Image(); }
    // The colour left out when Transparent: TRANSPARENT-COLOR, else the bitmap's lower left pixel.
    uint32_t TransparentColor() const { return m_transparentColor; }
    bool Transparent() const { return m_transparent; }

    // The bytes of hexadecimal text: blanks and control characters skipped, an odd last digit ignored.
    static QByteArray DecodeHex(const QByteArray& text);

private:
    const TKelCompLibrary& m_compressor;
    TZippedBitmap m_bitmap;
    bool m_decoded = false;
    QString m_name;
    uint32_t m_transparentColor = ReportValues::InheritColor;
    bool m_transparent = false;
};

} // namespace quillo

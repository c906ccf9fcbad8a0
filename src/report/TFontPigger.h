#pragma once

#include "report/TBasePigger.h"

#include <QFont>

namespace quillo {

// FONT in HEAD; its device font is made anew for each layout.
class TFontPigger : public TBasePigger {
public:
    using TBasePigger::TBasePigger;

    TKelPigger* Create(TKelPigger* parent) const override { return new TFontPigger(parent); }
    TKelPigger* CreateChild(const QByteArray&) override { return new TKelPigger(this); }
    // Reads NAME and the font attributes; writes SIZE "10" when absent.
    void Init() override;
    void SetName(const QString& upperName) { m_name = upperName; }

    // Makes the device font for scales in centipixels per millimetre.
    void Realise(int scaleX, int scaleY);
    const QFont& DeviceFont() const { return m_deviceFont; }
    // The character height that Realise asks for: positive a cell height, negative an em height.
    int PixelHeight() const { return m_pixelHeight; }

    const QString& Name() const { return m_name; }
    bool Bold() const { return m_bold; }
    bool Italic() const { return m_italic; }
    bool Underline() const { return m_underline; }
    bool StrikeOut() const { return m_strikeOut; }
    // Tenths of a degree, counter-clockwise; ANGLE turns text clockwise.
    int Escapement() const { return m_escapement; }
    int Family() const { return m_family; }
    int Pitch() const { return m_pitch; }
    int Charset() const { return m_charset; }
    const QByteArray& FaceName() const { return m_faceName; }

    // Device fonts are kept within this many pixels.
    static constexpr int MaxPixelSize = 8000;

private:
    QString m_name;
    QFont m_deviceFont;
    int m_pixelHeight = 0;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikeOut = false;
    int m_escapement = 0;
    int m_family = 0;
    int m_pitch = 0;
    int m_charset = 1;
    QByteArray m_faceName;
};

} // namespace quillo

#pragma once

#include "report/TTextFlags.h"
#include "report/TVisualElemPigger.h"

namespace quillo {

class TFontPigger;

// LABEL: a text with its font and placement; a hyperlink when HREF is set.
class TLabelPigger : public TVisualElemPigger {
public:
    using TVisualElemPigger::TVisualElemPigger;

    TKelPigger* Create(TKelPigger* parent) const override;
    // As every visual element, "+0" sizes, then TEXT, the text flags, FONT, AFONT and HREF.
    void Init() override;
    // Measures the text, borders included, for the sizes "+N" asked for.
    void AutoSize(int extraWidth, int extraHeight) override;

    const QString& LabelText() const { return m_text; }
    void SetLabelText(const QString& text) { m_text = text; }
    const TTextFlags& TextFlags() const { return m_flags; }
    TFontPigger* Font() const { return m_font; }
    TFontPigger* ActiveFont() const { return m_activeFont; }
    const QByteArray& HRef() const { return m_href; }

private:
    QString m_text;
    TTextFlags m_flags;
    TFontPigger* m_font = nullptr;
    QByteArray m_href;
    TFontPigger* m_activeFont = nullptr;
};

} // namespace quillo

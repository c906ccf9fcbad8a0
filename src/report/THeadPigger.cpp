#include "report/THeadPigger.h"

#include "report/TBandPigger.h"
#include "report/TFontPigger.h"
#include "report/TReportPigger.h"
#include "report/TStylePigger.h"

namespace quillo {

TKelPigger* THeadPigger::CreateChild(const QByteArray& tag)
{
    if (tag == "STYLE")
        return new TStylePigger(this);
    if (tag == "FONT")
        return new TFontPigger(this);
    if (tag == "PAGEHEADER" || tag == "PAGEFOOTER") {
        // Written inside HEAD, kept by the report.
        auto* report = dynamic_cast<TReportPigger*>(Parent());
        return report ? new TBandPigger(report, report, nullptr) : nullptr;
    }
    return nullptr;
}

void THeadPigger::Init()
{
    TBasePigger::Init();
    m_styles.clear();
    m_fonts.clear();
    for (int i = 0; i < ChildCount(); ++i) {
        if (auto* style = dynamic_cast<TStylePigger*>(Child(i)))
            m_styles.insert(style->Name(), m_styles.value(style->Name(), style));
        else if (auto* font = dynamic_cast<TFontPigger*>(Child(i)))
            m_fonts.insert(font->Name(), m_fonts.value(font->Name(), font));
    }
    m_defaultFont = m_fonts.value(QStringLiteral("DEFAULT"));
    if (!m_defaultFont) {
        m_defaultFont = new TFontPigger(this);
        m_defaultFont->SetTag("FONT");
        m_defaultFont->Init();
        m_defaultFont->SetAttr(QStringLiteral("NAME"), QStringLiteral("DEFAULT"));
        m_defaultFont->SetName(QStringLiteral("DEFAULT"));
        m_fonts.insert(m_defaultFont->Name(), m_defaultFont);
    }
}

TFontPigger* THeadPigger::FindFont(const QString& upperName) const
{
    TFontPigger* font = m_fonts.value(upperName);
    return font ? font : m_defaultFont;
}

} // namespace quillo

#pragma once

#include "report/TBasePigger.h"

#include <QHash>

namespace quillo {

class TFontPigger;
class TStylePigger;

// HEAD: styles, fonts, and the page header and footer (which it hands to the report).
class THeadPigger : public TBasePigger {
public:
    using TBasePigger::TBasePigger;

    TKelPigger* Create(TKelPigger* parent) const override { return new THeadPigger(parent); }
    TKelPigger* CreateChild(const QByteArray& tag) override;
    // Initialises styles and fonts, then finds or creates the font named DEFAULT.
    void Init() override;

    // The first STYLE of that name (upper case), or null.
    TStylePigger* FindStyle(const QString& upperName) const { return m_styles.value(upperName); }
    // The first FONT of that name (upper case); the empty name is the first FONT without NAME.
    // A name that matches nothing gives the default font.
    TFontPigger* FindFont(const QString& upperName) const;
    TFontPigger* DefaultFont() const { return m_defaultFont; }

private:
    QHash<QString, TStylePigger*> m_styles;
    QHash<QString, TFontPigger*> m_fonts;
    TFontPigger* m_defaultFont = nullptr;
};

} // namespace quillo

#include "report/TFontPigger.h"

#include "report/ReportValues.h"

#include <QFontMetrics>

#include <algorithm>

namespace quillo {

using namespace ReportValues;

namespace {

QFont::StyleHint StyleHint(int family)
{
    switch (family) {
    case 0x10:
        return QFont::Serif;
    case 0x20:
        return QFont::SansSerif;
    case 0x30:
        return QFont::TypeWriter;
    case 0x40:
        return QFont::Cursive;
    case 0x50:
        return QFont::Decorative;
    default:
        return QFont::AnyStyle;
    }
}

} // namespace

void TFontPigger::Init()
{
    m_name = GetAttr(QStringLiteral("NAME")).toUpper();
    if (GetAttr(QStringLiteral("SIZE")).isEmpty())
        SetAttr(QStringLiteral("SIZE"), QStringLiteral("10"));
    m_bold = IsYes(Attr(*this, u"BOLD"));
    m_italic = IsYes(Attr(*this, u"ITALIC"));
    m_underline = IsYes(Attr(*this, u"UNDERLINE"));
    m_strikeOut = IsYes(Attr(*this, u"STRIKEOUT"));
    m_escapement = -10 * (ParseInt(Attr(*this, u"ANGLE"), 0) % 360);
    m_family = FamilyValue(Attr(*this, u"FAMILY"), 0);
    m_pitch = PitchValue(Attr(*this, u"PITCH"), 0);
    m_charset = CharsetValue(Attr(*this, u"CHARSET"), 1);
    m_faceName = GetAttr(QStringLiteral("FACE")).toUtf8();
}

void TFontPigger::Realise(int scaleX, int scaleY)
{
    const QStringView height = Attr(*this, u"HEIGHT");
    const QStringView width = Attr(*this, u"WIDTH");
    const int points = ParseInt(Attr(*this, u"SIZE"), 10);
    m_pixelHeight
        = !height.isEmpty() ? Round(ParseNumber(height) * scaleY / 100) : -Round(points * scaleY * 0.254 / 72);

    QFont font;
    if (!m_faceName.isEmpty())
        font.setFamily(QString::fromUtf8(m_faceName));
    font.setStyleHint(StyleHint(m_family));
    font.setFixedPitch(m_pitch == 1);
    font.setWeight(m_bold ? QFont::Bold : QFont::Normal);
    font.setItalic(m_italic);
    font.setUnderline(m_underline);
    font.setStrikeOut(m_strikeOut);
    const int em = m_pixelHeight < 0 ? -m_pixelHeight : std::max(m_pixelHeight, 1);
    font.setPixelSize(std::clamp(em, 1, MaxPixelSize));
    if (m_pixelHeight > 0) {
        // A positive height is the whole character cell; Qt sizes fonts by their em.
        const int cell = QFontMetrics(font).height();
        if (cell > 0)
            font.setPixelSize(std::clamp(int(int64_t(em) * em / cell), 1, MaxPixelSize));
    }
    if (!width.isEmpty()) {
        const int averageWidth = Round(ParseNumber(width) * scaleX / 100);
        const int natural = QFontMetrics(font).averageCharWidth();
        if (averageWidth > 0 && natural > 0)
            font.setStretch(std::clamp(int(int64_t(averageWidth) * 100 / natural), 1, 4000));
    }
    m_deviceFont = font;
}

} // namespace quillo

#include "printing/PagePlacement.h"

#include "tree/TKelPigger.h"

#include <algorithm>

namespace quillo::PagePlacement {

namespace {

// The integer value of the attribute, or fallback.
int IntAttr(const TKelPigger& node, const QString& attribute, int fallback)
{
    bool ok = false;
    const int value = node.GetAttr(attribute).trimmed().toInt(&ok);
    return ok ? value : fallback;
}

// Where the page's left edge would be before it is kept on the sheet.
int RawLeftOffset(const QString& side, int paperWidth, int bandWidth, int leftMargin, int rightMargin)
{
    return side == Left ? paperWidth - bandWidth - rightMargin : leftMargin;
}

} // namespace

bool IsNotebookPageTemplate(const QString& templatePath)
{
    return templatePath.trimmed().endsWith(QStringLiteral(".zdkt"), Qt::CaseInsensitive);
}

int BandWidth(const TKelPigger& templateRoot)
{
    const TKelPigger* report = templateRoot.FindChild("REPORT");
    const TKelPigger* body = report ? report->FindChild("BODY") : nullptr;
    const TKelPigger* band = body ? body->FindChild("BAND") : nullptr;
    return band ? IntAttr(*band, QStringLiteral("WIDTH"), DefaultBandWidth) : DefaultBandWidth;
}

QString ProposedSide(const TKelPigger& page)
{
    const TKelPigger* parent = page.Parent();
    const int index = parent ? parent->IndexOfChild(&page) : 0;
    return index % 2 == 0 ? Right : Left;
}

int LeftOffset(const QString& side, int paperWidth, int bandWidth, int leftMargin, int rightMargin)
{
    return std::max(0, RawLeftOffset(side, paperWidth, bandWidth, leftMargin, rightMargin));
}

QString FitWarning(const QString& side, int paperWidth, int bandWidth, int leftMargin, int rightMargin)
{
    const int left = RawLeftOffset(side, paperWidth, bandWidth, leftMargin, rightMargin);
    const int room = paperWidth - std::max(0, leftMargin) - std::max(0, rightMargin);
    if (left >= 0 && left + bandWidth <= paperWidth && bandWidth <= room)
        return {};
    QString text = QStringLiteral("The notebook page is %1 mm wide, the paper %2 mm; the printer margins "
                                  "(left %3 mm, right %4 mm) leave %5 mm for it.")
                       .arg(bandWidth)
                       .arg(paperWidth)
                       .arg(leftMargin)
                       .arg(rightMargin)
                       .arg(room);
    if (left < 0)
        text += QStringLiteral("\n%1 mm of the page would lie left of the sheet.").arg(-left);
    else if (left + bandWidth > paperWidth)
        text += QStringLiteral("\n%1 mm of the page would lie right of the sheet.").arg(left + bandWidth - paperWidth);
    else
        text += QStringLiteral("\n%1 mm of the page would lie in the printer margins.").arg(bandWidth - room);
    return text;
}

int PageSize(const TKelPigger& page, const QString& attribute, int fallback)
{
    return IntAttr(page, attribute, fallback);
}

} // namespace quillo::PagePlacement

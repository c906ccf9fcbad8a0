#pragma once

#include <QString>

namespace quillo {

class TKelPigger;

// Where a printed notebook page lands on the sheet: a right-hand page against the left printer margin, a
// left-hand page against the right one, so that the cut-out page has its binding edge on the ring side.
// All lengths are whole millimetres.
namespace PagePlacement {

inline const QString Right = QStringLiteral("RIGHT");
inline const QString Left = QStringLiteral("LEFT");

// Width of the notebook page on the sheet when the template does not give one, and the page size of a PAGE
// without WIDTH and HEIGHT.
constexpr int DefaultBandWidth = 95;
constexpr int DefaultPageWidth = 95;
constexpr int DefaultPageHeight = 170;

// Templates named *.zdkt (any letter case) print a notebook page; any other template is a plain report.
bool IsNotebookPageTemplate(const QString& templatePath);

// WIDTH of the first BAND of the first BODY of the template's REPORT, DefaultBandWidth when any is missing
// or the width is not an integer.
int BandWidth(const TKelPigger& templateRoot);

// The side a page is proposed to print on from its position among its siblings: the first, third, ... page
// is a right-hand page, the others left-hand pages.
QString ProposedSide(const TKelPigger& page);

// The report's left margin that puts the page on its side: the left printer margin for a right-hand page,
// paper width less band width less the right margin for a left-hand page. Never below 0: the sheet starts
// there (the placement dialog warns before it comes to that).
int LeftOffset(const QString& side, int paperWidth, int bandWidth, int leftMargin, int rightMargin);

// Empty when the page lies within the sheet and the printer margins; otherwise what lies off, in
// millimetres, for the user to correct or accept.
QString FitWarning(const QString& side, int paperWidth, int bandWidth, int leftMargin, int rightMargin);

// WIDTH or HEIGHT of a PAGE; fallback when absent or not an integer.
int PageSize(const TKelPigger& page, const QString& attribute, int fallback);

} // namespace PagePlacement
} // namespace quillo

#pragma once

#include "printing/PagePlacement.h"

#include <QByteArray>

namespace quillo {

class TKelPigger;
class TKelReport;
class TKelReportGenerator;

// One print of a notebook page, shared by the print window and zdktool print-page: the template run on the
// page and the report's placement on the sheet.
namespace PageReport {

// The side and the printer margins (millimetres) the user confirmed.
struct TSheetPlacement {
    QString side = PagePlacement::Right;
    int leftMargin = 20;
    int rightMargin = 20;
    int topMargin = 20;
};

struct TGenerated {
    QByteArray text;
    int bandWidth = PagePlacement::DefaultBandWidth;
};

// Loads the template (a stored path: '\' or '/', relative to the working folder or the program), runs it with
// the page as data node and params as passed parameters, and returns the report text with the template's
// band width. Output left over from a run that failed earlier is dropped first. Errors propagate.
TGenerated Generate(TKelReportGenerator& generator, const QString& templatePath, TKelPigger& page, TKelPigger& params);

// The report's margins for the page on a report whose paper and orientation are set: the top margin, the left
// offset of the side rule, nothing on the right and at the bottom.
void Place(TKelReport& report, const TSheetPlacement& placement, int bandWidth);

} // namespace PageReport
} // namespace quillo

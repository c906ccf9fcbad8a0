#include "printing/PageReport.h"

#include "notebook/ProgramPaths.h"
#include "report/TKelReport.h"
#include "reportgen/TKelReportGenerator.h"
#include "tree/EKelPiggerError.h"

namespace quillo::PageReport {

TGenerated Generate(TKelReportGenerator& generator, const QString& templatePath, TKelPigger& page, TKelPigger& params)
{
    generator.TakeOutput();
    const QString file = ProgramPaths::Resolve(templatePath.trimmed());
    try {
        generator.LoadTemplate(file);
    } catch (const EKelPiggerError& error) {
        // The reader's message alone does not say which file is at fault.
        throw EKelError(QStringLiteral("%1: %2 at byte %3").arg(file, error.Message()).arg(error.Position));
    }
    generator.SetDataNode(&page);
    generator.SetPassedParams(&params);
    TGenerated generated;
    generated.bandWidth = PagePlacement::BandWidth(generator.Template());
    try {
        generator.Execute();
    } catch (...) {
        generator.TakeOutput();
        throw;
    }
    generated.text = generator.TakeOutput();
    return generated;
}

void Place(TKelReport& report, const TSheetPlacement& placement, int bandWidth)
{
    const int paperWidth
        = report.PageOrientation() == TPageSettings::Landscape ? report.PageSizeHi() : report.PageSizeLo();
    report.SetTopMargin(std::max(0, placement.topMargin));
    report.SetLeftMargin(
        PagePlacement::LeftOffset(placement.side, paperWidth, bandWidth, placement.leftMargin, placement.rightMargin));
    report.SetRightMargin(0);
    report.SetBottomMargin(0);
}

} // namespace quillo::PageReport

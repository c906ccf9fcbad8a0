#include "ZdkCommands.h"

#include "notebook/NotebookSchema.h"
#include "printing/PagePlacement.h"
#include "printing/PageReport.h"
#include "printing/TPassedParams.h"
#include "report/TKelReport.h"
#include "reportgen/TRepGenPig.h"

#include <cstdio>

namespace quillo::zdktool {

namespace {

const char* const PrintPageUsage = "usage: zdktool print-page FILE.zdk --notebook NAME --page NAME [--side left|right] "
                                   "[--margins L,R,T] [--template T] [--paper WxH] --pdf OUT.pdf";

// The preview window's margins, which a plain report prints with.
constexpr int PreviewMargin = 10;

// The template named on the command line, else the notebook's, else the default.
QString TemplateOf(const QString& option, const TKelPigger& notebook)
{
    if (!option.trimmed().isEmpty())
        return option.trimmed();
    const QString stored = notebook.GetAttr(QStringLiteral("PRINT_TEMPLATE")).trimmed();
    return stored.isEmpty() ? QString(NotebookSchema::DefaultPrintTemplate) : stored;
}

} // namespace

int PrintPage(const QStringList& args)
{
    QString file, notebookName, pageName, side, templateOption, pdfFile;
    PageReport::TSheetPlacement placement;
    QList<int> paper { 210, 297 };
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--notebook")) {
            notebookName = OptionValue(args, i);
        } else if (arg == QLatin1String("--page")) {
            pageName = OptionValue(args, i);
        } else if (arg == QLatin1String("--side")) {
            side = OptionValue(args, i).toUpper();
            if (side != PagePlacement::Left && side != PagePlacement::Right)
                return Fail(QStringLiteral("--side must be left or right"));
        } else if (arg == QLatin1String("--margins")) {
            const QList<int> margins = MarginsOption(args, i);
            placement.leftMargin = margins[0];
            placement.rightMargin = margins[1];
            placement.topMargin = margins[2];
        } else if (arg == QLatin1String("--template")) {
            templateOption = OptionValue(args, i);
        } else if (arg == QLatin1String("--paper")) {
            paper = PaperOption(args, i);
        } else if (arg == QLatin1String("--pdf")) {
            pdfFile = OptionValue(args, i);
        } else if (file.isEmpty() && !arg.startsWith(QLatin1String("--"))) {
            file = arg;
        } else {
            return Fail(QString::fromLatin1(PrintPageUsage));
        }
    }
    if (file.isEmpty() || notebookName.isEmpty() || pageName.isEmpty() || pdfFile.isEmpty())
        return Fail(QString::fromLatin1(PrintPageUsage));

    TKelPigger root;
    if (!LoadNotebooks(file, root))
        return 1;
    TKelPigger* notebook = FindNamed(&root, "NOTEBOOK", notebookName);
    if (!notebook)
        return Fail(QStringLiteral("Notebook '%1' not found").arg(notebookName));
    TKelPigger* page = FindNamed(notebook->FindChild("PAGES"), "PAGE", pageName);
    if (!page)
        return Fail(QStringLiteral("Page '%1' not found in notebook '%2'").arg(pageName, notebookName));

    const QString templatePath = TemplateOf(templateOption, *notebook);
    const bool notebookPage = PagePlacement::IsNotebookPageTemplate(templatePath);
    // The placement dialog starts on a right-hand page; the side dialog proposes one from the page's position.
    placement.side = !side.isEmpty() ? side : notebookPage ? PagePlacement::Right : PagePlacement::ProposedSide(*page);

    TPassedParams params;
    params.SetPageParams(placement.side, notebook);
    TRepGenPig generator;
    const PageReport::TGenerated generated = PageReport::Generate(generator, templatePath, *page, params.Node());

    TKelReport report;
    report.SetPageSizeLo(std::min(paper[0], paper[1]));
    report.SetPageSizeHi(std::max(paper[0], paper[1]));
    report.SetPageOrientation(paper[0] > paper[1] ? TPageSettings::Landscape : TPageSettings::Portrait);
    if (notebookPage) {
        const QString warning = PagePlacement::FitWarning(
            placement.side, paper[0], generated.bandWidth, placement.leftMargin, placement.rightMargin);
        if (!warning.isEmpty())
            std::fprintf(stderr, "warning: %s\n",
                QString(warning).replace(QLatin1Char('\n'), QLatin1Char(' ')).toUtf8().constData());
        PageReport::Place(report, placement, generated.bandWidth);
    } else {
        report.SetLeftMargin(PreviewMargin);
        report.SetRightMargin(PreviewMargin);
        report.SetTopMargin(PreviewMargin);
        report.SetBottomMargin(PreviewMargin);
    }
    report.LoadFromString(generated.text);
    if (!WriteReportPdf(report, pdfFile))
        return 1;
    WriteOut(QStringLiteral("side: %1\nleft: %2\n").arg(placement.side).arg(report.LeftMargin()).toUtf8());
    return 0;
}

} // namespace quillo::zdktool

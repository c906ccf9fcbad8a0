#include "printing/widgets/TPagePrinter.h"

#include "notebook/IPrompts.h"
#include "notebook/NotebookSchema.h"
#include "notebook/ProgramPaths.h"
#include "notebook/TUserSettings.h"
#include "printing/PagePlacement.h"
#include "printing/PageReport.h"
#include "printing/widgets/TD_side_select.h"
#include "printing/widgets/TFmain_page.h"
#include "printing/widgets/TFprintpage.h"
#include "report/widgets/TFormPreview.h"
#include "reportgen/ETemplateError.h"
#include "reportgen/TRGPigger.h"
#include "reportgen/TRepGenPig.h"
#include "tree/EKelError.h"

namespace quillo {

namespace {

// The template's band width for the placement picture and its warning; the default when the template
// cannot be read (generating it then says why).
int TemplateBandWidth(const QString& templatePath)
{
    try {
        TRGPigger root;
        root.LoadFromFile(ProgramPaths::Resolve(templatePath.trimmed()));
        return PagePlacement::BandWidth(root);
    } catch (const EKelError&) {
        return PagePlacement::DefaultBandWidth;
    }
}

} // namespace

TPagePrinter::TPagePrinter(TUserSettings& settings, IPrompts& prompts, TD_side_select& sideSelect,
    TFmain_page& placement, TFprintpage& printWindow, TFormPreview& preview, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_prompts(prompts)
    , m_sideSelect(sideSelect)
    , m_placement(placement)
    , m_printWindow(printWindow)
    , m_preview(preview)
{
}

void TPagePrinter::PrintNotebookPage(const QString& templatePath, TKelPigger* page)
{
    if (!page || templatePath.trimmed().isEmpty())
        return;
    if (PagePlacement::IsNotebookPageTemplate(templatePath))
        PrintNotebookPagePath(templatePath, *page);
    else
        PrintReportPath(templatePath, *page);
}

void TPagePrinter::PrintNotebookPagePath(const QString& templatePath, TKelPigger& page)
{
    m_params.Clear();
    PageReport::TSheetPlacement placement;
    placement.leftMargin = m_settings.PrinterMargin(TUserSettings::Margin::Left);
    placement.rightMargin = m_settings.PrinterMargin(TUserSettings::Margin::Right);
    placement.topMargin = m_settings.PrinterMargin(TUserSettings::Margin::Top);
    const QSize paper = m_printWindow.PaperSize();
    m_placement.SetSheet(paper.width(), paper.height(), TemplateBandWidth(templatePath));
    const auto pageSize
        = [&page] { return page.GetAttr(QStringLiteral("WIDTH")) + u'x' + page.GetAttr(QStringLiteral("HEIGHT")); };
    const QString sizeBefore = pageSize();
    if (!m_placement.PlacePage(&page, placement.leftMargin, placement.topMargin, placement.rightMargin))
        return;
    if (pageSize() != sizeBefore)
        emit PageChanged();
    m_settings.SetPrinterMargin(TUserSettings::Margin::Left, placement.leftMargin);
    m_settings.SetPrinterMargin(TUserSettings::Margin::Right, placement.rightMargin);
    m_settings.SetPrinterMargin(TUserSettings::Margin::Top, placement.topMargin);
    placement.side = m_placement.Side();
    m_params.SetPageParams(placement.side, NotebookSchema::NotebookOf(&page));
    if (!m_printWindow.RunPrintWindow(&page, &m_params.Node(), templatePath, placement))
        Failed(m_printWindow.ErrorMessage());
}

void TPagePrinter::PrintReportPath(const QString& templatePath, TKelPigger& page)
{
    m_params.Clear();
    const QString side = m_sideSelect.ChoosePageSide(PagePlacement::ProposedSide(page));
    if (side.isEmpty())
        return;
    m_params.SetPageParams(side, NotebookSchema::NotebookOf(&page));
    QByteArray text;
    try {
        TRepGenPig generator;
        text = PageReport::Generate(generator, templatePath, page, m_params.Node()).text;
    } catch (const EKelError& error) {
        Failed(WindowMessage(error));
        return;
    }
    m_preview.ShowDocument(text, false);
}

void TPagePrinter::Failed(const QString& message)
{
    m_prompts.ShowMessage(message);
    emit TemplateFailed();
}

} // namespace quillo

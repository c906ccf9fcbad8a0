#pragma once

#include "notebook/TUserSettings.h"
#include "printing/widgets/TD_side_select.h"
#include "printing/widgets/TFmain_page.h"
#include "printing/widgets/TFprintpage.h"
#include "printing/widgets/TPagePrinter.h"
#include "report/widgets/TFormPreview.h"
#include "report/widgets/TForm_PageSetup.h"
#include "testutil/PdfReportPrinter.h"
#include "testutil/ScriptedPrompts.h"
#include "testutil/TempFolder.h"
#include "testutil/TreeTesting.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace quillo::testutil {

// Runs step once widget shows (a modal dialog opened by the code under test); fails the test when it
// does not show within five seconds.
inline void WhenShown(QWidget* widget, std::function<void()> step, int triesLeft = 500)
{
    QTimer::singleShot(10, widget, [=] {
        if (widget->isVisible())
            step();
        else if (triesLeft > 0)
            WhenShown(widget, step, triesLeft - 1);
        else
            ADD_FAILURE() << widget->objectName().toStdString() << " was not shown";
    });
}

// A notebook of two pages with records, the three printing windows and the preview window on scripted
// prompts and a PDF printer, and the printer that drives them; settings start empty.
class PagePrintingRig {
public:
    explicit PagePrintingRig(bool installed = false, const QPageSize& paper = QPageSize(QPageSize::A4),
        QPageLayout::Orientation orientation = QPageLayout::Portrait)
        : settings(folder.File(QStringLiteral("quillo-zdk.SET")))
        , printer(installed, folder.File(QStringLiteral("printed.pdf")), paper, orientation)
        , preview(settings, prompts, files, printer, pageSetup)
        , placement(prompts)
        , window(settings, prompts, files, printer, desktop)
        , pagePrinter(settings, prompts, sideSelect, placement, window, preview)
        , document(ReadTree(Notebook))
    {
    }

    TKelPigger& Page(int index) { return *document->Child(0)->FindChild("PAGES")->Child(index); }
    // A template file in the test's folder; the probe writes the page name, the side and RPP + 1 into a label
    // at the left edge of a 95 mm page.
    QString Template(const QString& name, const QByteArray& text = Probe) { return folder.Write(name, text); }
    QString Param(const QString& name)
    {
        const TKelPigger* param = pagePrinter.PassedParams().Node().FindChildByAttr(QStringLiteral("NAME"), name);
        return param ? param->GetAttr(QStringLiteral("VALUE")) + u' ' + param->GetAttr(QStringLiteral("TYPE"))
                     : QString();
    }

    static inline const QByteArray Notebook
        = "<NOTEBOOKS><NOTEBOOK NAME=\"Friends\" RPP=\"12\"><FIELDS><FIELD NAME=\"PERSON\"/><FIELD NAME=\"PHONE\"/>"
          "</FIELDS><PAGES><PAGE NAME=\"A\"><REC PERSON=\"Ann Archer\" PHONE=\"0011\"/><REC PERSON=\"Alan\"/></PAGE>"
          "<PAGE NAME=\"B\"><REC PERSON=\"Bea Brown\"/></PAGE></PAGES></NOTEBOOK></NOTEBOOKS>";
    static inline const QByteArray Probe
        = "<QUILLO_TEMPLATE><REPORT TITLE=\"Probe\"><HEAD><FONT FACE=\"DejaVu Sans\" SIZE=\"10\"/></HEAD><BODY>"
          "<BAND WIDTH=\"95\" ARRANGE=\"VERTICAL\"><LABEL TEXT=\"=GETATTRIB('NAME') + ' ' + "
          "GETPASSEDPARAM('PAGE_TYPE') + ' ' + STRING(GETPASSEDPARAM('RPP') + 1)\"/>"
          "<LABEL TEXT=\"=GETCHILDATTRIB(0, 'PERSON')\"/></BAND></BODY></REPORT></QUILLO_TEMPLATE>";

    TempFolder folder;
    TUserSettings settings;
    ScriptedPrompts prompts;
    ScriptedFileDialogs files;
    ScriptedDesktop desktop;
    PdfReportPrinter printer;
    TForm_PageSetup pageSetup;
    TFormPreview preview;
    TD_side_select sideSelect;
    TFmain_page placement;
    TFprintpage window;
    TPagePrinter pagePrinter;
    std::unique_ptr<TKelPigger> document;
};

class PagePrintingFixture : public ::testing::Test, public PagePrintingRig {
protected:
    using PagePrintingRig::PagePrintingRig;
};

} // namespace quillo::testutil

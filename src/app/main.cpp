#include "exchange/widgets/TD_export_contacts.h"
#include "exchange/widgets/TD_import_contacts.h"
#include "notebook/TDiskFileOps.h"
#include "notebook/widgets/TD_field_props.h"
#include "notebook/widgets/TDmsg.h"
#include "notebook/widgets/TFsure.h"
#include "notebook/widgets/TFsure_checked.h"
#include "notebook/widgets/TQtPrompts.h"
#include "printing/widgets/TD_print_notebook.h"
#include "printing/widgets/TD_side_select.h"
#include "printing/widgets/TFmain_page.h"
#include "printing/widgets/TFprintpage.h"
#include "printing/widgets/TO_prn_page.h"
#include "printing/widgets/TPagePrinter.h"
#include "records/widgets/TD_reminder_settings.h"
#include "records/widgets/TD_search.h"
#include "records/widgets/TF_remind.h"
#include "records/widgets/TFedit_record.h"
#include "records/widgets/TQtDatePicker.h"
#include "records/widgets/TQtNotebookWizard.h"
#include "report/TKelCompLibrary.h"
#include "report/widgets/TFormPreview.h"
#include "report/widgets/TForm_PageSetup.h"
#include "report/widgets/TSystemPrinter.h"
#include "ui/LookupWindows.h"
#include "ui/TFmain.h"
#include "ui/TQtDesktop.h"
#include "ui/TQuilloApplication.h"

using namespace quillo;

int main(int argc, char** argv)
{
    TQuilloApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillo-zdk"));
    QGuiApplication::setDesktopFileName(QStringLiteral("quillo-zdk"));
    // A missing compressor is reported when a zipped bitmap is first used.
    TKelCompLibrary::LoadProgramLibrary();

    TFmain window;

    // The shared dialogs, created once for the whole run.
    TFsure sure(&window);
    TDmsg msg(&window);
    TFsure_checked sureChecked(&window);
    TD_search search(window, &window);
    TD_field_props fieldProps(&window);
    TFedit_record recordForm(&window);
    TQtDatePicker datePicker(&window);
    TD_reminder_settings reminderSettings(window, window.Settings(), &window);
    TF_remind remind(window, window.Settings(), &window);

    TQtPrompts prompts(sure, sureChecked, msg, &window);
    TQtFileDialogs fileDialogs(&window);
    TQtDesktop desktop;
    TSystemPrinter printer;
    TForm_PageSetup pageSetup(&window);
    TFormPreview preview(window.Settings(), prompts, fileDialogs, printer, pageSetup);
    TD_side_select sideSelect(&window);
    TFmain_page placement(prompts, &window);
    TFprintpage printWindow(window.Settings(), prompts, fileDialogs, printer, desktop, &window);
    TPagePrinter pagePrinter(window.Settings(), prompts, sideSelect, placement, printWindow, preview);
    QObject::connect(&pagePrinter, &TPagePrinter::PageChanged, &window, [&window] { window.SetChanged(true); });
    QObject::connect(&pagePrinter, &TPagePrinter::TemplateFailed, &window,
        [&window] { window.PrintTemplateFrame().ClearFileBox(); });
    TQtNotebookWizard wizard(prompts, fileDialogs, desktop, &window);
    TDiskFileOps diskFiles;
    TD_import_contacts importContacts(prompts, fileDialogs, &window);
    TD_export_contacts exportContacts(prompts, fileDialogs, diskFiles, &window);
    TMainHooks hooks;
    hooks.notebookWizard = &wizard;
    hooks.importContacts = [&](const TKelPigger& notebook) { return importContacts.Run(notebook); };
    hooks.exportContacts
        = [&](const TKelPigger& notebook, const TKelPigger* page) { exportContacts.Execute(notebook, page); };
    hooks.fieldProps = &fieldProps;
    hooks.recordEditor = &recordForm;
    hooks.datePicker = &datePicker;
    ConnectLookupWindows(window, search, reminderSettings, remind, hooks);
    hooks.printPage = [&pagePrinter](TKelPigger& page, const QString& printTemplate) {
        pagePrinter.PrintNotebookPage(printTemplate, &page);
    };
    TD_print_notebook printNotebook(window.Settings(), prompts, fileDialogs, printer, preview, &window);
    hooks.printNotebook = [&printNotebook](TKelPigger& notebook) {
        QString printTemplate = notebook.GetAttr(QStringLiteral("PRINT_TEMPLATE")).trimmed();
        if (printTemplate.isEmpty())
            printTemplate = QStringLiteral("..\\templates\\contacts-5.zdkt");
        printNotebook.SetNotebook(&notebook, printTemplate);
        printNotebook.exec();
    };
    window.SetHooks(hooks);

    window.showMaximized();
    window.Start(prompts, fileDialogs, desktop);
    remind.ShowIfDue();
    return app.exec();
}

#pragma once

#include "printing/TPassedParams.h"

#include <QObject>

namespace quillo {

class IPrompts;
class TD_side_select;
class TFmain_page;
class TFormPreview;
class TFprintpage;
class TKelPigger;
class TUserSettings;

// Prints a page of the record grid: a notebook page template (*.zdkt) through the placement dialog and the
// print window, any other template as a plain report through the side dialog and the preview window. Owns
// the passed parameters of these runs.
class TPagePrinter : public QObject {
    Q_OBJECT
public:
    TPagePrinter(TUserSettings& settings, IPrompts& prompts, TD_side_select& sideSelect, TFmain_page& placement,
        TFprintpage& printWindow, TFormPreview& preview, QObject* parent = nullptr);

    // Does nothing for a null page or an empty template.
    void PrintNotebookPage(const QString& templatePath, TKelPigger* page);

    TPassedParams& PassedParams() { return m_params; }

signals:
    // The template could not be run; the user was told why. The template frame empties its file box.
    void TemplateFailed();
    // The placement dialog wrote a new page size to the page.
    void PageChanged();

private:
    void PrintNotebookPagePath(const QString& templatePath, TKelPigger& page);
    void PrintReportPath(const QString& templatePath, TKelPigger& page);
    void Failed(const QString& message);

    TUserSettings& m_settings;
    IPrompts& m_prompts;
    TD_side_select& m_sideSelect;
    TFmain_page& m_placement;
    TFprintpage& m_printWindow;
    TFormPreview& m_preview;
    TPassedParams m_params;
};

} // namespace quillo

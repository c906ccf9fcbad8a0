#pragma once

#include "records/widgets/INotebookWizard.h"

class QWidget;

namespace quillo {

class IDesktop;
class IFileDialogs;
class IPrompts;

// Runs a fresh TWizard_new_NB for each new notebook.
class TQtNotebookWizard : public INotebookWizard {
public:
    TQtNotebookWizard(IPrompts& prompts, IFileDialogs& fileDialogs, IDesktop& desktop, QWidget* window = nullptr);

    TKelPigger* Run(TKelPigger& root) override;

private:
    IPrompts& m_prompts;
    IFileDialogs& m_fileDialogs;
    IDesktop& m_desktop;
    QWidget* m_window;
};

} // namespace quillo

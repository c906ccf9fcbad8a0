#include "records/widgets/TQtNotebookWizard.h"

#include "records/widgets/TWizard_new_NB.h"

namespace quillo {

TQtNotebookWizard::TQtNotebookWizard(IPrompts& prompts, IFileDialogs& fileDialogs, IDesktop& desktop, QWidget* window)
    : m_prompts(prompts)
    , m_fileDialogs(fileDialogs)
    , m_desktop(desktop)
    , m_window(window)
{
}

TKelPigger* TQtNotebookWizard::Run(TKelPigger& root)
{
    TWizard_new_NB wizard(m_prompts, m_fileDialogs, m_desktop, m_window);
    return wizard.ExecuteWizard(&root) ? wizard.NewNotebook() : nullptr;
}

} // namespace quillo

#pragma once

#include "records/widgets/INotebookWizard.h"

#include <QString>

#include <deque>
#include <optional>

namespace quillo::testutil {

// The new-notebook wizard with the answers queued by the test: a name makes a notebook of that name with
// the field NAME and the page A; nullopt cancels. A run without a queued answer fails the test and cancels.
class ScriptedNotebookWizard : public INotebookWizard {
public:
    ScriptedNotebookWizard& Answer(std::optional<QString> name);
    int Runs() const { return m_runs; }

    TKelPigger* Run(TKelPigger& root) override;

private:
    std::deque<std::optional<QString>> m_answers;
    int m_runs = 0;
};

} // namespace quillo::testutil

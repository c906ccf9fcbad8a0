#include "testutil/ScriptedNotebookWizard.h"

#include "records/NewNotebookPlan.h"

#include <gtest/gtest.h>

namespace quillo::testutil {

ScriptedNotebookWizard& ScriptedNotebookWizard::Answer(std::optional<QString> name)
{
    m_answers.push_back(std::move(name));
    return *this;
}

TKelPigger* ScriptedNotebookWizard::Run(TKelPigger& root)
{
    ++m_runs;
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected new-notebook wizard";
        return nullptr;
    }
    const std::optional<QString> name = m_answers.front();
    m_answers.pop_front();
    if (!name)
        return nullptr;
    return &TNewNotebookPlan { *name, {}, { QStringLiteral("NAME") }, { QStringLiteral("A") } }.AppendTo(root);
}

} // namespace quillo::testutil

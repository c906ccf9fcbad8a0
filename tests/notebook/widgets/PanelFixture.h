#pragma once

#include "ui/widgets/MainWindowFixture.h"

#include "notebook/NotebookEdits.h"
#include "notebook/widgets/TO_fields.h"
#include "notebook/widgets/TO_notebook.h"
#include "notebook/widgets/TO_pages.h"

#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include <functional>

namespace quillo::test {

// Stands in for the field properties dialog: edits what it is shown, or cancels.
class ScriptedFieldProps : public IFieldPropsEditor {
public:
    std::function<void(TFieldProps&)> edit;
    bool accept = true;
    bool titleEdited = false;
    std::optional<TFieldProps> shown;

    bool Execute(TFieldProps& props, bool& edited) override
    {
        shown = props;
        if (!accept)
            return false;
        if (edit)
            edit(props);
        edited = titleEdited;
        return true;
    }
};

class PanelTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Load();
        TMainHooks hooks = Hooks();
        hooks.fieldProps = &fieldProps;
        window->SetHooks(hooks);
        pages = Find<TO_pages>("O_pages1");
        fields = Find<TO_fields>("O_fields1");
        notebook = Find<TO_notebook>("O_notebook1");
    }

    // Shows the page list of a notebook and clicks the entry with that name.
    void PickPage(const QString& name, int notebookIndex = 0)
    {
        Click(Pages(notebookIndex));
        Pick(pages, name);
    }

    void PickField(const QString& name, int notebookIndex = 0)
    {
        Click(Fields(notebookIndex));
        Pick(fields, name);
    }

    static void Pick(TO_list* list, const QString& name) { testutil::ClickRow(list->LB1, name); }

    static QStringList Entries(TO_list* list)
    {
        QStringList entries;
        for (int i = 0; i < list->LB1->count(); ++i)
            entries.append(list->LB1->item(i)->text());
        return entries;
    }

    static QStringList Names(TKelPigger& list) { return NotebookEdits::ChildNames(list); }

    using MainWindowTest::Click;
    static void Click(QAbstractButton* button) { testutil::ClickButton(button); }

    ScriptedFieldProps fieldProps;
    TO_pages* pages = nullptr;
    TO_fields* fields = nullptr;
    TO_notebook* notebook = nullptr;
};

} // namespace quillo::test

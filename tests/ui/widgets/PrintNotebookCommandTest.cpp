// "Print notebook..." from the File menu and the notebook panel reaches the hook with the notebook shown,
// and is there only when the notebook is.
#include "ui/widgets/MainWindowFixture.h"

#include <QPushButton>

namespace quillo::test {
namespace {

TEST_F(MainWindowTest, PrintNotebookFromTheFileMenuAndTheNotebookPanel)
{
    QStringList printed;
    TMainHooks hooks;
    hooks.printNotebook = [&](TKelPigger& notebook) { printed.append(notebook.GetAttr("NAME")); };
    window->SetHooks(hooks);
    Load();
    QAction* entry = window->findChild<QAction*>("N_Printnotebook");
    ASSERT_TRUE(entry);
    EXPECT_FALSE(entry->isEnabled());

    Click(Notebook(0));
    ASSERT_TRUE(entry->isEnabled());
    testutil::ChooseFromMenuBar(window.get(), entry);
    testutil::ClickButton(window->findChild<QPushButton*>("Btn_print_notebook"));
    const QString name = Notebook(0).GetAttr("NAME");
    EXPECT_EQ(printed, QStringList({ name, name }));
}

} // namespace
} // namespace quillo::test

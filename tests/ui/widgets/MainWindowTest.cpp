#include "ui/widgets/MainWindowFixture.h"

#include "notebook/widgets/TO_notebook.h"
#include "printing/widgets/TO_prn_page.h"
#include "records/widgets/TO_notepad.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace quillo::test {
namespace {

QAction* ActionOf(TFmain& window, const char* name)
{
    auto* action = window.findChild<QAction*>(QLatin1String(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
}

TEST_F(MainWindowTest, HasItsPartsUnderTheirNames)
{
    EXPECT_EQ(window->windowTitle(), "Quillo-ZDK");
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
    for (const char* name : { "ToolBar1", "Guider", "PageControl1", "StatusBar1", "TabSheet_notebook",
             "TabSheet_fields", "TabSheet_pages", "TabSheet_data", "O_notebook1", "O_fields1", "O_pages1",
             "O_prn_page1", "O_notepad1", "Label_nb_name", "TV1" })
        EXPECT_NE(window->findChild<QWidget*>(QLatin1String(name)), nullptr) << name;

    const std::pair<const char*, const char*> hints[] = {
        { "TB_new", "New notebook file" },
        { "TB_open", "Open notebook file" },
        { "TB_save", "Save" },
        { "TB_search", "Search" },
        { "TB_remind", "Search for people whos birthday is soon" },
        { "TB_guider", "Guider visible" },
    };
    for (const auto& [name, hint] : hints)
        EXPECT_EQ(Find<QToolButton>(name)->toolTip(), hint) << name;
    auto* toolBar = Find<QToolBar>("ToolBar1");
    EXPECT_FALSE(toolBar->widgetForAction(ActionOf(*window, "TB_remind"))->isVisibleTo(window.get()));
    EXPECT_FALSE(toolBar->widgetForAction(ActionOf(*window, "TB_settings"))->isVisibleTo(window.get()));
    EXPECT_TRUE(Find<QToolButton>("TB_guider")->isChecked());
}

TEST_F(MainWindowTest, SelectionShowsTheSheetOfTheNode)
{
    Load();
    struct Case {
        const char* what;
        TKelPigger* node;
        const char* sheet;
        TKelPigger* notebook;
    };
    const Case cases[] = {
        { "NOTEBOOKS", &Doc(), "TabSheet_notebook", nullptr },
        { "NOTEBOOK", &Notebook(1), "TabSheet_notebook", &Notebook(1) },
        { "FIELDS", &Fields(0), "TabSheet_fields", &Notebook(0) },
        { "FIELD", Fields(1).Child(1), "TabSheet_fields", &Notebook(1) },
        { "PAGES", &Pages(0), "TabSheet_pages", &Notebook(0) },
        { "PAGE", Pages(0).Child(1), "TabSheet_data", &Notebook(0) },
        { "nothing", nullptr, "TabSheet_notebook", nullptr },
    };
    for (const Case& c : cases) {
        window->Guider().Select(c.node);
        EXPECT_EQ(ShownSheet(), c.sheet) << c.what;
        EXPECT_EQ(window->CurrentNotebook(), c.notebook) << c.what;
        EXPECT_EQ(Find<TO_notebook>("O_notebook1")->Notebook(), c.notebook) << c.what;
        EXPECT_EQ(Find<TO_notepad>("O_notepad1")->Notebook(), c.notebook) << c.what;
    }
    Select(Pages(1));
    EXPECT_EQ(Find<QLabel>("Label_nb_name")->text(), "Settings of the pages of the \"Work\" notebook");
    EXPECT_EQ(Find<TO_prn_page>("O_prn_page1")->Notebook(), &Notebook(1));
    EXPECT_EQ(window->CurrentPages(), &Pages(1));
    EXPECT_EQ(window->CurrentFields(), &Fields(1));
}

TEST_F(MainWindowTest, SelectingAPageOpensItInTheRecordGrid)
{
    Load();
    auto* grid = Find<TO_notepad>("O_notepad1");
    Select(*Pages(0).Child(1));
    EXPECT_TRUE(grid->IsActive());
    EXPECT_EQ(grid->CurrentPageName(), "B");
    Select(*Pages(1).Child(0));
    EXPECT_EQ(grid->Notebook(), &Notebook(1));
    EXPECT_TRUE(grid->RightTabs());
    EXPECT_EQ(grid->CurrentPageName(), "X");
}

TEST_F(MainWindowTest, CommandsFollowChangedAndSelection)
{
    Load();
    auto* save = ActionOf(*window, "N_Save");
    auto* fieldList = ActionOf(*window, "N_Editfields");
    auto* pageList = ActionOf(*window, "N_Editpages");
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(Find<QToolButton>("TB_save")->isEnabled());
    window->SetChanged(true);
    EXPECT_TRUE(save->isEnabled());
    EXPECT_TRUE(Find<QToolButton>("TB_save")->isEnabled());
    EXPECT_EQ(Find<QLabel>("StatusPanel1")->text(), "Changed");
    window->SetChanged(false);
    EXPECT_FALSE(save->isEnabled());
    EXPECT_EQ(Find<QLabel>("StatusPanel1")->text(), "");

    EXPECT_TRUE(ActionOf(*window, "N_Newnotebook")->isEnabled());
    window->Guider().Select(nullptr);
    EXPECT_FALSE(fieldList->isEnabled());
    Select(Doc());
    EXPECT_FALSE(fieldList->isEnabled());
    EXPECT_FALSE(pageList->isEnabled());
    Select(*Pages(0).Child(0));
    EXPECT_TRUE(fieldList->isEnabled());
    EXPECT_TRUE(pageList->isEnabled());

    window->Session().NewDocument();
    EXPECT_FALSE(ActionOf(*window, "N_Newnotebook")->isEnabled());
}

TEST_F(MainWindowTest, FieldAndPageListCommandsSelectTheSetsOfTheCurrentNotebook)
{
    Load();
    Select(*Pages(1).Child(0));
    ActionOf(*window, "N_Editfields")->trigger();
    EXPECT_EQ(window->Guider().SelectedNode(), &Fields(1));
    EXPECT_EQ(ShownSheet(), "TabSheet_fields");
    ActionOf(*window, "N_Editpages")->trigger();
    EXPECT_EQ(window->Guider().SelectedNode(), &Pages(1));
    EXPECT_EQ(ShownSheet(), "TabSheet_pages");
}

TEST_F(MainWindowTest, GuiderButtonHidesAndShowsTheGuider)
{
    Load();
    window->show();
    auto* guider = Find<QWidget>("Guider");
    ActionOf(*window, "TB_guider")->trigger();
    EXPECT_FALSE(guider->isVisible());
    ActionOf(*window, "TB_guider")->trigger();
    EXPECT_TRUE(guider->isVisible());
    EXPECT_EQ(Find<QSplitter>("Splitter1")->sizes().value(0), 190);
}

TEST_F(MainWindowTest, SearchCommandsPassRootSelectionAndScope)
{
    Load();
    for (const char* name : { "N_search_global", "N_search_down", "TB_search", "N_Searchdown", "N_Globalsearch" })
        EXPECT_FALSE(ActionOf(*window, name)->isEnabled()) << name << " without a search dialog";

    struct Call {
        TKelPigger* root;
        TKelPigger* current;
        std::optional<bool> global;
    };
    std::vector<Call> calls;
    TMainHooks hooks;
    hooks.search = [&](TKelPigger* root, TKelPigger* current, std::optional<bool> global) {
        calls.push_back({ root, current, global });
    };
    window->SetHooks(hooks);
    Select(Pages(0));
    const std::pair<const char*, std::optional<bool>> cases[] = {
        { "N_search_global", true },
        { "N_search_down", false },
        { "TB_search", std::nullopt },
        { "N_Searchdown", false },
        { "N_Globalsearch", true },
    };
    for (const auto& [name, global] : cases) {
        ActionOf(*window, name)->trigger();
        ASSERT_FALSE(calls.empty()) << name;
        EXPECT_EQ(calls.back().root, &Doc()) << name;
        EXPECT_EQ(calls.back().current, &Pages(0)) << name;
        EXPECT_EQ(calls.back().global, global) << name;
    }
    EXPECT_EQ(calls.size(), 5u);
}

TEST_F(MainWindowTest, DocumentationOpensTheGuideBesideTheProgram)
{
    ActionOf(*window, "N_Documentation")->trigger();
    ASSERT_EQ(desktop.Opened().size(), 1);
    EXPECT_TRUE(desktop.Opened()[0].startsWith("file:///")) << desktop.Opened()[0].toStdString();
    EXPECT_TRUE(desktop.Opened()[0].endsWith("/docs/index.html")) << desktop.Opened()[0].toStdString();
}

TEST_F(MainWindowTest, WalkDocumentLetsEventsRunButNotAClose)
{
    Load();
    int visited = 0;
    int delivered = 0;
    bool closed = true;
    QMetaObject::invokeMethod(
        window.get(), [&] { ++delivered; }, Qt::QueuedConnection);
    window->WalkDocument(Pages(0), [&](TKelPigger&) {
        if (++visited > 1)
            return;
        QCloseEvent close;
        QCoreApplication::sendEvent(window.get(), &close);
        closed = close.isAccepted();
    });
    EXPECT_EQ(visited, 7);
    EXPECT_EQ(delivered, 1);
    EXPECT_FALSE(closed) << "closing would free what the walk visits";
}

TEST_F(MainWindowTest, NewNotebookWithoutWizardAddsAStarterNotebook)
{
    window->Session().NewDocument();
    prompts.AnswerInput(QString("Family"));
    window->NewNotebook();
    EXPECT_EQ(prompts.Log(), QStringList({ "InputQuery: New notebook | New notebook name: | NOTEBOOK" }));
    ASSERT_EQ(Doc().ChildCount(), 1);
    TKelPigger& family = Notebook(0);
    EXPECT_EQ(family.GetAttr("NAME"), "Family");
    EXPECT_EQ(window->Guider().SelectedNode(), &family);
    EXPECT_EQ(ItemCaptions(Doc()), QStringList({ "NOTEBOOK:Family" }));
    EXPECT_TRUE(window->Changed());

    prompts.AnswerInput(std::nullopt);
    window->NewNotebook();
    EXPECT_EQ(Doc().ChildCount(), 1);

    bool wizardRan = false;
    TMainHooks hooks;
    hooks.newNotebookWizard = [&](TKelPigger& root) { wizardRan = &root == &Doc(); };
    window->SetHooks(hooks);
    Select(Notebook(0));
    Find<TO_notebook>("O_notebook1")->Btn_new_notebook->click();
    EXPECT_TRUE(wizardRan);
}

} // namespace
} // namespace quillo::test

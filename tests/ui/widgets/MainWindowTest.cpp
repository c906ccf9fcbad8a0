#include "ui/widgets/MainWindowFixture.h"

#include "notebook/widgets/TO_fields.h"
#include "notebook/widgets/TO_notebook.h"
#include "notebook/widgets/TO_pages.h"
#include "printing/widgets/TKelFileEdit.h"
#include "printing/widgets/TO_prn_page.h"
#include "records/widgets/TO_notepad.h"
#include "report/widgets/TFrame_Preview.h"
#include "ui/TF_about.h"

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QWindow>

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

// A mouse press makes an item current before it selects it, the keyboard selects first: the mouse, the
// arrow keys and a command must all show the same panel for the node they reach.
TEST_F(MainWindowTest, EveryRoadToANodeShowsItsPanel)
{
    Load();
    Tree()->expandAll();
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
    };
    enum class Road { Mouse, Keyboard, Command };
    for (const Road road : { Road::Mouse, Road::Keyboard, Road::Command }) {
        for (const Case& c : cases) {
            const char* const roads[] = { "mouse", "keys", "command" };
            const std::string what = c.what + std::string(" by ") + roads[int(road)];
            // Start on the neighbour, so that reaching the node is a change of selection.
            QTreeWidgetItem* item = window->Guider().ItemOf(c.node);
            QTreeWidgetItem* above = Tree()->itemAbove(item);
            Select(*TOPigSructEd::NodeOf(above ? above : Tree()->itemBelow(item)));
            switch (road) {
            case Road::Mouse:
                Click(*c.node);
                break;
            case Road::Keyboard:
                Tree()->setFocus();
                Key(above ? Qt::Key_Down : Qt::Key_Up);
                break;
            case Road::Command:
                window->Guider().Select(c.node);
                break;
            }
            EXPECT_EQ(window->Guider().SelectedNode(), c.node) << what;
            EXPECT_EQ(ShownSheet(), c.sheet) << what;
            EXPECT_EQ(window->CurrentNotebook(), c.notebook) << what;
            EXPECT_EQ(Find<TO_notebook>("O_notebook1")->Notebook(), c.notebook) << what;
            EXPECT_EQ(Find<TO_notepad>("O_notepad1")->Notebook(), c.notebook) << what;
            // One field chosen in the guider is the one chosen in the field list.
            if (c.node->Tag() == "FIELD") {
                EXPECT_EQ(Find<TO_fields>("O_fields1")->SelectedNode(), c.node) << what;
            }
        }
    }
    // A command may clear the selection; the panels then show nothing of any notebook.
    window->Guider().Select(nullptr);
    EXPECT_EQ(ShownSheet(), "TabSheet_notebook");
    EXPECT_EQ(window->CurrentNotebook(), nullptr);

    Click(Pages(1));
    EXPECT_EQ(Find<QLabel>("Label_nb_name")->text(), "Settings of the pages of the \"Work\" notebook");
    EXPECT_EQ(Find<TO_prn_page>("O_prn_page1")->Notebook(), &Notebook(1));
    EXPECT_EQ(window->CurrentPages(), &Pages(1));
    EXPECT_EQ(window->CurrentFields(), &Fields(1));
}

TEST_F(MainWindowTest, ClicksThatReachNoOtherNodeKeepThePanel)
{
    Load();
    Click(Pages(0));
    // Ctrl+click would take the selection away from the item; a click beside the items would clear it.
    testutil::ClickItem(Tree(), window->Guider().ItemOf(&Pages(0)), Qt::ControlModifier);
    EXPECT_EQ(window->Guider().SelectedNode(), &Pages(0));
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, Tree()->viewport()->height() - 5));
    EXPECT_EQ(window->Guider().SelectedNode(), &Pages(0));
    EXPECT_EQ(ShownSheet(), "TabSheet_pages");
    EXPECT_EQ(window->CurrentNotebook(), &Notebook(0));
}

TEST_F(MainWindowTest, ClickingAPageOpensItInTheRecordGrid)
{
    Load();
    auto* grid = Find<TO_notepad>("O_notepad1");
    Click(*Pages(0).Child(1));
    EXPECT_TRUE(grid->IsActive());
    EXPECT_EQ(grid->CurrentPageName(), "B");
    EXPECT_TRUE(grid->Grid1->isVisible());
    EXPECT_EQ(grid->Grid1->model()->index(0, 0).data().toString(), "Bob");
    Click(*Pages(1).Child(0));
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
    Click(Doc());
    EXPECT_FALSE(fieldList->isEnabled());
    EXPECT_FALSE(pageList->isEnabled());
    Click(*Pages(0).Child(0));
    EXPECT_TRUE(fieldList->isEnabled());
    EXPECT_TRUE(pageList->isEnabled());

    window->Session().NewDocument();
    EXPECT_FALSE(ActionOf(*window, "N_Newnotebook")->isEnabled());
}

TEST_F(MainWindowTest, FieldAndPageListCommandsSelectTheSetsOfTheCurrentNotebook)
{
    Load();
    Click(*Pages(1).Child(0));
    RightClick(*Pages(1).Child(0));
    testutil::ChooseFromPopup(ActionOf(*window, "N_Editfields"));
    EXPECT_EQ(window->Guider().SelectedNode(), &Fields(1));
    EXPECT_EQ(ShownSheet(), "TabSheet_fields");
    RightClick(Fields(1));
    testutil::ChooseFromPopup(ActionOf(*window, "N_Editpages"));
    EXPECT_EQ(window->Guider().SelectedNode(), &Pages(1));
    EXPECT_EQ(ShownSheet(), "TabSheet_pages");
}

TEST_F(MainWindowTest, GuiderButtonHidesAndShowsTheGuider)
{
    Load();
    auto* guider = Find<QWidget>("Guider");
    auto* splitter = Find<QSplitter>("Splitter1");
    const int width = splitter->sizes().value(0);
    testutil::ClickButton(Find<QToolButton>("TB_guider"));
    EXPECT_FALSE(guider->isVisible());
    testutil::ClickButton(Find<QToolButton>("TB_guider"));
    EXPECT_TRUE(guider->isVisible());
    EXPECT_EQ(splitter->sizes().value(0), width);
}

TEST_F(MainWindowTest, TheGuiderStartsWideEnoughAndKeepsTheWidthTheUserGivesIt)
{
    Load(R"(<NOTEBOOKS><NOTEBOOK NAME="Family"><FIELDS><FIELD NAME="F"/></FIELDS><PAGES><PAGE NAME="P"/></PAGES>
        </NOTEBOOK></NOTEBOOKS>)");
    const QAbstractItemView* view = Tree();
    EXPECT_LE(view->sizeHintForColumn(0), view->viewport()->width()) << "NOTEBOOK:Family is cut off";

    // The user drags the splitter handle to the right.
    auto* splitter = Find<QSplitter>("Splitter1");
    const int before = splitter->sizes().value(0);
    // Through the window system's input, as a drag arrives from the display.
    QWindow* display = window->windowHandle();
    const QPoint grip = splitter->handle(1)->mapTo(window.get(), splitter->handle(1)->rect().center());
    QTest::mousePress(display, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(display, grip + QPoint(30, 0));
    QTest::mouseMove(display, grip + QPoint(60, 0));
    QTest::mouseRelease(display, Qt::LeftButton, Qt::NoModifier, grip + QPoint(60, 0));
    const int dragged = splitter->sizes().value(0);
    EXPECT_EQ(dragged, before + 60);

    StartWindow();
    EXPECT_EQ(Find<QSplitter>("Splitter1")->sizes().value(0), dragged);
}

TEST_F(MainWindowTest, AtItsMinimumSizeNoPanelClipsAControl)
{
    Load();
    EXPECT_GE(window->minimumWidth(), 640);
    EXPECT_GE(window->minimumHeight(), 400);
    window->showNormal();
    window->resize(window->minimumSize());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    for (TKelPigger* node : { &Notebook(0), &Fields(0), &Pages(0) }) {
        Click(*node);
        QWidget* sheet = window->findChild<QStackedWidget*>("PageControl1")->currentWidget();
        for (QWidget* control : sheet->findChildren<QWidget*>()) {
            // Parts of a control (the editor inside a spin box) are its own business.
            if (control->objectName().startsWith("qt_"))
                continue;
            if (!control->isVisible()
                || !(qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control)
                    || qobject_cast<QAbstractSpinBox*>(control) || qobject_cast<QLabel*>(control)))
                continue;
            const QSize needed = control->minimumSizeHint();
            EXPECT_GE(control->width(), needed.width())
                << sheet->objectName().toStdString() << " " << control->objectName().toStdString();
            EXPECT_GE(control->height(), needed.height())
                << control->objectName().toStdString() << " " << control->metaObject()->className();
        }
    }
}

TEST_F(MainWindowTest, TheTitleNamesTheFileAndMarksUnsavedChanges)
{
    EXPECT_EQ(window->windowTitle(), "Quillo-ZDK[*]");
    EXPECT_FALSE(window->isWindowModified());
    Load();
    EXPECT_EQ(window->windowTitle(), "Quillo-ZDK - sample.zdk[*]");
    EXPECT_EQ(window->windowFilePath(), folder.File("sample.zdk"));
    EXPECT_FALSE(window->isWindowModified());

    // A change the user makes: moving a page down with the mouse.
    Click(Pages(0));
    auto* pages = Find<TO_pages>("O_pages1");
    testutil::ClickRow(pages->LB1, "A");
    testutil::ClickButton(pages->SB_move_dn);
    EXPECT_TRUE(window->isWindowModified());
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(MainWindowTest, AddingANotebookPageOrFieldKeepsWhatTheUserOpenedAndClosed)
{
    Load();
    QTreeWidgetItem* friendsFields = window->Guider().ItemOf(&Fields(0));
    QTreeWidgetItem* work = window->Guider().ItemOf(&Notebook(1));
    friendsFields->setExpanded(true);
    work->setExpanded(false);

    Click(Pages(0));
    prompts.AnswerInput(QString("D"));
    testutil::ClickButton(Find<TO_pages>("O_pages1")->Btn_new_page);
    Click(Notebook(0));
    wizard.Answer(QString("Family"));
    testutil::ClickButton(Find<TO_notebook>("O_notebook1")->Btn_new_notebook);

    ASSERT_EQ(Doc().ChildCount(), 3);
    EXPECT_TRUE(window->Guider().ItemOf(&Fields(0))->isExpanded());
    EXPECT_FALSE(window->Guider().ItemOf(&Notebook(1))->isExpanded());
    EXPECT_TRUE(window->Guider().ItemOf(&Notebook(2))->isExpanded()) << "a new notebook shows its field and page sets";
    EXPECT_EQ(ItemCaptions(Pages(0)), QStringList({ "A", "B", "C", "D" }));
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
    TMainHooks hooks = Hooks();
    hooks.search = [&](TKelPigger* root, TKelPigger* current, std::optional<bool> global) {
        calls.push_back({ root, current, global });
    };
    window->SetHooks(hooks);
    Click(Pages(0));
    const std::pair<const char*, std::optional<bool>> cases[] = {
        { "N_search_global", true },
        { "N_search_down", false },
        { "TB_search", std::nullopt },
        { "N_Searchdown", false },
        { "N_Globalsearch", true },
    };
    for (const auto& [name, global] : cases) {
        const std::string entry = name;
        if (entry == "TB_search") {
            testutil::ClickButton(Find<QToolButton>("TB_search"));
        } else if (entry.starts_with("N_search")) {
            testutil::ChooseFromMenuBar(window.get(), ActionOf(*window, name));
        } else {
            RightClick(Pages(0));
            testutil::ChooseFromPopup(ActionOf(*window, name));
        }
        ASSERT_FALSE(calls.empty()) << name;
        EXPECT_EQ(calls.back().root, &Doc()) << name;
        EXPECT_EQ(calls.back().current, &Pages(0)) << name;
        EXPECT_EQ(calls.back().global, global) << name;
    }
    EXPECT_EQ(calls.size(), 5u);
}

TEST_F(MainWindowTest, F1OpensTheGuideOrSaysWhereItIs)
{
    Key(Qt::Key_F1);
    ASSERT_EQ(desktop.Opened().size(), 1);
    EXPECT_TRUE(desktop.Opened()[0].startsWith("file:///")) << desktop.Opened()[0].toStdString();
    EXPECT_TRUE(desktop.Opened()[0].endsWith("/docs/index.html")) << desktop.Opened()[0].toStdString();
    EXPECT_EQ(prompts.Log(), QStringList());

    // No web browser: the user learns where the guide lies.
    desktop.Answer(false);
    Key(Qt::Key_F1);
    const QString path = QUrl(desktop.Opened().value(1)).toLocalFile();
    EXPECT_EQ(LastSaid(),
        "Msg: The user guide could not be shown: no program to open it was found.\nOpen this file in a web browser:\n"
            + path);

    // The same from the link of the about box, clicked with the mouse.
    desktop.Answer(false);
    QTimer::singleShot(0, [] {
        auto* about = qobject_cast<TF_about*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        QLabel* link = about->Label_webpage;
        const int textWidth = link->fontMetrics().horizontalAdvance("User guide");
        QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier,
            QPoint(link->contentsRect().left() + textWidth / 2, link->contentsRect().center().y()));
        about->accept();
    });
    ActionOf(*window, "N_About")->trigger();
    EXPECT_EQ(desktop.Opened().size(), 3);
    EXPECT_EQ(prompts.Log().size(), 2);
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

TEST_F(MainWindowTest, TheWizardsNotebookIsShownSelectedAndChanged)
{
    window->Session().NewDocument();
    auto* newNotebook = Find<TO_notebook>("O_notebook1")->Btn_new_notebook;
    wizard.Answer(QString("Family"));
    testutil::ClickButton(newNotebook);
    ASSERT_EQ(Doc().ChildCount(), 1);
    TKelPigger& family = Notebook(0);
    EXPECT_EQ(window->Guider().SelectedNode(), &family);
    EXPECT_EQ(window->CurrentNotebook(), &family);
    EXPECT_EQ(ItemCaptions(Doc()), QStringList({ "NOTEBOOK:Family" }));
    EXPECT_TRUE(window->Changed());

    window->SetChanged(false);
    wizard.Answer(std::nullopt);
    testutil::ClickButton(newNotebook);
    EXPECT_EQ(Doc().ChildCount(), 1);
    EXPECT_FALSE(window->Changed()) << "a cancelled wizard changes nothing";

    // The guider pop-up shows the field list first and then runs the wizard for the document.
    wizard.Answer(QString("Work"));
    RightClick(family);
    testutil::ChooseFromPopup(ActionOf(*window, "N_Newnotebook"));
    EXPECT_EQ(wizard.Runs(), 3);
    ASSERT_EQ(Doc().ChildCount(), 2);
    EXPECT_EQ(window->Guider().SelectedNode(), &Notebook(1));
}

// The field and page lists add through the window, which keeps the name rule and the guider.
TEST_F(MainWindowTest, AddFieldAndAddPageRefuseTakenNamesAndMirrorTheGuider)
{
    Load();
    Click(Fields(0));
    EXPECT_EQ(window->AddField("phone"), nullptr);
    EXPECT_EQ(LastSaid(), "Msg: Field \"phone\" already exists");
    EXPECT_EQ(window->AddField(""), nullptr);
    EXPECT_EQ(LastSaid(), "Msg: A field must have a name");
    TKelPigger* field = window->AddField("e mail");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->GetAttr("NAME"), "e_mail");
    EXPECT_EQ(ItemCaptions(Fields(0)).constLast(), "e_mail");

    EXPECT_EQ(window->AddPage("a"), nullptr);
    EXPECT_EQ(LastSaid(), "Msg: Page \"a\" already exists");
    TKelPigger* page = window->AddPage("D&E");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetAttr("NAME"), "D_E");
    EXPECT_EQ(ItemCaptions(Pages(0)).constLast(), "D_E");
    EXPECT_EQ(window->Guider().SelectedNode(), &Pages(0)) << "the page list stays in view";
    EXPECT_TRUE(window->Changed());
}

// The notebook's print template on the page settings: the default goes in unmarked, a typed template
// marks the document changed (Exit would drop it otherwise), a checked one also reaches the record grid.
TEST_F(MainWindowTest, CheckTemplateKeepsTheTemplateForTheRecordGrid)
{
    Load();
    Click(Pages(0));
    auto* tabs = Find<QTabWidget>("PageControl_pages");
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, tabs->tabBar()->tabRect(1).center());
    auto* frame = Find<TO_prn_page>("O_prn_page1");
    ASSERT_EQ(&window->PrintTemplateFrame(), frame);
    ASSERT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->SB_show_template->text(), "Check template");
    EXPECT_EQ(Notebook(0).GetAttr("PRINT_TEMPLATE"), "..\\templates\\contacts-5.zdkt");
    EXPECT_FALSE(window->Changed());

    const QString probe = folder.Write("probe.zdkt",
        "<QUILLO_TEMPLATE><REPORT TITLE=\"=GETATTRIB('NAME') + STRING(GETPASSEDPARAM('RPP'))\"><BODY><BAND "
        "WIDTH=\"95\" HEIGHT=\"5\"/></BODY></REPORT></QUILLO_TEMPLATE>");
    QLineEdit* box = frame->KelFileEdit1->Edit;
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, probe);
    EXPECT_TRUE(window->Changed());
    testutil::ClickButton(frame->SB_show_template);
    EXPECT_EQ(prompts.Log(), QStringList());
    EXPECT_EQ(frame->Frame_Preview1->ReportTitle(), "Friends19") << "RPP 20 of the notebook, less one";
    EXPECT_TRUE(window->Changed());
    EXPECT_EQ(Find<TO_notepad>("O_notepad1")->PrintTemplate(), probe);
}

} // namespace
} // namespace quillo::test

#include "ui/widgets/MainWindowFixture.h"

#include "records/widgets/INotepadSeams.h"
#include "records/widgets/TO_notepad.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QTabBar>
#include <QTableView>
#include <QTest>

namespace quillo::test {
namespace {

// The record grid on the main window: the drag of a record onto a page of the guider, the overflow page
// shown in the guider, and the print hook.
class RecordGridTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        TMainHooks hooks = Hooks();
        hooks.recordEditor = &form;
        hooks.printPage = [this](TKelPigger& page, const QString& printTemplate) {
            printed.append(page.GetAttr("NAME") + " " + printTemplate);
        };
        window->SetHooks(hooks);
        Load();
        window->show();
        notepad = Find<TO_notepad>("O_notepad1");
        gridTester = std::make_unique<QAbstractItemModelTester>(
            notepad->Grid1->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        window->Guider().TV1->expandAll();
        CatchDrags(notepad);
    }

    TKelPigger& Page(int index) { return *Pages().Child(index); }

    struct Form : IRecordEditor {
        int shown = 0;
        bool EditRecord(TKelPigger*, TKelPigger*) override { return ++shown, false; }
    } form;
    QStringList printed;
    TO_notepad* notepad = nullptr;
    std::unique_ptr<QAbstractItemModelTester> gridTester;
};

TEST_F(RecordGridTest, DroppingARecordOnAPageMovesIt)
{
    Select(Page(0));
    ASSERT_EQ(notepad->CurrentPageName(), "A");
    EXPECT_TRUE(DragRecord(notepad, 0, Page(0)));
    EXPECT_EQ(Page(0).Child(0)->GetAttr("PERSON"), "Ann");
    EXPECT_FALSE(window->Changed());

    EXPECT_FALSE(DragRecord(notepad, 0, Fields()));
    EXPECT_EQ(Page(0).ChildCount(), 2);

    // B is full at RPP 1; the record still goes to its end.
    Notebook(0).SetAttr("RPP", "1");
    EXPECT_TRUE(DragRecord(notepad, 0, Page(1)));
    EXPECT_EQ(Page(0).ChildCount(), 1);
    ASSERT_EQ(Page(1).ChildCount(), 2);
    EXPECT_EQ(Page(1).Child(1)->GetAttr("PERSON"), "Ann");
    EXPECT_TRUE(window->Changed());
    EXPECT_EQ(notepad->CurrentPageName(), "A");
    EXPECT_EQ(notepad->Grid1->model()->index(0, 0).data().toString(), "Abe");
}

TEST_F(RecordGridTest, OverflowPageAppearsInTheGuiderAfterItsBase)
{
    Notebook(0).SetAttr("RPP", "2");
    Select(Page(0));
    notepad->Grid1->setFocus();
    prompts.Answer(true);
    QTest::keyClick(notepad->Grid1, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(ItemCaptions(Pages()), QStringList({ "A", "A+", "B", "C" }));
    EXPECT_EQ(window->Guider().SelectedNode(), &Page(1));
    EXPECT_EQ(notepad->CurrentPageName(), "A+");
    EXPECT_EQ(Page(1).ChildCount(), 1);
    EXPECT_EQ(form.shown, 1);
    EXPECT_TRUE(window->Changed());
}

TEST_F(RecordGridTest, TurningToATabSelectsItsPageInTheGuider)
{
    Select(Page(0));
    QTabBar* tabs = notepad->TabControl1;
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    EXPECT_EQ(window->Guider().SelectedNode(), &Page(2));
    EXPECT_EQ(notepad->CurrentPageName(), "C");
    EXPECT_EQ(tabs->currentIndex(), 2);
}

TEST_F(RecordGridTest, SavingPostsTheCellBeingEdited)
{
    Select(Page(0));
    QTableView* grid = notepad->Grid1;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(1, 0)).center());
    QTest::keyClick(grid, Qt::Key_Return);
    ASSERT_TRUE(notepad->IsEditing());
    EXPECT_TRUE(Find<QAction>("N_Save")->isEnabled());
    QTest::keyClicks(notepad->InplaceEditor, "l");
    QTest::keyClick(notepad->InplaceEditor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(notepad->IsEditing());
    EXPECT_FALSE(window->Changed());
    EXPECT_TRUE(testutil::TempFolder::Read(window->FileName()).contains("PERSON=\"Abel\""));
}

TEST_F(RecordGridTest, PrintHandsThePageAndTemplateToTheHook)
{
    Notebook(0).SetAttr("PRINT_TEMPLATE", "list.zdkt");
    window->StructureChanged();
    Select(Page(1));
    QTest::mouseClick(Find<QWidget>("SB_print"), Qt::LeftButton);
    EXPECT_EQ(printed, QStringList({ "B list.zdkt" }));
}

} // namespace
} // namespace quillo::test

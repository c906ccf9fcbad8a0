#include "testutil/TreeTesting.h"
#include "ui/widgets/MainWindowFixture.h"

#include "notebook/TEditHistory.h"
#include "notebook/widgets/TO_fields.h"
#include "notebook/widgets/TO_notebook.h"
#include "notebook/widgets/TO_pages.h"
#include "records/widgets/INotepadSeams.h"
#include "records/widgets/TO_notepad.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <random>

namespace quillo::test {
namespace {

// Random edits made with the keys and clicks of a user, Ctrl+Z and Ctrl+Y mixed in; then every step undone
// and redone with the keys. Each state the document was in comes back byte for byte.
class UndoRandomTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        TMainHooks hooks = Hooks();
        hooks.recordEditor = &form;
        window->SetHooks(hooks);
        Load();
        notepad = Find<TO_notepad>("O_notepad1");
        window->Guider().TV1->expandAll();
        // Showing the page list stores the default print template in the notebook, as no edit of the user's.
        Click(Pages());
        // Every step stays, so that all of them can be undone.
        History().SetLimits(100000, TEditHistory::MaxHeldBytes);
    }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }
    QByteArray Saved() { return Doc().SaveToText(); }
    TEditHistory& History() { return window->Session().History(); }
    TKelPigger& AnyPage() { return *Pages().Child(Pick(Pages().ChildCount())); }
    QString Name() { return QStringLiteral("N%1").arg(++names); }

    void ClickCell(int row, int column)
    {
        QTableView* grid = notepad->Grid1;
        QTest::mouseClick(
            grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row, column)).center());
    }

    // A page of the first notebook shown in the grid, with a record current when it has any; false without one.
    bool OnRecord()
    {
        Click(AnyPage());
        const int rows = notepad->Grid1->model()->rowCount();
        if (rows == 0 || notepad->Grid1->model()->columnCount() == 0)
            return false;
        ClickCell(Pick(rows), Pick(notepad->Grid1->model()->columnCount()));
        // A click soon after one on the same cell is a double click, which starts an edit: Esc ends it.
        if (notepad->IsEditing())
            Key(Qt::Key_Escape);
        return notepad->CurRecord() != nullptr;
    }

    QListWidget* ListOf(TKelPigger& list, const char* panel)
    {
        Click(list);
        return window->findChild<TO_list*>(QLatin1String(panel))->LB1;
    }

    void RandomEdit()
    {
        switch (Pick(10)) {
        case 0:
        case 1:
            if (OnRecord()) {
                Key(Qt::Key_Return);
                QTest::keyClicks(notepad->InplaceEditor, Name());
                Key(Qt::Key_Return);
            }
            break;
        case 2:
            if (OnRecord()) {
                prompts.Answer(true);
                QTest::keyClick(notepad->Grid1, Qt::Key_Delete, Qt::ControlModifier);
            }
            break;
        case 3:
            Click(*Pages().Child(0));
            if (notepad->CurrentPage() && notepad->CurrentPage()->ChildCount() >= notepad->RecordsPerPage())
                prompts.Answer(true);
            QTest::keyClick(notepad->Grid1, Qt::Key_Insert, Qt::ControlModifier);
            break;
        case 4:
            if (OnRecord()) {
                auto* move = Find<QToolButton>(Pick(2) ? "SB_record_up" : "SB_record_dn");
                if (move->isEnabled())
                    testutil::ClickButton(move);
            }
            break;
        case 5:
            Click(Pages());
            prompts.AnswerInput(Name());
            testutil::ClickButton(Find<TO_pages>("O_pages1")->Btn_new_page);
            break;
        case 6: {
            QListWidget* list = ListOf(Pages(), "O_pages1");
            testutil::ClickRow(list, Pick(list->count()));
            auto* pages = Find<TO_pages>("O_pages1");
            switch (Pick(3)) {
            case 0:
                if (pages->Btn_change->isEnabled()) {
                    prompts.AnswerInput(Name());
                    testutil::ClickButton(pages->Btn_change);
                }
                break;
            case 1:
                if (pages->Btn_delete_page->isEnabled()) {
                    prompts.Answer(true);
                    testutil::ClickButton(pages->Btn_delete_page);
                }
                break;
            default:
                if (pages->SB_move_up->isEnabled())
                    testutil::ClickButton(pages->SB_move_up);
            }
            break;
        }
        case 7: {
            QListWidget* list = ListOf(Fields(), "O_fields1");
            auto* fields = Find<TO_fields>("O_fields1");
            if (Pick(2) == 0) {
                prompts.AnswerInput(Name());
                testutil::ClickButton(fields->Btn_new_field);
            } else {
                testutil::ClickRow(list, Pick(list->count()));
                if (fields->Btn_delete_field->isEnabled()) {
                    prompts.Answer(true);
                    testutil::ClickButton(fields->Btn_delete_field);
                }
            }
            break;
        }
        default: {
            Click(Notebook(Pick(2)));
            auto* panel = Find<TO_notebook>("O_notebook1");
            QTest::mouseClick(panel->Edit_nb_name, Qt::LeftButton, {}, panel->Edit_nb_name->rect().center());
            QTest::keyClick(panel->Edit_nb_name, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(panel->Edit_nb_name, Name());
            testutil::ClickButton(panel->Btn_apply);
        }
        }
    }

    struct Form : IRecordEditor {
        bool EditRecord(TKelPigger*, TKelPigger* record) override
        {
            record->SetAttr("PERSON", "new");
            return true;
        }
    } form;
    TO_notepad* notepad = nullptr;
    std::mt19937 random { 16 };
    int names = 0;
};

TEST_F(UndoRandomTest, UndoingAllGivesTheOriginalAndRedoingAllTheFinalBytes)
{
    // The states the steps that can be undone and redone lead to, and the one the document is in.
    std::vector<QByteArray> line { Saved() };
    size_t at = 0;
    for (int i = 0; i < 600; ++i) {
        if (Pick(6) == 0) {
            Click(Pages());
            for (int n = Pick(3); n > 0 && History().CanUndo(); --n, --at)
                Key(Qt::Key_Z, Qt::ControlModifier);
            for (int n = Pick(2); n > 0 && History().CanRedo(); --n, ++at)
                Key(Qt::Key_Y, Qt::ControlModifier);
            ASSERT_EQ(Saved(), line[at]) << "edit " << i;
        }
        const int count = History().Count();
        const bool couldRedo = History().CanRedo();
        SCOPED_TRACE(i);
        RandomEdit();
        if (History().Count() == count && History().CanRedo() == couldRedo) {
            ASSERT_EQ(Saved(), line[at])
                << "edit " << i << " made no step: "
                << testutil::TreeDifference(*testutil::ReadTree(Saved()), *testutil::ReadTree(line[at])).toStdString();
            continue;
        }
        ASSERT_FALSE(History().CanRedo());
        line.resize(size_t(History().Count()));
        line.push_back(Saved());
        at = line.size() - 1;
    }
    ASSERT_GT(at, 250u);
    const QByteArray final = Saved();
    Click(Pages());
    for (; History().CanUndo(); --at) {
        Key(Qt::Key_Z, Qt::ControlModifier);
        ASSERT_EQ(Saved(), line[at - 1]) << "undo to " << at - 1;
    }
    EXPECT_FALSE(window->Changed());
    while (History().CanRedo())
        Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Saved(), final);
    EXPECT_TRUE(window->Changed());
}

} // namespace
} // namespace quillo::test

#include "ui/widgets/MainWindowFixture.h"

#include "exchange/ContactImport.h"
#include "notebook/TEditHistory.h"
#include "notebook/widgets/TO_fields.h"
#include "notebook/widgets/TO_notebook.h"
#include "notebook/widgets/TO_pages.h"
#include "printing/widgets/TKelFileEdit.h"
#include "records/widgets/INotepadSeams.h"
#include "records/widgets/TD_reminder_settings.h"
#include "records/widgets/TO_notepad.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <functional>

namespace quillo::test {
namespace {

// Undo and redo in the main window, driven by the keys and clicks of a user.
class UndoTest : public MainWindowTest {
public:
    using MainWindowTest::Click;
    using MainWindowTest::Doc;
    using MainWindowTest::DragRecord;
    using MainWindowTest::Fields;
    using MainWindowTest::Find;
    using MainWindowTest::ItemCaptions;
    using MainWindowTest::Key;
    using MainWindowTest::Notebook;
    using MainWindowTest::Pages;
    using MainWindowTest::prompts;
    using MainWindowTest::ShownSheet;
    using MainWindowTest::window;
    using MainWindowTest::wizard;

    void SetUp() override
    {
        MainWindowTest::SetUp();
        TMainHooks hooks = Hooks();
        hooks.recordEditor = &form;
        hooks.fieldProps = &fieldProps;
        hooks.importContacts = [](const TKelPigger& notebook) {
            auto copy = std::make_unique<TKelPigger>();
            copy->Assign(notebook);
            const TContactBatch batch = ContactImport::ReadCsv("PERSON,PHONE\nAda,1\nZoe,2\n", *copy, false);
            ContactImport::Apply(*copy, batch, {});
            return copy;
        };
        reminderSettings = std::make_unique<TD_reminder_settings>(*window, window->Settings(), window.get());
        hooks.reminderSettings = [this](TKelPigger& notebook) { reminderSettings->EditReminderSettings(&notebook); };
        window->SetHooks(hooks);
        Load();
        notepad = Find<TO_notepad>("O_notepad1");
        gridTester = std::make_unique<QAbstractItemModelTester>(
            notepad->Grid1->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        window->Guider().TV1->expandAll();
        CatchDrags(notepad);
    }

    QByteArray Saved() { return Doc().SaveToText(); }
    TKelPigger& Page(int index, int notebook = 0) { return *Pages(notebook).Child(index); }
    QListWidget* PageList() { return Find<TO_pages>("O_pages1")->LB1; }
    QListWidget* FieldList() { return Find<TO_fields>("O_fields1")->LB1; }
    QAction* Action(const char* name) { return Find<QAction>(name); }
    QString Cell(int row, int column) { return notepad->Grid1->model()->index(row, column).data().toString(); }

    void ClickCell(int row, int column)
    {
        QTableView* grid = notepad->Grid1;
        const QRect rect = grid->visualRect(grid->model()->index(row, column));
        ASSERT_TRUE(rect.isValid());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
    }

    // Clicks the box, selects what it holds and types text over it.
    static void TypeOver(QLineEdit* box, const QString& text)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }

    // Empty when every guider item stands for a shown node of the document, in the document's order.
    QString GuiderMismatch()
    {
        TOPigSructEd& guider = window->Guider();
        if (guider.TV1->topLevelItemCount() != 1 || TOPigSructEd::NodeOf(guider.TV1->topLevelItem(0)) != &Doc())
            return "root";
        std::vector<QTreeWidgetItem*> pending { guider.TV1->topLevelItem(0) };
        while (!pending.empty()) {
            QTreeWidgetItem* item = pending.back();
            pending.pop_back();
            const TKelPigger* node = TOPigSructEd::NodeOf(item);
            int shown = 0;
            for (int i = 0; i < node->ChildCount(); ++i) {
                const TKelPigger* child = node->Child(i);
                if (!guider.ShowNode(*child))
                    continue;
                QTreeWidgetItem* childItem = item->child(shown++);
                if (!childItem || TOPigSructEd::NodeOf(childItem) != child
                    || childItem->text(0) != guider.NodeCaption(*child))
                    return item->text(0);
                pending.push_back(childItem);
            }
            if (shown != item->childCount())
                return item->text(0);
        }
        return {};
    }

    // Keys as the user presses them where the keyboard focus is.
    void UndoKey() { Key(Qt::Key_Z, Qt::ControlModifier); }
    void RedoKey() { Key(Qt::Key_Y, Qt::ControlModifier); }
    void ShiftRedoKey() { Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }

    struct FieldProps : IFieldPropsEditor {
        bool Execute(TFieldProps& props, bool&) override
        {
            props.name = "TEL";
            props.width = 60;
            return true;
        }
    } fieldProps;
    std::unique_ptr<TD_reminder_settings> reminderSettings;
    struct Form : IRecordEditor {
        bool EditRecord(TKelPigger*, TKelPigger* record) override
        {
            record->SetAttr("PERSON", "Al");
            return true;
        }
    } form;
    TO_notepad* notepad = nullptr;
    std::unique_ptr<QAbstractItemModelTester> gridTester;
};

struct WindowCase {
    const char* step;
    std::function<void(UndoTest&)> act;
    // What the window shows once the step is undone.
    std::function<void(UndoTest&)> shown;
    // The state the step starts from, made before the saved text is taken.
    std::function<void(UndoTest&)> arrange = {};
};

class EveryWindowStep : public UndoTest, public testing::WithParamInterface<WindowCase> { };

TEST_P(EveryWindowStep, CtrlZUndoesAndCtrlYRedoesIt)
{
    const WindowCase& step = GetParam();
    if (step.arrange)
        step.arrange(*this);
    const QByteArray before = Saved();
    step.act(*this);
    const QByteArray after = Saved();
    ASSERT_NE(after, before);
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(Action("N_Undo")->text(), QStringLiteral("&Undo %1").arg(step.step));
    EXPECT_TRUE(Action("N_Undo")->isEnabled());
    EXPECT_FALSE(Action("N_Redo")->isEnabled());

    UndoKey();
    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(GuiderMismatch(), "");
    step.shown(*this);
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_FALSE(window->Changed());
    EXPECT_EQ(Action("N_Redo")->text(), QStringLiteral("&Redo %1").arg(step.step));

    RedoKey();
    EXPECT_EQ(Saved(), after);
    EXPECT_EQ(GuiderMismatch(), "");
    EXPECT_TRUE(window->isWindowModified());

    UndoKey();
    EXPECT_EQ(Saved(), before);
    ShiftRedoKey();
    EXPECT_EQ(Saved(), after);
}

INSTANTIATE_TEST_SUITE_P(UndoTest, EveryWindowStep,
    testing::Values(WindowCase { "Edit cell",
                        [](UndoTest& t) {
                            t.Click(t.Page(0));
                            t.ClickCell(0, 1);
                            t.Key(Qt::Key_Return);
                            UndoTest::TypeOver(t.notepad->InplaceEditor, "999");
                            t.Key(Qt::Key_Return);
                        },
                        [](UndoTest& t) {
                            EXPECT_EQ(t.notepad->CurrentPageName(), "A");
                            EXPECT_EQ(t.Cell(0, 1), "123");
                            EXPECT_EQ(t.notepad->CurRecord(), t.Page(0).Child(0));
                        } },
        WindowCase { "Delete record",
            [](UndoTest& t) {
                t.Click(t.Page(0));
                t.ClickCell(0, 0);
                t.prompts.Answer(true);
                t.Key(Qt::Key_Delete, Qt::ControlModifier);
            },
            [](UndoTest& t) {
                EXPECT_EQ(t.notepad->Grid1->model()->rowCount(), 2);
                EXPECT_EQ(t.Cell(0, 0), "Ann");
                EXPECT_EQ(t.notepad->CurRecord(), t.Page(0).Child(0));
            } },
        WindowCase { "Move record down",
            [](UndoTest& t) {
                t.Click(t.Page(0));
                t.ClickCell(0, 0);
                testutil::ClickButton(t.Find<QToolButton>("SB_record_dn"));
            },
            [](UndoTest& t) {
                EXPECT_EQ(t.Cell(0, 0), "Ann");
                EXPECT_EQ(t.Cell(1, 0), "Abe");
            } },
        // A full page: Append makes the overflow page A+, and the record form fills the record in.
        WindowCase { "Append record",
            [](UndoTest& t) {
                t.Click(t.Page(0));
                t.prompts.Answer(true);
                QTest::keyClick(t.notepad->Grid1, Qt::Key_Insert, Qt::ControlModifier);
                ASSERT_EQ(t.ItemCaptions(t.Pages()), QStringList({ "A", "A+", "B", "C" }));
            },
            [](UndoTest& t) {
                EXPECT_EQ(t.ItemCaptions(t.Pages()), QStringList({ "A", "B", "C" }));
                EXPECT_EQ(t.notepad->TabControl1->count(), 3);
            },
            [](UndoTest& t) { t.Notebook(0).SetAttr("RPP", "2"); } },
        WindowCase { "Move record to page",
            [](UndoTest& t) {
                t.Click(t.Page(0));
                t.ClickCell(0, 0);
                t.DragRecord(t.notepad, 0, t.Page(0, 1));
            },
            [](UndoTest& t) {
                EXPECT_EQ(t.notepad->CurrentPageName(), "A");
                EXPECT_EQ(t.notepad->Grid1->model()->rowCount(), 2);
            } },
        WindowCase { "Change notebook",
            [](UndoTest& t) {
                t.Click(t.Notebook(0));
                UndoTest::TypeOver(t.Find<TO_notebook>("O_notebook1")->Edit_nb_name, "Pals");
                testutil::ClickButton(t.Find<TO_notebook>("O_notebook1")->Btn_apply);
            },
            [](UndoTest& t) {
                EXPECT_EQ(t.ShownSheet(), "TabSheet_notebook");
                EXPECT_EQ(t.Find<TO_notebook>("O_notebook1")->Edit_nb_name->text(), "Friends");
                EXPECT_EQ(t.window->Guider().SelectedNode(), &t.Notebook(0));
            } },
        WindowCase { "New page",
            [](UndoTest& t) {
                t.prompts.AnswerInput(QString("D"));
                testutil::ClickButton(t.Find<TO_pages>("O_pages1")->Btn_new_page);
            },
            [](UndoTest& t) {
                EXPECT_EQ(t.ShownSheet(), "TabSheet_pages");
                EXPECT_EQ(t.PageList()->count(), 3);
            },
            [](UndoTest& t) { t.Click(t.Pages()); } },
        WindowCase { "Rename page",
            [](UndoTest& t) {
                testutil::ClickRow(t.PageList(), "C");
                t.prompts.AnswerInput(QString("CC"));
                testutil::ClickButton(t.Find<TO_pages>("O_pages1")->Btn_change);
            },
            [](UndoTest& t) {
                EXPECT_EQ(t.PageList()->item(2)->text(), "C");
                EXPECT_EQ(t.ItemCaptions(t.Pages()), QStringList({ "A", "B", "C" }));
            },
            [](UndoTest& t) { t.Click(t.Pages()); } },
        WindowCase { "Delete page",
            [](UndoTest& t) {
                testutil::ClickRow(t.PageList(), "B");
                t.prompts.Answer(true);
                testutil::ClickButton(t.Find<TO_pages>("O_pages1")->Btn_delete_page);
            },
            [](UndoTest& t) {
                EXPECT_EQ(t.ShownSheet(), "TabSheet_pages");
                EXPECT_EQ(t.PageList()->count(), 3);
                EXPECT_EQ(t.Page(1).ChildCount(), 1);
            },
            [](UndoTest& t) { t.Click(t.Pages()); } },
        WindowCase { "Move page down",
            [](UndoTest& t) {
                testutil::ClickRow(t.PageList(), "A");
                testutil::ClickButton(t.Find<TO_pages>("O_pages1")->SB_move_dn);
            },
            [](UndoTest& t) {
                EXPECT_EQ(t.ItemCaptions(t.Pages()), QStringList({ "A", "B", "C" }));
            },
            [](UndoTest& t) { t.Click(t.Pages()); } },
        WindowCase { "Delete field",
            [](UndoTest& t) {
                t.Click(t.Fields());
                testutil::ClickRow(t.FieldList(), "PHONE");
                t.prompts.Answer(true);
                testutil::ClickButton(t.Find<TO_fields>("O_fields1")->Btn_delete_field);
            },
            [](UndoTest& t) {
                EXPECT_EQ(t.ShownSheet(), "TabSheet_fields");
                EXPECT_EQ(t.FieldList()->count(), 3);
                EXPECT_EQ(t.Page(0).Child(0)->GetAttr("PHONE"), "123");
            } },
        WindowCase { "New notebook",
            [](UndoTest& t) {
                t.Click(t.Notebook(0));
                t.wizard.Answer(QString("Family"));
                testutil::ClickButton(t.Find<TO_notebook>("O_notebook1")->Btn_new_notebook);
            },
            [](UndoTest& t) { EXPECT_EQ(t.Doc().ChildCount(), 2); } },
        WindowCase { "Sort records",
            [](UndoTest& t) {
                t.Click(t.Page(0));
                QHeaderView* header = t.notepad->Grid1->horizontalHeader();
                const QPoint at(header->sectionViewportPosition(0) + 5, header->height() / 2);
                QContextMenuEvent event(QContextMenuEvent::Mouse, at, header->viewport()->mapToGlobal(at));
                QApplication::sendEvent(header->viewport(), &event);
                auto* menu = t.notepad->findChild<QMenu*>("HeaderMenu");
                ASSERT_TRUE(menu);
                QAction* az = menu->findChild<QAction*>("N_SortAZ");
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(az).center());
            },
            [](UndoTest& t) {
                EXPECT_EQ(t.Cell(0, 0), "Ann");
                EXPECT_EQ(t.Cell(1, 0), "Abe");
            } },
        // A rename reaches every record; the width comes back with it.
        WindowCase { "Change field",
            [](UndoTest& t) {
                testutil::ClickRow(t.FieldList(), "PHONE");
                testutil::ClickButton(t.Find<TO_fields>("O_fields1")->Btn_change);
            },
            [](UndoTest& t) {
                EXPECT_EQ(t.ShownSheet(), "TabSheet_fields");
                EXPECT_EQ(t.FieldList()->item(1)->text(), "PHONE");
                EXPECT_EQ(t.Page(0).Child(0)->GetAttr("PHONE"), "123");
            },
            [](UndoTest& t) { t.Click(t.Fields()); } },
        // Typing a template name is one step, however many keys it took.
        WindowCase { "Change print template",
            [](UndoTest& t) {
                QTest::keyClicks(t.Find<TKelFileEdit>("KelFileEdit1")->Edit, "xy");
                t.Click(t.Pages());
            },
            [](UndoTest& t) {
                EXPECT_EQ(t.ShownSheet(), "TabSheet_pages");
                EXPECT_EQ(t.Find<TKelFileEdit>("KelFileEdit1")->Text(), "..\\templates\\contacts-5.zdkt");
            },
            [](UndoTest& t) {
                t.Click(t.Pages());
                QTabWidget* tabs = t.Find<QTabWidget>("PageControl_pages");
                QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
                QLineEdit* box = t.Find<TKelFileEdit>("KelFileEdit1")->Edit;
                QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
                QTest::keyClick(box, Qt::Key_End);
            } },
        WindowCase { "Reminder settings",
            [](UndoTest& t) {
                t.Click(t.Notebook(0));
                testutil::ClickButton(t.Find<TO_notebook>("O_notebook1")->btn_reminder);
                QTest::keyClick(t.reminderSettings->CB_BDF, Qt::Key_Up);
                testutil::ClickButton(t.reminderSettings->btn_ok);
            },
            [](UndoTest& t) { EXPECT_EQ(t.Notebook(0).GetAttr("BDF"), "BIRTHDAY"); } },
        WindowCase { "Import contacts",
            [](UndoTest& t) {
                t.Click(t.Page(0));
                testutil::ChooseFromMenuBar(t.window.get(), t.Action("N_Import_contacts"));
            },
            [](UndoTest& t) {
                EXPECT_EQ(t.Page(0).ChildCount(), 2);
                EXPECT_EQ(t.ItemCaptions(t.Pages()), QStringList({ "A", "B", "C" }));
            } },
        WindowCase { "Delete notebook",
            [](UndoTest& t) {
                t.Click(t.Notebook(0));
                t.prompts.Answer(true);
                testutil::ClickButton(t.Find<TO_notebook>("O_notebook1")->Btn_delete_notebook);
            },
            [](UndoTest& t) {
                EXPECT_EQ(t.Doc().ChildCount(), 2);
                EXPECT_EQ(t.window->Guider().SelectedNode(), &t.Notebook(0));
                EXPECT_EQ(t.Find<TO_notebook>("O_notebook1")->Edit_nb_name->text(), "Friends");
            } }),
    [](const testing::TestParamInfo<WindowCase>& info) {
        return QString::fromLatin1(info.param.step).remove(' ').toStdString();
    });

TEST_F(UndoTest, TheEditMenuAndToolBarNameTheStep)
{
    EXPECT_FALSE(Action("N_Undo")->isEnabled());
    EXPECT_EQ(Action("N_Undo")->text(), "&Undo");
    Click(Page(0));
    ClickCell(0, 0);
    prompts.Answer(true);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    auto* undoButton = Find<QToolButton>("TB_undo");
    EXPECT_TRUE(undoButton->isEnabled());
    EXPECT_EQ(undoButton->toolTip(), "Undo Delete record");

    testutil::ChooseFromMenuBar(window.get(), Action("N_Undo"));
    EXPECT_EQ(Page(0).ChildCount(), 2);
    EXPECT_EQ(Find<QToolButton>("TB_redo")->toolTip(), "Redo Delete record");
    testutil::ClickButton(Find<QToolButton>("TB_redo"));
    EXPECT_EQ(Page(0).ChildCount(), 1);
}

TEST_F(UndoTest, ChangedAndTheTitleFollowTheSavedState)
{
    Click(Page(0));
    ClickCell(0, 0);
    prompts.Answer(true);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    prompts.Answer(true);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(window->windowTitle(), "Quillo-ZDK - sample.zdk[*]");
    EXPECT_TRUE(window->isWindowModified());

    // Saved with one record left: that is the clean state now.
    UndoKey();
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(window->Changed());
    EXPECT_FALSE(window->isWindowModified());
    UndoKey();
    EXPECT_TRUE(window->Changed());
    EXPECT_TRUE(window->isWindowModified());
    RedoKey();
    EXPECT_FALSE(window->Changed());
    RedoKey();
    EXPECT_TRUE(window->Changed());
    UndoKey();
    EXPECT_FALSE(window->Changed());
    EXPECT_EQ(Find<QLabel>("StatusPanel1")->text(), "");
}

TEST_F(UndoTest, OpenAndNewForgetTheSteps)
{
    Click(Page(0));
    ClickCell(0, 0);
    prompts.Answer(true);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    prompts.Answer(false);
    fileDialogs.Answer(folder.Write("other.zdk", SampleDocument));
    testutil::ChooseFromMenuBar(window.get(), Action("N_Open"));
    EXPECT_FALSE(Action("N_Undo")->isEnabled());
    EXPECT_EQ(window->Session().History().Count(), 0);

    Click(Page(0));
    ClickCell(0, 0);
    prompts.Answer(true);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    prompts.Answer(false).Answer(true);
    wizard.Answer(std::nullopt);
    testutil::ChooseFromMenuBar(window.get(), Action("N_New"));
    EXPECT_EQ(window->Session().History().Count(), 0);
}

// A cell being typed into when Undo is chosen from the menu is posted first, and is what is undone.
TEST_F(UndoTest, UndoFromTheMenuTakesBackTheCellBeingTyped)
{
    Click(Page(0));
    ClickCell(0, 1);
    const QByteArray before = Saved();
    Key(Qt::Key_Return);
    QTest::keyClicks(notepad->InplaceEditor, "4");
    testutil::ChooseFromMenuBar(window.get(), Action("N_Undo"));
    EXPECT_FALSE(notepad->IsEditing());
    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(Action("N_Redo")->text(), "&Redo Edit cell");
}

} // namespace
} // namespace quillo::test

#include "records/widgets/NotepadFixture.h"

#include "records/RecordDates.h"
#include "testutil/TempFolder.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>

namespace quillo::test {
namespace {

TEST_F(NotepadTest, OpenShowsPagesAsTabsAndFieldsAsColumns)
{
    const QTabBar* tabs = notepad->TabControl1;
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "Letter A");
    EXPECT_EQ(tabs->tabText(1), "B");
    EXPECT_EQ(tabs->shape(), QTabBar::RoundedNorth);
    ASSERT_EQ(grid->model()->columnCount(), 7);
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), "Person");
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), "PHONE");
    const int widths[] = { 150, 80, 80, 80 };
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(grid->columnWidth(column), widths[column]) << column;
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(notepad->CurRecord(), Page(0).Child(0));
    EXPECT_EQ(notepad->CurFieldName(), "PERSON");

    Click(2, 1);
    EXPECT_EQ(notepad->CurRecord(), Page(0).Child(2));
    EXPECT_EQ(notepad->CurFieldName(), "PHONE");
    QTest::mouseClick(notepad->TabControl1, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(notepad->CurrentPageName(), "B");
    EXPECT_EQ(host.shown, QStringList({ "B" }));
    EXPECT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(notepad->CurRecord(), nullptr);
    EXPECT_FALSE(Enabled("SB_delete"));
    EXPECT_TRUE(Enabled("SB_append"));

    notebook.SetAttr("RIGHT_TAB_POSITION", "Y");
    Open();
    notepad->layout()->activate();
    EXPECT_EQ(tabs->shape(), QTabBar::RoundedEast);
    EXPECT_GT(tabs->geometry().left(), grid->geometry().left());
}

TEST_F(NotepadTest, CommandsFollowTheStateAndTheMenuMirrorsThem)
{
    const struct {
        const char* button;
        const char* menu;
        bool onFirstRecord;
    } commands[] = {
        { "SB_append", "N_Append", true },
        { "SB_delete", "N_Delete", true },
        { "SB_edit", "N_Edit", true },
        { "SB_editform", "N_Editrecord", true },
        { "SB_post", "N_Post", false },
        { "SB_cancel", "N_Cancel", false },
        { "SB_record_up", "N_Recordup", false },
        { "SB_record_dn", "N_Recorddown", true },
        { "SB_print", "N_Print", true },
        { "SB_print_notebook", "N_Printnotebook", true },
        { "SB_go_to_http", "N_Gotohttp", true },
        { "SB_send_email", "N_Sendemail", false },
        { "SB_open_file", "N_Openfile", false },
    };
    for (const auto& c : commands) {
        EXPECT_EQ(Enabled(c.button), c.onFirstRecord) << c.button;
        QAction* action = notepad->findChild<QAction*>(c.menu);
        ASSERT_TRUE(action) << c.menu;
        EXPECT_TRUE(notepad->PopupMenu1->actions().contains(action)) << c.menu;
        EXPECT_EQ(action->isEnabled(), c.onFirstRecord) << c.menu;
    }
    EXPECT_EQ(Button("SB_append")->toolTip(), "Append record (Ctrl+INS)");
    Click(1, 0);
    EXPECT_TRUE(Enabled("SB_send_email"));
    EXPECT_TRUE(Enabled("SB_record_up"));
    EXPECT_FALSE(Enabled("SB_go_to_http"));

    notepad->CloseNotebook();
    for (const auto& c : commands)
        EXPECT_FALSE(Enabled(c.button)) << c.button;
    EXPECT_EQ(grid->model()->rowCount(), 0);
}

TEST_F(NotepadTest, NotebookWithoutFieldsOrPagesDisablesEveryRecordCommand)
{
    for (const char* text : { R"(<NOTEBOOK><PAGES><PAGE NAME="A"><REC X="1"/></PAGE></PAGES></NOTEBOOK>)",
             R"(<NOTEBOOK><FIELDS><FIELD NAME="X"/></FIELDS></NOTEBOOK>)" }) {
        notebook.LoadFromText(text);
        Open();
        for (const char* name : { "SB_append", "SB_delete", "SB_edit", "SB_editform", "SB_record_dn" })
            EXPECT_FALSE(Enabled(name)) << name << text;
        Key(Qt::Key_Insert, Qt::ControlModifier);
        Key(Qt::Key_Return);
        EXPECT_EQ(recordEditor.shown, 0) << text;
        EXPECT_EQ(host.changed, 0) << text;
    }
}

TEST_F(NotepadTest, AppendFillsTheEmptyRowAndOpensTheRecordForm)
{
    notepad->SelectPageByName("B");
    recordEditor.accept = true;
    recordEditor.edit = [](TKelPigger& rec) { rec.SetAttr("PERSON", "Bea"); };
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(recordEditor.shown, 1);
    EXPECT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(Text(0, 0), "Bea");
    EXPECT_EQ(notepad->CurRecord(), Page(1).Child(0));
    EXPECT_GT(host.changed, 0);

    // Cancelling the form keeps the appended record.
    recordEditor.accept = false;
    Press("SB_append");
    EXPECT_EQ(Page(1).ChildCount(), 2);
    EXPECT_EQ(grid->currentIndex().row(), 1);
    EXPECT_EQ(Page(1).Child(1)->Tag(), "REC");
}

TEST_F(NotepadTest, EnterOnAnEmptyPageAppendsAndStaysBrowsing)
{
    notepad->SelectPageByName("B");
    Key(Qt::Key_Return);
    EXPECT_EQ(Page(1).ChildCount(), 1);
    EXPECT_EQ(recordEditor.shown, 1);
    EXPECT_FALSE(notepad->IsEditing());
    EXPECT_FALSE(notepad->InplaceEditor->isVisible());
    EXPECT_TRUE(Enabled("SB_edit"));
}

TEST_F(NotepadTest, FullPageAsksForAnOverflowPage)
{
    prompts.Answer(false);
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(LastSaid(), "Sure: More then 3 records per one page.\nAppend new page?");
    EXPECT_EQ(Page(0).ChildCount(), 3);
    EXPECT_EQ(notebook.FindChild("PAGES")->ChildCount(), 2);
    EXPECT_EQ(host.changed, 0);

    prompts.Answer(true);
    Key(Qt::Key_Insert, Qt::ControlModifier);
    ASSERT_EQ(Page(1).GetAttr("NAME"), "A+");
    EXPECT_EQ(Page(1).ChildCount(), 1);
    EXPECT_EQ(host.added, QStringList({ "A+" }));
    EXPECT_EQ(notepad->CurrentPageName(), "A+");
    EXPECT_EQ(notepad->TabControl1->tabText(1), "A+");
    EXPECT_EQ(notepad->TabControl1->currentIndex(), 1);
    EXPECT_EQ(notepad->CurRecord(), Page(1).Child(0));

    notepad->SelectPageByName("A");
    prompts.Answer(true);
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(Page(2).GetAttr("NAME"), "A++");
    EXPECT_EQ(Page(3).GetAttr("NAME"), "B");
    EXPECT_EQ(notepad->CurrentPageName(), "A++");
}

TEST_F(NotepadTest, EditingInPlacePostsOnEnterAndCancelsOnEsc)
{
    Click(2, 1);
    Key(Qt::Key_Return);
    ASSERT_TRUE(notepad->IsEditing());
    ASSERT_TRUE(notepad->InplaceEditor->hasFocus());
    EXPECT_TRUE(Enabled("SB_post"));
    EXPECT_FALSE(Enabled("SB_append"));
    notepad->InplaceEditor->selectAll();
    QTest::keyClicks(notepad->InplaceEditor, "555-1");
    // The current cell does not move while editing.
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_FALSE(notepad->IsEditing());
    EXPECT_EQ(Page(0).Child(2)->GetAttr("PHONE"), "555-1");
    EXPECT_EQ(Text(2, 1), "555-1");
    EXPECT_EQ(host.changed, 1);
    EXPECT_TRUE(grid->hasFocus());

    Key(Qt::Key_Return);
    QTest::keyClicks(notepad->InplaceEditor, "9");
    Key(Qt::Key_Escape);
    EXPECT_FALSE(notepad->IsEditing());
    EXPECT_EQ(Text(2, 1), "555-1");
    Key(Qt::Key_Escape);
    EXPECT_FALSE(notepad->IsEditing());

    // Enter twice without typing changes nothing.
    Key(Qt::Key_Return);
    Key(Qt::Key_Return);
    EXPECT_EQ(host.changed, 1);

    // An emptied cell loses its attribute, the others stay.
    Key(Qt::Key_Return);
    notepad->InplaceEditor->selectAll();
    Key(Qt::Key_Backspace);
    Press("SB_post");
    EXPECT_EQ(Page(0).Child(2)->AttrCount(), 1);
    EXPECT_EQ(Page(0).Child(2)->GetAttr("PERSON"), "Amy");
    EXPECT_EQ(host.changed, 2);
}

TEST_F(NotepadTest, TabChangeIsRefusedWhileEditingAndFocusLossCancels)
{
    Click(0, 0);
    Key(Qt::Key_Return);
    QTest::keyClicks(notepad->InplaceEditor, "x");
    QTest::mouseClick(notepad->TabControl1, Qt::LeftButton, {}, notepad->TabControl1->tabRect(1).center());
    EXPECT_EQ(notepad->TabControl1->currentIndex(), 0);
    EXPECT_EQ(notepad->CurrentPageName(), "A");
    EXPECT_TRUE(notepad->IsEditing());
    EXPECT_TRUE(host.shown.isEmpty());

    Key(Qt::Key_Tab);
    EXPECT_FALSE(notepad->IsEditing());
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(Page(0).Child(0)->GetAttr("PERSON"), "Ann");
    EXPECT_EQ(host.changed, 0);

    Key(Qt::Key_Return);
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_FALSE(notepad->IsEditing());
    EXPECT_FALSE(notepad->InplaceEditor->isVisible());
    EXPECT_TRUE(grid->hasFocus());

    // Closing the notebook posts what is being typed.
    Key(Qt::Key_Return);
    notepad->InplaceEditor->selectAll();
    QTest::keyClicks(notepad->InplaceEditor, "Anna");
    notepad->CloseNotebook();
    EXPECT_EQ(Page(0).Child(0)->GetAttr("PERSON"), "Anna");
}

TEST_F(NotepadTest, MovingRecordsKeepsThemSelectedAndStopsAtTheEnds)
{
    Click(0, 1);
    Press("SB_record_up");
    EXPECT_EQ(Text(0, 0), "Ann");
    Press("SB_record_dn");
    EXPECT_EQ(Text(1, 0), "Ann");
    EXPECT_EQ(grid->currentIndex(), Cell(1, 1));
    EXPECT_EQ(notepad->CurRecord()->GetAttr("PERSON"), "Ann");
    Press("SB_record_dn");
    EXPECT_EQ(Text(2, 0), "Ann");
    EXPECT_FALSE(Enabled("SB_record_dn"));
    Press("SB_record_dn");
    EXPECT_EQ(Text(2, 0), "Ann");
    EXPECT_EQ(host.changed, 2);
}

TEST_F(NotepadTest, DeleteAsksFirst)
{
    Click(1, 0);
    prompts.Answer(false);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(LastSaid(), "Sure: Delete current record?");
    EXPECT_EQ(Page(0).ChildCount(), 3);
    prompts.Answer(true);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Page(0).ChildCount(), 2);
    EXPECT_EQ(Text(1, 0), "Amy");
    EXPECT_EQ(notepad->CurRecord(), Page(0).Child(1));
    prompts.Answer(true).Answer(true);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Page(0).ChildCount(), 0);
    EXPECT_EQ(grid->model()->rowCount(), 1);
    EXPECT_FALSE(Enabled("SB_delete"));
}

TEST_F(NotepadTest, LinksOpenOnlyWhatTheyShould)
{
    // The later of two web-link fields wins.
    Click(0, 0);
    Press("SB_go_to_http");
    EXPECT_EQ(desktop.Opened(), QStringList({ "http://home.example" }));
    Page(0).Child(0)->SetAttr("HOME", "file:///etc/passwd");
    Press("SB_go_to_http");
    EXPECT_EQ(desktop.Opened().size(), 1);
    EXPECT_EQ(LastSaid(),
        "Msg: \"file:///etc/passwd\"\nis not a web address. Only http, https and ftp addresses are "
        "opened.");

    Page(0).Child(1)->SetAttr("MAIL", "abe@example.com?attach=/etc/passwd");
    Click(1, 0);
    Press("SB_send_email");
    EXPECT_EQ(desktop.Opened().constLast(), "mailto:abe@example.com%3Fattach=/etc/passwd");
}

TEST_F(NotepadTest, OpenFileTellsWhatIsMissingAndAsksBeforeRunningAProgram)
{
    testutil::TempFolder folder;
    const QString letter = folder.Write("letter.txt", "hello");
    const QString script = folder.Write("run.sh", "#!/bin/sh\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner);
    TKelPigger& rec = *Page(0).Child(2);
    Click(2, 0);

    rec.SetAttr("DOC", folder.File("gone.txt"));
    notepad->Refill();
    Press("SB_open_file");
    EXPECT_EQ(LastSaid(), "Msg: File \"" + folder.File("gone.txt") + "\"\nnot found.");

    rec.SetAttr("DOC", letter);
    notepad->Refill();
    desktop.Answer(false);
    DoubleClick(2, 0);
    EXPECT_EQ(desktop.Opened(), QStringList({ "file://" + letter }));
    EXPECT_EQ(LastSaid(), "Msg: There is no application associated with the given filename extension.");

    rec.SetAttr("DOC", script);
    notepad->Refill();
    prompts.Answer(false);
    Press("SB_open_file");
    EXPECT_EQ(LastSaid(), "Sure: \"" + script + "\"\nis a program or a script: opening it runs it.\nRun it?");
    EXPECT_EQ(desktop.Opened().size(), 1);
}

TEST_F(NotepadTest, DoubleClickWithoutALinkEditsTheCell)
{
    DoubleClick(2, 0);
    EXPECT_TRUE(notepad->IsEditing());
    EXPECT_EQ(notepad->InplaceEditor->text(), "Amy");
    EXPECT_TRUE(desktop.Opened().isEmpty());
}

TEST_F(NotepadTest, FileAndDateCellsOpenTheirPickers)
{
    Click(0, 5);
    fileDialogs.Answer("/home/ann/cv.pdf");
    Key(Qt::Key_Return);
    EXPECT_EQ(fileDialogs.Log().size(), 1);
    EXPECT_EQ(notepad->InplaceEditor->text(), "/home/ann/cv.pdf");
    Key(Qt::Key_Return);
    EXPECT_EQ(Page(0).Child(0)->GetAttr("DOC"), "/home/ann/cv.pdf");

    Click(0, 6);
    datePicker.answer = QDate(1990, 2, 1);
    Key(Qt::Key_Return);
    ASSERT_EQ(datePicker.shown.size(), 1);
    EXPECT_EQ(datePicker.shown[0], QDate::currentDate());
    Key(Qt::Key_Return);
    EXPECT_EQ(Page(0).Child(0)->GetAttr("BORN"), RecordDates::Format(QDate(1990, 2, 1)));

    Key(Qt::Key_Return);
    EXPECT_EQ(datePicker.shown.constLast(), QDate(1990, 2, 1));
    Key(Qt::Key_Escape);

    // A text that is no date skips the picker and leaves the edit open.
    Page(0).Child(0)->SetAttr("BORN", "soon");
    Key(Qt::Key_Return);
    EXPECT_EQ(datePicker.shown.size(), 2);
    EXPECT_TRUE(notepad->IsEditing());
    EXPECT_EQ(notepad->InplaceEditor->text(), "soon");
}

TEST_F(NotepadTest, RecordFormAndPrint)
{
    Click(1, 0);
    recordEditor.accept = true;
    recordEditor.edit = [](TKelPigger& rec) { rec.SetAttr("PHONE", "22"); };
    Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Text(1, 1), "22");
    EXPECT_EQ(host.changed, 1);
    Press("SB_print");
    Press("SB_print_notebook");
    EXPECT_EQ(host.printed, QStringList({ "A page.zdkt", "notebook Friends" }));
}

TEST_F(NotepadTest, LocateRecordSelectsItsRow)
{
    notepad->LocateRecord(Page(0).Child(2));
    EXPECT_EQ(grid->currentIndex(), Cell(2, 0));
    EXPECT_EQ(notepad->CurRecord(), Page(0).Child(2));
    EXPECT_TRUE(grid->hasFocus());
    notepad->LocateRecord(nullptr);
    TKelPigger stranger;
    notepad->LocateRecord(&stranger);
    EXPECT_EQ(grid->currentIndex(), Cell(2, 0));
}

TEST_F(NotepadTest, SortFromTheHeaderMenuKeepsTheRecordSelected)
{
    Click(1, 1);
    QHeaderView* header = grid->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(1) + 5, header->height() / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, header->viewport()->mapToGlobal(at));
    QApplication::sendEvent(header->viewport(), &event);
    auto* menu = notepad->findChild<QMenu*>("HeaderMenu");
    ASSERT_TRUE(menu);
    QAction* za = menu->findChild<QAction*>("N_SortZA");
    ASSERT_TRUE(za);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(za).center());
    // PHONE descending: 3, 1, then Abe without a phone.
    EXPECT_EQ(Text(0, 0), "Amy");
    EXPECT_EQ(Text(1, 0), "Ann");
    EXPECT_EQ(Text(2, 0), "Abe");
    EXPECT_EQ(notepad->CurRecord()->GetAttr("PERSON"), "Abe");
    EXPECT_EQ(grid->currentIndex(), Cell(2, 1));
    EXPECT_EQ(host.changed, 1);
}

TEST_F(NotepadTest, HoldingTheLeftButtonAndMovingDragsTheRecord)
{
    int drags = 0;
    notepad->SetDragRunner([&](QMimeData* data) {
        std::unique_ptr<QMimeData> owned(data);
        EXPECT_TRUE(data->hasFormat(TO_notepad::RecordMimeType));
        ++drags;
    });
    const QPoint from = grid->visualRect(Cell(1, 0)).center();
    const QPoint to = from + QPoint(0, 3 * QApplication::startDragDistance());
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(grid->viewport(), to);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, to);
    EXPECT_EQ(drags, 1);
    EXPECT_EQ(notepad->CurRecord(), Page(0).Child(1));

    QTest::mousePress(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, from);
    QTest::mouseMove(grid->viewport(), to);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, to);
    EXPECT_EQ(drags, 1);
    EXPECT_EQ(notepad->CurRecord(), Page(0).Child(1));
}

} // namespace
} // namespace quillo::test

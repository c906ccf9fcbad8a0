#include "ui/widgets/LookupFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace quillo::test {
namespace {

class SearchDialogTest : public LookupTest {
protected:
    void SetUp() override
    {
        LookupTest::SetUp();
        Load();
        Tree()->expandAll();
    }

    // Opens the dialog from the tool bar, as the user does.
    void OpenFromToolBar()
    {
        testutil::ClickButton(Find<QToolButton>("TB_search"));
        ASSERT_TRUE(search->isVisible());
    }

    // Replaces the search text by typing, then clicks Search.
    void SearchFor(const QString& text)
    {
        search->Edit1->selectAll();
        QTest::keyClick(search->Edit1, Qt::Key_Delete);
        QTest::keyClicks(search->Edit1, text);
        testutil::ClickButton(search->Btn_search);
    }

    QTreeWidgetItem* Hit(int index) const { return search->LV1->topLevelItem(index); }
};

// Go to, by each of its three roads, lands on the hit's page in the guider and on its row in the grid, also in
// another notebook than the one shown, and closes the dialog.
TEST_F(SearchDialogTest, GoToSelectsThePageAndTheRowOfTheHit)
{
    enum class Road { DoubleClick, Enter, Button };
    struct Case {
        const char* text;
        Road road;
        int notebook, page, row;
    };
    const Case cases[] = {
        { "bob", Road::DoubleClick, 0, 1, 0 },
        { "ABE", Road::Enter, 0, 0, 1 },
        { "xEnA", Road::Button, 1, 0, 0 },
        { "ann", Road::DoubleClick, 0, 0, 0 },
    };
    Click(Page(1, 0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        OpenFromToolBar();
        SearchFor(c.text);
        ASSERT_EQ(search->LV1->topLevelItemCount(), 1);
        EXPECT_EQ(Hit(0)->text(1), "REC");
        EXPECT_EQ(search->Label_found->text(), "1 hit");
        switch (c.road) {
        case Road::DoubleClick:
            testutil::DoubleClickItem(search->LV1, Hit(0));
            break;
        case Road::Enter:
            testutil::ClickItem(search->LV1, Hit(0));
            QTest::keyClick(search->LV1, Qt::Key_Return);
            break;
        case Road::Button:
            testutil::ClickItem(search->LV1, Hit(0));
            testutil::ClickButton(search->Btn_go_to);
            break;
        }
        EXPECT_FALSE(search->isVisible());
        const GridPlace place = Place();
        EXPECT_EQ(place.guiderNode, &Page(c.notebook, c.page));
        EXPECT_EQ(place.gridPage, &Page(c.notebook, c.page));
        EXPECT_EQ(place.row, c.row);
        EXPECT_EQ(place.record, &Record(c.notebook, c.page, c.row));
        EXPECT_EQ(ShownSheet(), "TabSheet_data");
    }
    EXPECT_EQ(prompts.Log(), QStringList());
}

TEST_F(SearchDialogTest, MatchingRulesAndScope)
{
    struct Case {
        const char* what;
        const char* menuEntry; // the main menu's or the guider's entry; the radio buttons follow it
        TKelPigger* current;
        bool caseSensitive;
        bool recordsOnly;
        const char* text;
        QStringList found;
        QStringList owners;
    };
    const Case cases[] = {
        { "lower case finds capitals", "N_search_global", nullptr, false, true, "a", { "Ann", "Abe", "Xena" },
            { "REC", "REC", "REC" } },
        { "case sensitive", "N_search_global", nullptr, true, true, "a", { "Xena" }, { "REC" } },
        { "down from a page", "N_search_down", &Page(0, 0), false, true, "a", { "Ann", "Abe" }, { "REC", "REC" } },
        { "down from a notebook", "N_search_down", &Notebook(1), false, true, "a", { "Xena" }, { "REC" } },
        { "down from the guider's menu", "N_Searchdown", &Page(0, 0), false, true, "a", { "Ann", "Abe" },
            { "REC", "REC" } },
        { "global from the guider's menu", "N_Globalsearch", &Page(0, 0), false, true, "a", { "Ann", "Abe", "Xena" },
            { "REC", "REC", "REC" } },
        { "all nodes: a field by its name and title", "N_search_global", nullptr, false, false, "phon",
            { "PHONE", "Phone number", "PHONE" }, { "FIELD", "FIELD", "FIELD" } },
        { "names, tags and text are not searched", "N_search_global", nullptr, false, false, "friends", { "Friends" },
            { "NOTEBOOK" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TKelPigger& current = c.current ? *c.current : Page(0, 1);
        Click(current);
        if (QByteArray(c.menuEntry).startsWith("N_search_")) {
            testutil::ChooseFromMenuBar(window.get(), Action(c.menuEntry));
        } else {
            RightClick(current);
            testutil::ChooseFromPopup(Action(c.menuEntry));
        }
        ASSERT_TRUE(search->isVisible());
        if (search->CB_case->isChecked() != c.caseSensitive)
            ClickOption(search->CB_case);
        if (search->CB_in_records->isChecked() != c.recordsOnly)
            ClickOption(search->CB_in_records);
        SearchFor(c.text);
        EXPECT_EQ(Column(search->LV1, 0), c.found);
        EXPECT_EQ(Column(search->LV1, 1), c.owners);
        QTest::keyClick(search, Qt::Key_Escape);
        EXPECT_FALSE(search->isVisible());
    }
}

TEST_F(SearchDialogTest, TwoMatchingValuesOfOneRecordAreTwoHits)
{
    Record(0, 0, 0).SetAttr("PHONE", "Annex 12");
    OpenFromToolBar();
    SearchFor("ann");
    EXPECT_EQ(Column(search->LV1, 0), QStringList({ "Ann", "Annex 12" }));
    EXPECT_EQ(TD_search::NodeOf(Hit(0)), TD_search::NodeOf(Hit(1)));
}

TEST_F(SearchDialogTest, GoToAFieldSelectsItInTheGuider)
{
    OpenFromToolBar();
    ClickOption(search->CB_in_records);
    SearchFor("PHON");
    ASSERT_EQ(search->LV1->topLevelItemCount(), 3);
    testutil::DoubleClickItem(search->LV1, Hit(2));
    EXPECT_EQ(window->Guider().SelectedNode(), Fields(1).Child(1));
    EXPECT_EQ(ShownSheet(), "TabSheet_fields");
}

TEST_F(SearchDialogTest, ControlUpdatesAndClearing)
{
    // Nothing selected in the guider: only a global search.
    search->ShowSearch(&Doc(), nullptr, false);
    EXPECT_TRUE(search->RB_global->isChecked());
    EXPECT_FALSE(search->RB_down->isEnabled());
    EXPECT_FALSE(search->Btn_search->isEnabled());
    EXPECT_FALSE(search->Btn_go_to->isEnabled());

    // Blanks keep Search disabled, and Enter finds nothing.
    QTest::keyClicks(search->Edit1, "   ");
    EXPECT_FALSE(search->Btn_search->isEnabled());
    QTest::keyClick(search->Edit1, Qt::Key_Return);
    EXPECT_EQ(search->LV1->topLevelItemCount(), 0);
    EXPECT_TRUE(search->isVisible());

    // Enter in the edit box searches; a selected hit enables Go to.
    QTest::keyClicks(search->Edit1, "a");
    EXPECT_TRUE(search->Btn_search->isEnabled());
    QTest::keyClick(search->Edit1, Qt::Key_Return);
    EXPECT_EQ(search->LV1->topLevelItemCount(), 3);
    EXPECT_FALSE(search->Btn_go_to->isEnabled());
    testutil::ClickItem(search->LV1, Hit(1));
    EXPECT_TRUE(search->Btn_go_to->isEnabled());

    // The hits stay when the dialog is closed and shown again, with the current node now set.
    testutil::ClickButton(search->CancelBtn);
    Click(Page(0, 0));
    OpenFromToolBar();
    EXPECT_EQ(search->LV1->topLevelItemCount(), 3);
    EXPECT_TRUE(search->RB_down->isEnabled());
    EXPECT_TRUE(search->RB_global->isChecked()) << "the tool bar keeps the radio buttons";

    // A click on a radio button clears them.
    ClickOption(search->RB_down);
    EXPECT_EQ(search->LV1->topLevelItemCount(), 0);
    EXPECT_EQ(search->Label_found->text(), "");
    QTest::keyClick(search->Edit1, Qt::Key_Return);
    EXPECT_EQ(Column(search->LV1, 0), QStringList({ "Ann", "Abe" }));
    ClickOption(search->RB_global);
    EXPECT_EQ(search->LV1->topLevelItemCount(), 0);
}

// The list keeps nodes between uses of the dialog; a change of the document's shape must not leave a hit that
// points into freed memory.
TEST_F(SearchDialogTest, HitsAreClearedWhenTheStructureChanges)
{
    OpenFromToolBar();
    SearchFor("a");
    ASSERT_EQ(search->LV1->topLevelItemCount(), 3);
    testutil::ClickButton(search->CancelBtn);

    Click(Notebook(1));
    prompts.Answer(true);
    testutil::ClickButton(Find<QPushButton>("Btn_delete_notebook"));
    ASSERT_EQ(Doc().ChildCount(), 1) << prompts.Log().join('\n').toStdString();
    OpenFromToolBar();
    EXPECT_EQ(search->LV1->topLevelItemCount(), 0);
    EXPECT_EQ(search->Label_found->text(), "");
}

TEST_F(SearchDialogTest, HitsAreClearedWhenAnotherFileIsOpened)
{
    OpenFromToolBar();
    SearchFor("a");
    testutil::ClickButton(search->CancelBtn);
    const QString other = folder.Write("other.zdk", SampleDocument);
    fileDialogs.Answer(other);
    testutil::ChooseFromMenuBar(window.get(), Action("N_Open"));
    ASSERT_EQ(window->FileName(), other);
    EXPECT_EQ(search->LV1->topLevelItemCount(), 0);
}

// A record deleted in the grid leaves the document's shape alone, so its hit is still listed: following it
// is refused with a message and the hit goes.
TEST_F(SearchDialogTest, AHitWhoseRecordWasDeletedIsRefused)
{
    OpenFromToolBar();
    SearchFor("a");
    ASSERT_EQ(Column(search->LV1, 0), QStringList({ "Ann", "Abe", "Xena" }));
    testutil::ClickButton(search->CancelBtn);

    Click(Page(0, 0));
    notepad->LocateRecord(&Record(0, 0, 0));
    prompts.Answer(true);
    testutil::ClickButton(notepad->findChild<QAbstractButton*>(QStringLiteral("SB_delete")));
    ASSERT_EQ(Page(0, 0).ChildCount(), 1);
    Click(Page(1, 0));

    OpenFromToolBar();
    testutil::DoubleClickItem(search->LV1, Hit(0));
    EXPECT_EQ(LastSaid(),
        "Msg: The found text is no longer there: it was deleted or changed after the search.\nPlease search again.");
    EXPECT_TRUE(search->isVisible());
    EXPECT_EQ(window->Guider().SelectedNode(), &Page(1, 0));
    EXPECT_EQ(Column(search->LV1, 0), QStringList({ "Abe", "Xena" }));

    // The hits that are still there are followed.
    testutil::DoubleClickItem(search->LV1, Hit(0));
    EXPECT_EQ(Place().record, &Record(0, 0, 0));
    EXPECT_EQ(Record(0, 0, 0).GetAttr("PERSON"), "Abe");
}

// A notebook of many records on one page, each holding "Ann".
QByteArray ManyRecords(int count)
{
    QByteArray text = "<NOTEBOOKS>\n<NOTEBOOK NAME=\"Big\">\n<FIELDS>\n<FIELD NAME=\"PERSON\"/>\n</FIELDS>\n"
                      "<PAGES>\n<PAGE NAME=\"A\">\n";
    for (int i = 0; i < count; ++i)
        text += "<REC PERSON=\"Ann " + QByteArray::number(i) + "\"/>\n";
    return text + "</PAGE>\n</PAGES>\n</NOTEBOOK>\n</NOTEBOOKS>\n";
}

// The walk lets events run; what the user does in the meantime is run by fn at the first turn of the loop.
void DuringTheWalk(const std::function<void()>& fn) { QTimer::singleShot(0, fn); }

TEST_F(SearchDialogTest, EscStopsASearchAndTheDialogStays)
{
    const QString path = folder.Write("big.zdk", ManyRecords(2000));
    window->Session().NewDocument();
    window->Session().SetFileName(path);
    ASSERT_TRUE(window->Session().LoadFile());
    search->SetSliceMs(0);
    OpenFromToolBar();
    QTest::keyClicks(search->Edit1, "ann");
    bool searching = false;
    DuringTheWalk([&] {
        searching = search->IsSearching();
        EXPECT_TRUE(search->Btn_stop->isEnabled());
        QTest::keyClick(search->LV1, Qt::Key_Escape);
    });
    testutil::ClickButton(search->Btn_search);
    EXPECT_TRUE(searching);
    EXPECT_FALSE(search->IsSearching());
    EXPECT_TRUE(search->isVisible());
    EXPECT_LT(search->LV1->topLevelItemCount(), 2000);
    EXPECT_TRUE(search->Label_found->text().startsWith("Search stopped: "))
        << search->Label_found->text().toStdString();
    EXPECT_TRUE(search->Btn_search->isEnabled());
    EXPECT_FALSE(search->Btn_stop->isEnabled());

    // Stop does the same; the next search runs to its end.
    DuringTheWalk([&] { testutil::ClickButton(search->Btn_stop); });
    testutil::ClickButton(search->Btn_search);
    EXPECT_TRUE(search->Label_found->text().startsWith("Search stopped: "));
    search->SetSliceMs(20);
    testutil::ClickButton(search->Btn_search);
    EXPECT_EQ(search->LV1->topLevelItemCount(), 2000);
    EXPECT_EQ(search->Label_found->text(), "2000 hits");
}

TEST_F(SearchDialogTest, CancelDuringASearchStopsItAndCloses)
{
    search->SetSliceMs(0);
    OpenFromToolBar();
    QTest::keyClicks(search->Edit1, "a");
    DuringTheWalk([&] { testutil::ClickButton(search->CancelBtn); });
    testutil::ClickButton(search->Btn_search);
    EXPECT_FALSE(search->IsSearching());
    EXPECT_FALSE(search->isVisible());
}

TEST_F(SearchDialogTest, ASecondSearchCannotStartWhileOneRuns)
{
    search->SetSliceMs(0);
    OpenFromToolBar();
    QTest::keyClicks(search->Edit1, "a");
    int turns = 0;
    std::function<void()> meddle = [&] {
        // Every road to a second search, and to a change of what the running one reads.
        EXPECT_FALSE(search->Btn_search->isEnabled());
        EXPECT_FALSE(search->Btn_go_to->isEnabled());
        EXPECT_FALSE(search->RB_global->isEnabled());
        EXPECT_FALSE(search->CB_case->isEnabled());
        QTest::mouseClick(search->Btn_search, Qt::LeftButton);
        QTest::keyClick(search->Edit1, Qt::Key_Return);
        if (++turns < 3)
            DuringTheWalk(meddle);
    };
    DuringTheWalk(meddle);
    testutil::ClickButton(search->Btn_search);
    EXPECT_EQ(turns, 3);
    EXPECT_EQ(Column(search->LV1, 0), QStringList({ "Ann", "Abe", "Xena" }));
    EXPECT_EQ(search->Label_found->text(), "3 hits");
}

// The list stops growing at its cap; the count says how many there were.
TEST_F(SearchDialogTest, ManyHitsAreCountedButListedUpToTheCap)
{
    const int count = TD_search::MaxListedHits + 5;
    const QString path = folder.Write("big.zdk", ManyRecords(count));
    window->Session().NewDocument();
    window->Session().SetFileName(path);
    ASSERT_TRUE(window->Session().LoadFile());
    OpenFromToolBar();
    SearchFor("ann");
    EXPECT_EQ(search->LV1->topLevelItemCount(), TD_search::MaxListedHits);
    EXPECT_EQ(search->Label_found->text(),
        QString("%1 hits, the first %2 listed: a longer search text finds fewer")
            .arg(count)
            .arg(TD_search::MaxListedHits));
}

} // namespace
} // namespace quillo::test

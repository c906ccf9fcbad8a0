#include "notebook/TEditHistory.h"
#include "testutil/TreeTesting.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <functional>
#include <memory>

namespace quillo {
namespace {

const char* const Document = R"(
<NOTEBOOKS>
	<NOTEBOOK NAME="Friends" RPP="2" BDF="BIRTHDAY">My friends
		<FIELDS>
			<FIELD NAME="PERSON" WIDTH="150"/>
			<FIELD NAME="PHONE" TITLE="Phone number"/>
			<FIELD NAME="BIRTHDAY" FEATURE="Field is date"/>
		</FIELDS>
		<PAGES>
			<PAGE NAME="A">
				<REC PERSON="Ann" PHONE="123"/>
				<REC PERSON="Abe" BIRTHDAY="1.2.1990"/>
			</PAGE>
			<PAGE NAME="B">
				<REC PERSON="Bob" PHONE="45%256"/>
			</PAGE>
		</PAGES>
	</NOTEBOOK>
	<NOTEBOOK NAME="Work">
		<FIELDS>
			<FIELD NAME="PERSON"/>
		</FIELDS>
		<PAGES>
			<PAGE NAME="X">
				<REC PERSON="Xena"/>
			</PAGE>
		</PAGES>
	</NOTEBOOK>
</NOTEBOOKS>)";

class EditHistoryTest : public testing::Test {
public:
    EditHistoryTest()
        : doc(testutil::ReadTree(Document))
        , history(*doc)
    {
    }

    QByteArray Text() const { return doc->SaveToText(); }
    TKelPigger& Notebook(int index = 0) { return *doc->Child(index); }
    TKelPigger& Fields(int notebook = 0) { return *Notebook(notebook).FindChild("FIELDS"); }
    TKelPigger& Pages(int notebook = 0) { return *Notebook(notebook).FindChild("PAGES"); }
    TKelPigger& Page(int index, int notebook = 0) { return *Pages(notebook).Child(index); }
    TKelPigger& Rec(int page, int index, int notebook = 0) { return *Page(page, notebook).Child(index); }

    // One edit of the cell PHONE of Ann, as one step.
    void EditAnn(const QString& phone)
    {
        TEditStep step(&history, "Edit cell", Rec(0, 0));
        Rec(0, 0).SetAttr("PHONE", phone);
    }

    std::unique_ptr<TKelPigger> doc;
    TEditHistory history;
};

TEST_F(EditHistoryTest, UndoingEveryStepGivesBackEveryState)
{
    // Later steps free the nodes earlier ones were made on: the record, then its page.
    std::vector<QByteArray> states { Text() };
    EditAnn("1");
    states.push_back(Text());
    {
        TEditStep step(&history, "Delete page", Pages());
        delete &Page(0);
    }
    states.push_back(Text());
    {
        TEditStep step(&history, "New page", Pages());
        (new TKelPigger(&Pages()))->SetTag("PAGE");
    }
    states.push_back(Text());
    for (int i = int(states.size()) - 2; i >= 0; --i) {
        history.Undo();
        EXPECT_EQ(Text(), states[size_t(i)]) << i;
    }
    EXPECT_FALSE(history.CanUndo());
    for (size_t i = 1; i < states.size(); ++i) {
        history.Redo();
        EXPECT_EQ(Text(), states[i]) << i;
    }
    EXPECT_FALSE(history.CanRedo());
}

TEST_F(EditHistoryTest, AStepThatChangedNothingIsNoStep)
{
    {
        TEditStep step(&history, "Edit cell", Rec(0, 0));
        Rec(0, 0).SetAttr("PHONE", "9");
        Rec(0, 0).SetAttr("PHONE", "123");
    }
    EXPECT_EQ(history.Count(), 0);
    EXPECT_TRUE(history.IsClean());
}

TEST_F(EditHistoryTest, NodesOutsideTheDocumentRecordNothing)
{
    TKelPigger copy;
    copy.Assign(Notebook());
    {
        TEditStep step(&history, "Import contacts", copy);
        copy.SetAttr("NAME", "Other");
    }
    EXPECT_EQ(history.Count(), 0);
}

TEST_F(EditHistoryTest, ANewEditDropsWhatCouldBeRedone)
{
    EditAnn("1");
    EditAnn("2");
    history.Undo();
    EditAnn("3");
    EXPECT_EQ(history.Count(), 2);
    EXPECT_FALSE(history.CanRedo());
    history.Undo();
    EXPECT_EQ(Rec(0, 0).GetAttr("PHONE"), "1");
}

TEST_F(EditHistoryTest, MergeableStepsOnTheSameNodeAreOne)
{
    const QByteArray before = Text();
    for (const char* typed : { "c", "co", "con" }) {
        TEditStep step(&history, "Print template", Notebook(), true);
        Notebook().SetAttr("PRINT_TEMPLATE", typed);
    }
    EXPECT_EQ(history.Count(), 1);
    {
        // Another node, or a step of another kind, starts a step of its own.
        TEditStep step(&history, "Print template", Notebook(1), true);
        Notebook(1).SetAttr("PRINT_TEMPLATE", "x");
    }
    EXPECT_EQ(history.Count(), 2);
    history.Undo();
    history.Undo();
    EXPECT_EQ(Text(), before);
}

TEST_F(EditHistoryTest, TypingBackWhatWasThereLeavesNoStep)
{
    for (const char* typed : { "c", "" }) {
        TEditStep step(&history, "Print template", Notebook(), true);
        Notebook().SetAttr("PRINT_TEMPLATE", typed);
    }
    EXPECT_EQ(history.Count(), 0);
    EXPECT_TRUE(history.IsClean());
}

TEST_F(EditHistoryTest, TheOldestStepsGoWhenTheStepLimitIsReached)
{
    history.SetLimits(3, TEditHistory::MaxHeldBytes);
    for (int i = 1; i <= 5; ++i)
        EditAnn(QString::number(i));
    EXPECT_EQ(history.Count(), 3);
    while (history.CanUndo())
        history.Undo();
    EXPECT_EQ(Rec(0, 0).GetAttr("PHONE"), "2");
    while (history.CanRedo())
        history.Redo();
    EXPECT_EQ(Rec(0, 0).GetAttr("PHONE"), "5");
}

TEST_F(EditHistoryTest, TheOldestStepsGoWhenTheTextLimitIsReached)
{
    EditAnn("1");
    const qint64 oneStep = history.HeldBytes();
    history.SetLimits(TEditHistory::MaxSteps, oneStep * 2 + oneStep / 2);
    EditAnn("2");
    EditAnn("3");
    EXPECT_EQ(history.Count(), 2);
    EXPECT_LE(history.HeldBytes(), oneStep * 2 + oneStep / 2);
    // The edit just made stays undoable even when it alone is over the limit.
    history.SetLimits(TEditHistory::MaxSteps, 1);
    EXPECT_EQ(history.Count(), 1);
    EXPECT_EQ(history.UndoText(), "Edit cell");
}

TEST_F(EditHistoryTest, CleanFollowsTheSavedStateThroughTrimming)
{
    history.SetLimits(3, TEditHistory::MaxHeldBytes);
    EditAnn("1");
    history.SetClean();
    EditAnn("2");
    EditAnn("3");
    history.Undo();
    history.Undo();
    EXPECT_TRUE(history.IsClean());
    history.Redo();
    history.Redo();
    // Pushing out the oldest step keeps the clean state where it was...
    EditAnn("4");
    history.Undo();
    history.Undo();
    EXPECT_FALSE(history.IsClean());
    history.Undo();
    EXPECT_TRUE(history.IsClean());
    EXPECT_EQ(Rec(0, 0).GetAttr("PHONE"), "1");
    // ...until the saved state itself is pushed out: it can never come back.
    history.Redo();
    EditAnn("5");
    EditAnn("6");
    EditAnn("7");
    while (history.CanUndo()) {
        history.Undo();
        EXPECT_FALSE(history.IsClean());
    }
}

TEST_F(EditHistoryTest, RestoringTellsWhichNodeAndRecordsNothing)
{
    EditAnn("1");
    QSignalSpy about(&history, &TEditHistory::AboutToRestore);
    QSignalSpy restored(&history, &TEditHistory::Restored);
    // What the window does while it shows the restored document is no step of its own.
    QObject::connect(&history, &TEditHistory::Restored, [this] {
        TEditStep step(&history, "Edit cell", Rec(1, 0));
        Rec(1, 0).SetAttr("PHONE", "refresh");
    });
    history.Undo();
    ASSERT_EQ(restored.size(), 1);
    EXPECT_EQ(about.size(), 1);
    EXPECT_EQ(restored[0][0].value<TNodePath>(), (TNodePath { 0, 1, 0, 0 }));
    EXPECT_EQ(restored[0][1].value<TNodePath>(), (TNodePath { 0, 1, 0, 0 }));
    EXPECT_EQ(history.Count(), 1);
    EXPECT_TRUE(history.CanRedo());
}

// The window shows the deepest node that holds the first change: the record that came back, not its page.
TEST_F(EditHistoryTest, RestoringPointsAtTheFirstChange)
{
    struct Row {
        const char* what;
        std::function<TKelPigger&()> node;
        std::function<void()> edit;
        TNodePath undone;
        TNodePath redone;
    };
    const Row rows[] = {
        { "delete record", [this]() -> TKelPigger& { return Page(0); }, [this] { delete &Rec(0, 1); }, { 0, 1, 0, 1 },
            { 0, 1, 0 } },
        { "notebook name", [this]() -> TKelPigger& { return Notebook(); },
            [this] { Notebook().SetAttr("NAME", "Pals"); }, { 0 }, { 0 } },
        { "delete page", [this]() -> TKelPigger& { return Pages(); }, [this] { delete &Page(0); }, { 0, 1, 0 },
            { 0, 1, 0 } },
        { "new page", [this]() -> TKelPigger& { return Pages(); },
            [this] { (new TKelPigger(&Pages()))->SetTag("PAGE"); }, { 0, 1 }, { 0, 1, 2 } },
        { "first record of an empty page", [this]() -> TKelPigger& { return Page(0, 1); },
            [this] { delete &Rec(0, 0, 1); }, { 1, 1, 0 }, { 1, 1, 0 } },
        { "delete notebook", [this]() -> TKelPigger& { return *doc; }, [this] { delete &Notebook(0); }, { 0 }, { 0 } },
    };
    for (const Row& row : rows) {
        {
            TEditStep step(&history, row.what, row.node());
            row.edit();
        }
        QSignalSpy restored(&history, &TEditHistory::Restored);
        history.Undo();
        history.Redo();
        ASSERT_EQ(restored.size(), 2) << row.what;
        EXPECT_EQ(restored[0][1].value<TNodePath>(), row.undone) << row.what;
        EXPECT_EQ(restored[1][1].value<TNodePath>(), row.redone) << row.what;
        history.Undo();
    }
}

TEST_F(EditHistoryTest, UndoAndRedoWaitForTheOpenStep)
{
    EditAnn("1");
    TEditStep step(&history, "Edit cell", Rec(0, 0));
    history.Undo();
    EXPECT_EQ(Rec(0, 0).GetAttr("PHONE"), "1");
    EXPECT_EQ(history.Count(), 1);
}

} // namespace
} // namespace quillo

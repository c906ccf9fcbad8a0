#include "notebook/NotebookEdits.h"
#include "notebook/TEditHistory.h"
#include "records/NewNotebookPlan.h"
#include "records/RecordOps.h"
#include "records/TBirthdayReminder.h"
#include "testutil/TreeTesting.h"

#include <gtest/gtest.h>

#include <random>

namespace quillo {
namespace {

// Thousands of random edits, each made as the window makes it: the same operations, one step on the node the
// window opens it on. Undo and redo, also mixed in between, must give back every state byte for byte.
class RandomEdits {
public:
    explicit RandomEdits(unsigned seed)
        : m_random(seed)
        , m_doc(testutil::ReadTree(R"(
<NOTEBOOKS>
	<NOTEBOOK NAME="One" RPP="4">
		<FIELDS><FIELD NAME="A"/><FIELD NAME="B"/></FIELDS>
		<PAGES><PAGE NAME="P"><REC A="1" B="x"/></PAGE><PAGE NAME="Q"/></PAGES>
	</NOTEBOOK>
</NOTEBOOKS>)"))
        , m_history(*m_doc)
    {
        m_history.SetLimits(1000000, TEditHistory::MaxHeldBytes);
        m_line.push_back(Text());
    }

    QByteArray Text() const { return m_doc->SaveToText(); }
    TEditHistory& History() { return m_history; }
    const std::vector<QByteArray>& Line() const { return m_line; }
    size_t At() const { return m_at; }

    // One random edit. A step made (or merged into the one before) ends the line of states there.
    void Edit()
    {
        const int countBefore = m_history.Count();
        const bool couldRedo = m_history.CanRedo();
        RandomEdit();
        const QByteArray text = Text();
        if (m_history.Count() == countBefore && m_history.CanRedo() == couldRedo && text == m_line[m_at])
            return;
        ASSERT_FALSE(m_history.CanRedo());
        const size_t count = size_t(m_history.Count());
        m_line.resize(count);
        m_line.push_back(text);
        m_at = count;
    }

    void Undo()
    {
        if (!m_history.CanUndo())
            return;
        m_history.Undo();
        --m_at;
    }

    void Redo()
    {
        if (!m_history.CanRedo())
            return;
        m_history.Redo();
        ++m_at;
    }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

private:
    TKelPigger& AnyOf(TKelPigger& list) { return *list.Child(Pick(list.ChildCount())); }
    TKelPigger& AnyNotebook() { return AnyOf(*m_doc); }
    static TKelPigger& FieldsOf(TKelPigger& notebook) { return *notebook.FindChild("FIELDS"); }
    static TKelPigger& PagesOf(TKelPigger& notebook) { return *notebook.FindChild("PAGES"); }
    QString AnyValue() { return QStringLiteral("v%1%2").arg(Pick(50)).arg(Pick(3) == 0 ? "<%\"\t>" : ""); }
    QString AnyField(TKelPigger& notebook) { return AnyOf(FieldsOf(notebook)).GetAttr("NAME"); }

    void RandomEdit()
    {
        TKelPigger& notebook = AnyNotebook();
        TKelPigger& fields = FieldsOf(notebook);
        TKelPigger& pages = PagesOf(notebook);
        TKelPigger& page = AnyOf(pages);
        TKelPigger* record = page.ChildCount() > 0 ? &AnyOf(page) : nullptr;
        const TWalker walk
            = [](TKelPigger& start, const TNodeVisitor& visit) { NotebookEdits::WalkTree(start, visit); };
        switch (Pick(18)) {
        case 0:
        case 1:
        case 2:
            if (record) {
                TEditStep step(&m_history, "Edit cell", *record);
                record->SetAttr(AnyField(notebook), AnyValue());
            }
            break;
        case 3: {
            const bool overflow = page.ChildCount() >= RecordOps::RecordsPerPage(&notebook);
            TEditStep step(&m_history, "Append record", overflow ? pages : page);
            TKelPigger* target = overflow ? RecordOps::AddOverflowPage(page) : &page;
            TEditStep form(&m_history, "Edit record", RecordOps::AppendRecord(*target));
            target->Child(target->ChildCount() - 1)->SetAttr(AnyField(notebook), AnyValue());
            break;
        }
        case 4:
            if (record) {
                TEditStep step(&m_history, "Delete record", page);
                delete record;
            }
            break;
        case 5:
            if (page.ChildCount() > 1) {
                TEditStep step(&m_history, "Move record up", page);
                NotebookEdits::MoveChildStep(page, *record, Pick(2) == 0);
            }
            break;
        case 6: {
            TEditStep step(&m_history, "Sort records", page);
            RecordOps::SortRecords(page, AnyField(notebook), Pick(2) == 0);
            break;
        }
        case 7:
            if (record) {
                TKelPigger& target = AnyOf(PagesOf(AnyNotebook()));
                TEditStep step(&m_history, "Move record to page", *NodePath::CommonAncestor(page, target));
                RecordOps::MoveRecordToPage(*record, target);
            }
            break;
        case 8: {
            TEditStep step(&m_history, "Change notebook", notebook);
            TNotebookProps props = TNotebookProps::Read(notebook);
            props.description = AnyValue();
            props.rpp = 2 + Pick(5);
            props.rightTabs = Pick(2) == 0;
            props.Apply(notebook);
            break;
        }
        case 9: {
            QString refusal;
            const QString name = NotebookEdits::NewPageName(pages, AnyValue(), refusal);
            if (!name.isEmpty()) {
                TEditStep step(&m_history, "New page", pages);
                auto* added = new TKelPigger(&pages);
                added->SetTag("PAGE");
                added->SetAttr("NAME", name);
            }
            break;
        }
        case 10:
            if (pages.ChildCount() > 1) {
                TEditStep step(&m_history, "Delete page", pages);
                delete &page;
            }
            break;
        case 11: {
            TEditStep step(&m_history, "Move page down", pages);
            NotebookEdits::MoveChildStep(pages, page, Pick(2) == 0);
            break;
        }
        case 12: {
            QString refusal;
            const QString name = NotebookEdits::NewFieldName(fields, AnyValue(), refusal);
            if (!name.isEmpty()) {
                TEditStep step(&m_history, "New field", fields);
                auto* added = new TKelPigger(&fields);
                added->SetTag("FIELD");
                added->SetAttr("NAME", name);
            }
            break;
        }
        case 13: {
            TKelPigger& field = AnyOf(fields);
            const QString oldName = field.GetAttr("NAME");
            QString refusal;
            const QString newName = NotebookEdits::NewFieldName(fields, AnyValue(), refusal);
            if (!newName.isEmpty()) {
                TEditStep step(&m_history, "Change field", notebook);
                field.SetAttr("NAME", newName);
                field.SetAttr("WIDTH", QString::number(Pick(300)));
                NotebookEdits::MoveFieldValues(notebook, oldName, newName, walk);
            }
            break;
        }
        case 14:
            if (fields.ChildCount() > 1) {
                TKelPigger& field = AnyOf(fields);
                TEditStep step(&m_history, "Delete field", notebook);
                NotebookEdits::RemoveFieldValues(notebook, field.GetAttr("NAME"), walk);
                delete &field;
            }
            break;
        case 15: {
            TEditStep step(&m_history, "Reminder settings", notebook);
            TBirthdayReminder::SetChoice(notebook, 0);
            notebook.SetAttr("BDF", Pick(2) == 0 ? AnyField(notebook) : QString());
            break;
        }
        case 16:
            if (m_doc->ChildCount() < 4 && Pick(3) == 0) {
                TEditStep step(&m_history, "New notebook", *m_doc);
                TNewNotebookPlan { AnyValue(), "", { "A", "C" }, { "P" } }.AppendTo(*m_doc);
            } else if (m_doc->ChildCount() > 1) {
                TEditStep step(&m_history, "Delete notebook", *m_doc);
                delete &notebook;
            }
            break;
        case 17: {
            TEditStep step(&m_history, "Change print template", notebook, true);
            notebook.SetAttr("PRINT_TEMPLATE", notebook.GetAttr("PRINT_TEMPLATE") + QString::number(Pick(10)));
            break;
        }
        }
    }

    std::mt19937 m_random;
    std::unique_ptr<TKelPigger> m_doc;
    TEditHistory m_history;
    // The states of the steps that can be undone and redone, and the one the document is in.
    std::vector<QByteArray> m_line;
    size_t m_at = 0;
};

TEST(EditHistoryRandomTest, UndoingAllGivesTheOriginalAndRedoingAllTheFinalBytes)
{
    for (const unsigned seed : { 1u, 2u, 3u }) {
        RandomEdits edits(seed);
        for (int i = 0; i < 4000; ++i) {
            // Now and then the user undoes a few steps and redoes some of them before editing on.
            if (edits.Pick(8) == 0) {
                for (int n = edits.Pick(4); n > 0; --n)
                    edits.Undo();
                for (int n = edits.Pick(3); n > 0; --n)
                    edits.Redo();
                ASSERT_EQ(edits.Text(), edits.Line()[edits.At()]) << "seed " << seed << ", edit " << i;
            }
            ASSERT_NO_FATAL_FAILURE(edits.Edit()) << "seed " << seed << ", edit " << i;
        }
        while (edits.History().CanRedo())
            edits.Redo();
        const size_t steps = edits.At();
        ASSERT_GT(steps, 1500u);
        const QByteArray final = edits.Text();
        while (edits.History().CanUndo()) {
            edits.Undo();
            ASSERT_EQ(edits.Text(), edits.Line()[edits.At()]) << "seed " << seed << ", undo to " << edits.At();
        }
        EXPECT_EQ(edits.At(), 0u);
        EXPECT_TRUE(edits.History().IsClean());
        while (edits.History().CanRedo())
            edits.Redo();
        EXPECT_EQ(edits.Text(), final) << "seed " << seed;
        EXPECT_EQ(edits.At(), steps);
    }
}

} // namespace
} // namespace quillo

#include "ui/widgets/MainWindowFixture.h"

#include "tree/TKelPigger.h"
#include "ui/TOPigExplorer.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTreeWidget>

#include <memory>

namespace quillo::test {
namespace {

class GuiderTest : public testing::Test {
protected:
    void SetUp() override
    {
        doc.LoadFromText(SampleDocument);
        guider.SetRoot(&doc);
        tester = std::make_unique<QAbstractItemModelTester>(
            guider.TV1->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }

    TKelPigger& Notebook(int i) { return *doc.Child(i); }
    TKelPigger& Fields() { return *Notebook(0).FindChild("FIELDS"); }
    TKelPigger& Pages() { return *Notebook(0).FindChild("PAGES"); }

    // Captions of the items below node's item, in item order.
    QStringList ChildCaptions(const TKelPigger& node)
    {
        QStringList captions;
        QTreeWidgetItem* item = guider.ItemOf(&node);
        for (int i = 0; item && i < item->childCount(); ++i)
            captions.append(item->child(i)->text(0));
        return captions;
    }

    // The nodes the items below node's item point to must be node's children in order.
    void ExpectItemsFollowNodes(const TKelPigger& node)
    {
        QTreeWidgetItem* item = guider.ItemOf(&node);
        ASSERT_NE(item, nullptr);
        ASSERT_EQ(item->childCount(), node.ChildCount());
        for (int i = 0; i < node.ChildCount(); ++i)
            EXPECT_EQ(TOPigSructEd::NodeOf(item->child(i)), node.Child(i)) << i;
    }

    TKelPigger doc;
    TOPigExplorer guider;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(GuiderTest, CaptionsFollowTagNameAndTitle)
{
    struct Case {
        const char* element;
        const char* caption;
    };
    const Case cases[] = {
        { "<NOTEBOOKS/>", "NOTEBOOKS" },
        { "<NOTEBOOK NAME=\"Friends\"/>", "NOTEBOOK:Friends" },
        { "<NOTEBOOK/>", "NOTEBOOK" },
        { "<NOTEBOOK NAME=\"Friends\" TITLE=\"Pals\"/>", "NOTEBOOK:Pals" },
        { "<FIELDS/>", "FIELDS" },
        { "<FIELD NAME=\"PHONE\"/>", "PHONE" },
        { "<FIELD NAME=\"PHONE\" TITLE=\"Phone number\"/>", "Phone number" },
        { "<PAGES/>", "PAGES" },
        { "<PAGE NAME=\"A\" TITLE=\"Letter A\"/>", "Letter A" },
        { "<PAGE/>", "" },
    };
    for (const Case& c : cases) {
        TKelPigger node;
        node.LoadFromText(c.element);
        EXPECT_EQ(guider.NodeCaption(node), QString::fromUtf8(c.caption)) << c.element;
    }
}

TEST_F(GuiderTest, ShowsTheStructureButNeverRecords)
{
    ASSERT_EQ(guider.TV1->topLevelItemCount(), 1);
    EXPECT_EQ(guider.TV1->topLevelItem(0)->text(0), "NOTEBOOKS");
    EXPECT_EQ(ChildCaptions(doc), QStringList({ "NOTEBOOK:Friends", "NOTEBOOK:Work" }));
    EXPECT_EQ(ChildCaptions(Notebook(0)), QStringList({ "FIELDS", "PAGES" }));
    EXPECT_EQ(ChildCaptions(Fields()), QStringList({ "PERSON", "Phone number", "BIRTHDAY" }));
    EXPECT_EQ(ChildCaptions(Pages()), QStringList({ "A", "B", "C" }));
    for (int i = 0; i < Pages().ChildCount(); ++i)
        EXPECT_EQ(guider.ItemOf(Pages().Child(i))->childCount(), 0);
    EXPECT_EQ(guider.ItemOf(Pages().Child(0)->Child(0)), nullptr);
}

TEST_F(GuiderTest, ImagesByTag)
{
    const std::pair<const char*, int> cases[] = { { "NOTEBOOKS", 0 }, { "NOTEBOOK", 1 }, { "FIELDS", 2 },
        { "FIELD", 3 }, { "PAGES", 4 }, { "PAGE", 5 }, { "REC", -1 }, { "THEPIG", -1 } };
    for (const auto& [tag, index] : cases)
        EXPECT_EQ(TOPigExplorer::ImageIndex(tag), index) << tag;
    EXPECT_EQ(guider.ItemOf(Fields().Child(0))->data(0, Qt::UserRole).toInt(), 3);
}

TEST_F(GuiderTest, SelectionAndCurrentNotebook)
{
    QSignalSpy changes(&guider, &TOPigSructEd::SelectionChanged);
    guider.Select(Pages().Child(1));
    EXPECT_EQ(guider.SelectedNode(), Pages().Child(1));
    EXPECT_EQ(guider.CurrentNotebookOf(), &Notebook(0));
    guider.Select(Notebook(1).FindChild("FIELDS")->Child(0));
    EXPECT_EQ(guider.CurrentNotebookOf(), &Notebook(1));
    guider.Select(&Notebook(1));
    EXPECT_EQ(guider.CurrentNotebookOf(), &Notebook(1));
    guider.SelectFirst();
    EXPECT_EQ(guider.SelectedNode(), &doc);
    EXPECT_EQ(guider.CurrentNotebookOf(), nullptr);
    EXPECT_EQ(changes.count(), 4);

    // A node without an item clears the selection, and says so once.
    guider.Select(Pages().Child(0)->Child(0));
    EXPECT_EQ(guider.SelectedNode(), nullptr);
    EXPECT_EQ(guider.CurrentNotebookOf(), nullptr);
    EXPECT_EQ(changes.count(), 5);
}

TEST_F(GuiderTest, AddChildAndDeleteItemKeepItemsAndNodesTogether)
{
    TKelPigger* node = guider.AddChild(guider.ItemOf(&Pages()));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->Tag(), "THEPIG");
    EXPECT_EQ(node->Parent(), &Pages());
    EXPECT_EQ(Pages().Child(3), node);
    ExpectItemsFollowNodes(Pages());

    guider.DeleteItem(guider.ItemOf(Pages().Child(1)));
    EXPECT_EQ(Pages().ChildCount(), 3);
    EXPECT_EQ(Pages().Child(1)->GetAttr("NAME"), "C");
    ExpectItemsFollowNodes(Pages());
    EXPECT_EQ(guider.AddChild(nullptr), nullptr);
}

TEST_F(GuiderTest, MoveItemMirrorsMovingNeighbours)
{
    struct Case {
        int index;
        bool up;
        const char* order;
    };
    // Each case starts from the order left by the one before.
    const Case cases[] = {
        { 1, true, "B A C" },
        { 0, false, "A B C" },
        { 2, true, "A C B" },
        { 1, false, "A B C" },
    };
    guider.Select(Pages().Child(1));
    TKelPigger* selected = Pages().Child(1);
    for (const Case& c : cases) {
        TKelPigger& node = *Pages().Child(c.index);
        TKelPigger& other = *Pages().Child(c.up ? c.index - 1 : c.index + 1);
        QTreeWidgetItem* item = guider.ItemOf(&node);
        QTreeWidgetItem* otherItem = guider.ItemOf(&other);
        Pages().MoveChild(c.index, c.up ? c.index - 1 : c.index + 1);
        guider.MoveItem(item, otherItem, c.up);
        EXPECT_EQ(ChildCaptions(Pages()).join(' '), c.order);
        ExpectItemsFollowNodes(Pages());
        EXPECT_EQ(guider.SelectedNode(), selected) << "a move must not change the selection";
    }
}

TEST_F(GuiderTest, SwapNodesExchangesWholeContent)
{
    TKelPigger& pageA = *Pages().Child(0);
    TKelPigger& first = *pageA.Child(0);
    TKelPigger& second = *pageA.Child(1);
    EXPECT_TRUE(TOPigSructEd::SwapNodes(&first, &second));
    EXPECT_EQ(first.GetAttr("PERSON"), "Abe");
    EXPECT_EQ(first.GetAttr("PHONE"), "");
    EXPECT_EQ(second.GetAttr("PERSON"), "Ann");
    EXPECT_EQ(second.GetAttr("PHONE"), "123");
    EXPECT_EQ(pageA.ChildCount(), 2);
    EXPECT_FALSE(TOPigSructEd::SwapNodes(&first, nullptr));
    EXPECT_FALSE(TOPigSructEd::SwapNodes(nullptr, &second));
    // Loading a node frees its subtree: a node and one inside it are refused, not swapped.
    const QByteArray before = doc.SaveToText();
    EXPECT_FALSE(TOPigSructEd::SwapNodes(&pageA, &first));
    EXPECT_FALSE(TOPigSructEd::SwapNodes(&second, &Notebook(0)));
    EXPECT_EQ(doc.SaveToText(), before);
}

} // namespace
} // namespace quillo::test

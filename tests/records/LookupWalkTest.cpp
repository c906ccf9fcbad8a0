#include "records/NodeLookup.h"
#include "records/SlicedWalk.h"
#include "testutil/TreeTesting.h"

#include <gtest/gtest.h>

#include <QThread>

namespace quillo {
namespace {

const QByteArray Document = R"(<NOTEBOOKS><NOTEBOOK NAME="N"><PAGES><PAGE NAME="A"><REC V="1"/><REC V="2"/></PAGE>)"
                            R"(<PAGE NAME="B"><GROUP><REC V="3"/></GROUP></PAGE></PAGES></NOTEBOOK></NOTEBOOKS>)";

QString Visited(const std::vector<TKelPigger*>& nodes)
{
    QStringList tags;
    for (const TKelPigger* node : nodes)
        tags.append(QString::fromLatin1(node->Tag()) + node->GetAttr("V") + node->GetAttr("NAME"));
    return tags.join(' ');
}

TEST(SlicedWalkTest, VisitsInPreOrderAndStopsWhenAsked)
{
    const auto root = testutil::ReadTree(Document);
    const QString all = "NOTEBOOKS NOTEBOOKN PAGES PAGEA REC1 REC2 PAGEB GROUP REC3";
    struct Case {
        int stopAtSlice; // atSlice answers false on this call (1-based); 0 never
        QString visited;
        bool complete;
    };
    const Case cases[] = {
        { 0, all, true },
        { 1, "", false },
        { 4, "NOTEBOOKS NOTEBOOKN PAGES", false },
        { 9, "NOTEBOOKS NOTEBOOKN PAGES PAGEA REC1 REC2 PAGEB GROUP", false },
    };
    for (const Case& c : cases) {
        std::vector<TKelPigger*> visited;
        int slices = 0;
        const bool complete = WalkInSlices(
            *root, [&](TKelPigger& node) { visited.push_back(&node); }, 0, [&] { return ++slices != c.stopAtSlice; });
        EXPECT_EQ(complete, c.complete) << c.stopAtSlice;
        EXPECT_EQ(Visited(visited), c.visited) << c.stopAtSlice;
        if (c.complete) {
            EXPECT_EQ(slices, 9) << "a zero slice turns before every node";
        }
    }

    // From a subtree: only it.
    std::vector<TKelPigger*> visited;
    TKelPigger* pageB = root->Child(0)->Child(0)->Child(1);
    EXPECT_TRUE(WalkInSlices(
        *pageB, [&](TKelPigger& node) { visited.push_back(&node); }, 0, [] { return true; }));
    EXPECT_EQ(Visited(visited), "PAGEB GROUP REC3");
}

// With a slice length the event loop turns once at the start and then only when the time is up.
TEST(SlicedWalkTest, ASliceTurnsOnlyWhenItsTimeIsUp)
{
    QByteArray text = "<NOTEBOOKS>";
    for (int i = 0; i < 1000; ++i)
        text += "<REC/>";
    const auto root = testutil::ReadTree(text + "</NOTEBOOKS>");
    int slices = 0;
    int visits = 0;
    EXPECT_TRUE(WalkInSlices(
        *root, [&](TKelPigger&) { ++visits; }, 60000, [&] { return ++slices, true; }));
    EXPECT_EQ(visits, 1001);
    EXPECT_EQ(slices, 1);

    // A slow visitor: the clock is read every so many nodes, and the loop turns then.
    slices = 0;
    EXPECT_TRUE(WalkInSlices(
        *root, [&](TKelPigger&) { QThread::usleep(50); }, 1, [&] { return ++slices, true; }));
    EXPECT_GT(slices, 1);
    EXPECT_LT(slices, 1001);
}

TEST(NodeLookupTest, ContainsPageOfAndHoldsValue)
{
    const auto root = testutil::ReadTree(Document);
    const auto other = testutil::ReadTree(Document);
    TKelPigger* pageB = root->Child(0)->Child(0)->Child(1);
    TKelPigger* deep = pageB->Child(0)->Child(0);
    EXPECT_TRUE(NodeLookup::Contains(*root, root.get()));
    EXPECT_TRUE(NodeLookup::Contains(*root, deep));
    EXPECT_FALSE(NodeLookup::Contains(*root, nullptr));
    EXPECT_FALSE(NodeLookup::Contains(*root, other->Child(0)->Child(0)->Child(1)->Child(0)->Child(0)));
    EXPECT_FALSE(NodeLookup::Contains(*pageB, root->Child(0))) << "only below the start";

    EXPECT_EQ(NodeLookup::PageOf(*deep), pageB) << "the nearest PAGE, through other elements";
    EXPECT_EQ(NodeLookup::PageOf(*pageB), nullptr) << "a page is not its own page";
    EXPECT_EQ(NodeLookup::PageOf(*root), nullptr);

    EXPECT_TRUE(NodeLookup::HoldsValue(*deep, "3"));
    EXPECT_FALSE(NodeLookup::HoldsValue(*deep, "33"));
    EXPECT_FALSE(NodeLookup::HoldsValue(*deep, "V")) << "names are not values";
    EXPECT_FALSE(NodeLookup::HoldsValue(*deep, "")) << "an absent attribute is not an empty value held";
}

} // namespace
} // namespace quillo

#include "tree/TKelArena.h"
#include "testutil/TreeTesting.h"
#include "tree/TKelPigger.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

using namespace quillo;
using quillo::testutil::ReadTree;
using quillo::testutil::TreeDifference;

namespace {

const QByteArray Book = "<NOTEBOOKS>"
                        "<NOTEBOOK NAME=\"Family\"><PAGES>"
                        "<PAGE NAME=\"A\"><REC F1=\"Ann\" F2=\"12.03.1980\"/><REC F1=\"Åsa\" F2=\"Berlin\"/></PAGE>"
                        "<PAGE NAME=\"B\"><REC F1=\"Bob\"/>note</PAGE>"
                        "</PAGES></NOTEBOOK></NOTEBOOKS>";

struct TBlock {
    char* at;
    size_t size;
};

} // namespace

TEST(TKelArena, BlocksAreAlignedDisjointAndKeepTheirBytes)
{
    struct Case {
        size_t size;
        size_t alignment;
    };
    // Small blocks fill chunks; the large ones need chunks of their own in between.
    const Case cases[] = { { 1, 1 }, { 2, 2 }, { 12, 4 }, { 24, 8 }, { 3, 16 }, { 5000, 8 }, { 1 << 20, 16 }, { 0, 8 },
        { 7, 2 }, { 40000, 4 }, { 200, 8 } };
    TKelArena* arena = TKelArena::Create();
    std::vector<TBlock> blocks;
    for (int round = 0; round < 40; ++round) {
        for (const Case& c : cases) {
            auto* at = static_cast<char*>(arena->Allocate(c.size, c.alignment));
            ASSERT_NE(at, nullptr);
            EXPECT_EQ(reinterpret_cast<uintptr_t>(at) % c.alignment, 0u) << c.size << " aligned " << c.alignment;
            std::memset(at, int(blocks.size() & 0x7f), c.size);
            blocks.push_back({ at, c.size });
        }
    }
    for (size_t i = 0; i < blocks.size(); ++i) {
        const TBlock& block = blocks[i];
        EXPECT_TRUE(std::all_of(block.at, block.at + block.size, [&](char byte) { return byte == char(i & 0x7f); }))
            << "block " << i << " was overwritten";
    }
    // An empty block may share its address with the next one.
    std::sort(blocks.begin(), blocks.end(),
        [](const TBlock& a, const TBlock& b) { return a.at < b.at || (a.at == b.at && a.size < b.size); });
    for (size_t i = 1; i < blocks.size(); ++i)
        EXPECT_LE(blocks[i - 1].at + blocks[i - 1].size, blocks[i].at) << "blocks overlap";
    arena->Release();
}

TEST(TKelArena, ContainerAllocatorUsesTheArenaOnlyWhenGivenOne)
{
    TKelArena* arena = TKelArena::Create();
    using TList = std::vector<int, TKelArenaAllocator<int>>;
    TList inArena { TKelArenaAllocator<int>(arena) };
    for (int i = 0; i < 1000; ++i)
        inArena.push_back(i);
    EXPECT_EQ(inArena.get_allocator().Arena(), arena);

    // A copy must not use an arena it holds no reference to.
    const TList copy(inArena);
    EXPECT_EQ(copy.get_allocator().Arena(), nullptr);
    TList moved = std::move(inArena);
    EXPECT_EQ(moved.get_allocator().Arena(), arena);
    moved = TList(copy);
    EXPECT_EQ(moved.get_allocator().Arena(), nullptr);
    EXPECT_EQ(moved, copy);
    EXPECT_EQ(moved[999], 999);
    arena->Release();
}

TEST(TKelArenaNodes, NodesOutliveTheirDocumentWhenMovedOrCopied)
{
    auto document = ReadTree(Book);
    TKelPigger* pageA = document->Child(0)->Child(0)->Child(0);
    TKelPigger* firstRec = pageA->Child(0);

    TKelPigger copy;
    copy.Assign(*document);
    TKelPigger other;
    other.SetTag("OTHER");
    pageA->Child(1)->SetParent(&other);
    delete firstRec;
    EXPECT_EQ(pageA->ChildCount(), 0);

    document.reset();
    ASSERT_EQ(other.ChildCount(), 1);
    const TKelPigger& moved = *other.Child(0);
    EXPECT_EQ(moved.Level(), 1);
    EXPECT_EQ(moved.GetAttr(QStringLiteral("F1")), QStringLiteral("Åsa"));
    EXPECT_EQ(other.SaveToText(), QByteArray("\r\n<OTHER>\r\n\t<REC F1=\"Åsa\" F2=\"Berlin\"/>\r\n</OTHER>"));
    EXPECT_EQ(TreeDifference(*ReadTree(Book), copy), QString());
}

TEST(TKelArenaNodes, EditsOfReadNodesLeaveTheirNeighboursAlone)
{
    struct Edit {
        const char* name;
        void (*apply)(TKelPigger&);
        const char* expected;
    };
    const Edit edits[] = {
        { "replace longer", [](TKelPigger& rec) { rec.SetAttr(QStringLiteral("F1"), QStringLiteral("Annabelle")); },
            "<REC F1=\"Annabelle\" F2=\"12.03.1980\"/>" },
        { "replace shorter", [](TKelPigger& rec) { rec.SetAttr(QStringLiteral("F2"), QStringLiteral("x")); },
            "<REC F1=\"Ann\" F2=\"x\"/>" },
        { "append", [](TKelPigger& rec) { rec.SetAttr(QStringLiteral("f3"), QStringLiteral("new")); },
            "<REC F1=\"Ann\" F2=\"12.03.1980\" F3=\"new\"/>" },
        { "delete", [](TKelPigger& rec) { rec.DeleteAttr(QStringLiteral("F1")); }, "<REC F2=\"12.03.1980\"/>" },
        { "clear and refill",
            [](TKelPigger& rec) {
                rec.Clear();
                rec.SetTag("REC");
                rec.SetAttr(QStringLiteral("F9"), QStringLiteral("9"));
            },
            "<REC F9=\"9\"/>" },
        { "read again", [](TKelPigger& rec) { rec.LoadFromText("<rec f5=\"five\"><SUB a=\"b\"/></rec>"); },
            "<REC F5=\"five\">\r\n\t\t\t\t\t<SUB A=\"b\"/>\r\n\t\t\t\t</REC>" },
    };
    for (const Edit& edit : edits) {
        auto document = ReadTree(Book);
        TKelPigger* pageA = document->Child(0)->Child(0)->Child(0);
        edit.apply(*pageA->Child(0));
        const QByteArray text = document->SaveToText();
        EXPECT_TRUE(text.contains(edit.expected)) << edit.name << "\n" << text.constData();
        EXPECT_TRUE(text.contains("<REC F1=\"Åsa\" F2=\"Berlin\"/>")) << edit.name;
        EXPECT_EQ(pageA->Child(1)->AttrValueView(1), QStringLiteral("Berlin")) << edit.name;
        // The edited node survives its document's other nodes going first.
        TKelPigger* edited = pageA->Child(0);
        edited->SetParent(nullptr);
        document.reset();
        EXPECT_EQ(edited->Level(), 0) << edit.name;
        delete edited;
    }
}

TEST(TKelArenaNodes, NodesReadIntoOtherDocumentsAndFailedReadsAreFreedSafely)
{
    // A node read into the middle of another document, then that document replaced.
    auto outer = ReadTree(Book);
    TKelPigger* pageB = outer->Child(0)->Child(0)->Child(1);
    pageB->Child(0)->LoadFromText("<REC F1=\"Inner\"><X/></REC>");
    auto innerCopy = std::make_unique<TKelPigger>();
    innerCopy->Assign(*pageB->Child(0));
    outer->LoadFromText("<NOTEBOOKS/>");
    EXPECT_EQ(innerCopy->GetAttr(QStringLiteral("F1")), QStringLiteral("Inner"));
    EXPECT_EQ(innerCopy->ChildCount(), 1);

    // A read that fails half way keeps what it built, and that is freed like the rest.
    TKelPigger partial;
    EXPECT_ANY_THROW(partial.LoadFromText("<A><B x=\"1\"/><C y=\"2\"><D>"));
    EXPECT_EQ(partial.ChildCount(), 2);
    EXPECT_EQ(partial.Child(0)->GetAttr(QStringLiteral("x")), QStringLiteral("1"));
    partial.Child(1)->SetParent(innerCopy.get());
    partial.Clear();
    EXPECT_EQ(innerCopy->Child(1)->GetAttr(QStringLiteral("y")), QStringLiteral("2"));
}

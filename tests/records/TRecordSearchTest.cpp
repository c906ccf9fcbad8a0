#include "records/TRecordSearch.h"
#include "notebook/NotebookEdits.h"
#include "testutil/QtPrinters.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

const char* const Document = R"(<NOTEBOOKS>)"
                             R"(<NOTEBOOK NAME="Home"><FIELDS><FIELD NAME="PHONES"/><FIELD NAME="FIRST"/></FIELDS>)"
                             R"(<PAGES><PAGE NAME="A"><REC FIRST="Anna" LAST="Hannaford" PHONES="123"/>)"
                             R"(<REC FIRST="ANNE" LAST="x"/></PAGE>)"
                             R"(<PAGE NAME="B"><REC FIRST="bob" LAST="Phoneyman"/><REC/></PAGE></PAGES></NOTEBOOK>)"
                             R"(<NOTEBOOK NAME="Work"><FIELDS/><PAGES><PAGE NAME="A"><REC FIRST="anna"/>)"
                             R"(</PAGE></PAGES></NOTEBOOK></NOTEBOOKS>)";

// "VALUE@TAG" for every hit, in order.
QStringList Found(TKelPigger& start, const QString& text, bool caseSensitive, bool recordsOnly)
{
    QStringList found;
    const TRecordSearch search(text, caseSensitive, recordsOnly);
    for (const TSearchHit& hit :
        search.Run(start, [](TKelPigger&node, const TNodeVisitor&visit) { NotebookEdits::WalkTree(node, visit); }))
        found.append(hit.node->AttrValue(hit.attr) + "@" + QString::fromLatin1(hit.node->Tag()));
    return found;
}

class TRecordSearchTest : public testing::Test {
protected:
    void SetUp() override { root.LoadFromText(Document); }
    TKelPigger& Notebook(int i) { return *root.Child(i); }
    TKelPigger& Page(int notebook, int page) { return *Notebook(notebook).FindChild("PAGES")->Child(page); }
    TKelPigger root;
};

TEST_F(TRecordSearchTest, MatchingRules)
{
    struct Case {
        const char* text;
        bool caseSensitive;
        bool recordsOnly;
        QStringList expected;
    };
    const Case cases[] = {
        // Mixed and upper case found by a lower-case text; one hit per matching attribute.
        { "anna", false, true, { "Anna@REC", "Hannaford@REC", "anna@REC" } },
        { "anna", true, true, { "Hannaford@REC", "anna@REC" } },
        { "ANN", true, true, { "ANNE@REC" } },
        // Surrounding blanks and control characters are not part of the text.
        { " \t\x01nne\n ", false, true, { "ANNE@REC" } },
        { "phon", false, true, { "Phoneyman@REC" } },
        // Other nodes only when asked; attribute names and tags are never searched.
        { "phon", false, false, { "PHONES@FIELD", "Phoneyman@REC" } },
        { "notebook", false, false, {} },
        { "rec", false, false, {} },
        { "   ", false, false, {} },
        { "", true, false, {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Found(root, c.text, c.caseSensitive, c.recordsOnly), c.expected)
            << c.text << " case " << c.caseSensitive << " records " << c.recordsOnly;
}

TEST_F(TRecordSearchTest, FullCaseMappingBothWays)
{
    TKelPigger& rec = *Page(1, 0).Child(0);
    rec.SetAttr("STREET", QString::fromUtf8("Große Straße"));
    rec.SetAttr("CITY", QString::fromUtf8("STRASSBURG"));
    const QString street = QString::fromUtf8("Große Straße");
    EXPECT_EQ(Found(root, "strass", false, true), QStringList({ street + "@REC", "STRASSBURG@REC" }));
    EXPECT_EQ(Found(root, QString::fromUtf8("straß"), false, true), QStringList({ street + "@REC", "STRASSBURG@REC" }));
    EXPECT_EQ(Found(root, QString::fromUtf8("Straß"), true, true), QStringList({ street + "@REC" }));
    EXPECT_EQ(TRecordSearch::PreparePattern(QString::fromUtf8(" \u00a0ß\u2003"), false), "SS");
}

TEST_F(TRecordSearchTest, FindsThePatternAnywhereInTheValue)
{
    const QString longPattern = QString(17, QChar('a')) + QChar('b');
    struct Case {
        QString value;
        QString text;
        bool found;
    };
    const Case cases[] = {
        { "abc", "abc", true },
        { "xabc", "abc", true },
        { "abcx", "abc", true },
        { "ab", "abc", false },
        { "aaab", "aab", true },
        { "abab", "bab", true },
        { "abca", "ca", true },
        { "abcb", "cc", false },
        { QString(40, QChar('a')) + "b", longPattern, true },
        { QString(40, QChar('a')), longPattern, false },
        { QString(17, QChar('a')), longPattern, false },
    };
    TKelPigger& rec = *Page(0, 1).Child(0);
    for (const Case& c : cases) {
        rec.SetAttr("FIRST", c.value);
        for (const bool caseSensitive : { true, false }) {
            const QStringList found = Found(Page(0, 1), c.text, caseSensitive, true);
            EXPECT_EQ(found.size(), c.found ? 1 : 0)
                << c.value.toStdString() << " / " << c.text.toStdString() << " case " << caseSensitive;
        }
    }
}

TEST_F(TRecordSearchTest, StartNodeLimitsTheWalk)
{
    EXPECT_EQ(Found(Page(0, 0), "ann", false, true), QStringList({ "Anna@REC", "Hannaford@REC", "ANNE@REC" }));
    EXPECT_EQ(Found(Page(0, 1), "ann", false, true), QStringList());
    EXPECT_EQ(Found(Notebook(1), "ann", false, true), QStringList({ "anna@REC" }));
    // The start node itself is examined.
    EXPECT_EQ(Found(Notebook(1), "work", false, false), QStringList({ "Work@NOTEBOOK" }));
}

} // namespace
} // namespace quillo

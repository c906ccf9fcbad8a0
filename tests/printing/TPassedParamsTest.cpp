#include "printing/TPassedParams.h"
#include "testutil/TreeTesting.h"

#include <gtest/gtest.h>

using namespace quillo;

namespace {

QByteArray Saved(const TKelPigger& node) { return node.SaveToText(); }

TEST(TPassedParams, SettingANameTwiceKeepsOneParamWithTheLastValue)
{
    TPassedParams params;
    params.Set(QStringLiteral("PAGE_TYPE"), QStringLiteral("RIGHT"));
    params.Set(QStringLiteral("page_type"), QStringLiteral("LEFT"));
    params.Set(QStringLiteral("RPP"), QStringLiteral("9"), QStringLiteral("INT"));
    ASSERT_EQ(params.Node().ChildCount(), 2);
    EXPECT_EQ(params.Node().Child(0)->GetAttr(QStringLiteral("NAME")), QStringLiteral("page_type"));
    EXPECT_EQ(params.Node().Child(0)->GetAttr(QStringLiteral("VALUE")), QStringLiteral("LEFT"));
    EXPECT_EQ(params.Node().Child(0)->GetAttr(QStringLiteral("TYPE")), QStringLiteral("STRING"));
    EXPECT_EQ(params.Node().Child(1)->GetAttr(QStringLiteral("TYPE")), QStringLiteral("INT"));
}

TEST(TPassedParams, ClearLeavesAnEmptyParamsElement)
{
    TPassedParams params;
    params.Set(QStringLiteral("X"), QStringLiteral("1"));
    params.Node().SetAttr(QStringLiteral("STRAY"), QStringLiteral("y"));
    const QByteArray fresh = Saved(TPassedParams().Node());
    params.Clear();
    EXPECT_EQ(params.Node().ChildCount(), 0);
    EXPECT_EQ(params.Node().AttrCount(), 0);
    EXPECT_EQ(Saved(params.Node()), fresh);
}

TEST(TPassedParams, PageParamsGiveTheSideAndRecordsPerPageLessOne)
{
    struct Row {
        const char* notebook;
        const char* rpp;
    };
    const Row rows[] = {
        { nullptr, "9" },
        { "<NOTEBOOK RPP=\"12\"/>", "11" },
        { "<NOTEBOOK/>", "9" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.notebook ? row.notebook : "no notebook");
        const std::unique_ptr<TKelPigger> notebook = row.notebook ? testutil::ReadTree(row.notebook) : nullptr;
        TPassedParams params;
        params.SetPageParams(QStringLiteral("RIGHT"), notebook.get());
        params.SetPageParams(QStringLiteral("LEFT"), notebook.get());
        EXPECT_EQ(Saved(params.Node()),
            QByteArray("\r\n<PARAMS>\r\n\t<PARAM NAME=\"PAGE_TYPE\" VALUE=\"LEFT\" TYPE=\"STRING\"/>"
                       "\r\n\t<PARAM NAME=\"RPP\" VALUE=\"")
                + row.rpp + "\" TYPE=\"INT\"/>\r\n</PARAMS>");
    }
}

} // namespace

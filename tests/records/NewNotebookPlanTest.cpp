#include "records/NewNotebookPlan.h"
#include "notebook/NotebookSchema.h"
#include "testutil/ErrorMessage.h"
#include "testutil/TempFolder.h"
#include "testutil/TreeTesting.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

#include <QDir>

namespace quillo {
namespace {

using NewNotebookLists::ParseSetText;

QByteArray Utf16(const QString& text, bool littleEndian)
{
    QByteArray bytes = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (const QChar c : text) {
        const char low = char(c.unicode() & 0xFF);
        const char high = char(c.unicode() >> 8);
        bytes += littleEndian ? low : high;
        bytes += littleEndian ? high : low;
    }
    return bytes;
}

TEST(NewNotebookLists, SetFilesDecodeByTheirByteOrderMark)
{
    const QString text = QStringLiteral("Größe\r\nÄrger\n");
    const QStringList expected { QStringLiteral("Größe"), QStringLiteral("Ärger") };
    EXPECT_EQ(ParseSetText(Utf16(text, true), false), expected);
    EXPECT_EQ(ParseSetText(Utf16(text, false), false), expected);
    EXPECT_EQ(ParseSetText("\xEF\xBB\xBF" + text.toUtf8(), false), expected);
    EXPECT_EQ(ParseSetText(text.toUtf8(), false), expected);
}

TEST(NewNotebookLists, SetLinesStayAsWrittenButBlanksRepeatsAndUnusableFieldNames)
{
    const QByteArray text = "Http\r\n  \r\n\tMy page \r\nHTTP\nlast";
    EXPECT_EQ(ParseSetText(text, false), QStringList({ "Http", "My page", "last" }));
    // A field name is what records store values under: it follows the name rule, its case is kept.
    EXPECT_EQ(ParseSetText(text, true), QStringList({ "Http", "My_page", "last" }));
    EXPECT_EQ(ParseSetText("", true), QStringList());
}

TEST(NewNotebookLists, TooLargeOrMissingSetFilesAreRefused)
{
    testutil::TempFolder folder;
    const QString large = folder.Write("large.fds", QByteArray(NewNotebookLists::MaxSetFileBytes + 1, 'A'));
    EXPECT_TRUE(testutil::ErrorOf([&] { NewNotebookLists::ReadSetFile(large, true); }).contains("too large"));
    EXPECT_TRUE(testutil::ErrorOf([&] {
        NewNotebookLists::ReadSetFile(folder.File("none.fds"), true);
    }).startsWith("Cannot open file"));
    EXPECT_TRUE(testutil::ErrorOf([&] { NewNotebookLists::ReadSetFile(folder.Path(), true); }).startsWith("Cannot"));
}

TEST(NewNotebookLists, CustomNamesAreTrimmedUpperCasedAndFollowTheNameRule)
{
    const std::pair<const char*, const char*> cases[] = {
        { "http", "HTTP" },
        { " my field ", "MY_FIELD" },
        { "e-mail", "E-MAIL" },
        { "a.b(c)+d", "A_B(C)+D" },
        { "   ", "" },
    };
    for (const auto& [typed, name] : cases)
        EXPECT_EQ(NewNotebookLists::CustomName(typed), name) << typed;
}

TEST(NewNotebookLists, EveryShippedSetLoadsWithNamesAsTheyAreStored)
{
    const QDir custom(QStringLiteral(QUILLO_SOURCE_DIR "/custom"));
    const QStringList files = custom.entryList({ "*.fds", "*.pgs" }, QDir::Files);
    EXPECT_GE(files.size(), 3);
    QStringList fields;
    for (const QString& file : files) {
        const bool fieldSet = file.endsWith(".fds");
        const QStringList names = NewNotebookLists::ReadSetFile(custom.filePath(file), fieldSet);
        EXPECT_FALSE(names.isEmpty()) << file.toStdString();
        if (!fieldSet)
            continue;
        for (const QString& name : names)
            EXPECT_EQ(NotebookSchema::SanitizeName(name), name) << file.toStdString();
        fields += names;
    }
    EXPECT_TRUE(fields.contains("BIRTHDAY"));
    EXPECT_TRUE(fields.contains("COMPANY") && fields.contains("HTTP"));
    EXPECT_EQ(NewNotebookLists::ReadSetFile(custom.filePath("german-abc.pgs"), false).value(0), "AÄ");
}

TEST(TNewNotebookPlan, AppendsFieldsBeforePagesWithTheFeaturesOfHttpAndEmail)
{
    TKelPigger root;
    root.SetTag("NOTEBOOKS");
    TNewNotebookPlan plan { " Family", {}, { "E-MAIL", "HTTP", "Http", "e-mail" }, { "A" } };
    plan.AppendTo(root);
    const auto expected = testutil::ReadTree(R"(<NOTEBOOKS>
        <NOTEBOOK NAME=" Family">
            <FIELDS>
                <FIELD NAME="E-MAIL" FEATURE="Field is e-mail address"/>
                <FIELD NAME="HTTP" FEATURE="Field is http"/>
                <FIELD NAME="Http"/>
                <FIELD NAME="e-mail"/>
            </FIELDS>
            <PAGES>
                <PAGE NAME="A"/>
            </PAGES>
        </NOTEBOOK>
    </NOTEBOOKS>)");
    EXPECT_EQ(testutil::TreeDifference(root, *expected), "");
    plan.printTemplate = "t.zdkt";
    EXPECT_EQ(plan.AppendTo(root).GetAttr("PRINT_TEMPLATE"), "t.zdkt");
    EXPECT_EQ(root.ChildCount(), 2);
}

} // namespace
} // namespace quillo

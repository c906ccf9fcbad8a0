#include "notebook/NotebookSchema.h"
#include "testutil/NotebookFixtures.h"
#include "testutil/QtPrinters.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <memory>

namespace quillo {
namespace {

std::unique_ptr<TKelPigger> Read(const QByteArray& text)
{
    auto root = std::make_unique<TKelPigger>();
    root->LoadFromText(TKelPigger::NormalizeText(text));
    return root;
}

struct StructureCase {
    const char* name;
    QByteArray text;
    bool accepted;
};

class CheckStructureTest : public testing::TestWithParam<StructureCase> { };

TEST_P(CheckStructureTest, AcceptsOnlyAUsableFirstNotebook)
{
    EXPECT_EQ(NotebookSchema::CheckStructure(*Read(GetParam().text)), GetParam().accepted);
}

const QByteArray Fields = "<FIELDS><FIELD NAME=\"A\"/></FIELDS>";
const QByteArray Pages = "<PAGES><PAGE NAME=\"P\"/></PAGES>";

INSTANTIATE_TEST_SUITE_P(Files, CheckStructureTest,
    testing::Values(StructureCase { "Friends", testutil::FriendsNotebookText(), true },
        StructureCase {
            "PagesBeforeFields", "<NOTEBOOKS><NOTEBOOK>" + Pages + Fields + "</NOTEBOOK></NOTEBOOKS>", true },
        StructureCase { "SecondNotebookWithoutPages",
            "<NOTEBOOKS><NOTEBOOK>" + Fields + Pages + "</NOTEBOOK><NOTEBOOK>" + Fields + "</NOTEBOOK></NOTEBOOKS>",
            true },
        StructureCase { "WrongRoot", "<SETTINGS><NOTEBOOK>" + Fields + Pages + "</NOTEBOOK></SETTINGS>", false },
        StructureCase {
            "RootInLowerCaseIsUpperCased", "<notebooks><NOTEBOOK>" + Fields + Pages + "</NOTEBOOK></notebooks>", true },
        StructureCase { "NoNotebook", "<NOTEBOOKS/>", false },
        StructureCase { "NoFields", "<NOTEBOOKS><NOTEBOOK>" + Pages + "</NOTEBOOK></NOTEBOOKS>", false },
        StructureCase { "EmptyFields", "<NOTEBOOKS><NOTEBOOK><FIELDS/>" + Pages + "</NOTEBOOK></NOTEBOOKS>", false },
        StructureCase { "NoPages", "<NOTEBOOKS><NOTEBOOK>" + Fields + "</NOTEBOOK></NOTEBOOKS>", false },
        StructureCase { "EmptyPages", "<NOTEBOOKS><NOTEBOOK>" + Fields + "<PAGES/></NOTEBOOK></NOTEBOOKS>", false },
        StructureCase { "FirstNotebookBrokenSecondFine",
            "<NOTEBOOKS><NOTEBOOK>" + Fields + "</NOTEBOOK><NOTEBOOK>" + Fields + Pages + "</NOTEBOOK></NOTEBOOKS>",
            false },
        StructureCase { "EmptyText", "", false }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NotebookSchemaTest, SanitizeNameReplacesEachForbiddenCharacterByUnderscore)
{
    const struct {
        QString typed, stored;
    } cases[] = {
        { "Phone", "Phone" },
        { "two words", "two_words" },
        { "a.b,c;d", "a_b_c_d" },
        { "(x)+y-z_09", "(x)+y-z_09" },
        { "Stra\u00dfe", "Stra_e" },
        { "\u5730\u5740", "__" },
        { QString::fromUtf8("\xF0\x9F\x98\x80x"), "_x" }, // one character outside the basic plane
        { "tab\tnew\nline", "tab_new_line" },
        { "", "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(NotebookSchema::SanitizeName(c.typed), c.stored) << c.typed.toStdString();
}

TEST(NotebookSchemaTest, RppFallsBackToTenForUnusableValues)
{
    const struct {
        const char* value;
        int rpp;
    } cases[] = {
        { nullptr, 10 },
        { "20", 20 },
        { "1", 1 },
        { "500", 500 },
        { "abc", 10 },
        { "12x", 10 },
        { "2.5", 10 },
        { "0", 10 },
        { "-5", 10 },
    };
    for (const auto& c : cases) {
        TKelPigger notebook;
        notebook.SetTag("NOTEBOOK");
        if (c.value)
            notebook.SetAttr("RPP", QString::fromLatin1(c.value));
        EXPECT_EQ(NotebookSchema::Rpp(notebook), c.rpp) << (c.value ? c.value : "absent");
    }
}

TEST(NotebookSchemaTest, CaptionIsTitleElseName)
{
    const struct {
        QString name, title, caption;
    } cases[] = {
        { "PHONE", "Phone number", "Phone number" },
        { "PHONE", "", "PHONE" },
        { "", "Only title", "Only title" },
        { "", "", "" },
    };
    for (const auto& c : cases) {
        TKelPigger field;
        field.SetTag("FIELD");
        field.SetAttr("NAME", c.name);
        field.SetAttr("TITLE", c.title);
        EXPECT_EQ(NotebookSchema::Caption(field), c.caption);
    }
}

TEST(NotebookSchemaTest, NotebookOfWalksUpToTheNearestNotebook)
{
    const auto root = Read(testutil::FriendsNotebookText());
    TKelPigger* notebook = root->FindChild("NOTEBOOK");
    TKelPigger* pages = notebook->FindChild("PAGES");
    TKelPigger* record = pages->FindChild("PAGE")->FindChild("REC");

    EXPECT_EQ(NotebookSchema::NotebookOf(record), notebook);
    EXPECT_EQ(NotebookSchema::NotebookOf(pages), notebook);
    EXPECT_EQ(NotebookSchema::NotebookOf(notebook), notebook);
    EXPECT_EQ(NotebookSchema::NotebookOf(root.get()), nullptr);
    EXPECT_EQ(NotebookSchema::NotebookOf(static_cast<TKelPigger*>(nullptr)), nullptr);
    const TKelPigger* constRecord = record;
    EXPECT_EQ(NotebookSchema::NotebookOf(constRecord), notebook);
}

TEST(NotebookSchemaTest, FixedTextsOtherPartsCompareWith)
{
    EXPECT_EQ(QStringList(NotebookSchema::Features.begin(), NotebookSchema::Features.end()),
        QStringList({ "Field is http", "Field is e-mail address", "Field is file", "Field is date" }));
    EXPECT_EQ(NotebookSchema::CantLoadFileMessage("/tmp/a b.zdk"), "Can't load file /tmp/a b.zdk");
}

TEST(NotebookSchemaTest, FriendsFixtureIsWhatTheWriterWrites)
{
    EXPECT_EQ(Read(testutil::FriendsNotebookText())->SaveToText(), testutil::FriendsNotebookText());
}

} // namespace
} // namespace quillo

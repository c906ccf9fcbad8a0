#include "notebook/NotebookSchema.h"
#include "testutil/NotebookFixtures.h"
#include "testutil/QtPrinters.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

using namespace NotebookSchema;

TEST(NotebookSchemaTest, CheckStructureLooksOnlyAtTheFirstNotebook)
{
    const QByteArray fields = "<FIELDS><FIELD NAME=\"A\"/></FIELDS>", pages = "<PAGES><PAGE NAME=\"P\"/></PAGES>";
    const auto notebooks = [](const QByteArray& inner) { return "<NOTEBOOKS>" + inner + "</NOTEBOOKS>"; };
    const struct {
        QByteArray text;
        bool accepted;
    } cases[] = {
        { testutil::FriendsNotebookText(), true },
        { notebooks("<NOTEBOOK>" + pages + fields + "</NOTEBOOK>"), true },
        { notebooks("<NOTEBOOK>" + fields + pages + "</NOTEBOOK><NOTEBOOK>" + fields + "</NOTEBOOK>"), true },
        { "<SETTINGS><NOTEBOOK>" + fields + pages + "</NOTEBOOK></SETTINGS>", false },
        { notebooks(""), false },
        { notebooks("<NOTEBOOK><FIELDS/>" + pages + "</NOTEBOOK>"), false },
        { notebooks("<NOTEBOOK>" + fields + "<PAGES/></NOTEBOOK>"), false },
        { notebooks("<NOTEBOOK>" + fields + "</NOTEBOOK><NOTEBOOK>" + fields + pages + "</NOTEBOOK>"), false },
        { "", false },
    };
    for (const auto& c : cases) {
        TKelPigger root;
        root.LoadFromText(TKelPigger::NormalizeText(c.text));
        EXPECT_EQ(CheckStructure(root), c.accepted) << c.text.toStdString();
    }
}

TEST(NotebookSchemaTest, SanitizeNameReplacesEachForbiddenCharacterByUnderscore)
{
    const struct {
        QString typed, stored;
    } cases[] = {
        { "two words", "two_words" }, { "(x)+y-z_09AZaz", "(x)+y-z_09AZaz" }, { "a.b,c;d\te", "a_b_c_d_e" },
        { "Stra\u00dfe \u5730", "Stra_e__" },
        { QString::fromUtf8("\xF0\x9F\x98\x80x"), "_x" }, // one character outside the basic plane
    };
    for (const auto& c : cases)
        EXPECT_EQ(SanitizeName(c.typed), c.stored);
}

TEST(NotebookSchemaTest, RppFallsBackToTenForUnusableValues)
{
    const std::pair<QString, int> cases[] = {
        { "", 10 },
        { "20", 20 },
        { "500", 500 },
        { "abc", 10 },
        { "12x", 10 },
        { "2.5", 10 },
        { "0", 10 },
        { "-5", 10 },
    };
    for (const auto& [value, rpp] : cases) {
        TKelPigger notebook;
        notebook.SetAttr("RPP", value);
        EXPECT_EQ(Rpp(notebook), rpp) << value.toStdString();
    }
}

TEST(NotebookSchemaTest, CaptionAndNotebookOf)
{
    TKelPigger root;
    root.LoadFromText(TKelPigger::NormalizeText(testutil::FriendsNotebookText()));
    TKelPigger* notebook = root.FindChild("NOTEBOOK");
    TKelPigger* fields = notebook->FindChild("FIELDS");
    TKelPigger* record = notebook->FindChild("PAGES")->FindChild("PAGE")->FindChild("REC");

    EXPECT_EQ(Caption(*fields->Child(0)), "PERSON");
    EXPECT_EQ(Caption(*fields->Child(1)), "Phone number");
    EXPECT_EQ(NotebookOf(record), notebook);
    EXPECT_EQ(NotebookOf(notebook), notebook);
    EXPECT_EQ(NotebookOf(&root), nullptr);
    EXPECT_EQ(NotebookOf(static_cast<const TKelPigger*>(fields)), notebook);
}

} // namespace
} // namespace quillo

#include "notebook/widgets/PanelFixture.h"

namespace quillo::test {
namespace {

TEST_F(PanelTest, NewPageStoresTheNameWithUnderscores)
{
    PickPage("A");
    prompts.AnswerInput(QString("My page (2)!"));
    Click(pages->Btn_new_page);
    EXPECT_EQ(prompts.Log(), QStringList({ "InputQuery: New page creation | Name of the new page | THE_PAGE" }));
    EXPECT_EQ(Names(Pages(0)), QStringList({ "A", "B", "C", "My_page_(2)_" }));
    EXPECT_EQ(Pages(0).Child(3)->Tag(), "PAGE");
    EXPECT_EQ(ItemCaptions(Pages(0)), QStringList({ "A", "B", "C", "My_page_(2)_" }));
    EXPECT_EQ(window->Guider().SelectedNode(), &Pages(0));
    EXPECT_EQ(Entries(pages), Names(Pages(0)));
    EXPECT_TRUE(window->Changed());
}

TEST_F(PanelTest, NewPageRefusesADuplicateInAnyCase)
{
    Select(Pages(0));
    prompts.AnswerInput(QString("b"));
    Click(pages->Btn_new_page);
    EXPECT_EQ(LastSaid(), "Msg: Page \"b\" already exists");
    EXPECT_EQ(Names(Pages(0)), QStringList({ "A", "B", "C" }));
    EXPECT_FALSE(window->Changed());
}

TEST_F(PanelTest, NewPageCancelledOrEmpty)
{
    Select(Pages(0));
    prompts.AnswerInput(std::nullopt);
    Click(pages->Btn_new_page);
    EXPECT_EQ(Pages(0).ChildCount(), 3);
    EXPECT_FALSE(window->Changed());

    prompts.AnswerInput(QString(""));
    Click(pages->Btn_new_page);
    ASSERT_EQ(Pages(0).ChildCount(), 4);
    EXPECT_EQ(Pages(0).Child(3)->AttrCount(), 0);
}

TEST_F(PanelTest, RenamePageTakesTheNameAsTyped)
{
    PickPage("B");
    prompts.AnswerInput(QString("  B and b "));
    Click(pages->Btn_change);
    EXPECT_EQ(prompts.Log(), QStringList({ "InputQuery: Change page name | New name of the page: | B" }));
    TKelPigger& page = *Pages(0).Child(1);
    EXPECT_EQ(page.GetAttr("NAME"), "  B and b ");
    EXPECT_EQ(page.ChildCount(), 1) << "the records stay on the renamed page";
    EXPECT_EQ(window->Guider().ItemOf(&page)->text(0), "  B and b ");
    EXPECT_EQ(window->Guider().SelectedNode(), &Pages(0));
    EXPECT_TRUE(window->Changed());
}

TEST_F(PanelTest, RenamePageRefusesItsOwnNameAndOthers)
{
    for (const char* name : { "B", "b", "a" }) {
        PickPage("B");
        prompts.AnswerInput(QString(name));
        Click(pages->Btn_change);
        EXPECT_EQ(LastSaid(), QString("Msg: Page \"%1\" already exists").arg(name));
    }
    EXPECT_EQ(Names(Pages(0)), QStringList({ "A", "B", "C" }));
    EXPECT_FALSE(window->Changed());
}

TEST_F(PanelTest, RenamePageToNothingRemovesTheName)
{
    PickPage("C");
    prompts.AnswerInput(QString(""));
    Click(pages->Btn_change);
    EXPECT_EQ(Pages(0).Child(2)->IndexOfAttr(u"NAME"), -1);
}

TEST_F(PanelTest, DeletePageRemovesItsRecordsAfterTheTick)
{
    PickPage("A");
    prompts.Answer(false);
    Click(pages->Btn_delete_page);
    EXPECT_EQ(Pages(0).ChildCount(), 3);

    PickPage("A");
    prompts.Answer(true);
    Click(pages->Btn_delete_page);
    EXPECT_EQ(prompts.Log().value(1),
        "SureChecked: Are you sure you really want to delete the page \"A\" and all the ingormation the page "
        "contains?");
    EXPECT_EQ(Names(Pages(0)), QStringList({ "B", "C" }));
    EXPECT_EQ(ItemCaptions(Pages(0)), QStringList({ "B", "C" }));
    EXPECT_EQ(Entries(pages), QStringList({ "B", "C" }));
    EXPECT_FALSE(Doc().SaveToText().contains("Ann"));
    EXPECT_EQ(ShownSheet(), "TabSheet_pages");
    EXPECT_TRUE(window->Changed());
}

TEST_F(PanelTest, PageButtonsFollowTheSelection)
{
    struct Case {
        int notebook;
        const char* pick;
        bool remove, change, up, down;
    };
    const Case cases[] = {
        { 0, nullptr, false, false, false, false },
        { 0, "A", true, true, false, true },
        { 0, "B", true, true, true, true },
        { 0, "C", true, true, true, false },
        { 1, "X", false, true, false, false },
    };
    for (const Case& c : cases) {
        Select(Pages(c.notebook));
        if (c.pick)
            Pick(pages, c.pick);
        const char* what = c.pick ? c.pick : "none";
        EXPECT_EQ(pages->Btn_delete_page->isEnabled(), c.remove) << what;
        EXPECT_EQ(pages->Btn_change->isEnabled(), c.change) << what;
        EXPECT_EQ(pages->SB_move_up->isEnabled(), c.up) << what;
        EXPECT_EQ(pages->SB_move_dn->isEnabled(), c.down) << what;
    }
    // The last page stays even when asked directly.
    pages->DeletePage();
    EXPECT_EQ(Pages(1).ChildCount(), 1);
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(PanelTest, MovingPagesKeepsDocumentGuiderAndListInStep)
{
    struct Case {
        const char* pick;
        bool up;
        const char* order;
        int row;
    };
    const Case cases[] = {
        { "A", false, "B A C", 1 },
        { "A", false, "B C A", 2 },
        { "C", true, "C B A", 0 },
    };
    for (const Case& c : cases) {
        PickPage(c.pick);
        Click(c.up ? pages->SB_move_up : pages->SB_move_dn);
        EXPECT_EQ(Names(Pages(0)).join(' '), c.order);
        EXPECT_EQ(ItemCaptions(Pages(0)).join(' '), c.order);
        EXPECT_EQ(Entries(pages).join(' '), c.order);
        EXPECT_EQ(pages->LB1->currentRow(), c.row);
        EXPECT_EQ(window->Guider().SelectedNode(), &Pages(0));
    }
    EXPECT_EQ(Pages(0).Child(2)->ChildCount(), 2) << "page A kept its records";
    EXPECT_TRUE(window->Changed());
}

} // namespace
} // namespace quillo::test

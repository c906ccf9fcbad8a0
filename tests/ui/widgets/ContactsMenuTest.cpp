#include "ui/widgets/MainWindowFixture.h"

#include "exchange/ContactImport.h"
#include "records/widgets/TO_notepad.h"

#include <QAction>
#include <QTableView>

namespace quillo::test {
namespace {

// File > Import contacts... and Export contacts... on the main window, with the dialogs behind hooks: the
// window hands over the notebook, commits a kept import into it and shows the pages it brought.
class ContactsMenuTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        TMainHooks hooks;
        hooks.importContacts = [this](const TKelPigger& notebook) -> std::unique_ptr<TKelPigger> {
            ++imports;
            if (!keep)
                return nullptr;
            auto copy = std::make_unique<TKelPigger>();
            copy->Assign(notebook);
            const TContactBatch batch = ContactImport::ReadCsv("PERSON,PHONE\nAda,1\n42nd Street,2\n", *copy, false);
            ContactImport::Apply(*copy, batch, {});
            return copy;
        };
        hooks.exportContacts = [this](const TKelPigger& notebook, const TKelPigger* page) {
            exported.append(notebook.GetAttr("NAME") + " " + (page ? page->GetAttr("NAME") : QStringLiteral("-")));
        };
        window->SetHooks(hooks);
        Load();
        window->Guider().TV1->expandAll();
    }

    QAction* Action(const char* name) { return window->findChild<QAction*>(QLatin1String(name)); }

    int imports = 0;
    bool keep = true;
    QStringList exported;
};

TEST_F(ContactsMenuTest, AKeptImportShowsItsRecordsAndPages)
{
    EXPECT_FALSE(Action("N_Import_contacts")->isEnabled());
    Click(*Pages().Child(0));
    ASSERT_TRUE(Action("N_Import_contacts")->isEnabled());
    testutil::ChooseFromMenuBar(window.get(), Action("N_Import_contacts"));
    EXPECT_EQ(imports, 1);
    EXPECT_TRUE(window->Changed());
    EXPECT_EQ(Pages().ChildCount(), 4);
    EXPECT_EQ(Pages().Child(3)->GetAttr("NAME"), "#");
    EXPECT_EQ(Pages().Child(0)->ChildCount(), 3);
    // The guider shows the new page and the grid the records of a page chosen there.
    EXPECT_EQ(ItemCaptions(Pages()), (QStringList { "A", "B", "C", "#" }));
    window->Guider().TV1->expandAll();
    Click(*Pages().Child(3));
    auto* grid = window->findChild<TO_notepad*>("O_notepad1")->Grid1;
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), "42nd Street");
}

TEST_F(ContactsMenuTest, ARevertedImportChangesNothing)
{
    keep = false;
    Click(Notebook(1));
    const QByteArray before = Doc().SaveToText();
    testutil::ChooseFromMenuBar(window.get(), Action("N_Import_contacts"));
    EXPECT_EQ(imports, 1);
    EXPECT_FALSE(window->Changed());
    EXPECT_EQ(Doc().SaveToText(), before);
}

TEST_F(ContactsMenuTest, ExportTakesThePageSelectedInTheGuider)
{
    Click(*Pages().Child(1));
    testutil::ChooseFromMenuBar(window.get(), Action("N_Export_contacts"));
    Click(Notebook(1));
    testutil::ChooseFromMenuBar(window.get(), Action("N_Export_contacts"));
    EXPECT_EQ(exported, (QStringList { "Friends B", "Work -" }));
}

} // namespace
} // namespace quillo::test

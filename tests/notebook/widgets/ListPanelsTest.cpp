#include "notebook/widgets/PanelFixture.h"

#include "notebook/NotebookSchema.h"

namespace quillo::test {
namespace {

// Values of one attribute over all records of a notebook, in document order.
QStringList Column(TKelPigger& notebook, const char* name)
{
    QStringList values;
    NotebookEdits::WalkTree(notebook, [&](TKelPigger& node) {
        if (node.Tag() == "REC")
            values.append(node.GetAttr(name));
    });
    return values;
}

const QString NewPagePrompt = "InputQuery: New page creation | Name of the new page | THE_PAGE";
const QString NewFieldPrompt = "InputQuery: New field creation | Name of the new field | THE_FIELD";

TEST_F(PanelTest, NewPagesAndFieldsPassTheNameRuleAndRefuseDuplicates)
{
    const struct {
        bool page;
        std::optional<QString> typed;
        const char* message; // after the input box; nullptr: none
        const char* names; // of the list afterwards, '|' between them
    } cases[] = {
        { true, "My page (2)!", nullptr, "A|B|C|My_page_(2)_" },
        { true, "b", "Page \"b\" already exists", "A|B|C" },
        { true, std::nullopt, nullptr, "A|B|C" },
        { true, "", nullptr, "A|B|C|" },
        { false, "e mail", nullptr, "PERSON|PHONE|BIRTHDAY|e_mail" },
        { false, "phone", "Field \"phone\" already exists", "PERSON|PHONE|BIRTHDAY" },
        { false, "Person", "Field \"Person\" already exists", "PERSON|PHONE|BIRTHDAY" },
        { false, "", "A field must have a name", "PERSON|PHONE|BIRTHDAY" },
    };
    for (const auto& c : cases) {
        const std::string what = c.typed.value_or("(cancelled)").toStdString();
        Load();
        prompts.ClearLog();
        TKelPigger& list = c.page ? Pages(0) : Fields(0);
        TO_list* panel = c.page ? static_cast<TO_list*>(pages) : fields;
        Click(list);
        prompts.AnswerInput(c.typed);
        Click(c.page ? pages->Btn_new_page : fields->Btn_new_field);

        QStringList said { c.page ? NewPagePrompt : NewFieldPrompt };
        if (c.message)
            said << QString("Msg: ") + c.message;
        EXPECT_EQ(prompts.Log(), said) << what;
        EXPECT_EQ(Names(list).join('|'), c.names) << what;
        EXPECT_EQ(Entries(panel), Names(list)) << what;
        const bool added = list.ChildCount() == 4;
        EXPECT_EQ(window->Changed(), added) << what;
        if (!added)
            continue;
        TKelPigger& node = *list.Child(3);
        EXPECT_EQ(node.Tag(), c.page ? "PAGE" : "FIELD") << what;
        EXPECT_EQ(ItemCaptions(list).value(3), node.GetAttr("NAME")) << what;
        // A new page leaves the page list selected; a new field is selected itself.
        EXPECT_EQ(window->Guider().SelectedNode(), c.page ? &list : &node) << what;
        EXPECT_EQ(ShownSheet(), c.page ? "TabSheet_pages" : "TabSheet_fields") << what;
    }
    EXPECT_EQ(Column(Notebook(0), "E_MAIL"), QStringList({ "", "", "" }));
}

TEST_F(PanelTest, RenamePageTakesTheNameAsTypedAndRefusesAnyExistingOne)
{
    const struct {
        const char* typed;
        bool refused;
    } cases[] = { { "  B and b ", false }, { "B", true }, { "b", true }, { "a", true }, { "", false } };
    for (const auto& c : cases) {
        Load();
        prompts.ClearLog();
        PickPage("B");
        prompts.AnswerInput(QString(c.typed));
        Click(pages->Btn_change);
        TKelPigger& page = *Pages(0).Child(1);
        EXPECT_EQ(prompts.Log().value(0), "InputQuery: Change page name | New name of the page: | B");
        EXPECT_EQ(prompts.Log().value(1), c.refused ? QString("Msg: Page \"%1\" already exists").arg(c.typed) : "");
        EXPECT_EQ(page.GetAttr("NAME"), c.refused ? "B" : c.typed) << c.typed;
        EXPECT_EQ(page.IndexOfAttr(u"NAME") < 0, QString(c.typed).isEmpty()) << "an empty name removes NAME";
        EXPECT_EQ(page.ChildCount(), 1) << "the records stay on the page";
        EXPECT_EQ(window->Guider().ItemOf(&page)->text(0), page.GetAttr("NAME"));
        EXPECT_EQ(window->Changed(), !c.refused) << c.typed;
    }
}

TEST_F(PanelTest, DeletionsNeedTheTickAndTakeTheRecordsAlong)
{
    for (const bool page : { true, false }) {
        Load();
        prompts.ClearLog();
        const QString name = page ? "A" : "PHONE";
        page ? PickPage(name) : PickField(name);
        QPushButton* remove = page ? pages->Btn_delete_page : fields->Btn_delete_field;
        prompts.Answer(false);
        Click(remove);
        EXPECT_FALSE(window->Changed());
        EXPECT_EQ(Column(Notebook(0), "PHONE"), QStringList({ "123", "", "456" }));
        prompts.Answer(true);
        Click(remove);

        const QString question = QString("SureChecked: Are you sure you really want to delete the %1 \"%2\" and all "
                                         "the ingormation the %1 contains?")
                                     .arg(page ? "page" : "field", name);
        EXPECT_EQ(prompts.Log(), QStringList({ question, question }));
        TKelPigger& list = page ? Pages(0) : Fields(0);
        const QStringList left = page ? QStringList { "B", "C" } : QStringList { "PERSON", "BIRTHDAY" };
        EXPECT_EQ(Names(list), left);
        EXPECT_EQ(ItemCaptions(list), left);
        EXPECT_EQ(Entries(page ? static_cast<TO_list*>(pages) : fields), left);
        EXPECT_EQ(window->Guider().SelectedNode(), &list);
        EXPECT_TRUE(window->Changed());
        EXPECT_EQ(Column(Notebook(0), "PERSON"), page ? QStringList({ "Bob" }) : QStringList({ "Ann", "Abe", "Bob" }));
        EXPECT_EQ(Column(Notebook(0), "PHONE"), page ? QStringList({ "456" }) : QStringList({ "", "", "" }));
        EXPECT_EQ(Column(Notebook(1), "PHONE"), QStringList({ "789" })) << "other notebooks keep their values";
    }
    // A field of the deleted name starts with empty cells.
    prompts.AnswerInput(QString("PHONE"));
    Click(fields->Btn_new_field);
    EXPECT_EQ(Column(Notebook(0), "PHONE"), QStringList({ "", "", "" }));
}

TEST_F(PanelTest, ListButtonsFollowTheSelectionAndKeepTheLastEntry)
{
    const char* const oneEach = R"(<NOTEBOOKS><NOTEBOOK NAME="One"><FIELDS><FIELD NAME="ONLY"/></FIELDS>
        <PAGES><PAGE NAME="P"><REC ONLY="x"/></PAGE></PAGES></NOTEBOOK></NOTEBOOKS>)";
    const struct {
        bool page;
        const char* document; // nullptr: the sample
        const char* pick; // nullptr: no entry selected
        bool remove, change, up, down;
    } cases[] = {
        { true, nullptr, nullptr, false, false, false, false },
        { true, nullptr, "A", true, true, false, true },
        { true, nullptr, "B", true, true, true, true },
        { true, nullptr, "C", true, true, true, false },
        { true, oneEach, "P", false, true, false, false },
        { false, nullptr, nullptr, false, false, false, false },
        { false, nullptr, "PERSON", true, true, false, true },
        { false, nullptr, "BIRTHDAY", true, true, true, false },
        { false, oneEach, "ONLY", false, false, false, false },
    };
    for (const auto& c : cases) {
        const std::string what = std::string(c.document ? "one: " : "") + (c.pick ? c.pick : "none");
        c.document ? Load(c.document) : Load();
        prompts.ClearLog();
        TO_list* panel = c.page ? static_cast<TO_list*>(pages) : fields;
        Click(c.page ? Pages(0) : Fields(0));
        if (c.pick)
            Pick(panel, c.pick);
        EXPECT_EQ((c.page ? pages->Btn_delete_page : fields->Btn_delete_field)->isEnabled(), c.remove) << what;
        EXPECT_EQ(panel->Btn_change->isEnabled(), c.change) << what;
        EXPECT_EQ(panel->SB_move_up->isEnabled(), c.up) << what;
        EXPECT_EQ(panel->SB_move_dn->isEnabled(), c.down) << what;
        EXPECT_TRUE((c.page ? pages->Btn_new_page : fields->Btn_new_field)->isEnabled()) << what;
        // Even asked directly, the last entry stays; a deletion the buttons allow still asks first.
        const bool asks = c.remove;
        if (asks)
            prompts.Answer(false);
        const int count = (c.page ? Pages(0) : Fields(0)).ChildCount();
        c.page ? pages->DeletePage() : fields->DeleteField();
        EXPECT_EQ((c.page ? Pages(0) : Fields(0)).ChildCount(), count) << what;
        EXPECT_EQ(prompts.Log().size(), asks ? 1 : 0) << what;
    }
}

TEST_F(PanelTest, MovingKeepsDocumentGuiderAndListInStep)
{
    // Each step starts from the order the one before left.
    const struct {
        bool page;
        const char* pick;
        bool up;
        const char* names;
        const char* captions;
        int row;
    } steps[] = {
        { true, "A", false, "B A C", "B A C", 1 },
        { true, "A", false, "B C A", "B C A", 2 },
        { true, "C", true, "C B A", "C B A", 0 },
        { false, "BIRTHDAY", true, "PERSON BIRTHDAY PHONE", "PERSON BIRTHDAY Phone number", 1 },
        { false, "BIRTHDAY", false, "PERSON PHONE BIRTHDAY", "PERSON Phone number BIRTHDAY", 2 },
    };
    for (const auto& s : steps) {
        TKelPigger& list = s.page ? Pages(0) : Fields(0);
        TO_list* panel = s.page ? static_cast<TO_list*>(pages) : fields;
        Click(list);
        Pick(panel, s.pick);
        Click(s.up ? panel->SB_move_up : panel->SB_move_dn);
        EXPECT_EQ(Names(list).join(' '), s.names);
        EXPECT_EQ(ItemCaptions(list).join(' '), s.captions);
        EXPECT_EQ(Entries(panel).join(' '), s.names);
        EXPECT_EQ(panel->LB1->currentRow(), s.row);
        EXPECT_EQ(window->Guider().SelectedNode(), &list);
    }
    EXPECT_EQ(Pages(0).Child(2)->ChildCount(), 2) << "page A kept its records";
    EXPECT_TRUE(window->Changed());
}

// A click makes a row current before it selects it; the buttons, the double-click and the keys must
// all act on the row the user sees marked.
TEST_F(PanelTest, ListRowsAnswerClicksDoubleClicksAndKeys)
{
    PickPage("B");
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*> {
             pages->Btn_delete_page, pages->Btn_change, pages->SB_move_up, pages->SB_move_dn })
        EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();

    const QString renameB = "InputQuery: Change page name | New name of the page: | B";
    prompts.AnswerInput(std::nullopt).AnswerInput(std::nullopt);
    testutil::DoubleClickRow(pages->LB1, 1);
    Key(Qt::Key_F2);
    EXPECT_EQ(prompts.Log(), QStringList({ renameB, renameB }));

    prompts.ClearLog();
    prompts.Answer(false);
    Key(Qt::Key_Delete);
    EXPECT_EQ(prompts.Log(),
        QStringList({ "SureChecked: Are you sure you really want to delete the page \"B\" and all the ingormation "
                      "the page contains?" }));

    PickField("PHONE");
    EXPECT_TRUE(fields->Btn_delete_field->isEnabled());
    fieldProps.accept = false;
    testutil::DoubleClickRow(fields->LB1, 1);
    ASSERT_TRUE(fieldProps.shown);
    EXPECT_EQ(fieldProps.shown->name, "PHONE");

    // One field clicked in the guider is the entry the list commands act on.
    Click(*Fields(0).Child(2));
    EXPECT_EQ(fields->SelectedNode(), Fields(0).Child(2));
    EXPECT_TRUE(fields->Btn_change->isEnabled());
}

TEST_F(PanelTest, RenamingAFieldMovesEveryRecordValueOfItsNotebook)
{
    PickField("PHONE");
    fieldProps.edit = [](TFieldProps& props) { props.name = "Mobile phone"; };
    Click(fields->Btn_change);
    ASSERT_TRUE(fieldProps.shown);
    EXPECT_EQ(fieldProps.shown->name, "PHONE");
    EXPECT_EQ(fieldProps.shown->title, "Phone number");
    EXPECT_EQ(fieldProps.shown->width, 100);

    TKelPigger& field = *Fields(0).Child(1);
    EXPECT_EQ(field.GetAttr("NAME"), "Mobile_phone");
    EXPECT_EQ(field.IndexOfAttr(u"OLD_NAME"), -1);
    EXPECT_EQ(Column(Notebook(0), "MOBILE_PHONE"), QStringList({ "123", "", "456" }));
    EXPECT_EQ(Column(Notebook(0), "PHONE"), QStringList({ "", "", "" }));
    EXPECT_EQ(Column(Notebook(1), "PHONE"), QStringList({ "789" }));
    EXPECT_EQ(Entries(fields).value(1), "Mobile_phone");
    EXPECT_EQ(window->Guider().SelectedNode(), &Fields(0));
    EXPECT_TRUE(window->Changed());
}

// The birthday reminder finds its field by name: a stale name would silence it without a word.
TEST_F(PanelTest, TheBirthdayFieldFollowsRenamesAndGoesWithItsField)
{
    const struct {
        const char* what;
        int notebook;
        const char* field;
        const char* renameTo; // nullptr: delete
        const char* bdf;
    } cases[] = {
        { "rename", 0, "BIRTHDAY", "BDAY", "BDAY" },
        { "rename another field", 0, "PHONE", "MOBILE", "BIRTHDAY" },
        { "same name in another notebook", 1, "PHONE", "BIRTHDAY2", "BIRTHDAY" },
        { "delete", 0, "BIRTHDAY", nullptr, "" },
        { "delete another field", 0, "PHONE", nullptr, "BIRTHDAY" },
    };
    for (const auto& c : cases) {
        Load();
        prompts.ClearLog();
        PickField(c.field, c.notebook);
        if (c.renameTo) {
            fieldProps.edit = [&](TFieldProps& props) { props.name = c.renameTo; };
            Click(fields->Btn_change);
        } else {
            prompts.Answer(true);
            Click(fields->Btn_delete_field);
        }
        EXPECT_EQ(Notebook(0).GetAttr("BDF"), c.bdf) << c.what;
        EXPECT_EQ(Notebook(1).GetAttr("BDF"), "") << c.what;
    }
}

TEST_F(PanelTest, FieldPropertiesWithoutARename)
{
    struct Case {
        const char* what;
        std::function<void(TFieldProps&)> edit;
        bool accept;
        bool titleEdited;
        const char* attributes;
        const char* said;
        bool changed;
    };
    const Case cases[] = {
        { "title, width 0, feature",
            [](TFieldProps& p) {
                p = { "PHONE", "  Who  ", 0, "Field is http" };
            },
            true, true, "NAME=PHONE TITLE=Who FEATURE=Field is http WIDTH=0", "", true },
        { "no title, no feature",
            [](TFieldProps& p) {
                p = { "PHONE", "", 100, "" };
            },
            true, false, "NAME=PHONE WIDTH=100", "", true },
        { "duplicate name keeps the feature",
            [](TFieldProps& p) {
                p = { "person", "", 33, "Field is file" };
            },
            true, false, "NAME=PHONE TITLE=Phone number FEATURE=Field is file", "Msg: Field \"person\" already exists",
            true },
        { "letter case only", [](TFieldProps& p) { p.name = "Phone"; }, true, false,
            "NAME=PHONE TITLE=Phone number WIDTH=100", "", true },
        { "empty name", [](TFieldProps& p) { p.name = ""; }, true, false, "NAME=PHONE TITLE=Phone number",
            "Msg: A field must have a name", false },
        { "cancelled", [](TFieldProps& p) { p.name = "OTHER"; }, false, false, "NAME=PHONE TITLE=Phone number", "",
            false },
    };
    for (const Case& c : cases) {
        Load();
        prompts.ClearLog();
        PickField("PHONE");
        fieldProps.edit = c.edit;
        fieldProps.accept = c.accept;
        fieldProps.titleEdited = c.titleEdited;
        Click(fields->Btn_change);
        TKelPigger& field = *Fields(0).Child(1);
        QStringList attributes;
        for (int i = 0; i < field.AttrCount(); ++i)
            attributes.append(field.AttrName(i) + "=" + field.AttrValue(i));
        EXPECT_EQ(attributes.join(' '), c.attributes) << c.what;
        EXPECT_EQ(prompts.Log().join(' '), c.said) << c.what;
        EXPECT_EQ(window->Changed(), c.changed) << c.what;
        EXPECT_EQ(window->Guider().ItemOf(&field)->text(0), NotebookSchema::Caption(field)) << c.what;
        EXPECT_EQ(Column(Notebook(0), "PHONE"), QStringList({ "123", "", "456" })) << c.what;
        // An edited title selects the field itself; the field list stays on show either way.
        EXPECT_EQ(window->Guider().SelectedNode(), c.titleEdited ? &field : &Fields(0)) << c.what;
        EXPECT_EQ(ShownSheet(), "TabSheet_fields") << c.what;
    }
}

} // namespace
} // namespace quillo::test

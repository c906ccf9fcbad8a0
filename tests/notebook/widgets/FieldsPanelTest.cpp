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

TEST_F(PanelTest, NewFieldStoresTheNameWithUnderscores)
{
    Select(Fields(0));
    prompts.AnswerInput(QString("e mail"));
    Click(fields->Btn_new_field);
    EXPECT_EQ(prompts.Log(), QStringList({ "InputQuery: New field creation | Name of the new field | THE_FIELD" }));
    EXPECT_EQ(Names(Fields(0)), QStringList({ "PERSON", "PHONE", "BIRTHDAY", "e_mail" }));
    TKelPigger& field = *Fields(0).Child(3);
    EXPECT_EQ(field.Tag(), "FIELD");
    EXPECT_EQ(window->Guider().SelectedNode(), &field);
    EXPECT_EQ(ItemCaptions(Fields(0)).value(3), "e_mail");
    EXPECT_EQ(ShownSheet(), "TabSheet_fields");
    EXPECT_EQ(Entries(fields).value(3), "e_mail");
    EXPECT_EQ(Column(Notebook(0), "E_MAIL"), QStringList({ "", "", "" }));
    EXPECT_TRUE(window->Changed());
}

TEST_F(PanelTest, NewFieldRefusesDuplicatesAndEmptyNames)
{
    struct Case {
        const char* typed;
        const char* message;
    };
    const Case cases[] = {
        { "phone", "Field \"phone\" already exists" },
        { "Person", "Field \"Person\" already exists" },
        { "", "A field must have a name" },
    };
    for (const Case& c : cases) {
        Select(Fields(0));
        prompts.AnswerInput(QString(c.typed));
        Click(fields->Btn_new_field);
        EXPECT_EQ(LastSaid(), QString("Msg: ") + c.message) << c.typed;
    }
    EXPECT_EQ(Fields(0).ChildCount(), 3);
    EXPECT_FALSE(window->Changed());
}

TEST_F(PanelTest, DeleteFieldRemovesItsValuesInThisNotebookOnly)
{
    PickField("PHONE");
    prompts.Answer(true);
    Click(fields->Btn_delete_field);
    EXPECT_EQ(prompts.Log(),
        QStringList({ "SureChecked: Are you sure you really want to delete the field \"PHONE\" and all the ingormation "
                      "the field "
                      "contains?" }));
    EXPECT_EQ(Names(Fields(0)), QStringList({ "PERSON", "BIRTHDAY" }));
    EXPECT_EQ(ItemCaptions(Fields(0)), QStringList({ "PERSON", "BIRTHDAY" }));
    EXPECT_EQ(Column(Notebook(0), "PHONE"), QStringList({ "", "", "" }));
    EXPECT_EQ(Column(Notebook(0), "PERSON"), QStringList({ "Ann", "Abe", "Bob" }));
    EXPECT_EQ(Column(Notebook(1), "PHONE"), QStringList({ "789" }));
    EXPECT_EQ(window->Guider().SelectedNode(), &Fields(0));
    EXPECT_TRUE(window->Changed());

    // The same name again starts with empty cells.
    prompts.AnswerInput(QString("PHONE"));
    Click(fields->Btn_new_field);
    EXPECT_EQ(Column(Notebook(0), "PHONE"), QStringList({ "", "", "" }));
}

TEST_F(PanelTest, DeleteFieldNeedsTheTick)
{
    PickField("PHONE");
    prompts.Answer(false);
    Click(fields->Btn_delete_field);
    EXPECT_EQ(Fields(0).ChildCount(), 3);
    EXPECT_EQ(Column(Notebook(0), "PHONE"), QStringList({ "123", "", "456" }));
    EXPECT_FALSE(window->Changed());
}

TEST_F(PanelTest, FieldButtonsProtectTheLastField)
{
    Load(R"(<NOTEBOOKS><NOTEBOOK NAME="One"><FIELDS><FIELD NAME="ONLY"/></FIELDS>
        <PAGES><PAGE NAME="A"><REC ONLY="x"/></PAGE></PAGES></NOTEBOOK></NOTEBOOKS>)");
    PickField("ONLY");
    EXPECT_FALSE(fields->Btn_delete_field->isEnabled());
    EXPECT_FALSE(fields->Btn_change->isEnabled());
    EXPECT_FALSE(fields->SB_move_up->isEnabled());
    EXPECT_FALSE(fields->SB_move_dn->isEnabled());
    EXPECT_TRUE(fields->Btn_new_field->isEnabled());
    fields->DeleteField();
    EXPECT_EQ(Fields(0).ChildCount(), 1);
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(PanelTest, RenamingAFieldMovesEveryRecordValue)
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

TEST_F(PanelTest, FieldPropertiesWithoutARename)
{
    struct Case {
        const char* what;
        std::function<void(TFieldProps&)> edit;
        bool accept;
        const char* attributes;
        const char* said;
        bool changed;
    };
    const Case cases[] = {
        { "title, width 0, feature",
            [](TFieldProps& p) {
                p = { "PHONE", "  Who  ", 0, "Field is http" };
            },
            true, "NAME=PHONE TITLE=Who FEATURE=Field is http WIDTH=0", "", true },
        { "no title, no feature",
            [](TFieldProps& p) {
                p = { "PHONE", "", 100, "" };
            },
            true, "NAME=PHONE WIDTH=100", "", true },
        { "duplicate name keeps the feature",
            [](TFieldProps& p) {
                p = { "person", "", 33, "Field is file" };
            },
            true, "NAME=PHONE TITLE=Phone number FEATURE=Field is file", "Msg: Field \"person\" already exists", true },
        { "letter case only", [](TFieldProps& p) { p.name = "Phone"; }, true, "NAME=PHONE TITLE=Phone number WIDTH=100",
            "", true },
        { "empty name", [](TFieldProps& p) { p.name = ""; }, true, "NAME=PHONE TITLE=Phone number",
            "Msg: A field must have a name", false },
        { "cancelled", [](TFieldProps& p) { p.name = "OTHER"; }, false, "NAME=PHONE TITLE=Phone number", "", false },
    };
    for (const Case& c : cases) {
        Load();
        prompts.ClearLog();
        PickField("PHONE");
        fieldProps.edit = c.edit;
        fieldProps.accept = c.accept;
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
    }
}

TEST_F(PanelTest, AnEditedTitleSelectsTheField)
{
    PickField("PERSON");
    fieldProps.titleEdited = true;
    fieldProps.edit = [](TFieldProps& props) { props.title = "Who"; };
    Click(fields->Btn_change);
    EXPECT_EQ(window->Guider().SelectedNode(), Fields(0).Child(0));
    EXPECT_EQ(ShownSheet(), "TabSheet_fields");
}

TEST_F(PanelTest, MovingFieldsKeepsDocumentGuiderAndListInStep)
{
    Select(*Fields(0).Child(0));
    EXPECT_EQ(ShownSheet(), "TabSheet_fields") << "a FIELD shows the same list as FIELDS";
    Pick(fields, "BIRTHDAY");
    Click(fields->SB_move_up);
    EXPECT_EQ(Names(Fields(0)).join(' '), "PERSON BIRTHDAY PHONE");
    EXPECT_EQ(ItemCaptions(Fields(0)).join(' '), "PERSON BIRTHDAY Phone number");
    EXPECT_EQ(Entries(fields).join(' '), "PERSON BIRTHDAY PHONE");
    EXPECT_EQ(fields->LB1->currentRow(), 1);
    EXPECT_EQ(window->Guider().SelectedNode(), &Fields(0));
    Click(fields->SB_move_dn);
    EXPECT_EQ(Names(Fields(0)).join(' '), "PERSON PHONE BIRTHDAY");
    EXPECT_EQ(ItemCaptions(Fields(0)).join(' '), "PERSON Phone number BIRTHDAY");
    EXPECT_TRUE(window->Changed());
}

} // namespace
} // namespace quillo::test

#include "notebook/widgets/PanelFixture.h"

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

    Load();
    PickField("BIRTHDAY");
    EXPECT_TRUE(fields->Btn_delete_field->isEnabled());
    EXPECT_TRUE(fields->Btn_change->isEnabled());
    EXPECT_TRUE(fields->SB_move_up->isEnabled());
    EXPECT_FALSE(fields->SB_move_dn->isEnabled());
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

TEST_F(PanelTest, FieldPropertiesOtherThanTheName)
{
    PickField("PERSON");
    fieldProps.titleEdited = true;
    fieldProps.edit = [](TFieldProps& props) {
        props.title = "  Who  ";
        props.width = 0;
        props.feature = "Field is http";
    };
    Click(fields->Btn_change);
    TKelPigger& field = *Fields(0).Child(0);
    EXPECT_EQ(field.GetAttr("NAME"), "PERSON");
    EXPECT_EQ(field.GetAttr("TITLE"), "Who");
    EXPECT_EQ(field.GetAttr("WIDTH"), "0");
    EXPECT_EQ(field.GetAttr("FEATURE"), "Field is http");
    EXPECT_EQ(window->Guider().ItemOf(&field)->text(0), "Who");
    EXPECT_EQ(window->Guider().SelectedNode(), &field);
    EXPECT_EQ(Column(Notebook(0), "PERSON"), QStringList({ "Ann", "Abe", "Bob" }));

    PickField("BIRTHDAY");
    fieldProps.titleEdited = false;
    fieldProps.edit = [](TFieldProps& props) { props.feature.clear(); };
    Click(fields->Btn_change);
    EXPECT_EQ(Fields(0).Child(2)->IndexOfAttr(u"FEATURE"), -1);
    EXPECT_EQ(Fields(0).Child(2)->IndexOfAttr(u"TITLE"), -1);
}

TEST_F(PanelTest, RenameRefusedButTheFeatureStays)
{
    PickField("PHONE");
    fieldProps.edit = [](TFieldProps& props) {
        props.name = "person";
        props.feature = "Field is e-mail address";
        props.width = 33;
    };
    Click(fields->Btn_change);
    EXPECT_EQ(prompts.Log(), QStringList({ "Msg: Field \"person\" already exists" }));
    TKelPigger& field = *Fields(0).Child(1);
    EXPECT_EQ(field.GetAttr("NAME"), "PHONE");
    EXPECT_EQ(field.GetAttr("FEATURE"), "Field is e-mail address");
    EXPECT_EQ(field.IndexOfAttr(u"WIDTH"), -1);
    EXPECT_EQ(Column(Notebook(0), "PHONE"), QStringList({ "123", "", "456" }));
    EXPECT_TRUE(window->Changed()) << "the kept feature is a change";
}

TEST_F(PanelTest, RenameToALetterCaseVariantIsNotApplied)
{
    PickField("PHONE");
    fieldProps.edit = [](TFieldProps& props) {
        props.name = "Phone";
        props.width = 120;
    };
    Click(fields->Btn_change);
    TKelPigger& field = *Fields(0).Child(1);
    EXPECT_EQ(field.GetAttr("NAME"), "PHONE");
    EXPECT_EQ(field.GetAttr("WIDTH"), "120");
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(PanelTest, RenameToNothingIsRefused)
{
    PickField("PHONE");
    fieldProps.edit = [](TFieldProps& props) { props.name = ""; };
    Click(fields->Btn_change);
    EXPECT_EQ(prompts.Log(), QStringList({ "Msg: A field must have a name" }));
    EXPECT_EQ(Fields(0).Child(1)->GetAttr("NAME"), "PHONE");
    EXPECT_EQ(Column(Notebook(0), "PHONE"), QStringList({ "123", "", "456" }));
}

TEST_F(PanelTest, CancelledFieldPropertiesChangeNothing)
{
    PickField("PHONE");
    fieldProps.accept = false;
    const QByteArray before = Doc().SaveToText();
    Click(fields->Btn_change);
    EXPECT_EQ(Doc().SaveToText(), before);
    EXPECT_FALSE(window->Changed());
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

#include "notebook/widgets/PanelFixture.h"

#include "notebook/widgets/TD_field_props.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace quillo::test {
namespace {

TEST_F(PanelTest, NotebookPanelShowsTheNotebookOrNothing)
{
    const struct {
        TKelPigger* node;
        const char* name;
        const char* description;
        bool right;
        int rpp;
    } cases[] = {
        { &Notebook(0), "Friends", "My friends", false, 20 },
        { &Notebook(1), "Work", "", true, 10 },
        { &Doc(), "", "", false, 10 },
    };
    for (const auto& c : cases) {
        Select(*c.node);
        const bool bound = c.node != &Doc();
        EXPECT_EQ(ShownSheet(), "TabSheet_notebook");
        EXPECT_EQ(notebook->Notebook(), bound ? c.node : nullptr);
        EXPECT_EQ(notebook->Edit_nb_name->text(), c.name);
        EXPECT_EQ(notebook->Memo_nb_dsc->toPlainText(), c.description);
        EXPECT_EQ(notebook->RB_right->isChecked(), c.right);
        EXPECT_EQ(notebook->RB_top->isChecked(), !c.right);
        EXPECT_EQ(notebook->SE_rpp->value(), c.rpp);
        for (QWidget* control : std::initializer_list<QWidget*> { notebook->Edit_nb_name, notebook->Memo_nb_dsc,
                 notebook->RG_tab_position, notebook->SE_rpp, notebook->Btn_delete_notebook })
            EXPECT_EQ(control->isEnabled(), bound) << control->objectName().toStdString();
        EXPECT_FALSE(notebook->Btn_apply->isEnabled());
        EXPECT_TRUE(notebook->Btn_new_notebook->isEnabled());
    }
    EXPECT_FALSE(notebook->btn_reminder->isVisibleTo(window.get()));
}

TEST_F(PanelTest, ApplyWritesTheNotebookProperties)
{
    Select(Notebook(1));
    QTest::keyClicks(notebook->Edit_nb_name, " Ltd");
    EXPECT_TRUE(notebook->Btn_apply->isEnabled());
    notebook->RB_top->setChecked(true);
    notebook->SE_rpp->setValue(7);
    notebook->Memo_nb_dsc->setPlainText("Colleagues\nand clients");
    Click(notebook->Btn_apply);
    TKelPigger& work = Notebook(1);
    EXPECT_EQ(work.GetAttr("NAME"), "Work Ltd");
    EXPECT_EQ(work.IndexOfAttr(u"RIGHT_TAB_POSITION"), -1);
    EXPECT_EQ(work.GetAttr("RPP"), "7");
    EXPECT_EQ(QString::fromUtf8(work.Text()), "Colleagues\nand clients");
    EXPECT_EQ(window->Guider().ItemOf(&work)->text(0), "NOTEBOOK:Work Ltd");
    EXPECT_FALSE(notebook->Btn_apply->isEnabled());
    EXPECT_TRUE(window->Changed());

    notebook->Edit_nb_name->clear();
    notebook->RB_right->setChecked(true);
    Click(notebook->Btn_apply);
    EXPECT_EQ(work.IndexOfAttr(u"NAME"), -1);
    EXPECT_EQ(work.GetAttr("RIGHT_TAB_POSITION"), "Y");
    EXPECT_EQ(window->Guider().ItemOf(&work)->text(0), "NOTEBOOK");
}

TEST_F(PanelTest, EachKindOfEditEnablesApply)
{
    const std::function<void()> edits[] = {
        [&] { QTest::keyClicks(notebook->Edit_nb_name, "x"); },
        [&] { notebook->Memo_nb_dsc->appendPlainText("x"); },
        [&] { notebook->RB_right->setChecked(true); },
        [&] { notebook->SE_rpp->setValue(11); },
    };
    for (const auto& edit : edits) {
        Select(Notebook(0));
        Select(Notebook(1));
        Select(Notebook(0));
        ASSERT_FALSE(notebook->Btn_apply->isEnabled());
        edit();
        EXPECT_TRUE(notebook->Btn_apply->isEnabled());
    }
}

TEST_F(PanelTest, DeleteNotebookAfterTheTick)
{
    Select(Notebook(0));
    prompts.Answer(false).Answer(true);
    Click(notebook->Btn_delete_notebook);
    EXPECT_EQ(Doc().ChildCount(), 2);
    Click(notebook->Btn_delete_notebook);
    EXPECT_EQ(prompts.Log().value(1),
        "SureChecked: The notebook \"Friends\" will be deleted. All the information will be lost. Continue?");
    ASSERT_EQ(Doc().ChildCount(), 1);
    EXPECT_EQ(Notebook(0).GetAttr("NAME"), "Work");
    EXPECT_EQ(ItemCaptions(Doc()), QStringList({ "NOTEBOOK:Work" }));
    EXPECT_EQ(window->Guider().SelectedNode(), &Doc());
    EXPECT_EQ(window->CurrentNotebook(), nullptr);
    EXPECT_EQ(notebook->Notebook(), nullptr);
    EXPECT_EQ(notebook->Edit_nb_name->text(), "");
    EXPECT_EQ(ShownSheet(), "TabSheet_notebook");
    EXPECT_TRUE(window->Changed());

    // The lists that showed the deleted notebook hold nothing of it any more.
    EXPECT_EQ(pages->List(), nullptr);
    EXPECT_EQ(fields->List(), nullptr);
}

TEST(FieldPropsDialog, LoadsAndReturnsTheProperties)
{
    struct Case {
        const char* stored;
        const char* checked; // nullptr: no choice shown
    };
    const Case cases[] = {
        { "", "No features" },
        { "Field is http", "Field is http" },
        { "Field is e-mail address", "Field is e-mail address" },
        { "Field is file", "Field is file" },
        { "Field is date", "Field is date" },
        { "Field is phone", nullptr },
    };
    TD_field_props dialog;
    EXPECT_EQ(dialog.windowTitle(), "Field properties");
    EXPECT_EQ(dialog.RG_features->title(), "Filed features");
    for (const Case& c : cases) {
        TFieldProps props;
        props.name = "PHONE";
        props.title = "Phone";
        props.width = 0;
        props.feature = c.stored;
        dialog.Load(props);
        QStringList checked;
        for (QRadioButton* choice : dialog.RG_features->findChildren<QRadioButton*>())
            if (choice->isChecked())
                checked.append(choice->text());
        EXPECT_EQ(checked, c.checked ? QStringList({ c.checked }) : QStringList()) << c.stored;
        const TFieldProps result = dialog.Result();
        EXPECT_EQ(result.name, "PHONE");
        EXPECT_EQ(result.title, "Phone");
        EXPECT_EQ(result.width, 0);
        EXPECT_EQ(result.feature, c.stored) << "unchanged choices keep the stored value";
    }

    for (QRadioButton* choice : dialog.RG_features->findChildren<QRadioButton*>()) {
        choice->setChecked(true);
        const QString expected = choice->text() == "No features" ? QString() : choice->text();
        EXPECT_EQ(dialog.Result().feature, expected);
    }
}

TEST(FieldPropsDialog, OnlyTypingMarksTheTitleEdited)
{
    TD_field_props dialog;
    TFieldProps props;
    props.title = "Old";
    dialog.Load(props);
    EXPECT_FALSE(dialog.TitleEdited());
    QTest::keyClicks(dialog.Edit_field_name, "X");
    EXPECT_FALSE(dialog.TitleEdited());
    QTest::keyClicks(dialog.Edit_field_title, "er");
    EXPECT_TRUE(dialog.TitleEdited());
    EXPECT_EQ(dialog.Result().title, "Older");
    dialog.Load(props);
    EXPECT_FALSE(dialog.TitleEdited());
    dialog.SpinEdit_field_width->setValue(-5);
    EXPECT_EQ(dialog.Result().width, -5);
}

} // namespace
} // namespace quillo::test

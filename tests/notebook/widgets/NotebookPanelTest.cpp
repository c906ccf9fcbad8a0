#include "notebook/widgets/PanelFixture.h"

#include "notebook/widgets/TD_field_props.h"

#include <QGroupBox>
#include <QLabel>
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
        Click(*c.node);
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
        EXPECT_EQ(notebook->Label_hint->isVisible(), !bound) << "what to do when there is nothing to edit";
    }
    EXPECT_FALSE(notebook->btn_reminder->isVisibleTo(window.get()));
}

TEST_F(PanelTest, ApplyWritesTheNotebookProperties)
{
    Click(Notebook(1));
    QTest::keyClicks(notebook->Edit_nb_name, " Ltd");
    EXPECT_TRUE(notebook->Btn_apply->isEnabled());
    Click(notebook->RB_top);
    notebook->SE_rpp->selectAll();
    QTest::keyClicks(notebook->SE_rpp, "7");
    QTest::keyClicks(notebook->Memo_nb_dsc, "Colleagues");
    QTest::keyClick(notebook->Memo_nb_dsc, Qt::Key_Return);
    QTest::keyClicks(notebook->Memo_nb_dsc, "and clients");
    Click(notebook->Btn_apply);
    TKelPigger& work = Notebook(1);
    EXPECT_EQ(work.GetAttr("NAME"), "Work Ltd");
    EXPECT_EQ(work.IndexOfAttr(u"RIGHT_TAB_POSITION"), -1);
    EXPECT_EQ(work.GetAttr("RPP"), "7");
    EXPECT_EQ(QString::fromUtf8(work.Text()), "Colleagues\nand clients");
    EXPECT_EQ(window->Guider().ItemOf(&work)->text(0), "NOTEBOOK:Work Ltd");
    EXPECT_FALSE(notebook->Btn_apply->isEnabled());
    EXPECT_TRUE(window->Changed());

    notebook->Edit_nb_name->selectAll();
    QTest::keyClick(notebook->Edit_nb_name, Qt::Key_Delete);
    Click(notebook->RB_right);
    Click(notebook->Btn_apply);
    EXPECT_EQ(work.IndexOfAttr(u"NAME"), -1);
    EXPECT_EQ(work.GetAttr("RIGHT_TAB_POSITION"), "Y");
    EXPECT_EQ(window->Guider().ItemOf(&work)->text(0), "NOTEBOOK");
}

TEST_F(PanelTest, EachKindOfEditEnablesApply)
{
    const std::function<void()> edits[] = {
        [&] { QTest::keyClicks(notebook->Edit_nb_name, "x"); },
        [&] { QTest::keyClicks(notebook->Memo_nb_dsc, "x"); },
        [&] { Click(notebook->RB_right); },
        [&] { QTest::keyClick(notebook->SE_rpp, Qt::Key_Up); },
    };
    for (const auto& edit : edits) {
        Click(Notebook(0));
        Click(Notebook(1));
        Click(Notebook(0));
        ASSERT_FALSE(notebook->Btn_apply->isEnabled());
        edit();
        EXPECT_TRUE(notebook->Btn_apply->isEnabled());
    }
}

// Text typed into the panel and not applied is applied when the user leaves the panel, saves or exits;
// it is never dropped without a word.
TEST_F(PanelTest, TypedButNotAppliedEditsAreApplied)
{
    const QString file = window->FileName();
    const struct {
        const char* how;
        std::function<void()> leave;
    } cases[] = {
        { "another node clicked", [&] { Click(Pages(1)); } },
        { "another notebook clicked", [&] { Click(Notebook(0)); } },
        { "saved", [&] { Key(Qt::Key_S, Qt::ControlModifier); } },
        { "exit escaped",
            [&] {
                prompts.Escape();
                Key(Qt::Key_Q, Qt::ControlModifier);
            } },
    };
    for (const auto& c : cases) {
        Load();
        prompts.ClearLog();
        Click(Notebook(1));
        QTest::keyClicks(notebook->Memo_nb_dsc, "Colleagues");
        EXPECT_TRUE(Find<QAction>("N_Save")->isEnabled()) << c.how << ": typing is a change to save";
        c.leave();
        EXPECT_EQ(QString::fromUtf8(Notebook(1).Text()), "Colleagues") << c.how;
        EXPECT_FALSE(notebook->Btn_apply->isEnabled()) << c.how;
        EXPECT_TRUE(window->isVisible()) << c.how;
        if (std::string(c.how) == "saved") {
            EXPECT_FALSE(window->Changed());
            EXPECT_TRUE(testutil::TempFolder::Read(file).contains("Colleagues"));
        } else {
            EXPECT_TRUE(window->Changed()) << c.how;
        }
        if (std::string(c.how) == "exit escaped") {
            EXPECT_EQ(prompts.Log(), QStringList({ "Sure: Save changes? (Yes/No/Cancel)" }));
        }
    }
}

TEST_F(PanelTest, DeleteNotebookAfterTheTick)
{
    Click(Notebook(0));
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

// A file without a notebook, or whose first notebook lacks a field or a page, cannot be opened again:
// the deletion that would leave one is refused before the question.
TEST_F(PanelTest, DeletingTheNotebookAFileNeedsIsRefused)
{
    const struct {
        const char* document;
        const char* message;
    } cases[] = {
        { R"(<NOTEBOOKS><NOTEBOOK NAME="Only"><FIELDS><FIELD NAME="F"/></FIELDS><PAGES><PAGE NAME="P"/></PAGES>
            </NOTEBOOK></NOTEBOOKS>)",
            "The notebook \"Only\" is the last one of this file and cannot be deleted: a notebook file holds at "
            "least one notebook." },
        { R"(<NOTEBOOKS><NOTEBOOK NAME="Only"><FIELDS><FIELD NAME="F"/></FIELDS><PAGES><PAGE NAME="P"/></PAGES>
            </NOTEBOOK><NOTEBOOK NAME="Draft"><FIELDS><FIELD NAME="F"/></FIELDS></NOTEBOOK></NOTEBOOKS>)",
            "The notebook \"Only\" cannot be deleted: the notebook after it would come first and it has no field or "
            "no page, so the file could not be opened again." },
    };
    for (const auto& c : cases) {
        Load(c.document);
        prompts.ClearLog();
        const QByteArray before = Doc().SaveToText();
        Click(Notebook(0));
        Click(notebook->Btn_delete_notebook);
        EXPECT_EQ(prompts.Log(), QStringList({ QString("Msg: ") + c.message }));
        EXPECT_EQ(Doc().SaveToText(), before);
        EXPECT_FALSE(window->Changed());
    }
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
}

TEST(FieldPropsDialog, WidthsStayWithinWhatAScreenShows)
{
    TD_field_props dialog;
    auto* range = dialog.findChild<QLabel*>("Label_width_range");
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->text(), "0 to 4000; 0 is the default width");
    const struct {
        const char* typed;
        int width;
    } cases[] = { { "99999", 999 }, { "4000", 4000 }, { "-5", 5 }, { "0", 0 } };
    for (const auto& c : cases) {
        dialog.Load(TFieldProps());
        dialog.SpinEdit_field_width->selectAll();
        QTest::keyClicks(dialog.SpinEdit_field_width, c.typed);
        EXPECT_EQ(dialog.Result().width, c.width) << c.typed;
    }
    // A width stored beyond the range, by hand or by an older version, is shown at its end.
    TKelPigger field;
    field.LoadFromText(R"(<FIELD NAME="WIDE" WIDTH="99999"/>)");
    dialog.Load(TFieldProps::Read(field));
    EXPECT_EQ(dialog.SpinEdit_field_width->value(), 4000);
}

} // namespace
} // namespace quillo::test

#include "printing/widgets/TKelFileEdit.h"
#include "printing/widgets/TO_prn_page.h"
#include "records/widgets/TWizard_new_NB.h"
#include "testutil/ScriptedPrompts.h"
#include "testutil/TempFolder.h"
#include "testutil/UserEvents.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include <memory>

namespace quillo {
namespace {

using testutil::ClickButton;

class WizardTest : public testing::Test {
protected:
    void SetUp() override
    {
        root.SetTag("NOTEBOOKS");
        wizard = std::make_unique<TWizard_new_NB>(prompts, fileDialogs, desktop);
        wizard->Open(root);
        ASSERT_TRUE(QTest::qWaitForWindowActive(wizard.get()));
    }

    int Step() const { return wizard->pages->currentIndex(); }
    // Buttons enabled, as "Prior Next Ok Cancel" with a dash for a disabled one.
    QString Buttons() const
    {
        QStringList shown;
        for (QPushButton* button : { wizard->btnPrev, wizard->btnNext, wizard->btnFinish, wizard->btnCancel })
            shown.append(button->isEnabled() ? button->objectName() : QStringLiteral("-"));
        return shown.join(' ');
    }
    // Types the name and goes on to the fields.
    void NameAndNext(const QString& name = "Family")
    {
        QTest::keyClicks(wizard->Edit1, name);
        ClickButton(wizard->btnNext);
    }
    // Ticks or unticks the row as the user does: a click on it, then Space.
    void Toggle(QListWidget* list, const QString& text)
    {
        testutil::ClickRow(list, text);
        QTest::keyClick(list, Qt::Key_Space);
    }
    void AddCustom(QLineEdit* edit, QPushButton* add, const QString& typed)
    {
        QTest::keyClicks(edit, typed);
        ClickButton(add);
    }
    // The rows of a list, the checked ones marked with a star.
    static QStringList Rows(const QListWidget* list)
    {
        QStringList rows;
        for (int i = 0; i < list->count(); ++i)
            rows.append(list->item(i)->text() + (list->item(i)->checkState() == Qt::Checked ? "*" : ""));
        return rows;
    }
    // NAME[:FEATURE] of every child of the notebook's list.
    static QStringList Names(const TKelPigger& list)
    {
        QStringList names;
        for (int i = 0; i < list.ChildCount(); ++i) {
            const TKelPigger* child = list.Child(i);
            const QString feature = child->GetAttr("FEATURE");
            names.append(child->GetAttr("NAME") + (feature.isEmpty() ? "" : ":" + feature));
            EXPECT_EQ(child->AttrCount(), feature.isEmpty() ? 1 : 2) << "no TITLE or WIDTH";
        }
        return names;
    }

    testutil::TempFolder folder;
    testutil::ScriptedPrompts prompts;
    testutil::ScriptedFileDialogs fileDialogs;
    testutil::ScriptedDesktop desktop;
    TKelPigger root;
    std::unique_ptr<TWizard_new_NB> wizard;
};

TEST_F(WizardTest, ABlankNameKeepsNextDisabled)
{
    EXPECT_EQ(wizard->windowTitle(), "New notebook");
    EXPECT_EQ(Step(), 0);
    EXPECT_EQ(Buttons(), "- - - btnCancel");
    QTest::keyClicks(wizard->Edit1, "   ");
    EXPECT_EQ(Buttons(), "- - - btnCancel");
    QTest::keyClick(wizard->Edit1, Qt::Key_Return);
    EXPECT_EQ(Step(), 0);
    QTest::keyClicks(wizard->Edit1, "F");
    EXPECT_EQ(Buttons(), "- btnNext - btnCancel");
    QTest::keyClick(wizard->Edit1, Qt::Key_Return);
    EXPECT_EQ(Step(), 1) << "Enter in the name goes on";
    EXPECT_EQ(wizard->PrevPageIndex(), 0);
    EXPECT_EQ(Buttons(), "btnPrev btnNext - btnCancel");
    EXPECT_EQ(QApplication::focusWidget(), wizard->Edit_custom_field);
}

TEST_F(WizardTest, ForwardPastAnEmptyListReturnsWithAMessageBackwardsNever)
{
    NameAndNext();
    EXPECT_EQ(Rows(wizard->CLB_fields), QStringList({ "FIRST_NAME", "LAST_NAME", "ADDR", "PHONES", "E-MAIL" }));
    ClickButton(wizard->btnNext);
    EXPECT_EQ(Step(), 1);
    EXPECT_EQ(prompts.Log(), QStringList({ "Msg: At least one field must be defined" }));

    Toggle(wizard->CLB_fields, "ADDR");
    ClickButton(wizard->btnNext);
    EXPECT_EQ(Step(), 2);
    EXPECT_TRUE(wizard->CLB_pages->count() == 0);
    ClickButton(wizard->btnNext);
    EXPECT_EQ(Step(), 2);
    EXPECT_EQ(prompts.Log().value(1), "Msg: At least one page must be defined");

    // Unticked fields do not stop a step back.
    ClickButton(wizard->btnPrev);
    Toggle(wizard->CLB_fields, "ADDR");
    ClickButton(wizard->btnPrev);
    EXPECT_EQ(Step(), 0);
    EXPECT_EQ(prompts.Log().size(), 2);
    EXPECT_EQ(Buttons(), "- btnNext - btnCancel");
}

TEST_F(WizardTest, CustomNamesAreTrimmedUpperCasedAndFollowTheNameRule)
{
    NameAndNext();
    EXPECT_FALSE(wizard->SB_add_custom_fld->isEnabled());
    QTest::keyClicks(wizard->Edit_custom_field, "  ");
    EXPECT_FALSE(wizard->SB_add_custom_fld->isEnabled());
    wizard->Edit_custom_field->clear();

    const struct {
        const char* typed;
        const char* current;
    } cases[] = {
        { "http", "HTTP" },
        { " my field ", "MY_FIELD" },
        { "phones", "PHONES" }, // listed already: only ticked and selected
        { "job/role (2)", "JOB_ROLE_(2)" },
    };
    for (const auto& c : cases) {
        AddCustom(wizard->Edit_custom_field, wizard->SB_add_custom_fld, c.typed);
        EXPECT_EQ(wizard->CLB_fields->currentItem()->text(), c.current) << c.typed;
        EXPECT_EQ(wizard->Edit_custom_field->text(), "") << c.typed;
    }
    EXPECT_EQ(Rows(wizard->CLB_fields),
        QStringList({ "FIRST_NAME", "LAST_NAME", "ADDR", "PHONES*", "E-MAIL", "HTTP*", "MY_FIELD*", "JOB_ROLE_(2)*" }));
    // Enter in the box adds too.
    QTest::keyClicks(wizard->Edit_custom_field, "notes");
    QTest::keyClick(wizard->Edit_custom_field, Qt::Key_Return);
    EXPECT_EQ(Rows(wizard->CLB_fields).constLast(), "NOTES*");
    EXPECT_EQ(Step(), 1);
}

TEST_F(WizardTest, EnglishAbcAndACustomPageGiveThirteenPagesAndClearEmptiesTheList)
{
    NameAndNext();
    Toggle(wizard->CLB_fields, "LAST_NAME");
    ClickButton(wizard->btnNext);
    AddCustom(wizard->Edit_custom_page, wizard->SB_add_custom_page, "old");
    ClickButton(wizard->SB_ABC);
    AddCustom(wizard->Edit_custom_page, wizard->SB_add_custom_page, "x");
    EXPECT_EQ(Rows(wizard->CLB_pages),
        QStringList({ "AB*", "CD*", "EF*", "GH*", "IJ*", "KL*", "MN*", "OP*", "QRS*", "TU*", "VW*", "XYZ*", "X*" }));
    ClickButton(wizard->SB_clear_pages);
    EXPECT_EQ(wizard->CLB_pages->count(), 0);
}

TEST_F(WizardTest, OkBuildsTheNotebookFromTheTickedItemsInListOrder)
{
    root.LoadFromText("<NOTEBOOKS><NOTEBOOK NAME=\"Old\"/></NOTEBOOKS>");
    NameAndNext("  Family & co");
    Toggle(wizard->CLB_fields, "E-MAIL");
    Toggle(wizard->CLB_fields, "LAST_NAME");
    AddCustom(wizard->Edit_custom_field, wizard->SB_add_custom_fld, "http");
    ClickButton(wizard->btnNext);
    ClickButton(wizard->SB_ABC);
    Toggle(wizard->CLB_pages, "CD");
    ClickButton(wizard->btnNext);
    EXPECT_EQ(Step(), 3);
    EXPECT_EQ(Buttons(), "btnPrev - btnFinish btnCancel");
    EXPECT_EQ(wizard->O_prn_page1->SB_show_template->text(), "Show template");
    EXPECT_EQ(wizard->O_prn_page1->TemplateFileName(), "..\\templates\\contacts-5.zdkt");
    EXPECT_EQ(root.ChildCount(), 1) << "nothing is built before Ok";

    ClickButton(wizard->btnFinish);
    EXPECT_FALSE(wizard->isVisible());
    EXPECT_TRUE(wizard->Finished());
    ASSERT_EQ(root.ChildCount(), 2);
    const TKelPigger& notebook = *root.Child(1);
    EXPECT_EQ(wizard->NewNotebook(), &notebook);
    EXPECT_EQ(notebook.GetAttr("NAME"), "  Family & co") << "as typed";
    EXPECT_EQ(notebook.GetAttr("PRINT_TEMPLATE"), "..\\templates\\contacts-5.zdkt");
    EXPECT_EQ(notebook.AttrCount(), 2) << "no RPP, RIGHT_TAB_POSITION or BDF";
    ASSERT_EQ(notebook.ChildCount(), 2);
    EXPECT_EQ(notebook.Child(0)->Tag(), "FIELDS");
    EXPECT_EQ(Names(*notebook.Child(0)),
        QStringList({ "LAST_NAME", "E-MAIL:Field is e-mail address", "HTTP:Field is http" }));
    EXPECT_EQ(notebook.Child(1)->Tag(), "PAGES");
    EXPECT_EQ(
        Names(*notebook.Child(1)), QStringList({ "AB", "EF", "GH", "IJ", "KL", "MN", "OP", "QRS", "TU", "VW", "XYZ" }));
}

TEST_F(WizardTest, CancelOrEscLeavesTheDocumentUntouched)
{
    NameAndNext();
    Toggle(wizard->CLB_fields, "ADDR");
    ClickButton(wizard->btnCancel);
    EXPECT_FALSE(wizard->Finished());
    EXPECT_EQ(root.ChildCount(), 0);

    wizard->Open(root);
    ASSERT_TRUE(QTest::qWaitForWindowActive(wizard.get()));
    EXPECT_EQ(Step(), 0);
    QTest::keyClick(wizard->Edit1, Qt::Key_Escape);
    EXPECT_FALSE(wizard->isVisible());
    EXPECT_EQ(root.ChildCount(), 0);
    EXPECT_FALSE(wizard->ExecuteWizard(nullptr));
}

// The template step runs its sample without a notebook.
TEST_F(WizardTest, TheTemplateStepShowsASampleWithoutData)
{
    NameAndNext();
    Toggle(wizard->CLB_fields, "ADDR");
    ClickButton(wizard->btnNext);
    AddCustom(wizard->Edit_custom_page, wizard->SB_add_custom_page, "A");
    ClickButton(wizard->btnNext);
    const QString probe = folder.Write("probe.zdkt",
        "<QUILLO_TEMPLATE><REPORT TITLE=\"=GETATTRIB('NAME') + '/' + GETCHILDATTRIB(0, 'NAME') + '|' + "
        "STRING(GETPASSEDPARAM('RPP'))\"><BODY><BAND WIDTH=\"95\" HEIGHT=\"5\"/></BODY></REPORT></QUILLO_TEMPLATE>");
    QLineEdit* box = wizard->O_prn_page1->KelFileEdit1->Edit;
    box->selectAll();
    QTest::keyClicks(box, probe);
    ClickButton(wizard->O_prn_page1->SB_show_template);
    EXPECT_EQ(prompts.Log(), QStringList());
    EXPECT_EQ(wizard->O_prn_page1->PassedParams().Node().ChildCount(), 2);
    ClickButton(wizard->btnFinish);
    EXPECT_EQ(root.Child(0)->GetAttr("PRINT_TEMPLATE"), probe);
}

TEST_F(WizardTest, SetFilesReplaceTheListAndKeepTheirLinesAsWritten)
{
    NameAndNext();
    QByteArray fields = "\xFF\xFE";
    for (const QChar c : QStringLiteral("Http\r\n  BIRTHDAY \r\n\r\nhttp\r\nMy notes\r\n"))
        fields += char(c.unicode() & 0xFF), fields += char(c.unicode() >> 8);
    fileDialogs.Answer(folder.Write("family.fds", fields));
    ClickButton(wizard->SB_custom_fld_set);
    EXPECT_EQ(fileDialogs.Log(), QStringList({ "Open: " + TWizard_new_NB::CustomFolder() }));
    EXPECT_EQ(fileDialogs.LastFilter(), "Custom fieldset (*.fds);;All files (*)");
    EXPECT_EQ(Rows(wizard->CLB_fields), QStringList({ "Http*", "BIRTHDAY*", "My_notes*" }));

    fileDialogs.Answer(QString());
    ClickButton(wizard->SB_custom_fld_set);
    EXPECT_EQ(wizard->CLB_fields->count(), 3) << "a cancelled dialog changes nothing";
    fileDialogs.Answer(folder.File("missing.fds"));
    ClickButton(wizard->SB_custom_fld_set);
    EXPECT_TRUE(prompts.Log().value(0).startsWith("ShowMessage: Cannot open file " + folder.File("missing.fds")));
    EXPECT_EQ(wizard->CLB_fields->count(), 3);

    ClickButton(wizard->btnNext);
    const QByteArray pages = "\xEF\xBB\xBF"
                             "\xC3\x84"
                             "b\nmy page\n";
    fileDialogs.Answer(folder.Write("german.pgs", pages));
    ClickButton(wizard->SB_custom_pg_set);
    EXPECT_EQ(fileDialogs.LastFilter(), "Custom pageset (*.pgs);;All files (*)");
    EXPECT_EQ(Rows(wizard->CLB_pages), QStringList({ "Äb*", "my page*" }));
    ClickButton(wizard->btnNext);
    ClickButton(wizard->btnFinish);
    EXPECT_EQ(Names(*root.Child(0)->Child(0)), QStringList({ "Http", "BIRTHDAY", "My_notes" }))
        << "no feature for Http";
    EXPECT_EQ(Names(*root.Child(0)->Child(1)), QStringList({ "Äb", "my page" }));
}

} // namespace
} // namespace quillo

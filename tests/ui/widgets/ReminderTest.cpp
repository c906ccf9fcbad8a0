#include "ui/widgets/LookupFixture.h"

#include "records/RecordDates.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>

namespace quillo::test {
namespace {

const QDate Today(2026, 3, 10);

QString Day(int month, int day, int year) { return RecordDates::Format(QDate(year, month, day)); }

// Friends keeps birthdays in BIRTHDAY, Work in BORN; each record is tested with its own notebook's field.
QByteArray BirthdayDocument()
{
    const QString text = QStringLiteral(R"(
<NOTEBOOKS>
	<NOTEBOOK NAME="Friends" BDF="BIRTHDAY">
		<FIELDS>
			<FIELD NAME="PERSON"/>
			<FIELD NAME="BIRTHDAY" FEATURE="Field is date"/>
			<FIELD NAME="WEDDING" FEATURE="Field is date"/>
		</FIELDS>
		<PAGES>
			<PAGE NAME="A">
				<REC PERSON=" Ann " BIRTHDAY="%1"/>
				<REC PERSON="Abe" BIRTHDAY="%2"/>
				<REC PERSON="Ada" BIRTHDAY="soon"/>
			</PAGE>
			<PAGE NAME="B">
				<REC PERSON="Bob" BIRTHDAY="%3"/>
			</PAGE>
		</PAGES>
	</NOTEBOOK>
	<NOTEBOOK NAME="Work" BDF="BORN">
		<FIELDS>
			<FIELD NAME="PERSON"/>
			<FIELD NAME="BORN" FEATURE="Field is date"/>
		</FIELDS>
		<PAGES>
			<PAGE NAME="X">
				<REC PERSON="Xena" BORN="%4" BIRTHDAY="%1"/>
				<REC PERSON="Xavier" BIRTHDAY="%1"/>
			</PAGE>
		</PAGES>
	</NOTEBOOK>
</NOTEBOOKS>)")
                             .arg(Day(3, 10, 1980), Day(3, 13, 1970), Day(3, 12, 1990), Day(3, 11, 2000));
    return text.toUtf8();
}

class ReminderTest : public LookupTest {
protected:
    void SetUp() override
    {
        LookupTest::SetUp();
        document = BirthdayDocument();
        Load(document.constData());
        Tree()->expandAll();
        remind->SetClock([this] { return today; });
    }

    void OpenFromToolBar()
    {
        testutil::ClickButton(Find<QToolButton>("TB_remind"));
        ASSERT_TRUE(remind->isVisible());
    }

    // Opens the settings of the notebook with the button of the notebook panel.
    void OpenSettings(TKelPigger& notebook)
    {
        Click(notebook);
        testutil::ClickButton(Find<QPushButton>("btn_reminder"));
        ASSERT_TRUE(reminderSettings->isVisible());
    }

    void TypeDaysAhead(int days)
    {
        QSpinBox* spin = reminderSettings->SE_days_ahead;
        spin->setFocus();
        QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(spin, QString::number(days));
    }

    QTreeWidgetItem* Item(int index) const { return remind->LV1->topLevelItem(index); }

    QByteArray document;
    QDate today = Today;
};

TEST_F(ReminderTest, ListsTheDueRecordsOfEveryNotebookWithItsOwnField)
{
    OpenFromToolBar();
    EXPECT_EQ(remind->windowTitle(), "Birthday Reminder");
    EXPECT_EQ(Column(remind->LV1, 0), QStringList({ Day(3, 10, 1980), Day(3, 12, 1990), Day(3, 11, 2000) }));
    EXPECT_EQ(Column(remind->LV1, 1),
        QStringList({ "Ann;  " + Day(3, 10, 1980), "Bob;  " + Day(3, 12, 1990),
            "Xena;  " + Day(3, 11, 2000) + ";  " + Day(3, 10, 1980) }));
    EXPECT_EQ(remind->Label_due->text(), "Birthdays today and in the next 2 days:");
    EXPECT_FALSE(remind->GroupBox_gift->isVisible());
    EXPECT_FALSE(remind->Label_gift_webpage->isVisible());

    // From the menu it is made again, for the day it is now.
    testutil::ClickButton(remind->btn_close);
    EXPECT_FALSE(remind->isVisible());
    today = QDate(2026, 3, 13);
    testutil::ChooseFromMenuBar(window.get(), Action("NReminder"));
    EXPECT_TRUE(remind->isVisible());
    EXPECT_EQ(Column(remind->LV1, 0), QStringList({ Day(3, 13, 1970) }));
    today = QDate(2026, 7, 1);
    testutil::ChooseFromMenuBar(window.get(), Action("NReminder"));
    EXPECT_EQ(remind->LV1->topLevelItemCount(), 0);
    EXPECT_EQ(remind->Label_due->text(), "No birthdays today or in the next 2 days.");
}

TEST_F(ReminderTest, GoToRecordKeepsTheWindowOpen)
{
    OpenFromToolBar();
    EXPECT_FALSE(remind->btn_goto->isEnabled());
    testutil::ClickItem(remind->LV1, Item(1));
    testutil::ClickButton(remind->btn_goto);
    EXPECT_TRUE(remind->isVisible());
    GridPlace place = Place();
    EXPECT_EQ(place.guiderNode, &Page(0, 1));
    EXPECT_EQ(place.gridPage, &Page(0, 1));
    EXPECT_EQ(place.row, 0);
    EXPECT_EQ(place.record, &Record(0, 1, 0));

    testutil::DoubleClickItem(remind->LV1, Item(2));
    EXPECT_TRUE(remind->isVisible());
    place = Place();
    EXPECT_EQ(place.guiderNode, &Page(1, 0));
    EXPECT_EQ(place.record, &Record(1, 0, 0));
    EXPECT_EQ(prompts.Log(), QStringList());
}

// The window stays open while the grid is edited: a record deleted there is not followed.
TEST_F(ReminderTest, ARecordDeletedSinceIsRefused)
{
    OpenFromToolBar();
    Click(Page(0, 0));
    notepad->LocateRecord(&Record(0, 0, 0));
    prompts.Answer(true);
    testutil::ClickButton(notepad->findChild<QAbstractButton*>(QStringLiteral("SB_delete")));
    ASSERT_EQ(Record(0, 0, 0).GetAttr("PERSON"), "Abe");

    testutil::DoubleClickItem(remind->LV1, Item(0));
    EXPECT_EQ(LastSaid(),
        "Msg: This record is no longer as listed: it was deleted or changed after the list was "
        "made.\nThe list is made again.");
    EXPECT_EQ(Column(remind->LV1, 0), QStringList({ Day(3, 12, 1990), Day(3, 11, 2000) }));
    EXPECT_EQ(Place().record, &Record(0, 0, 0)) << "the grid stays where it was";
}

TEST_F(ReminderTest, AChangeOfStructureMakesTheOpenListAgain)
{
    OpenFromToolBar();
    ASSERT_EQ(remind->LV1->topLevelItemCount(), 3);
    Click(Notebook(1));
    prompts.Answer(true);
    testutil::ClickButton(Find<QPushButton>("Btn_delete_notebook"));
    ASSERT_EQ(Doc().ChildCount(), 1);
    EXPECT_EQ(Column(remind->LV1, 0), QStringList({ Day(3, 10, 1980), Day(3, 12, 1990) }));
}

TEST_F(ReminderTest, SettingsChooseTheFieldAndTheDaysAhead)
{
    OpenSettings(Notebook(0));
    EXPECT_EQ(reminderSettings->windowTitle(), "Reminder settings");
    QComboBox* field = reminderSettings->CB_BDF;
    ASSERT_EQ(field->count(), 3);
    EXPECT_EQ(field->itemText(0), "none");
    EXPECT_EQ(field->itemText(1), "BIRTHDAY");
    EXPECT_EQ(field->itemText(2), "WEDDING");
    EXPECT_EQ(field->currentIndex(), 1);
    EXPECT_EQ(reminderSettings->SE_days_ahead->value(), 3);

    // Only the days ahead: the user's setting, not a change of the document.
    TypeDaysAhead(1);
    testutil::ClickButton(reminderSettings->btn_ok);
    EXPECT_FALSE(reminderSettings->isVisible());
    EXPECT_FALSE(window->Changed());
    EXPECT_EQ(TUserSettings(SettingsPath()).ReminderDaysAhead(), 1);
    OpenFromToolBar();
    EXPECT_EQ(Column(remind->LV1, 0), QStringList({ Day(3, 10, 1980) }));
    EXPECT_EQ(remind->Label_due->text(), "Birthdays today:");

    // "none" takes the notebook out of the reminder.
    OpenSettings(Notebook(0));
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Home);
    TypeDaysAhead(60);
    testutil::ClickButton(reminderSettings->btn_ok);
    EXPECT_EQ(Notebook(0).GetAttr("BDF"), "");
    EXPECT_EQ(Notebook(0).IndexOfAttr(u"BDF"), -1);
    EXPECT_TRUE(window->Changed());
    EXPECT_EQ(TUserSettings(SettingsPath()).ReminderDaysAhead(), 60);
    EXPECT_EQ(Column(remind->LV1, 0), QStringList({ Day(3, 11, 2000) })) << "the open window follows";
    EXPECT_EQ(remind->Label_due->text(), "Birthdays today and in the next 59 days:");

    // Cancel keeps everything as it was; another field is chosen by name.
    OpenSettings(Notebook(0));
    EXPECT_EQ(field->currentIndex(), 0);
    QTest::keyClick(field, Qt::Key_End);
    testutil::ClickButton(reminderSettings->btn_cancel);
    EXPECT_EQ(Notebook(0).GetAttr("BDF"), "");
    OpenSettings(Notebook(0));
    QTest::keyClick(field, Qt::Key_End);
    EXPECT_EQ(field->currentText(), "WEDDING");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FALSE(reminderSettings->isVisible());
    EXPECT_EQ(Notebook(0).GetAttr("BDF"), "WEDDING");
}

TEST_F(ReminderTest, ShownAtStartUpWhenTheUserAskedAndABirthdayIsDue)
{
    // Off by default: nothing opens by itself.
    remind->ShowIfDue();
    EXPECT_FALSE(remind->isVisible());

    OpenFromToolBar();
    EXPECT_FALSE(remind->CB_show_at_start->isChecked());
    ClickOption(remind->CB_show_at_start);
    EXPECT_TRUE(TUserSettings(SettingsPath()).ReminderAtStart());
    testutil::ClickButton(remind->btn_close);

    remind->ShowIfDue();
    EXPECT_TRUE(remind->isVisible());
    EXPECT_TRUE(remind->CB_show_at_start->isChecked());
    testutil::ClickButton(remind->btn_close);

    today = QDate(2026, 7, 1);
    remind->ShowIfDue();
    EXPECT_FALSE(remind->isVisible()) << "nothing is due";

    today = Today;
    OpenFromToolBar();
    ClickOption(remind->CB_show_at_start);
    EXPECT_FALSE(TUserSettings(SettingsPath()).ReminderAtStart());
    QTest::keyClick(remind->LV1, Qt::Key_Escape);
    EXPECT_FALSE(remind->isVisible());
    remind->ShowIfDue();
    EXPECT_FALSE(remind->isVisible());
}

} // namespace
} // namespace quillo::test

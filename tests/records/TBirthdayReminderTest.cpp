#include "records/TBirthdayReminder.h"
#include "notebook/NotebookEdits.h"
#include "testutil/QtPrinters.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

const QString Format = QStringLiteral("dd.MM.yyyy");

TEST(TBirthdayReminderTest, DueWindow)
{
    struct Case {
        QDate today;
        int daysAhead;
        const char* birthday;
        int daysUntil;
        bool due;
    };
    const Case cases[] = {
        { QDate(2026, 3, 10), 3, "10.03.1970", 0, true },
        { QDate(2026, 3, 10), 3, "11.03.2001", 1, true },
        { QDate(2026, 3, 10), 3, " 12.03.1950 ", 2, true },
        { QDate(2026, 3, 10), 3, "13.03.1970", 3, false },
        { QDate(2026, 3, 10), 3, "09.03.1970", 364, false },
        // The next occurrence counts across the turn of the year.
        { QDate(2026, 12, 31), 3, "01.01.1990", 1, true },
        { QDate(2026, 12, 30), 3, "02.01.1990", 3, false },
        { QDate(2026, 12, 31), 3, "02.01.1990", 2, true },
        // 29 February is kept on 28 February in common years.
        { QDate(2027, 2, 27), 3, "29.02.2000", 1, true },
        { QDate(2027, 2, 28), 1, "29.02.2000", 0, true },
        { QDate(2027, 3, 1), 3, "29.02.2000", 365, false },
        { QDate(2028, 2, 27), 3, "29.02.2000", 2, true },
        { QDate(2028, 2, 27), 2, "28.02.1999", 1, true },
        { QDate(2028, 2, 28), 1, "29.02.2000", 1, false },
        // Days ahead at both ends.
        { QDate(2026, 3, 10), 1, "10.03.1970", 0, true },
        { QDate(2026, 3, 10), 1, "11.03.1970", 1, false },
        { QDate(2026, 3, 10), 60, "08.05.1970", 59, true },
        { QDate(2026, 3, 10), 60, "09.05.1970", 60, false },
        // Text that is no date in the format is skipped.
        { QDate(2026, 3, 10), 3, "1970-03-10", -1, false },
        { QDate(2026, 3, 10), 3, "10.03.", -1, false },
        { QDate(2026, 3, 10), 3, "31.02.1970", -1, false },
        { QDate(2026, 3, 10), 3, "", -1, false },
    };
    for (const Case& c : cases) {
        const TBirthdayReminder reminder(c.today, c.daysAhead, Format);
        EXPECT_EQ(reminder.DaysUntil(c.birthday), c.daysUntil)
            << c.birthday << " on " << c.today.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(reminder.IsDue(c.birthday), c.due)
            << c.birthday << " on " << c.today.toString(Qt::ISODate).toStdString();
    }
}

TEST(TBirthdayReminderTest, EachNotebookUsesItsOwnField)
{
    TKelPigger root;
    root.LoadFromText(R"(<NOTEBOOKS>)"
                      R"(<NOTEBOOK NAME="A" BDF="BORN"><PAGES><PAGE NAME="1">)"
                      R"(<REC NAME=" Ann " BORN="10.03.1980" DAY="11.03.1980"/><REC NAME="Bo" BORN="not a date"/>)"
                      R"(<REC NAME="Cy" BORN="13.03.1980"/></PAGE></PAGES></NOTEBOOK>)"
                      R"(<NOTEBOOK NAME="B"><PAGES><PAGE NAME="1"><REC BORN="10.03.1980"/></PAGE></PAGES></NOTEBOOK>)"
                      R"(<NOTEBOOK NAME="C" BDF="day"><PAGES><PAGE NAME="1"><REC BORN="01.01.1990" DAY="12.03.1990"/>)"
                      R"(</PAGE></PAGES></NOTEBOOK></NOTEBOOKS>)");
    const TBirthdayReminder reminder(QDate(2026, 3, 10), 3, Format);
    const auto due = reminder.Run(
        root, [](TKelPigger& start, const TNodeVisitor& visit) { NotebookEdits::WalkTree(start, visit); });
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(due[0].record, root.Child(0)->FindChild("PAGES")->Child(0)->Child(0));
    EXPECT_EQ(due[0].birthday, "10.03.1980");
    EXPECT_EQ(due[0].values, "Ann;  10.03.1980;  11.03.1980");
    EXPECT_EQ(due[1].birthday, "12.03.1990");
    EXPECT_EQ(due[1].values, "01.01.1990;  12.03.1990");
}

TEST(TBirthdayReminderTest, SettingsChoicesAndNone)
{
    TKelPigger notebook;
    notebook.LoadFromText(R"(<NOTEBOOK NAME="A" BDF="born"><FIELDS><FIELD NAME="NAME"/>)"
                          R"(<FIELD NAME="BORN" FEATURE="Field is date"/><FIELD NAME="MET" FEATURE="field is date"/>)"
                          R"(<FIELD NAME="WED" FEATURE="Field is date"/></FIELDS></NOTEBOOK>)");
    EXPECT_EQ(TBirthdayReminder::FieldChoices(notebook), QStringList({ "none", "BORN", "WED" }));
    EXPECT_EQ(TBirthdayReminder::CurrentChoice(notebook), 1);
    TBirthdayReminder::SetChoice(notebook, 2);
    EXPECT_EQ(notebook.GetAttr("BDF"), "WED");
    notebook.SetAttr("BDF", "MET");
    EXPECT_EQ(TBirthdayReminder::CurrentChoice(notebook), 0);
    TBirthdayReminder::SetChoice(notebook, 0);
    EXPECT_EQ(notebook.IndexOfAttr(u"BDF"), -1);

    TKelPigger bare;
    bare.SetTag("NOTEBOOK");
    EXPECT_EQ(TBirthdayReminder::FieldChoices(bare), QStringList({ "none" }));
    EXPECT_EQ(TBirthdayReminder::CurrentChoice(bare), 0);
}

} // namespace
} // namespace quillo

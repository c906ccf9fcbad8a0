#include "notebook/TUserSettings.h"
#include "testutil/QtPrinters.h"
#include "testutil/TempFolder.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

using testutil::TempFolder;

TEST(UserSettingsTest, MissingOrUnusableFilesAreReplacedByEmptySettings)
{
    const QByteArray cases[] = { QByteArray(), "<SETTINGS DOC_NAME=\"x>", "<SETTINGS>", "<NOTEBOOKS/>", "" };
    for (const QByteArray& text : cases) {
        TempFolder folder;
        const QString path = text.isNull() ? folder.File("new/quillo-zdk.SET") : folder.Write("quillo-zdk.SET", text);
        TUserSettings settings(path);
        EXPECT_EQ(TempFolder::Read(path), "\r\n<SETTINGS/>") << text.toStdString();
    }
}

TEST(UserSettingsTest, MarginsDefaultToTwentyStoredWhenReadAndNonIntegersReadZero)
{
    const struct {
        QString stored;
        int read;
        QString storedAfter;
    } cases[] = { { "", 20, "20" }, { "15", 15, "15" }, { "abc", 0, "abc" }, { "12.5", 0, "12.5" } };
    const QString names[] = { "PRINTER_MARGIN_LEFT", "PRINTER_MARGIN_RIGHT", "PRINTER_MARGIN_TOP" };
    for (const auto& c : cases) {
        for (int i = 0; i < 3; ++i) {
            TempFolder folder;
            const QString path
                = folder.Write("quillo-zdk.SET", QString("<SETTINGS %1=\"%2\"/>").arg(names[i], c.stored).toUtf8());
            {
                TUserSettings settings(path);
                EXPECT_EQ(settings.PrinterMargin(TUserSettings::Margin(i)), c.read) << names[i].toStdString();
            }
            TKelPigger reread; // the holder saves when it goes
            reread.LoadFromFile(path);
            EXPECT_EQ(reread.GetAttr(names[i]), c.storedAfter) << names[i].toStdString();
        }
    }
}

TEST(UserSettingsTest, ValuesSurviveARestartAndEmptyRemoves)
{
    TempFolder folder;
    const QString path = folder.File("quillo-zdk.SET");
    const QString awkward = "/home/u/\u00e4 \"quoted\" <100%>/notes.zdk";
    {
        TUserSettings settings(path);
        settings.SetDocName(awkward);
        settings.SetDataDir("/home/u");
        settings.Save();
    }
    TUserSettings again(path);
    EXPECT_EQ(again.GetDocName(), awkward);
    EXPECT_EQ(again.GetDataDir(), "/home/u");
    again.SetDocName(QString());
    EXPECT_EQ(again.Document().IndexOfAttr(u"DOC_NAME"), -1);
}

TEST(UserSettingsTest, ReminderDaysAheadStayInRangeAndTheStartUpFlagIsY)
{
    const struct {
        QString stored;
        int read;
    } cases[] = { { "", 3 }, { "1", 1 }, { "60", 60 }, { "0", 1 }, { "61", 60 }, { "-5", 1 }, { "many", 3 } };
    for (const auto& c : cases) {
        TempFolder folder;
        const QString path
            = folder.Write("quillo-zdk.SET", QString("<SETTINGS REMINDER_DAYS=\"%1\"/>").arg(c.stored).toUtf8());
        EXPECT_EQ(TUserSettings(path).ReminderDaysAhead(), c.read) << c.stored.toStdString();
    }

    TempFolder folder;
    const QString path = folder.File("quillo-zdk.SET");
    {
        TUserSettings settings(path);
        EXPECT_FALSE(settings.ReminderAtStart());
        settings.SetReminderDaysAhead(99);
        settings.SetReminderAtStart(true);
    }
    EXPECT_EQ(TempFolder::Read(path), "\r\n<SETTINGS REMINDER_DAYS=\"60\" REMINDER_AT_START=\"Y\"/>");
    {
        TUserSettings settings(path);
        EXPECT_EQ(settings.ReminderDaysAhead(), 60);
        EXPECT_TRUE(settings.ReminderAtStart());
        settings.SetReminderAtStart(false);
    }
    EXPECT_FALSE(TempFolder::Read(path).contains("REMINDER_AT_START"));
}

TEST(UserSettingsTest, PrintOffsetsAreKeptPerPrinterWithinTheLimit)
{
    TempFolder folder;
    const QString path = folder.Write("quillo-zdk.SET",
        "<SETTINGS><PRINTER NAME=\"Odd\" FRONT_X=\"x\" FRONT_Y=\"-900\" BACK_X=\"7\" BACK_Y=\"\"/></SETTINGS>");
    {
        TUserSettings settings(path);
        EXPECT_EQ(settings.PrintOffsets("Odd"), (TPrintOffsets { 0, -TPrintOffsets::Limit, 7, 0 }));
        EXPECT_EQ(settings.PrintOffsets("Laser"), TPrintOffsets {});
        settings.SetPrintOffsets("Laser", { 15, -8, 3, 999 });
        settings.SetPrintOffsets("Inkjet", { 1, 2, 3, 4 });
        settings.SetPrintOffsets("laser", { 15, -8, 3, 4 });
    }
    TUserSettings reread(path);
    EXPECT_EQ(reread.PrintOffsets("Laser"), (TPrintOffsets { 15, -8, 3, 4 }));
    EXPECT_EQ(reread.PrintOffsets("Inkjet"), (TPrintOffsets { 1, 2, 3, 4 }));
    EXPECT_EQ(reread.Document().ChildCount(), 3);
}

TEST(UserSettingsTest, WriteErrorsAreIgnored)
{
    TempFolder folder;
    const QString blocker = folder.Write("file", "not a folder");
    TUserSettings settings(blocker + "/quillo-zdk.SET");
    settings.Save();
    EXPECT_EQ(TempFolder::Read(blocker), "not a folder");
}

} // namespace
} // namespace quillo

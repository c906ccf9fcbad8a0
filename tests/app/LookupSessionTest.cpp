#include "app/XDisplay.h"
#include "records/RecordDates.h"
#include "testutil/TempFolder.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>

namespace quillo {
namespace {

using test::XDisplay;

// The real program started with the reminder asked for at start-up and a birthday due today: the reminder opens
// by itself after the file is loaded. Then the search, with keys and the mouse: Ctrl+F, a text, Enter, a double
// click on the hit; the record it selects in the grid is the one deleted with Ctrl+Del and saved.
TEST(LookupSession, TheReminderOpensAtStartAndASearchHitLeadsToItsRecord)
{
    if (!XDisplay::Available())
        GTEST_SKIP() << "needs Xvfb, xdotool and ImageMagick's import (scripts/deps installs them)";
    XDisplay display;
    ASSERT_TRUE(display.Started());
    testutil::TempFolder work;
    QByteArray text = testutil::TempFolder::Read(QStringLiteral(QUILLO_SOURCE_DIR "/samples/friends.zdk"));
    const QDate today = QDate::currentDate();
    text.replace("BIRTHDAY=\"30/07/1993\"",
        "BIRTHDAY=\"" + RecordDates::Format(QDate(1993, today.month(), today.day() == 29 ? 28 : today.day())).toUtf8()
            + "\"");
    const QString notebook = work.Write("friends.zdk", text);
    QDir().mkpath(work.File("config/quillo-zdk"));
    work.Write("config/quillo-zdk/quillo-zdk.SET",
        "<SETTINGS DOC_NAME=\"" + notebook.toUtf8() + "\" REMINDER_AT_START=\"Y\"/>");
    ASSERT_TRUE(display.StartProgram(QStringLiteral(QUILLO_APP_PATH), work.File("config"), work.Path()));
    const QString main = display.MainWindow();
    display.XDoTool({ "windowmove", "--sync", main, "0", "0" });
    display.XDoTool({ "windowsize", "--sync", main, "1000", "680" });

    const auto window = [&](const QString& title) {
        return QString::fromUtf8(display.XDoTool({ "search", "--onlyvisible", "--name", "^" + title + "$" }))
            .trimmed()
            .section('\n', 0, 0);
    };
    ASSERT_TRUE(XDisplay::WaitFor([&] { return !window("Birthday Reminder").isEmpty(); }))
        << "the reminder did not open at start-up";
    display.XDoTool({ "windowfocus", "--sync", window("Birthday Reminder") });
    display.XDoTool({ "key", "Escape" });
    ASSERT_TRUE(XDisplay::WaitFor([&] { return window("Birthday Reminder").isEmpty(); }));

    display.XDoTool({ "windowfocus", "--sync", main });
    display.XDoTool({ "key", "ctrl+f" });
    ASSERT_TRUE(XDisplay::WaitFor([&] { return !window("Search").isEmpty(); }));
    const QString search = window("Search");
    display.XDoTool({ "windowfocus", "--sync", search });
    display.XDoTool({ "type", "--delay", "20", "agatha" });
    display.XDoTool({ "key", "Return" });
    // The first hit's row lies below the search text, the options and the list's heading.
    const QStringList geometry = QString::fromUtf8(display.XDoTool({ "getwindowgeometry", search }))
                                     .section("Position: ", 1)
                                     .section(' ', 0, 0)
                                     .split(',');
    ASSERT_EQ(geometry.size(), 2);
    const int x = geometry[0].toInt() + 150;
    const int y = geometry[1].toInt() + 189;
    display.XDoTool({ "mousemove", "--sync", QString::number(x), QString::number(y), "click", "--repeat", "2",
        "--delay", "80", "1" });
    ASSERT_TRUE(XDisplay::WaitFor([&] { return window("Search").isEmpty(); })) << "Go to did not close the window";

    display.XDoTool({ "windowfocus", "--sync", main });
    display.XDoTool({ "key", "ctrl+Delete" });
    ASSERT_TRUE(XDisplay::WaitFor([&] { return !window("Confirmation:").isEmpty(); }));
    display.XDoTool({ "key", "Return" });
    ASSERT_TRUE(XDisplay::WaitFor([&] { return window("Confirmation:").isEmpty(); }));
    display.XDoTool({ "windowfocus", "--sync", main });
    display.XDoTool({ "key", "ctrl+s" });
    ASSERT_TRUE(XDisplay::WaitFor([&] { return !testutil::TempFolder::Read(notebook).contains("Agatha"); }));
    TKelPigger saved;
    saved.LoadFromText(testutil::TempFolder::Read(notebook));
    const TKelPigger* pageA = saved.Child(0)->FindChild("PAGES")->Child(0);
    ASSERT_EQ(pageA->ChildCount(), 2);
    EXPECT_EQ(pageA->Child(0)->GetAttr("PERSON"), "Ann Archer");
    EXPECT_EQ(pageA->Child(1)->GetAttr("PERSON"), "Alan Ashby");
    display.XDoTool({ "key", "ctrl+q" });
    EXPECT_TRUE(display.WaitForExit());
}

} // namespace
} // namespace quillo

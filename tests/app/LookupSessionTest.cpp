#include "app/XDisplay.h"
#include "records/RecordDates.h"
#include "testutil/TempFolder.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRect>
#include <QThread>

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

    const auto shown = [&](const QString& title) {
        return !display.XDoTool({ "search", "--onlyvisible", "--name", "^" + title + "$" }).trimmed().isEmpty();
    };
    // Keys go to whichever window has the keyboard: each step waits until its window has it.
    const auto focus = [&](const QString& window) {
        display.XDoTool({ "windowfocus", "--sync", window });
        return display.HasFocus(window);
    };
    const QString reminder = display.FindWindow(QStringLiteral("^Birthday Reminder$"));
    ASSERT_FALSE(reminder.isEmpty()) << "the reminder did not open at start-up";
    ASSERT_TRUE(focus(reminder));
    display.XDoTool({ "key", "Escape" });
    ASSERT_TRUE(XDisplay::WaitFor([&] { return !shown("Birthday Reminder"); }));

    ASSERT_TRUE(focus(main));
    display.XDoTool({ "key", "ctrl+f" });
    const QString search = display.FindWindow(QStringLiteral("^Search$"));
    ASSERT_FALSE(search.isEmpty());
    ASSERT_TRUE(focus(search));
    display.XDoTool({ "type", "--delay", "20", "agatha" });
    display.XDoTool({ "key", "Return" });
    // The first hit's row lies below the search text, the options and the list's heading. The search runs in
    // slices and Go to waits for its end, so on a slow build the first double click may come too early: it is
    // repeated until Go to closes the window. (mousemove --sync would wait forever for a pointer already there.)
    const QRect where = display.Geometry(search);
    ASSERT_FALSE(where.isEmpty());
    display.XDoTool({ "mousemove", "--sync", QString::number(where.x() + 150), QString::number(where.y() + 189) });
    bool closed = false;
    for (int attempt = 0; attempt < 8 && !closed; ++attempt) {
        display.XDoTool({ "click", "--repeat", "2", "--delay", "80", "1" });
        QThread::msleep(1000);
        closed = !shown("Search");
    }
    ASSERT_TRUE(closed) << "Go to did not close the window";

    ASSERT_TRUE(focus(main));
    display.XDoTool({ "key", "ctrl+Delete" });
    const QString confirmation = display.FindWindow(QStringLiteral("^Confirmation:$"));
    ASSERT_FALSE(confirmation.isEmpty());
    ASSERT_TRUE(focus(confirmation));
    display.XDoTool({ "key", "Return" });
    ASSERT_TRUE(XDisplay::WaitFor([&] { return !shown("Confirmation:"); }));
    ASSERT_TRUE(focus(main));
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

#include "app/PrintSteps.h"
#include "app/XDisplay.h"
#include "testutil/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QThread>

namespace quillo {
namespace {

using test::XDisplay;

// The real program on a virtual X display: page AB of the sample notebook with records added, printed as a
// left-hand page with its template (the default one, found beside the program) and exported to PDF from the print
// window, lies on the right part of the sheet, against the right margin.
TEST(PrintSession, ALeftHandPageIsExportedOnTheRightHalfOfTheSheet)
{
    if (!XDisplay::Available())
        GTEST_SKIP() << "needs Xvfb, xdotool and ImageMagick's import (scripts/deps installs them)";
    XDisplay display;
    ASSERT_TRUE(display.Started());
    testutil::TempFolder work;
    QByteArray sample = testutil::TempFolder::Read(QStringLiteral(QUILLO_SOURCE_DIR "/samples/friends.zdk"));
    sample.replace("\t\t\t<PAGE NAME=\"B\">",
        "\t\t\t<PAGE NAME=\"AB\">\r\n\t\t\t\t<REC PERSON=\"Abby Abbott\" PHONE=\"+44 20 7946 0123\"/>\r\n"
        "\t\t\t\t<REC PERSON=\"Abe Abel\" E_MAIL=\"abe@example.org\"/>\r\n\t\t\t</PAGE>\r\n\t\t\t<PAGE NAME=\"B\">");
    const QString notebook = work.Write("friends.zdk", sample);
    QDir().mkpath(work.File("config/quillo-zdk"));
    work.Write("config/quillo-zdk/quillo-zdk.SET", "<SETTINGS DOC_NAME=\"" + notebook.toUtf8() + "\"/>");
    ASSERT_TRUE(display.StartProgram(QStringLiteral(QUILLO_APP_PATH), work.File("config"), work.Path()));
    const QString main = display.MainWindow();
    // No window manager: the window is placed and sized by hand, so the guider rows and the grid's buttons sit
    // at fixed places (the fonts are fixed by the test environment).
    display.XDoTool({ "windowmove", "--sync", main, "0", "0" });
    display.XDoTool({ "windowsize", "--sync", main, "900", "500" });
    display.XDoTool({ "windowfocus", "--sync", main });
    ASSERT_TRUE(display.HasFocus(main));
    const auto click = [&](int x, int y) {
        display.XDoTool({ "mousemove", "--sync", QString::number(x), QString::number(y), "click", "1" });
        QThread::msleep(500);
    };
    QThread::msleep(500);
    click(48, 121); // opens PAGES of Friends
    click(106, 157); // page AB

    const QString pdf = work.File("page-ab.pdf");
    ASSERT_NO_FATAL_FAILURE(test::ExportLeftHandPage(display, 440, 82, pdf)); // the grid's Print button
    test::ExpectOnTheRightHalf(pdf, { QStringLiteral("Abby Abbott"), QStringLiteral("abe@example.org") });
}

} // namespace
} // namespace quillo

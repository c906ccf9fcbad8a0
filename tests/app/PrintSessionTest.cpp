#include "app/XDisplay.h"
#include "testutil/PdfText.h"
#include "testutil/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
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
    const auto click = [&](int x, int y) {
        display.XDoTool({ "mousemove", "--sync", QString::number(x), QString::number(y), "click", "1" });
        QThread::msleep(500);
    };
    const auto shown = [&](const QString& title) {
        return XDisplay::WaitFor([&] {
            return !display.XDoTool({ "search", "--onlyvisible", "--name", title }).trimmed().isEmpty();
        });
    };
    QThread::msleep(500);
    click(48, 121); // opens PAGES of Friends
    click(106, 157); // page AB
    click(440, 82); // the grid's Print button

    ASSERT_TRUE(shown(QStringLiteral("^Printing$"))) << "no placement dialog";
    display.XDoTool({ "key", "Down", "Return" }); // Left-side page, Ok
    ASSERT_TRUE(shown(QStringLiteral("Print page$"))) << "no print window";
    display.XDoTool({ "key", "ctrl+e" });
    ASSERT_TRUE(shown(QStringLiteral("^Export PDF$"))) << "no file choice";
    const QString pdf = work.File("page-ab.pdf");
    display.XDoTool({ "key", "ctrl+a" });
    display.XDoTool({ "type", "--delay", "20", pdf });
    display.XDoTool({ "key", "Return" });
    ASSERT_TRUE(XDisplay::WaitFor([&] { return QFileInfo(pdf).size() > 0; })) << "no PDF written";
    QThread::msleep(300);

    const QList<testutil::TPdfPage> sheets = testutil::ReadPdf(pdf);
    ASSERT_EQ(sheets.size(), 1);
    const QString text = testutil::PageText(sheets[0]);
    EXPECT_TRUE(text.contains(QStringLiteral("Abby Abbott"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("abe@example.org"))) << text.toStdString();
    // A4 portrait without a printer: the 95 mm page ends at the 20 mm right margin, so it starts at 95 mm.
    for (const testutil::TPdfWord& word : sheets[0].words) {
        EXPECT_GE(word.left, 95) << word.text.toStdString();
        EXPECT_LE(word.right, 190) << word.text.toStdString();
    }
}

} // namespace
} // namespace quillo

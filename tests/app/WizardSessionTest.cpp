#include "app/XDisplay.h"
#include "notebook/NotebookSchema.h"
#include "testutil/TempFolder.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QRect>
#include <QThread>

namespace quillo {
namespace {

using test::XDisplay;

// Where a window is on the screen; an empty rectangle when it is not shown.
QRect Geometry(XDisplay& display, const QString& window)
{
    QRect rect;
    for (const QByteArray& line : display.XDoTool({ "getwindowgeometry", "--shell", window }).split('\n')) {
        const QList<QByteArray> pair = line.split('=');
        const int value = pair.value(1).toInt();
        if (pair[0] == "X")
            rect.moveLeft(value);
        else if (pair[0] == "Y")
            rect.moveTop(value);
        else if (pair[0] == "WIDTH")
            rect.setWidth(value);
        else if (pair[0] == "HEIGHT")
            rect.setHeight(value);
    }
    return rect;
}

// The first visible window but except whose title (or, with "--class", class) matches the pattern, ignoring case.
QString FindWindow(XDisplay& display, const QString& pattern, const QString& except = QString(),
    const QString& by = QStringLiteral("--name"))
{
    QString window;
    XDisplay::WaitFor([&] {
        for (const QByteArray& id : display.XDoTool({ "search", "--onlyvisible", by, pattern }).split('\n')) {
            window = QString::fromLatin1(id.trimmed());
            if (!window.isEmpty() && window != except)
                return true;
        }
        window.clear();
        return false;
    });
    return window;
}

// Waits until window has the keyboard: keys sent before would go elsewhere.
bool HasFocus(XDisplay& display, const QString& window)
{
    return XDisplay::WaitFor([&] { return display.XDoTool({ "getwindowfocus" }).trimmed() == window.toLatin1(); });
}

// File > New with the mouse, the wizard's steps with the mouse (the name typed), and the new notebook saved:
// its fields and pages are the ones clicked.
TEST(WizardSession, FileNewRunsTheWizardWithTheMouse)
{
    if (!XDisplay::Available())
        GTEST_SKIP() << "needs Xvfb, xdotool and ImageMagick's import (scripts/deps installs them)";
    XDisplay display;
    ASSERT_TRUE(display.Started());
    testutil::TempFolder work;
    ASSERT_TRUE(display.StartProgram(QStringLiteral(QUILLO_APP_PATH), work.File("config"), work.Path()));
    const QString main = display.MainWindow();
    display.XDoTool({ "windowmove", "--sync", main, "0", "0" });
    display.XDoTool({ "windowsize", "--sync", main, "1000", "680" });
    const auto click = [&](int x, int y) {
        display.XDoTool({ "mousemove", "--sync", QString::number(x), QString::number(y), "click", "1" });
    };

    // The File menu opens as a window of its own below its heading; New is its first entry. The window
    // first takes in its new size and the keyboard.
    display.XDoTool({ "windowfocus", "--sync", main });
    ASSERT_TRUE(HasFocus(display, main));
    QThread::msleep(500);
    click(20, 9);
    const QString menu = FindWindow(display, "^quillo-zdk$", main, "--class");

    ASSERT_FALSE(menu.isEmpty()) << "the File menu did not open";
    const QRect menuRect = Geometry(display, menu);
    click(menuRect.left() + 40, menuRect.top() + 15);
    const QString question = FindWindow(display, "^Confirmation:$");
    ASSERT_FALSE(question.isEmpty()) << "no \"Create new file?\"";
    ASSERT_TRUE(HasFocus(display, question));
    display.XDoTool({ "key", "Return" });

    const QString wizard = FindWindow(display, "^New notebook$");
    ASSERT_FALSE(wizard.isEmpty()) << "the wizard did not open";
    ASSERT_TRUE(HasFocus(display, wizard));
    const QRect w = Geometry(display, wizard);
    // The bottom bar's buttons from the right edge, and the rows of the check lists.
    const int bar = w.bottom() - 22;
    const auto next = [&] { click(w.right() - 223, bar); };
    const auto row = [&](int index) { return w.top() + 96 + 14 * index; };
    display.XDoTool({ "type", "--delay", "20", "Family" });
    next();
    click(w.left() + 31, row(0)); // FIRST_NAME
    click(w.left() + 31, row(3)); // PHONES
    next();
    click(w.right() - 82, w.top() + 168); // English ABC
    next();
    click(w.right() - 136, bar); // Ok
    EXPECT_TRUE(XDisplay::WaitFor([&] {
        return display.XDoTool({ "search", "--onlyvisible", "--name", "^New notebook$" }).trimmed().isEmpty();
    })) << "the wizard stays open";

    // Saved under a name typed into the save dialog.
    display.XDoTool({ "windowfocus", "--sync", main });
    display.XDoTool({ "key", "ctrl+s" });
    const QString saveAs = FindWindow(display, "^Save as$");
    ASSERT_FALSE(saveAs.isEmpty());
    ASSERT_TRUE(HasFocus(display, saveAs));
    display.XDoTool({ "key", "ctrl+a" });
    display.XDoTool({ "type", "--delay", "20", work.File("family.zdk") });
    display.XDoTool({ "key", "Return" });
    ASSERT_TRUE(XDisplay::WaitFor([&] { return !testutil::TempFolder::Read(work.File("family.zdk")).isEmpty(); }));

    TKelPigger document;
    document.LoadFromText(testutil::TempFolder::Read(work.File("family.zdk")));
    ASSERT_TRUE(NotebookSchema::CheckStructure(document));
    const TKelPigger& family = *document.Child(0);
    EXPECT_EQ(family.GetAttr("NAME"), "Family");
    const TKelPigger& fields = *family.FindChild("FIELDS");
    ASSERT_EQ(fields.ChildCount(), 2);
    EXPECT_EQ(fields.Child(0)->GetAttr("NAME"), "FIRST_NAME");
    EXPECT_EQ(fields.Child(1)->GetAttr("NAME"), "PHONES");
    const TKelPigger& pages = *family.FindChild("PAGES");
    ASSERT_EQ(pages.ChildCount(), 12);
    EXPECT_EQ(pages.Child(11)->GetAttr("NAME"), "XYZ");
}

} // namespace
} // namespace quillo

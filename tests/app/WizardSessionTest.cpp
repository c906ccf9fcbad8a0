#include "app/PrintSteps.h"
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

// Starts the program on the display with an empty configuration; its main window at the top left corner, in the
// given size, with the keyboard.
void StartProgram(XDisplay& display, const testutil::TempFolder& work, int width, int height)
{
    ASSERT_TRUE(display.StartProgram(QStringLiteral(QUILLO_APP_PATH), work.File("config"), work.Path()));
    const QString main = display.MainWindow();
    display.XDoTool({ "windowmove", "--sync", main, "0", "0" });
    display.XDoTool({ "windowsize", "--sync", main, QString::number(width), QString::number(height) });
    // The window first takes in its new size and the keyboard.
    display.XDoTool({ "windowfocus", "--sync", main });
    ASSERT_TRUE(display.HasFocus(main));
    QThread::msleep(500);
}

// File > New with the mouse and the wizard's steps with the mouse: the notebook "Family" with the fields
// FIRST_NAME and PHONES and the English ABC's pages ("AB", "CD", ... "XYZ").
void CreateFamilyWithTheWizard(XDisplay& display)
{
    const QString main = display.MainWindow();
    // The File menu opens as a window of its own below its heading; New is its first entry.
    display.Click(20, 9);
    const QString menu = display.FindWindow("^quillo-zdk$", main, "--class");
    ASSERT_FALSE(menu.isEmpty()) << "the File menu did not open";
    const QRect menuRect = display.Geometry(menu);
    display.Click(menuRect.left() + 40, menuRect.top() + 15);
    const QString question = display.FindWindow("^Confirmation:$");
    ASSERT_FALSE(question.isEmpty()) << "no \"Create new file?\"";
    ASSERT_TRUE(display.HasFocus(question));
    display.XDoTool({ "key", "Return" });

    const QString wizard = display.FindWindow("^New notebook$");
    ASSERT_FALSE(wizard.isEmpty()) << "the wizard did not open";
    ASSERT_TRUE(display.HasFocus(wizard));
    const QRect w = display.Geometry(wizard);
    // The bottom bar's buttons from the right edge, and the rows of the check lists.
    const int bar = w.bottom() - 22;
    const auto next = [&] { display.Click(w.right() - 223, bar); };
    const auto row = [&](int index) { return w.top() + 96 + 14 * index; };
    display.XDoTool({ "type", "--delay", "20", "Family" });
    next();
    display.Click(w.left() + 31, row(0)); // FIRST_NAME
    display.Click(w.left() + 31, row(3)); // PHONES
    next();
    display.Click(w.right() - 82, w.top() + 168); // English ABC
    next();
    display.Click(w.right() - 136, bar); // Ok
    ASSERT_TRUE(XDisplay::WaitFor([&] {
        return display.XDoTool({ "search", "--onlyvisible", "--name", "^New notebook$" }).trimmed().isEmpty();
    })) << "the wizard stays open";
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
    ASSERT_NO_FATAL_FAILURE(StartProgram(display, work, 1000, 680));
    ASSERT_NO_FATAL_FAILURE(CreateFamilyWithTheWizard(display));
    const QString main = display.MainWindow();

    // Saved under a name typed into the save dialog.
    display.XDoTool({ "windowfocus", "--sync", main });
    ASSERT_TRUE(display.HasFocus(main));
    display.XDoTool({ "key", "ctrl+s" });
    const QString saveAs = display.FindWindow("^Save as$");
    ASSERT_FALSE(saveAs.isEmpty());
    ASSERT_TRUE(display.HasFocus(saveAs));
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

// A notebook made with the wizard, two records added to its page AB in the grid with the mouse and keys, and the
// page printed as a left-hand page with the template the wizard sets (the default one, found beside the
// program): the PDF exported from the print window shows the records on the right half of the sheet.
TEST(WizardSession, ANewNotebooksPagePrintsOnTheRightHalfOfTheSheet)
{
    if (!XDisplay::Available())
        GTEST_SKIP() << "needs Xvfb, xdotool and ImageMagick's import (scripts/deps installs them)";
    XDisplay display;
    ASSERT_TRUE(display.Started());
    testutil::TempFolder work;
    ASSERT_NO_FATAL_FAILURE(StartProgram(display, work, 1000, 680));
    ASSERT_NO_FATAL_FAILURE(CreateFamilyWithTheWizard(display));
    // The guider rows and the grid's buttons sit at fixed places in the window's fixed size.
    QThread::msleep(500);
    display.Click(48, 121); // opens PAGES of Family
    QThread::msleep(500);
    display.Click(106, 139); // page AB
    QThread::msleep(500);

    // The first record through the grid's Append button, the second through Ctrl+Insert in the grid; each is
    // filled in the record form, Tab to the next field.
    const auto fillRecord = [&](const QString& name, const QString& phone) {
        const QString form = display.FindWindow("^Record$");
        ASSERT_FALSE(form.isEmpty()) << "no record form";
        ASSERT_TRUE(display.HasFocus(form));
        display.XDoTool({ "type", "--delay", "20", name });
        display.XDoTool({ "key", "Tab" });
        display.XDoTool({ "type", "--delay", "20", phone });
        const QRect f = display.Geometry(form);
        display.Click(f.right() - 137, f.bottom() - 22); // Ok
        ASSERT_TRUE(XDisplay::WaitFor([&] {
            return display.XDoTool({ "search", "--onlyvisible", "--name", "^Record$" }).trimmed().isEmpty();
        })) << "the record form stays open";
        QThread::msleep(300);
    };
    display.Click(220, 82); // the grid's Append button
    ASSERT_NO_FATAL_FAILURE(fillRecord(QStringLiteral("Abigail"), QStringLiteral("+44 20 7946 0123")));
    display.Click(244, 131); // the first record's name
    display.XDoTool({ "key", "ctrl+Insert" });
    ASSERT_NO_FATAL_FAILURE(fillRecord(QStringLiteral("Bartholomew"), QStringLiteral("+44 161 496 0732")));

    const QString pdf = work.File("family-ab.pdf");
    ASSERT_NO_FATAL_FAILURE(test::ExportLeftHandPage(display, 440, 82, pdf)); // the grid's Print button
    test::ExpectOnTheRightHalf(pdf,
        { QStringLiteral("Abigail"), QStringLiteral("7946 0123"), QStringLiteral("Bartholomew"),
            QStringLiteral("496 0732") });
}

} // namespace
} // namespace quillo

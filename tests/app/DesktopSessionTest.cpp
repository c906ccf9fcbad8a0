#include "app/SessionScript.h"
#include "app/XDisplay.h"
#include "notebook/NotebookSchema.h"
#include "testutil/TempFolder.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

// The real program on a virtual X display, driven by the keyboard: started without settings it shows
// only its window and writes empty settings; a notebook created and saved there is reopened by the next
// start, which proves itself by saving the same bytes under another name.
TEST(DesktopSession, TheNextStartReopensTheSavedNotebook)
{
    if (!test::SessionScriptsAvailable())
        GTEST_SKIP() << "needs xvfb-run and xdotool (scripts/deps installs them)";
    testutil::TempFolder work;
    const test::TSessionRun run = test::RunSessionScript(QStringLiteral("desktop-session.sh"), work.Path());
    ASSERT_TRUE(run.ok) << run.output.toStdString();

    EXPECT_EQ(testutil::TempFolder::Read(work.File("first-windows")).trimmed(), "1");
    EXPECT_EQ(testutil::TempFolder::Read(work.File("first-settings")).trimmed(), "<SETTINGS/>");

    const QByteArray saved = testutil::TempFolder::Read(work.File("family.zdk"));
    TKelPigger document;
    document.LoadFromText(saved);
    EXPECT_TRUE(NotebookSchema::CheckStructure(document));
    ASSERT_EQ(document.ChildCount(), 1);
    const TKelPigger& family = *document.Child(0);
    EXPECT_EQ(family.GetAttr("NAME"), "Family");
    EXPECT_EQ(family.GetAttr("PRINT_TEMPLATE"), "..\\templates\\contacts-5.zdkt");
    ASSERT_EQ(family.ChildCount(), 2);
    EXPECT_EQ(family.Child(0)->ChildCount(), 1);
    EXPECT_EQ(family.Child(0)->Child(0)->GetAttr("NAME"), "PERSON");
    EXPECT_EQ(family.Child(1)->ChildCount(), 1);
    EXPECT_EQ(family.Child(1)->Child(0)->GetAttr("NAME"), "A");
    EXPECT_EQ(testutil::TempFolder::Read(work.File("copy.zdk")), saved);

    TKelPigger settings;
    settings.LoadFromText(testutil::TempFolder::Read(work.File("config/quillo-zdk/quillo-zdk.SET")));
    EXPECT_EQ(settings.GetAttr("DOC_NAME"), work.File("copy.zdk"));
}

using test::XDisplay;

// The main window as a screenshot shows it, placed at the top left of the screen: the guider's white
// view on the left and the panel beside it. Panels are told apart by where their white edit areas lie.
class TScreen {
public:
    explicit TScreen(QImage image)
        : m_image(std::move(image))
    {
        // The guider's view is the first long white run down the left edge, below menu and tool bar, with the
        // selected row in the selection's blue anywhere in it, up to the grey frame.
        int run = 0;
        for (int y = 0; y < m_image.height() && m_tree.isNull(); ++y) {
            run = White(5, y) ? run + 1 : 0;
            if (run == 100) {
                int top = y - run + 1;
                while (top > 0 && (White(5, top - 1) || Blue(5, top - 1)))
                    --top;
                int bottom = y;
                while (bottom + 1 < m_image.height() && (White(5, bottom + 1) || Blue(5, bottom + 1)))
                    ++bottom;
                int right = 5;
                while (right + 1 < m_image.width() && White(right + 1, bottom - 3))
                    ++right;
                m_tree = QRect(QPoint(1, top), QPoint(right, bottom));
            }
        }
    }

    bool Valid() const { return !m_tree.isNull(); }

    // The vertical middle of every guider row that shows something (text and icons are drawn in dark ink, the
    // selection's blue is lighter), top to bottom.
    QList<int> Rows() const
    {
        QList<int> rows;
        int start = -1;
        for (int y = m_tree.top(); y <= m_tree.bottom() + 1; ++y) {
            bool used = false;
            for (int x = m_tree.left() + 1; x < m_tree.right() - 2 && !used && y <= m_tree.bottom(); ++x)
                used = Dark(x, y);
            if (used && start < 0)
                start = y;
            // A line or two of ink on its own is the foot of an icon, not a row.
            if (!used && start >= 0) {
                if (y - start > 3)
                    rows.append((start + y - 1) / 2);
                start = -1;
            }
        }
        return rows;
    }

    // "notebook", "fields", "pages" or "data" (the record grid, or a notebook panel with nothing to edit).
    QString Panel() const
    {
        const int left = m_tree.right() + 12;
        const int top = m_tree.top();
        const bool nearTop = White(left + 30, top + 20);
        const bool nameBox = White(left + 400, top + 20);
        const bool lower = White(left + 30, top + 90);
        if (nearTop && lower)
            return QStringLiteral("fields");
        if (nameBox)
            return QStringLiteral("notebook");
        // The record grid: its grey heading row above white record rows.
        if (!White(left + 150, top + 80) && White(left + 150, top + 110))
            return QStringLiteral("data");
        if (lower)
            return QStringLiteral("pages");
        return QStringLiteral("data");
    }

    QPoint NameBox() const { return { m_tree.right() + 412, m_tree.top() + 20 }; }
    int RowX() const { return m_tree.left() + 90; }
    int ArrowX(int level) const { return m_tree.left() + 19 * level + 9; }

private:
    bool White(int x, int y) const { return m_image.valid(x, y) && m_image.pixel(x, y) == qRgb(255, 255, 255); }
    bool Blue(int x, int y) const { return qBlue(m_image.pixel(x, y)) - qRed(m_image.pixel(x, y)) > 60; }
    bool Dark(int x, int y) const
    {
        const QRgb pixel = m_image.pixel(x, y);
        return qRed(pixel) + qGreen(pixel) + qBlue(pixel) < 300;
    }

    QImage m_image;
    QRect m_tree;
};

// A new user's first minute with the mouse: the sample notebook opens, each kind of node clicked shows
// its panel, and Esc on the question at exit keeps the window and the edit that was typed.
TEST(DesktopSession, TheMouseReachesEveryPanelAndEscAtExitKeepsTheWindow)
{
    if (!XDisplay::Available())
        GTEST_SKIP() << "needs Xvfb, xdotool and ImageMagick's import (scripts/deps installs them)";
    XDisplay display;
    ASSERT_TRUE(display.Started());
    testutil::TempFolder work;
    const QString notebook = test::StartWithSample(work);
    ASSERT_TRUE(display.StartProgram(QStringLiteral(QUILLO_APP_PATH), work.File("config"), work.Path()));
    const QString main = display.MainWindow();
    // No window manager: the window is placed and sized by hand.
    display.XDoTool({ "windowmove", "--sync", main, "0", "0" });
    display.XDoTool({ "windowsize", "--sync", main, "1000", "680" });

    // The rows of the guider once it shows count of them.
    const auto rowsWhenShown = [&](int count) {
        QList<int> rows;
        XDisplay::WaitFor([&] {
            const TScreen screen(display.Shot());
            rows = screen.Valid() ? screen.Rows() : QList<int>();
            return rows.size() == count;
        });
        return rows;
    };
    // Clicks a guider row and waits for the panel.
    QString shown;
    const auto click = [&](int y, const QString& panel) {
        const TScreen screen(display.Shot());
        display.XDoTool({ "mousemove", "--sync", QString::number(screen.RowX()), QString::number(y), "click", "1" });
        XDisplay::WaitFor([&] {
            shown = TScreen(display.Shot()).Panel();
            return shown == panel;
        });
        return shown;
    };

    // NOTEBOOKS, NOTEBOOK:Friends, FIELDS, PAGES, NOTEBOOK:Work, FIELDS, PAGES
    QList<int> rows = rowsWhenShown(7);
    ASSERT_EQ(rows.size(), 7);
    EXPECT_EQ(click(rows[1], "notebook"), "notebook") << "NOTEBOOK";
    EXPECT_EQ(click(rows[2], "fields"), "fields") << "FIELDS";
    // FIELDS opens with a click on its arrow; the indentation is 19 pixels a level.
    const auto open = [&](int y, int level) {
        const TScreen screen(display.Shot());
        display.XDoTool(
            { "mousemove", "--sync", QString::number(screen.ArrowX(level)), QString::number(y), "click", "1" });
    };
    open(rows[2], 2);
    rows = rowsWhenShown(11); // the four fields of Friends below FIELDS
    ASSERT_EQ(rows.size(), 11);
    EXPECT_EQ(click(rows[4], "fields"), "fields") << "a FIELD";
    EXPECT_EQ(click(rows[7], "pages"), "pages") << "PAGES";
    open(rows[7], 2);
    rows = rowsWhenShown(14); // pages A, B and C
    ASSERT_EQ(rows.size(), 14);
    EXPECT_EQ(click(rows[9], "data"), "data") << "a PAGE";
    EXPECT_EQ(click(rows[1], "notebook"), "notebook") << "NOTEBOOK again";

    // A name typed and not applied, then Ctrl+Q and Esc on the question: the window stays.
    const QPoint nameBox = TScreen(display.Shot()).NameBox();
    display.XDoTool(
        { "mousemove", "--sync", QString::number(nameBox.x()), QString::number(nameBox.y()), "click", "1" });
    display.XDoTool({ "windowfocus", "--sync", main });
    ASSERT_TRUE(display.HasFocus(main));
    display.XDoTool({ "key", "End" });
    display.XDoTool({ "type", "--delay", "20", " and family" });
    const auto question = [&] {
        return !display.XDoTool({ "search", "--onlyvisible", "--name", "^Confirmation:$" }).trimmed().isEmpty();
    };
    display.XDoTool({ "key", "ctrl+q" });
    ASSERT_TRUE(XDisplay::WaitFor(question)) << "no question about the typed name";
    display.XDoTool({ "key", "Escape" });
    EXPECT_TRUE(XDisplay::WaitFor([&] { return !question(); }));
    EXPECT_TRUE(display.ProgramRunning());
    EXPECT_FALSE(display.XDoTool({ "search", "--onlyvisible", "--name", "^Quillo-ZDK - friends.zdk\\*$" }).isEmpty())
        << "the window stays, its title marking the unsaved name";

    // Ctrl+Q again, and "No" (Tab from "Yes", then Space): the program ends and the file is as it was.
    display.XDoTool({ "windowfocus", "--sync", main });
    ASSERT_TRUE(display.HasFocus(main));
    display.XDoTool({ "key", "ctrl+q" });
    ASSERT_TRUE(XDisplay::WaitFor(question));
    display.XDoTool({ "key", "Tab", "space" });
    EXPECT_TRUE(display.WaitForExit());
    EXPECT_EQ(testutil::TempFolder::Read(notebook),
        testutil::TempFolder::Read(QStringLiteral(QUILLO_SOURCE_DIR "/samples/friends.zdk")));
}

} // namespace
} // namespace quillo

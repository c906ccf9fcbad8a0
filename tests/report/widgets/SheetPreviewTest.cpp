// The preview window showing the sheets of a two-sided print: front beside back, stepping by sheet, zoom,
// the report's own commands put away while sheets are shown and back afterwards.
#include "notebook/TUserSettings.h"
#include "report/ISheetSource.h"
#include "report/widgets/TFormPreview.h"
#include "report/widgets/TForm_PageSetup.h"
#include "report/widgets/TFrame_Preview.h"
#include "report/widgets/TSheetView.h"
#include "testutil/PdfReportPrinter.h"
#include "testutil/ScriptedPrompts.h"
#include "testutil/TempFolder.h"
#include "testutil/UserEvents.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace quillo {
namespace {

constexpr double MmPerInch = 25.4;

// A4 portrait sheets; every side carries one 20 mm block of ink, fronts at 20 mm from the left edge, backs
// at 150 mm, so where a side lands and which side it is can be read from the pixels.
class TBlockSheets : public ISheetSource {
public:
    explicit TBlockSheets(int sheets)
        : m_sheets(sheets)
    {
    }
    int SheetCount() const override { return m_sheets; }
    QSize PaperSize() const override { return QSize(210, 297); }
    void DrawSide(QPainter& painter, int side) override
    {
        drawn.append(side);
        const double px = painter.device()->logicalDpiX() / MmPerInch;
        const double left = side % 2 == 0 ? 20 : 150;
        painter.fillRect(QRectF(left * px, 20 * px, 20 * px, 20 * px), Qt::black);
    }

    QList<int> drawn;

private:
    int m_sheets;
};

class SheetPreview : public ::testing::Test {
protected:
    SheetPreview()
        : settings(folder.File(QStringLiteral("quillo-zdk.SET")))
        , printer(true, folder.File(QStringLiteral("printed.pdf")))
        , window(settings, prompts, files, printer, pageSetup)
    {
    }

    // Shows the sheets and runs step once the window is up; step closes it.
    void ShowSheets(TBlockSheets& sheets, const std::function<void()>& step)
    {
        bool ran = false;
        QTimer::singleShot(0, &window, [&] {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
            step();
            ran = true;
            window.close();
        });
        window.ShowSheets(
            sheets, QStringLiteral("Friends"), [this] { calls.append("print"); }, [this] { calls.append("pdf"); });
        EXPECT_TRUE(ran);
    }
    QAction* Action(const char* name) const { return window.findChild<QAction*>(QLatin1String(name)); }
    QString Pages() const { return window.findChild<QLabel*>(QStringLiteral("lPages"))->text(); }
    TSheetView& View() const { return *window.SheetView(); }
    void Press(int key) { QTest::keyClick(View().viewport(), Qt::Key(key)); }

    // Whether the point millimetres into the side's paper is inked on the shown view.
    bool Inked(int which, double xMm, double yMm)
    {
        const QRect side = View().SideRect(which);
        const QImage image = View().Box()->grab().toImage();
        const double px = side.width() / 210.0;
        return qGray(image.pixel(side.left() + qRound(xMm * px), side.top() + qRound(yMm * px))) < 64;
    }

    testutil::TempFolder folder;
    TUserSettings settings;
    testutil::ScriptedPrompts prompts;
    testutil::ScriptedFileDialogs files;
    testutil::PdfReportPrinter printer;
    TForm_PageSetup pageSetup;
    TFormPreview window;
    QStringList calls;
};

TEST_F(SheetPreview, ShowsEachSheetFrontLeftBackRightAndStepsBySheet)
{
    TBlockSheets sheets(3);
    ShowSheets(sheets, [&] {
        EXPECT_TRUE(View().isVisible());
        EXPECT_FALSE(window.Frame()->isVisible());
        EXPECT_EQ(window.windowTitle(), "Friends - Preview");
        const QRect front = View().SideRect(0);
        const QRect back = View().SideRect(1);
        EXPECT_EQ(front.top(), back.top());
        EXPECT_EQ(front.size(), back.size());
        EXPECT_LT(front.right(), back.left());
        // Fitted: both sides within the visible area.
        EXPECT_LE(View().Box()->width(), View().viewport()->width());
        EXPECT_LE(View().Box()->height(), View().viewport()->height());
        EXPECT_NEAR(double(front.height()) / front.width(), 297.0 / 210, 0.02);

        EXPECT_TRUE(Inked(0, 30, 30));
        EXPECT_FALSE(Inked(0, 160, 30));
        EXPECT_TRUE(Inked(1, 160, 30));
        EXPECT_FALSE(Inked(1, 30, 30));
        EXPECT_EQ(Pages(), "Sheet 1/3");
        EXPECT_FALSE(Action("actPrevPage")->isEnabled());

        struct Row {
            int key;
            QString pages;
            QList<int> sides;
            bool next;
        };
        const Row rows[] = {
            { Qt::Key_PageDown, "Sheet 2/3", { 2, 3 }, true },
            { Qt::Key_End, "Sheet 3/3", { 4, 5 }, false },
            { Qt::Key_PageDown, "Sheet 3/3", { 4, 5 }, false },
            { Qt::Key_PageUp, "Sheet 2/3", { 2, 3 }, true },
            { Qt::Key_Home, "Sheet 1/3", { 0, 1 }, true },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.pages.toStdString());
            Press(row.key);
            EXPECT_EQ(Pages(), row.pages);
            EXPECT_EQ(Action("actNextPage")->isEnabled(), row.next);
            sheets.drawn.clear();
            View().Box()->grab();
            EXPECT_EQ(sheets.drawn, row.sides);
        }
    });
}

TEST_F(SheetPreview, ZoomsTheSheetAndRunsTheCallersPrintAndExport)
{
    TBlockSheets sheets(1);
    ShowSheets(sheets, [&] {
        EXPECT_FALSE(Action("actNextPage")->isEnabled());
        Press(Qt::Key_Return);
        EXPECT_EQ(View().DisplayZoom(), 100);
        EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("lZoom"))->text(), "100%");
        const int width = View().SideRect(0).width();
        EXPECT_NEAR(width, 210 / MmPerInch * View().logicalDpiX(), 1);
        Press(Qt::Key_Insert);
        EXPECT_EQ(View().DisplayZoom(), 110);
        EXPECT_NEAR(View().SideRect(0).width(), 1.1 * width, 1);
        // Ctrl and the wheel zoom; the wheel alone scrolls.
        QWidget* viewport = View().viewport();
        for (const Qt::KeyboardModifiers modifiers :
            { Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers() }) {
            QWheelEvent down(QPointF(10, 10), viewport->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
            QApplication::sendEvent(viewport, &down);
        }
        EXPECT_EQ(View().DisplayZoom(), 100);
        EXPECT_GT(View().verticalScrollBar()->value(), 0);
        Press(Qt::Key_Insert);
        EXPECT_TRUE(Inked(1, 160, 30));
        QTest::keyClick(View().viewport(), Qt::Key_Return, Qt::AltModifier);
        EXPECT_LE(View().Box()->width(), View().viewport()->width());

        for (const char* name : { "actPageSetup", "actPrinterSetup", "actOpen", "actSave", "actFacingPages" })
            EXPECT_FALSE(Action(name)->isVisible()) << name;
        Press(Qt::Key_F12);
        testutil::PressShortcut(Action("actExportPdf"));
        EXPECT_EQ(calls, QStringList({ "print", "pdf" }));
        EXPECT_EQ(prompts.Log(), QStringList());
    });
    // The window is the report preview again.
    EXPECT_EQ(View().Source(), nullptr);
    EXPECT_TRUE(window.Frame()->isVisibleTo(&window));
    for (const char* name : { "actPageSetup", "actPrinterSetup", "actOpen", "actSave", "actFacingPages" })
        EXPECT_TRUE(Action(name)->isVisible()) << name;
    EXPECT_EQ(window.windowTitle(), "Preview");
}

} // namespace
} // namespace quillo

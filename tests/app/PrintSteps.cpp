#include "app/PrintSteps.h"

#include "testutil/PdfText.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QThread>

namespace quillo::test {

void ExportLeftHandPage(XDisplay& display, int x, int y, const QString& pdf)
{
    const auto shown = [&](const QString& title) {
        return XDisplay::WaitFor([&] {
            return !display.XDoTool({ "search", "--onlyvisible", "--name", title }).trimmed().isEmpty();
        });
    };
    display.Click(x, y);
    ASSERT_TRUE(shown(QStringLiteral("^Printing$"))) << "no placement dialog";
    display.XDoTool({ "key", "Down", "Return" }); // Left-side page, Ok
    ASSERT_TRUE(shown(QStringLiteral("Print page$"))) << "no print window";
    display.XDoTool({ "key", "ctrl+e" });
    ASSERT_TRUE(shown(QStringLiteral("^Export PDF$"))) << "no file choice";
    display.XDoTool({ "key", "ctrl+a" });
    display.XDoTool({ "type", "--delay", "20", pdf });
    display.XDoTool({ "key", "Return" });
    ASSERT_TRUE(XDisplay::WaitFor([&] { return QFileInfo(pdf).size() > 0; })) << "no PDF written";
    // The file may still be growing when it first shows a size.
    QThread::msleep(300);
}

void ExpectOnTheRightHalf(const QString& pdf, const QStringList& texts)
{
    const QList<testutil::TPdfPage> sheets = testutil::ReadPdf(pdf);
    ASSERT_EQ(sheets.size(), 1);
    const QString text = testutil::PageText(sheets[0]);
    for (const QString& expected : texts)
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << " not in " << text.toStdString();
    for (const testutil::TPdfWord& word : sheets[0].words) {
        EXPECT_GE(word.left, 95) << word.text.toStdString();
        EXPECT_LE(word.right, 190) << word.text.toStdString();
    }
}

} // namespace quillo::test

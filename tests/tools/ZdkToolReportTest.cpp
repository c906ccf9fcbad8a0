#include "testutil/PdfText.h"
#include "testutil/ZdktoolProcess.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

using quillo::testutil::RunZdktool;

namespace {

using ZdktoolReport = quillo::testutil::ZdktoolTest;

// Six bands of 70 mm, the first 150 mm wide.
const QByteArray Report = "<REPORT><BODY><BAND WIDTH=\"150\" HEIGHT=\"70\"/>"
    + QByteArray("<BAND HEIGHT=\"70\"/>").repeated(5) + "</BODY></REPORT>";

} // namespace

TEST_F(ZdktoolReport, RenderCountsPagesAndSheets)
{
    const QString report = Write("r.r", Report);
    const struct {
        QStringList options;
        QByteArray out;
    } cases[] = {
        { {}, "pages: 2\nsheets: 2\n" },
        { { "--landscape" }, "pages: 3\nsheets: 3\n" },
        { { "--margins", "0,50,0,50" }, "pages: 3\nsheets: 3\n" },
        { { "--print-zoom", "50", "--dpi", "300" }, "pages: 1\nsheets: 1\n" },
        { { "--paper", "148x210", "--hbreak", "--margins", "10,0,10,0" }, "pages: 3\nsheets: 6\n" },
        { { "--paper", "148x210", "--hbreak", "--overlap", "20", "--two-side" }, "pages: 3\nsheets: 6\n" },
    };
    for (const auto& c : cases) {
        const auto run = RunZdktool(QStringList { "render", report } + c.options);
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        EXPECT_EQ(run.out, c.out) << c.options.join(' ').toStdString();
    }
    EXPECT_EQ(RunZdktool({ "render", "-" }, "<REPORT/>").out, QByteArray("pages: 0\nsheets: 0\n"));
}

TEST_F(ZdktoolReport, RenderRefusesBadSettingsAndText)
{
    const QString report = Write("r.r", Report);
    const struct {
        QStringList args;
        QByteArray err;
    } cases[] = {
        { { "--print-zoom", "5" }, "error: Invalid zoom\n" },
        { { "--paper", "9x300" }, "error: Invalid page size\n" },
        { { "--margins", "0,-1,0,0" }, "error: Invalid margin\n" },
        { { "--overlap", "21" }, "error: InvalidIntersectionSize\n" },
        { { "--margins", "1,2,3" }, "error: --margins must be L,T,R,B in millimetres\n" },
        { { "--pdf", "/nonexistent/x.pdf" }, "error: Cannot write /nonexistent/x.pdf: " },
        { { "--png", "/nonexistent/p" }, "error: Cannot write /nonexistent/p-1.png: " },
    };
    for (const auto& c : cases) {
        const auto run = RunZdktool(QStringList { "render", report } + c.args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.startsWith(c.err)) << run.err.constData();
        EXPECT_EQ(run.out.isEmpty(), !c.args.contains("--pdf") && !c.args.contains("--png"));
    }
    const QString broken = Write("b.r", "<REPORT><BODY>");
    EXPECT_EQ(RunZdktool({ "render", broken }).err,
        QStringLiteral("error: %1: Syntax error at byte 15\n").arg(broken).toUtf8());
}

TEST_F(ZdktoolReport, RenderWritesSheetsToPdfAndPagesToPng)
{
    const QString report = Write("r.r", Report);
    const QString pdf = dir.File("out.pdf");
    const QString prefix = dir.File("page");
    const auto run = RunZdktool(
        { "render", report, "--paper", "148x210", "--hbreak", "--pdf", pdf, "--png", prefix, "--dpi", "50" });
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.out, QByteArray("pages: 3\nsheets: 6\n"));
    const QList<quillo::testutil::TPdfPage> sheets = quillo::testutil::ReadPdf(pdf);
    ASSERT_EQ(sheets.size(), 6);
    EXPECT_NEAR(sheets[0].sizeMm.width(), 148, 0.3);
    EXPECT_NEAR(sheets[0].sizeMm.height(), 210, 0.3);
    EXPECT_EQ(quillo::testutil::PageText(sheets[1]), QStringLiteral("1-2"));
    // Pages as the preview draws them: the whole wide page at 50 DPI.
    for (int i = 1; i <= 3; ++i) {
        const QImage page(dir.File(QStringLiteral("page-%1.png").arg(i)));
        ASSERT_FALSE(page.isNull()) << i;
        // Two sheets wide: 296 mm.
        EXPECT_EQ(page.size(), QSize(std::lround(296 * 50 / 25.4), std::lround(210 * 50 / 25.4))) << i;
    }
    EXPECT_FALSE(QFile::exists(dir.File("page-4.png")));
}

TEST_F(ZdktoolReport, ZbmEncodesPrintsHexAndDecodes)
{
    QImage picture(9, 4, QImage::Format_RGB32);
    picture.fill(qRgb(10, 200, 30));
    picture.setPixel(3, 2, qRgb(255, 0, 0));
    const QString png = dir.File("in.png");
    ASSERT_TRUE(picture.save(png));

    const QString zbm = dir.File("p.zbm");
    auto run = RunZdktool({ "zbm", "encode", png, "--out", zbm });
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    QFile file(zbm);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray zipped = file.readAll();
    EXPECT_TRUE(zipped.startsWith("ZBM"));

    run = RunZdktool({ "zbm", "hex", png });
    const QList<QByteArray> lines = run.out.split('\n');
    EXPECT_EQ(lines.first().size(), 64);
    EXPECT_EQ(run.out, run.out.toUpper());
    EXPECT_EQ(QByteArray::fromHex(run.out), zipped);

    const QString out = dir.File("out.png");
    run = RunZdktool({ "zbm", "decode", zbm, "--out", out });
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(QImage(out).convertToFormat(QImage::Format_RGB32), picture);

    EXPECT_EQ(RunZdktool({ "zbm", "decode", png, "--out", out }).err, QByteArray("error: Not a zipped bitmap\n"));
    EXPECT_EQ(RunZdktool({ "zbm", "hex", zbm }).exitCode, 1);
    EXPECT_EQ(RunZdktool({ "zbm", "encode", png }).exitCode, 1);
}

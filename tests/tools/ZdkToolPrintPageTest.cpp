// zdktool print-page: every shipped template on the sample notebook, the side rule and the refusals.
#include "printing/PagePlacement.h"
#include "testutil/PdfText.h"
#include "testutil/TreeTesting.h"
#include "testutil/ZdktoolProcess.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace quillo;
using testutil::ReadPdf;
using testutil::RunZdktool;

namespace {

using ZdktoolPrintPage = testutil::ZdktoolTest;

const QString Sample = QStringLiteral(QUILLO_SOURCE_DIR "/samples/friends.zdk");

QStringList ShippedTemplates()
{
    QStringList paths;
    const QDir folder(QStringLiteral(QUILLO_SOURCE_DIR "/templates"));
    for (const QString& name : folder.entryList(QDir::Files, QDir::Name))
        paths += folder.filePath(name);
    return paths;
}

// The leftmost and rightmost extent of the words on a sheet.
std::pair<double, double> Extent(const testutil::TPdfPage& sheet)
{
    double left = 1e9, right = -1e9;
    for (const testutil::TPdfWord& word : sheet.words) {
        left = std::min(left, word.left);
        right = std::max(right, word.right);
    }
    return { left, right };
}

TEST_F(ZdktoolPrintPage, EveryShippedTemplatePrintsTheSamplePageOnBothSides)
{
    const QStringList templates = ShippedTemplates();
    ASSERT_GE(templates.size(), 7);
    for (const QString& path : templates) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const int band = PagePlacement::BandWidth(*testutil::ReadTree(file.readAll()));
        const bool notebookPage = PagePlacement::IsNotebookPageTemplate(path);
        for (const char* side : { "left", "right" }) {
            SCOPED_TRACE((path + QLatin1Char(' ') + QLatin1String(side)).toStdString());
            const QString pdf = dir.File(QStringLiteral("page.pdf"));
            QFile::remove(pdf);
            const auto run = RunZdktool({ "print-page", Sample, "--notebook", "friends", "--page", "a", "--side", side,
                "--template", path, "--pdf", pdf });
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_EQ(run.err, "");
            const QList<testutil::TPdfPage> sheets = ReadPdf(pdf);
            ASSERT_EQ(sheets.size(), 1);
            EXPECT_TRUE(testutil::PageText(sheets[0]).contains(QStringLiteral("Ann Archer")));
            if (!notebookPage)
                continue;
            // Every word lies on the notebook page, on its side of the sheet.
            const double offset = QLatin1String(side) == QLatin1String("left") ? 210 - band - 20 : 20;
            const auto [left, right] = Extent(sheets[0]);
            EXPECT_GE(left, offset);
            EXPECT_LE(right, offset + band);
        }
    }
}

TEST_F(ZdktoolPrintPage, TemplateFromTheOptionTheNotebookOrTheDefault)
{
    QByteArray sample = testutil::TempFolder::Read(Sample);
    sample.replace("PRINT_TEMPLATE=\"..\\templates\\contacts-5.zdkt\"",
        "PRINT_TEMPLATE=\"" QUILLO_SOURCE_DIR "/templates/phone-list.zdkt\"");
    const QString notebook = Write("friends.zdk", sample);
    const auto textOf = [&](const QStringList& options) {
        const QString pdf = dir.File(QStringLiteral("page.pdf"));
        QFile::remove(pdf);
        const auto run = RunZdktool(QStringList { "print-page", notebook, "--pdf", pdf } + options);
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        const auto sheets = ReadPdf(pdf);
        return sheets.isEmpty() ? QString() : testutil::PageText(sheets[0]);
    };
    EXPECT_TRUE(textOf({ "--notebook", "Friends", "--page", "A" }).contains(QStringLiteral("Phones")));
    // Work has no template: the default contacts page, headed by the page name.
    const QString clients = textOf({ "--notebook", "Work", "--page", "Clients" });
    EXPECT_TRUE(clients.startsWith(QStringLiteral("Clients"))) << clients.toStdString();
    EXPECT_FALSE(clients.contains(QStringLiteral("Phones")));
    EXPECT_TRUE(textOf({ "--notebook", "Friends", "--page", "A", "--template",
                           QStringLiteral(QUILLO_SOURCE_DIR "/templates/birthdays.zdkt") })
                    .contains(QStringLiteral("14/03/1988")));
}

TEST_F(ZdktoolPrintPage, SideMarginsAndPaperGiveTheLeftOffset)
{
    const QString pdf = dir.File(QStringLiteral("page.pdf"));
    const struct {
        QStringList options;
        QByteArray out;
    } cases[] = {
        { {}, "side: RIGHT\nleft: 20\n" },
        { { "--side", "LEFT" }, "side: LEFT\nleft: 95\n" },
        { { "--side", "left", "--paper", "297x210" }, "side: LEFT\nleft: 182\n" },
        { { "--side", "left", "--margins", "10,30,15" }, "side: LEFT\nleft: 85\n" },
        { { "--margins", "12,30,15" }, "side: RIGHT\nleft: 12\n" },
        // A plain report prints with the preview's margins on the side proposed for the page.
        { { "--template", QStringLiteral(QUILLO_SOURCE_DIR "/templates/page-list-a4.zdkr") },
            "side: RIGHT\nleft: 10\n" },
    };
    for (const auto& c : cases) {
        const auto run = RunZdktool(
            QStringList { "print-page", Sample, "--notebook", "Friends", "--page", "A", "--pdf", pdf } + c.options);
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        EXPECT_EQ(run.out, c.out) << c.options.join(' ').toStdString();
    }
    const auto second = RunZdktool({ "print-page", Sample, "--notebook", "Friends", "--page", "B", "--template",
        QStringLiteral(QUILLO_SOURCE_DIR "/templates/page-list-a4.zdkr"), "--pdf", pdf });
    EXPECT_EQ(second.out, "side: LEFT\nleft: 10\n");

    const auto offSheet = RunZdktool(
        { "print-page", Sample, "--notebook", "Friends", "--page", "A", "--margins", "150,20,20", "--pdf", pdf });
    EXPECT_EQ(offSheet.exitCode, 0);
    EXPECT_TRUE(offSheet.err.startsWith("warning: The notebook page is 95 mm wide")) << offSheet.err.constData();
}

TEST_F(ZdktoolPrintPage, RefusalsNameTheirCauseAndWriteNothing)
{
    const QString pdf = dir.File(QStringLiteral("page.pdf"));
    const QString broken = Write("broken.zdkt",
        "<QUILLO_TEMPLATE><REPORT><BODY><EXEC>NOSUCH()</EXEC></BODY>"
        "</REPORT></QUILLO_TEMPLATE>");
    const struct {
        QStringList args;
        QByteArray err;
    } cases[] = {
        { { "--notebook", "Nobody", "--page", "A" }, "error: Notebook 'Nobody' not found\n" },
        { { "--notebook", "Friends", "--page", "Z" }, "error: Page 'Z' not found in notebook 'Friends'\n" },
        { { "--notebook", "Friends", "--page", "A", "--side", "up" }, "error: --side must be left or right\n" },
        { { "--notebook", "Friends", "--page", "A", "--margins", "1,2" },
            "error: --margins must be L,R,T in millimetres\n" },
        { { "--notebook", "Friends", "--page", "A", "--paper", "a4" },
            "error: --paper must be WIDTHxHEIGHT in millimetres\n" },
        { { "--notebook", "Friends", "--page", "A", "--template", broken },
            "error: Unknown function: NOSUCH. Position 1\n" },
    };
    for (const auto& c : cases) {
        const auto run = RunZdktool(QStringList { "print-page", Sample, "--pdf", pdf } + c.args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, c.err);
        EXPECT_FALSE(QFile::exists(pdf));
    }
    const auto noPdf = RunZdktool({ "print-page", Sample, "--notebook", "Friends", "--page", "A" });
    EXPECT_EQ(noPdf.exitCode, 1);
    EXPECT_TRUE(noPdf.err.startsWith("error: usage: zdktool print-page"));
}

} // namespace

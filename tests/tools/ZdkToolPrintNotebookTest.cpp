// zdktool print-notebook: the counts it prints, the sides in the PDF, and the refusals.
#include "testutil/PdfText.h"
#include "testutil/ZdktoolProcess.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace quillo;
using testutil::ReadPdf;
using testutil::RunZdktool;

namespace {

using ZdktoolPrintNotebook = testutil::ZdktoolTest;

const QString Personal = QStringLiteral(QUILLO_SOURCE_DIR "/templates/personal-95x171.zdkt");

QByteArray FivePages()
{
    QByteArray text = "<NOTEBOOKS><NOTEBOOK NAME=\"Friends\" PRINT_TEMPLATE=\"" + Personal.toUtf8()
        + "\"><FIELDS><FIELD NAME=\"PERSON\"/></FIELDS><PAGES>";
    for (const char* name : { "Ada", "Ben", "Cy", "Dee", "Eve" })
        text += "<PAGE NAME=\"" + QByteArray(name) + "\"><REC PERSON=\"" + QByteArray(name) + "\"/></PAGE>";
    return text + "</PAGES></NOTEBOOK></NOTEBOOKS>";
}

TEST_F(ZdktoolPrintNotebook, PrintsLeavesAndSheetsWithTheSidesInPrintOrder)
{
    const QString file = Write(QStringLiteral("five.zdk"), FivePages());
    const QString pdf = dir.File(QStringLiteral("out.pdf"));
    struct Row {
        QStringList options;
        QByteArray out;
        int sides;
    };
    const Row rows[] = {
        { {}, "leaves: 3\nsheets: 3\n", 6 },
        { { "--up", "2", "--landscape" }, "leaves: 3\nsheets: 2\n", 4 },
        { { "--up", "2", "--paper", "297x210" }, "leaves: 3\nsheets: 2\n", 4 },
        { { "--pages", "2-3" }, "leaves: 2\nsheets: 2\n", 4 },
        { { "--pages", "5" }, "leaves: 1\nsheets: 1\n", 2 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.options.join(QLatin1Char(' ')).toStdString());
        const auto run
            = RunZdktool(QStringList { "print-notebook", file, "--notebook", "friends", "--pdf", pdf } + row.options);
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        EXPECT_EQ(run.out, row.out);
        const QList<testutil::TPdfPage> sides = ReadPdf(pdf);
        ASSERT_EQ(sides.size(), row.sides);
    }
    // The last run: page 5 alone on the front of its leaf, an empty back.
    const QList<testutil::TPdfPage> sides = ReadPdf(pdf);
    EXPECT_TRUE(testutil::PageText(sides[0]).startsWith("Eve")) << testutil::PageText(sides[0]).toStdString();
    EXPECT_TRUE(sides[1].words.isEmpty());
}

TEST_F(ZdktoolPrintNotebook, WarnsOnStderrWhenAPageRunsPastTheFootOfTheSheetAndStillPrints)
{
    QByteArray records;
    for (int i = 0; i < 40; ++i)
        records += "<REC PERSON=\"P" + QByteArray::number(i) + "\" ADDR=\"Street%0D%0ATown\"/>";
    const QString file = Write(QStringLiteral("long.zdk"),
        "<NOTEBOOKS><NOTEBOOK NAME=\"Friends\" RPP=\"41\" PRINT_TEMPLATE=\"" + Personal.toUtf8()
            + "\"><FIELDS><FIELD NAME=\"PERSON\"/></FIELDS><PAGES><PAGE NAME=\"Many\">" + records
            + "</PAGE><PAGE NAME=\"Few\"/><PAGE NAME=\"Odd\"/></PAGES></NOTEBOOK></NOTEBOOKS>");
    const QString pdf = dir.File(QStringLiteral("out.pdf"));
    const auto run = RunZdktool({ "print-notebook", file, "--notebook", "friends", "--pdf", pdf });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "leaves: 2\nsheets: 2\n");
    EXPECT_TRUE(QRegularExpression(
        QStringLiteral("^warning: Page Many runs \\d+ mm past the foot of the sheet; that part is not printed\\.\n$"))
                    .match(QString::fromUtf8(run.err))
                    .hasMatch())
        << run.err.constData();
    const QList<testutil::TPdfPage> sides = ReadPdf(pdf);
    ASSERT_EQ(sides.size(), 4);
    EXPECT_TRUE(testutil::PageText(sides[0]).contains("P0"));
}

TEST_F(ZdktoolPrintNotebook, RefusesWhatCannotBePrinted)
{
    const QString file = Write(QStringLiteral("five.zdk"), FivePages());
    const QString pdf = dir.File(QStringLiteral("out.pdf"));
    struct Row {
        QStringList options;
        QByteArray err;
    };
    const Row rows[] = {
        { { "--up", "2" },
            "error: Two leaves do not fit on a sheet: two 95 mm pages and the printer margins (left 20 mm, right 20 "
            "mm) need 230 mm, the paper is 210 mm wide.\n" },
        { { "--pages", "4-6" }, "error: Pages 4-6 lie outside the notebook's 5 pages\n" },
        { { "--pages", "x" }, "error: --pages must be FROM-TO, page numbers from 1\n" },
        { { "--up", "3" }, "error: --up must be 1 or 2\n" },
        { { "--notebook", "nobody" }, "error: Notebook 'nobody' not found\n" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.options.join(QLatin1Char(' ')).toStdString());
        const auto run
            = RunZdktool(QStringList { "print-notebook", file, "--notebook", "friends", "--pdf", pdf } + row.options);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, row.err);
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(QFile::exists(pdf));
    }
}

} // namespace

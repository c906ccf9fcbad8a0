#include "testutil/QtPrinters.h"
#include "testutil/ZdktoolProcess.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using ToolRun = quillo::testutil::ZdktoolResult;
using quillo::testutil::RunZdktool;

using ZdktoolFiles = quillo::testutil::ZdktoolTest;

const QByteArray Notebooks = "<NOTEBOOKS>"
                             "<NOTEBOOK NAME=\"A\"><FIELDS><FIELD NAME=\"X\"/><FIELD NAME=\"Y\"/></FIELDS>"
                             "<PAGES><PAGE NAME=\"1\"><REC X=\"a\"/><REC/></PAGE><PAGE NAME=\"2\"><REC/></PAGE></PAGES>"
                             "</NOTEBOOK>"
                             "<NOTEBOOK NAME=\"B\"><FIELDS><FIELD NAME=\"Z\"/></FIELDS></NOTEBOOK>"
                             "</NOTEBOOKS>";

} // namespace

TEST_F(ZdktoolFiles, CheckCountsEveryNotebook)
{
    const ToolRun run = RunZdktool({ "check", Write("n.zdk", Notebooks) });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QByteArray("ok: 2 notebooks, 3 fields, 2 pages, 3 records\n"));
}

TEST_F(ZdktoolFiles, CheckReportsReadingFaultsAndRefusedFiles)
{
    const QString broken = Write("broken.zdk", "<NOTEBOOKS>\n<NOTEBOOK>\n</NOTEBOOKS>");
    ToolRun run = RunZdktool({ "check", broken });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, (QStringLiteral("error: %1: Unclosed tag: NOTEBOOK at byte 24\n").arg(broken)).toUtf8());

    const QString wrongRoot = Write("settings.zdk", "<SETTINGS/>");
    run = RunZdktool({ "check", wrongRoot });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, (QStringLiteral("error: Can't load file %1\n").arg(wrongRoot)).toUtf8());

    const QString noPages
        = Write("nopages.zdk", "<NOTEBOOKS><NOTEBOOK><FIELDS><FIELD/></FIELDS></NOTEBOOK></NOTEBOOKS>");
    EXPECT_EQ(RunZdktool({ "check", noPages }).exitCode, 1);
    EXPECT_EQ(RunZdktool({ "check", Write("empty.zdk", "") }).exitCode, 1);
    EXPECT_EQ(RunZdktool({ "check", dir.File("missing.zdk") }).exitCode, 1);
}

TEST_F(ZdktoolFiles, FormatWritesCanonicalTextFromFileOrStdin)
{
    const QByteArray canonical = "\r\n<SETTINGS DOC_NAME=\"a%22b\">\r\n\t<X/>\r\n</SETTINGS>";
    EXPECT_EQ(
        RunZdktool({ "format", Write("s.set", "<settings doc_name=\"a%22b\">\n<x/></settings>") }).out, canonical);
    const ToolRun run = RunZdktool({ "format", "-" }, "<settings doc_name=\"a%22b\"><x></x></settings>");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, canonical);

    const ToolRun bad = RunZdktool({ "format", "-" }, "<A x");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err, QByteArray("error: -: Syntax error at byte 5\n"));
}

TEST(Zdktool, UnknownCommandsAndMissingArgumentsFail)
{
    EXPECT_EQ(RunZdktool({}).exitCode, 1);
    EXPECT_EQ(RunZdktool({ "nonsense" }).exitCode, 1);
    EXPECT_EQ(RunZdktool({ "check" }).exitCode, 1);
}

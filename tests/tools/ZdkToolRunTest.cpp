#include "testutil/QtPrinters.h"
#include "testutil/ZdktoolProcess.h"

#include <QFile>

#include <gtest/gtest.h>

using quillo::testutil::RunZdktool;

namespace {

using ZdktoolRun = quillo::testutil::ZdktoolTest;

const QByteArray Notebook = "<NOTEBOOKS><NOTEBOOK NAME=\"Friends\"><FIELDS><FIELD NAME=\"NAME\"/></FIELDS><PAGES>"
                            "<PAGE NAME=\"A\"><REC NAME=\"Ann\"/></PAGE>"
                            "<PAGE NAME=\"Z\"><REC NAME=\"Zo\xc3\xab\"/><REC NAME=\"Zed &lt;\"/></PAGE>"
                            "</PAGES></NOTEBOOK></NOTEBOOKS>";

// Lists the records of the data node (a page), with the passed parameter TITLE as a heading.
const QByteArray Listing = "<QUILLO_TEMPLATE><REPORT TITLE=\"=GETPASSEDPARAM('TITLE')\">"
                           "<EXEC>SETVAR('i', 0)</EXEC>"
                           "<WHILE PRECOND=\"GETVAR('i') %3C GETPASSEDPARAM('N')\">"
                           "<LABEL TEXT=\"=GETCHILDATTRIB(GETVAR('i'), 'NAME')\"/>"
                           "<EXEC>INCVAR('i')</EXEC></WHILE>"
                           "</REPORT></QUILLO_TEMPLATE>";

} // namespace

TEST_F(ZdktoolRun, RunsATemplateAgainstAPageWithParameters)
{
    const QStringList args { "run", Write("list.zdkt", Listing), "--param", "N=2:INT", "--data",
        Write("n.zdk", Notebook), "--notebook", "friends", "--page", "z", "--param", "TITLE=Page \"Z\"" };
    const auto run = RunZdktool(args);
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.out,
        QByteArray("\r\n\t<REPORT TITLE=\"Page %22Z%22\">"
                   "\r\n\t\t\t<LABEL TEXT=\"Zo\xc3\xab\"/>"
                   "\r\n\t\t\t<LABEL TEXT=\"Zed &lt;\"/>"
                   "\r\n\t</REPORT>"));

    const QString out = dir.File("out.r");
    EXPECT_EQ(RunZdktool(args + QStringList { "--out", out }).out, QByteArray());
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), run.out);
}

TEST_F(ZdktoolRun, ReportsTemplateAndRunErrors)
{
    const QString broken = Write("broken.zdkt", "<QUILLO_TEMPLATE><REPORT>");
    auto run = RunZdktool({ "run", broken });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("error: %1: Syntax error at byte 26\n").arg(broken).toUtf8());

    run = RunZdktool({ "run", Write("nb.zdkt", Notebook) });
    EXPECT_EQ(run.err, QByteArray("error: Invalid report template\n"));
    EXPECT_EQ(run.out, QByteArray());

    run = RunZdktool({ "run", "-" }, "<QUILLO_TEMPLATE><REPORT><QUERY><SQL>x</SQL></QUERY></REPORT></QUILLO_TEMPLATE>");
    EXPECT_EQ(run.err, QByteArray("error: Abstract Error\n"));

    // The window adds where a run fault lies; zdktool keeps its one line with the fault's own message.
    const auto eval = RunZdktool({ "eval", "NOSUCHFUNCTION()" });
    ASSERT_TRUE(eval.out.startsWith("error: ")) << eval.out.constData();
    run = RunZdktool({ "run",
        Write("fails.zdkt",
            "<QUILLO_TEMPLATE>\n<REPORT>\n<EXEC>NOSUCHFUNCTION()</EXEC>\n</REPORT>\n</QUILLO_TEMPLATE>") });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, eval.out);

    EXPECT_EQ(RunZdktool({ "run" }).exitCode, 1);
    EXPECT_EQ(
        RunZdktool({ "run", Write("t.zdkt", Listing), "--data" }).err, QByteArray("error: --data needs a value\n"));
}

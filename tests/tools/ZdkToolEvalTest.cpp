#include "testutil/QtPrinters.h"
#include "testutil/ZdktoolProcess.h"

#include <gtest/gtest.h>

namespace {

using EvalRun = quillo::testutil::ZdktoolResult;

EvalRun Eval(const QStringList& args) { return quillo::testutil::RunZdktool(QStringList { "eval" } + args); }

TEST(ZdktoolEvalTest, PrintsOneLinePerExpressionWithOneGenerator)
{
    const EvalRun run
        = Eval({ "NULL", "3 > 2", "7", "7.0 / 2", "'abc'", "SETVAR('n', 4)", "GETVAR('N') * 2", "'äö' + 1" });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
        QByteArray("null\nbool true\nint 7\nfloat  3.50000000000000E+0000\nstring abc\nint 4\nint 8\n"
                   "string \xc3\xa4\xc3\xb6"
                   "1\n"));
    EXPECT_TRUE(run.err.isEmpty());
}

TEST(ZdktoolEvalTest, AFailingExpressionPrintsItsErrorAndTheRestGoesOn)
{
    const EvalRun run = Eval({ "SETVAR('x', 1) + 1 / 0", "GETVAR('x')", "1 2", "--", "--param" });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out,
        QByteArray("error: Division by zero\nint 1\nerror: Operation absent. Position 3\n"
                   "error: Unknown operation: --. Position 1\n"));
}

using ZdktoolEval = quillo::testutil::ZdktoolTest;

TEST_F(ZdktoolEval, DataNodeAndPassedParameters)
{
    const QString path = Write("n.zdk",
        "<NOTEBOOKS><NOTEBOOK NAME=\"Friends\"><FIELDS><FIELD NAME=\"N\"/></FIELDS><PAGES>"
        "<PAGE NAME=\"A\"><REC N=\"Ann\"/></PAGE><PAGE NAME=\"B\"><REC N=\"Bob\"/></PAGE>"
        "</PAGES></NOTEBOOK></NOTEBOOKS>");

    EvalRun run = Eval({ "--param", "RPP=12:INT", "GETPASSEDPARAM('rpp') + 1", "--data", path, "--notebook", "friends",
        "--page", "b", "GETCHILDATTRIB(0, 'N')", "--param", "SIDE=left:right", "GETPASSEDPARAM('SIDE')",
        "GETPASSEDPARAM('NONE')" });
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.out, QByteArray("int 13\nstring Bob\nstring left:right\nstring <NONE>\n"));

    run = Eval({ "--data", path, "GETCHILDATTRIB(0, 'NAME')" });
    EXPECT_EQ(run.out, QByteArray("string Friends\n"));

    run = Eval({ "--data", path, "--notebook", "Nobody", "1" });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QByteArray("error: Notebook 'Nobody' not found\n"));
    EXPECT_TRUE(run.out.isEmpty());

    run = Eval({ "--data", path, "--notebook", "Friends", "--page", "Z", "1" });
    EXPECT_EQ(run.err, QByteArray("error: Page 'Z' not found in notebook 'Friends'\n"));
}

TEST(ZdktoolEvalTest, RefusesIncompleteOptions)
{
    for (const QStringList& args : { QStringList { "--param" }, QStringList { "--param", "NOEQUALS", "1" },
             QStringList { "--notebook", "A", "1" }, QStringList { "--data", "x.zdk", "--page", "P", "1" },
             QStringList { "--data", "/nonexistent/x.zdk", "1" } }) {
        const EvalRun run = Eval(args);
        EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("error: ")) << args.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

} // namespace

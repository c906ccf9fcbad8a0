#include "testutil/QtPrinters.h"
#include "testutil/ZdktoolProcess.h"

#include <gtest/gtest.h>

namespace {

using ToolRun = quillo::testutil::ZdktoolResult;
using quillo::testutil::RunZdktool;
using ZdktoolSearch = quillo::testutil::ZdktoolTest;

// A value holds a TAB, a line break and a percent sign; the reader keeps them, the output escapes them.
const QByteArray Notebooks
    = "<NOTEBOOKS>"
      "<NOTEBOOK NAME=\"Home\" BDF=\"BORN\"><FIELDS><FIELD NAME=\"PHONES\"/><FIELD NAME=\"BORN\"/></FIELDS><PAGES>"
      "<PAGE NAME=\"A\"><REC FIRST=\"Anna\" NOTE=\"ann\tx\r\ny%25\" BORN=\"10.03.1980\"/>"
      "<REC FIRST=\"Bob\" BORN=\"01.01.1990\"/></PAGE>"
      "<PAGE NAME=\"B\"><REC FIRST=\"Ben\" LAST=\"PHONEY\" BORN=\"xx\"/></PAGE></PAGES></NOTEBOOK>"
      "<NOTEBOOK NAME=\"Work\"><FIELDS><FIELD NAME=\"BORN\"/></FIELDS><PAGES><PAGE NAME=\"A\">"
      "<REC FIRST=\"anna\" BORN=\"10.03.1980\"/></PAGE></PAGES></NOTEBOOK>"
      "</NOTEBOOKS>";

TEST_F(ZdktoolSearch, SearchPrintsHitsInWalkOrder)
{
    const QString file = Write("n.zdk", Notebooks);
    struct Case {
        QStringList args;
        QByteArray out;
    };
    const Case cases[] = {
        { { "ANN" }, "Home/A:1\tREC\tAnna\nHome/A:1\tREC\tann%09x%0D%0Ay%25\nWork/A:1\tREC\tanna\n" },
        { { "ann", "--case-sensitive" }, "Home/A:1\tREC\tann%09x%0D%0Ay%25\nWork/A:1\tREC\tanna\n" },
        { { "phon", "--all-nodes" }, "Home\tFIELD\tPHONES\nHome/B:1\tREC\tPHONEY\n" },
        { { "--all-nodes", "work" }, "Work\tNOTEBOOK\tWork\n" },
        { { "ann", "--notebook", "work" }, "Work/A:1\tREC\tanna\n" },
        { { "--page", "b", "b", "--notebook", "HOME" }, "Home/B:1\tREC\tBen\n" },
        { { "b", "--notebook", "Home", "--page", "A" }, "Home/A:2\tREC\tBob\n" },
        { { "nobody" }, "" },
        { { "  " }, "" },
    };
    for (const Case& c : cases) {
        const ToolRun run = RunZdktool(QStringList { "search", file } + c.args);
        EXPECT_EQ(run.exitCode, 0) << c.args.join(' ').toStdString() << run.err.toStdString();
        EXPECT_EQ(run.out, c.out) << c.args.join(' ').toStdString();
    }
}

TEST_F(ZdktoolSearch, SearchRefusals)
{
    const QString file = Write("n.zdk", Notebooks);
    const QString settings = Write("s.zdk", "<SETTINGS X=\"ann\"/>");
    EXPECT_EQ(RunZdktool({ "search", settings, "ann" }).err,
        QStringLiteral("error: Can't load file %1\n").arg(settings).toUtf8());
    EXPECT_EQ(RunZdktool({ "search", file, "a", "--notebook", "Nope" }).err,
        QByteArray("error: Notebook 'Nope' not found\n"));
    EXPECT_EQ(RunZdktool({ "search", file, "a", "--page", "A" }).err, QByteArray("error: --page needs --notebook\n"));
    EXPECT_EQ(RunZdktool({ "search", file, "a", "--notebook" }).err, QByteArray("error: --notebook needs a value\n"));
    EXPECT_EQ(RunZdktool({ "search", file }).exitCode, 1);
    EXPECT_EQ(RunZdktool({ "search", file, "a", "--bogus" }).exitCode, 1);
}

TEST_F(ZdktoolSearch, BirthdaysListsDueRecordsOfNotebooksWithAField)
{
    const QString file = Write("n.zdk", Notebooks);
    const QStringList options { "--date-format", "dd.MM.yyyy" };
    ToolRun run = RunZdktool(QStringList { "birthdays", file, "--today", "2026-03-08" } + options);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QByteArray("10.03.1980\tAnna;  ann%09x%0D%0Ay%25;  10.03.1980\n"));
    EXPECT_EQ(RunZdktool(QStringList { "birthdays", file, "--today", "2026-03-08", "--days", "2" } + options).out,
        QByteArray());
    // Across the turn of the year.
    EXPECT_EQ(RunZdktool(QStringList { "birthdays", file, "--today", "2026-12-31" } + options).out,
        QByteArray("01.01.1990\tBob;  01.01.1990\n"));
    EXPECT_EQ(RunZdktool(QStringList { "birthdays", file, "--days", "60", "--today", "2026-11-03" } + options).out,
        QByteArray("01.01.1990\tBob;  01.01.1990\n"));
}

TEST_F(ZdktoolSearch, BirthdaysRefusesBadOptions)
{
    const QString file = Write("n.zdk", Notebooks);
    for (const char* days : { "0", "61", "x", "" }) {
        const ToolRun run = RunZdktool({ "birthdays", file, "--days", days });
        EXPECT_EQ(run.exitCode, 1) << days;
        EXPECT_TRUE(run.err.startsWith("error: invalid --days")) << run.err.toStdString();
        EXPECT_EQ(run.out, QByteArray());
    }
    EXPECT_EQ(RunZdktool({ "birthdays", file, "--today", "31.12.2026" }).err,
        QByteArray("error: invalid --today 31.12.2026, expected YYYY-MM-DD\n"));
    EXPECT_EQ(RunZdktool({ "birthdays", file, "--today" }).exitCode, 1);
    EXPECT_EQ(RunZdktool({ "birthdays" }).exitCode, 1);
}

} // namespace

// zdktool against inputs made to hurt: each must end within seconds, with exit code 1 and one clear
// error line, inside a 2 GB address space.
#include "testutil/QtPrinters.h"
#include "testutil/TempFolder.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using quillo::testutil::TempFolder;

struct Outcome {
    bool finished;
    int exitCode;
    QByteArray err;
};

struct Limits {
    QString prelude; // shell commands run before the tool, such as another ulimit
    QString out = QProcess::nullDevice();
};

Outcome RunHostile(const QStringList& args, const Limits& limits = {})
{
    QString script = limits.prelude;
#ifndef QUILLO_SANITIZED
    // AddressSanitizer reserves terabytes of address space, so only the plain build runs limited.
    script += QStringLiteral(" ulimit -v 2097152;");
#endif
    script += QStringLiteral(" exec \"$0\" \"$@\"");
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(limits.out);
    process.start(QStringLiteral("bash"), QStringList { "-c", script, QStringLiteral(ZDKTOOL_PATH) } + args);
    // Generous: each case ends in a second or two, where it used to take minutes, weeks or for ever.
    const bool finished = process.waitForFinished(60'000);
    if (!finished) {
        process.kill();
        process.waitForFinished();
    }
    return { finished, process.exitCode(), process.readAllStandardError() };
}

void ExpectRefused(const Outcome& outcome, const QString& message)
{
    EXPECT_TRUE(outcome.finished) << "still running after a minute";
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(outcome.err), QStringLiteral("error: %1\n").arg(message));
}

QByteArray Template(const QByteArray& report)
{
    return "<QUILLO_TEMPLATE><REPORT>" + report + "</REPORT></QUILLO_TEMPLATE>";
}

// Sets variable name to a text of 2^doublings copies of unit.
QByteArray Doubled(const QByteArray& name, const QByteArray& unit, int doublings)
{
    return "<EXEC>SETVAR('" + name + "', '" + unit
        + "'); SETVAR('n', 0)</EXEC><WHILE PRECOND=\"INCVAR('n') %3C= " + QByteArray::number(doublings)
        + "\"><EXEC>SETVAR('" + name + "', GETVAR('" + name + "') + GETVAR('" + name + "'))</EXEC></WHILE>";
}

class Hostile : public ::testing::Test {
protected:
    TempFolder dir;
};

TEST_F(Hostile, TwentyMegabytesOfNamesThatGrowWhenUpperCased)
{
    const QByteArray sharpS = "\xc3\x9f";
    const QString file = dir.Write("names.zdk", "<A " + sharpS.repeated(10'000'000) + "=\"1\"/>");
    ExpectRefused(RunHostile({ "check", file }), QStringLiteral("Can't load file %1").arg(file));
}

TEST_F(Hostile, TemplatesThatRunForWeeksOrFillTheMemory)
{
    const struct {
        const char* name;
        QByteArray report;
        QString message;
        bool slow; // seconds in an optimised build, half a minute in the unoptimised sanitizer build
    } cases[] = {
        // Each loop within its pass limit, 10^12 passes together.
        { "nested loops",
            "<EXEC>SETVAR('i', 0)</EXEC><WHILE AFTERCOND=\"TRUE\"><WHILE PRECOND=\"INCVAR('i') % 1000 != 0\">"
                + QByteArray("<COMMENT/>").repeated(50) + "</WHILE></WHILE>",
            "Template run stopped after 50000000 statements", true },
        // 16 MiB written on each pass, for ever.
        { "output blow-up", Doubled("v", "x", 24) + "<WHILE AFTERCOND=\"TRUE\"><A V=\"=GETVAR('v')\"/></WHILE>",
            "Report output larger than 268435456 bytes", true },
        // A picture of a million "c", each writing a whole date and time.
        { "huge picture", Doubled("p", "c", 20) + "<A V=\"=FORMATDATETIME(GETVAR('p'), 1.5)\"/>",
            "String value too long", false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
#ifdef QUILLO_SANITIZED
        // The unit tests run the same limits small under the sanitizers; these prove the real ones.
        if (c.slow)
            continue;
#endif
        ExpectRefused(RunHostile({ "run", dir.Write("t.zdkt", Template(c.report)) }), c.message);
    }
}

TEST_F(Hostile, FilesThatNeverEndOrAreTooLarge)
{
    const QString fifo = dir.File("fifo.zdk");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : { QStringLiteral("/dev/zero"), fifo })
        ExpectRefused(
            RunHostile({ "check", path }), QStringLiteral("Cannot open file %1: Not a regular file").arg(path));

    // Sparse, so it takes no room on disk; reading it would take 2 GB of memory and many seconds.
    const QString huge = dir.File("huge.zdk");
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(2'200'000'000));
    file.close();
    ExpectRefused(RunHostile({ "format", huge }),
        QStringLiteral("Cannot open file %1: Text too large: 2200000000 bytes, over the limit of 1073741824 bytes")
            .arg(huge));
}

TEST_F(Hostile, OutputThatCannotBeWritten)
{
    const QString notebook = dir.Write("n.zdk",
        "<NOTEBOOKS><NOTEBOOK NAME=\"F\"><FIELDS><FIELD NAME=\"N\"/></FIELDS><PAGES><PAGE NAME=\"A\"/></PAGES>"
        "</NOTEBOOK></NOTEBOOKS>");
    const QString listing = dir.Write("t.zdkt", Template("<A/>"));
    const QString full = QStringLiteral("Cannot write standard output: No space left on device");
    Limits toFull;
    toFull.out = QStringLiteral("/dev/full");
    ExpectRefused(RunHostile({ "format", notebook }, toFull), full);
    ExpectRefused(RunHostile({ "check", notebook }, toFull), full);
    ExpectRefused(RunHostile({ "eval", "1 + 1" }, toFull), full);
    ExpectRefused(RunHostile({ "run", listing }, toFull), full);
    // A device is written as it is, never replaced by a file.
    ExpectRefused(RunHostile({ "run", listing, "--out", "/dev/full" }),
        QStringLiteral("Cannot write /dev/full: No space left on device"));
    struct stat device { };
    ASSERT_EQ(::stat("/dev/full", &device), 0);
    EXPECT_TRUE(S_ISCHR(device.st_mode));
}

TEST_F(Hostile, AFileSystemThatFillsUpLeavesNoPartialOutput)
{
    // A 64 KiB file size limit stands in for a full disk; writes beyond it fail with "File too large".
    Limits small;
    small.prelude = QStringLiteral("ulimit -f 64; trap '' XFSZ;");
    const QByteArray big = "<NOTEBOOKS V=\"" + QByteArray(100'000, 'v') + "\"/>";
    small.out = dir.File("formatted.zdk");
    ExpectRefused(RunHostile({ "format", dir.Write("big.zdk", big) }, small),
        QStringLiteral("Cannot write standard output: File too large"));

    const QString out = dir.File("report.r");
    const QString report = "<EXEC>SETVAR('i', 0)</EXEC><WHILE PRECOND=\"INCVAR('i') %3C 2000\"><A V=\""
        + QString(80, 'v') + "\"/></WHILE>";
    const Outcome outcome = RunHostile({ "run", dir.Write("t.zdkt", Template(report.toUtf8())), "--out", out }, small);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.err.startsWith("error: Cannot write " + out.toUtf8() + ": ")) << outcome.err.constData();
    EXPECT_EQ(TempFolder::Names(dir.Path()), QStringList({ "big.zdk", "formatted.zdk", "t.zdkt" }))
        << "no report, no temporary file";
}

} // namespace

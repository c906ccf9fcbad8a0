#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

namespace quillo::testutil {

struct ZdktoolResult {
    int exitCode;
    QByteArray out, err;
};

// Runs the command-line tool (its path comes from the test build) with input on stdin.
inline ZdktoolResult RunZdktool(const QStringList& args, const QByteArray& input = {})
{
    QProcess process;
    process.start(QStringLiteral(ZDKTOOL_PATH), args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return { process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError() };
}

} // namespace quillo::testutil

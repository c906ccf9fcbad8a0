#pragma once

#include "testutil/TempFolder.h"

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

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

// Tests of the tool that write their input files into a folder of their own.
class ZdktoolTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes) { return dir.Write(name, bytes); }
    TempFolder dir;
};

} // namespace quillo::testutil

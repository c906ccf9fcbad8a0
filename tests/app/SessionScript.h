#pragma once

#include <QByteArray>
#include <QString>

namespace quillo::testutil {
class TempFolder;
}

namespace quillo::test {

// True when xvfb-run and xdotool are installed.
bool SessionScriptsAvailable();

// Copies the sample notebook into work as friends.zdk and writes settings that open it at start; its path.
QString StartWithSample(const testutil::TempFolder& work);

struct TSessionRun {
    bool ok = false; // finished within the wait and exited 0
    QByteArray output;
};

// Runs the shell script tests/app/SCRIPT PROGRAM WORK under xvfb-run, on a display that survives the
// program's exits, so one script can start it again.
TSessionRun RunSessionScript(const QString& script, const QString& work);

} // namespace quillo::test

#include "app/SessionScript.h"

#include "testutil/TempFolder.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace quillo::test {

bool SessionScriptsAvailable()
{
    return !QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

QString StartWithSample(const testutil::TempFolder& work)
{
    const QString notebook = work.Write(
        "friends.zdk", testutil::TempFolder::Read(QStringLiteral(QUILLO_SOURCE_DIR "/samples/friends.zdk")));
    QDir().mkpath(work.File("config/quillo-zdk"));
    work.Write("config/quillo-zdk/quillo-zdk.SET", "<SETTINGS DOC_NAME=\"" + notebook.toUtf8() + "\"/>\r\n");
    return notebook;
}

TSessionRun RunSessionScript(const QString& script, const QString& work)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QProcess session;
    session.setProcessEnvironment(environment);
    session.setProcessChannelMode(QProcess::MergedChannels);
    session.start(QStandardPaths::findExecutable(QStringLiteral("xvfb-run")),
        { QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24 -noreset"),
            QStringLiteral("sh"), QStringLiteral(QUILLO_SOURCE_DIR "/tests/app/") + script,
            QStringLiteral(QUILLO_APP_PATH), work });
    TSessionRun run;
    const bool finished = session.waitForFinished(240'000);
    run.output = session.readAll();
    if (!finished)
        run.output += "\nthe session did not finish";
    run.ok = finished && session.exitStatus() == QProcess::NormalExit && session.exitCode() == 0;
    return run;
}

} // namespace quillo::test

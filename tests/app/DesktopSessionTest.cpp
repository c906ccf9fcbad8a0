#include "notebook/NotebookSchema.h"
#include "testutil/TempFolder.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>

namespace quillo {
namespace {

// The real program on a virtual X display, driven by the keyboard: started without settings it shows
// only its window and writes empty settings; a notebook created and saved there is reopened by the next
// start, which proves itself by saving the same bytes under another name.
TEST(DesktopSession, TheNextStartReopensTheSavedNotebook)
{
    const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfbRun.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "needs xvfb-run and xdotool (scripts/deps installs them)";

    testutil::TempFolder work;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QProcess session;
    session.setProcessEnvironment(environment);
    session.setProcessChannelMode(QProcess::MergedChannels);
    // -noreset: the display must survive the first run's exit for the second.
    session.start(xvfbRun,
        { QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24 -noreset"),
            QStringLiteral("sh"), QStringLiteral(QUILLO_SOURCE_DIR "/tests/app/desktop-session.sh"),
            QStringLiteral(QUILLO_APP_PATH), work.Path() });
    ASSERT_TRUE(session.waitForFinished(240'000)) << "the session did not finish";
    const QByteArray output = session.readAll();
    ASSERT_EQ(session.exitCode(), 0) << output.toStdString();

    EXPECT_EQ(testutil::TempFolder::Read(work.File("first-windows")).trimmed(), "1");
    EXPECT_EQ(testutil::TempFolder::Read(work.File("first-settings")).trimmed(), "<SETTINGS/>");

    const QByteArray saved = testutil::TempFolder::Read(work.File("family.zdk"));
    TKelPigger document;
    document.LoadFromText(saved);
    EXPECT_TRUE(NotebookSchema::CheckStructure(document));
    ASSERT_EQ(document.ChildCount(), 1);
    EXPECT_EQ(document.Child(0)->GetAttr("NAME"), "Family");
    EXPECT_EQ(testutil::TempFolder::Read(work.File("copy.zdk")), saved);

    TKelPigger settings;
    settings.LoadFromText(testutil::TempFolder::Read(work.File("config/quillo-zdk/quillo-zdk.SET")));
    EXPECT_EQ(settings.GetAttr("DOC_NAME"), work.File("copy.zdk"));
}

} // namespace
} // namespace quillo

#include "testutil/TempFolder.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace quillo {
namespace {

// The real program on a virtual X display, driven by the mouse: a cell of the sample notebook edited in the
// grid and saved is there after a restart, since editing it again starts from the saved text.
TEST(GridSession, AnEditedCellIsInTheGridAfterARestart)
{
    const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfbRun.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "needs xvfb-run and xdotool (scripts/deps installs them)";

    testutil::TempFolder work;
    const QString notebook = work.File("friends.zdk");
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLO_SOURCE_DIR "/samples/friends.zdk"), notebook));
    QFile::setPermissions(notebook, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(QDir(work.Path()).mkpath(QStringLiteral("config/quillo-zdk")));
    work.Write(
        QStringLiteral("config/quillo-zdk/quillo-zdk.SET"), "<SETTINGS DOC_NAME=\"" + notebook.toUtf8() + "\"/>\r\n");

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QProcess session;
    session.setProcessEnvironment(environment);
    session.setProcessChannelMode(QProcess::MergedChannels);
    session.start(xvfbRun,
        { QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24 -noreset"),
            QStringLiteral("sh"), QStringLiteral(QUILLO_SOURCE_DIR "/tests/app/grid-session.sh"),
            QStringLiteral(QUILLO_APP_PATH), work.Path() });
    ASSERT_TRUE(session.waitForFinished(240'000)) << "the session did not finish";
    const QByteArray output = session.readAll();
    ASSERT_EQ(session.exitCode(), 0) << output.toStdString();

    TKelPigger saved;
    saved.LoadFromText(testutil::TempFolder::Read(work.File("copy.zdk")));
    const TKelPigger* pageA = saved.Child(0)->FindChild("PAGES")->Child(0);
    ASSERT_EQ(pageA->ChildCount(), 3);
    EXPECT_EQ(pageA->Child(1)->GetAttr("PERSON"), "Alan Ashby Jr II");
    EXPECT_EQ(pageA->Child(1)->GetAttr("PHONE"), "+44 161 496 0732");
    EXPECT_EQ(pageA->Child(0)->GetAttr("PERSON"), "Ann Archer");
}

} // namespace
} // namespace quillo

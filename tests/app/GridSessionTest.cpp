#include "app/SessionScript.h"
#include "testutil/TempFolder.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

// The real program on a virtual X display, driven by the mouse: a cell of the sample notebook edited in the
// grid and saved is there after a restart, since editing it again starts from the saved text.
TEST(GridSession, AnEditedCellIsInTheGridAfterARestart)
{
    if (!test::SessionScriptsAvailable())
        GTEST_SKIP() << "needs xvfb-run and xdotool (scripts/deps installs them)";
    testutil::TempFolder work;
    test::StartWithSample(work);
    const test::TSessionRun run = test::RunSessionScript(QStringLiteral("grid-session.sh"), work.Path());
    ASSERT_TRUE(run.ok) << run.output.toStdString();

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

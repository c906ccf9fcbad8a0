#include "notebook/TSafeFileWriter.h"
#include "testutil/QtPrinters.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(SafeFileWriterTest, BackupNameReplacesTheExtensionOfTheFileName)
{
    const std::pair<QString, QString> cases[] = { { "/d/friends.zdk", "/d/friends.BAK" },
        { "/d/friends", "/d/friends.BAK" }, { "/d/my.friends.zdk", "/d/my.friends.BAK" },
        { "/d.x/friends", "/d.x/friends.BAK" }, { "friends.zdk", "friends.BAK" } };
    for (const auto& [path, backup] : cases)
        EXPECT_EQ(TSafeFileWriter::BackupName(path), backup);
}

} // namespace
} // namespace quillo

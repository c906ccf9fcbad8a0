#include "notebook/TSafeFileWriter.h"
#include "testutil/QtPrinters.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(SafeFileWriterTest, BackupNameReplacesTheExtensionOfTheFileName)
{
    const struct {
        QString path, backup;
    } cases[] = {
        { "/d/friends.zdk", "/d/friends.BAK" },
        { "/d/friends", "/d/friends.BAK" },
        { "/d/my.friends.zdk", "/d/my.friends.BAK" },
        { "/d.x/friends", "/d.x/friends.BAK" },
        { "/d/.zdk", "/d/.BAK" },
        { "friends.zdk", "friends.BAK" },
        { "/d/old.BAK", "/d/old.BAK" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(TSafeFileWriter::BackupName(c.path), c.backup);
}

} // namespace
} // namespace quillo

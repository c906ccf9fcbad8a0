#include "testutil/TreeTesting.h"
#include "tree/EKelPiggerError.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace quillo;

// Every file under tests/tree/data (among them inputs that once broke the reader) is either
// refused with a reading error or reads, writes and reads back to an equal tree.
TEST(FixtureFiles, ReadOrRefuseAndRoundTrip)
{
    const QDir data(QStringLiteral(QUILLO_SOURCE_DIR "/tests/tree/data"));
    for (const QFileInfo& info : data.entryInfoList(QDir::Files)) {
        QFile file(info.filePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        TKelPigger tree;
        try {
            tree.LoadFromText(TKelPigger::NormalizeText(file.readAll()));
        } catch (const EKelPiggerError&) {
            continue;
        }
        const QByteArray written = tree.SaveToText();
        auto back = testutil::ReadTree(TKelPigger::NormalizeText(written));
        EXPECT_EQ(testutil::TreeDifference(tree, *back), QString()) << info.fileName().toStdString();
    }
}

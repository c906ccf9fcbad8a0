#include "notebook/widgets/QuilloIcons.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include <map>
#include <string>

using namespace quillo;
using namespace quillo::QuilloIcons;

namespace {

QImage Image(const QIcon& icon, int size) { return icon.pixmap(size, size).toImage(); }

int InkedPixels(const QImage& image)
{
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += qAlpha(image.pixel(x, y)) > 0;
    return inked;
}

} // namespace

TEST(QuilloIcons, EveryIconIsDrawnAndNoTwoLookAlikeButTheSharedArrows)
{
    std::map<std::string, QIcon> icons;
    for (int i = 0; i < GuiderImageCount; ++i)
        icons["guider " + std::to_string(i)] = GuiderIcon(i);
    for (int t = int(Tool::New); t <= int(Tool::Program); ++t)
        icons["tool " + std::to_string(t)] = ToolIcon(Tool(t));
    for (int c = int(Command::Append); c <= int(Command::File); ++c)
        if (Command(c) != Command::Up && Command(c) != Command::Down)
            icons["command " + std::to_string(c)] = CommandIcon(Command(c));

    std::map<std::string, QImage> seen;
    for (const auto& [name, icon] : icons) {
        ASSERT_FALSE(icon.isNull()) << name;
        for (const int size : { 16, 32 }) {
            const QImage image = Image(icon, size);
            EXPECT_EQ(image.size(), QSize(size, size)) << name;
            EXPECT_GT(InkedPixels(image), size) << name;
        }
        const QImage small = Image(icon, 16);
        for (const auto& [other, image] : seen)
            EXPECT_NE(small, image) << name << " looks like " << other;
        seen[name] = small;
    }
    EXPECT_EQ(Image(CommandIcon(Command::Up), 16), Image(ToolIcon(Tool::Up), 16));
    EXPECT_EQ(Image(CommandIcon(Command::Down), 16), Image(ToolIcon(Tool::Down), 16));
    EXPECT_TRUE(GuiderIcon(GuiderImageCount).isNull());
}

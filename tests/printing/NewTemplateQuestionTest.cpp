#include "printing/NewTemplateQuestion.h"

#include <gtest/gtest.h>

using namespace quillo;

namespace {

TEST(NewTemplateQuestion, OnlyOtherWindowsSayWhereTemplatesAreChosen)
{
    const QString hint = QStringLiteral("You can choose from existing templates when the \"PAGES\" node is selected in "
                                        "the guider.\n");
    EXPECT_TRUE(NewTemplateQuestion::Text(true).startsWith(hint));
    EXPECT_FALSE(NewTemplateQuestion::Text(false).contains(QStringLiteral("PAGES")));
    EXPECT_TRUE(NewTemplateQuestion::Text(false).endsWith(QLatin1Char('?')));
}

TEST(NewTemplateQuestion, OpensTheTemplateReferenceOfTheLocalGuide)
{
    const QUrl url = NewTemplateQuestion::ReferenceUrl();
    EXPECT_TRUE(url.isLocalFile());
    EXPECT_TRUE(url.path().endsWith(QStringLiteral("index.html")));
    EXPECT_EQ(url.fragment(), QStringLiteral("templates"));
}

} // namespace

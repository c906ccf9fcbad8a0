#include "records/RecordOps.h"
#include "records/RecordDates.h"
#include "records/RecordLinks.h"
#include "testutil/QtPrinters.h"
#include "testutil/TempFolder.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

namespace quillo {
namespace {

QStringList Names(const TKelPigger& list, const char* attr = "NAME")
{
    QStringList names;
    for (int i = 0; i < list.ChildCount(); ++i)
        names.append(list.Child(i)->GetAttr(QString::fromLatin1(attr)));
    return names;
}

TEST(RecordOpsTest, ColumnWidthTitlesAndRecordsPerPage)
{
    TKelPigger fields;
    fields.LoadFromText(R"(<FIELDS><FIELD NAME="A" WIDTH=" 120 "/><FIELD NAME="B" WIDTH="abc" TITLE="Bee"/>)"
                        R"(<FIELD NAME="C" WIDTH="0"/><FIELD NAME="D" WIDTH="-5"/><FIELD NAME="E"/></FIELDS>)");
    EXPECT_EQ(Names(fields), QStringList({ "A", "B", "C", "D", "E" }));
    const int widths[] = { 120, 80, 80, 80, 80 };
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(RecordOps::ColumnWidth(*fields.Child(i)), widths[i]) << i;
    EXPECT_EQ(RecordOps::TitleOf(&fields, "b"), "Bee");
    EXPECT_EQ(RecordOps::TitleOf(&fields, "A"), "A");
    EXPECT_EQ(RecordOps::TitleOf(&fields, "Z"), "Z");
    EXPECT_EQ(RecordOps::TitleOf(nullptr, "Z"), "Z");

    TKelPigger notebook;
    EXPECT_EQ(RecordOps::RecordsPerPage(nullptr), 10);
    for (const auto& [rpp, expected] : { std::pair { "3", 3 }, { "x", 10 }, { "", 10 }, { "0", 10 } }) {
        notebook.SetAttr("RPP", rpp);
        EXPECT_EQ(RecordOps::RecordsPerPage(&notebook), expected) << rpp;
    }
    EXPECT_EQ(RecordOps::OverflowQuestion(3), "More then 3 records per one page.\nAppend new page?");
}

TEST(RecordOpsTest, OverflowPageIsNamedAfterItsBaseAndPlacedAfterTheLastOfThem)
{
    TKelPigger pages;
    pages.LoadFromText(R"(<PAGES><PAGE NAME="A"/><PAGE NAME="a+"/><PAGE NAME="B"/><PAGE NAME="C"/></PAGES>)");
    TKelPigger* added = RecordOps::AddOverflowPage(*pages.Child(0));
    ASSERT_TRUE(added);
    EXPECT_EQ(added->Tag(), "PAGE");
    EXPECT_EQ(added->AttrCount(), 1);
    EXPECT_EQ(Names(pages), QStringList({ "A", "a+", "A++", "B", "C" }));
    RecordOps::AddOverflowPage(*pages.Child(4));
    EXPECT_EQ(Names(pages), QStringList({ "A", "a+", "A++", "B", "C", "C+" }));
    RecordOps::AddOverflowPage(*pages.Child(1));
    EXPECT_EQ(Names(pages), QStringList({ "A", "a+", "A++", "a+++", "B", "C", "C+" }));
    TKelPigger orphan;
    EXPECT_EQ(RecordOps::AddOverflowPage(orphan), nullptr);
}

TEST(RecordOpsTest, MovingARecordToAPage)
{
    TKelPigger pages;
    pages.LoadFromText(
        R"(<PAGES><PAGE NAME="A"><REC N="1"/><REC N="2"/></PAGE><PAGE NAME="B"><REC N="3"/></PAGE></PAGES>)");
    TKelPigger& a = *pages.Child(0);
    TKelPigger& b = *pages.Child(1);
    EXPECT_FALSE(RecordOps::MoveRecordToPage(*a.Child(0), a));
    EXPECT_EQ(Names(a, "N"), QStringList({ "1", "2" }));
    EXPECT_TRUE(RecordOps::MoveRecordToPage(*a.Child(0), b));
    EXPECT_EQ(Names(a, "N"), QStringList({ "2" }));
    EXPECT_EQ(Names(b, "N"), QStringList({ "3", "1" }));
    EXPECT_EQ(b.Child(1)->Level(), b.Level() + 1);
    TKelPigger& rec = RecordOps::AppendRecord(a);
    EXPECT_EQ(rec.Tag(), "REC");
    EXPECT_EQ(a.IndexOfChild(&rec), 1);
}

TEST(RecordOpsTest, SortIsCaseInsensitiveStableAndKeepsEmptyValuesLast)
{
    TKelPigger page;
    page.LoadFromText(R"(<PAGE><REC K="1" N="bob"/><REC K="2"/><REC K="3" N="Émile"/><REC K="4" N="alice"/>)"
                      R"(<REC K="5" N="Bob"/><REC K="6" N="item10"/><REC K="7" N="item9"/></PAGE>)");
    RecordOps::SortRecords(page, "n", true);
    EXPECT_EQ(Names(page, "K"), QStringList({ "4", "1", "5", "3", "7", "6", "2" }));
    RecordOps::SortRecords(page, "N", false);
    EXPECT_EQ(Names(page, "K"), QStringList({ "6", "7", "3", "1", "5", "4", "2" }));
}

TEST(RecordLinksTest, OnlyWebAddressesAreOpened)
{
    const struct {
        const char* value;
        const char* url; // nullptr: refused
    } cases[] = {
        { "www.example.com", "http://www.example.com" },
        { " example.com:8080/a?b=1 ", "http://example.com:8080/a?b=1" },
        { "HTTPS://example.com/x", "https://example.com/x" },
        { "ftp://files.example.com", "ftp://files.example.com" },
        { "file:///etc/passwd", nullptr },
        { "/usr/bin/xterm", nullptr },
        { "./run.sh", nullptr },
        { "~/bin/x", nullptr },
        { "C:\\Windows\\notepad.exe", nullptr },
        { "javascript:alert(1)", nullptr },
        { "smb://server/share", nullptr },
        { "http://", nullptr },
        { "", nullptr },
    };
    for (const auto& c : cases) {
        const std::optional<QUrl> url = RecordLinks::WebAddress(c.value);
        if (c.url)
            EXPECT_EQ(url.value_or(QUrl()).toString(), c.url) << c.value;
        else
            EXPECT_FALSE(url.has_value()) << c.value;
    }
}

TEST(RecordLinksTest, MailtoCannotCarryParameters)
{
    const QUrl plain = RecordLinks::MailtoAddress(" ann@example.com ");
    EXPECT_EQ(plain.toString(QUrl::FullyEncoded), "mailto:ann@example.com");
    for (const char* value : { "ann@example.com?attach=/etc/passwd", "ann@example.com#x", "a@b.c?cc=x&body=y" }) {
        const QUrl url = RecordLinks::MailtoAddress(value);
        const QUrl reread(url.toString(QUrl::FullyEncoded));
        EXPECT_FALSE(reread.hasQuery()) << value;
        EXPECT_FALSE(reread.hasFragment()) << value;
        EXPECT_EQ(reread.path(QUrl::FullyDecoded), value) << value;
        EXPECT_EQ(QUrl::fromUserInput(url.toString(QUrl::FullyEncoded)).query(), "") << value;
    }
}

TEST(RecordLinksTest, ProgramsAndScriptsAreTold)
{
    testutil::TempFolder folder;
    const auto make = [&](const QString& name, QFile::Permissions permissions) {
        const QString path = folder.Write(name, "#!/bin/sh\n");
        QFile::setPermissions(path, permissions);
        return path;
    };
    const QFile::Permissions plain = QFile::ReadOwner | QFile::WriteOwner;
    EXPECT_FALSE(RecordLinks::RunsAsProgram(make("letter.txt", plain)));
    EXPECT_TRUE(RecordLinks::RunsAsProgram(make("script", plain | QFile::ExeOwner)));
    EXPECT_TRUE(RecordLinks::RunsAsProgram(make("launcher.desktop", plain)));
    EXPECT_TRUE(RecordLinks::RunsAsProgram(make("setup.EXE", plain)));
    EXPECT_FALSE(RecordLinks::RunsAsProgram(folder.Path()));
    EXPECT_FALSE(RecordLinks::RunsAsProgram(folder.File("missing")));
}

TEST(RecordDatesTest, ShortFormatKeepsTheCenturyAndRoundTrips)
{
    EXPECT_FALSE(RecordDates::ShortDateFormat().contains(QRegularExpression("(^|[^y])yy([^y]|$)")));
    const QDate date(1987, 3, 4);
    EXPECT_EQ(RecordDates::Parse(RecordDates::Format(date)), date);
    EXPECT_FALSE(RecordDates::Parse("not a date").isValid());
}

} // namespace
} // namespace quillo

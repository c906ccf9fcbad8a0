#include "exchange/ContactText.h"
#include "exchange/EExchangeError.h"
#include "exchange/TCsvReader.h"
#include "exchange/TCsvWriter.h"
#include "exchange/TVCardReader.h"
#include "exchange/TVCardWriter.h"
#include "testutil/QtPrinters.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

struct TFault {
    QString message;
    int line = -1;
};

template <typename Read> TFault FaultOf(Read read)
{
    try {
        read();
    } catch (const EExchangeError& error) {
        return { error.Message(), error.Line };
    }
    return {};
}

TVCardProperty OnlyProperty(const QByteArray& text)
{
    const std::vector<TVCard> cards = TVCardReader::Read("BEGIN:VCARD\r\nVERSION:3.0\r\n" + text + "\r\nEND:VCARD\r\n");
    EXPECT_EQ(cards.size(), 1u);
    EXPECT_EQ(cards[0].properties.size(), 1u);
    return cards[0].properties.at(0);
}

TEST(VCardReaderTest, PropertyShapes)
{
    struct Case {
        QByteArray line;
        QByteArray group, name;
        QStringList types;
        QString text;
    };
    const Case cases[] = {
        { "TEL;TYPE=CELL,voice:555 1", "", "TEL", { "cell", "voice" }, "555 1" },
        { "tel;type=HOME;type=pref:1", "", "TEL", { "home", "pref" }, "1" },
        // Version 2.1 names the types bare.
        { "TEL;CELL;VOICE:2", "", "TEL", { "cell", "voice" }, "2" },
        { "item1.TEL:3", "ITEM1", "TEL", {}, "3" },
        { "TEL;TYPE=\"work,fax\":4", "", "TEL", { "work", "fax" }, "4" },
        { "NOTE:a\\nb\\, c\\; d\\\\e", "", "NOTE", {}, "a\nb, c; d\\e" },
        { "NOTE:colon: inside", "", "NOTE", {}, "colon: inside" },
        { "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCller;J=C3=BCrgen", "", "N", {}, "Müller;Jürgen" },
        { "N;CHARSET=ISO-8859-1:M\xFCller", "", "N", {}, "Müller" },
        { "N;CHARSET=WINDOWS-1252:\x80 \x93q\x94", "", "N", {}, "€ “q”" },
        { "N;QUOTED-PRINTABLE:=41=42", "", "N", {}, "AB" },
    };
    for (const Case& c : cases) {
        const TVCardProperty property = OnlyProperty(c.line);
        EXPECT_EQ(property.group, c.group) << c.line.constData();
        EXPECT_EQ(property.name, c.name) << c.line.constData();
        EXPECT_EQ(property.types, c.types) << c.line.constData();
        EXPECT_EQ(property.Text(), c.text) << c.line.constData();
    }
}

TEST(VCardReaderTest, StructuredValuesSplitAtUnescapedSemicolons)
{
    EXPECT_EQ(OnlyProperty("ADR:;;1 Main St\\; back;Town\\, North;;12345;").Components(),
        (QStringList { "", "", "1 Main St; back", "Town, North", "", "12345", "" }));
}

TEST(VCardReaderTest, FoldsSoftBreaksByteOrderMarksAndSeveralCards)
{
    const QByteArray text = "\xEF\xBB\xBF"
                            "BEGIN:VCARD\nVERSION:2.1\nN;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:=C3=85ng=\n"
                            "str=C3=B6m;Anders\nNOTE:folded\n  with a blank\n\tand a tab\nEND:VCARD\n\n"
                            "begin:vcard\r\nversion:4.0\r\nFN:Second\r\nend:vcard";
    const std::vector<TVCard> cards = TVCardReader::Read(text);
    ASSERT_EQ(cards.size(), 2u);
    EXPECT_EQ(cards[0].line, 1);
    EXPECT_EQ(cards[0].properties[0].Text(), QStringLiteral("Ångström;Anders"));
    EXPECT_EQ(cards[0].properties[1].Text(), QStringLiteral("folded with a blankand a tab"));
    EXPECT_EQ(cards[0].properties[1].line, 5);
    EXPECT_EQ(cards[1].line, 10);
    // UTF-16 with a byte order mark reads the same.
    const QString utf16 = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Zoë\r\nEND:VCARD\r\n");
    QByteArray little = "\xFF\xFE";
    little.append(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2);
    EXPECT_EQ(TVCardReader::Read(little).at(0).properties.at(0).Text(), QStringLiteral("Zoë"));
}

TEST(VCardReaderTest, RefusesWithTheLine)
{
    struct Case {
        QByteArray text;
        int line;
        const char* message;
    };
    const Case cases[] = {
        { "First,Last\r\nAnn,Lee\r\n", 1, "line 1: \"First,Last\" is not a vCard property (NAME:VALUE)" },
        { "NAME:Ann\r\n", 1, "line 1: this is not a vCard file: it does not begin with BEGIN:VCARD" },
        { "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann\r\n", 1, "line 1: the card that begins here has no END:VCARD" },
        { "BEGIN:VCARD\r\nFN:A\r\nBEGIN:VCARD\r\n", 3, "line 3: BEGIN:VCARD inside the card that began on line 1" },
        { "BEGIN:VCARD\r\nEND:VCARD\r\nFN:B\r\n", 3, "line 3: FN outside a card (after END:VCARD)" },
        { "BEGIN:VCARD\r\nEND:VCARD\r\nEND:VCARD\r\n", 3, "line 3: END outside a card (after END:VCARD)" },
        { "BEGIN:VCARD\r\nN;ENCODING=QUOTED-PRINTABLE:M=C3=Z1\r\nEND:VCARD\r\n", 2,
            "line 2: broken quoted-printable sequence \"=Z1\"" },
        { "BEGIN:VCARD\r\nN;ENCODING=QUOTED-PRINTABLE:end=\r\n", 2, "line 2: broken quoted-printable sequence \"=\"" },
        { "BEGIN:VCARD\r\nVERSION:5.0\r\nEND:VCARD\r\n", 2,
            "line 2: vCard version 5.0 is not supported (2.1, 3.0 and 4.0 are)" },
        { "BEGIN:VCARD\r\nFN:M\xFCller\r\nEND:VCARD\r\n", 2,
            "line 2: the text is not UTF-8; save the file as UTF-8 (or give its CHARSET) and import it again" },
        { "BEGIN:VCARD\r\nFN;CHARSET=KLINGON:x\r\nEND:VCARD\r\n", 2, "line 2: unknown character set KLINGON" },
        // Half a surrogate pair decodes without a decoder error, but cannot be written again.
        { "BEGIN:VCARD\r\nFN;CHARSET=UTF-7:A+2D0-B\r\nEND:VCARD\r\n", 2, "line 2: the text is not UTF-7" },
        { "BEGIN:VCARD\r\nN;CHARSET=UTF-7:+3+0-5;\r\nEND:VCARD\r\n", 2, "line 2: the text is not UTF-7" },
        { QByteArrayLiteral("\xFF\xFE"
                            "B\0E\0G\0I\0N\0:\0V\0C\0A\0R\0D\0\n\0F\0N\0:\0\x3D\xD8\n\0"),
            0, "The file begins as UTF-16 text but is not UTF-16 throughout" },
        { QByteArrayLiteral("BEGIN:VCARD\r\nFN:a\0b\r\nEND:VCARD\r\n"), 2,
            "line 2: the file holds NUL bytes: it is not a text file, or is UTF-16 text without a byte order mark" },
        { "\r\n\r\n", 0, "The file holds no vCard (BEGIN:VCARD ... END:VCARD)" },
    };
    for (const Case& c : cases) {
        const TFault fault = FaultOf([&] { TVCardReader::Read(c.text); });
        EXPECT_EQ(fault.message, QString::fromUtf8(c.message)) << c.text.constData();
        EXPECT_EQ(fault.line, c.line) << c.text.constData();
    }
}

TEST(VCardReaderTest, RefusesAFileOverTheSizeCap)
{
    const QByteArray huge(ContactText::MaxSize + 1, 'a');
    EXPECT_EQ(FaultOf([&] { TVCardReader::Read(huge); }).message,
        QStringLiteral("The file is too large to import: 104857601 bytes, over the limit of 104857600 bytes"));
}

TEST(VCardWriterTest, FoldsAt75OctetsWithoutSplittingACharacter)
{
    TVCardWriter writer;
    const QString note = QString(60, QChar(u'é')) + QStringLiteral("; a, b\\c\nd") + QString(40, QChar(u'€'));
    writer.Begin();
    writer.Add("NOTE", note);
    writer.End();
    const QByteArray bytes = writer.Bytes();
    EXPECT_TRUE(bytes.startsWith("BEGIN:VCARD\r\nVERSION:4.0\r\nNOTE:"));
    for (const QByteArray& line : bytes.split('\n')) {
        EXPECT_LE(line.size(), 76) << line.constData();
        EXPECT_FALSE(QString::fromUtf8(line).contains(QChar::ReplacementCharacter)) << line.constData();
    }
    EXPECT_EQ(TVCardReader::Read(bytes).at(0).properties.at(0).Text(), note);
}

TEST(CsvReaderTest, QuotedValuesAndDelimiters)
{
    struct Case {
        QByteArray text;
        QChar delimiter;
        QStringList header;
        std::vector<QStringList> rows;
    };
    const Case cases[] = {
        { "a,b\r\n1,2\r\n", ',', { "a", "b" }, { { "1", "2" } } },
        { "a;b\n\"x;y\";\"say \"\"hi\"\"\"\n", ';', { "a", "b" }, { { "x;y", "say \"hi\"" } } },
        { "a\tb\tc\n1\t\"two\r\nlines\"\t3", '\t', { "a", "b", "c" }, { { "1", "two\r\nlines", "3" } } },
        // Delimiters inside a quoted header do not count.
        { "\"x;y;z\",b\n1,2\n", ',', { "x;y;z", "b" }, { { "1", "2" } } },
        // Short rows are filled, blank lines skipped, a UTF-8 byte order mark dropped.
        { "\xEF\xBB\xBFname;phone;mail\r\n\r\nAnn\r\n  \r\nBo;1;\r\n", ';', { "name", "phone", "mail" },
            { { "Ann", "", "" }, { "Bo", "1", "" } } },
        { "a,b\r1,2\r", ',', { "a", "b" }, { { "1", "2" } } },
    };
    for (const Case& c : cases) {
        const TCsvTable table = TCsvReader::Read(c.text);
        EXPECT_EQ(table.delimiter, c.delimiter) << c.text.constData();
        EXPECT_EQ(table.header, c.header) << c.text.constData();
        ASSERT_EQ(table.rows.size(), c.rows.size()) << c.text.constData();
        for (size_t i = 0; i < c.rows.size(); ++i)
            EXPECT_EQ(table.rows[i].values, c.rows[i]) << c.text.constData();
    }
}

TEST(CsvReaderTest, RowsKnowTheirLines)
{
    const TCsvTable table = TCsvReader::Read("h1,h2\n\"a\nb\",c\n\nd,e\n");
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0].line, 2);
    EXPECT_EQ(table.rows[1].line, 5);
}

TEST(CsvReaderTest, Utf16WithByteOrderMark)
{
    const QString text = QStringLiteral("Name;Ort\r\nZoë;Köln\r\n");
    QByteArray big = "\xFE\xFF";
    for (const QChar c : text)
        big.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    const TCsvTable table = TCsvReader::Read(big);
    EXPECT_EQ(table.rows.at(0).values, (QStringList { "Zoë", "Köln" }));
}

TEST(CsvReaderTest, RefusesWithTheLine)
{
    struct Case {
        QByteArray text;
        const char* message;
    };
    const Case cases[] = {
        { "a,b\n1,2\n\"open,3\n4,5\n",
            "line 3: the quoted value that opens here is not closed before the end of the file" },
        { "a,b\n\"x\"y,2\n",
            "line 2: text after the closing quote of a value; a quote inside a quoted value is written "
            "twice (\"\")" },
        { "a,b\n1,2\n1,2,3\n", "line 3: 3 values, but the header line names 2 columns" },
        { "a,b\n1,2\nM\xFCller,2\n",
            "line 3: the text is not UTF-8; save the file as UTF-8 (or give its CHARSET) and "
            "import it again" },
        { QByteArrayLiteral("\x89PNG\r\n\x1A\n\0\0\0\rIHDR"),
            "line 3: the file holds NUL bytes: it is not a text file, or is UTF-16 text "
            "without a byte order mark" },
        { "", "The file is empty: a CSV file begins with a header line" },
        { "\n" + QByteArray(1000, ',') + "\n", "line 2: the header line names 1001 columns; at most 1000 are read" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FaultOf([&] { TCsvReader::Read(c.text); }).message, QString::fromUtf8(c.message))
            << c.text.constData();
}

TEST(CsvWriterTest, QuotesOnlyWhereNeeded)
{
    TCsvWriter writer;
    writer.AddRow({ "PAGE", "NAME" });
    writer.AddRow({ "AB", "plain; semicolon" });
    writer.AddRow({ "a,b", "say \"hi\"" });
    writer.AddRow({ "two\nlines", "" });
    EXPECT_EQ(writer.Bytes(),
        QByteArray("PAGE,NAME\r\nAB,plain; semicolon\r\n\"a,b\",\"say \"\"hi\"\"\"\r\n"
                   "\"two\nlines\",\r\n"));
    const TCsvTable back = TCsvReader::Read(writer.Bytes());
    EXPECT_EQ(back.rows.at(1).values, (QStringList { "a,b", "say \"hi\"" }));
    EXPECT_EQ(back.rows.at(2).values, (QStringList { "two\nlines", "" }));
}

TEST(ContactTextTest, YearlessFormat)
{
    const std::pair<const char*, const char*> cases[] = {
        { "dd.MM.yyyy", "dd.MM" },
        { "M/d/yyyy", "M/d" },
        { "yyyy-MM-dd", "MM-dd" },
        { "d MMM yyyy", "d MMM" },
        { "dd.MM.", "dd.MM." },
    };
    for (const auto& [format, yearless] : cases)
        EXPECT_EQ(ContactText::YearlessFormat(QString::fromLatin1(format)), QString::fromLatin1(yearless)) << format;
}

} // namespace
} // namespace quillo

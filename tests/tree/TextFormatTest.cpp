#include "testutil/TreeTesting.h"
#include "tree/EKelPiggerError.h"
#include "tree/KelTextFile.h"
#include "tree/TKelPigger.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <vector>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace quillo;
using quillo::testutil::ReadTree;
using quillo::testutil::TreeDifference;

namespace {

QByteArray RoundTrip(const QByteArray& text) { return ReadTree(text)->SaveToText(); }

QString ValueOf(const QByteArray& quotedBytes)
{
    return ReadTree("<A V=\"" + quotedBytes + "\"/>")->GetAttr(QStringLiteral("V"));
}

} // namespace

TEST(TextFormatWriter, NotebookWithEscapedNonAsciiName)
{
    TKelPigger root;
    root.SetTag("NOTEBOOKS");
    auto* notebook = new TKelPigger(&root);
    notebook->SetTag("NOTEBOOK");
    notebook->SetAttr(QStringLiteral("NAME"), QStringLiteral("T\u00e9\"x"));
    (new TKelPigger(notebook))->SetTag("FIELDS");
    EXPECT_EQ(root.SaveToText(),
        QByteArray("\r\n<NOTEBOOKS>\r\n\t<NOTEBOOK NAME=\"T\xc3\xa9%22x\">\r\n\t\t<FIELDS/>"
                   "\r\n\t</NOTEBOOK>\r\n</NOTEBOOKS>"));
}

TEST(TextFormatWriter, NotebookFileLayout)
{
    const QByteArray expected = "\r\n<NOTEBOOKS>"
                                "\r\n\t<NOTEBOOK NAME=\"Friends\" RPP=\"20\">My friends"
                                "\r\n\t\t<FIELDS>"
                                "\r\n\t\t\t<FIELD NAME=\"PERSON\" WIDTH=\"150\"/>"
                                "\r\n\t\t\t<FIELD NAME=\"PHONE\" TITLE=\"Phone number\"/>"
                                "\r\n\t\t</FIELDS>"
                                "\r\n\t\t<PAGES>"
                                "\r\n\t\t\t<PAGE NAME=\"A\">"
                                "\r\n\t\t\t\t<REC PERSON=\"Ann\" PHONE=\"123\"/>"
                                "\r\n\t\t\t</PAGE>"
                                "\r\n\t\t\t<PAGE NAME=\"B\"/>"
                                "\r\n\t\t</PAGES>"
                                "\r\n\t</NOTEBOOK>"
                                "\r\n</NOTEBOOKS>";
    EXPECT_EQ(RoundTrip(expected), expected);
    EXPECT_EQ(ReadTree(expected)->Child(0)->Text(), QByteArray("My friends"));
}

TEST(TextFormatWriter, SubtreeKeepsItsLevelAndEmptyChildrenWriteNothing)
{
    auto root = ReadTree("<A><B><C x=\"1\">t</C></B></A>");
    EXPECT_EQ(root->Child(0)->Child(0)->SaveToText(), QByteArray("\r\n\t\t<C X=\"1\">t\r\n\t\t</C>"));
    root->Child(0)->Child(0)->Clear();
    EXPECT_EQ(root->Child(0)->SaveToText(), QByteArray("\r\n\t<B>\r\n\t</B>"));
    EXPECT_EQ(TKelPigger().SaveToText(), QByteArray());
}

TEST(TextFormatWriter, EscapesOnlyTheSpecialBytes)
{
    TKelPigger node;
    node.SetTag("A");
    node.SetAttr(QStringLiteral("V"), QString::fromUtf8("\"%<>&'/= \t\r\n\x01\x1f\x7f"));
    node.SetText(QByteArray("<t>%\x02", 5));
    EXPECT_EQ(node.SaveToText(), QByteArray("\r\n<A V=\"%22%25%3C%3E&'/= \t\r\n%01%1F\x7f\">%3Ct%3E%25%02\r\n</A>"));
}

TEST(TextFormatWriter, CharactersOutsideTheBmpAreFourByteUtf8)
{
    TKelPigger node;
    node.SetTag("A");
    node.SetAttr(QStringLiteral("V"), QString::fromUcs4(U"x\U0001F600y"));
    EXPECT_EQ(node.SaveToText(), QByteArray("\r\n<A V=\"x\xf0\x9f\x98\x80y\"/>"));
}

TEST(TextFormatReader, ValueDecoding)
{
    const struct {
        QByteArray bytes;
        QString value;
    } cases[] = {
        { "T\xc3\xa9%22x", QStringLiteral("T\u00e9\"x") },
        { "x\xf0\x9f\x98\x80y", QString::fromUcs4(U"x\U0001F600y") },
        { "x\xed\xa0\xbd\xed\xb8\x80y", QString::fromUcs4(U"x\U0001F600y") }, // pair written as two 3-byte halves
        { "caf\xe9", QStringLiteral("caf\u00e9") }, // Latin-1 text survives instead of vanishing
        { "\xff\xc3\xa9\xc3", QStringLiteral("\u00ff\u00e9\u00c3") },
        { "\xc0\x80", QStringLiteral("\u00c0\u0080") }, // overlong form is no sequence
        { "\xe2\x82", QStringLiteral("\u00e2\u0082") },
        { "%zz%4%4g%ab%", QStringLiteral("%zz%4%4g%ab%") }, // stray percent signs stay
        { "%41%3c%3C", QStringLiteral("A%3c<") },
        { "%C3%A9", QStringLiteral("\u00c3\u00a9") }, // escapes name characters, not bytes
        { "a\r\nb", QStringLiteral("a\r\nb") },
        { "", QString() },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValueOf(c.bytes), c.value) << c.bytes.toHex().constData();
}

TEST(TextFormatReader, NameBytesFollowTheValueRule)
{
    const struct {
        QByteArray bytes;
        QString name;
    } cases[] = {
        { "caf\xe9", QStringLiteral("CAF\u00c9") }, // Latin-1, not U+FFFD
        { "\xff\xc3\xa9%41", QStringLiteral("\u0178\u00c9%41") }, // names are not unescaped
        { "n\xc3\x9f", QStringLiteral("NSS") },
        { "\xef\xbb\xbf"
          "a",
            QStringLiteral("\ufeffA") }, // a leading byte order mark stays
        { "x\xed\xa0\xbd", QStringLiteral("X") + QChar(0xd83d) }, // a lone surrogate half
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().constData());
        const auto tree = ReadTree("<A " + c.bytes + "=\"1\"/>");
        EXPECT_EQ(tree->AttrName(0), c.name);
        const auto back = ReadTree(tree->SaveToText());
        EXPECT_EQ(TreeDifference(*tree, *back), QString());
    }
}

TEST(TextFormatReader, GrammarVariants)
{
    auto root = ReadTree("\xef\xbb\xbfjunk < a x=1 y z = \"q\" w='s'/>trailing junk");
    EXPECT_EQ(root->Tag(), QByteArray("A"));
    ASSERT_EQ(root->AttrCount(), 4);
    EXPECT_EQ(root->AttrName(1), QStringLiteral("Y"));
    EXPECT_EQ(root->AttrValue(1), QString());
    EXPECT_EQ(root->GetAttr(QStringLiteral("z")), QStringLiteral("q"));
    EXPECT_EQ(root->GetAttr(QStringLiteral("w")), QStringLiteral("'s'"));

    root = ReadTree("<Root x>\r\n  some %3Ctext%3E \r\n<kid/>\r\n more \r\n</rOOT >");
    EXPECT_EQ(root->AttrCount(), 1);
    EXPECT_EQ(root->Text(), QByteArray("some <text>more"));
    EXPECT_EQ(root->ChildCount(), 1);

    root = ReadTree("<A x=1/>");
    EXPECT_EQ(root->GetAttr(QStringLiteral("X")), QStringLiteral("1"));
    EXPECT_EQ(root->ChildCount(), 0);
    EXPECT_TRUE(ReadTree("")->Tag().isEmpty());
}

TEST(TextFormatReader, MalformedTextGivesFaultMessageAndPosition)
{
    using TFault = EKelPiggerError::TFault;
    const struct {
        QByteArray text;
        TFault fault;
        const char* message;
        int position;
    } cases[] = {
        { "abc", TFault::NoElement, "Syntax error", 1 },
        { "  <A", TFault::TagUnended, "Syntax error", 3 },
        { "<A x", TFault::AttrNameUnended, "Syntax error", 4 },
        { "<A x=\"1", TFault::QuoteUnclosed, "Syntax error", 6 },
        { "<A x=1", TFault::BareValueUnended, "Syntax error", 6 },
        { "<A x\r\n", TFault::StartTagUnended, "Syntax error", 6 }, // start tag runs into the end of the text
        { "<A\r\n", TFault::StartTagUnended, "Syntax error", 4 },
        { "<A/ >", TFault::StartTagUnclosed, "Syntax error", 4 },
        { "<A>", TFault::ContentUnended, "Syntax error", 4 },
        { "<A>text", TFault::ContentUnended, "Syntax error", 4 },
        { "<A><B>", TFault::ContentUnended, "Syntax error", 7 },
        { "<A><B", TFault::ChildTagUnended, "Syntax error", 4 },
        { "<?xml version=\"1.0\"?><A/>", TFault::ContentUnended, "Syntax error", 26 },
        { "<A></B>", TFault::EndTagMismatch, "Unclosed tag: A", 4 },
        { "<A></A", TFault::EndTagMismatch, "Unclosed tag: A", 4 },
        { "<A>  </ A>", TFault::EndTagMismatch, "Unclosed tag: A", 6 },
        { "<a></A x>", TFault::EndTagMismatch, "Unclosed tag: A", 4 },
        { "<A><b>x</B\r\n", TFault::EndTagMismatch, "Unclosed tag: B", 8 },
    };
    for (const auto& c : cases) {
        try {
            ReadTree(c.text);
            ADD_FAILURE() << "no error for " << c.text.constData();
        } catch (const EKelPiggerError& error) {
            EXPECT_EQ(error.Fault, c.fault) << c.text.constData();
            EXPECT_EQ(error.Message(), QString::fromUtf8(c.message)) << c.text.constData();
            EXPECT_EQ(error.Position, c.position) << c.text.constData();
        }
    }
}

TEST(TextFormatReader, NestingLimit)
{
    const auto nested
        = [](int depth) { return QByteArray("<A>").repeated(depth) + QByteArray("</A>").repeated(depth); };
    auto deepest = ReadTree(nested(TKelPigger::MaxDepth));
    const QByteArray written = deepest->SaveToText();
    EXPECT_EQ(TreeDifference(*ReadTree(written), *deepest), QString());
    TKelPigger copy;
    copy.Assign(*deepest);
    EXPECT_EQ(copy.SaveToText(), written);

    try {
        ReadTree(nested(TKelPigger::MaxDepth + 1));
        FAIL();
    } catch (const EKelPiggerError& error) {
        EXPECT_EQ(error.Fault, EKelPiggerError::TFault::TooDeep);
        EXPECT_EQ(error.Message(), QStringLiteral("Elements nested deeper than 1000 levels"));
        EXPECT_EQ(error.Position, 3 * TKelPigger::MaxDepth + 1);
    }
    EXPECT_THROW(ReadTree(QByteArray("<A>").repeated(1000000)), EKelPiggerError);
}

TEST(TextFormatReader, ProgrammaticallyDeepTreesNeedNoStack)
{
    auto root = std::make_unique<TKelPigger>();
    root->SetTag("A");
    TKelPigger* tip = root.get();
    for (int i = 0; i < 200000; ++i) {
        tip = new TKelPigger(tip);
        tip->SetTag("A");
    }
    TKelPigger* middle = root->Child(0)->Child(0);
    middle->SetParent(nullptr); // re-levels 200,000 descendants
    EXPECT_EQ(tip->Level(), 199998);
    TKelPigger copy;
    copy.Assign(*middle);
    delete middle;
}

TEST(TextFormatRoundTrip, LargeShapesReadCompletely)
{
    QByteArray manyAttrs = "<A";
    for (int i = 0; i < 100000; ++i)
        manyAttrs += " N" + QByteArray::number(i) + "=\"" + QByteArray::number(i) + '"';
    manyAttrs += "/>";
    auto root = ReadTree(manyAttrs);
    ASSERT_EQ(root->AttrCount(), 100000);
    EXPECT_EQ(root->AttrValue(99999), QStringLiteral("99999"));
    EXPECT_EQ(root->SaveToText().size(), manyAttrs.size() + 2);

    root = ReadTree("<A V=\"" + QByteArray(10 * 1024 * 1024, 'v') + "\"/>");
    EXPECT_EQ(root->GetAttr(QStringLiteral("V")).size(), 10 * 1024 * 1024);

    root = ReadTree("<A>" + QByteArray("<REC X=\"1\"/>").repeated(100000) + "</A>");
    ASSERT_EQ(root->ChildCount(), 100000);
    int walked = 0;
    for (TKelPigger* rec = root->FindChild("REC"); rec; rec = root->FindNextChild(rec))
        ++walked;
    EXPECT_EQ(walked, 100000);
}

namespace {

QString RandomText(QRandomGenerator& random, int maxLength)
{
    static const char16_t pool[] = u"aZ09 \"%<>&'/=\t\x01\x1f\u00e9\u20ac\u4e2d-_";
    QString text;
    const int length = random.bounded(maxLength + 1);
    for (int i = 0; i < length; ++i) {
        if (random.bounded(20) == 0)
            text += QString::fromUcs4(U"\U0001F600");
        else if (random.bounded(30) == 0)
            text += QStringLiteral("\r\n");
        else
            text += QChar(pool[random.bounded(int(std::size(pool)) - 1)]);
    }
    return text;
}

void FillRandom(TKelPigger& node, QRandomGenerator& random, int depth)
{
    static const char* tags[] = { "NOTEBOOK", "REC", "A", "X_Y", "FIELD-1" };
    node.SetTag(tags[random.bounded(5)]);
    const int attrs = random.bounded(5);
    for (int i = 0; i < attrs; ++i)
        node.SetAttr(QStringLiteral("N%1").arg(random.bounded(8)), RandomText(random, 12));
    if (random.bounded(3) == 0) {
        const QByteArray text = RandomText(random, 10).toUtf8().trimmed();
        node.SetText(text.isEmpty() ? text : "t" + text + "t");
    }
    const int children = depth > 0 ? random.bounded(4) : 0;
    for (int i = 0; i < children; ++i)
        FillRandom(*new TKelPigger(&node), random, depth - 1);
}

} // namespace

TEST(TextFormatRoundTrip, RandomTreesReadBackEqual)
{
    QRandomGenerator random(20261206);
    for (int round = 0; round < 300; ++round) {
        TKelPigger tree;
        FillRandom(tree, random, 4);
        const QByteArray text = tree.SaveToText();
        auto back = ReadTree(text);
        ASSERT_EQ(TreeDifference(tree, *back), QString()) << text.constData();
        ASSERT_EQ(back->SaveToText(), text);
    }
}

TEST(TextFormatStreams, LineEndsNormaliseToCrLf)
{
    const struct {
        QByteArray in, out;
    } cases[] = {
        { "", "" },
        { "a", "a\r\n" },
        { "a\nb\rc\r\nd", "a\r\nb\r\nc\r\nd\r\n" },
        { "a\r\n\r\n", "a\r\n\r\n" },
        { "\n\r", "\r\n\r\n" },
        { QByteArray("a\nb\0c\nd", 7), "a\r\nb\r\n" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(TKelPigger::NormalizeText(c.in), c.out) << c.in.toHex().constData();

    // Text that needs no change, or only the last line end, is taken over; the rest is rewritten.
    // Every mix of the bytes that matter, also across the 16-byte blocks the check reads.
    const char alphabet[] = { 'a', '\r', '\n', '\0' };
    std::vector<QByteArray> texts { "" };
    for (size_t i = 0; i < texts.size() && texts[i].size() < 6; ++i)
        for (const char c : alphabet)
            texts.push_back(texts[i] + c);
    for (qsizetype at = 0; at < 40; ++at)
        for (const QByteArray& end : { QByteArray("\r"), QByteArray("\n"), QByteArray("\r\n"), QByteArray(1, '\0') })
            texts.push_back(QByteArray(at, 'x') + end + QByteArray(40 - at, 'y') + "\r\n");
    for (const QByteArray& text : texts)
        ASSERT_EQ(KelTextFile::Normalized(text), TKelPigger::NormalizeText(text)) << text.toHex().constData();
    QByteArray normal("<A/>\r\n<B/>");
    normal.reserve(normal.size() + 2);
    const char* storage = normal.constData();
    const QByteArray taken = KelTextFile::Normalized(std::move(normal));
    EXPECT_EQ(taken, "<A/>\r\n<B/>\r\n");
    EXPECT_EQ(taken.constData(), storage);

    QBuffer buffer;
    buffer.setData("<A V=\"x\ny\"/>");
    buffer.open(QIODevice::ReadOnly);
    TKelPigger node;
    node.LoadFromStream(buffer);
    EXPECT_EQ(node.GetAttr(QStringLiteral("v")), QStringLiteral("x\r\ny"));
}

// A fault is reported at the file's own byte whatever its line ends: the document with LF or CR line ends
// names the byte that it names with CR LF, less one for each line end before it.
TEST(TextFormatStreams, FaultPositionsCountTheFilesBytes)
{
    const auto faultAt = [](QByteArray file) {
        QBuffer buffer(&file);
        buffer.open(QIODevice::ReadOnly);
        TKelPigger node;
        try {
            node.LoadFromStream(buffer);
        } catch (const EKelPiggerError& error) {
            return error.Position;
        }
        return 0;
    };
    const QByteArray documents[] = {
        "<A>|<B X=1/>|<C></D>|</A>|", // an end tag naming another element
        "<A>||<B X=\"1|2\" Y/>|", // an attribute without a value after a value holding a line end
        "<A>|<B>|", // the text ends inside an element
        "<A>|<B/>|text", // text where an element must start, and no line end at the end
    };
    for (const QByteArray& document : documents) {
        QByteArray crlf = document;
        crlf.replace("|", "\r\n");
        const int position = faultAt(crlf);
        ASSERT_GT(position, 0) << document.constData();
        // A fault on a line end lands on its last byte.
        const int expected = int(position - crlf.left(position).count("\r\n"));
        for (const char* end : { "\n", "\r" }) {
            QByteArray file = document;
            file.replace("|", end);
            EXPECT_EQ(faultAt(file), expected) << file.toHex().constData();
        }
    }
}

TEST(TextFormatStreams, FilesRoundTripAndReportMissingFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("n.zdk"));
    auto tree = ReadTree("<NOTEBOOKS><NOTEBOOK NAME=\"\xc3\xa9\"/></NOTEBOOKS>");
    tree->SaveToFile(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), tree->SaveToText());
    TKelPigger back;
    back.LoadFromFile(path);
    EXPECT_EQ(TreeDifference(*tree, back), QString());

    const QString missing = dir.filePath(QStringLiteral("missing.zdk"));
    try {
        back.LoadFromFile(missing);
        FAIL();
    } catch (const EKelError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Cannot open file %1: No such file or directory").arg(missing));
    }
    const QString impossible = dir.filePath(QStringLiteral("no/such/folder/x.zdk"));
    try {
        tree->SaveToFile(impossible);
        FAIL();
    } catch (const EKelError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Cannot create file %1").arg(impossible));
    }
}

TEST(TextFormatStreams, OnlyRegularFilesWithinTheSizeLimitAreRead)
{
    QTemporaryDir dir;
    const QString small = dir.filePath(QStringLiteral("small.zdk"));
    QFile file(small);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<A V=\"0123456789\"/>");
    file.close();
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    const auto message = [](const auto& read) {
        try {
            read();
        } catch (const EKelError& error) {
            return error.Message();
        }
        return QStringLiteral("read");
    };
    EXPECT_EQ(message([&] { KelTextFile::Read(small, 19); }), QStringLiteral("read"));
    EXPECT_EQ(message([&] { KelTextFile::Read(small, 18); }),
        QStringLiteral("Cannot open file %1: Text too large: 19 bytes, over the limit of 18 bytes").arg(small));
    // Without a writer, opening a FIFO for reading would wait for ever.
    for (const QString& path : { fifo, dir.path(), QStringLiteral("/dev/zero") })
        EXPECT_EQ(message([&] { TKelPigger().LoadFromFile(path); }),
            QStringLiteral("Cannot open file %1: Not a regular file").arg(path));

    QBuffer endless;
    endless.setData(QByteArray(100, 'x'));
    endless.open(QIODevice::ReadOnly);
    EXPECT_EQ(message([&] { KelTextFile::ReadStream(endless, QStringLiteral("standard input"), 99); }),
        QStringLiteral("Text too large: standard input is over the limit of 99 bytes"));
    endless.seek(0);
    EXPECT_EQ(KelTextFile::ReadStream(endless, QStringLiteral("standard input"), 100).size(), 100);
}

TEST(TextFormatEscapes, EscapeAndUnescapeValue)
{
    EXPECT_EQ(EscapeValue(QStringLiteral("a\"%<>&\t\u00e9\x01")), QStringLiteral("a%22%25%3C%3E&\t\u00e9%01"));
    EXPECT_EQ(UnescapeValue(QStringLiteral("a%22%25%3C%3E%zz%3%")), QStringLiteral("a\"%<>%zz%3%"));
    EXPECT_EQ(UnescapeValue(EscapeValue(QStringLiteral("50% <off> \"now\""))), QStringLiteral("50% <off> \"now\""));
}

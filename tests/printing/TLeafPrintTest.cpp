// Leaves: pages paired front and back, laid out on sheets one or two a sheet, the order of the sides, and the
// printer offsets, read back from the PDF.
#include "printing/TLeafPrint.h"
#include "testutil/ErrorMessage.h"
#include "testutil/PdfText.h"
#include "testutil/TempFolder.h"
#include "testutil/TreeTesting.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace quillo;
using testutil::TPdfPage;
using testutil::TPdfWord;

namespace {

const QString Personal = QStringLiteral(QUILLO_SOURCE_DIR "/templates/personal-95x171.zdkt");
const QString Contacts = QStringLiteral(QUILLO_SOURCE_DIR "/templates/contacts-5.zdkt");
const QStringList Names { "Alpha", "Bravo", "Charlie", "Delta", "Echo" };

// A notebook of count pages named from Names, one record each.
std::unique_ptr<TKelPigger> Notebook(int count)
{
    QByteArray text = "<NOTEBOOK NAME=\"N\"><PAGES>";
    for (int i = 0; i < count; ++i)
        text += "<PAGE NAME=\"" + Names[i].toUtf8() + "\"><REC PERSON=\"Person" + QByteArray::number(i + 1)
            + "\" ADDR=\"Street " + QByteArray::number(i + 1) + "\"/></PAGE>";
    return testutil::ReadTree(text + "</PAGES></NOTEBOOK>");
}

QList<TPdfPage> PrintToPdf(TKelPigger& notebook, const TLeafPrint::TOptions& options, const QString& templatePath)
{
    testutil::TempFolder folder;
    TLeafPrint leaves(notebook, options);
    leaves.Generate(templatePath);
    QFile file(folder.File(QStringLiteral("leaves.pdf")));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    leaves.WritePdf(file);
    file.close();
    return testutil::ReadPdf(file.fileName());
}

// The words of a side lying within [left, right] mm.
bool AllWithin(const TPdfPage& side, double left, double right)
{
    for (const TPdfWord& word : side.words)
        if (word.left < left - 0.01 || word.right > right + 0.01) {
            ADD_FAILURE() << word.text.toStdString() << " at " << word.left << ".." << word.right;
            return false;
        }
    return !side.words.isEmpty();
}

const TPdfWord* Find(const TPdfPage& side, const QString& text)
{
    for (const TPdfWord& word : side.words)
        if (word.text == text)
            return &word;
    return nullptr;
}

TEST(TLeafPrint, OneUpOnA4PortraitPutsFrontsAgainstTheLeftMarginAndBacksAgainstTheRight)
{
    const auto notebook = Notebook(2);
    const QList<TPdfPage> sides = PrintToPdf(*notebook, {}, Contacts);
    ASSERT_EQ(sides.size(), 2);
    EXPECT_NEAR(sides[0].sizeMm.width(), 210, 0.5);
    EXPECT_TRUE(AllWithin(sides[0], 20, 115));
    EXPECT_TRUE(AllWithin(sides[1], 95, 190));
    EXPECT_TRUE(Find(sides[0], "Alpha"));
    EXPECT_TRUE(Find(sides[1], "Bravo"));
}

TEST(TLeafPrint, TwoUpOnA4LandscapeMirrorsTheBacksBehindTheirFronts)
{
    const auto notebook = Notebook(4);
    TLeafPrint::TOptions options;
    options.up = 2;
    options.paperWidth = 297;
    options.paperHeight = 210;
    const QList<TPdfPage> sides = PrintToPdf(*notebook, options, Personal);
    ASSERT_EQ(sides.size(), 2);
    EXPECT_NEAR(sides[0].sizeMm.width(), 297, 0.5);
    // Left place 20..115, right place 297 - 20 - 95 = 182..277.
    struct Row {
        int side;
        QString name;
        double left;
    };
    const Row rows[] = { { 0, "Alpha", 20 }, { 0, "Charlie", 182 }, { 1, "Bravo", 182 }, { 1, "Delta", 20 } };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name.toStdString());
        const TPdfWord* word = Find(sides[row.side], row.name);
        ASSERT_TRUE(word);
        EXPECT_GE(word->left, row.left);
        EXPECT_LE(word->right, row.left + 95);
    }
    for (const TPdfPage& side : sides)
        for (const TPdfWord& word : side.words)
            EXPECT_TRUE((word.left >= 20 && word.right <= 115) || (word.left >= 182 && word.right <= 277))
                << word.text.toStdString() << " at " << word.left;
}

TEST(TLeafPrint, LeavesAndSheetsOfFivePagesInEachMode)
{
    const auto notebook = Notebook(5);
    struct Row {
        int up, width, height, sheets;
    };
    for (const Row& row : { Row { 1, 210, 297, 3 }, Row { 2, 297, 210, 2 } }) {
        TLeafPrint::TOptions options;
        options.up = row.up;
        options.paperWidth = row.width;
        options.paperHeight = row.height;
        TLeafPrint leaves(*notebook, options);
        leaves.Generate(Personal);
        EXPECT_EQ(leaves.LeafCount(), 3);
        EXPECT_EQ(leaves.SheetCount(), row.sheets);
        EXPECT_EQ(leaves.SideCount(), 2 * row.sheets);
        // The lone last page has an empty back.
        const QList<TLeafPrint::TPlace> lastBack = leaves.Places(leaves.SideCount() - 1);
        EXPECT_EQ(lastBack.back().page, nullptr);
    }
    EXPECT_EQ(PrintToPdf(*notebook, {}, Personal).size(), 6);
}

TEST(TLeafPrint, ARangeKeepsEachPageOnItsSide)
{
    const auto notebook = Notebook(5);
    TLeafPrint::TOptions options;
    options.firstPage = 2;
    options.lastPage = 4;
    TLeafPrint leaves(*notebook, options);
    leaves.Generate(Personal);
    ASSERT_EQ(leaves.LeafCount(), 2);
    const auto name = [](const TLeafPrint::TPlace& place) {
        return place.page ? place.page->GetAttr(QStringLiteral("NAME")) : QString();
    };
    EXPECT_EQ(name(leaves.Places(0)[0]), "");
    EXPECT_EQ(name(leaves.Places(1)[0]), "Bravo");
    EXPECT_EQ(leaves.Places(1)[0].left, 95);
    EXPECT_EQ(name(leaves.Places(2)[0]), "Charlie");
    EXPECT_EQ(leaves.Places(2)[0].left, 20);
    EXPECT_EQ(name(leaves.Places(3)[0]), "Delta");
}

TEST(TLeafPrint, RefusesRangesOutsideTheNotebookAndTwoUpThatDoesNotFit)
{
    const auto notebook = Notebook(3);
    const auto error = [&](int first, int last) {
        TLeafPrint::TOptions options;
        options.firstPage = first;
        options.lastPage = last;
        return testutil::ErrorOf([&] { TLeafPrint(*notebook, options); });
    };
    EXPECT_EQ(error(0, 2), "Pages 0-2 lie outside the notebook's 3 pages");
    EXPECT_EQ(error(2, 4), "Pages 2-4 lie outside the notebook's 3 pages");
    EXPECT_EQ(error(3, 2), "Pages 3-2 lie outside the notebook's 3 pages");
    EXPECT_EQ(error(1, 0), "");
    const auto empty = testutil::ReadTree("<NOTEBOOK NAME=\"E\"><PAGES/></NOTEBOOK>");
    EXPECT_EQ(testutil::ErrorOf([&] { TLeafPrint(*empty, {}); }), "The notebook has no pages to print");

    TLeafPrint::TOptions twoUp;
    twoUp.up = 2;
    TLeafPrint leaves(*notebook, twoUp);
    EXPECT_EQ(testutil::ErrorOf([&] { leaves.Generate(Personal); }),
        "Two leaves do not fit on a sheet: two 95 mm pages and the printer margins (left 20 mm, right 20 mm) need "
        "230 mm, the paper is 210 mm wide.");
    EXPECT_EQ(TLeafPrint::TwoUpFit(230, 95, 20, 20), "");
    EXPECT_NE(TLeafPrint::TwoUpFit(229, 95, 20, 20), "");
    EXPECT_EQ(testutil::ErrorOf([&] { TLeafPrint(*notebook, {}).Generate(QStringLiteral("list.zdkr")); }),
        "Leaves print with a notebook page template (*.zdkt), not list.zdkr");
}

TEST(TLeafPrint, ManualDuplexPrintsFrontsThenBacksInTheOrderThatMeetsThem)
{
    const auto notebook = Notebook(5);
    TLeafPrint leaves(*notebook, {});
    EXPECT_EQ(leaves.PrintOrder(), QList<int>({ 0, 1, 2, 3, 4, 5 }));
    EXPECT_EQ(leaves.FrontsOrder(), QList<int>({ 0, 2, 4 }));
    // Face down, the first sheet comes out at the bottom and is on top once the stack is turned over.
    EXPECT_EQ(leaves.BacksOrder(false), QList<int>({ 1, 3, 5 }));
    EXPECT_EQ(leaves.BacksOrder(true), QList<int>({ 5, 3, 1 }));
}

// A notebook of three pages whose first holds count records and lets the template print them all.
std::unique_ptr<TKelPigger> LongFirstPage(int count)
{
    QByteArray records;
    for (int i = 0; i < count; ++i)
        records += "<REC PERSON=\"Person" + QByteArray::number(i) + "\" ADDR=\"Street " + QByteArray::number(i)
            + "%0D%0ATown\" PHONE=\"0" + QByteArray::number(i) + "\"/>";
    return testutil::ReadTree("<NOTEBOOK NAME=\"N\" RPP=\"" + QByteArray::number(count + 1)
        + "\"><PAGES><PAGE NAME=\"Many\">" + records
        + "</PAGE><PAGE NAME=\"Few\"><REC PERSON=\"Zed\"/></PAGE><PAGE NAME=\"Last\"><REC PERSON=\"Lou\"/></PAGE>"
          "</PAGES></NOTEBOOK>");
}

// Every record in a band of its own, so that the report goes on to a second page.
const QByteArray BandPerRecord
    = "<QUILLO_TEMPLATE><REPORT><HEAD><FONT FACE=\"DejaVu Sans\" SIZE=\"10\"/></HEAD><BODY>"
      "<EXEC>SETVAR('I', 0)</EXEC><WHILE PRECOND=\"GETCHILDATTRIB(GETVAR('I'), 'PERSON') != ''\">"
      "<BAND WIDTH=\"95\" HEIGHT=\"10\"><LABEL WIDTH=\"95\" HEIGHT=\"10\" "
      "TEXT=\"=GETCHILDATTRIB(GETVAR('I'), 'PERSON')\"/></BAND><EXEC>INCVAR('I')</EXEC></WHILE>"
      "</BODY></REPORT></QUILLO_TEMPLATE>";

TEST(TLeafPrint, PageContentLongerThanTheSheetPrintsWhatFitsAndSaysSo)
{
    testutil::TempFolder folder;
    const QString bands = folder.Write(QStringLiteral("bands.zdkt"), BandPerRecord);
    struct Row {
        QString templatePath;
        int records;
        QString warning;
        QString lastPrinted;
    };
    // 20 mm top margin leaves 277 mm: 27 bands of 10 mm; the shipped templates put all records in one band,
    // which runs past the foot of the sheet.
    const Row rows[] = {
        { bands, 40, R"(^Page Many runs to 2 pages; only the first is printed\.$)", "Person26" },
        { bands, 27, "", "Person26" },
        { Personal, 40, R"(^Page Many runs \d+ mm past the foot of the sheet; that part is not printed\.$)", "" },
        { Contacts, 40, R"(^Page Many runs \d+ mm past the foot of the sheet; that part is not printed\.$)", "" },
        { Personal, 9, "", "Person8" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.templatePath.toStdString() + " " + std::to_string(row.records));
        const auto notebook = LongFirstPage(row.records);
        TLeafPrint leaves(*notebook, {});
        leaves.Generate(row.templatePath);
        QFile file(folder.File(QStringLiteral("long.pdf")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        leaves.WritePdf(file);
        file.close();
        EXPECT_EQ(leaves.SheetCount(), 2);
        const QList<TPdfPage> sides = testutil::ReadPdf(file.fileName());
        ASSERT_EQ(sides.size(), 4);
        EXPECT_TRUE(Find(sides[1], "Few") || Find(sides[1], "Zed"));
        EXPECT_TRUE(Find(sides[2], "Last") || Find(sides[2], "Lou"));
        if (row.warning.isEmpty()) {
            EXPECT_EQ(leaves.Warnings(), QStringList());
        } else {
            ASSERT_EQ(leaves.Warnings().size(), 1);
            EXPECT_TRUE(QRegularExpression(row.warning).match(leaves.Warnings()[0]).hasMatch())
                << leaves.Warnings()[0].toStdString();
        }
        if (!row.lastPrinted.isEmpty()) {
            EXPECT_TRUE(Find(sides[0], row.lastPrinted));
            EXPECT_FALSE(Find(sides[0], "Person" + QString::number(row.lastPrinted.mid(6).toInt() + 1)));
        }
    }
}

TEST(TLeafPrint, PrinterOffsetsMoveEveryWordOfTheirSideByExactlyThatMuch)
{
    const auto notebook = Notebook(4);
    TLeafPrint::TOptions plain;
    plain.up = 2;
    plain.paperWidth = 297;
    plain.paperHeight = 210;
    TLeafPrint::TOptions moved = plain;
    moved.offsets = { 15, -8, -5, 3 };
    const QList<TPdfPage> before = PrintToPdf(*notebook, plain, Personal);
    const QList<TPdfPage> after = PrintToPdf(*notebook, moved, Personal);
    ASSERT_EQ(before.size(), 2);
    ASSERT_EQ(after.size(), 2);
    const double dx[] = { 1.5, -0.5 };
    const double dy[] = { -0.8, 0.3 };
    for (int side = 0; side < 2; ++side) {
        ASSERT_EQ(before[side].words.size(), after[side].words.size());
        ASSERT_FALSE(before[side].words.isEmpty());
        for (qsizetype i = 0; i < before[side].words.size(); ++i) {
            const TPdfWord& a = before[side].words[i];
            const TPdfWord& b = after[side].words[i];
            EXPECT_EQ(a.text, b.text);
            EXPECT_NEAR(b.left - a.left, dx[side], 0.01) << a.text.toStdString();
            EXPECT_NEAR(b.top - a.top, dy[side], 0.01) << a.text.toStdString();
        }
    }
}

} // namespace

#include "testutil/QtPrinters.h"
#include "testutil/ZdktoolProcess.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using quillo::testutil::RunZdktool;
using quillo::testutil::TempFolder;
using ToolRun = quillo::testutil::ZdktoolResult;

class ZdktoolContacts : public quillo::testutil::ZdktoolTest {
protected:
    QString Notebook()
    {
        return Write("n.zdk",
            "<NOTEBOOKS><NOTEBOOK NAME=\"Other\"><FIELDS><FIELD NAME=\"X\"/></FIELDS><PAGES><PAGE NAME=\"P\"/></PAGES>"
            "</NOTEBOOK><NOTEBOOK NAME=\"Friends\" RPP=\"1\"><FIELDS><FIELD NAME=\"FIRST_NAME\"/>"
            "<FIELD NAME=\"LAST_NAME\"/><FIELD NAME=\"PHONES\"/></FIELDS><PAGES><PAGE NAME=\"AB\"/>"
            "<PAGE NAME=\"CD\"><REC LAST_NAME=\"Cole\"/></PAGE></PAGES></NOTEBOOK></NOTEBOOKS>");
    }
    const QByteArray cards = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Adams;Ann\r\nTEL;TYPE=cell:555\r\nNICKNAME:A\r\n"
                             "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nFN:Carl Cobb\r\nGEO:1;2\r\nEND:VCARD\r\n"
                             "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:42\r\nEND:VCARD\r\n";
};

TEST_F(ZdktoolContacts, ImportWritesTheDocumentAsSaveDoes)
{
    const QString file = Notebook();
    const QByteArray before = TempFolder::Read(file);
    const ToolRun run = RunZdktool({ "import", file, "--vcard", Write("c.vcf", cards), "--notebook", "friends" });
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.out, QByteArray("imported: 3 records, 2 pages created\nunmatched: NICKNAME\nunmatched: GEO\n"));
    EXPECT_EQ(TempFolder::Read(dir.File("n.BAK")), before);
    const ToolRun check = RunZdktool({ "export", file, "--notebook", "Friends", "--csv" });
    EXPECT_EQ(check.out,
        QByteArray("PAGE,FIRST_NAME,LAST_NAME,PHONES\r\nAB,Ann,Adams,555 (cell)\r\nCD,,Cole,\r\n"
                   "CD+,Carl,Cobb,\r\n#,,42,\r\n"));
}

TEST_F(ZdktoolContacts, ImportFromStdinToAnotherFileOntoOnePage)
{
    const QString file = Notebook();
    const QByteArray before = TempFolder::Read(file);
    const QString out = dir.File("out.zdk");
    const ToolRun run = RunZdktool(
        { "import", "--csv", "-", file, "--page", "ab", "--notebook", "Friends", "--create-fields", "--out", out },
        "Last Name;Nickname;PAGE\nZorn;Z;CD\nYork;;\n");
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.out, QByteArray("imported: 2 records, 0 pages created\n"));
    EXPECT_EQ(TempFolder::Read(file), before);
    EXPECT_FALSE(QFileInfo::exists(dir.File("n.BAK")));
    const ToolRun check = RunZdktool({ "export", out, "--notebook", "Friends", "--page", "AB", "--csv" });
    EXPECT_EQ(check.out, QByteArray("PAGE,FIRST_NAME,LAST_NAME,PHONES,NICKNAME\r\nAB,,Zorn,,Z\r\nAB,,York,,\r\n"));
}

TEST_F(ZdktoolContacts, RefusedInputWritesNothing)
{
    struct Case {
        QStringList args;
        QByteArray input;
        QString error;
    };
    const QString file = Notebook();
    const QByteArray before = TempFolder::Read(file);
    const Case cases[] = {
        { { "--vcard", "-" }, "BEGIN:VCARD\nN:A;B\nBEGIN:VCARD\n",
            "error: -: line 3: BEGIN:VCARD inside the card that began on line 1\n" },
        { { "--vcard", "-" }, "BEGIN:VCARD\nN;ENCODING=QUOTED-PRINTABLE:=4\nEND:VCARD\n",
            "error: -: line 2: broken quoted-printable sequence \"=4\"\n" },
        { { "--csv", "-" }, "Last Name\nAdams\n\"Open\n",
            "error: -: line 3: the quoted value that opens here is not closed before the end of the file\n" },
        { { "--csv", "-", "--page", "Nowhere" }, "Last Name\nAdams\n",
            "error: -: There is no page \"Nowhere\" in the notebook\n" },
        { { "--csv", "-", "--notebook", "Nobody" }, "Last Name\nAdams\n", "error: Notebook 'Nobody' not found\n" },
        { { "--csv", "-", "--vcard", "-" }, "",
            "error: usage: zdktool import FILE.zdk --notebook NAME (--vcard IN | --csv IN) "
            "[--page NAME] [--create-fields] [--out OUT.zdk]\n" },
        { { "--csv", "-", "--bogus" }, "", "error: unknown option --bogus\n" },
    };
    for (const Case& c : cases) {
        const ToolRun run = RunZdktool(QStringList { "import", file, "--notebook", "Friends" } + c.args, c.input);
        EXPECT_EQ(run.exitCode, 1) << c.error.toStdString();
        EXPECT_EQ(QString::fromUtf8(run.err), c.error);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(TempFolder::Read(file), before);
        EXPECT_FALSE(QFileInfo::exists(dir.File("n.BAK")));
    }
}

TEST_F(ZdktoolContacts, AFileOverTheSizeCapIsRefusedBeforeReading)
{
    const QString file = Notebook();
    const QString huge = dir.File("huge.vcf");
    QFile sparse(huge);
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
    ASSERT_TRUE(sparse.resize(200 << 20));
    sparse.close();
    const ToolRun run = RunZdktool({ "import", file, "--notebook", "Friends", "--vcard", huge });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(run.err),
        QStringLiteral(
            "error: Cannot open file %1: Text too large: 209715200 bytes, over the limit of 104857600 bytes\n")
            .arg(huge));
    EXPECT_FALSE(QFileInfo::exists(dir.File("n.BAK")));
}

TEST_F(ZdktoolContacts, ExportVCardToAFile)
{
    const QString file = Notebook();
    const QString out = dir.File("all.vcf");
    const ToolRun run = RunZdktool({ "export", file, "--vcard", "--notebook", "Friends", "--out", out });
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(TempFolder::Read(out),
        QByteArray("BEGIN:VCARD\r\nVERSION:4.0\r\nX-QUILLO-PAGE:CD\r\nFN:Cole\r\nN:Cole;;;;\r\nEND:VCARD\r\n"));
    EXPECT_EQ(RunZdktool({ "export", file, "--vcard", "--csv", "--notebook", "Friends" }).exitCode, 1);
    const ToolRun missing = RunZdktool({ "export", file, "--csv", "--notebook", "Friends", "--page", "Q" });
    EXPECT_EQ(missing.err, QByteArray("error: Page 'Q' not found in notebook 'Friends'\n"));
}

} // namespace

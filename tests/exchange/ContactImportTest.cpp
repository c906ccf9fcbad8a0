#include "exchange/ContactImport.h"
#include "exchange/ContactExport.h"
#include "exchange/EExchangeError.h"
#include "exchange/ExchangeTesting.h"
#include "testutil/ErrorMessage.h"
#include "testutil/QtPrinters.h"
#include "testutil/TempFolder.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

using testutil::ContactsNotebookText;
using testutil::PageNames;
using testutil::RecordLines;

QByteArray Fixture(const char* name)
{
    return testutil::TempFolder::Read(QStringLiteral(QUILLO_SOURCE_DIR "/tests/exchange/data/") + QLatin1String(name));
}

class ContactImportTest : public testutil::GermanDatesTest {
protected:
    void Load(const QByteArray& text = ContactsNotebookText()) { root.LoadFromText(text); }
    TKelPigger& Notebook() { return *root.FindChild("NOTEBOOK"); }
    TContactBatch Read(const QByteArray& bytes, bool csv, bool createFields = false)
    {
        return csv ? ContactImport::ReadCsv(bytes, Notebook(), createFields)
                   : ContactImport::ReadVCard(bytes, Notebook(), createFields);
    }
    TImportResult Import(const QByteArray& bytes, bool csv, const TImportOptions& options = {})
    {
        batch = Read(bytes, csv);
        return ContactImport::Apply(Notebook(), batch, options);
    }

    TKelPigger root;
    TContactBatch batch;
};

TEST_F(ContactImportTest, RealWorldShapes)
{
    struct Case {
        const char* file;
        QStringList records;
        QStringList unmatched;
    };
    const Case cases[] = {
        { "phone-2.1.vcf",
            { "MN: ADDR=Straße des 17. Juni 1, Berlin, 10623, Deutschland; BIRTHDAY=02.11.1975; "
              "E-MAIL=juergen@example.org; FIRST_NAME=Jürgen; LAST_NAME=Müller; "
              "PHONES=+49 170 1234567 (cell), +49 30 123456 (home), +49 30 999",
                "OP: FIRST_NAME=Ayşe; LAST_NAME=Özdemir; PHONES=030 555 12 (work)",
                "QRS: FIRST_NAME=Pizza; LAST_NAME=Roma; PHONES=0176 222 (cell)" },
            { "NOTE", "X-ANDROID-CUSTOM" } },
        { "addressbook-3.0.vcf",
            { "AB: FIRST_NAME=Björn; LAST_NAME=Ångström; PHONES=+46 8 123 45 (home)",
                "KL: ADDR=12 Elm Street, Springfield, IL, 62701, USA; BIRTHDAY=14.03.1980; "
                "E-MAIL=ann.lee@example.com; FIRST_NAME=Ann Marie; HTTP=https://lab.example.com/~ann; LAST_NAME=Lee; "
                "ORG=Acme, Inc., Research; PHONES=+1 555 0100 (mobile), +1 555 0199 (lab), +1 555 0111 (work/fax)" },
            { "NICKNAME", "TITLE", "X-ABADR", "PHOTO", "GEO" } },
        { "contacts-4.0.vcf",
            { "AB: BIRTHDAY=14.10.1906; FIRST_NAME=Hannah; LAST_NAME=Arendt",
                "XYZ: BIRTHDAY=02.04; E-MAIL=emile@example.fr; FIRST_NAME=Émile; HTTP=https://example.fr/emile; "
                "LAST_NAME=Zola; PHONES=+33-1-55-00-00-01 (cell), +33-1-55-00-00-02 (work)" },
            { "NOTE", "GEO" } },
        { "web-addressbook.csv",
            { "KL: ADDR=12 Elm Street, Springfield, IL 62701, USA; BIRTHDAY=14.03.1980; "
              "E-MAIL=ann@example.com, ann@home.example; FIRST_NAME=Ann; HTTP=https://ann.example; LAST_NAME=Lee; "
              "ORG=Acme; PHONES=+1 555 0100 (mobile), +1 555 0101 (mobile), +1 555 0111 (work)",
                "QRS: BIRTHDAY=04.07; FIRST_NAME=Olaf; LAST_NAME=Quist; PHONES=030 1234 (home)" },
            { "Name", "Additional Name", "Nickname", "Notes", "Group Membership", "E-mail 1 - Type", "E-mail 2 - Type",
                "Address 1 - Type", "Organization 1 - Title", "Website 1 - Type" } },
        { "mail-program.csv",
            { "GH: ADDR=Calle Mayor 5, Madrid, 28013, Spain; E-MAIL=maria@example.es; FIRST_NAME=Maria; "
              "LAST_NAME=García; PHONES=+34 91 123 (home), +34 600 111 (cell)",
                "TU: E-MAIL=tom@example.org, t@example.org; FIRST_NAME=Tom; HTTP=https://tom.example; ORG=Tom & Co; "
                "PHONES=+44 20 7946 0000 (work)" },
            { "Display Name", "Nickname", "Job Title", "Notes" } },
        { "semicolon-bom.csv",
            { "MN: ADDR=Berlin, Deutschland; BIRTHDAY=02.11.1975; FIRST_NAME=Jürgen; LAST_NAME=Müller; PHONES=030 123",
                "MN: ADDR=Calle 1\nSevilla; FIRST_NAME=Ana; LAST_NAME=Nuñez; Jr",
                "OP: FIRST_NAME=Ayşe; LAST_NAME=Özdemir" },
            {} },
    };
    for (const Case& c : cases) {
        Load();
        const TImportResult result = Import(Fixture(c.file), QByteArray(c.file).endsWith(".csv"));
        EXPECT_EQ(RecordLines(Notebook()), c.records) << c.file;
        EXPECT_EQ(batch.unmatched, c.unmatched) << c.file;
        EXPECT_EQ(result.records, c.records.size()) << c.file;
        EXPECT_TRUE(result.pagesCreated.isEmpty()) << c.file;
    }
}

TEST_F(ContactImportTest, PagesByLetterWithoutCaseOrAccents)
{
    const std::pair<const char*, const char*> cases[] = {
        { "Ångström;", "AB" },
        { "åke;", "AB" },
        { "émile;", "EF" },
        { "Quist;", "QRS" },
        { "Zola;", "XYZ" },
        { ";Yvonne", "XYZ" }, // no LAST_NAME: the first field with a value
        { "3M;", "#" },
        { "Ørsted;", "#" }, // a letter of its own, not an accented O
        { ";", "#" },
    };
    for (const auto& [row, page] : cases) {
        Load();
        Import("LAST_NAME;FIRST_NAME\n" + QByteArray(row) + "\n", true);
        ASSERT_EQ(RecordLines(Notebook()).size(), 1) << row;
        EXPECT_TRUE(RecordLines(Notebook())[0].startsWith(QLatin1String(page) + QLatin1Char(':'))) << row;
    }
}

TEST_F(ContactImportTest, LetterPagesAreLetterGroupsNotWords)
{
    Load("<NOTEBOOKS><NOTEBOOK NAME=\"N\"><FIELDS><FIELD NAME=\"LAST_NAME\"/></FIELDS><PAGES><PAGE NAME=\"Family\"/>"
         "<PAGE NAME=\"a\"/><PAGE NAME=\"FGH\"/></PAGES></NOTEBOOK></NOTEBOOKS>");
    Import("LAST_NAME\nFoster\nadams\nIvanov\n", true);
    EXPECT_EQ(RecordLines(Notebook()),
        (QStringList { "a: LAST_NAME=adams", "FGH: LAST_NAME=Foster", "#: LAST_NAME=Ivanov" }));
}

TEST_F(ContactImportTest, FullPagesOverflowAndTheHashPageComesLast)
{
    Load(ContactsNotebookText(2).replace("<PAGE NAME=\"CD\"/>", "<PAGE NAME=\"AB+\"><REC/></PAGE><PAGE NAME=\"CD\"/>"));
    const TImportResult result = Import("LAST_NAME\nAdams\nBaker\nAbel\nBond\nArp\n1st\n", true);
    EXPECT_EQ(result.pagesCreated, (QStringList { "AB++", "#" }));
    EXPECT_EQ(PageNames(Notebook()).mid(0, 4), (QStringList { "AB", "AB+", "AB++", "CD" }));
    EXPECT_EQ(PageNames(Notebook()).last(), QStringLiteral("#"));
    EXPECT_EQ(RecordLines(Notebook()),
        (QStringList { "AB: LAST_NAME=Adams", "AB: LAST_NAME=Baker", "AB+: ", "AB+: LAST_NAME=Abel",
            "AB++: LAST_NAME=Bond", "AB++: LAST_NAME=Arp", "#: LAST_NAME=1st" }));
}

TEST_F(ContactImportTest, PageColumnNamesThePage)
{
    Load(ContactsNotebookText(1));
    // A page named by the file takes its records as they come, beyond RPP; an unknown one falls back to the
    // letter rule, unless pages may be created.
    Import("PAGE,LAST_NAME\ncd,Adams\nCD,Baker\nNowhere,Cole\n,Dunn\n", true);
    EXPECT_EQ(RecordLines(Notebook()),
        (QStringList { "CD: LAST_NAME=Adams", "CD: LAST_NAME=Baker", "CD+: LAST_NAME=Cole", "CD++: LAST_NAME=Dunn" }));
    Load(ContactsNotebookText(1));
    const TImportResult result = Import("PAGE,LAST_NAME\nNowhere,Cole\nnowhere,Cobb\n", true, { {}, true });
    EXPECT_EQ(result.pagesCreated, QStringList { "Nowhere" });
    EXPECT_EQ(RecordLines(Notebook()), (QStringList { "Nowhere: LAST_NAME=Cole", "Nowhere: LAST_NAME=Cobb" }));
}

TEST_F(ContactImportTest, OnePageTakesEverything)
{
    Load(ContactsNotebookText(1));
    Import(Fixture("contacts-4.0.vcf"), false, { QStringLiteral("gh"), false });
    EXPECT_EQ(PageNames(Notebook()).size(), 12);
    const QStringList lines = RecordLines(Notebook());
    EXPECT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QLatin1String("GH: ")));
    EXPECT_TRUE(lines[1].startsWith(QLatin1String("GH: ")));
}

TEST_F(ContactImportTest, AnUnknownChosenPageChangesNothing)
{
    Load();
    const QByteArray before = root.SaveToText();
    batch = Read(Fixture("contacts-4.0.vcf"), false, true);
    EXPECT_EQ(testutil::ErrorOf([&] {
        ContactImport::Apply(Notebook(), batch, { QStringLiteral("Q"), false });
    }),
        QStringLiteral("There is no page \"Q\" in the notebook"));
    EXPECT_EQ(root.SaveToText(), before);
}

TEST_F(ContactImportTest, FieldsAreCreatedOnlyWhenAsked)
{
    Load("<NOTEBOOKS><NOTEBOOK NAME=\"N\"><FIELDS><FIELD NAME=\"LAST_NAME\"/></FIELDS><PAGES><PAGE NAME=\"AB\"/>"
         "</PAGES></NOTEBOOK></NOTEBOOKS>");
    const QByteArray card = "BEGIN:VCARD\nVERSION:3.0\nN:Abel;Ann\nEMAIL:a@b.c\nNICKNAME:Annie\nBDAY:1990-01-02\n"
                            "PHOTO;ENCODING=b:AAAA\nEND:VCARD\n";
    Import(card, false);
    EXPECT_EQ(batch.unmatched, (QStringList { "EMAIL", "NICKNAME", "BDAY", "PHOTO" }));
    EXPECT_EQ(RecordLines(Notebook()), QStringList { "AB: LAST_NAME=Abel" });

    Load("<NOTEBOOKS><NOTEBOOK NAME=\"N\"><FIELDS><FIELD NAME=\"LAST_NAME\"/></FIELDS><PAGES><PAGE NAME=\"AB\"/>"
         "</PAGES></NOTEBOOK></NOTEBOOKS>");
    batch = Read(card, false, true);
    const TImportResult result = ContactImport::Apply(Notebook(), batch, {});
    EXPECT_EQ(result.fieldsCreated, (QStringList { "E-MAIL", "NICKNAME", "BIRTHDAY", "FIRST_NAME" }));
    EXPECT_EQ(batch.unmatched, QStringList { "PHOTO" });
    const TKelPigger* fields = Notebook().FindChild("FIELDS");
    EXPECT_EQ(fields->Child(1)->GetAttr(QStringLiteral("FEATURE")), QStringLiteral("Field is e-mail address"));
    EXPECT_EQ(fields->Child(3)->GetAttr(QStringLiteral("FEATURE")), QStringLiteral("Field is date"));
    EXPECT_EQ(RecordLines(Notebook()),
        QStringList { "AB: BIRTHDAY=02.01.1990; E-MAIL=a@b.c; FIRST_NAME=Ann; LAST_NAME=Abel; NICKNAME=Annie" });
}

TEST_F(ContactImportTest, ANotebookWithOneNameColumnGetsTheWholeName)
{
    Load("<NOTEBOOKS><NOTEBOOK NAME=\"N\"><FIELDS><FIELD NAME=\"NAME\"/></FIELDS><PAGES><PAGE NAME=\"A\"/>"
         "<PAGE NAME=\"T\"/></PAGES></NOTEBOOK></NOTEBOOKS>");
    Import("BEGIN:VCARD\nN:Mann;Thomas\nEND:VCARD\nBEGIN:VCARD\nFN:Anna Seghers\nEND:VCARD\n", false);
    EXPECT_EQ(RecordLines(Notebook()), (QStringList { "A: NAME=Anna Seghers", "T: NAME=Thomas Mann" }));
}

TEST_F(ContactImportTest, Summary)
{
    TImportResult result;
    result.records = 12;
    result.pagesCreated = QStringList { "#", "AB+" };
    EXPECT_EQ(ContactImport::Summary(result, { "NICKNAME", "GEO", "PHOTO" }, false),
        QStringLiteral(
            "Imported 12 records, 2 pages created (#, AB+).\n3 properties had no field: NICKNAME, GEO, PHOTO"));
    result = { 1, {}, { "NOTE" } };
    EXPECT_EQ(ContactImport::Summary(result, { "Notes" }, true),
        QStringLiteral("Imported 1 record, 1 field created (NOTE).\n1 column had no field: Notes"));
}

TEST_F(ContactImportTest, Birthdays)
{
    const std::pair<const char*, const char*> toText[] = {
        { "19800314", "14.03.1980" },
        { "1980-03-14", "14.03.1980" },
        { "1980-03-14T10:30:00Z", "14.03.1980" },
        { "--0314", "14.03" },
        { "--03-14", "14.03" },
        { "--0229", "29.02" },
        { "19800231", "19800231" },
        { "circa 1980", "circa 1980" },
    };
    for (const auto& [vcard, text] : toText)
        EXPECT_EQ(ContactMapping::BirthdayText(QLatin1String(vcard)), QString::fromUtf8(text)) << vcard;
    const std::pair<const char*, const char*> toVCard[] = {
        { "14.03.1980", "19800314" },
        { "14.03", "--0314" },
        { "29.02", "--0229" },
        // Not the way this locale writes it, so it would come back changed: it goes as text.
        { "1.3.1980", "" },
        { "soon", "" },
    };
    for (const auto& [text, vcard] : toVCard)
        EXPECT_EQ(ContactMapping::VCardBirthday(QLatin1String(text)), QLatin1String(vcard)) << text;
}

// A notebook whose records hold what is hard to carry: separators, escapes, line breaks, long text in several
// scripts, typed phones, dates of each kind, a field outside the table, an empty record, and records on an
// overflow page, a page beyond RPP, a word page and the "#" page.
QByteArray RoundTripNotebook()
{
    QByteArray text = ContactsNotebookText(2, "<FIELD NAME=\"NOTE\"/><FIELD NAME=\"Extra(1)\"/><FIELD NAME=\"Page\"/>");
    text.replace("<PAGE NAME=\"AB\"/>",
        "<PAGE NAME=\"AB\"><REC LAST_NAME=\"Adams\" FIRST_NAME=\"Ann, Jr; %22the%22 \\ first\" "
        "PHONES=\"555 1 (cell), 555 2, 555 3 (work/fax), 4 (voice), a (b c), tel:5\" "
        "E-MAIL=\"a@example.org, b@example.org\" BIRTHDAY=\"14.03.1980\"/>"
        "<REC LAST_NAME=\"Abel\" BIRTHDAY=\"29.02\" NOTE=\"two%0Alines\" EXTRA(1)=\"x\" PAGE=\"CD\"/>"
        "<REC LAST_NAME=\"Arp\" BIRTHDAY=\"1.3.1980\" ADDR=\"1 Main St; Town, Land\"/></PAGE>"
        "<PAGE NAME=\"AB+\"><REC/><REC ORG=\"Acme; Inc, Ltd\" HTTP=\"https://example.org/?a=1,2\"/></PAGE>");
    const QByteArray longNote
        = QString(QString::fromUtf8("Ünïcödé текст 漢字 ") + QString(80, QLatin1Char('x'))).toUtf8();
    text.replace("<PAGE NAME=\"XYZ\"/>",
        "<PAGE NAME=\"XYZ\"><REC FIRST_NAME=\"Zoë\" NOTE=\"" + longNote
            + "\" BIRTHDAY=\"circa 1900\"/></PAGE><PAGE NAME=\"Family\"><REC LAST_NAME=\"Quist\"/></PAGE>"
              "<PAGE NAME=\"#\"><REC PHONES=\"112\"/></PAGE>");
    return text;
}

TEST_F(ContactImportTest, ExportAndImportAgainGiveTheSameRecordsPageByPage)
{
    for (const bool csv : { false, true }) {
        Load(RoundTripNotebook());
        // The order of a record's attributes means nothing, so the lines sort them.
        const QStringList original = RecordLines(Notebook());
        const QStringList pageNames = PageNames(Notebook());
        const TExportResult exported = csv ? ContactExport::Csv(Notebook()) : ContactExport::VCard(Notebook());
        EXPECT_EQ(exported.records, 8);
        // The same notebook with its pages emptied.
        TKelPigger* pages = Notebook().FindChild("PAGES");
        for (int i = 0; i < pages->ChildCount(); ++i)
            while (pages->Child(i)->ChildCount() > 0)
                delete pages->Child(i)->Child(0);
        const TImportResult result = Import(exported.bytes, csv);
        EXPECT_EQ(result.records, 8) << csv;
        EXPECT_TRUE(result.pagesCreated.isEmpty()) << csv;
        EXPECT_TRUE(batch.unmatched.isEmpty()) << batch.unmatched.join(QLatin1Char(',')).toStdString();
        EXPECT_EQ(RecordLines(Notebook()), original) << (csv ? "CSV" : "vCard");
        EXPECT_EQ(PageNames(Notebook()), pageNames);
    }
}

TEST_F(ContactImportTest, ExportedVCardSpeaksTheStandardProperties)
{
    Load(RoundTripNotebook());
    const TKelPigger* page = Notebook().FindChild("PAGES")->Child(0);
    const QByteArray vcard = ContactExport::VCard(Notebook(), page).bytes;
    EXPECT_TRUE(vcard.startsWith(
        "BEGIN:VCARD\r\nVERSION:4.0\r\nX-QUILLO-PAGE:AB\r\nFN:Ann\\, Jr\\; \"the\" \\\\ first Adams\r\n"
        "N:Adams;Ann\\, Jr\\; \"the\" \\\\ first;;;\r\n"
        "TEL;TYPE=cell:555 1\r\nTEL:555 2\r\nTEL;TYPE=work,fax:555 3\r\nTEL:4 (voice)\r\n"
        "TEL:a (b c)\r\nTEL:tel:5\r\nEMAIL:a@example.org\r\nEMAIL:b@example.org\r\n"
        "BDAY:19800314\r\nEND:VCARD\r\n"))
        << vcard.constData();
    EXPECT_TRUE(vcard.contains("BDAY:--0229\r\nNOTE:two\\nlines\r\nX-QUILLO-EXTRA(1):x\r\nX-QUILLO-PAGE:CD\r\n"));
    EXPECT_TRUE(vcard.contains("BDAY;VALUE=text:1.3.1980\r\n"));
    EXPECT_TRUE(ContactExport::Csv(Notebook(), page)
                    .bytes.startsWith(
                        "PAGE,FIRST_NAME,LAST_NAME,ADDR,PHONES,E-MAIL,HTTP,BIRTHDAY,ORG,NOTE,Extra(1),Page\r\nAB,"));
}

} // namespace
} // namespace quillo

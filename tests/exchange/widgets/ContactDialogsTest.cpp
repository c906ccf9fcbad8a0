#include "exchange/ExchangeTesting.h"
#include "exchange/widgets/TD_export_contacts.h"
#include "exchange/widgets/TD_import_contacts.h"
#include "notebook/TDiskFileOps.h"
#include "testutil/QtPrinters.h"
#include "testutil/ScriptedPrompts.h"
#include "testutil/TempFolder.h"
#include "testutil/UserEvents.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace quillo {
namespace {

using testutil::ClickButton;
using testutil::RecordLines;

QString Cell(QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

int ColumnOf(QTableWidget* grid, const QString& header)
{
    for (int i = 0; i < grid->columnCount(); ++i)
        if (grid->horizontalHeaderItem(i)->text() == header)
            return i;
    ADD_FAILURE() << "no column " << header.toStdString();
    return -1;
}

// Opens the combo box with a click and clicks the entry text in its list.
void Choose(QComboBox* combo, const QString& text)
{
    QTest::mouseClick(combo, Qt::LeftButton);
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(list->isVisible()) << combo->objectName().toStdString();
    const int row = combo->findText(text);
    ASSERT_GE(row, 0) << text.toStdString();
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    // The list ignores a release that comes as quickly as the one of the click that opened it.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    EXPECT_EQ(combo->currentText(), text);
}

// Steps through the closed combo box with the Down key until text is chosen.
void ChooseWithKeys(QComboBox* combo, const QString& text)
{
    combo->setFocus();
    for (int i = 0; i < combo->count() && combo->currentText() != text; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->currentText(), text);
}

class ContactDialogs : public testutil::GermanDatesTest {
protected:
    void SetUp() override
    {
        GermanDatesTest::SetUp();
        root.LoadFromText(testutil::ContactsNotebookText());
    }
    const TKelPigger& Notebook() const { return *root.FindChild("NOTEBOOK"); }
    // Runs the import dialog on bytes while steps drives it.
    std::unique_ptr<TKelPigger> RunImport(const QString& fileName, const QByteArray& bytes, std::function<void()> steps)
    {
        QTimer::singleShot(0, &importDialog, [&, steps] {
            ASSERT_TRUE(importDialog.isVisible());
            steps();
            if (importDialog.isVisible()) {
                ADD_FAILURE() << "the dialog is still open";
                importDialog.reject();
            }
        });
        return importDialog.Execute(Notebook(), fileName, bytes);
    }

    TKelPigger root;
    testutil::ScriptedPrompts prompts;
    testutil::ScriptedFileDialogs fileDialogs;
    TD_import_contacts importDialog { prompts, fileDialogs };
};

TEST_F(ContactDialogs, CsvColumnTheUserMapsIsImportedAndKept)
{
    const QByteArray before = root.SaveToText();
    std::unique_ptr<TKelPigger> kept = RunImport(
        QStringLiteral("/tmp/people.csv"), "Surname;Handy;Mail\nAdams;555;a@example.org\n\xC3\x96zdemir;666;\n", [&] {
            EXPECT_EQ(importDialog.Label_file->text(),
                QStringLiteral("/tmp/people.csv\nCSV file, 2 rows, values separated by ;"));
            QTableWidget* preview = importDialog.Grid_preview;
            EXPECT_EQ(preview->rowCount(), 2);
            EXPECT_EQ(Cell(preview, 0, ColumnOf(preview, "LAST_NAME")), "Adams");
            EXPECT_EQ(Cell(preview, 1, ColumnOf(preview, "PHONES")), "");
            EXPECT_EQ(importDialog.Label_unmatched->text(), "Left out, no field: Handy, Mail");

            Choose(importDialog.Grid_mapping->findChild<QComboBox*>("CMB_column_1"), "PHONES");
            Choose(importDialog.Grid_mapping->findChild<QComboBox*>("CMB_column_2"), "E-MAIL");
            EXPECT_EQ(Cell(preview, 0, ColumnOf(preview, "PHONES")), "555");
            EXPECT_EQ(Cell(preview, 0, ColumnOf(preview, "E-MAIL")), "a@example.org");
            EXPECT_EQ(importDialog.Label_unmatched->text(), "Every column has a field.");

            ClickButton(importDialog.Btn_import);
            EXPECT_EQ(importDialog.ProgressBar1->value(), 2);
            EXPECT_TRUE(importDialog.Label_summary->text().startsWith("Imported 2 records."));
            EXPECT_FALSE(importDialog.Btn_import->isVisible());
            ClickButton(importDialog.Btn_keep);
        });
    ASSERT_TRUE(kept);
    EXPECT_EQ(RecordLines(*kept),
        (QStringList { "AB: E-MAIL=a@example.org; LAST_NAME=Adams; PHONES=555", "OP: LAST_NAME=Özdemir; PHONES=666" }));
    // Until the window commits the copy, the document is as it was.
    EXPECT_EQ(root.SaveToText(), before);
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(ContactDialogs, RevertImportAndCancelLeaveNothing)
{
    const QByteArray cards = "BEGIN:VCARD\nVERSION:4.0\nFN:Ann Lee\nNICKNAME:Annie\nEND:VCARD\n";
    EXPECT_FALSE(RunImport(QStringLiteral("a.vcf"), cards, [&] {
        EXPECT_EQ(importDialog.Label_file->text(), "a.vcf\nvCard file, 1 contacts");
        EXPECT_FALSE(importDialog.Grid_mapping->isVisible());
        EXPECT_EQ(importDialog.Label_unmatched->text(), "Left out, no field: NICKNAME");
        ClickButton(importDialog.Btn_import);
        EXPECT_EQ(importDialog.Label_summary->text(),
            "Imported 1 record.\n1 property had no field: NICKNAME\n\nKeep the import, or revert it? Nothing is "
            "written to the file until you save it.");
        ClickButton(importDialog.Btn_revert);
    }));
    EXPECT_FALSE(RunImport(QStringLiteral("a.vcf"), cards, [&] {
        EXPECT_TRUE(importDialog.Btn_import->isVisible());
        QTest::keyClick(&importDialog, Qt::Key_Escape);
    }));
}

TEST_F(ContactDialogs, CreatedFieldsAndOnePage)
{
    const QByteArray cards = "BEGIN:VCARD\nVERSION:4.0\nN:Zola;Emile\nNICKNAME:Mimi\nEND:VCARD\n"
                             "BEGIN:VCARD\nVERSION:4.0\nN:Adams;Ann\nEND:VCARD\n";
    std::unique_ptr<TKelPigger> kept = RunImport(QStringLiteral("b.vcf"), cards, [&] {
        EXPECT_FALSE(importDialog.CMB_page->isEnabled());
        ClickButton(importDialog.CB_create_fields);
        QTableWidget* preview = importDialog.Grid_preview;
        EXPECT_EQ(Cell(preview, 0, ColumnOf(preview, "NICKNAME")), "Mimi");
        ClickButton(importDialog.CB_one_page);
        // Its list would open below the bottom of the offscreen screen, out of the mouse's reach.
        ChooseWithKeys(importDialog.CMB_page, "MN");
        ClickButton(importDialog.Btn_import);
        EXPECT_TRUE(importDialog.Label_summary->text().startsWith("Imported 2 records, 1 field created (NICKNAME)."));
        ClickButton(importDialog.Btn_keep);
    });
    ASSERT_TRUE(kept);
    EXPECT_EQ(RecordLines(*kept),
        (QStringList { "MN: FIRST_NAME=Emile; LAST_NAME=Zola; NICKNAME=Mimi", "MN: FIRST_NAME=Ann; LAST_NAME=Adams" }));
}

TEST_F(ContactDialogs, ARefusedFileIsNamedWithItsLineAndNothingOpens)
{
    EXPECT_FALSE(importDialog.Execute(Notebook(), "c.vcf", "BEGIN:VCARD\nFN:A\nN;ENCODING=QUOTED-PRINTABLE:=G1\n"));
    EXPECT_EQ(prompts.Log(),
        QStringList {
            "Msg: Cannot import c.vcf:\nline 3: broken quoted-printable sequence \"=G1\"\nNothing was imported." });
    EXPECT_FALSE(importDialog.isVisible());
}

TEST_F(ContactDialogs, RunAsksForTheFile)
{
    testutil::TempFolder dir;
    fileDialogs.Answer(QString()).Answer(dir.File("missing.vcf"));
    EXPECT_FALSE(importDialog.Run(Notebook()));
    EXPECT_FALSE(importDialog.Run(Notebook()));
    ASSERT_EQ(prompts.Log().size(), 1);
    EXPECT_TRUE(prompts.Log()[0].startsWith("Msg: Cannot open file")) << prompts.Log()[0].toStdString();
}

TEST_F(ContactDialogs, ExportOfTheCurrentPageAsCsv)
{
    root.LoadFromText(testutil::ContactsNotebookText().replace(
        "<PAGE NAME=\"CD\"/>", "<PAGE NAME=\"CD\"><REC LAST_NAME=\"Cole\" PHONES=\"1, 2\"/></PAGE>"));
    testutil::TempFolder dir;
    TDiskFileOps files;
    TD_export_contacts exportDialog(prompts, fileDialogs, files);
    const TKelPigger* page = Notebook().FindChild("PAGES")->Child(1);
    fileDialogs.Answer(dir.File("cd.csv"));
    QTimer::singleShot(0, &exportDialog, [&] {
        EXPECT_EQ(exportDialog.RB_page->text(), "The current page: CD");
        ClickButton(exportDialog.RB_page);
        ClickButton(exportDialog.RB_csv);
        ClickButton(exportDialog.Btn_ok);
    });
    EXPECT_TRUE(exportDialog.Execute(Notebook(), page));
    EXPECT_EQ(fileDialogs.Log(), QStringList { "Save:  | CD.csv" });
    EXPECT_EQ(testutil::TempFolder::Read(dir.File("cd.csv")),
        QByteArray("PAGE,FIRST_NAME,LAST_NAME,ADDR,PHONES,E-MAIL,HTTP,BIRTHDAY,ORG\r\nCD,,Cole,,\"1, 2\",,,,\r\n"));
    EXPECT_EQ(prompts.Log(), QStringList { "Msg: Exported 1 record to " + dir.File("cd.csv") });

    // Without a page only the whole notebook can go; a refused write is told and leaves no file.
    QTimer::singleShot(0, &exportDialog, [&] {
        EXPECT_FALSE(exportDialog.RB_page->isEnabled());
        EXPECT_TRUE(exportDialog.RB_notebook->isChecked());
        ClickButton(exportDialog.RB_vcard);
        ClickButton(exportDialog.Btn_ok);
    });
    fileDialogs.Answer(dir.File("no/such/folder/all.vcf"));
    prompts.ClearLog();
    EXPECT_FALSE(exportDialog.Execute(Notebook(), nullptr));
    ASSERT_EQ(prompts.Log().size(), 1);
    EXPECT_TRUE(prompts.Log()[0].startsWith("Msg: Cannot create file")) << prompts.Log()[0].toStdString();
}

// Refreshes the guide's picture of the dialog; run by hand under a virtual display (one line):
//   QUILLO_SCREENSHOT=$PWD/docs/import-contacts.png QT_QPA_PLATFORM=xcb xvfb-run -s "-screen 0 1280x800x24"
//   build/default/bin/test_exchange_widgets --gtest_also_run_disabled_tests --gtest_filter='*Screenshot*'
TEST_F(ContactDialogs, DISABLED_ScreenshotForTheGuide)
{
    const QByteArray csv
        = testutil::TempFolder::Read(QStringLiteral(QUILLO_SOURCE_DIR "/tests/exchange/data/web-addressbook.csv"));
    RunImport(QStringLiteral("/home/ann/Downloads/contacts.csv"), csv, [&] {
        importDialog.move(40, 40);
        QTest::qWait(500);
        const QString path = qEnvironmentVariable("QUILLO_SCREENSHOT");
        EXPECT_FALSE(path.isEmpty());
        EXPECT_TRUE(importDialog.grab().save(path));
        importDialog.reject();
    });
}

} // namespace
} // namespace quillo

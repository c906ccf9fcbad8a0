#include "records/widgets/TFedit_record.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace quillo {
namespace {

TEST(RecordFormTest, ShowsTitlesAndWritesTheValuesOnOk)
{
    TKelPigger notebook;
    notebook.LoadFromText(R"(<NOTEBOOK><FIELDS><FIELD NAME="PERSON" TITLE="Person"/><FIELD NAME="PHONE"/></FIELDS>)"
                          R"(<PAGES><PAGE NAME="A"><REC PERSON="Ann" PHONE="1"/></PAGE></PAGES></NOTEBOOK>)");
    TKelPigger* fields = notebook.FindChild("FIELDS");
    TKelPigger* rec = notebook.FindChild("PAGES")->Child(0)->Child(0);
    TFedit_record form;
    EXPECT_FALSE(form.EditRecord(nullptr, rec));
    EXPECT_FALSE(form.EditRecord(fields, nullptr));

    const auto answer = [&](bool ok) {
        QTimer::singleShot(0, &form, [&, ok] {
            QTableWidget* grid = form.Grid1;
            EXPECT_EQ(grid->verticalHeaderItem(0)->text(), "Person");
            EXPECT_EQ(grid->verticalHeaderItem(1)->text(), "PHONE");
            EXPECT_EQ(grid->item(0, 0)->text(), "Ann");
            // Empty the phone and type a new name, leaving it in the editor: Ok must still take it.
            const auto edit = [&](int row) {
                const QModelIndex cell = grid->model()->index(row, 0);
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
                QWidget* editor = grid->indexWidget(cell);
                EXPECT_TRUE(editor);
                QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
                return editor;
            };
            QTest::keyClick(edit(1), Qt::Key_Backspace);
            QTest::keyClicks(edit(0), "Anna");
            QTest::mouseClick(form.findChild<QPushButton*>(ok ? "Btn_ok" : "Btn_cancel"), Qt::LeftButton);
        });
        return form.EditRecord(fields, rec);
    };
    EXPECT_FALSE(answer(false));
    EXPECT_EQ(rec->GetAttr("PERSON"), "Ann");
    EXPECT_TRUE(answer(true));
    EXPECT_EQ(rec->GetAttr("PERSON"), "Anna");
    EXPECT_EQ(rec->AttrCount(), 1);
}

TEST(RecordFormTest, TabWalksTheValuesAndEnterAcceptsTheForm)
{
    TKelPigger notebook;
    notebook.LoadFromText(R"(<NOTEBOOK><FIELDS><FIELD NAME="PERSON"/><FIELD NAME="PHONE"/></FIELDS></NOTEBOOK>)");
    TKelPigger rec;
    TFedit_record form;
    QTimer::singleShot(0, &form, [&] {
        QApplication::setActiveWindow(&form);
        // Typed as a user types: the first key opens the cell's editor, which takes the keys after it.
        const auto type = [](const char* text) {
            for (const char* c = text; *c; ++c)
                QTest::keyClick(QApplication::focusWidget(), *c);
        };
        form.Grid1->setFocus();
        type("Carl");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        type("555");
        // The first Enter ends the cell's edit, the second is the form's default button.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    ASSERT_TRUE(form.EditRecord(notebook.FindChild("FIELDS"), &rec));
    EXPECT_EQ(rec.GetAttr("PERSON"), "Carl");
    EXPECT_EQ(rec.GetAttr("PHONE"), "555");
}

} // namespace
} // namespace quillo

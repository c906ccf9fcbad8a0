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
            EXPECT_EQ(grid->item(0, 0)->text(), "Person");
            EXPECT_EQ(grid->item(1, 0)->text(), "PHONE");
            EXPECT_EQ(grid->item(0, 1)->text(), "Ann");
            // Empty the phone and type a new name, leaving it in the editor: Ok must still take it.
            const auto edit = [&](int row) {
                const QModelIndex cell = grid->model()->index(row, 1);
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

} // namespace
} // namespace quillo

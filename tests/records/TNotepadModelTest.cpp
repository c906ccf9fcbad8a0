#include "records/TNotepadModel.h"
#include "testutil/QtPrinters.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

namespace quillo {
namespace {

class TNotepadModelTest : public testing::Test {
protected:
    void SetUp() override
    {
        notebook.LoadFromText(R"(<NOTEBOOK><FIELDS><FIELD NAME="PERSON" TITLE="Person"/><FIELD NAME="PHONE"/></FIELDS>)"
                              R"(<PAGES><PAGE NAME="A"><REC PERSON="Ann" PHONE="1"/><REC PERSON="bob"/>)"
                              R"(<REC PERSON="Cid" PHONE="3"/></PAGE><PAGE NAME="B"/></PAGES></NOTEBOOK>)");
        model.SetNotebook(&notebook);
        model.SetPage(PageA());
    }
    TKelPigger* PageA() { return notebook.FindChild("PAGES")->Child(0); }
    TKelPigger* PageB() { return notebook.FindChild("PAGES")->Child(1); }
    QStringList Column(int column)
    {
        QStringList values;
        for (int row = 0; row < model.rowCount(); ++row)
            values.append(model.index(row, column).data().toString());
        return values;
    }

    TKelPigger notebook;
    TNotepadModel model;
    QAbstractItemModelTester tester { &model, QAbstractItemModelTester::FailureReportingMode::Fatal };
};

TEST_F(TNotepadModelTest, ShowsTheNodesWithoutCopyingThem)
{
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Person");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "PHONE");
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, TNotepadModel::FieldNameRole).toString(), "PERSON");
    EXPECT_EQ(Column(0), QStringList({ "Ann", "bob", "Cid" }));
    EXPECT_EQ(Column(1), QStringList({ "1", "", "3" }));
    PageA()->Child(1)->SetAttr("PHONE", "22");
    EXPECT_EQ(model.index(1, 1).data().toString(), "22");
    EXPECT_EQ(model.Record(2), PageA()->Child(2));
    EXPECT_EQ(model.RowOf(PageA()->Child(2)), 2);
    EXPECT_EQ(model.Record(3), nullptr);

    model.SetPage(PageB());
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.Record(0), nullptr);
    EXPECT_EQ(model.RowOf(PageA()->Child(0)), -1);
    model.SetNotebook(nullptr);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 0);
}

TEST_F(TNotepadModelTest, AppendFillsTheEmptyRowFirstAndRemoveLeavesIt)
{
    model.SetPage(PageB());
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    EXPECT_EQ(model.AppendRecord(), 0);
    EXPECT_EQ(inserted.count(), 0);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.Record(0), PageB()->Child(0));
    EXPECT_EQ(model.AppendRecord(), 1);
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(model.rowCount(), 2);
    model.SetValue(1, 0, "Dora");
    EXPECT_EQ(PageB()->Child(1)->GetAttr("PERSON"), "Dora");
    model.RemoveRecord(0);
    EXPECT_EQ(Column(0), QStringList({ "Dora" }));
    model.RemoveRecord(0);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(PageB()->ChildCount(), 0);
    model.RemoveRecord(0);
    EXPECT_EQ(model.rowCount(), 1);
}

TEST_F(TNotepadModelTest, PostingAnEmptyValueRemovesOnlyThatAttribute)
{
    model.SetValue(0, 1, "");
    EXPECT_EQ(PageA()->Child(0)->AttrCount(), 1);
    EXPECT_EQ(PageA()->Child(0)->GetAttr("PERSON"), "Ann");
}

TEST_F(TNotepadModelTest, MovesStopAtTheEndsAndPersistentIndexesFollow)
{
    QPersistentModelIndex bob = model.index(1, 1);
    EXPECT_EQ(model.MoveRecord(0, true), -1);
    EXPECT_EQ(model.MoveRecord(2, false), -1);
    EXPECT_EQ(model.MoveRecord(1, false), 2);
    EXPECT_EQ(Column(0), QStringList({ "Ann", "Cid", "bob" }));
    EXPECT_EQ(bob.row(), 2);
    EXPECT_EQ(model.MoveRecord(2, true), 1);
    EXPECT_EQ(model.MoveRecord(1, true), 0);
    EXPECT_EQ(Column(0), QStringList({ "bob", "Ann", "Cid" }));
    EXPECT_EQ(bob.row(), 0);
}

TEST_F(TNotepadModelTest, SortKeepsTheSelectedRecordsIndex)
{
    QPersistentModelIndex bob = model.index(1, 0);
    model.SortByColumn(1, Qt::AscendingOrder);
    EXPECT_EQ(Column(0), QStringList({ "Ann", "Cid", "bob" }));
    EXPECT_EQ(bob.row(), 2);
    model.SortByColumn(0, Qt::DescendingOrder);
    EXPECT_EQ(Column(0), QStringList({ "Cid", "bob", "Ann" }));
    EXPECT_EQ(bob.data().toString(), "bob");
}

} // namespace
} // namespace quillo

// The item model tests rely on QAbstractItemModelTester in Fatal mode: a fault it finds must end
// the test program, never pass as a warning. These broken models prove it, each in a child process.
#include <QAbstractItemModelTester>
#include <QAbstractListModel>

#include <gtest/gtest.h>

#include <functional>

namespace {

class TListModel : public QAbstractListModel {
public:
    int rowCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : m_rows; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        return index.isValid() && role == Qt::DisplayRole ? QVariant(index.row()) : QVariant();
    }

    // Announces rows that it never adds, as a model does whose tree changed behind its back.
    void AnnounceRowsNotAdded()
    {
        beginInsertRows(QModelIndex(), m_rows, m_rows);
        endInsertRows();
    }

protected:
    int m_rows = 3;
};

// Gives no index for rows it says it has.
class TNoIndexModel : public TListModel {
public:
    QModelIndex index(int, int, const QModelIndex&) const override { return QModelIndex(); }
};

void WatchFatally(QAbstractItemModel& model, const std::function<void()>& change = {})
{
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    if (change)
        change();
}

} // namespace

TEST(ModelTesterDeathTest, ABrokenModelEndsTheTestProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            TNoIndexModel model;
            WatchFatally(model);
        },
        "FAIL!");
    EXPECT_DEATH(
        {
            TListModel model;
            WatchFatally(model, [&] { model.AnnounceRowsNotAdded(); });
        },
        "FAIL!");

    // The same tester lets a sound model through.
    TListModel sound;
    WatchFatally(sound);
}

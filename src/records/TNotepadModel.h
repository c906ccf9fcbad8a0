#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace quillo {

class TKelPigger;

// The records of one PAGE as a table: one column per FIELD of the notebook, one row per child of the page,
// and one empty row for a page without records. Values are read from the nodes on demand, never copied.
// Every edit of the page made through the grid goes through here, so views stay in step.
class TNotepadModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // Header data: the FIELD's NAME (the column's key); DisplayRole gives its title.
    static constexpr int FieldNameRole = Qt::UserRole + 1;

    explicit TNotepadModel(QObject* parent = nullptr);

    // Reads the columns of the notebook's FIELDS (none without notebook) and shows no page.
    void SetNotebook(TKelPigger* notebook);
    void SetPage(TKelPigger* page);
    // Re-reads everything after the page changed behind the model's back.
    void Refill();
    TKelPigger* Notebook() const { return m_notebook; }
    TKelPigger* Page() const { return m_page; }

    int RecordCount() const;
    // The REC of a row; nullptr for the empty row or a row out of range.
    TKelPigger* Record(int row) const;
    int RowOf(const TKelPigger* record) const;
    QString FieldName(int column) const;
    int ColumnOf(const QString& fieldName) const;
    int ColumnWidth(int column) const;
    QString FieldTitle(const QString& name) const;

    // Appends a REC to the page and returns its row.
    int AppendRecord();
    void RemoveRecord(int row);
    // Moves the record one row up or down; returns its new row, or -1 when it has no neighbour there.
    int MoveRecord(int row, bool up);
    void SortByColumn(int column, Qt::SortOrder order);
    // Writes one value; an empty text removes the attribute.
    void SetValue(int row, int column, const QString& value);
    void RowChanged(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Column {
        QString name;
        QString key; // the attribute name the records use
        QString title;
        int width;
    };

    TKelPigger* m_notebook = nullptr;
    TKelPigger* m_page = nullptr;
    std::vector<Column> m_columns;
};

} // namespace quillo

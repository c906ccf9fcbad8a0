#include "records/TNotepadModel.h"

#include "records/RecordOps.h"
#include "tree/TKelPigger.h"

namespace quillo {

TNotepadModel::TNotepadModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void TNotepadModel::SetNotebook(TKelPigger* notebook)
{
    beginResetModel();
    m_notebook = notebook;
    m_page = nullptr;
    m_columns.clear();
    const TKelPigger* fields = notebook ? notebook->FindChild("FIELDS") : nullptr;
    for (int i = 0; fields && i < fields->ChildCount(); ++i) {
        const TKelPigger* field = fields->Child(i);
        const QString name = field->GetAttr(QStringLiteral("NAME"));
        m_columns.push_back({ name, name.toUpper(), RecordOps::TitleOf(fields, name), RecordOps::ColumnWidth(*field) });
    }
    endResetModel();
}

void TNotepadModel::SetPage(TKelPigger* page)
{
    beginResetModel();
    m_page = m_notebook ? page : nullptr;
    endResetModel();
}

void TNotepadModel::Refill()
{
    beginResetModel();
    endResetModel();
}

int TNotepadModel::RecordCount() const { return m_page ? m_page->ChildCount() : 0; }

TKelPigger* TNotepadModel::Record(int row) const
{
    return row >= 0 && row < RecordCount() ? m_page->Child(row) : nullptr;
}

int TNotepadModel::RowOf(const TKelPigger* record) const
{
    return record && m_page && record->Parent() == m_page ? m_page->IndexOfChild(record) : -1;
}

QString TNotepadModel::FieldName(int column) const
{
    return column >= 0 && column < columnCount() ? m_columns[size_t(column)].name : QString();
}

int TNotepadModel::ColumnOf(const QString& fieldName) const
{
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

int TNotepadModel::ColumnWidth(int column) const
{
    return column >= 0 && column < columnCount() ? m_columns[size_t(column)].width : RecordOps::DefaultWidth;
}

QString TNotepadModel::FieldTitle(const QString& name) const
{
    return RecordOps::TitleOf(m_notebook ? m_notebook->FindChild("FIELDS") : nullptr, name);
}

int TNotepadModel::AppendRecord()
{
    const int row = RecordCount();
    // The empty row of an empty page takes the first record.
    if (row == 0) {
        RecordOps::AppendRecord(*m_page);
        RowChanged(0);
        return 0;
    }
    beginInsertRows({}, row, row);
    RecordOps::AppendRecord(*m_page);
    endInsertRows();
    return row;
}

void TNotepadModel::RemoveRecord(int row)
{
    TKelPigger* record = Record(row);
    if (!record)
        return;
    if (RecordCount() == 1) {
        delete record;
        RowChanged(0);
        return;
    }
    beginRemoveRows({}, row, row);
    delete record;
    endRemoveRows();
}

int TNotepadModel::MoveRecord(int row, bool up)
{
    const int target = up ? row - 1 : row + 1;
    if (!Record(row) || !Record(target))
        return -1;
    beginMoveRows({}, row, row, {}, up ? target : target + 1);
    m_page->MoveChild(row, target);
    endMoveRows();
    return target;
}

void TNotepadModel::SortByColumn(int column, Qt::SortOrder order)
{
    if (RecordCount() < 2 || column < 0 || column >= columnCount())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<TKelPigger*> records;
    records.reserve(size_t(before.size()));
    for (const QModelIndex& index : before)
        records.push_back(Record(index.row()));
    RecordOps::SortRecords(*m_page, m_columns[size_t(column)].name, order == Qt::AscendingOrder);
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        after.push_back(index(RowOf(records[size_t(i)]), before[i].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TNotepadModel::SetValue(int row, int column, const QString& value)
{
    TKelPigger* record = Record(row);
    if (!record || column < 0 || column >= columnCount())
        return;
    record->SetAttr(m_columns[size_t(column)].name, value);
    emit dataChanged(index(row, column), index(row, column));
}

void TNotepadModel::RowChanged(int row)
{
    if (row >= 0 && row < rowCount() && columnCount() > 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int TNotepadModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_page)
        return 0;
    return qMax(1, RecordCount());
}

int TNotepadModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_columns.size()); }

QVariant TNotepadModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const TKelPigger* record = Record(index.row());
    if (!record || index.column() >= columnCount())
        return {};
    const int attr = record->IndexOfAttr(m_columns[size_t(index.column())].key);
    return attr >= 0 ? record->AttrValue(attr) : QString();
}

QVariant TNotepadModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const Column& column = m_columns[size_t(section)];
    if (role == Qt::DisplayRole)
        return column.title;
    if (role == FieldNameRole)
        return column.name;
    return {};
}

Qt::ItemFlags TNotepadModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace quillo

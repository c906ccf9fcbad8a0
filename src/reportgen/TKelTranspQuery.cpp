#include "reportgen/TKelTranspQuery.h"

#include "reportgen/QueryValues.h"
#include "tree/EKelError.h"

#include <vector>

namespace quillo {

namespace {

int DecimalOrZero(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace

TKelTranspQuery::TKelTranspQuery(const QString& keyCountText, std::shared_ptr<IReportQuery> source)
    : KeyCount(DecimalOrZero(keyCountText))
    , Source(std::move(source))
{
}

void TKelTranspQuery::Build()
{
    m_fieldCount = Source->FieldCount();
    if (KeyCount < 1 || m_fieldCount < KeyCount + 2)
        throw EKelError(QStringLiteral("Invalid query structure"));
    m_headerLevels = m_fieldCount - 1 - KeyCount;
    for (int key = 0; key < KeyCount; ++key)
        KeyColumns.Add().Header.Add() = TExpr::FromString(Source->FieldName(key).toUtf8());

    AddRow();
    CopyKeys();
    PlaceValue();
    Source->Next();
    while (!Source->Eof()) {
        for (int key = 0; key < KeyCount; ++key) {
            if (CompareQueryValues(ReadQueryField(*Source, key), KeyColumns.Get(key).Rows.Get(CurrentRow)) != 0) {
                AddRow();
                ++CurrentRow;
                CopyKeys();
                break;
            }
        }
        PlaceValue();
        Source->Next();
    }
    CurrentRow = 0;
}

void TKelTranspQuery::AddRow()
{
    for (int i = 0; i < KeyColumns.Count(); ++i)
        KeyColumns.Get(i).Rows.Add();
    for (int i = 0; i < DynColumns.Count(); ++i)
        DynColumns.Get(i).Rows.Add();
    ++RowCount;
}

void TKelTranspQuery::CopyKeys()
{
    for (int key = 0; key < KeyCount; ++key)
        KeyColumns.Get(key).Rows.Get(CurrentRow) = ReadQueryField(*Source, key);
}

void TKelTranspQuery::PlaceValue()
{
    std::vector<TExpr> tuple;
    tuple.reserve(size_t(m_headerLevels));
    for (int level = 0; level < m_headerLevels; ++level)
        tuple.push_back(ReadQueryField(*Source, KeyCount + level));

    int place = 0;
    bool found = false;
    for (; place < DynColumns.Count(); ++place) {
        const TKelVarArray& header = DynColumns.Get(place).Header;
        int order = 0;
        for (int level = 0; level < m_headerLevels && order == 0; ++level)
            order = CompareQueryValues(tuple[size_t(level)], header.Get(level));
        if (order == 0) {
            found = true;
            break;
        }
        if (order < 0)
            break;
    }
    if (!found) {
        TKelQueryColumn& column = DynColumns.Insert(place);
        for (const TExpr& value : tuple)
            column.Header.Add() = value;
        for (int row = 0; row < RowCount; ++row)
            column.Rows.Add();
    }
    DynColumns.Get(place).Rows.Get(CurrentRow) = ReadQueryField(*Source, m_fieldCount - 1);
}

const TExpr* TKelTranspQuery::KeyValue(const QString& fieldName) const
{
    const QByteArray name = fieldName.toUtf8();
    for (int key = 0; key < KeyColumns.Count(); ++key) {
        const TKelQueryColumn& column = KeyColumns.Get(key);
        if (SameNameIgnoringAsciiCase(column.Header.Get(0).Str, name))
            return &column.Rows.Get(CurrentRow);
    }
    return nullptr;
}

} // namespace quillo

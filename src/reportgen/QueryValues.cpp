#include "reportgen/QueryValues.h"

#include "tree/EKelError.h"

#include <QCollator>

namespace quillo {

namespace {

template <typename T> int Compare(T a, T b) { return a < b ? -1 : (b < a ? 1 : 0); }

const QCollator& CaseBlindCollator()
{
    static const QCollator collator = [] {
        QCollator c;
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

} // namespace

int FieldTypeOfName(const QString& name)
{
    static const char* const names[] = { "INT", "INT64", "STRING", "DATE", "TIME", "DATETIME", "FLOAT", "BLOB" };
    for (int i = 0; i < 8; ++i)
        if (name.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0)
            return i + 1;
    return 0;
}

int CompareQueryValues(const TExpr& value, const TExpr& other)
{
    if (value.Kind != other.Kind)
        return -1;
    switch (value.Kind) {
    case ekNull:
        return 0;
    case ekBool:
        return Compare(value.Bool, other.Bool);
    case ekInt:
        return Compare(value.Int, other.Int);
    case ekFloat:
        return Compare(value.Float, other.Float);
    case ekString:
        if (value.Str == other.Str)
            return 0;
        return CaseBlindCollator().compare(QString::fromUtf8(value.Str), QString::fromUtf8(other.Str));
    }
    return 0;
}

bool SameNameIgnoringAsciiCase(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    const auto lower = [](char ch) { return ch >= 'A' && ch <= 'Z' ? char(ch - 'A' + 'a') : ch; };
    for (qsizetype i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

TExpr ReadQueryField(IReportQuery& query, int index)
{
    if (query.FieldIsNull(index))
        return {};
    switch (query.FieldType(index)) {
    case kftInt:
    case kftInt64:
        return TExpr::FromInt(query.FieldAsInteger(index));
    case kftDate:
    case kftTime:
    case kftDateTime:
    case kftFloat:
        return TExpr::FromFloat(query.FieldAsFloat(index));
    case kftString:
    case kftBlob:
        return TExpr::FromString(query.FieldAsString(index).toUtf8());
    default:
        throw EKelError(QStringLiteral("Field '%1' is of unknown data type").arg(query.FieldName(index)));
    }
}

} // namespace quillo

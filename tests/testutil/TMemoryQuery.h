#pragma once

#include "reportgen/IReportQuery.h"

#include <QStringList>
#include <QVariant>

#include <utility>
#include <vector>

namespace quillo::testutil {

// A query source over rows given by the test. A null QVariant is a null field; the field's type code
// decides which accessor the generator must use.
class TMemoryQuery : public IReportQuery {
public:
    struct Field {
        QString name;
        int type;
    };
    struct Binding {
        int type = 0;
        QVariant value; // invalid for SetParamNull
        bool bound = false;
    };

    TMemoryQuery(std::vector<Field> fields, std::vector<std::vector<QVariant>> rows)
        : fields(std::move(fields))
        , rows(std::move(rows))
    {
    }

    void SetSQL(const QString& text) override { sql = text; }
    bool Open() override
    {
        ++openCount;
        row = 0;
        return errorText.isEmpty();
    }
    QString GetErrorText() override { return errorText; }
    bool Eof() override { return row >= rows.size(); }
    void Next() override { ++row; }

    int FieldCount() override { return int(fields.size()); }
    QString FieldName(int index) override { return fields.at(size_t(index)).name; }
    QString FieldAsString(int index) override { return Cell(index).toString(); }
    int32_t FieldAsInteger(int index) override { return Cell(index).toInt(); }
    double FieldAsFloat(int index) override { return Cell(index).toDouble(); }
    bool FieldIsNull(int index) override { return !Cell(index).isValid(); }
    int FieldType(int index) override { return fields.at(size_t(index)).type; }

    int ParamCount() override { return int(paramNames.size()); }
    QString ParamName(int index) override { return paramNames.at(index); }
    void SetParamType(int index, int type) override { Bind(index).type = type; }
    void SetParamString(int index, const QString& value) override { Set(index, value); }
    void SetParamFloat(int index, double value) override { Set(index, value); }
    void SetParamInteger(int index, int32_t value) override { Set(index, value); }
    void SetParamNull(int index) override { Set(index, QVariant()); }

    std::vector<Field> fields;
    std::vector<std::vector<QVariant>> rows;
    QStringList paramNames;
    std::vector<Binding> bindings;
    QString sql;
    QString errorText; // non-empty: Open fails
    int openCount = 0;

private:
    const QVariant& Cell(int index) const { return rows.at(row).at(size_t(index)); }
    Binding& Bind(int index)
    {
        if (bindings.size() <= size_t(index))
            bindings.resize(size_t(index) + 1);
        return bindings[size_t(index)];
    }
    void Set(int index, const QVariant& value)
    {
        Binding& binding = Bind(index);
        binding.value = value;
        binding.bound = true;
    }

    size_t row = 0;
};

} // namespace quillo::testutil

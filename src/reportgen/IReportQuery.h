#pragma once

#include <QString>

#include <cstdint>

namespace quillo {

// Field and parameter types of a query source.
enum TKelFieldType : int {
    kftInt = 1,
    kftInt64 = 2,
    kftString = 3,
    kftDate = 4,
    kftTime = 5,
    kftDateTime = 6,
    kftFloat = 7,
    kftBlob = 8,
};

// The type of a PARAM TYPE name (INT, INT64, STRING, DATE, TIME, DATETIME, FLOAT, BLOB; any case), or 0.
int FieldTypeOfName(const QString& name);

// A data source for the QUERY statement of templates. Indexes are 0-based.
class IReportQuery {
public:
    virtual ~IReportQuery() = default;

    virtual void SetSQL(const QString& text) = 0;
    // Executes the query; false means failure, explained by GetErrorText.
    virtual bool Open() = 0;
    virtual QString GetErrorText() = 0;
    virtual bool Eof() = 0;
    virtual void Next() = 0;

    virtual int FieldCount() = 0;
    virtual QString FieldName(int index) = 0;
    virtual QString FieldAsString(int index) = 0;
    virtual int32_t FieldAsInteger(int index) = 0;
    virtual double FieldAsFloat(int index) = 0;
    virtual bool FieldIsNull(int index) = 0;
    virtual int FieldType(int index) = 0;

    virtual int ParamCount() = 0;
    virtual QString ParamName(int index) = 0;
    virtual void SetParamType(int index, int type) = 0;
    virtual void SetParamString(int index, const QString& value) = 0;
    virtual void SetParamFloat(int index, double value) = 0;
    virtual void SetParamInteger(int index, int32_t value) = 0;
    virtual void SetParamNull(int index) = 0;
};

} // namespace quillo

#include "reportgen/TKelTranspQuery.h"
#include "reportgen/QueryValues.h"
#include "reportgen/TKelQueryStack.h"
#include "testutil/ErrorMessage.h"
#include "testutil/QtPrinters.h"
#include "testutil/TMemoryQuery.h"
#include "tree/EKelError.h"

#include <gtest/gtest.h>

using namespace quillo;
using testutil::ErrorOf;
using testutil::TMemoryQuery;

namespace {

using Rows = std::vector<std::vector<QVariant>>;

std::shared_ptr<TMemoryQuery> Source(std::vector<TMemoryQuery::Field> fields, Rows rows)
{
    auto query = std::make_shared<TMemoryQuery>(std::move(fields), std::move(rows));
    query->Open();
    return query;
}

// Key, year, month, value: the shape of a typical pivot.
std::shared_ptr<TMemoryQuery> SalesSource(Rows rows)
{
    return Source(
        { { "Person", kftString }, { "Year", kftInt }, { "Month", kftString }, { "Sum", kftFloat } }, std::move(rows));
}

QString Describe(const TExpr& value)
{
    switch (value.Kind) {
    case ekNull:
        return QStringLiteral("null");
    case ekInt:
        return QString::number(value.Int);
    case ekFloat:
        return QString::number(value.Float);
    case ekString:
        return QString::fromUtf8(value.Str);
    default:
        return QStringLiteral("?");
    }
}

QString Headers(const TKelTranspQuery& t)
{
    QStringList columns;
    for (int c = 0; c < t.DynColCount(); ++c) {
        QStringList tuple;
        for (int level = 0; level < t.HeaderLevels(); ++level)
            tuple << Describe(t.HeaderValue(c, level));
        columns << tuple.join(' ');
    }
    return columns.join(" | ");
}

QString Grid(TKelTranspQuery& t)
{
    QStringList rows;
    for (t.CurrentRow = 0; !t.Eof(); t.Next()) {
        QStringList cells { Describe(t.KeyColumns.Get(0).Rows.Get(t.CurrentRow)) };
        for (int c = 0; c < t.DynColCount(); ++c)
            cells << Describe(t.Cell(c));
        rows << cells.join(',');
    }
    return rows.join(" / ");
}

} // namespace

TEST(TKelTranspQuery, KeyChangesStartRowsAndHeadersAreOrdered)
{
    TKelTranspQuery t(QStringLiteral("1"),
        SalesSource({
            { "A", 2024, "Feb", 1.5 },
            { "A", 2023, "Mar", 2.0 },
            { "B", 2024, "Jan", 3.0 },
            { "A", 2024, "feb", 4.0 },
            { "A", 2024, "Feb", 5.0 },
        }));
    t.Build();
    EXPECT_EQ(Headers(t), QStringLiteral("2023 Mar | 2024 Feb | 2024 Jan"));
    EXPECT_EQ(t.RowCount, 3);
    // The later record with the same key and header overwrites the cell; unfilled cells stay null.
    EXPECT_EQ(Grid(t), QStringLiteral("A,2,1.5,null / B,null,null,3 / A,null,5,null"));
}

TEST(TKelTranspQuery, KindsDifferSoIntAndFloatKeysStartNewRows)
{
    TKelTranspQuery t(QStringLiteral("1"),
        Source({ { "K", kftInt }, { "H", kftString }, { "V", kftInt } },
            { { 1, "x", 10 }, { QVariant(), "x", 20 }, { QVariant(), "y", 30 } }));
    t.Build();
    EXPECT_EQ(t.RowCount, 2) << "two nulls are one key";

    // The same key 1 read first as an integer, then as a float.
    struct FloatAfterInt : TMemoryQuery {
        using TMemoryQuery::TMemoryQuery;
        int FieldType(int index) override
        {
            return index == 0 && calls++ > 0 ? int(kftFloat) : fields[size_t(index)].type;
        }
        int calls = 0;
    };
    auto switching = std::make_shared<FloatAfterInt>(
        std::vector<TMemoryQuery::Field> { { "K", kftInt }, { "H", kftString }, { "V", kftInt } },
        Rows { { 1, "x", 1 }, { 1.0, "x", 2 } });
    switching->Open();
    TKelTranspQuery keys(QStringLiteral("1"), switching);
    keys.Build();
    EXPECT_EQ(keys.RowCount, 2);
}

TEST(TKelTranspQuery, RefusesStructuresItCannotTranspose)
{
    const auto build = [](const QString& keys, int fieldCount) {
        std::vector<TMemoryQuery::Field> fields;
        std::vector<QVariant> row;
        for (int i = 0; i < fieldCount; ++i) {
            fields.push_back({ QStringLiteral("F%1").arg(i), kftInt });
            row.push_back(i);
        }
        TKelTranspQuery t(keys, Source(fields, { row }));
        return ErrorOf([&] { t.Build(); });
    };
    EXPECT_EQ(build(QStringLiteral("0"), 5), QStringLiteral("Invalid query structure"));
    EXPECT_EQ(build(QStringLiteral("abc"), 5), QStringLiteral("Invalid query structure"));
    EXPECT_EQ(build(QStringLiteral("2"), 3), QStringLiteral("Invalid query structure"));
    EXPECT_EQ(build(QStringLiteral("2"), 4), QString());
    EXPECT_EQ(build(QStringLiteral(" 1 "), 3), QString());
}

TEST(TKelTranspQuery, KeyValuesAreFoundByNameIgnoringCase)
{
    TKelTranspQuery t(QStringLiteral("1"), SalesSource({ { "Ann", 2024, "Jan", 1.0 }, { "Bob", 2024, "Jan", 2.0 } }));
    t.Build();
    t.Next();
    ASSERT_NE(t.KeyValue(QStringLiteral("PERSON")), nullptr);
    EXPECT_EQ(t.KeyValue(QStringLiteral("person"))->Str, QByteArray("Bob"));
    EXPECT_EQ(t.KeyValue(QStringLiteral("Sum")), nullptr);
}

TEST(QueryValues, FieldsReadByTypeAndUnknownTypesRefused)
{
    auto query = Source({ { "I", kftInt64 }, { "D", kftDate }, { "S", kftBlob }, { "N", kftString }, { "X", 42 } },
        { { 7, 45000.5, QString::fromUtf8("\u00e9"), QVariant(), 1 } });
    EXPECT_EQ(ReadQueryField(*query, 0).Kind, ekInt);
    EXPECT_EQ(ReadQueryField(*query, 1).Float, 45000.5);
    EXPECT_EQ(ReadQueryField(*query, 2).Str, QByteArray("\xc3\xa9"));
    EXPECT_EQ(ReadQueryField(*query, 3).Kind, ekNull);
    EXPECT_EQ(ErrorOf([&] { ReadQueryField(*query, 4); }), QStringLiteral("Field 'X' is of unknown data type"));
    EXPECT_EQ(FieldTypeOfName(QStringLiteral("datetime")), int(kftDateTime));
    EXPECT_EQ(FieldTypeOfName(QStringLiteral("TEXT")), 0);
}

TEST(QueryValues, VarArrayIndexesAreChecked)
{
    TKelVarArray values;
    values.Add() = TExpr::FromInt(1);
    EXPECT_EQ(values.Get(0).Int, 1);
    EXPECT_EQ(ErrorOf([&] { values.Get(1); }), QStringLiteral("Variant array index out of range (1)"));
    EXPECT_EQ(ErrorOf([&] { values.Get(-1); }), QStringLiteral("Variant array index out of range (-1)"));
}

TEST(TKelQueryStack, NamesLookupsAndDepthLimit)
{
    TKelQueryStack stack;
    EXPECT_EQ(ErrorOf([&] { stack.Find(""); }), QStringLiteral("Query '' not found"));
    auto outer = Source({ { "Name", kftString }, { "Age", kftInt } }, { { "Ann", 30 } });
    stack.Push(outer).Name = "People";
    stack.Push(Source({ { "Name", kftString } }, { { "inner" } }));
    EXPECT_EQ(stack.Innermost()->Name, QByteArray("Query2"));

    EXPECT_EQ(stack.GetField("name", "").Str, QByteArray("inner"));
    EXPECT_EQ(stack.GetField("NAME", "people").Str, QByteArray("Ann"));
    EXPECT_EQ(stack.GetField("age", "People").Int, 30);
    EXPECT_EQ(ErrorOf([&] { stack.GetField("Age", ""); }), QStringLiteral("Field 'Query2.Age' not found"));
    EXPECT_EQ(ErrorOf([&] { stack.Find("Other"); }), QStringLiteral("Query 'Other' not found"));
    EXPECT_EQ(ErrorOf([&] { stack.TransposedInnermost(); }), QStringLiteral("Error in transponated query"));

    while (stack.Depth() < TKelQueryStack::MaxDepth)
        stack.Push(outer);
    EXPECT_EQ(ErrorOf([&] { stack.Push(outer); }), QStringLiteral("Too many nested queries (at most 8)"));
    EXPECT_EQ(stack.Depth(), 8);
    stack.Pop();
    EXPECT_EQ(stack.Push(outer).Name, QByteArray("Query8"));
}

TEST(TKelQueryStack, TransposedEntriesAnswerFromKeyColumns)
{
    TKelQueryStack stack;
    TKelQueryEntry& entry = stack.Push(SalesSource({ { "Ann", 2024, "Jan", 1.0 } }));
    entry.Transposer = std::make_unique<TKelTranspQuery>(QStringLiteral("1"), entry.Query);
    entry.Transposer->Build();
    entry.Query.reset();
    EXPECT_EQ(stack.GetField("PERSON", "").Str, QByteArray("Ann"));
    EXPECT_EQ(ErrorOf([&] { stack.GetField("Sum", ""); }), QStringLiteral("Field 'Query1.Sum' not found"));
    EXPECT_EQ(&stack.TransposedInnermost(), &entry);
}

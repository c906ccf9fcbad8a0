#include "ExprTesting.h"

#include "reportgen/IReportQueryStack.h"
#include "reportgen/ReportFunctions.h"
#include "testutil/TreeTesting.h"

using namespace quillo;

namespace {

using ReportFunctionsTest = quillo::testutil::ExprTest;

TEST_F(ReportFunctionsTest, VariablesAreSharedAndCaseInsensitive)
{
    CheckAll({
        { "ISNULL(GETVAR('never'))", "bool true" },
        { "SETVAR('X', 5)", "int 5" },
        { "GETVAR('x')", "int 5" },
        { "SETVAR('Größe', 1) + GETVAR('GRÖSSE')", "int 2" },
        { "SETVAR('a\xff', 1) + GETVAR('A\xff')", "int 2" },
        { "SETVAR('nothing', NULL())", "null" },
        { "GETVAR(1)", "error: Error in function: GETVAR. Position 1" },
        { "SETVAR('a')", "error: Error in function: SETVAR. Position 1" },
        // The step is 1 in the variable's kind, or must have that kind.
        { "SETVAR('n', 0)", "int 0" },
        { "INCVAR('n')", "int 1" },
        { "INCVAR('N')", "int 2" },
        { "DECVAR('n', 5)", "int -3" },
        { "INCVAR('n', 1.5)", "error: Error in function: INCVAR. Position 1" },
        { "SETVAR('s', 'ab')", "string ab" },
        { "INCVAR('s')", "string ab1" },
        { "INCVAR('s', 'cd')", "string ab1cd" },
        { "DECVAR('s')", "error: Error in function: DECVAR. Position 1" },
        { "GETVAR('s')", "string ab1cd" },
        { "SETVAR('f', 1.5)", "float  1.50000000000000E+0000" },
        { "DECVAR('f')", "float  5.00000000000000E-0001" },
        { "SETVAR('b', TRUE)", "bool true" },
        { "INCVAR('b')", "bool true" },
        { "INCVAR('fresh')", "null" },
        { "INCVAR('other', 1)", "error: Error in function: INCVAR. Position 1" },
        { "SETVAR('big', 2147483647)", "int 2147483647" },
        { "INCVAR('big')", "int -2147483648" },
    });
}

TEST_F(ReportFunctionsTest, LongNamesOfLettersThatGrowAreUpperCasedInLinearTime)
{
    // Four megabytes of "ß" (upper case "SS"): minutes with QString::toUpper.
    const QByteArray name = QByteArray("\xc3\x9f").repeated(2 * 1024 * 1024);
    generator.SetVar(name, TExpr::FromInt(7));
    EXPECT_EQ(generator.GetVar(QByteArray("SS").repeated(2 * 1024 * 1024)).Int, 7);
}

TEST_F(ReportFunctionsTest, ParametersAreFoundByUpperCasedName)
{
    generator.Params().Set("Title", TExpr::FromString("Contacts"));
    generator.Params().Set("TITLE", TExpr::FromString("Addresses"));
    EXPECT_EQ(generator.Params().Count(), 1);
    CheckAll({
        { "GETPARAM('title')", "string Addresses" },
        { "GETPARAM('Missing')", "error: Parameter 'Missing' not found" },
        { "GETPARAM(1)", "error: Error in function: GETPARAM. Position 1" },
    });
}

TEST_F(ReportFunctionsTest, AttributesOfTheDataNodeItsChildrenAndParent)
{
    CheckAll({
        { "GETATTRIB('NAME')", "string " },
        { "GETCHILDATTRIB(0, 'NAME')", "string " },
        { "GETPRNATTRIB('NAME')", "string " },
    });
    const auto tree
        = quillo::testutil::ReadTree("<NOTEBOOK NAME=\"Friends\"><PAGES><PAGE NAME=\"a%3Cb\">"
                                     "<REC N=\"Ann\"/><REC N=\"Bob\" CITY=\"Köln\"/></PAGE></PAGES></NOTEBOOK>");
    generator.SetDataNode(tree->Child(0)->Child(0));
    CheckAll({
        { "GETATTRIB('name')", "string a<b" },
        { "GETATTRIB('NONE')", "string " },
        { "GETATTRIB(1)", "error: Error in function: GETATTRIB. Position 1" },
        { "GETCHILDATTRIB(1, 'CITY')", "string Köln" },
        { "GETCHILDATTRIB(0, 'n')", "string Ann" },
        { "GETCHILDATTRIB(2, 'N')", "string " },
        { "GETCHILDATTRIB(-1, 'N')", "string " },
        { "GETCHILDATTRIB('0', 'NAME')", "error: Error in function: GETCHILDATTRIB. Position 1" },
        { "GETCHILDATTRIB(0)", "error: Error in function: GETCHILDATTRIB. Position 1" },
        { "GETPRNATTRIB('NAME')", "string " },
    });
    generator.SetDataNode(tree->Child(0));
    EXPECT_EQ(Run("GETPRNATTRIB('NAME')"), QByteArray("string Friends"));
}

TEST_F(ReportFunctionsTest, PassedParametersByNameAndType)
{
    EXPECT_EQ(Run("GETPASSEDPARAM('RPP')"), QByteArray("string <RPP>"));
    const auto params = quillo::testutil::ReadTree(
        "<PARAMS><PARAM NAME=\"rpp\" TYPE=\"INT\" VALUE=\"12\"/><PARAM NAME=\"LOWER\" TYPE=\"int\" VALUE=\"12\"/>"
        "<PARAM NAME=\"WORDS\" TYPE=\"INTEGER\" VALUE=\"twelve\"/><PARAM NAME=\"EMPTY\" TYPE=\"INT\"/>"
        "<PARAM NAME=\"HEX\" TYPE=\"INT\" VALUE=\"$10\"/><PARAM NAME=\"PAGE_TYPE\" TYPE=\"STRING\" VALUE=\"LEFT\"/>"
        "<OTHER NAME=\"ODD\" VALUE=\"1\"/></PARAMS>");
    generator.SetPassedParams(params.get());
    CheckAll({
        { "GETPASSEDPARAM('RPP')", "int 12" },
        { "GETPASSEDPARAM('lower')", "string 12" },
        { "GETPASSEDPARAM('WORDS')", "int 0" },
        { "GETPASSEDPARAM('EMPTY')", "int 0" },
        { "GETPASSEDPARAM('HEX')", "int 16" },
        { "GETPASSEDPARAM('page_type')", "string LEFT" },
        { "GETPASSEDPARAM('ODD')", "string <ODD>" },
        { "GETPASSEDPARAM('absent')", "string <absent>" },
        { "GETPASSEDPARAM(1)", "error: Error in function: GETPASSEDPARAM. Position 1" },
    });
    params->SetTag("PARAMZ");
    EXPECT_EQ(Run("GETPASSEDPARAM('RPP')"), QByteArray("string <RPP>"));
}

TEST_F(ReportFunctionsTest, QueryFunctionsWithoutAnOpenQuery)
{
    CheckAll({
        { "RECNO()", "error: Query '' not found" },
        { "RECNO('Orders')", "error: Query 'Orders' not found" },
        { "GETFIELD('NAME')", "error: Query '' not found" },
        { "GETFIELD('NAME', 'Orders')", "error: Query 'Orders' not found" },
        { "GETDYNCOLCOUNT()", "error: Error in transponated query" },
        { "GETDYNCOLINDEX", "error: Error in transponated query" },
        { "GETDYNFIELD", "error: Error in transponated query" },
        { "GETDYNHEADER", "error: Error in transponated query" },
        { "RECNO(1)", "error: Error in function: RECNO. Position 1" },
        { "GETFIELD(1)", "error: Error in function: GETFIELD. Position 1" },
        { "GETFIELD('A', 2)", "error: Error in function: GETFIELD. Position 1" },
        { "GETDYNFIELD(1)", "error: Error in function: GETDYNFIELD. Position 1" },
    });
}

// Stands in for the template interpreter's stack: one query "Q" with one field.
class OneQuery : public IReportQueryStack {
public:
    TExpr GetField(const QByteArray& field, const QByteArray& query) const override
    {
        Requested = field + "@" + query;
        return TExpr::FromString("value");
    }
    int32_t RecNo(const QByteArray& query) const override { return query.isEmpty() ? 3 : 4; }
    int32_t DynColCount() const override { return 5; }
    int32_t DynColIndex() const override { return 1; }
    TExpr DynField() const override { return TExpr::FromFloat(2.5); }
    TExpr DynHeader() const override { throw EKelError("Error in transponated query"); }

    mutable QByteArray Requested;
};

TEST_F(ReportFunctionsTest, QueryFunctionsReadTheOpenQueries)
{
    OneQuery queries;
    generator.SetQueryStack(&queries);
    CheckAll({
        { "RECNO()", "int 3" },
        { "RECNO('Q')", "int 4" },
        { "GETFIELD('Name')", "string value" },
        { "GETDYNCOLCOUNT", "int 5" },
        { "GETDYNCOLINDEX", "int 1" },
        { "GETDYNFIELD", "float  2.50000000000000E+0000" },
        { "GETDYNHEADER", "error: Error in transponated query" },
    });
    Run("GETFIELD('Name', 'Q')");
    EXPECT_EQ(queries.Requested, QByteArray("Name@Q"));
    EXPECT_EQ(ReportFunctions().size(), 15u);
}

} // namespace

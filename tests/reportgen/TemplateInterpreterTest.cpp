#include "reportgen/TKelTemplateInterpreter.h"
#include "reportgen/TRepGenPig.h"
#include "testutil/ErrorMessage.h"
#include "testutil/QtPrinters.h"
#include "testutil/TMemoryQuery.h"
#include "tree/EKelError.h"

#include <gtest/gtest.h>

using namespace quillo;
using testutil::ErrorOf;
using testutil::TMemoryQuery;

namespace {

QByteArray Template(const QByteArray& reportContent)
{
    return "<QUILLO_TEMPLATE><REPORT>" + reportContent + "</REPORT></QUILLO_TEMPLATE>";
}

class TemplateRun : public ::testing::Test {
protected:
    QByteArray Run(const QByteArray& templateText)
    {
        generator.Template().LoadFromText(templateText);
        generator.Execute();
        return generator.TakeOutput();
    }
    // The output between the REPORT tags, for templates whose REPORT has no attributes.
    QByteArray RunInReport(const QByteArray& content)
    {
        const QByteArray out = Run(Template(content));
        const QByteArray head = "\r\n\t<REPORT>";
        const QByteArray tail = "\r\n\t</REPORT>";
        EXPECT_TRUE(out.startsWith(head) && out.endsWith(tail)) << out.constData();
        return out.mid(head.size(), out.size() - head.size() - tail.size());
    }
    QString Failure(const QByteArray& templateText)
    {
        return ErrorOf([&] { Run(templateText); });
    }

    TRepGenPig generator;
};

} // namespace

TEST_F(TemplateRun, CopiesElementsWithExpressionValuesByteForByte)
{
    EXPECT_EQ(Run(Template("<LABEL TEXT=\"=1+1\"/>")),
        QByteArray("\r\n\t<REPORT>\r\n\t\t<LABEL TEXT=\"2\"/>\r\n\t</REPORT>"));

    TKelPigger data;
    data.SetAttr(QStringLiteral("NAME"), QStringLiteral("a<b \u00e9"));
    generator.SetDataNode(&data);
    EXPECT_EQ(
        RunInReport("<LABEL>=GETATTRIB('NAME')</LABEL>"), QByteArray("\r\n\t\t<LABEL>a%3Cb \xc3\xa9\r\n\t\t</LABEL>"));
    EXPECT_EQ(RunInReport("<L V=\"a%22b\" W=\"='=5'\" X=\"plain = text\"/>"),
        QByteArray("\r\n\t\t<L V=\"a%22b\" W=\"=5\" X=\"plain = text\"/>"));
    EXPECT_EQ(RunInReport("<A><B/>tail</A>"), QByteArray("\r\n\t\t<A>\r\n\t\t\t<B/>tail\r\n\t\t</A>"))
        << "the text follows the children";
}

TEST_F(TemplateRun, RefusesTemplatesWithoutReport)
{
    EXPECT_EQ(Failure("<NOTEBOOKS><REPORT/></NOTEBOOKS>"), QStringLiteral("Invalid report template"));
    EXPECT_EQ(Failure("<QUILLO_TEMPLATE><PARAMS/></QUILLO_TEMPLATE>"), QStringLiteral("Invalid report template"));
    EXPECT_EQ(Failure(""), QStringLiteral("Invalid report template"));
    EXPECT_EQ(Run("<REPORT_TEMPLATE><PARAMS/><REPORT/></REPORT_TEMPLATE>"), QByteArray("\r\n\t<REPORT/>"));
}

TEST_F(TemplateRun, IfRunsItsContentsOnlyWhenTrue)
{
    const QByteArray text = "<IF COND=\"GETVAR('x') %3E 1\"><HIT/></IF><IF><NEVER/></IF>";
    generator.SetVar("x", TExpr::FromInt(2));
    EXPECT_EQ(RunInReport(text), QByteArray("\r\n\t\t\t<HIT/>"));
    generator.SetVar("x", TExpr::FromFloat(0.5));
    EXPECT_EQ(RunInReport(text), QByteArray());

    TRepGenPig fresh;
    fresh.Template().LoadFromText(Template(text));
    EXPECT_TRUE(ErrorOf([&] { fresh.Execute(); }).startsWith(QStringLiteral("Invalid arguments for operation")));
}

TEST_F(TemplateRun, WhileCountsExecSplitsAndVariablesSurviveRuns)
{
    const QByteArray loop = "<EXEC>SETVAR('i', 0)</EXEC>"
                            "<WHILE PRECOND=\"\t GETVAR('i') %3C 3 \r\n\"><ROW N=\"=GETVAR('i')\"/>"
                            "<EXEC>SETVAR('i', GETVAR('i') + 1)</EXEC></WHILE>";
    EXPECT_EQ(
        RunInReport(loop), QByteArray("\r\n\t\t\t<ROW N=\"0\"/>\r\n\t\t\t<ROW N=\"1\"/>\r\n\t\t\t<ROW N=\"2\"/>"));
    EXPECT_EQ(RunInReport("<WHILE AFTERCOND=\"0 == 1\"><ONCE/></WHILE>"), QByteArray("\r\n\t\t\t<ONCE/>"));
    EXPECT_EQ(Failure(Template("<WHILE PRECOND=\"%01 %1F\"/>")), QStringLiteral("Unterminated loop"));

    RunInReport("<EXEC>SETVAR('a', 'x;y'); SETVAR('b', 2) ; ;</EXEC>");
    EXPECT_EQ(generator.GetVar("a").Str, QByteArray("x;y"));
    EXPECT_EQ(generator.GetVar("B").Int, 2);
    EXPECT_EQ(RunInReport("<V A=\"=GETVAR('a')\"/>"), QByteArray("\r\n\t\t<V A=\"x;y\"/>"))
        << "variables outlive a run";
}

TEST_F(TemplateRun, EndlessLoopsAreStopped)
{
    EXPECT_EQ(Failure(Template("<WHILE PRECOND=\"1 == 1\"/>")), QStringLiteral("Loop stopped after 1000000 passes"));

    // A loop of exactly the limit's passes ends normally, whichever condition ends it.
    generator.SetLoopPassLimit(3);
    for (const char* loop : { "<WHILE PRECOND=\"GETVAR('i') < 3\">", "<WHILE AFTERCOND=\"GETVAR('i') < 3\">" }) {
        RunInReport("<EXEC>SETVAR('i', 0)</EXEC>" + QByteArray(loop) + "<EXEC>INCVAR('i')</EXEC></WHILE>");
        EXPECT_EQ(generator.GetVar("i").Int, 3) << loop;
    }
    RunInReport("<EXEC>SETVAR('i', 0)</EXEC>");
    EXPECT_EQ(Failure(Template("<WHILE PRECOND=\"GETVAR('i') < 4\"><EXEC>INCVAR('i')</EXEC></WHILE>")),
        QStringLiteral("Loop stopped after 3 passes"));
}

TEST_F(TemplateRun, NestedLoopsAreStoppedByTheBudgetOfTheRun)
{
    // Each loop stays under its pass limit, but together they would run 10^12 passes.
    const QByteArray nested = "<WHILE AFTERCOND=\"TRUE\"><WHILE AFTERCOND=\"TRUE\"><A/></WHILE></WHILE>";
    EXPECT_EQ(generator.StatementLimit(), 50'000'000) << "the default";
    generator.SetStatementLimit(1000);
    EXPECT_EQ(Failure(Template(nested)), QStringLiteral("Template run stopped after 1000 statements"));
    generator.TakeOutput();

    // REPORT, EXEC, WHILE, then three passes with one element each: exactly the budget runs.
    generator.SetStatementLimit(9);
    const QByteArray three = "<EXEC>SETVAR('i', 0)</EXEC><WHILE PRECOND=\"INCVAR('i') <= 3\"><A/></WHILE>";
    EXPECT_EQ(RunInReport(three).count("<A/>"), 3);
    generator.SetStatementLimit(8);
    EXPECT_EQ(Failure(Template(three)), QStringLiteral("Template run stopped after 8 statements"));
}

TEST_F(TemplateRun, OutputIsCappedBeforeTheBufferGrows)
{
    const QByteArray loop = "<WHILE AFTERCOND=\"TRUE\"><A V=\"=GETVAR('v')\"/></WHILE>";
    generator.SetVar("v", TExpr::FromString(QByteArray(1000, '<')));
    generator.SetOutputLimit(10'000);
    EXPECT_EQ(Failure(Template(loop)), QStringLiteral("Report output larger than 10000 bytes"));
    EXPECT_LE(generator.TakeOutput().size(), 10'000);

    // Exactly the limit is written; the limit counts from where this run starts.
    const QByteArray one = Run(Template("<A/>"));
    generator.SetOutputLimit(one.size());
    Run(Template("<A/>"));
    generator.Template().LoadFromText(Template("<A/>"));
    generator.Execute();
    generator.Execute();
    EXPECT_EQ(generator.TakeOutput(), one + one);
    generator.SetOutputLimit(one.size() - 1);
    EXPECT_EQ(Failure(Template("<A/>")), QStringLiteral("Report output larger than %1 bytes").arg(one.size() - 1));
}

TEST_F(TemplateRun, OpenTagAndCloseTag)
{
    EXPECT_EQ(RunInReport("<OPENTAG TAG=\"band\" HEIGHT=\"=2*5\"><IGNORED/></OPENTAG><CLOSETAG TAG=\"BAND\"/>"
                          "<CLOSETAG TAG=\"band\"/>"),
        QByteArray("\r\n\t\t<BAND TAG=\"band\" HEIGHT=\"10\"></BAND></band>"));
    TKelPigger* openTag = generator.Template().FindChild("REPORT")->Child(0);
    EXPECT_EQ(openTag->Tag(), QByteArray("OPENTAG"));
    EXPECT_EQ(openTag->Text(), QByteArray("*"));
}

TEST_F(TemplateRun, CommentsAreNeverEvaluated)
{
    EXPECT_EQ(
        RunInReport("<COMMENT X=\"=1+\">=SETVAR(<EXEC>1+</EXEC></COMMENT><KEPT/>"), QByteArray("\r\n\t\t<KEPT/>"));
}

TEST_F(TemplateRun, ReadingTheOutputEmptiesIt)
{
    generator.Template().LoadFromText(Template("<A/>"));
    generator.Execute();
    generator.Execute();
    EXPECT_EQ(generator.TakeOutput().count("<A/>"), 2);
    EXPECT_EQ(generator.TakeOutput(), QByteArray());
}

TEST_F(TemplateRun, NestingIsLimited)
{
    const int depth = TKelTemplateInterpreter::MaxNesting + 1;
    const QByteArray nested = QByteArray("<IF COND=\"1==1\">").repeated(depth) + QByteArray("</IF>").repeated(depth);
    EXPECT_EQ(Failure(Template(nested)), QStringLiteral("Template nested deeper than 256 levels"));
}

TEST_F(TemplateRun, QueryNeedsAQuerySource)
{
    EXPECT_EQ(Failure(Template("<QUERY><SQL>select</SQL></QUERY>")), QStringLiteral("Abstract Error"));
}

TEST(SplitStatements, QuotesProtectSemicolons)
{
    const struct {
        QByteArray text;
        QList<QByteArray> pieces;
    } cases[] = {
        { "a;b", { "a", "b" } },
        { "f('x;y'); g(\"p;q\")", { "f('x;y')", " g(\"p;q\")" } },
        { "f('it\"s;'); x", { "f('it\"s;')", " x" } },
        { "f(\"a'b;c\")", { "f(\"a'b;c\")" } },
        { ";", { "", "" } },
        { "'open;", { "'open;" } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitStatements(c.text), c.pieces) << c.text.constData();
}

namespace {

// A generator whose queries come from the test, one source per QUERY in order of opening.
class TTestGenerator : public TKelReportGenerator {
public:
    std::shared_ptr<IReportQuery> CreateQuery() override
    {
        if (sources.empty())
            return std::make_shared<TMemoryQuery>(
                std::vector<TMemoryQuery::Field> {}, std::vector<std::vector<QVariant>> {});
        auto next = sources.front();
        sources.erase(sources.begin());
        return next;
    }
    void BeforeNode(TKelPigger* node) override
    {
        if (node)
            visited += node->Tag() + ' ';
    }

    std::vector<std::shared_ptr<TMemoryQuery>> sources;
    QByteArray visited;
};

std::shared_ptr<TMemoryQuery> People()
{
    return std::make_shared<TMemoryQuery>(std::vector<TMemoryQuery::Field> { { "Name", kftString }, { "Age", kftInt } },
        std::vector<std::vector<QVariant>> { { "Ann", 30 }, { "Bob", 41 } });
}

class QueryRun : public ::testing::Test {
protected:
    QByteArray Run(const QByteArray& content)
    {
        generator.Template().LoadFromText(Template(content));
        generator.Execute();
        return generator.TakeOutput().replace("\r\n", "").replace("\t", "");
    }
    QString Failure(const QByteArray& content)
    {
        return ErrorOf([&] { Run(content); });
    }

    TTestGenerator generator;
};

const QByteArray PeopleQuery
    = "<QUERY NAME=\"P\"><SQL>people</SQL>"
      "<HEADER><H N=\"=RECNO()\"/></HEADER>"
      "<BODY><R N=\"=RECNO('p')\" NAME=\"=GETFIELD('name')\" AGE=\"=GETFIELD('AGE', 'P')\"/></BODY>"
      "<FOOTER><F N=\"=RECNO()\"/></FOOTER></QUERY>";

} // namespace

TEST_F(QueryRun, HeaderBodyFooterWithRecordNumbers)
{
    generator.sources = { People() };
    EXPECT_EQ(Run(PeopleQuery),
        QByteArray("<REPORT><H N=\"0\"/><R N=\"1\" NAME=\"Ann\" AGE=\"30\"/>"
                   "<R N=\"2\" NAME=\"Bob\" AGE=\"41\"/><F N=\"2\"/></REPORT>"));
    EXPECT_TRUE(generator.visited.contains("QUERY SQL HEADER H BODY R R FOOTER F"));
}

TEST_F(QueryRun, QueryWithoutRecordsWritesNothing)
{
    generator.sources = { std::make_shared<TMemoryQuery>(People()->fields, std::vector<std::vector<QVariant>> {}) };
    EXPECT_EQ(Run(PeopleQuery), QByteArray("<REPORT></REPORT>"));
}

TEST_F(QueryRun, FailuresNameTheQuery)
{
    EXPECT_EQ(Failure("<QUERY><BODY/></QUERY>"), QStringLiteral("Empty query Query1"));
    EXPECT_EQ(Failure("<QUERY NAME=\"Q\"><SQL/></QUERY>"), QStringLiteral("Empty query Q"));

    auto failing = People();
    failing->errorText = QStringLiteral("no such table");
    generator.sources = { failing };
    EXPECT_EQ(Failure("<QUERY><SQL>x</SQL></QUERY>"), QStringLiteral("Cannot execute query Query1: no such table"));
    failing->errorText = QStringLiteral("boom");
    generator.sources = { failing };
    EXPECT_EQ(Failure("<QUERY NAME=\"Q\" ERRMSG=\"%s failed (%s), 100%%\"><SQL>x</SQL></QUERY>"),
        QStringLiteral("Q failed (boom), 100%"));
    EXPECT_EQ(generator.Queries().Depth(), 0) << "a failed run leaves no open query behind";
}

TEST_F(QueryRun, ParametersAreBoundByNameAndType)
{
    auto query = People();
    query->paramNames = QStringList { "age", "name", "none", "when" };
    generator.sources = { query };
    Run("<QUERY><SQL>x</SQL><PARAMS><PARAM NAME=\"AGE\" TYPE=\"int\" VALUE=\"=20+1\"/>"
        "<PARAM NAME=\"Name\" TYPE=\"STRING\" VALUE=\"Ann\"/><PARAM NAME=\"NONE\" TYPE=\"string\"/>"
        "<PARAM NAME=\"when\" TYPE=\"DATE\" VALUE=\"45000.5\"/></PARAMS></QUERY>");
    ASSERT_EQ(query->bindings.size(), 4u);
    EXPECT_EQ(query->bindings[0].type, int(kftInt));
    EXPECT_EQ(query->bindings[0].value, QVariant(21));
    EXPECT_EQ(query->bindings[1].value, QVariant(QStringLiteral("Ann")));
    EXPECT_TRUE(query->bindings[2].bound);
    EXPECT_FALSE(query->bindings[2].value.isValid());
    EXPECT_EQ(query->bindings[3].value, QVariant(45000.5));

    const auto failure = [&](const QByteArray& params) {
        auto q = People();
        q->paramNames = QStringList { "age" };
        generator.sources = { q };
        return Failure("<QUERY NAME=\"Q\"><SQL>x</SQL>" + params + "</QUERY>");
    };
    EXPECT_EQ(failure(""), QStringLiteral("Parameter 'Q.age' not found"));
    EXPECT_EQ(failure("<PARAMS><PARAM NAME=\"other\" TYPE=\"INT\"/></PARAMS>"),
        QStringLiteral("Parameter 'Q.age' not found"));
    EXPECT_EQ(failure("<PARAMS><PARAM NAME=\"AGE\" TYPE=\"TEXT\"/></PARAMS>"),
        QStringLiteral("Parameter 'Q.age' is of unknown data type"));
}

TEST_F(QueryRun, NinthNestedQueryIsRefused)
{
    QByteArray nested = "<X/>";
    for (int i = 0; i < 9; ++i)
        nested = "<QUERY><SQL>x</SQL><BODY>" + nested + "</BODY></QUERY>";
    for (int i = 0; i < 9; ++i)
        generator.sources.push_back(People());
    EXPECT_EQ(Failure(nested), QStringLiteral("Too many nested queries (at most 8)"));
}

namespace {

// Person, year, month, amount: sorted by person.
std::shared_ptr<TMemoryQuery> Sales()
{
    return std::make_shared<TMemoryQuery>(
        std::vector<TMemoryQuery::Field> {
            { "Person", kftString },
            { "Year", kftInt },
            { "Q", kftInt },
            { "Sum", kftInt },
        },
        std::vector<std::vector<QVariant>> { { "Ann", 2023, 1, 10 }, { "Ann", 2024, 1, 30 }, { "Bob", 2023, 2, 20 } });
}

} // namespace

TEST_F(QueryRun, TransposedQueriesRunDynamicColumnsAndHeaderGroups)
{
    generator.sources = { Sales() };
    const QByteArray out = Run("<QUERY TRANSPONATE-BY=\"1\"><SQL>x</SQL>"
                               "<HEADER><SUBHEADER><Y V=\"=GETDYNHEADER()\"/><SUBHEADER><Q V=\"=GETDYNHEADER()\"/>"
                               "</SUBHEADER></SUBHEADER></HEADER>"
                               "<BODY><R P=\"=GETFIELD('person')\" N=\"=GETDYNCOLCOUNT()\">"
                               "<FORDYNCOL><C I=\"=GETDYNCOLINDEX()\" V=\"=GETDYNFIELD()\"/></FORDYNCOL></R></BODY>"
                               "</QUERY>");
    EXPECT_EQ(out,
        QByteArray("<REPORT><Y V=\"2023\"/><Q V=\"1\"/><Q V=\"2\"/><Y V=\"2024\"/><Q V=\"1\"/>"
                   "<R P=\"Ann\" N=\"3\"><C I=\"0\" V=\"10\"/><C I=\"1\" V=\"\"/><C I=\"2\" V=\"30\"/></R>"
                   "<R P=\"Bob\" N=\"3\"><C I=\"0\" V=\"\"/><C I=\"1\" V=\"20\"/><C I=\"2\" V=\"\"/></R>"
                   "</REPORT>"));
}

TEST_F(QueryRun, DynamicColumnFunctionsNeedTheirStatement)
{
    generator.sources = { Sales() };
    EXPECT_EQ(Failure("<QUERY TRANSPONATE-BY=\"1\"><SQL>x</SQL><BODY><C V=\"=GETDYNFIELD()\"/></BODY></QUERY>"),
        QStringLiteral("Error in transponated query"));
    generator.sources = { People() };
    EXPECT_EQ(
        Failure("<QUERY><SQL>x</SQL><BODY><FORDYNCOL><C/></FORDYNCOL><C N=\"=GETDYNCOLCOUNT()\"/></BODY></QUERY>"),
        QStringLiteral("Error in transponated query"));
    generator.sources = { Sales() };
    EXPECT_EQ(Failure("<QUERY TRANSPONATE-BY=\"3\"><SQL>x</SQL></QUERY>"), QStringLiteral("Invalid query structure"));
}

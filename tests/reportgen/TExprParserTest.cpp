#include "ExprTesting.h"

#include "reportgen/ExprFunctionRegistry.h"
#include "reportgen/TExprParser.h"

using namespace quillo;

namespace {

using ExprParserTest = quillo::testutil::ExprTest;

TEST_F(ExprParserTest, OperatorsPrecedenceAndPromotion)
{
    // Priorities, left associativity, prefix operators binding by their priority.
    CheckAll({
        { "1 + 2 * 3", "int 7" },
        { "(1 + 2) * 3", "int 9" },
        { "2 - 3 - 4", "int -5" },
        { "2 ** 3 ** 2", "int 64" },
        { "1 + 2 & 3", "int 3" },
        { "2 * 3 ^ 1", "int 4" },
        { "2 * 1 | 2", "int 6" },
        { "2 * 3 & 1", "int 2" },
        { "1 ^ 2 >> 1", "int 0" },
        { "1 & 1 << 1", "int 0" },
        { "~0 << 1", "int -2" },
        { "2 * 3 ** 2", "int 18" },
        { "2 ** 1 | 2", "int 8" },
        { "1 + 7 % 4", "int 4" },
        { "1 + 6 / 2", "int 4" },
        { "!FALSE < 2", "bool true" },
        { "1 << 2 + 1", "int 5" },
        { "~1 + 1", "int -1" },
        { "-2 ** 2", "int -4" },
        { "!FALSE == TRUE", "bool true" },
        { "1 < 2 && 3 > 2", "bool true" },
        { "1 == 1 ^^ 2 == 2", "bool false" },
        { "2 * (-1)", "int -2" },
        { "(-1) >> 28", "int 15" },
        { "-1 >> 28", "int 0" },
        { "1 << 33", "int 2" },
        { "1 << (-1)", "int -2147483648" },
        { "~0", "int -1" },
        // Lexing: hex patterns, float literals, blanks, strings, calls, and what ends an expression.
        { "0xff", "int 255" },
        { "0xFFFFFFFF", "int -1" },
        { "0x000000001", "int 1" },
        { "0x123456789", "int 0" },
        { "0x", "int 0" },
        { "1.", "float  1.00000000000000E+0000" },
        { "  \t 42 \n", "int 42" },
        { "", "null" },
        { "   ", "null" },
        { "1, 2", "int 1" },
        { "3) + 1", "int 3" },
        { "'it''s'", "string it's" },
        { "\"say \"\"hi\"\" 'now'\"", "string say \"hi\" 'now'" },
        { "TRUE()", "bool true" },
        { "true", "bool true" },
        { "NULL() 5", "int 5" },
        { "ISNULL(,1)", "int 1" },
        { "ISNULL( , 2)", "int 2" },
        { "ISNULL(1,)", "int 1" },
        // Arithmetic and promotion.
        { "7 / 2", "int 3" },
        { "-7 / 2", "int -3" },
        { "7.0 / 2", "float  3.50000000000000E+0000" },
        { "7 % 3", "int 1" },
        { "-7 % 3", "int -1" },
        { "7 % (-3)", "int 1" },
        { "1 + 2.5", "float  3.50000000000000E+0000" },
        { "'Page ' + 3", "string Page 3" },
        { "1 + 'a'", "string 1a" },
        { "'x' + 1.5", "string x 1.50000000000000E+0000" },
        { "TRUE + 1", "int 2" },
        { "TRUE & 3", "int 1" },
        { "-1.5", "float -1.50000000000000E+0000" },
        { "4 ** 0.5", "float  2.00000000000000E+0000" },
        // Comparisons: numbers exactly, strings by bytes, mixed as strings.
        { "3 == 3.0", "bool true" },
        { "0.1 + 0.2 == 0.3", "bool false" },
        { "'abc' < 'abd'", "bool true" },
        { "'B' < 'a'", "bool true" },
        { "'ab' < 'abc'", "bool true" },
        { "10 < '9'", "bool true" },
        { "1 != 2", "bool true" },
        { "2 >= 2", "bool true" },
        { "2 <= 1", "bool false" },
        { "TRUE && !FALSE", "bool true" },
        { "TRUE || FALSE", "bool true" },
        // 32-bit wrap-around without traps.
        { "2147483647 + 1", "int -2147483648" },
        { "(-2147483647 - 1) - 1", "int 2147483647" },
        { "65536 * 65536", "int 0" },
        { "(-2147483647 - 1) / (-1)", "int -2147483648" },
        { "(-2147483647 - 1) % (-1)", "int 0" },
        { "2 ** 32", "int 0" },
        { "2 ** 31", "int -2147483648" },
    });
}

TEST_F(ExprParserTest, ErrorsAndTheirPositions)
{
    // Operands an operator refuses; the position is that of the operator read last.
    CheckAll({
        { "7.5 % 2", "error: Invalid arguments for operation. Position 5" },
        { "'a' - 1", "error: Invalid arguments for operation. Position 5" },
        { "'a' * 2", "error: Invalid arguments for operation. Position 5" },
        { "1 && 1", "error: Invalid arguments for operation. Position 3" },
        { "NULL() == 1", "error: Invalid arguments for operation. Position 8" },
        { "-NULL()", "error: Invalid arguments for operation. Position 1" },
        { "1 + NULL()", "error: Invalid arguments for operation. Position 3" },
        { "+1", "error: Invalid arguments for operation. Position 1" },
        { "2 * -1", "error: Invalid arguments for operation. Position 5" },
        { "1 - -1", "error: Invalid arguments for operation. Position 5" },
        { "!1", "error: Invalid arguments for operation. Position 1" },
        { "!FALSE + 1", "error: Invalid arguments for operation. Position 8" },
        { "1 ~ 1", "error: Invalid arguments for operation. Position 3" },
        { "~1.5", "error: Invalid arguments for operation. Position 1" },
        { "1.5 & 1", "error: Invalid arguments for operation. Position 5" },
        { "'a' << 1", "error: Invalid arguments for operation. Position 5" },
        { "'a' - 1 + 2", "error: Invalid arguments for operation. Position 9" },
        { "1 +", "error: Invalid arguments for operation. Position 3" },
        // Syntax.
        { "'open", "error: Unterminated string. Position 1" },
        { "1 + \"x", "error: Unterminated string. Position 5" },
        { "1 2", "error: Operation absent. Position 3" },
        { "0XFF", "error: Operation absent. Position 2" },
        { "1 (2)", "error: Operation absent. Position 4" },
        { "'a' 'b'", "error: Operation absent. Position 5" },
        { "1e5", "error: Operation absent. Position 2" },
        { "()", "error: Empty expression. Position 2" },
        { "1 + ( )", "error: Empty expression. Position 7" },
        { "ISNULL((GETVAR('unset')), 'x')", "string x" },
        { "(1 + 2", "error: Unclosed brace. Position 7" },
        { "INT(1", "error: Unclosed brace. Position 1" },
        { "1 + foo(1)", "error: Unknown function: FOO. Position 5" },
        { "1 <- 1", "error: Unknown operation: <-. Position 3" },
        { "1 < -1", "bool false" },
        { "1 @ 2", "error: Unknown operation: @. Position 3" },
        { "1 $ 2", "error: Unknown operation: $. Position 3" },
        { "1 + [2]", "error: Illegal character. Position 5" },
        { "1;", "error: Illegal character. Position 2" },
        { "INT(1, 2)", "error: Error in function: INT. Position 1" },
        { "ISNULL(1, 2, 3, 4, 5, 6, 7, 8, 9)", "error: Too many arguments for function: ISNULL. Position 1" },
        // Arithmetic and conversion errors carry no position.
        { "1 / 0", "error: Division by zero" },
        { "1 % 0", "error: Division by zero" },
        { "1.0 / 0", "error: Floating point division by zero" },
        { "0 ** 2", "error: Floating point division by zero" },
        { "(-2) ** 2", "error: Invalid floating point operation" },
        { "10.0 ** 400", "error: Floating point overflow" },
        { "2147483648", "error: '2147483648' is not a valid integer value" },
    });
}

TEST_F(ExprParserTest, FloatPowersAreExactAndOverflowIsAnError)
{
    CheckAll({
        { "10.0 ** 2 == 100.0", "bool true" },
        { "FORMATFLOAT('', 10.0 ** 15)", "string 1E15" },
        { "2.0 ** (0 - 1074) > 0", "bool true" },
        { "2.0 ** 1023 * 1.0", "float  8.98846567431158E+0307" },
        { "2.0 ** 1024", "error: Floating point overflow" },
        { "2 ** 1024", "error: Floating point overflow" },
    });
}

TEST_F(ExprParserTest, DeepNestingIsRefusedCleanly)
{
    const int limit = TExprParser::MaxNesting;
    EXPECT_EQ(Run(QByteArray(limit, '(') + "1" + QByteArray(limit, ')')), QByteArray("int 1"));
    EXPECT_EQ(Run(QByteArray(limit + 1, '(') + "1" + QByteArray(limit + 1, ')')),
        "error: Expression nested too deeply. Position " + QByteArray::number(limit + 1));
    const QByteArray calls = QByteArray("INT(").repeated(100000) + "1" + QByteArray(100000, ')');
    EXPECT_TRUE(Run(calls).startsWith("error: Expression nested too deeply"));
}

// Every operand runs, in text order, even when the result does not need it; what ran before an error stays done.
TEST_F(ExprParserTest, EveryOperandIsEvaluatedInTextOrder)
{
    CheckAll({
        { "IIF(TRUE, 1, SETVAR('x', 2))", "int 1" },
        { "GETVAR('x')", "int 2" },
        { "FALSE && SETVAR('y', TRUE)", "bool false" },
        { "GETVAR('y')", "bool true" },
        { "SETVAR('s', 'a') + SETVAR('s', GETVAR('s') + 'b') + GETVAR('s')", "string aabab" },
        { "SETVAR('z', 1) + 1 / 0", "error: Division by zero" },
        { "GETVAR('z')", "int 1" },
    });
}

bool Answer(TExprContext*, TExpr& result, int count, const TExpr* args)
{
    result = TExpr::FromInt(count == 1 ? args[0].Int + 42 : 42);
    return true;
}

bool SeesContext(TExprContext* context, TExpr& result, int, const TExpr*)
{
    result = TExpr::FromBool(context != nullptr);
    return true;
}

TEST(ExprFunctionRegistryTest, RegisteredFunctionsAreFoundInAnyCase)
{
    RegisterFunction("TEST_ANSWER", Answer);
    EXPECT_EQ(FindFunction("test_Answer"), &Answer);
    EXPECT_EQ(FindFunction("TEST_ANSWE"), nullptr);
    EXPECT_NE(FindFunction("formatdatetime"), nullptr);
    TExprParser bare;
    EXPECT_EQ(bare.Evaluate("Test_Answer(1) + test_answer").Int, 85);
    RegisterFunction("TEST_CONTEXT", SeesContext);
    EXPECT_FALSE(bare.Evaluate("TEST_CONTEXT").Bool);
    TKelReportGenerator generator;
    EXPECT_TRUE(generator.Evaluate("TEST_CONTEXT").Bool);
    // Report functions need a generator.
    EXPECT_THROW(bare.Evaluate("GETVAR('x')"), EKelError);
}

} // namespace

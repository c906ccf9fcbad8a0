#pragma once

#include "reportgen/TKelReportGenerator.h"
#include "testutil/QtPrinters.h"
#include "tree/EKelError.h"

#include <QByteArray>

#include <gtest/gtest.h>

namespace quillo::testing {

// Evaluates with the generator and describes the outcome as zdktool eval prints it:
// "int 7", "string abc", ... or "error: MESSAGE".
inline QByteArray Outcome(TKelReportGenerator& generator, const QByteArray& text)
{
    try {
        return DescribeExpr(generator.Evaluate(text));
    } catch (const EKelError& error) {
        return "error: " + error.Message().toUtf8();
    }
}

struct ExprCase {
    const char* Text;
    const char* Expected;
};

template <std::size_t N> void ExpectOutcomes(TKelReportGenerator& generator, const ExprCase (&cases)[N])
{
    for (const ExprCase& c : cases)
        EXPECT_EQ(Outcome(generator, c.Text), QByteArray(c.Expected)) << "expression: " << c.Text;
}

} // namespace quillo::testing

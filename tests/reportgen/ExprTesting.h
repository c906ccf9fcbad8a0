#pragma once

#include "reportgen/TKelReportGenerator.h"
#include "testutil/QtPrinters.h"
#include "tree/EKelError.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace quillo::testutil {

// An expression and its outcome as zdktool eval prints it: "int 7", "string abc", ... or "error: MESSAGE".
struct ExprCase {
    const char* Text;
    const char* Expected;
};

class ExprTest : public ::testing::Test {
protected:
    QByteArray Run(const QByteArray& text)
    {
        try {
            return DescribeExpr(generator.Evaluate(text));
        } catch (const EKelError& error) {
            return "error: " + error.Message().toUtf8();
        }
    }

    void CheckAll(std::initializer_list<ExprCase> cases)
    {
        for (const ExprCase& c : cases)
            EXPECT_EQ(Run(c.Text), QByteArray(c.Expected)) << "expression: " << c.Text;
    }

    TKelReportGenerator generator;
};

} // namespace quillo::testutil

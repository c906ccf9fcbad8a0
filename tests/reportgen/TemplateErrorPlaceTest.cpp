#include "reportgen/ETemplateError.h"
#include "reportgen/TRepGenPig.h"
#include "testutil/ErrorMessage.h"
#include "testutil/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>

using namespace quillo;

namespace {

// The fault a run raises, caught as the type windows and zdktool see.
std::optional<ETemplateError> RunFault(TKelReportGenerator& generator)
{
    try {
        generator.Execute();
    } catch (const ETemplateError& fault) {
        return fault;
    }
    return std::nullopt;
}

// The message the fault's own expression raises outside any template.
QString ExpressionFault(const QByteArray& expression)
{
    TRepGenPig generator;
    return testutil::ErrorOf([&] { generator.Evaluate(expression); });
}

} // namespace

TEST(TemplateErrorPlace, TheInnermostElementAndItsStartInTheFileAreCarriedBesideTheUnchangedMessage)
{
    const struct {
        const char* what;
        QByteArray body;
        QByteArray start; // the failing element's first bytes, found once in the file
        QByteArray element;
        QByteArray expression; // whose fault the message is, when an expression fails
        QString message;
    } cases[] = {
        { "attribute", "<A/>\n<L TEXT=\"=NOSUCH()\"/>", "<L ", "L", "NOSUCH()", {} },
        { "text", "<L>=1 +</L>", "<L>", "L", "1 +", {} },
        { "nested", "<IF COND=\"1\">\n  <B>\n    <C X=\"=1/\"/>\n  </B>\n</IF>", "<C ", "C", "1/", {} },
        { "condition", "<IF COND=\"(1\"><X/></IF>", "<IF ", "IF", "(1", {} },
        { "exec", "<B/><EXEC>SETVAR('a', 1); NOSUCH()</EXEC>", "<EXEC>", "EXEC", "NOSUCH()", {} },
        { "loop", "<WHILE PRECOND=\"1 == 1\"><X/></WHILE>", "<WHILE", "WHILE", {}, "Loop stopped after 5 passes" },
    };
    for (const auto& c : cases) {
        const QString message = c.expression.isEmpty() ? c.message : ExpressionFault(c.expression);
        ASSERT_FALSE(message.isEmpty()) << c.what;
        // Positions count the file's own bytes, whatever its line ends; the reader sees CR LF.
        for (const QByteArray& lineEnd : { QByteArray("\n"), QByteArray("\r\n"), QByteArray("\r") }) {
            QByteArray file = "<QUILLO_TEMPLATE>\n<REPORT>\n" + c.body + "\n</REPORT>\n</QUILLO_TEMPLATE>";
            file.replace("\n", lineEnd);
            testutil::TempFolder folder;
            TRepGenPig generator;
            generator.SetLoopPassLimit(5);
            generator.LoadTemplate(folder.Write("t.zdkt", file));
            const auto fault = RunFault(generator);
            const std::string where = std::string(c.what) + " with line ends " + lineEnd.toHex().toStdString();
            ASSERT_TRUE(fault) << where;
            EXPECT_EQ(fault->Element, c.element) << where;
            EXPECT_EQ(fault->Position, file.indexOf(c.start) + 1) << where;
            EXPECT_EQ(fault->Message(), message) << where;
        }
    }
}

TEST(TemplateErrorPlace, ATemplateWithoutReportRaisesThePlainFault)
{
    TRepGenPig generator;
    generator.Template().LoadFromText("<NOTEBOOKS><REPORT/></NOTEBOOKS>");
    try {
        generator.Execute();
        FAIL() << "no fault";
    } catch (const EKelError& fault) {
        EXPECT_EQ(dynamic_cast<const ETemplateError*>(&fault), nullptr);
        EXPECT_EQ(WindowMessage(fault), QStringLiteral("Invalid report template"));
    }
}

TEST(TemplateErrorPlace, WindowsShowThePlaceOnASecondLine)
{
    const EKelError fault("Division by zero");
    EXPECT_EQ(WindowMessage(ETemplateError(fault, "LABEL", 57)),
        QStringLiteral("Division by zero\nIn <LABEL> at byte 57 of the template file"));
    EXPECT_EQ(WindowMessage(ETemplateError(fault, "LABEL", 0)),
        QStringLiteral("Division by zero\nIn <LABEL> of the template"));
    EXPECT_EQ(WindowMessage(fault), QStringLiteral("Division by zero"));

    // A template read from text counts positions in that text.
    TRepGenPig generator;
    generator.Template().LoadFromText("<QUILLO_TEMPLATE><REPORT><L T=\"=1/\"/></REPORT></QUILLO_TEMPLATE>");
    const auto run = RunFault(generator);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->Position, 26);
}

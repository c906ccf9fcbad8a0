#include "GeneratorInput.h"
#include "ZdkCommands.h"

#include "reportgen/TKelReportGenerator.h"
#include "tree/EKelError.h"

namespace quillo::zdktool {

int Eval(const QStringList& args)
{
    TGeneratorInput input;
    QStringList expressions;
    // Options may come in any order; everything else, and all after "--", is an expression.
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--")) {
            expressions += args.mid(i + 1);
            break;
        }
        if (!input.TakeOption(args, i))
            expressions += args[i];
    }
    if (!input.Prepare())
        return 1;
    TKelReportGenerator generator;
    input.Apply(generator);

    int exitCode = 0;
    for (const QString& expression : expressions) {
        QByteArray line;
        try {
            line = DescribeExpr(generator.Evaluate(expression.toUtf8()));
        } catch (const EKelError& error) {
            line = "error: " + error.Message().toUtf8();
            exitCode = 1;
        }
        line += '\n';
        WriteOut(line);
    }
    return exitCode;
}

} // namespace quillo::zdktool

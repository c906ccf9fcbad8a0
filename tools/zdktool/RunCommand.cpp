#include "GeneratorInput.h"
#include "ZdkCommands.h"

#include "reportgen/TRepGenPig.h"
#include "tree/EKelPiggerError.h"

namespace quillo::zdktool {

int Run(const QStringList& args)
{
    TGeneratorInput input;
    QString templateFile;
    QString outFile;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (input.TakeOption(args, i))
            continue;
        if (args[i] == QLatin1String("--out") && i + 1 < args.size())
            outFile = args[++i];
        else if (templateFile.isEmpty() && !args[i].startsWith(QLatin1String("--")))
            templateFile = args[i];
        else
            return Fail(QStringLiteral("usage: zdktool run TEMPLATE [--data FILE.zdk [--notebook NAME [--page NAME]]] "
                                       "[--param NAME=VALUE[:INT]]... [--out FILE]"));
    }
    if (templateFile.isEmpty())
        return Fail(QStringLiteral("usage: zdktool run TEMPLATE [--out FILE]"));
    if (!input.Prepare())
        return 1;

    TRepGenPig generator;
    if (!LoadDocument(templateFile, generator.Template()))
        return 1;
    input.Apply(generator);
    generator.Execute();
    const QByteArray output = generator.TakeOutput();

    if (outFile.isEmpty())
        WriteOut(output);
    else if (!WriteFile(outFile, output))
        return 1;
    return 0;
}

} // namespace quillo::zdktool

#include "ZdkCommands.h"

#include "reportgen/TKelReportGenerator.h"
#include "tree/EKelError.h"

#include <cstdio>
#include <memory>

namespace quillo::zdktool {

namespace {

struct EvalOptions {
    QString DataFile;
    QString Notebook;
    QString Page;
    QStringList Params; // NAME=VALUE[:INT]
    QStringList Expressions;
};

const char* const EvalUsage
    = "usage: zdktool eval [--data FILE.zdk [--notebook NAME [--page NAME]]] [--param NAME=VALUE[:INT]]... EXPR...";

// Options may come in any order; everything else, and all after "--", is an expression.
bool ParseOptions(const QStringList& args, EvalOptions& options)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--")) {
            options.Expressions += args.mid(i + 1);
            break;
        }
        QString* target = arg == QLatin1String("--data") ? &options.DataFile
            : arg == QLatin1String("--notebook")         ? &options.Notebook
            : arg == QLatin1String("--page")             ? &options.Page
                                                         : nullptr;
        if (target || arg == QLatin1String("--param")) {
            if (++i == args.size())
                return false;
            if (target)
                *target = args[i];
            else
                options.Params += args[i];
        } else {
            options.Expressions += arg;
        }
    }
    return !(options.Notebook.size() && options.DataFile.isEmpty())
        && !(options.Page.size() && options.Notebook.isEmpty());
}

TKelPigger* FindNamed(const TKelPigger* parent, const QByteArray& tag, const QString& name)
{
    if (!parent)
        return nullptr;
    for (TKelPigger* child = parent->FindChild(tag); child; child = parent->FindNextChild(child))
        if (child->GetAttr(QStringLiteral("NAME")).compare(name, Qt::CaseInsensitive) == 0)
            return child;
    return nullptr;
}

// The document root, or the named notebook, or the named page of it.
TKelPigger* SelectDataNode(TKelPigger& root, const EvalOptions& options)
{
    if (options.Notebook.isEmpty())
        return &root;
    TKelPigger* notebook = FindNamed(&root, "NOTEBOOK", options.Notebook);
    if (!notebook)
        throw EKelError(QStringLiteral("Notebook '%1' not found").arg(options.Notebook));
    if (options.Page.isEmpty())
        return notebook;
    TKelPigger* page = FindNamed(notebook->FindChild("PAGES"), "PAGE", options.Page);
    if (!page)
        throw EKelError(QStringLiteral("Page '%1' not found in notebook '%2'").arg(options.Page, options.Notebook));
    return page;
}

// NAME=VALUE is a string parameter, NAME=VALUE:INT an integer one.
bool AddPassedParam(TKelPigger& params, const QString& assignment)
{
    const qsizetype equals = assignment.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return false;
    QString value = assignment.mid(equals + 1);
    const bool integer = value.endsWith(QLatin1String(":INT"));
    if (integer)
        value.chop(4);
    TKelPigger* param = new TKelPigger(&params);
    param->SetTag("PARAM");
    param->SetAttr(QStringLiteral("NAME"), assignment.left(equals));
    param->SetAttr(QStringLiteral("TYPE"), integer ? QStringLiteral("INT") : QStringLiteral("STRING"));
    param->SetAttr(QStringLiteral("VALUE"), value);
    return true;
}

} // namespace

int Eval(const QStringList& args)
{
    EvalOptions options;
    if (!ParseOptions(args, options))
        return Fail(QString::fromLatin1(EvalUsage));
    TKelPigger document;
    if (!options.DataFile.isEmpty() && !LoadDocument(options.DataFile, document))
        return 1;
    TKelPigger params;
    params.SetTag("PARAMS");
    for (const QString& assignment : options.Params)
        if (!AddPassedParam(params, assignment))
            return Fail(QStringLiteral("invalid parameter %1, expected NAME=VALUE or NAME=VALUE:INT").arg(assignment));

    TKelReportGenerator generator;
    if (!options.DataFile.isEmpty())
        generator.SetDataNode(SelectDataNode(document, options));
    generator.SetPassedParams(&params);

    int exitCode = 0;
    for (const QString& expression : options.Expressions) {
        QByteArray line;
        try {
            line = DescribeExpr(generator.Evaluate(expression.toUtf8()));
        } catch (const EKelError& error) {
            line = "error: " + error.Message().toUtf8();
            exitCode = 1;
        }
        line += '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    }
    return exitCode;
}

} // namespace quillo::zdktool

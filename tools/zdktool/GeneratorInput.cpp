#include "GeneratorInput.h"

#include "ZdkCommands.h"
#include "reportgen/TKelReportGenerator.h"
#include "tree/EKelError.h"

namespace quillo::zdktool {

namespace {

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

bool TGeneratorInput::TakeOption(const QStringList& args, qsizetype& index)
{
    const QString& arg = args[index];
    QString* target = arg == QLatin1String("--data") ? &m_dataFile
        : arg == QLatin1String("--notebook")         ? &m_notebook
        : arg == QLatin1String("--page")             ? &m_page
                                                     : nullptr;
    if (!target && arg != QLatin1String("--param"))
        return false;
    if (++index == args.size())
        throw EKelError(QStringLiteral("%1 needs a value").arg(arg));
    if (target)
        *target = args[index];
    else
        m_params += args[index];
    return true;
}

bool TGeneratorInput::Prepare()
{
    if (!m_notebook.isEmpty() && m_dataFile.isEmpty()) {
        Fail(QStringLiteral("--notebook needs --data"));
        return false;
    }
    if (!m_page.isEmpty() && m_notebook.isEmpty()) {
        Fail(QStringLiteral("--page needs --notebook"));
        return false;
    }
    if (!m_dataFile.isEmpty() && !LoadDocument(m_dataFile, m_document))
        return false;
    m_passedParams.SetTag("PARAMS");
    for (const QString& assignment : m_params) {
        if (!AddPassedParam(m_passedParams, assignment)) {
            Fail(QStringLiteral("invalid parameter %1, expected NAME=VALUE or NAME=VALUE:INT").arg(assignment));
            return false;
        }
    }
    return true;
}

void TGeneratorInput::Apply(TKelReportGenerator& generator)
{
    if (!m_dataFile.isEmpty())
        generator.SetDataNode(SelectDataNode());
    generator.SetPassedParams(&m_passedParams);
}

// The document root, or the named notebook, or the named page of it.
TKelPigger* TGeneratorInput::SelectDataNode()
{
    if (m_notebook.isEmpty())
        return &m_document;
    TKelPigger* notebook = FindNamed(&m_document, "NOTEBOOK", m_notebook);
    if (!notebook)
        throw EKelError(QStringLiteral("Notebook '%1' not found").arg(m_notebook));
    if (m_page.isEmpty())
        return notebook;
    TKelPigger* page = FindNamed(notebook->FindChild("PAGES"), "PAGE", m_page);
    if (!page)
        throw EKelError(QStringLiteral("Page '%1' not found in notebook '%2'").arg(m_page, m_notebook));
    return page;
}

} // namespace quillo::zdktool

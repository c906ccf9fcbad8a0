#include "ZdkCommands.h"

#include "printing/TLeafPrint.h"

#include <QBuffer>

#include <cstdio>

namespace quillo::zdktool {

namespace {

const char* const PrintNotebookUsage
    = "usage: zdktool print-notebook FILE.zdk --notebook NAME [--pages FROM-TO] [--up 1|2] [--paper WxH] "
      "[--landscape] [--margins L,R,T] [--template T] --pdf OUT.pdf";

const QString DefaultTemplate = QStringLiteral("..\\templates\\contacts-5.zdkt");

} // namespace

int PrintNotebook(const QStringList& args)
{
    QString file, notebookName, templateOption, pdfFile;
    TLeafPrint::TOptions options;
    QList<int> paper { 210, 297 };
    bool landscape = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--notebook")) {
            notebookName = OptionValue(args, i);
        } else if (arg == QLatin1String("--pages")) {
            const QString value = OptionValue(args, i);
            QList<int> range = NumberList(value, QLatin1Char('-'), 2);
            if (range.isEmpty())
                range = NumberList(value, QLatin1Char('-'), 1) + NumberList(value, QLatin1Char('-'), 1);
            if (range.size() != 2 || range[0] < 1 || range[1] < 1)
                return Fail(QStringLiteral("--pages must be FROM-TO, page numbers from 1"));
            options.firstPage = range[0];
            options.lastPage = range[1];
        } else if (arg == QLatin1String("--up")) {
            const QString value = OptionValue(args, i);
            if (value != QLatin1String("1") && value != QLatin1String("2"))
                return Fail(QStringLiteral("--up must be 1 or 2"));
            options.up = value.toInt();
        } else if (arg == QLatin1String("--paper")) {
            paper = PaperOption(args, i);
        } else if (arg == QLatin1String("--landscape")) {
            landscape = true;
        } else if (arg == QLatin1String("--margins")) {
            const QList<int> margins = MarginsOption(args, i);
            options.leftMargin = margins[0];
            options.rightMargin = margins[1];
            options.topMargin = margins[2];
        } else if (arg == QLatin1String("--template")) {
            templateOption = OptionValue(args, i);
        } else if (arg == QLatin1String("--pdf")) {
            pdfFile = OptionValue(args, i);
        } else if (file.isEmpty() && !arg.startsWith(QLatin1String("--"))) {
            file = arg;
        } else {
            return Fail(QString::fromLatin1(PrintNotebookUsage));
        }
    }
    if (file.isEmpty() || notebookName.isEmpty() || pdfFile.isEmpty())
        return Fail(QString::fromLatin1(PrintNotebookUsage));
    options.paperWidth = landscape ? std::max(paper[0], paper[1]) : paper[0];
    options.paperHeight = landscape ? std::min(paper[0], paper[1]) : paper[1];

    TKelPigger root;
    if (!LoadNotebooks(file, root))
        return 1;
    TKelPigger* notebook = FindNamed(&root, "NOTEBOOK", notebookName);
    if (!notebook)
        return Fail(QStringLiteral("Notebook '%1' not found").arg(notebookName));
    QString templatePath = templateOption.trimmed();
    if (templatePath.isEmpty())
        templatePath = notebook->GetAttr(QStringLiteral("PRINT_TEMPLATE")).trimmed();
    if (templatePath.isEmpty())
        templatePath = DefaultTemplate;

    TLeafPrint leaves(*notebook, options);
    leaves.Generate(templatePath);
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    leaves.WritePdf(buffer);
    buffer.close();
    for (const QString& warning : leaves.Warnings())
        std::fprintf(stderr, "warning: %s\n", warning.toUtf8().constData());
    if (!WriteFile(pdfFile, pdf))
        return 1;
    WriteOut(QStringLiteral("leaves: %1\nsheets: %2\n").arg(leaves.LeafCount()).arg(leaves.SheetCount()).toUtf8());
    return 0;
}

} // namespace quillo::zdktool

#include "ZdkCommands.h"

#include "exchange/ContactExport.h"
#include "exchange/ContactImport.h"
#include "exchange/ContactText.h"
#include "exchange/EExchangeError.h"
#include "notebook/TDiskFileOps.h"
#include "notebook/TSafeFileWriter.h"
#include "tree/EKelError.h"
#include "tree/KelTextFile.h"

#include <QFile>
#include <QFileInfo>

namespace quillo::zdktool {

namespace {

// Options and the one positional argument of import and export.
struct TContactArgs {
    QString file, notebook, page, vcard, csv, out;
    bool createFields = false, vcardFlag = false, csvFlag = false;
};

// Parses the arguments; valueFormats says whether --vcard and --csv take an input file (import) or not.
bool ParseArgs(const QStringList& args, bool valueFormats, TContactArgs& parsed, QString& error)
{
    QStringList positional;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--notebook"))
            parsed.notebook = OptionValue(args, i);
        else if (arg == QLatin1String("--page"))
            parsed.page = OptionValue(args, i);
        else if (arg == QLatin1String("--out"))
            parsed.out = OptionValue(args, i);
        else if (arg == QLatin1String("--vcard") && valueFormats)
            parsed.vcard = OptionValue(args, i);
        else if (arg == QLatin1String("--csv") && valueFormats)
            parsed.csv = OptionValue(args, i);
        else if (arg == QLatin1String("--vcard"))
            parsed.vcardFlag = true;
        else if (arg == QLatin1String("--csv"))
            parsed.csvFlag = true;
        else if (arg == QLatin1String("--create-fields") && valueFormats)
            parsed.createFields = true;
        else if (arg.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("unknown option %1").arg(arg);
            return false;
        } else
            positional.append(arg);
    }
    if (positional.size() != 1 || parsed.notebook.isEmpty())
        return false;
    parsed.file = positional[0];
    return valueFormats ? parsed.vcard.isEmpty() != parsed.csv.isEmpty() : parsed.vcardFlag != parsed.csvFlag;
}

QByteArray ReadContacts(const QString& path)
{
    if (path != QLatin1String("-"))
        return KelTextFile::Read(path, ContactText::MaxSize);
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        throw EKelError(QStringLiteral("Cannot open standard input"));
    return KelTextFile::ReadStream(input, QStringLiteral("standard input"), ContactText::MaxSize);
}

bool WriteSafely(const QString& path, const QByteArray& data, bool withBackup)
{
    // A device or FIFO is written as it is; a regular file only ever whole.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir())
        return WriteFile(path, data);
    TDiskFileOps files;
    TSafeFileWriter writer(files);
    const bool written
        = withBackup ? writer.WriteWithBackup(path, TSafeFileWriter::BackupName(path), data) : writer.Write(path, data);
    if (!written)
        Fail(writer.Error());
    return written;
}

} // namespace

int Import(const QStringList& args)
{
    TContactArgs parsed;
    QString error;
    if (!ParseArgs(args, true, parsed, error))
        return Fail(error.isEmpty() ? QStringLiteral("usage: zdktool import FILE.zdk --notebook NAME (--vcard IN | "
                                                     "--csv IN) [--page NAME] [--create-fields] [--out OUT.zdk]")
                                    : error);
    TKelPigger root;
    if (!LoadNotebooks(parsed.file, root))
        return 1;
    TKelPigger* notebook = FindNamed(&root, "NOTEBOOK", parsed.notebook);
    if (!notebook)
        return Fail(QStringLiteral("Notebook '%1' not found").arg(parsed.notebook));
    const bool vcard = !parsed.vcard.isEmpty();
    const QString input = vcard ? parsed.vcard : parsed.csv;
    TContactBatch batch;
    TImportResult result;
    try {
        const QByteArray bytes = ReadContacts(input);
        batch = vcard ? ContactImport::ReadVCard(bytes, *notebook, parsed.createFields)
                      : ContactImport::ReadCsv(bytes, *notebook, parsed.createFields);
        result = ContactImport::Apply(*notebook, batch, { parsed.page, parsed.createFields });
    } catch (const EExchangeError& fault) {
        return Fail(QStringLiteral("%1: %2").arg(input, fault.Message()));
    }
    const QString target = parsed.out.isEmpty() ? parsed.file : parsed.out;
    if (!WriteSafely(target, root.SaveToText(), parsed.out.isEmpty()))
        return 1;
    WriteOut(QStringLiteral("imported: %1 records, %2 pages created\n")
                 .arg(result.records)
                 .arg(result.pagesCreated.size())
                 .toUtf8());
    for (const QString& name : batch.unmatched)
        WriteOut(QStringLiteral("unmatched: %1\n").arg(name).toUtf8());
    return 0;
}

int Export(const QStringList& args)
{
    TContactArgs parsed;
    QString error;
    if (!ParseArgs(args, false, parsed, error))
        return Fail(error.isEmpty() ? QStringLiteral("usage: zdktool export FILE.zdk --notebook NAME [--page NAME] "
                                                     "(--vcard | --csv) [--out OUT]")
                                    : error);
    TKelPigger root;
    if (!LoadNotebooks(parsed.file, root))
        return 1;
    const TKelPigger* notebook = FindNamed(&root, "NOTEBOOK", parsed.notebook);
    if (!notebook)
        return Fail(QStringLiteral("Notebook '%1' not found").arg(parsed.notebook));
    const TKelPigger* page = nullptr;
    if (!parsed.page.isEmpty()) {
        page = FindNamed(notebook->FindChild("PAGES"), "PAGE", parsed.page);
        if (!page)
            return Fail(QStringLiteral("Page '%1' not found in notebook '%2'").arg(parsed.page, parsed.notebook));
    }
    const TExportResult exported
        = parsed.vcardFlag ? ContactExport::VCard(*notebook, page) : ContactExport::Csv(*notebook, page);
    if (parsed.out.isEmpty()) {
        WriteOut(exported.bytes);
        return 0;
    }
    return WriteSafely(parsed.out, exported.bytes, false) ? 0 : 1;
}

} // namespace quillo::zdktool

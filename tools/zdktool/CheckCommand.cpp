#include "ZdkCommands.h"

#include "notebook/NotebookSchema.h"
#include "tree/EKelPiggerError.h"
#include "tree/KelTextFile.h"

namespace quillo::zdktool {

namespace {

struct Counts {
    int notebooks = 0, fields = 0, pages = 0, records = 0;
};

Counts CountNotebooks(const TKelPigger& root)
{
    Counts counts;
    for (const TKelPigger* notebook = root.FindChild("NOTEBOOK"); notebook; notebook = root.FindNextChild(notebook)) {
        ++counts.notebooks;
        if (const TKelPigger* fields = notebook->FindChild("FIELDS"))
            for (const TKelPigger* f = fields->FindChild("FIELD"); f; f = fields->FindNextChild(f))
                ++counts.fields;
        if (const TKelPigger* pages = notebook->FindChild("PAGES"))
            for (const TKelPigger* page = pages->FindChild("PAGE"); page; page = pages->FindNextChild(page)) {
                ++counts.pages;
                for (const TKelPigger* rec = page->FindChild("REC"); rec; rec = page->FindNextChild(rec))
                    ++counts.records;
            }
    }
    return counts;
}

} // namespace

// Reads a document for check and format; reading faults name the file and byte position.
bool LoadDocument(const QString& path, TKelPigger& root)
{
    try {
        KelTextFile::Load(root, ReadInput(path));
        return true;
    } catch (const EKelPiggerError& error) {
        Fail(QStringLiteral("%1: %2 at byte %3").arg(path, error.Message()).arg(error.Position));
        return false;
    }
}

int Check(const QStringList& args)
{
    if (args.size() != 1)
        return Fail(QStringLiteral("usage: zdktool check FILE"));
    TKelPigger root;
    if (!LoadDocument(args[0], root))
        return 1;
    if (!NotebookSchema::CheckStructure(root))
        return Fail(NotebookSchema::CantLoadFileMessage(args[0]));
    const Counts counts = CountNotebooks(root);
    WriteOut(QStringLiteral("ok: %1 notebooks, %2 fields, %3 pages, %4 records\n")
                 .arg(counts.notebooks)
                 .arg(counts.fields)
                 .arg(counts.pages)
                 .arg(counts.records)
                 .toUtf8());
    return 0;
}

int Format(const QStringList& args)
{
    if (args.size() != 1)
        return Fail(QStringLiteral("usage: zdktool format FILE|-"));
    TKelPigger root;
    if (!LoadDocument(args[0], root))
        return 1;
    WriteOut(root.SaveToText());
    return 0;
}

} // namespace quillo::zdktool

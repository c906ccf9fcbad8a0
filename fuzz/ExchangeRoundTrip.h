#pragma once

#include "FuzzNotebook.h"

#include "exchange/ContactExport.h"
#include "exchange/ContactImport.h"
#include "exchange/EExchangeError.h"

#include <QStringList>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Pages and records of a notebook in order, each record's attributes sorted: their order means nothing.
inline QStringList Contents(const quillo::TKelPigger& notebook)
{
    QStringList lines;
    const quillo::TKelPigger* pages = notebook.FindChild("PAGES");
    for (int p = 0; p < pages->ChildCount(); ++p) {
        const quillo::TKelPigger* page = pages->Child(p);
        lines.append(QStringLiteral("PAGE ") + page->GetAttr(QStringLiteral("NAME")));
        for (int r = 0; r < page->ChildCount(); ++r) {
            const quillo::TKelPigger* rec = page->Child(r);
            QStringList values;
            for (int i = 0; i < rec->AttrCount(); ++i)
                values.append(rec->AttrName(i) + QLatin1Char('=') + rec->AttrValue(i));
            std::sort(values.begin(), values.end());
            lines.append(values.join(QLatin1Char('\x1f')));
        }
    }
    return lines;
}

// What an import put into the notebook must survive an export and an import into a notebook of the same
// fields and pages, page by page; every line the vCard writer writes is at most 75 octets.
inline void CheckRoundTrip(const quillo::TKelPigger& notebook, bool csv)
{
    using namespace quillo;
    const TExportResult exported = csv ? ContactExport::Csv(notebook) : ContactExport::VCard(notebook);
    if (!csv)
        for (const QByteArray& line : exported.bytes.split('\n'))
            if (line.size() > 76)
                std::abort();
    if (exported.records == 0)
        return;
    TKelPigger copy;
    copy.Assign(notebook);
    TKelPigger* pages = copy.FindChild("PAGES");
    for (int i = 0; i < pages->ChildCount(); ++i)
        while (pages->Child(i)->ChildCount() > 0)
            delete pages->Child(i)->Child(0);
    const TContactBatch batch = csv ? ContactImport::ReadCsv(exported.bytes, copy, false)
                                    : ContactImport::ReadVCard(exported.bytes, copy, false);
    ContactImport::Apply(copy, batch, {});
    if (Contents(copy) != Contents(notebook) || !batch.unmatched.isEmpty())
        std::abort();
}

// One fuzz input: random bytes read as a vCard or CSV file into a small notebook, then the round trip above.
// An input of odd size creates fields for what finds none; a CSV file creates the pages its PAGE column names.
inline void FuzzContactFile(const uint8_t* bytes, size_t size, bool csv)
{
    using namespace quillo;
    TKelPigger root;
    LoadFuzzNotebook(root);
    TKelPigger& notebook = *root.FindChild("NOTEBOOK");
    try {
        const QByteArray text(reinterpret_cast<const char*>(bytes), qsizetype(size));
        const TContactBatch batch = csv ? ContactImport::ReadCsv(text, notebook, size % 2 == 1)
                                        : ContactImport::ReadVCard(text, notebook, size % 2 == 1);
        ContactImport::Apply(notebook, batch, { {}, csv });
    } catch (const EExchangeError&) {
        return;
    }
    CheckRoundTrip(notebook, csv);
}

#pragma once

#include "exchange/ContactMapping.h"

#include <functional>

namespace quillo {

struct TImportOptions {
    // All records go to this page instead of the pages of their letters.
    QString onePage;
    // Pages a record names (CSV PAGE column, X-QUILLO-PAGE) are created when the notebook lacks them;
    // otherwise such a record goes to the page of its letter.
    bool createPages = false;
};

struct TImportResult {
    int records = 0;
    QStringList pagesCreated;
    QStringList fieldsCreated;
};

// Called now and then with the records added so far.
using TImportProgress = std::function<void(int done, int total)>;

namespace ContactImport {

// Reads a contact file of either kind for a notebook, with the CSV columns guessed.
TContactBatch ReadVCard(const QByteArray& bytes, const TKelPigger& notebook, bool createFields);
TContactBatch ReadCsv(const QByteArray& bytes, const TKelPigger& notebook, bool createFields);

// Adds the batch to the notebook: the new fields first, then each record on its page. Raises
// EExchangeError before changing anything when the notebook has no field or page list or onePage names no
// page.
TImportResult Apply(TKelPigger& notebook, const TContactBatch& batch, const TImportOptions& options,
    const TImportProgress& progress = {});

// Gives notebook the fields and pages of imported, a copy of it that an import changed, by moving them over.
// Anything that points into the notebook's old fields and pages must let go of them first.
void Commit(TKelPigger& notebook, TKelPigger& imported);

// "Imported 12 records, 2 pages created (#, AB+).", with a line on the vCard properties (or CSV columns)
// that found no field.
QString Summary(const TImportResult& result, const QStringList& unmatched, bool columns);

} // namespace ContactImport

} // namespace quillo

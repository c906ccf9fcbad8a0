#pragma once

#include "tree/TKelPigger.h"

#include <QByteArray>

namespace quillo {

struct TExportResult {
    QByteArray bytes;
    int records = 0;
};

namespace ContactExport {

// The records of the notebook, or of one of its pages, as vCard 4.0: the page as X-QUILLO-PAGE first, the
// fields of the standard table as their properties, every other field as X-QUILLO-NAME (a field named PAGE
// after the page), so that an export imported again loses nothing.
TExportResult VCard(const TKelPigger& notebook, const TKelPigger* page = nullptr);
// The same as CSV: PAGE, then the field NAMEs in column order (a field named PAGE after the page).
TExportResult Csv(const TKelPigger& notebook, const TKelPigger* page = nullptr);

} // namespace ContactExport

} // namespace quillo

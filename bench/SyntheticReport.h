#pragma once

#include <QByteArray>

namespace quillo {

class TKelReport;

// A long listing as a print gives it: bands of three labels under a repeated table head, a page
// number footer, 30 rows a page.
constexpr int RowsPerPage = 30;
QByteArray ListingReport(int pages);
// A4 with the margins of that listing.
void SetListingPage(TKelReport& report);

} // namespace quillo

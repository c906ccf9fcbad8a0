#pragma once

#include "tree/TKelPigger.h"

#include <QString>

namespace quillo::RecordOps {

// Width of a grid column for a FIELD: its trimmed WIDTH when that is a positive integer, else DefaultWidth.
inline constexpr int DefaultWidth = 80;
int ColumnWidth(const TKelPigger& field);

// TITLE of the child of list whose NAME equals name (case-insensitive); name itself when there is no such
// child or its TITLE is empty. Used for field headings and page tabs.
QString TitleOf(const TKelPigger* list, const QString& name);

// Records a page may hold before Append asks for an overflow page: the notebook's RPP, 10 without a notebook.
int RecordsPerPage(const TKelPigger* notebook);
QString OverflowQuestion(int recordsPerPage);

// Appends an empty REC as the last child of page.
TKelPigger& AppendRecord(TKelPigger& page);

// The overflow page for page: NAME followed by "+", one more "+" for every page of that name already
// there (case-insensitive). It is placed right after the last of those pages, so A, A+ gives A++ after A+.
// Returns nullptr when page is not in a PAGES list.
TKelPigger* AddOverflowPage(TKelPigger& page);

// Moves rec to the end of page; false when it is already there (the order then stays as it was).
bool MoveRecordToPage(TKelPigger& rec, TKelPigger& page);

// Stable sort of the page's children by the value of field, case-insensitive in the user's locale;
// empty values go last in both directions.
void SortRecords(TKelPigger& page, const QString& field, bool ascending);

} // namespace quillo::RecordOps

#pragma once

#include <QString>

namespace quillo {

class TKelReport;

// Writes the report's sheets to a PDF file exactly as printing would, at actual size on the
// report's paper. An unwritable file raises "Cannot write file PATH".
void ExportPdf(TKelReport& report, const QString& path);

} // namespace quillo

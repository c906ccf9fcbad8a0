#pragma once

#include "notebook/TPrintOffsets.h"

#include <QString>

class QIODevice;

namespace quillo {

class TKelReport;

// Writes the report's sheets as PDF exactly as printing would, at actual size on the report's paper.
void ExportPdf(TKelReport& report, QIODevice& device, const TPrintOffsets& offsets = {});
// The same into a file; an unwritable file raises "Cannot write file PATH".
void ExportPdf(TKelReport& report, const QString& path, const TPrintOffsets& offsets = {});

} // namespace quillo

#pragma once

#include "reportgen/TKelReportGenerator.h"

namespace quillo {

// The generator that prints notebook pages: templates read the data node and the passed parameters
// through GETATTRIB, GETCHILDATTRIB, GETPRNATTRIB and GETPASSEDPARAM; it has no query source.
class TRepGenPig : public TKelReportGenerator { };

} // namespace quillo

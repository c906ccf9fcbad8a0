#pragma once

#include "tree/EKelError.h"

namespace quillo {

// A contact file that cannot be imported; Line is the 1-based line the fault was found on, 0 for the
// whole file.
class EExchangeError : public EKelError {
public:
    EExchangeError(int line, const QString& detail)
        : EKelError(line > 0 ? QStringLiteral("line %1: %2").arg(line).arg(detail) : detail)
        , Line(line)
    {
    }

    int Line;
};

} // namespace quillo

#pragma once

#include "tree/EKelError.h"

namespace quillo {

// A fault found while reading document text; Position is the 1-based byte position.
class EKelPiggerError : public EKelError {
public:
    EKelPiggerError(const QString& message, int position)
        : EKelError(message)
        , Position(position)
    {
    }

    int Position;
};

} // namespace quillo

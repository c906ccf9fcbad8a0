#pragma once

#include "notebook/IPrompts.h"

namespace quillo {

// The desktop's "open" action: web addresses, mailto: addresses, file URLs and plain file paths.
class TQtDesktop : public IDesktop {
public:
    bool Open(const QString& target) override;
};

} // namespace quillo

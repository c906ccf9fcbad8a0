#pragma once

#include "tree/TKelPigger.h"

namespace quillo {

// Base of every report object: Init runs once after the document was read.
class TBasePigger : public TKelPigger {
public:
    using TKelPigger::TKelPigger;

    TKelPigger* Create(TKelPigger* parent) const override { return new TBasePigger(parent); }
    // Initialises the children that are report objects, in order.
    virtual void Init();
};

} // namespace quillo

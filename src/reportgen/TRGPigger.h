#pragma once

#include "tree/TKelPigger.h"

namespace quillo {

// Node class of loaded templates: its reader builds TRGPigger children.
class TRGPigger : public TKelPigger {
public:
    explicit TRGPigger(TKelPigger* parent = nullptr)
        : TKelPigger(parent)
    {
    }

    TKelPigger* Create(TKelPigger* parent) const override { return new TRGPigger(parent); }
    TKelPigger* CreateChild(const QByteArray&) override { return new TRGPigger(this); }
};

} // namespace quillo

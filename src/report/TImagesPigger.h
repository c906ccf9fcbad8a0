#pragma once

#include "report/TBasePigger.h"

namespace quillo {

class TImageDataPigger;

// IMAGES: the pictures that IMAGE elements name.
class TImagesPigger : public TBasePigger {
public:
    using TBasePigger::TBasePigger;

    TKelPigger* Create(TKelPigger* parent) const override { return new TImagesPigger(parent); }
    TKelPigger* CreateChild(const QByteArray& tag) override;

    // The first IMAGEDATA of that name (upper case), or null.
    TImageDataPigger* Find(const QString& upperName) const;
};

} // namespace quillo

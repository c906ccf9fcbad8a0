#pragma once

#include "report/TVisualElemPigger.h"

namespace quillo {

class TImageDataPigger;

// IMAGE: draws the IMAGEDATA it names, or a placeholder when there is no decoded data.
class TImagePigger : public TVisualElemPigger {
public:
    using TVisualElemPigger::TVisualElemPigger;

    TKelPigger* Create(TKelPigger* parent) const override;
    // As every visual element, then NAME and the image data, then "+0" sizes.
    void Init() override;
    // The bitmap's size at 96 pixels per inch, or keeps its aspect when one side is given;
    // 10 mm for a side without data.
    void AutoSize(int extraWidth, int extraHeight) override;

    const QString& ImageName() const { return m_imageName; }
    TImageDataPigger* ImageData() const { return m_imageData; }

private:
    QString m_imageName;
    TImageDataPigger* m_imageData = nullptr;
};

} // namespace quillo

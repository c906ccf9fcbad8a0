#pragma once

#include <QImage>

class QIODevice;

namespace quillo {

class TKelCompLibrary;

// A bitmap read from and written as a zipped bitmap: "ZBM" and a compressed BMP file.
class TZippedBitmap {
public:
    explicit TZippedBitmap(const TKelCompLibrary& compressor);

    // Reads from the stream's position to its end. Raises "Compressor library KelComp.dll not found",
    // "Not a zipped bitmap", or an error for damaged data; the bitmap is then unchanged.
    void LoadFromStream(QIODevice& stream);
    void SaveToStream(QIODevice& stream) const;
    QByteArray Save() const;

    const QImage& Image() const { return m_image; }
    void SetImage(const QImage& image) { m_image = image; }

private:
    const TKelCompLibrary& m_compressor;
    QImage m_image;
};

} // namespace quillo

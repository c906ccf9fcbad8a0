#include "report/TZippedBitmap.h"

#include "report/TKelCompLibrary.h"
#include "tree/EKelError.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>

namespace quillo {

namespace {

const QByteArray Signature = QByteArrayLiteral("ZBM");

// No valid BMP packs more pixels into a byte than run-length coding does (255 pixels in 2 bytes);
// a header that claims more would make a few bytes fill megabytes of memory.
constexpr qint64 MaxPixelsPerByte = 128;
constexpr qint64 SmallBitmapPixels = 1 << 20;

// The file header's offset of the pixel data must lie inside the bitmap: the image reader would
// otherwise seek outside its buffer and decode whatever bytes it stands on.
bool PixelsStartInside(const QByteArray& bmp)
{
    constexpr qsizetype FileHeaderSize = 14;
    if (bmp.size() < FileHeaderSize)
        return false;
    const quint32 offset = qFromLittleEndian<quint32>(bmp.constData() + 10);
    return offset >= FileHeaderSize && offset < quint64(bmp.size());
}

} // namespace

TZippedBitmap::TZippedBitmap(const TKelCompLibrary& compressor)
    : m_compressor(compressor)
{
}

void TZippedBitmap::LoadFromStream(QIODevice& stream)
{
    if (!m_compressor.IsLoaded())
        throw EKelError("Compressor library KelComp.dll not found");
    if (stream.read(3) != Signature)
        throw EKelError("Not a zipped bitmap");
    QByteArray bmp = m_compressor.Decompress(stream.readAll());
    if (!PixelsStartInside(bmp))
        throw EKelError("Bitmap image is not valid");
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "BMP");
    const QSize claimed = reader.size();
    if (qint64(claimed.width()) * claimed.height() > std::max(qint64(bmp.size()) * MaxPixelsPerByte, SmallBitmapPixels))
        throw EKelError("Bitmap image is not valid");
    QImage image;
    if (!reader.read(&image))
        throw EKelError("Bitmap image is not valid");
    m_image = image;
}

void TZippedBitmap::SaveToStream(QIODevice& stream) const
{
    const QByteArray bytes = Save();
    if (stream.write(bytes) != bytes.size())
        throw EKelError(QStringLiteral("Cannot write zipped bitmap: %1").arg(stream.errorString()));
}

QByteArray TZippedBitmap::Save() const
{
    if (!m_compressor.IsLoaded())
        throw EKelError("Compressor library KelComp.dll not found");
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    if (m_image.isNull() || !m_image.save(&buffer, "BMP"))
        throw EKelError("Bitmap image is not valid");
    return Signature + m_compressor.Compress(bmp);
}

} // namespace quillo

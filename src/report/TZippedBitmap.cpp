#include "report/TZippedBitmap.h"

#include "report/TKelCompLibrary.h"
#include "tree/EKelError.h"

#include <QBuffer>
#include <QImageReader>

namespace quillo {

namespace {

const QByteArray Signature = QByteArrayLiteral("ZBM");

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
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::ReadOnly);
    // The reader's allocation limit bounds what a header may claim.
    QImageReader reader(&buffer, "BMP");
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

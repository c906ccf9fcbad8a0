// Decodes random bytes as a zipped bitmap, through the compressor library built beside the fuzzer:
// the bytes as they are, as IMAGEDATA hexadecimal text (first byte odd), or as a BMP file that is
// zipped first (bit 1 of the first byte), so that the bitmap reader sees random headers. What
// decodes must encode and decode again to the same pixels.
#include "report/TImageDataPigger.h"
#include "report/TKelCompLibrary.h"
#include "report/TZippedBitmap.h"
#include "tree/EKelError.h"

#include <QBuffer>
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace quillo;

namespace {

bool Decode(TZippedBitmap& bitmap, QByteArray bytes)
{
    QBuffer stream(&bytes);
    stream.open(QIODevice::ReadOnly);
    try {
        bitmap.LoadFromStream(stream);
        return true;
    } catch (const EKelError&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    if (!TKelCompLibrary::LoadProgramLibrary())
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size < 1)
        return 0;
    QByteArray input(reinterpret_cast<const char*>(bytes) + 1, qsizetype(size) - 1);
    if (bytes[0] & 1)
        input = TImageDataPigger::DecodeHex(input);
    if (bytes[0] & 2)
        input = "ZBM" + TKelCompLibrary::Program().Compress(input);
    TZippedBitmap bitmap(TKelCompLibrary::Program());
    if (!Decode(bitmap, input))
        return 0;
    TZippedBitmap again(TKelCompLibrary::Program());
    if (!Decode(again, bitmap.Save())
        || again.Image().convertToFormat(QImage::Format_ARGB32)
            != bitmap.Image().convertToFormat(QImage::Format_ARGB32))
        std::abort();
    return 0;
}

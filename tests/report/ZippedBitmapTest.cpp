#include "ReportTesting.h"

#include "report/TDataStream.h"
#include "report/TImageDataPigger.h"
#include "report/TImagePigger.h"
#include "report/TImagesPigger.h"
#include "report/TZippedBitmap.h"
#include "testutil/ErrorMessage.h"

#include <QBuffer>
#include <QLibrary>
#include <QtEndian>

#include <cstdlib>
#include <cstring>

using namespace quillo;
using testutil::BuiltCompressor;
using testutil::ErrorOf;

namespace {

QImage Picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 20, y * 30, (x * y) % 256));
    return image;
}

QByteArray Zipped(const QImage& image, const TKelCompLibrary& compressor = BuiltCompressor())
{
    TZippedBitmap bitmap(compressor);
    bitmap.SetImage(image);
    return bitmap.Save();
}

QImage Unzipped(QByteArray bytes, const TKelCompLibrary& compressor = BuiltCompressor())
{
    QBuffer stream(&bytes);
    stream.open(QIODevice::ReadOnly);
    TZippedBitmap bitmap(compressor);
    bitmap.LoadFromStream(stream);
    return bitmap.Image().convertToFormat(QImage::Format_RGB32);
}

// Library entry points standing in for the real ones: they count calls and can be told to fail.
struct TFakeLibrary {
    static inline int freed = 0;
    static inline int32_t inputLength = -1;
    static inline bool fail = false;

    static int Decompress(const void*, int32_t length, void** output, int32_t* outputLength)
    {
        inputLength = length;
        if (fail)
            return 1;
        *output = std::malloc(4);
        std::memcpy(*output, "BM??", 4);
        *outputLength = 4;
        return 0;
    }
    static void Free(void* buffer)
    {
        ++freed;
        std::free(buffer);
    }
};

class ImageData : public testutil::ReportTest {
protected:
    const TImagePigger& Image(const QByteArray& hex, const QByteArray& image = "<IMAGE NAME=\"p\"/>")
    {
        Lay("<REPORT><IMAGES><IMAGEDATA NAME=\"P\">" + hex + "</IMAGEDATA></IMAGES><BODY><BAND>" + image
            + "</BAND></BODY></REPORT>");
        return *dynamic_cast<TImagePigger*>(report.Body()->Child(0)->Child(0));
    }
};

} // namespace

TEST(ZippedBitmap, EncodeThenDecodeGivesTheSamePixels)
{
    ASSERT_TRUE(BuiltCompressor().IsLoaded());
    const QImage picture = Picture(13, 7);
    const QByteArray zipped = Zipped(picture);
    EXPECT_TRUE(zipped.startsWith("ZBM"));
    EXPECT_EQ(Unzipped(zipped), picture);
}

TEST(ZippedBitmap, RefusesWhatIsNotAZippedBitmap)
{
    const QByteArray valid = Zipped(Picture(2, 2));
    const struct {
        QByteArray bytes;
        QString message;
    } cases[] = {
        { "", "Not a zipped bitmap" },
        { "ZB", "Not a zipped bitmap" },
        { QByteArray("ZB\0", 3) + valid.mid(3), "Not a zipped bitmap" },
        { "zbm" + valid.mid(3), "Not a zipped bitmap" },
        { "ZBM", "Zipped bitmap data damaged" },
        { valid.left(valid.size() - 1), "Zipped bitmap data damaged" },
        { valid + "x", "Zipped bitmap data damaged" },
        // A length that claims 4 GB is refused before anything is allocated.
        { QByteArray("ZBM\xff\xff\xff\xff") + valid.mid(7), "Zipped bitmap data damaged" },
        { "ZBM" + BuiltCompressor().Compress("BM not a bitmap"), "Bitmap image is not valid" },
        // 56 bytes claiming 4 by 5,832,707 pixels.
        { "ZBM"
                + BuiltCompressor().Compress(
                    QByteArray::fromHex("424d5a0000002c00000036000000280000000400000003005900010018000000"
                                        "0000240400000003000000010018000000005078c802424d")),
            "Bitmap image is not valid" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorOf([&] { Unzipped(c.bytes); }), c.message) << c.bytes.toHex().constData();
}

TEST(ZippedBitmap, APixelOffsetPastTheEndIsRefusedWithoutAWarning)
{
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(Picture(2, 2).save(&buffer, "BMP"));
    static int warnings = 0;
    const QtMessageHandler previous
        = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) { ++warnings; });
    for (const quint32 offset : { quint32(bmp.size()) + 1, 0x7fffffffu, 0xffffffffu }) {
        qToLittleEndian(offset, bmp.data() + 10);
        EXPECT_EQ(ErrorOf([&] { Unzipped("ZBM" + BuiltCompressor().Compress(bmp)); }),
            QStringLiteral("Bitmap image is not valid"))
            << offset;
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(warnings, 0);
}

TEST(ZippedBitmap, TheLibraryGivesBackWhatItPackedAndRefusesForeignInputWithoutOutput)
{
    const TKelCompLibrary& compressor = BuiltCompressor();
    for (const QByteArray& bytes : { QByteArray(), QByteArray("x"), QByteArray(100000, 'a') })
        EXPECT_EQ(compressor.Decompress(compressor.Compress(bytes)), bytes) << bytes.size();

    QLibrary library(QCoreApplication::applicationDirPath() + QStringLiteral("/kelcomp"));
    const auto decompress = reinterpret_cast<kelcomp::CompressFunction>(library.resolve("KelDecompress"));
    ASSERT_NE(decompress, nullptr);
    const QByteArray valid = BuiltCompressor().Compress("some bytes");
    const QByteArray cases[]
        = { "\xff\xff\xff\xff\x78\x9c", "", "\x01\x00\x00", valid.left(6), "\x10\x00\x00\x00" + valid.mid(4) };
    for (const QByteArray& input : cases) {
        void* output = reinterpret_cast<void*>(1);
        int32_t length = 7;
        EXPECT_NE(decompress(input.constData(), int32_t(input.size()), &output, &length), 0)
            << input.toHex().constData();
        EXPECT_EQ(output, nullptr);
        EXPECT_EQ(length, 0);
    }
}

TEST(ZippedBitmap, OutputBuffersGoBackToTheLibraryOnce)
{
    const TKelCompLibrary fake({ nullptr, TFakeLibrary::Decompress, TFakeLibrary::Free });
    EXPECT_FALSE(fake.IsLoaded());
    const TKelCompLibrary library({ TFakeLibrary::Decompress, TFakeLibrary::Decompress, TFakeLibrary::Free });
    // The bare signature hands an empty input to the library.
    EXPECT_EQ(ErrorOf([&] { Unzipped("ZBM", library); }), QStringLiteral("Bitmap image is not valid"));
    EXPECT_EQ(TFakeLibrary::inputLength, 0);
    EXPECT_EQ(TFakeLibrary::freed, 1);
    TFakeLibrary::fail = true;
    EXPECT_EQ(ErrorOf([&] { Unzipped("ZBM123", library); }), QStringLiteral("Zipped bitmap data damaged"));
    EXPECT_EQ(TFakeLibrary::inputLength, 3);
    EXPECT_EQ(TFakeLibrary::freed, 1);
    TFakeLibrary::fail = false;
}

TEST(ZippedBitmap, WithoutTheLibrary)
{
    TKelCompLibrary missing;
    EXPECT_FALSE(missing.Load(QStringLiteral("/nonexistent/kelcomp")));
    // A library without the three entry points counts as missing.
    EXPECT_FALSE(missing.Load(QStringLiteral("libz.so.1")));
    EXPECT_FALSE(missing.IsLoaded());
    const QString message = QStringLiteral("Compressor library KelComp.dll not found");
    EXPECT_EQ(ErrorOf([&] { Unzipped("ZBM", missing); }), message);
    EXPECT_EQ(ErrorOf([&] { Zipped(Picture(1, 1), missing); }), message);
}

TEST_F(ImageData, HexTextDecodesToTheBitmap)
{
    const QByteArray hex = Zipped(Picture(10, 20)).toHex().toUpper();
    QByteArray broken;
    for (qsizetype at = 0; at < hex.size(); at += 64)
        broken += hex.mid(at, 64) + "\r\n\t ";
    for (const QByteArray& text : { hex, broken, hex + "F", hex.toLower() }) {
        const TImagePigger& image = Image(text);
        ASSERT_TRUE(image.ImageData()->Decoded()) << text.left(80).constData();
        EXPECT_EQ(image.ImageData()->Image().convertToFormat(QImage::Format_RGB32), Picture(10, 20));
        // Taken at 96 pixels an inch.
        EXPECT_EQ(image.Rect(), (TPixelRect { 0, 0, 10, 20 }));
        // The text is not kept once decoded.
        EXPECT_TRUE(image.ImageData()->Text().isEmpty());
    }
    EXPECT_EQ(Image(hex, "<IMAGE NAME=\"P\" HEIGHT=\"10\"/>").Width(), 1890);
    EXPECT_EQ(Image(hex, "<IMAGE NAME=\"P\" WIDTH=\"10\"/>").Height(), 7560);
}

TEST_F(ImageData, TransparentColour)
{
    const QByteArray hex = Zipped(Picture(3, 3)).toHex().toUpper();
    Image(hex);
    const auto* data = dynamic_cast<TImageDataPigger*>(report.Images()->Child(0));
    // The lower left pixel: red 0, green 60, blue 0.
    EXPECT_EQ(data->TransparentColor(), 0x003C00u);
    EXPECT_FALSE(data->Transparent());
    Lay("<REPORT><IMAGES><IMAGEDATA TRANSPARENT-COLOR=\"white\" TRANSPARENT=\"YES\">" + hex
        + "</IMAGEDATA></IMAGES></REPORT>");
    const auto* set = dynamic_cast<TImageDataPigger*>(report.Images()->Child(0));
    EXPECT_EQ(set->TransparentColor(), 0xFFFFFFu);
    EXPECT_TRUE(set->Transparent());
}

TEST_F(ImageData, DamagedDataOrNoLibraryGivesAPlaceholderAndTheReportStillLaysOut)
{
    const QByteArray hex = Zipped(Picture(10, 20)).toHex().toUpper();
    for (const QByteArray& text :
        { hex.left(hex.size() - 10), QByteArray("5A424D"), QByteArray("ZZZZ"), QByteArray() }) {
        const TImagePigger& image = Image(text);
        EXPECT_FALSE(image.ImageData()->Decoded()) << text.constData();
        EXPECT_EQ(image.Rect(), (TPixelRect { 0, 0, 37, 37 }));
    }
    TKelCompLibrary missing;
    report.SetMeasurer(&measurer);
    report.SetCompressor(missing);
    report.Load("<REPORT><IMAGES><IMAGEDATA NAME=\"P\">" + hex
        + "</IMAGEDATA></IMAGES><BODY><BAND><IMAGE NAME=\"p\"/>"
          "</BAND></BODY></REPORT>");
    report.PrepareLayout(&device);
    EXPECT_EQ(report.PageCount(), 1);
    const auto& image = *dynamic_cast<TImagePigger*>(report.Body()->Child(0)->Child(0));
    EXPECT_FALSE(image.ImageData()->Decoded());
    EXPECT_EQ(image.Rect(), (TPixelRect { 0, 0, 37, 37 }));
}

TEST(DataStream, GrowsAndGivesBytesFromTheFront)
{
    TDataStream stream;
    const QByteArray bytes(5000, 'x');
    stream.Append(bytes.constData(), bytes.size());
    stream.Append('y');
    EXPECT_EQ(stream.Size(), 5001);
    EXPECT_EQ(stream.Take(4999), QByteArray(4999, 'x'));
    EXPECT_EQ(stream.Take(0), QByteArray("xy"));
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_EQ(stream.Take(3), QByteArray());
}

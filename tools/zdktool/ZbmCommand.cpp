#include "ZdkCommands.h"

#include "report/TKelCompLibrary.h"
#include "report/TZippedBitmap.h"
#include "tree/EKelError.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

namespace quillo::zdktool {

namespace {

const char* const ZbmUsage = "usage: zdktool zbm encode IMAGE --out FILE.zbm | zbm hex IMAGE | zbm decode FILE.zbm "
                             "--out IMAGE.png";

TZippedBitmap ReadImage(const QString& path)
{
    QImageReader reader(path);
    QImage image;
    if (!reader.read(&image))
        throw EKelError(QStringLiteral("Cannot read image %1: %2").arg(path, reader.errorString()));
    TZippedBitmap bitmap(TKelCompLibrary::Program());
    bitmap.SetImage(image);
    return bitmap;
}

} // namespace

int Zbm(const QStringList& args)
{
    QStringList operands;
    QString out;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--out") && i + 1 < args.size())
            out = args[++i];
        else if (args[i].startsWith(QLatin1String("--")))
            return Fail(QString::fromLatin1(ZbmUsage));
        else
            operands.append(args[i]);
    }
    const QString action = operands.value(0);
    if (operands.size() != 2 || (action == QLatin1String("hex")) != out.isEmpty())
        return Fail(QString::fromLatin1(ZbmUsage));
    const QString& input = operands[1];
    if (action == QLatin1String("encode")) {
        if (!WriteFile(out, ReadImage(input).Save()))
            return 1;
    } else if (action == QLatin1String("hex")) {
        // Upper-case digits, 64 a line: the form IMAGEDATA takes.
        const QByteArray hex = ReadImage(input).Save().toHex().toUpper();
        for (qsizetype at = 0; at < hex.size(); at += 64)
            WriteOut(hex.mid(at, 64) + '\n');
    } else if (action == QLatin1String("decode")) {
        QByteArray bytes = ReadInput(input);
        QBuffer stream(&bytes);
        stream.open(QIODevice::ReadOnly);
        TZippedBitmap bitmap(TKelCompLibrary::Program());
        bitmap.LoadFromStream(stream);
        QByteArray png;
        QBuffer image(&png);
        image.open(QIODevice::WriteOnly);
        // The format follows the name's extension, as QImage::save would choose it for a file.
        const QByteArray format = QFileInfo(out).suffix().toLatin1();
        if (!bitmap.Image().save(&image, format.isEmpty() ? "PNG" : format.constData()))
            throw EKelError(QStringLiteral("Cannot create file %1").arg(out));
        if (!WriteFile(out, png))
            return 1;
    } else {
        return Fail(QString::fromLatin1(ZbmUsage));
    }
    return 0;
}

} // namespace quillo::zdktool

#include "report/TImageDataPigger.h"

#include "report/TDataStream.h"
#include "tree/EKelError.h"

#include <QBuffer>

namespace quillo {

TImageDataPigger::TImageDataPigger(TKelPigger* parent, const TKelCompLibrary& compressor)
    : TBasePigger(parent)
    , m_compressor(compressor)
    , m_bitmap(compressor)
{
}

TKelPigger* TImageDataPigger::Create(TKelPigger* parent) const { return new TImageDataPigger(parent, m_compressor); }

QByteArray TImageDataPigger::DecodeHex(const QByteArray& text)
{
    TDataStream digits;
    for (const char ch : text)
        if (uchar(ch) > 32)
            digits.Append(ch);
    const QByteArray all = digits.Take();
    const auto value = [](uchar code) {
        if (code >= 'a' && code <= 'f')
            return code - 'a' + 10;
        const int digit = code - 48;
        return digit > 15 ? digit - 7 : digit;
    };
    QByteArray bytes(all.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char((value(uchar(all[2 * i])) * 16 + value(uchar(all[2 * i + 1]))) & 0xFF);
    return bytes;
}

void TImageDataPigger::Init()
{
    m_name = GetAttr(QStringLiteral("NAME")).toUpper();
    // The text is dropped once decoded; a second Init keeps the bitmap.
    if (m_decoded && Text().isEmpty())
        return;
    try {
        QByteArray bytes = DecodeHex(Text());
        QBuffer stream(&bytes);
        stream.open(QIODevice::ReadOnly);
        m_bitmap.LoadFromStream(stream);
        m_decoded = true;
    } catch (const EKelError&) {
        m_decoded = false;
    }
    SetText(QByteArray());
    m_transparentColor
        = ReportValues::ParseColor(ReportValues::Attr(*this, u"TRANSPARENT-COLOR"), ReportValues::InheritColor);
    if (m_transparentColor == ReportValues::InheritColor && m_decoded) {
        const QRgb pixel = Image().pixel(0, Image().height() - 1);
        m_transparentColor = uint32_t(qRed(pixel)) | uint32_t(qGreen(pixel)) << 8 | uint32_t(qBlue(pixel)) << 16;
    }
    m_transparent = ReportValues::IsYes(ReportValues::Attr(*this, u"TRANSPARENT"));
}

} // namespace quillo

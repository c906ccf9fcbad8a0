#include "tree/KelTextFile.h"

#include "tree/EKelError.h"
#include "tree/EKelPiggerError.h"
#include "tree/TKelPigger.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quillo::KelTextFile {

namespace {

[[noreturn]] void RaiseTooLarge(const QString& name, qint64 maxSize)
{
    throw EKelError(QStringLiteral("Text too large: %1 is over the limit of %2 bytes").arg(name).arg(maxSize));
}

// Appends what the device holds, up to maxSize + 1 bytes; a full buffer grows geometrically.
void ReadInto(QIODevice& device, QByteArray& data, const QString& name, qint64 maxSize)
{
    for (;;) {
        if (data.size() > maxSize)
            RaiseTooLarge(name, maxSize);
        if (data.size() == data.capacity())
            data.reserve(qsizetype(std::min<qint64>(maxSize + 1, std::max<qint64>(2 * data.capacity(), 1 << 16))));
        const qsizetype used = data.size();
        const qint64 chunk = std::min<qint64>(data.capacity() - used, 1 << 20);
        data.resize(used + qsizetype(chunk));
        const qint64 got = device.read(data.data() + used, chunk);
        if (got < 0)
            throw EKelError(QStringLiteral("Cannot read %1: %2").arg(name, device.errorString()));
        data.resize(used + qsizetype(got));
        // As for readAll: a device that has nothing more to give is at its end (files block until it is).
        if (got == 0)
            return;
    }
}

// True when the text holds no NUL and every line end in it is a CR LF: each LF follows a CR and
// each CR precedes an LF.
bool HasNormalLineEnds(QByteArrayView text)
{
    const char* data = text.data();
    const qsizetype size = text.size();
    qsizetype i = 0;
    bool afterCr = false; // the byte before i is a CR
#ifdef __SSE2__
    // Thirty-two bytes at a time: the LFs must sit exactly one place after the CRs.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i nul = _mm_setzero_si128();
    const auto mask = [](__m128i low, __m128i high, __m128i byte) {
        return uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(low, byte)))
            | uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(high, byte))) << 16;
    };
    for (; i + 32 <= size; i += 32) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 16));
        const uint32_t crs = mask(low, high, cr);
        if (mask(low, high, nul) != 0 || mask(low, high, lf) != ((crs << 1) | uint32_t(afterCr)))
            return false;
        afterCr = (crs >> 31) != 0;
    }
#endif
    for (; i < size; ++i) {
        const char byte = data[i];
        if (byte == '\0' || (byte == '\n') != afterCr)
            return false;
        afterCr = byte == '\r';
    }
    return !afterCr;
}

} // namespace

QByteArray Normalized(QByteArray text)
{
    if (!HasNormalLineEnds(text))
        return TKelPigger::NormalizeText(text);
    if (!text.isEmpty() && !text.endsWith('\n'))
        text.append("\r\n", 2);
    return text;
}

void Load(TKelPigger& root, const QByteArray& file)
{
    const QByteArray text = Normalized(file);
    try {
        root.LoadFromText(text);
    } catch (EKelPiggerError& error) {
        if (text.constData() != file.constData())
            error.Position = int(TFilePositions(file).FilePosition(error.Position));
        throw;
    }
}

qint64 TFilePositions::FilePosition(qint64 textPosition)
{
    const qint64 target = textPosition - 1;
    while (m_text < target && m_at < m_file.size()) {
        const char ch = m_file[m_at];
        if (ch != '\r' && ch != '\n') {
            ++m_at;
            ++m_text;
            continue;
        }
        // Every line end became CR LF: two bytes of text for one or two of the file.
        const qsizetype width = (ch == '\r' && m_at + 1 < m_file.size() && m_file[m_at + 1] == '\n') ? 2 : 1;
        if (m_text + 1 == target)
            return m_at + width;
        m_at += width;
        m_text += 2;
    }
    return m_at + 1;
}

QString Open(QFile& file, const QString& path, qint64 maxSize)
{
    // Non-blocking, so that opening a FIFO without a writer returns at once.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    struct stat info { };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        file.close();
        return QStringLiteral("Not a regular file");
    }
    if (info.st_size > maxSize) {
        file.close();
        return QStringLiteral("Text too large: %1 bytes, over the limit of %2 bytes")
            .arg(qint64(info.st_size))
            .arg(maxSize);
    }
    return QString();
}

QByteArray Read(const QString& path, qint64 maxSize)
{
    QFile file;
    const QString refusal = Open(file, path, maxSize);
    if (!refusal.isEmpty())
        throw EKelError(QStringLiteral("Cannot open file %1: %2").arg(path, refusal));
    QByteArray data;
    // Two bytes more for the line end that normalising may append.
    data.reserve(qsizetype(file.size()) + 2);
    ReadInto(file, data, path, maxSize);
    return data;
}

QByteArray ReadStream(QIODevice& device, const QString& name, qint64 maxSize)
{
    QByteArray data;
    // A file says how much it holds: one allocation then, instead of growing through copies. The two
    // bytes more are for the line end that normalising may append.
    if (!device.isSequential())
        data.reserve(qsizetype(std::clamp<qint64>(device.size() - device.pos(), 0, maxSize)) + 2);
    ReadInto(device, data, name, maxSize);
    return data;
}

} // namespace quillo::KelTextFile

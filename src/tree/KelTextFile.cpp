#include "tree/KelTextFile.h"

#include "tree/EKelError.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

} // namespace

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
    data.reserve(qsizetype(file.size()) + 1);
    ReadInto(file, data, path, maxSize);
    return data;
}

QByteArray ReadStream(QIODevice& device, const QString& name, qint64 maxSize)
{
    QByteArray data;
    ReadInto(device, data, name, maxSize);
    return data;
}

} // namespace quillo::KelTextFile

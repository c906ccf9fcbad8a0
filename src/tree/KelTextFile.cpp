#include "tree/KelTextFile.h"

#include "tree/EKelError.h"

#include <QFile>

#include <algorithm>

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

QByteArray Read(const QString& path, qint64 maxSize)
{
    // Non-blocking, so that opening a FIFO without a writer returns at once; only a regular file is read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw EKelError(QStringLiteral("Cannot open file %1").arg(path));
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw EKelError(QStringLiteral("Cannot open file %1").arg(path));
    }
    struct stat info { };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        throw EKelError(QStringLiteral("Cannot open file %1: not a regular file").arg(path));
    if (info.st_size > maxSize)
        throw EKelError(QStringLiteral("Text too large: %1 is %2 bytes, over the limit of %3 bytes")
                            .arg(path)
                            .arg(qint64(info.st_size))
                            .arg(maxSize));
    QByteArray data;
    data.reserve(qsizetype(info.st_size) + 1);
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

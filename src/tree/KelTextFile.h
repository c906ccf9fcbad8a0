#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace quillo::KelTextFile {

// The largest document text read. Its tree takes a few times its size in memory, and the reader
// addresses at most 2 GiB of text after line ends are normalised (which can double it).
constexpr qint64 MaxSize = qint64(1) << 30;

// Reads a whole file. Raises for a path that is not a regular file (a device, a FIFO, a folder:
// they never end or block) and for a file larger than maxSize, before reading anything.
QByteArray Read(const QString& path, qint64 maxSize = MaxSize);
// Reads a stream to its end, refusing it once it passes maxSize bytes; name names it in messages.
QByteArray ReadStream(QIODevice& device, const QString& name, qint64 maxSize = MaxSize);

} // namespace quillo::KelTextFile

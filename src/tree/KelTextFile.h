#pragma once

#include <QByteArray>
#include <QString>

class QFile;
class QIODevice;

namespace quillo {
class TKelPigger;
}

namespace quillo::KelTextFile {

// The largest document text read. Its tree takes a few times its size in memory, and the reader
// addresses at most 2 GiB of text after line ends are normalised (which can double it).
constexpr qint64 MaxSize = qint64(1) << 30;

// Opens a file for reading. Refuses a path that is not a regular file (a device, a FIFO, a folder:
// they never end or block) and a file larger than maxSize, before reading anything. Returns the
// reason of a refusal ("Not a regular file", "Text too large: ..."), or an empty string.
QString Open(QFile& file, const QString& path, qint64 maxSize = MaxSize);
// Reads a whole file that Open accepts; raises "Cannot open file PATH: REASON" otherwise.
QByteArray Read(const QString& path, qint64 maxSize = MaxSize);
// Reads a stream to its end, refusing it once it passes maxSize bytes; name names it in messages.
QByteArray ReadStream(QIODevice& device, const QString& name, qint64 maxSize = MaxSize);

// TKelPigger::NormalizeText(text). A text whose line ends are all CR LF already (as in every file
// this program writes) is taken over instead of copied: at most the last line end is appended, in
// place when the buffer has room (Read and ReadStream leave it).
QByteArray Normalized(QByteArray text);

// Reads the bytes of a file into root with their line ends normalised; a reading fault's position counts
// the file's own bytes, so an editor finds it whatever line ends the file has.
void Load(TKelPigger& root, const QByteArray& file);

// Moves byte positions (from 1) in the text Normalized made of a file back onto the file's bytes.
// Positions must come in ascending order: one walk over the file serves them all.
class TFilePositions {
public:
    explicit TFilePositions(const QByteArray& file)
        : m_file(file)
    {
    }

    qint64 FilePosition(qint64 textPosition);

private:
    const QByteArray& m_file;
    qsizetype m_at = 0;
    qint64 m_text = 0;
};

} // namespace quillo::KelTextFile

#include "notebook/TDiskFileOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace quillo {

namespace {

// Flushes the folder's entries, so that a renamed file keeps its new name across a power cut.
void SyncFolder(const QString& file)
{
    const int fd
        = ::open(QFile::encodeName(QFileInfo(file).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// The file QSaveFile writes: the target, with a symbolic link followed.
QString SaveTarget(const QString& path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : path;
}

// Removes the temporary files a failed or killed save left beside target: QSaveFile names them
// "NAME.XXXXXX" with six random letters. Names with all six in one case, or capitalised like a
// word, are spared: those may be the user's own files ("NAME.backup").
void RemoveSaveLeftovers(const QString& target)
{
    const QFileInfo info(target);
    const QRegularExpression leftover(QStringLiteral("^%1\\.(?=.*[a-z])(?![A-Z][a-z]{5}$)(?=.*[A-Z])[A-Za-z]{6}$")
                                          .arg(QRegularExpression::escape(info.fileName())));
    for (const QFileInfo& entry : QDir(info.absolutePath()).entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
        if (!entry.isSymLink() && leftover.match(entry.fileName()).hasMatch())
            QFile::remove(entry.absoluteFilePath());
}

} // namespace

bool TDiskFileOps::Exists(const QString& path) { return QFileInfo::exists(path); }

bool TDiskFileOps::Copy(const QString& from, const QString& to, QString& error)
{
    QFile file(from);
    if (file.copy(to))
        return true;
    error = file.errorString();
    return false;
}

bool TDiskFileOps::Remove(const QString& path) { return QFile::remove(path); }

bool TDiskFileOps::Rename(const QString& from, const QString& to, QString& error)
{
    // QFile::rename refuses an existing target; rename(2) replaces it atomically.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    SyncFolder(to);
    return true;
}

bool TDiskFileOps::Write(const QString& path, const QByteArray& data, QString& error)
{
    // A file without any write permission is read-only to us even where the account could override that.
    constexpr QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    const QFileInfo existing(path);
    if (existing.exists() && !(existing.permissions() & anyWrite)) {
        error = QStringLiteral("The file is read-only");
        return false;
    }
    RemoveSaveLeftovers(SaveTarget(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (file.write(data) != data.size()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    SyncFolder(SaveTarget(path));
    return true;
}

} // namespace quillo

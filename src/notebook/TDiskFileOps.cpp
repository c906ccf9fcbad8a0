#include "notebook/TDiskFileOps.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quillo {

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
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
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
    return true;
}

} // namespace quillo

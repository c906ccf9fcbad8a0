#pragma once

#include "notebook/IFileOps.h"

namespace quillo {

// Writes documents so that a failure at any step leaves the file on disk as it was.
class TSafeFileWriter {
public:
    explicit TSafeFileWriter(IFileOps& files)
        : m_files(files)
    {
    }

    // Keeps a copy of the current file under backupPath (when the file exists), then replaces the file
    // with data. The copy goes through a temporary name, so an earlier backup survives a failed copy.
    bool WriteWithBackup(const QString& path, const QString& backupPath, const QByteArray& data);
    bool Write(const QString& path, const QByteArray& data);

    // The message for the user after a failed write.
    const QString& Error() const { return m_error; }

    // The path with the extension of its file name replaced by ".BAK"; "NAME.BAK" gets "NAME.BAK.BAK".
    static QString BackupName(const QString& path);

private:
    bool Backup(const QString& path, const QString& backupPath);
    bool Fail(const QString& path, const QString& reason);

    IFileOps& m_files;
    QString m_error;
};

} // namespace quillo

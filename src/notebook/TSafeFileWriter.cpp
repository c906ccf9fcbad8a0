#include "notebook/TSafeFileWriter.h"

namespace quillo {

bool TSafeFileWriter::WriteWithBackup(const QString& path, const QString& backupPath, const QByteArray& data)
{
    return Backup(path, backupPath) && Write(path, data);
}

bool TSafeFileWriter::Write(const QString& path, const QByteArray& data)
{
    QString reason;
    if (!m_files.Write(path, data, reason))
        return Fail(path, reason);
    m_error.clear();
    return true;
}

QString TSafeFileWriter::BackupName(const QString& path)
{
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const QString backup = (dot >= nameStart ? path.left(dot) : path) + QStringLiteral(".BAK");
    // A document that is itself a backup (opened to recover from it) keeps its own backup.
    return backup == path ? path + QStringLiteral(".BAK") : backup;
}

bool TSafeFileWriter::Backup(const QString& path, const QString& backupPath)
{
    // A missing file (not yet written, or deleted meanwhile) has nothing to keep.
    if (!m_files.Exists(path))
        return true;
    const QString stem = backupPath + QStringLiteral(".tmp");
    // Copies left behind by a failed or killed save.
    for (int n = 0;; ++n) {
        const QString leftover = n == 0 ? stem : stem + QString::number(n);
        if (!m_files.Exists(leftover))
            break;
        m_files.Remove(leftover);
    }
    QString temporary = stem;
    for (int n = 1; m_files.Exists(temporary); ++n)
        temporary = stem + QString::number(n);
    QString reason;
    if (m_files.Copy(path, temporary, reason) && m_files.Rename(temporary, backupPath, reason))
        return true;
    m_files.Remove(temporary);
    return Fail(backupPath, reason);
}

bool TSafeFileWriter::Fail(const QString& path, const QString& reason)
{
    m_error = QStringLiteral("Cannot create file %1").arg(path);
    if (!reason.isEmpty())
        m_error += QLatin1Char('\n') + reason;
    return false;
}

} // namespace quillo

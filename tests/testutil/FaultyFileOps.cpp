#include "testutil/FaultyFileOps.h"

namespace quillo::testutil {

bool FaultyFileOps::Pass(const QString& entry, QString& error)
{
    const bool fail = ++m_steps == m_failAt;
    m_log << (fail ? entry + QStringLiteral(" FAILED") : entry);
    if (fail)
        error = InjectedFault();
    return !fail;
}

bool FaultyFileOps::Remove(const QString& path)
{
    QString ignored;
    return Pass(QStringLiteral("Remove ") + path, ignored) && m_disk.Remove(path);
}

bool FaultyFileOps::Exists(const QString& path) { return m_disk.Exists(path); }

bool FaultyFileOps::Copy(const QString& from, const QString& to, QString& error)
{
    return Pass(QStringLiteral("Copy %1 %2").arg(from, to), error) && m_disk.Copy(from, to, error);
}

bool FaultyFileOps::Rename(const QString& from, const QString& to, QString& error)
{
    return Pass(QStringLiteral("Rename %1 %2").arg(from, to), error) && m_disk.Rename(from, to, error);
}

bool FaultyFileOps::Write(const QString& path, const QByteArray& data, QString& error)
{
    return Pass(QStringLiteral("Write ") + path, error) && m_disk.Write(path, data, error);
}

} // namespace quillo::testutil

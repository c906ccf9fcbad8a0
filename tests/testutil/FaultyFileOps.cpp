#include "testutil/FaultyFileOps.h"

namespace quillo::testutil {

bool FaultyFileOps::Pass(const QString& entry)
{
    const bool fail = ++m_steps == m_failAt;
    m_log << (fail ? entry + QStringLiteral(" FAILED") : entry);
    return !fail;
}

bool FaultyFileOps::Exists(const QString& path) { return m_disk.Exists(path); }

bool FaultyFileOps::Copy(const QString& from, const QString& to)
{
    return Pass(QStringLiteral("Copy %1 %2").arg(from, to)) && m_disk.Copy(from, to);
}

bool FaultyFileOps::Remove(const QString& path)
{
    return Pass(QStringLiteral("Remove ") + path) && m_disk.Remove(path);
}

bool FaultyFileOps::Rename(const QString& from, const QString& to)
{
    return Pass(QStringLiteral("Rename %1 %2").arg(from, to)) && m_disk.Rename(from, to);
}

bool FaultyFileOps::Write(const QString& path, const QByteArray& data, QString& error)
{
    return Pass(QStringLiteral("Write ") + path) && m_disk.Write(path, data, error);
}

} // namespace quillo::testutil

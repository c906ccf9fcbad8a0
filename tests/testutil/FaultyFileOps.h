#pragma once

#include "notebook/TDiskFileOps.h"

#include <QStringList>

namespace quillo::testutil {

// The real file steps, except that the step numbered FailAt (1-based, counting Copy, Remove, Rename and
// Write) fails without touching the disk. FailAt 0 never fails. Exists is a question, not a step: it is
// neither counted nor logged. Every step is logged as "Op path", with " FAILED" on the failing one.
class FaultyFileOps : public IFileOps {
public:
    explicit FaultyFileOps(int failAt = 0)
        : m_failAt(failAt)
    {
    }

    // The reason a failing step gives.
    static QString InjectedFault() { return QStringLiteral("Injected fault"); }

    int Steps() const { return m_steps; }
    const QStringList& Log() const { return m_log; }

    bool Exists(const QString& path) override;
    bool Copy(const QString& from, const QString& to, QString& error) override;
    bool Remove(const QString& path) override;
    bool Rename(const QString& from, const QString& to, QString& error) override;
    bool Write(const QString& path, const QByteArray& data, QString& error) override;

private:
    // Counts the step; false, with the reason in error, when this one is to fail.
    bool Pass(const QString& entry, QString& error);

    int m_failAt;
    int m_steps = 0;
    QStringList m_log;
    TDiskFileOps m_disk;
};

} // namespace quillo::testutil

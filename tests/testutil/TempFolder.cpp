#include "testutil/TempFolder.h"

#include <QDir>
#include <QFile>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillo::testutil {

TempFolder::TempFolder() { m_dir.setAutoRemove(true); }

QString TempFolder::File(const QString& name) const { return m_dir.filePath(name); }

QString TempFolder::Write(const QString& name, const QByteArray& bytes) const
{
    const QString path = File(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(path));
    return path;
}

void TempFolder::OpenToEveryone() const
{
    QFile::setPermissions(Path(),
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
            | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
}

QByteArray TempFolder::Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList TempFolder::Names(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

bool RunWithoutRoot(const std::function<bool()>& body)
{
    if (geteuid() != 0)
        return body();
    const pid_t child = fork();
    if (child == 0) {
        constexpr uid_t nobody = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)
            _exit(2);
        _exit(body() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace quillo::testutil

#include "notebook/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quillo::ProgramPaths {

QString Resolve(const QString& path)
{
    QString native = path;
    native.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QFileInfo(native).isAbsolute())
        return QDir::cleanPath(native);
    QString fromWorkingFolder = QDir::cleanPath(QDir::current().absoluteFilePath(native));
    if (QFileInfo::exists(fromWorkingFolder))
        return fromWorkingFolder;
    const QString fromProgram = QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(native));
    return QFileInfo::exists(fromProgram) ? fromProgram : fromWorkingFolder;
}

QString DocumentationFile() { return Resolve(QStringLiteral("..\\docs\\index.html")); }

QString SampleNotebook() { return Resolve(QStringLiteral("../samples/friends.zdk")); }

} // namespace quillo::ProgramPaths

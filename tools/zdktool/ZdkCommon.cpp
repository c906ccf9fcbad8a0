#include "ZdkCommands.h"

#include "tree/EKelError.h"

#include <QFile>

#include <cstdio>

namespace quillo::zdktool {

int Fail(const QString& message)
{
    std::fprintf(stderr, "error: %s\n", message.toUtf8().constData());
    return 1;
}

QByteArray ReadInput(const QString& path)
{
    QFile file;
    const bool opened = path == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                   : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened)
        throw EKelError(QStringLiteral("Cannot open file %1").arg(path));
    return file.readAll();
}

} // namespace quillo::zdktool

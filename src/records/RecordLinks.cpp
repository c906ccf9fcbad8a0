#include "records/RecordLinks.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace quillo::RecordLinks {

std::optional<QUrl> WebAddress(const QString& value)
{
    const QString text = value.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    // "host:8080/..." has no scheme; "c:\dir", "file:..." and "javascript:..." have one.
    static const QRegularExpression schemePrefix(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):(?!\\d)"));
    const QRegularExpressionMatch match = schemePrefix.match(text);
    QUrl url;
    if (match.hasMatch()) {
        const QString scheme = match.captured(1).toLower();
        if (scheme != QLatin1String("http") && scheme != QLatin1String("https") && scheme != QLatin1String("ftp"))
            return std::nullopt;
        url = QUrl(text, QUrl::TolerantMode);
    } else {
        // A path, not a host: "/etc", "./x", "~/x", "\\server\share".
        if (text.startsWith(QLatin1Char('/')) || text.startsWith(QLatin1Char('\\')) || text.startsWith(QLatin1Char('.'))
            || text.startsWith(QLatin1Char('~')))
            return std::nullopt;
        url = QUrl(QStringLiteral("http://") + text, QUrl::TolerantMode);
    }
    if (!url.isValid() || url.host().isEmpty())
        return std::nullopt;
    return url;
}

QString NotWebAddressMessage(const QString& value)
{
    return QStringLiteral("\"%1\"\nis not a web address. Only http, https and ftp addresses are opened.").arg(value);
}

QUrl MailtoAddress(const QString& value)
{
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    // Encoded here, the "?" and "#" of the value stay inside the address.
    url.setPath(QString::fromLatin1(QUrl::toPercentEncoding(value.trimmed(), "@!$'()*+,;=:._~-/")), QUrl::StrictMode);
    return url;
}

bool RunsAsProgram(const QString& absolutePath)
{
    const QFileInfo info(absolutePath);
    if (!info.isFile())
        return false;
    if (info.isExecutable())
        return true;
    static const QStringList programSuffixes { QStringLiteral("desktop"), QStringLiteral("exe"), QStringLiteral("com"),
        QStringLiteral("bat"), QStringLiteral("cmd"), QStringLiteral("msi"), QStringLiteral("jar"),
        QStringLiteral("appimage"), QStringLiteral("sh"), QStringLiteral("run") };
    return programSuffixes.contains(info.suffix().toLower());
}

QString RunProgramQuestion(const QString& absolutePath)
{
    return QStringLiteral("\"%1\"\nis a program or a script: opening it runs it.\nRun it?").arg(absolutePath);
}

QString FileNotFoundMessage(const QString& value) { return QStringLiteral("File \"%1\"\nnot found.").arg(value); }

QString NoApplicationMessage()
{
    return QStringLiteral("There is no application associated with the given filename extension.");
}

} // namespace quillo::RecordLinks

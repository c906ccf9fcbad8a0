#include "app/XDisplay.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

namespace quillo::test {

namespace {

constexpr int WaitMs = 10'000;

} // namespace

XDisplay::XDisplay()
{
    // A server that took a display number but does not answer on it is replaced once.
    for (int attempt = 0; attempt < 2 && m_display.isEmpty(); ++attempt)
        StartServer();
}

void XDisplay::StartServer()
{
    // Xvfb picks a free display number and tells it on the descriptor given.
    m_server.start(QStringLiteral("Xvfb"),
        { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
            QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp") });
    if (m_server.waitForStarted() && m_server.waitForReadyRead(WaitMs)) {
        const QByteArray number = m_server.readAllStandardOutput().trimmed();
        if (!number.isEmpty())
            m_display = QStringLiteral(":") + QString::fromLatin1(number);
    }
    if (!m_display.isEmpty()
        && WaitFor([this] { return !XDoTool({ QStringLiteral("getdisplaygeometry") }).trimmed().isEmpty(); }))
        return;
    m_display.clear();
    m_server.kill();
    m_server.waitForFinished();
}

XDisplay::~XDisplay()
{
    for (QProcess* process : { &m_program, &m_server }) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->kill();
        process->waitForFinished();
    }
}

bool XDisplay::Available()
{
    for (const char* tool : { "Xvfb", "xdotool", "import" })
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            return false;
    return true;
}

QProcessEnvironment XDisplay::Environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    if (!m_configFolder.isEmpty())
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_configFolder);
    return environment;
}

bool XDisplay::StartProgram(const QString& program, const QString& configFolder, const QString& workFolder)
{
    m_configFolder = configFolder;
    m_program.setProcessEnvironment(Environment());
    m_program.setWorkingDirectory(workFolder);
    m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Now and then a start cannot connect to a display that has just answered, and the program ends at once:
    // it is started again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        m_program.start(program, {});
        if (!m_program.waitForStarted())
            return false;
        const bool shown = WaitFor([this] {
            m_window = QString::fromLatin1(
                XDoTool({ QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                            QStringLiteral("^Quillo-ZDK( - .*)?\\*?$") })
                    .split('\n')
                    .value(0)
                    .trimmed());
            return !m_window.isEmpty() || m_program.waitForFinished(0);
        });
        if (!m_window.isEmpty())
            return true;
        if (!shown)
            return false;
        QThread::msleep(200);
    }
    return false;
}

bool XDisplay::WaitForExit() { return m_program.waitForFinished(WaitMs); }

QByteArray XDisplay::XDoTool(const QStringList& arguments)
{
    QProcess tool;
    tool.setProcessEnvironment(Environment());
    tool.start(QStringLiteral("xdotool"), arguments);
    tool.waitForFinished(WaitMs);
    return tool.readAllStandardOutput();
}

QImage XDisplay::Shot()
{
    QProcess import;
    import.setProcessEnvironment(Environment());
    import.start(
        QStringLiteral("import"), { QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-") });
    import.waitForFinished(WaitMs);
    return QImage::fromData(import.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
}

bool XDisplay::WaitFor(const std::function<bool()>& condition)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > WaitMs)
            return false;
        QThread::msleep(100);
    }
    return true;
}

QRect XDisplay::Geometry(const QString& window)
{
    QRect rect;
    for (const QByteArray& line : XDoTool({ "getwindowgeometry", "--shell", window }).split('\n')) {
        const QList<QByteArray> pair = line.split('=');
        const int value = pair.value(1).toInt();
        if (pair[0] == "X")
            rect.moveLeft(value);
        else if (pair[0] == "Y")
            rect.moveTop(value);
        else if (pair[0] == "WIDTH")
            rect.setWidth(value);
        else if (pair[0] == "HEIGHT")
            rect.setHeight(value);
    }
    return rect;
}

QString XDisplay::FindWindow(const QString& pattern, const QString& except, const QString& by)
{
    QString window;
    WaitFor([&] {
        for (const QByteArray& id : XDoTool({ "search", "--onlyvisible", by, pattern }).split('\n')) {
            window = QString::fromLatin1(id.trimmed());
            if (!window.isEmpty() && window != except)
                return true;
        }
        window.clear();
        return false;
    });
    return window;
}

bool XDisplay::HasFocus(const QString& window)
{
    return WaitFor([&] { return XDoTool({ "getwindowfocus" }).trimmed() == window.toLatin1(); });
}

void XDisplay::Click(int x, int y)
{
    XDoTool({ "mousemove", "--sync", QString::number(x), QString::number(y), "click", "1" });
}

} // namespace quillo::test

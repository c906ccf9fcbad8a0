#pragma once

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QStringList>

#include <functional>

namespace quillo::test {

// A virtual X display of its own (Xvfb, no window manager) for driving the real program with xdotool and
// looking at it through screenshots. Everything started here ends with the object.
class XDisplay {
public:
    XDisplay();
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    // True when Xvfb, xdotool and import (ImageMagick) are installed.
    static bool Available();
    bool Started() const { return !m_display.isEmpty(); }

    // Starts program on the display with the given configuration folder; false when its window does
    // not show within the wait.
    bool StartProgram(const QString& program, const QString& configFolder, const QString& workFolder);
    bool ProgramRunning() const { return m_program.state() == QProcess::Running; }
    // Waits for the program to end; true when it did.
    bool WaitForExit();

    // Runs xdotool with the arguments; its output.
    QByteArray XDoTool(const QStringList& arguments);
    // The whole screen as it looks now.
    QImage Shot();
    // Polls until condition holds, for up to ten seconds.
    static bool WaitFor(const std::function<bool()>& condition);

    // Where a window is on the screen; an empty rectangle when it is not shown.
    QRect Geometry(const QString& window);
    // The first visible window but except whose title (or, with "--class", class) matches the pattern, ignoring
    // case; empty when none shows within the wait.
    QString FindWindow(
        const QString& pattern, const QString& except = QString(), const QString& by = QStringLiteral("--name"));
    // Waits until window has the keyboard: keys sent before would go elsewhere.
    bool HasFocus(const QString& window);
    // Moves the mouse to the point and clicks the left button.
    void Click(int x, int y);

    // The main window's X id, found when the program started.
    const QString& MainWindow() const { return m_window; }

private:
    // Starts Xvfb and waits until it answers; m_display stays empty when it does not.
    void StartServer();
    QProcessEnvironment Environment() const;

    QProcess m_server;
    QProcess m_program;
    QString m_display;
    QString m_configFolder;
    QString m_window;
};

} // namespace quillo::test

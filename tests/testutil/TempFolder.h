#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>

namespace quillo::testutil {

// A folder removed with everything in it when the test ends.
class TempFolder {
public:
    TempFolder();

    QString Path() const { return m_dir.path(); }
    // The path of name inside the folder.
    QString File(const QString& name) const;
    // Writes bytes to name inside the folder and returns its path.
    QString Write(const QString& name, const QByteArray& bytes) const;
    // Lets every account in, for tests that run part of their work without root.
    void OpenToEveryone() const;

    // The whole contents of a file; empty when it cannot be read.
    static QByteArray Read(const QString& path);
    // The names in a folder, sorted.
    static QStringList Names(const QString& folder);

private:
    QTemporaryDir m_dir;
};

// Permissions bind everyone but root. When the tests run as root, body runs in a child process as the
// account "nobody" (its result becomes the child's exit code); otherwise it simply runs. Returns its result.
// Only plain checks fit in body: test assertions made in a child process are lost.
bool RunWithoutRoot(const std::function<bool()>& body);

} // namespace quillo::testutil

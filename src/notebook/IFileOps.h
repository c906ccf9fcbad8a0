#pragma once

#include <QByteArray>
#include <QString>

namespace quillo {

// The file steps of saving, behind an interface so that tests can make any one of them fail.
class IFileOps {
public:
    virtual ~IFileOps() = default;

    virtual bool Exists(const QString& path) = 0;
    // Copies the contents and permissions of from (following symbolic links) to a new file to. On failure
    // error holds the reason, as for Rename and Write.
    virtual bool Copy(const QString& from, const QString& to, QString& error) = 0;
    virtual bool Remove(const QString& path) = 0;
    // Renames from to to, replacing to in one step when it exists; the new name is flushed to disk.
    virtual bool Rename(const QString& from, const QString& to, QString& error) = 0;
    // Writes data through a temporary file in the target's folder that replaces the target only when complete;
    // a symbolic link stays a link and its target gets the data. Temporary files an earlier failed write left
    // are removed first, and the new name is flushed to disk. On failure error holds the reason.
    virtual bool Write(const QString& path, const QByteArray& data, QString& error) = 0;
};

} // namespace quillo

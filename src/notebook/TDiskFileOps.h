#pragma once

#include "notebook/IFileOps.h"

namespace quillo {

// The file steps on the real file system.
class TDiskFileOps : public IFileOps {
public:
    bool Exists(const QString& path) override;
    bool Copy(const QString& from, const QString& to, QString& error) override;
    bool Remove(const QString& path) override;
    bool Rename(const QString& from, const QString& to, QString& error) override;
    bool Write(const QString& path, const QByteArray& data, QString& error) override;
};

} // namespace quillo

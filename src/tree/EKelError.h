#pragma once

#include <QString>

#include <stdexcept>

namespace quillo {

// The program's general exception: carries the message shown to the user.
class EKelError : public std::runtime_error {
public:
    explicit EKelError(const QString& message)
        : std::runtime_error(message.toStdString())
    {
    }
    explicit EKelError(const char* message)
        : std::runtime_error(message)
    {
    }

    QString Message() const { return QString::fromUtf8(what()); }
};

} // namespace quillo

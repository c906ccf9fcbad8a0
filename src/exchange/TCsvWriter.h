#pragma once

#include <QByteArray>
#include <QStringList>

namespace quillo {

// Writes CSV after RFC 4180: comma-separated, CRLF line ends, UTF-8 without a byte order mark, and quotes
// only around values that hold a comma, a quote or a line break.
class TCsvWriter {
public:
    void AddRow(const QStringList& values);
    const QByteArray& Bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

} // namespace quillo

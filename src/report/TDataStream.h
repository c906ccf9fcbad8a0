#pragma once

#include <QByteArray>

namespace quillo {

// A growable byte buffer: appends at the end, takes from the front.
class TDataStream {
public:
    void Append(const char* bytes, qsizetype count);
    void Append(char byte) { Append(&byte, 1); }
    // Removes and returns the first count bytes; all of them when count is below 1.
    QByteArray Take(qsizetype count = 0);
    void Clear() { m_storage.clear(), m_used = 0; }
    qsizetype Size() const { return m_used; }

    static constexpr qsizetype GrowthStep = 4096;

private:
    QByteArray m_storage;
    qsizetype m_used = 0;
};

} // namespace quillo

#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

namespace quillo {

class TKelPigger;

// Reader state shared by every node reading one text. Positions are 0-based here;
// errors and ReadPosition report them 1-based.
struct TKelParseContext {
    explicit TKelParseContext(const QByteArray& source);

    // The byte at index i, or 0 past the end (the reader peeks one past the last byte).
    unsigned char At(qsizetype i) const { return i < length ? uchar(data[i]) : 0; }
    void SkipBlanks();
    [[noreturn]] void Fail(const QString& message, qsizetype at) const;
    // Tags repeat across thousands of elements; equal tags share one buffer.
    QByteArray InternTag(const char* begin, qsizetype size);

    const QByteArray text;
    const char* data;
    qsizetype length;
    qsizetype pos = 0;
    int depth = 0;

    // Scratch for the element being read, reused so that each node allocates exactly once.
    QString attrText;
    std::vector<std::array<uint32_t, 3>> attrs;

private:
    std::vector<QByteArray> m_tags;
};

} // namespace quillo

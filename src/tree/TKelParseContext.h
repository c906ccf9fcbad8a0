#pragma once

#include "tree/EKelPiggerError.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <array>
#include <vector>

namespace quillo {

class TKelPigger;

// Reader state shared by every node reading one text. Positions are 0-based here;
// errors and ReadPosition report them 1-based.
struct TKelParseContext {
    explicit TKelParseContext(const QByteArray& source);

    // The byte at index i, or 0 past the end (the reader peeks one past the last byte).
    unsigned char At(qsizetype i) const { return i < Length ? uchar(Data[i]) : 0; }
    void SkipBlanks()
    {
        // Stops on the last byte even when it is blank, as the format's reader always has.
        while (Pos < Length - 1 && uchar(Data[Pos]) <= 32)
            ++Pos;
    }
    [[noreturn]] void Fail(EKelPiggerError::TFault fault, qsizetype at, const QByteArray& tag = QByteArray()) const;
    // Tags repeat across thousands of elements; equal tags share one buffer.
    QByteArray InternTag(const char* begin, qsizetype size);

    const QByteArray Text;
    const char* Data;
    qsizetype Length;
    qsizetype Pos = 0;
    int Depth = 0;

    // Room for `units` more code units at the end of the attribute scratch text.
    char16_t* AttrRoom(qsizetype units)
    {
        if (AttrSize + units > qsizetype(AttrText.size()))
            AttrText.resize(size_t(std::max(AttrSize + units, 2 * qsizetype(AttrText.size()))));
        return AttrText.data() + AttrSize;
    }

    // Scratch for the element being read, reused so that each node allocates exactly once:
    // names and values of its attributes (AttrSize units used), and their entries.
    std::vector<char16_t> AttrText;
    qsizetype AttrSize = 0;
    std::vector<std::array<uint32_t, 3>> Attrs;

private:
    std::vector<QByteArray> m_tags;
    size_t m_lastTag = 0;
};

} // namespace quillo

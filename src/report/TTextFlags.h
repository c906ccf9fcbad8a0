#pragma once

#include <cstdint>

namespace quillo {

// How a label's text is placed: the same flags draw it and, without single line, measure it.
struct TTextFlags {
    enum THorizontal : uint8_t { Left, Center, Right };
    enum TVertical : uint8_t { Multiline, Top, VCenter, Bottom };

    THorizontal horizontal = Left;
    // Any vertical placement makes the text one line.
    TVertical vertical = Multiline;
    bool wordWrap = false;
    bool ellipsis = false;
    bool pathEllipsis = false;

    // Qt::AlignmentFlag and Qt::TextFlag bits; measuring leaves out the single-line placement.
    int QtFlags(bool measuring) const;
};

} // namespace quillo

#pragma once

namespace quillo {

// A rectangle of device pixels; right and bottom lie just outside it.
struct TPixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const TPixelRect&) const = default;
};

} // namespace quillo

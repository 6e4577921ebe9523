// Plain geometry and handle types shared by the windowing services.
#pragma once

#include <cstdint>

struct CPoint {
    int x = 0;
    int y = 0;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const CRect&, const CRect&) = default;
};

using COLORREF = std::uint32_t;
constexpr COLORREF RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<COLORREF>(r) | static_cast<COLORREF>(g) << 8 |
           static_cast<COLORREF>(b) << 16;
}

// An icon loaded from the program's resources; icons live as long as the program.
struct IconData;
using HICON = const IconData*;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

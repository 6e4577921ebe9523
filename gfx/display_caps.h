// What a device context tells of the display it stands for. The picture codec asks only this,
// so it can make display bitmaps without knowing a window.
#pragma once

inline constexpr int BITSPIXEL = 12;

class CDisplayCaps {
public:
    // Display bitmaps are always kept at 32 bits per pixel, whatever the screen's depth.
    int GetDeviceCaps(int index) const { return index == BITSPIXEL ? 32 : 0; }
};

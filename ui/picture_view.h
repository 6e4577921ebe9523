// A grey picture shown by whole screen pixels, so that every pixel of it stays one clear grey.
#pragma once

#include "ui/wnd.h"

#include <cstdint>
#include <span>

enum class PictureZoom {
    // One screen pixel for each pixel of the picture, centred in the control.
    Actual,
    // The largest whole number of screen pixels for each pixel that fits the control.
    Fill,
};

class CPictureView : public CWnd {
public:
    void SetZoom(PictureZoom zoom);
    // grey holds width x height bytes, top row first; anything else clears the view.
    void SetPicture(int width, int height, std::span<const std::uint8_t> grey);
};

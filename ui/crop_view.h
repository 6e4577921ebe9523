// An image with a frame on it that the user moves and resizes, keeping the frame's proportion,
// to choose the part of the image to use. Every change of the frame notifies the dialog.
#pragma once

#include "gfx/rgb_image.h"
#include "ui/wnd.h"

class CCropView : public CWnd {
public:
    // Shows image; the frame stays where it was, kept inside the image.
    void SetImage(const RgbImage& image);
    // The proportion of width to height that every frame keeps.
    void SetAspect(int width, int height);
    // The frame, in image pixels; kept inside the image. Does not notify the dialog.
    void SetCrop(const PixelRect& crop);
    PixelRect GetCrop() const;
};

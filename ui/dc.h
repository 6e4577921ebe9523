// Device contexts: where the editor learns the display depth and draws the preview.
#pragma once

#include "gfx/display_caps.h"
#include "ui/types.h"

#include <memory>

class CBitmap;
class CWnd;

inline constexpr unsigned long SRCCOPY = 0x00CC0020;

// A context with no surface answers questions about the display only; painting needs a paint
// or memory context.
class CDC : public CDisplayCaps {
public:
    CDC();
    ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // A memory context drawing from the bitmap selected into it.
    bool CreateCompatibleDC(CDC* dc);
    // Returns the bitmap selected before.
    CBitmap* SelectObject(CBitmap* bitmap);
    void DeleteDC();

    // Copies the source rectangle of src's bitmap onto this context's surface, scaled without
    // smoothing so that the four greys stay crisp.
    bool StretchBlt(int x, int y, int width, int height, CDC* src, int srcX, int srcY, int srcWidth,
                    int srcHeight, unsigned long rop);
    // The same copy with the destination in device pixels, so that a picture can be enlarged
    // by whole device pixels on a screen of any scale.
    bool StretchBltDevicePixels(int x, int y, int width, int height, CDC* src, int srcX, int srcY,
                                int srcWidth, int srcHeight);
    // Device pixels per logical pixel of the surface; 1 without one.
    double GetDevicePixelRatio() const;

protected:
    // What the backend paints with, when this context draws onto a window.
    struct Surface;
    std::unique_ptr<Surface> m_surface;

private:
    // Copies src's bitmap, with the destination rectangle in units that scale device pixels.
    bool Blit(int x, int y, int width, int height, CDC* src, int srcX, int srcY, int srcWidth,
              int srcHeight, double scale);

    CBitmap* m_selected = nullptr;
};

// The window's own context, asked for the display's depth.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd*) {}
};

// Valid only inside a paint handler of wnd: draws onto the window.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
};

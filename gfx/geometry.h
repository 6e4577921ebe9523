// Sizes and rectangles of pixels: the one definition that the conversion, the image service,
// the window layer and both programs share, so that no layer converts one into another by hand.
// Header only and plain, so that even the conversion, which links nothing of ours, can use it.
#pragma once

struct ImageSize {
    int width = 0;
    int height = 0;

    friend bool operator==(const ImageSize&, const ImageSize&) = default;
};

// A rectangle of pixels inside an image.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

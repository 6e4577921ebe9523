// HEIC files made in the tests with libheif's own encoder: a primary picture, the way up it is
// stored, and a thumbnail made from it or given outright, as phones and other programs write them.
#pragma once

#include "gfx/rgb_image.h"

#include <optional>
#include <string>

struct HeicLayout {
    // EXIF-style orientation (1 upright, 6 turned a quarter clockwise...) stored as the format's
    // own rotation and mirror of the primary image.
    int orientation = 1;
    // A thumbnail scaled from the primary image to fit a square of this side; 0 for none.
    int thumbnailBox = 0;
    // A picture of its own assigned as the thumbnail, stored upright whatever the orientation.
    std::optional<RgbImage> thumbnail;
};

// Writes picture to path as a HEIC laid out as layout says; false when libheif refuses.
bool WriteHeic(const std::string& path, const RgbImage& picture, const HeicLayout& layout = {});

// A width x height picture: black on the left half, white on the right half, so that how it
// was turned shows in any copy of it.
RgbImage HalvesPicture(int width, int height);

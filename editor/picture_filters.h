// The choosers' filters for pictures: every format the readers on this machine know.
#pragma once

#include <string>

// Import Image's: every readable picture, then every file.
std::string ImportImageFilter();
// "Set new Picture"'s: bitmap files first, as it always offered, then every readable picture
// (their patterns in the label, like the bitmaps'), then every file.
std::string SetPictureFilter();

// Telling image files from others by their contents, as the image readers do.
#pragma once

#include <string>

// Whether one of the image readers recognises the file's contents as an image it can read.
bool IsImageFile(const std::string& path);

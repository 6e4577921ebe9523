// Reading a slot picture from a bitmap file the user chose, and telling them why one is refused.
#pragma once

#include <string>

class CBitmap;

// Reads the file at path into bitmap and tells the user why a file is refused, in exactly one
// warning box. Returns whether the bitmap holds the picture.
bool LoadBitmapFile(const std::string& path, CBitmap& bitmap);

// The face-finding module's entry point. The module is a shared library of this program, opened
// only when a picture is framed, so that the programs start without loading its libraries.
#pragma once

extern "C" {

// The function's name in the module, for looking it up after opening it.
inline constexpr const char* kFindFacesSymbol = "snapfold_find_faces_v2";

// Looks for faces at least smallest pixels tall in rgb (width x height pixels, 3 bytes each,
// rows not padded) with the cascade files under the folder cascades (its haarcascades and
// lbpcascades folders, as the toolkit's data package lays them out). Writes up to capacity
// faces into rects, four ints each (x, y, width, height in rgb's pixels), largest first, and
// returns how many it found, at most capacity; -1 when a cascade cannot be loaded or the search
// fails.
using FindFacesFunction = int (*)(const char* cascades, const unsigned char* rgb, int width,
                                  int height, int smallest, int* rects, int capacity);
}

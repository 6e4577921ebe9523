// The line under Import Image's picture, in words: what the face search found and where that
// put the frame, so that "no face in the picture" and "no way to look" read differently.
#pragma once

#include <string>

struct FaceStatus {
    // Faces found in the picture.
    int faces = 0;
    // Faces cannot be looked for at all: the module or its cascades are missing or damaged.
    bool unavailable = false;
    // The user wants the frame on a face: "Find face" is on, or, where no face left it
    // disabled, it was remembered on. Otherwise the line claims no search.
    bool findFace = false;
    // The user moved the frame since the search or "Find face" last placed it.
    bool frameMoved = false;
};

std::string FaceStatusText(const FaceStatus& status);

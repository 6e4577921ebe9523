// A copy of the picture turned about its centre, for faces tilted further than the cascades
// see, and the way back from its pixels. Part of the face-finding module: only it sees OpenCV.
#pragma once

#include "convert/framing.h"

#include <opencv2/core.hpp>

#include <initializer_list>
#include <vector>

class TurnedCopy {
public:
    // Turns each grey image by degrees (counter-clockwise) onto a canvas that holds all of it.
    // The corners the turn uncovers are an even mid-grey, in which no detector finds anything.
    TurnedCopy(std::initializer_list<cv::Mat*> greys, double degrees);
    // Boxes found on the turned canvas, moved back to the picture: each keeps its size, and
    // its centre goes where that point came from.
    std::vector<CropRect> Back(std::vector<CropRect> boxes) const;

private:
    cv::Mat m_back;
};

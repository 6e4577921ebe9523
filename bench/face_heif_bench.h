// The first result with the frame on the face, for a 4000x3000 JPEG portrait and a 4032x3024
// HEIC photo, the first preview from that photo's 320x240 thumbnail, and libheif's own decode of
// the HEIC as their yardstick.
#pragma once

#include "bench/ratio_reporter.h"

#include <vector>

// The ratios these benchmarks print, beside those of the rest of the image benchmarks.
std::vector<BenchRatio> FaceAndHeifRatios();

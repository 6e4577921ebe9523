// The choices the Import Image dialog remembers from one import to the next: those of the last
// import confirmed with OK while the program runs, since nothing is kept on disk. Whoever owns
// the pack keeps one for the run and hands it to each dialog; a test makes its own.
#pragma once

#include "convert/convert.h"

struct ImportSettings {
    // Tone and dithering, as the controls last showed them.
    ConvertSettings convert = kDefaultConvertSettings;
    // Whether "Find face" frames the largest face: on at first. A dialog that found no face
    // leaves it as it was.
    bool findFace = true;

    friend bool operator==(const ImportSettings&, const ImportSettings&) = default;
};

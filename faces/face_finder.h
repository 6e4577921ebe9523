// Finding faces in a picture, through the face-finding module opened on first use.
#pragma once

#include "convert/framing.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The folder where the toolkit's data package installs its cascades.
inline constexpr const char* kFaceCascadePath = "/usr/share/opencv4";
// The module's file name in the program's module folder.
inline constexpr const char* kFaceModuleName = "libsnapfold-faces.so";

// Where the search comes from; the programs use the defaults, tests point elsewhere.
struct FaceSearch {
    std::string module = kFaceModuleName;
    std::string cascade = kFaceCascadePath;
};

// Why faces cannot be looked for, in words for the user: the module is missing or damaged, a
// library it needs is missing, or the cascade cannot be loaded. Empty when face finding works.
std::string FaceFindingProblem(const FaceSearch& search = {});

// The faces at least smallest pixels tall in rgb (width x height, 3 bytes a pixel, rows not
// padded), largest first, in its pixels. A missing module, a missing cascade or a failed search all
// mean no face: the frame then starts centred, which is what every picture got before faces were
// looked for.
std::vector<CropRect> FindFaces(int width, int height, std::span<const std::uint8_t> rgb,
                                int smallest, const FaceSearch& search = {});

// The two frames the Import Image dialog offers: on the largest face, when one was found, and
// the largest centred one; both on the source as the dialog holds it, which may be reduced.
#pragma once

#include "convert/framing.h"
#include "editor/import_image/import_preview.h"
#include "faces/face_finder.h"
#include "image/image_io.h"

#include <optional>
#include <string>
#include <vector>

// What a face search gave: the faces in the coordinates of the picture at full size, largest
// first, and, when there are none because faces cannot be looked for at all, why not.
struct FoundFaces {
    std::vector<CropRect> faces;
    std::string problem;
};

// Searches image, decoded from a picture of fullSize as shown, where search says.
FoundFaces LookForFaces(const RgbImage& image, ImageSize fullSize, const FaceSearch& search);

struct ImportFrames {
    PixelRect centred;
    std::optional<PixelRect> face;
    // Where auto levels measure while the frame is on the face: the face's box in the 48x50
    // picture, chosen at full size exactly as snapfold chooses it.
    std::optional<CropRect> faceLevels;
    // How many faces the search found, and why it could not look when face finding is not
    // available; the dialog says both in words.
    int faceCount = 0;
    std::string faceProblem;
};

// The frames are chosen at full size and carried onto source exactly as snapfold carries them,
// so that the editor and snapfold crop the same pixels.
ImportFrames ChooseImportFrames(const RgbImage& source, ImageSize fullSize,
                                const FoundFaces& found);

// Where the preview measures auto levels while the frame is the one on the face; nothing
// without a face.
std::optional<ImportPreview::FaceLevels> ImportFaceLevels(const ImportFrames& frames);

// The two frames the Import Image dialog offers: on the largest face, when one was found, and
// the largest centred one; both on the source as the dialog holds it, which may be reduced.
#pragma once

#include "convert/framing.h"
#include "editor/import_image/import_preview.h"
#include "image/image_io.h"

#include <optional>
#include <span>

struct ImportFrames {
    PixelRect centred;
    std::optional<PixelRect> face;
    // Where auto levels measure while the frame is on the face: the face's box in the 48x50
    // picture, chosen at full size exactly as snapfold chooses it.
    std::optional<CropRect> faceLevels;
};

// faces are in fullSize's coordinates, largest first, as the face search gives them. The
// frames are chosen at full size and carried onto source exactly as snapfold carries them,
// so that the editor and snapfold crop the same pixels.
ImportFrames ChooseImportFrames(const RgbImage& source, ImageSize fullSize,
                                std::span<const CropRect> faces);

// Where the preview measures auto levels while the frame is the one on the face; nothing
// without a face.
std::optional<ImportPreview::FaceLevels> ImportFaceLevels(const ImportFrames& frames);

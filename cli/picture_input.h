// A slot's 600 bytes from an image file, by the same roads as the editor's: the "Set new
// Picture" rules for a small bitmap, and the Import Image conversion for anything else.
#pragma once

#include "convert/convert.h"
#include "convert/framing.h"
#include "faces/frame_choice.h"

#include <optional>
#include <string>

struct PictureOptions {
    Framing framing = Framing::Crop;
    // Where a crop starts: on the largest face, or centred. Fit and stretch take the whole image.
    FrameChoice frame = FrameChoice::Face;
    ConvertSettings settings = kDefaultConvertSettings;
    // Whether the user asked for any conversion option; then even a 48x50 bitmap of at most
    // 8 bits per pixel goes through the conversion instead of the "Set new Picture" rules.
    bool converting = false;
};

struct PictureResult {
    std::optional<PackedPicture> picture;
    // Why the file gave no picture: the message the editor shows, then the reader's reason.
    std::string error;
};

// The image at path decoded as ReadPicture decodes it; on failure error holds the message the
// editor shows, then the reader's reason.
DecodedImage DecodePictureFile(const std::string& path);

PictureResult ReadPicture(const std::string& path, const PictureOptions& options);

// Says once on standard error, for the whole run, when faces cannot be looked for and why, so
// that a picture framed on its centre is not taken for one without a face.
void NoteFaceFindingOnce();

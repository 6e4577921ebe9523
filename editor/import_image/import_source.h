// What Import Image opens on: a decoded picture with its frames, or, for a phone photo, the
// thumbnail it carries, while the photo itself decodes on a thread of its own.
#pragma once

#include "editor/import_image/full_photo.h"
#include "editor/import_image/import_frames.h"

#include <optional>
#include <string>

struct ImportSource {
    RgbImage image;
    ImageSize fullSize;
    // Chosen on image's face search, as the dialog starts with them.
    ImportFrames frames;
    // Set when image is a thumbnail: decodes the photo it stands for.
    FullPhoto::Decode fullPhoto;
};

// image, decoded from a picture of fullSize as shown, with its faces searched where search
// says and its frames.
ImportSource SourceOfImage(RgbImage image, ImageSize fullSize, const FaceSearch& search);

// The file's thumbnail as the source, when it has one that shows the photo the same way up and
// uncut, and the frame the dialog starts with (face or centred as findFace says) covers at
// least 96x100 of its pixels, twice the picture's, so that the first result is worth
// showing; nothing otherwise. The thumbnail and the photo are searched where search says.
std::optional<ImportSource> ThumbnailSource(const std::string& path, bool findFace,
                                            const FaceSearch& search);

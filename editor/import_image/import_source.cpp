#include "editor/import_image/import_source.h"

#include "convert/decode_size.h"
#include "gfx/slot_picture.h"

#include <utility>

namespace {

// Twice the picture each way: fewer thumbnail pixels than that would average into a result
// visibly coarser than the photo's.
constexpr int kLeastThumbnailFrameWidth = 2 * kSlotPictureWidth;
constexpr int kLeastThumbnailFrameHeight = 2 * kSlotPictureHeight;

} // namespace

ImportSource SourceOfImage(RgbImage image, ImageSize fullSize, const FaceSearch& search) {
    const ImportFrames frames =
        ChooseImportFrames(image, fullSize, LookForFaces(image, fullSize, search));
    return {std::move(image), fullSize, frames, {}};
}

std::optional<ImportSource> ThumbnailSource(const std::string& path, bool findFace,
                                            const FaceSearch& search) {
    std::optional<DecodedImage> preview = DecodeImagePreview(path);
    if (!preview || !preview->image) {
        return std::nullopt;
    }
    ImportSource source = SourceOfImage(std::move(*preview->image), preview->fullSize, search);
    const PixelRect start =
        findFace && source.frames.face ? *source.frames.face : source.frames.centred;
    if (start.width < kLeastThumbnailFrameWidth || start.height < kLeastThumbnailFrameHeight) {
        return std::nullopt;
    }
    source.fullPhoto = [path, search] {
        return SearchedPhoto(DecodeImageFile(path, &ReducedDecodeSize), search);
    };
    return source;
}

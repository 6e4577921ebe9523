#include "cli/picture_input.h"

#include "cli/pack_io.h"
#include "convert/decode_size.h"
#include "convert/face_levels.h"
#include "convert/linear_scale.h"
#include "gfx/bitmap.h"
#include "image/image_io.h"
#include "import/bitmap_file.h"
#include "pack/picture_codec.h"
#include "res/texts.h"

namespace {

PictureResult Unreadable(std::string_view reason) {
    return {std::nullopt, std::string(res::kImageUnreadableMessage) + " " + std::string(reason)};
}

// A 48x50 bitmap of at most 8 bits per pixel, read exactly as "Set new Picture" reads it;
// nothing for any other file.
std::optional<PackedPicture> SmallBitmapPicture(std::span<const std::uint8_t> bytes) {
    CBitmap bitmap;
    if (DecodeBitmapFile(bytes, bitmap) != BitmapFileResult::Loaded) {
        return std::nullopt;
    }
    PackedPicture picture{};
    if (!BitmapToPicture(bitmap, PackPicture(picture))) {
        return std::nullopt;
    }
    return picture;
}

// The frame is chosen on the image as the user sees it at full size and then carried onto the
// decoded pixels, which may be a reduced copy, as the editor's Import Image does.
// Nothing when the framed part cannot be averaged, which only an empty frame causes.
std::optional<PackedPicture> ConvertImage(const DecodedImage& decoded,
                                          const PictureOptions& options) {
    const RgbImage& image = *decoded.image;
    Placement place = PlaceImage(decoded.fullSize.width, decoded.fullSize.height, options.framing);
    std::optional<CropRect> face;
    if (options.framing == Framing::Crop) {
        const ChosenFrame chosen = ChooseFrame(image, decoded.fullSize, options.frame);
        place.source = chosen.frame;
        if (chosen.byFace) {
            face = FaceLevelsBox(chosen.frame, chosen.faces);
        }
    }
    const CropRect source = SourceRect(place, decoded.fullSize.width, decoded.fullSize.height,
                                       image.width, image.height);
    const GreyPlane scaled = AverageLinearGrey({image.width, image.height, image.rgb, {}}, source,
                                               place.target.width, place.target.height);
    if (scaled.values.empty()) {
        return std::nullopt;
    }
    const PictureLevels levels =
        ConvertLinearToLevels(PlaceOnWhiteLinear(scaled, place.target), options.settings, face);
    return PackLevels(levels);
}

std::string UnreadableReason(std::string_view reason) {
    return std::string(res::kImageUnreadableMessage) + " " + std::string(reason);
}

} // namespace

DecodedImage DecodePictureFile(const std::string& path) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes) {
        return {std::nullopt, {}, UnreadableReason(LastFailureReason())};
    }
    DecodedImage decoded = DecodeImageData(*bytes, &ReducedDecodeSize<ImageSize>);
    if (!decoded.image) {
        decoded.error = UnreadableReason(decoded.error);
    }
    return decoded;
}

PictureResult ReadPicture(const std::string& path, const PictureOptions& options) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes) {
        return Unreadable(LastFailureReason());
    }
    if (!options.converting) {
        if (const auto picture = SmallBitmapPicture(*bytes)) {
            return {picture, {}};
        }
    }
    const DecodedImage decoded = DecodeImageData(*bytes, &ReducedDecodeSize<ImageSize>);
    if (!decoded.image) {
        return Unreadable(decoded.error);
    }
    if (auto picture = ConvertImage(decoded, options)) {
        return {picture, {}};
    }
    return Unreadable("There is not enough memory to scale it.");
}

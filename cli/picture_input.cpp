#include "cli/picture_input.h"

#include "cli/pack_io.h"
#include "contacts/card_lookup.h"
#include "contacts/card_photo.h"
#include "convert/decode_size.h"
#include "convert/face_levels.h"
#include "convert/linear_scale.h"
#include "gfx/bitmap.h"
#include "image/image_io.h"
#include "import/bitmap_file.h"
#include "pack/picture_codec.h"
#include "res/texts.h"

#include <cerrno>
#include <mutex>

namespace {

std::string UnreadableReason(std::string_view reason) {
    return std::string(res::kImageUnreadableMessage) + " " + std::string(reason);
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
    if (options.framing == Framing::Crop && options.frame == FrameChoice::Face) {
        NoteFaceFindingOnce();
    }
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

// The image file's bytes, or why there are none. Standard input may never end, and no picture
// worth reading from a pipe needs more than a bitmap file may hold.
std::optional<std::vector<std::uint8_t>> ReadImageBytes(const std::string& path,
                                                        std::string& reason) {
    const std::uintmax_t most = path == kStandardStream ? kMaxBitmapFileBytes : kMaxWholeFileBytes;
    auto bytes = ReadWholeFile(path, most);
    if (!bytes) {
        reason = errno == EFBIG
                     ? "It is too large (more than " + std::to_string(most / kMiB) + " MiB)."
                     : LastFailureReason();
    }
    return bytes;
}

// The bytes of the image the source names: the file's own, or the chosen card's photo.
struct SourceBytes {
    std::vector<std::uint8_t> bytes;
    std::optional<CardCrop> crop;
    bool card = false;
    PictureError error;
};

SourceBytes CardPhotoBytes(const VCardFile& cards, const std::string& which) {
    if (!cards.error.empty()) {
        return {{}, {}, true, {cards.error}};
    }
    const CardChoice choice = FindCardWithPhoto(cards, which);
    if (choice.card == nullptr) {
        return {{}, {}, true, {choice.error}};
    }
    return {choice.card->photo.bytes, choice.card->crop, true, {}};
}

SourceBytes ReadSourceBytes(const PictureSource& source) {
    if (source.card && source.cards) {
        return CardPhotoBytes(*source.cards, *source.card);
    }
    std::string reason;
    auto bytes = ReadImageBytes(source.path, reason);
    if (!bytes) {
        return {{}, {}, false, {UnreadableReason(reason)}};
    }
    const bool vcard = LooksLikeVCard(*bytes);
    if (source.card && !vcard) {
        return {{}, {}, false, {"is not a vCard file, so it has no card to choose", true}};
    }
    if (!source.card && vcard) {
        return {
            {},
            {},
            true,
            {"is a vCard file; name its card (--card, or a manifest line's fourth field)", true}};
    }
    if (source.card) {
        return CardPhotoBytes(ReadVCards(*bytes), *source.card);
    }
    return {std::move(*bytes), {}, false, {}};
}

} // namespace

std::shared_ptr<const VCardFile> ReadSharedCardFile(const std::string& path) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes || !LooksLikeVCard(*bytes)) {
        return nullptr;
    }
    return std::make_shared<const VCardFile>(ReadVCards(*bytes));
}

void NoteFaceFindingOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (const std::string problem = FaceFindingProblem(); !problem.empty()) {
            ReportFailure("face finding is not available", problem);
        }
    });
}

DecodedPicture DecodePictureSource(const PictureSource& source) {
    const SourceBytes bytes = ReadSourceBytes(source);
    if (!bytes.error.message.empty()) {
        return {{}, {}, bytes.error};
    }
    DecodedPicture picture;
    picture.decoded = DecodeCardPhoto(bytes.bytes, bytes.crop, &picture.crop);
    if (!picture.decoded.image) {
        picture.error.message = UnreadableReason(picture.decoded.error);
    }
    return picture;
}

PictureResult ReadPicture(const PictureSource& source, const PictureOptions& options) {
    const SourceBytes bytes = ReadSourceBytes(source);
    if (!bytes.error.message.empty()) {
        return {std::nullopt, bytes.error};
    }
    // A photo with a crop is always converted: the crop is the user's choice of picture.
    if (!options.converting && !bytes.crop) {
        if (const auto picture = SmallBitmapPicture(bytes.bytes)) {
            return {picture, {}};
        }
    }
    const DecodedImage decoded = DecodeCardPhoto(bytes.bytes, bytes.crop);
    if (!decoded.image) {
        return {std::nullopt, {UnreadableReason(decoded.error)}};
    }
    if (auto picture = ConvertImage(decoded, options)) {
        return {picture, {}};
    }
    return {std::nullopt, {UnreadableReason("There is not enough memory to scale it.")}};
}

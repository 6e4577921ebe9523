#include "editor/import_image/import_frames.h"

#include "convert/face_frame.h"
#include "convert/face_levels.h"

namespace {

PixelRect OnSource(const CropRect& frame, ImageSize fullSize, const RgbImage& source) {
    return MapRect(frame, fullSize.width, fullSize.height, source.width, source.height);
}

} // namespace

ImportFrames ChooseImportFrames(const RgbImage& source, ImageSize fullSize,
                                std::span<const CropRect> faces) {
    ImportFrames frames;
    frames.centred =
        OnSource(LargestCentredCrop(fullSize.width, fullSize.height), fullSize, source);
    if (!faces.empty()) {
        const CropRect faceFrame = FaceFrame(fullSize.width, fullSize.height, faces);
        frames.face = OnSource(faceFrame, fullSize, source);
        frames.faceLevels = FaceLevelsBox(faceFrame, faces);
    }
    return frames;
}

std::optional<ImportPreview::FaceLevels> ImportFaceLevels(const ImportFrames& frames) {
    if (!frames.face || !frames.faceLevels) {
        return std::nullopt;
    }
    return ImportPreview::FaceLevels{*frames.face, *frames.faceLevels};
}

#include "editor/import_image/import_frames.h"

#include "convert/face_frame.h"

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
        frames.face = OnSource(FaceFrame(fullSize.width, fullSize.height, faces), fullSize, source);
    }
    return frames;
}

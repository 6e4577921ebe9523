#include "editor/import_image/import_frames.h"

#include "convert/face_frame.h"
#include "convert/face_levels.h"
#include "faces/frame_choice.h"

namespace {

PixelRect OnSource(const CropRect& frame, ImageSize fullSize, const RgbImage& source) {
    return MapRect(frame, fullSize.width, fullSize.height, source.width, source.height);
}

} // namespace

FoundFaces LookForFaces(const RgbImage& image, ImageSize fullSize, const FaceSearch& search) {
    FoundFaces found{FacesAtFullSize(image, fullSize, search), {}};
    // Only a search that found nothing can have failed, and only then is the cause worth the
    // time it takes to ask.
    if (found.faces.empty()) {
        found.problem = FaceFindingProblem(search);
    }
    return found;
}

ImportFrames ChooseImportFrames(const RgbImage& source, ImageSize fullSize,
                                const FoundFaces& found) {
    ImportFrames frames;
    frames.centred =
        OnSource(LargestCentredCrop(fullSize.width, fullSize.height), fullSize, source);
    frames.faceCount = static_cast<int>(found.faces.size());
    frames.faceProblem = found.problem;
    if (!found.faces.empty()) {
        const CropRect faceFrame = FaceFrame(fullSize.width, fullSize.height, found.faces);
        frames.face = OnSource(faceFrame, fullSize, source);
        frames.faceLevels = FaceLevelsBox(faceFrame, found.faces);
    }
    return frames;
}

std::optional<ImportPreview::FaceLevels> ImportFaceLevels(const ImportFrames& frames) {
    if (!frames.face || !frames.faceLevels) {
        return std::nullopt;
    }
    return ImportPreview::FaceLevels{*frames.face, *frames.faceLevels};
}

#include "editor/import_image/face_status.h"

#include "res/texts.h"

namespace {

std::string WithCount(std::string_view text, int count) {
    std::string result(text);
    if (const auto at = result.find("%d"); at != std::string::npos) {
        result.replace(at, 2, std::to_string(count));
    }
    return result;
}

} // namespace

std::string FaceStatusText(const FaceStatus& status) {
    if (status.unavailable) {
        return std::string(res::kFaceFindingNotAvailable);
    }
    if (!status.findFace) {
        return std::string(status.frameMoved ? res::kFramedByHand : res::kFramedCentre);
    }
    if (status.faces == 0) {
        return std::string(status.frameMoved ? res::kNoFaceFound : res::kNoFaceFramedCentre);
    }
    if (status.faces == 1) {
        return std::string(res::kOneFaceFound);
    }
    return WithCount(status.frameMoved ? res::kFacesFoundCount : res::kFacesFound, status.faces);
}

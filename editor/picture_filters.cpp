#include "editor/picture_filters.h"

#include "image/image_formats.h"
#include "res/texts.h"

namespace {

std::string JoinedPatterns(const char* between) {
    std::string patterns;
    for (const std::string& pattern : ReadableImagePatterns()) {
        patterns += (patterns.empty() ? "" : between) + pattern;
    }
    return patterns;
}

} // namespace

std::string ImportImageFilter() {
    return std::string(res::kImagesLabel) + "|" + JoinedPatterns(";") + "|" +
           std::string(res::kAllFilesFilter);
}

std::string SetPictureFilter() {
    return std::string(res::kBitmapFilterEntry) + std::string(res::kPicturesLabel) + " (" +
           JoinedPatterns(" ") + ")|" + JoinedPatterns(";") + "|" +
           std::string(res::kAllFilesFilter);
}

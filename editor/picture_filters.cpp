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

// Address books are listed with the images, since a contact's photo is an image too, and on
// their own.
std::string ImportImageFilter() {
    const std::string books(res::kAddressBookPatterns);
    return std::string(res::kImagesLabel) + "|" + JoinedPatterns(";") + ";" + books + "|" +
           std::string(res::kAddressBooksLabel) + "|" + books + "|" +
           std::string(res::kAllFilesFilter);
}

std::string SetPictureFilter() {
    return std::string(res::kBitmapFilterEntry) + std::string(res::kPicturesLabel) + " (" +
           JoinedPatterns(" ") + ")|" + JoinedPatterns(";") + "|" +
           std::string(res::kAllFilesFilter);
}

#include "image/image_formats.h"

#include <QImageReader>

#include <algorithm>

std::vector<std::string> ReadableImagePatterns() {
    std::vector<std::string> patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        patterns.push_back("*." + format.toLower().toStdString());
    }
    // The HEIF family is read by a module of our own, not by one of the toolkit's readers.
    for (const char* heif : {"*.heic", "*.heif", "*.avif"}) {
        if (std::ranges::find(patterns, heif) == patterns.end()) {
            patterns.emplace_back(heif);
        }
    }
    return patterns;
}

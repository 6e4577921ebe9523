#include "image/image_formats.h"

#include <QImageReader>

std::vector<std::string> ReadableImagePatterns() {
    std::vector<std::string> patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        patterns.push_back("*." + format.toLower().toStdString());
    }
    return patterns;
}

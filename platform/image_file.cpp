#include "platform/image_file.h"

#include "platform/qt_convert.h"

#include <QImageReader>

bool IsImageFile(const std::string& path) {
    return !QImageReader::imageFormat(ToQt(path)).isEmpty();
}

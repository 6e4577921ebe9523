// The face-finding module on the toolkit's cascade classifiers. Only the module's files see
// OpenCV, and only the module links it, so its libraries load when the first picture is framed.
#include "faces/cascade_search.h"
#include "faces/face_module.h"

#include <opencv2/core/utils/logger.hpp>

#include <algorithm>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace {

// Loading the cascades parses large XML files, so each thread keeps the last set it loaded; a
// classifier is not to be shared between threads while it searches.
Cascades& CascadesIn(const std::string& folder) {
    thread_local std::unique_ptr<Cascades> cascades;
    if (cascades == nullptr || cascades->Folder() != folder) {
        cascades = std::make_unique<Cascades>(folder);
    }
    return *cascades;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int
snapfold_find_faces_v2(const char* folder, const unsigned char* rgb, int width, int height,
                       int smallest, int* rects, int capacity) {
    // The toolkit's own log lines would reach the programs' standard error.
    cv::utils::logging::setLogLevel(cv::utils::logging::LOG_LEVEL_SILENT);
    if (width <= 0 || height <= 0 || rgb == nullptr || folder == nullptr) {
        return 0;
    }
    try {
        const cv::Mat image(height, width, CV_8UC3, const_cast<unsigned char*>(rgb));
        const std::vector<CropRect> faces = SearchFaces(CascadesIn(folder), image, smallest);
        const int count = std::min(capacity, static_cast<int>(faces.size()));
        for (int i = 0; i < count; ++i) {
            const CropRect& face = faces[static_cast<std::size_t>(i)];
            rects[4 * i] = face.x;
            rects[4 * i + 1] = face.y;
            rects[4 * i + 2] = face.width;
            rects[4 * i + 3] = face.height;
        }
        return count;
    } catch (const std::exception&) {
        return -1;
    }
}

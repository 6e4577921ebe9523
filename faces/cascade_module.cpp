// The face-finding module on the toolkit's cascade classifier. Only this file sees OpenCV, and
// only the module links it, so its libraries load when the first picture is framed.
#include "faces/face_module.h"

#include <opencv2/core/utils/logger.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/objdetect.hpp>

#include <algorithm>
#include <cmath>
#include <exception>
#include <string>
#include <vector>

namespace {

// The search runs on a copy at most this many pixels on its longer side: a face worth framing
// is still dozens of pixels tall there, and the search takes milliseconds, not seconds.
constexpr int kSearchSide = 480;
// The smallest face looked for, as a share of the copy's shorter side; smaller ones would be
// too small to frame on anyway, and looking for them mostly finds patterns in the background.
constexpr int kSmallestFaceDivisor = 10;
// Each size searched is this much larger than the last: a face falls between two sizes by at
// most a tenth of its height, which the frame's margin takes, and the search takes half the
// time it would with the finer steps of 1.1.
constexpr double kScaleStep = 1.2;

// Loading a cascade parses a large XML file, so each thread keeps the last one it loaded; a
// classifier is not to be shared between threads while it searches.
cv::CascadeClassifier* Classifier(const std::string& path) {
    thread_local std::string loadedPath;
    thread_local cv::CascadeClassifier classifier;
    if (loadedPath != path || classifier.empty()) {
        loadedPath.clear();
        if (!classifier.load(path)) {
            return nullptr;
        }
        loadedPath = path;
    }
    return &classifier;
}

// The picture reduced, grey and equalised, as the cascade was trained to see faces.
cv::Mat SearchCopy(const cv::Mat& rgb, double& scale) {
    scale = std::min(1.0, double{kSearchSide} / std::max(rgb.cols, rgb.rows));
    cv::Mat reduced;
    if (scale < 1.0) {
        cv::resize(rgb, reduced, cv::Size(), scale, scale, cv::INTER_AREA);
    } else {
        reduced = rgb;
    }
    cv::Mat grey;
    cv::cvtColor(reduced, grey, cv::COLOR_RGB2GRAY);
    cv::equalizeHist(grey, grey);
    return grey;
}

std::vector<cv::Rect> Search(cv::CascadeClassifier& classifier, const cv::Mat& rgb, double& scale) {
    const cv::Mat grey = SearchCopy(rgb, scale);
    const int smallest = std::max(1, std::min(grey.cols, grey.rows) / kSmallestFaceDivisor);
    std::vector<cv::Rect> faces;
    classifier.detectMultiScale(grey, faces, kScaleStep, 4, 0, cv::Size(smallest, smallest));
    std::stable_sort(faces.begin(), faces.end(),
                     [](const cv::Rect& a, const cv::Rect& b) { return a.area() > b.area(); });
    return faces;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int
snapfold_find_faces(const char* cascade, const unsigned char* rgb, int width, int height,
                    int* rects, int capacity) {
    // The toolkit's own log lines would reach the programs' standard error.
    cv::utils::logging::setLogLevel(cv::utils::logging::LOG_LEVEL_SILENT);
    if (width <= 0 || height <= 0 || rgb == nullptr) {
        return 0;
    }
    try {
        cv::CascadeClassifier* classifier = Classifier(cascade);
        if (classifier == nullptr) {
            return -1;
        }
        const cv::Mat image(height, width, CV_8UC3, const_cast<unsigned char*>(rgb));
        double scale = 1.0;
        const std::vector<cv::Rect> faces = Search(*classifier, image, scale);
        const int count = std::min(capacity, static_cast<int>(faces.size()));
        for (int i = 0; i < count; ++i) {
            const cv::Rect& face = faces[static_cast<std::size_t>(i)];
            rects[4 * i] = static_cast<int>(std::lround(face.x / scale));
            rects[4 * i + 1] = static_cast<int>(std::lround(face.y / scale));
            rects[4 * i + 2] = std::min(width, static_cast<int>(std::lround(face.width / scale)));
            rects[4 * i + 3] = std::min(height, static_cast<int>(std::lround(face.height / scale)));
        }
        return count;
    } catch (const std::exception&) {
        return -1;
    }
}

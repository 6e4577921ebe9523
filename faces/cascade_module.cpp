// The face-finding module on the toolkit's cascade classifiers. Only the module's files see
// OpenCV, and only the module links it, so its libraries load when the first picture is framed.
#include "faces/cascade_search.h"
#include "faces/face_module.h"

#include <opencv2/core/utils/logger.hpp>

#include <algorithm>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

// Loading the cascades parses large XML files, so loaded sets are kept for the next search. A
// classifier must not be shared by two searches at once, so each search borrows a set of its
// own and gives it back; there are never more sets than searches that ran together. No
// thread_local: the leak checker's scan at exit misreads the dynamic TLS of a module loaded
// late, and crashes.
class CascadePool {
public:
    std::unique_ptr<Cascades> Borrow(const std::string& folder) {
        {
            const std::lock_guard lock(m_guard);
            const auto found = std::ranges::find_if(
                m_free, [&folder](const auto& set) { return set->Folder() == folder; });
            if (found != m_free.end()) {
                std::unique_ptr<Cascades> set = std::move(*found);
                m_free.erase(found);
                return set;
            }
        }
        return std::make_unique<Cascades>(folder);
    }

    void GiveBack(std::unique_ptr<Cascades> set) {
        const std::lock_guard lock(m_guard);
        m_free.push_back(std::move(set));
    }

private:
    std::mutex m_guard;
    std::vector<std::unique_ptr<Cascades>> m_free;
};

CascadePool& Pool() {
    static CascadePool pool;
    return pool;
}

// A borrowed set, given back however the search ends.
class BorrowedCascades {
public:
    explicit BorrowedCascades(const std::string& folder) : m_set(Pool().Borrow(folder)) {}
    ~BorrowedCascades() { Pool().GiveBack(std::move(m_set)); }
    BorrowedCascades(const BorrowedCascades&) = delete;
    BorrowedCascades& operator=(const BorrowedCascades&) = delete;
    Cascades& operator*() const { return *m_set; }

private:
    std::unique_ptr<Cascades> m_set;
};

// One search, on the calling thread.
int FindFaces(const char* folder, const unsigned char* rgb, int width, int height, int smallest,
              int* rects, int capacity) {
    // The toolkit's own log lines would reach the programs' standard error.
    cv::utils::logging::setLogLevel(cv::utils::logging::LOG_LEVEL_SILENT);
    try {
        const cv::Mat image(height, width, CV_8UC3, const_cast<unsigned char*>(rgb));
        const BorrowedCascades cascades(folder);
        const std::vector<CropRect> faces = SearchFaces(*cascades, image, smallest);
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

} // namespace

// The search runs on a thread of its own, which ends with it: the toolkit's thread-local data
// then never lives on the caller's thread, where clang 14's leak checker misreads it at exit.
// A thread costs far less than the search.
extern "C" __attribute__((visibility("default"))) int
snapfold_find_faces_v2(const char* folder, const unsigned char* rgb, int width, int height,
                       int smallest, int* rects, int capacity) {
    if (width <= 0 || height <= 0 || rgb == nullptr || folder == nullptr) {
        return 0;
    }
    int count = -1;
    std::thread([&] {
        count = FindFaces(folder, rgb, width, height, smallest, rects, capacity);
    }).join();
    return count;
}

#include "faces/cascade_search.h"

#include "faces/face_votes.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

// The first searches run on a copy at most this many pixels on its longer side: a face worth
// framing in a portrait is dozens of pixels tall there, and the quick search takes milliseconds.
constexpr int kSearchSide = 480;
// The finer search may enlarge the picture up to this side, and at most twice, so that a face of
// the smallest size becomes kFineFace pixels, comfortably above the cascades' 24-pixel window.
constexpr int kFineSide = 960;
constexpr double kFineEnlargement = 2.0;
constexpr int kFineFace = 30;
// The smallest window the cascades have (the profile one; the frontal ones are 24 pixels).
constexpr int kSmallestWindow = 20;
// The quick search looks only for faces at least a tenth of the shorter side, in big steps: a
// portrait's face is found in a few milliseconds, and anything else goes on to the full search.
constexpr int kQuickDivisor = 10;
constexpr double kQuickStep = 1.2;
constexpr int kQuickNeighbours = 4;
// Both searches step sizes by a tenth, so that a small face falls near one of them: on the
// montage of 25 faces of bench/faces the finer search found 17 with steps of 1.15 and 21 with
// 1.1, for a tenth more time.
constexpr double kFullStep = 1.1;
constexpr int kFullNeighbours = 3;
// Found faces smaller than this many times the smallest size searched suggest a crowd of faces
// at the edge of what the copy can show; the finer search then looks again.
constexpr double kAtTheLimit = 1.5;
// The eyes are looked for in the upper part of a face, enlarged to this width.
constexpr int kEyeRegionWidth = 120;
constexpr double kEyeRegionShare = 0.6;

constexpr std::array<const char*, 6> kCascadeFiles{
    "haarcascades/haarcascade_frontalface_default.xml",
    "lbpcascades/lbpcascade_frontalface.xml",
    "haarcascades/haarcascade_profileface.xml",
    "lbpcascades/lbpcascade_profileface.xml",
    "haarcascades/haarcascade_eye.xml",
    "haarcascades/haarcascade_eye_tree_eyeglasses.xml"};

struct SearchCopy {
    double scale = 1.0;
    // Equalised, as the cascades were trained; and contrast-limited per tile (CLAHE), which
    // brings out a face in shadow or haze that the global equalisation leaves flat.
    cv::Mat plain;
    cv::Mat local;
};

SearchCopy MakeCopy(const cv::Mat& rgb, double scale, bool withLocal) {
    SearchCopy copy;
    copy.scale = scale;
    cv::Mat resized = rgb;
    if (scale != 1.0) {
        cv::resize(rgb, resized, cv::Size(), scale, scale,
                   scale < 1.0 ? cv::INTER_AREA : cv::INTER_LINEAR);
    }
    cv::Mat grey;
    cv::cvtColor(resized, grey, cv::COLOR_RGB2GRAY);
    cv::equalizeHist(grey, copy.plain);
    if (withLocal) {
        cv::createCLAHE(2.0, cv::Size(8, 8))->apply(grey, copy.local);
    }
    return copy;
}

CropRect ToRect(const cv::Rect& r) {
    return {r.x, r.y, r.width, r.height};
}

struct Pass {
    double step = kFullStep;
    // Whether the profile cascade looks too; the finer search looks only for frontal faces,
    // the small faces of a group or a crowd, and takes half the time without it.
    bool profiles = true;
};

void Detect(cv::CascadeClassifier& cascade, const cv::Mat& grey, bool mirrored, int smallest,
            double step, std::vector<cv::Rect>& found) {
    if (!mirrored) {
        cascade.detectMultiScale(grey, found, step, kFullNeighbours, 0,
                                 cv::Size(smallest, smallest));
        return;
    }
    cv::Mat image;
    cv::flip(grey, image, 1);
    cascade.detectMultiScale(image, found, step, kFullNeighbours, 0, cv::Size(smallest, smallest));
    for (cv::Rect& r : found) {
        r.x = grey.cols - r.x - r.width;
    }
}

// Frontal Haar and LBP on both copies, and the profile cascade on the picture and its mirror
// image, since it was trained on faces turned one way only. The LBP profile cascade, tried in
// its place on one copy to save time, lost the profiles of the labelled set.
std::vector<FaceVote> AllVotes(Cascades& c, const SearchCopy& copy, int smallest,
                               const Pass& pass) {
    struct Detector {
        CascadeKind kind;
        bool local;
        bool mirrored;
    };
    constexpr std::array<Detector, 8> kDetectors{{{CascadeKind::FrontalHaar, false, false},
                                                  {CascadeKind::FrontalLbp, false, false},
                                                  {CascadeKind::FrontalHaar, true, false},
                                                  {CascadeKind::FrontalLbp, true, false},
                                                  {CascadeKind::ProfileHaar, false, false},
                                                  {CascadeKind::ProfileHaar, false, true},
                                                  {CascadeKind::ProfileHaar, true, false},
                                                  {CascadeKind::ProfileHaar, true, true}}};
    std::vector<FaceVote> votes;
    VoteSource bit = 1;
    for (const Detector& d : kDetectors) {
        const bool profile =
            d.kind == CascadeKind::ProfileHaar || d.kind == CascadeKind::ProfileLbp;
        if (pass.profiles || !profile) {
            std::vector<cv::Rect> found;
            Detect(c.Get(d.kind), d.local ? copy.local : copy.plain, d.mirrored, smallest,
                   pass.step, found);
            for (const cv::Rect& r : found) {
                votes.push_back({ToRect(r), bit, profile});
            }
        }
        bit <<= 1;
    }
    return votes;
}

bool EyesIn(Cascades& c, const cv::Mat& grey, const CropRect& face) {
    const cv::Rect region =
        cv::Rect(face.x, face.y, face.width, static_cast<int>(face.height * kEyeRegionShare)) &
        cv::Rect(0, 0, grey.cols, grey.rows);
    if (region.width < 4 || region.height < 4) {
        return false;
    }
    const double zoom = double{kEyeRegionWidth} / region.width;
    cv::Mat upper;
    cv::resize(grey(region), upper, cv::Size(), zoom, zoom,
               zoom < 1.0 ? cv::INTER_AREA : cv::INTER_LINEAR);
    std::vector<cv::Rect> eyes;
    for (CascadeKind kind : {CascadeKind::Eye, CascadeKind::EyeWithGlasses}) {
        c.Get(kind).detectMultiScale(upper, eyes, 1.1, 3, 0, cv::Size(14, 14), cv::Size(60, 60));
        if (!eyes.empty()) {
            return true;
        }
    }
    return false;
}

std::vector<CropRect> InSource(std::vector<CropRect> faces, double scale) {
    for (CropRect& f : faces) {
        f = {static_cast<int>(std::lround(f.x / scale)), static_cast<int>(std::lround(f.y / scale)),
             static_cast<int>(std::lround(f.width / scale)),
             static_cast<int>(std::lround(f.height / scale))};
    }
    return faces;
}

std::vector<CropRect> FullSearch(Cascades& c, const cv::Mat& rgb, double scale, int smallest,
                                 const Pass& pass) {
    const SearchCopy copy = MakeCopy(rgb, scale, true);
    const int window = std::max(kSmallestWindow, static_cast<int>(std::lround(smallest * scale)));
    const auto eyes = [&](const CropRect& face) {
        return EyesIn(c, copy.plain, face) || EyesIn(c, copy.local, face);
    };
    return InSource(AcceptFaces(GroupVotes(AllVotes(c, copy, window, pass)), eyes), scale);
}

// The large frontal faces of a portrait, each confirmed by its eyes.
std::vector<CropRect> QuickSearch(Cascades& c, const cv::Mat& rgb, double scale) {
    const SearchCopy copy = MakeCopy(rgb, scale, false);
    const int window =
        std::max(kSmallestWindow, std::min(copy.plain.cols, copy.plain.rows) / kQuickDivisor);
    std::vector<cv::Rect> found;
    c.Get(CascadeKind::FrontalLbp)
        .detectMultiScale(copy.plain, found, kQuickStep, kQuickNeighbours, 0,
                          cv::Size(window, window));
    std::vector<CropRect> faces;
    for (const cv::Rect& r : found) {
        if (EyesIn(c, copy.plain, ToRect(r))) {
            faces.push_back(ToRect(r));
        }
    }
    return InSource(faces, scale);
}

int Tallest(const std::vector<CropRect>& faces) {
    int tallest = 0;
    for (const CropRect& f : faces) {
        tallest = std::max(tallest, f.height);
    }
    return tallest;
}

std::vector<CropRect> Staged(Cascades& c, const cv::Mat& rgb, int smallest) {
    const double scale = std::min(1.0, double{kSearchSide} / std::max(rgb.cols, rgb.rows));
    if (auto faces = QuickSearch(c, rgb, scale); !faces.empty()) {
        return faces;
    }
    std::vector<CropRect> faces = FullSearch(c, rgb, scale, smallest, {});
    const double searched = std::max(static_cast<double>(smallest), kSmallestWindow / scale);
    if (!faces.empty() && Tallest(faces) >= kAtTheLimit * searched) {
        return faces;
    }
    const double fine = std::min({kFineEnlargement, double{kFineFace} / std::max(1, smallest),
                                  double{kFineSide} / std::max(rgb.cols, rgb.rows)});
    if (fine > scale * 1.25) {
        if (auto finer = FullSearch(c, rgb, fine, smallest, {kFullStep, false}); !finer.empty()) {
            return finer;
        }
    }
    return faces;
}

} // namespace

cv::CascadeClassifier& Cascades::Get(CascadeKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    cv::CascadeClassifier& cascade = m_cascades[index];
    if (cascade.empty() && !cascade.load(m_folder + "/" + kCascadeFiles[index])) {
        throw std::runtime_error("a face cascade cannot be loaded");
    }
    return cascade;
}

std::vector<CropRect> SearchFaces(Cascades& cascades, const cv::Mat& rgb, int smallest) {
    std::vector<CropRect> faces = Staged(cascades, rgb, std::max(1, smallest));
    std::ranges::stable_sort(faces, [](const CropRect& a, const CropRect& b) {
        return static_cast<long>(a.width) * a.height > static_cast<long>(b.width) * b.height;
    });
    for (CropRect& f : faces) {
        f.width = std::min(f.width, rgb.cols - f.x);
        f.height = std::min(f.height, rgb.rows - f.y);
    }
    return faces;
}

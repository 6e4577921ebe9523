#include "faces/cascade_search.h"

#include "faces/face_votes.h"
#include "faces/turned_copy.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <stdexcept>

namespace {

// The first searches run on a copy at most this many pixels on its longer side: a face worth
// framing in a portrait is dozens of pixels tall there, and the quick search takes milliseconds.
constexpr int kSearchSide = 480;
// The finer search may enlarge the picture up to this side, and at most twice, so that a face of
// the smallest size becomes kFineFace pixels, comfortably above the cascades' 24-pixel window.
// A small picture is enlarged twice as long as its copy stays within kSearchSide, which costs
// no more than the first search: a 24-pixel face in a thumbnail is then one the cascades see.
constexpr int kFineSide = 960;
constexpr double kFineEnlargement = 2.0;
constexpr int kFineFace = 30;
// The finer search looks for faces up to this many times the smallest the first search looked
// for; the first saw larger ones as well as the finer would.
constexpr double kFinerUpTo = 2.0;
// A copy enlarged more than this shows detail the picture does not have, and its finds need
// more agreement, as a turned copy's do.
constexpr double kMadeUpDetail = 1.3;
// The smallest window the cascades have (the profile one; the frontal ones are 24 pixels).
constexpr int kSmallestWindow = 20;
// The cascades find faces tilted by up to about ten degrees. Where nothing else was found, copies
// turned twelve degrees each way find faces tilted by about 4 to 20, as a head leaning or a
// camera held askew gives. They look only for a portrait's face, at least an eighth of the
// shorter side, on a copy of at most kTurnedSide pixels on its shorter side (a copy of 300 lost
// the cameraman of bench/faces turned by 8 degrees): on a 12-megapixel photo without a face the
// two turns cost about 0.6 s, and they brought recall from 94.6 % to 96.4 %.
constexpr std::array<double, 2> kTurns{12.0, -12.0};
constexpr int kTurnedDivisor = 8;
constexpr double kTurnedSide = 400.0;
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
    // Whether the profile cascade looks too; the finer search of a large picture looks only for
    // frontal faces, the small faces of a group or a crowd, and takes half the time without it.
    bool profiles = true;
    // Degrees the copy is turned by, for a face tilted that far the other way.
    double turn = 0.0;
    // The largest face looked for, in the picture's pixels; 0 for no limit.
    int largest = 0;
};

void Detect(cv::CascadeClassifier& cascade, const cv::Mat& grey, bool mirrored, cv::Size smallest,
            cv::Size largest, std::vector<cv::Rect>& found) {
    if (!mirrored) {
        cascade.detectMultiScale(grey, found, kFullStep, kFullNeighbours, 0, smallest, largest);
        return;
    }
    cv::Mat image;
    cv::flip(grey, image, 1);
    cascade.detectMultiScale(image, found, kFullStep, kFullNeighbours, 0, smallest, largest);
    for (cv::Rect& r : found) {
        r.x = grey.cols - r.x - r.width;
    }
}

// Frontal Haar and LBP on both copies, and the profile cascade on the picture and its mirror
// image, since it was trained on faces turned one way only. The LBP profile cascade, tried in
// its place on one copy to save time, lost the profiles of the labelled set.
std::vector<FaceVote> AllVotes(Cascades& c, const SearchCopy& copy, int smallest, int largest,
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
            Detect(c.Get(d.kind), d.local ? copy.local : copy.plain, d.mirrored,
                   cv::Size(smallest, smallest), cv::Size(largest, largest), found);
            for (const cv::Rect& r : found) {
                votes.push_back({ToRect(r), bit, profile});
            }
        }
        bit <<= 1;
    }
    return votes;
}

// On how many sides of the face's upper part (left, right) one eye cascade finds an eye; the
// better of the two cascades, so that glasses are looked through too. The search ends once
// enough sides are seen.
int EyeSides(Cascades& c, const cv::Mat& grey, const CropRect& face, int enough = 2) {
    const cv::Rect region =
        cv::Rect(face.x, face.y, face.width, static_cast<int>(face.height * kEyeRegionShare)) &
        cv::Rect(0, 0, grey.cols, grey.rows);
    if (region.width < 4 || region.height < 4) {
        return 0;
    }
    const double zoom = double{kEyeRegionWidth} / region.width;
    cv::Mat upper;
    cv::resize(grey(region), upper, cv::Size(), zoom, zoom,
               zoom < 1.0 ? cv::INTER_AREA : cv::INTER_LINEAR);
    int best = 0;
    for (CascadeKind kind : {CascadeKind::Eye, CascadeKind::EyeWithGlasses}) {
        std::vector<cv::Rect> eyes;
        c.Get(kind).detectMultiScale(upper, eyes, 1.1, 3, 0, cv::Size(14, 14), cv::Size(60, 60));
        const bool left = std::ranges::any_of(
            eyes, [&](const cv::Rect& e) { return 2 * e.x + e.width < upper.cols; });
        const bool right = std::ranges::any_of(
            eyes, [&](const cv::Rect& e) { return 2 * e.x + e.width >= upper.cols; });
        best = std::max(best, int{left} + int{right});
        if (best >= enough) {
            break;
        }
    }
    return best;
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
    SearchCopy copy = MakeCopy(rgb, scale, true);
    const int window = std::max(kSmallestWindow, static_cast<int>(std::lround(smallest * scale)));
    const int largest = static_cast<int>(std::lround(pass.largest * scale));
    std::optional<TurnedCopy> turned;
    if (pass.turn != 0.0) {
        turned.emplace(std::initializer_list<cv::Mat*>{&copy.plain, &copy.local}, pass.turn);
    }
    const auto eyes = [&](const CropRect& face) {
        const int sides = EyeSides(c, copy.plain, face);
        return sides == 2 ? sides : std::max(sides, EyeSides(c, copy.local, face));
    };
    const Doubt doubt = turned                  ? Doubt::Turned
                        : scale > kMadeUpDetail ? Doubt::Enlarged
                                                : Doubt::Picture;
    std::vector<CropRect> faces =
        AcceptFaces(GroupVotes(AllVotes(c, copy, window, largest, pass)), eyes, doubt);
    return InSource(turned ? turned->Back(std::move(faces)) : std::move(faces), scale);
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
        if (EyeSides(c, copy.plain, ToRect(r), 1) > 0) {
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

// The finer copy's scale: enlarged so that the smallest face is kFineFace pixels, within
// kFineSide; a small picture's up to twice, within kSearchSide.
double FineScale(const cv::Mat& rgb, int smallest) {
    const double longer = std::max(rgb.cols, rgb.rows);
    const double finer =
        std::min({kFineEnlargement, double{kFineFace} / smallest, double{kFineSide} / longer});
    return std::max(finer, std::min(kFineEnlargement, kSearchSide / longer));
}

// Tilted portraits, on turned copies, once nothing upright was found.
std::vector<CropRect> TurnedSearch(Cascades& c, const cv::Mat& rgb, double scale, int smallest) {
    const int shorter = std::min(rgb.cols, rgb.rows);
    const double turnedScale = std::min(scale, kTurnedSide / shorter);
    const int portrait = std::max(smallest, shorter / kTurnedDivisor);
    for (const double turn : kTurns) {
        if (auto faces = FullSearch(c, rgb, turnedScale, portrait, {true, turn, 0});
            !faces.empty()) {
            return faces;
        }
    }
    return {};
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
    const double fine = FineScale(rgb, smallest);
    if (fine > scale * 1.25) {
        const Pass finer{fine * std::max(rgb.cols, rgb.rows) <= kSearchSide, 0.0,
                         static_cast<int>(std::lround(kFinerUpTo * searched))};
        if (auto found = FullSearch(c, rgb, fine, smallest, finer); !found.empty()) {
            return found;
        }
    }
    return faces.empty() ? TurnedSearch(c, rgb, scale, smallest) : faces;
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
    // A box found on a turned copy can reach past the picture's edge.
    for (CropRect& f : faces) {
        const int right = std::min(f.x + f.width, rgb.cols);
        const int bottom = std::min(f.y + f.height, rgb.rows);
        f.x = std::clamp(f.x, 0, rgb.cols);
        f.y = std::clamp(f.y, 0, rgb.rows);
        f.width = std::max(0, right - f.x);
        f.height = std::max(0, bottom - f.y);
    }
    std::erase_if(faces, [](const CropRect& f) { return f.width <= 0 || f.height <= 0; });
    std::ranges::stable_sort(faces, [](const CropRect& a, const CropRect& b) {
        return static_cast<long>(a.width) * a.height > static_cast<long>(b.width) * b.height;
    });
    return faces;
}

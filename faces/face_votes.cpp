#include "faces/face_votes.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace {

// Boxes of one face from different detectors differ in size and place by about a fifth; a
// third of their union still overlaps, while the boxes of two neighbours in a crowd do not.
constexpr double kSameFaceOverlap = 0.3;
// Agreement needed without the eyes: four sources, which patterns in stone, stars or coins
// reach only with two or three.
constexpr int kVotesWithoutEyes = 4;
constexpr int kVotesWithEyes = 2;
// Found eyes weigh as much as three more sources when ordering the faces.
constexpr int kEyesWeight = 3;

std::int64_t Area(const CropRect& r) {
    return static_cast<std::int64_t>(r.width) * r.height;
}

double Overlap(const CropRect& a, const CropRect& b) {
    const int across = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    const int down = std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
    if (across <= 0 || down <= 0) {
        return 0.0;
    }
    const auto shared = static_cast<std::int64_t>(across) * down;
    return static_cast<double>(shared) / static_cast<double>(Area(a) + Area(b) - shared);
}

bool CentreInside(const CropRect& inner, const CropRect& outer) {
    const int cx = inner.x + inner.width / 2;
    const int cy = inner.y + inner.height / 2;
    return cx >= outer.x && cx <= outer.x + outer.width && cy >= outer.y &&
           cy <= outer.y + outer.height;
}

int Median(std::vector<int> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

struct Group {
    std::vector<CropRect> boxes;
    VoteSource sources = 0;
    bool profileOnly = true;
};

FaceCandidate Candidate(const Group& group) {
    std::vector<int> x, y, w, h;
    for (const CropRect& box : group.boxes) {
        x.push_back(box.x);
        y.push_back(box.y);
        w.push_back(box.width);
        h.push_back(box.height);
    }
    return {{Median(x), Median(y), Median(w), Median(h)},
            std::popcount(group.sources),
            group.profileOnly};
}

} // namespace

std::vector<FaceCandidate> GroupVotes(const std::vector<FaceVote>& votes) {
    std::vector<Group> groups;
    for (const FaceVote& vote : votes) {
        auto same = std::ranges::find_if(groups, [&](const Group& g) {
            return Overlap(g.boxes.front(), vote.box) > kSameFaceOverlap;
        });
        if (same == groups.end()) {
            groups.push_back({});
            same = std::prev(groups.end());
        }
        same->boxes.push_back(vote.box);
        same->sources |= vote.source;
        same->profileOnly = same->profileOnly && vote.profile;
    }
    std::vector<FaceCandidate> candidates;
    for (const Group& group : groups) {
        candidates.push_back(Candidate(group));
    }
    return candidates;
}

std::vector<CropRect> AcceptFaces(const std::vector<FaceCandidate>& candidates,
                                  const std::function<bool(const CropRect&)>& eyesSeen) {
    struct Scored {
        int score;
        CropRect box;
    };
    std::vector<Scored> accepted;
    for (const FaceCandidate& c : candidates) {
        // The eyes are looked for only where the votes alone do not settle it.
        const bool byVotes =
            c.votes >= kVotesWithoutEyes || (c.profileOnly && c.votes >= kVotesWithEyes);
        const bool eyes = c.votes >= kVotesWithEyes && eyesSeen(c.box);
        if (byVotes || eyes) {
            accepted.push_back({c.votes + (eyes ? kEyesWeight : 0), c.box});
        }
    }
    std::ranges::stable_sort(accepted,
                             [](const Scored& a, const Scored& b) { return a.score > b.score; });
    std::vector<CropRect> faces;
    for (const Scored& s : accepted) {
        const bool inBetter = std::ranges::any_of(faces, [&](const CropRect& kept) {
            return CentreInside(s.box, kept) || CentreInside(kept, s.box);
        });
        if (!inBetter) {
            faces.push_back(s.box);
        }
    }
    return faces;
}

#include "faces/face_votes.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace {

// Boxes of one face from different detectors differ in size and place by about a fifth; a
// third of their union still overlaps, while the boxes of two neighbours in a crowd do not.
constexpr double kSameFaceOverlap = 0.3;
// Agreement needed without the eyes: four sources, which patterns in stone, stars or coins
// reach only with two or three. Three sources need an eye, and two need an eye on each side:
// on bench/faces a single eye confirmed five false finds among two sources (a billboard, a
// sleeve, the ground), and both eyes none of them.
constexpr int kVotesWithoutEyes = 4;
constexpr int kVotesWithAnEye = 3;
constexpr int kVotesWithBothEyes = 2;
// In a group, a face that one source saw and whose eye is found is taken when it is about the
// size of the faces already taken: the faces of a group photo are of a size, and a pattern that
// looks like a face rarely is of theirs too.
constexpr int kFacesOfAGroup = 2;
constexpr double kGroupSizeRatio = 1.5;
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

namespace {

struct Scored {
    int score;
    CropRect box;
};

// A candidate that may yet be a group's member, and on how many sides its eyes were found;
// kNotLookedFor until they are needed.
struct Doubtful {
    FaceCandidate candidate;
    int sides;
};
constexpr int kNotLookedFor = -1;

// The candidates the votes accept, with the eyes where the votes alone do not settle it. The
// others that a group could still take are left in doubtful.
std::vector<Scored> AcceptByVotes(const std::vector<FaceCandidate>& candidates,
                                  const EyeSearch& eyeSides, Doubt doubt,
                                  std::vector<Doubtful>& doubtful) {
    std::vector<Scored> accepted;
    const int extra = doubt == Doubt::Picture ? 0 : 1;
    for (const FaceCandidate& c : candidates) {
        const int votes = c.votes - extra;
        if (votes >= kVotesWithoutEyes || (c.profileOnly && votes >= kVotesWithBothEyes)) {
            accepted.push_back({c.votes, c.box});
            continue;
        }
        // One source alone is taken only beside a group, so its eyes wait until there is one:
        // most pictures have no group and many such candidates.
        if (c.votes < kVotesWithBothEyes) {
            if (votes > 0) {
                doubtful.push_back({c, kNotLookedFor});
            }
            continue;
        }
        const int sides = eyeSides(c.box);
        // A profile shows one eye at most, and two profile sources with it are enough, but on a
        // turned copy: there the pair was a coat's fold as often as a face, in the test photos.
        const bool profileEye =
            doubt != Doubt::Turned && c.profileOnly && c.votes >= kVotesWithBothEyes && sides > 0;
        const bool eyes = (votes >= kVotesWithAnEye && sides > 0) ||
                          (votes >= kVotesWithBothEyes && sides >= 2) || profileEye;
        if (eyes) {
            accepted.push_back({c.votes + kEyesWeight, c.box});
        } else if (sides > 0 && votes > 0) {
            doubtful.push_back({c, sides});
        }
    }
    return accepted;
}

// The doubtful candidates of a group's size whose eyes are found, when there is a group.
void AcceptGroupMembers(const std::vector<Doubtful>& doubtful, const EyeSearch& eyeSides,
                        std::vector<Scored>& accepted) {
    if (accepted.size() < kFacesOfAGroup) {
        return;
    }
    std::vector<int> heights;
    for (const Scored& s : accepted) {
        heights.push_back(s.box.height);
    }
    const double typical = Median(heights);
    for (const auto& [c, known] : doubtful) {
        if (c.box.height * kGroupSizeRatio < typical || c.box.height > typical * kGroupSizeRatio) {
            continue;
        }
        const int sides = known == kNotLookedFor ? eyeSides(c.box) : known;
        if (sides > 0) {
            accepted.push_back({c.votes + sides, c.box});
        }
    }
}

} // namespace

std::vector<CropRect> AcceptFaces(const std::vector<FaceCandidate>& candidates,
                                  const EyeSearch& eyeSides, Doubt doubt) {
    std::vector<Doubtful> doubtful;
    std::vector<Scored> accepted = AcceptByVotes(candidates, eyeSides, doubt, doubtful);
    AcceptGroupMembers(doubtful, eyeSides, accepted);
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

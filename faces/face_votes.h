// How the face search decides which of the boxes its detectors report are faces. Several
// detectors on several copies of the picture each say "a face here"; boxes that overlap are one
// candidate, and a candidate is a face when enough of them agree or its eyes are found. Plain
// C++, so that the rule is tested without the toolkit.
#pragma once

#include "convert/framing.h"

#include <cstdint>
#include <functional>
#include <vector>

// Which detector, on which copy of the picture, reported a box: one bit each.
using VoteSource = std::uint32_t;

struct FaceVote {
    CropRect box;
    VoteSource source = 0;
    // Whether the detector looks for faces in profile; a face turned away is seen only by
    // those, so they alone may agree on it.
    bool profile = false;
};

struct FaceCandidate {
    CropRect box;
    int votes = 0;
    bool profileOnly = true;
};

// Boxes that overlap by at least a third of their union are one candidate, its box the median
// of theirs; votes counts the distinct sources.
std::vector<FaceCandidate> GroupVotes(const std::vector<FaceVote>& votes);

// Looks for eyes in the upper part of a candidate's box: on how many sides of it (left, right)
// an eye was found, 0, 1 or 2.
using EyeSearch = std::function<int(const CropRect&)>;

// Where the boxes come from: a copy much enlarged or turned shows detail the picture does not
// have, which the detectors take for faces more often; every rule then needs one source more,
// except that two profile sources with an eye still make a face on an enlarged copy.
enum class Doubt { Picture, Enlarged, Turned };

// The candidates that are faces, best first and none centred inside a better one: those that
// four sources agree on, two profile sources alone, three with an eye found, or two with both
// eyes found; and, where at least two faces were taken, any other candidate with an eye found
// that is of their size, as the faces of a group are.
std::vector<CropRect> AcceptFaces(const std::vector<FaceCandidate>& candidates,
                                  const EyeSearch& eyeSides, Doubt doubt = Doubt::Picture);

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

// The candidates that are faces, best first and none centred inside a better one: those whose
// eyes are seen and that two sources agree on, those that four sources agree on, and those that
// two profile sources alone agree on. eyesSeen looks for eyes in a candidate's box.
std::vector<CropRect> AcceptFaces(const std::vector<FaceCandidate>& candidates,
                                  const std::function<bool(const CropRect&)>& eyesSeen);

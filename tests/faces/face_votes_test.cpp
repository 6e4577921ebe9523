// Which of the detectors' boxes the face search takes for faces: the rule alone, without the
// toolkit, as a table of what the detectors and the eye search said.

#include "faces/face_votes.h"
#include "tests/support/named_param.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using named_param::PrintTo;

constexpr CropRect kFace{100, 100, 60, 60};
// The same face as another detector boxes it: a little larger and shifted.
constexpr CropRect kFaceAgain{96, 104, 68, 66};
// A box of the shoulder and background below and beside the face, which holds its centre.
constexpr CropRect kAroundFace{110, 80, 130, 130};
constexpr CropRect kElsewhere{300, 40, 50, 50};

FaceVote Frontal(CropRect box, VoteSource source) {
    return {box, source, false};
}
FaceVote Profile(CropRect box, VoteSource source) {
    return {box, source, true};
}

struct VoteCase {
    std::string name;
    std::vector<FaceVote> votes;
    // Boxes in which the eye search finds eyes.
    std::vector<CropRect> eyes;
    std::vector<CropRect> faces;
};

const std::vector<VoteCase> kCases{
    {"TwoSourcesAndEyes", {Frontal(kFace, 1), Frontal(kFaceAgain, 2)}, {kFace}, {kFace}},
    {"TwoSourcesWithoutEyes", {Frontal(kFace, 1), Frontal(kFaceAgain, 2)}, {}, {}},
    // Two boxes from one source are still one voice.
    {"OneSourceTwiceAndEyes", {Frontal(kFace, 1), Frontal(kFaceAgain, 1)}, {kFace}, {}},
    {"OneSourceAndEyes", {Frontal(kFace, 1)}, {kFace}, {}},
    {"FourSourcesWithoutEyes",
     {Frontal(kFace, 1), Frontal(kFace, 2), Frontal(kFaceAgain, 4), Frontal(kFace, 8)},
     {},
     {kFace}},
    {"TwoProfileSources", {Profile(kFace, 16), Profile(kFaceAgain, 32)}, {}, {kFace}},
    {"ProfileAndFrontalWithoutEyes", {Profile(kFace, 16), Frontal(kFaceAgain, 1)}, {}, {}},
    // The larger box has more votes but no eyes; the face inside it has its eyes and wins.
    {"BoxAroundAFaceGivesWay",
     {Frontal(kAroundFace, 1), Frontal(kAroundFace, 2), Frontal(kAroundFace, 4),
      Frontal(kAroundFace, 8), Frontal(kFace, 1), Frontal(kFaceAgain, 2)},
     {kFace},
     {kFace}},
    {"TwoFacesApart",
     {Frontal(kFace, 1), Frontal(kFaceAgain, 2), Frontal(kElsewhere, 1), Frontal(kElsewhere, 4)},
     {kFace, kElsewhere},
     {kFace, kElsewhere}},
    {"Nothing", {}, {}, {}},
};

class Votes : public ::testing::TestWithParam<VoteCase> {};

TEST_P(Votes, AcceptTheFacesAgreedOn) {
    const VoteCase& c = GetParam();
    const auto eyesSeen = [&](const CropRect& box) {
        for (const CropRect& e : c.eyes) {
            if (std::abs(e.x - box.x) <= 8 && std::abs(e.y - box.y) <= 8) {
                return true;
            }
        }
        return false;
    };
    const std::vector<CropRect> faces = AcceptFaces(GroupVotes(c.votes), eyesSeen);
    ASSERT_EQ(faces.size(), c.faces.size());
    for (std::size_t i = 0; i < faces.size(); ++i) {
        EXPECT_NEAR(faces[i].x, c.faces[i].x, 8);
        EXPECT_NEAR(faces[i].y, c.faces[i].y, 8);
        EXPECT_NEAR(faces[i].height, c.faces[i].height, 10);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Votes, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

TEST(Votes, OverlappingBoxesAreOneCandidateWithTheMedianBox) {
    const std::vector<FaceCandidate> candidates =
        GroupVotes({Frontal({100, 100, 60, 60}, 1), Frontal({104, 96, 64, 64}, 2),
                    Profile({102, 98, 70, 70}, 4), Frontal(kElsewhere, 1)});
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_EQ(candidates[0].box, (CropRect{102, 98, 64, 64}));
    EXPECT_EQ(candidates[0].votes, 3);
    EXPECT_FALSE(candidates[0].profileOnly);
    EXPECT_EQ(candidates[1].votes, 1);
}

} // namespace

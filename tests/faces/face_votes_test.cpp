// Which of the detectors' boxes the face search takes for faces: the rule alone, without the
// toolkit, as a table of what the detectors and the eye search said.

#include "faces/face_votes.h"
#include "tests/support/named_param.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// A box in which the eye search finds an eye on so many sides.
struct EyesAt {
    CropRect box;
    int sides = 2;
};

struct VoteCase {
    std::string name;
    std::vector<FaceVote> votes;
    std::vector<EyesAt> eyes;
    std::vector<CropRect> faces;
    Doubt doubt = Doubt::Picture;
};

// Faces of a group photo, each seen by enough sources, and a neighbour that only one saw.
constexpr CropRect kGroupA{100, 100, 60, 60};
constexpr CropRect kGroupB{200, 100, 56, 56};
constexpr CropRect kGroupC{300, 100, 62, 62};
constexpr CropRect kGroupLarge{400, 100, 120, 120};
std::vector<FaceVote> Group(std::vector<FaceVote> more) {
    std::vector<FaceVote> votes{Frontal(kGroupA, 1), Frontal(kGroupA, 2), Frontal(kGroupA, 4),
                                Frontal(kGroupA, 8), Frontal(kGroupB, 1), Frontal(kGroupB, 2),
                                Frontal(kGroupB, 4), Frontal(kGroupB, 8)};
    votes.insert(votes.end(), more.begin(), more.end());
    return votes;
}

const std::vector<VoteCase> kCases{
    {"TwoSourcesAndEyes", {Frontal(kFace, 1), Frontal(kFaceAgain, 2)}, {{kFace}}, {kFace}},
    // One eye is found in a billboard or a sleeve as often as in a face.
    {"TwoSourcesAndOneEye", {Frontal(kFace, 1), Frontal(kFaceAgain, 2)}, {{kFace, 1}}, {}},
    {"ThreeSourcesAndOneEye",
     {Frontal(kFace, 1), Frontal(kFaceAgain, 2), Frontal(kFace, 4)},
     {{kFace, 1}},
     {kFace}},
    {"ThreeSourcesWithoutEyes",
     {Frontal(kFace, 1), Frontal(kFaceAgain, 2), Frontal(kFace, 4)},
     {},
     {}},
    {"TwoSourcesWithoutEyes", {Frontal(kFace, 1), Frontal(kFaceAgain, 2)}, {}, {}},
    // Two boxes from one source are still one voice.
    {"OneSourceTwiceAndEyes", {Frontal(kFace, 1), Frontal(kFaceAgain, 1)}, {{kFace}}, {}},
    {"OneSourceAndEyes", {Frontal(kFace, 1)}, {{kFace}}, {}},
    {"FourSourcesWithoutEyes",
     {Frontal(kFace, 1), Frontal(kFace, 2), Frontal(kFaceAgain, 4), Frontal(kFace, 8)},
     {},
     {kFace}},
    {"TwoProfileSources", {Profile(kFace, 16), Profile(kFaceAgain, 32)}, {}, {kFace}},
    // On a turned or much enlarged copy every rule needs one source more.
    {"TwoProfileSourcesOnACopy",
     {Profile(kFace, 16), Profile(kFaceAgain, 32)},
     {},
     {},
     Doubt::Turned},
    {"TwoProfileSourcesAndAnEyeEnlarged",
     {Profile(kFace, 16), Profile(kFaceAgain, 32)},
     {{kFace, 1}},
     {kFace},
     Doubt::Enlarged},
    {"TwoProfileSourcesAndAnEyeTurned",
     {Profile(kFace, 16), Profile(kFaceAgain, 32)},
     {{kFace, 1}},
     {},
     Doubt::Turned},
    {"ThreeSourcesAndOneEyeOnACopy",
     {Frontal(kFace, 1), Frontal(kFaceAgain, 2), Frontal(kFace, 4)},
     {{kFace, 1}},
     {},
     Doubt::Turned},
    {"FourSourcesWithoutEyesOnACopy",
     {Frontal(kFace, 1), Frontal(kFace, 2), Frontal(kFaceAgain, 4), Frontal(kFace, 8)},
     {},
     {},
     Doubt::Turned},
    {"FourSourcesAndOneEyeOnACopy",
     {Frontal(kFace, 1), Frontal(kFace, 2), Frontal(kFaceAgain, 4), Frontal(kFace, 8)},
     {{kFace, 1}},
     {kFace},
     Doubt::Turned},
    // Beside two faces, one source and an eye are enough for a face of their size only.
    {"GroupMemberOfTheirSize",
     Group({Frontal(kGroupC, 1)}),
     {{kGroupC, 1}},
     {kGroupA, kGroupB, kGroupC}},
    {"GroupMemberWithoutEyes", Group({Frontal(kGroupC, 1)}), {}, {kGroupA, kGroupB}},
    {"TwiceTheGroupsSize",
     Group({Frontal(kGroupLarge, 1)}),
     {{kGroupLarge, 1}},
     {kGroupA, kGroupB}},
    {"NoGroupOfOne",
     {Frontal(kGroupA, 1), Frontal(kGroupA, 2), Frontal(kGroupA, 4), Frontal(kGroupA, 8),
      Frontal(kGroupC, 1)},
     {{kGroupC, 1}},
     {kGroupA}},
    {"ProfileAndFrontalWithoutEyes", {Profile(kFace, 16), Frontal(kFaceAgain, 1)}, {}, {}},
    // The larger box has more votes but no eyes; the face inside it has its eyes and wins.
    {"BoxAroundAFaceGivesWay",
     {Frontal(kAroundFace, 1), Frontal(kAroundFace, 2), Frontal(kAroundFace, 4),
      Frontal(kAroundFace, 8), Frontal(kFace, 1), Frontal(kFaceAgain, 2)},
     {{kFace}},
     {kFace}},
    {"TwoFacesApart",
     {Frontal(kFace, 1), Frontal(kFaceAgain, 2), Frontal(kElsewhere, 1), Frontal(kElsewhere, 4)},
     {{kFace}, {kElsewhere}},
     {kFace, kElsewhere}},
    {"Nothing", {}, {}, {}},
};

class Votes : public ::testing::TestWithParam<VoteCase> {};

TEST_P(Votes, AcceptTheFacesAgreedOn) {
    const VoteCase& c = GetParam();
    const auto eyeSides = [&](const CropRect& box) {
        for (const EyesAt& e : c.eyes) {
            if (std::abs(e.box.x - box.x) <= 8 && std::abs(e.box.y - box.y) <= 8) {
                return e.sides;
            }
        }
        return 0;
    };
    std::vector<CropRect> faces = AcceptFaces(GroupVotes(c.votes), eyeSides, c.doubt);
    // Which of equally good faces comes first is no part of the rule.
    std::ranges::sort(faces, [](const CropRect& a, const CropRect& b) { return a.x < b.x; });
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

// The pack as a document, without a window: what each operation changes, what it announces,
// how undo and redo bring it back, and when the pack counts as changed.
#include "editor/pack_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace {

using Slots = std::vector<int>;

// Records every announcement, so that a test sees exactly which slots each operation named.
class FakeView final : public PackObserver {
public:
    void OnSlotsChanged(std::span<const int> slots) override {
        calls.emplace_back(slots.begin(), slots.end());
    }
    std::vector<Slots> calls;
};

std::array<std::uint8_t, PICTURE_BYTES> PictureOf(std::uint8_t fill) {
    std::array<std::uint8_t, PICTURE_BYTES> picture{};
    picture.fill(fill);
    return picture;
}

// Slot 0 holds 10 with a picture of 0x11s, slot 1 holds 20 with 0x22s, slot 2 is empty with
// 0x33s left in it, the rest are all zeros.
PackImage StartPack() {
    PackImage pack{};
    const std::uint8_t fills[] = {0x11, 0x22, 0x33};
    const int ids[] = {10, 20, 0};
    for (int slot = 0; slot < 3; ++slot) {
        SetContactId(pack, slot, ids[slot]);
        std::fill_n(GetPicture(pack, slot).begin(), PICTURE_BYTES, fills[slot]);
    }
    return pack;
}

// What the views draw of a slot, as one comparable value.
struct Shown {
    int id;
    std::uint8_t firstByte;
    bool picture;
    bool empty;
    bool changed;
    friend bool operator==(const Shown&, const Shown&) = default;
};

Shown ShownOf(const PackDocument& document, int slot) {
    return {document.Id(slot), document.Picture(slot)[0], document.ShowsPicture(slot),
            document.ShowsEmpty(slot), document.IsSlotChanged(slot)};
}

std::vector<Shown> AllShown(const PackDocument& document) {
    std::vector<Shown> shown;
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        shown.push_back(ShownOf(document, slot));
    }
    return shown;
}

class Document : public ::testing::Test {
protected:
    void SetUp() override { document.AddObserver(&view); }
    void TearDown() override { document.RemoveObserver(&view); }

    PackImage pack = StartPack();
    PackDocument document{pack};
    FakeView view;
};

TEST_F(Document, ShowsThePackItStartsWithAsSaved) {
    EXPECT_EQ(ShownOf(document, 0), (Shown{10, 0x11, true, false, false}));
    EXPECT_EQ(ShownOf(document, 2), (Shown{0, 0x33, false, true, false}));
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(document.CanUndo());
    EXPECT_FALSE(document.CanRedo());
    EXPECT_EQ(&document.Pack(), &pack) << "the document works on the pack it was given";
}

struct OperationCase {
    const char* name;
    std::function<void(PackDocument&)> run;
    // The slots announced, in one call, or none at all.
    Slots changed;
    // Slot 0, 1 and 2 afterwards.
    std::vector<Shown> after;
    // Whether the bytes then differ from the saved pack; "0" for "000" changes only the row.
    bool modified = true;
};

const auto kPictureA = PictureOf(0xAA);

// Each operation that changes something is one step: it announces exactly the slots it changed,
// undo brings back every slot as it was and redo brings the step back, each announcing the same
// slots. An operation that changes nothing announces nothing and records no step.
TEST_F(Document, EachOperationAnnouncesTheSlotsItChangedAndIsOneStep) {
    const OperationCase cases[] = {
        {"SetId",
         [](PackDocument& d) { d.SetId(1, 42); },
         {1},
         {{10, 0x11, true, false, false},
          {42, 0x22, true, false, true},
          {0, 0x33, false, true, false}}},
        {"SetId keeps bits 0-15",
         [](PackDocument& d) { d.SetId(0, 65536 + 5); },
         {0},
         {{5, 0x11, true, false, true},
          {20, 0x22, true, false, false},
          {0, 0x33, false, true, false}}},
        {"SetId 0 on an empty slot reads as typed",
         [](PackDocument& d) { d.SetId(2, 0); },
         {2},
         {{10, 0x11, true, false, false},
          {20, 0x22, true, false, false},
          {0, 0x33, false, false, false}},
         false},
        {"SetPicture on an empty slot shows it",
         [](PackDocument& d) { d.SetPicture(2, kPictureA); },
         {2},
         {{10, 0x11, true, false, false},
          {20, 0x22, true, false, false},
          {0, 0xAA, true, true, true}}},
        {"Remove keeps the picture bytes",
         [](PackDocument& d) { d.Remove(0); },
         {0},
         {{0, 0x11, false, true, true},
          {20, 0x22, true, false, false},
          {0, 0x33, false, true, false}}},
        {"Swap",
         [](PackDocument& d) { d.Swap(0, 2); },
         {0, 2},
         {{0, 0x33, false, true, true},
          {20, 0x22, true, false, false},
          {10, 0x11, true, false, true}}},
    };
    for (const OperationCase& c : cases) {
        SCOPED_TRACE(c.name);
        pack = StartPack();
        document.Load(pack, LoadedPart::Whole);
        const std::vector<Shown> before = AllShown(document);
        view.calls.clear();
        c.run(document);
        EXPECT_EQ(view.calls, std::vector<Slots>{c.changed});
        std::vector<Shown> after = AllShown(document);
        EXPECT_EQ(std::vector<Shown>(after.begin(), after.begin() + 3), c.after);
        EXPECT_EQ(document.IsModified(), c.modified);
        ASSERT_TRUE(document.CanUndo());

        view.calls.clear();
        EXPECT_FALSE(document.Undo().empty());
        EXPECT_EQ(AllShown(document), before);
        EXPECT_EQ(view.calls, std::vector<Slots>{c.changed});
        EXPECT_FALSE(document.IsModified()) << "undone to the saved state";
        EXPECT_FALSE(document.CanUndo());
        ASSERT_TRUE(document.CanRedo());

        view.calls.clear();
        EXPECT_FALSE(document.Redo().empty());
        EXPECT_EQ(AllShown(document), after);
        EXPECT_EQ(view.calls, std::vector<Slots>{c.changed});
        EXPECT_EQ(document.IsModified(), c.modified) << "redone past the saved state";
    }
}

TEST_F(Document, AnOperationThatChangesNothingAnnouncesNothingAndIsNoStep) {
    const struct {
        const char* name;
        std::function<void(PackDocument&)> run;
    } cases[] = {
        {"SetId to the identifier shown", [](PackDocument& d) { d.SetId(0, 10); }},
        {"SetId of the same bits", [](PackDocument& d) { d.SetId(1, 20 - 65536); }},
        {"SetPicture of the picture shown",
         [](PackDocument& d) { d.SetPicture(0, PictureOf(0x11)); }},
        {"Remove of an empty slot", [](PackDocument& d) { d.Remove(2); }},
        {"Remove of a slot outside the pack", [](PackDocument& d) { d.Remove(PACK_SLOT_COUNT); }},
        {"SetId of a slot outside the pack", [](PackDocument& d) { d.SetId(-1, 5); }},
        {"Swap of a slot with itself", [](PackDocument& d) { EXPECT_TRUE(d.Swap(1, 1).empty()); }},
        {"Swap with a slot outside the pack",
         [](PackDocument& d) { EXPECT_TRUE(d.Swap(0, PACK_SLOT_COUNT).empty()); }},
        {"Undo with nothing done", [](PackDocument& d) { EXPECT_TRUE(d.Undo().empty()); }},
        {"Redo with nothing undone", [](PackDocument& d) { EXPECT_TRUE(d.Redo().empty()); }},
        {"MarkSaved of the saved pack", [](PackDocument& d) { d.MarkSaved(); }},
        {"Load of the pack shown", [](PackDocument& d) { d.Load(StartPack(), LoadedPart::Whole); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        pack = StartPack();
        document.Load(pack, LoadedPart::Whole);
        const std::vector<Shown> before = AllShown(document);
        view.calls.clear();
        c.run(document);
        EXPECT_TRUE(view.calls.empty());
        EXPECT_EQ(AllShown(document), before);
        EXPECT_FALSE(document.CanUndo());
    }
}

// Two alike slots swapped change nothing that shows, yet the move is a step as every move is,
// so that Ctrl+Z takes back the moves the user made, one each.
TEST_F(Document, ASwapOfTwoAlikeSlotsIsAStepThatAnnouncesNothing) {
    EXPECT_EQ(document.Swap(3, 4), (Slots{3, 4}));
    EXPECT_TRUE(view.calls.empty());
    EXPECT_TRUE(document.CanUndo());
    EXPECT_EQ(document.Undo(), (Slots{4, 3})) << "an undo ends on the slot moved from";
    EXPECT_EQ(document.Redo(), (Slots{3, 4})) << "a redo ends on the slot moved to";
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(Document, SavingMarksTheChangedSlotsUnchangedAndAnnouncesThem) {
    document.SetId(0, 11);
    document.Remove(1);
    view.calls.clear();
    document.MarkSaved();
    EXPECT_EQ(view.calls, (std::vector<Slots>{{0, 1}}));
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(document.IsSlotChanged(0));
    EXPECT_TRUE(document.CanUndo()) << "saving keeps the history";

    // Undone to before the save, the pack differs from the file again, and redone it does not.
    view.calls.clear();
    EXPECT_EQ(document.Undo(), (Slots{1}));
    EXPECT_EQ(view.calls, std::vector<Slots>{{1}});
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(document.IsSlotChanged(1));
    document.Redo();
    EXPECT_FALSE(document.IsModified());
}

TEST_F(Document, ANewStepDropsTheStepsUndone) {
    document.SetId(0, 1);
    document.SetId(0, 2);
    document.Undo();
    document.SetId(1, 3);
    EXPECT_FALSE(document.CanRedo());
    document.Undo();
    EXPECT_EQ(document.Id(0), 1);
    EXPECT_EQ(document.Id(1), 20);
    document.Undo();
    EXPECT_EQ(document.Id(0), 10);
    EXPECT_FALSE(document.CanUndo());
}

TEST_F(Document, LoadShowsThePackAnewAndForgetsTheHistory) {
    const struct {
        const char* name;
        LoadedPart part;
        bool modified;
    } cases[] = {{"whole", LoadedPart::Whole, false}, {"partial", LoadedPart::Partial, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        document.Load(StartPack(), LoadedPart::Whole);
        // An empty slot that got a picture shows it until the pack is shown again.
        document.SetPicture(2, kPictureA);
        document.SetId(1, 0);
        PackImage next = StartPack();
        SetContactId(next, 4, 44);
        view.calls.clear();
        document.Load(next, c.part);
        EXPECT_EQ(view.calls, (std::vector<Slots>{{1, 2, 4}}));
        EXPECT_EQ(pack, next);
        EXPECT_EQ(ShownOf(document, 2), (Shown{0, 0x33, false, true, false}));
        EXPECT_EQ(ShownOf(document, 4), (Shown{44, 0, true, false, false}));
        EXPECT_EQ(document.IsModified(), c.modified);
        EXPECT_FALSE(document.CanUndo());
        EXPECT_FALSE(document.CanRedo());
    }
}

TEST_F(Document, AnObserverRemovedHearsNothingMore) {
    FakeView other;
    document.AddObserver(&other);
    document.SetId(0, 1);
    document.RemoveObserver(&other);
    document.SetId(0, 2);
    EXPECT_EQ(other.calls, std::vector<Slots>{{0}});
    EXPECT_EQ(view.calls, (std::vector<Slots>{{0}, {0}}));
}

} // namespace

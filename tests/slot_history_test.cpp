#include "editor/slot_history.h"

#include <gtest/gtest.h>

#include <string>

namespace {

SlotState Shown(int slot, const char* text) {
    SlotState state;
    state.slot = slot;
    state.rowText = text;
    return state;
}

// Steps are written as letters: r = record a change to the next text, u = undo, d = redo.
struct HistoryCase {
    const char* name;
    const char* steps;
    // The row texts the undos and redos bring back, in order, "-" when they bring nothing.
    std::vector<std::string> restored;
    bool canUndo, canRedo;
};

TEST(SlotHistory, UndoAndRedoWalkTheRecordedSteps) {
    const HistoryCase cases[] = {
        {"Empty", "ud", {"-", "-"}, false, false},
        {"UndoGivesBefore", "ru", {"0"}, false, true},
        {"RedoGivesAfter", "rud", {"0", "1"}, true, false},
        {"UndoTwiceInOrder", "rruu", {"1", "0"}, false, true},
        {"RedoPastTheEnd", "rudd", {"0", "1", "-"}, true, false},
        {"NewChangeDropsRedo", "rrur", {"1"}, true, false},
        {"RedoAfterDroppedSteps", "rrurd", {"1", "-"}, true, false},
    };
    for (const HistoryCase& c : cases) {
        SCOPED_TRACE(c.name);
        SlotHistory history;
        int next = 0;
        std::vector<std::string> restored;
        for (const char* step = c.steps; *step != 0; ++step) {
            std::optional<SlotState> state;
            if (*step == 'r') {
                history.Record({Shown(1, std::to_string(next).c_str()),
                                Shown(1, std::to_string(next + 1).c_str())});
                ++next;
                continue;
            }
            state = *step == 'u' ? history.Undo() : history.Redo();
            restored.push_back(state ? state->rowText : "-");
        }
        EXPECT_EQ(restored, c.restored);
        EXPECT_EQ(history.CanUndo(), c.canUndo);
        EXPECT_EQ(history.CanRedo(), c.canRedo);
    }
}

TEST(SavedPack, ModifiedMeansOtherBytesOrAPartialRead) {
    PackImage pack{};
    SetContactId(pack, 3, 7);
    struct Case {
        const char* name;
        void (*change)(PackImage&);
        bool partial, modified, slot3Differs;
    } cases[] = {
        {"Unchanged", [](PackImage&) {}, false, false, false},
        {"IdChanged", [](PackImage& p) { SetContactId(p, 3, 8); }, false, true, true},
        {"LastPictureByte", [](PackImage& p) { GetPicture(p, 3)[599] = 1; }, false, true, true},
        {"OtherSlot", [](PackImage& p) { GetPicture(p, 4)[0] = 1; }, false, true, false},
        {"PartialRead", [](PackImage&) {}, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SavedPack saved;
        c.partial ? saved.KeepPartial(pack) : saved.Keep(pack);
        PackImage now = pack;
        c.change(now);
        EXPECT_EQ(saved.IsModified(now), c.modified);
        EXPECT_EQ(saved.SlotDiffers(now, 3), c.slot3Differs);
        saved.Keep(now);
        EXPECT_FALSE(saved.IsModified(now)) << "saving makes it clean";
    }
}

} // namespace

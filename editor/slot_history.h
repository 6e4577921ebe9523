// What the editor needs to take slot changes back: each slot as the document held it before
// and after a command, and the bytes the pack had when it was last saved, to tell whether it
// is modified. Plain C++, so that the rules are tested without a window.
#pragma once

#include "pack/pack_image.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// One slot as the document holds it: its bytes in the pack and what the editor shows of them.
// What is shown may disagree with the bytes ("Set new ID" keeps the thumbnail, and an emptied
// slot keeps its picture bytes), so both are kept.
struct SlotState {
    int slot = -1;
    ContactId id = 0;
    std::array<std::uint8_t, PICTURE_BYTES> picture{};
    // Whether the slot shows its picture bytes, or the placeholder.
    bool showsPicture = false;
    // Whether the identifier reads as the empty mark rather than as its number: an empty slot
    // as the pack was shown and a removed one do, an identifier typed (even 0) never does.
    bool showsEmpty = false;

    friend bool operator==(const SlotState&, const SlotState&) = default;
};

struct SlotChange {
    SlotState before;
    SlotState after;
};

// The steps done and undone, without a limit: a step is a few hundred bytes.
class SlotHistory {
public:
    // A new change drops the steps undone before it: they no longer follow from what is shown.
    void Record(SlotChange change);
    // One step that changes several slots at once, as a swap of two does. The slot changed
    // last is the one a redo brings back last, and the first the one an undo brings back last.
    void Record(std::vector<SlotChange> changes);
    // The states to bring back, in order, or none when there is nothing to undo or redo.
    std::vector<SlotState> Undo();
    std::vector<SlotState> Redo();
    bool CanUndo() const { return m_done > 0; }
    bool CanRedo() const { return m_done < m_steps.size(); }
    void Clear();

private:
    std::vector<std::vector<SlotChange>> m_steps;
    // The steps before this index are done, the rest undone.
    std::size_t m_done = 0;
};

// The pack's bytes as last made by New, read by Open or written by Save.
class SavedPack {
public:
    // The pack as the file now holds it (or as New made it).
    void Keep(const PackImage& pack);
    // A pack read only in part: saving it would write bytes that were never on disk.
    void KeepPartial(const PackImage& pack);
    bool IsModified(const PackImage& pack) const;
    // Whether the slot's identifier or picture bytes differ from the kept ones.
    bool SlotDiffers(const PackImage& pack, int slot) const;

private:
    PackImage m_bytes{};
    bool m_wholeOnDisk = true;
};

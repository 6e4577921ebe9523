// The pack as the editor's document: the one owner of the pack image, of what each slot shows,
// of the saved state and of the undo history. The windows are its views: they draw from it,
// change it only through its operations, and are told which slots each operation changed.
// Plain C++ with no window, so that its rules are tested on their own.
#pragma once

#include "editor/pack_file_identity.h"
#include "editor/slot_history.h"
#include "pack/pack_image.h"

#include <array>
#include <optional>
#include <span>
#include <utility>
#include <vector>

// What a view implements to hear of the document's changes.
class PackObserver {
public:
    // The slots whose identifier, picture bytes, what they show or changed mark differ from
    // before, in ascending order; never empty, since an operation that changes nothing is not
    // announced.
    virtual void OnSlotsChanged(std::span<const int> slots) = 0;

protected:
    ~PackObserver() = default;
};

// Whether a load read the whole pack, or stopped short of it.
enum class LoadedPart { Whole, Partial };

class PackDocument {
public:
    // The document works on pack, the program's g_pack, which counts as saved from the start.
    explicit PackDocument(PackImage& pack);
    PackDocument(const PackDocument&) = delete;
    PackDocument& operator=(const PackDocument&) = delete;

    // Observers are told of every change until removed; the document does not own them.
    void AddObserver(PackObserver* observer);
    void RemoveObserver(PackObserver* observer);

    // What the views draw. Slots run from 0 to PACK_SLOT_COUNT - 1; others read as empty.
    const PackImage& Pack() const { return m_pack; }
    ContactId Id(int slot) const;
    ConstPackPicture Picture(int slot) const;
    // Whether the slot shows its picture or the placeholder: a slot shows its picture while
    // it is occupied as the pack was shown, and from the moment it gets a picture, even while
    // empty, until it is removed or the pack is shown again.
    bool ShowsPicture(int slot) const;
    // Whether the identifier reads as the empty mark ("000") rather than as the number ("0").
    bool ShowsEmpty(int slot) const;
    // Whether the slot's bytes differ from the saved pack, as its bold row shows.
    bool IsSlotChanged(int slot) const;
    // Whether the pack differs from what the last load or save left (a short read always does).
    bool IsModified() const;
    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }

    // Each of these is one undo step when it changes anything, and none otherwise.
    // value keeps its bits 0-15, as the pack stores it.
    void SetId(int slot, int value);
    void SetPicture(int slot, ConstPackPicture picture);
    // Empties the slot; the picture bytes stay, since only the identifier marks a slot empty.
    void Remove(int slot);
    // The two slots change places, identifier, picture bytes and what they show alike, as one
    // step even when they are alike. Returns {from, to}, the order the step shows them in, or
    // nothing when they are not two different slots.
    std::vector<int> Swap(int from, int to);
    // Takes the last step back, or brings the last undone one back. Returns the step's slots
    // in the order they were brought back (the view selects the last), or nothing.
    std::vector<int> Undo();
    std::vector<int> Redo();

    // A new pack: the bytes become the pack, each slot shows what the pack holds, the history
    // goes, and the bytes count as saved unless only part of a file was read.
    void Load(const PackImage& bytes, LoadedPart part);
    // The pack as it now is was written to its file.
    void MarkSaved();

    // The file the pack was last read from or written to, as it was then, so that Save can
    // tell whether another program has changed it since; nothing before the first.
    const std::optional<PackFileIdentity>& File() const { return m_file; }
    void SetFile(std::optional<PackFileIdentity> file) { m_file = std::move(file); }

private:
    struct Shown {
        bool picture = false;
        bool empty = false;
    };
    struct Snapshot {
        std::vector<SlotState> states;
        std::vector<bool> changed;
    };

    static bool IsSlot(int slot);
    SlotState State(int slot) const;
    void Put(const SlotState& state);
    // Records a one-slot step from the slot as it is to after, and applies it.
    void Replace(const SlotState& after);
    std::vector<int> Restore(const std::vector<SlotState>& states);
    Snapshot Take() const;
    // Tells the observers which slots differ from before.
    void Announce(const Snapshot& before) const;

    PackImage& m_pack;
    std::array<Shown, PACK_SLOT_COUNT> m_shown{};
    SlotHistory m_history;
    SavedPack m_saved;
    std::vector<PackObserver*> m_observers;
    std::optional<PackFileIdentity> m_file;
};

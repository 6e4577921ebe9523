#include "editor/pack_document.h"

#include <algorithm>
#include <cstdint>

PackDocument::PackDocument(PackImage& pack) : m_pack(pack) {
    const PackImage current = pack;
    Load(current, LoadedPart::Whole);
}

void PackDocument::AddObserver(PackObserver* observer) {
    m_observers.push_back(observer);
}

void PackDocument::RemoveObserver(PackObserver* observer) {
    std::erase(m_observers, observer);
}

bool PackDocument::IsSlot(int slot) {
    return slot >= 0 && slot < PACK_SLOT_COUNT;
}

ContactId PackDocument::Id(int slot) const {
    return IsSlot(slot) ? GetContactId(m_pack, slot) : ContactId{0};
}

ConstPackPicture PackDocument::Picture(int slot) const {
    return GetPicture(m_pack, IsSlot(slot) ? slot : 0);
}

bool PackDocument::ShowsPicture(int slot) const {
    return IsSlot(slot) && m_shown[static_cast<std::size_t>(slot)].picture;
}

bool PackDocument::ShowsEmpty(int slot) const {
    return IsSlot(slot) && m_shown[static_cast<std::size_t>(slot)].empty;
}

bool PackDocument::IsSlotChanged(int slot) const {
    return IsSlot(slot) && m_saved.SlotDiffers(m_pack, slot);
}

bool PackDocument::IsModified() const {
    return m_saved.IsModified(m_pack);
}

SlotState PackDocument::State(int slot) const {
    SlotState state;
    state.slot = slot;
    state.id = GetContactId(m_pack, slot);
    const ConstPackPicture picture = GetPicture(m_pack, slot);
    std::copy(picture.begin(), picture.end(), state.picture.begin());
    state.showsPicture = ShowsPicture(slot);
    state.showsEmpty = ShowsEmpty(slot);
    return state;
}

void PackDocument::Put(const SlotState& state) {
    SetContactId(m_pack, state.slot, state.id);
    std::copy(state.picture.begin(), state.picture.end(), GetPicture(m_pack, state.slot).begin());
    m_shown[static_cast<std::size_t>(state.slot)] = {state.showsPicture, state.showsEmpty};
}

void PackDocument::Replace(const SlotState& after) {
    const SlotState before = State(after.slot);
    if (after == before) {
        return;
    }
    m_history.Record({before, after});
    const Snapshot was = Take();
    Put(after);
    Announce(was);
}

void PackDocument::SetId(int slot, int value) {
    if (!IsSlot(slot)) {
        return;
    }
    SlotState after = State(slot);
    after.id = static_cast<ContactId>(static_cast<std::uint16_t>(value));
    after.showsEmpty = false;
    Replace(after);
}

void PackDocument::SetPicture(int slot, ConstPackPicture picture) {
    if (!IsSlot(slot)) {
        return;
    }
    SlotState after = State(slot);
    std::copy(picture.begin(), picture.end(), after.picture.begin());
    after.showsPicture = true;
    Replace(after);
}

void PackDocument::Remove(int slot) {
    if (!IsSlot(slot)) {
        return;
    }
    SlotState after = State(slot);
    after.id = 0;
    after.showsPicture = false;
    after.showsEmpty = true;
    Replace(after);
}

std::vector<int> PackDocument::Swap(int from, int to) {
    if (from == to || !IsSlot(from) || !IsSlot(to)) {
        return {};
    }
    const SlotState wasFrom = State(from);
    const SlotState wasTo = State(to);
    SlotState nowFrom = wasTo;
    nowFrom.slot = from;
    SlotState nowTo = wasFrom;
    nowTo.slot = to;
    // Recorded even when the two are alike, so that every move is one step, as the user sees
    // it.
    m_history.Record({{wasFrom, nowFrom}, {wasTo, nowTo}});
    return Restore({nowFrom, nowTo});
}

std::vector<int> PackDocument::Undo() {
    return Restore(m_history.Undo());
}

std::vector<int> PackDocument::Redo() {
    return Restore(m_history.Redo());
}

std::vector<int> PackDocument::Restore(const std::vector<SlotState>& states) {
    const Snapshot was = Take();
    std::vector<int> slots;
    for (const SlotState& state : states) {
        Put(state);
        slots.push_back(state.slot);
    }
    Announce(was);
    return slots;
}

void PackDocument::Load(const PackImage& bytes, LoadedPart part) {
    const Snapshot was = Take();
    m_pack = bytes;
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        const bool occupied = GetContactId(m_pack, slot) != 0;
        m_shown[static_cast<std::size_t>(slot)] = {occupied, !occupied};
    }
    m_history.Clear();
    if (part == LoadedPart::Whole) {
        m_saved.Keep(m_pack);
    } else {
        m_saved.KeepPartial(m_pack);
    }
    Announce(was);
}

void PackDocument::MarkSaved() {
    const Snapshot was = Take();
    m_saved.Keep(m_pack);
    Announce(was);
}

PackDocument::Snapshot PackDocument::Take() const {
    Snapshot snapshot;
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        snapshot.states.push_back(State(slot));
        snapshot.changed.push_back(IsSlotChanged(slot));
    }
    return snapshot;
}

void PackDocument::Announce(const Snapshot& before) const {
    std::vector<int> changed;
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        const auto index = static_cast<std::size_t>(slot);
        if (before.states[index] != State(slot) || before.changed[index] != IsSlotChanged(slot)) {
            changed.push_back(slot);
        }
    }
    if (changed.empty()) {
        return;
    }
    // An observer may remove itself while it is told.
    const std::vector<PackObserver*> observers = m_observers;
    for (PackObserver* observer : observers) {
        observer->OnSlotsChanged(changed);
    }
}

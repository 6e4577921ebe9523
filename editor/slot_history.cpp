#include "editor/slot_history.h"

#include <algorithm>
#include <utility>

void SlotHistory::Record(SlotChange change) {
    m_steps.resize(m_done);
    m_steps.push_back(std::move(change));
    m_done = m_steps.size();
}

std::optional<SlotState> SlotHistory::Undo() {
    if (!CanUndo()) {
        return std::nullopt;
    }
    --m_done;
    return m_steps[m_done].before;
}

std::optional<SlotState> SlotHistory::Redo() {
    if (!CanRedo()) {
        return std::nullopt;
    }
    ++m_done;
    return m_steps[m_done - 1].after;
}

void SlotHistory::Clear() {
    m_steps.clear();
    m_done = 0;
}

void SavedPack::Keep(const PackImage& pack) {
    m_bytes = pack;
    m_wholeOnDisk = true;
}

void SavedPack::KeepPartial(const PackImage& pack) {
    m_bytes = pack;
    m_wholeOnDisk = false;
}

bool SavedPack::IsModified(const PackImage& pack) const {
    return !m_wholeOnDisk || pack != m_bytes;
}

bool SavedPack::SlotDiffers(const PackImage& pack, int slot) const {
    const ConstPackPicture now = GetPicture(pack, slot);
    const ConstPackPicture kept = GetPicture(m_bytes, slot);
    return GetContactId(pack, slot) != GetContactId(m_bytes, slot) ||
           !std::equal(now.begin(), now.end(), kept.begin());
}

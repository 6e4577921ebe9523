#include "editor/slot_history.h"

#include <algorithm>
#include <utility>

void SlotHistory::Record(SlotChange change) {
    Record(std::vector<SlotChange>{std::move(change)});
}

void SlotHistory::Record(std::vector<SlotChange> changes) {
    m_steps.resize(m_done);
    m_steps.push_back(std::move(changes));
    m_done = m_steps.size();
}

std::vector<SlotState> SlotHistory::Undo() {
    if (!CanUndo()) {
        return {};
    }
    --m_done;
    std::vector<SlotState> states;
    const std::vector<SlotChange>& step = m_steps[m_done];
    for (auto change = step.rbegin(); change != step.rend(); ++change) {
        states.push_back(change->before);
    }
    return states;
}

std::vector<SlotState> SlotHistory::Redo() {
    if (!CanRedo()) {
        return {};
    }
    ++m_done;
    std::vector<SlotState> states;
    for (const SlotChange& change : m_steps[m_done - 1]) {
        states.push_back(change.after);
    }
    return states;
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

// The widget behind CSlotGrid; included only by the layer's sources.
#pragma once

#include <functional>

class QWidget;

QWidget* CreateSlotGridWidget(QWidget* parent);

struct SlotGridHandlers {
    std::function<void()> selected;
    std::function<void(int cell)> activated;
    std::function<void(int from, int onto)> dragged;
};

// Returns false for any widget that is not a slot grid.
bool ConnectSlotGrid(QWidget* widget, SlotGridHandlers handlers);

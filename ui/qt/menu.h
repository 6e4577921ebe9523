// Showing a CMenu with Qt; included only by the layer's sources.
#pragma once

#include "res/dialog_template.h"

#include <QPoint>

#include <span>

class CMenu;
class QKeySequence;
class QWidget;

// The keys an accelerator names, as Qt reads them.
QKeySequence KeysOf(const res::Accelerator& accelerator);

// Runs menu as a popup at a global position and returns the command chosen, or 0. Each item
// whose command one of accelerators sends shows that key.
unsigned ExecMenu(const CMenu& menu, QWidget* parent, QPoint globalPos,
                  std::span<const res::Accelerator> accelerators);

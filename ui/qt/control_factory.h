// Making a template's control: its widget and the face's wrapper that stands for it.
#pragma once

#include "res/dialog_template.h"
#include "ui/wnd.h"

#include <QSize>
#include <QWidget>

#include <memory>

// The widget for control, of its size in pixels; null when the kind is one this backend does not
// know, which fails the dialog's creation.
QWidget* CreateControlWidget(const res::ControlTemplate& control, QWidget* parent, QSize size);
// The wrapper through which the dialog's code talks to a control of that kind.
std::unique_ptr<CWnd> CreateControlWrapper(res::ControlKind kind);

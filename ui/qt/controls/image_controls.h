// The widgets behind CPictureView and CCropView; included only by the layer's sources.
#pragma once

#include <functional>

class QWidget;

QWidget* CreatePictureWidget(QWidget* parent);
QWidget* CreateCropWidget(QWidget* parent);
// Has changed called whenever the user moves or resizes the frame of a crop widget; returns
// false for any other widget.
bool ConnectCropChanged(QWidget* widget, std::function<void()> changed);

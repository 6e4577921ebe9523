// The Qt side of an icon handle; included only by the layer's sources.
#pragma once

#include "ui/types.h"

#include <QIcon>

struct IconData {
    QIcon icon;
};

inline const QIcon& ToQIcon(HICON icon) {
    static const QIcon none;
    return icon != nullptr ? icon->icon : none;
}

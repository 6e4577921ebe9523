// Icons from the program's resources, and the metrics the dialogs draw them with.
#pragma once

#include "ui/types.h"

// Null for an identifier that names no icon. The same identifier gives the same handle.
HICON LoadIconResource(int id);

// The side of a window's large icon, in logical pixels, as drawn and as the metrics tell it.
inline constexpr int kIconSide = 32;

inline constexpr int SM_CXICON = 11;
inline constexpr int SM_CYICON = 12;
int GetSystemMetrics(int index);

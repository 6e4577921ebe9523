// Two slots changing places, for the editor's moves and drags and for snapfold swap alike.
#pragma once

#include "pack/pack_image.h"

// Exchanges the identifiers and all picture bytes of slots a and b (0-24); a slot swapped with
// itself stays as it is. Empty slots move with their stored picture bytes.
void SwapSlots(PackImage& pack, int a, int b);

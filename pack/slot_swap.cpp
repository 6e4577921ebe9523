#include "pack/slot_swap.h"

#include <algorithm>

void SwapSlots(PackImage& pack, int a, int b) {
    if (a == b) {
        return;
    }
    const ContactId idA = GetContactId(pack, a);
    SetContactId(pack, a, GetContactId(pack, b));
    SetContactId(pack, b, idA);
    const PackPicture pictureA = GetPicture(pack, a);
    const PackPicture pictureB = GetPicture(pack, b);
    std::swap_ranges(pictureA.begin(), pictureA.end(), pictureB.begin());
}

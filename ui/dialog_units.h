// Dialog units: sizes in templates scale with the dialog font, a quarter of the average
// character width across and an eighth of the character height down.
#pragma once

#include "ui/types.h"

struct BaseUnits {
    int x = 0;
    int y = 0;
};

// alphabetWidth is the width of "A".."Z" followed by "a".."z" in the dialog font.
BaseUnits BaseUnitsFromMetrics(int alphabetWidth, int fontHeight);

// Rounds to the nearest pixel, halves away from zero, the same way for every coordinate.
int DialogUnitsToPixelsX(int dialogUnits, BaseUnits units);
int DialogUnitsToPixelsY(int dialogUnits, BaseUnits units);
CRect MapDialogRect(int x, int y, int cx, int cy, BaseUnits units);

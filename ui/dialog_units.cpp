#include "ui/dialog_units.h"

namespace {
int MulDivRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : -((-product + half) / denominator));
}
} // namespace

BaseUnits BaseUnitsFromMetrics(int alphabetWidth, int fontHeight) {
    return {(alphabetWidth / 26 + 1) / 2, fontHeight};
}

int DialogUnitsToPixelsX(int dialogUnits, BaseUnits units) {
    return MulDivRounded(dialogUnits, units.x, 4);
}

int DialogUnitsToPixelsY(int dialogUnits, BaseUnits units) {
    return MulDivRounded(dialogUnits, units.y, 8);
}

CRect MapDialogRect(int x, int y, int cx, int cy, BaseUnits units) {
    const int left = DialogUnitsToPixelsX(x, units);
    const int top = DialogUnitsToPixelsY(y, units);
    return {left, top, left + DialogUnitsToPixelsX(cx, units),
            top + DialogUnitsToPixelsY(cy, units)};
}

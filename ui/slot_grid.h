// A grid of pictures with a caption beneath each, one cell selected at a time: the All Slots
// window's view of a whole pack. A click or an arrow key selects a cell (reported as a change),
// a double-click or Enter activates it, and a cell dragged onto another is reported as dragged
// there. Files dropped on it reach the dialog's drop handler, which asks CellAtDialogPoint.
#pragma once

#include "ui/wnd.h"

#include <cstdint>
#include <string>
#include <vector>

struct GridCell {
    // The picture's greys, columns x rows bytes; empty to show the placeholder instead.
    std::vector<std::uint8_t> grey;
    std::string caption;
    // What assistive technology calls the cell.
    std::string accessibleName;
    // Shown in bold, as the list shows a changed slot.
    bool marked = false;
};

class CSlotGrid : public CWnd {
public:
    // The layout: columns x rows cells, each picture pictureWidth x pictureHeight.
    void SetShape(int columns, int rows, int pictureWidth, int pictureHeight);
    // The picture shown for a cell without greys, in the same size.
    void SetPlaceholder(std::vector<std::uint8_t> grey);
    void SetCells(std::vector<GridCell> cells);
    int GetSelected() const;
    void SetSelected(int cell);
    // Gives every picture the largest whole number of screen pixels per picture pixel with
    // which the grid and the room the dialog keeps beside it (in dialog pixels) fit on the
    // screen, never less than minimumScale, and sizes the grid to match. Returns that number.
    int FitToScreen(int keepWidth, int keepHeight, int minimumScale);
    // The cell under a point of the dialog's client area, or -1.
    int CellAtDialogPoint(int x, int y) const;
};

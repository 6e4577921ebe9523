#include "editor/all_slots_dlg.h"

#include "base/safe_save.h"
#include "editor/export_path.h"
#include "image/image_io.h"
#include "pack/contact_sheet.h"
#include "pack/picture_export.h"
#include "res/resource.h"
#include "res/texts.h"
#include "ui/ui_services.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

// At least this many screen pixels per picture pixel on an unscaled screen.
constexpr int kMinimumScale = 2;

std::string Format(std::string_view format, int slot, int id) {
    char text[64];
    std::snprintf(text, sizeof text, std::string(format).c_str(), slot + 1, id);
    return text;
}

// Every occupied slot shows its picture here, as on the contact sheet.
GridCell CellOf(const PackDocument& document, int slot) {
    GridCell cell;
    const ContactId id = document.Id(slot);
    if (id != 0) {
        const auto greys = PictureToGreys(document.Picture(slot));
        cell.grey.assign(greys.begin(), greys.end());
        cell.caption = Format(res::kSlotCellCaption, slot, id);
        cell.accessibleName = Format(res::kSlotCellName, slot, id);
    } else {
        cell.caption = Format(res::kEmptySlotCellCaption, slot, 0);
        cell.accessibleName = Format(res::kEmptySlotCellName, slot, 0);
    }
    cell.marked = document.IsSlotChanged(slot);
    return cell;
}

CRect ScreenRectOf(const CWnd& control) {
    CRect rect;
    control.GetWindowRect(&rect);
    return rect;
}

} // namespace

CAllSlotsDlg::CAllSlotsDlg(PackDocument& document, AllSlotsHost& host, int selected, CWnd* parent)
    : CDialog(IDD_ALL_SLOTS, parent), m_document(document), m_host(host), m_startSlot(selected) {}

CAllSlotsDlg::~CAllSlotsDlg() {
    m_document.RemoveObserver(this);
}

void CAllSlotsDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_SLOT_GRID, m_grid);
}

bool CAllSlotsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_grid.SetShape(kSheetColumns, PACK_SLOT_COUNT / kSheetColumns, PICTURE_WIDTH, PICTURE_HEIGHT);
    const auto placeholder = EmptySlotGreys();
    m_grid.SetPlaceholder({placeholder.begin(), placeholder.end()});
    ShowSlots();
    m_document.AddObserver(this);
    LayOut();
    m_grid.SetSelected(m_startSlot >= 0 ? m_startSlot : 0);
    m_grid.SetFocus();
    // The grid has the focus; the dialog's default focus would go elsewhere.
    return false;
}

void CAllSlotsDlg::ShowSlots() {
    std::vector<GridCell> cells;
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        cells.push_back(CellOf(m_document, slot));
    }
    m_grid.SetCells(std::move(cells));
}

void CAllSlotsDlg::LayOut() {
    CWnd* save = GetDlgItem(IDC_SAVE_SHEET);
    CWnd* close = GetDlgItem(2 /* IDCANCEL */);
    CRect gridRect = ScreenRectOf(m_grid);
    ScreenToClient(&gridRect);
    CRect buttonRect = ScreenRectOf(*save);
    CRect closeRect = ScreenRectOf(*close);
    const int margin = gridRect.left;
    const int buttonHeight = buttonRect.bottom - buttonRect.top;
    m_grid.FitToScreen(2 * margin, 3 * margin + buttonHeight, kMinimumScale);
    CRect fitted;
    m_grid.GetClientRect(&fitted);
    const int width = fitted.right + 2 * margin;
    const int buttonTop = margin + fitted.bottom + margin;
    save->MoveWindow(margin, buttonTop, buttonRect.right - buttonRect.left, buttonHeight);
    const int closeWidth = closeRect.right - closeRect.left;
    close->MoveWindow(width - margin - closeWidth, buttonTop, closeWidth, buttonHeight);
    MoveWindow(0, 0, width, buttonTop + buttonHeight + margin);
}

void CAllSlotsDlg::OnCellActivated(int cell) {
    m_chosen = cell;
    EndDialog(1 /* IDOK */);
}

void CAllSlotsDlg::OnSlotsChanged(std::span<const int>) {
    ShowSlots();
}

void CAllSlotsDlg::SelectInTurn(const std::vector<int>& slots) {
    for (const int slot : slots) {
        m_host.SelectSlot(slot);
    }
}

void CAllSlotsDlg::OnCellDragged(int from, int onto) {
    if (!m_host.ShowsSlots()) {
        return;
    }
    const std::vector<int> shown = m_document.Swap(from, onto);
    if (!shown.empty()) {
        SelectInTurn(shown);
        m_grid.SetSelected(onto);
    }
}

void CAllSlotsDlg::OnDropFiles(const DroppedFiles& drop) {
    const int cell = m_grid.CellAtDialogPoint(drop.point.x, drop.point.y);
    if (cell < 0 || drop.paths.empty()) {
        return;
    }
    m_grid.SetSelected(cell);
    m_host.ImportFileIntoSlot(cell, drop.paths.front());
}

void CAllSlotsDlg::OnSaveSheet() {
    const auto choice = GetUiServices().ChooseFileAndFilter(
        this, FileChooserMode::SaveAskingToReplace, std::string(res::kSheetFilter));
    if (!choice) {
        return;
    }
    const std::string path = ResolveExportPath(choice->path, ExportFormat::Png).path;
    const GreyPicture sheet = DrawContactSheet(m_document.Pack(), kSheetDefaultScale);
    const auto png = EncodeGreyPng(sheet.width, sheet.height, sheet.grey);
    if (!png || !SaveFileSafely(path, *png)) {
        ShowError(std::string(res::kCannotSaveMessage), std::string(res::kErrorCaption));
    }
}

void CAllSlotsDlg::OnUndo() {
    SelectInTurn(m_document.Undo());
}

void CAllSlotsDlg::OnRedo() {
    SelectInTurn(m_document.Redo());
}

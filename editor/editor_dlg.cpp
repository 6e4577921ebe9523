#include "editor/editor_dlg.h"

#include "editor/about_dlg.h"
#include "res/resource.h"
#include "res/strings.h"
#include "res/texts.h"
#include "ui/icon.h"
#include "ui/list_ctrl.h"

#include <string>
#include <string_view>
#include <utility>

CEditorDlg::CEditorDlg(CWnd* parent)
    : CDialog(IDD_EDITOR_DIALOG, parent), m_hIcon(LoadIconResource(IDR_MAINFRAME)), m_nSelected(0),
      m_document(g_pack) {
    m_document.AddObserver(this);
}

CEditorDlg::~CEditorDlg() {
    m_document.RemoveObserver(this);
}

std::span<const EventEntry> CEditorDlg::GetEventTable() const {
    static constexpr EventEntry kEvents[] = {
        OnSysCommandEntry<&CEditorDlg::OnSysCommand>(),
        OnPaintEntry<&CEditorDlg::OnPaint>(),
        OnClickedEntry<&CEditorDlg::OnOpenPack>(IDC_OPEN_PACK),
        OnListClickEntry<&CEditorDlg::OnClickContactList>(IDC_CONTACT_LIST),
        OnClickedEntry<&CEditorDlg::OnSetId>(IDC_SET_ID),
        OnClickedEntry<&CEditorDlg::OnSetPicture>(IDC_SET_PICTURE),
        OnClickedEntry<&CEditorDlg::OnSavePack>(IDC_SAVE_PACK),
        OnClickedEntry<&CEditorDlg::OnRemoveContact>(IDC_REMOVE_CONTACT),
        OnClickedEntry<&CEditorDlg::OnNewPack>(IDC_NEW_PACK),
        OnDestroyEntry<&CEditorDlg::OnDestroy>(),
        OnCommandEntry<&CEditorDlg::OnImportImage>(IDM_IMPORT_IMAGE),
        OnCommandEntry<&CEditorDlg::OnPastePicture>(IDM_PASTE_PICTURE),
        OnCommandEntry<&CEditorDlg::OnCopyPicture>(IDM_COPY_PICTURE),
        OnCommandEntry<&CEditorDlg::OnExportPicture>(IDM_EXPORT_PICTURE),
        OnCommandEntry<&CEditorDlg::OnExportAll>(IDM_EXPORT_ALL),
        OnContextMenuEntry<&CEditorDlg::OnContextMenuList>(IDC_CONTACT_LIST),
        OnInitMenuPopupEntry<&CEditorDlg::OnInitMenuPopup>(),
        OnCommandEntry<&CEditorDlg::OnNewPack>(IDM_NEW_PACK),
        OnCommandEntry<&CEditorDlg::OnOpenPack>(IDM_OPEN_PACK),
        OnCommandEntry<&CEditorDlg::OnSavePack>(IDM_SAVE_PACK),
        OnCommandEntry<&CEditorDlg::OnRemoveContact>(IDM_REMOVE_CONTACT),
        OnCommandEntry<&CEditorDlg::OnEditId>(IDM_EDIT_ID),
        OnCommandEntry<&CEditorDlg::OnCloseCommand>(IDM_CLOSE),
        OnCommandEntry<&CEditorDlg::OnUndo>(IDM_UNDO),
        OnCommandEntry<&CEditorDlg::OnRedo>(IDM_REDO),
        OnItemDraggedEntry<&CEditorDlg::OnDragRow>(IDC_CONTACT_LIST),
        OnCommandEntry<&CEditorDlg::OnMoveUp>(IDM_MOVE_UP),
        OnCommandEntry<&CEditorDlg::OnMoveDown>(IDM_MOVE_DOWN),
        OnCommandEntry<&CEditorDlg::OnShowAllSlots>(IDM_SHOW_ALL_SLOTS),
        OnDropFilesEntry<&CEditorDlg::OnDropFiles>(),
    };
    return kEvents;
}

void CEditorDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_ID_EDIT, m_editId);
}

bool CEditorDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_nSelected = -1;
    // Whatever the pack holds when the editor starts counts as saved.
    const PackImage start = m_document.Pack();
    m_document.Load(start, LoadedPart::Whole);
    if (CMenu* systemMenu = GetSystemMenu(false)) {
        systemMenu->AppendMenu(MF_STRING, IDM_EXPORT_ALL, std::string(res::kExportAllItem));
        systemMenu->AppendMenu(MF_STRING, IDM_SHOW_ALL_SLOTS, std::string(res::kShowAllSlotsItem));
        const auto aboutText = res::LoadString(IDS_ABOUTBOX);
        if (!aboutText.empty()) {
            systemMenu->AppendMenu(MF_SEPARATOR);
            systemMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, std::string(aboutText));
        }
    }
    SetIcon(m_hIcon, true);
    SetIcon(m_hIcon, false);
    // The captions stay as they are; the shortcuts show when the pointer rests on a button.
    const std::pair<int, std::string_view> tips[] = {
        {IDC_OPEN_PACK, res::kOpenPackTip},
        {IDC_NEW_PACK, res::kNewPackTip},
        {IDC_SAVE_PACK, res::kSavePackTip},
        {IDC_REMOVE_CONTACT, res::kRemoveContactTip},
    };
    for (const auto& [id, tip] : tips) {
        GetDlgItem(id)->SetToolTip(std::string(tip));
    }
    return true;
}

void CEditorDlg::OnEditId() {
    m_editId.SetFocus();
    m_editId.SetSel(0, -1);
}

// Ctrl+Q takes the same road as the window menu's Close, through the question about changes.
void CEditorDlg::OnCloseCommand() {
    SendSysCommand(SC_CLOSE);
}

void CEditorDlg::OnOK() {
    if (m_editId.HasFocus()) {
        OnSetId();
    }
}

void CEditorDlg::OnCancel() {}

// Commands are compared whole: a command number yet to come must not open something else.
void CEditorDlg::OnSysCommand(unsigned nID, long lParam) {
    if (nID == IDM_ABOUTBOX) {
        CAboutDlg about(this);
        about.DoModal();
    } else if (nID == IDM_SHOW_ALL_SLOTS) {
        OnShowAllSlots();
    } else if (nID == IDM_EXPORT_ALL) {
        OnExportAll();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

HICON CEditorDlg::OnQueryDragIcon() const {
    return m_hIcon;
}

// The window has no minimise box and no backend of ours paints a minimised window, so only the
// preview is painted.
void CEditorDlg::OnPaint() {
    PaintPreview();
}

#include "ui/dialog.h"

#include "res/dialog_template.h"
#include "ui/qt/dialog_impl.h"
#include "ui/qt/icon.h"
#include "ui/qt/widget.h"

namespace {

// The window menu belongs to the window, which each DoModal makes anew, so each one starts with
// Close alone and the dialog's own items are appended to it once.
void ResetSystemMenu(CMenu& menu) {
    menu = CMenu();
    menu.AppendMenu(MF_STRING, SC_CLOSE, "&Close");
}

} // namespace

CDialog::CDialog(int templateId, CWnd* parent) : m_impl(std::make_unique<Impl>()) {
    m_impl->templateId = templateId;
    m_impl->parent = parent;
    ResetSystemMenu(m_impl->systemMenu);
}

CDialog::~CDialog() = default;

int CDialog::DoModal() {
    const res::DialogTemplate* dialogTemplate = res::FindDialogTemplate(m_impl->templateId);
    if (dialogTemplate == nullptr || !DialogBuilder::Build(*this, *dialogTemplate)) {
        return -1;
    }
    DialogWindow* window = m_impl->window;
    ResetSystemMenu(m_impl->systemMenu);
    window->SetSystemMenu(&m_impl->systemMenu);
    if (OnInitDialog()) {
        window->FocusFirstControl();
    }
    window->exec();

    EventArgs args;
    Dispatch(DialogEvent::Destroy, 0, args);
    for (auto& control : m_impl->controls) {
        DetachWidget(*control);
    }
    for (CWnd* bound : m_impl->boundMembers) {
        DetachWidget(*bound);
    }
    m_impl->controls.clear();
    m_impl->boundMembers.clear();
    DetachWidget(*this);
    delete window;
    return m_impl->result;
}

void CDialog::EndDialog(int result) {
    m_impl->result = result;
    if (m_impl->window != nullptr) {
        m_impl->window->Finish(result);
    }
}

CWnd* CDialog::GetDlgItem(int id) const {
    for (const auto& control : m_impl->controls) {
        if (control->GetDlgCtrlID() == id) {
            return control.get();
        }
    }
    return nullptr;
}

void CDialog::BindMember(int id, CWnd& control) {
    if (CWnd* item = GetDlgItem(id)) {
        AttachWidget(control, WidgetOf(item));
        m_impl->boundMembers.push_back(&control);
    }
}

CMenu* CDialog::GetSystemMenu(bool) {
    return &m_impl->systemMenu;
}

void CDialog::SetIcon(HICON icon, bool big) {
    (big ? m_impl->bigIcon : m_impl->smallIcon) = icon;
    if (m_impl->window != nullptr) {
        // Qt keeps one window icon with all its sizes; the large icon has them all.
        m_impl->window->setWindowIcon(
            ToQIcon(m_impl->bigIcon != nullptr ? m_impl->bigIcon : m_impl->smallIcon));
    }
}

BaseUnits CDialog::GetBaseUnits() const {
    return m_impl->baseUnits;
}

bool CDialog::Dispatch(DialogEvent event, int controlId, EventArgs& args) {
    for (const EventEntry& entry : GetEventTable()) {
        if (entry.event == event && entry.controlId == controlId) {
            entry.call(*this, args);
            return true;
        }
    }
    return false;
}

bool CDialog::HasHandler(DialogEvent event) const {
    for (const EventEntry& entry : GetEventTable()) {
        if (entry.event == event) {
            return true;
        }
    }
    return false;
}

void CDialog::SendSysCommand(unsigned command) {
    EventArgs args;
    args.command = command;
    if (!Dispatch(DialogEvent::SysCommand, 0, args)) {
        OnSysCommand(command, 0);
    }
}

bool CDialog::SendCommand(unsigned command) {
    EventArgs args;
    args.command = command;
    return Dispatch(DialogEvent::Command, static_cast<int>(command), args);
}

void CDialog::OnSysCommand(unsigned command, long) {
    if ((command & 0xFFF0) == SC_CLOSE && CanClose()) {
        EndDialog(IDCANCEL);
    }
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}
void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool CDialog::OnInitDialog() {
    CDataExchange dx(this);
    DoDataExchange(&dx);
    return true;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    dx->m_dialog->BindMember(id, control);
}

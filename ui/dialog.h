// A modal dialog built from a template; its events reach the handlers of its event table.
#pragma once

#include "ui/dialog_units.h"
#include "ui/event_table.h"
#include "ui/menu.h"
#include "ui/wnd.h"

#include <memory>
#include <span>

class CDialog;

class CDataExchange {
public:
    explicit CDataExchange(CDialog* dialog) : m_dialog(dialog) {}
    CDialog* m_dialog;
};

// Binds control to the dialog's control id, so that it talks to the real widget.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

class CDialog : public CWnd {
public:
    explicit CDialog(int templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Shows the dialog and returns when it ends, with the value given to EndDialog; -1, with
    // nothing shown, when the template does not exist or one of its controls cannot be made.
    int DoModal();
    void EndDialog(int result);

    CWnd* GetDlgItem(int id) const;
    template <class T> T* GetDlgItemAs(int id) const { return dynamic_cast<T*>(GetDlgItem(id)); }
    // The window's own menu (Close), to which a dialog may append commands.
    CMenu* GetSystemMenu(bool revert);
    void SetIcon(HICON icon, bool big);
    BaseUnits GetBaseUnits() const;

    // Sends an event to the handler the table names; returns whether one took it.
    bool Dispatch(DialogEvent event, int controlId, EventArgs& args);
    // The window menu's command, as the window system sends it.
    void SendSysCommand(unsigned command);
    // A command from a shortcut key or a popup menu; returns whether a handler took it.
    bool SendCommand(unsigned command);
    // Enter and Escape, as the dialog's keyboard handling issues them.
    virtual void OnOK();
    virtual void OnCancel();
    // Asked before the close box, Alt+F4 or the window menu's Close ends the dialog; a dialog
    // with something to lose may ask the user and refuse.
    virtual bool CanClose() { return true; }
    // Whether the event table names a handler for the event, from any control.
    bool HasHandler(DialogEvent event) const;

protected:
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange*) {}
    virtual std::span<const EventEntry> GetEventTable() const { return {}; }
    // What the window system does with a window-menu command nobody handled.
    void OnSysCommand(unsigned command, long param);

private:
    friend void DDX_Control(CDataExchange*, int, CWnd&);
    void BindMember(int id, CWnd& control);

    struct Impl;
    std::unique_ptr<Impl> m_impl;
    friend class DialogBuilder;
};

// The event table of a dialog class: which handler each window event reaches.
#pragma once

#include "ui/types.h"

#include <string>
#include <vector>

class CDialog;
class CMenu;

enum class DialogEvent {
    SysCommand,
    Paint,
    Clicked,
    ListClick,
    Destroy,
    // A command from a shortcut key or a menu other than the window menu.
    Command,
    // A control's value changed: a slider moved, a box checked, an entry chosen, a frame moved.
    Changed,
    // The user asked for a control's menu, by right-click, the Menu key or Shift+F10.
    ContextMenu,
    // The window menu is about to show, so that its items can be enabled to suit.
    InitMenuPopup,
    // Files dropped onto the window.
    DropFiles,
    // An item of a list or grid dragged onto another item of the same control.
    ItemDragged,
    // An item chosen: a grid's by a double-click or Enter, a list's by a double-click (Enter
    // presses the default button, which acts on the selected row).
    ItemActivated,
    // The rows of a list about to be drawn, first to last: what only a row on screen needs
    // (a picture that is slow to make) can be made then, before anyone sees the row.
    ItemsShown,
};

struct NMHDR {
    int idFrom = 0;
    int code = 0;
};
using LRESULT = long;

// Files dropped onto a dialog: their paths, where they were dropped in the dialog's client
// coordinates, and the control there (0 for the dialog's own background).
struct DroppedFiles {
    std::vector<std::string> paths;
    CPoint point;
    int controlId = 0;
};

struct EventArgs {
    unsigned command = 0;
    long param = 0;
    NMHDR* header = nullptr;
    LRESULT* result = nullptr;
    // Where a menu was asked for, in screen coordinates.
    CPoint point;
    CMenu* menu = nullptr;
    const DroppedFiles* drop = nullptr;
    // The item dragged or activated, and the item it was dragged onto; the first and last
    // rows shown.
    int item = -1;
    int target = -1;
};

struct EventEntry {
    DialogEvent event;
    // The control the event comes from; 0 for events of the dialog itself.
    int controlId;
    void (*call)(CDialog& dialog, EventArgs& args);
};

namespace event_table_detail {
template <class T> struct HandlerClass;
template <class C, class R, class... A> struct HandlerClass<R (C::*)(A...)> { using type = C; };
template <auto Handler> using DialogOf = typename HandlerClass<decltype(Handler)>::type;
} // namespace event_table_detail

// One maker per kind of entry, named after the event; each checks the handler's signature.
template <auto Handler> constexpr EventEntry OnSysCommandEntry() {
    using D = event_table_detail::DialogOf<Handler>;
    return {DialogEvent::SysCommand, 0,
            [](CDialog& d, EventArgs& a) { (static_cast<D&>(d).*Handler)(a.command, a.param); }};
}

template <auto Handler> constexpr EventEntry OnPaintEntry() {
    using D = event_table_detail::DialogOf<Handler>;
    return {DialogEvent::Paint, 0, [](CDialog& d, EventArgs&) { (static_cast<D&>(d).*Handler)(); }};
}

template <auto Handler> constexpr EventEntry OnClickedEntry(int controlId) {
    using D = event_table_detail::DialogOf<Handler>;
    return {DialogEvent::Clicked, controlId,
            [](CDialog& d, EventArgs&) { (static_cast<D&>(d).*Handler)(); }};
}

template <auto Handler> constexpr EventEntry OnListClickEntry(int controlId) {
    using D = event_table_detail::DialogOf<Handler>;
    return {DialogEvent::ListClick, controlId,
            [](CDialog& d, EventArgs& a) { (static_cast<D&>(d).*Handler)(a.header, a.result); }};
}

template <auto Handler> constexpr EventEntry OnDestroyEntry() {
    using D = event_table_detail::DialogOf<Handler>;
    return {DialogEvent::Destroy, 0,
            [](CDialog& d, EventArgs&) { (static_cast<D&>(d).*Handler)(); }};
}

template <auto Handler> constexpr EventEntry OnCommandEntry(unsigned command) {
    using D = event_table_detail::DialogOf<Handler>;
    return {DialogEvent::Command, static_cast<int>(command),
            [](CDialog& d, EventArgs&) { (static_cast<D&>(d).*Handler)(); }};
}

template <auto Handler> constexpr EventEntry OnChangeEntry(int controlId) {
    using D = event_table_detail::DialogOf<Handler>;
    return {DialogEvent::Changed, controlId,
            [](CDialog& d, EventArgs&) { (static_cast<D&>(d).*Handler)(); }};
}

template <auto Handler> constexpr EventEntry OnContextMenuEntry(int controlId) {
    using D = event_table_detail::DialogOf<Handler>;
    return {DialogEvent::ContextMenu, controlId,
            [](CDialog& d, EventArgs& a) { (static_cast<D&>(d).*Handler)(a.point); }};
}

template <auto Handler> constexpr EventEntry OnInitMenuPopupEntry() {
    using D = event_table_detail::DialogOf<Handler>;
    return {DialogEvent::InitMenuPopup, 0,
            [](CDialog& d, EventArgs& a) { (static_cast<D&>(d).*Handler)(a.menu); }};
}

template <auto Handler> constexpr EventEntry OnDropFilesEntry() {
    using D = event_table_detail::DialogOf<Handler>;
    return {DialogEvent::DropFiles, 0,
            [](CDialog& d, EventArgs& a) { (static_cast<D&>(d).*Handler)(*a.drop); }};
}

template <auto Handler> constexpr EventEntry OnItemDraggedEntry(int controlId) {
    using D = event_table_detail::DialogOf<Handler>;
    return {DialogEvent::ItemDragged, controlId,
            [](CDialog& d, EventArgs& a) { (static_cast<D&>(d).*Handler)(a.item, a.target); }};
}

template <auto Handler> constexpr EventEntry OnItemActivatedEntry(int controlId) {
    using D = event_table_detail::DialogOf<Handler>;
    return {DialogEvent::ItemActivated, controlId,
            [](CDialog& d, EventArgs& a) { (static_cast<D&>(d).*Handler)(a.item); }};
}

template <auto Handler> constexpr EventEntry OnItemsShownEntry(int controlId) {
    using D = event_table_detail::DialogOf<Handler>;
    return {DialogEvent::ItemsShown, controlId,
            [](CDialog& d, EventArgs& a) { (static_cast<D&>(d).*Handler)(a.item, a.target); }};
}

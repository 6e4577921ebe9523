// A menu as a list of commands; the layer shows it as a popup.
#pragma once

#include "ui/types.h"

#include <string>
#include <vector>

class CWnd;

inline constexpr unsigned MF_STRING = 0x0000;
inline constexpr unsigned MF_ENABLED = 0x0000;
inline constexpr unsigned MF_GRAYED = 0x0001;
inline constexpr unsigned MF_SEPARATOR = 0x0800;

// Commands of a window's own menu.
inline constexpr unsigned SC_CLOSE = 0xF060;

class CMenu {
public:
    struct Item {
        unsigned flags;
        unsigned id;
        std::string text;
    };

    bool AppendMenu(unsigned flags, unsigned id = 0, const std::string& text = {}) {
        m_items.push_back({flags, id, text});
        return true;
    }
    const std::vector<Item>& Items() const { return m_items; }

    // Enables (MF_ENABLED) or disables (MF_GRAYED) the item of command id; returns whether
    // there is one.
    bool EnableMenuItem(unsigned id, unsigned enable) {
        bool found = false;
        for (Item& item : m_items) {
            if ((item.flags & MF_SEPARATOR) == 0 && item.id == id) {
                item.flags = (item.flags & ~MF_GRAYED) | (enable & MF_GRAYED);
                found = true;
            }
        }
        return found;
    }

    // Shows the menu as a popup at a point on the screen, over owner, and returns the command
    // chosen, or 0. An item shows the shortcut key that the owner dialog gives its command.
    unsigned TrackPopupMenu(CPoint screenPoint, CWnd* owner) const;

private:
    std::vector<Item> m_items;
};

// A menu as a list of commands; the layer shows it as a popup.
#pragma once

#include <string>
#include <vector>

inline constexpr unsigned MF_STRING = 0x0000;
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

private:
    std::vector<Item> m_items;
};

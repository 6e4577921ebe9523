// The window menu's commands reach their handlers only by their own number.
#include "editor/editor_dlg.h"
#include "res/resource.h"
#include "tests/support/gui_support.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemCommands, AreComparedWhole) {
    const struct {
        const char* name;
        unsigned command;
        // Export All asks for a folder; a command it does not own asks for nothing.
        std::size_t choosers;
    } cases[] = {
        {"Export All", IDM_EXPORT_ALL, 1},
        {"a number beside Export All", IDM_EXPORT_ALL + 1, 0},
        {"a number beside it in the low bits", IDM_EXPORT_ALL | 0xF, 0},
    };
    PackImage pack{};
    SetContactId(pack, 0, 7);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUi ui;
        CEditorDlg dlg;
        RunModal(dlg, [&] {
            ShowPackThroughOpen(dlg, ui, pack);
            ui.Reset();
            dlg.SendSysCommand(c.command);
            EXPECT_EQ(ui.choosers.size(), c.choosers);
        });
    }
}

} // namespace

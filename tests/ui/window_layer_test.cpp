// The window layer's answers when a window has no widget behind it, and what it keeps from one
// run of a dialog to the next.
#include "editor/editor_dlg.h"
#include "res/resource.h"
#include "tests/support/gui_support.h"
#include "ui/list_ctrl.h"
#include "ui/wnd.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTableWidget>

#include <functional>
#include <string>
#include <vector>

namespace {

// Before a dialog exists, and after it ends, its controls have no widget: every call must be
// harmless and answer as for an empty window, whichever order a handler makes them in.
TEST(WindowLayer, AWindowWithoutAWidgetAnswersAsAnEmptyOne) {
    CWnd wnd;
    const CRect unset{1, 2, 3, 4};
    const struct {
        const char* name;
        std::function<void(CRect&)> call;
        CRect expected;
    } rectCases[] = {
        {"GetWindowRect", [&](CRect& r) { wnd.GetWindowRect(&r); }, CRect{}},
        {"GetClientRect", [&](CRect& r) { wnd.GetClientRect(&r); }, CRect{}},
        {"ScreenToClientRect", [&](CRect& r) { wnd.ScreenToClient(&r); }, unset},
    };
    for (const auto& c : rectCases) {
        SCOPED_TRACE(c.name);
        CRect rect = unset;
        c.call(rect);
        EXPECT_EQ(rect, c.expected);
    }
    CPoint point{5, 6};
    wnd.ScreenToClient(&point);
    wnd.ClientToScreen(&point);
    EXPECT_EQ(point.x, 5);
    EXPECT_EQ(point.y, 6);
    wnd.Invalidate(false);
    wnd.UpdateWindow();
    wnd.SetFocus();
    wnd.SetToolTip("tip");
    wnd.SetWindowText("text");
    EXPECT_FALSE(wnd.IsWindow());
    EXPECT_FALSE(wnd.HasFocus());
    EXPECT_EQ(wnd.GetWindowText(), "");
    EXPECT_EQ(wnd.GetDlgCtrlID(), 0);
}

TEST(WindowLayer, AListWithoutAWidgetRefusesEverything) {
    CListCtrl list;
    EXPECT_EQ(list.InsertColumn(0, "Contacts", LVCFMT_CENTER, 80), -1);
    EXPECT_EQ(list.InsertItem(0, "1", 0), -1);
    EXPECT_FALSE(list.SetItemText(0, 0, "1"));
    EXPECT_FALSE(list.DeleteColumn(0));
    EXPECT_FALSE(list.DeleteAllItems());
    EXPECT_FALSE(list.RedrawItems(0, 24));
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetSelectedRow(), -1);
    EXPECT_EQ(list.HitTest({1, 1}), -1);
    EXPECT_EQ(list.GetItemText(0, 0), "");
    list.SelectRow(0);
    list.SetImageList(nullptr, LVSIL_SMALL);
}

// Rows hold one column of text, so another column is refused rather than taken for the first.
TEST(WindowLayer, TheContactListHasOneColumnOfText) {
    ScriptedUi ui;
    CEditorDlg dlg;
    RunModal(dlg, [&] {
        auto* list = dlg.GetDlgItemAs<CListCtrl>(IDC_CONTACT_LIST);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->InsertColumn(0, "Contacts", LVCFMT_CENTER, 80), 0);
        ASSERT_EQ(list->InsertItem(0, "1042", 0), 0);
        const std::string before = list->GetItemText(0, 0);
        EXPECT_FALSE(list->SetItemText(0, 1, "elsewhere"));
        EXPECT_EQ(list->GetItemText(0, 1), "");
        EXPECT_EQ(list->GetItemText(0, 0), before);
    });
}

// The window menu is the window's, made anew each time the dialog is shown: showing the same
// dialog object twice must not list its commands twice.
TEST(WindowLayer, EachRunOfADialogStartsItsWindowMenuAfresh) {
    ScriptedUi ui;
    CEditorDlg dlg;
    std::vector<std::vector<std::string>> runs;
    for (int run = 0; run < 2; ++run) {
        RunModal(dlg, [&] {
            std::vector<std::string> items;
            for (const CMenu::Item& item : dlg.GetSystemMenu(false)->Items()) {
                items.push_back(item.text);
            }
            runs.push_back(items);
        });
    }
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_GT(runs[0].size(), 1u);
    EXPECT_EQ(runs[1], runs[0]);
}

} // namespace

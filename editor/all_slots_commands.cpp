// The All Slots window, opened from the list's menu and the window menu.
#include "editor/editor_dlg.h"

void CEditorDlg::OnShowAllSlots() {}

// Which handler of the Import Image dialog each control's events reach.
#include "editor/import_image/import_image_dlg.h"

#include "res/resource.h"

std::span<const EventEntry> CImportImageDlg::GetEventTable() const {
    static constexpr EventEntry kEvents[] = {
        OnChangeEntry<&CImportImageDlg::OnCropChanged>(IDC_CROP_VIEW),
        OnChangeEntry<&CImportImageDlg::OnSettingChanged>(IDC_BRIGHTNESS),
        OnChangeEntry<&CImportImageDlg::OnSettingChanged>(IDC_CONTRAST),
        OnChangeEntry<&CImportImageDlg::OnSettingChanged>(IDC_GAMMA),
        OnChangeEntry<&CImportImageDlg::OnSettingChanged>(IDC_SHARPEN),
        OnChangeEntry<&CImportImageDlg::OnSettingChanged>(IDC_AUTO_LEVELS),
        OnChangeEntry<&CImportImageDlg::OnSettingChanged>(IDC_INVERT),
        OnChangeEntry<&CImportImageDlg::OnFindFaceChanged>(IDC_FIND_FACE),
        OnChangeEntry<&CImportImageDlg::OnSettingChanged>(IDC_DITHERING),
        OnClickedEntry<&CImportImageDlg::OnReset>(IDC_IMPORT_RESET),
    };
    return kEvents;
}

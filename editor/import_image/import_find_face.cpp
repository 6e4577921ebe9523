// The Import Image dialog's "Find face": the frame on the largest face while it is on, the
// largest centred frame while it is off, and disabled when the picture shows no face.
#include "editor/import_image/import_image_dlg.h"

#include "res/texts.h"

void CImportImageDlg::ShowFindFace() {
    if (!m_frames.face) {
        m_findFace.SetCheck(BST_UNCHECKED);
        m_findFace.EnableWindow(false);
        m_findFace.SetToolTip(std::string(res::kNoFaceFound));
        m_findFace.SetAccessibleDescription(std::string(res::kNoFaceFound));
        return;
    }
    m_findFace.SetCheck(m_settings.findFace ? BST_CHECKED : BST_UNCHECKED);
}

PixelRect CImportImageDlg::StartFrame(const ImportFrames& frames, const ImportSettings& settings) {
    return settings.findFace && frames.face ? *frames.face : frames.centred;
}

void CImportImageDlg::OnFindFaceChanged() {
    if (m_ready && m_frames.face) {
        ApplyFrame(m_findFace.GetCheck() == BST_CHECKED ? *m_frames.face : m_frames.centred);
        ShowResult();
    }
}

void CImportImageDlg::ApplyFrame(const PixelRect& frame) {
    m_preview.SetCrop(frame);
    m_cropView.SetCrop(m_preview.Crop());
}

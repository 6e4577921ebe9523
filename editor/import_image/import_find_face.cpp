// The Import Image dialog's "Find face": the frame on the largest face while it is on, the
// largest centred frame while it is off, and disabled when the picture shows no face; and the
// line under the picture that says so in words.
#include "editor/import_image/import_image_dlg.h"

#include "editor/import_image/face_status.h"
#include "res/resource.h"
#include "res/texts.h"

#include <string>

namespace {

// Why faces cannot be looked for, as snapfold says it; empty when they can.
std::string UnavailableReason(const ImportFrames& frames) {
    return frames.faceProblem.empty()
               ? std::string()
               : std::string(res::kFaceFindingUnavailable) + frames.faceProblem;
}

// Why no face is offered: none in the picture, or no way to look for one, which the user could
// not otherwise tell apart.
std::string NoFaceReason(const ImportFrames& frames) {
    const std::string unavailable = UnavailableReason(frames);
    return unavailable.empty() ? std::string(res::kNoFaceFound) : unavailable;
}

} // namespace

void CImportImageDlg::ShowFindFace() {
    if (!m_frames.face) {
        m_findFace.SetCheck(BST_UNCHECKED);
        m_findFace.EnableWindow(false);
        const std::string reason = NoFaceReason(m_frames);
        m_findFace.SetToolTip(reason);
        m_findFace.SetAccessibleDescription(reason);
    } else {
        m_findFace.SetCheck(m_settings.findFace ? BST_CHECKED : BST_UNCHECKED);
    }
    ShowFaceStatus();
}

void CImportImageDlg::ShowFaceStatus() {
    // Where no face left the check box disabled, what the user wants is the remembered choice.
    const bool findFace =
        m_findFace.IsWindowEnabled() ? m_findFace.GetCheck() == BST_CHECKED : m_settings.findFace;
    const FaceStatus status{m_frames.faceCount, !m_frames.faceProblem.empty(), findFace,
                            m_frameMoved};
    CWnd* line = GetDlgItem(IDC_FACE_STATUS);
    line->SetWindowText(FaceStatusText(status));
    const std::string reason = UnavailableReason(m_frames);
    line->SetToolTip(reason);
    line->SetAccessibleDescription(reason);
}

PixelRect CImportImageDlg::StartFrame(const ImportFrames& frames, const ImportSettings& settings) {
    return settings.findFace && frames.face ? *frames.face : frames.centred;
}

void CImportImageDlg::OnFindFaceChanged() {
    if (m_ready && m_frames.face) {
        ApplyFrame(m_findFace.GetCheck() == BST_CHECKED ? *m_frames.face : m_frames.centred);
        ShowFaceStatus();
        ShowResult();
    }
}

void CImportImageDlg::ApplyFrame(const PixelRect& frame) {
    m_frameMoved = false;
    m_preview.SetCrop(frame);
    m_cropView.SetCrop(m_preview.Crop());
}

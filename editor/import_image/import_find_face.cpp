// The Import Image dialog's "Find face": the frame on the largest face while it is on, the
// largest centred frame while it is off, and disabled when the picture shows no face.
#include "editor/import_image/import_image_dlg.h"

#include "faces/face_finder.h"
#include "res/texts.h"

#include <string>

namespace {

// Why no face is offered: none in the picture, or no way to look for one, which the user could
// not otherwise tell apart.
std::string NoFaceReason() {
    const std::string problem = FaceFindingProblem();
    return problem.empty() ? std::string(res::kNoFaceFound)
                           : std::string(res::kFaceFindingUnavailable) + problem;
}

} // namespace

void CImportImageDlg::ShowFindFace() {
    if (!m_frames.face) {
        m_findFace.SetCheck(BST_UNCHECKED);
        m_findFace.EnableWindow(false);
        const std::string reason = NoFaceReason();
        m_findFace.SetToolTip(reason);
        m_findFace.SetAccessibleDescription(reason);
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
    m_frameMoved = false;
    m_preview.SetCrop(frame);
    m_cropView.SetCrop(m_preview.Crop());
}

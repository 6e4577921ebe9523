// Import Image on a phone photo's thumbnail: the photo decodes on a thread of its own while the
// user already frames the thumbnail, and replaces it when it lands, the frame kept.
#include "editor/import_image/import_image_dlg.h"

#include "res/texts.h"
#include "ui/ui_services.h"

#include <utility>

void CImportImageDlg::OnFullPhotoLanded() {
    if (m_fullPhoto) {
        SwitchToFullPhoto(m_fullPhoto->Take());
    }
}

bool CImportImageDlg::SwitchToFullPhoto(LandedPhoto photo) {
    m_fullPhoto.reset();
    DecodedImage& decoded = photo.decoded;
    if (!decoded.image) {
        // What snapfold would refuse, the slot does not get from the thumbnail either.
        ShowWarning(std::string(res::kImageUnreadableMessage) + "\n" + decoded.error);
        EndDialog(IDCANCEL);
        return false;
    }
    const ImageSize thumbnail = GetSourceSize();
    RgbImage& image = *decoded.image;
    const ImportFrames frames = ChooseImportFrames(image, decoded.fullSize, photo.faces);
    const bool onFace = m_findFace.GetCheck() == BST_CHECKED;
    const PixelRect frame = m_frameMoved ? MapRect(GetFrame(), thumbnail.width, thumbnail.height,
                                                   image.width, image.height)
                                         : (onFace && frames.face ? *frames.face : frames.centred);
    m_frames = frames;
    m_preview.SetSource(std::move(image), frame, ImportFaceLevels(frames));
    m_cropView.SetImage(m_preview.Source());
    m_cropView.SetCrop(m_preview.Crop());
    ShowFindFaceFor(frames);
    ShowResult();
    return true;
}

void CImportImageDlg::ShowFindFaceFor(const ImportFrames& frames) {
    const bool wasPossible = m_findFace.IsWindowEnabled();
    if (!frames.face) {
        ShowFindFace();
        return;
    }
    m_findFace.EnableWindow(true);
    m_findFace.SetToolTip({});
    m_findFace.SetAccessibleDescription({});
    if (!wasPossible) {
        m_findFace.SetCheck(m_settings.findFace ? BST_CHECKED : BST_UNCHECKED);
    }
    ShowFaceStatus();
}

// The Import Image dialog: frame a part of any picture, set its tone and dithering, and see the
// result exactly as the slot will store it.
#pragma once

#include "editor/import_image/full_photo.h"
#include "editor/import_image/import_frames.h"
#include "editor/import_image/import_preview.h"
#include "editor/import_image/import_settings.h"
#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/crop_view.h"
#include "ui/dialog.h"
#include "ui/picture_view.h"
#include "ui/slider.h"

#include <string>

class CImportImageDlg : public CDialog {
public:
    // frames are the face and centred frames on source, chosen on the image at its full size;
    // with a face the dialog starts on it while "Find face" is on in settings, the choices it
    // starts with.
    // With fullPhoto, source is a thumbnail standing in for the photo fullPhoto decodes: the
    // dialog decodes it on a thread of its own from the moment it shows, and then frames the
    // photo, the frame where the user left it.
    CImportImageDlg(RgbImage source, ImportFrames frames, const ImportSettings& settings,
                    CWnd* parent, FullPhoto::Decode fullPhoto = {});

    // The contact whose photo this is, shown after the dialog's caption; none when empty.
    void SetContactName(std::string name) { m_contactName = std::move(name); }

    // The slot's 600 bytes as the result showed them; meaningful once DoModal returned IDOK.
    const PackedPicture& GetPicture() const { return m_picture; }
    // The choices to start the next dialog with: as confirmed with OK, the defaults once Reset
    // was pressed, or else as given.
    const ImportSettings& GetSettings() const { return m_settings; }
    // The size of the picture the dialog frames now (the thumbnail's until the photo lands) and
    // the frame on it, in its pixels.
    ImageSize GetSourceSize() const {
        return {m_preview.Source().width, m_preview.Source().height};
    }
    PixelRect GetFrame() const { return m_preview.Crop(); }

    void OnOK() override;
    void OnCancel() override;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    std::span<const EventEntry> GetEventTable() const override;

private:
    void OnCropChanged();
    void OnSettingChanged();
    void OnFindFaceChanged();
    // Every control back to its default, the frame on the face when there is one, and the
    // remembered choices with them.
    void OnReset();
    // The frame the dialog opens with: on the face while "Find face" is remembered on.
    static PixelRect StartFrame(const ImportFrames& frames, const ImportSettings& settings);
    // Sets "Find face" as remembered, or disabled when no face was found; the frame is already
    // the one StartFrame chose.
    void ShowFindFace();
    void ApplyFrame(const PixelRect& frame);
    // The line under the picture: what the face search found and where the frame is, with the
    // reason in its tooltip when faces cannot be looked for.
    void ShowFaceStatus();

    void ShowSettings(const ConvertSettings& settings);
    ConvertSettings ReadSettings() const;
    void ShowValues(const ConvertSettings& settings);
    void ShowResult();

    // The thumbnail road (import_full_photo.cpp).
    void OnFullPhotoLanded();
    // Frames the photo in place of the thumbnail: the frame the user moved carried onto it, or
    // else the frame the photo's own faces give. False when it cannot be read: the dialog has
    // then said why and ended.
    bool SwitchToFullPhoto(LandedPhoto photo);
    // Sets "Find face" for frames found anew, keeping the user's choice while it stays possible.
    void ShowFindFaceFor(const ImportFrames& frames);

    ImportSettings m_settings;
    ImportPreview m_preview;
    ImportFrames m_frames;
    PackedPicture m_picture{};
    FullPhoto::Decode m_decodeFullPhoto;
    std::unique_ptr<FullPhoto> m_fullPhoto;
    // Whether the user moved the frame since the picture or "Find face" last placed it.
    bool m_frameMoved = false;
    // Controls report changes while the dialog sets them up; those are not the user's.
    bool m_ready = false;
    std::string m_contactName;
    CCropView m_cropView;
    CPictureView m_actualSize;
    CPictureView m_enlarged;
    CSliderCtrl m_brightness;
    CSliderCtrl m_contrast;
    CSliderCtrl m_gamma;
    CSliderCtrl m_sharpen;
    CButton m_autoLevels;
    CButton m_invert;
    CButton m_findFace;
    CComboBox m_dithering;
};

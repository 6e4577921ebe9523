// The Import Image dialog: frame a part of any picture, set its tone and dithering, and see the
// result exactly as the slot will store it.
#pragma once

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
    CImportImageDlg(RgbImage source, ImportFrames frames, const ImportSettings& settings,
                    CWnd* parent);

    // The contact whose photo this is, shown after the dialog's caption; none when empty.
    void SetContactName(std::string name) { m_contactName = std::move(name); }

    // The slot's 600 bytes as the result showed them; meaningful once DoModal returned IDOK.
    const PackedPicture& GetPicture() const { return m_picture; }
    // The choices to start the next dialog with: as confirmed with OK, or as given.
    const ImportSettings& GetSettings() const { return m_settings; }

    void OnOK() override;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    std::span<const EventEntry> GetEventTable() const override;

private:
    void OnCropChanged();
    void OnSettingChanged();
    void OnFindFaceChanged();
    // The frame the dialog opens with: on the face while "Find face" is remembered on.
    static PixelRect StartFrame(const ImportFrames& frames, const ImportSettings& settings);
    // Sets "Find face" as remembered, or disabled when no face was found; the frame is already
    // the one StartFrame chose.
    void ShowFindFace();
    void ApplyFrame(const PixelRect& frame);

    void ShowSettings(const ConvertSettings& settings);
    ConvertSettings ReadSettings() const;
    void ShowValues(const ConvertSettings& settings);
    void ShowResult();

    ImportSettings m_settings;
    ImportPreview m_preview;
    ImportFrames m_frames;
    PackedPicture m_picture{};
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

#include "editor/import_image/import_image_dlg.h"

#include "res/resource.h"
#include "res/texts.h"
#include "ui/wait_cursor.h"

#include <cmath>
#include <cstdio>
#include <iterator>
#include <utility>

namespace {

// The gamma slider moves in hundredths, so that 1.00 sits on a step of its own.
constexpr int kGammaSteps = 100;

std::string FormatGamma(double gamma) {
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", gamma);
    return text;
}

} // namespace

CImportImageDlg::CImportImageDlg(RgbImage source, ImportFrames frames,
                                 const ImportSettings& settings, CWnd* parent,
                                 FullPhoto::Decode fullPhoto)
    : CDialog(IDD_IMPORT_IMAGE, parent), m_settings(settings),
      m_preview(std::move(source), StartFrame(frames, settings), settings.convert,
                ImportFaceLevels(frames)),
      m_frames(frames), m_decodeFullPhoto(std::move(fullPhoto)) {}

void CImportImageDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_CROP_VIEW, m_cropView);
    DDX_Control(dx, IDC_RESULT_ACTUAL, m_actualSize);
    DDX_Control(dx, IDC_RESULT_ENLARGED, m_enlarged);
    DDX_Control(dx, IDC_BRIGHTNESS, m_brightness);
    DDX_Control(dx, IDC_CONTRAST, m_contrast);
    DDX_Control(dx, IDC_GAMMA, m_gamma);
    DDX_Control(dx, IDC_SHARPEN, m_sharpen);
    DDX_Control(dx, IDC_AUTO_LEVELS, m_autoLevels);
    DDX_Control(dx, IDC_INVERT, m_invert);
    DDX_Control(dx, IDC_FIND_FACE, m_findFace);
    DDX_Control(dx, IDC_DITHERING, m_dithering);
}

bool CImportImageDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (!m_contactName.empty()) {
        SetWindowText(GetWindowText() + " \u2014 " + m_contactName);
    }
    m_brightness.SetRange(kToneBrightnessMin, kToneBrightnessMax);
    m_contrast.SetRange(kToneContrastMin, kToneContrastMax);
    m_gamma.SetRange(static_cast<int>(std::lround(kToneGammaMin * kGammaSteps)),
                     static_cast<int>(std::lround(kToneGammaMax * kGammaSteps)));
    m_sharpen.SetRange(0, kToneSharpenMax);
    for (std::string_view name : res::kDitheringNames) {
        m_dithering.AddString(std::string(name));
    }
    m_actualSize.SetZoom(PictureZoom::Actual);
    m_enlarged.SetZoom(PictureZoom::Fill);
    m_cropView.SetImage(m_preview.Source());
    m_cropView.SetAspect(kConvertWidth, kConvertHeight);
    m_cropView.SetCrop(m_preview.Crop());
    ShowFindFace();
    ShowSettings(m_settings.convert);
    ShowValues(m_settings.convert);
    ShowResult();
    m_ready = true;
    if (m_decodeFullPhoto) {
        // Started with the dialog, so that its end always finds the dialog up.
        m_fullPhoto = std::make_unique<FullPhoto>(std::move(m_decodeFullPhoto),
                                                  [this] { OnFullPhotoLanded(); });
    }
    return true;
}

void CImportImageDlg::OnOK() {
    // The slot gets what snapfold would store from the photo, never the thumbnail's result.
    if (m_fullPhoto) {
        GetDlgItem(IDC_IMPORT_STATUS)->SetWindowText(std::string(res::kReadingFullPhoto));
        bool switched = false;
        {
            const CWaitCursor busy;
            switched = SwitchToFullPhoto(m_fullPhoto->Take());
        }
        if (!switched) {
            return;
        }
    }
    m_settings.convert = m_preview.Settings();
    if (m_findFace.IsWindowEnabled()) {
        m_settings.findFace = m_findFace.GetCheck() == BST_CHECKED;
    }
    m_picture = PackLevels(m_preview.Levels());
    CDialog::OnOK();
}

void CImportImageDlg::OnCancel() {
    // At once: a photo still decoding is left to finish on its own and dropped.
    m_fullPhoto.reset();
    CDialog::OnCancel();
}

void CImportImageDlg::OnCropChanged() {
    if (m_ready) {
        const bool firstMove = !m_frameMoved;
        m_frameMoved = true;
        if (firstMove) {
            ShowFaceStatus();
        }
        m_preview.SetCrop(m_cropView.GetCrop());
        ShowResult();
    }
}

void CImportImageDlg::OnReset() {
    if (!m_ready) {
        return;
    }
    m_settings = ImportSettings{};
    // The controls report what is set here as changes; those are not the user's.
    m_ready = false;
    ShowSettings(m_settings.convert);
    if (m_frames.face) {
        m_findFace.SetCheck(BST_CHECKED);
    }
    m_ready = true;
    m_preview.SetSettings(m_settings.convert);
    ApplyFrame(StartFrame(m_frames, m_settings));
    ShowValues(m_settings.convert);
    ShowFaceStatus();
    ShowResult();
}

void CImportImageDlg::OnSettingChanged() {
    if (m_ready) {
        m_preview.SetSettings(ReadSettings());
        ShowValues(m_preview.Settings());
        ShowResult();
    }
}

void CImportImageDlg::ShowSettings(const ConvertSettings& settings) {
    m_brightness.SetPos(settings.tone.brightness);
    m_contrast.SetPos(settings.tone.contrast);
    m_gamma.SetPos(static_cast<int>(std::lround(settings.tone.gamma * kGammaSteps)));
    m_sharpen.SetPos(settings.tone.sharpen);
    m_autoLevels.SetCheck(settings.tone.autoLevels ? BST_CHECKED : BST_UNCHECKED);
    m_invert.SetCheck(settings.tone.invert ? BST_CHECKED : BST_UNCHECKED);
    m_dithering.SetCurSel(static_cast<int>(settings.dithering));
}

ConvertSettings CImportImageDlg::ReadSettings() const {
    ConvertSettings settings;
    settings.tone.brightness = m_brightness.GetPos();
    settings.tone.contrast = m_contrast.GetPos();
    settings.tone.gamma = static_cast<double>(m_gamma.GetPos()) / kGammaSteps;
    settings.tone.sharpen = m_sharpen.GetPos();
    settings.tone.autoLevels = m_autoLevels.GetCheck() == BST_CHECKED;
    settings.tone.invert = m_invert.GetCheck() == BST_CHECKED;
    const int chosen = m_dithering.GetCurSel();
    const int count = static_cast<int>(std::size(res::kDitheringNames));
    settings.dithering = chosen >= 0 && chosen < count ? static_cast<Dithering>(chosen)
                                                       : kDefaultConvertSettings.dithering;
    return settings;
}

void CImportImageDlg::ShowValues(const ConvertSettings& settings) {
    GetDlgItem(IDC_BRIGHTNESS_VALUE)->SetWindowText(std::to_string(settings.tone.brightness));
    GetDlgItem(IDC_CONTRAST_VALUE)->SetWindowText(std::to_string(settings.tone.contrast));
    GetDlgItem(IDC_GAMMA_VALUE)->SetWindowText(FormatGamma(settings.tone.gamma));
    GetDlgItem(IDC_SHARPEN_VALUE)->SetWindowText(std::to_string(settings.tone.sharpen));
}

void CImportImageDlg::ShowResult() {
    const auto greys = LevelsToGreys(m_preview.Levels());
    m_actualSize.SetPicture(kConvertWidth, kConvertHeight, greys);
    m_enlarged.SetPicture(kConvertWidth, kConvertHeight, greys);
}

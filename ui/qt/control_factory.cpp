#include "ui/qt/control_factory.h"

#include "res/dialog_template.h"
#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/crop_view.h"
#include "ui/edit.h"
#include "ui/icon.h"
#include "ui/list_ctrl.h"
#include "ui/picture_view.h"
#include "ui/qt/controls/image_controls.h"
#include "ui/qt/controls/report_table.h"
#include "ui/qt/controls/slot_grid.h"
#include "ui/qt/convert.h"
#include "ui/qt/icon.h"
#include "ui/slider.h"
#include "ui/slot_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <qdrawutil.h>

#include <algorithm>

namespace {

using res::ControlKind;

// A group box that draws only its frame: the dialog paints the preview inside it, and a
// style's tinted fill would change its greys.
class FrameOnlyGroupBox final : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        qDrawShadeRect(&painter, rect().adjusted(0, 0, -1, -1), palette(), true, 1);
        if (!title().isEmpty()) {
            painter.drawText(rect(), Qt::AlignTop | Qt::AlignLeft, title());
        }
    }
};

QWidget* CreateIcon(const res::ControlTemplate& control, QWidget* parent, QSize size) {
    auto* label = new QLabel(parent);
    const int side = std::min(size.width(), size.height());
    label->setPixmap(ToQIcon(LoadIconResource(control.iconId)).pixmap(side, side));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* CreateButton(const res::ControlTemplate& control, QWidget* parent) {
    auto* button = new QPushButton(ToQt(control.caption), parent);
    const bool isDefault = control.kind == ControlKind::DefPushButton;
    button->setAutoDefault(isDefault);
    button->setDefault(isDefault);
    return button;
}

QWidget* CreateGroupBox(const res::ControlTemplate& control, QWidget* parent) {
    auto* group = new FrameOnlyGroupBox(ToQt(control.caption), parent);
    group->setFocusPolicy(Qt::NoFocus);
    return group;
}

QWidget* CreateText(const res::ControlTemplate& control, QWidget* parent) {
    auto* label = new QLabel(ToQt(control.caption), parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

QWidget* CreateControlWidget(const res::ControlTemplate& control, QWidget* parent, QSize size) {
    const QString caption = ToQt(control.caption);
    switch (control.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
        return CreateButton(control, parent);
    case ControlKind::GroupBox:
        return CreateGroupBox(control, parent);
    case ControlKind::ReportList:
        return CreateReportList(parent);
    case ControlKind::Edit:
        return new QLineEdit(caption, parent);
    case ControlKind::StaticText:
        return CreateText(control, parent);
    case ControlKind::StaticIcon:
        return CreateIcon(control, parent, size);
    case ControlKind::Slider:
        return new QSlider(Qt::Horizontal, parent);
    case ControlKind::CheckBox:
        return new QCheckBox(caption, parent);
    case ControlKind::ComboBox:
        return new QComboBox(parent);
    case ControlKind::PictureView:
        return CreatePictureWidget(parent);
    case ControlKind::CropView:
        return CreateCropWidget(parent);
    case ControlKind::SlotGrid:
        return CreateSlotGridWidget(parent);
    }
    return nullptr;
}

std::unique_ptr<CWnd> CreateControlWrapper(ControlKind kind) {
    switch (kind) {
    case ControlKind::ReportList:
        return std::make_unique<CListCtrl>();
    case ControlKind::Edit:
        return std::make_unique<CEdit>();
    case ControlKind::Slider:
        return std::make_unique<CSliderCtrl>();
    case ControlKind::CheckBox:
        return std::make_unique<CButton>();
    case ControlKind::ComboBox:
        return std::make_unique<CComboBox>();
    case ControlKind::PictureView:
        return std::make_unique<CPictureView>();
    case ControlKind::CropView:
        return std::make_unique<CCropView>();
    case ControlKind::SlotGrid:
        return std::make_unique<CSlotGrid>();
    default:
        return std::make_unique<CWnd>();
    }
}

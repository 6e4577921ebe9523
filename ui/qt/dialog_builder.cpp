#include "res/dialog_template.h"
#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/crop_view.h"
#include "ui/edit.h"
#include "ui/icon.h"
#include "ui/list_ctrl.h"
#include "ui/picture_view.h"
#include "ui/qt/convert.h"
#include "ui/qt/dialog_impl.h"
#include "ui/qt/icon.h"
#include "ui/qt/image_controls.h"
#include "ui/qt/report_table.h"
#include "ui/slider.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <qdrawutil.h>

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

QWidget* CreateWidget(const res::ControlTemplate& control, QWidget* parent, QSize size) {
    const QString caption =
        QString::fromUtf8(control.caption.data(), static_cast<qsizetype>(control.caption.size()));
    switch (control.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: {
        auto* button = new QPushButton(caption, parent);
        const bool isDefault = control.kind == ControlKind::DefPushButton;
        button->setAutoDefault(isDefault);
        button->setDefault(isDefault);
        return button;
    }
    case ControlKind::GroupBox: {
        auto* group = new FrameOnlyGroupBox(caption, parent);
        group->setFocusPolicy(Qt::NoFocus);
        return group;
    }
    case ControlKind::ReportList:
        return CreateReportList(parent);
    case ControlKind::Edit:
        return new QLineEdit(caption, parent);
    case ControlKind::StaticText: {
        auto* label = new QLabel(caption, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
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
    }
    return nullptr;
}

std::unique_ptr<CWnd> CreateWrapper(ControlKind kind) {
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
    default:
        return std::make_unique<CWnd>();
    }
}

// Sliders, check boxes, drop-down lists and crop frames all report a new value the same way.
bool ConnectChanges(CDialog& dialog, int id, QWidget* widget, DialogWindow* window) {
    const auto changed = [&dialog, id] {
        EventArgs args;
        dialog.Dispatch(DialogEvent::Changed, id, args);
    };
    if (auto* slider = qobject_cast<QSlider*>(widget)) {
        QObject::connect(slider, &QSlider::valueChanged, window, changed);
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        QObject::connect(box, &QCheckBox::toggled, window, changed);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QObject::connect(combo, &QComboBox::currentIndexChanged, window, changed);
    } else {
        return ConnectCropChanged(widget, changed);
    }
    return true;
}

void ConnectEvents(CDialog& dialog, int id, QWidget* widget, DialogWindow* window) {
    if (ConnectChanges(dialog, id, widget, window)) {
        return;
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QObject::connect(button, &QPushButton::clicked, window, [&dialog, id] {
            EventArgs args;
            if (dialog.Dispatch(DialogEvent::Clicked, id, args)) {
                return;
            }
            if (id == IDOK) {
                dialog.OnOK();
            } else if (id == IDCANCEL) {
                dialog.OnCancel();
            }
        });
    } else if (auto* table = qobject_cast<QTableWidget*>(widget)) {
        // A row that becomes selected, by mouse or keyboard, is reported as a click on it.
        const auto reportClick = [&dialog, id, table] {
            if (!table->selectionModel()->hasSelection()) {
                return;
            }
            NMHDR header{id, 0};
            LRESULT result = 0;
            EventArgs args;
            args.header = &header;
            args.result = &result;
            dialog.Dispatch(DialogEvent::ListClick, id, args);
        };
        QObject::connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, window,
                         reportClick);
        // A left click on the row already selected changes no selection, yet is a click.
        QObject::connect(table, &QAbstractItemView::clicked, window,
                         [table, reportClick](const QModelIndex& index) {
                             if (table->selectionModel()->isRowSelected(index.row())) {
                                 reportClick();
                             }
                         });
    }
}

Qt::WindowFlags FlagsFor(res::WindowKind kind) {
    const Qt::WindowFlags frame = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    return (kind == res::WindowKind::AppWindow ? Qt::Window : Qt::Dialog) | frame;
}

QFont DialogFont(int pointSize) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    return font;
}

BaseUnits MeasureBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    return BaseUnitsFromMetrics(metrics.horizontalAdvance(QStringLiteral(
                                    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
                                metrics.height());
}

// A label names its control for assistive technology; the control may follow its label in
// the template, so this runs once every control exists.
void TieLabelToBuddy(const CDialog& dialog, const res::ControlTemplate& control, QWidget* widget) {
    CWnd* buddy = control.buddyId != 0 ? dialog.GetDlgItem(control.buddyId) : nullptr;
    if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && buddy != nullptr) {
        label->setBuddy(buddy->Widget());
    }
}

} // namespace

bool DialogBuilder::Build(CDialog& dialog, const res::DialogTemplate& dialogTemplate) {
    CDialog::Impl& impl = *dialog.m_impl;
    QWidget* parentWidget = impl.parent != nullptr ? impl.parent->Widget() : nullptr;
    auto* window = new DialogWindow(dialog, parentWidget, FlagsFor(dialogTemplate.windowKind));
    const QFont font = DialogFont(dialogTemplate.fontPointSize);
    window->setFont(font);
    window->setWindowTitle(QString::fromUtf8(
        dialogTemplate.caption.data(), static_cast<qsizetype>(dialogTemplate.caption.size())));
    impl.baseUnits = MeasureBaseUnits(font);
    const CRect client = MapDialogRect(0, 0, dialogTemplate.cx, dialogTemplate.cy, impl.baseUnits);
    window->setFixedSize(client.Width(), client.Height());

    QWidget* previousInTabOrder = nullptr;
    for (const res::ControlTemplate& control : dialogTemplate.controls) {
        const CRect r = MapDialogRect(control.x, control.y, control.cx, control.cy, impl.baseUnits);
        QWidget* widget = CreateWidget(control, window, QSize(r.Width(), r.Height()));
        widget->setGeometry(r.left, r.top, r.Width(), r.Height());
        widget->setProperty(kControlIdProperty, control.id);
        auto wrapper = CreateWrapper(control.kind);
        wrapper->Attach(widget);
        impl.controls.push_back(std::move(wrapper));
        ConnectEvents(dialog, control.id, widget, window);
        window->WatchKeys(widget);
        if (!control.accessibleName.empty()) {
            widget->setAccessibleName(
                QString::fromUtf8(control.accessibleName.data(),
                                  static_cast<qsizetype>(control.accessibleName.size())));
        }
        if (widget->focusPolicy() != Qt::NoFocus) {
            if (previousInTabOrder != nullptr) {
                QWidget::setTabOrder(previousInTabOrder, widget);
            }
            previousInTabOrder = widget;
        }
    }
    for (std::size_t i = 0; i < impl.controls.size(); ++i) {
        TieLabelToBuddy(dialog, dialogTemplate.controls[i], impl.controls[i]->Widget());
    }
    window->SetAccelerators(dialogTemplate.accelerators);
    impl.window = window;
    dialog.Attach(window);
    return true;
}

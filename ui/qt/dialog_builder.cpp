#include "res/dialog_template.h"
#include "ui/qt/control_events.h"
#include "ui/qt/control_factory.h"
#include "ui/qt/convert.h"
#include "ui/qt/dialog_impl.h"
#include "ui/qt/widget.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>

namespace {

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
        label->setBuddy(WidgetOf(buddy));
    }
}

DialogWindow* CreateWindow(CDialog& dialog, CWnd* parent, const res::DialogTemplate& dialogTemplate,
                           BaseUnits& baseUnits) {
    auto* window = new DialogWindow(dialog, WidgetOf(parent), FlagsFor(dialogTemplate.windowKind));
    const QFont font = DialogFont(dialogTemplate.fontPointSize);
    window->setFont(font);
    window->setWindowTitle(ToQt(dialogTemplate.caption));
    baseUnits = MeasureBaseUnits(font);
    const CRect client = MapDialogRect(0, 0, dialogTemplate.cx, dialogTemplate.cy, baseUnits);
    window->setFixedSize(client.Width(), client.Height());
    return window;
}

} // namespace

QWidget* DialogBuilder::AddControl(CDialog& dialog, DialogWindow* window,
                                   const res::ControlTemplate& control) {
    CDialog::Impl& impl = *dialog.m_impl;
    const CRect r = MapDialogRect(control.x, control.y, control.cx, control.cy, impl.baseUnits);
    QWidget* widget = CreateControlWidget(control, window, QSize(r.Width(), r.Height()));
    if (widget == nullptr) {
        return nullptr;
    }
    widget->setGeometry(r.left, r.top, r.Width(), r.Height());
    widget->setProperty(kControlIdProperty, control.id);
    auto wrapper = CreateControlWrapper(control.kind);
    AttachWidget(*wrapper, widget);
    impl.controls.push_back(std::move(wrapper));
    ConnectControlEvents(dialog, control.id, widget, window);
    window->WatchKeys(widget);
    if (!control.accessibleName.empty()) {
        widget->setAccessibleName(ToQt(control.accessibleName));
    }
    return widget;
}

bool DialogBuilder::Build(CDialog& dialog, const res::DialogTemplate& dialogTemplate) {
    CDialog::Impl& impl = *dialog.m_impl;
    DialogWindow* window = CreateWindow(dialog, impl.parent, dialogTemplate, impl.baseUnits);
    QWidget* previousInTabOrder = nullptr;
    for (const res::ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = AddControl(dialog, window, control);
        if (widget == nullptr) {
            // Nothing of a half-made dialog may be shown or reached through its wrappers.
            impl.controls.clear();
            delete window;
            return false;
        }
        if (widget->focusPolicy() != Qt::NoFocus) {
            if (previousInTabOrder != nullptr) {
                QWidget::setTabOrder(previousInTabOrder, widget);
            }
            previousInTabOrder = widget;
        }
    }
    for (std::size_t i = 0; i < impl.controls.size(); ++i) {
        TieLabelToBuddy(dialog, dialogTemplate.controls[i], WidgetOf(impl.controls[i].get()));
    }
    window->SetAccelerators(dialogTemplate.accelerators);
    impl.window = window;
    AttachWidget(dialog, window);
    return true;
}

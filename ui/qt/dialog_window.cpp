#include "ui/qt/dialog_window.h"

#include "ui/dialog.h"
#include "ui/menu.h"
#include "ui/qt/convert.h"
#include "ui/qt/menu.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>

DialogWindow::DialogWindow(CDialog& owner, QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), m_owner(owner) {
    // Whether a drag is taken is decided per drag, by the dialog's event table.
    setAcceptDrops(true);
}

QPushButton* DialogWindow::DefaultButton() const {
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button->isDefault()) {
            return button;
        }
    }
    return nullptr;
}

namespace {
bool ScopeHolds(res::KeyScope scope, const QWidget* focus) {
    switch (scope) {
    case res::KeyScope::Window:
        return true;
    case res::KeyScope::OutsideEdit:
        return qobject_cast<const QLineEdit*>(focus) == nullptr;
    case res::KeyScope::InList:
        return qobject_cast<const QAbstractItemView*>(focus) != nullptr;
    }
    return false;
}
} // namespace

bool DialogWindow::RunAccelerator(const QKeyEvent& key) {
    // Keys of the number pad are the same shortcut as their twins on the main keyboard.
    const QKeyCombination pressed(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key()));
    for (const res::Accelerator& accelerator : m_accelerators) {
        const QKeySequence keys = KeysOf(accelerator);
        if (keys.count() == 1 && keys[0] == pressed &&
            ScopeHolds(accelerator.scope, QApplication::focusWidget())) {
            m_owner.SendCommand(accelerator.command);
            return true;
        }
    }
    return false;
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    // Controls handle many keys themselves (a list copies its text on Ctrl+C), so the
    // dialog's shortcuts are taken before the control sees them.
    if (event->type() == QEvent::KeyPress && RunAccelerator(*static_cast<QKeyEvent*>(event))) {
        return true;
    }
    if (auto* control = qobject_cast<QWidget*>(watched);
        control && FilterFileDrag(control, event)) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void DialogWindow::ShowSystemMenu(const QPoint& globalPos) {
    if (m_menu == nullptr) {
        return;
    }
    EventArgs args;
    args.menu = m_menu;
    m_owner.Dispatch(DialogEvent::InitMenuPopup, 0, args);
    // The command is sent after the menu has closed, so that a handler may run a dialog.
    if (const unsigned chosen = ExecMenu(*m_menu, this, globalPos, m_accelerators)) {
        m_owner.SendSysCommand(chosen);
    }
}

QWidget* DialogWindow::ControlAt(QPoint pos) const {
    return ControlOf(childAt(pos));
}

QWidget* DialogWindow::ControlOf(QWidget* widget) const {
    for (QWidget* w = widget; w != nullptr && w != this; w = w->parentWidget()) {
        if (w->parentWidget() == this && w->property(kControlIdProperty).isValid()) {
            return w;
        }
    }
    return nullptr;
}

void DialogWindow::OpenContextMenu(QWidget* control, std::optional<QPoint> globalPos) {
    QPoint where = globalPos.value_or(QPoint());
    if (!globalPos) {
        QWidget* from = control != nullptr ? control : this;
        where = from->mapToGlobal(from->rect().center());
        if (auto* view = qobject_cast<QAbstractItemView*>(control);
            view != nullptr && view->currentIndex().isValid()) {
            where = view->viewport()->mapToGlobal(view->visualRect(view->currentIndex()).center());
        }
    }
    if (control != nullptr) {
        EventArgs args;
        args.point = {where.x(), where.y()};
        if (m_owner.Dispatch(DialogEvent::ContextMenu,
                             control->property(kControlIdProperty).toInt(), args)) {
            return;
        }
    }
    ShowSystemMenu(where);
}

// Qt's own accept and reject paths (Escape, for one) become the dialog's commands.
void DialogWindow::accept() {
    m_owner.OnOK();
}
void DialogWindow::reject() {
    m_owner.OnCancel();
}
void DialogWindow::done(int result) {
    m_owner.EndDialog(result);
}

void DialogWindow::paintEvent(QPaintEvent* event) {
    EventArgs args;
    if (!m_owner.Dispatch(DialogEvent::Paint, 0, args)) {
        QDialog::paintEvent(event);
    }
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    if (RunAccelerator(*event)) {
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // The number pad's Enter arrives with the keypad modifier and means the same.
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // Enter presses the focused button, else the default button, else issues OK.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        } else if (QPushButton* byDefault = DefaultButton()) {
            byDefault->click();
        } else {
            m_owner.OnOK();
        }
        return;
    }
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        OpenContextMenu(ControlOf(focusWidget()), std::nullopt);
        return;
    }
    QDialog::keyPressEvent(event);
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    // The close box ends the dialog, whatever OK and Cancel do, unless the dialog refuses.
    if (!m_owner.CanClose()) {
        event->ignore();
        return;
    }
    event->accept();
    m_owner.EndDialog(IDCANCEL);
}

// A control that has no menu of its own passes the request on to here.
void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse) {
        OpenContextMenu(ControlAt(event->pos()), event->globalPos());
    } else {
        OpenContextMenu(ControlOf(focusWidget()), std::nullopt);
    }
}

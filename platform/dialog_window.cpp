#include "platform/qt_dialog_window.h"

#include "platform/dialog.h"
#include "platform/menu.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
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
        const QKeySequence keys = QKeySequence::fromString(
            QString::fromUtf8(accelerator.keys.data(),
                              static_cast<qsizetype>(accelerator.keys.size())),
            QKeySequence::PortableText);
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
    QMenu menu(this);
    for (const CMenu::Item& item : m_menu->Items()) {
        if ((item.flags & MF_SEPARATOR) != 0) {
            menu.addSeparator();
        } else {
            menu.addAction(QString::fromStdString(item.text))->setData(item.id);
        }
    }
    // The command is sent after the menu has closed, so that a handler may run a dialog.
    if (QAction* chosen = menu.exec(globalPos)) {
        m_owner.SendSysCommand(chosen->data().toUInt());
    }
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
        QWidget* from = focusWidget() != nullptr ? focusWidget() : this;
        ShowSystemMenu(from->mapToGlobal(from->rect().center()));
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

void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
    ShowSystemMenu(event->globalPos());
}

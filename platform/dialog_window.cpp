#include "platform/qt_dialog_window.h"

#include "platform/dialog.h"
#include "platform/menu.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>

DialogWindow::DialogWindow(CDialog& owner, QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), m_owner(owner) {}

QPushButton* DialogWindow::DefaultButton() const {
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button->isDefault()) {
            return button;
        }
    }
    return nullptr;
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
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
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
    // The close box ends the dialog at once, whatever OK and Cancel do.
    event->accept();
    m_owner.EndDialog(IDCANCEL);
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
    ShowSystemMenu(event->globalPos());
}

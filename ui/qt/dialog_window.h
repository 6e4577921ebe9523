// The Qt window behind a CDialog; included only by the layer's sources.
#pragma once

#include "res/dialog_template.h"

#include <QDialog>

#include <optional>
#include <span>

class CDialog;
class CMenu;
class QPushButton;
class QMimeData;

class DialogWindow final : public QDialog {
public:
    DialogWindow(CDialog& owner, QWidget* parent, Qt::WindowFlags flags);

    // Ends the modal loop without asking the owner.
    void Finish(int result) { QDialog::done(result); }
    // Shows the window menu at a global position and sends the chosen command.
    void ShowSystemMenu(const QPoint& globalPos);
    void SetSystemMenu(CMenu* menu) { m_menu = menu; }
    // Gives the focus to the first control in tab order.
    void FocusFirstControl() { focusNextChild(); }
    // The dialog's shortcut keys; the window watches each control's keys for them.
    void SetAccelerators(std::span<const res::Accelerator> accelerators) {
        m_accelerators = accelerators;
    }
    std::span<const res::Accelerator> Accelerators() const { return m_accelerators; }
    void WatchKeys(QWidget* control) { control->installEventFilter(this); }

    void accept() override;
    void reject() override;
    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QPushButton* DefaultButton() const;
    // Sends the command of the shortcut the key is, where it works; returns whether it did.
    bool RunAccelerator(const QKeyEvent& key);
    // The control's own menu where its dialog has one, else the window menu; at globalPos, or
    // for the keyboard at the control's current row or middle.
    void OpenContextMenu(QWidget* control, std::optional<QPoint> globalPos);
    // The control of this dialog at a point of the window, or null over the background.
    QWidget* ControlAt(QPoint pos) const;
    // The control of this dialog that widget is or lies in, or null.
    QWidget* ControlOf(QWidget* widget) const;
    // Whether the dialog takes a drag of these files; only a dialog with a drop handler does.
    bool TakesFiles(const QMimeData* data) const;
    // Gives dropped files at a point in the window's coordinates to the dialog, once the drop
    // has ended.
    void DropFiles(const QMimeData* data, const QPoint& point);
    // An edit box takes dragged text itself; dragged files go to the dialog instead.
    bool FilterFileDrag(QWidget* control, QEvent* event);

    CDialog& m_owner;
    CMenu* m_menu = nullptr;
    std::span<const res::Accelerator> m_accelerators;
};

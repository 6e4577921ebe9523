// The Qt window behind a CDialog; included only by the layer's sources.
#pragma once

#include <QDialog>

class CDialog;
class CMenu;
class QPushButton;

class DialogWindow final : public QDialog {
public:
    DialogWindow(CDialog& owner, QWidget* parent, Qt::WindowFlags flags);

    // Ends the modal loop without asking the owner.
    void Finish(int result) { QDialog::done(result); }
    // Shows the window menu at a global position and sends the chosen command.
    void ShowSystemMenu(const QPoint& globalPos);
    void SetSystemMenu(const CMenu* menu) { m_menu = menu; }
    // Gives the focus to the first control in tab order.
    void FocusFirstControl() { focusNextChild(); }

    void accept() override;
    void reject() override;
    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QPushButton* DefaultButton() const;

    CDialog& m_owner;
    const CMenu* m_menu = nullptr;
};

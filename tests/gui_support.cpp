#include "tests/gui_support.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>

std::optional<std::string> ScriptedUi::ChooseFile(CWnd*, FileChooserMode mode,
                                                  const std::string& filter) {
    choosers.push_back({mode, filter});
    if (m_answers.empty()) {
        return std::nullopt;
    }
    auto answer = std::move(m_answers.front());
    m_answers.pop_front();
    return answer;
}

void ScriptedUi::ShowMessage(CWnd*, const std::string& text, const std::string& caption,
                             MessageIcon icon) {
    messages.push_back({text, caption, icon});
}

int RunModal(CDialog& dialog, const std::function<void()>& body) {
    QTimer::singleShot(0, [&] {
        // Focus and keyboard tests need the window active, as a user's would be.
        dialog.Widget()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.Widget()));
        body();
        if (dialog.Widget() != nullptr && dialog.Widget()->isVisible()) {
            dialog.EndDialog(IDCANCEL);
        }
    });
    return dialog.DoModal();
}

bool WithNextModal(const std::function<void()>& action,
                   const std::function<void(QWidget*)>& inspect) {
    QWidget* before = QApplication::activeModalWidget();
    bool seen = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal != before && modal->isVisible() && !seen) {
            seen = true;
            poll.stop();
            inspect(modal);
        }
    });
    poll.start();
    action();
    poll.stop();
    return seen;
}

QWidget* Control(const CDialog& dialog, int id) {
    CWnd* item = dialog.GetDlgItem(id);
    return item != nullptr ? item->Widget() : nullptr;
}

void ClickButton(const CDialog& dialog, int id) {
    auto* button = ControlAs<QAbstractButton>(dialog, id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    QTest::mouseClick(button, Qt::LeftButton);
}

QImage Grab(const CDialog& dialog) {
    QImage image = dialog.Widget()->grab().toImage();
    return image.convertToFormat(QImage::Format_RGB32);
}

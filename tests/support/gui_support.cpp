#include "tests/support/gui_support.h"

#include "res/resource.h"
#include "tests/support/test_files.h"
#include "ui/qt/widget.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QTableWidget>

#include <QTest>
#include <QTimer>
#include <utility>

#include <algorithm>
#include <cmath>

std::optional<FileChoice> ScriptedUi::ChooseFileAndFilter(CWnd*, FileChooserMode mode,
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

int ScriptedUi::Ask(CWnd*, const Question& question) {
    questions.push_back(question);
    if (m_questionAnswers.empty()) {
        return question.escapeButton;
    }
    const int answer = m_questionAnswers.front();
    m_questionAnswers.pop_front();
    return answer;
}

void ActivateForKeys(QWidget* window) {
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

int RunModal(CDialog& dialog, const std::function<void()>& body) {
    QTimer::singleShot(0, [&] {
        ActivateForKeys(WidgetOf(dialog));
        body();
        if (WidgetOf(dialog) != nullptr && WidgetOf(dialog)->isVisible()) {
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
            ActivateForKeys(modal);
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
    return item != nullptr ? WidgetOf(item) : nullptr;
}

void ClickButton(const CDialog& dialog, int id) {
    auto* button = ControlAs<QAbstractButton>(dialog, id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    QTest::mouseClick(button, Qt::LeftButton);
}

void ClickListRow(const CDialog& dialog, int row) {
    auto* list = ControlAs<QTableWidget>(dialog, IDC_CONTACT_LIST);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list->item(row, 0), nullptr) << "no row " << row;
    list->scrollToItem(list->item(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row, 0)).center());
}

void SetIdOfRow(const CDialog& dialog, int row, const QString& text) {
    ClickListRow(dialog, row);
    auto* idBox = ControlAs<QLineEdit>(dialog, IDC_ID_EDIT);
    ASSERT_NE(idBox, nullptr);
    idBox->setText(text);
    ClickButton(dialog, IDC_SET_ID);
}

void ShowPackThroughOpen(const CDialog& dialog, ScriptedUi& ui, const PackImage& pack) {
    const TempDir dir;
    const std::string path = dir.File("pack.bin");
    WriteWholeFile(path, {pack.begin(), pack.end()});
    ui.Answer(path);
    ClickButton(dialog, IDC_OPEN_PACK);
    ASSERT_TRUE(ui.messages.empty());
}

QImage Grab(const CDialog& dialog) {
    QImage image = WidgetOf(dialog)->grab().toImage();
    return image.convertToFormat(QImage::Format_RGB32);
}

void WithNextPopup(const std::function<void(QMenu*)>& inspect) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, inspect] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            poll->stop();
            poll->deleteLater();
            inspect(menu);
        }
    });
    poll->start();
    // A menu that never appears must not leave the poll running into the next test.
    QTimer::singleShot(2000, poll, [poll] { poll->deleteLater(); });
}

void ChooseFromMenu(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions()) {
        if (!a->isSeparator() && a->text() == text) {
            menu->setActiveAction(a);
            QTest::keyClick(menu, Qt::Key_Return);
            return;
        }
    }
    menu->close();
}

void RightClickListRow(const CDialog& dialog, int row) {
    auto* list = ControlAs<QTableWidget>(dialog, IDC_CONTACT_LIST);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list->item(row, 0), nullptr) << "no row " << row;
    list->scrollToItem(list->item(row, 0));
    const QPoint at = list->visualItemRect(list->item(row, 0)).center();
    QTest::mousePress(list->viewport(), Qt::RightButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, at);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &event);
}

QRect PreviewPictureRect(const CDialog& dialog, qreal ratio) {
    const QRect frame = Control(dialog, IDC_PREVIEW)->geometry();
    const int left = static_cast<int>(std::ceil((frame.left() + 2) * ratio));
    const int top = static_cast<int>(std::ceil((frame.top() + 7) * ratio));
    const int width =
        static_cast<int>(std::floor((frame.left() + frame.width() - 2) * ratio)) - left;
    const int height =
        static_cast<int>(std::floor((frame.top() + frame.height() - 2) * ratio)) - top;
    const int scale = std::min(width / PICTURE_WIDTH, height / PICTURE_HEIGHT);
    return {left + (width - scale * PICTURE_WIDTH) / 2, top + (height - scale * PICTURE_HEIGHT) / 2,
            scale * PICTURE_WIDTH, scale * PICTURE_HEIGHT};
}

QRgb PreviewPixel(const CDialog& dialog, int x, int y) {
    const QImage shot = WidgetOf(dialog)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect picture = PreviewPictureRect(dialog, shot.devicePixelRatio());
    const int scale = picture.width() / PICTURE_WIDTH;
    return shot.pixel(picture.left() + x * scale + scale / 2,
                      picture.top() + y * scale + scale / 2);
}

std::vector<std::uint8_t> ImportIntoFirstSlot(CDialog& editor, ScriptedUi& ui,
                                              const std::string& path,
                                              const std::function<void(QWidget*)>& inspect) {
    std::vector<std::uint8_t> stored;
    RunModal(editor, [&] {
        ClickButton(editor, IDC_NEW_PACK);
        ClickListRow(editor, 0);
        ui.Answer(path);
        QWidget* list = Control(editor, IDC_CONTACT_LIST);
        list->setFocus();
        EXPECT_TRUE(
            WithNextModal([&] { QTest::keyClick(list, Qt::Key_I, Qt::ControlModifier); }, inspect));
        const ConstPackPicture picture = GetPicture(std::as_const(g_pack), 0);
        stored.assign(picture.begin(), picture.end());
    });
    return stored;
}

// The GUI tests drive real widgets; without a display they use Qt's offscreen platform.
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A test that leaves a window waiting for an answer nobody gives would hold the whole run.
// After this long its windows are closed, each named in a failure, and the run goes on.
constexpr int kHangLimitMs = 150'000;

class ModalWatchdog : public ::testing::EmptyTestEventListener {
public:
    ModalWatchdog() {
        m_timer.setSingleShot(true);
        m_timer.setInterval(kHangLimitMs);
        QObject::connect(&m_timer, &QTimer::timeout, [] { CloseModals(); });
    }
    void OnTestStart(const ::testing::TestInfo&) override { m_timer.start(); }
    void OnTestEnd(const ::testing::TestInfo&) override { m_timer.stop(); }

private:
    static void CloseModals() {
        // A closed window's caller may open the next one; a bounded number are closed, and a
        // window that stays up (the editor under a test's own loop) is left to the test.
        QWidget* last = nullptr;
        for (int i = 0; i < 20; ++i) {
            // A menu left open holds its own loop, above any window.
            QWidget* modal = QApplication::activePopupWidget();
            if (modal == nullptr) {
                modal = QApplication::activeModalWidget();
            }
            if (modal == nullptr || modal == last) {
                return;
            }
            last = modal;
            ADD_FAILURE() << "the test hung with \"" << modal->windowTitle().toStdString()
                          << "\" open; it was closed";
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            } else {
                modal->close();
            }
            QApplication::processEvents();
        }
    }

    QTimer m_timer;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // Taken back before the application ends, since its timer belongs to the application.
    auto* watchdog = new ModalWatchdog;
    ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
    listeners.Append(watchdog);
    const int status = RUN_ALL_TESTS();
    delete listeners.Release(watchdog);
    return status;
}

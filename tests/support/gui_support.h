// Driving the real editor window in tests: a scripted file chooser and message box, and a way
// to run test code while a dialog is up.
#pragma once

#include "pack/pack_image.h"
#include "ui/dialog.h"
#include "ui/ui_services.h"

#include <QImage>
#include <QMenu>
#include <QWidget>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct RecordedMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
};

struct RecordedChooser {
    FileChooserMode mode;
    std::string filter;
};

// Answers choosers from a queue (an empty queue cancels) and records every message.
class ScriptedUi final : public UiServices {
public:
    ScriptedUi() : m_previous(SetUiServices(this)) {}
    ~ScriptedUi() override { SetUiServices(m_previous); }

    void Answer(std::optional<std::string> path, int filterIndex = 0) {
        m_answers.push_back(path ? std::optional<FileChoice>(FileChoice{*path, filterIndex})
                                 : std::nullopt);
    }
    // The button the next question is answered with; with none queued, Escape's button.
    void AnswerQuestion(int button) { m_questionAnswers.push_back(button); }
    // Forgets the answers not used yet and what was recorded, so that a table's rows start alike.
    void Reset() {
        m_answers.clear();
        m_questionAnswers.clear();
        messages.clear();
        choosers.clear();
        questions.clear();
    }

    std::optional<FileChoice> ChooseFileAndFilter(CWnd*, FileChooserMode mode,
                                                  const std::string& filter) override;
    void ShowMessage(CWnd*, const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    int Ask(CWnd*, const Question& question) override;

    std::vector<RecordedMessage> messages;
    std::vector<RecordedChooser> choosers;
    std::vector<Question> questions;

private:
    UiServices* m_previous;
    std::deque<std::optional<FileChoice>> m_answers;
    std::deque<int> m_questionAnswers;
};

// Runs body once the dialog is up, then ends the dialog if body left it open; returns the
// dialog's result.
int RunModal(CDialog& dialog, const std::function<void()>& body);

// Makes window the active one and waits until it is, as a user's would be before typing: keys
// sent before that (a loaded machine is slow to activate) may find no default button.
void ActivateForKeys(QWidget* window);

// Runs action, which opens a modal dialog, and calls inspect with that dialog while it is up.
// inspect must close it. Returns false when no modal dialog appeared.
bool WithNextModal(const std::function<void()>& action,
                   const std::function<void(QWidget*)>& inspect);

// Starts a new pack in the editor, selects its first slot and presses Ctrl+I, with the file
// chooser answered by ui with path; inspect runs in Import Image and must close it. Gives the
// first slot's picture bytes afterwards.
std::vector<std::uint8_t> ImportIntoFirstSlot(CDialog& editor, ScriptedUi& ui,
                                              const std::string& path,
                                              const std::function<void(QWidget*)>& inspect);

QWidget* Control(const CDialog& dialog, int id);
template <class T> T* ControlAs(const CDialog& dialog, int id) {
    return qobject_cast<T*>(Control(dialog, id));
}

// Calls inspect with the next popup menu once it is up; inspect must close it or choose from it.
void WithNextPopup(const std::function<void(QMenu*)>& inspect);
// Chooses the entry with text from menu, or closes the menu when there is none.
void ChooseFromMenu(QMenu* menu, const QString& text);
// Presses and releases the right button on row of the dialog's contact list, as a user does,
// then asks for the menu as the window system does after such a click.
void RightClickListRow(const CDialog& dialog, int row);

// Clicks a push button of the dialog through the mouse.
void ClickButton(const CDialog& dialog, int id);
// Scrolls row into view in the dialog's contact list and clicks it.
void ClickListRow(const CDialog& dialog, int row);
// Selects row and gives it the identifier text through the ID box and "Set new ID".
void SetIdOfRow(const CDialog& dialog, int row, const QString& text);
// Shows pack through the dialog's own Open command, the scripted chooser answering with a file
// that holds it. The file lives in a folder of its own, since tests run in parallel processes.
void ShowPackThroughOpen(const CDialog& dialog, ScriptedUi& ui, const PackImage& pack);
// What the dialog shows on screen, at one device pixel per logical pixel.
QImage Grab(const CDialog& dialog);
// Where the preview shows the picture in a grab at the screen's scale, in device pixels: inside
// the frame's two lines and 7 pixels below its top, enlarged by the largest whole number of
// device pixels that fits, centred with the offsets rounded down.
QRect PreviewPictureRect(const CDialog& dialog, qreal ratio);
// Picture pixel (x, y) as the preview shows it, sampled at the middle of its square.
QRgb PreviewPixel(const CDialog& dialog, int x, int y);

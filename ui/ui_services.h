// The one seam through which the program asks the user something or tells them something.
// The desktop implementation shows real dialogs; tests install a scripted one.
#pragma once

#include <optional>
#include <string>
#include <vector>

class CWnd;

enum class FileChooserMode {
    Open,
    // Saves under the name as typed, replacing a file without a question.
    Save,
    // Saves after the chooser's usual question when the name typed is a file that exists.
    SaveAskingToReplace,
    // Chooses a folder that exists.
    Folder,
};

// A chosen path, with the entry of the chooser's filter that was selected (0 for the first).
struct FileChoice {
    std::string path;
    int filterIndex = 0;
};
enum class MessageIcon { None, Warning, Question };

// A question with buttons of its own; the answer is the index of the button chosen.
struct Question {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Question;
    std::vector<std::string> buttons;
    // The button Enter presses, and the one that Escape or closing the box means.
    int defaultButton = 0;
    int escapeButton = 0;
};

class UiServices {
public:
    virtual ~UiServices() = default;
    // A null owner means the active window. filter holds "|"-separated pairs of label and
    // pattern, ended by "||".
    virtual std::optional<FileChoice> ChooseFileAndFilter(CWnd* owner, FileChooserMode mode,
                                                          const std::string& filter) = 0;
    // The path alone, for the commands that offer one kind of file.
    std::optional<std::string> ChooseFile(CWnd* owner, FileChooserMode mode,
                                          const std::string& filter);
    virtual void ShowMessage(CWnd* owner, const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;
    virtual int Ask(CWnd* owner, const Question& question) = 0;
};

// The installed services; with none installed, choosers cancel and messages go nowhere.
UiServices& GetUiServices();
// Installs services (null restores the default) and returns the previous ones.
UiServices* SetUiServices(UiServices* services);

// The caption of warning boxes: the executable's name without its extension.
const std::string& GetAppTitle();
void SetAppTitle(std::string title);

// Every failure the user is told of goes through one of these two, so that all of them look
// alike. Both show one OK button, modal over the active window.
// A warning box with the application title as caption.
void ShowWarning(const std::string& text);
// A message box with the given caption and no icon.
void ShowError(const std::string& text, const std::string& caption);
// Asks over the active window and returns the index of the button chosen.
int AskQuestion(const Question& question);

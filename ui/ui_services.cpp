#include "ui/ui_services.h"

#include <utility>

namespace {

class NullUiServices final : public UiServices {
public:
    std::optional<FileChoice> ChooseFileAndFilter(CWnd*, FileChooserMode,
                                                  const std::string&) override {
        return std::nullopt;
    }
    void ShowMessage(CWnd*, const std::string&, const std::string&, MessageIcon) override {}
    int Ask(CWnd*, const Question& question) override { return question.escapeButton; }
};

NullUiServices g_nullServices;
UiServices* g_services = &g_nullServices;
std::string g_appTitle = "SnapfoldEditor";

} // namespace

std::optional<std::string> UiServices::ChooseFile(CWnd* owner, FileChooserMode mode,
                                                  const std::string& filter) {
    auto choice = ChooseFileAndFilter(owner, mode, filter);
    if (!choice) {
        return std::nullopt;
    }
    return std::move(choice->path);
}

UiServices& GetUiServices() {
    return *g_services;
}

UiServices* SetUiServices(UiServices* services) {
    UiServices* previous = g_services;
    g_services = services != nullptr ? services : &g_nullServices;
    return previous;
}

const std::string& GetAppTitle() {
    return g_appTitle;
}
void SetAppTitle(std::string title) {
    g_appTitle = std::move(title);
}

void ShowWarning(const std::string& text) {
    GetUiServices().ShowMessage(nullptr, text, GetAppTitle(), MessageIcon::Warning);
}

void ShowError(const std::string& text, const std::string& caption) {
    GetUiServices().ShowMessage(nullptr, text, caption, MessageIcon::None);
}

int AskQuestion(const Question& question) {
    return GetUiServices().Ask(nullptr, question);
}

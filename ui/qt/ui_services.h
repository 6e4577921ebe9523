// The desktop's own file choosers and message boxes; included only by the layer's sources.
#pragma once

#include "ui/ui_services.h"

#include <QStringList>

class QFileDialog;

class QtUiServices final : public UiServices {
public:
    std::optional<FileChoice> ChooseFileAndFilter(CWnd* owner, FileChooserMode mode,
                                                  const std::string& filter) override;
    void ShowMessage(CWnd* owner, const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    int Ask(CWnd* owner, const Question& question) override;
};

// The chooser's name filters: each label shown as it stands, with its patterns behind it.
QStringList ToQtNameFilters(const std::string& filter);
// Sets up a chooser the way the editor's commands want it.
void ConfigureFileDialog(QFileDialog& dialog, FileChooserMode mode, const std::string& filter);

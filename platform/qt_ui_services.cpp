#include "platform/qt_ui_services.h"

#include "platform/file_filter.h"
#include "platform/qt_convert.h"
#include "platform/wnd.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {
QWidget* OwnerWidget(CWnd* owner) {
    return owner != nullptr && owner->Widget() != nullptr ? owner->Widget()
                                                          : QApplication::activeModalWidget();
}
} // namespace

QStringList ToQtNameFilters(const std::string& filter) {
    QStringList names;
    for (const FileFilter& f : ParseFileFilter(filter)) {
        // Qt takes the patterns from the last parentheses and, with details hidden, shows only
        // what comes before them: the label exactly as it stands.
        QStringList patterns;
        for (const std::string& pattern : f.patterns) {
            patterns << ToQt(pattern);
        }
        names << ToQt(f.label) + " (" + (patterns.isEmpty() ? "*" : patterns.join(' ')) + ")";
    }
    return names;
}

void ConfigureFileDialog(QFileDialog& dialog, FileChooserMode mode, const std::string& filter) {
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    if (mode == FileChooserMode::Open) {
        // The file need not exist: opening a missing one is reported by the command itself.
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        // No question before replacing a file and no extension added to a typed name.
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        dialog.setDefaultSuffix(QString());
    }
    dialog.setNameFilters(ToQtNameFilters(filter));
}

std::optional<std::string> QtUiServices::ChooseFile(CWnd* owner, FileChooserMode mode,
                                                    const std::string& filter) {
    QFileDialog dialog(OwnerWidget(owner));
    dialog.setWindowModality(Qt::ApplicationModal);
    ConfigureFileDialog(dialog, mode, filter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ToStd(dialog.selectedFiles().first());
}

void QtUiServices::ShowMessage(CWnd* owner, const std::string& text, const std::string& caption,
                               MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    ToQt(caption), ToQt(text), QMessageBox::Ok, OwnerWidget(owner));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

#include "ui/qt/ui_services.h"

#include "ui/file_filter.h"
#include "ui/qt/convert.h"
#include "ui/qt/widget.h"
#include "ui/wnd.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTreeView>

#include <algorithm>

namespace {
QWidget* OwnerWidget(CWnd* owner) {
    return owner != nullptr && WidgetOf(owner) != nullptr ? WidgetOf(owner)
                                                          : QApplication::activeModalWidget();
}

// Room for a phone photo's long name beside its whole size, type and date, in the chooser's
// own font.
constexpr int kChooserColumns = 140;
constexpr int kChooserLines = 30;

// The side list of places as wide as its longest entry, which the default cuts.
void FitPlaces(QFileDialog& dialog) {
    auto* places = dialog.findChild<QAbstractItemView*>("sidebar");
    auto* splitter = dialog.findChild<QSplitter*>("splitter");
    if (places == nullptr || splitter == nullptr || splitter->count() != 2) {
        return;
    }
    const int wanted = std::max(places->sizeHintForColumn(0), 0) + 4 * places->frameWidth() +
                       places->fontMetrics().averageCharWidth() * 2;
    const int total = splitter->width();
    splitter->setSizes({wanted, std::max(total - wanted, wanted)});
}

// Qt's own chooser, used where the desktop offers none, opens at a size that cuts its columns
// ("19....KiB"): it opens larger, within the screen, and its details are always as wide as
// their texts, the name taking the rest.
void FitFileDialog(QFileDialog& dialog) {
    const QFontMetrics metrics(dialog.font());
    QSize size(metrics.averageCharWidth() * kChooserColumns, metrics.lineSpacing() * kChooserLines);
    if (const QScreen* screen = dialog.screen()) {
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    }
    dialog.resize(size.expandedTo(dialog.sizeHint()));
    if (auto* details = dialog.findChild<QTreeView*>("treeView")) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column) {
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        }
    }
    FitPlaces(dialog);
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
    FitFileDialog(dialog);
    if (mode == FileChooserMode::Open) {
        // The file need not exist: opening a missing one is reported by the command itself.
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else if (mode == FileChooserMode::Folder) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, true);
        return;
    } else {
        // No extension added to a typed name; the command decides on one.
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, mode == FileChooserMode::Save);
        dialog.setDefaultSuffix(QString());
    }
    dialog.setNameFilters(ToQtNameFilters(filter));
}

std::optional<FileChoice> QtUiServices::ChooseFileAndFilter(CWnd* owner, FileChooserMode mode,
                                                            const std::string& filter) {
    QFileDialog dialog(OwnerWidget(owner));
    dialog.setWindowModality(Qt::ApplicationModal);
    ConfigureFileDialog(dialog, mode, filter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const int filterIndex =
        static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter()));
    return FileChoice{ToStd(dialog.selectedFiles().first()), std::max(filterIndex, 0)};
}

void QtUiServices::ShowMessage(CWnd* owner, const std::string& text, const std::string& caption,
                               MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    ToQt(caption), ToQt(text), QMessageBox::Ok, OwnerWidget(owner));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

int QtUiServices::Ask(CWnd* owner, const Question& question) {
    QMessageBox box(question.icon == MessageIcon::Question  ? QMessageBox::Question
                    : question.icon == MessageIcon::Warning ? QMessageBox::Warning
                                                            : QMessageBox::NoIcon,
                    ToQt(question.caption), ToQt(question.text), QMessageBox::NoButton,
                    OwnerWidget(owner));
    box.setWindowModality(Qt::ApplicationModal);
    std::vector<QPushButton*> buttons;
    for (const std::string& text : question.buttons) {
        // Every button has the same role, so that Qt keeps them in the order given.
        buttons.push_back(box.addButton(ToQt(text), QMessageBox::ActionRole));
    }
    const auto at = [&](int index) {
        return index >= 0 && index < static_cast<int>(buttons.size())
                   ? buttons[static_cast<std::size_t>(index)]
                   : nullptr;
    };
    box.setDefaultButton(at(question.defaultButton));
    box.setEscapeButton(at(question.escapeButton));
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i]) {
            return static_cast<int>(i);
        }
    }
    return question.escapeButton;
}

#include "ui/menu.h"

#include "ui/qt/convert.h"
#include "ui/qt/dialog_window.h"
#include "ui/qt/menu.h"
#include "ui/qt/widget.h"
#include "ui/wnd.h"

#include <QKeySequence>
#include <QMenu>

QKeySequence KeysOf(const res::Accelerator& accelerator) {
    return QKeySequence::fromString(ToQt(accelerator.keys), QKeySequence::PortableText);
}

namespace {
QKeySequence KeysOfCommand(unsigned command, std::span<const res::Accelerator> accelerators) {
    for (const res::Accelerator& accelerator : accelerators) {
        if (accelerator.command == command) {
            return KeysOf(accelerator);
        }
    }
    return {};
}
} // namespace

unsigned ExecMenu(const CMenu& menu, QWidget* parent, QPoint globalPos,
                  std::span<const res::Accelerator> accelerators) {
    QMenu popup(parent);
    for (const CMenu::Item& item : menu.Items()) {
        if ((item.flags & MF_SEPARATOR) != 0) {
            popup.addSeparator();
            continue;
        }
        QAction* action = popup.addAction(ToQt(item.text));
        action->setData(item.id);
        action->setEnabled((item.flags & MF_GRAYED) == 0);
        // The key is only shown: the dialog's own key handling runs the command, so the action
        // must not take the key for itself.
        action->setShortcut(KeysOfCommand(item.id, accelerators));
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setShortcutVisibleInContextMenu(true);
    }
    QAction* chosen = popup.exec(globalPos);
    return chosen != nullptr ? chosen->data().toUInt() : 0;
}

unsigned CMenu::TrackPopupMenu(CPoint screenPoint, CWnd* owner) const {
    QWidget* parent = owner != nullptr ? WidgetOf(owner) : nullptr;
    std::span<const res::Accelerator> accelerators;
    if (auto* window = dynamic_cast<DialogWindow*>(parent)) {
        accelerators = window->Accelerators();
    }
    return ExecMenu(*this, parent, QPoint(screenPoint.x, screenPoint.y), accelerators);
}

#include "ui/qt/control_events.h"

#include "ui/dialog.h"
#include "ui/qt/controls/image_controls.h"
#include "ui/qt/controls/report_table.h"
#include "ui/qt/controls/slot_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>

namespace {

// Sliders, check boxes, drop-down lists, edit boxes and crop frames all report a new value the
// same way.
bool ConnectChanges(CDialog& dialog, int id, QWidget* widget, DialogWindow* window) {
    const auto changed = [&dialog, id] {
        EventArgs args;
        dialog.Dispatch(DialogEvent::Changed, id, args);
    };
    if (auto* slider = qobject_cast<QSlider*>(widget)) {
        QObject::connect(slider, &QSlider::valueChanged, window, changed);
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        QObject::connect(box, &QCheckBox::toggled, window, changed);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QObject::connect(combo, &QComboBox::currentIndexChanged, window, changed);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        // Only what the user types: the dialog's own SetWindowText is not a change of theirs.
        QObject::connect(edit, &QLineEdit::textEdited, window, changed);
    } else {
        return ConnectCropChanged(widget, changed);
    }
    return true;
}

bool ConnectGrid(CDialog& dialog, int id, QWidget* widget) {
    SlotGridHandlers handlers;
    handlers.selected = [&dialog, id] {
        EventArgs args;
        dialog.Dispatch(DialogEvent::Changed, id, args);
    };
    handlers.activated = [&dialog, id](int cell) {
        EventArgs args;
        args.item = cell;
        dialog.Dispatch(DialogEvent::ItemActivated, id, args);
    };
    handlers.dragged = [&dialog, id](int from, int onto) {
        EventArgs args;
        args.item = from;
        args.target = onto;
        dialog.Dispatch(DialogEvent::ItemDragged, id, args);
    };
    return ConnectSlotGrid(widget, std::move(handlers));
}

// A row that becomes selected, by mouse or keyboard, is reported as a click on it.
void ConnectListClicks(CDialog& dialog, int id, QTableWidget* table, DialogWindow* window) {
    const auto reportClick = [&dialog, id, table] {
        if (!table->selectionModel()->hasSelection()) {
            return;
        }
        NMHDR header{id, 0};
        LRESULT result = 0;
        EventArgs args;
        args.header = &header;
        args.result = &result;
        dialog.Dispatch(DialogEvent::ListClick, id, args);
    };
    QObject::connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, window,
                     reportClick);
    SetRowDragHandler(table, [&dialog, id](int from, int onto) {
        EventArgs args;
        args.item = from;
        args.target = onto;
        dialog.Dispatch(DialogEvent::ItemDragged, id, args);
    });
    SetRowsShownHandler(table, [&dialog, id](int first, int last) {
        EventArgs args;
        args.item = first;
        args.target = last;
        dialog.Dispatch(DialogEvent::ItemsShown, id, args);
    });
    // A double-click chooses the row. Enter is left to the dialog's default button, which acts
    // on the selected row, so that one key press never chooses twice.
    QObject::connect(table, &QAbstractItemView::doubleClicked, window,
                     [&dialog, id](const QModelIndex& index) {
                         EventArgs args;
                         args.item = index.row();
                         dialog.Dispatch(DialogEvent::ItemActivated, id, args);
                     });
    // A left click on the row already selected changes no selection, yet is a click.
    QObject::connect(table, &QAbstractItemView::clicked, window,
                     [table, reportClick](const QModelIndex& index) {
                         if (table->selectionModel()->isRowSelected(index.row())) {
                             reportClick();
                         }
                     });
}

} // namespace

void ConnectControlEvents(CDialog& dialog, int id, QWidget* widget, DialogWindow* window) {
    if (ConnectChanges(dialog, id, widget, window) || ConnectGrid(dialog, id, widget)) {
        return;
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QObject::connect(button, &QPushButton::clicked, window, [&dialog, id] {
            EventArgs args;
            if (dialog.Dispatch(DialogEvent::Clicked, id, args)) {
                return;
            }
            if (id == IDOK) {
                dialog.OnOK();
            } else if (id == IDCANCEL) {
                dialog.OnCancel();
            }
        });
    } else if (auto* table = qobject_cast<QTableWidget*>(widget)) {
        ConnectListClicks(dialog, id, table, window);
    }
}

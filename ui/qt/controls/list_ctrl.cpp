#include "ui/list_ctrl.h"

#include "ui/qt/controls/image_list.h"
#include "ui/qt/convert.h"
#include "ui/qt/widget.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidget>

namespace {

// Each row holds its image index so that a replaced image can find the rows that show it.
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kDataRole = Qt::UserRole + 2;
// Room around the thumbnail so the item frame does not clip it.
constexpr int kRowMargin = 4;

// Null before the list is created, and for a control of another kind bound by mistake; every
// method then does nothing.
QTableWidget* Table(const CWnd& wnd) {
    return qobject_cast<QTableWidget*>(WidgetOf(wnd));
}

QTableWidgetItem* ItemAt(const CWnd& wnd, int row) {
    QTableWidget* table = Table(wnd);
    if (table == nullptr || row < 0 || row >= table->rowCount() || table->columnCount() == 0) {
        return nullptr;
    }
    return table->item(row, 0);
}

} // namespace

CListCtrl::~CListCtrl() {
    if (m_imageList != nullptr) {
        m_imageList->SetChangeObserver(nullptr);
    }
}

void CListCtrl::SetImageList(CImageList* imageList, int) {
    if (m_imageList != nullptr && m_imageList != imageList) {
        m_imageList->SetChangeObserver(nullptr);
    }
    m_imageList = imageList;
    if (imageList == nullptr) {
        return;
    }
    QTableWidget* table = Table(*this);
    if (table == nullptr) {
        return;
    }
    table->setIconSize(QSize(imageList->GetImageWidth(), imageList->GetImageHeight()));
    table->verticalHeader()->setDefaultSectionSize(imageList->GetImageHeight() + kRowMargin);
    imageList->SetChangeObserver([this](int index) {
        for (int row = 0; row < GetItemCount(); ++row) {
            const QTableWidgetItem* item = ItemAt(*this, row);
            if (item != nullptr && item->data(kImageRole).toInt() == index) {
                ShowImage(row);
            }
        }
    });
}

int CListCtrl::InsertColumn(int column, const std::string& heading, int format, int width) {
    QTableWidget* table = Table(*this);
    if (table == nullptr) {
        return -1;
    }
    column = std::clamp(column, 0, table->columnCount());
    table->insertColumn(column);
    auto* header = new QTableWidgetItem(ToQt(heading));
    header->setTextAlignment(format == LVCFMT_CENTER ? Qt::AlignCenter
                                                     : Qt::AlignLeft | Qt::AlignVCenter);
    table->setHorizontalHeaderItem(column, header);
    table->setColumnWidth(column, width);
    table->horizontalHeader()->setVisible(true);
    return column;
}

bool CListCtrl::DeleteColumn(int column) {
    QTableWidget* table = Table(*this);
    if (table == nullptr || column < 0 || column >= table->columnCount()) {
        return false;
    }
    const QSignalBlocker blocker(table->selectionModel());
    table->removeColumn(column);
    // A list without columns shows no header at all, not an empty one.
    table->horizontalHeader()->setVisible(table->columnCount() > 0);
    return true;
}

int CListCtrl::InsertItem(int row, const std::string& text, int image) {
    QTableWidget* table = Table(*this);
    if (table == nullptr || table->columnCount() == 0) {
        return -1;
    }
    row = std::clamp(row, 0, table->rowCount());
    const QSignalBlocker blocker(table->selectionModel());
    table->insertRow(row);
    auto* item = new QTableWidgetItem(ToQt(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setData(kImageRole, image);
    item->setData(kDataRole, QVariant::fromValue<qintptr>(0));
    table->setItem(row, 0, item);
    ShowImage(row);
    return row;
}

bool CListCtrl::SetItemText(int row, int column, const std::string& text) {
    QTableWidgetItem* item = column == 0 ? ItemAt(*this, row) : nullptr;
    if (item == nullptr) {
        return false;
    }
    item->setText(ToQt(text));
    return true;
}

bool CListCtrl::SetItemImage(int row, int image) {
    QTableWidgetItem* item = ItemAt(*this, row);
    if (item == nullptr) {
        return false;
    }
    item->setData(kImageRole, image);
    ShowImage(row);
    return true;
}

bool CListCtrl::SetItemData(int row, std::intptr_t data) {
    QTableWidgetItem* item = ItemAt(*this, row);
    if (item == nullptr) {
        return false;
    }
    item->setData(kDataRole, QVariant::fromValue<qintptr>(data));
    return true;
}

std::intptr_t CListCtrl::GetItemData(int row) const {
    QTableWidgetItem* item = ItemAt(*this, row);
    return item != nullptr ? item->data(kDataRole).value<qintptr>() : 0;
}

bool CListCtrl::SetItemDescription(int row, const std::string& text) {
    QTableWidgetItem* item = ItemAt(*this, row);
    if (item == nullptr) {
        return false;
    }
    item->setData(Qt::AccessibleDescriptionRole, ToQt(text));
    return true;
}

int CListCtrl::GetItemCount() const {
    const QTableWidget* table = Table(*this);
    return table != nullptr ? table->rowCount() : 0;
}

bool CListCtrl::DeleteAllItems() {
    QTableWidget* table = Table(*this);
    if (table == nullptr) {
        return false;
    }
    const QSignalBlocker blocker(table->selectionModel());
    table->setRowCount(0);
    return true;
}

bool CListCtrl::RedrawItems(int first, int last) {
    QTableWidget* table = Table(*this);
    if (table == nullptr) {
        return false;
    }
    for (int row = std::max(first, 0); row <= last && row < table->rowCount(); ++row) {
        table->viewport()->update(table->visualRect(table->model()->index(row, 0)));
    }
    return true;
}

int CListCtrl::GetSelectedRow() const {
    const QTableWidget* table = Table(*this);
    if (table == nullptr) {
        return -1;
    }
    const QModelIndexList rows = table->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CListCtrl::ShowImage(int row) {
    QTableWidgetItem* item = ItemAt(*this, row);
    if (item == nullptr || m_imageList == nullptr) {
        return;
    }
    const auto& icons = ImagesOf(*m_imageList).icons;
    const int index = item->data(kImageRole).toInt();
    item->setIcon(index >= 0 && index < static_cast<int>(icons.size())
                      ? icons[static_cast<std::size_t>(index)]
                      : QIcon());
}

std::string CListCtrl::GetItemText(int row, int column) const {
    QTableWidgetItem* item = column == 0 ? ItemAt(*this, row) : nullptr;
    return item != nullptr ? ToStd(item->text()) : std::string();
}

bool CListCtrl::SetItemEnabled(int row, bool enabled) {
    QTableWidgetItem* item = ItemAt(*this, row);
    if (item == nullptr) {
        return false;
    }
    item->setFlags(enabled ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags);
    return true;
}

bool CListCtrl::SetItemBold(int row, bool bold) {
    QTableWidgetItem* item = ItemAt(*this, row);
    if (item == nullptr) {
        return false;
    }
    if (bold) {
        QFont font = item->tableWidget()->font();
        font.setBold(true);
        item->setFont(font);
    } else {
        // Without a font of its own the row follows the list's.
        item->setData(Qt::FontRole, QVariant());
    }
    return true;
}

void CListCtrl::SelectRow(int row) {
    QTableWidgetItem* item = ItemAt(*this, row);
    if (item == nullptr) {
        return;
    }
    QTableWidget* table = Table(*this);
    {
        const QSignalBlocker blocker(table->selectionModel());
        table->selectionModel()->setCurrentIndex(table->model()->index(row, 0),
                                                 QItemSelectionModel::ClearAndSelect |
                                                     QItemSelectionModel::Rows);
    }
    table->scrollToItem(item);
    table->viewport()->update();
}

int CListCtrl::HitTest(CPoint point) const {
    QTableWidget* table = Table(*this);
    if (table == nullptr) {
        return -1;
    }
    const QModelIndex index =
        table->indexAt(table->viewport()->mapFrom(table, QPoint(point.x, point.y)));
    return index.isValid() ? index.row() : -1;
}

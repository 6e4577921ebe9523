#include "ui/edit.h"
#include "ui/qt/widget.h"

#include <QLineEdit>

void CEdit::SetSel(int start, int end) {
    if (auto* edit = qobject_cast<QLineEdit*>(WidgetOf(*this))) {
        const int last = end < 0 ? static_cast<int>(edit->text().size()) : end;
        edit->setSelection(start, last - start);
    }
}

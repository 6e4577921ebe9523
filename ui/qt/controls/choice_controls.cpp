// The slider, the check box and the drop-down list: thin faces over Qt's own widgets.
#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/qt/convert.h"
#include "ui/qt/widget.h"
#include "ui/slider.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSlider>

namespace {
template <class W> W* As(const CWnd& wnd) {
    return qobject_cast<W*>(WidgetOf(wnd));
}
} // namespace

void CSliderCtrl::SetRange(int minimum, int maximum) {
    if (auto* slider = As<QSlider>(*this)) {
        slider->setRange(minimum, maximum);
    }
}

void CSliderCtrl::SetPos(int position) {
    if (auto* slider = As<QSlider>(*this)) {
        slider->setValue(position);
    }
}

int CSliderCtrl::GetPos() const {
    auto* slider = As<QSlider>(*this);
    return slider != nullptr ? slider->value() : 0;
}

void CButton::SetCheck(int check) {
    if (auto* box = As<QCheckBox>(*this)) {
        box->setChecked(check == BST_CHECKED);
    }
}

int CButton::GetCheck() const {
    auto* box = As<QCheckBox>(*this);
    return box != nullptr && box->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

int CComboBox::AddString(const std::string& text) {
    auto* combo = As<QComboBox>(*this);
    if (combo == nullptr) {
        return CB_ERR;
    }
    combo->addItem(ToQt(text));
    return combo->count() - 1;
}

int CComboBox::GetCount() const {
    auto* combo = As<QComboBox>(*this);
    return combo != nullptr ? combo->count() : 0;
}

int CComboBox::GetCurSel() const {
    auto* combo = As<QComboBox>(*this);
    return combo != nullptr && combo->currentIndex() >= 0 ? combo->currentIndex() : CB_ERR;
}

int CComboBox::SetCurSel(int index) {
    auto* combo = As<QComboBox>(*this);
    if (combo == nullptr || index < 0 || index >= combo->count()) {
        return CB_ERR;
    }
    combo->setCurrentIndex(index);
    return index;
}

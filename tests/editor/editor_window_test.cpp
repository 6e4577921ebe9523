#include "editor/editor_dlg.h"
#include "pack/pack_image.h"
#include "res/resource.h"
#include "tests/support/gui_support.h"
#include "ui/dialog_units.h"
#include "ui/qt/widget.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const char* KindName(const QWidget* w) {
    if (qobject_cast<const QPushButton*>(w)) {
        return "button";
    }
    if (qobject_cast<const QGroupBox*>(w)) {
        return "group";
    }
    if (qobject_cast<const QTableWidget*>(w)) {
        return "list";
    }
    if (qobject_cast<const QLineEdit*>(w)) {
        return "edit";
    }
    if (qobject_cast<const QLabel*>(w)) {
        return "label";
    }
    return "other";
}

// The base units measured independently of the layer, from the font the window shows.
BaseUnits MeasuredUnits(const QWidget* window) {
    const QFontMetrics metrics(window->font());
    const int alphabet =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {(alphabet / 26 + 1) / 2, metrics.height()};
}

// The direct child widgets of a dialog in the order the template lists them.
std::vector<QWidget*> TemplateOrderWidgets(const QWidget* window) {
    std::vector<QWidget*> widgets;
    for (QObject* child : window->children()) {
        if (auto* w = qobject_cast<QWidget*>(child); w != nullptr && !w->isWindow()) {
            widgets.push_back(w);
        }
    }
    return widgets;
}

struct ExpectedControl {
    int id;
    const char* kind;
    const char* caption;
    int x, y, cx, cy;
};

const ExpectedControl kEditorControls[] = {
    {IDC_OPEN_PACK, "button", "Open Snapfold", 131, 7, 57, 18},
    {IDC_STATIC, "group", "", 15, 26, 285, 9},
    {IDC_CONTACT_LIST, "list", "", 16, 45, 72, 120},
    {IDC_ID_EDIT, "edit", "", 247, 50, 39, 14},
    {IDC_SET_ID, "button", "Set new ID", 246, 65, 42, 11},
    {IDC_SET_PICTURE, "button", "Set new Picture", 233, 96, 70, 17},
    {IDC_PREVIEW, "group", "", 101, 45, 123, 119},
    {IDC_SAVE_PACK, "button", "Save Snapfold", 195, 7, 57, 18},
    {IDC_REMOVE_CONTACT, "button", "Remove Contact", 233, 145, 70, 17},
    {IDC_NEW_PACK, "button", "New Snapfold", 67, 7, 57, 18},
    {IDC_STATIC, "label", "#", 237, 52, 8, 8},
    {IDC_STATIC, "label", "Wrenbottle", 147, 178, 39, 8},
};

QString TextOf(QWidget* w) {
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        return b->text();
    }
    if (auto* g = qobject_cast<QGroupBox*>(w)) {
        return g->title();
    }
    if (auto* l = qobject_cast<QLabel*>(w)) {
        return l->text();
    }
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        return e->text();
    }
    return {};
}

struct UnitCase {
    int alphabetWidth, fontHeight;
    BaseUnits units;
    int x, y;
    int pixelsX, pixelsY;
};

TEST(DialogUnits, ConvertAsComputedByHand) {
    const UnitCase cases[] = {
        // (338 / 26 + 1) / 2 = 7 across, 13 down: 131 * 7 / 4 = 229.25, 7 * 13 / 8 = 11.375.
        {338, 13, {7, 13}, 131, 7, 229, 11},
        // 57 * 7 / 4 = 99.75 rounds up; 193 * 13 / 8 = 313.625.
        {338, 13, {7, 13}, 57, 193, 100, 314},
        // (160 / 26 + 1) / 2 = 3; halves round away from zero: 2 * 3 / 4 = 1.5, 4 * 12 / 8 = 6.
        {160, 12, {3, 12}, 2, 4, 2, 6},
        {160, 12, {3, 12}, -2, -1, -2, -2},
        // (181 / 26 + 1) / 2 = (6 + 1) / 2 = 3 in integers; 320 * 3 / 4 = 240.
        {181, 16, {3, 16}, 320, 8, 240, 16},
    };
    for (const UnitCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.alphabetWidth) + " " + std::to_string(c.x));
        const BaseUnits units = BaseUnitsFromMetrics(c.alphabetWidth, c.fontHeight);
        EXPECT_EQ(units.x, c.units.x);
        EXPECT_EQ(units.y, c.units.y);
        EXPECT_EQ(DialogUnitsToPixelsX(c.x, units), c.pixelsX);
        EXPECT_EQ(DialogUnitsToPixelsY(c.y, units), c.pixelsY);
    }
    // A rectangle keeps its converted size wherever it starts.
    EXPECT_EQ(MapDialogRect(131, 7, 57, 18, {7, 13}), (CRect{229, 11, 329, 40}));
}

class EditorWindow : public ::testing::Test {
protected:
    void SetUp() override { ClearPackImage(g_pack); }
    ScriptedUi ui;
    CEditorDlg dlg;
};

TEST_F(EditorWindow, HasEveryControlWithItsCaptionPlaceAndKind) {
    RunModal(dlg, [&] {
        QWidget* window = WidgetOf(dlg);
        EXPECT_EQ(window->windowTitle(), "Snapfold - Editor       by Wrenbottle");
        const BaseUnits units = MeasuredUnits(window);
        ASSERT_GT(units.x, 0);
        EXPECT_EQ(dlg.GetBaseUnits().x, units.x);
        EXPECT_EQ(dlg.GetBaseUnits().y, units.y);
        EXPECT_EQ(window->size(),
                  QSize(DialogUnitsToPixelsX(320, units), DialogUnitsToPixelsY(193, units)));
        EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "must not be resizable";

        const auto widgets = TemplateOrderWidgets(window);
        ASSERT_EQ(widgets.size(), std::size(kEditorControls));
        for (std::size_t i = 0; i < widgets.size(); ++i) {
            const ExpectedControl& c = kEditorControls[i];
            SCOPED_TRACE(std::string("control ") + std::to_string(i) + " " + c.caption);
            QWidget* w = widgets[i];
            EXPECT_STREQ(KindName(w), c.kind);
            EXPECT_EQ(w->property("controlId").toInt(), c.id);
            EXPECT_EQ(TextOf(w), QString(c.caption));
            const CRect r = MapDialogRect(c.x, c.y, c.cx, c.cy, units);
            EXPECT_EQ(w->geometry(), QRect(r.left, r.top, r.Width(), r.Height()));
        }
        // What assistive technology calls the controls whose captions say nothing.
        for (const auto& [id, name] : {std::pair{IDC_CONTACT_LIST, "Contacts"},
                                       {IDC_ID_EDIT, "Contact ID"},
                                       {IDC_PREVIEW, "Preview"}}) {
            EXPECT_EQ(Control(dlg, id)->accessibleName(), name);
        }
        const auto labels = window->findChildren<QLabel*>();
        const auto hash = std::find_if(labels.begin(), labels.end(),
                                       [](const QLabel* l) { return l->text() == "#"; });
        ASSERT_NE(hash, labels.end());
        EXPECT_EQ((*hash)->buddy(), Control(dlg, IDC_ID_EDIT));
    });
}

// With rows in the list, Tab and Shift+Tab still leave it for the next and previous control.
TEST_F(EditorWindow, TabOrderFollowsTheTemplateAndNoButtonIsDefault) {
    RunModal(dlg, [&] {
        const int tabStops[] = {IDC_OPEN_PACK,      IDC_CONTACT_LIST, IDC_ID_EDIT,
                                IDC_SET_ID,         IDC_SET_PICTURE,  IDC_SAVE_PACK,
                                IDC_REMOVE_CONTACT, IDC_NEW_PACK};
        EXPECT_EQ(QApplication::focusWidget(), Control(dlg, tabStops[0]));
        ClickButton(dlg, IDC_NEW_PACK);
        Control(dlg, IDC_CONTACT_LIST)->setFocus();
        QTest::keyClick(Control(dlg, IDC_CONTACT_LIST), Qt::Key_Down);
        QTest::keyClick(Control(dlg, IDC_CONTACT_LIST), Qt::Key_Tab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), Control(dlg, IDC_OPEN_PACK));
        for (std::size_t i = 0; i + 1 < std::size(tabStops); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), Control(dlg, tabStops[i + 1]))
                << "after " << tabStops[i];
        }
        for (QPushButton* b : WidgetOf(dlg)->findChildren<QPushButton*>()) {
            EXPECT_FALSE(b->isDefault()) << b->text().toStdString();
            EXPECT_FALSE(b->autoDefault()) << b->text().toStdString();
        }
    });
}

TEST_F(EditorWindow, StartsWithAnEmptyListWithoutColumnOrHeader) {
    RunModal(dlg, [&] {
        auto* list = ControlAs<QTableWidget>(dlg, IDC_CONTACT_LIST);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->columnCount(), 0);
        EXPECT_EQ(list->rowCount(), 0);
        EXPECT_FALSE(list->horizontalHeader()->isVisible());
        EXPECT_FALSE(list->verticalHeader()->isVisible());
        EXPECT_EQ(dlg.GetSelectedSlot(), -1);
    });
}

struct KeyCase {
    const char* name;
    int focusId;
    Qt::Key key;
};

TEST_F(EditorWindow, EnterAndEscapeNeverEndTheEditor) {
    const KeyCase cases[] = {
        {"EnterInIdBox", IDC_ID_EDIT, Qt::Key_Return},
        {"KeypadEnterInIdBox", IDC_ID_EDIT, Qt::Key_Enter},
        {"EnterOnList", IDC_CONTACT_LIST, Qt::Key_Return},
        {"EscapeInIdBox", IDC_ID_EDIT, Qt::Key_Escape},
        {"EscapeOnList", IDC_CONTACT_LIST, Qt::Key_Escape},
        {"EscapeOnButton", IDC_SAVE_PACK, Qt::Key_Escape},
    };
    RunModal(dlg, [&] {
        for (const KeyCase& c : cases) {
            SCOPED_TRACE(c.name);
            QWidget* target = Control(dlg, c.focusId);
            target->setFocus();
            QTest::keyClick(target, c.key);
            QApplication::processEvents();
            EXPECT_TRUE(WidgetOf(dlg)->isVisible());
        }
        EXPECT_TRUE(ui.choosers.empty());
        EXPECT_TRUE(ui.messages.empty());
    });
}

TEST_F(EditorWindow, EnterOnAFocusedButtonPressesIt) {
    RunModal(dlg, [&] {
        QWidget* save = Control(dlg, IDC_SAVE_PACK);
        save->setFocus();
        QTest::keyClick(save, Qt::Key_Return); // The scripted chooser cancels.
        QTest::keyClick(save, Qt::Key_Enter, Qt::KeypadModifier);
        ASSERT_EQ(ui.choosers.size(), 2u);
        EXPECT_EQ(ui.choosers[0].mode, FileChooserMode::Save);
        EXPECT_TRUE(WidgetOf(dlg)->isVisible());
    });
}

// Reads the entries of the window menu once it is up, then chooses the one at chooseIndex
// (or none with -1). The menu may take a few events to appear, so this polls for it.
QStringList* InspectNextMenu(int chooseIndex) {
    auto* texts = new QStringList;
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [texts, poll, chooseIndex] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        for (QAction* a : menu->actions()) {
            *texts << (a->isSeparator() ? QString("-") : a->text());
        }
        if (chooseIndex >= 0) {
            menu->setActiveAction(menu->actions().at(chooseIndex));
            QTest::keyClick(menu, Qt::Key_Return);
        } else {
            menu->close();
        }
    });
    poll->start();
    // A menu that never appears must not leave the poll running into the next test.
    QTimer::singleShot(2000, poll, [poll] { poll->deleteLater(); });
    return texts;
}

constexpr int kAboutItem = 4;

// Opens the window menu over the dialog's background and returns its entries.
QStringList OpenWindowMenu(CEditorDlg& dlg, int chooseIndex) {
    std::unique_ptr<QStringList> texts(InspectNextMenu(chooseIndex));
    QWidget* window = WidgetOf(dlg);
    const QPoint background(window->width() - 5, window->height() - 5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, background, window->mapToGlobal(background));
    QApplication::sendEvent(window, &event);
    return *texts;
}

TEST_F(EditorWindow, TheKeyboardOpensTheWindowMenuFromAButtonAndTheListsMenuFromTheList) {
    RunModal(dlg, [&] {
        ClickButton(dlg, IDC_NEW_PACK);
        const std::pair<int, QString> cases[] = {{IDC_SAVE_PACK, "&Close"},
                                                 {IDC_CONTACT_LIST, "Import Image..."}};
        for (const auto& [id, first] : cases) {
            SCOPED_TRACE(id);
            Control(dlg, id)->setFocus();
            std::unique_ptr<QStringList> texts(InspectNextMenu(-1));
            QTest::keyClick(Control(dlg, id), Qt::Key_F10, Qt::ShiftModifier);
            ASSERT_FALSE(texts->isEmpty());
            EXPECT_EQ(texts->first(), first);
        }
        // The Menu key reaches the focused list as a request for its menu.
        QWidget* list = Control(dlg, IDC_CONTACT_LIST);
        list->setFocus();
        std::unique_ptr<QStringList> texts(InspectNextMenu(-1));
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(1, 1),
                                  list->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(list, &menuKey);
        ASSERT_FALSE(texts->isEmpty());
        EXPECT_EQ(texts->first(), "Import Image...");
    });
}

TEST_F(EditorWindow, WindowMenuEndsWithTheAboutCommandWhichOpensTheAboutBox) {
    RunModal(dlg, [&] {
        const QStringList entries = OpenWindowMenu(dlg, -1);
        ASSERT_EQ(entries, (QStringList{"&Close", "Export All Pictures...", "Show All Slots...",
                                        "-", "&About SnapfoldEditor..."}));

        QStringList aboutTexts;
        bool wasModal = false;
        const bool shown = WithNextModal([&] { OpenWindowMenu(dlg, kAboutItem); },
                                         [&](QWidget* about) {
                                             wasModal = about->isModal();
                                             aboutTexts << about->windowTitle();
                                             for (auto* l : about->findChildren<QLabel*>()) {
                                                 aboutTexts << l->text();
                                             }
                                             QTest::keyClick(about, Qt::Key_Return);
                                         });
        ASSERT_TRUE(shown);
        EXPECT_TRUE(wasModal);
        EXPECT_TRUE(aboutTexts.contains("About SnapfoldEditor"));
        EXPECT_TRUE(aboutTexts.contains("SnapfoldEditor Version 1.0"));
        EXPECT_TRUE(WidgetOf(dlg)->isVisible());
    });
}

TEST_F(EditorWindow, AboutBoxClosesWithEnterAndWithEscape) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        RunModal(dlg, [&] {
            bool closed = false;
            WithNextModal([&] { OpenWindowMenu(dlg, kAboutItem); },
                          [&](QWidget* about) {
                              QTest::keyClick(about, key);
                              closed = !about->isVisible();
                              if (!closed) {
                                  about->close();
                              }
                          });
            EXPECT_TRUE(closed) << "key " << key;
        });
    }
}

TEST_F(EditorWindow, TheWindowMenusCloseAndTheCloseBoxEndTheDialog) {
    EXPECT_EQ(RunModal(dlg, [&] { OpenWindowMenu(dlg, 0); }), IDCANCEL);
    bool stillOpen = true;
    RunModal(dlg, [&] {
        WidgetOf(dlg)->close();
        stillOpen = WidgetOf(dlg) != nullptr && WidgetOf(dlg)->isVisible();
    });
    EXPECT_FALSE(stillOpen);
}

} // namespace

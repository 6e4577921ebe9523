// How the editor looks on the user's desktop: readable text with a light or a dark palette,
// and pictures enlarged by whole pixels at any screen scale. CTest also runs these tests with
// QT_SCALE_FACTOR=2.
#include "editor/about_dlg.h"
#include "editor/editor_dlg.h"
#include "pack/pack_image.h"
#include "res/resource.h"
#include "tests/support/gui_support.h"
#include "tests/support/test_files.h"
#include "ui/qt/widget.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <vector>

namespace {

// Relative luminance as used for contrast ratios of text on screen.
double Luminance(QRgb colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
           0.0722 * linear(qBlue(colour));
}

double Contrast(QRgb a, QRgb b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour most pixels of the region have: the background the text is drawn on.
QRgb Background(const QImage& region) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < region.height(); ++y) {
        for (int x = 0; x < region.width(); ++x) {
            ++counts[region.pixel(x, y) | 0xFF000000];
        }
    }
    return std::max_element(counts.begin(), counts.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

// How well the strongest stroke in the region stands out from its background. Normal text
// needs 4.5:1 to be read comfortably; black text on a dark grey stays below 2.
double TextContrast(const QImage& region) {
    const QRgb background = Background(region);
    double best = 1.0;
    for (int y = 0; y < region.height(); ++y) {
        for (int x = 0; x < region.width(); ++x) {
            best = std::max(best, Contrast(region.pixel(x, y), background));
        }
    }
    return best;
}

constexpr double kReadable = 4.5;

// The device pixels of a grab that lie wholly inside a rectangle in window coordinates; at a
// fractional scale the pixel shared with a neighbouring frame is left out.
QRect DevicePixels(const QRect& logical, qreal ratio) {
    const int left = static_cast<int>(std::ceil(logical.left() * ratio));
    const int top = static_cast<int>(std::ceil(logical.top() * ratio));
    const int right = static_cast<int>(std::floor((logical.right() + 1) * ratio));
    const int bottom = static_cast<int>(std::floor((logical.bottom() + 1) * ratio));
    return {left, top, right - left, bottom - top};
}

QRect InWindow(const QWidget* widget, const QRect& rect, const QWidget* window) {
    return QRect(widget->mapTo(window, rect.topLeft()), rect.size());
}

QPalette DarkPalette() {
    // Qt derives light text and the frame shades from a dark window colour.
    QPalette palette(QColor(60, 63, 65), QColor(43, 43, 43));
    palette.setColor(QPalette::Base, QColor(30, 30, 30));
    palette.setColor(QPalette::AlternateBase, QColor(38, 38, 38));
    palette.setColor(QPalette::Text, QColor(220, 220, 220));
    palette.setColor(QPalette::WindowText, QColor(220, 220, 220));
    palette.setColor(QPalette::ButtonText, QColor(220, 220, 220));
    palette.setColor(QPalette::Highlight, QColor(38, 79, 120));
    palette.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    return palette;
}

struct PaletteCase {
    const char* name;
    QPalette palette;
};

std::vector<PaletteCase> Palettes() {
    return {{"light", QApplication::style()->standardPalette()}, {"dark", DarkPalette()}};
}

// The whole application takes the palette, as it does when the desktop's colours change.
class ScopedAppPalette {
public:
    explicit ScopedAppPalette(const QPalette& palette) : m_saved(QApplication::palette()) {
        QApplication::setPalette(palette);
    }
    ~ScopedAppPalette() { QApplication::setPalette(m_saved); }
    ScopedAppPalette(const ScopedAppPalette&) = delete;
    ScopedAppPalette& operator=(const ScopedAppPalette&) = delete;

private:
    QPalette m_saved;
};

// Rows alternate between black-white and white-black pixels: any smoothing turns them grey.
void FillCheckerboard(PackImage& pack, int slot) {
    auto picture = GetPicture(pack, slot);
    constexpr std::size_t kRowBytes = PICTURE_WIDTH / 4;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        picture[i] = (i / kRowBytes) % 2 == 0 ? 0x33 : 0xCC;
    }
}

// Where a row's thumbnail and its text are drawn, in list viewport coordinates.
// A row shows its thumbnail two pixels in from the left and its text two pixels after that.
constexpr int kRowMargin = 2;
QRect ThumbnailPart(const QTableWidget* list, int row) {
    const QRect cell = list->visualItemRect(list->item(row, 0));
    return {cell.left(), cell.top(), list->iconSize().width() + kRowMargin, cell.height()};
}
QRect TextPart(const QTableWidget* list, int row) {
    const QRect cell = list->visualItemRect(list->item(row, 0));
    return cell.adjusted(list->iconSize().width() + 2 * kRowMargin, 0, 0, 0);
}

constexpr int kOccupiedRow = 0;
constexpr int kEmptyRow = 1;

class Appearance : public ::testing::Test {
protected:
    void SetUp() override { ClearPackImage(g_pack); }
    ScriptedUi ui;
};

TEST_F(Appearance, EditorTextIsReadableAndBackgroundsFollowThePalette) {
    for (const PaletteCase& c : Palettes()) {
        SCOPED_TRACE(c.name);
        ScopedAppPalette palette(c.palette);
        CEditorDlg dlg;
        RunModal(dlg, [&] {
            PackImage pack{};
            SetContactId(pack, kOccupiedRow, 1234);
            FillCheckerboard(pack, kOccupiedRow);
            ShowPackThroughOpen(dlg, ui, pack);
            ControlAs<QLineEdit>(dlg, IDC_ID_EDIT)->setText("1234");
            QWidget* window = WidgetOf(dlg);
            const qreal ratio = window->devicePixelRatioF();
            const QImage shot = Grab(dlg);

            // The margin left of the first control shows nothing but the window's colour.
            EXPECT_EQ(Background(shot.copy(DevicePixels(QRect(0, 0, 8, 40), ratio))),
                      c.palette.color(QPalette::Window).rgb());

            struct Text {
                const char* what;
                QRect area;
            };
            std::vector<Text> texts;
            // A button's or a box's frame contrasts by design; only the inside counts.
            for (int id : {IDC_NEW_PACK, IDC_OPEN_PACK, IDC_SAVE_PACK, IDC_SET_ID, IDC_SET_PICTURE,
                           IDC_REMOVE_CONTACT}) {
                QWidget* button = Control(dlg, id);
                texts.push_back({"button", button->geometry().adjusted(4, 3, -4, -3)});
            }
            texts.push_back(
                {"id box", Control(dlg, IDC_ID_EDIT)->geometry().adjusted(3, 3, -3, -3)});
            for (QLabel* label : window->findChildren<QLabel*>()) {
                texts.push_back({"label", label->geometry()});
            }
            auto* list = ControlAs<QTableWidget>(dlg, IDC_CONTACT_LIST);
            QHeaderView* header = list->horizontalHeader();
            texts.push_back(
                {"list heading",
                 InWindow(
                     header->viewport(),
                     QRect(0, 0, header->sectionSize(0), header->height()).adjusted(3, 2, -3, -2),
                     window)});
            for (int row : {kOccupiedRow, kEmptyRow}) {
                texts.push_back(
                    {"list row", InWindow(list->viewport(), TextPart(list, row), window)});
            }
            for (const Text& t : texts) {
                EXPECT_GE(TextContrast(shot.copy(DevicePixels(t.area, ratio))), kReadable)
                    << t.what << " at " << t.area.x() << "," << t.area.y();
            }

            // The placeholder is a picture on white; it must not take the list's colours.
            const QImage placeholder = shot.copy(DevicePixels(
                InWindow(list->viewport(), ThumbnailPart(list, kEmptyRow), window), ratio));
            EXPECT_EQ(Background(placeholder), qRgb(255, 255, 255));
            EXPECT_GE(TextContrast(placeholder), kReadable);
        });
    }
}

TEST_F(Appearance, AboutBoxTextIsReadable) {
    for (const PaletteCase& c : Palettes()) {
        SCOPED_TRACE(c.name);
        ScopedAppPalette palette(c.palette);
        CAboutDlg about;
        RunModal(about, [&] {
            QWidget* window = WidgetOf(about);
            const qreal ratio = window->devicePixelRatioF();
            const QImage shot = Grab(about);
            int labels = 0;
            for (QLabel* label : window->findChildren<QLabel*>()) {
                if (label->pixmap().isNull()) {
                    ++labels;
                    EXPECT_GE(TextContrast(shot.copy(DevicePixels(label->geometry(), ratio))),
                              kReadable)
                        << label->text().toStdString();
                }
            }
            EXPECT_EQ(labels, 2);
            const QRect ok = window->findChild<QPushButton*>()->geometry().adjusted(4, 3, -4, -3);
            EXPECT_GE(TextContrast(shot.copy(DevicePixels(ok, ratio))), kReadable);
        });
    }
}

// The column fills the list, so every identifier shows whole beside its thumbnail.
TEST_F(Appearance, IdentifiersShowWholeBesideTheirThumbnails) {
    CEditorDlg dlg;
    RunModal(dlg, [&] {
        PackImage pack{};
        const int ids[] = {-32768, 32767, -7000, -2};
        for (int slot = 0; slot < static_cast<int>(std::size(ids)); ++slot) {
            SetContactId(pack, slot, ids[slot]);
        }
        ShowPackThroughOpen(dlg, ui, pack);
        auto* list = ControlAs<QTableWidget>(dlg, IDC_CONTACT_LIST);
        EXPECT_EQ(list->columnWidth(0), list->viewport()->width());
        for (int slot = 0; slot < static_cast<int>(std::size(ids)); ++slot) {
            const QString text = list->item(slot, 0)->text();
            EXPECT_EQ(text, QString::number(ids[slot]));
            EXPECT_LE(list->fontMetrics().horizontalAdvance(text), TextPart(list, slot).width())
                << text.toStdString() << " is cut short";
        }
    });
}

TEST_F(Appearance, PicturesAreEnlargedByWholePixelsAtTheScreenScale) {
    CEditorDlg dlg;
    RunModal(dlg, [&] {
        PackImage pack{};
        for (int row : {kOccupiedRow, kOccupiedRow + 1}) {
            SetContactId(pack, row, 7 + row);
            FillCheckerboard(pack, row);
        }
        ShowPackThroughOpen(dlg, ui, pack);
        auto* list = ControlAs<QTableWidget>(dlg, IDC_CONTACT_LIST);
        const QImage unselected = Grab(dlg);
        ClickListRow(dlg, kOccupiedRow);
        QWidget* window = WidgetOf(dlg);
        const qreal ratio = window->devicePixelRatioF();
        const QImage shot = Grab(dlg);
        const QRgb black = qRgb(0, 0, 0);
        const QRgb white = qRgb(255, 255, 255);
        const QRgb base = list->palette().color(QPalette::Base).rgb();

        // The colours found in a region, apart from those expected there.
        const auto strayColours = [&](const QRect& logical, std::set<QRgb> expected) {
            const QImage region = shot.copy(DevicePixels(logical, ratio));
            std::set<QRgb> stray;
            bool sawBlack = false;
            for (int y = 0; y < region.height(); ++y) {
                for (int x = 0; x < region.width(); ++x) {
                    const QRgb pixel = region.pixel(x, y) | 0xFF000000;
                    sawBlack = sawBlack || pixel == black;
                    if (!expected.contains(pixel)) {
                        stray.insert(pixel);
                    }
                }
            }
            EXPECT_TRUE(sawBlack) << "the picture is not there";
            return stray.size();
        };

        // Every picture pixel of the preview is one square of whole device pixels, the same
        // size across and down, in the picture's own colour.
        const QRect picture = PreviewPictureRect(dlg, ratio);
        const int scale = picture.width() / PICTURE_WIDTH;
        ASSERT_GE(scale, 1);
        int wrong = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const bool isBlack = (x / scale + y / scale) % 2 == 0;
                const QRgb pixel = shot.pixel(picture.left() + x, picture.top() + y) | 0xFF000000;
                wrong += pixel != (isBlack ? black : white) ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0) << "the preview is not whole " << scale << "-pixel squares at scale "
                            << ratio;
        // Around the picture, the frame's lines and the gap above it stay as they were.
        const QRect frame = DevicePixels(Control(dlg, IDC_PREVIEW)->geometry(), ratio);
        int changed = 0;
        for (int y = frame.top(); y <= frame.bottom(); ++y) {
            for (int x = frame.left(); x <= frame.right(); ++x) {
                if (!picture.contains(x, y)) {
                    changed += shot.pixel(x, y) != unselected.pixel(x, y) ? 1 : 0;
                }
            }
        }
        EXPECT_EQ(changed, 0) << "the preview draws over its frame at scale " << ratio;
        EXPECT_GE(picture.top() - frame.top(), qRound(7 * ratio));

        // The next row is not selected, so its thumbnail is drawn without a highlight.
        const QRect thumbnail = InWindow(list->viewport(), ThumbnailPart(list, 1), window);
        EXPECT_EQ(strayColours(thumbnail, {black, white, base}), 0u)
            << "the thumbnail is smoothed at scale " << ratio;
    });

    // The About box icon is drawn for the screen's scale, not enlarged from a smaller one.
    CAboutDlg about;
    RunModal(about, [&] {
        const QLabel* icon = nullptr;
        for (const QLabel* label : WidgetOf(about)->findChildren<QLabel*>()) {
            if (!label->pixmap().isNull()) {
                icon = label;
            }
        }
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->pixmap().devicePixelRatio(), WidgetOf(about)->devicePixelRatioF());
    });
}

} // namespace

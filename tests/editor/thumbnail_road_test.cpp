// Import Image on a phone photo with a thumbnail: it opens on the thumbnail while the photo
// decodes, switches to the photo with the frame kept, OK always stores what snapfold stores,
// and Cancel does not wait for the photo.

#include "convert/dither.h"
#include "editor/editor_dlg.h"
#include "editor/import_image/import_frames.h"
#include "editor/import_image/import_image_dlg.h"
#include "editor/import_image/import_source.h"
#include "pack/pack_image.h"
#include "pack/picture_export.h"
#include "res/resource.h"
#include "tests/support/cli_runner.h"
#include "tests/support/gui_support.h"
#include "tests/support/heic_writer.h"
#include "tests/support/named_param.h"
#include "tests/support/test_files.h"
#include "ui/background_job.h"
#include "ui/qt/widget.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <thread>

namespace {

using named_param::PrintTo;
using Bytes = std::vector<std::uint8_t>;

constexpr ImageSize kPhoto{1600, 1200};

// The test portrait at the size of a small photo, as red, green, blue bytes.
RgbImage Portrait(ImageSize size) {
    const QImage source(SNAPFOLD_TEST_DATA "/astronaut.jpg");
    const QImage image = source.scaled(size.width, size.width)
                             .copy(0, 0, size.width, size.height)
                             .convertToFormat(QImage::Format_RGB888);
    RgbImage rgb{size.width, size.height, {}};
    for (int y = 0; y < size.height; ++y) {
        const uchar* row = image.constScanLine(y);
        rgb.rgb.insert(rgb.rgb.end(), row, row + size.width * 3);
    }
    return rgb;
}

// The greys a result view shows at one screen pixel per picture pixel.
Bytes ShownGreys(const CDialog& dialog) {
    const QImage shot = Control(dialog, IDC_RESULT_ACTUAL)->grab().toImage();
    const int left = (shot.width() - kConvertWidth) / 2;
    const int top = (shot.height() - kConvertHeight) / 2;
    Bytes greys;
    for (int y = 0; y < kConvertHeight; ++y) {
        for (int x = 0; x < kConvertWidth; ++x) {
            greys.push_back(static_cast<std::uint8_t>(qRed(shot.pixel(left + x, top + y))));
        }
    }
    return greys;
}

// What the dialog shows for frame of source, with auto levels measured on the face's box while
// the frame is the one on the face.
Bytes ResultGreys(const RgbImage& source, const PixelRect& frame,
                  std::optional<ImportPreview::FaceLevels> faceLevels = std::nullopt) {
    const ImportPreview preview(source, frame, kDefaultConvertSettings, faceLevels);
    const auto greys = LevelsToGreys(preview.Levels());
    return {greys.begin(), greys.end()};
}

// The photo's decode held back until the test lets it go.
struct Gate {
    std::atomic<bool> open = false;
    FullPhoto::Decode Hold(FullPhoto::Decode decode) {
        return [this, decode = std::move(decode)] {
            while (!open) {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            return decode();
        };
    }
};

class ThumbnailRoad : public ::testing::Test {
protected:
    void SetUp() override {
        ClearPackImage(g_pack);
        ASSERT_TRUE(WriteHeic(m_dir.File("photo.heic"), Portrait(kPhoto), {1, 480, {}}));
        auto source = ThumbnailSource(m_dir.File("photo.heic"), true, {});
        ASSERT_TRUE(source);
        m_source = std::move(*source);
    }
    void TearDown() override {
        m_gate.open = true;
        JoinBackgroundJobs();
    }

    // snapfold set's bytes for the photo, with the defaults.
    Bytes SnapfoldBytes() {
        WriteWholeFile(m_dir.File("pack.bin"), Bytes(PACK_FILE_SIZE, 0));
        const CliRun run = RunCli(SNAPFOLD_CLI, m_dir.Path(),
                                  {"set", "pack.bin", "1", "--picture", "photo.heic"}, "");
        EXPECT_EQ(run.status, 0) << run.err;
        const Bytes pack = ReadWholeFile(m_dir.File("pack.bin"));
        return {pack.begin() + ID_TABLE_BYTES, pack.begin() + ID_TABLE_BYTES + PICTURE_BYTES};
    }

    std::unique_ptr<CImportImageDlg> Dialog() {
        return std::make_unique<CImportImageDlg>(m_source.image, m_source.frames, ImportSettings{},
                                                 nullptr, m_gate.Hold(m_source.fullPhoto));
    }

    TempDir m_dir;
    ScriptedUi m_ui;
    ImportSource m_source;
    Gate m_gate;
};

struct RoadCase {
    std::string name;
    bool moveFrame;
    bool okBeforeTheSwitch;
};

class ThumbnailRoadCases : public ThumbnailRoad, public ::testing::WithParamInterface<RoadCase> {};

TEST_P(ThumbnailRoadCases, OpensOnTheThumbnailAndStoresWhatThePhotoGives) {
    const RoadCase& c = GetParam();
    EXPECT_EQ(m_source.image.width, 480);
    EXPECT_EQ(m_source.fullSize, kPhoto);
    ASSERT_TRUE(m_source.frames.face) << "no face in the thumbnail";
    const auto dialog = Dialog();
    PixelRect moved;
    const int result = RunModal(*dialog, [&] {
        EXPECT_EQ(dialog->GetSourceSize(), (ImageSize{480, 360}));
        EXPECT_EQ(ShownGreys(*dialog), ResultGreys(m_source.image, *m_source.frames.face,
                                                   ImportFaceLevels(m_source.frames)));
        if (c.moveFrame) {
            QWidget* crop = Control(*dialog, IDC_CROP_VIEW);
            crop->setFocus();
            QTest::keyClick(crop, Qt::Key_Left, Qt::ShiftModifier);
            QTest::keyClick(crop, Qt::Key_Up, Qt::ShiftModifier);
            moved = dialog->GetFrame();
            ASSERT_NE(moved, *m_source.frames.face);
        }
        if (c.okBeforeTheSwitch) {
            std::jthread later([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                m_gate.open = true;
            });
            QTest::keyClick(WidgetOf(*dialog), Qt::Key_Return);
            EXPECT_EQ(ControlAs<QLabel>(*dialog, IDC_IMPORT_STATUS)->text(),
                      QString::fromUtf8("Reading the full photo\u2026"));
            return;
        }
        m_gate.open = true;
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->GetSourceSize() == kPhoto; }, 20000));
        if (c.moveFrame) {
            EXPECT_EQ(dialog->GetFrame(), MapRect(moved, 480, 360, kPhoto.width, kPhoto.height));
        }
        if (c.moveFrame) {
            // A frame moved by hand measures its levels on the whole frame.
            const DecodedImage photo = DecodeImageFile(m_dir.File("photo.heic"), nullptr);
            EXPECT_EQ(ShownGreys(*dialog), ResultGreys(*photo.image, dialog->GetFrame()));
        } else {
            // On the photo's own face, the dialog shows what snapfold stores.
            const Bytes stored = SnapfoldBytes();
            const auto greys = PictureToGreys(ConstPackPicture(stored.data(), PICTURE_BYTES));
            EXPECT_EQ(ShownGreys(*dialog), Bytes(greys.begin(), greys.end()));
        }
        QTest::keyClick(WidgetOf(*dialog), Qt::Key_Return);
    });
    ASSERT_EQ(result, IDOK);
    const Bytes stored(dialog->GetPicture().begin(), dialog->GetPicture().end());
    if (c.moveFrame) {
        EXPECT_EQ(dialog->GetSourceSize(), kPhoto);
        EXPECT_NE(stored, SnapfoldBytes());
    } else {
        EXPECT_EQ(stored, SnapfoldBytes());
    }
}

INSTANTIATE_TEST_SUITE_P(Imports, ThumbnailRoadCases,
                         ::testing::Values(RoadCase{"OkAfterTheSwitch", false, false},
                                           RoadCase{"OkBeforeTheSwitch", false, true},
                                           RoadCase{"FrameMovedBeforeTheSwitch", true, false},
                                           RoadCase{"FrameMovedThenOk", true, true}),
                         [](const auto& info) { return info.param.name; });

TEST_F(ThumbnailRoad, CancelDuringTheDecodeReturnsAtOnce) {
    const auto dialog = Dialog();
    const auto started = std::chrono::steady_clock::now();
    std::chrono::steady_clock::duration took{};
    const int result = RunModal(*dialog, [&] {
        QTest::keyClick(WidgetOf(*dialog), Qt::Key_Escape);
        took = std::chrono::steady_clock::now() - started;
    });
    EXPECT_EQ(result, IDCANCEL);
    // The photo is still held back: the dialog ended without it.
    EXPECT_FALSE(m_gate.open);
    EXPECT_EQ(dialog->GetSourceSize(), (ImageSize{480, 360}));
    EXPECT_LT(took, std::chrono::seconds(5));
}

TEST_F(ThumbnailRoad, TheEditorStoresSnapfoldsBytesFromAPhoneCameraPhoto) {
    CEditorDlg editor;
    Bytes stored;
    RunModal(editor, [&] {
        ClickButton(editor, IDC_NEW_PACK);
        ClickListRow(editor, 0);
        m_ui.Answer(m_dir.File("photo.heic"));
        QWidget* list = Control(editor, IDC_CONTACT_LIST);
        list->setFocus();
        ASSERT_TRUE(WithNextModal([&] { QTest::keyClick(list, Qt::Key_I, Qt::ControlModifier); },
                                  [](QWidget* d) { QTest::keyClick(d, Qt::Key_Return); }));
        const ConstPackPicture picture = GetPicture(std::as_const(g_pack), 0);
        stored.assign(picture.begin(), picture.end());
    });
    EXPECT_EQ(stored, SnapfoldBytes());
    // No busy cursor is left behind.
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Which files open on their thumbnail.
struct SourceCase {
    std::string name;
    HeicLayout layout;
    bool onThumbnail;
};

class ThumbnailChoice : public ::testing::TestWithParam<SourceCase> {};

TEST_P(ThumbnailChoice, OnlyAMatchingThumbnailLargeEnoughForTheFrame) {
    const SourceCase& c = GetParam();
    const TempDir dir;
    ASSERT_TRUE(WriteHeic(dir.File("photo.heic"), Portrait({800, 600}), c.layout));
    const auto source = ThumbnailSource(dir.File("photo.heic"), false, {});
    EXPECT_EQ(source.has_value(), c.onThumbnail);
    if (source) {
        EXPECT_EQ(source->fullSize, (ImageSize{800, 600}));
        EXPECT_TRUE(source->fullPhoto);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ThumbnailChoice,
    ::testing::Values(SourceCase{"Matching", {1, 320, {}}, true},
                      SourceCase{"OtherProportions", {1, 0, Portrait({320, 320})}, false},
                      SourceCase{"TooSmallForTheFrame", {1, 80, {}}, false},
                      SourceCase{"None", {}, false}),
    [](const auto& info) { return info.param.name; });

} // namespace
